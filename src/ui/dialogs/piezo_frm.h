#pragma once

// The piezometric grid editor: the extent and spacing of the grid, the
// piezometric elevation typed at each node, and the switch that lets the pore
// pressures use the grid. Every change is written to the job at once, through
// the window's edit bracket (undo step, modified, refresh).

#include "model/piezo_grid.h"
#include "ui/main_context.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QTableWidget;

namespace clv::ui {

class PiezoFrm : public QDialog {
    Q_OBJECT
public:
    PiezoFrm(MainContext& ctx, QWidget* parent = nullptr);

    /**
     * Closing by any means: an entry still open in the cell editor is committed
     * first (a refused entry keeps the window open); then a grid with empty cells,
     * or whose nodes no longer match the limits, is switched off with a warning.
     */
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadLimitBoxes();
    void LoadPiezoGrid();
    void LimitEdited(PiezoLimit limit);
    void ResetGrid();
    void EnableClicked(bool checked);

    bool IsElevationCell(int row, int column) const;
    /** Opens the cell editor on the current cell; `typed` starts the text, otherwise the cell's text is selected. */
    void StartCellEdit(const QString& typed);
    /** Stores the editor's text in its cell. false when the value was refused (the user was told). */
    bool CommitCellEdit();
    void HideCellEditor();

    MainContext& ctx_;
    std::array<QLineEdit*, 6> limitBox_{}; // in PiezoLimit order
    QTableWidget* piezoGrid_ = nullptr;
    QLineEdit* gText_ = nullptr;           // the floating cell editor
    QCheckBox* enableGridCheck_ = nullptr;
    int editRow_ = -1;
    int editCol_ = -1;
    bool loading_ = false;
};

/** Shows the piezometric grid editor modally. */
void OpenPiezoDialog(MainContext& ctx, QWidget* parent);

} // namespace clv::ui
