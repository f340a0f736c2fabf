// The section under a report diagram, drawn by the program's section painter
// on the diagram's scale, so the report shows the strata, water, loads and
// reinforcement exactly as the window does.

#include "report/diagrams.h"
#include "report/painter_device.h"

#include "drawing/section_painter.h"

namespace clv::report {

namespace {

// One unit of the section painter's surface on the page. The painter sizes its
// labels (11 units) and lines (1 to 2 units) for a screen; a quarter of a
// millimetre makes them read as on a drawing: labels of 2.75 mm, fine lines.
constexpr double kMmPerSurfaceUnit = 0.25;

} // namespace

void PaintSectionOutline(QPainter& painter, double dotsPerMm, const DiagramFrame& frame, const ReportSource& section)
{
    // The report shows the section, not the editing aids: no grid dots, no point markers.
    Job job = section.job;
    job.View.ShowGrid = kFalse;
    job.View.ShowPoints = kFalse;

    drawing::SectionScene scene;
    scene.job = &job;
    scene.table = &section.table;
    scene.layers = &section.layers;
    scene.tab = drawing::kTabPrinting; // no tab results: the diagram draws its own slips

    drawing::View view;
    view.ViewOriginX = frame.World.XMin;
    view.ViewOriginY = frame.World.YMin;
    view.ViewScale = static_cast<Single>(frame.Scale / kMmPerSurfaceUnit);
    const drawing::SurfaceSize size{frame.Width / kMmPerSurfaceUnit, frame.Height / kMmPerSurfaceUnit};

    painter.save();
    painter.setClipRect(QRectF(frame.Left * dotsPerMm, frame.Top * dotsPerMm, frame.Width * dotsPerMm,
                               frame.Height * dotsPerMm));
    painter.translate(frame.Left * dotsPerMm, frame.Top * dotsPerMm);
    painter.scale(dotsPerMm * kMmPerSurfaceUnit, dotsPerMm * kMmPerSurfaceUnit);
    drawing::DrawSection(painter, scene, view, size);
    painter.restore();
}

} // namespace clv::report
