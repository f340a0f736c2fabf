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

struct Printed {
    RecordingDevice device;
    PrintOutcome outcome;
};

/** Prints the source with only the listed print options ticked. */
Printed Print(Job& job, const ReportSource& base, std::initializer_list<int> ticked)
{
    job.Print.fill(0);
    for (int i : ticked)
        job.Print[static_cast<std::size_t>(i)] = 1;
    Printed run;
    run.outcome = PrintReports(run.device, base, Settings{}, test::TestHeader(job));
    return run;
}

std::vector<std::string> LineWith(const RecordingDevice& d, const std::string& text, int nth = 0)
{
    const PlacedText* t = d.Find(text, nth);
    return t != nullptr ? d.LineOf(*t) : std::vector<std::string>{};
}

using Line = std::vector<std::string>;

Job TwoSoilJob()
{
    Job job = MakeDefaultJob();
    SoilRecord fill = clv::test::SoilWith("Granular fill", 19.25f, 34.0f, 2.0f, {{-10, 0}, {5, 5.5f}, {30, 5.5f}});
    fill.Ru = 0.125f;
    fill.Suction = 1.5f;
    job.Soils = {fill, clv::test::SoilWith("Clay", 18.0f, 22.0f, 7.0f, {{-10, -2}, {30, -2}})};
    return job;
}

struct Fixture {
    Job job;
    SectionTable table;
    LayerList layers;
    explicit Fixture(Job j) : job(std::move(j)), table(BuildSectionTable(job)) {}
    ReportSource Source() const { return ReportSource{job, table, layers}; }
};

TEST(InputReport, SoilsStrataWaterInTheirColumnsAndFormats)
{
    Fixture f(TwoSoilJob());
    f.job.Header.WaterUnitWeight = 10.05f;
    Printed run = Print(f.job, f.Source(), {10, 11, 12, 13});
    EXPECT_EQ(run.outcome.Pages, 1);
    // Empty loads and reinforcement say so rather than tabulate.
    EXPECT_EQ(run.device.Count("No external loading was specified"), 1);
    EXPECT_EQ(run.device.Count("No soil reinforcement was specified"), 1);
    EXPECT_TRUE(run.device.Find("No soil reinforcement was specified")->bold);
    EXPECT_EQ(run.device.Count("Load type") + run.device.Count("Strength"), 0);
    EXPECT_EQ(LineWith(run.device, "Granular fill"), (Line{"Granular fill", "19.3", "34", "2", "0.13", "1.5"}));
    EXPECT_EQ(LineWith(run.device, "Clay"), (Line{"Clay", "18.0", "22", "7", "0.00", "0.0"}));
    EXPECT_EQ(LineWith(run.device, "Density", 0), (Line{"Density", "Phi", "Cohesion", "Ru", "Suction"}));
    EXPECT_EQ(LineWith(run.device, "kN/m3", 0), (Line{"kN/m3", "degrees", "kN/m2", "ratio", "m (max)"}));
    // Strata points under the soil's name, then water.
    EXPECT_EQ(run.device.Count("Soil strata surface points"), 1);
    EXPECT_EQ(LineWith(run.device, "-10.00", 0), (Line{"-10.00", "0.00"}));
    EXPECT_EQ(LineWith(run.device, "-10.00", 1), (Line{"-10.00", "-2.00"}));
    EXPECT_EQ(LineWith(run.device, "Density", 1), (Line{"Density", "10.05", "kN/m3"}));
    EXPECT_EQ(run.device.Count("Phreatic surface points"), 1);
    EXPECT_EQ(run.device.Count("Piezometric grid was not enabled"), 1);
    EXPECT_TRUE(run.device.Find("Piezometric grid was not enabled")->bold);
    EXPECT_TRUE(run.device.Find("Soils input data")->bold);
    // Right-aligned at column 32: the density ends at 15 + 32 x 1.92 mm.
    const PlacedText* density = run.device.Find("19.3");
    ASSERT_NE(density, nullptr);
    EXPECT_FLOAT_EQ(density->x + 4 * 1.92f, 15.0f + 32 * 1.92f);
    EXPECT_FLOAT_EQ(run.device.Find("Granular fill")->x, 15.0f + 4 * 1.92f);
}

