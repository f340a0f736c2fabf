#include "model/job_file.h"

#include "model/byte_access.h"
#include "model/rich_job.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace clv {
namespace {

namespace fs = std::filesystem;

Bytes Encode(const Job& job)
{
    return EncodeJobFile(job, job.Header.FileVersion).value();
}

// A field of the file: its size (a byte, an Integer or a Single), its offset and the value it must hold.
constexpr int B = 1, I = 2, F = 4;
struct Field { int size; std::size_t at; float value; const char* name; };

void ExpectFields(const Bytes& b, std::initializer_list<Field> fields)
{
    for (const Field& f : fields)
        EXPECT_EQ(f.size == F ? test::GetFloat(b, f.at) : f.size == I ? test::GetInt16(b, f.at) : b.at(f.at), f.value)
            << f.name;
}

TEST(JobFileLayout, FieldsLandAtTheirOffsetsAndARichJobRoundTripsByteForByte)
{
    const Bytes empty = Encode(MakeDefaultJob());
    ASSERT_EQ(empty.size(), 1245u);
    ExpectFields(empty, {{F, 0, 2.02f, "version"}, {F, 4, 2.02f, "FileVersion"}, {F, 179, 9.81f, "WaterUnitWeight"},
                         {I, 257 + 72, 4, "DesignCode"}, {F, 779 + 22, 5, "IncY"}, {I, 809, 1, "Method"},
                         {I, 971, 1, "UseDefaults"}, {F, 809 + 118, 1, "MinSlipDepth"}, {I, 1041 + 18, 1, "print 10"}});

    const Bytes b = Encode(test::RichJob());
    ASSERT_EQ(b.size(), 1245u - 4 + 3 * 499 + 4 * 54 + 2 * 89 + 4 * 12 + 5 * 8);
    const std::size_t soil2 = 1241 + 499, load4 = soil2 + 2 * 499 + 3 * 54, heads = load4 + 54 + 2 * 89;
    // The reserved bytes are numbered from 11 in file order: 40 + 10 for the factors, 36 for the water, 20 + 40
    // for the slip settings, 36 for the wedges, 24 for each load.
    ExpectFields(b, {
        {B, 4 + 104 + 11, 0x80, "euro in Project"}, {I, 157, 4, "LoadCount"}, {F, 171, 0.05f, "vertical acceleration"},
        {I, 207, 5, "UserPointCount"}, {I, 217, 32767, "header end"}, {I, 219 + 36, -1, "ShowGrid"},
        {B, 257 + 74, 51, "factors reserved 2"}, {F, 341 + 398, 51, "water Y(50)"}, {B, 743, 61, "water reserved"},
        {F, 779 + 2, -10, "MinX"}, {I, 779 + 28, 3, "NX"}, {F, 809 + 48, kNoLevel, "CommonY"}, {F, 901, 1.5f, "Fx(10)"},
        {B, 931, 117, "slip reserved 2"}, {F, 971 + 26, 75, "RearAngleMax"}, {B, 971 + 34, 157, "wedge reserved"},
        {I, 1041 + 2 * 99, -5, "print 100"}, {F, soil2 + 29, 30, "Phi"}, {I, soil2 + 45, 4, "PointCount"},
        {F, soil2 + 47, -20, "X(0)"}, {F, soil2 + 459, -18.5f, "Y(51)"}, {I, soil2 + 497, 1, "soil int(6)"},
        {F, load4 + 2, 13, "Value"}, {F, load4 + 14, 3.5f, "anchor Y"}, {B, load4 + 30, 265 - 256, "reserved"},
        {F, heads - 64, 80, "Strength"}, {I, heads - 2, 1, "block int(6)"}, {F, heads + 84, -2, "user point 5 Y"},
        {F, heads + 8, 2.5f, "head (0, 2): the column runs fastest"}});

    // Every scalar field at its offset: the encoder and decoder walk one field list, so a
    // round trip alone would not show two fields listed in the wrong order.
    const std::size_t block2 = heads - 89;
    ExpectFields(b, {
        {I, 153, 3, "FirstPageNumber"}, {F, 163, 1.25f, "Reserved1"}, {F, 167, -2.5f, "Reserved2"},
        {F, 175, 0.1f, "lateral"}, {F, 179, 10, "WaterUnitWeight"}, {F, 183, 1.5f, "ReservedSingles(1)"},
        {I, 219 + 2, -1, "ShowSoils"}, {F, 219 + 14, -25, "XMin"}, {F, 219 + 18, 60, "XMax"}, {F, 219 + 22, -12, "YMin"},
        {F, 219 + 26, 30, "YMax"}, {F, 219 + 30, 0.25f, "GridIncrement"}, {I, 219 + 34, 0, "SnapToGrid"},
        {F, 257, 1.1f, "fn"}, {F, 261, 1.2f, "ffs"}, {F, 265, 1.3f, "fq"}, {F, 269, 1.25f, "tan phi"}, {F, 273, 1.6f, "c"},
        {F, 277, 1.35f, "fm"}, {F, 281, 1.05f, "fs"}, {F, 285, 1.4f, "fp"}, {I, 257 + 72, 3, "DesignCode"},
        {I, 341, 4, "water PointCount"}, {F, 343, -20, "water X(1)"}, {F, 543, 2, "water Y(1)"},
        {I, 779, -1, "Enabled"}, {F, 779 + 6, 30, "MaxX"}, {F, 779 + 10, 10, "IncX"}, {F, 779 + 14, -5, "MinY"},
        {F, 779 + 18, 5, "MaxY"}, {I, 779 + 26, 2, "NY"}, {I, 809, 4, "Method"}, {F, 809 + 2, 1.5f, "crack"},
        {I, 809 + 6, 25, "MinSlices"}, {F, 809 + 8, -5, "GridXMin"}, {F, 809 + 12, 15, "GridXMax"},
        {F, 809 + 16, 1, "GridXInc"}, {F, 809 + 20, 10, "GridYMin"}, {F, 809 + 24, 25, "GridYMax"},
        {F, 809 + 28, 0.5f, "GridYInc"}, {I, 809 + 32, -1, "AutoExtendGrid"}, {I, 809 + 34, 7, "LegacyCommonPoint"},
        {F, 809 + 36, 2, "CommonXMin"}, {F, 809 + 40, 8, "CommonXMax"}, {F, 809 + 44, 0.5f, "CommonXInc"},
        {F, 809 + 52, 0.5f, "Fx(0)"}, {I, 809 + 96, 0, "AutoGenerate"}, {F, 809 + 118, 0.75f, "MinSlipDepth"},
        {I, 971, 0, "UseDefaults"}, {F, 971 + 2, 2, "BaseWidthMin"}, {F, 971 + 6, 12, "BaseWidthMax"},
        {F, 971 + 10, 0.5f, "BaseWidthInc"}, {F, 971 + 14, -10, "BaseAngleMin"}, {F, 971 + 18, 30, "BaseAngleMax"},
        {F, 971 + 22, 35, "RearAngleMin"}, {F, 971 + 30, 2.5f, "AngleInc"}, {F, soil2 + 25, 19, "Density"},
        {F, soil2 + 33, 5, "Cohesion"}, {F, soil2 + 37, 0.05f, "Ru"}, {F, soil2 + 41, 0.5f, "Suction"},
        {F, soil2 + 463, 0.5f, "soil ReservedSingles(1)"}, {I, load4, 3, "LoadType"}, {F, load4 + 6, 4, "XMin"},
        {F, load4 + 10, 9, "XMax"}, {F, load4 + 18, 15, "Angle"}, {F, load4 + 22, 4, "FreeLength"},
        {F, load4 + 26, 6, "FixedLength"}, {F, block2 + 29, 6, "Length"}, {F, block2 + 33, 0.8f, "Friction"},
        {F, block2 + 37, 10, "NailAngle"}, {F, block2 + 41, 1.5f, "NailSpacing"}, {F, block2 + 45, 0.5f, "Spacing"},
        {F, block2 + 49, 3, "BlockHeight"}, {F, block2 + 53, 3.25f, "BlockBase"}, {F, block2 + 57, 9, "block single(1)"},
        {F, heads + 80, 8, "user point 5 X"}});

    // Each field has bytes of its own, so a job that writes back as the same bytes came back whole.
    const auto decoded = DecodeJobFile(b);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(EncodeJobFile(decoded->job, decoded->StoredVersion), b);
    Job stale = test::RichJob();
    stale.Piezo.NY = 9; // the grid size written is the array's, so the file stays readable
    EXPECT_EQ(Encode(stale), b);
    Bytes edge = b;
    test::PutInt16(edge, 341, 50);     // 50 water points fill the array exactly
    edge.resize(b.size() + 100, 0xEE); // and a tail after the last user point is ignored
    EXPECT_EQ(EncodeJobFile(DecodeJobFile(edge).value().job, 2.02f), Bytes(edge.begin(), edge.begin() + b.size()));
}

// Decodes a damaged file: it must be read or refused, never crash, and what is read
// must write back as the bytes it came from and read again as the same job.
void Replay(const Bytes& bytes, std::array<int, 2>& readAndRefused)
{
    std::optional<DecodedJob> decoded = DecodeJobFile(bytes);
    ++readAndRefused[decoded ? 0 : 1];
    if (!decoded)
        return;
    const bool oldLayout = decoded->StoredVersion < 2.0f;
    const Bytes again = EncodeJobFile(decoded->job, oldLayout ? 2.02f : decoded->StoredVersion).value();
    ASSERT_TRUE(oldLayout || (again.size() <= bytes.size() && std::equal(again.begin(), again.end(), bytes.begin())));
    ASSERT_EQ(EncodeJobFile(DecodeJobFile(again).value().job, 2.02f), EncodeJobFile(decoded->job, 2.02f));
    JobSession session{std::move(decoded->job)};
    UpgradeOldJob(session); // re-orders whatever points the damage left
}

TEST(JobFileCorruption, DamagedFilesAreReadOrRefusedAndNeverCrash)
{
    const Bytes rich = Encode(test::RichJob());
    std::mt19937 rng(20240611);
    std::array<int, 2> outcome{};
    for (const Bytes& original : {rich, test::OldLayoutOf(rich, 1.5f, 0)}) {
        std::array<int, 2> truncated{};
        for (std::size_t length = 0; length < original.size(); ++length)
            Replay(Bytes(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(length)), truncated);
        EXPECT_EQ(truncated[0], 0); // every byte of a job file is needed
        for (int trial = 0; trial < 2000 && !HasFatalFailure(); ++trial) {
            Bytes damaged = original;
            for (int c = 0, changes = 1 + static_cast<int>(rng() % 8); c < changes; ++c)
                damaged[rng() % damaged.size()] = static_cast<std::uint8_t>(rng());
            damaged.resize(trial % 5 ? damaged.size() : rng() % (damaged.size() + 64), 0xFF);
            Replay(damaged, outcome);
        }
    }
    // Every count at its edges, then with room after the file for some of what it claims.
    for (std::size_t field : {155, 157, 159, 207, 341, 805, 807, 1241 + 45, 1740 + 45, 2239 + 45}) {
        for (std::int16_t value : {-32768, -1, 0, 1, 2, 3, 4, 5, 6, 49, 50, 51, 100, 1000, 32767}) {
            Bytes damaged = rich;
            test::PutInt16(damaged, field, value);
            Replay(damaged, outcome);
            damaged.resize(damaged.size() + rng() % 2048, 0x41);
            Replay(damaged, outcome);
        }
    }
    EXPECT_TRUE(outcome[0] > 0 && outcome[1] > 0) << outcome[0] << " read, " << outcome[1] << " refused";
}

class JobFileOnDisk : public ::testing::Test {
protected:
    fs::path dir = test::FreshTempDir("jobfile");
    std::string target = (dir / "slope.clv").string();
    JobSession session{test::RichJob(), target, "slope.clv", true};
};

TEST_F(JobFileOnDisk, OldLayoutIsReadAndUpgraded)
{
    // The common points after the upgrade: CommonXMin, CommonXMax, CommonXInc, CommonY.
    struct Case { float version, gridXMin; Integer legacy; std::array<float, 4> common; Integer autoGenerate; };
    for (const Case& c : std::initializer_list<Case>{
             {1.5f, 3.0f, 0, {4.0f, 4.0f, 1.0f, 7.0f}, kFalse},       // one common point, its level in CommonXMax
             {1.0f, 0.0f, 0, {4.0f, 7.0f, 0.25f, kNoLevel}, kTrue},  // grid at the origin: the range stays
             {1.99f, 3.0f, 1, {4.0f, 7.0f, 0.25f, kNoLevel}, kTrue}}) { // the file marks a range
        SCOPED_TRACE(c.version);
        Job old = test::RichJob();
        SlipSettings& s = old.Slip;
        s.GridXMin = c.gridXMin, s.GridYMin = 0.0f, s.LegacyCommonPoint = c.legacy;
        s.CommonXMin = 4.0f, s.CommonXMax = 7.0f, s.CommonXInc = 0.25f;
        // Points as an older version could leave them: a wall face at x = 4 (a step down), points too far
        // out for 1 cm to separate them, a value that is not a number, and water points out of order.
        SoilRecord &top = old.Soil(1), &far = old.Soil(2);
        top.PointCount = 4, top.X[1] = 0.0f, top.X[2] = 4.0f, top.X[3] = 4.0005f, top.X[4] = 10.0f;
        top.Y[1] = 6.0f, top.Y[2] = 6.0f, top.Y[3] = 2.0f, top.Y[4] = 2.0f;
        for (int j = 1; j <= 4; ++j)
            far.X[j] = 1e9f, far.Y[j] = static_cast<float>(j * 3 % 5); // 3, 1, 4, 2
        old.Soil(3).X[2] = std::numeric_limits<float>::quiet_NaN();
        old.Water.X[1] = 40.0f, old.Water.X[4] = -20.0f;
        test::WriteBytes(target, test::OldLayoutOf(Encode(old), c.version, 0x5A));
        JobSession opened{MakeDefaultJob()};
        opened.job.View.XMax = 123.0f; // the view the session had
        ASSERT_FALSE(OpenJob(opened, target).has_value());
        const Job& job = opened.job;
        EXPECT_EQ((std::array{job.Slip.CommonXMin, job.Slip.CommonXMax, job.Slip.CommonXInc, job.Slip.CommonY}),
                  c.common);
        EXPECT_EQ((std::array{job.Slip.AutoGenerate, job.Factors.DesignCode}),
                  (std::array<Integer, 2>{c.autoGenerate, kCustomFactors}));
        // MinSlipDepth switched off, FileVersion stamped, the older view block not taken over, the wedge
        // settings read after the extra 50 bytes, the factors as stored.
        EXPECT_EQ((std::array{job.Slip.MinSlipDepth, job.Header.FileVersion, job.View.XMax, job.Wedge.AngleInc,
                              job.Factors.TanPhi}), (std::array{0.0f, 2.02f, 123.0f, 2.5f, 1.25f}));
        // Re-ordered: the step down keeps its upper point first (the one level with the point before it) and
        // the lower one moves 1 cm to its right, the far points by level, the water by x; the slots outside
        // the points untouched.
        const SoilRecord& step = job.Soil(1);
        EXPECT_EQ((std::array{step.X[0], step.X[1], step.X[2], step.Y[2], step.X[3], step.Y[3], step.X[4], step.X[5]}),
                  (std::array{-20.0f, 0.0f, 4.0f, 6.0f, 4.0f + 0.01f, 2.0f, 10.0f, 5.0f}));
        EXPECT_EQ((std::array{job.Soil(2).Y[1], job.Soil(2).Y[4], job.Water.X[1], job.Water.X[4]}),
                  (std::array{1.0f, 4.0f, -20.0f, 40.0f}));
        EXPECT_TRUE(opened.JobModified);
    }
}

TEST_F(JobFileOnDisk, SavedJobOpensAsTheSameJobAndAFailedSaveLeavesTheFile)
{
    session.job.Header.FileVersion = 2.0f; // from 2.0 on a file has the current layout, and is not upgraded
    ASSERT_FALSE(SaveJob(session).has_value());
    EXPECT_FALSE(session.JobModified);
    JobSession other{MakeDefaultJob()};
    ASSERT_FALSE(OpenJob(other, "\"" + target + "\"").has_value()); // quotes from a command line are removed
    EXPECT_EQ(std::pair(other.JobFilePath, other.JobFileTitle), std::pair(target, FileTitleOf(target)));
    EXPECT_EQ(other.job.Header.FileVersion, 2.02f); // so that a later save stamps this program's version
    EXPECT_EQ(std::pair(other.JobModified, other.JobRefreshPending), std::pair(false, true));
    other.job.Header.FileVersion = 2.0f;
    const Bytes saved = Encode(other.job);
    EXPECT_EQ(saved, Encode(session.job));

    auto expectFailedSave = [&](const std::string& path) {
        session.JobFilePath = path, session.JobModified = true;
        EXPECT_EQ(SaveJob(session), "An unknown error occured while saving the data. The save was terminated. "
                                    "Please try again with a different file name");
        EXPECT_TRUE(session.JobModified);
        EXPECT_EQ(test::ReadBytes(target), saved);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1); // no temporary left
        session.job = test::RichJob();
    };
    session.job.Soils[0].PointCount = 51; // jobs no reader could take back
    expectFailedSave(target);
    session.job.UserPoints.resize(32768);
    expectFailedSave(target);
    expectFailedSave(target + "/slope.clv"); // a folder that is a file
    if (::geteuid() != 0) { // permissions do not bind the superuser
        ::chmod(target.c_str(), 0444); // a file made read-only is not replaced
        expectFailedSave(target);
    }
}

