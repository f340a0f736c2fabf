#pragma once

// "Slip circle analysis": the method of slices and the search settings, the
// circle search run at every refresh of the tab once the job has changed, and
// its results (the critical factor and every valid circle).

#include "ui/tab_page.h"

#include <array>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace clv::ui {

class EntryBox;
class SliceSpin;
class SlipGrid;

class CirclePage : public TabPage {
    Q_OBJECT
public:
    explicit CirclePage(MainContext& ctx, QWidget* parent = nullptr);

    void RefreshPage() override;
    bool CommitPendingEdit() override;

    // The controls, by their roles (tests drive them as a user would).
    QRadioButton* MethodOpt(int i) const { return methodOpt_[static_cast<std::size_t>(i)]; }
    QLabel* SliceLable() const { return sliceLable_; }
    SliceSpin* Spin() const { return sliceSpin_; }
    QCheckBox* SlipCheck(int i) const { return slipCheck_[static_cast<std::size_t>(i)]; }
    QCheckBox* ShowFOSCheck() const { return showFOSCheck_; }
    EntryBox* SlipBox(int i) const { return slipBox_[static_cast<std::size_t>(i)]; }
    QLabel* CritFOS() const { return critFOS_; }
    SlipGrid* Grid() const { return slipGrid_; }
    QPushButton* DefineFxBtn() const { return defineFxBtn_; }

private:
    void BuildControls();
    void MethodClicked(int index);
    void SliceStep(int direction);
    void SlipCheckClicked(int index, bool checked);
    bool ValidateSlipBox(int index);
    void FillControls();

    std::array<QRadioButton*, 5> methodOpt_{};
    QButtonGroup* methodGroup_ = nullptr;
    QPushButton* defineFxBtn_ = nullptr;
    QLabel* sliceLable_ = nullptr;
    SliceSpin* sliceSpin_ = nullptr;
    std::array<QCheckBox*, 2> slipCheck_{};
    QCheckBox* showFOSCheck_ = nullptr;
    std::array<EntryBox*, 12> slipBox_{};
    QLabel* critFOS_ = nullptr;
    SlipGrid* slipGrid_ = nullptr;
};

} // namespace clv::ui
