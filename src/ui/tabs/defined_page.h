#pragma once

// "Defined surface": the points of a slip surface of any shape, typed or
// edited in the table, and its stability factor by Janbu's method.

#include "ui/tab_page.h"

#include <array>

class QLabel;
class QPushButton;

namespace clv::ui {

class EntryBox;
class PointsTable;

class DefinedPage : public TabPage {
    Q_OBJECT
public:
    explicit DefinedPage(MainContext& ctx, QWidget* parent = nullptr);

    void RefreshPage() override;
    bool CommitPendingEdit() override;
    void LeavingPage() override;

    PointsTable* UserPointsGrid() const { return points_; }
    EntryBox* PointBox(int i) const { return pointBox_[static_cast<std::size_t>(i)]; } // 0: X, 1: Y
    QPushButton* UserPointsBtn(int i) const { return userPointsBtn_[static_cast<std::size_t>(i)]; }
    QLabel* UserCrit(int i) const { return userCrit_[static_cast<std::size_t>(i)]; }

private:
    void AddTypedPoint();
    void DeletePoint();

    PointsTable* points_ = nullptr;
    std::array<EntryBox*, 2> pointBox_{};
    std::array<QPushButton*, 3> userPointsBtn_{};
    std::array<QLabel*, 4> userCrit_{};
};

} // namespace clv::ui
