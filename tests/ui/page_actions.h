#pragma once

// What a user does on the input pages, in test form: type into a cell through
// its floating editor, type into a box and move on.

#include "ui/entry_box.h"
#include "ui/tables/cell_editor.h"
#include "ui/tables/data_table.h"

#include <QApplication>
#include <QTest>

namespace clv::ui::test {

/** Puts the current cell on (row, col) as a click would. */
inline void ChooseCell(DataTable* table, int row, int col)
{
    table->setFocus(Qt::MouseFocusReason);
    table->setCurrentCell(row, col);
    QApplication::processEvents();
}

/** Opens the editor on (row, col) with Enter and types `text` over the cell's text; the editor stays open. */
inline void TypeInCell(DataTable* table, int row, int col, const QString& text)
{
    ChooseCell(table, row, col);
    QTest::keyClick(table, Qt::Key_Return);
    CellEditor* editor = table->Editor();
    if (text.isEmpty())
        QTest::keyClick(editor, Qt::Key_Backspace); // the whole text is selected
    else
        QTest::keyClicks(editor, text);
}

/** Types into a cell and presses Enter. */
inline void EnterCell(DataTable* table, int row, int col, const QString& text)
{
    TypeInCell(table, row, col, text);
    QTest::keyClick(table->Editor(), Qt::Key_Return);
    QApplication::processEvents();
}

/** Gives a box the focus, types `text` over its contents and leaves it open. */
inline void TypeInBox(EntryBox* box, const QString& text)
{
    box->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents(); // the whole text is selected once the focus has arrived
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    else
        QTest::keyClicks(box, text);
}

inline QString CellText(const DataTable* table, int row, int col)
{
    const QTableWidgetItem* item = table->item(row, col);
    return item ? item->text() : QString("<no item>");
}

inline bool CellGreyed(const DataTable* table, int row, int col)
{
    const QTableWidgetItem* item = table->item(row, col);
    return item && item->background().color() != QColor(Qt::white);
}

} // namespace clv::ui::test
