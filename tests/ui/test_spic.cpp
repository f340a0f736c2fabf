// The drawing surface in the window: zoom window and pan by clicks with their
// prompts, cancelling, the cursor read-out, the view buttons and check boxes,
// the grid increment box, and what New does to a waiting interaction.

#include "window_fixture.h"

#include "drawing/palette.h"
#include "drawing/view.h"
#include "support/expect_floats.h"
#include "ui/drawing_area.h"
#include "ui/file_commands.h"
#include "ui/spic_widget.h"
#include "ui/view_controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace clv::ui::test {
namespace {

const QString kFirstCorner = "Click on first corner of zoom window. (Escape or right click to cancel)";
using Waiting = std::pair<int, QString>; // the zoom interaction waiting for a click, and its prompt
const Waiting kNothing{SpicWidget::kZoomNone, QString()};

// Scale and origin of a view, for one comparison.
std::vector<float> Fit(const drawing::View& v) { return {v.ViewScale, v.ViewOriginX, v.ViewOriginY}; }

// Counts the paint events of the widgets it watches.
struct PaintCounter : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        count += e->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

class SpicTest : public WindowTest {
protected:
    SpicWidget* spic = nullptr;
    ViewControls* controls = nullptr;

    void SetUp() override
    {
        Start();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        Edit([](Job& job) { job.Soils.push_back(Soil("Clay", 5)); }); // 0,0 .. 20,4
        spic = window->Drawing()->Spic();
        controls = window->Drawing()->Controls();
        ASSERT_TRUE(spic->View().IsSet());
    }

