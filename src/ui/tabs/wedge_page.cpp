#include "ui/tabs/wedge_page.h"

#include "ui/engine_notices.h"
#include "ui/entry_box.h"
#include "ui/interaction.h"
#include "ui/tables/wedge_grid.h"

#include "analysis/wedge_settings.h"
#include "model/format.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace clv::ui {

namespace {

// Captions of the critical wedge's values, in the grid's column order.
const char* const kCritCaptions[8] = {"Toe Level",    "Base Width",   "Base Angle",     "Rear Angle",
                                      "Disturb",      "Soil Restore", "RForce Restore", "Stability Factor"};

std::string WedgeBoxText(const WedgeSettings& settings, int box)
{
    return Format(WedgeBoxValue(settings, static_cast<WedgeBox>(box)), box <= 2 ? "#####0.00" : "######0");
}

} // namespace

WedgePage::WedgePage(MainContext& ctx, QWidget* parent) : TabPage(ctx, parent)
{
    defaultCheck_ = new QCheckBox(QStringLiteral("Default wedge data"), this);
    defaultCheck_->setObjectName(QStringLiteral("WedgeDefaultCheck"));
    connect(defaultCheck_, &QCheckBox::clicked, this, [this](bool checked) {
        if (ctx_.Refreshing)
            return;
        ctx_.BeginEdit();
        SetWedgeUseDefaults(ctx_.session->job.Wedge, checked);
        ctx_.EndEdit();
    });

    auto* rangeBox = new QGroupBox(QStringLiteral("Wedge data"), this);
    auto* form = new QFormLayout(rangeBox);
    form->addRow(defaultCheck_);
    for (int i = 0; i < kWedgeBoxCount; ++i) {
        const QString label = QString::fromLatin1(WedgeBoxLabel(static_cast<WedgeBox>(i)));
        auto* box = new EntryBox(ctx_, label, rangeBox);
        box->setObjectName(QStringLiteral("WedgeText%1").arg(i));
        box->setAlignment(Qt::AlignRight);
        box->setMaximumWidth(90);
        box->Validate = [this, i] { return ValidateWedgeText(i); };
        box->EnterPressed = [this, i] {
            wedgeText_[static_cast<std::size_t>((i + 1) % kWedgeBoxCount)]->setFocus(Qt::TabFocusReason);
        };
        wedgeText_[static_cast<std::size_t>(i)] = box;
        auto* caption = new QLabel(label, rangeBox);
        caption->setBuddy(box);
        form->addRow(caption, box);
    }

    auto* critBox = new QGroupBox(QStringLiteral("Critical wedge details"), this);
    auto* critForm = new QFormLayout(critBox);
    for (int i = 0; i < 8; ++i) {
        auto* value = new QLabel(critBox);
        value->setObjectName(QStringLiteral("CritWedge%1").arg(i));
        value->setAccessibleName(QStringLiteral("Critical wedge ") + QString::fromLatin1(kCritCaptions[i]));
        value->setFrameShape(QFrame::StyledPanel);
        value->setMinimumWidth(70);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        critWedge_[static_cast<std::size_t>(i)] = value;
        auto* caption = new QLabel(QString::fromLatin1(kCritCaptions[i]), critBox);
        caption->setBuddy(value);
        critForm->addRow(caption, value);
    }

    wedgeGrid_ = new WedgeGrid(this);

    auto* left = new QVBoxLayout;
    left->addWidget(rangeBox);
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(critBox);
    // The hints go under the critical wedge, where the column has room for their
    // wrapped lines; under the eight boxes they would be cut off.
    for (const char* hint : {kWedgeTwoPartHint, kWedgeTieBackHint}) {
        auto* text = new QLabel(QString::fromLatin1(hint), this);
        text->setWordWrap(true);
        text->setMaximumWidth(240);
        middle->addWidget(text);
    }
    middle->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(middle);
    layout->addWidget(wedgeGrid_, 1);
}

void WedgePage::RefreshPage()
{
    JobSession& session = *ctx_.session;
    if (session.WedgeResultsStale)
        ctx_.analyses.Wedges(session.job, ctx_.table, ctx_.layers, NoticesAsMessages(ctx_.interaction));
    FillControls();
}

void WedgePage::FillControls()
{
    const WedgeSettings& settings = ctx_.session->job.Wedge;
    const bool defaults = IsSet(settings.UseDefaults);
    defaultCheck_->setChecked(defaults);
    for (int i = 0; i < kWedgeBoxCount; ++i) {
        EntryBox* box = wedgeText_[static_cast<std::size_t>(i)];
        box->ShowText(QString::fromStdString(WedgeBoxText(settings, i)));
        box->setEnabled(!defaults);
    }

    const WedgeSearchResult& search = ctx_.analyses.Results().wedges;
    wedgeGrid_->Fill(search);
    // Without a wedge (every rear plane misses the ground) there are no details to show.
    const WedgeResult* critical = search.Critical();
    const std::array<QString, 8> texts = critical ? WedgeTexts(*critical) : std::array<QString, 8>{};
    for (int i = 0; i < 8; ++i)
        critWedge_[static_cast<std::size_t>(i)]->setText(texts[static_cast<std::size_t>(i)]);
}

bool WedgePage::ValidateWedgeText(int index)
{
    EntryBox* box = wedgeText_[static_cast<std::size_t>(index)];
    WedgeSettings trial = ctx_.session->job.Wedge;
    const WedgeEntryOutcome outcome = EnterWedgeBox(trial, static_cast<WedgeBox>(index), box->text().toStdString());
    if (!outcome.Stored) {
        if (ctx_.interaction)
            ctx_.interaction->Message(QString::fromStdString(outcome.Title), QString::fromStdString(outcome.Message),
                                      Interaction::Icon::Exclamation, Interaction::Buttons::Ok);
        // Nothing was stored: the refresh shows the kept value again.
        if (ctx_.RefreshAll)
            ctx_.RefreshAll();
                return false;
    }
    ctx_.BeginEdit();
    ctx_.session->job.Wedge = trial;
    ctx_.EndEdit();
    return true;
}

bool WedgePage::CommitPendingEdit()
{
    for (EntryBox* box : wedgeText_) {
        if (box->hasFocus())
            return box->CommitIfEdited();
    }
    return true;
}

} // namespace clv::ui
