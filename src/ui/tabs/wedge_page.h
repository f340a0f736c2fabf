#pragma once

// "Wedge analysis": the ranges of the two-part wedge search, the search run at
// every refresh of the tab once the job has changed, every wedge and the
// details of the critical one.

#include "ui/tab_page.h"

#include <array>

class QCheckBox;
class QLabel;

namespace clv::ui {

class EntryBox;
class WedgeGrid;

class WedgePage : public TabPage {
    Q_OBJECT
public:
    explicit WedgePage(MainContext& ctx, QWidget* parent = nullptr);

    void RefreshPage() override;
    bool CommitPendingEdit() override;

    QCheckBox* WedgeDefaultCheck() const { return defaultCheck_; }
    EntryBox* WedgeText(int i) const { return wedgeText_[static_cast<std::size_t>(i)]; }
    QLabel* CritWedge(int i) const { return critWedge_[static_cast<std::size_t>(i)]; }
    WedgeGrid* Grid() const { return wedgeGrid_; }

private:
    bool ValidateWedgeText(int index);
    void FillControls();

    QCheckBox* defaultCheck_ = nullptr;
    std::array<EntryBox*, 8> wedgeText_{};
    std::array<QLabel*, 8> critWedge_{};
    WedgeGrid* wedgeGrid_ = nullptr;
};

} // namespace clv::ui
