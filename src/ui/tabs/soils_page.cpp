#include "ui/tabs/soils_page.h"

#include "model/format.h"
#include "ui/dialogs/piezo_frm.h"
#include "ui/dialogs/soil_gen_frm.h"
#include "ui/editing/point_edits.h"
#include "ui/entry_box.h"
#include "ui/interaction.h"
#include "ui/tables/cell_editor.h"
#include "ui/tables/points_table.h"
#include "ui/tables/soils_table.h"
#include "ui/validation.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace clv::ui {

namespace {

const char* const kProgramTitle = "Dalk Clivora";

QPushButton* Button(const QString& caption, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    return button;
}

} // namespace

SoilsPage::SoilsPage(MainContext& ctx, QWidget* parent) : TabPage(ctx, parent)
{
    setObjectName("SoilsPage");
    soils_ = new SoilsTable(ctx, this);
    points_ = new PointsTable(ctx, TableKind::Points, this);

    // Beside the soils table.
    insertBtn_ = Button("Add soil", "InsertBtn", this);
    deleteBtn_ = Button("Delete soil", "DeleteBtn", this);
    soilGeneratorBtn_ = Button("Soil Generator", "SoilGeneratorBtn", this);
    deleteBtn_->setAccessibleDescription("Deletes the soil highlighted in the soils table");

    const char* captions[kSoilButtonCount] = {"Add default soil", "Soils generator", "Delete soil",
                                              "Peizometric grid", "Delete point", "Add point", "Pick points"};
    for (int i = 0; i < kSoilButtonCount; ++i)
        soilBtn_[static_cast<std::size_t>(i)] = Button(captions[i], QString("SoilBtn%1").arg(i), this);
    soilBtn_[kDeleteSoil]->setAccessibleDescription("Deletes the current soil and its points");

    pointBox_[0] = new EntryBox(ctx, "New point X (m)", this);
    pointBox_[1] = new EntryBox(ctx, "New point Y (m)", this);
    for (int i = 0; i < 2; ++i) {
        EntryBox* box = pointBox_[static_cast<std::size_t>(i)];
        box->setObjectName(QString("PointBox%1").arg(i));
        box->setAlignment(Qt::AlignRight);
        box->setMaximumWidth(100);
        // The boxes only tidy their text; "Add point" reads and checks them.
        box->Validate = [box] {
            box->ShowText(QString::fromStdString(Format(ReadNumber(box->text().toStdString()), "#####0.00")));
            return true;
        };
    }
    pointBox_[0]->EnterPressed = [this] { pointBox_[1]->setFocus(Qt::TabFocusReason); };
    pointBox_[1]->EnterPressed = [this] { soilBtn_[kAddPoint]->setFocus(Qt::TabFocusReason); };

    // Layout: soils on the left, points on the right.
    auto* soilsGroup = new QGroupBox("Soils", this);
    auto* sideButtons = new QVBoxLayout;
    sideButtons->addWidget(insertBtn_);
    sideButtons->addWidget(deleteBtn_);
    sideButtons->addWidget(soilGeneratorBtn_);
    sideButtons->addStretch();
    auto* tableRow = new QHBoxLayout;
    tableRow->addWidget(soils_);
    tableRow->addLayout(sideButtons);
    auto* soilButtons = new QHBoxLayout;
    for (int i : {kAddDefaultSoil, kSoilsGenerator, kDeleteSoil, kPiezometricGrid})
        soilButtons->addWidget(soilBtn_[static_cast<std::size_t>(i)]);
    soilButtons->addStretch();
    auto* soilsLayout = new QVBoxLayout(soilsGroup);
    soilsLayout->addLayout(tableRow, 1);
    soilsLayout->addLayout(soilButtons);

    auto* pointsGroup = new QGroupBox("Points", this);
    auto* pointsLayout = new QVBoxLayout(pointsGroup);
    pointsLayout->addWidget(points_, 1);
    auto* entry = new QGridLayout;
    auto* xLabel = new QLabel("X (m)", pointsGroup);
    auto* yLabel = new QLabel("Y (m)", pointsGroup);
    xLabel->setBuddy(pointBox_[0]);
    yLabel->setBuddy(pointBox_[1]);
    entry->addWidget(xLabel, 0, 0);
    entry->addWidget(pointBox_[0], 0, 1);
    entry->addWidget(yLabel, 1, 0);
    entry->addWidget(pointBox_[1], 1, 1);
    entry->setColumnStretch(2, 1);
    pointsLayout->addLayout(entry);
    auto* pointButtons = new QHBoxLayout;
    for (int i : {kAddPoint, kDeletePoint, kPickPoints})
        pointButtons->addWidget(soilBtn_[static_cast<std::size_t>(i)]);
    pointsLayout->addLayout(pointButtons);

    auto* page = new QHBoxLayout(this);
    page->addWidget(soilsGroup);
    page->addWidget(pointsGroup);
    page->addStretch();

    connect(insertBtn_, &QPushButton::clicked, this, [this] { AddDefaultSoil(); });
    connect(soilBtn_[kAddDefaultSoil], &QPushButton::clicked, this, [this] { AddDefaultSoil(); });
    connect(deleteBtn_, &QPushButton::clicked, this, [this] { DeleteHighlightedSoil(); });
    connect(soilBtn_[kDeleteSoil], &QPushButton::clicked, this, [this] { DeleteCurrentSoil(); });
    connect(soilGeneratorBtn_, &QPushButton::clicked, this, [this] { OpenSoilGenerator(ctx_, this); });
    connect(soilBtn_[kSoilsGenerator], &QPushButton::clicked, this, [this] { OpenSoilGenerator(ctx_, this); });
    connect(soilBtn_[kPiezometricGrid], &QPushButton::clicked, this, [this] { OpenPiezoDialog(ctx_, this); });
    connect(soilBtn_[kAddPoint], &QPushButton::clicked, this, [this] { AddTypedPoint(); });
    connect(soilBtn_[kDeletePoint], &QPushButton::clicked, this, [this] { DeleteSelectedPoint(); });
    connect(soilBtn_[kPickPoints], &QPushButton::clicked, this, [this] { PickPoints(); });

    // A delete button taking the focus puts away a refused cell value first.
    deleteBtn_->installEventFilter(this);
    soilBtn_[kDeleteSoil]->installEventFilter(this);
}

