#include "ui/tables/rforce_table.h"

namespace clv::ui {

RForceTable::RForceTable(MainContext& ctx, QWidget* parent)
    : DataTable(ctx, TableKind::RForce, "Reinforcement table", parent)
{
    setObjectName("RForceGrid");
    SetColumns({{"Description", 2400},
                {"Strength kN/m", 800},
                {"Length", 800},
                {"Friction coeficient", 800},
                {"Vertical spacing", 800},
                {"Height of block", 800},
                {"Base of block", 800}},
               true);
}

void RForceTable::Fill()
{
    const Job& job = ctx_.session->job;
    PrepareRows(job.ReinforcementCount());
    for (int row = 0; row < job.ReinforcementCount(); ++row) {
        const ReinforcementBlock& block = job.Reinforcement[static_cast<std::size_t>(row)];
        SetCell(row, 0, QString::fromStdString(block.Description.Trimmed()));
        SetCell(row, 1, FormatCell(block.Strength, "####0.0"));
        SetCell(row, 2, FormatCell(block.Length, "#####0.0"));
        SetCell(row, 3, FormatCell(block.FrictionCoefficient, "####0.00"));
        SetCell(row, 4, FormatCell(block.VerticalSpacing, "####0.00"));
        SetCell(row, 5, FormatCell(block.BlockHeight, "####0.00"));
        SetCell(row, 6, FormatCell(block.BlockBase, "####0.00"));
    }
    ClampCurrentRow();
}

std::optional<CellRule> RForceTable::RuleAt(int row, int col) const
{
    if (row < 0 || row >= ctx_.session->job.ReinforcementCount())
        return std::nullopt;
    return CellRuleFor(TableKind::RForce, col);
}

void RForceTable::Store(int row, int col, const CellValue& value)
{
    Job& job = ctx_.session->job;
    ctx_.BeginEdit();
    ReinforcementBlock& block = job.Reinforcement[static_cast<std::size_t>(row)];
    const float v = value.Number;
    switch (col) {
    case 0: block.Description.Assign(value.Text); break;
    case 1: block.Strength = v; break;
    case 2: block.Length = v; break;
    case 3: block.FrictionCoefficient = v; break;
    case 4: block.VerticalSpacing = v; break;
    case 5: block.BlockHeight = v; break;
    default: block.BlockBase = v; break;
    }
    ctx_.EndEdit();
}

} // namespace clv::ui
