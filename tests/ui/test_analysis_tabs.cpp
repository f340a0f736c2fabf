// The three analysis tabs: their results against the engine called directly on
// the same job (every example, every row of the result grids, the red critical
// row, the special texts), and their settings controls (the slip circle boxes
// and their messages, the pairs kept in order, the level box's "Surface", the
// slice up-down limits, the automatic geometry greying the boxes it overwrites,
// the wedge boxes, the typed slip surface points).

#include "ui/analysis_page_harness.h"
#include "ui/dialog_harness.h"
#include "support/expect_floats.h"

#include "ui/entry_box.h"
#include "ui/slip_box_entry.h"
#include "ui/tables/points_table.h"
#include "ui/tables/slip_grid.h"
#include "ui/tables/wedge_grid.h"
#include "ui/tabs/circle_page.h"
#include "ui/tabs/defined_page.h"
#include "ui/tabs/slice_spin.h"
#include "ui/tabs/wedge_page.h"

#include "model/format.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace clv::test {
namespace {

using ui::CirclePage;
using ui::DefinedPage;
using ui::WedgePage;

QString Fmt(float v, const char* pattern) { return QString::fromStdString(Format(v, pattern)); }

/** The factor as the tabs must show it, from the rule (not from the program's helper). */
QString ExpectedFactor(float f, const char* invalid = "Invalid")
{
    if (f == kInvalidFactor)
        return invalid;
    return f > 100.0f ? QString(">100") : Fmt(f, "####0.00");
}

/** The derived data and results of a job, computed here without the window. */
struct Direct {
    Job job;
    SectionTable table;
    LayerList layers;
    explicit Direct(Job j) : job(std::move(j)), table(BuildSectionTable(job)), layers(BuildReinforcementLayers(job, table)) {}
};

void ExpectCircleTabShowsEngine(AnalysisPageHarness<CirclePage>& h)
{
    Direct d(h.session.job);
    const CircleSearchResult search = RunCircleSearch(d.job, d.table, d.layers);
    ASSERT_NE(search.Critical(), nullptr);
    EXPECT_EQ(h.page->CritFOS()->text(), ExpectedFactor(search.Critical()->StabilityFactor));
    const bool janbu = d.job.Slip.Method == kJanbu;
    const ui::SlipGrid* grid = h.page->Grid();
    int row = 0;
    for (std::size_t n = 0; n < search.Slips.size(); ++n) {
        const SlipResult& s = search.Slips[n];
        if (s.StabilityFactor == kInvalidFactor)
            continue;
        ASSERT_LT(row, grid->rowCount());
        const QString expected[7] = {
            Fmt(s.CentreX, "#####0.00"), Fmt(s.CentreY, "#####0.00"), Fmt(s.Radius, "#####0.00"),
            Fmt(janbu ? s.DisturbingForce : s.DisturbingMoment, "######0"),
            Fmt(janbu ? s.SoilForce : s.SoilMoment, "######0"),
            Fmt(janbu ? s.ReinforcementForce : s.ReinforcementMoment, "######0"), ExpectedFactor(s.StabilityFactor)};
        const QColor colour = static_cast<int>(n) + 1 == search.CriticalSlip ? QColor(255, 0, 0) : QColor(0, 0, 0);
        for (int c = 0; c < 7; ++c) {
            EXPECT_EQ(grid->CellText(row, c), expected[c]) << "slip " << n + 1 << " column " << c;
            EXPECT_EQ(grid->item(row, c)->foreground().color(), colour);
        }
        ++row;
    }
    EXPECT_GT(row, 0);
    EXPECT_EQ(grid->rowCount(), row);
}

TEST(CircleTab, EveryExampleShowsTheEngineResultsForEachMethod)
{
    for (const char* name : {"cutting.clv", "layered_slope.clv", "reinforced_embankment.clv"}) {
        SCOPED_TRACE(name);
        AnalysisPageHarness<CirclePage> h(LoadExample(name));
        ASSERT_TRUE(h.page->MethodOpt(h.session.job.Slip.Method)->isChecked());
        ExpectCircleTabShowsEngine(h);
        // Janbu lists forces, the others moments: click through the methods as a user would.
        for (int method : {kJanbu, kFellenius}) {
            SCOPED_TRACE(method);
            h.page->MethodOpt(method)->click();
            EXPECT_EQ(h.session.job.Slip.Method, method);
            EXPECT_TRUE(h.session.JobModified);
            ExpectCircleTabShowsEngine(h);
        }
    }
}

TEST(DefinedTab, CuttingExampleShowsTheEngineResult)
{
    const Job job = LoadExample("cutting.clv");
    ASSERT_GE(job.UserPointCount(), 3);
    AnalysisPageHarness<DefinedPage> h(job);
    Direct d(job);
    const DefinedSurfaceResult r = AnalyseDefinedSurface({d.job, d.table, d.layers, {}});
    ASSERT_NE(r.Slip.StabilityFactor, kInvalidFactor);
    const float totals[] = {r.Slip.DisturbingForce, r.Slip.SoilForce, r.Slip.ReinforcementForce};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(h.page->UserCrit(i)->text(), Fmt(totals[i], "######0.0")) << i;
    EXPECT_EQ(h.page->UserCrit(3)->text(), ExpectedFactor(r.Slip.StabilityFactor, "N/A"));
    // A zero partial factor on cohesion divides by zero: the totals are no numbers and say so.
    h.session.job.Factors.DesignCode = kCustomFactors, h.session.job.Factors.Cohesion = 0.0f;
    h.session.JobRefreshPending = true;
    h.Refresh();
    EXPECT_EQ(h.page->UserCrit(0)->text() + " " + h.page->UserCrit(1)->text() + " " + h.page->UserCrit(3)->text(),
              "N/A N/A N/A");
}

TEST(WedgeTab, ReinforcedExampleShowsEveryWedgeAndItsBoxesKeepTheirPairsInOrder)
{
    AnalysisPageHarness<WedgePage> h(LoadExample("reinforced_embankment.clv"));
    Direct d(h.session.job);
    const WedgeSearchResult r = AnalyseWedges(d.job, d.table, d.layers);
    ASSERT_NE(r.Critical(), nullptr);
    const ui::WedgeGrid* grid = h.page->Grid();
    ASSERT_EQ(grid->rowCount(), static_cast<int>(r.Wedges.size()));
    bool sawTieBack = false;
    for (std::size_t n = 0; n < r.Wedges.size(); ++n) {
        const WedgeResult& w = r.Wedges[n];
        sawTieBack = sawTieBack || w.BaseWidth <= 0.0f;
        const QString expected[8] = {
            Fmt(w.ToeLevel, "#####0.00"), Fmt(w.BaseWidth, "######0.00"),
            w.BaseWidth <= 0.0f ? QString("-") : Fmt(w.BaseAngle, "######0"), Fmt(w.RearAngle, "######0"),
            Fmt(w.Disturbing, "######0.0"), Fmt(w.SoilRestore, "######0.0"), Fmt(w.ReinforcementRestore, "######0.0"),
            ExpectedFactor(w.StabilityFactor)};
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(grid->CellText(static_cast<int>(n), c), expected[c]) << "wedge " << n + 1 << " column " << c;
    }
    EXPECT_TRUE(sawTieBack); // the defaults start at width 0: the "-" case is on the grid
    EXPECT_EQ(grid->currentRow(), r.CriticalWedge - 1);
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(h.page->CritWedge(c)->text(), grid->CellText(r.CriticalWedge - 1, c));
    EXPECT_EQ(h.page->CritWedge(7)->text(), ExpectedFactor(r.Critical()->StabilityFactor));
    // The defaults follow the reinforcement and are shown, greyed.
    EXPECT_EQ(h.page->WedgeText(1)->text() + " " + h.page->WedgeText(2)->text(),
              Fmt(d.job.Wedge.BaseWidthMax, "#####0.00") + " " + Fmt(d.job.Wedge.BaseWidthInc, "#####0.00"));
    EXPECT_FALSE(h.page->WedgeText(1)->isEnabled());

    // Own values: the base angles run from the defaults' 5 to 25 degrees.
    h.page->show();
    QApplication::setActiveWindow(h.page.get());
    h.page->WedgeDefaultCheck()->click();
    ui::test::TypeInto(h.page->WedgeText(3), "30");
    ExpectFloats({h.session.job.Wedge.BaseAngleMin, h.session.job.Wedge.BaseAngleMax}, {30, 30});
    EXPECT_EQ(h.page->WedgeText(4)->text(), "30");
    ui::test::TypeInto(h.page->WedgeText(2), "0");
    ASSERT_EQ(h.interaction.messages.size(), 1u);
    EXPECT_EQ(h.interaction.messages[0].title, "Input data validation error");
    EXPECT_EQ(h.interaction.messages[0].text,
              "Wedge base width increment must be between 0.1 and 100\rPlease change the input data");
    EXPECT_EQ(h.interaction.messages[0].icon, ui::Interaction::Icon::Exclamation);
    EXPECT_EQ(h.page->WedgeText(2)->text(), Fmt(d.job.Wedge.BaseWidthInc, "#####0.00")); // the kept value again
    // Back to the defaults: the boxes are greyed and show the defaults again.
    h.page->WedgeDefaultCheck()->click();
    EXPECT_TRUE(IsSet(h.session.job.Wedge.UseDefaults));
    EXPECT_FALSE(h.page->WedgeText(3)->isEnabled());
    EXPECT_EQ(h.page->WedgeText(3)->text(), "5");
}

TEST(AnalysisTabs, NoValidSlipOrNoWedgeLeavesTheGridEmptyAndTheCriticalValuesInvalidOrBlank)
{
    // Every circle about a centre far above the slope misses the ground: every slip is invalid.
    // A lone layer (one block with no spacing) has no spacing below it to give a toe: no wedge is kept.
    Job job = SimpleSlope();
    SlipSettings& s = job.Slip;
    s.AutoGenerate = s.AutoExtendGrid = kFalse, s.GridXMin = s.GridXMax = s.GridYMin = s.GridYMax = 500.0f;
    s.GridXInc = s.GridYInc = s.CommonXInc = 1.0f, s.CommonXMin = s.CommonXMax = s.CommonY = 499.0f;
    AddBlock(job, 2.0f, 4.0f, 0.0f, 10.0f);
    AnalysisPageHarness<CirclePage> circles(job);
    ASSERT_FALSE(circles.ctx.analyses.Results().circles.Slips.empty());
    EXPECT_EQ(circles.page->CritFOS()->text(), "Invalid");
    EXPECT_EQ(circles.page->Grid()->rowCount(), 0);
    EXPECT_EQ(circles.page->Grid()->CriticalRow(), -1);
    AnalysisPageHarness<WedgePage> wedges(job);
    ASSERT_FALSE(wedges.ctx.layers.empty());
    EXPECT_TRUE(wedges.ctx.analyses.Results().wedges.Wedges.empty());
    EXPECT_EQ(wedges.page->Grid()->rowCount(), 0);
    EXPECT_EQ(wedges.page->Grid()->currentRow(), -1);
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(wedges.page->CritWedge(c)->text(), "") << c;
}

// The slip circle boxes' entry rules, from a grid 2..8 x 12..15 and common points -4..4 at 1.5.

struct SlipCase {
    int box;
    const char* text;
    bool beep;
    float expected;      // the field afterwards
    const char* message; // when refused; stored otherwise
};

SlipSettings Settings()
{
    SlipSettings s;
    s.GridXMin = 2.0f, s.GridXMax = 8.0f, s.GridXInc = 1.0f;
    s.GridYMin = 12.0f, s.GridYMax = 15.0f, s.GridYInc = 1.0f;
    s.CommonXMin = -4.0f, s.CommonXMax = 4.0f, s.CommonXInc = 2.0f, s.CommonY = 1.5f;
    return s;
}

Single Field(const SlipSettings& s, int box)
{
    const Single values[] = {s.GridXMin,   s.GridXMax,   s.GridXInc, s.GridYMin,    s.GridYMax,          s.GridYInc,
                             s.CommonXMin, s.CommonXMax, s.CommonXInc, s.CommonY, s.MinSlipDepth, s.TensionCrackDepth};
    return values[box];
}

TEST(SlipBoxEntry, RangesPairsTheSurfaceWordAndTheShownTexts)
{
    const char* const increment = "Factor must lie between 0 and 10";
    // Above a maximum or below a minimum the pair's other value is taken, with a beep;
    // a half goes to the even hundredth; the level box reads no number as 0.
    const SlipCase cases[] = {
        {0, "3.456", false, 3.46f, ""},   {0, "9", true, 8.0f, ""},       {1, "1.5", true, 2.0f, ""},
        {3, "16", true, 15.0f, ""},       {4, "11", true, 12.0f, ""},     {6, "5", true, 4.0f, ""},
        {7, "-5", true, -4.0f, ""},       {7, "4.125", false, 4.12f, ""}, {2, "0.05", true, 1.0f, increment},
        {2, "0.1", false, 0.1f, ""},      {5, "10.01", true, 1.0f, increment}, {8, "10", false, 10.0f, ""},
        {0, "-10000.01", true, 2.0f, "Factor must lie between -10000 and 10000"}, {1, "10000", false, 10000.0f, ""},
        {9, "Surface", false, kNoLevel, ""}, {9, "", false, kNoLevel, ""}, {9, "  SURFACE ", false, kNoLevel, ""},
        {9, "-3", false, -3.0f, ""},      {9, "abc", false, 0.0f, ""},    {10, "10.5", true, 1.0f, increment},
        {11, "0", false, 0.0f, ""},       {11, "-0.01", true, 0.0f, increment},
    };
    for (const SlipCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.box) + " '" + c.text + "'");
        SlipSettings s = Settings();
        const auto outcome = ui::EnterSlipBox(s, c.box, c.text);
        EXPECT_EQ(outcome.Stored, std::string(c.message).empty());
        EXPECT_EQ(outcome.Beep, c.beep);
        EXPECT_EQ(outcome.Message, c.message);
        EXPECT_FLOAT_EQ(Field(s, c.box), c.expected);
    }
    // The texts shown: the depth with one decimal.
    SlipSettings s = Settings();
    s.MinSlipDepth = 1.25f;
    EXPECT_EQ(ui::SlipBoxText(s, 0) + " " + ui::SlipBoxText(s, 9) + " " + ui::SlipBoxText(s, 10), "2.00 1.50 1.3");
    s.CommonY = kNoLevel;
    EXPECT_EQ(ui::SlipBoxText(s, 9), "Surface");
}

