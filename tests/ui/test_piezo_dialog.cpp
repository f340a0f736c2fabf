// The piezometric grid editor driven as the user drives it: limits typed into
// the extent boxes, "Reset grid", elevations typed into the cells, closing.
// The rules themselves are the model's (test_piezo_grid); here the boxes and
// cells show what was stored.

#include "dialog_harness.h"

#include "ui/dialogs/piezo_frm.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTableWidget>

namespace clv::ui::test {
namespace {

class PiezoDialogTest : public ::testing::Test {
protected:
    DialogHarness h;
    std::unique_ptr<PiezoFrm> dialog;

    void Open()
    {
        dialog = std::make_unique<PiezoFrm>(h.ctx);
        dialog->show();
    }
    QLineEdit* Box(const char* name) { return Child<QLineEdit>(*dialog, name); }
    QTableWidget* Grid() { return Child<QTableWidget>(*dialog, "PiezoGrid"); }
    QLineEdit* Editor() { return Child<QLineEdit>(*dialog, "GText"); }
    QCheckBox* EnableCheck() { return Child<QCheckBox>(*dialog, "EnableGridCheck"); }
    QString Cell(int row, int column) { return Grid()->item(row, column)->text(); }
    void Press(const char* button) { Click(Child<QPushButton>(*dialog, button)); }

    /** Types the six limits (X minimum, maximum, increment, then Y) and presses "Reset grid". */
    void LayOut(const QStringList& limits)
    {
        const char* const names[] = {"MinXBox", "MaxXBox", "IncXBox", "MinYBox", "MaxYBox", "IncYBox"};
        for (int i = 0; i < 6; ++i)
            TypeInto(Box(names[i]), limits[i]);
        Press("ResetBtn");
    }

    /** Selects a cell and types an entry into it, the first key on the grid and the rest in the editor. */
    void TypeCell(int row, int column, const QString& text, bool enter = true)
    {
        Grid()->setCurrentCell(row, column);
        QTest::keyClicks(Grid(), text.left(1));
        ASSERT_FALSE(Editor()->isHidden());
        QTest::keyClicks(Editor(), text.mid(1));
        if (enter)
            QTest::keyClick(Editor(), Qt::Key_Return);
    }
};

TEST_F(PiezoDialogTest, ResetLaysOutTheStationsToTheMaximumAndTheLevelsFromTheTop)
{
    Open();
    EXPECT_EQ(Box("IncXBox")->text() + " " + Box("IncYBox")->text(), "10.0 5.0"); // a new job's increments
    EXPECT_FALSE(EnableCheck()->isEnabled());
    LayOut({"0", "25", "10", "0", "25", "10"});
    ASSERT_EQ(Grid()->columnCount(), 5);
    ASSERT_EQ(Grid()->rowCount(), 5);
    // The stations 0, 10, 20, 25 along the top, the levels 30, 20, 10, 0 down the side.
    EXPECT_EQ(Cell(0, 0) + " " + Cell(0, 1) + " " + Cell(0, 4) + " " + Cell(1, 0) + " " + Cell(4, 0) + " " + Cell(4, 4),
              "Elevation 0.0 25.0 30.0 0.0 0.0");
    EXPECT_TRUE(EnableCheck()->isEnabled());
    EXPECT_TRUE(h.session.JobModified);
    EXPECT_EQ(h.undo.size(), 7u); // six boxes typed and the reset, each one undo step

    // A limit typed shows the stored pair (the minimum lowered with the maximum) and leaves the grid.
    TypeInto(Box("MaxXBox"), "-5");
    EXPECT_EQ(Box("MinXBox")->text() + " " + Box("MaxXBox")->text(), "-5.0 -5.0");
    EXPECT_EQ(h.session.job.Piezo.NX, 4);
    // Leaving a box without typing in it stores nothing.
    QTest::keyClick(Box("IncYBox"), Qt::Key_Return);
    EXPECT_EQ(h.undo.size(), 8u);
}

TEST_F(PiezoDialogTest, TypedElevationsAreStoredWithinTenThousandAndATooLargeGridIsRefused)
{
    Open();
    LayOut({"0", "20", "10", "0", "10", "5"});
    TypeCell(2, 3, "7.5");
    EXPECT_TRUE(Editor()->isHidden());
    EXPECT_EQ(Cell(2, 3), "7.5");
    EXPECT_FLOAT_EQ(h.session.job.Heads.At(2, 3), 7.5f);
    TypeCell(1, 1, "10000");
    EXPECT_FLOAT_EQ(h.session.job.Heads.At(1, 1), 10000.0f);

    const std::size_t steps = h.undo.size();
    TypeCell(1, 2, "10000.1");
    ASSERT_EQ(h.io.messages.size(), 1u);
    EXPECT_EQ(h.io.messages[0].title, "Invalid data entry");
    EXPECT_EQ(h.io.messages[0].text, "Invalid data for piezometric elevation\rPermitted range:-\r"
                                     "     Upper limit is 10000.0\r     Lower limit is -10000.0");
    EXPECT_EQ(h.io.messages[0].icon, Interaction::Icon::Exclamation);
    EXPECT_FLOAT_EQ(h.session.job.Heads.At(1, 2), 0.0f);
    EXPECT_EQ(h.undo.size(), steps);
    EXPECT_FALSE(Editor()->isHidden()); // the entry stays open to be corrected
    // Escape drops the entry.
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_TRUE(Editor()->isHidden());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Cell(1, 2), "0.0");

