#pragma once

// One page of a report on its own sheet. The report is composed from its first
// page, so that the page breaks and continued tables fall exactly as in the
// whole document, but only the chosen page reaches the device: the engineer
// reprints a spoilt sheet and gets the same sheet.

#include "report/page_device.h"

namespace clv::report {

class SinglePageDevice : public PageDevice {
public:
    /** Passes page `page` (1-based, as the run counts them) to `target`; every other page is measured only. */
    SinglePageDevice(PageDevice& target, int page) : target_(target), page_(page) {}

    /** Has the chosen page been composed? */
    bool Reached() const { return current_ >= page_; }

    float PageWidth() const override { return target_.PageWidth(); }
    float PageHeight() const override { return target_.PageHeight(); }
    void SetFont(const std::string& family, float points, bool bold) override { target_.SetFont(family, points, bold); }
    FontMeasure Measure(const std::string& family, float points) override { return target_.Measure(family, points); }
    float TextWidth(const std::string& text) override { return target_.TextWidth(text); }
    // The target keeps its one sheet: the run's sheets are counted here.
    void NextSheet() override { ++current_; }
    void Text(float x, float y, const std::string& text) override
    {
        if (Showing())
            target_.Text(x, y, text);
    }
    void Line(float x1, float y1, float x2, float y2) override
    {
        if (Showing())
            target_.Line(x1, y1, x2, y2);
    }
    void Arc(float cx, float cy, float radius, float start, float sweep) override
    {
        if (Showing())
            target_.Arc(cx, cy, radius, start, sweep);
    }
    void SetColour(Colour colour) override { target_.SetColour(colour); }
    void SetLineStyle(int style) override { target_.SetLineStyle(style); }
    void SectionOutline(const DiagramFrame& frame) override
    {
        if (Showing())
            target_.SectionOutline(frame);
    }

private:
    bool Showing() const { return current_ == page_; }

    PageDevice& target_;
    int page_;
    int current_ = 1; // the run starts on its first page; NextSheet comes from the second on
};

} // namespace clv::report
