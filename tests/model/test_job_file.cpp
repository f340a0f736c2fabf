#include "model/job_file.h"

#include "model/byte_access.h"
#include "model/rich_job.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace clv {
namespace {

namespace fs = std::filesystem;
using test::GetFloat;
using test::GetInt16;
using test::PutFloat;
using test::PutInt16;

Bytes Encode(const Job& job)
{
    auto bytes = EncodeJobFile(job, job.Header.FileVersion);
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or(Bytes{});
}

// ------------------------------------------------------------------ layout

TEST(JobFileLayout, EmptyNewJobIs1245BytesWithFieldsAtTheirOffsets)
{
    const Bytes b = Encode(MakeDefaultJob());
    ASSERT_EQ(b.size(), 1245u);
    EXPECT_EQ(GetFloat(b, 0), 2.02f);
    EXPECT_EQ(GetFloat(b, 4), 2.02f);       // header repeats the version
    EXPECT_EQ(b[8], ' ');                   // blank main title
    EXPECT_EQ(GetInt16(b, 153), 1);         // FirstPageNumber
    EXPECT_EQ(GetInt16(b, 155), 0);         // SoilCount
    EXPECT_EQ(GetFloat(b, 179), 9.81f);     // WaterUnitWeight
    EXPECT_EQ(GetInt16(b, 219), -1);        // ShowPoints
    EXPECT_EQ(GetFloat(b, 219 + 14), -10.0f);
    EXPECT_EQ(GetFloat(b, 219 + 30), 0.5f); // GridIncrement
    EXPECT_EQ(GetInt16(b, 257 + 72), 4);    // DesignCode
    EXPECT_EQ(GetFloat(b, 779 + 10), 10.0f); // IncX
    EXPECT_EQ(GetFloat(b, 779 + 22), 5.0f);  // IncY
    EXPECT_EQ(GetInt16(b, 809), 1);          // Method: Bishop
    EXPECT_EQ(GetInt16(b, 809 + 6), 10);     // MinSlices
    EXPECT_EQ(GetFloat(b, 809 + 52 + 40), 1.0f); // Fx(10)
    EXPECT_EQ(GetInt16(b, 809 + 96), -1);    // AutoGenerate
    EXPECT_EQ(GetFloat(b, 809 + 118), 1.0f); // MinSlipDepth
    EXPECT_EQ(GetInt16(b, 971), 1);          // UseDefaults
    EXPECT_EQ(GetInt16(b, 1041 + 2 * 9), 1); // print flag 10
    EXPECT_EQ(GetInt16(b, 1041 + 2 * 29), 0); // print flag 30
    EXPECT_EQ(GetFloat(b, 1241), 0.0f);      // the 1 x 1 piezometric grid
}

TEST(JobFileLayout, HandBuiltFileIsReadFieldByFieldAndWrittenBackIdentically)
{
    Bytes b(1241, 0);
    PutFloat(b, 0, 2.02f);
    PutFloat(b, 4, 2.02f);
    std::fill(b.begin() + 8, b.begin() + 153, ' '); // the five titles, blank-padded
    b[8] = 'C', b[9] = 'u', b[10] = 't', b[11] = 0xE9; // "Cuté" in Windows-1252
    PutInt16(b, 155, 1); // SoilCount
    PutInt16(b, 157, 1); // LoadCount
    PutInt16(b, 159, 1); // ReinforcementCount
    PutInt16(b, 207, 2); // UserPointCount
    PutFloat(b, 341 + 2 + 4 * 49, 7.5f); // water X(50)
    PutInt16(b, 805, 1); // NY
    PutInt16(b, 807, 2); // NX
    PutFloat(b, 809 + 48, -100000.0f); // CommonY
    PutInt16(b, 1041 + 2 * 99, 1);     // print flag 100

    const std::size_t soil = b.size();
    b.resize(soil + 499, 0);
    std::fill(b.begin() + soil, b.begin() + soil + 25, ' ');
    b[soil] = 'C', b[soil + 1] = 'l', b[soil + 2] = 'a', b[soil + 3] = 'y';
    PutFloat(b, soil + 25, 19.0f);
    PutFloat(b, soil + 29, 28.0f);
    PutInt16(b, soil + 45, 2);
    PutFloat(b, soil + 47, -1.0f);           // X(0)
    PutFloat(b, soil + 47 + 4, 0.0f);        // X(1)
    PutFloat(b, soil + 47 + 8, 10.0f);       // X(2)
    PutFloat(b, soil + 47 + 4 * 51, 51.0f);  // X(51)
    PutFloat(b, soil + 255 + 8, 4.0f);       // Y(2)
    PutInt16(b, soil + 487 + 10, -9);        // ReservedIntegers(6)
    const std::size_t load = b.size();
    b.resize(load + 54, 0);
    PutInt16(b, load, 3);
    PutFloat(b, load + 14, 2.5f);
    PutFloat(b, load + 26, 8.0f);
    b[load + 53] = 0xAB;
    const std::size_t block = b.size();
    b.resize(block + 89, 0);
    PutFloat(b, block + 25, 40.0f);
    PutFloat(b, block + 53, 1.25f);
    for (int cell = 0; cell < 6; ++cell)
        test::AppendFloat(b, static_cast<float>(cell));
    for (float v : {1.0f, 2.0f, 3.0f, 4.0f})
        test::AppendFloat(b, v);

    auto decoded = DecodeJobFile(b);
    ASSERT_TRUE(decoded.has_value());
    const Job& job = decoded->job;
    EXPECT_EQ(job.Header.MainTitle.Trimmed(), "Cut\xC3\xA9");
    EXPECT_EQ(job.Water.X[50], 7.5f);
    EXPECT_EQ(job.Slip.CommonY, kNoLevel);
    EXPECT_EQ(job.Print[100], 1);
    ASSERT_EQ(job.SoilCount(), 1);
    EXPECT_EQ(job.Soil(1).Description.Trimmed(), "Clay");
    EXPECT_EQ(job.Soil(1).Density, 19.0f);
    EXPECT_EQ(job.Soil(1).Phi, 28.0f);
    EXPECT_EQ(job.Soil(1).PointCount, 2);
    EXPECT_EQ(job.Soil(1).X[0], -1.0f);
    EXPECT_EQ(job.Soil(1).X[2], 10.0f);
    EXPECT_EQ(job.Soil(1).X[51], 51.0f);
    EXPECT_EQ(job.Soil(1).Y[2], 4.0f);
    EXPECT_EQ(job.Soil(1).ReservedIntegers[5], -9);
    ASSERT_EQ(job.LoadCount(), 1);
    EXPECT_EQ(job.Loads[0].LoadType, kAnchor);
    EXPECT_EQ(job.Loads[0].Y, 2.5f);
    EXPECT_EQ(job.Loads[0].FixedLength, 8.0f);
    EXPECT_EQ(job.Loads[0].Reserved[23], 0xAB);
    ASSERT_EQ(job.ReinforcementCount(), 1);
    EXPECT_EQ(job.Reinforcement[0].Strength, 40.0f);
    EXPECT_EQ(job.Reinforcement[0].BlockBase, 1.25f);
    ASSERT_EQ(job.Heads.NY(), 1);
    ASSERT_EQ(job.Heads.NX(), 2);
    EXPECT_EQ(job.Heads.At(0, 2), 2.0f); // the column index runs fastest
    EXPECT_EQ(job.Heads.At(1, 0), 3.0f);
    ASSERT_EQ(job.UserPointCount(), 2);
    EXPECT_EQ(job.UserPoints[1].X, 3.0f);
    EXPECT_EQ(job.UserPoints[1].Y, 4.0f);

    EXPECT_EQ(EncodeJobFile(job, decoded->StoredVersion), b);
}

TEST(JobFileLayout, RichJobRoundTripsByteForByteWithEveryField)
{
    const Job rich = test::RichJob();
    const Bytes b = Encode(rich);
    EXPECT_EQ(b.size(), 1245u - 4 + 3 * 499 + 4 * 54 + 2 * 89 + 4 * 12 + 5 * 8);

    auto decoded = DecodeJobFile(b);
    ASSERT_TRUE(decoded.has_value());
    const Job& job = decoded->job;
    EXPECT_EQ(EncodeJobFile(job, decoded->StoredVersion), b);

    EXPECT_EQ(job.Header.SubTitle, rich.Header.SubTitle);
    EXPECT_EQ(job.Header.Project.Utf8(), "P-2024/117 \xE2\x82\xAC   ");
    EXPECT_EQ(job.Header.ReservedIntegers[4], 32767);
    EXPECT_EQ(job.View.XMax, 60.0f);
    EXPECT_EQ(job.View.ShowGrid, kTrue);
    EXPECT_EQ(job.Factors.Reserved2, rich.Factors.Reserved2);
    EXPECT_EQ(job.Water.Y[50], -999.0f);
    EXPECT_EQ(job.Water.Reserved, rich.Water.Reserved);
    EXPECT_EQ(job.Heads, rich.Heads);
    EXPECT_EQ(job.Slip.Fx[10], rich.Slip.Fx[10]);
    EXPECT_EQ(job.Slip.Reserved2, rich.Slip.Reserved2);
    EXPECT_EQ(job.Slip.LegacyCommonPoint, 7);
    EXPECT_EQ(job.Wedge.AngleInc, 2.5f);
    EXPECT_EQ(job.Print, rich.Print);
    EXPECT_EQ(job.Soil(3).X[51], rich.Soil(3).X[51]); // a slot above PointCount
    EXPECT_EQ(job.Soil(2).Description.Trimmed(), "Soft clay (alluvium)");
    EXPECT_EQ(job.Loads[3].Reserved, rich.Loads[3].Reserved);
    EXPECT_EQ(job.Reinforcement[1].Description.Trimmed(), "Geogrids upper, 55 kN/m");
    EXPECT_EQ(job.UserPoints[4].Y, rich.UserPoints[4].Y);
}

TEST(JobFileLayout, CountsAreWrittenFromTheArrays)
{
    Job job = test::RichJob();
    job.Piezo.NY = 9; // the grid written is the array's, so the file stays readable
    const Bytes b = Encode(job);
    EXPECT_EQ(GetInt16(b, 155), 3);
    EXPECT_EQ(GetInt16(b, 157), 4);
    EXPECT_EQ(GetInt16(b, 159), 2);
    EXPECT_EQ(GetInt16(b, 207), 5);
    EXPECT_EQ(GetInt16(b, 805), 2);
    EXPECT_TRUE(DecodeJobFile(b).has_value());
}

TEST(JobFileLayout, EncoderRefusesWhatNoReaderCouldTakeBack)
{
    Job job = MakeDefaultJob();
    job.Soils.resize(1);
    job.Soils[0].PointCount = 51;
    EXPECT_FALSE(EncodeJobFile(job, 2.02f).has_value());
    EXPECT_FALSE(EncodeJobFile(MakeDefaultJob(), 1.5f).has_value()); // would be read with the older layout
    Job many = MakeDefaultJob();
    many.UserPoints.resize(32768);
    EXPECT_FALSE(EncodeJobFile(many, 2.02f).has_value());
}

// ------------------------------------------------------------------ refusing bad files

class JobFileRefusal : public ::testing::Test {
protected:
    Bytes good = Encode(test::RichJob());
    void ExpectRefused(const Bytes& b) { EXPECT_FALSE(DecodeJobFile(b).has_value()); }
};

TEST_F(JobFileRefusal, NegativeOrOversizedCounts)
{
    for (std::size_t at : {155u, 157u, 159u, 207u, 805u, 807u}) {
        Bytes b = good;
        PutInt16(b, at, -1);
        ExpectRefused(b);
    }
    Bytes water = good;
    PutInt16(water, 341, 51);
    ExpectRefused(water);
    Bytes soil = good;
    PutInt16(soil, 1241 + 499 + 45, 51); // soil 2
    ExpectRefused(soil);
    Bytes fifty = good;
    PutInt16(fifty, 341, 50); // 50 points fill the array exactly
    EXPECT_TRUE(DecodeJobFile(fifty).has_value());
}

TEST_F(JobFileRefusal, CountsDescribingMoreDataThanTheFileHolds)
{
    Bytes grid = good;
    PutInt16(grid, 805, 32767);
    PutInt16(grid, 807, 32767); // 4 GiB of heads claimed by a 3 KB file
    ExpectRefused(grid);
    Bytes points = good;
    PutInt16(points, 207, 6);
    ExpectRefused(points);
    ExpectRefused(Bytes(good.begin(), good.end() - 1));
    ExpectRefused(Bytes(3, 0));
}

TEST_F(JobFileRefusal, BytesAfterTheLastUserPointAreIgnored)
{
    Bytes longer = good;
    longer.insert(longer.end(), 100, 0xEE);
    auto decoded = DecodeJobFile(longer);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(EncodeJobFile(decoded->job, decoded->StoredVersion), good);
}

// ------------------------------------------------------------------ files older than 2.0

/** The rich job in the layout of a file older than 2.0: a 44-byte view block and a 50-byte block after the slip settings. */
Bytes OldLayoutFile(const Job& job, float version)
{
    Bytes current = EncodeJobFile(job, 2.02f).value();
    Bytes old(current.begin(), current.begin() + 219);
    old.insert(old.end(), 44, 0x5A);
    old.insert(old.end(), current.begin() + 257, current.begin() + 971);
    old.insert(old.end(), 50, 0xA5);
    old.insert(old.end(), current.begin() + 971, current.end());
    PutFloat(old, 0, version);
    return old;
}

class OldJobFile : public ::testing::Test {
protected:
    fs::path dir = test::FreshTempDir("oldjob");
    JobSession session;
    Job old = test::RichJob();

