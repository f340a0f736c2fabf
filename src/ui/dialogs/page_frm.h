#pragma once

// The large print preview: one report page at its printed size on the screen,
// with paging, printing of the page shown, and closing. The report is run
// afresh onto the page pictures when the form opens.

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;

namespace clv::ui {

class ReportPrinting;

class PageFrm : public QDialog {
    Q_OBJECT
public:
    PageFrm(ReportPrinting& printing, QWidget* parent = nullptr);

    /** Paging 0 shows the previous page, Paging 1 the next. */
    QPushButton* Paging(int i) const { return paging_[i]; }
    QLabel* VPageLable() const { return vPageLable_; }
    QLabel* NPageLable() const { return nPageLable_; }
    QPushButton* PrintPageBtn() const { return printPageBtn_; }
    QPushButton* CloseBtn() const { return closeBtn_; }
    /** The picture of the page shown (empty without pages). */
    QLabel* Preview() const { return preview_; }

    int PageCount() const { return pages_; }
    int PreviewPage() const { return previewPage_; }

private:
    void ShowPage(int page);

    ReportPrinting& printing_;
    QScrollArea* scroll_ = nullptr;
    QLabel* preview_ = nullptr;
    QPushButton* paging_[2] = {nullptr, nullptr};
    QLabel* vPageLable_ = nullptr;
    QLabel* nPageLable_ = nullptr;
    QPushButton* printPageBtn_ = nullptr;
    QPushButton* closeBtn_ = nullptr;
    int pages_ = 0;
    int previewPage_ = 1;
};

} // namespace clv::ui
