#include "ui/tabs/circle_page.h"

#include "ui/dialogs/define_fx_frm.h"
#include "ui/engine_notices.h"
#include "ui/entry_box.h"
#include "ui/interaction.h"
#include "ui/slip_box_entry.h"
#include "ui/tables/result_text.h"
#include "ui/tables/slip_grid.h"
#include "ui/tabs/slice_spin.h"

#include "model/format.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace clv::ui {

namespace {

const char* const kMethodCaptions[5] = {
    "Fellenius (Swedish method of slices)", "Bishop simplified (Moment equilibrium)",
    "BS8006 ULS (Bishop with X=1.25)",      "Janbu simplified (Force equilibrium)",
    "Rigorous solution",
};

// Slice counts the up-down control keeps to.
constexpr Integer kFewestSlices = 5;
constexpr Integer kMostSlices = 50;

// The boxes whose values the automatic slip geometry overwrites at every search.
bool IsGeneratedBox(int box) { return box <= kCommonLevelBox; }

} // namespace

CirclePage::CirclePage(MainContext& ctx, QWidget* parent) : TabPage(ctx, parent)
{
    BuildControls();
}

void CirclePage::BuildControls()
{
    // Method of slices.
    auto* methodBox = new QGroupBox(QStringLiteral("Method of analysis"), this);
    auto* methodLayout = new QVBoxLayout(methodBox);
    methodGroup_ = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(kMethodCaptions[i]), methodBox);
        option->setObjectName(QStringLiteral("MethodOpt%1").arg(i));
        methodGroup_->addButton(option, i);
        methodLayout->addWidget(option);
        methodOpt_[static_cast<std::size_t>(i)] = option;
    }
    defineFxBtn_ = new QPushButton(QStringLiteral("Define f(x)"), methodBox);
    defineFxBtn_->setObjectName(QStringLiteral("DefineFxBtn"));
    connect(defineFxBtn_, &QPushButton::clicked, this, [this] { OpenDefineFxDialog(ctx_, this); });
    methodLayout->addWidget(defineFxBtn_);
    connect(methodGroup_, &QButtonGroup::idClicked, this, &CirclePage::MethodClicked);

    auto* sliceRow = new QHBoxLayout;
    auto* sliceCaption = new QLabel(QStringLiteral("Minimum number of slices"), this);
    sliceLable_ = new QLabel(this);
    sliceLable_->setObjectName(QStringLiteral("SliceLable"));
    sliceLable_->setAccessibleName(QStringLiteral("Minimum number of slices"));
    sliceLable_->setMinimumWidth(28);
    sliceLable_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sliceLable_->setFrameShape(QFrame::StyledPanel);
    sliceSpin_ = new SliceSpin(this);
    connect(sliceSpin_, &SliceSpin::stepped, this, &CirclePage::SliceStep);
    sliceRow->addWidget(sliceCaption);
    sliceRow->addWidget(sliceLable_);
    sliceRow->addWidget(sliceSpin_);
    sliceRow->addStretch();

    slipCheck_[0] = new QCheckBox(QStringLiteral("Generate slip geometry automatically"), this);
    slipCheck_[1] = new QCheckBox(QStringLiteral("Automatically extend grid"), this);
    for (int i = 0; i < 2; ++i) {
        slipCheck_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("SlipCheck%1").arg(i));
        connect(slipCheck_[static_cast<std::size_t>(i)], &QCheckBox::clicked, this,
                [this, i](bool checked) { SlipCheckClicked(i, checked); });
    }
    showFOSCheck_ = new QCheckBox(QStringLiteral("Show stability factors on grid"), this);
    showFOSCheck_->setObjectName(QStringLiteral("ShowFOSCheck"));
    connect(showFOSCheck_, &QCheckBox::clicked, this, [this](bool checked) {
        if (ctx_.Refreshing)
            return;
        ctx_.ShowFactorsOnGrid = checked;
        if (ctx_.RefreshAll)
            ctx_.RefreshAll();
    });

    auto* left = new QVBoxLayout;
    left->addWidget(methodBox);
    left->addLayout(sliceRow);
    left->addWidget(slipCheck_[0]);
    left->addWidget(slipCheck_[1]);
    left->addWidget(showFOSCheck_);
    left->addStretch();

    // The search boxes: grid of centres, common points, depths.
    for (int i = 0; i < kSlipBoxCount; ++i) {
        auto* box = new EntryBox(ctx_, QString::fromLatin1(SlipBoxLabel(i)), this);
        box->setObjectName(QStringLiteral("SlipBox%1").arg(i));
        box->setAlignment(Qt::AlignRight);
        box->setMaximumWidth(90);
        box->Validate = [this, i] { return ValidateSlipBox(i); };
        box->EnterPressed = [this, i] { slipBox_[static_cast<std::size_t>((i + 1) % kSlipBoxCount)]->setFocus(Qt::TabFocusReason); };
        slipBox_[static_cast<std::size_t>(i)] = box;
    }
    auto addRows = [this](QFormLayout* form, int first, int last, const QString& group) {
        for (int i = first; i <= last; ++i) {
            auto* label = new QLabel(QString::fromLatin1(SlipBoxLabel(i)), this);
            label->setBuddy(slipBox_[static_cast<std::size_t>(i)]);
            slipBox_[static_cast<std::size_t>(i)]->setAccessibleName(group + QString::fromLatin1(SlipBoxLabel(i)));
            form->addRow(label, slipBox_[static_cast<std::size_t>(i)]);
        }
    };
    auto* gridBox = new QGroupBox(QStringLiteral("Grid of circle centres"), this);
    auto* gridForm = new QFormLayout(gridBox);
    addRows(gridForm, 0, 5, QStringLiteral("Grid of circle centres, "));
    auto* commonBox = new QGroupBox(QStringLiteral("Common points"), this);
    auto* commonForm = new QFormLayout(commonBox);
    addRows(commonForm, 6, 9, QStringLiteral("Common points, "));
    auto* note = new QLabel(QStringLiteral("Enter a specific Y value or clear the box for surface points."), commonBox);
    note->setWordWrap(true);
    // A form row does not grow for a wrapped label: give it its two lines.
    note->setMinimumHeight(2 * note->fontMetrics().lineSpacing() + 4);
    commonForm->addRow(note);
    auto* depthForm = new QFormLayout;
    addRows(depthForm, 10, 11, QString());

    auto* middle = new QVBoxLayout;
    middle->addWidget(gridBox);
    middle->addWidget(commonBox);
    middle->addStretch();
    // The depths sit under the check boxes: the tab is only as tall as the space
    // above the drawing, and the common points' note needs its two lines.
    left->insertLayout(left->count() - 1, depthForm);

    // Results.
    auto* critRow = new QHBoxLayout;
    auto* critCaption = new QLabel(QStringLiteral("Critical circle stability factor"), this);
    critFOS_ = new QLabel(this);
    critFOS_->setObjectName(QStringLiteral("CritFOS"));
    critFOS_->setAccessibleName(QStringLiteral("Critical circle stability factor"));
    critFOS_->setFrameShape(QFrame::StyledPanel);
    critFOS_->setMinimumWidth(60);
    critFOS_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    critCaption->setBuddy(critFOS_);
    critRow->addWidget(critCaption);
    critRow->addWidget(critFOS_);
    critRow->addStretch();
    slipGrid_ = new SlipGrid(this);
    auto* right = new QVBoxLayout;
    right->addLayout(critRow);
    right->addWidget(slipGrid_, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(middle);
    layout->addLayout(right, 1);
}

