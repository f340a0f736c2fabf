// The four input pages driven as a user drives them: buttons with their
// defaults, typed cells and boxes with their limits and messages, and the
// guards around the current rows and pending entries.

#include "page_actions.h"
#include "page_harness.h"
#include "support/expect_floats.h"
#include "support/job_builders.h"

#include "model/design_codes.h"
#include "ui/tables/loads_table.h"
#include "ui/tables/points_table.h"
#include "ui/tables/rforce_table.h"
#include "ui/tables/soils_table.h"

#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

namespace clv::ui::test {
namespace {

using clv::test::ExpectFloats;

SoilRecord SoilWithPoints(const char* name, const clv::test::Points& points)
{
    return clv::test::SoilWith(name, 19.0f, 28.0f, 0.0f, points);
}

class InputPages : public testing::Test {
protected:
    void SetUp() override { h.ShowActive(); }

    /** A ground surface whose crest (the first of its two highest points) is at x = 10, y = 6. */
    void SetGround()
    {
        h.session.job.Soils.push_back(SoilWithPoints("Fill", {{0, 2}, {10, 6}, {15, 6}, {30, 4}}));
        h.Refresh();
    }

    void Click(QPushButton* button)
    {
        ASSERT_TRUE(button->isVisible());
        button->click();
        QApplication::processEvents();
    }

    /** A typed value the cell refuses: a beep, and the editor stays open with it until Escape. */
    void EnterRefused(DataTable* table, int row, int col, const char* text)
    {
        const int beeps = h.interaction.beeps;
        EnterCell(table, row, col, text);
        EXPECT_EQ(h.interaction.beeps, beeps + 1) << text;
        EXPECT_TRUE(table->IsEditing()) << text;
        EXPECT_EQ(table->Editor()->text(), text);
        QTest::keyClick(table->Editor(), Qt::Key_Escape);
        EXPECT_FALSE(table->IsEditing()) << text;
    }

