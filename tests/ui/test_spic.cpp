// The drawing surface in the window: zoom window and pan by clicks with their
// prompts, cancelling, the cursor read-out, the view buttons and check boxes,
// the grid increment box, and what New does to a waiting interaction.

#include "window_fixture.h"

#include "drawing/palette.h"
#include "drawing/view.h"
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
const QString kSecondCorner = "Click on second corner of zoom window. (Escape or right click to cancel)";
const QString kPan = "Click on new centre of view. (Escape or right click to cancel)";

class SpicTest : public WindowTest {
protected:
    SpicWidget* spic = nullptr;
    ViewControls* controls = nullptr;

    void StartWithSlope()
    {
        Start();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        Edit([](Job& job) { job.Soils.push_back(Soil("Clay", 5)); }); // 0,0 .. 20,4
        spic = window->Drawing()->Spic();
        controls = window->Drawing()->Controls();
        ASSERT_NE(spic, nullptr);
        ASSERT_TRUE(spic->View().IsSet());
    }

    QString Prompt() const { return window->StatusPanel(2)->text(); }

    static void ExpectSameView(const drawing::View& a, const drawing::View& b)
    {
        EXPECT_FLOAT_EQ(a.ViewOriginX, b.ViewOriginX);
        EXPECT_FLOAT_EQ(a.ViewOriginY, b.ViewOriginY);
        EXPECT_FLOAT_EQ(a.ViewScale, b.ViewScale);
    }
};

TEST_F(SpicTest, ZoomWindowByTwoClicksThenPreviousReturns)
{
    StartWithSlope();
    const drawing::View before = spic->View();
    QTest::mouseClick(controls->ViewBtn(1), Qt::LeftButton);
    EXPECT_EQ(spic->ZoomMode(), SpicWidget::kZoomFirstCorner);
    EXPECT_EQ(Prompt(), kFirstCorner);

    const QPoint first(40, 30), second(140, 90);
    QTest::mouseClick(spic, Qt::LeftButton, Qt::NoModifier, first);
    EXPECT_EQ(spic->ZoomMode(), SpicWidget::kZoomSecondCorner);
    EXPECT_EQ(Prompt(), kSecondCorner);
    QTest::mouseMove(spic, QPoint(100, 70)); // the rubber band follows; the view does not change yet
    ExpectSameView(spic->View(), before);
    QTest::mouseClick(spic, Qt::LeftButton, Qt::NoModifier, second);

    drawing::View expected = before;
    drawing::ViewHistory history;
    drawing::ZoomWindow(expected, history, spic->Surface(), first.x(), first.y(), second.x(), second.y());
    ExpectSameView(spic->View(), expected);
    EXPECT_EQ(spic->ZoomMode(), SpicWidget::kZoomNone);
    EXPECT_EQ(Prompt(), QString());
    EXPECT_TRUE(controls->ViewBtn(2)->isEnabled());

    QTest::mouseClick(controls->ViewBtn(2), Qt::LeftButton);
    ExpectSameView(spic->View(), before);
}

