// Pictures of known sections: pixels that must hold a stratum's fill, ponded
// water, a soil name or a red critical result, and pixels that must stay white.
// Points are chosen well inside their regions, so antialiased edges and fonts
// do not matter.

#include "drawing/analysed_section.h"
#include "drawing/palette.h"
#include "drawing/section_export.h"
#include "drawing/section_painter.h"
#include "support/job_builders.h"

#include <QColor>
#include <QImage>
#include <QPoint>

#include <gtest/gtest.h>

#include <initializer_list>

namespace clv::test {
namespace {

using drawing::kTabDefinedSurface;
using drawing::kTabGeometry;
using drawing::kTabSlipCircles;
using drawing::kTabWedges;
namespace palette = drawing::palette;

// A job of soils (top surfaces from the top down) and a water surface.
Job SectionJob(std::initializer_list<Points> soils, Points water = {})
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

// A 600 x 400 drawing of a section through the view of origin (x0, y0), `scale` units per metre,
// or with no scale fitted to its extents as a newly opened job is.
struct Picture {
    drawing::AnalysedSection section;
    drawing::View view;
    QImage image;

    Picture(Job job, int tab, float x0 = 0.0f, float y0 = 0.0f, float scale = 0.0f)
        : section(drawing::AnalyseForTab(std::move(job), tab)), view{x0, y0, scale}
    {
        image = drawing::RenderSectionImage(section.Scene(), view, 600, 400);
    }

    QPoint Pixel(double x, double y) const
    {
        return {static_cast<int>(drawing::SurfaceX(view, x)), static_cast<int>(drawing::SurfaceY(view, image.height(), y))};
    }

    QColor At(double x, double y) const { return image.pixelColor(Pixel(x, y)); }

    // Pixels inside the surface rectangle that pass `test`.
    template <class Test> int Count(QRect area, Test test) const
    {
        int n = 0;
        for (int py = area.top(); py <= area.bottom(); ++py)
            for (int px = area.left(); px <= area.right(); ++px)
                n += image.valid(px, py) && test(image.pixelColor(px, py)) ? 1 : 0;
        return n;
    }

