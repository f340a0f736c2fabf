#include "ui/tabs/defined_page.h"

#include "ui/engine_notices.h"
#include "ui/entry_box.h"
#include "ui/interaction.h"
#include "ui/tables/points_table.h"
#include "ui/tables/result_text.h"
#include "ui/validation.h"

#include "model/format.h"
#include "model/point_order.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace clv::ui {

namespace {

const char* const kResultCaptions[4] = {"Disturbing", "Restoring  due to soil shear", "Restoring reinforcement",
                                        "Stability factor"};

} // namespace

DefinedPage::DefinedPage(MainContext& ctx, QWidget* parent) : TabPage(ctx, parent)
{
    points_ = new PointsTable(ctx_, TableKind::UserPoints, this);

    pointBox_[0] = new EntryBox(ctx_, QStringLiteral("New slip surface point X (m)"), this);
    pointBox_[1] = new EntryBox(ctx_, QStringLiteral("New slip surface point Y (m)"), this);
    for (int i = 0; i < 2; ++i) {
        EntryBox* box = pointBox_[static_cast<std::size_t>(i)];
        box->setObjectName(QStringLiteral("PointBox%1").arg(i + 2));
        box->setAlignment(Qt::AlignRight);
        box->setMaximumWidth(100);
        // The boxes only tidy their text; "Add point" reads and checks them.
        box->Validate = [box] {
            box->ShowText(QString::fromStdString(Format(ReadNumber(box->text().toStdString()), "#####0.00")));
            return true;
        };
    }
    const char* captions[3] = {"Add point", "Delete point", "Pick points"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(captions[i]), this);
        button->setObjectName(QStringLiteral("UserPointsBtn%1").arg(i));
        userPointsBtn_[static_cast<std::size_t>(i)] = button;
    }
    connect(userPointsBtn_[0], &QPushButton::clicked, this, &DefinedPage::AddTypedPoint);
    connect(userPointsBtn_[1], &QPushButton::clicked, this, &DefinedPage::DeletePoint);
    connect(userPointsBtn_[2], &QPushButton::clicked, this, [this] {
        if (ctx_.StartEditMode)
            ctx_.StartEditMode(6, 0);
    });
    pointBox_[0]->EnterPressed = [this] { pointBox_[1]->setFocus(Qt::TabFocusReason); };
    pointBox_[1]->EnterPressed = [this] { userPointsBtn_[0]->setFocus(Qt::TabFocusReason); };

    auto* pointsGroup = new QGroupBox(QStringLiteral("Points on defined failure surface"), this);
    auto* entry = new QFormLayout;
    auto* xCaption = new QLabel(QStringLiteral("X (m)"), pointsGroup);
    auto* yCaption = new QLabel(QStringLiteral("Y (m)"), pointsGroup);
    xCaption->setBuddy(pointBox_[0]);
    yCaption->setBuddy(pointBox_[1]);
    entry->addRow(xCaption, pointBox_[0]);
    entry->addRow(yCaption, pointBox_[1]);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : userPointsBtn_)
        buttons->addWidget(button);
    buttons->addStretch();
    auto* pointsLayout = new QVBoxLayout(pointsGroup);
    pointsLayout->addWidget(points_, 1);
    pointsLayout->addLayout(entry);
    pointsLayout->addLayout(buttons);

    auto* resultsGroup = new QGroupBox(QStringLiteral("Results"), this);
    auto* resultsForm = new QFormLayout(resultsGroup);
    for (int i = 0; i < 4; ++i) {
        auto* value = new QLabel(resultsGroup);
        value->setObjectName(QStringLiteral("UserCrit%1").arg(i));
        value->setAccessibleName(QString::fromLatin1(kResultCaptions[i]));
        value->setFrameShape(QFrame::StyledPanel);
        value->setMinimumWidth(80);
        value->setMaximumWidth(120);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* caption = new QLabel(QString::fromLatin1(kResultCaptions[i]), resultsGroup);
        caption->setBuddy(value);
        resultsForm->addRow(caption, value);
        userCrit_[static_cast<std::size_t>(i)] = value;
    }
    auto* note = new QLabel(QStringLiteral("The method of analysis used is Janbu simplified (horizontal equilibrium)"),
                            resultsGroup);
    note->setWordWrap(true);
    resultsForm->addRow(note);

    auto* right = new QVBoxLayout;
    right->addWidget(resultsGroup);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(pointsGroup);
    layout->addLayout(right);
    layout->addStretch(1);
}

void DefinedPage::RefreshPage()
{
    JobSession& session = *ctx_.session;
    if (session.DefinedResultsStale)
        ctx_.analyses.Defined(session.job, ctx_.table, ctx_.layers, NoticesAsMessages(ctx_.interaction));
    points_->Fill();

    const SlipResult& slip = ctx_.analyses.Results().defined.Slip;
    userCrit_[0]->setText(NumberText(slip.DisturbingForce, "######0.0"));
    userCrit_[1]->setText(NumberText(slip.SoilForce, "######0.0"));
    userCrit_[2]->setText(NumberText(slip.ReinforcementForce, "######0.0"));
    userCrit_[3]->setText(FactorDisplay(slip.StabilityFactor, "N/A"));
}

void DefinedPage::AddTypedPoint()
{
    const double x = RoundHalfEven(ReadNumber(pointBox_[0]->text().toStdString()), 2);
    const double y = RoundHalfEven(ReadNumber(pointBox_[1]->text().toStdString()), 2);
    if (!PointCoordinateAllowed(x) || !PointCoordinateAllowed(y)) {
        if (ctx_.interaction)
            ctx_.interaction->Message(QString::fromLatin1(kEngineNoticeTitle), QString::fromLatin1(kPointLimitsMessage),
                                      Interaction::Icon::Information, Interaction::Buttons::Ok);
        return;
    }
    ctx_.BeginEdit();
    AppendUserPoint(ctx_.session->job, static_cast<Single>(x), static_cast<Single>(y));
    ctx_.EndEdit();
}

void DefinedPage::DeletePoint()
{
    if (ctx_.StartEditMode)
        ctx_.StartEditMode(0, 0); // picking points ends here
    // Only a row that holds a point: a second click cannot drop another one unseen.
    const int row = points_->CurrentItem();
    Job& job = ctx_.session->job;
    if (row < 1 || row > job.UserPointCount())
        return;
    points_->CancelEdit();
    ctx_.BeginEdit();
    job.UserPoints.erase(job.UserPoints.begin() + (row - 1));
    ctx_.EndEdit();
}

bool DefinedPage::CommitPendingEdit()
{
    if (points_->IsEditing())
        return points_->CommitEdit();
    for (EntryBox* box : pointBox_) {
        if (box->hasFocus())
            return box->CommitIfEdited();
    }
    return true;
}

void DefinedPage::LeavingPage() { points_->CancelEdit(); }

} // namespace clv::ui