TEST(InputReport, PiezometricGridNodesWithTheirHeads)
{
    Fixture f(TwoSoilJob());
    f.job.Piezo.Enabled = kTrue;
    f.job.Heads.Resize(2, 2);
    f.job.Heads.At(0, 1) = 1.5f, f.job.Heads.At(0, 2) = 12.25f; // stations
    f.job.Heads.At(1, 0) = 4.0f, f.job.Heads.At(2, 0) = -3.0f;  // levels
    f.job.Heads.At(1, 1) = 5.25f, f.job.Heads.At(1, 2) = 4.75f;
    f.job.Heads.At(2, 1) = 3.125f, f.job.Heads.At(2, 2) = kNoLevel;
    Printed run = Print(f.job, f.Source(), {10, 11});
    EXPECT_EQ(run.device.Count("Piezometric grid was not enabled"), 0);
    EXPECT_EQ(LineWith(run.device, "5.3"), (Line{"1.50", "4.00", "5.3"}));
    EXPECT_EQ(LineWith(run.device, "4.8"), (Line{"12.25", "4.00", "4.8"}));
    EXPECT_EQ(LineWith(run.device, "3.1"), (Line{"1.50", "-3.00", "3.1"}));
    EXPECT_EQ(LineWith(run.device, "Head"), (Line{"X", "Y", "Head"}));
}

TEST(InputReport, LoadsWithSurfaceLevelsAndAnchorsWithoutXColumns)
{
    Fixture f(TwoSoilJob());
    f.job.Loads = {
        LoadRecord{.LoadType = kSurcharge, .Value = 12.5f, .XMin = 6.0f, .XMax = 15.25f, .Y = kNoLevel},
        LoadRecord{.LoadType = kLineLoad, .Value = 40.0f, .XMin = 8.0f, .XMax = 8.0f, .Y = 5.5f},
        LoadRecord{.LoadType = kLateralLoad, .Value = 7.0f, .XMin = 2.0f, .XMax = 2.5f, .Y = 3.75f},
        LoadRecord{.LoadType = kAnchor, .Value = 100.0f, .XMin = 3.0f, .XMax = 4.0f, .Y = 2.25f, .Angle = 30.0f},
    };
    Printed run = Print(f.job, f.Source(), {10, 12});
    EXPECT_EQ(LineWith(run.device, "Load type"), (Line{"Load type", "Magnitude", "X Min", "X Max", "Y"}));
    for (const Line& line : {Line{"Surcharge", "12.5", "kN/m2", "6.00", "15.25", "Surface"},
                             Line{"Line load", "40.0", "kN/m", "8.00", "8.00", "5.50"},
                             Line{"Lateral load", "7.0", "kN/m", "2.00", "2.50", "3.75"}, Line{"Anchor", "100.0", "kN/m", "2.25"}})
        EXPECT_EQ(LineWith(run.device, line[0]), line);
    EXPECT_EQ(run.device.Count("No external loading was specified"), 0);
    // The unit starts one column right of the magnitude's end at 26.
    EXPECT_FLOAT_EQ(run.device.Find("kN/m2")->x, 15.0f + 27 * 1.92f);
}

TEST(InputReport, ReinforcementBlocks)
{
    Fixture f(TwoSoilJob());
    ReinforcementBlock b;
    b.Description = FixedText<25>("Geogrid 55");
    b.Strength = 22.75f, b.Length = 6.25f, b.FrictionCoefficient = 0.875f;
    b.VerticalSpacing = 0.5f, b.BlockHeight = 5.5f, b.BlockBase = 1.25f;
    f.job.Reinforcement = {b};
    Printed run = Print(f.job, f.Source(), {10, 13});
    EXPECT_EQ(LineWith(run.device, "Geogrid 55"), (Line{"Geogrid 55", "22.8", "6.3", "0.88", "0.50", "5.50", "1.25"}));
    EXPECT_EQ(LineWith(run.device, "Name"), (Line{"Name", "Strength", "Length", "Friction", "Spacing", "Height", "Base"}));
    EXPECT_EQ(LineWith(run.device, "Layer"), (Line{"Layer", "Vertical", "Block details"}));
}

