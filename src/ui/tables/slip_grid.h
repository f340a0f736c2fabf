#pragma once

// SlipGrid: one row per valid trial circle of the circle search, the critical
// circle's row in red.

#include "ui/tables/result_table.h"

#include "analysis/circle_search.h"

namespace clv::ui {

class SlipGrid : public ResultTable {
    Q_OBJECT
public:
    explicit SlipGrid(QWidget* parent = nullptr);

    /**
     * Lists the slips with a valid factor, in slip order. The force columns hold
     * the moments, or the forces for Janbu's method (a force equilibrium).
     */
    void Fill(const CircleSearchResult& search, Integer method);

    /** The row of the critical slip, -1 when it is not listed. */
    int CriticalRow() const { return criticalRow_; }

    /** The slip number (1-based) shown on each row. */
    const std::vector<int>& RowSlips() const { return rowSlips_; }

private:
    int criticalRow_ = -1;
    std::vector<int> rowSlips_;
};

} // namespace clv::ui
