#pragma once

// "RForce": one row per block of geogrid reinforcement layers.

#include "ui/tables/data_table.h"

namespace clv::ui {

class RForceTable : public DataTable {
    Q_OBJECT
public:
    explicit RForceTable(MainContext& ctx, QWidget* parent = nullptr);

    /** Fills the rows from the job; the current row stays, kept within the rows there are. */
    void Fill();

protected:
    std::optional<CellRule> RuleAt(int row, int col) const override;
    void Store(int row, int col, const CellValue& value) override;
};

} // namespace clv::ui
