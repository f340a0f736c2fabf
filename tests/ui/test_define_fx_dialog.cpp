// The interslice function editor: the eleven boxes, the presets, OK and Cancel.

#include "dialog_harness.h"

#include "ui/dialogs/define_fx_frm.h"

#include <QPushButton>

namespace clv::ui::test {
namespace {

QLineEdit* FactorBox(QWidget& dialog, int i)
{
    return Child<QLineEdit>(dialog, QStringLiteral("FactorBox%1").arg(i).toLatin1().constData());
}

TEST(DefineFxDialog, CancelKeepsTheShownValuesAndOkStoresThePresetAndBothRecomputeTheCircles)
{
    DialogHarness h;
    h.session.job.Slip.Fx = {0, 0.5f, 0.7f, 0.9f, 1, 1, 1, 0.9f, 0.7f, 0.5f, -2.25f};
    const auto before = h.session.job.Slip.Fx;
    h.session.SlipResultsStale = false;
    EXPECT_FALSE(RunDialog(h, OpenDefineFxDialog, [](QWidget& dialog) {
        EXPECT_EQ(FactorBox(dialog, 3)->text() + " " + FactorBox(dialog, 10)->text(), "0.900 -2.250"); // 3 places
        Click(Child<QPushButton>(dialog, "ParallelBtn"));
        EXPECT_EQ(FactorBox(dialog, 0)->text() + " " + FactorBox(dialog, 10)->text(), "1.000 1.000");
        Click(Child<QPushButton>(dialog, "CancelBtn"));
    }));
    EXPECT_EQ(h.session.job.Slip.Fx, before);
    EXPECT_TRUE(h.undo.empty()); // nothing to undo
    // The slip circles are recomputed after the editor whichever button closed it.
    EXPECT_TRUE(h.session.SlipResultsStale);
    EXPECT_EQ(h.refreshes, 1);

    h.session.SlipResultsStale = h.session.JobModified = false;
    EXPECT_TRUE(RunDialog(h, OpenDefineFxDialog, [](QWidget& dialog) {
        Click(Child<QPushButton>(dialog, "SineBtn"));
        EXPECT_EQ(FactorBox(dialog, 1)->text(), "0.309"); // the boxes show what OK stores
        Click(Child<QPushButton>(dialog, "OKBtn"));
    }));
    // The half sine: sin(pi x) at x = 0, 0.1, ..., 1.
    const std::array<Single, 11> sine{0.0f, 0.309f, 0.588f, 0.809f, 0.951f, 1.0f, 0.951f, 0.809f, 0.588f, 0.309f, 0.0f};
    EXPECT_EQ(h.session.job.Slip.Fx, sine);
    EXPECT_EQ(h.undo.size(), 1u);
    EXPECT_TRUE(h.session.JobModified);
    EXPECT_TRUE(h.session.SlipResultsStale);
    EXPECT_EQ(h.refreshes, 2);
}

TEST(DefineFxDialog, TypedValuesAreStoredToTheNearestThousandthWithoutLimits)
{
    struct Case {
        const char* typed;
        float stored;
    };
    const Case cases[] = {
        {"0.12345", 0.123f}, {"2.0004", 2.0f}, {"", 0.0f},      {"abc", 0.0f},    {"0.0125", 0.012f}, // a half to even
        {"0.0135", 0.014f},  {"-1.5", -1.5f},  {"250", 250.0f}, {"0.7x", 0.7f},   {" 3.9996", 4.0f},
    };
    ASSERT_LE(std::size(cases), 11u);
    DialogHarness h;
    RunDialog(h, OpenDefineFxDialog, [&](QWidget& dialog) {
        for (std::size_t i = 0; i < std::size(cases); ++i)
            TypeInto(FactorBox(dialog, static_cast<int>(i)), cases[i].typed); // Enter does not close
        EXPECT_TRUE(dialog.isVisible());
        Click(Child<QPushButton>(dialog, "OKBtn"));
    });
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(h.session.job.Slip.Fx[i], cases[i].stored) << cases[i].typed;
    EXPECT_EQ(h.session.job.Slip.Fx[10], 1.0f); // untouched box
}

} // namespace
} // namespace clv::ui::test
