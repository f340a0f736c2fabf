#include "ui/report_printing.h"

#include "ui/engine_notices.h"
#include "ui/interaction.h"
#include "ui/page_image_folder.h"

#include "report/report_images.h"
#include "report/report_paged.h"
#include "report/report_pdf.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include <filesystem>

namespace clv::ui {

const char* const kPdfFileEntry = "PDF file";

namespace {

constexpr const char* kProgramTitle = "Dalk Clivora";

/** The report of the job as it stands, with the results its ticked sections print. */
struct PrintJob {
    report::ReportSource source;
    report::PageHeaderInfo header;
};

PrintJob ComposeJob(MainContext& ctx)
{
    JobSession& session = *ctx.session;
    Job& job = session.job;
    const PrintOptions& p = job.Print;
    const NoticeFn notice = NoticesAsMessages(ctx.interaction);
    // The analyses keep their results while the job is unchanged: asking again costs nothing.
    const CircleSearchResult* circles =
        report::Ticked(p, 20) ? &ctx.analyses.Circles(job, ctx.table, ctx.layers, notice) : nullptr;
    const DefinedSurfaceResult* defined =
        report::Ticked(p, 30) ? &ctx.analyses.Defined(job, ctx.table, ctx.layers, notice) : nullptr;
    const WedgeSearchResult* wedges =
        report::Ticked(p, 40) ? &ctx.analyses.Wedges(job, ctx.table, ctx.layers, notice) : nullptr;
    return PrintJob{report::ReportSource{job, ctx.table, ctx.layers, circles, defined, wedges},
                    report::HeaderFor(job, *ctx.settings, session.JobFileTitle, report::TodayText())};
}

void Tell(MainContext& ctx, const std::string& text)
{
    if (ctx.interaction)
        ctx.interaction->Message(kProgramTitle, QString::fromStdString(text), Interaction::Icon::Exclamation,
                                 Interaction::Buttons::Ok);
}

/** Where the PDF goes by default: the job's name with .pdf, in the job's folder. */
QString SuggestedPdfName(const JobSession& session)
{
    std::filesystem::path path(session.JobFilePath);
    path.replace_extension(".pdf");
    return QString::fromStdString(path.string());
}

} // namespace

ReportPrinting::ReportPrinting(MainContext& ctx, PageImageFolder& images)
    : ctx_(ctx), images_(images), printer_(DefaultEntry())
{
}

QStringList ReportPrinting::PrinterEntries()
{
    QStringList entries = QPrinterInfo::availablePrinterNames();
    entries.removeAll(QString::fromLatin1(kPdfFileEntry));
    entries.push_back(QString::fromLatin1(kPdfFileEntry));
    return entries;
}

QString ReportPrinting::DefaultEntry()
{
    const QString name = QPrinterInfo::defaultPrinterName();
    return name.isEmpty() ? QString::fromLatin1(kPdfFileEntry) : name;
}

QSizeF ReportPrinting::PageMm() const
{
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    if (printer_ == QString::fromLatin1(kPdfFileEntry))
        return a4;
    const QPageSize size = QPrinterInfo::printerInfo(printer_).defaultPageSize();
    QSizeF mm = size.isValid() ? size.size(QPageSize::Millimeter) : a4;
    if (mm.width() > mm.height())
        mm.transpose(); // the report is set on an upright page
    return mm.isEmpty() ? a4 : mm;
}

int ReportPrinting::RenderPreview(int widthPixels)
{
    const PrintJob job = ComposeJob(ctx_);
    const report::ImageReport pictures =
        report::RenderReportImages(job.source, *ctx_.settings, job.header, widthPixels, PageMm());
    if (pictures.Outcome.Message)
        Tell(ctx_, *pictures.Outcome.Message);
    pages_ = pictures.Pages;
    for (std::size_t n = 0; n < pages_.size(); ++n)
        if (images_.Save(static_cast<int>(n) + 1, pages_[n]))
            pages_[n] = QImage(); // shown from its file, as printed
    return static_cast<int>(pages_.size());
}

QImage ReportPrinting::PreviewPage(int n)
{
    if (n < 1 || n > static_cast<int>(pages_.size()))
        return {};
    const QImage& kept = pages_[static_cast<std::size_t>(n) - 1];
    return kept.isNull() ? images_.Load(n) : kept;
}

bool ReportPrinting::Print(int onlyPage)
{
    const PrintJob job = ComposeJob(ctx_);
    report::PrintOutcome outcome;
    if (printer_ == QString::fromLatin1(kPdfFileEntry)) {
        const std::optional<QString> chosen = ctx_.interaction
            ? ctx_.interaction->SaveFileName("Save the report as a PDF file", SuggestedPdfName(*ctx_.session),
                                             "PDF file (*.pdf);;All files (*)")
            : std::nullopt;
        if (!chosen || chosen->isEmpty())
            return false;
        QString fileName = *chosen;
        if (!fileName.endsWith(".pdf", Qt::CaseInsensitive) && !QFileInfo(fileName).fileName().contains('.'))
            fileName += ".pdf";
        const QPageSize page(PageMm(), QPageSize::Millimeter);
        const report::PdfReport pdf = report::RenderReportPdf(job.source, *ctx_.settings, job.header, page, onlyPage);
        outcome = pdf.Outcome;
        if (!pdf.Bytes.isEmpty()) {
            // Written beside the target and renamed over it: a failed write leaves an older file whole.
            QSaveFile file(fileName);
            if (!file.open(QIODevice::WriteOnly) || file.write(pdf.Bytes) != pdf.Bytes.size() || !file.commit()) {
                Tell(ctx_, "The report could not be written to " + fileName.toStdString());
                return false;
            }
        }
    } else {
        QPrinter printer(QPrinterInfo::printerInfo(printer_), QPrinter::HighResolution);
        printer.setFullPage(true); // page units from the sheet's corner, as the margins are set
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setDocName(QString::fromStdString(job.header.MainTitle));
        outcome = report::PaintReportPages(printer, job.source, *ctx_.settings, job.header, onlyPage,
                                           [&printer] { printer.abort(); });
    }
    if (outcome.Message)
        Tell(ctx_, *outcome.Message);
    if (onlyPage == 0)
        ctx_.session->JobModified = true;
    return !outcome.PrintCancelled && outcome.Pages > 0;
}

} // namespace clv::ui
