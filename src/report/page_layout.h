#pragma once

// The arithmetic of a report page: how many character columns and text rows a
// page holds at which font size, the rows of the page header, the page count a
// run is estimated at. Plain code, so it is tested without painting; the
// device only answers how wide and how tall its font is at a given size.

#include "model/job.h"

#include <functional>
#include <optional>
#include <string>

namespace clv::report {

/** Margins in page units (millimetres on every device here). */
struct Margins {
    float Left = 15.0f;
    float Top = 3.0f;
    float Right = 3.0f;
    float Bottom = 3.0f;
};

/** What a device's font measures at one size, in page units. */
struct FontMeasure {
    float ColumnWidth = 0.0f; // average character width: width of "abcdefghklmn34567890" / 20
    float RowHeight = 0.0f;   // height of one text line
};

/** Measures the report font at a size in points. */
using MeasureFont = std::function<FontMeasure(float points)>;

/** The sample whose average character width is the width of one column. */
extern const char* const kColumnSample; // "abcdefghklmn34567890"

/** The page state the set-up fixes before a run. */
struct PageLayout {
    float PageWidth = 0.0f, PageHeight = 0.0f;
    Margins margins;
    float FontSize = 12.0f;
    float ColumnWidth = 0.0f;
    float ColumnsPerLine = 0.0f;
    float RowHeight = 0.0f;
    int RowsPerPage = 0;
    float DiagramWidth = 0.0f;
    float DiagramHeight = 0.0f;
};

/** A report line must hold more than this many columns; the font shrinks until it does. */
constexpr float kMinColumns = 98.0f;
constexpr float kStartFontSize = 12.0f;
constexpr float kFontStep = 0.05f;
constexpr float kSmallestFontSize = 0.2f;

/**
 * The page set-up: the font starts at 12 points and shrinks in 0.05-point
 * steps while a line holds 98 columns or fewer (exactly 98 is too few), down
 * to below 0.2 points at the least. RowsPerPage is the whole rows of the usable
 * height less one.
 */
PageLayout ComputePageLayout(float pageWidth, float pageHeight, const Margins& margins, const MeasureFont& measure);

// The page header occupies rows 1..kHeaderRows; the body starts after one blank row.
constexpr int kHeaderRows = 8;
constexpr int kFirstBodyRow = kHeaderRows + 2;
// The tallest column headings of any table (three rows: name, name, unit).
constexpr int kMaxColumnHeadingRows = 3;

/**
 * The least RowsPerPage on which a table can continue: the page header, the
 * continued section heading, the tallest column headings and one body row.
 * On a shorter page every row would start a new page.
 */
constexpr int kMinRowsPerPage = kFirstBodyRow + 1 + kMaxColumnHeadingRows;

/** Why a page set-up cannot take a report, or nothing when it can. */
std::optional<std::string> RefusePageLayout(const PageLayout& layout);

extern const char* const kPageTooShortMessage;

/** Is print option `index` ticked. */
inline bool Ticked(const PrintOptions& print, int index) { return print[static_cast<std::size_t>(index)] != 0; }

/**
 * The page total shown before a run: 2 for the input data, Int(centres / 60) + 2
 * for the slip circles, 2 for the defined surface, Int(wedges / 60) + 2 for the
 * wedges, each when its group is ticked. 0 means nothing is to be printed.
 */
int EstimatePages(const PrintOptions& print, int centreCount, int wedgeCount);

} // namespace clv::report