TEST_F(JobFileOnDisk, ExtensionIsAddedOnlyWhenTheFileNameHasNoFullStop)
{
    fs::create_directories(dir / "rev.2");
    for (auto [given, saved] : {std::pair{"cutting", "cutting.clv"}, {"rev.2/bank", "rev.2/bank.clv"},
                                {"bank.v3", "bank.v3"}}) {
        session.JobFilePath = (dir / given).string(), session.JobFileTitle = FileTitleOf(given);
        ASSERT_FALSE(SaveJob(session).has_value());
        EXPECT_EQ(session.JobFilePath + " " + session.JobFileTitle, (dir / saved).string() + " " + FileTitleOf(saved));
    }
}

TEST_F(JobFileOnDisk, FailedOpenLeavesTheSessionUntouched)
{
    const Bytes full = Encode(session.job);
    session.job = MakeDefaultJob();
    ASSERT_EQ(::mkfifo((dir / "pipe.clv").c_str(), 0600), 0); // refused without waiting for a writer
    test::WriteBytes(dir / "short.clv", Bytes(full.begin(), full.end() - 1));
    // 51 points in soil 2 or the water, negative counts, a user point more than the file holds, a grid
    // whose size in bytes needs more than 32 bits.
    for (auto [at, also, count] : {std::tuple<std::size_t, std::size_t, std::int16_t>{1740 + 45, 1740 + 45, 51},
                                   {341, 341, 51}, {155, 155, -1}, {807, 807, -1}, {207, 207, 6}, {805, 807, 32767}}) {
        Bytes damaged = full;
        test::PutInt16(damaged, at, count);
        test::PutInt16(damaged, also, count);
        test::WriteBytes(dir / (std::to_string(at) + ".clv"), damaged);
    }
    std::vector<fs::path> paths{dir / "missing.clv", dir};
    for (const auto& entry : fs::directory_iterator(dir))
        paths.push_back(entry.path());
    for (const fs::path& path : paths) {
        JobSession trial{session.job, "held.clv", "held.clv", true};
        EXPECT_EQ(OpenJob(trial, path.string()), "Error during reading of file.\r\n\r\nPlease close and reopen the application.\r\n"
                                  "Open the job file from \"File\" menu.") << path;
        EXPECT_EQ(Encode(trial.job), Encode(session.job));
        EXPECT_TRUE(trial.JobModified);
        EXPECT_EQ(trial.JobFilePath, "held.clv"); // a later save goes where the held job came from
    }
}

} // namespace
} // namespace clv
