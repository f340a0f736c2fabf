#include "ui/tabs/loads_page.h"

#include "ui/tables/loads_table.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace clv::ui {

namespace {

/** Where new loads go: the crest of the ground surface and the level of its first point. */
struct ReferencePoint {
    Single CrestX = 0.0f;
    Single CrestY = 0.0f;
    Single FirstY = 0.0f;
};

std::optional<ReferencePoint> GroundReference(const Job& job)
{
    if (job.SoilCount() < 1 || job.Soil(1).PointCount < 1)
        return std::nullopt;
    const SoilRecord& ground = job.Soil(1);
    ReferencePoint ref;
    ref.CrestX = ground.X[1];
    ref.CrestY = ground.Y[1];
    ref.FirstY = ground.Y[1];
    const int points = std::min<int>(ground.PointCount, SoilRecord::kMaxPoints);
    for (int j = 2; j <= points; ++j) // the first of equally high points is the crest
        if (ground.Y[static_cast<std::size_t>(j)] > ref.CrestY) {
            ref.CrestX = ground.X[static_cast<std::size_t>(j)];
            ref.CrestY = ground.Y[static_cast<std::size_t>(j)];
        }
    return ref;
}

LoadRecord NewLoad(const Job& job, int loadType)
{
    const std::optional<ReferencePoint> ref = GroundReference(job);
    const Single crestX = ref ? ref->CrestX : 0.0f;
    LoadRecord load;
    load.LoadType = static_cast<Integer>(loadType);
    switch (loadType) {
    case kSurcharge:
        load.Value = 10.0f;
        load.XMin = crestX;
        load.XMax = ref ? crestX + 20.0f : 10.0f;
        break;
    case kLineLoad:
    case kLateralLoad:
        load.Value = 100.0f;
        load.XMin = load.XMax = crestX;
        break;
    default: { // anchor: a row of anchors is added one metre apart with the same geometry
        load.Value = 100.0f;
        const LoadRecord* previous = job.Loads.empty() ? nullptr : &job.Loads.back();
        if (previous && previous->LoadType == kAnchor) {
            load.Y = previous->Y + 1.0f;
            load.Angle = previous->Angle;
            load.FreeLength = previous->FreeLength;
            load.FixedLength = previous->FixedLength;
        } else {
            load.Angle = 30.0f;
            load.FreeLength = 5.0f;
            load.FixedLength = 8.0f;
            load.Y = ref ? (ref->FirstY + ref->CrestY) / 2.0f : 0.0f;
        }
        return load;
    }
    }
    load.Y = kNoLevel;
    load.Angle = load.FreeLength = load.FixedLength = 0.0f;
    return load;
}

} // namespace

LoadsPage::LoadsPage(MainContext& ctx, QWidget* parent) : TabPage(ctx, parent)
{
    setObjectName("LoadsPage");
    table_ = new LoadsTable(ctx, this);
    const char* captions[5] = {"Add surcharge", "Add line load", "Add lateral load", "Add anchor", "Delete"};
    auto* buttons = new QVBoxLayout;
    for (int i = 0; i < 5; ++i) {
        auto* button = new QPushButton(captions[i], this);
        button->setObjectName(QString("LoadsBtn%1").arg(i));
        button->setAccessibleName(captions[i]);
        loadsBtn_[static_cast<std::size_t>(i)] = button;
        buttons->addWidget(button);
        if (i < kDeleteButton)
            connect(button, &QPushButton::clicked, this, [this, i] { AddLoad(i); });
    }
    loadsBtn_[kDeleteButton]->setAccessibleDescription("Deletes the load on the current row");
    connect(loadsBtn_[kDeleteButton], &QPushButton::clicked, this, [this] { DeleteCurrentLoad(); });
    buttons->addStretch();

    auto* page = new QHBoxLayout(this);
    page->addWidget(table_);
    page->addLayout(buttons);
    page->addStretch();
}

void LoadsPage::RefreshPage() { table_->Fill(); }

bool LoadsPage::CommitPendingEdit() { return table_->CommitEdit(); }

void LoadsPage::LeavingPage() { table_->CancelEdit(); }

void LoadsPage::AddLoad(int loadType)
{
    Job& job = ctx_.session->job;
    if (job.LoadCount() >= 32767)
        return;
    ctx_.BeginEdit();
    job.Loads.push_back(NewLoad(job, loadType));
    ctx_.EndEdit();
}

void LoadsPage::DeleteCurrentLoad()
{
    Job& job = ctx_.session->job;
    const int load = table_->CurrentItem();
    if (load < 1 || load > job.LoadCount())
        return;
    ctx_.BeginEdit();
    job.Loads.erase(job.Loads.begin() + (load - 1));
    ctx_.EndEdit();
}

} // namespace clv::ui