TEST(InputReport, PartialFactorsAndSeismicCoefficients)
{
    Fixture f(TwoSoilJob());
    PartialFactors& p = f.job.Factors;
    p.DesignCode = kBs8006Uls;
    p.RamificationsOfFailure = 1.1f, p.SoilSelfWeight = 1.3f, p.ImposedLoads = 1.5f, p.TanPhi = 1.25f;
    p.Cohesion = 1.6f, p.ReinforcementStrength = 1.15f, p.SlidingOnReinforcement = 1.35f, p.PullOut = 1.45f;
    f.job.Header.VerticalAccelerationFactor = 0.05f;
    f.job.Header.LateralAccelerationFactor = 0.125f;
    Printed run = Print(f.job, f.Source(), {10, 14});
    EXPECT_EQ(LineWith(run.device, "Design code referenced"),
              (Line{"Design code referenced", "BS8006 Reinforced Soil - Ultimate Limit State"}));
    const Line expected[] = {
        {"Ramifications of failiure", "fn", "1.10"},     {"Soil self weight", "ffs", "1.30"},
        {"Imposed loads", "fq", "1.50"},                 {"Soil tan(phi)values", "fms", "1.25"},
        {"Soil cohesion values", "fms", "1.60"},         {"Reinforcing material strength", "fm", "1.15"},
        {"Sliding on reinforcement", "fs", "1.35"},      {"Reinforcement pull-out", "fp", "1.45"},
        {"Vertical acceleration factor (x gravity)", "0.05"}, {"Lateral acceleration factor (x gravity)", "0.13"},
    };
    for (const Line& line : expected)
        EXPECT_EQ(LineWith(run.device, line[0]), line);
    EXPECT_TRUE(run.device.Find("Seismic acceleration")->bold);
}

