#include "ui/tabs/factors_page.h"

#include "model/design_codes.h"
#include "model/format.h"
#include "ui/entry_box.h"
#include "ui/interaction.h"
#include "ui/validation.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace clv::ui {

namespace {

const char* const kFactorLabels[FactorsPage::kFactorBoxCount] = {
    "Ramifications of failure (fn)",
    "Soil self weight (ffs)",
    "Imposed loads (fq)",
    "Soil tan(phi) values (fms)",
    "Soil cohesion values (fms)",
    "Reinforcing material (fm)",
    "Sliding on reinforcement (fs)",
    "Reinforcement pull-out (fp)",
    "Vertical acceleration factor (x by gravity at 9.81m/s2)",
    "Lateral acceleration factor (x by gravity at 9.81m/s2)",
};

const char* const kVerticalNote =
    "The vertical seismic factor is in addition to normal gravity. Entering a value of 0.2 in the box results in "
    "total vertical acceleration of 1.2x gravity (including normal gravity).";

Single& FactorField(Job& job, int index)
{
    if (index == 8)
        return job.Header.VerticalAccelerationFactor;
    if (index == 9)
        return job.Header.LateralAccelerationFactor;
    return PartialFactor(job.Factors, index);
}

Single FactorValue(const Job& job, int index)
{
    return FactorField(const_cast<Job&>(job), index);
}

} // namespace

FactorsPage::FactorsPage(MainContext& ctx, QWidget* parent) : TabPage(ctx, parent)
{
    setObjectName("FactorsPage");

    auto* codes = new QGroupBox("Apply code factors", this);
    auto* codesLayout = new QVBoxLayout(codes);
    codeGroup_ = new QButtonGroup(this);
    for (int code = 0; code < kDesignCodeCount; ++code) {
        auto* option = new QRadioButton(DesignCodeCaption(code), codes);
        option->setObjectName(QString("CodeOption%1").arg(code));
        option->setAccessibleName(DesignCodeCaption(code));
        codeOption_[static_cast<std::size_t>(code)] = option;
        codeGroup_->addButton(option, code);
        codesLayout->addWidget(option);
    }
    codesLayout->addStretch();
    connect(codeGroup_, &QButtonGroup::idClicked, this, [this](int code) { ChooseCode(code); });

    auto* factors = new QGroupBox("Partial factors", this);
    auto* factorsLayout = new QGridLayout(factors);
    auto* seismic = new QGroupBox("Seismic factors", this);
    auto* seismicLayout = new QGridLayout(seismic);
    for (int i = 0; i < kFactorBoxCount; ++i) {
        auto* box = new EntryBox(ctx, kFactorLabels[i], this);
        box->setObjectName(QString("FactorBox%1").arg(i));
        box->setAlignment(Qt::AlignRight);
        box->setMaximumWidth(80);
        box->Validate = [this, i] { return ValidateFactor(i); };
        box->EnterPressed = [this, i] { MoveFocusFrom(i); };
        factorBox_[static_cast<std::size_t>(i)] = box;
        auto* label = new QLabel(kFactorLabels[i], this);
        label->setBuddy(box);
        QGridLayout* grid = i < 8 ? factorsLayout : seismicLayout;
        const int row = i < 8 ? i : i - 8;
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
    }
    auto* note = new QLabel(kVerticalNote, seismic);
    note->setWordWrap(true);
    seismicLayout->addWidget(note, 2, 0, 1, 2);
    seismicLayout->setRowStretch(3, 1);
    factorsLayout->setRowStretch(8, 1);

    auto* page = new QHBoxLayout(this);
    page->addWidget(codes);
    page->addWidget(factors);
    page->addWidget(seismic, 1);
}

void FactorsPage::RefreshPage()
{
    const Job& job = ctx_.session->job;
    const bool custom = job.Factors.DesignCode == kCustomFactors;
    for (int i = 0; i < kFactorBoxCount; ++i) {
        EntryBox* box = factorBox_[static_cast<std::size_t>(i)];
        if (i < 8)
            box->setReadOnly(!custom); // the code's factors are shown, not typed
        box->ShowText(QString::fromStdString(Format(FactorValue(job, i), "##0.00")));
    }
    const int code = job.Factors.DesignCode;
    if (code >= 0 && code < kDesignCodeCount) {
        codeOption_[static_cast<std::size_t>(code)]->setChecked(true);
    } else if (QAbstractButton* checked = codeGroup_->checkedButton()) {
        // A code this program does not know selects no option.
        codeGroup_->setExclusive(false);
        checked->setChecked(false);
        codeGroup_->setExclusive(true);
    }
}

bool FactorsPage::CommitPendingEdit()
{
    for (EntryBox* box : factorBox_)
        if (box->hasFocus())
            return box->CommitIfEdited();
    return true;
}

void FactorsPage::ChooseCode(int code)
{
    if (ctx_.Refreshing)
        return;
    ctx_.BeginEdit();
    ApplyDesignCode(ctx_.session->job.Factors, code);
    ctx_.EndEdit();
}

bool FactorsPage::ValidateFactor(int index)
{
    const EntryBox* box = factorBox_[static_cast<std::size_t>(index)];
    const std::optional<Single> value = ReadBoxValue(box->text().toStdString(), kFactorRule);
    if (!value) {
        ctx_.interaction->Message(kFactorTitle, kFactorMessage, Interaction::Icon::None, Interaction::Buttons::Ok);
        ctx_.interaction->Beep();
        ctx_.RefreshAll(); // shows the stored value again
        return false;
    }
    ctx_.BeginEdit();
    FactorField(ctx_.session->job, index) = *value;
    ctx_.EndEdit();
    return true;
}

void FactorsPage::MoveFocusFrom(int index)
{
    if (index < 7) {
        factorBox_[static_cast<std::size_t>(index + 1)]->setFocus(Qt::TabFocusReason);
        return;
    }
    if (QAbstractButton* selected = codeGroup_->checkedButton())
        selected->setFocus(Qt::TabFocusReason);
}

} // namespace clv::ui
