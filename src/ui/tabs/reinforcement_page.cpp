#include "ui/tabs/reinforcement_page.h"

#include "ground/section_table.h"
#include "ui/tables/rforce_table.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace clv::ui {

namespace {

/**
 * The level a new block starts at: the ground surface far out on the left, at
 * x = -100, usually the toe level. Without a ground surface there is no level
 * to take, and the block starts at 0.
 */
Single NewBlockBase(const Job& job)
{
    if (job.SoilCount() < 1 || job.Soil(1).PointCount < 1)
        return 0.0f;
    const SectionTable table = BuildSectionTable(job);
    const float level = SurfaceLevel(table, 1, -100.0f);
    return std::isfinite(level) ? level : 0.0f;
}

} // namespace

ReinforcementPage::ReinforcementPage(MainContext& ctx, QWidget* parent) : TabPage(ctx, parent)
{
    setObjectName("ReinforcementPage");
    table_ = new RForceTable(ctx, this);
    const char* captions[2] = {"Add", "Delete"};
    const char* names[2] = {"Add reinforcement block", "Delete reinforcement block"};
    auto* buttons = new QVBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(captions[i], this);
        button->setObjectName(QString("RForceBtn%1").arg(i));
        button->setAccessibleName(names[i]);
        rforceBtn_[static_cast<std::size_t>(i)] = button;
        buttons->addWidget(button);
    }
    buttons->addStretch();
    connect(rforceBtn_[0], &QPushButton::clicked, this, [this] { AddBlock(); });
    connect(rforceBtn_[1], &QPushButton::clicked, this, [this] { DeleteCurrentBlock(); });

    auto* page = new QHBoxLayout(this);
    page->addWidget(table_);
    page->addLayout(buttons);
    page->addStretch();
}

void ReinforcementPage::RefreshPage() { table_->Fill(); }

bool ReinforcementPage::CommitPendingEdit() { return table_->CommitEdit(); }

void ReinforcementPage::LeavingPage() { table_->CancelEdit(); }

void ReinforcementPage::AddBlock()
{
    Job& job = ctx_.session->job;
    if (job.ReinforcementCount() >= 32767)
        return;
    ReinforcementBlock block;
    block.Description.Assign("Geogrids");
    block.Strength = 30.0f;
    block.Length = 10.0f;
    block.FrictionCoefficient = 0.7f;
    block.NailAngle = 0.0f;
    block.NailSpacing = 2.0f;
    block.VerticalSpacing = 0.4f;
    block.BlockHeight = 4.0f;
    block.BlockBase = NewBlockBase(job);
    ctx_.BeginEdit();
    job.Reinforcement.push_back(block);
    ctx_.EndEdit(); // the refresh rebuilds the reinforcement layers
}

void ReinforcementPage::DeleteCurrentBlock()
{
    Job& job = ctx_.session->job;
    const int block = table_->CurrentItem();
    if (block < 1 || block > job.ReinforcementCount())
        return;
    ctx_.BeginEdit();
    job.Reinforcement.erase(job.Reinforcement.begin() + (block - 1));
    ctx_.EndEdit();
}

} // namespace clv::ui