bool SoilsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && (watched == deleteBtn_ || watched == soilBtn_[kDeleteSoil]))
        soils_->CancelEdit();
    return TabPage::eventFilter(watched, event);
}

void SoilsPage::RefreshPage()
{
    JobSession& session = *ctx_.session;
    const int soils = session.job.SoilCount();
    session.CurrentSoil = std::clamp(session.CurrentSoil, 1, soils + 1);
    soilBtn_[kDeleteSoil]->setEnabled(soils > 0);
    deleteBtn_->setEnabled(soils > 0);
    soils_->Fill();
    points_->Fill();
}

bool SoilsPage::CommitPendingEdit()
{
    if (soils_->IsEditing())
        return soils_->CommitEdit();
    if (points_->IsEditing())
        return points_->CommitEdit();
    for (EntryBox* box : pointBox_)
        if (box->hasFocus())
            return box->CommitIfEdited();
    return true;
}

void SoilsPage::LeavingPage()
{
    soils_->CancelEdit();
    points_->CancelEdit();
}

void SoilsPage::AddDefaultSoil()
{
    Job& job = ctx_.session->job;
    if (job.SoilCount() >= 32767)
        return;
    ctx_.BeginEdit();
    SoilRecord soil;
    const int n = job.SoilCount() + 1;
    soil.Description.Assign("Soil " + Format(n, "###0"));
    soil.Density = 20.0f;
    soil.Phi = 30.0f;
    job.Soils.push_back(soil);
    ctx_.EndEdit();
}

