#pragma once

// "Soils": one row per soil with its strength parameters, then the "Water" row
// whose only entry is the unit weight of water. The current row is the current
// item of the geometry tab (CurrentSoil): choosing a row, by mouse or keyboard,
// makes it current and refreshes, so the points table follows it.

#include "ui/tables/data_table.h"

namespace clv::ui {

class SoilsTable : public DataTable {
    Q_OBJECT
public:
    explicit SoilsTable(MainContext& ctx, QWidget* parent = nullptr);

    /** Fills the rows from the job and puts the current cell on (CurrentSoil, the last column chosen). */
    void Fill();

protected:
    std::optional<CellRule> RuleAt(int row, int col) const override;
    void Store(int row, int col, const CellValue& value) override;

private:
    void OnCurrentCellChanged(int row, int col);

    int lastColumn_ = 0;
};

} // namespace clv::ui