void CirclePage::RefreshPage()
{
    JobSession& session = *ctx_.session;
    if (session.SlipResultsStale)
        ctx_.analyses.Circles(session.job, ctx_.table, ctx_.layers, NoticesAsMessages(ctx_.interaction));
    FillControls();
}

void CirclePage::FillControls()
{
    const Job& job = ctx_.session->job;
    const SlipSettings& slip = job.Slip;
    const Integer method = slip.Method;
    if (method >= 0 && method < 5) {
        methodOpt_[static_cast<std::size_t>(method)]->setChecked(true);
    } else {
        // A method no option stands for: none is shown chosen.
        methodGroup_->setExclusive(false);
        for (QRadioButton* option : methodOpt_)
            option->setChecked(false);
        methodGroup_->setExclusive(true);
    }
    sliceLable_->setText(QString::fromStdString(Format(slip.MinSlices, "#####0")));
    const bool automatic = IsSet(slip.AutoGenerate);
    slipCheck_[0]->setChecked(automatic);
    slipCheck_[1]->setChecked(IsSet(slip.AutoExtendGrid));
    // While the geometry is generated, the search overwrites these values at every
    // refresh: a typed value would vanish, so they are shown but not editable.
    slipCheck_[1]->setEnabled(!automatic);
    showFOSCheck_->setChecked(ctx_.ShowFactorsOnGrid);
    for (int i = 0; i < kSlipBoxCount; ++i) {
        EntryBox* box = slipBox_[static_cast<std::size_t>(i)];
        box->ShowText(QString::fromStdString(SlipBoxText(slip, i)));
        box->setEnabled(!(automatic && IsGeneratedBox(i)));
    }

    const CircleSearchResult& search = ctx_.analyses.Results().circles;
    const SlipResult* critical = search.Critical();
    critFOS_->setText(critical ? FactorDisplay(critical->StabilityFactor) : QStringLiteral("Invalid"));
    slipGrid_->Fill(search, method);
}