    // A double click opens the editor on the cell's text, all selected, so typing replaces it.
    const QPoint cell = Grid()->visualItemRect(Grid()->item(2, 3)).center();
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, cell);
    ASSERT_FALSE(Editor()->isHidden());
    EXPECT_EQ(Editor()->selectedText(), "7.5");
    QTest::keyClicks(Editor(), "-3.25");
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_FLOAT_EQ(h.session.job.Heads.At(2, 3), -3.25f);
    EXPECT_EQ(Cell(2, 3), "-3.3"); // shown to a tenth, stored as typed
    // The stations and levels are not typed into.
    Grid()->setCurrentCell(0, 2);
    QTest::keyClicks(Grid(), "5");
    EXPECT_TRUE(Editor()->isHidden());

    // A grid too large to store is refused and the old one kept.
    const PiezoHeads before = h.session.job.Heads;
    TypeInto(Box("MaxXBox"), "50000");
    TypeInto(Box("IncXBox"), "0.5");
    Press("ResetBtn");
    ASSERT_EQ(h.io.messages.size(), 2u);
    EXPECT_EQ(h.io.messages[1].title, "Piezometric grid not reset");
    EXPECT_EQ(h.session.job.Heads, before);
    EXPECT_EQ(Grid()->columnCount(), 4);
    // Those limits no longer match the table: closing warns and switches the grid off.
    Click(EnableCheck());
    Press("CloseBtn");
    ASSERT_EQ(h.io.messages.size(), 3u);
    EXPECT_EQ(h.io.messages[2].title, "Incomplete data warning");
    EXPECT_FALSE(IsSet(h.session.job.Piezo.Enabled));
}

TEST_F(PiezoDialogTest, CloseCommitsTheEntryBeingTypedOrStaysOpenWhenItIsRefusedAndAnEmptyCellSwitchesTheGridOff)
{
    Open();
    LayOut({"0", "10", "10", "0", "5", "5"});
    TypeCell(1, 1, "20000", false);
    Press("CloseBtn");
    ASSERT_EQ(h.io.messages.size(), 1u);
    EXPECT_EQ(h.io.messages[0].title, "Invalid data entry");
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(Editor(), Qt::Key_Escape);
    EXPECT_FLOAT_EQ(h.session.job.Heads.At(1, 1), 0.0f);

    h.io.messages.clear();
    Grid()->setCurrentCell(1, 1);
    QTest::keyClick(Grid(), Qt::Key_Return);
    QTest::keyClick(Editor(), Qt::Key_Backspace); // the cell would be empty...
    QTest::keyClicks(Editor(), "4.5");            // ...but the user typed a value and clicked Close
    Click(EnableCheck());
    Press("CloseBtn");
    EXPECT_FLOAT_EQ(h.session.job.Heads.At(1, 1), 4.5f);
    EXPECT_TRUE(h.io.messages.empty()); // complete: no warning, the grid stays on
    EXPECT_TRUE(IsSet(h.session.job.Piezo.Enabled));
    EXPECT_FALSE(dialog->isVisible());

    // Opened again the check box shows the switch and sets it; a cell emptied leaves the grid
    // incomplete, so closing warns and switches it off.
    Open();
    EXPECT_TRUE(EnableCheck()->isChecked());
    Click(EnableCheck());
    EXPECT_FALSE(IsSet(h.session.job.Piezo.Enabled));
    Click(EnableCheck());
    Grid()->setCurrentCell(2, 2);
    QTest::keyClick(Grid(), Qt::Key_Return); // opens on the cell's text
    QTest::keyClick(Editor(), Qt::Key_Backspace);
    QTest::keyClick(Editor(), Qt::Key_Return);
    EXPECT_EQ(Cell(2, 2), "");
    EXPECT_EQ(h.session.job.Heads.At(2, 2), kNoLevel);
    Press("CloseBtn");
    ASSERT_EQ(h.io.messages.size(), 1u);
    EXPECT_EQ(h.io.messages[0].title, "Incomplete data warning");
    EXPECT_EQ(h.io.messages[0].text, "The elevation data in the grid has not been completed.\r"
                                     "This can lead to unpredicatable results.\r"
                                     "As a precaution the piezometric grid will be disabled.\r"
                                     "You can complete data entry at a later date.");
    EXPECT_FALSE(IsSet(h.session.job.Piezo.Enabled));
    EXPECT_FALSE(dialog->isVisible());
}

} // namespace
} // namespace clv::ui::test
