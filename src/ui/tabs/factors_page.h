#pragma once

// Tab 3, "Partial factors": the design code, the eight partial factors it sets
// (typed only for custom values) and the two seismic acceleration factors.

#include "ui/tab_page.h"

#include <array>

class QButtonGroup;
class QRadioButton;

namespace clv::ui {

class EntryBox;

class FactorsPage : public TabPage {
    Q_OBJECT
public:
    explicit FactorsPage(MainContext& ctx, QWidget* parent = nullptr);

    void RefreshPage() override;
    bool CommitPendingEdit() override;

    static constexpr int kFactorBoxCount = 10; // 0..7 partial factors, 8 vertical, 9 lateral acceleration

    EntryBox* FactorBox(int index) const { return factorBox_[static_cast<std::size_t>(index)]; }
    QRadioButton* CodeOption(int code) const { return codeOption_[static_cast<std::size_t>(code)]; }

private:
    void ChooseCode(int code);
    bool ValidateFactor(int index);
    void MoveFocusFrom(int index);

    std::array<EntryBox*, kFactorBoxCount> factorBox_{};
    std::array<QRadioButton*, 6> codeOption_{};
    QButtonGroup* codeGroup_ = nullptr;
};

} // namespace clv::ui
