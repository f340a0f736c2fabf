// The report sections on the recording device: their texts, formats and the
// rules for empty or invalid results.

#include "recording_device.h"

#include "report/diagrams.h"
#include "report/reports.h"
#include "support/expect_floats.h"
#include "support/job_builders.h"

#include <gtest/gtest.h>

namespace clv::report {
namespace {

using test::PlacedText;
using test::RecordingDevice;
using Line = std::vector<std::string>;

struct Printed {
    RecordingDevice device;
    PrintOutcome outcome;

    int Count(const std::string& text) const { return device.Count(text); }
    /** The line that holds the `nth` text `text`, left to right (empty when there is none). */
    Line LineWith(const std::string& text, int nth = 0) const
    {
        const PlacedText* t = device.Find(text, nth);
        return t != nullptr ? device.LineOf(*t) : Line{};
    }
};

/** A fill over clay, with the results the report prints set by each test. */
struct Fixture {
    Job job = TwoSoilJob();
    SectionTable table = BuildSectionTable(job);
    LayerList layers;
    ReportSource src{job, table, layers};

    static Job TwoSoilJob()
    {
        Job job = MakeDefaultJob();
        SoilRecord fill = clv::test::SoilWith("Granular fill", 19.25f, 34.0f, 2.0f, {{-10, 0}, {5, 5.5f}, {30, 5.5f}});
        fill.Ru = 0.125f;
        fill.Suction = 1.5f;
        job.Soils = {fill, clv::test::SoilWith("Clay", 18.0f, 22.0f, 7.0f, {{-10, -2}, {30, -2}})};
        return job;
    }
    /** Prints with only the listed print options ticked. */
    Printed Print(std::initializer_list<int> ticked)
    {
        job.Print.fill(0);
        for (int i : ticked)
            job.Print[static_cast<std::size_t>(i)] = 1;
        Printed run;
        run.outcome = PrintReports(run.device, src, Settings{}, test::TestHeader(job));
        return run;
    }
};

TEST(InputReport, SoilsStrataWaterAndPiezometricGridInTheirColumnsAndFormats)
{
    Fixture f;
    f.job.Header.WaterUnitWeight = 10.05f;
    f.job.Header.FirstPageNumber = 4;
    Printed run = f.Print({10, 11, 12, 13});
    EXPECT_EQ(run.outcome.Pages, 1);
    const Line pageNo = run.LineWith("Page No"); // numbered on from the job's first page number
    ASSERT_GE(pageNo.size(), 2u);
    EXPECT_EQ(pageNo[1], "4");
    // Empty loads and reinforcement say so rather than tabulate.
    EXPECT_EQ(run.Count("No external loading was specified"), 1);
    EXPECT_EQ(run.Count("No soil reinforcement was specified"), 1);
    EXPECT_EQ(run.Count("Load type") + run.Count("Strength"), 0);
    for (const char* bold : {"No soil reinforcement was specified", "Piezometric grid was not enabled", "Soils input data"})
        EXPECT_TRUE(run.device.Find(bold)->bold) << bold;
    EXPECT_EQ(run.LineWith("Granular fill"), (Line{"Granular fill", "19.3", "34", "2", "0.13", "1.5"}));
    EXPECT_EQ(run.LineWith("Clay"), (Line{"Clay", "18.0", "22", "7", "0.00", "0.0"}));
    EXPECT_EQ(run.LineWith("Density", 0), (Line{"Density", "Phi", "Cohesion", "Ru", "Suction"}));
    EXPECT_EQ(run.LineWith("kN/m3", 0), (Line{"kN/m3", "degrees", "kN/m2", "ratio", "m (max)"}));
    // Strata points under the soil's name, then water.
    EXPECT_EQ(run.Count("Soil strata surface points"), 1);
    EXPECT_EQ(run.LineWith("-10.00", 0), (Line{"-10.00", "0.00"}));
    EXPECT_EQ(run.LineWith("-10.00", 1), (Line{"-10.00", "-2.00"}));
    EXPECT_EQ(run.LineWith("Density", 1), (Line{"Density", "10.05", "kN/m3"}));
    EXPECT_EQ(run.Count("Phreatic surface points"), 1);
    EXPECT_EQ(run.Count("Piezometric grid was not enabled"), 1);
    // Right-aligned at column 32: the density ends at 15 + 32 x 1.92 mm.
    const PlacedText* density = run.device.Find("19.3");
    ASSERT_NE(density, nullptr);
    EXPECT_FLOAT_EQ(density->x + 4 * 1.92f, 15.0f + 32 * 1.92f);
    EXPECT_FLOAT_EQ(run.device.Find("Granular fill")->x, 15.0f + 4 * 1.92f);

    // The grid's nodes with their heads: stations along row 0, levels down column 0.
    f.job.Piezo.Enabled = kTrue;
    f.job.Heads.Resize(2, 2);
    f.job.Heads.At(0, 1) = 1.5f, f.job.Heads.At(0, 2) = 12.25f;
    f.job.Heads.At(1, 0) = 4.0f, f.job.Heads.At(2, 0) = -3.0f;
    f.job.Heads.At(1, 1) = 5.25f, f.job.Heads.At(1, 2) = 4.75f;
    f.job.Heads.At(2, 1) = 3.125f, f.job.Heads.At(2, 2) = kNoLevel;
    run = f.Print({10, 11});
    EXPECT_EQ(run.Count("Piezometric grid was not enabled"), 0);
    EXPECT_EQ(run.LineWith("5.3"), (Line{"1.50", "4.00", "5.3"}));
    EXPECT_EQ(run.LineWith("4.8"), (Line{"12.25", "4.00", "4.8"}));
    EXPECT_EQ(run.LineWith("3.1"), (Line{"1.50", "-3.00", "3.1"}));
    EXPECT_EQ(run.LineWith("Head"), (Line{"X", "Y", "Head"}));
}

TEST(InputReport, LoadsReinforcementAndPartialFactorsInTheirColumnsAndFormats)
{
    Fixture f;
    f.job.Loads = {
        LoadRecord{.LoadType = kSurcharge, .Value = 12.5f, .XMin = 6.0f, .XMax = 15.25f, .Y = kNoLevel},
        LoadRecord{.LoadType = kLineLoad, .Value = 40.0f, .XMin = 8.0f, .XMax = 8.0f, .Y = 5.5f},
        LoadRecord{.LoadType = kLateralLoad, .Value = 7.0f, .XMin = 2.0f, .XMax = 2.5f, .Y = 3.75f},
        LoadRecord{.LoadType = kAnchor, .Value = 100.0f, .XMin = 3.0f, .XMax = 4.0f, .Y = 2.25f, .Angle = 30.0f},
    };
    ReinforcementBlock b;
    b.Description = FixedText<25>("Geogrid 55");
    b.Strength = 22.75f, b.Length = 6.25f, b.FrictionCoefficient = 0.875f;
    b.VerticalSpacing = 0.5f, b.BlockHeight = 5.5f, b.BlockBase = 1.25f;
    f.job.Reinforcement = {b};
    PartialFactors& p = f.job.Factors;
    p.DesignCode = kBs8006Uls;
    p.RamificationsOfFailure = 1.1f, p.SoilSelfWeight = 1.3f, p.ImposedLoads = 1.5f, p.TanPhi = 1.25f;
    p.Cohesion = 1.6f, p.ReinforcementStrength = 1.15f, p.SlidingOnReinforcement = 1.35f, p.PullOut = 1.45f;
    f.job.Header.VerticalAccelerationFactor = 0.05f;
    f.job.Header.LateralAccelerationFactor = 0.125f;
    const Printed run = f.Print({10, 12, 13, 14});
    // Anchors have no X columns; a surcharge on the surface has no level.
    const Line expected[] = {
        {"Load type", "Magnitude", "X Min", "X Max", "Y"},
        {"Surcharge", "12.5", "kN/m2", "6.00", "15.25", "Surface"},
        {"Line load", "40.0", "kN/m", "8.00", "8.00", "5.50"},
        {"Lateral load", "7.0", "kN/m", "2.00", "2.50", "3.75"},
        {"Anchor", "100.0", "kN/m", "2.25"},
        {"Geogrid 55", "22.8", "6.3", "0.88", "0.50", "5.50", "1.25"},
        {"Name", "Strength", "Length", "Friction", "Spacing", "Height", "Base"},
        {"Layer", "Vertical", "Block details"},
        {"Design code referenced", "BS8006 Reinforced Soil - Ultimate Limit State"},
        {"Ramifications of failiure", "fn", "1.10"},     {"Soil self weight", "ffs", "1.30"},
        {"Imposed loads", "fq", "1.50"},                 {"Soil tan(phi)values", "fms", "1.25"},
        {"Soil cohesion values", "fms", "1.60"},         {"Reinforcing material strength", "fm", "1.15"},
        {"Sliding on reinforcement", "fs", "1.35"},      {"Reinforcement pull-out", "fp", "1.45"},
        {"Vertical acceleration factor (x gravity)", "0.05"}, {"Lateral acceleration factor (x gravity)", "0.13"},
    };
    for (const Line& line : expected)
        EXPECT_EQ(run.LineWith(line[0]), line);
    EXPECT_EQ(run.Count("No external loading was specified") + run.Count("No soil reinforcement was specified"), 0);
    EXPECT_TRUE(run.device.Find("Seismic acceleration")->bold);
    // The unit starts one column right of the magnitude's end at 26.
    EXPECT_FLOAT_EQ(run.device.Find("kN/m2")->x, 15.0f + 27 * 1.92f);
}

TEST(InputReport, FiftyPointsSpillOntoTheNextPageUnderContinuedHeadings)
{
    Fixture f;
    SoilRecord& s = f.job.Soils[0];
    s.PointCount = 50;
    for (int j = 1; j <= 50; ++j)
        s.X[static_cast<std::size_t>(j)] = static_cast<float>(j) + 0.25f, s.Y[static_cast<std::size_t>(j)] = 1.0f;
    const Printed run = f.Print({10, 11});
    // Page 1 holds the soils and, from row 20 to row 47, the first 28 points.
    for (int j = 1; j <= 50; ++j) {
        const PlacedText* x = run.device.Find(std::to_string(j) + ".25");
        ASSERT_NE(x, nullptr) << j;
        EXPECT_EQ(x->page, j <= 28 ? 1 : 2) << j;
        EXPECT_EQ(run.Count(std::to_string(j) + ".25"), 1) << j;
    }
    // Under the continued heading: the soil's name and the X / Y headings again.
    const std::vector<PlacedText> page2 = run.device.Page(2);
    const auto at = std::ranges::find(page2, "Soil strata surface points - continued", &PlacedText::text);
    ASSERT_GE(page2.end() - at, 4);
    EXPECT_EQ(at[1].text, "Granular fill");
    EXPECT_EQ(at[2].text, "X");
    EXPECT_EQ(at[3].text, "Y");
}

// Results built by hand: the report prints what it is given.
SlipResult Circle(float x, float y, float r, float factor)
{
    SlipResult s;
    s.CentreX = x, s.CentreY = y, s.Radius = r;
    s.DisturbingMoment = 1234.4f, s.SoilMoment = 1500.5f, s.ReinforcementMoment = 0.0f;
    s.DisturbingForce = 321.0f, s.SoilForce = 400.0f, s.ReinforcementForce = 55.0f, s.StabilityFactor = factor;
    s.CentreMinimum = factor, s.EntryAngle = -2.5f, s.ExitAngle = -0.8f;
    return s;
}

Slice OneSlice()
{
    Slice s;
    s.XLeft = 1.25f, s.XRight = 2.5f, s.GroundLeft = 3.5f, s.GroundRight = 4.0f, s.BaseLeft = -1.5f, s.BaseRight = -1.0f;
    s.BaseAngle = 0.5f; // 28.6 degrees
    s.DesignCohesion = 5.25f, s.DesignTanPhi = 0.4663f, s.Weight = 101.25f, s.VerticalLoad = 12.0f;
    s.HorizontalLoad = -3.5f, s.SurfaceWaterPressure = 0.0f, s.BasePorePressure = 14.7f, s.NormalForce = 88.75f;
    return s;
}

TEST(CircleReport, InvalidCirclesLeftOutInvalidCriticalWithoutSlicesForceAndRigorousRows)
{
    Fixture f;
    CircleSearchResult search;
    search.Slips = {Circle(1, 9, 10.5f, 1.6f), Circle(2, 9, 11.0f, kInvalidFactor), Circle(3, 9, 11.5f, 150.0f)};
    search.CentreCount = 3;
    search.CriticalSlip = 1;
    search.CriticalSlices = {OneSlice()};
    f.src.circles = &search;
    const Printed run = f.Print({20, 21, 22, 23, 24});
    EXPECT_EQ(run.Count("Method of analysis used is Bishop simplified (Moment equilibrium)"), 1);
    EXPECT_EQ(run.Count("Y value"), 1);
    EXPECT_EQ(run.Count("at ground surface"), f.job.Slip.CommonY == kNoLevel ? 1 : 0);
    EXPECT_EQ(run.LineWith("10.50"), (Line{"1.00", "9.00", "10.50", "1234", "1501", "0", "1.60"}));
    EXPECT_EQ(run.LineWith("Radius"), (Line{"X", "Y", "Radius", "Disturb", "Restore", "Restore", "Stability"}));
    EXPECT_EQ(run.Count("11.00"), 0);
    EXPECT_EQ(run.LineWith("11.50"), (Line{"3.00", "9.00", "11.50", "1234", "1501", "0", ">100"}));
    EXPECT_EQ(run.Count("kNm/m"), 3 + 3);
    EXPECT_EQ(run.LineWith("Stability factor"), (Line{"Stability factor", "1.60"}));
    EXPECT_EQ(run.LineWith("1.25"),
              (Line{"1.25", "3.50", "-1.50", "28.6", "5.3", "0.466", "101.3", "12.0", "-3.5", "0.0", "14.7", "88.8"}));
    EXPECT_EQ(run.LineWith("2.50"), (Line{"2.50", "4.00", "-1.00"})); // the right end of the last slice

    // No valid circle: the critical one reads Invalid, has no slices, and the diagram says so.
    search.Slips = {Circle(1, 9, 10, kInvalidFactor)};
    search.CentreCount = 1;
    const Printed invalid = f.Print({20, 23, 24, 25});
    EXPECT_EQ(invalid.LineWith("Stability factor"), (Line{"Stability factor", "Invalid"}));
    EXPECT_EQ(invalid.Count("Critical circle slice details"), 0);
    EXPECT_EQ(invalid.Count("Diagram showing all circles"), 1);
    EXPECT_EQ(invalid.Count(kNothingToDrawLine), 1);
    EXPECT_EQ(invalid.Count("Invalid"), 1); // no centre labels drawn

    // The force methods print forces, and the rigorous one its interslice function.
    f.job.Slip.Method = kJanbu;
    search.Slips = {Circle(1, 9, 10.5f, 1.25f)};
    const Printed force = f.Print({20, 21, 22, 23});
    EXPECT_EQ(force.Count("Method of analysis used is Janbu simplified (Force equilibrium)"), 1);
    EXPECT_EQ(force.LineWith("Disturbing force"), (Line{"Disturbing force", "321", "kN/m"}));
    EXPECT_EQ(force.LineWith("Restoring force due to reinforcement"), (Line{"Restoring force due to reinforcement", "55", "kN/m"}));
    EXPECT_EQ(force.Count("kNm/m") + force.Count("f(x) at X = 0 is"), 0);
    // Sixty circles run onto a second page, under the heading and the column headings again.
    search.Slips.assign(60, search.Slips[0]);
    const Printed many = f.Print({20, 22});
    const int continued = many.Count("Tabular printout of circular slips - continued");
    EXPECT_GE(continued, 1);
    EXPECT_EQ(many.Count("Radius"), 1 + continued);
    EXPECT_EQ(many.Count("kN/m"), 3 * (1 + continued));
    search.Slips.resize(1);

    f.job.Slip.Method = kRigorous;
    f.job.Slip.Fx = {1.0f, 0.9f, 0.8f, 0.75f, 0.7f, 0.65f, 0.6f, 0.55f, 0.5f, 0.45f, 0.0625f};
    search.Slips[0].Lambda = 0.375f;
    const Printed rigorous = f.Print({20, 21, 23});
    for (const Line& line : {Line{"f(x) at X = 0 is", "1.000"}, Line{"f(x) at X = 10% of slip width is", "0.900"},
                             Line{"f(x) at X = 90% of slip width is", "0.450"}, Line{"f(x) at X = slip width is", "0.063"},
                             Line{"Interslice factor, Lambda", "0.38"}})
        EXPECT_EQ(rigorous.LineWith(line[0]), line);
    EXPECT_EQ(rigorous.Count("Method of analysis used is the Rigorous solution"), 1);
}

TEST(DefinedReport, InvalidSurfaceReadsNotAvailableWithoutSlices)
{
    Fixture f;
    f.job.UserPoints = {{-3.0f, 0.5f}, {4.125f, -1.6f}, {19.5f, 9.0f}};
    DefinedSurfaceResult defined;
    defined.Slip.DisturbingForce = 250.25f, defined.Slip.SoilForce = 300.0f, defined.Slip.ReinforcementForce = 12.0f;
    defined.Slip.StabilityFactor = 1.249f;
    defined.Slices = {OneSlice()};
    f.src.defined = &defined;
    const std::string factorLine = "The resulting stability factor is";
    const Printed run = f.Print({30, 31, 32, 33});
    EXPECT_EQ(run.LineWith("4.13"), (Line{"4.13", "-1.60"}));
    EXPECT_EQ(run.Count("The method of analysis used is Janbu simplified (horizontal equilibrium)"), 1);
    EXPECT_EQ(run.LineWith("The total disturbing forces are"), (Line{"The total disturbing forces are", "250.3", "kN"}));
    EXPECT_EQ(run.LineWith(factorLine), (Line{factorLine, "1.25"}));
    EXPECT_EQ(run.Count("Defined surface slice details"), 1);

    defined.Slip.StabilityFactor = kInvalidFactor;
    const Printed invalid = f.Print({30, 32, 33, 34});
    EXPECT_EQ(invalid.LineWith(factorLine), (Line{factorLine, "N/A"}));
    EXPECT_EQ(invalid.Count("Defined surface slice details"), 0);
    // Its diagram has nothing to draw, and says so under its title.
    EXPECT_EQ(invalid.Count("Diagram showing defined surface (with slice limits)"), 1);
    EXPECT_EQ(invalid.Count(kNothingToDrawLine), 1);

    defined.Slip.StabilityFactor = 100.5f;
    EXPECT_EQ(f.Print({30, 32}).LineWith(factorLine), (Line{factorLine, ">100"}));
}

WedgeResult Wedge(float width, float baseAngle, float rearAngle, float factor)
{
    WedgeResult w;
    w.ToeLevel = 0.5f, w.BaseWidth = width, w.BaseAngle = baseAngle, w.RearAngle = rearAngle;
    w.ToeX = 0, w.CornerX = width, w.TopX = width + 3, w.CornerLevel = 0.5f, w.GroundAtCorner = 5, w.TopLevel = 6;
    w.Disturbing = 80.25f, w.SoilRestore = 40.5f, w.ReinforcementRestore = 60.0f, w.StabilityFactor = factor;
    return w;
}

TEST(WedgeReport, BaselessWedgePrintsDashesForItsBaseAngleAndNoWedgeIsOneLine)
{
    Fixture f;
    WedgeSearchResult wedges;
    wedges.Wedges = {Wedge(0.0f, 10.0f, 55.0f, 1.41f), Wedge(2.25f, 10.0f, 60.0f, 1.5f), Wedge(4.5f, 5.0f, 65.0f, 10000.0f)};
    wedges.CriticalWedge = 1;
    wedges.CriticalSlices = {OneSlice()};
    f.src.wedges = &wedges;
    const Printed run = f.Print({40, 41, 42, 43, 44});
    const Line expected[] = {
        {"0.50", "0.00", "-", "55", "80.3", "40.5", "60.0", "1.41"},
        {"0.50", "2.25", "10", "60", "80.3", "40.5", "60.0", "1.50"},
        {"0.50", "4.50", "5", "65", "80.3", "40.5", "60.0", ">100"},
    };
    for (const Line& line : expected)
        EXPECT_EQ(run.LineWith(line[3]), line);
    EXPECT_EQ(run.LineWith("Angle of wedge part 1 to horizontal"), (Line{"Angle of wedge part 1 to horizontal", "-", "degrees"}));
    EXPECT_EQ(run.LineWith("Angle of wedge part 2 to horizontal"), (Line{"Angle of wedge part 2 to horizontal", "55", "degrees"}));
    EXPECT_EQ(run.LineWith("Disturbing force due to soil"), (Line{"Disturbing force due to soil", "80.3", "kN/m"}));
    EXPECT_EQ(run.Count("Critical wedge slice details"), 1);
    EXPECT_EQ(run.Count("Diagram showing all two part wedge surfaces"), 1);
    EXPECT_EQ(run.Count(kNothingToDrawLine), 0);

    // Clearing the slices box leaves out only the slice table.
    const Printed noSlices = f.Print({40, 41, 42, 44});
    EXPECT_EQ(noSlices.Count("Critical wedge slice details"), 0);
    EXPECT_EQ(noSlices.Count("Critical wedge (minimum stability factor) details"), 1);
    EXPECT_EQ(noSlices.Count("Diagram showing all two part wedge surfaces"), 1);

    // No wedge at all: one line, without the critical sections or the diagram.
    const WedgeSearchResult none;
    f.src.wedges = &none;
    const Printed empty = f.Print({40, 41, 42, 43, 44});
    EXPECT_EQ(empty.outcome.Pages, 1);
    EXPECT_EQ(empty.Count(kNoWedgeLine), 1);
    EXPECT_EQ(empty.Count("Critical wedge (minimum stability factor) details"), 0);
    EXPECT_EQ(empty.Count("Diagram showing all two part wedge surfaces"), 0);
}

void ExpectBox(const DiagramExtents& e, const std::vector<float>& want)
{
    clv::test::ExpectFloats({e.XMin, e.XMax, e.YMin, e.YMax}, want);
}

TEST(Diagrams, ExtentsFromValidCirclesWidenedByATenthForSurfacesAndWedgesAndOneScaleFits)
{
    CircleSearchResult search;
    search.Slips = {Circle(2, 10, 5, 1.3f), Circle(40, 90, 70, kInvalidFactor), Circle(6, 12, 8, 1.1f)};
    ExpectBox(CircleExtents(search), {2 - 5 - 1.0f, 6 + 8 + 1.0f, 12 - 8 - 1.0f, 12 + 1.0f});
    search.Slips = {Circle(40, 90, 70, kInvalidFactor)};
    EXPECT_TRUE(CircleExtents(search).Empty());
    DefinedSurfaceResult d;
    d.Slip.StabilityFactor = 1.2f;
    d.Slices = {OneSlice()}; // x 1.25..2.5, base -1.5, top 4.0
    ExpectBox(DefinedExtents(d), {1.25f - 0.125f, 2.5f + 0.125f, -1.5f - 0.55f, 4.0f + 0.55f});
    WedgeSearchResult w;
    w.Wedges = {Wedge(2.0f, 0, 60, 1.2f)}; // x 0..5, levels 0.5..6
    ExpectBox(WedgeExtents(w), {-0.5f, 5.5f, 0.5f - 0.55f, 6.0f + 0.55f});

    DiagramExtents wide, deep;
    wide.Widen(0, 100, 0, 10);
    EXPECT_FLOAT_EQ(DiagramScale(wide, 180, 200), 1.8f); // width governs
    deep.Widen(0, 10, -50, 50);
    EXPECT_FLOAT_EQ(DiagramScale(deep, 180, 200), 2.0f); // 18 per metre would make it 1800 tall
    const DiagramFrame frame = FitDiagram(deep, 15, 60, 180, 200);
    EXPECT_FLOAT_EQ(frame.PageX(10), 15 + 20.0f);
    EXPECT_FLOAT_EQ(frame.PageY(-50), 60 + 200.0f);
    EXPECT_FLOAT_EQ(frame.PageY(50), 60.0f);
}

} // namespace
} // namespace clv::report
