#pragma once

// The common part of the input tables: a read-only grid with one heading row,
// filled from the job at every refresh, whose cells are typed into through one
// floating editor (Enter or a typed character starts it, a double click counts as
// Enter). Each table kind says which cells can be edited, with what rule, and
// where an accepted value goes.

#include "ui/main_context.h"
#include "ui/validation.h"

#include <QTableWidget>

#include <optional>
#include <vector>

namespace clv::ui {

class CellEditor;

class DataTable : public QTableWidget {
    Q_OBJECT
public:
    struct Column {
        QString Heading; // a line break makes a two-line heading
        int Twips;
    };

    DataTable(MainContext& ctx, TableKind kind, const QString& accessibleName, QWidget* parent = nullptr);

    TableKind Kind() const { return kind_; }

    /** Headings and widths, set once. The first column is a text column when `firstColumnText`. */
    void SetColumns(const std::vector<Column>& columns, bool firstColumnText);

    /**
     * Sets the number of rows before a refill. `content` names what the rows show
     * (the item whose points are listed, say): when it or the row count changes,
     * an editor left open by a refused value would now stand over another
     * record, so it is put away unstored.
     */
    void PrepareRows(int rows, int content = 0);

    /** Fills one cell. A greyed cell has the heading colour and cannot be edited. */
    void SetCell(int row, int col, const QString& text, bool greyed = false);

    /** Keeps the current row within the rows there are (none when the table is empty). */
    void ClampCurrentRow();

    /** The current row as an item number 1..rows, or 0 when there is none. */
    int CurrentItem() const;

    /** Starts editing the current cell when it can be edited; `typed` empty means the Enter key. */
    void StartCellEdit(const QString& typed = {});

    bool IsEditing() const;
    /** Commits an open editor; false when its value was refused (the editor stays open). */
    bool CommitEdit();
    /** Hides an open editor without storing. */
    void CancelEdit();

    CellEditor* Editor() const { return editor_; }

protected:
    /** The rule of a cell, or nothing when it cannot be edited (rows and columns 0-based). */
    virtual std::optional<CellRule> RuleAt(int row, int col) const = 0;
    /** Writes an accepted value into the job (through the context's edit bracket). */
    virtual void Store(int row, int col, const CellValue& value) = 0;

    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

    MainContext& ctx_;

private:
    bool OnCommit(const QString& text);

    TableKind kind_;
    bool firstColumnText_ = false;
    CellEditor* editor_ = nullptr;
    int editRow_ = -1;
    int editCol_ = -1;
    int content_ = 0;
};

/** Text of a number for a cell, through the program's number format. */
QString FormatCell(double value, const char* pattern);

} // namespace clv::ui
