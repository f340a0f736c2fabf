// The soil generator: descriptions picked in the lists, the values shown, and
// the soil that "Add soil" appends (or Cancel does not).

#include "dialog_harness.h"

#include "ui/dialogs/soil_gen_frm.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace clv::ui::test {
namespace {

QString Shown(QWidget& dialog, const char* label) { return Child<QLabel>(dialog, label)->text(); }

/** Opens the generator from the window and lets `user` work in it; true when a soil was added. */
bool RunGenerator(DialogHarness& h, const std::function<void(QWidget&)>& user)
{
    bool added = false;
    WhileModal(h.io, user, [&] { added = OpenSoilGenerator(h.ctx, nullptr); });
    return added;
}

TEST(SoilGeneratorDialog, AddSoilAtOnceGivesGravel)
{
    DialogHarness h;
    h.session.job.Soils.resize(1);
    const bool added = RunGenerator(h, [](QWidget& dialog) {
        EXPECT_EQ(Shown(dialog, "DescriptionLable"), "GRAVEL");
        EXPECT_EQ(Shown(dialog, "DensityLabel"), "19.0");
        EXPECT_EQ(Shown(dialog, "PhiLable"), "30");
        EXPECT_EQ(Shown(dialog, "CohesionLable"), "0");
        EXPECT_TRUE(Child<QCheckBox>(dialog, "DensityCheck")->isChecked());
        EXPECT_TRUE(Child<QCheckBox>(dialog, "ShortCheck")->isHidden()); // only clays
        Click(Child<QPushButton>(dialog, "OKBtn"));
    });
    EXPECT_TRUE(added);
    ASSERT_EQ(h.session.job.SoilCount(), 2);
    EXPECT_EQ(h.session.job.Soil(2).Description.Trimmed(), "GRAVEL"); // the values stored: AStiffSiltyClayEitherWay
    EXPECT_TRUE(h.session.JobModified);
    ASSERT_EQ(h.undo.size(), 1u);
    EXPECT_EQ(h.undo[0].SoilCount(), 1);
}

TEST(SoilGeneratorDialog, AStiffSiltyClayEitherWay)
{
    DialogHarness h;
    const bool added = RunGenerator(h, [](QWidget& dialog) {
        ClickItem(Child<QListWidget>(dialog, "GroupList"), "Clays");
        auto* shortCheck = Child<QCheckBox>(dialog, "ShortCheck");
        EXPECT_FALSE(shortCheck->isHidden());
        EXPECT_TRUE(shortCheck->isEnabled());
        ClickItem(Child<QListWidget>(dialog, "StrengthList"), "Very stiff");
        ClickItem(Child<QListWidget>(dialog, "CompList"), "Silty");
        ClickItem(Child<QListWidget>(dialog, "GradeList"), "Weathered");
        ClickItem(Child<QListWidget>(dialog, "NatureList"), "Low plasticity");
        EXPECT_EQ(Shown(dialog, "DescriptionLable"), "Silty CLAY");
        EXPECT_EQ(Shown(dialog, "DensityLabel"), "21.5");
        EXPECT_EQ(Shown(dialog, "PhiLable"), "30"); // 30 + 1 - 1
        EXPECT_EQ(Shown(dialog, "CohesionLable"), "10");
        Click(shortCheck); // undrained: 150 x 0.8 x 0.6
        EXPECT_EQ(Shown(dialog, "PhiLable"), "0");
        EXPECT_EQ(Shown(dialog, "CohesionLable"), "72");
        Click(Child<QPushButton>(dialog, "OKBtn"));
    });
    ASSERT_TRUE(added);
    ASSERT_EQ(h.session.job.SoilCount(), 1);
    EXPECT_EQ(h.session.job.Soil(1).Description.Trimmed(), "Silty CLAY");
    EXPECT_FLOAT_EQ(h.session.job.Soil(1).Phi, 0.0f);
    EXPECT_FLOAT_EQ(h.session.job.Soil(1).Cohesion, 72.0f);
    EXPECT_FLOAT_EQ(h.session.job.Soil(1).Density, 21.5f);
}

TEST(SoilGeneratorDialog, CancelAddsNoSoilEvenAfterASuccessfulAdd)
{
    DialogHarness h;
    const auto cancel = [](QWidget& dialog) {
        ClickItem(Child<QListWidget>(dialog, "GroupList"), "Sands");
        Click(Child<QPushButton>(dialog, "CancelBtn"));
    };
    EXPECT_FALSE(RunGenerator(h, cancel));
    EXPECT_EQ(h.session.job.SoilCount(), 0);
    EXPECT_FALSE(h.session.JobModified);
    EXPECT_TRUE(RunGenerator(h, [](QWidget& dialog) { Click(Child<QPushButton>(dialog, "OKBtn")); }));
    EXPECT_FALSE(RunGenerator(h, cancel));
    EXPECT_EQ(h.session.job.SoilCount(), 1);
    EXPECT_EQ(h.undo.size(), 1u);
    // Escape is a cancel too.
    EXPECT_FALSE(RunGenerator(h, [](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }));
    EXPECT_EQ(h.session.job.SoilCount(), 1);
}

TEST(SoilGeneratorDialog, TheCloseBoxAddsTheSoilAsShown)
{
    DialogHarness h;
    const bool added = RunGenerator(h, [](QWidget& dialog) {
        Click(Child<QCheckBox>(dialog, "DensityCheck")); // saturated: 22 - 1
        EXPECT_EQ(Shown(dialog, "DensityLabel"), "21.0");
        dialog.close();
    });
    ASSERT_TRUE(added);
    ASSERT_EQ(h.session.job.SoilCount(), 1);
    EXPECT_FLOAT_EQ(h.session.job.Soil(1).Density, 21.0f);
}

TEST(SoilGeneratorDialog, ChangingTheGroupClearsTheDescriptors)
{
    SoilGenFrm dialog;
    dialog.show();
    ClickItem(Child<QListWidget>(dialog, "StrengthList"), "Very Dense");
    EXPECT_EQ(Shown(dialog, "PhiLable"), "38");
    ClickItem(Child<QListWidget>(dialog, "GroupList"), "Organics");
    EXPECT_EQ(Child<QListWidget>(dialog, "StrengthList")->count(), 1);
    EXPECT_EQ(Child<QListWidget>(dialog, "CompList")->count(), 0);
    EXPECT_TRUE(Child<QListWidget>(dialog, "StrengthList")->selectedItems().isEmpty());
    EXPECT_EQ(Shown(dialog, "DescriptionLable"), "PEAT");
    EXPECT_EQ(Shown(dialog, "PhiLable"), "5");
    EXPECT_EQ(Shown(dialog, "DensityLabel"), "12.0");
    ClickItem(Child<QListWidget>(dialog, "GradeList"), "Firm");
    EXPECT_EQ(Shown(dialog, "PhiLable"), "10");
    ClickItem(Child<QListWidget>(dialog, "NatureList"), "Amorphous");
    EXPECT_EQ(Shown(dialog, "PhiLable"), "0");
    EXPECT_EQ(Shown(dialog, "DescriptionLable"), "Firm PEAT");
    ClickItem(Child<QListWidget>(dialog, "GroupList"), "Made Ground");
    ClickItem(Child<QListWidget>(dialog, "StrengthList"), "Sand fill");
    ClickItem(Child<QListWidget>(dialog, "NatureList"), "Compacted");
    EXPECT_EQ(Shown(dialog, "DescriptionLable"), "Sand Fill");
    EXPECT_EQ(Shown(dialog, "PhiLable"), "37");
    EXPECT_EQ(Shown(dialog, "DensityLabel"), "18.0");
    EXPECT_TRUE(Child<QCheckBox>(dialog, "ShortCheck")->isHidden());
    EXPECT_FLOAT_EQ(dialog.Generated().Phi, 37.0f);
}

} // namespace
} // namespace clv::ui::test
