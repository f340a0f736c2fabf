// Pictures of known sections: pixels that must hold a stratum's fill, ponded
// water, a soil name or a red critical result, and pixels that must stay white.
// Points are chosen well inside their regions, so antialiased edges and fonts
// do not matter.

#include "drawing_fixtures.h"
#include "drawing/palette.h"

#include <gtest/gtest.h>

namespace clv::test {
namespace {

using drawing::kTabDefinedSurface;
using drawing::kTabGeometry;
using drawing::kTabSlipCircles;
using drawing::kTabWedges;
namespace palette = drawing::palette;

// Ground level 0 on the left rising to 5 between x 0 and 10; a second stratum from -3 down.
Job TwoStrata(Points water = {})
{
    return SectionJob({{{-20, 0}, {0, 0}, {10, 5}, {40, 5}}, {{-20, -3}, {40, -3}}}, water);
}

// View: x -20..20, y -10..16.7 on 600 x 400.
constexpr float kX0 = -20.0f, kY0 = -10.0f, kScale = 15.0f;

struct Spot {
    double x, y;
    QColor colour;
};

void ExpectColours(const Picture& pic, std::initializer_list<Spot> spots)
{
    for (const Spot& c : spots)
        EXPECT_TRUE(IsColour(pic.At(c.x, c.y), c.colour)) << c.x << ", " << c.y << ": " << pic.At(c.x, c.y).name().toStdString();
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
    for (double x = -19.0; x <= 19.0; x += 0.5) {
        const double ground = x <= 0.0 ? 0.0 : x >= 10.0 ? 5.0 : x / 2.0;
        for (double y = ground + 0.3; y < 16.0; y += 0.5)
            ASSERT_TRUE(IsWhite(pic.At(x, y))) << x << ", " << y;
    }
}

TEST(SectionImage, PondedWaterAndTheLowestStratumUnderAHighWaterTable)
{
    // Water at 1 m: above the ground left of x = 2, below it to the right, and
    // above the whole top of the lowest stratum (at -3), which is still filled.
    ExpectColours(Picture(TwoStrata({{-20, 1}, {40, 1}}), kTabGeometry, kX0, kY0, kScale), {
        {-10.0, 0.5, palette::PondedWater()}, {-2.0, 0.6, palette::PondedWater()},
        {-10.0, 1.5, Qt::white},                 // above the water
        {5.0, 3.5, Qt::white},                   // above ground where the water is below it
        {5.0, 1.5, palette::SoilFill(1)},        // under water in the ground: soil, not water
        {-10.0, -6.0, palette::SoilFill(2)},
    });
}

TEST(SectionImage, ZoomedInFillsStayExactWhereSurfacesRunFarOffTheSurface)
{
    // 200 units a metre over x 4..7, y 1..3: the second stratum lies 800 units
    // below the view and the far stations thousands of units to the sides.
    const QColor soil = palette::SoilFill(1), white = Qt::white; // ground at x / 2
    ExpectColours(Picture(TwoStrata(), kTabGeometry, 4.0f, 1.0f, 200.0f),
                  {{5.0, 2.4, soil}, {5.0, 2.6, white}, {5.5, 2.65, soil}, {5.5, 2.85, white}, {4.2, 1.2, soil}});
}

TEST(SectionImage, LayerThinnerThanAUnitGetsNoFill)
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
}

TEST(SectionImage, SoilNamesAtTheEdgesOrInTheMiddle)
{
    auto green = [](const QColor& c) { return c.green() > c.red() + 60 && c.green() > c.blue() + 60; };
    // Soil 1 from 0 down to -1 at both edges (15 units: not more than 15, no edge label),
    // 4 m thick in the middle: its name goes to the middle of its extent (x 0).
    Job job = SectionJob({{{-20, 0}, {-5, 0}, {0, 3}, {5, 0}, {20, 0}}, {{-20, -1}, {20, -1}}});
    job.Soils[0].Description.Assign("  Fill  ");
    const Picture thin(job, kTabGeometry, kX0, kY0, kScale);
    EXPECT_GT(thin.Count(QRect(270, 230, 60, 30), green), 0); // the middle, at y 1 (surface 240)
    EXPECT_EQ(thin.Count(QRect(25, 240, 80, 30), green), 0);  // not at the left edge

    // Soil 1 two metres thick at the edges: named at both edges, 30 units in.
    job = SectionJob({{{-20, 0}, {-5, 0}, {0, 3}, {5, 0}, {20, 0}}, {{-20, -2}, {20, -2}}});
    const Picture thick(job, kTabGeometry, kX0, kY0, kScale);
    EXPECT_GT(thick.Count(QRect(30, 245, 60, 25), green), 0);
    EXPECT_GT(thick.Count(QRect(510, 245, 60, 25), green), 0);
}

TEST(SectionImage, GridDotsOnlyWhenAtLeastTwoUnitsApart)
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
}

