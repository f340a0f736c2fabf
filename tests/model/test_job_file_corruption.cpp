// Replays a corpus of damaged job files: every truncation, seeded random byte
// changes and corrupted count fields. Each file must either be read or refused;
// nothing may crash, and whatever is read must write back as the bytes it came from.

#include "model/job_file.h"

#include "model/byte_access.h"
#include "model/rich_job.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

namespace clv {
namespace {

struct Outcome {
    int read = 0;
    int refused = 0;
};

/** Decodes one damaged file and checks that anything read is a consistent job. */
void Replay(const Bytes& bytes, Outcome& outcome)
{
    std::optional<DecodedJob> decoded = DecodeJobFile(bytes);
    if (!decoded) {
        ++outcome.refused;
        return;
    }
    ++outcome.read;
    const bool oldLayout = decoded->StoredVersion < 2.0f;
    const std::optional<Bytes> again = EncodeJobFile(decoded->job, oldLayout ? ProgramVersion() : decoded->StoredVersion);
    ASSERT_TRUE(again.has_value());
    if (!oldLayout) {
        // The current layout is walked field by field: writing back gives the bytes read.
        ASSERT_LE(again->size(), bytes.size());
        ASSERT_TRUE(std::equal(again->begin(), again->end(), bytes.begin()));
    }
    const std::optional<DecodedJob> reread = DecodeJobFile(*again);
    ASSERT_TRUE(reread.has_value());
    ASSERT_EQ(EncodeJobFile(reread->job, ProgramVersion()), EncodeJobFile(decoded->job, ProgramVersion()));
    if (oldLayout) {
        JobSession session;
        session.job = std::move(decoded->job);
        UpgradeOldJob(session); // re-orders whatever points the damage left
    }
}

Bytes OldLayoutOf(const Bytes& current)
{
    Bytes old(current.begin(), current.begin() + 219);
    old.insert(old.end(), 44, 0);
    old.insert(old.end(), current.begin() + 257, current.begin() + 971);
    old.insert(old.end(), 50, 0);
    old.insert(old.end(), current.begin() + 971, current.end());
    test::PutFloat(old, 0, 1.5f);
    return old;
}

std::vector<Bytes> Originals()
{
    const Bytes rich = EncodeJobFile(test::RichJob(), 2.02f).value();
    std::vector<Bytes> originals{rich, OldLayoutOf(rich)};
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(test::ExamplesDir(), ec))
        if (entry.path().extension() == ".clv")
            originals.push_back(test::ReadBytes(entry.path()));
    return originals;
}

TEST(JobFileCorruption, EveryTruncationIsRefused)
{
    for (const Bytes& original : Originals()) {
        ASSERT_TRUE(DecodeJobFile(original).has_value());
        Outcome outcome;
        for (std::size_t length = 0; length < original.size(); ++length)
            Replay(Bytes(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(length)), outcome);
        EXPECT_EQ(outcome.read, 0); // every byte of a job file is needed
        EXPECT_EQ(outcome.refused, static_cast<int>(original.size()));
    }
}

TEST(JobFileCorruption, RandomByteChangesAreReadOrRefused)
{
    std::mt19937 rng(20240611);
    Outcome outcome;
    for (const Bytes& original : Originals()) {
        for (int trial = 0; trial < 2000; ++trial) {
            Bytes damaged = original;
            const int changes = 1 + static_cast<int>(rng() % 8);
            for (int c = 0; c < changes; ++c)
                damaged[rng() % damaged.size()] = static_cast<std::uint8_t>(rng());
            if (trial % 5 == 0)
                damaged.resize(rng() % (damaged.size() + 64), 0xFF);
            Replay(damaged, outcome);
            if (HasFatalFailure())
                return;
        }
    }
    EXPECT_GT(outcome.read, 0);
    EXPECT_GT(outcome.refused, 0);
}

TEST(JobFileCorruption, CorruptedCountFieldsAreReadOrRefused)
{
    const Bytes rich = EncodeJobFile(test::RichJob(), 2.02f).value();
    // SoilCount, LoadCount, ReinforcementCount, UserPointCount, water PointCount, NY, NX, soil PointCounts.
    std::vector<std::size_t> countFields{155, 157, 159, 207, 341, 805, 807};
    for (std::size_t soil = 0; soil < 3; ++soil)
        countFields.push_back(1241 + 499 * soil + 45);
    const std::int16_t values[] = {-32768, -1, 0, 1, 2, 3, 4, 5, 6, 49, 50, 51, 100, 1000, 32767};
    std::mt19937 rng(7);
    Outcome outcome;
    for (std::size_t field : countFields) {
        for (std::int16_t value : values) {
            Bytes damaged = rich;
            test::PutInt16(damaged, field, value);
            Replay(damaged, outcome);
            damaged.resize(damaged.size() + rng() % 2048, 0x41); // room for some of what the count claims
            Replay(damaged, outcome);
        }
    }
    // Two counts at once, so that one array's loss can be another's gain.
    for (int trial = 0; trial < 1000; ++trial) {
        Bytes damaged = rich;
        for (int c = 0; c < 2; ++c)
            test::PutInt16(damaged, countFields[rng() % countFields.size()], static_cast<std::int16_t>(rng() % 16 - 4));
        Replay(damaged, outcome);
    }
    EXPECT_GT(outcome.read, 0);
    EXPECT_GT(outcome.refused, 0);
}

} // namespace
} // namespace clv