TEST(CircleTab, TypedBoxesDefineFunctionAndTheAutomaticGeometryAreEdits)
{
    AnalysisPageHarness<CirclePage> h(ManualGridJob());
    h.page->show();
    QApplication::setActiveWindow(h.page.get());
    ui::test::TypeInto(h.page->SlipBox(2), "0.5");
    EXPECT_FLOAT_EQ(h.session.job.Slip.GridXInc, 0.5f);
    EXPECT_TRUE(h.session.JobModified);
    EXPECT_EQ(h.page->SlipBox(2)->text(), "0.50");

    ui::test::TypeInto(h.page->SlipBox(5), "0.05");
    EXPECT_FLOAT_EQ(h.session.job.Slip.GridYInc, 1.0f);
    ASSERT_EQ(h.interaction.messages.size(), 1u);
    EXPECT_EQ(h.interaction.messages[0].title, "Slip circle data entry validation");
    EXPECT_EQ(h.interaction.messages[0].text, "Factor must lie between 0 and 10");
    EXPECT_EQ(h.interaction.beeps, 1);
    EXPECT_TRUE(h.page->SlipBox(5)->hasFocus()); // back to the refused box

    ui::test::TypeInto(h.page->SlipBox(9), "");
    EXPECT_EQ(h.session.job.Slip.CommonY, kNoLevel);
    EXPECT_EQ(h.page->SlipBox(9)->text(), "Surface");
    // Enter moved the focus on; from the last box it goes round to the first.
    ui::test::TypeInto(h.page->SlipBox(11), "0.5");
    EXPECT_TRUE(h.page->SlipBox(0)->hasFocus());
    EXPECT_FLOAT_EQ(h.session.job.Slip.TensionCrackDepth, 0.5f);

    // "Define f(x)" opens its editor; the half-sine preset and OK store f(x) = sin(pi x) as one edit.
    const int edits = h.edits;
    h.interaction.modalScripts.push_back([](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("SineBtn"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
    });
    h.page->DefineFxBtn()->click();
    EXPECT_NEAR(h.session.job.Slip.Fx[5], 1.0f, 1e-6f);
    EXPECT_EQ(h.edits, edits + 1);

    // The automatic geometry greys the boxes it overwrites.
    h.page->SlipCheck(0)->click();
    EXPECT_TRUE(IsSet(h.session.job.Slip.AutoGenerate));
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(h.page->SlipBox(i)->isEnabled(), i >= 10) << i; // the depths are never generated
    EXPECT_FALSE(h.page->SlipCheck(1)->isEnabled());
    // The boxes show the grid the search generated, not the one typed before.
    Job generated = h.session.job;
    const SectionTable table = BuildSectionTable(generated);
    RunCircleSearch(generated, table, BuildReinforcementLayers(generated, table));
    EXPECT_NE(generated.Slip.GridYMin, ManualGridJob().Slip.GridYMin);
    EXPECT_EQ(h.page->SlipBox(3)->text(), Fmt(generated.Slip.GridYMin, "#####0.00"));
    EXPECT_EQ(h.page->SlipBox(6)->text(), Fmt(generated.Slip.CommonXMin, "#####0.00"));

    h.page->SlipCheck(0)->click();
    EXPECT_FALSE(IsSet(h.session.job.Slip.AutoGenerate));
    for (int i = 0; i < 12; ++i)
        EXPECT_TRUE(h.page->SlipBox(i)->isEnabled()) << i;
    EXPECT_TRUE(h.page->SlipCheck(1)->isEnabled());
    // The generated geometry extends the grid; the box now shows that and can clear it.
    EXPECT_TRUE(h.page->SlipCheck(1)->isChecked());
    h.page->SlipCheck(1)->click();
    EXPECT_FALSE(IsSet(h.session.job.Slip.AutoExtendGrid));
}

TEST(CircleTab, SliceSpinStaysWithinFiveToFifty)
{
    struct Case {
        Integer start;
        bool up;
        Integer expected;
    };
    const Case cases[] = {{10, true, 11}, {10, false, 9}, {5, false, 5}, {6, false, 5}, {50, true, 50}, {49, true, 50}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + (c.up ? " up" : " down"));
        Job job = ManualGridJob();
        job.Slip.MinSlices = c.start;
        AnalysisPageHarness<CirclePage> h(job);
        const int refreshes = h.refreshes;
        (c.up ? h.page->Spin()->UpButton() : h.page->Spin()->DownButton())->click();
        // At a limit nothing changes and nothing is refreshed.
        const bool changes = c.expected != c.start;
        EXPECT_EQ(h.session.job.Slip.MinSlices, c.expected);
        EXPECT_EQ(h.session.JobModified, changes);
        EXPECT_EQ(h.refreshes, refreshes + (changes ? 1 : 0));
        EXPECT_EQ(h.page->SliceLable()->text(), QString::number(c.expected));
    }
}

