#pragma once

// What the layers of the section drawing share: the painter, the scene, the
// view and the surface size, the world-to-surface mapping, and the small
// figures (crosses, placed text, surfaces sampled across the view).

#include "drawing/section_painter.h"

#include <QPainter>
#include <QPointF>
#include <QPolygonF>
#include <QString>

#include <string>
#include <vector>

namespace clv::drawing {

struct Canvas {
    QPainter& painter;
    const SectionScene& scene;
    const Job& job;
    const SectionTable& table;
    View view;
    SurfaceSize size;

    double Sx(double x) const { return SurfaceX(view, x); }
    double Sy(double y) const { return SurfaceY(view, size.Height, y); }
    QPointF At(double x, double y) const { return QPointF(Sx(x), Sy(y)); }

    // The world rectangle on the surface.
    double Left() const { return view.ViewOriginX; }
    double Right() const { return RightEdgeX(view, size); }
    double Bottom() const { return view.ViewOriginY; }
    double Top() const { return TopEdgeY(view, size); }
    /** One surface unit in metres. */
    double Unit() const { return 1.0 / view.ViewScale; }
};

enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Centre, Bottom };

/** Text placed by its box: x is the left end, centre or right end, y the top, middle or bottom. */
void PlaceText(QPainter& painter, const QString& text, double x, double y, HAlign h, VAlign v);
/** Width of the text in surface units with the painter's font. */
double TextWidth(const QPainter& painter, const QString& text);

inline QString Text(const std::string& s) { return QString::fromStdString(s); }

/** An upright cross of half-size `half` units with the current pen. */
void DrawCross(QPainter& painter, QPointF at, double half);

/** The pen of the section's lines: flat ends, round joins. */
QPen LinePen(const QColor& colour, double width);

/**
 * The x at which a surface is sampled across the view: both edges and every
 * station of the section table between them (the surfaces are straight between
 * stations).
 */
std::vector<double> SampleXs(const Canvas& c);

/** Level of table row `row` at each x. */
std::vector<double> RowLevels(const Canvas& c, int row, const std::vector<double>& xs);

/**
 * A surface through (xs[i], levels[i]) on the surface, kept inside a band of
 * one surface height above and below the view: where a segment leaves the band
 * the crossing is inserted, so the visible part is exactly the straight line.
 */
QPolygonF SurfacePolyline(const Canvas& c, const std::vector<double>& xs, const std::vector<double>& levels);

// The layers, in drawing order.
void DrawSoils(Canvas& c);
void DrawGridAndScale(Canvas& c);
void DrawPiezoGrid(Canvas& c);
void DrawLoads(Canvas& c);
void DrawReinforcement(Canvas& c);
void DrawResults(Canvas& c);

} // namespace clv::drawing
