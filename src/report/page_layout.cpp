#include "report/page_layout.h"

#include <cmath>

namespace clv::report {

const char* const kColumnSample = "abcdefghklmn34567890";

const char* const kPageTooShortMessage =
    "The page is too short for the report: it must hold the page header, a table's headings and one row. "
    "Use a larger paper size or smaller top and bottom margins.";

namespace {

void MeasureColumns(PageLayout& p, const MeasureFont& measure)
{
    const FontMeasure m = measure(p.FontSize);
    p.ColumnWidth = m.ColumnWidth;
    p.RowHeight = m.RowHeight;
    const float usable = p.PageWidth - p.margins.Left - p.margins.Right;
    p.ColumnsPerLine = p.ColumnWidth > 0.0f ? usable / p.ColumnWidth : 0.0f;
}

} // namespace

PageLayout ComputePageLayout(float pageWidth, float pageHeight, const Margins& margins, const MeasureFont& measure)
{
    PageLayout p;
    p.PageWidth = pageWidth;
    p.PageHeight = pageHeight;
    p.margins = margins;
    p.FontSize = kStartFontSize;
    MeasureColumns(p, measure);
    while (p.ColumnsPerLine <= kMinColumns && !(p.FontSize < kSmallestFontSize)) {
        p.FontSize -= kFontStep;
        MeasureColumns(p, measure);
    }
    const float usableHeight = pageHeight - margins.Top - margins.Bottom;
    // Whole rows only: a part row would print into the bottom margin.
    p.RowsPerPage = p.RowHeight > 0.0f ? static_cast<int>(std::floor(usableHeight / p.RowHeight)) - 1 : 0;
    p.DiagramHeight = usableHeight;
    p.DiagramWidth = pageWidth - margins.Left - margins.Right - 2.0f;
    return p;
}

std::optional<std::string> RefusePageLayout(const PageLayout& layout)
{
    if (layout.RowsPerPage < kMinRowsPerPage || layout.ColumnWidth <= 0.0f)
        return std::string(kPageTooShortMessage);
    return std::nullopt;
}

int EstimatePages(const PrintOptions& print, int centreCount, int wedgeCount)
{
    int pages = 0;
    if (Ticked(print, 10))
        pages = 2;
    if (Ticked(print, 20))
        pages += centreCount / 60 + 2;
    if (Ticked(print, 30))
        pages += 2;
    if (Ticked(print, 40))
        pages += wedgeCount / 60 + 2;
    return pages;
}

} // namespace clv::report
