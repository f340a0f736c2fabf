#include "report/report_paged.h"

#include "report/painter_device.h"
#include "report/single_page_device.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace clv::report {

PrintOutcome PaintReportPages(QPagedPaintDevice& device, const ReportSource& src, const Settings& settings,
                              const PageHeaderInfo& header, int onlyPage,
                              const std::function<void()>& discard)
{
    PrintOutcome outcome;
    QPainter painter;
    if (!painter.begin(&device)) {
        outcome.PrintCancelled = true;
        outcome.Message = kPrintErrorMessage;
        return outcome;
    }
    PainterDevice pages(painter, [&device] { device.newPage(); }, &src);
    if (onlyPage > 0) {
        SinglePageDevice one(pages, onlyPage);
        outcome = PrintReports(one, src, settings, header);
        if (!one.Reached())
            outcome.PrintCancelled = true; // the report has changed since that page was shown
    } else {
        outcome = PrintReports(pages, src, settings, header);
    }
    if (outcome.PrintCancelled && discard)
        discard();
    painter.end();
    return outcome;
}

} // namespace clv::report
