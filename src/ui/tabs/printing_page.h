#pragma once

// "Printing": the report sections to print, the printer, and a small picture
// of the report's pages as they will print, with paging, printing and the
// large preview.

#include "ui/report_printing.h"
#include "ui/tab_page.h"

#include <map>
#include <memory>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace clv::ui {

class PageFrm;
class PageHeadingBoxes;
class PageImageFolder;
class PagePicture;

class PrintingPage : public TabPage {
    Q_OBJECT
public:
    explicit PrintingPage(MainContext& ctx, QWidget* parent = nullptr);
    ~PrintingPage() override;

    /** Runs the report onto the small preview and shows its first page. */
    void RefreshPage() override;

    bool CommitPendingEdit() override;

    QCheckBox* PrintOptCheck(int index) const;
    PageHeadingBoxes* Headings() const { return headings_; }
    QListWidget* PrintersList() const { return printersList_; }
    QPushButton* PrintBtn() const { return printBtn_; }
    QPushButton* LargePreviewBtn() const { return largePreviewBtn_; }
    QPushButton* PreviousBtn() const { return previousBtn_; }
    QPushButton* NextBtn() const { return nextBtn_; }
    QLabel* PageLable() const { return pageLable_; }
    PagePicture* Preview() const { return preview_; }
    /** The large preview while it is open. */
    PageFrm* LargePreview() const;

    int PageCount() const { return pages_; }
    int PreviewPage() const { return previewPage_; }
    ReportPrinting& Printing() { return printing_; }

private:
    void OptionClicked(int index, bool checked);
    void FillOptions();
    void FillPrinters();
    void ShowPreviewPage(int page);
    void OpenLargePreview();

    std::unique_ptr<PageImageFolder> ownImages_; // when the window does not keep the page images
    ReportPrinting printing_;
    PageHeadingBoxes* headings_ = nullptr;
    std::map<int, QCheckBox*> optionChecks_;
    QListWidget* printersList_ = nullptr;
    QPushButton* printBtn_ = nullptr;
    QPushButton* largePreviewBtn_ = nullptr;
    QPushButton* previousBtn_ = nullptr;
    QPushButton* nextBtn_ = nullptr;
    QLabel* pageLable_ = nullptr;
    PagePicture* preview_ = nullptr;
    PageFrm* pageFrm_ = nullptr; // while the large preview is open
    int pages_ = 0;       // pages of the latest preview run
    int previewPage_ = 1; // page shown, 1-based
};

} // namespace clv::ui
