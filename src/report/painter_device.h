#pragma once

// The one page-painting path: a report written on any QPainter, be it a
// printer, a preview picture or a PDF writer. Page units are millimetres; the
// device turns them into its own dots from its resolution, so the same page
// prints sharp on a printer and shows whole in a preview.

#include "report/page_device.h"
#include "report/report_source.h"

#include <QColor>
#include <QFont>
#include <QPainter>

#include <functional>

namespace clv::report {

class PainterDevice : public PageDevice {
public:
    /**
     * `painter` is active on the device; `nextSheet` starts a new sheet (a
     * paged device's newPage, a preview's saving and clearing of its picture).
     * `section` gives the diagrams the section to draw under the slips.
     */
    PainterDevice(QPainter& painter, std::function<void()> nextSheet, const ReportSource* section = nullptr);

    float PageWidth() const override;
    float PageHeight() const override;
    void SetFont(const std::string& family, float points, bool bold) override;
    FontMeasure Measure(const std::string& family, float points) override;
    float TextWidth(const std::string& text) override;
    void NextSheet() override;
    void Text(float x, float y, const std::string& text) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void Arc(float cx, float cy, float radius, float start, float sweep) override;
    void SetColour(Colour colour) override;
    void SetLineStyle(int style) override;
    void SectionOutline(const DiagramFrame& frame) override;

    /** Dots of the device per millimetre. */
    double DotsPerMm() const { return dotsPerMm_; }

private:
    QFont MakeFont(const std::string& family, float points, bool bold) const;
    void ApplyPen();

    QPainter& painter_;
    std::function<void()> nextSheet_;
    const ReportSource* section_;
    double dotsPerMm_ = 1.0;
    QColor colour_ = Qt::black;
    Qt::PenStyle style_ = Qt::SolidLine;
};

/**
 * Draws the section of the report's job into a diagram's frame through the
 * program's section painter, on the frame's scale. Defined beside the section
 * painter so that the page engine itself needs Qt Gui only.
 */
void PaintSectionOutline(QPainter& painter, double dotsPerMm, const DiagramFrame& frame, const ReportSource& section);

} // namespace clv::report
