#include "report/page_writer.h"

#include "model/format.h"

namespace clv::report {

const char* const kContinued = " - continued";

PageWriter::PageWriter(PageDevice& device, const PageLayout& layout, const PageHeaderInfo& header, std::string font,
                       bool boldLabels)
    : device_(device), layout_(layout), header_(header), font_(std::move(font)), boldLabels_(boldLabels)
{
    ApplyFont();
}

void PageWriter::ApplyFont() { device_.SetFont(font_, layout_.FontSize * fontScale_, bold_); }

void PageWriter::FontScale(float scale)
{
    fontScale_ = scale;
    ApplyFont();
}

std::string PageWriter::Fitted(const std::string& text, float width)
{
    if (device_.TextWidth(text) <= width)
        return text;
    std::string cut = text;
    while (!cut.empty() && device_.TextWidth(cut + "...") > width) {
        // Drop the last whole character, never half of a multi-byte one.
        std::size_t last = cut.size() - 1;
        while (last > 0 && (static_cast<unsigned char>(cut[last]) & 0xC0) == 0x80)
            --last;
        cut.erase(last);
    }
    return cut + "...";
}

void PageWriter::Place(float x, float y, const std::string& text)
{
    const float width = TextAlign != 0.0f ? device_.TextWidth(text) : 0.0f;
    const float left = x - width * TextAlign;
    device_.Text(layout_.margins.Left + left, layout_.margins.Top + y, text);
    penX_ = left + device_.TextWidth(text);
    penY_ = y;
}

void PageWriter::TextAtCell(float column, int row, const std::string& text) { Place(CellX(column), RowY(row), text); }
void PageWriter::TextAtRow(float x, int row, const std::string& text) { Place(x, RowY(row), text); }
void PageWriter::TextAtXY(float x, float y, const std::string& text) { Place(x, y, text); }

void PageWriter::TextNext(const std::string& text)
{
    const float y = penY_;
    Place(penX_, y, text);
}

void PageWriter::Left(float column, int row, const std::string& text)
{
    TextAlign = 0.0f;
    TextAtCell(column, row, text);
}

void PageWriter::Right(float column, int row, const std::string& text)
{
    TextAlign = 1.0f;
    TextAtCell(column, row, text);
    TextAlign = 0.0f;
}

void PageWriter::Heading(int row, const std::string& text)
{
    if (boldLabels_)
        BoldOn();
    Left(4, row, text);
    if (boldLabels_)
        BoldOff();
}

void PageWriter::Line(float x1, float y1, float x2, float y2)
{
    const float l = layout_.margins.Left, t = layout_.margins.Top;
    device_.Line(l + x1, t + y1, l + x2, t + y2);
    penX_ = x2;
    penY_ = y2;
}

void PageWriter::LineTo(float x, float y) { Line(penX_, penY_, x, y); }

void PageWriter::LineRows(float x1, float row1, float x2, float row2)
{
    Line(x1, row1 * layout_.RowHeight, x2, row2 * layout_.RowHeight);
}

void PageWriter::BoldOn()
{
    bold_ = true;
    ApplyFont();
}

void PageWriter::BoldOff()
{
    bold_ = false;
    ApplyFont();
}

void PageWriter::SetColour(Colour colour) { device_.SetColour(colour); }
void PageWriter::SetLineStyle(int style) { device_.SetLineStyle(style); }

void PageWriter::NewPage()
{
    ++pageNumber_;
    if (pageNumber_ > 1)
        device_.NextSheet();
    TextAlign = 0.0f;
}

void PageWriter::PageHeader()
{
    // Three bands, ruled off from one another: the user's lines, the program
    // and the job titles, then the references in three columns.
    const float width = layout_.PageWidth - layout_.margins.Left - layout_.margins.Right - 2.0f;
    const float third = width / 3.0f;
    const float cw = layout_.ColumnWidth;
    device_.SetColour(kBlack);
    device_.SetLineStyle(kSolidLine);
    LineRows(0, 0, width, 0);
    LineTo(width, static_cast<float>(kHeaderRows) * layout_.RowHeight);
    LineTo(0, static_cast<float>(kHeaderRows) * layout_.RowHeight);
    LineTo(0, 0);
    for (int rule : {2, 4, 6})
        LineRows(0, static_cast<float>(rule), width, static_cast<float>(rule));
    LineRows(third, 6, third, kHeaderRows);
    LineRows(2 * third, 6, 2 * third, kHeaderRows);

    TextAlign = 0.0f;
    TextAtCell(2, 1, header_.UserLine1);
    TextAtCell(2, 2, header_.UserLine2);
    TextAtCell(2, 3, "Dalk Clivora, Version " + Format(header_.ProgramVersion, "##0.00"));
    TextAtCell(2, 4, "Slope stability analysis and design of reinforced soil slopes");
    TextAtCell(2, 5, header_.MainTitle);
    TextAtCell(2, 6, header_.SubTitle);

    const int shown = header_.FirstPageNumber - 1 + pageNumber_;
    const struct {
        int third, row;
        const char* label;
        std::string value;
    } references[] = {
        {0, 7, "Page No", Format(shown, "####0")}, {0, 8, "Analysis", header_.Analysis},
        {1, 7, "Project", header_.Project},         {1, 8, "File Name", header_.FileName},
        {2, 7, "Engineer", header_.Engineer},       {2, 8, "Date", header_.Date},
    };
    for (const auto& r : references) {
        const float x = static_cast<float>(r.third) * third + 2.0f;
        TextAtRow(x, r.row, r.label);
        // A long file name is cut short rather than run into the next column.
        TextAtRow(x + 11.0f * cw, r.row, Fitted(r.value, third - 11.0f * cw - 4.0f));
    }
    Row = kFirstBodyRow;
}

void PageWriter::StartPage()
{
    NewPage();
    PageHeader();
}

void PageWriter::BreakPage()
{
    StartPage();
    if (tableHeadings_) {
        Heading(Row, tableHeading_ + kContinued);
        tableHeadings_(Row + 1);
        Row += 1 + tableHeadingRows_;
    }
}

void PageWriter::EnsureRoom(int rows)
{
    if (!Fits(rows))
        BreakPage();
}

int PageWriter::Take(int rows)
{
    EnsureRoom(rows);
    const int row = Row;
    Row += rows;
    return row;
}

void PageWriter::Gap()
{
    if (Row > kFirstBodyRow)
        ++Row;
}

void PageWriter::BeginTable(const std::string& heading, int headingRows, std::function<void(int row)> headings,
                            bool showHeading)
{
    tableHeadings_ = nullptr;
    const int headingRow = showHeading ? 1 : 0;
    EnsureRoom(headingRow + headingRows + 1);
    // A table that goes on under the heading before it, but starts a page, still needs a heading.
    if (showHeading) {
        Heading(Row++, heading);
    } else if (Row == kFirstBodyRow) {
        Heading(Row++, heading + kContinued);
    }
    if (headings)
        headings(Row);
    Row += headingRows;
    tableHeading_ = heading;
    tableHeadingRows_ = headingRows;
    tableHeadings_ = headings ? std::move(headings) : [](int) {};
}

void PageWriter::EndTable() { tableHeadings_ = nullptr; }

} // namespace clv::report