    /** Types into a box and moves the focus on to `next`, which commits the box. */
    void TypeAndLeave(EntryBox* box, const char* text, QWidget* next)
    {
        TypeInBox(box, text);
        next->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    Job& job() { return h.session.job; }

    PageHarness h;
};

// ---- Loads and anchors ------------------------------------------------------

TEST_F(InputPages, LoadButtonsStartFromTheOriginOrTheCrestDeleteActsOnlyOnALoad)
{
    h.ShowTab(1);
    Click(h.loads->LoadsBtn(4)); // nothing to delete
    EXPECT_EQ(h.undo.size(), 0u);
    EXPECT_FALSE(h.session.JobModified);
    for (int type = 0; type < 4; ++type)
        Click(h.loads->LoadsBtn(type));
    Click(h.loads->LoadsBtn(3)); // a second anchor follows the first

    // The surcharge, the line load and the second anchor are checked cell by cell below.
    ASSERT_EQ(job().LoadCount(), 5);
    for (int k : {1, 2}) {
        const LoadRecord& load = job().Loads[static_cast<std::size_t>(k)];
        EXPECT_EQ(load.LoadType, k);
        EXPECT_EQ(load.Y, kNoLevel);
        ExpectFloats({load.Value, load.XMin, load.XMax, load.Angle + load.FreeLength + load.FixedLength},
                     {100, 0, 0, 0});
    }
    const LoadRecord& anchor = job().Loads[3];
    EXPECT_EQ(anchor.LoadType, kAnchor);
    EXPECT_FLOAT_EQ(anchor.Y, 0.0f); // the second is 1 m higher
    EXPECT_FLOAT_EQ(anchor.Angle + anchor.FreeLength + anchor.FixedLength, 30.0f + 5.0f + 8.0f);
    EXPECT_EQ(h.undo.size(), 5u); // one snapshot per button
    EXPECT_TRUE(h.session.JobModified);

    LoadsTable* table = h.loads->Table();
    ASSERT_EQ(table->rowCount(), 5);
    EXPECT_EQ(RowText(table, 0), "Surcharge|10|kN/m2|0.00|10.00|Surface|||");
    EXPECT_EQ(RowText(table, 1), "Line load|100|kN/m|0.00||Surface|||");
    EXPECT_EQ(RowText(table, 4), "Anchor|100|kN/m|Surface||1.00|30.00|5.00|8.00");
    EXPECT_EQ(GreyedMask(table, 0), "......###");
    EXPECT_EQ(GreyedMask(table, 1), "....#.###");
    EXPECT_EQ(GreyedMask(table, 4), "....#....");
    EXPECT_EQ(CellText(table, 2, 0), "Lateral load");

    SetGround();
    for (int type = 0; type < 4; ++type)
        Click(h.loads->LoadsBtn(type));
    ASSERT_EQ(job().LoadCount(), 9);
    const auto& l = job().Loads; // the anchor halfway between the first point (2) and the crest (6)
    ExpectFloats({l[5].XMin, l[5].XMax, l[6].XMin, l[6].XMax, l[7].XMin, l[8].Y}, {10, 30, 10, 10, 10, 4});

    // The current row is clamped to the last load, which is what the next Delete removes.
    ChooseCell(table, 8, 1);
    for (auto [left, lastType] : {std::pair{8, kLateralLoad}, {7, kLineLoad}, {6, kSurcharge}}) {
        Click(h.loads->LoadsBtn(4));
        ASSERT_EQ(job().LoadCount(), left);
        EXPECT_EQ(job().Loads.back().LoadType, lastType);
        EXPECT_EQ(table->CurrentItem(), left);
    }
}

TEST_F(InputPages, AnAnchorRowAndALineLoadRowOpenTheirOwnCellsWithinTheirRanges)
{
    h.ShowTab(1);
    Click(h.loads->LoadsBtn(kAnchor));
    Click(h.loads->LoadsBtn(kLineLoad));
    LoadsTable* table = h.loads->Table();
    for (auto [row, col] : {std::pair{1, 0}, {1, 2}, {1, 4}, {1, 6}, {0, 3}, {0, 4}})
        EXPECT_FALSE(EnterOpensEditor(table, row, col)) << row << "," << col;

    for (auto [col, text] : {std::pair{6, "-45.125"}, {7, "12.5"}, {8, "100"}})
        EnterCell(table, 0, col, text);
    const LoadRecord& a = job().Loads[0];
    ExpectFloats({a.Angle, a.FreeLength, a.FixedLength}, {-45.12f, 12.5f, 100});
    EXPECT_EQ(CellText(table, 0, 6), "-45.12");
    EXPECT_EQ(h.interaction.beeps, 0);

    // An anchor at the surface is refused; other loads take it in any case, or as an empty cell.
    for (auto [col, text] : {std::pair{8, "100.5"}, {5, "surface"}, {5, ""}, {6, "91"}})
        EnterRefused(table, 0, col, text);
    ExpectFloats({a.FixedLength, a.Y, a.Angle}, {100, 0, -45.12f});

    EnterCell(table, 1, 5, "3.5");
    EXPECT_FLOAT_EQ(job().Loads[1].Y, 3.5f);
    EnterCell(table, 1, 5, "SurFace");
    EXPECT_EQ(job().Loads[1].Y, kNoLevel);
    EXPECT_EQ(CellText(table, 1, 5), "Surface");
    EnterCell(table, 1, 5, "2");
    EnterCell(table, 1, 5, "");
    EXPECT_EQ(job().Loads[1].Y, kNoLevel);
    EXPECT_EQ(h.interaction.beeps, 4);
}

TEST_F(InputPages, ASurchargeKeepsItsEndsInOrderAndAPendingCellOrBoxIsCommittedOnRequest)
{
    h.ShowTab(1);
    Click(h.loads->LoadsBtn(kSurcharge)); // 0 to 10
    LoadsTable* table = h.loads->Table();
    for (auto [col, text, xMin, xMax] : {std::tuple{3, "50", 50.0f, 50.0f}, {4, "60", 50.0f, 60.0f},
                                         {3, "55", 55.0f, 60.0f}, {4, "-5", -5.0f, -5.0f}}) {
        EnterCell(table, 0, col, text);
        ExpectFloats({job().Loads[0].XMin, job().Loads[0].XMax}, {xMin, xMax});
    }
    EXPECT_EQ(h.interaction.beeps, 0);

    TypeInCell(table, 0, 1, "12");
    EXPECT_TRUE(h.loads->CommitPendingEdit());
    EXPECT_FLOAT_EQ(job().Loads[0].Value, 12.0f);
    EXPECT_FALSE(table->IsEditing());

    TypeInCell(table, 0, 1, "99999");
    EXPECT_FALSE(h.loads->CommitPendingEdit());
    EXPECT_EQ(h.interaction.beeps, 1);
    EXPECT_TRUE(table->IsEditing());
    EXPECT_FLOAT_EQ(job().Loads[0].Value, 12.0f);

    h.ShowTab(3); // leaving the page puts the refused editor away unstored
    EXPECT_FALSE(table->IsEditing());
    EXPECT_FLOAT_EQ(job().Loads[0].Value, 12.0f);

    TypeInBox(h.factors->FactorBox(9), "0.15");
    EXPECT_TRUE(h.factors->CommitPendingEdit());
    EXPECT_FLOAT_EQ(job().Header.LateralAccelerationFactor, 0.15f);

    TypeInBox(h.factors->FactorBox(9), "-1");
    EXPECT_FALSE(h.factors->CommitPendingEdit());
    EXPECT_FLOAT_EQ(job().Header.LateralAccelerationFactor, 0.15f);
}

// ---- Reinforcement ------------------------------------------------------------

TEST_F(InputPages, BlocksStartAtZeroOrAtTheGroundFarLeftAndAreTypedAndDeleted)
{
    h.ShowTab(2);
    Click(h.reinforcement->RForceBtn(1));
    EXPECT_EQ(h.undo.size(), 0u);
    Click(h.reinforcement->RForceBtn(0));
    Click(h.reinforcement->RForceBtn(0));
    ASSERT_EQ(job().ReinforcementCount(), 2);
    EXPECT_FLOAT_EQ(job().Reinforcement[0].BlockBase, 0.0f);

    RForceTable* table = h.reinforcement->Table();
    EnterCell(table, 0, 0, "Upper grids");
    EnterRefused(table, 0, 3, "0.04");
    EnterCell(table, 0, 3, "0.055");
    EXPECT_EQ(job().Reinforcement[0].Description.Trimmed(), "Upper grids");
    EXPECT_FLOAT_EQ(job().Reinforcement[0].FrictionCoefficient, 0.06f);
    // Every number column stores into its own field.
    for (const auto& [col, text] : {std::pair{1, "45"}, {2, "7.5"}, {4, "0.6"}, {5, "3.2"}, {6, "-1.5"}})
        EnterCell(table, 0, col, text);
    const ReinforcementBlock& typed = job().Reinforcement[0];
    ExpectFloats({typed.Strength, typed.Length, typed.FrictionCoefficient, typed.VerticalSpacing, typed.BlockHeight,
                  typed.BlockBase},
                 {45, 7.5f, 0.06f, 0.6f, 3.2f, -1.5f});

    ChooseCell(table, 1, 2);
    Click(h.reinforcement->RForceBtn(1));
    ASSERT_EQ(job().ReinforcementCount(), 1);
    EXPECT_EQ(job().Reinforcement[0].Description.Trimmed(), "Upper grids");
    EXPECT_EQ(table->CurrentItem(), 1);

    // The base: the ground runs level at 2 m left of its first point.
    SetGround();
    Click(h.reinforcement->RForceBtn(0));
    ASSERT_EQ(job().ReinforcementCount(), 2);
    const ReinforcementBlock& b = job().Reinforcement[1];
    EXPECT_EQ(b.Description.Trimmed(), "Geogrids");
    ExpectFloats({b.Strength, b.Length, b.FrictionCoefficient, b.NailAngle, b.NailSpacing, b.VerticalSpacing,
                  b.BlockHeight, b.BlockBase},
                 {30, 10, 0.7f, 0, 2, 0.4f, 4, 2});
    EXPECT_EQ(RowText(table, 1), "Geogrids|30.0|10.0|0.70|0.40|4.00|2.00");
}

// ---- Geometry, soils and water ---------------------------------------------

TEST_F(InputPages, AddSoilButtonsAddADefaultSoilWhoseCellsAndTheWaterDensityAreTyped)
{
    Click(h.soils->InsertBtn());
    Click(h.soils->SoilBtn(SoilsPage::kAddDefaultSoil));
    ASSERT_EQ(job().SoilCount(), 2);
    EXPECT_EQ(job().Soil(2).Description.Trimmed(), "Soil 2");
    SoilsTable* table = h.soils->Soils();
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(RowText(table, 0), "Soil 1|20.00|30|0|0.00|0.00");
    EXPECT_EQ(RowText(table, 2), "Water|9.81||||");
    EXPECT_EQ(GreyedMask(table, 0), "......");
    EXPECT_EQ(GreyedMask(table, 2), "..####");
    EXPECT_EQ(table->item(0, 0)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(table->item(0, 1)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    h.session.CurrentSoil = 9; // the window's refresh test takes the other cases
    h.Refresh();
    EXPECT_EQ(h.session.CurrentSoil, 3);
    EXPECT_EQ(table->currentRow(), 2);

    for (auto [col, text] : {std::pair{0, "  London clay"}, {2, "22.5"}, {4, "0.255"}})
        EnterCell(table, 0, col, text);
    EXPECT_EQ(job().Soil(1).Description.Trimmed(), "London clay");
    EXPECT_FLOAT_EQ(job().Soil(1).Phi, 22.0f);
    EXPECT_FLOAT_EQ(job().Soil(1).Ru, 0.26f);
    EnterRefused(table, 0, 1, "25.5");
    EXPECT_FLOAT_EQ(job().Soil(1).Density, 20.0f);

    for (int col : {0, 2, 5}) // only the density of the water row is an entry
        EXPECT_FALSE(EnterOpensEditor(table, 2, col)) << col;
    EnterCell(table, 2, 1, "10");
    EXPECT_FLOAT_EQ(job().Header.WaterUnitWeight, 10.0f);
    EXPECT_FLOAT_EQ(job().Soil(2).Density, 20.0f);

    // Losing the focus commits the cell editor.
    TypeInCell(table, 0, 3, "15");
    h.soils->PointBox(0)->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_FLOAT_EQ(job().Soil(1).Cohesion, 15.0f);
    EXPECT_FALSE(table->IsEditing());
}

TEST_F(InputPages, ChangingTheSoilRowRefillsThePointsAndARefusedEntryStaysBehind)
{
    job().Soils.push_back(SoilWithPoints("Upper", {{0, 5}, {20, 5}}));
    job().Soils.push_back(SoilWithPoints("Lower", {{-5, 1}, {10, 2}, {25, 3}}));
    clv::test::SetPoints(job().Water, {{7.0f, -1.5f}});
    h.Refresh();
    SoilsTable* soils = h.soils->Soils();
    PointsTable* points = h.soils->Points();
    ASSERT_EQ(points->rowCount(), 2);

    soils->setFocus();
    QTest::keyClick(soils, Qt::Key_Down);
    EXPECT_EQ(h.session.CurrentSoil, 2);
    ASSERT_EQ(points->rowCount(), 3);
    EXPECT_EQ(CellText(points, 0, 0), "-5.00");
    EXPECT_EQ(CellText(points, 2, 1), "3.00");

    QTest::keyClick(soils, Qt::Key_Down);
    EXPECT_EQ(h.session.CurrentSoil, 3);
    ASSERT_EQ(points->rowCount(), 1);
    EXPECT_EQ(RowText(points, 0), "7.00|-1.50");

    // An edit in the points table goes to the item it shows.
    EnterCell(points, 0, 1, "-2");
    EXPECT_FLOAT_EQ(job().Water.Y[1], -2.0f);
    EXPECT_FLOAT_EQ(job().Soil(2).Y[1], 1.0f);

    // A refused point entry does not follow the table to another soil.
    EnterCell(points, 0, 1, "20000");
    ASSERT_TRUE(points->IsEditing()); // refused, still open
    ChooseCell(soils, 1, 0); // the points of soil 2 fill the table
    EXPECT_FALSE(points->IsEditing());
    EXPECT_TRUE(points->CommitEdit());
    EXPECT_FLOAT_EQ(job().Soil(2).Y[1], 1.0f);
    EXPECT_FLOAT_EQ(job().Water.Y[1], -2.0f);
}

TEST_F(InputPages, BothDeleteSoilButtonsAskAndActOnASoilAndKeepASoilCurrent)
{
    QPushButton* remove = h.soils->SoilBtn(SoilsPage::kDeleteSoil);
    EXPECT_FALSE(remove->isEnabled()); // no soil yet
    Click(h.soils->InsertBtn());
    Click(h.soils->InsertBtn());
    EXPECT_TRUE(remove->isEnabled());
    SoilsTable* table = h.soils->Soils();
    ChooseCell(table, 0, 0);

    // Beside the table: Cancel is the default, and the water row is no soil to delete.
    h.interaction.answers = {Interaction::Answer::Cancel};
    Click(h.soils->DeleteBtn());
    ASSERT_EQ(h.interaction.messages.size(), 1u);
    EXPECT_EQ(h.interaction.messages[0].text, "Delete highlighted\rproject soil strata ?");
    EXPECT_EQ(h.interaction.messages[0].icon, Interaction::Icon::Question);
    EXPECT_EQ(h.interaction.messages[0].buttons, Interaction::Buttons::OkCancel);
    EXPECT_EQ(h.interaction.messages[0].defaultButton, Interaction::Answer::Cancel);
    EXPECT_EQ(job().SoilCount(), 2);

    h.interaction.answers = {Interaction::Answer::Ok};
    Click(h.soils->DeleteBtn());
    ASSERT_EQ(job().SoilCount(), 1);
    EXPECT_EQ(job().Soil(1).Description.Trimmed(), "Soil 2");

    ChooseCell(table, 1, 0); // the water row
    h.interaction.messages.clear();
    Click(h.soils->DeleteBtn());
    EXPECT_TRUE(h.interaction.messages.empty());
    EXPECT_EQ(job().SoilCount(), 1);

    // Among the soil buttons: the last soil going leaves the one above it current.
    Click(h.soils->InsertBtn());
    ChooseCell(table, 1, 0);
    ASSERT_EQ(h.session.CurrentSoil, 2);
    h.interaction.answers = {Interaction::Answer::Ok};
    Click(remove);
    ASSERT_EQ(h.interaction.messages.size(), 1u);
    EXPECT_EQ(h.interaction.messages[0].title, "Confirm delete of soil");
    EXPECT_EQ(h.interaction.messages[0].text, "Confirm delete of soil and associated geometry?");
    ASSERT_EQ(job().SoilCount(), 1);
    EXPECT_EQ(h.session.CurrentSoil, 1);
}

TEST_F(InputPages, DialogButtonsOpenTheirEditorsAndTheGeneratedSoilIsAnUndoableEdit)
{
    EXPECT_FALSE(h.soils->SoilBtn(SoilsPage::kPickPoints)->isHidden());
    EXPECT_EQ(h.soils->InsertBtn()->text(), "Add soil");
    EXPECT_EQ(h.soils->SoilGeneratorBtn()->text(), "Soil Generator");

    // Both generator buttons: "Add soil" at once gives the default soil of the first group.
    for (QPushButton* button : {h.soils->SoilGeneratorBtn(), h.soils->SoilBtn(SoilsPage::kSoilsGenerator)}) {
        const std::size_t soils = h.session.job.Soils.size();
        const std::size_t steps = h.undo.size();
        h.session.JobModified = false;
        h.interaction.modalScripts.push_back([](QDialog& dialog) {
            dialog.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        });
        ASSERT_FALSE(button->isHidden());
        Click(button);
        ASSERT_EQ(h.session.job.Soils.size(), soils + 1);
        EXPECT_EQ(h.session.job.Soils.back().Description.Trimmed(), "GRAVEL");
        EXPECT_TRUE(h.session.JobModified);
        EXPECT_EQ(h.undo.size(), steps + 1);
    }
    // Unanswered, the generator adds nothing.
    const std::size_t soils = h.session.job.Soils.size();
    Click(h.soils->SoilGeneratorBtn());
    EXPECT_EQ(h.session.job.Soils.size(), soils);

    h.interaction.modalScripts.push_back([](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("CloseBtn"))->click();
    });
    Click(h.soils->SoilBtn(SoilsPage::kPiezometricGrid));
    const std::vector<QString> opened{"SoilGenFrm", "SoilGenFrm", "SoilGenFrm", "PiezoFrm"};
    EXPECT_EQ(h.interaction.modalDialogs, opened);
    EXPECT_TRUE(h.interaction.modalScripts.empty());
}

TEST_F(InputPages, TypedPointsAreCheckedAddedInOrderAndDeletedUpToFiftyASoil)
{
    Click(h.soils->InsertBtn());
    EntryBox* x = h.soils->PointBox(0);
    EntryBox* y = h.soils->PointBox(1);
    QPushButton* add = h.soils->SoilBtn(SoilsPage::kAddPoint);

    TypeInBox(x, "5");
    Press(x, Qt::Key_Return); // on to Y
    EXPECT_TRUE(y->hasFocus());
    EXPECT_EQ(x->text(), "5.00");
    TypeInBox(y, "3");
    Click(add);
    TypeInBox(x, "1");
    TypeInBox(y, "1");
    Click(add);
    const SoilRecord& soil = job().Soil(1);
    ASSERT_EQ(soil.PointCount, 2);
    ExpectFloats({soil.X[1], soil.X[2], soil.Y[2]}, {1, 5, 3});

    TypeInBox(x, "10000");
    Click(add);
    ASSERT_EQ(h.interaction.messages.size(), 1u);
    EXPECT_EQ(h.interaction.messages[0].text, "Point data lies outside acceptable limits (-10000 < P < 10000)");
    EXPECT_EQ(soil.PointCount, 2);

    // A typed x beyond the next point puts the point back in order.
    EnterCell(h.soils->Points(), 0, 0, "20");
    ExpectFloats({soil.X[1], soil.X[2], soil.Y[2]}, {5, 20, 1});

    ChooseCell(h.soils->Points(), 1, 0);
    Click(h.soils->SoilBtn(SoilsPage::kDeletePoint));
    ASSERT_EQ(soil.PointCount, 1);
    EXPECT_FLOAT_EQ(soil.X[1], 5.0f);

    std::vector<std::pair<float, float>> fifty;
    for (int j = 0; j < 50; ++j)
        fifty.push_back({static_cast<float>(j), 0.0f});
    job().Soils.push_back(SoilWithPoints("Full", fifty));
    h.Refresh();
    ChooseCell(h.soils->Soils(), 1, 0);
    TypeInBox(x, "100");
    Click(add);
    ASSERT_EQ(h.interaction.messages.size(), 2u);
    EXPECT_EQ(h.interaction.messages[1].text, "The maximum number of points for this soil has already been specified.");
    EXPECT_EQ(job().Soil(2).PointCount, 50);
}

// ---- Partial factors ----------------------------------------------------------

TEST_F(InputPages, ACodeWritesItsFactorsCustomOpensThemAndTheBoxesTakeZeroToTen)
{
    h.ShowTab(3);
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(h.factors->FactorBox(i)->isReadOnly()) << i;
    EXPECT_FALSE(h.factors->FactorBox(8)->isReadOnly());
    EXPECT_FALSE(h.factors->FactorBox(9)->isReadOnly());
    EXPECT_TRUE(h.factors->CodeOption(kServiceability)->isChecked());

    // The seismic boxes stay open under a code; Enter in the last moves on to the chosen code.
    EntryBox* vertical = h.factors->FactorBox(8);
    TypeInBox(vertical, "0.2");
    Press(vertical, Qt::Key_Return);
    EXPECT_FLOAT_EQ(job().Header.VerticalAccelerationFactor, 0.2f);
    EXPECT_TRUE(h.factors->CodeOption(kServiceability)->hasFocus());

    // Custom keeps the BS 8006 factors chosen before it, and opens them to typing.
    for (int code : {kBs8006Uls, kCustomFactors}) {
        h.session.JobModified = false;
        h.factors->CodeOption(code)->click();
        EXPECT_TRUE(h.session.JobModified);
        EXPECT_EQ(job().Factors.DesignCode, code);
        ExpectFloats({job().Factors.RamificationsOfFailure, job().Factors.Cohesion}, {1.1f, 1.6f});
        EXPECT_EQ(h.factors->FactorBox(0)->text() + h.factors->FactorBox(1)->text(), "1.101.50");
        EXPECT_EQ(h.factors->FactorBox(0)->isReadOnly(), code != kCustomFactors);
    }

    EntryBox* fn = h.factors->FactorBox(0);
    TypeAndLeave(fn, "11", h.factors->FactorBox(1));
    ASSERT_EQ(h.interaction.messages.size(), 1u);
    EXPECT_EQ(h.interaction.messages[0].title, "Factor validation");
    EXPECT_EQ(h.interaction.messages[0].text, "Factor must lie between zero and 10");
    EXPECT_EQ(h.interaction.messages[0].buttons, Interaction::Buttons::Ok);
    EXPECT_EQ(h.interaction.beeps, 1);
    EXPECT_FLOAT_EQ(job().Factors.RamificationsOfFailure, 1.1f);
    EXPECT_EQ(fn->text(), "1.10");
    EXPECT_TRUE(fn->hasFocus()); // back to the refused box

    TypeAndLeave(fn, "0", h.factors->FactorBox(1));
    EXPECT_FLOAT_EQ(job().Factors.RamificationsOfFailure, 0.0f);
    TypeAndLeave(h.factors->FactorBox(7), "10.004", h.factors->FactorBox(6));
    EXPECT_FLOAT_EQ(job().Factors.PullOut, 10.0f);
    EXPECT_EQ(h.interaction.messages.size(), 1u);

    TypeInBox(h.factors->FactorBox(2), "1.5");
    Press(h.factors->FactorBox(2), Qt::Key_Return);
    EXPECT_TRUE(h.factors->FactorBox(3)->hasFocus());
    EXPECT_FLOAT_EQ(job().Factors.ImposedLoads, 1.5f);
}

} // namespace
} // namespace clv::ui::test