    void SetUp() override
    {
        session.job.View.XMax = 123.0f; // the view the session had before the open
        old.Slip.GridXMin = 3.0f;
        old.Slip.GridYMin = 0.0f;
        old.Slip.LegacyCommonPoint = 0;
        old.Slip.CommonXMin = 4.0f;
        old.Slip.CommonXMax = 7.0f;
        old.Slip.CommonXInc = 0.25f;
        old.Slip.AutoGenerate = kTrue;
        old.Factors.DesignCode = kBs8006Uls;
        // Points as an older version could leave them: out of order, and a vertical step.
        SoilRecord& top = old.Soil(1);
        top.PointCount = 3;
        top.X[1] = 10.0f, top.Y[1] = 5.0f;
        top.X[2] = 0.0f, top.Y[2] = 8.0f;
        top.X[3] = 0.0f, top.Y[3] = 2.0f;
        old.Water.X[1] = 40.0f;
        old.Water.X[4] = -20.0f;
    }

    void Open(const Job& job, float version)
    {
        test::WriteBytes(dir / "old.clv", OldLayoutFile(job, version));
        session.JobFilePath = (dir / "old.clv").string();
        ASSERT_FALSE(OpenJob(session).has_value());
    }
};

TEST_F(OldJobFile, Version15IsReadWithTheOlderLayoutAndUpgraded)
{
    Open(old, 1.5f);
    const Job& job = session.job;
    EXPECT_EQ(job.Header.FileVersion, 2.02f);
    EXPECT_EQ(job.View.XMax, 123.0f); // the older view block is not taken over
    EXPECT_EQ(job.Wedge.AngleInc, 2.5f);
    EXPECT_EQ(job.UserPoints.size(), 5u);
    EXPECT_EQ(job.Factors.DesignCode, kCustomFactors);
    EXPECT_EQ(job.Factors.TanPhi, 1.25f);
    EXPECT_EQ(job.Slip.MinSlipDepth, 0.0f);
    EXPECT_EQ(job.Slip.AutoGenerate, kFalse);
    EXPECT_EQ(job.Slip.CommonY, 7.0f);
    EXPECT_EQ(job.Slip.CommonXMax, 4.0f);
    EXPECT_EQ(job.Slip.CommonXMin, 4.0f);
    EXPECT_EQ(job.Slip.CommonXInc, 1.0f);
    const SoilRecord& top = job.Soil(1);
    EXPECT_EQ(top.X[1], 0.0f);
    EXPECT_EQ(top.Y[1], 2.0f);
    EXPECT_EQ(top.X[2], 0.01f);
    EXPECT_EQ(top.Y[2], 8.0f);
    EXPECT_EQ(top.X[3], 10.0f);
    EXPECT_EQ(job.Water.X[1], -20.0f);
    EXPECT_EQ(job.Water.X[4], 40.0f);
    EXPECT_TRUE(session.JobModified);
    EXPECT_EQ(session.CurrentSoil, 1);
}

TEST_F(OldJobFile, CommonPointsStayWhenTheGridStartsAtTheOriginOrTheFileSaysSo)
{
    old.Slip.GridXMin = 0.0f;
    Open(old, 1.0f);
    EXPECT_EQ(session.job.Slip.CommonXMax, 7.0f);
    EXPECT_EQ(session.job.Slip.CommonXInc, 0.25f);
    EXPECT_EQ(session.job.Slip.AutoGenerate, kTrue);
    EXPECT_EQ(session.job.Slip.MinSlipDepth, 0.0f);

    old.Slip.GridXMin = 3.0f;
    old.Slip.LegacyCommonPoint = 1;
    Open(old, 1.99f);
    EXPECT_EQ(session.job.Slip.CommonXMax, 7.0f);
    EXPECT_EQ(session.job.Factors.DesignCode, kCustomFactors);
}

TEST_F(OldJobFile, Version20AndLaterUseTheCurrentLayoutWhateverTheNumber)
{
    for (float version : {2.0f, 2.02f, 7.5f}) {
        test::WriteBytes(dir / "new.clv", EncodeJobFile(old, version).value());
        session.JobFilePath = (dir / "new.clv").string();
        ASSERT_FALSE(OpenJob(session).has_value());
        EXPECT_EQ(session.job.View.XMax, 60.0f);
        EXPECT_EQ(session.job.Header.FileVersion, 2.02f);
        EXPECT_EQ(session.job.Factors.DesignCode, kBs8006Uls); // no upgrade
        EXPECT_EQ(session.job.Slip.MinSlipDepth, 0.75f);
        EXPECT_EQ(session.job.Soil(1).X[1], 10.0f);    // no re-ordering
        EXPECT_FALSE(session.JobModified);
    }
}

// ------------------------------------------------------------------ opening and saving files

class JobFileOnDisk : public ::testing::Test {
protected:
    fs::path dir = test::FreshTempDir("jobfile");
    JobSession session;

