#pragma once

// What a user does on the input pages, in test form: type into a cell through
// its floating editor, type into a box and move on.

#include "ui/entry_box.h"
#include "ui/tables/cell_editor.h"
#include "ui/tables/data_table.h"

#include <QApplication>
#include <QTest>

#include <string>

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

/** The texts of a whole row joined by "|", to check a row in one comparison. */
inline std::string RowText(const DataTable* table, int row)
{
    QStringList texts;
    for (int col = 0; col < table->columnCount(); ++col)
        texts << CellText(table, row, col);
    return texts.join('|').toStdString();
}

/** The greyed cells of a row as "#", the others as ".". */
inline std::string GreyedMask(const DataTable* table, int row)
{
    std::string mask;
    for (int col = 0; col < table->columnCount(); ++col)
        mask += CellGreyed(table, row, col) ? '#' : '.';
    return mask;
}

/** Whether Enter on (row, col) opens the cell's editor. */
inline bool EnterOpensEditor(DataTable* table, int row, int col)
{
    ChooseCell(table, row, col);
    QTest::keyClick(table, Qt::Key_Return);
    return table->IsEditing();
}

/** Presses a key in a widget and lets what it starts run. */
inline void Press(QWidget* widget, Qt::Key key)
{
    QTest::keyClick(widget, key);
    QApplication::processEvents();
}

} // namespace clv::ui::test
