#include "ui/tables/wedge_grid.h"

#include "ui/tables/result_text.h"

namespace clv::ui {

std::array<QString, 8> WedgeTexts(const WedgeResult& w)
{
    return {
        NumberText(w.ToeLevel, "#####0.00"),
        NumberText(w.BaseWidth, "######0.00"),
        // A tie-back wedge has no base, so no base angle.
        w.BaseWidth <= 0.0f ? QStringLiteral("-") : NumberText(w.BaseAngle, "######0"),
        NumberText(w.RearAngle, "######0"),
        NumberText(w.Disturbing, "######0.0"),
        NumberText(w.SoilRestore, "######0.0"),
        NumberText(w.ReinforcementRestore, "######0.0"),
        // 1001 marks a wedge whose forces are not numbers: it has no factor, which
        // ">100" (no reinforcement needed) would misreport.
        FactorDisplay(w.StabilityFactor),
    };
}

WedgeGrid::WedgeGrid(QWidget* parent)
    : ResultTable({{"Toe Level", 800},
                   {"Base Width", 800},
                   {"Base Angle", 800},
                   {"Rear Angle", 800},
                   {"Disturb", 800},
                   {"Soil Restore", 800},
                   {"RForce Restore", 800},
                   {"Stability Factor", 800}},
                  parent)
{
    setObjectName(QStringLiteral("WedgeGrid"));
    setAccessibleName(QStringLiteral("Wedges analysed"));
}

void WedgeGrid::Fill(const WedgeSearchResult& search)
{
    setRowCount(static_cast<int>(search.Wedges.size()));
    const QColor black(0, 0, 0);
    for (int row = 0; row < static_cast<int>(search.Wedges.size()); ++row) {
        const std::array<QString, 8> texts = WedgeTexts(search.Wedges[static_cast<std::size_t>(row)]);
        for (int c = 0; c < 8; ++c)
            SetCell(row, c, texts[static_cast<std::size_t>(c)], black);
    }
    if (search.Critical()) {
        setCurrentCell(search.CriticalWedge - 1, 0);
        scrollToItem(item(search.CriticalWedge - 1, 0));
    } else {
        setCurrentCell(-1, -1);
    }
    viewport()->update();
}

} // namespace clv::ui
