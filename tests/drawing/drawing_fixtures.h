#pragma once

// Sections laid out by hand, drawn into images, and the pixel checks the
// drawing tests share.

#include "drawing/analysed_section.h"
#include "drawing/section_export.h"
#include "drawing/section_painter.h"

#include <QColor>
#include <QImage>
#include <QPoint>

#include "support/job_builders.h"

#include <initializer_list>

namespace clv::test {

/** A job of soils (top surfaces from the top down) and a water surface; grid, points and names as asked. */
inline Job SectionJob(std::initializer_list<Points> soils, Points water = {})
{
    Job job = MakeDefaultJob();
    for (const Points& points : soils)
        SetPoints(job.Soils.emplace_back(), points).Description.Assign("Soil");
    SetPoints(job.Water, water);
    // Pixel checks look at fills and lines: no grid dots, markers or names in the way.
    job.View.ShowGrid = kFalse;
    job.View.ShowPoints = kFalse;
    return job;
}

/** A drawing of a section through a fixed view: origin (x0, y0), `scale` units per metre. */
struct Picture {
    drawing::AnalysedSection section;
    drawing::View view;
    QImage image;

    Picture(Job job, int tab, float x0, float y0, float scale, int width = 600, int height = 400,
            bool showFactors = false)
        : section(drawing::AnalyseForTab(std::move(job), tab))
    {
        view.ViewOriginX = x0, view.ViewOriginY = y0, view.ViewScale = scale;
        image = drawing::RenderSectionImage(section.Scene(showFactors), view, width, height);
    }

    /** A job drawn fitted to its extents, as a newly opened job is. */
    Picture(Job job, int tab, int width = 900, int height = 600)
        : section(drawing::AnalyseForTab(std::move(job), tab))
    {
        image = drawing::RenderSectionImage(section.Scene(), view, width, height);
    }

    /** The pixel under world point (x, y). */
    QColor At(double x, double y) const
    {
        const int px = static_cast<int>(drawing::SurfaceX(view, x));
        const int py = static_cast<int>(drawing::SurfaceY(view, image.height(), y));
        return image.pixelColor(px, py);
    }

    /**
     * Whether some pixel within `radius` pixels of world point (x, y), moved by
     * `offset` pixels, passes `test`.
     */
    template <class Test> bool Near(double x, double y, int radius, Test test, QPoint offset = {}) const
    {
        const int cx = static_cast<int>(drawing::SurfaceX(view, x)) + offset.x();
        const int cy = static_cast<int>(drawing::SurfaceY(view, image.height(), y)) + offset.y();
        for (int py = cy - radius; py <= cy + radius; ++py)
            for (int px = cx - radius; px <= cx + radius; ++px)
                if (image.valid(px, py) && test(image.pixelColor(px, py)))
                    return true;
        return false;
    }

    /** Pixels inside the surface rectangle that pass `test`. */
    template <class Test> int Count(QRect area, Test test) const
    {
        int n = 0;
        for (int py = area.top(); py <= area.bottom(); ++py)
            for (int px = area.left(); px <= area.right(); ++px)
                if (image.valid(px, py) && test(image.pixelColor(px, py)))
                    ++n;
        return n;
    }
};

inline bool IsColour(const QColor& c, int r, int g, int b) { return c.red() == r && c.green() == g && c.blue() == b; }
inline bool IsColour(const QColor& c, const QColor& want) { return c.rgb() == want.rgb(); }
inline bool IsWhite(const QColor& c) { return IsColour(c, 255, 255, 255); }
/** The critical red (255, 50, 50), allowing for antialiased edges. */
inline bool IsReddish(const QColor& c) { return c.red() > 200 && c.green() < 150 && c.blue() < 150 && c.red() - c.green() > 80; }

} // namespace clv::test