TEST(InputReport, FiftyPointsSpillOntoTheNextPageUnderContinuedHeadings)
{
    Fixture f(TwoSoilJob());
    SoilRecord& s = f.job.Soils[0];
    s.PointCount = 50;
    for (int j = 1; j <= 50; ++j)
        s.X[static_cast<std::size_t>(j)] = static_cast<float>(j) + 0.25f, s.Y[static_cast<std::size_t>(j)] = 1.0f;
    Printed run = Print(f.job, f.Source(), {10, 11});
    // Page 1 holds the soils and, from row 20 to row 47, the first 28 points.
    for (int j = 1; j <= 50; ++j) {
        const PlacedText* x = run.device.Find(std::to_string(j) + ".25");
        ASSERT_NE(x, nullptr) << j;
        EXPECT_EQ(x->page, j <= 28 ? 1 : 2) << j;
        EXPECT_EQ(run.device.Count(std::to_string(j) + ".25"), 1) << j;
    }
    const PlacedText* continued = run.device.Find("Soil strata surface points - continued");
    ASSERT_NE(continued, nullptr);
    EXPECT_EQ(continued->page, 2);
    // Under the continued heading: the soil's name and the X / Y headings again.
    const std::vector<PlacedText> page2 = run.device.Page(2);
    const auto at = std::ranges::find_if(page2, [](const PlacedText& t) { return t.text == "Soil strata surface points - continued"; });
    ASSERT_NE(at, page2.end());
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

TEST(CircleReport, InvalidCirclesAreLeftOutAndAnInvalidCriticalHasNoSlices)
{
    Fixture f(TwoSoilJob());
    CircleSearchResult search;
    search.Slips = {Circle(1, 9, 10.5f, 1.6f), Circle(2, 9, 11.0f, kInvalidFactor), Circle(3, 9, 11.5f, 150.0f)};
    search.CentreCount = 3;
    search.CriticalSlip = 1;
    search.CriticalSlices = {OneSlice()};
    ReportSource src = f.Source();
    src.circles = &search;
    Printed run = Print(f.job, src, {20, 21, 22, 23, 24});
    EXPECT_EQ(run.device.Count("Method of analysis used is Bishop simplified (Moment equilibrium)"), 1);
    EXPECT_EQ(run.device.Count("Y value"), 1);
    EXPECT_EQ(run.device.Count("at ground surface"), f.job.Slip.CommonY == kNoLevel ? 1 : 0);
    EXPECT_EQ(LineWith(run.device, "10.50"), (Line{"1.00", "9.00", "10.50", "1234", "1501", "0", "1.60"}));
    EXPECT_EQ(run.device.Count("11.00"), 0);
    EXPECT_EQ(LineWith(run.device, "11.50"), (Line{"3.00", "9.00", "11.50", "1234", "1501", "0", ">100"}));
    EXPECT_EQ(run.device.Count("kNm/m"), 3 + 3);
    EXPECT_EQ(LineWith(run.device, "Stability factor"), (Line{"Stability factor", "1.60"}));
    EXPECT_EQ(LineWith(run.device, "1.25"), (Line{"1.25", "3.50", "-1.50", "28.6", "5.3", "0.466", "101.3", "12.0", "-3.5",
                                                  "0.0", "14.7", "88.8"}));
    EXPECT_EQ(LineWith(run.device, "2.50"), (Line{"2.50", "4.00", "-1.00"})); // the right end of the last slice

    search.CriticalSlip = 2; // an invalid critical circle
    Printed invalid = Print(f.job, src, {20, 23, 24});
    EXPECT_EQ(LineWith(invalid.device, "Stability factor"), (Line{"Stability factor", "Invalid"}));
    EXPECT_EQ(invalid.device.Count("Critical circle slice details"), 0);
}

TEST(CircleReport, ForceMethodAndRigorousRows)
{
    Fixture f(TwoSoilJob());
    f.job.Slip.Method = kJanbu;
    CircleSearchResult search;
    search.Slips = {Circle(1, 9, 10.5f, 1.25f)};
    search.CentreCount = 1;
    search.CriticalSlip = 1;
    ReportSource src = f.Source();
    src.circles = &search;
    Printed run = Print(f.job, src, {20, 21, 22, 23});
    EXPECT_EQ(run.device.Count("Method of analysis used is Janbu simplified (Force equilibrium)"), 1);
    EXPECT_EQ(LineWith(run.device, "Disturbing force"), (Line{"Disturbing force", "321", "kN/m"}));
    EXPECT_EQ(LineWith(run.device, "Restoring force due to reinforcement"),
              (Line{"Restoring force due to reinforcement", "55", "kN/m"}));
    EXPECT_EQ(run.device.Count("kNm/m"), 0);
    EXPECT_EQ(run.device.Count("f(x) at X = 0 is"), 0);

    f.job.Slip.Method = kRigorous;
    f.job.Slip.Fx = {1.0f, 0.9f, 0.8f, 0.75f, 0.7f, 0.65f, 0.6f, 0.55f, 0.5f, 0.45f, 0.0625f};
    search.Slips[0].Lambda = 0.375f;
    Printed rigorous = Print(f.job, src, {20, 21, 23});
    for (const Line& line : {Line{"f(x) at X = 0 is", "1.000"}, Line{"f(x) at X = 10% of slip width is", "0.900"},
                             Line{"f(x) at X = 90% of slip width is", "0.450"}, Line{"f(x) at X = slip width is", "0.063"},
                             Line{"Interslice factor, Lambda", "0.38"}})
        EXPECT_EQ(LineWith(rigorous.device, line[0]), line);
    EXPECT_EQ(rigorous.device.Count("Method of analysis used is the Rigorous solution"), 1);
}

TEST(DefinedReport, InvalidSurfaceReadsNotAvailableWithoutSlices)
{
    Fixture f(TwoSoilJob());
    f.job.UserPoints = {{-3.0f, 0.5f}, {4.125f, -1.6f}, {19.5f, 9.0f}};
    DefinedSurfaceResult defined;
    defined.Slip.DisturbingForce = 250.25f, defined.Slip.SoilForce = 300.0f, defined.Slip.ReinforcementForce = 12.0f;
    defined.Slip.StabilityFactor = 1.249f;
    defined.Slices = {OneSlice()};
    ReportSource src = f.Source();
    src.defined = &defined;
    Printed run = Print(f.job, src, {30, 31, 32, 33});
    EXPECT_EQ(LineWith(run.device, "4.13"), (Line{"4.13", "-1.60"}));
    EXPECT_EQ(run.device.Count("The method of analysis used is Janbu simplified (horizontal equilibrium)"), 1);
    EXPECT_EQ(LineWith(run.device, "The total disturbing forces are"), (Line{"The total disturbing forces are", "250.3", "kN"}));
    EXPECT_EQ(LineWith(run.device, "The resulting stability factor is"), (Line{"The resulting stability factor is", "1.25"}));
    EXPECT_EQ(run.device.Count("Defined surface slice details"), 1);

    defined.Slip.StabilityFactor = kInvalidFactor;
    Printed invalid = Print(f.job, src, {30, 32, 33, 34});
    EXPECT_EQ(LineWith(invalid.device, "The resulting stability factor is"), (Line{"The resulting stability factor is", "N/A"}));
    EXPECT_EQ(invalid.device.Count("Defined surface slice details"), 0);
    // Its diagram has nothing to draw, and says so under its title.
    EXPECT_EQ(invalid.device.Count("Diagram showing defined surface (with slice limits)"), 1);
    EXPECT_EQ(invalid.device.Count(kNothingToDrawLine), 1);

    defined.Slip.StabilityFactor = 100.5f;
    Printed high = Print(f.job, src, {30, 32});
    EXPECT_EQ(LineWith(high.device, "The resulting stability factor is"), (Line{"The resulting stability factor is", ">100"}));
}

WedgeResult Wedge(float width, float baseAngle, float rearAngle, float factor)
{
    WedgeResult w;
    w.ToeLevel = 0.5f, w.BaseWidth = width, w.BaseAngle = baseAngle, w.RearAngle = rearAngle;
    w.ToeX = 0, w.CornerX = width, w.TopX = width + 3, w.CornerLevel = 0.5f, w.GroundAtCorner = 5, w.TopLevel = 6;
    w.Disturbing = 80.25f, w.SoilRestore = 40.5f, w.ReinforcementRestore = 60.0f, w.StabilityFactor = factor;
    return w;
}

TEST(WedgeReport, BaselessWedgePrintsDashesForItsBaseAngle)
{
    Fixture f(TwoSoilJob());
    WedgeSearchResult wedges;
    wedges.Wedges = {Wedge(0.0f, 10.0f, 55.0f, 1.41f), Wedge(2.25f, 10.0f, 60.0f, 1.5f), Wedge(4.5f, 5.0f, 65.0f, 10000.0f)};
    wedges.CriticalWedge = 1;
    wedges.CriticalSlices = {OneSlice()};
    ReportSource src = f.Source();
    src.wedges = &wedges;
    Printed run = Print(f.job, src, {40, 41, 42, 43, 44});
    EXPECT_EQ(LineWith(run.device, "55"), (Line{"0.50", "0.00", "-", "55", "80.3", "40.5", "60.0", "1.41"}));
    EXPECT_EQ(LineWith(run.device, "2.25"), (Line{"0.50", "2.25", "10", "60", "80.3", "40.5", "60.0", "1.50"}));
    EXPECT_EQ(LineWith(run.device, "4.50"), (Line{"0.50", "4.50", "5", "65", "80.3", "40.5", "60.0", ">100"}));
    EXPECT_EQ(LineWith(run.device, "Angle of wedge part 1 to horizontal"),
              (Line{"Angle of wedge part 1 to horizontal", "-", "degrees"}));
    EXPECT_EQ(LineWith(run.device, "Angle of wedge part 2 to horizontal"),
              (Line{"Angle of wedge part 2 to horizontal", "55", "degrees"}));
    EXPECT_EQ(LineWith(run.device, "Disturbing force due to soil"), (Line{"Disturbing force due to soil", "80.3", "kN/m"}));
    EXPECT_EQ(run.device.Count("Critical wedge slice details"), 1);
    EXPECT_EQ(run.device.Count("Diagram showing all two part wedge surfaces"), 1);
    EXPECT_EQ(run.device.Count(kNothingToDrawLine), 0);

    // Clearing the slices box leaves out only the slice table.
    Printed noSlices = Print(f.job, src, {40, 41, 42, 44});
    EXPECT_EQ(noSlices.device.Count("Critical wedge slice details"), 0);
    EXPECT_EQ(noSlices.device.Count("Critical wedge (minimum stability factor) details"), 1);
    EXPECT_EQ(noSlices.device.Count("Diagram showing all two part wedge surfaces"), 1);
}

TEST(WedgeReport, NoWedgeIsOneLineWithoutCriticalSectionsOrDiagram)
{
    Fixture f(TwoSoilJob());
    WedgeSearchResult none;
    ReportSource src = f.Source();
    src.wedges = &none;
    Printed run = Print(f.job, src, {40, 41, 42, 43, 44});
    EXPECT_EQ(run.outcome.Pages, 1);
    EXPECT_EQ(run.device.Count(kNoWedgeLine), 1);
    EXPECT_EQ(run.device.Count("Critical wedge (minimum stability factor) details"), 0);
    EXPECT_EQ(run.device.Count("Diagram showing all two part wedge surfaces"), 0);
}

void ExpectBox(const DiagramExtents& e, const std::vector<float>& want)
{
    clv::test::ExpectFloats({e.XMin, e.XMax, e.YMin, e.YMax}, want);
}

TEST(Diagrams, ExtentsComeFromValidCirclesOnlyAndWidenByATenthForSurfacesAndWedges)
{
    CircleSearchResult search;
    search.Slips = {Circle(2, 10, 5, 1.3f), Circle(40, 90, 70, kInvalidFactor), Circle(6, 12, 8, 1.1f)};
    ExpectBox(CircleExtents(search), {2 - 5 - 1.0f, 6 + 8 + 1.0f, 12 - 8 - 1.0f, 12 + 1.0f});
    search.Slips = {Circle(40, 90, 70, kInvalidFactor)};
    EXPECT_TRUE(CircleExtents(search).Empty());

    // A defined surface and the wedges widen by a tenth.
    DefinedSurfaceResult d;
    d.Slip.StabilityFactor = 1.2f;
    d.Slices = {OneSlice()}; // x 1.25..2.5, base -1.5, top 4.0
    ExpectBox(DefinedExtents(d), {1.25f - 0.125f, 2.5f + 0.125f, -1.5f - 0.55f, 4.0f + 0.55f});
    WedgeSearchResult w;
    w.Wedges = {Wedge(2.0f, 0, 60, 1.2f)}; // x 0..5, levels 0.5..6
    ExpectBox(WedgeExtents(w), {-0.5f, 5.5f, 0.5f - 0.55f, 6.0f + 0.55f});
}

TEST(Diagrams, OneScaleFitsTheWidthOrTheHeight)
{
    DiagramExtents wide;
    wide.Widen(0, 100, 0, 10);
    EXPECT_FLOAT_EQ(DiagramScale(wide, 180, 200), 1.8f); // width governs
    DiagramExtents deep;
    deep.Widen(0, 10, -50, 50);
    EXPECT_FLOAT_EQ(DiagramScale(deep, 180, 200), 2.0f); // 18 per metre would make it 1800 tall
    const DiagramFrame f = FitDiagram(deep, 15, 60, 180, 200);
    EXPECT_FLOAT_EQ(f.PageX(10), 15 + 20.0f);
    EXPECT_FLOAT_EQ(f.PageY(-50), 60 + 200.0f);
    EXPECT_FLOAT_EQ(f.PageY(50), 60.0f);
}

TEST(Diagrams, AllCirclesDiagramWithoutAValidCircleSaysSo)
{
    Fixture f(TwoSoilJob());
    CircleSearchResult search;
    search.Slips = {Circle(1, 9, 10, kInvalidFactor)};
    search.CentreCount = 1;
    search.CriticalSlip = 1;
    ReportSource src = f.Source();
    src.circles = &search;
    Printed run = Print(f.job, src, {20, 25});
    EXPECT_EQ(run.device.Count("Diagram showing all circles"), 1);
    EXPECT_EQ(run.device.Count(kNothingToDrawLine), 1);
    EXPECT_EQ(run.device.Count("Invalid"), 0); // no centre labels drawn
}

} // namespace
} // namespace clv::report