TEST(SectionImage, CriticalCircleAndItsFactorInRed)
{
    const Picture pic(LoadExample("layered_slope.clv"), kTabSlipCircles);
    ASSERT_TRUE(pic.section.circles.has_value());
    const SlipResult* critical = pic.section.circles->Critical();
    ASSERT_NE(critical, nullptr);
    ASSERT_NE(critical->StabilityFactor, kInvalidFactor);
    // Points on the arc between the entry and the exit.
    for (const double t : {0.25, 0.5, 0.75}) {
        const double a = critical->EntryAngle + t * (critical->ExitAngle - critical->EntryAngle);
        const double x = critical->CentreX + critical->Radius * std::cos(a);
        const double y = critical->CentreY + critical->Radius * std::sin(a);
        EXPECT_TRUE(pic.Near(x, y, 2, IsReddish)) << t;
    }
    // The factor under the critical centre, and no red far off the circle (above the centre).
    const int cx = static_cast<int>(drawing::SurfaceX(pic.view, critical->CentreX));
    const int cy = static_cast<int>(drawing::SurfaceY(pic.view, pic.image.height(), critical->CentreY));
    EXPECT_GT(pic.Count(QRect(cx - 20, cy + 6, 40, 14), IsReddish), 0);
    EXPECT_EQ(pic.Count(QRect(cx - 20, cy - 40, 40, 25), IsReddish), 0);
}

TEST(SectionImage, CriticalWedgeInRed)
{
    const Picture pic(LoadExample("reinforced_embankment.clv"), kTabWedges);
    ASSERT_TRUE(pic.section.wedges.has_value());
    const WedgeResult* critical = pic.section.wedges->Critical();
    ASSERT_NE(critical, nullptr);
    // Middle of the rear base, from the inner corner to the surface.
    EXPECT_TRUE(pic.Near((critical->CornerX + critical->TopX) / 2.0, (critical->CornerLevel + critical->TopLevel) / 2.0, 2,
                         IsReddish));
}

TEST(SectionImage, DefinedSlipLineUnderTheEnteredSurface)
{
    const Picture pic(LoadExample("cutting.clv"), kTabDefinedSurface);
    ASSERT_TRUE(pic.section.defined.has_value());
    const SliceList& slices = pic.section.defined->Slices;
    ASSERT_FALSE(slices.empty());
    const Slice& s = slices[slices.size() / 2];
    const double x = (s.XLeft + s.XRight) / 2.0, y = (s.BaseLeft + s.BaseRight) / 2.0;
    EXPECT_TRUE(pic.Near(x, y, 2, IsReddish));
    auto purple = [](const QColor& c) { return c.red() > 120 && c.blue() > 120 && c.green() < 100; };
    EXPECT_TRUE(pic.Near(x, y, 2, purple));
}

TEST(SectionImage, SoilsOffLeavesOnlyTheGroundLine)
{
    Job job = TwoStrata();
    job.View.ShowSoils = kFalse;
    job.View.ShowPoints = kTrue;
    const Picture pic(std::move(job), kTabGeometry, kX0, kY0, kScale);
    EXPECT_TRUE(IsWhite(pic.At(15.0, 2.0)));   // no fills
    EXPECT_TRUE(IsWhite(pic.At(-10.0, -6.0)));
    auto dark = [](const QColor& c) { return c.lightness() < 100; };
    EXPECT_TRUE(pic.Near(-10.0, 0.0, 1, dark));   // the ground line
    EXPECT_FALSE(pic.Near(-10.0, -3.0, 3, dark)); // not the second surface
    auto green = [](const QColor& c) { return c.green() > c.red() + 60; };
    EXPECT_TRUE(pic.Near(0.0, 0.0, 2, green));     // marker of a ground point
    EXPECT_FALSE(pic.Near(-20.0 + 0.4, -3.0, 4, green)); // none on soil 2, no names
}

TEST(SectionImage, LoadsAndPiezometricGrid)
{
    Job job = TwoStrata();
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
    job.Heads.At(0, 1) = 12.0f; // x of the column
    job.Heads.At(1, 0) = 12.0f; // level of the row
    job.Heads.At(1, 1) = 3.0f;
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
}

TEST(SectionImage, FarZoomedOutViewStillDraws)
{
    // A view thousands of kilometres wide: no dots, labels at most a unit apart skipped, and it returns.
    for (const float scale : {1e-5f, 0.02f}) {
        Job job = TwoStrata();
        job.View.ShowGrid = kTrue;
        const Picture pic(std::move(job), kTabGeometry, -1e6f, -1e6f, scale);
        EXPECT_FALSE(pic.image.isNull());
    }
}

TEST(SectionImage, GeometryTabShowsNoResults)
{
    // The same job on the geometry tab: no red anywhere.
    const Picture pic(LoadExample("layered_slope.clv"), kTabGeometry);
    EXPECT_EQ(pic.Count(pic.image.rect(), IsReddish), 0);
}

} // namespace
} // namespace clv::test
