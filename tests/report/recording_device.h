#pragma once

// A page device that paints nothing and remembers every text with its page and
// place: the reports' layout checked without a painter. Its font is a fixed
// pitch font: every character is 0.16 mm per point wide, a line half a
// millimetre per point tall, so at 12 points an A4 page (192 mm by 291 mm
// usable) holds 100 columns (no shrinking) and 47 rows.

#include "report/page_device.h"
#include "report/page_writer.h"
#include "report/print_reports.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace clv::report::test {

struct PlacedText {
    int page;
    float x, y; // page units from the page's top-left corner, left end of the text
    std::string text;
    bool bold;
};

class RecordingDevice : public PageDevice {
public:
    static constexpr float kCharWidthPerPoint = 0.16f, kLineHeightPerPoint = 0.5f;
    float height = 297.0f;

    std::vector<PlacedText> texts;
    int sheets = 1;
    int lines = 0;
    float points = 12.0f;
    bool bold = false;

    float PageWidth() const override { return 210.0f; }
    float PageHeight() const override { return height; }
    void SetFont(const std::string&, float size, bool isBold) override
    {
        points = size;
        bold = isBold;
    }
    FontMeasure Measure(const std::string&, float size) override
    {
        return {size * kCharWidthPerPoint, size * kLineHeightPerPoint};
    }
    float TextWidth(const std::string& text) override { return static_cast<float>(text.size()) * points * kCharWidthPerPoint; }
    void NextSheet() override { ++sheets; }
    void Text(float x, float y, const std::string& text) override { texts.push_back({sheets, x, y, text, bold}); }
    void Line(float, float, float, float) override { ++lines; }
    void Arc(float, float, float, float, float) override {}
    void SetColour(Colour) override {}
    void SetLineStyle(int) override {}

    /** The texts of one page, top to bottom, left to right. */
    std::vector<PlacedText> Page(int page) const
    {
        std::vector<PlacedText> out;
        std::ranges::copy_if(texts, std::back_inserter(out), [page](const PlacedText& t) { return t.page == page; });
        std::ranges::stable_sort(out, {}, [](const PlacedText& t) { return std::pair(t.y, t.x); });
        return out;
    }
    int Count(const std::string& text) const { return static_cast<int>(std::ranges::count(texts, text, &PlacedText::text)); }
    const PlacedText* Find(const std::string& text, int nth = 0) const
    {
        for (const PlacedText& t : texts)
            if (t.text == text && nth-- == 0)
                return &t;
        return nullptr;
    }
    /** The texts on the same line as `t`, left to right. */
    std::vector<std::string> LineOf(const PlacedText& t) const
    {
        std::vector<std::string> out;
        for (const PlacedText& u : Page(t.page))
            if (u.y == t.y)
                out.push_back(u.text);
        return out;
    }
};

/** The page header of a new installation's settings. */
inline PageHeaderInfo TestHeader(const Job& job) { return HeaderFor(job, Settings{}, "test.clv", "01/02/2026"); }

} // namespace clv::report::test
