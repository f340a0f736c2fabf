#pragma once

// The floating edit box laid over a table cell. The tables are read-only grids;
// a typed value goes into this box, which Enter commits and Escape abandons.
// Losing the focus commits too. The owner decides whether a commit is accepted:
// a refused value keeps the box open with its text.

#include <QLineEdit>

#include <functional>

namespace clv::ui {

class CellEditor : public QLineEdit {
    Q_OBJECT
public:
    explicit CellEditor(QWidget* parent);

    /** Opens over `cell`: with the cell's text all selected, or with a typed character and the caret after it. */
    void Open(const QRect& cell, Qt::Alignment alignment, const QString& text, bool selectAll);

    /** Hides the box without storing anything. */
    void Close();

    bool IsOpen() const { return open_; }

    /** Asks the owner to store the text; true when it was accepted (the owner closes the box). */
    bool CommitNow();

    /** Stores the text; false when refused. Set by the owner. */
    std::function<bool(const QString&)> Commit;
    /** Escape closed the box. Set by the owner, to take the focus back. */
    std::function<void()> Cancelled;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool open_ = false;
    bool committing_ = false;
};

} // namespace clv::ui
