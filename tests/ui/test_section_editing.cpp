// Editing the section with the mouse in the window: the pop-up menu's editing
// entries and the "Pick points" buttons, each mode driven by clicks on the
// drawing, the refusals, cancelling, and undo. The view is set 40 m wide, so the
// pick tolerance is 1 m and whole metres lie within a fraction of a pixel.

#include "window_fixture.h"

#include "ui/drawing_area.h"
#include "ui/editing/section_editor.h"
#include "ui/file_commands.h"
#include "ui/spic_widget.h"
#include "ui/tables/points_table.h"
#include "ui/tables/soils_table.h"
#include "ui/tabs/defined_page.h"
#include "ui/tabs/soils_page.h"
#include "ui/view_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace clv::ui::test {
namespace {

using Points = std::vector<std::pair<float, float>>;

class SectionEditing : public WindowTest {
protected:
    SpicWidget* spic = nullptr;
    SectionEditor* editor = nullptr;
    float originX = -10.0f;

    void StartShown(std::optional<QString> job = std::nullopt)
    {
        Start(std::move(job));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        spic = window->Drawing()->Spic();
        editor = window->Drawing()->Editor();
    }
    void Click(double x, double y, Qt::MouseButton button = Qt::LeftButton)
    {
        const drawing::View v{originX, -5.0f, static_cast<Single>(spic->width() / 40.0)};
        spic->View() = v;
        const QPointF at(drawing::SurfaceX(v, x), drawing::SurfaceY(v, spic->height(), y));
        QTest::mouseClick(spic, button, Qt::NoModifier, at.toPoint());
    }
    void ClickRow(int row)
    {
        SoilsTable* table = Soils()->Soils();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                          table->visualRect(table->model()->index(row, 1)).center());
    }
    void Trigger(const char* entry) { spic->PopUp()->findChild<QAction*>(entry)->trigger(); }
    SoilsPage* Soils() const { return static_cast<SoilsPage*>(window->Page(0)); }
    QString Prompt() const { return window->StatusPanel(2)->text(); }
    // The drawing's editing mode and the prompt in the status bar, against those of a waiting mode.
    std::pair<int, QString> State() const { return {spic->EditMode(), Prompt()}; }
    static std::pair<int, QString> Waiting(int mode) { return {mode, SectionEditor::Prompt(mode)}; }
    template <class Surface> static Points PointsOf(const Surface& s)
    {
        Points points;
        for (int j = 1; j <= s.PointCount; ++j)
            points.emplace_back(s.X[static_cast<std::size_t>(j)], s.Y[static_cast<std::size_t>(j)]);
        return points;
    }
};

TEST_F(SectionEditing, PopUpEntriesStartTheirModesAndDeleteAndMoveTakeThePointWithinTheTolerance)
{
    StartShown();
    Edit([](Job& job) { job.Soils.push_back(Soil("Clay", 5)); }); // (0,0) (5,1) (10,2) (15,3) (20,4)
    QStringList names;
    for (QAction* action : spic->PopUp()->actions())
        names << (action->isSeparator() ? QString("-") : action->objectName() + ":" + action->text());
    ASSERT_GE(names.size(), 6);
    EXPECT_EQ(names.mid(0, 6), (QStringList{"PopUpAddSoil:Add a soil surface point", "PopUpWaterSurface:Add a water surface point",
                                            "PopUpMovePoint:Move an existing point", "PopUpDeletePoint:Delete an existing point",
                                            "-", "PopUpZoomLimits:Zoom limits"}));
    // With the water row current, "Add a soil surface point" adds water points.
    const struct { const char* entry; int currentItem, mode; } cases[] = {{"PopUpAddSoil", 1, 1}, {"PopUpAddSoil", 2, 2},
        {"PopUpWaterSurface", 1, 2}, {"PopUpMovePoint", 1, 4}, {"PopUpDeletePoint", 1, 3}};
    for (const auto& c : cases) {
        Session().CurrentSoil = c.currentItem;
        Trigger(c.entry);
        EXPECT_EQ(State(), Waiting(c.mode)) << c.entry;
        EXPECT_EQ(spic->cursor().shape(), Qt::CrossCursor);
        QTest::keyClick(spic, Qt::Key_Escape);
    }

    Trigger("PopUpDeletePoint");
    Click(6.2, 1); // 1.2 m from (5, 1): nothing
    EXPECT_EQ(Session().job.Soil(1).PointCount, 5);
    Click(5.8, 1);
    EXPECT_EQ(PointsOf(Session().job.Soil(1)), (Points{{0, 0}, {10, 2}, {15, 3}, {20, 4}}));
    EXPECT_EQ(spic->EditMode(), 3);
    QTest::keyClick(spic, Qt::Key_Escape);

    Trigger("PopUpMovePoint");
    Click(10, 3.2);
    EXPECT_EQ(spic->EditMode(), 4);
    Click(10, 2.8);
    EXPECT_EQ(State(), Waiting(5));
    Click(17, 9); // past (15, 3) and above the extents
    EXPECT_EQ(PointsOf(Session().job.Soil(1)), (Points{{0, 0}, {15, 3}, {17, 9}, {20, 4}}));
    EXPECT_FLOAT_EQ(Session().job.View.YMax, 10.0f);
    EXPECT_EQ(State(), Waiting(0));
}