    // Whether some pixel within `radius` pixels of world point (x, y), moved by `offset` pixels, passes `test`.
    template <class Test> bool Near(double x, double y, int radius, Test test, QPoint offset = {}) const
    {
        const QPoint c = Pixel(x, y) + offset;
        return Count(QRect(c.x() - radius, c.y() - radius, 2 * radius + 1, 2 * radius + 1), test) > 0;
    }
};

bool IsColour(const QColor& c, const QColor& want) { return c.rgb() == want.rgb(); }
bool IsWhite(const QColor& c) { return c.rgb() == qRgb(255, 255, 255); }
// The critical red (255, 50, 50), allowing for antialiased edges.
bool IsReddish(const QColor& c) { return c.red() > 200 && c.green() < 150 && c.blue() < 150 && c.red() - c.green() > 80; }

// Ground level 0 on the left rising to 5 between x 0 and 10; a second stratum from -3 down.
Job TwoStrata(Points water = {})
{
    return SectionJob({{{-20, 0}, {0, 0}, {10, 5}, {40, 5}}, {{-20, -3}, {40, -3}}}, water);
}

// View: x -20..20, y -10..16.7 on 600 x 400.
constexpr float kX0 = -20.0f, kY0 = -10.0f, kScale = 15.0f;

// The colour each of the world points (x, y) must have.
void ExpectColours(const Picture& pic, std::initializer_list<std::tuple<double, double, QColor>> spots)
{
    for (const auto& [x, y, colour] : spots)
        EXPECT_TRUE(IsColour(pic.At(x, y), colour)) << x << ", " << y << ": " << pic.At(x, y).name().toStdString();
}

TEST(SectionImage, StrataFilledBetweenTheirSurfacesAndNothingAboveGround)
{
    const Picture pic(TwoStrata(), kTabGeometry, kX0, kY0, kScale);
    ExpectColours(pic, {
        {15.0, 2.0, palette::SoilFill(1)},  {-10.0, -1.5, palette::SoilFill(1)},
        {-10.0, -6.0, palette::SoilFill(2)}, {5.0, -9.5, palette::SoilFill(2)}, // the lowest, to the view's bottom
        {-10.0, 3.0, Qt::white},            {-10.0, 0.5, Qt::white},             // above the ground
        {5.0, 4.0, Qt::white},              {15.0, 12.0, Qt::white},
    });
    // No fill anywhere above the ground line, from edge to edge.
    for (double x = -19.0; x <= 19.0; x += 0.5)
        for (double y = std::clamp(x / 2.0, 0.0, 5.0) + 0.3; y < 16.0; y += 0.5)
            ASSERT_TRUE(IsWhite(pic.At(x, y))) << x << ", " << y;

    // Water at 1 m: above the ground left of x = 2, below it to the right, and
    // above the whole top of the lowest stratum (at -3), which is still filled.
    ExpectColours(Picture(TwoStrata({{-20, 1}, {40, 1}}), kTabGeometry, kX0, kY0, kScale), {
        {-10.0, 0.5, palette::PondedWater()}, {-2.0, 0.6, palette::PondedWater()},
        {-10.0, 1.5, Qt::white},                 // above the water
        {5.0, 3.5, Qt::white},                   // above ground where the water is below it
        {5.0, 1.5, palette::SoilFill(1)},        // under water in the ground: soil, not water
        {-10.0, -6.0, palette::SoilFill(2)},
    });

    // Zoomed in to 200 units a metre over x 4..7, y 1..3: the second stratum lies 800 units
    // below the view and the far stations thousands of units to the sides; ground at x / 2.
    const QColor soil = palette::SoilFill(1), white = Qt::white;
    ExpectColours(Picture(TwoStrata(), kTabGeometry, 4.0f, 1.0f, 200.0f),
                  {{5.0, 2.4, soil}, {5.0, 2.6, white}, {5.5, 2.65, soil}, {5.5, 2.85, white}, {4.2, 1.2, soil}});
}

TEST(SectionImage, LayerThinnerThanAUnitGetsNoFillAndSoilNamesAtTheEdgesOrInTheMiddle)
{
    // Soil 2 between -3 and a third surface 0.5 units (or 6 units) lower.
    for (const double units : {0.5, 6.0}) {
        const float bottom = static_cast<float>(-3.0 - units / kScale);
        Job job = SectionJob({{{-20, 0}, {40, 0}}, {{-20, -3}, {40, -3}}, {{-20, bottom}, {40, bottom}}});
        job.View.ShowSoils = kTrue;
        const Picture pic(std::move(job), kTabGeometry, kX0, kY0, kScale);
        const int filled = pic.Count(pic.image.rect(), [](const QColor& c) { return IsColour(c, palette::SoilFill(2)); });
        if (units < 1.0)
            EXPECT_EQ(filled, 0);
        else
            EXPECT_GT(filled, 500);
        EXPECT_TRUE(IsColour(pic.At(0.0, -6.0), palette::SoilFill(3))); // the lowest below it either way
    }

    // Soil names go to the edges where the layer is more than 15 units thick there, else to its middle.
    auto green = [](const QColor& c) { return c.green() > c.red() + 60 && c.green() > c.blue() + 60; };
    // Soil 1 from 0 down to -1 at both edges (15 units: not more than 15, no edge label),
    // 4 m thick in the middle: its name goes to the middle of its extent (x 0).
    Job job = SectionJob({{{-20, 0}, {-5, 0}, {0, 3}, {5, 0}, {20, 0}}, {{-20, -1}, {20, -1}}});
    job.Soils[0].Description.Assign("  Fill  ");
    const Picture thin(job, kTabGeometry, kX0, kY0, kScale);
    EXPECT_GT(thin.Count(QRect(270, 230, 60, 30), green), 0); // the middle, at y 1 (surface 240)
    EXPECT_EQ(thin.Count(QRect(25, 240, 80, 30), green), 0);  // not at the left edge

    // Soil 1 two metres thick at the edges: named at both edges, 30 units in.
    const Picture thick(SectionJob({{{-20, 0}, {-5, 0}, {0, 3}, {5, 0}, {20, 0}}, {{-20, -2}, {20, -2}}}), kTabGeometry,
                        kX0, kY0, kScale);
    EXPECT_GT(thick.Count(QRect(30, 245, 60, 25), green), 0);
    EXPECT_GT(thick.Count(QRect(510, 245, 60, 25), green), 0);
}

TEST(SectionImage, GridDotsOnlyWhenAtLeastTwoUnitsApartAndAFarZoomedOutViewStillDraws)
{
    // 0.1 m grid at 21 units per metre: dots 2.1 units apart; at 19: 1.9, none.
    for (const float scale : {21.0f, 19.0f}) {
        Job job = MakeDefaultJob();
        job.View.GridIncrement = 0.1f;
        const Picture pic(std::move(job), kTabGeometry, 0.0f, 0.0f, scale);
        auto black = [](const QColor& c) { return c.red() < 100 && c.green() < 100 && c.blue() < 100; };
        const int dots = pic.Count(QRect(100, 100, 400, 200), black); // away from the scale labels
        if (scale > 20.0f)
            EXPECT_GT(dots, 15000) << scale; // about 190 x 95 dots
        else
            EXPECT_EQ(dots, 0) << scale;
    }
    // A view thousands of kilometres wide: no dots, labels at most a unit apart skipped, and it returns.
    for (const float scale : {1e-5f, 0.02f}) {
        Job job = TwoStrata();
        job.View.ShowGrid = kTrue;
        EXPECT_FALSE(Picture(std::move(job), kTabGeometry, -1e6f, -1e6f, scale).image.isNull());
    }
}

TEST(SectionImage, CriticalResultsInRedAndNoneOnTheGeometryTab)
{
    const Picture pic(LoadExample("layered_slope.clv"), kTabSlipCircles);
    ASSERT_TRUE(pic.section.circles.has_value());
    const SlipResult* critical = pic.section.circles->Critical();
    ASSERT_NE(critical, nullptr);
    ASSERT_NE(critical->StabilityFactor, kInvalidFactor);
    // Points on the arc between the entry and the exit.
    for (const double t : {0.25, 0.5, 0.75}) {
        const double a = critical->EntryAngle + t * (critical->ExitAngle - critical->EntryAngle);
        EXPECT_TRUE(pic.Near(critical->CentreX + critical->Radius * std::cos(a),
                             critical->CentreY + critical->Radius * std::sin(a), 2, IsReddish)) << t;
    }
    // The factor under the critical centre, and no red far off the circle (above the centre).
    const QPoint centre = pic.Pixel(critical->CentreX, critical->CentreY);
    EXPECT_GT(pic.Count(QRect(centre.x() - 20, centre.y() + 6, 40, 14), IsReddish), 0);
    EXPECT_EQ(pic.Count(QRect(centre.x() - 20, centre.y() - 40, 40, 25), IsReddish), 0);

    const Picture geometry(LoadExample("layered_slope.clv"), kTabGeometry);
    EXPECT_EQ(geometry.Count(geometry.image.rect(), IsReddish), 0);

    const Picture wedges(LoadExample("reinforced_embankment.clv"), kTabWedges);
    ASSERT_TRUE(wedges.section.wedges.has_value());
    const WedgeResult* wedge = wedges.section.wedges->Critical();
    ASSERT_NE(wedge, nullptr);
    // Middle of the rear base of the critical wedge, from the inner corner to the surface.
    EXPECT_TRUE(wedges.Near((wedge->CornerX + wedge->TopX) / 2.0, (wedge->CornerLevel + wedge->TopLevel) / 2.0, 2, IsReddish));

    // The defined slip line, under the entered surface in purple.
    const Picture defined(LoadExample("cutting.clv"), kTabDefinedSurface);
    ASSERT_TRUE(defined.section.defined.has_value());
    const SliceList& slices = defined.section.defined->Slices;
    ASSERT_FALSE(slices.empty());
    const Slice& s = slices[slices.size() / 2];
    const double x = (s.XLeft + s.XRight) / 2.0, y = (s.BaseLeft + s.BaseRight) / 2.0;
    EXPECT_TRUE(defined.Near(x, y, 2, IsReddish));
    EXPECT_TRUE(defined.Near(x, y, 2, [](const QColor& c) { return c.red() > 120 && c.blue() > 120 && c.green() < 100; }));
}

TEST(SectionImage, LoadsPiezometricGridAndPointsWithTheSoilsOff)
{
    Job job = TwoStrata();
    job.View.ShowSoils = kFalse;
    job.View.ShowPoints = kTrue;
    auto add = [&job](Integer type, float value, float x, float y) -> LoadRecord& {
        LoadRecord& load = job.Loads.emplace_back();
        load.LoadType = type, load.Value = value, load.XMin = x, load.Y = y;
        return load;
    };
    add(kLineLoad, 25.0f, -10.0f, kNoLevel);         // arrow down onto (-10, 0)
    add(kLateralLoad, 15.0f, -15.0f, 2.0f);          // arrow from the right onto (-15, 2)
    LoadRecord& anchor = add(kAnchor, 100.0f, 0.0f, 2.5f); // head where the ground is at 2.5: x 5
    anchor.Angle = 30.0f, anchor.FreeLength = 5.0f, anchor.FixedLength = 8.0f;
    job.Piezo.Enabled = kTrue, job.Piezo.NX = 1, job.Piezo.NY = 1;
    job.Heads.Resize(1, 1);
    // The column's x, the row's level, the head.
    job.Heads.At(0, 1) = 12.0f, job.Heads.At(1, 0) = 12.0f, job.Heads.At(1, 1) = 3.0f;
    const Picture pic(std::move(job), kTabGeometry, kX0, kY0, kScale);

    // Dark red (128, 0, 0), partly covering a pixel at an antialiased edge.
    auto load = [](const QColor& c) { return c.red() - c.green() > 50 && c.red() - c.blue() > 50 && c.red() < 230; };
    EXPECT_TRUE(pic.Near(-10.0, 1.0, 1, load));   // line load shaft, 15 units above its point
    EXPECT_FALSE(pic.Near(-10.0, -1.0, 2, load)); // nothing below it
    // Its head opens back up the shaft: the wings reach up beside the tip, none reach below it.
    EXPECT_TRUE(pic.Near(-10.0, 0.0, 1, load, {-3, -4}) && pic.Near(-10.0, 0.0, 1, load, {3, -4}));
    EXPECT_FALSE(pic.Near(-10.0, 0.0, 1, load, {-3, 4}) || pic.Near(-10.0, 0.0, 1, load, {3, 4}));
    EXPECT_TRUE(pic.Near(-14.0, 2.0, 1, load));   // lateral load shaft, to the right of its point
    EXPECT_FALSE(pic.Near(-16.0, 2.0, 2, load));
    // The anchor: the middle of its fixed length, 9 m from the head along 30 degrees down into the slope.
    EXPECT_TRUE(pic.Near(5.0 + 9.0 * std::cos(kPi / 6.0), 2.5 - 9.0 * std::sin(kPi / 6.0), 1, load));
    auto blue = [](const QColor& c) { return c.blue() - c.red() > 60 && c.blue() - c.green() > 60; };
    EXPECT_TRUE(pic.Near(12.0 + 3.0 / kScale, 12.0, 1, blue)); // the node's cross

    // With the soils off only the ground line and its point markers are left.
    EXPECT_TRUE(IsWhite(pic.At(15.0, 2.0)));
    EXPECT_TRUE(IsWhite(pic.At(-10.0, -6.0)));
    auto dark = [](const QColor& c) { return c.lightness() < 100; };
    EXPECT_TRUE(pic.Near(-5.0, 0.0, 1, dark));    // the ground line
    EXPECT_FALSE(pic.Near(-10.0, -3.0, 3, dark)); // not the second surface
    auto green = [](const QColor& c) { return c.green() > c.red() + 60; };
    EXPECT_TRUE(pic.Near(0.0, 0.0, 2, green));          // marker of a ground point
    EXPECT_FALSE(pic.Near(-20.0 + 0.4, -3.0, 4, green)); // none on soil 2, no names
}

} // namespace
} // namespace clv::test
