#include "ui/entry_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace clv::ui {

EntryBox::EntryBox(MainContext& ctx, const QString& accessibleName, QWidget* parent)
    : QLineEdit(parent), ctx_(ctx)
{
    setAccessibleName(accessibleName);
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (!ctx_.Refreshing)
            ctx_.TextEdited = true;
    });
}

void EntryBox::ShowText(const QString& text)
{
    if (this->text() != text)
        setText(text);
}

bool EntryBox::RunValidation()
{
    if (validating_ || !Validate)
        return true;
    validating_ = true;
    // Cleared first: the refusal's message box takes the focus away again.
    ctx_.TextEdited = false;
    const bool accepted = Validate();
    validating_ = false;
    if (!accepted) {
        // Back to the box once the focus change under way has finished.
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                setFocus(Qt::OtherFocusReason);
        });
    }
    return accepted;
}

bool EntryBox::CommitIfEdited()
{
    if (!ctx_.TextEdited)
        return true;
    return RunValidation();
}

void EntryBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    ctx_.TextEdited = false;
    // After the mouse press has placed the caret, so the selection stays.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            selectAll();
    });
}

void EntryBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A menu opening or another window coming to the front leaves the box where
    // it is; a File command commits it explicitly.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (ctx_.TextEdited)
        RunValidation();
}

void EntryBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (EnterPressed)
            EnterPressed();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace clv::ui
