#include "ui/tables/slip_grid.h"

#include "ui/tables/result_text.h"

namespace clv::ui {

SlipGrid::SlipGrid(QWidget* parent)
    : ResultTable({{"X", 700},
                   {"Y", 700},
                   {"Radius", 700},
                   {"Disturbing", 900},
                   {"Soil Shear Restoring", 900},
                   {"Reinforcement Restoring", 1200},
                   {"Stabilty Factor", 700}},
                  parent)
{
    setObjectName(QStringLiteral("SlipGrid"));
    setAccessibleName(QStringLiteral("Slip circles analysed"));
}

void SlipGrid::Fill(const CircleSearchResult& search, Integer method)
{
    rowSlips_.clear();
    criticalRow_ = -1;
    for (std::size_t n = 0; n < search.Slips.size(); ++n) {
        if (!IsInvalidFactor(search.Slips[n].StabilityFactor))
            rowSlips_.push_back(static_cast<int>(n) + 1);
    }
    setRowCount(static_cast<int>(rowSlips_.size()));
    const bool forces = method == kJanbu;
    for (int row = 0; row < static_cast<int>(rowSlips_.size()); ++row) {
        const int number = rowSlips_[static_cast<std::size_t>(row)];
        const SlipResult& slip = search.Slips[static_cast<std::size_t>(number) - 1];
        const bool critical = number == search.CriticalSlip;
        if (critical)
            criticalRow_ = row;
        const QColor color = critical ? QColor(255, 0, 0) : QColor(0, 0, 0);
        SetCell(row, 0, NumberText(slip.CentreX, "#####0.00"), color);
        SetCell(row, 1, NumberText(slip.CentreY, "#####0.00"), color);
        SetCell(row, 2, NumberText(slip.Radius, "#####0.00"), color);
        SetCell(row, 3, NumberText(forces ? slip.DisturbingForce : slip.DisturbingMoment, "######0"), color);
        SetCell(row, 4, NumberText(forces ? slip.SoilForce : slip.SoilMoment, "######0"), color);
        SetCell(row, 5, NumberText(forces ? slip.ReinforcementForce : slip.ReinforcementMoment, "######0"), color);
        SetCell(row, 6, FactorDisplay(slip.StabilityFactor), color);
    }
    // Bring the red row into view: it is the one the engineer looks for.
    if (criticalRow_ >= 0)
        scrollToItem(item(criticalRow_, 0), QAbstractItemView::PositionAtCenter);
}

} // namespace clv::ui
