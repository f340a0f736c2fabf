#include "ui/tabs/page_heading_boxes.h"

#include "ui/entry_box.h"
#include "ui/interaction.h"
#include "ui/validation.h"

#include "model/format.h"

#include <QFormLayout>
#include <QLabel>

namespace clv::ui {

namespace {

const char* const kCaptions[PageHeadingBoxes::kBoxCount] = {
    "Main title", "Sub title", "Project", "Analysis", "Engineer", "Page number for first sheet",
    "User line 1", "User line 2"};
constexpr int kMaxLengths[PageHeadingBoxes::kBoxCount] = {50, 50, 15, 15, 15, 12, 255, 255};
constexpr int kFirstPageBox = 5;

} // namespace

PageHeadingBoxes::PageHeadingBoxes(MainContext& ctx, QWidget* parent)
    : QGroupBox("Page headings", parent), ctx_(ctx)
{
    auto* form = new QFormLayout(this);
    for (int i = 0; i < kBoxCount; ++i) {
        auto* box = new EntryBox(ctx_, kCaptions[i], this);
        box->setObjectName(QString("TxtBox%1").arg(i));
        box->setMaxLength(kMaxLengths[i]);
        if (i == kFirstPageBox) {
            box->setAlignment(Qt::AlignRight);
            box->setMaximumWidth(60);
        }
        box->Validate = [this, i] { return Store(i); };
        box->EnterPressed = [this, i] { txtBox_[static_cast<std::size_t>((i + 1) % kBoxCount)]->setFocus(Qt::TabFocusReason); };
        txtBox_[static_cast<std::size_t>(i)] = box;
        auto* caption = new QLabel(kCaptions[i], this);
        caption->setBuddy(box);
        form->addRow(caption, box);
    }
}

void PageHeadingBoxes::Fill()
{
    const JobHeader& h = ctx_.session->job.Header;
    const std::array<std::string, kBoxCount> texts = {
        h.MainTitle.Trimmed(), h.SubTitle.Trimmed(), h.Project.Trimmed(), h.Analysis.Trimmed(), h.Engineer.Trimmed(),
        Format(h.FirstPageNumber, "#0"), ctx_.settings->UserNameLine1, ctx_.settings->UserNameLine2};
    for (int i = 0; i < kBoxCount; ++i) {
        EntryBox* box = txtBox_[static_cast<std::size_t>(i)];
        box->ShowText(QString::fromStdString(texts[static_cast<std::size_t>(i)]));
        box->setCursorPosition(0); // a long title shows its beginning
    }
}

bool PageHeadingBoxes::Store(int index)
{
    const std::string text = txtBox_[static_cast<std::size_t>(index)]->text().toStdString();
    if (index < kFirstPageBox) {
        ctx_.BeginEdit();
        JobHeader& h = ctx_.session->job.Header;
        FixedText<50>* titles[] = {&h.MainTitle, &h.SubTitle};
        FixedText<15>* references[] = {&h.Project, &h.Analysis, &h.Engineer};
        if (index < 2)
            titles[index]->Assign(text);
        else
            references[index - 2]->Assign(text);
        ctx_.EndEdit();
        return true;
    }
    if (index == kFirstPageBox) {
        // A number out of range starts the pages at 1 rather than being refused.
        const double page = RoundHalfEven(ReadNumber(text), 0);
        const bool inRange = page >= 1.0 && page <= 99.0;
        if (!inRange && ctx_.interaction)
            ctx_.interaction->Beep();
        // The number is saved with the job: like every other change it can be
        // undone, and leaving the program asks about saving it.
        const auto first = static_cast<Integer>(inRange ? page : 1.0);
        if (first == ctx_.session->job.Header.FirstPageNumber) {
            ctx_.RefreshAll(); // shows the stored number again
            return true;
        }
        ctx_.BeginEdit();
        ctx_.session->job.Header.FirstPageNumber = first;
        ctx_.EndEdit();
        return true;
    }
    // The user lines belong to the installation: they are written to the settings file at once.
    (index == 6 ? ctx_.settings->UserNameLine1 : ctx_.settings->UserNameLine2) = text;
    if (ctx_.folders != nullptr) {
        if (std::optional<std::string> error = WriteSettings(*ctx_.folders, *ctx_.settings); error && ctx_.interaction)
            ctx_.interaction->Message("Dalk Clivora", QString::fromStdString(*error), Interaction::Icon::None,
                                      Interaction::Buttons::Ok);
    }
    ctx_.RefreshAll();
    return true;
}

bool PageHeadingBoxes::CommitPendingEdit()
{
    for (EntryBox* box : txtBox_)
        if (box->hasFocus())
            return box->CommitIfEdited();
    return true;
}

} // namespace clv::ui
