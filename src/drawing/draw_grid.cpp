// The drawing grid with its coordinate labels, and the piezometric grid.

#include "drawing/palette.h"
#include "drawing/section_canvas.h"

#include "model/format.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace clv::drawing {

namespace {

/** Metres between coordinate labels: wider apart the smaller the scale. */
double LabelStep(Single scale)
{
    if (scale < 2.0f)
        return 20.0;
    if (scale < 5.0f)
        return 10.0;
    if (scale < 10.0f)
        return 5.0;
    if (scale < 20.0f)
        return 2.0;
    return 1.0;
}

void DrawGridDots(Canvas& c, double g)
{
    // Dots closer than two units merge into a grey wash and, zoomed far out,
    // would run to millions per redraw: below that spacing none are drawn.
    if (!(g > 0.0) || g * c.view.ViewScale < kMinGridDotSpacing)
        return;
    const long long firstX = static_cast<long long>(std::floor(c.Left() / g));
    const long long firstY = static_cast<long long>(std::floor(c.Bottom() / g));
    QVector<QPointF> dots;
    for (long long j = firstY; j * g <= c.Top(); ++j) {
        const double y = std::round(c.Sy(j * g));
        for (long long i = firstX; i * g <= c.Right(); ++i)
            dots.push_back(QPointF(std::round(c.Sx(i * g)), y));
    }
    // Whole pixels without antialiasing: a dot is one black point, not a grey blur.
    c.painter.save();
    c.painter.setRenderHint(QPainter::Antialiasing, false);
    c.painter.setPen(QPen(Qt::black, 0));
    c.painter.drawPoints(dots.data(), static_cast<int>(dots.size()));
    c.painter.restore();
}

void DrawScaleLabels(Canvas& c)
{
    const double step = LabelStep(c.view.ViewScale);
    // Labels less than a unit apart would only smear (a view zoomed far out).
    if (step * c.view.ViewScale < 1.0)
        return;
    const double w = c.size.Width, h = c.size.Height;
    c.painter.setPen(Qt::black);
    for (long long i = static_cast<long long>(std::floor(c.Left() / step)) + 1; i * step <= c.Right(); ++i) {
        const double x = i * step;
        const QString text = Text(Format(x, "#####0"));
        const double left = c.Sx(x) - TextWidth(c.painter, text) / 2.0;
        if (left < 15.0 || left > w - 30.0)
            continue;
        PlaceText(c.painter, text, left, 1.0, HAlign::Left, VAlign::Top);
        PlaceText(c.painter, text, left, h - 15.0, HAlign::Left, VAlign::Top);
    }
    const double textHeight = QFontMetricsF(c.painter.font()).height();
    for (long long i = static_cast<long long>(std::floor(c.Bottom() / step)) + 1; i * step <= c.Top(); ++i) {
        const double y = i * step;
        const double top = c.Sy(y) - textHeight / 2.0;
        if (top < 15.0 || top > h - 30.0)
            continue;
        const QString text = Text(Format(y, "#####0"));
        PlaceText(c.painter, text, 1.0, c.Sy(y), HAlign::Left, VAlign::Centre);
        PlaceText(c.painter, text, w - 2.0, c.Sy(y), HAlign::Right, VAlign::Centre);
    }
}

} // namespace

void DrawGridAndScale(Canvas& c)
{
    DrawGridDots(c, c.job.View.GridIncrement);
    DrawScaleLabels(c);
}

void DrawPiezoGrid(Canvas& c)
{
    const PiezoHeads& heads = c.job.Heads;
    const int nx = std::min<int>(c.job.Piezo.NX, heads.NX());
    const int ny = std::min<int>(c.job.Piezo.NY, heads.NY());
    c.painter.setPen(LinePen(palette::Water(), 1.0));
    for (int i = 1; i <= nx; ++i) {
        for (int j = 1; j <= ny; ++j) {
            const QPointF at = c.At(heads.At(0, i), heads.At(j, 0));
            DrawCross(c.painter, at, 5.0);
            const Single head = heads.At(j, i);
            if (head == kNoLevel)
                continue; // a node without data has no head to show
            PlaceText(c.painter, Text(Format(head, "#####0.0")), at.x() + 7.0, at.y() - 1.0, HAlign::Left,
                      VAlign::Bottom);
        }
    }
}

} // namespace clv::drawing
