#pragma once

// A text box of the input tabs. Typing marks the entry as edited (TextEdited in
// the main context); getting the focus selects the whole text and clears the
// mark; losing the focus after an edit runs the box's validation, and a refused
// value brings the focus back. Enter moves the focus on and is swallowed.

#include "ui/main_context.h"

#include <QLineEdit>

#include <functional>

namespace clv::ui {

class EntryBox : public QLineEdit {
    Q_OBJECT
public:
    EntryBox(MainContext& ctx, const QString& accessibleName, QWidget* parent = nullptr);

    /** Reads and stores the text; false when refused (the validation has told the user). */
    std::function<bool()> Validate;
    /** Enter was pressed: move the focus on. */
    std::function<void()> EnterPressed;

    /** Validates now when the text was typed into since the box got the focus; false when refused. */
    bool CommitIfEdited();

    /** Shows a value without it counting as typed. */
    void ShowText(const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool RunValidation();

    MainContext& ctx_;
    bool validating_ = false;
};

} // namespace clv::ui
