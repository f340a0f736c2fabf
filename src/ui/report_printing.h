#pragma once

// What the printing tab and the large preview share: the printer chosen in the
// printer list, the report of the job as it stands (with the analyses its ticked
// sections need), its page pictures for the previews, and printing it. Every
// page goes through the report's one painting path, so a preview shows what the
// printer prints.

#include "ui/main_context.h"

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

namespace clv::ui {

class PageImageFolder;

/** The last entry of the printer list: the report written as a vector PDF file. */
extern const char* const kPdfFileEntry; // "PDF file"

class ReportPrinting {
public:
    ReportPrinting(MainContext& ctx, PageImageFolder& images);

    /** The system's printers, then "PDF file". */
    static QStringList PrinterEntries();
    /** The entry chosen at start: the system's default printer, else "PDF file". */
    static QString DefaultEntry();

    /** The entry of the printer list that PrintBtn, PrintPageBtn and the page set-up use. */
    const QString& Printer() const { return printer_; }
    void ChoosePrinter(const QString& entry) { printer_ = entry; }
    /** The chosen printer's page in millimetres, portrait (A4 for a PDF file). */
    QSizeF PageMm() const;

    /**
     * Runs the report onto page pictures `widthPixels` wide, saved as the page
     * image files, and returns the number of pages produced (0: nothing to
     * show, the files of an earlier run do not count).
     */
    int RenderPreview(int widthPixels);
    /** The picture of page n of the latest preview run. */
    QImage PreviewPage(int n);

    /**
     * Prints the report on the chosen printer, or writes it to a PDF file
     * asked for: the whole report, or with `onlyPage` that page alone. The
     * job is marked modified after a whole-report run. false when nothing
     * was printed.
     */
    bool Print(int onlyPage = 0);

private:
    MainContext& ctx_;
    PageImageFolder& images_;
    QString printer_;
    // One entry per page of the latest preview run: null once the page's file is written,
    // the picture itself when the file could not be written.
    std::vector<QImage> pages_;
};

} // namespace clv::ui
