// The soil generator: descriptions picked in the lists, the values shown, and
// the soil that "Add soil" appends (or Cancel does not). The values themselves
// are the model's (test_soil_generator); here the labels show them.

#include "dialog_harness.h"
#include "support/expect_floats.h"

#include "ui/dialogs/soil_gen_frm.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace clv::ui::test {
namespace {

QString Shown(QWidget& dialog, const char* label) { return Child<QLabel>(dialog, label)->text(); }

/** The description, density, phi and cohesion shown. */
QString AllShown(QWidget& dialog)
{
    return QStringList{Shown(dialog, "DescriptionLable"), Shown(dialog, "DensityLabel"), Shown(dialog, "PhiLable"),
                       Shown(dialog, "CohesionLable")}
        .join(" | ");
}

TEST(SoilGeneratorDialog, AddSoilOrTheCloseBoxAppendsTheSoilShownAndCancelOrEscapeAddsNone)
{
    DialogHarness h;
    const auto cancel = [](QWidget& dialog) {
        ClickItem(Child<QListWidget>(dialog, "GroupList"), "Sands");
        Click(Child<QPushButton>(dialog, "CancelBtn"));
    };
    EXPECT_FALSE(RunDialog(h, OpenSoilGenerator, cancel));
    EXPECT_EQ(h.session.job.SoilCount(), 0);
    EXPECT_FALSE(h.session.JobModified);
    EXPECT_TRUE(RunDialog(h, OpenSoilGenerator, [](QWidget& dialog) {
        EXPECT_EQ(AllShown(dialog), "GRAVEL | 19.0 | 30 | 0"); // at once: gravel, bulk density
        EXPECT_TRUE(Child<QCheckBox>(dialog, "ShortCheck")->isHidden()); // only clays
        Click(Child<QPushButton>(dialog, "OKBtn"));
    }));
    ASSERT_EQ(h.session.job.SoilCount(), 1);
    EXPECT_TRUE(h.session.JobModified);
    ASSERT_EQ(h.undo.size(), 1u);
    EXPECT_EQ(h.undo[0].SoilCount(), 0);
    EXPECT_FALSE(RunDialog(h, OpenSoilGenerator, cancel));
    EXPECT_FALSE(RunDialog(h, OpenSoilGenerator, [](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }));
    EXPECT_EQ(h.session.job.SoilCount(), 1);
    EXPECT_EQ(h.undo.size(), 1u);
    EXPECT_TRUE(RunDialog(h, OpenSoilGenerator, [](QWidget& dialog) {
        Click(Child<QCheckBox>(dialog, "DensityCheck")); // saturated: 22 - 1
        EXPECT_EQ(Shown(dialog, "DensityLabel"), "21.0");
        dialog.close();
    }));
    ASSERT_EQ(h.session.job.SoilCount(), 2);
    EXPECT_EQ(h.session.job.Soil(1).Description.Trimmed(), "GRAVEL");
    EXPECT_FLOAT_EQ(h.session.job.Soil(2).Density, 21.0f);
}

TEST(SoilGeneratorDialog, AStiffSiltyClayEitherWay)
{
    DialogHarness h;
    ASSERT_TRUE(RunDialog(h, OpenSoilGenerator, [](QWidget& dialog) {
        ClickItem(Child<QListWidget>(dialog, "GroupList"), "Clays");
        auto* shortCheck = Child<QCheckBox>(dialog, "ShortCheck");
        EXPECT_FALSE(shortCheck->isHidden());
        ClickItem(Child<QListWidget>(dialog, "StrengthList"), "Very stiff");
        ClickItem(Child<QListWidget>(dialog, "CompList"), "Silty");
        ClickItem(Child<QListWidget>(dialog, "GradeList"), "Weathered");
        ClickItem(Child<QListWidget>(dialog, "NatureList"), "Low plasticity");
        EXPECT_EQ(AllShown(dialog), "Silty CLAY | 21.5 | 30 | 10"); // phi 30 + 1 - 1
        Click(shortCheck); // undrained: cu = 150 x 0.8 x 0.6
        EXPECT_EQ(AllShown(dialog), "Silty CLAY | 21.5 | 0 | 72");
        Click(Child<QPushButton>(dialog, "OKBtn"));
    }));
    ASSERT_EQ(h.session.job.SoilCount(), 1);
    const SoilRecord& soil = h.session.job.Soil(1);
    EXPECT_EQ(soil.Description.Trimmed(), "Silty CLAY");
    clv::test::ExpectFloats({soil.Density, soil.Phi, soil.Cohesion}, {21.5f, 0.0f, 72.0f});
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
    EXPECT_EQ(AllShown(dialog), "PEAT | 12.0 | 5 | 0");
    ClickItem(Child<QListWidget>(dialog, "GradeList"), "Firm");
    EXPECT_EQ(Shown(dialog, "PhiLable"), "10");
    ClickItem(Child<QListWidget>(dialog, "NatureList"), "Amorphous");
    EXPECT_EQ(AllShown(dialog), "Firm PEAT | 12.0 | 0 | 0");
    EXPECT_FLOAT_EQ(dialog.Generated().Phi, 0.0f);
}

} // namespace
} // namespace clv::ui::test