TEST_F(SectionEditing, ALayeredSectionFromAnEmptyJobWithTheMouseAlone)
{
    StartShown();
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(Soils()->SoilBtn(SoilsPage::kAddDefaultSoil), Qt::LeftButton);
    ASSERT_EQ(Session().job.SoilCount(), 2);
    // Each surface picked out of order, the water row last under the soil prompt.
    const struct { int row; Points clicks, want; } layers[] = {
        {0, {{10, 4}, {-8, 0}, {25, 4}, {0, 0}}, {{-8, 0}, {0, 0}, {10, 4}, {25, 4}}},
        {1, {{25, 1.5f}, {-8, -2}}, {{-8, -2}, {25, 1.5f}}},
        {2, {{-8, -1}, {25, 2}, {5, 0.5f}}, {{-8, -1}, {5, 0.5f}, {25, 2}}}};
    for (const auto& layer : layers) {
        ClickRow(layer.row);
        QTest::mouseClick(Soils()->SoilBtn(SoilsPage::kPickPoints), Qt::LeftButton);
        EXPECT_EQ(Prompt(), SectionEditor::Prompt(1));
        EXPECT_TRUE(spic->hasFocus());
        for (const auto& [x, y] : layer.clicks)
            Click(x, y);
        EXPECT_EQ(spic->EditMode(), layer.row == 2 ? 2 : 1); // still waiting for more
        QTest::keyClick(spic, Qt::Key_Escape);
    }
    const Job& job = Session().job;
    EXPECT_EQ(PointsOf(job.Soil(1)), layers[0].want);
    EXPECT_EQ(PointsOf(job.Soil(2)), layers[1].want);
    EXPECT_EQ(PointsOf(job.Water), layers[2].want);
    EXPECT_FLOAT_EQ(job.View.XMax, 26.0f); // widened past x = 25
    EXPECT_TRUE(Session().JobModified);
}

TEST_F(SectionEditing, RefusedClicksShowTheirMessageAndKeepTheMode)
{
    StartShown();
    Edit([](Job& job) {
        job.Soils.push_back(Soil("Full", 50));
        job.Water.PointCount = 50;
        for (int j = 1; j <= 50; ++j)
            job.Water.X[static_cast<std::size_t>(j)] = static_cast<Single>(j);
    });
    const struct { int mode; float originX; double x; const char* message; } cases[] = {
        {1, -10, 3, "The maximum number of points for this soil has already been specified."},
        {2, -10, 3, "The maximum number of points for the water surface has already been specified."},
        {6, 9980, 10000, "Point data lies outside acceptable limits (-10000 < P < 10000)"}};
    const Bytes before = BytesOf(Session().job);
    for (const auto& c : cases) {
        editor->StartMode(c.mode);
        originX = c.originX;
        Click(c.x, 3);
        ASSERT_EQ(io.messages.size(), 1u) << c.mode;
        EXPECT_EQ(io.messages[0].text, c.message);
        EXPECT_EQ(State(), Waiting(c.mode));
        EXPECT_EQ(BytesOf(Session().job), before);
        io.messages.clear();
    }
    Click(9999.5, 3); // just inside the limit
    ASSERT_EQ(Session().job.UserPointCount(), 1);
    EXPECT_FLOAT_EQ(Session().job.UserPoints[0].X, 9999.5f);
}

