#pragma once

// Tab 0, "Geometry, soils and water": the soils table with the water row, the
// points of the current soil or of the water surface, and the buttons that add
// and delete soils and points. The current item (CurrentSoil) is the soils
// table's current row.

#include "ui/tab_page.h"

#include <array>

class QPushButton;

namespace clv::ui {

class EntryBox;
class PointsTable;
class SoilsTable;

class SoilsPage : public TabPage {
    Q_OBJECT
public:
    explicit SoilsPage(MainContext& ctx, QWidget* parent = nullptr);

    void RefreshPage() override;
    bool CommitPendingEdit() override;
    void LeavingPage() override;

    // The soil buttons, by their index: 0 "Add default soil", 1 "Soils generator",
    // 2 "Delete soil", 3 "Peizometric grid", 4 "Delete point", 5 "Add point", 6 "Pick points".
    enum SoilButton { kAddDefaultSoil, kSoilsGenerator, kDeleteSoil, kPiezometricGrid, kDeletePoint, kAddPoint,
                      kPickPoints, kSoilButtonCount };

    SoilsTable* Soils() const { return soils_; }
    PointsTable* Points() const { return points_; }
    QPushButton* SoilBtn(int index) const { return soilBtn_[static_cast<std::size_t>(index)]; }
    QPushButton* InsertBtn() const { return insertBtn_; }
    QPushButton* DeleteBtn() const { return deleteBtn_; }
    QPushButton* SoilGeneratorBtn() const { return soilGeneratorBtn_; }
    EntryBox* PointBox(int index) const { return pointBox_[static_cast<std::size_t>(index)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddDefaultSoil();
    void DeleteHighlightedSoil(); // "Delete soil" beside the table
    void DeleteCurrentSoil();     // "Delete soil" among the soil buttons
    void AddTypedPoint();
    void DeleteSelectedPoint();
    void PickPoints();
    void RemoveSoil(int soil);

    SoilsTable* soils_ = nullptr;
    PointsTable* points_ = nullptr;
    QPushButton* insertBtn_ = nullptr;
    QPushButton* deleteBtn_ = nullptr;
    QPushButton* soilGeneratorBtn_ = nullptr;
    std::array<QPushButton*, kSoilButtonCount> soilBtn_{};
    std::array<EntryBox*, 2> pointBox_{};
};

} // namespace clv::ui
