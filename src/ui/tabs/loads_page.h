#pragma once

// Tab 1, "Loads and anchors": the loads table and the buttons that add a load
// of each type with its defaults, or delete the load on the current row.

#include "ui/tab_page.h"

#include <array>

class QPushButton;

namespace clv::ui {

class LoadsTable;

class LoadsPage : public TabPage {
    Q_OBJECT
public:
    explicit LoadsPage(MainContext& ctx, QWidget* parent = nullptr);

    void RefreshPage() override;
    bool CommitPendingEdit() override;
    void LeavingPage() override;

    // LoadsBtn index: 0..3 add a load of that type, 4 deletes.
    static constexpr int kDeleteButton = 4;

    LoadsTable* Table() const { return table_; }
    QPushButton* LoadsBtn(int index) const { return loadsBtn_[static_cast<std::size_t>(index)]; }

private:
    void AddLoad(int loadType);
    void DeleteCurrentLoad();

    LoadsTable* table_ = nullptr;
    std::array<QPushButton*, 5> loadsBtn_{};
};

} // namespace clv::ui
