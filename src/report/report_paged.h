#pragma once

// The report on a paged device, a printer or a PDF writer, through the one
// painting path: every page on its own sheet, or one chosen page alone.

#include "report/print_reports.h"

#include <functional>

class QPagedPaintDevice;

namespace clv::report {

/**
 * Paints the ticked reports on `device`, which must be set up and not yet
 * painted on. With `onlyPage` (1-based) the whole report is composed but only
 * that page is painted, on the first sheet; a report with fewer pages is
 * cancelled. The outcome's Pages counts the pages composed. A cancelled run
 * calls `discard` while the document is still open (a printer aborts its job
 * there rather than print what was painted).
 */
PrintOutcome PaintReportPages(QPagedPaintDevice& device, const ReportSource& src, const Settings& settings,
                              const PageHeaderInfo& header, int onlyPage = 0,
                              const std::function<void()>& discard = {});

} // namespace clv::report
