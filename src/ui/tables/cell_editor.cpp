#include "ui/tables/cell_editor.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace clv::ui {

CellEditor::CellEditor(QWidget* parent) : QLineEdit(parent)
{
    setObjectName("GText");
    setAccessibleName("Cell entry");
    setFrame(false);
    hide();
}

void CellEditor::Open(const QRect& cell, Qt::Alignment alignment, const QString& text, bool selectAll)
{
    setGeometry(cell);
    setAlignment(alignment | Qt::AlignVCenter);
    setText(text);
    if (selectAll)
        this->selectAll();
    else
        setCursorPosition(static_cast<int>(text.size()));
    open_ = true;
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void CellEditor::Close()
{
    if (!open_)
        return;
    open_ = false; // first, so the focus leaving the hidden box commits nothing
    hide();
}

bool CellEditor::CommitNow()
{
    if (!open_ || committing_ || !Commit)
        return !open_;
    committing_ = true;
    const bool accepted = Commit(text());
    committing_ = false;
    return accepted;
}

void CellEditor::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CommitNow();
        event->accept();
        return;
    case Qt::Key_Escape:
        Close();
        if (Cancelled)
            Cancelled();
        event->accept();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void CellEditor::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (open_)
        CommitNow();
}

} // namespace clv::ui
