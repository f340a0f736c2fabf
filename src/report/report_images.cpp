#include "report/report_images.h"

#include "report/painter_device.h"

#include <QPainter>

#include <cmath>

namespace clv::report {

namespace {

QImage BlankPage(int width, int height, double dotsPerMm)
{
    QImage page(width, height, QImage::Format_RGB32);
    page.fill(Qt::white);
    // The picture's resolution makes a point of text the same part of the page as on paper.
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerMm * 1000.0));
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);
    return page;
}

} // namespace

ImageReport RenderReportImages(const ReportSource& src, const Settings& settings, const PageHeaderInfo& header,
                               int widthPixels, QSizeF pageMm)
{
    ImageReport report;
    if (widthPixels < 1 || !(pageMm.width() > 0.0) || !(pageMm.height() > 0.0))
        return report;
    const double dotsPerMm = widthPixels / pageMm.width();
    const int heightPixels = static_cast<int>(std::lround(pageMm.height() * dotsPerMm));
    QImage page = BlankPage(widthPixels, heightPixels, dotsPerMm);
    if (page.isNull())
        return report;

    QPainter painter(&page);
    // A finished page is kept and the painter goes on on a fresh one.
    auto nextSheet = [&] {
        painter.end();
        report.Pages.push_back(page);
        page = BlankPage(widthPixels, heightPixels, dotsPerMm);
        painter.begin(&page);
    };
    PainterDevice device(painter, nextSheet, &src);
    report.Outcome = PrintReports(device, src, settings, header);
    painter.end();
    if (report.Outcome.Pages > 0)
        report.Pages.push_back(page);
    return report;
}

} // namespace clv::report