TEST_F(SpicTest, PanCentresTheClickAndEscapeOrRightClickCancels)
{
    StartWithSlope();
    const drawing::View before = spic->View();
    for (const bool rightClick : {false, true}) {
        QTest::mouseClick(controls->ViewBtn(3), Qt::LeftButton);
        EXPECT_EQ(Prompt(), kPan);
        if (rightClick)
            QTest::mouseClick(spic, Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
        else
            QTest::keyClick(spic, Qt::Key_Escape);
        EXPECT_EQ(spic->ZoomMode(), SpicWidget::kZoomNone);
        EXPECT_EQ(Prompt(), QString());
        ExpectSameView(spic->View(), before);
    }

    QTest::mouseClick(controls->ViewBtn(3), Qt::LeftButton);
    const QPoint at(60, 40);
    const float x = drawing::WorldX(before, at.x()), y = drawing::WorldY(before, spic->height(), at.y());
    QTest::mouseClick(spic, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_NEAR(spic->View().ViewOriginX + spic->width() / 2.0 / before.ViewScale, x, 1e-3);
    EXPECT_NEAR(spic->View().ViewOriginY + spic->height() / 2.0 / before.ViewScale, y, 1e-3);
}

TEST_F(SpicTest, PointPlacingModesSnapTheReadOutAndTheClick)
{
    StartWithSlope();
    std::vector<QPointF> clicks;
    QObject::connect(spic, &SpicWidget::EditClick, [&clicks](QPointF p) { clicks.push_back(p); });
    const QPoint at(123, 77);
    const drawing::View& v = spic->View();
    const float x = drawing::WorldX(v, at.x()), y = drawing::WorldY(v, spic->height(), at.y());
    const float g = Session().job.View.GridIncrement;
    struct Case {
        int mode;
        bool snap;
    } cases[] = {{1, true}, {2, true}, {5, true}, {6, true}, {3, false}, {4, false}}; // 3, 4: the raw read-out
    for (const Case& c : cases) {
        clicks.clear();
        spic->SetEditMode(c.mode);
        QTest::mouseMove(spic, at + QPoint(1, 0));
        QTest::mouseMove(spic, at);
        QTest::mouseClick(spic, Qt::LeftButton, Qt::NoModifier, at);
        const float wantX = c.snap ? drawing::SnapToSpacing(x, g) : x;
        const float wantY = c.snap ? drawing::SnapToSpacing(y, g) : y;
        EXPECT_EQ(window->StatusPanel(0)->text().toStdString(), drawing::CursorText(wantX)) << c.mode;
        EXPECT_EQ(window->StatusPanel(1)->text().toStdString(), drawing::CursorText(wantY)) << c.mode;
        ASSERT_EQ(clicks.size(), 1u) << c.mode;
        EXPECT_FLOAT_EQ(static_cast<float>(clicks[0].x()), wantX) << c.mode;
        EXPECT_FLOAT_EQ(static_cast<float>(clicks[0].y()), wantY) << c.mode;
    }
    // Snapping off: the raw position even in a placing mode.
    Session().job.View.SnapToGrid = kFalse;
    spic->SetEditMode(1);
    QTest::mouseMove(spic, at);
    EXPECT_EQ(window->StatusPanel(0)->text().toStdString(), drawing::CursorText(x));
}

TEST_F(SpicTest, PopUpMenuViewEntries)
{
    StartWithSlope();
    QTest::mouseClick(spic, Qt::RightButton, Qt::NoModifier, QPoint(50, 50));
    QMenu* menu = spic->PopUp();
    ASSERT_TRUE(menu->isVisible());
    QAction* showGrid = menu->findChild<QAction*>("PopUpShowGrid");
    QAction* snap = menu->findChild<QAction*>("PopUpSnapToGrid");
    ASSERT_NE(showGrid, nullptr);
    ASSERT_NE(snap, nullptr);
    EXPECT_TRUE(showGrid->isChecked());
    menu->hide();
    showGrid->trigger();
    EXPECT_FALSE(IsSet(Session().job.View.ShowGrid));
    EXPECT_FALSE(controls->ViewCheck(0)->isChecked()); // the box follows after the refresh
    snap->trigger();
    EXPECT_FALSE(IsSet(Session().job.View.SnapToGrid));

    // "Zoom window" from the menu starts the same interaction as the button.
    menu->findChild<QAction*>("PopUpZoomWindow")->trigger();
    EXPECT_EQ(spic->ZoomMode(), SpicWidget::kZoomFirstCorner);
    EXPECT_EQ(Prompt(), kFirstCorner);
}

TEST_F(SpicTest, InDisabledAboveTheScaleLimitAndOutKeepsTheCentre)
{
    StartWithSlope();
    while (spic->View().ViewScale <= drawing::kZoomInLimit) {
        ASSERT_TRUE(controls->ViewBtn(4)->isEnabled());
        QTest::mouseClick(controls->ViewBtn(4), Qt::LeftButton);
    }
    EXPECT_FALSE(controls->ViewBtn(4)->isEnabled());
    QTest::mouseClick(controls->ViewBtn(5), Qt::LeftButton);
    EXPECT_TRUE(controls->ViewBtn(4)->isEnabled());
}

/** Counts the paint events a widget receives. */
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        count += e->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST_F(SpicTest, EveryViewCommandRepaintsTheDrawing)
{
    StartWithSlope();
    PaintCounter paints(spic);
    for (int button : {4, 5, 2, 0}) { // In, Out, Previous, Limits
        QCoreApplication::processEvents();
        const int before = paints.count;
        QTest::mouseClick(controls->ViewBtn(button), Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_GT(paints.count, before) << controls->ViewBtn(button)->text().toStdString();
    }
}

TEST_F(SpicTest, GridIncrementBoxRefusesOutOfRange)
{
    StartWithSlope();
    QLineEdit* box = controls->ViewBox();
    struct Case {
        const char* text;
        bool accepted;
        float stored;
    } cases[] = {{"0.09", false, 0.5f}, {"10.01", false, 0.5f}, {"0.1", true, 0.1f}, {"10", true, 10.0f},
                 {"2.346", true, 2.35f}, {"0.125", true, 0.12f}}; // two decimals, a half to even
    for (const Case& c : cases) {
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
            // Put the last accepted value back for the next case.
            box->selectAll();
            QTest::keyClicks(box, "0.5");
            QTest::keyClick(box, Qt::Key_Return);
        }
        EXPECT_FLOAT_EQ(Session().job.View.GridIncrement, c.stored) << c.text;
    }
}

TEST_F(SpicTest, ViewChecksStoreTheirFlags)
{
    StartWithSlope();
    struct Case {
        int index;
        Integer ViewSettings::*flag;
    } cases[] = {{0, &ViewSettings::ShowGrid}, {1, &ViewSettings::SnapToGrid}, {2, &ViewSettings::ShowPoints},
                 {3, &ViewSettings::ShowSoils}, {4, &ViewSettings::ShowSoilFill}, {5, &ViewSettings::ShowWater},
                 {6, &ViewSettings::ShowPiezo}, {7, &ViewSettings::ShowLoads}, {8, &ViewSettings::ShowReinforcement}};
    for (const Case& c : cases) {
        ASSERT_TRUE(IsSet(Session().job.View.*c.flag)) << c.index;
        QCheckBox* check = controls->ViewCheck(c.index);
        QTest::mouseClick(check, Qt::LeftButton, Qt::NoModifier, QPoint(6, check->height() / 2)); // on the box
        EXPECT_FALSE(IsSet(Session().job.View.*c.flag)) << c.index;
    }
}

TEST_F(SpicTest, SurfaceShowsTheSectionAndLeavingItEndsAZoom)
{
    StartWithSlope();
    const QImage picture = spic->grab().toImage();
    int filled = 0;
    for (int y = 0; y < picture.height(); y += 2)
        for (int x = 0; x < picture.width(); x += 2)
            filled += picture.pixelColor(x, y).rgb() == drawing::palette::SoilFill(1).rgb() ? 1 : 0;
    EXPECT_GT(filled, 100);

    QTest::mouseClick(controls->ViewBtn(1), Qt::LeftButton);
    ASSERT_EQ(spic->ZoomMode(), SpicWidget::kZoomFirstCorner);
    controls->ViewBox()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(spic->ZoomMode(), SpicWidget::kZoomNone);
    EXPECT_EQ(Prompt(), QString());
}

TEST_F(SpicTest, NewEndsAWaitingZoomAndFitsTheEmptySection)
{
    StartWithSlope();
    QTest::mouseClick(controls->ViewBtn(3), Qt::LeftButton);
    ASSERT_EQ(spic->ZoomMode(), SpicWidget::kZoomPan);
    io.answers.push_back(Interaction::Answer::No); // do not save the changed job
    window->Files().New();
    EXPECT_EQ(spic->ZoomMode(), SpicWidget::kZoomNone);
    EXPECT_EQ(Prompt(), QString());
    // The empty section's box, -10..20 by -5..10, fills the surface one way.
    const drawing::View& v = spic->View();
    const double width = spic->width() / v.ViewScale, height = spic->height() / v.ViewScale;
    EXPECT_TRUE(std::abs(width - 30.0) < 1e-3 || std::abs(height - 15.0) < 1e-3) << width << " x " << height;
}

} // namespace
} // namespace clv::ui::test
