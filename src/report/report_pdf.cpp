#include "report/report_pdf.h"

#include "report/painter_device.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>

namespace clv::report {

namespace {

constexpr int kPdfResolution = 1200; // dots per inch: positions to a fiftieth of a millimetre

} // namespace

PdfReport RenderReportPdf(const ReportSource& src, const Settings& settings, const PageHeaderInfo& header,
                          const QPageSize& pageSize)
{
    PdfReport report;
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator("Dalk Clivora");
        writer.setTitle(QString::fromStdString(header.MainTitle));
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer)) {
            report.Outcome.PrintCancelled = true;
            report.Outcome.Message = kPrintErrorMessage;
            return report;
        }
        PainterDevice device(painter, [&writer] { writer.newPage(); }, &src);
        report.Outcome = PrintReports(device, src, settings, header);
        painter.end();
    }
    if (report.Outcome.Pages > 0)
        report.Bytes = bytes;
    return report;
}

} // namespace clv::report
