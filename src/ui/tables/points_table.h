#pragma once

// "Points" (the surface points of the current soil or of the water surface) and
// "UserPoints" (the points of a defined slip surface): X and Y of each point.
// A typed coordinate is stored and the points are put back in order of x.

#include "ui/tables/data_table.h"

namespace clv::ui {

class PointsTable : public DataTable {
    Q_OBJECT
public:
    /** `kind` is TableKind::Points or TableKind::UserPoints. */
    PointsTable(MainContext& ctx, TableKind kind, QWidget* parent = nullptr);

    /** Fills the rows: for Points, those of the current item (CurrentSoil). */
    void Fill();

    /** The item whose points are shown: 1..SoilCount a soil, SoilCount + 1 the water (Points only). */
    int ShownItem() const { return item_; }

protected:
    std::optional<CellRule> RuleAt(int row, int col) const override;
    void Store(int row, int col, const CellValue& value) override;

private:
    int PointCount() const;

    int item_ = 1;
};

} // namespace clv::ui
