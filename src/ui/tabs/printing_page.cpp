#include "ui/tabs/printing_page.h"

#include "ui/dialogs/page_frm.h"
#include "ui/interaction.h"
#include "ui/page_image_folder.h"
#include "ui/page_picture.h"
#include "ui/tabs/page_heading_boxes.h"

#include "report/page_layout.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <array>

namespace clv::ui {

namespace {

struct OptionCaption {
    int index;
    const char* caption;
};

// The check boxes of "Select items to print", group by group; the first of each group is the group's own box.
const std::array<std::array<OptionCaption, 6>, 4> kOptions = {{
    {{{10, "Input data"}, {11, "Geom soils and water"}, {12, "Loads and anchors"}, {13, "Reinforcement"},
      {14, "Partial factors"}, {0, nullptr}}},
    {{{20, "Slip circles"}, {21, "Slip circle definition"}, {22, "Tabular results (all)"},
      {23, "Critical circle results"}, {24, "Critical circle slices"}, {25, "Diagram all circles"}}},
    {{{30, "Defined surface"}, {31, "Surface points"}, {32, "General results"}, {33, "Slice details"},
      {34, "Diagram"}, {0, nullptr}}},
    {{{40, "Wedges"}, {41, "Tabular results (all)"}, {42, "Critical wedge results"}, {43, "Critical wedge slices"},
      {44, "Diagram"}, {0, nullptr}}},
}};

// The small preview's pictures: fine enough to read a line of the report when the tab is large.
constexpr int kPreviewWidthPixels = 900;

bool IsGroup(int index) { return index % 10 == 0; }

PageImageFolder& ImagesFor(MainContext& ctx, std::unique_ptr<PageImageFolder>& own)
{
    if (ctx.pageImages)
        return *ctx.pageImages;
    own = std::make_unique<PageImageFolder>(std::filesystem::temp_directory_path() / "clivora");
    return *own;
}

} // namespace

PrintingPage::PrintingPage(MainContext& ctx, QWidget* parent)
    : TabPage(ctx, parent), printing_(ctx, ImagesFor(ctx, ownImages_))
{
    auto* optionsBox = new QGroupBox("Select items to print", this);
    auto* optionsGrid = new QGridLayout(optionsBox);
    for (std::size_t g = 0; g < kOptions.size(); ++g) {
        auto* column = new QVBoxLayout;
        for (const OptionCaption& option : kOptions[g]) {
            if (option.caption == nullptr)
                continue;
            auto* check = new QCheckBox(QString::fromLatin1(option.caption), optionsBox);
            check->setObjectName(QString("PrintOptCheck%1").arg(option.index));
            const int index = option.index;
            connect(check, &QCheckBox::clicked, this, [this, index](bool checked) { OptionClicked(index, checked); });
            if (IsGroup(index)) {
                QFont bold = check->font();
                bold.setBold(true);
                check->setFont(bold);
                column->addWidget(check);
            } else {
                auto* indented = new QHBoxLayout;
                indented->addSpacing(18);
                indented->addWidget(check);
                column->addLayout(indented);
            }
            optionChecks_[index] = check;
        }
        column->addStretch();
        optionsGrid->addLayout(column, static_cast<int>(g / 2), static_cast<int>(g % 2));
    }

    auto* printerBox = new QGroupBox("Printer", this);
    auto* printerLayout = new QVBoxLayout(printerBox);
    printersList_ = new QListWidget(printerBox);
    printersList_->setObjectName("PrintersList");
    printersList_->setAccessibleName("Printers");
    printerLayout->addWidget(printersList_);
    connect(printersList_, &QListWidget::currentTextChanged, this, [this](const QString& entry) {
        if (ctx_.Refreshing || entry.isEmpty())
            return;
        // Another printer may have another page: the preview is set up anew.
        printing_.ChoosePrinter(entry);
        ctx_.RefreshAll();
    });

    printBtn_ = new QPushButton("Print", this);
    printBtn_->setObjectName("PrintBtn");
    printBtn_->setAccessibleDescription("Prints the report on the chosen printer");
    connect(printBtn_, &QPushButton::clicked, this, [this] {
        if (!ctx_.Refreshing)
            printing_.Print();
    });
    largePreviewBtn_ = new QPushButton("Large preview", this);
    largePreviewBtn_->setObjectName("LargePreviewBtn");
    connect(largePreviewBtn_, &QPushButton::clicked, this, [this] { OpenLargePreview(); });

    headings_ = new PageHeadingBoxes(ctx_, this);

    auto* left = new QVBoxLayout;
    left->addWidget(headings_);
    left->addWidget(optionsBox);
    left->addWidget(printerBox, 1);
    left->addWidget(printBtn_);
    left->addWidget(largePreviewBtn_);

    preview_ = new PagePicture(this);
    previousBtn_ = new QPushButton("Previous page", this);
    previousBtn_->setObjectName("PreviousBtn");
    nextBtn_ = new QPushButton("Next page", this);
    nextBtn_->setObjectName("NextBtn");
    pageLable_ = new QLabel(this);
    pageLable_->setObjectName("PageLable");
    pageLable_->setAccessibleName("Page shown");
    pageLable_->setAlignment(Qt::AlignCenter);
    connect(previousBtn_, &QPushButton::clicked, this, [this] { ShowPreviewPage(previewPage_ - 1); });
    connect(nextBtn_, &QPushButton::clicked, this, [this] { ShowPreviewPage(previewPage_ + 1); });

    auto* paging = new QHBoxLayout;
    paging->addWidget(previousBtn_);
    paging->addWidget(pageLable_, 1);
    paging->addWidget(nextBtn_);
    auto* right = new QVBoxLayout;
    right->addWidget(preview_, 1);
    right->addLayout(paging);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    FillPrinters();
    ShowPreviewPage(1);
}

PrintingPage::~PrintingPage() = default;

PageFrm* PrintingPage::LargePreview() const
{
    return pageFrm_;
}

QCheckBox* PrintingPage::PrintOptCheck(int index) const
{
    const auto it = optionChecks_.find(index);
    return it != optionChecks_.end() ? it->second : nullptr;
}

void PrintingPage::FillPrinters()
{
    const QSignalBlocker quiet(printersList_); // filling the list chooses nothing
    printersList_->clear();
    printersList_->addItems(ReportPrinting::PrinterEntries());
    const QList<QListWidgetItem*> chosen = printersList_->findItems(printing_.Printer(), Qt::MatchExactly);
    if (!chosen.isEmpty())
        printersList_->setCurrentItem(chosen.front());
}

void PrintingPage::FillOptions()
{
    const PrintOptions& print = ctx_.session->job.Print;
    for (const auto& [index, check] : optionChecks_) {
        check->setChecked(report::Ticked(print, index));
        // A section prints only with its group: its box is greyed while the group is cleared.
        if (!IsGroup(index))
            check->setEnabled(report::Ticked(print, index / 10 * 10));
    }
}

void PrintingPage::OptionClicked(int index, bool checked)
{
    if (ctx_.Refreshing)
        return;
    ctx_.BeginEdit();
    ctx_.session->job.Print[static_cast<std::size_t>(index)] = checked ? 1 : 0;
    ctx_.EndEdit();
}

bool PrintingPage::CommitPendingEdit()
{
    return headings_->CommitPendingEdit();
}

void PrintingPage::RefreshPage()
{
    headings_->Fill();
    FillOptions();
    // Every run starts afresh: pages of an earlier run never show after a run with fewer.
    pages_ = printing_.RenderPreview(kPreviewWidthPixels);
    ShowPreviewPage(1);
}

void PrintingPage::ShowPreviewPage(int page)
{
    if (pages_ == 0) {
        previewPage_ = 1;
        preview_->Clear();
        pageLable_->setText("Page 0 of 0");
    } else {
        previewPage_ = std::clamp(page, 1, pages_);
        preview_->SetPage(printing_.PreviewPage(previewPage_));
        pageLable_->setText(QString("Page %1 of %2").arg(previewPage_).arg(pages_));
    }
    previousBtn_->setEnabled(pages_ > 0 && previewPage_ > 1);
    nextBtn_->setEnabled(previewPage_ < pages_);
}

void PrintingPage::OpenLargePreview()
{
    if (ctx_.Refreshing || pageFrm_ || !ctx_.interaction)
        return;
    PageFrm frm(printing_, this);
    pageFrm_ = &frm;
    ctx_.interaction->RunModal(frm);
    pageFrm_ = nullptr;
    // The large preview wrote its own pictures: the window's refresh renders the small preview again.
    if (ctx_.RefreshAll)
        ctx_.RefreshAll();
}

} // namespace clv::ui