void SoilsPage::RemoveSoil(int soil)
{
    Job& job = ctx_.session->job;
    ctx_.BeginEdit();
    job.Soils.erase(job.Soils.begin() + (soil - 1));
    ctx_.EndEdit();
}

void SoilsPage::DeleteHighlightedSoil()
{
    const int soil = soils_->CurrentItem();
    if (soil < 1 || soil > ctx_.session->job.SoilCount())
        return; // the water row or nothing highlighted: no soil to delete
    // Cancel is the default: Enter alone never deletes a soil and its points.
    const auto answer = ctx_.interaction->Message(kProgramTitle, "Delete highlighted\rproject soil strata ?",
                                                  Interaction::Icon::Question, Interaction::Buttons::OkCancel,
                                                  Interaction::Answer::Cancel);
    if (answer != Interaction::Answer::Ok)
        return;
    RemoveSoil(soil);
}

void SoilsPage::DeleteCurrentSoil()
{
    const int soil = ctx_.session->CurrentSoil;
    if (soil < 1 || soil > ctx_.session->job.SoilCount())
        return;
    const auto answer = ctx_.interaction->Message("Confirm delete of soil",
                                                  "Confirm delete of soil and associated geometry?",
                                                  Interaction::Icon::Question, Interaction::Buttons::OkCancel);
    if (answer != Interaction::Answer::Ok)
        return;
    // The current item stays on a soil: the next one up when the last went.
    ctx_.session->CurrentSoil = std::max(1, std::min(soil, ctx_.session->job.SoilCount() - 1));
    RemoveSoil(soil);
}

void SoilsPage::AddTypedPoint()
{
    const double x = RoundHalfEven(ReadNumber(pointBox_[0]->text().toStdString()), 2);
    const double y = RoundHalfEven(ReadNumber(pointBox_[1]->text().toStdString()), 2);
    if (!PointCoordinateAllowed(x) || !PointCoordinateAllowed(y)) {
        ctx_.interaction->Message(kProgramTitle, kPointLimitsMessage, Interaction::Icon::Information,
                                  Interaction::Buttons::Ok);
        return;
    }
    Job& job = ctx_.session->job;
    const int item = std::clamp(ctx_.session->CurrentSoil, 1, job.SoilCount() + 1);
    if (ItemFull(job, item) || ItemPointCount(job, item) < 0) {
        ctx_.interaction->Message(kProgramTitle,
                                  item > job.SoilCount() ? kWaterPointsFullMessage : kSoilPointsFullMessage,
                                  Interaction::Icon::Information, Interaction::Buttons::Ok);
        return;
    }
    ctx_.BeginEdit();
    AppendSurfacePoint(job, item, static_cast<Single>(x), static_cast<Single>(y));
    ctx_.EndEdit();
}

void SoilsPage::PickPoints()
{
    if (!ctx_.StartEditMode)
        return;
    // Soil points for a soil, water points for the water row, under the soil prompt either way.
    const bool water = ctx_.session->CurrentSoil > ctx_.session->job.SoilCount();
    // Starting to pick counts as working on the job: leaving asks about saving.
    ctx_.session->JobModified = true;
    ctx_.StartEditMode(water ? 2 : 1, 1);
}

void SoilsPage::DeleteSelectedPoint()
{
    Job& job = ctx_.session->job;
    const int item = points_->ShownItem();
    const int j = points_->CurrentItem();
    if (item < 1 || item > job.SoilCount() + 1)
        return;
    const bool water = item > job.SoilCount();
    const int count = water ? job.Water.PointCount : job.Soil(item).PointCount;
    if (j < 1 || j > count)
        return; // no point, or no row of one, selected: nothing to delete
    ctx_.BeginEdit();
    DeleteSurfacePoint(job, PointRef{water ? 0 : item, j});
    ctx_.EndEdit();
}

} // namespace clv::ui
