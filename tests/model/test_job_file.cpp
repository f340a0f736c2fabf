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

// Consecutive fields from `at`, one for each letter of `kinds`: an Integer (I) or a Single (F).
void ExpectRun(const Bytes& b, std::size_t at, const std::string& kinds, std::vector<float> values, const char* what)
{
    ASSERT_EQ(kinds.size(), values.size()) << what;
    for (std::size_t k = 0; k < kinds.size(); at += kinds[k++] == 'F' ? F : I)
        EXPECT_EQ(kinds[k] == 'F' ? test::GetFloat(b, at) : test::GetInt16(b, at), values[k])
            << what << " field " << k << " at " << at;
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
    const std::size_t soil2 = 1241 + 499, load4 = soil2 + 2 * 499 + 3 * 54, block2 = load4 + 54 + 89;
    // Every scalar field at its offset: the encoder and decoder walk one field list, so a
    // round trip alone would not show two fields listed in the wrong order.
    // Header from FirstPageNumber: the four counts, ReinforcementKind, the two reserved Singles, the
    // accelerations, WaterUnitWeight, ReservedSingles, UserPointCount, ReservedIntegers.
    ExpectRun(b, 153, "IIIIIFFFFFFFFFFFIIIIII",
              {3, 3, 4, 2, 0, 1.25f, -2.5f, 0.05f, 0.1f, 10, 1.5f, 2.5f, 3.5f, 4.5f, 5.5f, 6.5f, 5, -1, 2, -3, 4, 32767},
              "header");
    ExpectRun(b, 219, "IIIIIIIFFFFFII", {0, -1, 0, -1, 0, -1, 0, -25, 60, -12, 30, 0.25f, 0, -1}, "view");
    ExpectRun(b, 257, "FFFFFFFF", {1.1f, 1.2f, 1.3f, 1.25f, 1.6f, 1.35f, 1.05f, 1.4f}, "factors");
    ExpectRun(b, 779, "IFFFFFFII", {-1, -10, 30, 10, -5, 5, 5, 2, 3}, "piezometric grid");
    // Slip settings from Method to CommonY, then Fx(0..10) and AutoGenerate.
    ExpectRun(b, 809, "IFIFFFFFFIIFFFF", {4, 1.5f, 25, -5, 15, 1, 10, 25, 0.5f, -1, 7, 2, 8, 0.5f, kNoLevel}, "slip");
    ExpectRun(b, 861, "FFFFFFFFFFFI", {0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1, 1.1f, 1.2f, 1.3f, 1.4f, 1.5f, 0}, "Fx");
    ExpectRun(b, 971, "IFFFFFFFF", {0, 2, 12, 0.5f, -10, 30, 35, 75, 2.5f}, "wedges");
    // Soil 2 from Density to X(0), and from Y(51) to the reserved Integers.
    ExpectRun(b, soil2 + 25, "FFFFFIF", {19, 30, 5, 0.05f, 0.5f, 4, -20}, "soil 2");
    ExpectRun(b, soil2 + 459, "FFFFFFFIIIIII", {-18.5f, 0.5f, -0.5f, 1e-3f, 7, 8, 10, 1, -1, 2, -2, 3, 1}, "soil 2 end");
    ExpectRun(b, load4, "IFFFFFFF", {3, 13, 4, 9, 3.5f, 15, 4, 6}, "anchor");
    ExpectRun(b, block2 + 25, "FFFFFFFFFFFFFIIIIII",
              {80, 6, 0.8f, 10, 1.5f, 0.5f, 3, 3.25f, 9, 8, 7, 6, 1, -7, 6, -5, 4, -3, 1}, "block 2");
    // The heads row by row, the column running fastest, then the user points.
    ExpectRun(b, block2 + 89, std::string(22, 'F'), {0.5f, 1.5f, 2.5f, 3.5f, 10.5f, 11.5f, 12.5f, 13.5f, 20.5f, 21.5f,
              22.5f, kNoLevel, -4, 6, -1, 5.5f, 2, 4, 5, 1.5f, 8, -2}, "heads and user points");
    // The reserved bytes are numbered from 11 in file order: 40 + 10 for the factors, 36 for the water, 20 + 40
    // for the slip settings, 36 for the wedges, 24 for each load.
    ExpectFields(b, {
        {B, 4 + 104 + 11, 0x80, "euro in Project"}, {I, 257 + 72, 3, "DesignCode"}, {B, 257 + 74, 51, "factors reserved 2"},
        {I, 341, 4, "water PointCount"}, {F, 343, -20, "water X(1)"}, {F, 543, 2, "water Y(1)"},
        {F, 341 + 398, 51, "water Y(50)"}, {B, 743, 61, "water reserved"}, {B, 809 + 98, 97, "slip reserved"},
        {F, 809 + 118, 0.75f, "MinSlipDepth"}, {B, 931, 117, "slip reserved 2"}, {B, 971 + 34, 157, "wedge reserved"},
        {I, 1041 + 2 * 99, -5, "print 100"}, {B, load4 + 30, 265 - 256, "load reserved"}});

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
    JobSession other{MakeDefaultJob(), "held.clv", "held.clv", true, false};
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
