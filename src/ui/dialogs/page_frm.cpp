#include "ui/dialogs/page_frm.h"

#include "ui/app_icon.h"
#include "ui/report_printing.h"

#include "model/format.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace clv::ui {

namespace {

constexpr double kMmPerInch = 25.4;

QString PageText(int n) { return QString::fromStdString(Format(n, "####0")); }

} // namespace

PageFrm::PageFrm(ReportPrinting& printing, QWidget* parent) : QDialog(parent), printing_(printing)
{
    setObjectName("PageFrm");
    setWindowTitle("Print preview");
    setWindowIcon(AppIcon());

    preview_ = new QLabel(this);
    preview_->setObjectName("Preview");
    preview_->setAccessibleName("Page preview");
    preview_->setAlignment(Qt::AlignCenter);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(preview_);
    scroll_->setWidgetResizable(true);
    scroll_->setBackgroundRole(QPalette::Mid);

    const char* pagingCaptions[2] = {"Previous page", "Next page"};
    for (int i = 0; i < 2; ++i) {
        paging_[i] = new QPushButton(pagingCaptions[i], this);
        paging_[i]->setObjectName(QString("Paging%1").arg(i));
        paging_[i]->setAutoDefault(false);
    }
    connect(paging_[0], &QPushButton::clicked, this, [this] {
        if (previewPage_ >= 2)
            ShowPage(previewPage_ - 1);
    });
    connect(paging_[1], &QPushButton::clicked, this, [this] {
        if (previewPage_ < pages_)
            ShowPage(previewPage_ + 1);
    });
    vPageLable_ = new QLabel(this);
    vPageLable_->setObjectName("VPageLable");
    vPageLable_->setAccessibleName("Page shown");
    nPageLable_ = new QLabel(this);
    nPageLable_->setObjectName("NPageLable");
    nPageLable_->setAccessibleName("Page total");
    printPageBtn_ = new QPushButton("Print page", this);
    printPageBtn_->setObjectName("PrintPageBtn");
    printPageBtn_->setAutoDefault(false);
    printPageBtn_->setAccessibleDescription("Prints the page shown on the chosen printer");
    connect(printPageBtn_, &QPushButton::clicked, this, [this] {
        if (pages_ > 0)
            printing_.Print(previewPage_);
    });
    closeBtn_ = new QPushButton("Close", this);
    closeBtn_->setObjectName("CloseBtn");
    connect(closeBtn_, &QPushButton::clicked, this, &QDialog::accept);

    auto* bar = new QHBoxLayout;
    bar->addWidget(paging_[0]);
    bar->addWidget(new QLabel("Page", this));
    bar->addWidget(vPageLable_);
    bar->addWidget(new QLabel("of", this));
    bar->addWidget(nPageLable_);
    bar->addWidget(paging_[1]);
    bar->addStretch(1);
    bar->addWidget(printPageBtn_);
    bar->addWidget(closeBtn_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll_, 1);
    layout->addLayout(bar);

    // The page at its printed size on this screen.
    QScreen* screen = parent != nullptr && parent->screen() != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    const double dotsPerInch = screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
    const int widthPixels = static_cast<int>(std::lround(printing_.PageMm().width() * dotsPerInch / kMmPerInch));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    pages_ = printing_.RenderPreview(std::max(widthPixels, 400));
    QApplication::restoreOverrideCursor();
    ShowPage(1);

    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        const int pageWidth = preview_->sizeHint().width() + scroll_->verticalScrollBar()->sizeHint().width() + 40;
        resize(std::clamp(pageWidth, 500, area.width() * 9 / 10), area.height() * 9 / 10);
    }
}

void PageFrm::ShowPage(int page)
{
    if (pages_ == 0) {
        previewPage_ = 1;
        preview_->setPixmap(QPixmap());
        vPageLable_->setText(PageText(0));
    } else {
        previewPage_ = std::clamp(page, 1, pages_);
        preview_->setPixmap(QPixmap::fromImage(printing_.PreviewPage(previewPage_)));
        vPageLable_->setText(PageText(previewPage_));
    }
    nPageLable_->setText(PageText(pages_));
    paging_[0]->setEnabled(pages_ > 0 && previewPage_ > 1);
    paging_[1]->setEnabled(previewPage_ < pages_);
    printPageBtn_->setEnabled(pages_ > 0);
}

} // namespace clv::ui
