// The three analysis tabs against the engine called directly on the same job:
// every example job, the critical factor, every row of the result grids, the
// red critical row, and the special texts.

#include "ui/analysis_page_harness.h"

#include "ui/entry_box.h"
#include "ui/tables/points_table.h"
#include "ui/tables/slip_grid.h"
#include "ui/tables/wedge_grid.h"
#include "ui/tabs/circle_page.h"
#include "ui/tabs/defined_page.h"
#include "ui/tabs/wedge_page.h"

#include "model/format.h"

#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>

#include <cmath>

namespace clv::test {
namespace {

using ui::CirclePage;
using ui::DefinedPage;
using ui::WedgePage;

const char* const kExamples[] = {"cutting.clv", "layered_slope.clv", "reinforced_embankment.clv"};

QString Fmt(float v, const char* pattern) { return QString::fromStdString(Format(v, pattern)); }

/** The factor as the tabs must show it, from the rule (not from the program's helper). */
QString ExpectedFactor(float f, const char* invalid = "Invalid")
{
    if (f == kInvalidFactor)
        return invalid;
    if (f > 100.0f)
        return ">100";
    return Fmt(f, "####0.00");
}

/** The derived data and results of a job, computed here without the window. */
struct Direct {
    Job job;
    SectionTable table;
    LayerList layers;
    explicit Direct(Job j) : job(std::move(j)), table(BuildSectionTable(job)), layers(BuildReinforcementLayers(job, table)) {}
};

void ExpectCircleTabShowsEngine(const Job& source, AnalysisPageHarness<CirclePage>& h)
{
    Direct d(source);
    const CircleSearchResult search = RunCircleSearch(d.job, d.table, d.layers);
    ASSERT_FALSE(search.Slips.empty());
    const SlipResult* critical = search.Critical();
    ASSERT_NE(critical, nullptr);
    EXPECT_EQ(h.page->CritFOS()->text(), ExpectedFactor(critical->StabilityFactor));

    const bool janbu = d.job.Slip.Method == kJanbu;
    const ui::SlipGrid* grid = h.page->Grid();
    int row = 0;
    for (std::size_t n = 0; n < search.Slips.size(); ++n) {
        const SlipResult& s = search.Slips[n];
        if (s.StabilityFactor == kInvalidFactor)
            continue;
        ASSERT_LT(row, grid->rowCount());
        const QString expected[7] = {
            Fmt(s.CentreX, "#####0.00"),
            Fmt(s.CentreY, "#####0.00"),
            Fmt(s.Radius, "#####0.00"),
            Fmt(janbu ? s.DisturbingForce : s.DisturbingMoment, "######0"),
            Fmt(janbu ? s.SoilForce : s.SoilMoment, "######0"),
            Fmt(janbu ? s.ReinforcementForce : s.ReinforcementMoment, "######0"),
            ExpectedFactor(s.StabilityFactor),
        };
        const bool isCritical = static_cast<int>(n) + 1 == search.CriticalSlip;
        for (int c = 0; c < 7; ++c) {
            EXPECT_EQ(grid->CellText(row, c), expected[c]) << "slip " << n + 1 << " column " << c;
            EXPECT_EQ(grid->item(row, c)->foreground().color(), isCritical ? QColor(255, 0, 0) : QColor(0, 0, 0));
        }
        ++row;
    }
    EXPECT_EQ(grid->rowCount(), row);
    EXPECT_GT(row, 0);
    // The grid the search used (generated from the ground) is what the boxes show.
    EXPECT_EQ(h.page->SlipBox(0)->text(), Fmt(d.job.Slip.GridXMin, "#####0.00"));
    EXPECT_EQ(h.page->SlipBox(8)->text(), Fmt(d.job.Slip.CommonXInc, "#####0.00"));
    EXPECT_EQ(h.page->SlipBox(10)->text(), Fmt(d.job.Slip.MinSlipDepth, "#####0.0"));
}

TEST(CircleTab, EveryExampleShowsTheEngineResultsForEachMethod)
{
    for (const char* name : kExamples) {
        SCOPED_TRACE(name);
        const Job job = LoadExample(name);
        AnalysisPageHarness<CirclePage> h(job);
        ASSERT_TRUE(h.page->MethodOpt(job.Slip.Method)->isChecked());
        ExpectCircleTabShowsEngine(h.session.job, h);
        // Janbu lists forces, the others moments: click through the methods as a user would.
        for (int method : {kJanbu, kFellenius}) {
            SCOPED_TRACE(method);
            h.page->MethodOpt(method)->click();
            EXPECT_EQ(h.session.job.Slip.Method, method);
            EXPECT_TRUE(h.session.JobModified);
            ExpectCircleTabShowsEngine(h.session.job, h);
        }
    }
}

TEST(CircleTab, NoValidSlipGivesAnEmptyGridAndInvalid)
{
    // A ground surface two points long in the air above no slope: every circle
    // through the far grid misses it, so every slip is invalid.
    Job job = SimpleSlope();
    SlipSettings& s = job.Slip;
    s.AutoGenerate = s.AutoExtendGrid = kFalse, s.GridXMin = s.GridXMax = s.GridYMin = s.GridYMax = 500.0f;
    s.GridXInc = s.GridYInc = s.CommonXInc = 1.0f, s.CommonXMin = s.CommonXMax = s.CommonY = 499.0f;
    AnalysisPageHarness<CirclePage> h(job);
    ASSERT_FALSE(h.ctx.analyses.Results().circles.Slips.empty());
    EXPECT_EQ(h.page->CritFOS()->text(), "Invalid");
    EXPECT_EQ(h.page->Grid()->rowCount(), 0);
    EXPECT_EQ(h.page->Grid()->CriticalRow(), -1);
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
    // The points table lists the points as entered.
    const ui::PointsTable* grid = h.page->UserPointsGrid();
    ASSERT_EQ(grid->rowCount(), job.UserPointCount());
    for (int i = 0; i < job.UserPointCount(); ++i) {
        EXPECT_EQ(grid->item(i, 0)->text(), Fmt(job.UserPoints[static_cast<std::size_t>(i)].X, "#####0.00"));
        EXPECT_EQ(grid->item(i, 1)->text(), Fmt(job.UserPoints[static_cast<std::size_t>(i)].Y, "#####0.00"));
    }
}

TEST(DefinedTab, TwoPointsShowNotAvailableAndZeroTotals)
{
    Job job = SimpleSlope();
    job.UserPoints = {{-2.0f, 0.0f}, {22.0f, 10.0f}};
    AnalysisPageHarness<DefinedPage> h(job);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(h.page->UserCrit(i)->text(), "0.0");
    EXPECT_EQ(h.page->UserCrit(3)->text(), "N/A");
}

TEST(WedgeTab, ReinforcedExampleShowsEveryWedgeAndTheCriticalOne)
{
    const Job job = LoadExample("reinforced_embankment.clv");
    AnalysisPageHarness<WedgePage> h(job);
    Direct d(job);
    const WedgeSearchResult r = AnalyseWedges(d.job, d.table, d.layers);
    ASSERT_FALSE(r.Wedges.empty());
    const ui::WedgeGrid* grid = h.page->Grid();
    ASSERT_EQ(grid->rowCount(), static_cast<int>(r.Wedges.size()));
    bool sawTieBack = false;
    for (std::size_t n = 0; n < r.Wedges.size(); ++n) {
        const WedgeResult& w = r.Wedges[n];
        sawTieBack = sawTieBack || w.BaseWidth <= 0.0f;
        const QString expected[8] = {
            Fmt(w.ToeLevel, "#####0.00"),
            Fmt(w.BaseWidth, "######0.00"),
            w.BaseWidth <= 0.0f ? QString("-") : Fmt(w.BaseAngle, "######0"),
            Fmt(w.RearAngle, "######0"),
            Fmt(w.Disturbing, "######0.0"),
            Fmt(w.SoilRestore, "######0.0"),
            Fmt(w.ReinforcementRestore, "######0.0"),
            ExpectedFactor(w.StabilityFactor),
        };
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(grid->CellText(static_cast<int>(n), c), expected[c]) << "wedge " << n + 1 << " column " << c;
    }
    EXPECT_TRUE(sawTieBack); // the defaults start at width 0: the "-" case is on the grid
    const WedgeResult* critical = r.Critical();
    ASSERT_NE(critical, nullptr);
    EXPECT_EQ(grid->currentRow(), r.CriticalWedge - 1);
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(h.page->CritWedge(c)->text(), grid->CellText(r.CriticalWedge - 1, c));
    EXPECT_EQ(h.page->CritWedge(7)->text(), ExpectedFactor(critical->StabilityFactor));
    // The defaults follow the reinforcement and are shown, greyed.
    EXPECT_EQ(h.page->WedgeText(1)->text(), Fmt(d.job.Wedge.BaseWidthMax, "#####0.00"));
    EXPECT_FALSE(h.page->WedgeText(1)->isEnabled());
}

TEST(WedgeTab, NoWedgeLeavesTheDetailsBlankAndTheGridEmpty)
{
    // One block with no spacing lays a lone layer at its base, and a lone layer
    // without a spacing below it carries no toe: the search keeps no wedge.
    Job job = SimpleSlope();
    AddBlock(job, 2.0f, 4.0f, 0.0f, 10.0f);
    AnalysisPageHarness<WedgePage> h(job);
    ASSERT_FALSE(h.ctx.layers.empty());
    EXPECT_TRUE(h.ctx.analyses.Results().wedges.Wedges.empty());
    EXPECT_EQ(h.page->Grid()->rowCount(), 0);
    EXPECT_EQ(h.page->Grid()->currentRow(), -1);
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(h.page->CritWedge(c)->text(), "") << c;
}

/** True for a text printed from a number that is not one ("nan", "-inf", ...). */
bool IsBrokenNumber(const QString& text)
{
    static const QRegularExpression broken(QStringLiteral("\\b(nan|inf)\\b"), QRegularExpression::CaseInsensitiveOption);
    return broken.match(text).hasMatch();
}

/** No cell or label may show a number made from a division by zero. */
void ExpectNoBrokenNumbers(const QWidget& page)
{
    for (const QLabel* label : page.findChildren<QLabel*>())
        EXPECT_FALSE(IsBrokenNumber(label->text())) << label->objectName().toStdString();
    for (const QTableWidget* table : page.findChildren<QTableWidget*>()) {
        for (int r = 0; r < table->rowCount(); ++r)
            for (int c = 0; c < table->columnCount(); ++c)
                EXPECT_FALSE(table->item(r, c) && IsBrokenNumber(table->item(r, c)->text())) << r << " " << c;
    }
}

TEST(AnalysisTabs, AZeroPartialFactorShowsInvalidNeverACrashOrABrokenNumber)
{
    Job base = LoadExample("reinforced_embankment.clv");
    base.UserPoints = {{-1.0f, 0.5f}, {6.0f, -1.0f}, {14.0f, 2.0f}, {20.0f, 8.0f}};
    Single PartialFactors::*const factors[] = {
        &PartialFactors::RamificationsOfFailure, &PartialFactors::SoilSelfWeight,
        &PartialFactors::ImposedLoads,           &PartialFactors::TanPhi,
        &PartialFactors::Cohesion,               &PartialFactors::ReinforcementStrength,
        &PartialFactors::SlidingOnReinforcement, &PartialFactors::PullOut,
    };
    for (std::size_t k = 0; k < std::size(factors); ++k) {
        SCOPED_TRACE(k);
        Job job = base;
        job.Factors.DesignCode = kCustomFactors;
        job.Factors.*factors[k] = 0.0f;
        for (Integer method = kFellenius; method <= kRigorous; ++method) {
            job.Slip.Method = method;
            AnalysisPageHarness<CirclePage> circles(job);
            ExpectNoBrokenNumbers(*circles.page);
            const SlipResult* critical = circles.ctx.analyses.Results().circles.Critical();
            ASSERT_NE(critical, nullptr);
            if (!std::isfinite(critical->StabilityFactor) || critical->StabilityFactor == kInvalidFactor) {
                EXPECT_EQ(circles.page->CritFOS()->text(), "Invalid");
            }
        }
        AnalysisPageHarness<DefinedPage> defined(job);
        ExpectNoBrokenNumbers(*defined.page);
        AnalysisPageHarness<WedgePage> wedges(job);
        ExpectNoBrokenNumbers(*wedges.page);
        ASSERT_FALSE(wedges.ctx.analyses.Results().wedges.Wedges.empty());
        for (std::size_t n = 0; n < wedges.ctx.analyses.Results().wedges.Wedges.size(); ++n) {
            if (wedges.ctx.analyses.Results().wedges.Wedges[n].StabilityFactor == kInvalidFactor) {
                EXPECT_EQ(wedges.page->Grid()->CellText(static_cast<int>(n), 7), "Invalid");
            }
        }
    }
}

} // namespace
} // namespace clv::test
