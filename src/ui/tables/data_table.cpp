#include "ui/tables/data_table.h"

#include "model/format.h"
#include "ui/interaction.h"
#include "ui/tables/cell_editor.h"
#include "ui/twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace clv::ui {

QString FormatCell(double value, const char* pattern)
{
    return QString::fromStdString(Format(value, pattern));
}

DataTable::DataTable(MainContext& ctx, TableKind kind, const QString& accessibleName, QWidget* parent)
    : QTableWidget(parent), ctx_(ctx), kind_(kind)
{
    setAccessibleName(accessibleName);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    editor_ = new CellEditor(viewport());
    editor_->Commit = [this](const QString& text) { return OnCommit(text); };
    editor_->Cancelled = [this] { setFocus(Qt::OtherFocusReason); };
}

namespace {

/**
 * A column is as wide as its width in twips, widened only where the screen font
 * could not show a heading line (or, in a heading that wraps, its longest word).
 */
int ColumnPixels(const QString& heading, int twips, const QWidget* table)
{
    const QFontMetrics metrics(table->font());
    const int padding = 10;
    int needed = 0;
    const QStringList lines = heading.split('\n');
    for (const QString& line : lines) {
        if (lines.size() > 1) {
            needed = std::max(needed, metrics.horizontalAdvance(line));
        } else {
            for (const QString& word : line.split(' '))
                needed = std::max(needed, metrics.horizontalAdvance(word));
        }
    }
    return std::max(TwipsToPixels(twips, table), needed + padding);
}

} // namespace

void DataTable::SetColumns(const std::vector<Column>& columns, bool firstColumnText)
{
    firstColumnText_ = firstColumnText;
    setColumnCount(static_cast<int>(columns.size()));
    const QFontMetrics metrics(horizontalHeader()->font());
    int width = 0;
    int height = 2 * metrics.height();
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        const Column& column = columns[static_cast<std::size_t>(c)];
        setHorizontalHeaderItem(c, new QTableWidgetItem(column.Heading));
        const int pixels = ColumnPixels(column.Heading, column.Twips, this);
        setColumnWidth(c, pixels);
        width += pixels;
        const QRect text = metrics.boundingRect(QRect(0, 0, pixels - 4, 1000), Qt::TextWordWrap, column.Heading);
        height = std::max(height, text.height());
    }
    horizontalHeader()->setFixedHeight(height + 8);
    setMinimumWidth(width + 2 * frameWidth() + verticalScrollBar()->sizeHint().width());
    setMaximumWidth(minimumWidth());
}

void DataTable::PrepareRows(int rows, int content)
{
    if (rows != rowCount() || content != content_)
        CancelEdit();
    content_ = content;
    setRowCount(rows);
}

void DataTable::SetCell(int row, int col, const QString& text, bool greyed)
{
    QTableWidgetItem* cell = item(row, col);
    if (!cell) {
        cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(row, col, cell);
    }
    cell->setText(text);
    const bool left = firstColumnText_ && col == 0;
    cell->setTextAlignment((left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    cell->setBackground(greyed ? palette().color(QPalette::Button) : QColor(Qt::white));
    cell->setForeground(QColor(Qt::black));
}

void DataTable::ClampCurrentRow()
{
    if (rowCount() == 0) {
        setCurrentCell(-1, -1);
        return;
    }
    const int row = std::clamp(currentRow(), 0, rowCount() - 1);
    const int col = std::clamp(currentColumn(), 0, std::max(0, columnCount() - 1));
    setCurrentCell(row, col);
}

int DataTable::CurrentItem() const
{
    const int row = currentRow();
    return row >= 0 && row < rowCount() ? row + 1 : 0;
}

void DataTable::StartCellEdit(const QString& typed)
{
    const int row = currentRow();
    const int col = currentColumn();
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount())
        return;
    const std::optional<CellRule> rule = RuleAt(row, col);
    if (!rule)
        return;
    editRow_ = row;
    editCol_ = col;
    const QModelIndex index = model()->index(row, col);
    scrollTo(index);
    const QTableWidgetItem* cell = item(row, col);
    const QString text = typed.isEmpty() ? (cell ? cell->text() : QString()) : typed;
    const Qt::Alignment alignment = rule->IsText ? Qt::AlignLeft : Qt::AlignRight;
    editor_->setFont(font());
    editor_->Open(visualRect(index), alignment, text, typed.isEmpty());
}

bool DataTable::IsEditing() const { return editor_->IsOpen(); }

bool DataTable::CommitEdit() { return editor_->IsOpen() ? editor_->CommitNow() : true; }

void DataTable::CancelEdit() { editor_->Close(); }

bool DataTable::OnCommit(const QString& text)
{
    const std::optional<CellRule> rule =
        editRow_ < rowCount() && editCol_ < columnCount() ? RuleAt(editRow_, editCol_) : std::nullopt;
    if (!rule) { // the cell went away under the editor: nothing to store it in
        editor_->Close();
        return true;
    }
    const CellValue value = ReadCell(*rule, text.toStdString());
    if (!value.Accepted) {
        if (ctx_.interaction)
            ctx_.interaction->Beep();
        return false;
    }
    editor_->Close();
    setFocus(Qt::OtherFocusReason);
    Store(editRow_, editCol_, value);
    return true;
}

void DataTable::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        StartCellEdit();
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!command && typed.size() == 1 && typed.at(0).isPrint()) {
        // A typed character starts the editor with it; on a cell that cannot be
        // edited it does nothing (no jumping to a row by its first letter).
        StartCellEdit(typed);
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void DataTable::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableWidget::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid())
        StartCellEdit();
}

void DataTable::scrollContentsBy(int dx, int dy)
{
    QTableWidget::scrollContentsBy(dx, dy);
    if (editor_->IsOpen())
        editor_->move(editor_->pos() + QPoint(dx, dy));
}

} // namespace clv::ui
