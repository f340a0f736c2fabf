#include "report/report_pdf.h"

#include "report/report_paged.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>

namespace clv::report {

namespace {

constexpr int kPdfResolution = 1200; // dots per inch: positions to a fiftieth of a millimetre

} // namespace

PdfReport RenderReportPdf(const ReportSource& src, const Settings& settings, const PageHeaderInfo& header,
                          const QPageSize& pageSize, int onlyPage)
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
        report.Outcome = PaintReportPages(writer, src, settings, header, onlyPage);
    }
    if (report.Outcome.Pages > 0 && !(onlyPage > 0 && report.Outcome.PrintCancelled))
        report.Bytes = bytes;
    return report;
}

} // namespace clv::report
