#pragma once

// The report as page pictures for the previews: the same pages the printer and
// the PDF get, painted through the same path onto images of the page's
// proportions.

#include "report/print_reports.h"

#include <QImage>
#include <QSizeF>

#include <vector>

namespace clv::report {

struct ImageReport {
    std::vector<QImage> Pages; // one picture per page produced, in order
    PrintOutcome Outcome;
};

/**
 * The ticked reports as white pictures `widthPixels` wide for a page of
 * `pageMm` millimetres (A4 portrait: 210 x 297); the height follows the page's
 * proportions. A page too short for a table, or nothing ticked, gives no
 * picture (and the outcome says why).
 */
ImageReport RenderReportImages(const ReportSource& src, const Settings& settings, const PageHeaderInfo& header,
                               int widthPixels, QSizeF pageMm = QSizeF(210.0, 297.0));

} // namespace clv::report
