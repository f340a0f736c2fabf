#pragma once

// The page primitives every report writes with: text on a grid of character
// cells (columns of average character width from the left margin, rows of text
// height from the top margin), lines in page units, new pages with the page
// header, and the page-break rule that continues a table on the next page under
// its heading with " - continued" and its column headings.

#include "report/page_device.h"
#include "report/page_layout.h"

#include <functional>
#include <string>

namespace clv::report {

/** What the page header prints besides the page number. */
struct PageHeaderInfo {
    std::string UserLine1, UserLine2; // from the settings file
    float ProgramVersion = 0.0f;      // as stored in the job header
    std::string MainTitle, SubTitle;  // trimmed
    std::string Analysis, Project, Engineer;
    std::string FileName;
    std::string Date;                 // dd/mm/yyyy
    int FirstPageNumber = 1;          // the number printed on the first page
};

extern const char* const kContinued; // " - continued"

class PageWriter {
public:
    PageWriter(PageDevice& device, const PageLayout& layout, const PageHeaderInfo& header, std::string font,
               bool boldLabels);

    const PageLayout& Layout() const { return layout_; }
    PageDevice& Device() { return device_; }
    int PageNumber() const { return pageNumber_; }

    // Alignment of the next texts: 0 starts at x, 0.5 centres on it, 1 ends at it.
    float TextAlign = 0.0f;

    // Text. Rows are 1-based; x and y in page units from the top-left margin corner.
    void TextAtCell(float column, int row, const std::string& text);
    void TextAtRow(float x, int row, const std::string& text);
    void TextAtXY(float x, float y, const std::string& text);
    /** Continues at the pen position with the same alignment rule. */
    void TextNext(const std::string& text);
    /** Left-aligned at a column, right-aligned at a column: the two common cases. */
    void Left(float column, int row, const std::string& text);
    void Right(float column, int row, const std::string& text);
    /** A section heading at column 4, bold when the labels are bold. */
    void Heading(int row, const std::string& text);

    // Lines.
    void Line(float x1, float y1, float x2, float y2);
    void LineTo(float x, float y);
    void LineRows(float x1, float row1, float x2, float row2);
    void BoldOn();
    void BoldOff();
    /** The report font at `scale` times its size (diagram labels), 1 for the report's own size. */
    void FontScale(float scale);
    /** The text cut to `width` page units, ending in "..." when it had to be cut. */
    std::string Fitted(const std::string& text, float width);
    void SetColour(Colour colour);
    void SetLineStyle(int style);

    /** Starts a page: the next sheet from the second page on, alignment back to 0. */
    void NewPage();
    /** The ruled header box at the top of the page. */
    void PageHeader();

    // Row flow. `Row` is the next row to write on.
    int Row = kFirstBodyRow;
    /** Does a block of `rows` rows still fit on this page from Row? */
    bool Fits(int rows) const { return Row + rows - 1 <= layout_.RowsPerPage; }
    /** Starts a new page (with its header, and the continuation of an open table) when `rows` rows do not fit. */
    void EnsureRoom(int rows);
    /** Takes `rows` rows for a block and returns the first. */
    int Take(int rows = 1);
    /** One blank row between blocks (none at the top of a page). */
    void Gap();
    /** A new page with its header, whatever room is left. */
    void StartPage();

    /**
     * Opens a table: its heading and column headings (which take `headingRows`
     * rows and are printed by `headings` from the row it is given) are kept
     * together with the first body row; a page break inside the table prints
     * the heading with " - continued" and the column headings again. Without
     * `showHeading` the table goes on under the heading of the one before it
     * (the points of the next soil), which it still repeats on a new page.
     */
    void BeginTable(const std::string& heading, int headingRows, std::function<void(int row)> headings,
                    bool showHeading = true);
    void EndTable();

private:
    void BreakPage();
    float CellX(float column) const { return column * layout_.ColumnWidth; }
    float RowY(int row) const { return static_cast<float>(row - 1) * layout_.RowHeight; }
    void Place(float x, float y, const std::string& text);
    void ApplyFont();

    PageDevice& device_;
    PageLayout layout_;
    PageHeaderInfo header_;
    std::string font_;
    bool boldLabels_ = true;
    bool bold_ = false;
    float fontScale_ = 1.0f;
    int pageNumber_ = 0;
    float penX_ = 0.0f, penY_ = 0.0f;
    std::string tableHeading_;
    int tableHeadingRows_ = 0;
    std::function<void(int)> tableHeadings_;
};

} // namespace clv::report
