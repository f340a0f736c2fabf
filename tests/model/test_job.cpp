#include "model/job.h"

#include <gtest/gtest.h>

namespace clv {
namespace {

TEST(Job, ProgramVersionIsMajorPlusMinorHundredths)
{
    EXPECT_EQ(ProgramVersion(), 2.02f);
}

TEST(Job, DefaultJobStartsAsANewCrossSection)
{
    const Job job = MakeDefaultJob();
    EXPECT_EQ(job.Header.FileVersion, 2.02f);
    EXPECT_EQ(job.Header.MainTitle.Utf8(), std::string(50, ' '));
    EXPECT_EQ(job.Header.WaterUnitWeight, 9.81f);
    EXPECT_EQ(job.SoilCount(), 0);
    EXPECT_EQ(job.Heads.NY(), 0);
    EXPECT_EQ(job.Heads.At(0, 0), 0.0f);
    EXPECT_EQ(job.Factors.DesignCode, kServiceability);
    EXPECT_EQ(job.Slip.Method, kBishop);
    EXPECT_EQ(job.Slip.AutoGenerate, kTrue);
    for (int i = 1; i <= 100; ++i) {
        const bool printed = (i >= 10 && i <= 14) || (i >= 20 && i <= 25) || (i >= 31 && i <= 34)
            || (i >= 41 && i <= 44);
        EXPECT_EQ(job.Print[static_cast<std::size_t>(i)], printed ? 1 : 0) << "print flag " << i;
    }
}

TEST(Job, NewJobResetsTheSectionButKeepsSearchRangesAndReservedFields)
{
    JobSession session;
    Job& job = session.job;
    job = MakeDefaultJob();
    job.Header.MainTitle.Assign("Old title");
    job.Header.ReinforcementKind = 1;
    job.Header.ReservedSingles[2] = 4.0f;
    job.Header.VerticalAccelerationFactor = 0.2f;
    job.View.XMax = 80.0f;
    job.Factors.DesignCode = kEc7Da1C1;
    job.Factors.TanPhi = 1.25f;
    job.Factors.Reserved[3] = 9;
    job.Soils.resize(2);
    job.Loads.resize(1);
    job.Reinforcement.resize(1);
    job.UserPoints.resize(3);
    job.Water.PointCount = 2;
    job.Water.X[1] = 5.0f;
    job.Piezo.Enabled = kTrue;
    job.Piezo.NY = 3;
    job.Heads.Resize(3, 2);
    job.Slip.GridXMin = -4.0f, job.Slip.GridXMax = 12.0f, job.Slip.GridYInc = 0.5f;
    job.Slip.AutoExtendGrid = kTrue;
    job.Slip.CommonXMin = 1.0f, job.Slip.CommonY = 3.0f;
    job.Slip.MinSlipDepth = 2.0f;
    job.Slip.Fx[4] = 0.5f;
    job.Wedge.UseDefaults = 0;
    job.Wedge.BaseAngleMax = 35.0f;
    job.Print[30] = 1;
    job.Print[50] = 1; // an unused flag
    session.JobFilePath = "/jobs/old.clv";
    session.JobFileTitle = "old.clv";
    session.JobModified = true;
    session.JobRefreshPending = false;
    session.CurrentSoil = 3;

    NewJob(session);

    EXPECT_EQ(job.Header.MainTitle.Trimmed(), "");
    EXPECT_EQ(job.Header.VerticalAccelerationFactor, 0.0f);
    EXPECT_EQ(job.View.XMax, 20.0f);
    EXPECT_EQ(job.Factors.DesignCode, kServiceability);
    EXPECT_EQ(job.Factors.TanPhi, 1.0f);
    EXPECT_EQ(job.SoilCount() + job.LoadCount() + job.ReinforcementCount() + job.UserPointCount(), 0);
    EXPECT_EQ(job.Water.PointCount, 0);
    EXPECT_EQ(job.Piezo.Enabled, kFalse);
    EXPECT_EQ(job.Piezo.NY, 0);
    EXPECT_EQ(job.Heads, PiezoHeads());
    EXPECT_EQ(job.Slip.MinSlipDepth, 1.0f);
    EXPECT_EQ(job.Slip.Fx[4], 1.0f);
    EXPECT_EQ(job.Wedge.UseDefaults, 1);
    EXPECT_EQ(job.Print[30], 0);

    // What a new cross-section keeps from the previous job.
    EXPECT_EQ(job.Header.ReinforcementKind, 1);
    EXPECT_EQ(job.Header.ReservedSingles[2], 4.0f);
    EXPECT_EQ(job.Factors.Reserved[3], 9);
    EXPECT_EQ(job.Water.X[1], 5.0f);
    EXPECT_EQ(job.Slip.GridXMin, -4.0f);
    EXPECT_EQ(job.Slip.GridXMax, 12.0f);
    EXPECT_EQ(job.Slip.GridYInc, 0.5f);
    EXPECT_EQ(job.Slip.AutoExtendGrid, kTrue);
    EXPECT_EQ(job.Slip.CommonXMin, 1.0f);
    EXPECT_EQ(job.Slip.CommonY, 3.0f);
    EXPECT_EQ(job.Wedge.BaseAngleMax, 35.0f);
    EXPECT_EQ(job.Print[50], 1);

    EXPECT_EQ(session.JobFilePath, "untitled");
    EXPECT_EQ(session.JobFileTitle, "untitled");
    EXPECT_FALSE(session.JobModified);
    EXPECT_TRUE(session.JobRefreshPending);
    EXPECT_EQ(session.CurrentSoil, 1);
}

TEST(PiezoHeads, ResizeKeepsTheCellsInsideBothGrids)
{
    PiezoHeads heads;
    heads.Resize(2, 3);
    for (int r = 0; r <= 2; ++r)
        for (int c = 0; c <= 3; ++c)
            heads.At(r, c) = static_cast<float>(10 * r + c);
    heads.Resize(3, 1);
    ASSERT_EQ(heads.Values().size(), 8u);
    EXPECT_EQ(heads.At(2, 1), 21.0f);
    EXPECT_EQ(heads.At(1, 0), 10.0f);
    EXPECT_EQ(heads.At(3, 1), 0.0f);
    heads.Resize(-1, -5); // never smaller than the (0, 0) cell
    EXPECT_EQ(heads.Values().size(), 1u);
    EXPECT_EQ(heads.At(0, 0), 0.0f);
}

} // namespace
} // namespace clv