void CirclePage::MethodClicked(int index)
{
    if (ctx_.Refreshing)
        return;
    ctx_.BeginEdit();
    ctx_.session->job.Slip.Method = static_cast<Integer>(index);
    ctx_.EndEdit();
}

void CirclePage::SliceStep(int direction)
{
    if (ctx_.Refreshing)
        return;
    const Integer count = ctx_.session->job.Slip.MinSlices;
    // At a limit nothing happens: no change, no refresh.
    if (direction < 0 && !(count >= kFewestSlices + 1))
        return;
    if (direction > 0 && !(count < kMostSlices))
        return;
    ctx_.BeginEdit();
    ctx_.session->job.Slip.MinSlices = static_cast<Integer>(count + (direction < 0 ? -1 : 1));
    ctx_.EndEdit();
}

void CirclePage::SlipCheckClicked(int index, bool checked)
{
    if (ctx_.Refreshing)
        return;
    ctx_.BeginEdit();
    SlipSettings& slip = ctx_.session->job.Slip;
    (index == 0 ? slip.AutoGenerate : slip.AutoExtendGrid) = ToFlag(checked);
    ctx_.EndEdit();
}

bool CirclePage::ValidateSlipBox(int index)
{
    EntryBox* box = slipBox_[static_cast<std::size_t>(index)];
    SlipSettings trial = ctx_.session->job.Slip;
    const SlipEntryOutcome outcome = EnterSlipBox(trial, index, box->text().toStdString());
    if (outcome.Beep && ctx_.interaction)
        ctx_.interaction->Beep();
    if (!outcome.Stored) {
        if (ctx_.interaction)
            ctx_.interaction->Message(QString::fromLatin1(kSlipValidationTitle), QString::fromStdString(outcome.Message),
                                      Interaction::Icon::None, Interaction::Buttons::Ok);
                return false;
    }
    ctx_.BeginEdit();
    ctx_.session->job.Slip = trial;
    ctx_.EndEdit();
    return true;
}

bool CirclePage::CommitPendingEdit()
{
    for (EntryBox* box : slipBox_) {
        if (box->hasFocus())
            return box->CommitIfEdited();
    }
    return true;
}

} // namespace clv::ui