TEST_F(SectionEditing, EveryWayOfCancellingEndsTheModeAndKeepsThePoints)
{
    StartShown();
    Edit([](Job& job) { job.Soils.push_back(Soil("Clay", 0)); });
    enum Way { kRightClick, kEscape, kF4, kFocusLost, kNew };
    for (const Way way : {kRightClick, kEscape, kF4, kFocusLost, kNew}) {
        Trigger("PopUpAddSoil");
        Click(way, 1.0);
        if (way == kRightClick)
            Click(3, 3, Qt::RightButton);
        else if (way == kEscape || way == kF4)
            QTest::keyClick(spic, way == kEscape ? Qt::Key_Escape : Qt::Key_F4);
        else if (way == kFocusLost)
            window->Drawing()->Controls()->ViewBox()->setFocus();
        else {
            io.answers.push_back(Interaction::Answer::No); // do not save
            window->Files().New();
        }
        QApplication::processEvents();
        EXPECT_EQ(State(), Waiting(0)) << way;
        EXPECT_FALSE(spic->testAttribute(Qt::WA_SetCursor)) << way;
        EXPECT_EQ(way == kNew ? Session().job.SoilCount() : Session().job.Soil(1).PointCount, way == kNew ? 0 : way + 1);
    }
}

TEST_F(SectionEditing, UndoOfAMouseEditGivesBackTheJobBytesAndClosingTheSlipSurfaceMarksTheJobModified)
{
    StartShown(Q(CopyExample("layered_slope.clv", dir / "work" / "layered.clv")));
    const SoilRecord& ground = Session().job.Soil(1);
    const float px = ground.X[3], py = ground.Y[3]; // (8, 2.2)
    const struct { int mode; std::vector<std::pair<double, double>> clicks; } cases[] = {
        {1, {{2, 6}}}, {2, {{2, -3}}}, {3, {{px + 0.3, py}}}, {4, {{px, py - 0.3}, {6.5, 3}}}, {6, {{1, 1}}}};
    for (const auto& c : cases) {
        ASSERT_FALSE(Session().JobModified);
        const Bytes before = BytesOf(Session().job);
        editor->StartMode(c.mode);
        for (const auto& [x, y] : c.clicks)
            Click(x, y);
        EXPECT_NE(BytesOf(Session().job), before) << c.mode;
        EXPECT_TRUE(Session().JobModified);
        window->Undo();
        EXPECT_EQ(BytesOf(Session().job), before) << c.mode;
    }

    // A right click closing a slip surface picked point by point marks the job modified;
    // in any other mode it only ends the mode.
    for (const int mode : {1, 6}) {
        Session().JobModified = false;
        editor->StartMode(mode);
        Click(3, 3, Qt::RightButton);
        EXPECT_EQ(spic->EditMode(), 0);
        EXPECT_EQ(Session().JobModified, mode == 6);
    }
    Session().JobModified = false;
    window->SelectTab(0);
    QTest::mouseClick(Soils()->SoilBtn(SoilsPage::kPickPoints), Qt::LeftButton);
    EXPECT_EQ(spic->EditMode(), 1);
    EXPECT_TRUE(Session().JobModified);
}

TEST_F(SectionEditing, DefinedSurfacePickPointsAndDeletePoint)
{
    StartShown();
    Edit([](Job& job) {
        job.Soils.push_back(Soil("Clay", 5));
        job.Soils.push_back(Soil("Empty", 0));
    });
    window->SelectTab(5);
    auto* page = static_cast<DefinedPage*>(window->Page(5));
    QTest::mouseClick(page->UserPointsBtn(2), Qt::LeftButton);
    EXPECT_EQ(Prompt(), SectionEditor::Prompt(6));
    for (const auto& [x, y] : Points{{12, 1}, {-9, -6}, {3, -2}})
        Click(x, y);
    ASSERT_EQ(Session().job.UserPointCount(), 3);
    EXPECT_EQ((std::array{Session().job.UserPoints[0].X, Session().job.UserPoints[2].X}), (std::array{-9.0f, 12.0f}));
    EXPECT_FLOAT_EQ(Session().job.View.YMin, -6.0f);
    page->UserPointsGrid()->setCurrentCell(0, 0);
    page->UserPointsBtn(1)->click(); // deletes the row and ends picking
    EXPECT_EQ(spic->EditMode(), 0);
    EXPECT_FLOAT_EQ(Session().job.UserPoints.at(0).X, 3.0f);

    // The soils page's "Delete point" with no point selected does nothing.
    window->SelectTab(0);
    const Bytes before = BytesOf(Session().job);
    for (const int row : {0, 1}) {
        ClickRow(row);
        Soils()->Points()->setCurrentCell(-1, -1);
        QTest::mouseClick(Soils()->SoilBtn(SoilsPage::kDeletePoint), Qt::LeftButton);
        EXPECT_EQ(BytesOf(Session().job), before) << row;
    }
}

} // namespace
} // namespace clv::ui::test
