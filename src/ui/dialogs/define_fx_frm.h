#pragma once

// The interslice force function of the rigorous method: eleven values of f(x)
// across the slip width, typed or filled with the parallel or half-sine preset.
// Nothing reaches the job until OK.

#include "ui/main_context.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace clv::ui {

class DefineFxFrm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kValueCount = 11;

    DefineFxFrm(const std::array<Single, kValueCount>& fx, QWidget* parent = nullptr);

    /** The boxes read as OK stores them: the leading number, to the nearest thousandth (halves to even). */
    std::array<Single, kValueCount> Values() const;

    QLineEdit* FactorBox(int i) const { return factorBox_[static_cast<std::size_t>(i)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void SetParallel();
    void SetHalfSine();

    std::array<QLineEdit*, kValueCount> factorBox_{};
};

/**
 * Shows the editor modally. OK stores the eleven values; either way the slip
 * circle results are out of date afterwards and the window is refreshed.
 * Returns true when OK stored the values.
 */
bool OpenDefineFxDialog(MainContext& ctx, QWidget* parent);

} // namespace clv::ui