    void SetUp() override
    {
        session.job = test::RichJob();
        session.JobModified = true;
    }
};

TEST_F(JobFileOnDisk, SavedJobOpensAsTheSameJob)
{
    session.JobFilePath = (dir / "slope.clv").string();
    ASSERT_FALSE(SaveJob(session).has_value());
    EXPECT_FALSE(session.JobModified);
    const Bytes written = test::ReadBytes(dir / "slope.clv");
    EXPECT_EQ(written, Encode(session.job));

    JobSession other;
    other.JobFilePath = "\"" + session.JobFilePath + "\""; // quotes from a command line are removed
    ASSERT_FALSE(OpenJob(other).has_value());
    EXPECT_EQ(other.JobFilePath, session.JobFilePath);
    EXPECT_EQ(Encode(other.job), written);
    EXPECT_FALSE(other.JobModified);
    EXPECT_TRUE(other.JobRefreshPending);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1); // no temporary left
}

TEST_F(JobFileOnDisk, ExtensionIsAddedOnlyWhenTheFileNameHasNoFullStop)
{
    session.JobFilePath = (dir / "cutting").string();
    session.JobFileTitle = "cutting";
    ASSERT_FALSE(SaveJob(session).has_value());
    EXPECT_EQ(session.JobFilePath, (dir / "cutting.clv").string());
    EXPECT_EQ(session.JobFileTitle, "cutting.clv");
    EXPECT_TRUE(fs::exists(dir / "cutting.clv"));

    fs::create_directories(dir / "rev.2");
    session.JobFilePath = (dir / "rev.2" / "bank").string();
    ASSERT_FALSE(SaveJob(session).has_value());
    EXPECT_EQ(session.JobFilePath, (dir / "rev.2" / "bank.clv").string());

    session.JobFilePath = (dir / "bank.v3").string();
    ASSERT_FALSE(SaveJob(session).has_value());
    EXPECT_TRUE(fs::exists(dir / "bank.v3"));
}