TEST(DefinedTab, TypedPointsAreAddedInOrderAndDeleted)
{
    AnalysisPageHarness<DefinedPage> h(SimpleSlope());
    h.page->show();
    QApplication::setActiveWindow(h.page.get());
    const QPointF points[] = {{20.0, 12.0}, {-1.0, 0.0}, {8.0, -1.0}};
    for (const QPointF& p : points) {
        h.page->PointBox(0)->setText(QString::number(p.x()));
        h.page->PointBox(1)->setText(QString::number(p.y()));
        h.page->UserPointsBtn(0)->click();
    }
    ASSERT_EQ(h.session.job.UserPointCount(), 3);
    ExpectFloats({h.session.job.UserPoints[0].X, h.session.job.UserPoints[2].X}, {-1, 20});
    EXPECT_EQ(h.page->UserPointsGrid()->rowCount(), 3);
    EXPECT_NE(h.page->UserCrit(3)->text(), "N/A"); // three points on and under the ground give a factor

    h.page->PointBox(0)->setText("10000");
    h.page->UserPointsBtn(0)->click();
    ASSERT_EQ(h.interaction.messages.size(), 1u);
    EXPECT_EQ(h.interaction.messages[0].text, "Point data lies outside acceptable limits (-10000 < P < 10000)");
    EXPECT_EQ(h.session.job.UserPointCount(), 3);

    // Two points left make no surface: no factor and zero totals.
    h.page->UserPointsGrid()->setCurrentCell(1, 0);
    h.page->UserPointsBtn(1)->click();
    ASSERT_EQ(h.session.job.UserPointCount(), 2);
    EXPECT_FLOAT_EQ(h.session.job.UserPoints[1].X, 20.0f);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(h.page->UserCrit(i)->text(), "0.0") << i;
    EXPECT_EQ(h.page->UserCrit(3)->text(), "N/A");
}

} // namespace
} // namespace clv::test
