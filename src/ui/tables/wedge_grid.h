#pragma once

// WedgeGrid: every two-part wedge of the wedge search, in generation order.

#include "ui/tables/result_table.h"

#include "analysis/wedges.h"

#include <array>

namespace clv::ui {

class WedgeGrid : public ResultTable {
    Q_OBJECT
public:
    explicit WedgeGrid(QWidget* parent = nullptr);

    /** Lists the wedges and makes the critical wedge's row current (no current row without wedges). */
    void Fill(const WedgeSearchResult& search);
};

/**
 * The eight texts of one wedge, in the grid's column order: toe level, base
 * width, base angle ("-" without a base), rear angle, the three forces and the
 * stability factor ("Invalid" when the wedge has no result).
 */
std::array<QString, 8> WedgeTexts(const WedgeResult& wedge);

} // namespace clv::ui