TEST_F(JobFileOnDisk, FailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    const fs::path target = dir / "slope.clv";
    session.JobFilePath = target.string();
    ASSERT_FALSE(SaveJob(session).has_value());
    const Bytes before = test::ReadBytes(target);

    session.job.Soils[0].PointCount = 60; // a job the writer refuses
    session.JobModified = true;
    EXPECT_EQ(SaveJob(session), std::string(kSaveErrorMessage));
    EXPECT_TRUE(session.JobModified);
    EXPECT_EQ(test::ReadBytes(target), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    test::WriteBytes(dir / "plain", {1, 2, 3});
    session.job = test::RichJob();
    session.JobFilePath = (dir / "plain" / "slope.clv").string(); // a folder that is a file
    EXPECT_EQ(SaveJob(session), std::string(kSaveErrorMessage));
    EXPECT_TRUE(session.JobModified);
}

TEST_F(JobFileOnDisk, SaveIntoReadOnlyFolderOrFileFailsCleanly)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    const fs::path target = dir / "slope.clv";
    session.JobFilePath = target.string();
    ASSERT_FALSE(SaveJob(session).has_value());
    const Bytes before = test::ReadBytes(target);
    ::chmod(dir.c_str(), 0555);
    session.job.Header.MainTitle.Assign("changed");
    session.JobModified = true;
    EXPECT_EQ(SaveJob(session), std::string(kSaveErrorMessage));
    ::chmod(dir.c_str(), 0755);
    EXPECT_TRUE(session.JobModified);
    EXPECT_EQ(test::ReadBytes(target), before);

    ::chmod(target.c_str(), 0444); // a file made read-only is not replaced either
    EXPECT_EQ(SaveJob(session), std::string(kSaveErrorMessage));
    EXPECT_EQ(test::ReadBytes(target), before);
}

