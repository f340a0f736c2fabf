#pragma once

// The print driver: sets up the page, estimates the pages and runs the ticked
// reports in their fixed order (input data, slip circles, defined surface,
// wedges) on one device.

#include "model/settings.h"
#include "report/page_device.h"
#include "report/page_writer.h"
#include "report/report_source.h"

#include <optional>
#include <string>

namespace clv::report {

extern const char* const kPrintErrorMessage; // "Error during printing", a line break, "Aborting task!"

struct PrintOutcome {
    int PageCount = 0;            // estimated before the run
    int Pages = 0;                // pages produced
    bool PrintCancelled = false;  // nothing ticked, a refused page, or an error
    std::optional<std::string> Message; // for a message box: the refusal or the error
    PageLayout Layout;
};

/** The page set-up of a device with the settings' font and margins. */
PageLayout PageSetUp(PageDevice& device, const Settings& settings);

/** The header fields of a job under a file name on a date (dd/mm/yyyy). */
PageHeaderInfo HeaderFor(const Job& job, const Settings& settings, const std::string& fileName, const std::string& date);

/** Today as the header prints it, dd/mm/yyyy. */
std::string TodayText();

/**
 * Runs the reports ticked in the job's print options on the device. With
 * nothing ticked no page is started. A page too short for a table is refused
 * with a message and nothing is printed. An error ends the run with the
 * printing error message; the pages produced so far stay on the device.
 */
PrintOutcome PrintReports(PageDevice& device, const ReportSource& src, const Settings& settings,
                          const PageHeaderInfo& header);

} // namespace clv::report
