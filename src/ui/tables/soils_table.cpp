#include "ui/tables/soils_table.h"

#include <algorithm>

namespace clv::ui {

namespace {

/** A description as shown and stored: leading blanks dropped (the fixed-length field pads the end). */
std::string WithoutLeadingBlanks(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

} // namespace

SoilsTable::SoilsTable(MainContext& ctx, QWidget* parent)
    : DataTable(ctx, TableKind::Soils, "Soils table", parent)
{
    setObjectName("SoilsGrid");
    SetColumns({{"Description", 2000},
                {"Density\nkN/m3", 800},
                {"Phi\nDegrees", 800},
                {"Cohesion\nkN/m2", 800},
                {"Ru\nRatio", 800},
                {"Suction\nm", 800}},
               true);
    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int row, int col, int, int) { OnCurrentCellChanged(row, col); });
}

void SoilsTable::Fill()
{
    const Job& job = ctx_.session->job;
    const int soils = job.SoilCount();
    PrepareRows(soils + 1);
    for (int k = 1; k <= soils; ++k) {
        const SoilRecord& soil = job.Soil(k);
        const int row = k - 1;
        SetCell(row, 0, QString::fromStdString(WithoutLeadingBlanks(soil.Description.Trimmed())));
        SetCell(row, 1, FormatCell(soil.Density, "#####0.00"));
        SetCell(row, 2, FormatCell(soil.Phi, "######0"));
        SetCell(row, 3, FormatCell(soil.Cohesion, "######0"));
        SetCell(row, 4, FormatCell(soil.Ru, "#####0.00"));
        SetCell(row, 5, FormatCell(soil.Suction, "#####0.00"));
    }
    SetCell(soils, 0, "Water");
    SetCell(soils, 1, FormatCell(job.Header.WaterUnitWeight, "#####0.00"));
    for (int col = 2; col <= 5; ++col)
        SetCell(soils, col, QString(), true);
    const int current = std::clamp(ctx_.session->CurrentSoil, 1, soils + 1);
    setCurrentCell(current - 1, std::clamp(lastColumn_, 0, columnCount() - 1));
}

std::optional<CellRule> SoilsTable::RuleAt(int row, int col) const
{
    const int soils = ctx_.session->job.SoilCount();
    if (row < soils)
        return CellRuleFor(TableKind::Soils, col);
    if (row == soils && col == 1) // the unit weight of water
        return CellRuleFor(TableKind::Soils, col);
    return std::nullopt;
}

void SoilsTable::Store(int row, int col, const CellValue& value)
{
    Job& job = ctx_.session->job;
    ctx_.BeginEdit();
    if (row == job.SoilCount()) {
        job.Header.WaterUnitWeight = value.Number;
    } else {
        SoilRecord& soil = job.Soil(row + 1);
        switch (col) {
        case 0: soil.Description.Assign(WithoutLeadingBlanks(value.Text)); break;
        case 1: soil.Density = value.Number; break;
        case 2: soil.Phi = value.Number; break;
        case 3: soil.Cohesion = value.Number; break;
        case 4: soil.Ru = value.Number; break;
        default: soil.Suction = value.Number; break;
        }
    }
    ctx_.EndEdit();
}

void SoilsTable::OnCurrentCellChanged(int row, int col)
{
    if (ctx_.Refreshing || row < 0)
        return;
    if (col >= 0)
        lastColumn_ = col;
    const int item = row + 1;
    if (item == ctx_.session->CurrentSoil)
        return;
    // The points table, the buttons and the drawing all follow the current item.
    ctx_.session->CurrentSoil = item;
    ctx_.RefreshAll();
}

} // namespace clv::ui
