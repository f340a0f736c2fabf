#include "ui/tables/result_table.h"

#include "ui/twips.h"

#include <QHeaderView>

#include <algorithm>

namespace clv::ui {

ResultTable::ResultTable(const std::vector<ResultColumn>& columns, QWidget* parent) : QTableWidget(parent)
{
    setColumnCount(static_cast<int>(columns.size()));
    QStringList headings;
    for (const ResultColumn& c : columns)
        headings << QString::fromLatin1(c.heading);
    setHorizontalHeaderLabels(headings);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        // The headings are longer than the numbers: the column is never narrower than its heading.
        const int heading = horizontalHeader()->fontMetrics().horizontalAdvance(headings[i]) + 12;
        setColumnWidth(i, std::max(TwipsToPixels(columns[static_cast<std::size_t>(i)].twips, this), heading));
    }
    // A highlighted (bold) heading would no longer fit its column.
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(false);
}

QString ResultTable::CellText(int row, int column) const
{
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void ResultTable::SetCell(int row, int column, const QString& text, const QColor& color)
{
    auto* cell = new QTableWidgetItem(text);
    cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cell->setForeground(color);
    setItem(row, column, cell);
}

} // namespace clv::ui
