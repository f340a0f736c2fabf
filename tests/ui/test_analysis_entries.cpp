// The settings controls of the analysis tabs: the slip circle boxes and their
// messages, the pairs kept in order, the level box's "Surface", the slice
// up-down limits, the automatic geometry greying the boxes it overwrites, and
// the wedge boxes.

#include "ui/analysis_page_harness.h"
#include "ui/dialog_harness.h"
#include "support/expect_floats.h"

#include "ui/entry_box.h"
#include "ui/slip_box_entry.h"
#include "ui/tabs/circle_page.h"
#include "ui/tabs/defined_page.h"
#include "ui/tabs/slice_spin.h"
#include "ui/tabs/wedge_page.h"
#include "ui/tables/points_table.h"

#include "model/format.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QKeyEvent>
#include <QToolButton>

namespace clv::test {
namespace {

using ui::CirclePage;
using ui::EnterSlipBox;
using ui::WedgePage;

struct SlipCase {
    int box;
    const char* text;
    bool stored;
    bool beep;
    float expected;      // the field afterwards
    const char* message; // when refused
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
    const SlipCase cases[] = {
        {0, "3.456", true, false, 3.46f, ""},
        {0, "9", true, true, 8.0f, ""},          // above the maximum: the maximum, with a beep
        {1, "1.5", true, true, 2.0f, ""},        // below the minimum: the minimum
        {3, "16", true, true, 15.0f, ""},
        {4, "11", true, true, 12.0f, ""},
        {6, "5", true, true, 4.0f, ""},
        {7, "-5", true, true, -4.0f, ""},
        {7, "4.125", true, false, 4.12f, ""},    // half to even
        {2, "0.05", false, true, 1.0f, "Factor must lie between 0 and 10"},
        {2, "0.1", true, false, 0.1f, ""},
        {5, "10.01", false, true, 1.0f, "Factor must lie between 0 and 10"},
        {8, "10", true, false, 10.0f, ""},
        {0, "-10000.01", false, true, 2.0f, "Factor must lie between -10000 and 10000"},
        {1, "10000", true, false, 10000.0f, ""},
        {9, "Surface", true, false, kNoLevel, ""},
        {9, "", true, false, kNoLevel, ""},
        {9, "  SURFACE ", true, false, kNoLevel, ""},
        {9, "-3", true, false, -3.0f, ""},
        {9, "abc", true, false, 0.0f, ""},       // no number reads as 0
        {10, "10.5", false, true, 1.0f, "Factor must lie between 0 and 10"},
        {11, "0", true, false, 0.0f, ""},
        {11, "-0.01", false, true, 0.0f, "Factor must lie between 0 and 10"},
    };
    for (const SlipCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.box) + " '" + c.text + "'");
        SlipSettings s = Settings();
        const auto outcome = EnterSlipBox(s, c.box, c.text);
        EXPECT_EQ(outcome.Stored, c.stored);
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

/** Types into a box as a user would (replacing its text) and leaves it with Enter. */
void TypeAndEnter(QLineEdit* box, const QString& text)
{
    box->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    ui::test::TypeInto(box, text);
    QApplication::processEvents();
}

TEST(CircleTab, TypedBoxValueIsStoredOrRefusedWithItsMessage)
{
    AnalysisPageHarness<CirclePage> h(ManualGridJob());
    h.page->show();
    QApplication::setActiveWindow(h.page.get());
    TypeAndEnter(h.page->SlipBox(2), "0.5");
    EXPECT_FLOAT_EQ(h.session.job.Slip.GridXInc, 0.5f);
    EXPECT_TRUE(h.session.JobModified);
    EXPECT_EQ(h.page->SlipBox(2)->text(), "0.50");
    EXPECT_TRUE(h.interaction.messages.empty());

    TypeAndEnter(h.page->SlipBox(5), "0.05");
    EXPECT_FLOAT_EQ(h.session.job.Slip.GridYInc, 1.0f);
    ASSERT_EQ(h.interaction.messages.size(), 1u);
    EXPECT_EQ(h.interaction.messages[0].title, "Slip circle data entry validation");
    EXPECT_EQ(h.interaction.messages[0].text, "Factor must lie between 0 and 10");
    EXPECT_EQ(h.interaction.beeps, 1);
    QApplication::processEvents();
    EXPECT_TRUE(h.page->SlipBox(5)->hasFocus()); // back to the refused box

    TypeAndEnter(h.page->SlipBox(9), "");
    EXPECT_EQ(h.session.job.Slip.CommonY, kNoLevel);
    EXPECT_EQ(h.page->SlipBox(9)->text(), "Surface");
    // Enter moved the focus on; from the last box it goes round to the first.
    TypeAndEnter(h.page->SlipBox(11), "0.5");
    EXPECT_TRUE(h.page->SlipBox(0)->hasFocus());
    EXPECT_FLOAT_EQ(h.session.job.Slip.TensionCrackDepth, 0.5f);
}

TEST(CircleTab, AutomaticGeometryGreysTheBoxesItOverwrites)
{
    AnalysisPageHarness<CirclePage> h(ManualGridJob());
    for (int i = 0; i < 12; ++i)
        EXPECT_TRUE(h.page->SlipBox(i)->isEnabled()) << i;
    EXPECT_TRUE(h.page->SlipCheck(1)->isEnabled());

    h.page->SlipCheck(0)->click();
    EXPECT_TRUE(IsSet(h.session.job.Slip.AutoGenerate));
    EXPECT_TRUE(h.session.JobModified);
    for (int i = 0; i <= 9; ++i)
        EXPECT_FALSE(h.page->SlipBox(i)->isEnabled()) << i;
    EXPECT_TRUE(h.page->SlipBox(10)->isEnabled());
    EXPECT_TRUE(h.page->SlipBox(11)->isEnabled());
    EXPECT_FALSE(h.page->SlipCheck(1)->isEnabled());
    // The boxes show the grid the search generated, not the one typed before.
    Job generated = h.session.job;
    const SectionTable table = BuildSectionTable(generated);
    RunCircleSearch(generated, table, BuildReinforcementLayers(generated, table));
    EXPECT_NE(generated.Slip.GridYMin, ManualGridJob().Slip.GridYMin);
    EXPECT_EQ(h.page->SlipBox(3)->text(), QString::fromStdString(Format(generated.Slip.GridYMin, "#####0.00")));
    EXPECT_EQ(h.page->SlipBox(6)->text(), QString::fromStdString(Format(generated.Slip.CommonXMin, "#####0.00")));

    h.page->SlipCheck(0)->click();
    EXPECT_FALSE(IsSet(h.session.job.Slip.AutoGenerate));
    EXPECT_TRUE(h.page->SlipBox(0)->isEnabled());
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
        bool changes;
    };
    const Case cases[] = {{10, true, 11, true}, {10, false, 9, true}, {5, false, 5, false},
                          {6, false, 5, true},  {50, true, 50, false}, {49, true, 50, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + (c.up ? " up" : " down"));
        Job job = ManualGridJob();
        job.Slip.MinSlices = c.start;
        AnalysisPageHarness<CirclePage> h(job);
        const int refreshes = h.refreshes;
        (c.up ? h.page->Spin()->UpButton() : h.page->Spin()->DownButton())->click();
        EXPECT_EQ(h.session.job.Slip.MinSlices, c.expected);
        EXPECT_EQ(h.session.JobModified, c.changes);
        EXPECT_EQ(h.refreshes, refreshes + (c.changes ? 1 : 0));
        EXPECT_EQ(h.page->SliceLable()->text(), QString::number(c.expected));
    }
}

TEST(CircleTab, DefineFunctionOpensItsEditorAndItsValuesAreAnUndoableEdit)
{
    AnalysisPageHarness<CirclePage> h(ManualGridJob());
    h.page->show();
    ASSERT_TRUE(h.page->DefineFxBtn()->isVisible());
    // The half-sine preset, then OK: f(x) = sin(pi x) at x = 0, 0.1, ..., 1.
    h.interaction.modalScripts.push_back([](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("SineBtn"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
    });
    h.page->DefineFxBtn()->click();
    EXPECT_NEAR(h.session.job.Slip.Fx[5], 1.0f, 1e-6f);
    EXPECT_NEAR(h.session.job.Slip.Fx[2], 0.588f, 1e-3f);
    EXPECT_EQ(h.edits, 1);
    EXPECT_TRUE(h.interaction.modalScripts.empty());
}

TEST(WedgeTab, BoxesKeepTheirPairsInOrderAndRefuseWithTheMessage)
{
    Job job = LoadExample("reinforced_embankment.clv");
    job.Wedge.UseDefaults = kFalse, job.Wedge.BaseAngleMin = 5.0f, job.Wedge.BaseAngleMax = 20.0f;
    AnalysisPageHarness<WedgePage> h(job);
    h.page->show();
    QApplication::setActiveWindow(h.page.get());
    EXPECT_TRUE(h.page->WedgeText(3)->isEnabled());

    TypeAndEnter(h.page->WedgeText(3), "30");
    EXPECT_FLOAT_EQ(h.session.job.Wedge.BaseAngleMin, 30.0f);
    EXPECT_FLOAT_EQ(h.session.job.Wedge.BaseAngleMax, 30.0f);
    EXPECT_EQ(h.page->WedgeText(4)->text(), "30");

    TypeAndEnter(h.page->WedgeText(2), "0");
    ASSERT_EQ(h.interaction.messages.size(), 1u);
    EXPECT_EQ(h.interaction.messages[0].title, "Input data validation error");
    EXPECT_EQ(h.interaction.messages[0].text,
              "Wedge base width increment must be between 0.1 and 100\rPlease change the input data");
    EXPECT_EQ(h.interaction.messages[0].icon, ui::Interaction::Icon::Exclamation);

    // Back to the defaults: the boxes are greyed and show the defaults again.
    h.page->WedgeDefaultCheck()->click();
    EXPECT_TRUE(IsSet(h.session.job.Wedge.UseDefaults));
    EXPECT_FALSE(h.page->WedgeText(3)->isEnabled());
    EXPECT_EQ(h.page->WedgeText(3)->text(), "5");
}

TEST(DefinedTab, TypedPointsAreAddedInOrderAndDeleted)
{
    Job job = SimpleSlope();
    AnalysisPageHarness<ui::DefinedPage> h(job);
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

    h.page->UserPointsGrid()->setCurrentCell(1, 0);
    h.page->UserPointsBtn(1)->click();
    ASSERT_EQ(h.session.job.UserPointCount(), 2);
    EXPECT_FLOAT_EQ(h.session.job.UserPoints[1].X, 20.0f);
    EXPECT_EQ(h.page->UserCrit(3)->text(), "N/A");
    EXPECT_FALSE(h.page->UserPointsBtn(2)->isHidden()); // "Pick points" on the drawing
}

} // namespace
} // namespace clv::test
