#pragma once

// The view controls beside the drawing: the "Zoom commands" buttons (ViewBtn),
// the "Grid" frame (Show grid, Snap to grid, the grid increment box ViewBox)
// and the display check boxes of the drawing (ViewCheck 2..8).

#include "ui/main_context.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace clv::ui {

class SpicWidget;

class ViewControls : public QWidget {
    Q_OBJECT
public:
    ViewControls(MainContext& ctx, SpicWidget& spic, QWidget* parent = nullptr);

    /** Fills the boxes from the job and the buttons' enabled state from the view (inside the refresh). */
    void RefreshControls();

    /**
     * Validates a grid increment typed but not yet committed (before a File
     * command or closing). false: refused, the user was told.
     */
    bool CommitPendingEdit();

    QPushButton* ViewBtn(int index) const { return buttons_[static_cast<std::size_t>(index)]; }
    QCheckBox* ViewCheck(int index) const { return checks_[static_cast<std::size_t>(index)]; }
    QLineEdit* ViewBox() const { return box_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CheckClicked(int index, bool ticked);
    bool CommitGridIncrement();
    void RefreshButtons();

    MainContext& ctx_;
    SpicWidget& spic_;
    std::array<QPushButton*, 6> buttons_{};
    std::array<QCheckBox*, 9> checks_{};
    QLineEdit* box_ = nullptr;
    bool committing_ = false;
};

} // namespace clv::ui
