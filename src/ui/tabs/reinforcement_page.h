#pragma once

// Tab 2, "Reinforcement": the table of geogrid blocks with "Add" and "Delete".

#include "ui/tab_page.h"

#include <array>

class QPushButton;

namespace clv::ui {

class RForceTable;

class ReinforcementPage : public TabPage {
    Q_OBJECT
public:
    explicit ReinforcementPage(MainContext& ctx, QWidget* parent = nullptr);

    void RefreshPage() override;
    bool CommitPendingEdit() override;
    void LeavingPage() override;

    RForceTable* Table() const { return table_; }
    /** RForceBtn index: 0 "Add", 1 "Delete". */
    QPushButton* RForceBtn(int index) const { return rforceBtn_[static_cast<std::size_t>(index)]; }

private:
    void AddBlock();
    void DeleteCurrentBlock();

    RForceTable* table_ = nullptr;
    std::array<QPushButton*, 2> rforceBtn_{};
};

} // namespace clv::ui
