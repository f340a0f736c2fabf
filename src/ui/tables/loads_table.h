#pragma once

// "Loads": one row per load. What a row shows and which of its cells can be
// edited depend on the load type; the cells a type does not use are greyed.

#include "ui/tables/data_table.h"

namespace clv::ui {

class LoadsTable : public DataTable {
    Q_OBJECT
public:
    explicit LoadsTable(MainContext& ctx, QWidget* parent = nullptr);

    /** Fills the rows from the job; the current row stays, kept within the rows there are. */
    void Fill();

    /** The caption of a load type in the first column. */
    static QString TypeCaption(int loadType);

protected:
    std::optional<CellRule> RuleAt(int row, int col) const override;
    void Store(int row, int col, const CellValue& value) override;
};

} // namespace clv::ui
