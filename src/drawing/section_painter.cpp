#include "drawing/section_canvas.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace clv::drawing {

void PlaceText(QPainter& painter, const QString& text, double x, double y, HAlign h, VAlign v)
{
    const QFontMetricsF metrics(painter.font());
    const double width = metrics.horizontalAdvance(text);
    const double height = metrics.height();
    const double left = h == HAlign::Left ? x : h == HAlign::Centre ? x - width / 2.0 : x - width;
    const double top = v == VAlign::Top ? y : v == VAlign::Centre ? y - height / 2.0 : y - height;
    painter.drawText(QPointF(left, top + metrics.ascent()), text);
}

double TextWidth(const QPainter& painter, const QString& text)
{
    return QFontMetricsF(painter.font()).horizontalAdvance(text);
}

void DrawCross(QPainter& painter, QPointF at, double half)
{
    painter.drawLine(QPointF(at.x() - half, at.y()), QPointF(at.x() + half, at.y()));
    painter.drawLine(QPointF(at.x(), at.y() - half), QPointF(at.x(), at.y() + half));
}

QPen LinePen(const QColor& colour, double width)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

std::vector<double> SampleXs(const Canvas& c)
{
    const double left = c.Left(), right = c.Right();
    std::vector<double> xs{left};
    for (int col = 1; col <= c.table.StationCount(); ++col) {
        const double x = c.table.X(col);
        if (x > left && x < right)
            xs.push_back(x);
    }
    xs.push_back(right);
    return xs;
}

std::vector<double> RowLevels(const Canvas& c, int row, const std::vector<double>& xs)
{
    std::vector<double> levels;
    levels.reserve(xs.size());
    for (const double x : xs)
        levels.push_back(SurfaceLevel(c.table, row, static_cast<float>(x)));
    return levels;
}

QPolygonF SurfacePolyline(const Canvas& c, const std::vector<double>& xs, const std::vector<double>& levels)
{
    // Surface y of the band's edges; far beyond them the rasteriser's fixed-point
    // range would overflow (a surface without points lies at -100001 m).
    const double high = -c.size.Height, low = 2.0 * c.size.Height;
    QPolygonF line;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const QPointF p(c.Sx(xs[i]), c.Sy(levels[i]));
        if (i > 0) {
            const QPointF q(c.Sx(xs[i - 1]), c.Sy(levels[i - 1]));
            // Where the segment q-p crosses the band's edges, in the order it meets them.
            std::vector<double> ts;
            for (const double edge : {high, low})
                if ((q.y() - edge) * (p.y() - edge) < 0.0)
                    ts.push_back((edge - q.y()) / (p.y() - q.y()));
            std::sort(ts.begin(), ts.end());
            for (const double t : ts)
                line << QPointF(q.x() + t * (p.x() - q.x()), std::clamp(q.y() + t * (p.y() - q.y()), high, low));
        }
        line << QPointF(p.x(), std::clamp(p.y(), high, low));
    }
    return line;
}

void DrawSection(QPainter& painter, const SectionScene& scene, const View& view, const SurfaceSize& size)
{
    painter.save();
    painter.fillRect(QRectF(0.0, 0.0, size.Width, size.Height), Qt::white);
    if (scene.job == nullptr || scene.table == nullptr || !view.IsSet() || !std::isfinite(view.ViewScale)
        || !(view.ViewScale > 0.0f)) {
        painter.restore();
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);

    Canvas c{painter, scene, *scene.job, *scene.table, view, size};
    const Job& job = *scene.job;
    DrawSoils(c);
    if (IsSet(job.View.ShowGrid))
        DrawGridAndScale(c);
    if (IsSet(job.Piezo.Enabled) && IsSet(job.View.ShowPiezo))
        DrawPiezoGrid(c);
    if (job.LoadCount() >= 1 && IsSet(job.View.ShowLoads))
        DrawLoads(c);
    if (job.ReinforcementCount() >= 1 && IsSet(job.View.ShowReinforcement))
        DrawReinforcement(c);
    DrawResults(c);
    painter.restore();
}

} // namespace clv::drawing
