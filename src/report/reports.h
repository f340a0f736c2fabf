#pragma once

// The report procedures. Each writes its sections, as ticked in the job's print
// options, through the page writer; none knows the device.

#include "report/page_writer.h"
#include "report/report_source.h"

#include <string>

namespace clv::report {

/** The input data (option 10): soils, strata, water, loads, reinforcement, partial factors. */
void InputDataReport(PageWriter& w, const ReportSource& src);

/** The slip circle report (option 20). */
void SlipCircleReport(PageWriter& w, const ReportSource& src);

/** The defined surface report (option 30). */
void DefinedSurfaceReport(PageWriter& w, const ReportSource& src);

/** The wedge report (option 40). */
void WedgeReport(PageWriter& w, const ReportSource& src);

/** The slice table shared by the three results reports, under `heading`. */
void SliceTable(PageWriter& w, const std::string& heading, const SliceList& slices);

/** The report's line naming the method of the circle search. */
const char* MethodSentence(Integer method);

/** The one line of a wedge report without wedges, and of a circle report without circles. */
extern const char* const kNoWedgeLine;
extern const char* const kNoCirclesLine;

/** The name of a design code as the partial factors report prints it. */
const char* DesignCodeName(Integer code);

} // namespace clv::report
