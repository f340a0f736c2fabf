#include "ui/tables/points_table.h"

#include "model/point_order.h"

#include <algorithm>

namespace clv::ui {

PointsTable::PointsTable(MainContext& ctx, TableKind kind, QWidget* parent)
    : DataTable(ctx, kind, kind == TableKind::UserPoints ? "Slip surface points table" : "Points table", parent)
{
    setObjectName(kind == TableKind::UserPoints ? "UserPointsGrid" : "PointsGrid");
    SetColumns({{"X (m)", 800}, {"Y (m)", 800}}, false);
}

int PointsTable::PointCount() const
{
    const Job& job = ctx_.session->job;
    if (Kind() == TableKind::UserPoints)
        return job.UserPointCount();
    if (item_ >= 1 && item_ <= job.SoilCount())
        return std::clamp<int>(job.Soil(item_).PointCount, 0, SoilRecord::kMaxPoints);
    return std::clamp<int>(job.Water.PointCount, 0, WaterSurface::kMaxPoints);
}

void PointsTable::Fill()
{
    const Job& job = ctx_.session->job;
    item_ = std::clamp(ctx_.session->CurrentSoil, 1, job.SoilCount() + 1);
    const int count = PointCount();
    PrepareRows(count, Kind() == TableKind::UserPoints ? 0 : item_);
    const char* pattern = Kind() == TableKind::UserPoints ? "#####0.00" : "######0.00";
    for (int j = 1; j <= count; ++j) {
        float x, y;
        if (Kind() == TableKind::UserPoints) {
            x = job.UserPoints[static_cast<std::size_t>(j - 1)].X;
            y = job.UserPoints[static_cast<std::size_t>(j - 1)].Y;
        } else if (item_ <= job.SoilCount()) {
            x = job.Soil(item_).X[static_cast<std::size_t>(j)];
            y = job.Soil(item_).Y[static_cast<std::size_t>(j)];
        } else {
            x = job.Water.X[static_cast<std::size_t>(j)];
            y = job.Water.Y[static_cast<std::size_t>(j)];
        }
        SetCell(j - 1, 0, FormatCell(x, pattern));
        SetCell(j - 1, 1, FormatCell(y, pattern));
    }
    ClampCurrentRow();
}

std::optional<CellRule> PointsTable::RuleAt(int row, int col) const
{
    if (row < 0 || row >= PointCount())
        return std::nullopt;
    return CellRuleFor(Kind(), col);
}

void PointsTable::Store(int row, int col, const CellValue& value)
{
    Job& job = ctx_.session->job;
    const auto j = static_cast<std::size_t>(row + 1);
    ctx_.BeginEdit();
    if (Kind() == TableKind::UserPoints) {
        UserPoint& p = job.UserPoints[j - 1];
        (col == 0 ? p.X : p.Y) = value.Number;
        SortUserPoints(job);
    } else {
        if (item_ <= job.SoilCount())
            (col == 0 ? job.Soil(item_).X : job.Soil(item_).Y)[j] = value.Number;
        else
            (col == 0 ? job.Water.X : job.Water.Y)[j] = value.Number;
        SortItemPoints(job, item_);
    }
    ctx_.EndEdit();
}

} // namespace clv::ui