TEST_F(JobFileOnDisk, FailedOpenLeavesTheSessionUntouched)
{
    const Bytes full = Encode(test::RichJob());
    session.job = MakeDefaultJob();
    session.job.Header.MainTitle.Assign("Current work");
    session.JobFilePath = (dir / "current.clv").string();
    session.JobModified = true;
    session.CurrentSoil = 1;
    const Bytes current = Encode(session.job);

    auto expectUntouched = [&](const fs::path& path) {
        JobSession trial = session;
        trial.JobFilePath = path.string();
        EXPECT_EQ(OpenJob(trial), std::string(kReadErrorMessage)) << path;
        EXPECT_EQ(Encode(trial.job), current);
        EXPECT_EQ(trial.JobFilePath, path.string());
        EXPECT_TRUE(trial.JobModified);
    };
    test::WriteBytes(dir / "short.clv", Bytes(full.begin(), full.begin() + 2000));
    expectUntouched(dir / "short.clv");
    Bytes corrupt = full;
    PutInt16(corrupt, 1241 + 45, 200);
    test::WriteBytes(dir / "corrupt.clv", corrupt);
    expectUntouched(dir / "corrupt.clv");
    expectUntouched(dir / "missing.clv");
    expectUntouched(dir); // a folder is not a job file
    EXPECT_EQ(std::string(kReadErrorMessage),
              "Error during reading of file.\r\n\r\nPlease close and reopen the application.\r\n"
              "Open the job file from \"File\" menu.");
}

TEST_F(JobFileOnDisk, NamedPipeIsRefusedWithoutWaiting)
{
    const fs::path pipe = dir / "pipe.clv";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(ReadFileBytes(pipe.string()).has_value());
}

TEST(JobFileTitle, IsTheTextAfterTheLastSeparator)
{
    EXPECT_EQ(FileTitleOf("/home/eng/jobs.2024/slope.clv"), "slope.clv");
    EXPECT_EQ(FileTitleOf("c:\\jobs\\bank.clv"), "bank.clv");
    EXPECT_EQ(FileTitleOf("cut"), "cut");
}

} // namespace
} // namespace clv
