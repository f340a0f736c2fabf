#pragma once

// A read-only table of analysis results: fixed headings, column widths given in
// twips (1/15 of a pixel at 96 dpi, scaled with the screen), numbers right-aligned.

#include <QTableWidget>

#include <vector>

namespace clv::ui {

struct ResultColumn {
    const char* heading;
    int twips; // width
};

class ResultTable : public QTableWidget {
    Q_OBJECT
public:
    ResultTable(const std::vector<ResultColumn>& columns, QWidget* parent = nullptr);

    /** The text of a cell ("" when it has none), for tests and the reports. */
    QString CellText(int row, int column) const;

protected:
    /** Sets a right-aligned cell in `color`. */
    void SetCell(int row, int column, const QString& text, const QColor& color);
};

} // namespace clv::ui
