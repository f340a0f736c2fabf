#pragma once

// The surface a report is written on: a printer sheet, a preview picture or a
// PDF page. The report procedures never see it; the page writer turns their
// cells and rows into page units (millimetres from the page's top-left corner,
// y downwards) and hands them here.

#include "report/page_layout.h"

#include <cstdint>
#include <string>

namespace clv::report {

struct DiagramFrame;

/** Colours of the report, as 0xRRGGBB. */
using Colour = std::uint32_t;
constexpr Colour kBlack = 0x000000;

/** Line styles 0..5: solid, dash, dot, dash-dot, dash-dot-dot, invisible. */
constexpr int kSolidLine = 0;
constexpr int kDashLine = 1;
constexpr int kDotLine = 2;

class PageDevice {
public:
    virtual ~PageDevice() = default;

    /** The whole page in page units. */
    virtual float PageWidth() const = 0;
    virtual float PageHeight() const = 0;

    /** Chooses the font for what follows. */
    virtual void SetFont(const std::string& family, float points, bool bold) = 0;
    /** Width and line height of the report font at a size, regular weight. */
    virtual FontMeasure Measure(const std::string& family, float points) = 0;
    /** Width of a text in the current font. */
    virtual float TextWidth(const std::string& text) = 0;

    /** Starts the next sheet; called from the second page of a run on. */
    virtual void NextSheet() = 0;

    /** A text whose left end is at x and whose line box starts at y. */
    virtual void Text(float x, float y, const std::string& text) = 0;
    virtual void Line(float x1, float y1, float x2, float y2) = 0;
    /** An arc of the circle about (cx, cy), from `start` through `sweep` radians, anticlockwise as seen on the page. */
    virtual void Arc(float cx, float cy, float radius, float start, float sweep) = 0;
    virtual void SetColour(Colour colour) = 0;
    virtual void SetLineStyle(int style) = 0;

    /**
     * The cross-section under a diagram, drawn by the section painter into the
     * frame's area on the frame's scale. A device without the section painter
     * leaves it out.
     */
    virtual void SectionOutline(const DiagramFrame& frame) { (void)frame; }
};

} // namespace clv::report