    QString Prompt() const { return window->StatusPanel(2)->text(); }
    void Press(int button) { QTest::mouseClick(controls->ViewBtn(button), Qt::LeftButton); }
    Waiting State() const { return {spic->ZoomMode(), Prompt()}; }
};

TEST_F(SpicTest, ZoomWindowByTwoClicksPreviousReturnsAndPanCentresTheClick)
{
    const drawing::View before = spic->View();
    Press(1);
    EXPECT_EQ(State(), Waiting(SpicWidget::kZoomFirstCorner, kFirstCorner));
    const QPoint first(40, 30), second(140, 90);
    QTest::mouseClick(spic, Qt::LeftButton, Qt::NoModifier, first);
    EXPECT_EQ(State(), Waiting(SpicWidget::kZoomSecondCorner,
                               "Click on second corner of zoom window. (Escape or right click to cancel)"));
    QTest::mouseMove(spic, QPoint(100, 70)); // the rubber band follows; the view does not change yet
    EXPECT_EQ(Fit(spic->View()), Fit(before));
    QTest::mouseClick(spic, Qt::LeftButton, Qt::NoModifier, second);

    drawing::View expected = before;
    drawing::ViewHistory history;
    drawing::ZoomWindow(expected, history, spic->Surface(), first.x(), first.y(), second.x(), second.y());
    clv::test::ExpectFloats(Fit(spic->View()), Fit(expected));
    EXPECT_EQ(State(), kNothing);
    EXPECT_TRUE(controls->ViewBtn(2)->isEnabled());
    Press(2);
    EXPECT_EQ(Fit(spic->View()), Fit(before));

    // Pan: Escape or a right click cancels it; a click is the new centre.
    for (const bool rightClick : {false, true}) {
        Press(3);
        EXPECT_EQ(State(), Waiting(SpicWidget::kZoomPan, "Click on new centre of view. (Escape or right click to cancel)"));
        if (rightClick)
            QTest::mouseClick(spic, Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
        else
            QTest::keyClick(spic, Qt::Key_Escape);
        EXPECT_EQ(State(), kNothing);
        EXPECT_EQ(Fit(spic->View()), Fit(before));
    }
    Press(3);
    const QPoint at(60, 40);
    const float x = drawing::WorldX(before, at.x()), y = drawing::WorldY(before, spic->height(), at.y());
    QTest::mouseClick(spic, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_NEAR(spic->View().ViewOriginX + spic->width() / 2.0 / before.ViewScale, x, 1e-3);
    EXPECT_NEAR(spic->View().ViewOriginY + spic->height() / 2.0 / before.ViewScale, y, 1e-3);
}

TEST_F(SpicTest, PointPlacingModesSnapTheReadOutAndTheClick)
{
    std::vector<QPointF> clicks;
    QObject::connect(spic, &SpicWidget::EditClick, [&clicks](QPointF p) { clicks.push_back(p); });
    const QPoint at(123, 77);
    const float x = drawing::WorldX(spic->View(), at.x()), y = drawing::WorldY(spic->View(), spic->height(), at.y());
    const float g = Session().job.View.GridIncrement;
    // Modes 3 and 4 pick an existing point: the raw read-out.
    for (const int mode : {1, 2, 5, 6, 3, 4}) {
        SCOPED_TRACE(mode);
        const bool snap = mode != 3 && mode != 4;
        clicks.clear();
        spic->SetEditMode(mode);
        QTest::mouseMove(spic, at + QPoint(1, 0));
        QTest::mouseMove(spic, at);
        QTest::mouseClick(spic, Qt::LeftButton, Qt::NoModifier, at);
        const float wantX = snap ? drawing::SnapToSpacing(x, g) : x, wantY = snap ? drawing::SnapToSpacing(y, g) : y;
        EXPECT_EQ(window->StatusPanel(0)->text().toStdString(), drawing::CursorText(wantX));
        EXPECT_EQ(window->StatusPanel(1)->text().toStdString(), drawing::CursorText(wantY));
        ASSERT_EQ(clicks.size(), 1u);
        clv::test::ExpectFloats({static_cast<float>(clicks[0].x()), static_cast<float>(clicks[0].y())}, {wantX, wantY});
    }
    // Snapping off: the raw position even in a placing mode.
    Session().job.View.SnapToGrid = kFalse;
    spic->SetEditMode(1);
    QTest::mouseMove(spic, at);
    EXPECT_EQ(window->StatusPanel(0)->text().toStdString(), drawing::CursorText(x));
}

TEST_F(SpicTest, ViewFlagsFromThePopUpMenuAndTheCheckBoxesAndTheGridIncrementBox)
{
    QTest::mouseClick(spic, Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
    QMenu* menu = spic->PopUp();
    ASSERT_TRUE(menu->isVisible());
    QAction* showGrid = menu->findChild<QAction*>("PopUpShowGrid");
    QAction* snap = menu->findChild<QAction*>("PopUpSnapToGrid");
    ASSERT_TRUE(showGrid && snap && showGrid->isChecked());
    menu->hide();
    showGrid->trigger();
    EXPECT_FALSE(IsSet(Session().job.View.ShowGrid));
    EXPECT_FALSE(controls->ViewCheck(0)->isChecked()); // the box follows after the refresh
    snap->trigger();
    EXPECT_FALSE(IsSet(Session().job.View.SnapToGrid));
    // "Zoom window" from the menu starts the same interaction as the button.
    menu->findChild<QAction*>("PopUpZoomWindow")->trigger();
    EXPECT_EQ(State(), Waiting(SpicWidget::kZoomFirstCorner, kFirstCorner));

    // Each check box clears its own flag, the two above set again first.
    Edit([](Job& job) { job.View.ShowGrid = job.View.SnapToGrid = kTrue; });
    const Integer ViewSettings::*flags[] = {&ViewSettings::ShowGrid, &ViewSettings::SnapToGrid, &ViewSettings::ShowPoints,
        &ViewSettings::ShowSoils, &ViewSettings::ShowSoilFill, &ViewSettings::ShowWater, &ViewSettings::ShowPiezo,
        &ViewSettings::ShowLoads, &ViewSettings::ShowReinforcement};
    for (int i = 0; i < 9; ++i) {
        ASSERT_TRUE(IsSet(Session().job.View.*flags[i])) << i;
        QCheckBox* check = controls->ViewCheck(i);
        QTest::mouseClick(check, Qt::LeftButton, Qt::NoModifier, QPoint(6, check->height() / 2)); // on the box
        EXPECT_FALSE(IsSet(Session().job.View.*flags[i])) << i;
    }

    // The grid increment box: two decimals, a half to even; a refused value leaves the last one accepted.
    QLineEdit* box = controls->ViewBox();
    const struct { const char* text; bool accepted; float stored; } cases[] = {
        {"0.1", true, 0.1f}, {"0.09", false, 0.1f}, {"10", true, 10.0f}, {"10.01", false, 10.0f},
        {"2.346", true, 2.35f}, {"0.125", true, 0.12f}};
    for (const auto& c : cases) {
        io.messages.clear();
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, c.text);
        QTest::keyClick(box, Qt::Key_Return);
        if (c.accepted) {
            EXPECT_TRUE(io.messages.empty()) << c.text;
            EXPECT_TRUE(controls->ViewBtn(0)->hasFocus()) << c.text;
        } else {
            ASSERT_EQ(io.messages.size(), 1u) << c.text;
            EXPECT_EQ(io.messages[0].title, "Input data validation error");
            EXPECT_EQ(io.messages[0].text, "Grid increment must be between 0.1m and 10m\rPlease change the input data");
        }
        EXPECT_FLOAT_EQ(Session().job.View.GridIncrement, c.stored) << c.text;
    }
}

TEST_F(SpicTest, EveryViewCommandRepaintsAndInIsDisabledAboveTheScaleLimit)
{
    PaintCounter paints;
    spic->installEventFilter(&paints);
    for (int button : {4, 5, 2, 0}) { // In, Out, Previous, Limits
        QCoreApplication::processEvents();
        const int before = paints.count;
        Press(button);
        QCoreApplication::processEvents();
        EXPECT_GT(paints.count, before) << controls->ViewBtn(button)->text().toStdString();
    }
    while (spic->View().ViewScale <= drawing::kZoomInLimit) {
        ASSERT_TRUE(controls->ViewBtn(4)->isEnabled());
        Press(4);
    }
    EXPECT_FALSE(controls->ViewBtn(4)->isEnabled());
    Press(5);
    EXPECT_TRUE(controls->ViewBtn(4)->isEnabled());
}

TEST_F(SpicTest, SurfaceShowsTheSectionAndLeavingItOrNewEndsAZoom)
{
    const QImage picture = spic->grab().toImage();
    int filled = 0;
    for (int y = 0; y < picture.height(); y += 2)
        for (int x = 0; x < picture.width(); x += 2)
            filled += picture.pixelColor(x, y).rgb() == drawing::palette::SoilFill(1).rgb() ? 1 : 0;
    EXPECT_GT(filled, 100);

    Press(1);
    ASSERT_EQ(spic->ZoomMode(), SpicWidget::kZoomFirstCorner);
    controls->ViewBox()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(State(), kNothing);

    Press(3);
    ASSERT_EQ(spic->ZoomMode(), SpicWidget::kZoomPan);
    io.answers.push_back(Interaction::Answer::No); // do not save the changed job
    window->Files().New();
    EXPECT_EQ(State(), kNothing);
    // The empty section's box, -10..20 by -5..10, fills the surface one way.
    const double width = spic->width() / spic->View().ViewScale, height = spic->height() / spic->View().ViewScale;
    EXPECT_TRUE(std::abs(width - 30.0) < 1e-3 || std::abs(height - 15.0) < 1e-3) << width << " x " << height;
}

} // namespace
} // namespace clv::ui::test
