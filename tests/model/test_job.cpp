// The job model: a new job and the fixed-length texts.

#include "model/job_file.h"
#include "model/rich_job.h"

#include <gtest/gtest.h>

namespace clv {
namespace {

TEST(Job, NewJobResetsTheSectionButKeepsSearchRangesAndReservedFields)
{
    const Job old = test::RichJob();
    JobSession session{old, "/jobs/old.clv", "old.clv", true, false};
    session.job.Header.ReinforcementKind = 1, session.job.Header.FileVersion = 1.5f; // the version is stamped anew
    session.CurrentSoil = 3;
    NewJob(session);

    // The report sections are selected, their two group headings not; the unused flags keep their values.
    for (std::size_t i = 1; i <= 100; ++i) {
        const bool shown = (i >= 10 && i <= 14) || (i >= 20 && i <= 25) || (i >= 31 && i <= 34) || (i >= 41 && i <= 44);
        EXPECT_EQ(session.job.Print[i], shown ? 1 : (i == 30 || i == 40) ? 0 : old.Print[i]) << "print flag " << i;
    }
    // Everything else is a new job's, except the grid of centres, the common points, the wedge
    // ranges, ReinforcementKind, the water point slots and the reserved fields.
    Job expected = MakeDefaultJob();
    expected.Print = session.job.Print;
    JobHeader& h = expected.Header;
    h.ReinforcementKind = 1;
    h.ReservedSingles = old.Header.ReservedSingles, h.ReservedIntegers = old.Header.ReservedIntegers;
    expected.Factors.Reserved = old.Factors.Reserved, expected.Factors.Reserved2 = old.Factors.Reserved2;
    expected.Water = old.Water, expected.Water.PointCount = 0;
    expected.Wedge = old.Wedge, expected.Wedge.UseDefaults = 1;
    SlipSettings& s = expected.Slip = old.Slip;
    s.Method = kBishop, s.TensionCrackDepth = 0.0f, s.MinSlices = 10, s.MinSlipDepth = 1.0f, s.AutoGenerate = kTrue;
    s.Fx.fill(1.0f);
    EXPECT_EQ(EncodeJobFile(session.job, 2.02f), EncodeJobFile(expected, 2.02f));
    EXPECT_EQ(std::tuple(session.JobFilePath, session.JobFileTitle, session.JobModified, session.JobRefreshPending,
                         session.CurrentSoil), std::tuple("untitled", "untitled", false, true, 1));
}

// ------------------------------------------------------------------ fixed-length texts

TEST(FixedText, TextsAreCutOrPaddedAndEveryByteOfTheCodePageSurvives)
{
    EXPECT_EQ(FixedText<15>("Motorway widening scheme").Utf8(), "Motorway wideni");
    EXPECT_EQ(FixedText<15>("J. Smith").Utf8(), "J. Smith       ");
    EXPECT_EQ(FixedText<15>("J. Smith").Trimmed(), "J. Smith");
    EXPECT_EQ(FixedText<5>("\xC3\xA9t\xC3\xA9").ToBytes(), (std::array<std::uint8_t, 5>{0xE9, 't', 0xE9, ' ', ' '}));
    // The euro sign is in the code page; CJK and Greek, an emoji, malformed and cut-off sequences,
    // a C1 control the code page lacks and a lone surrogate are not.
    const char* const cases[][2] = {{"\xE2\x82\xAC", "\x80"}, {"\xE5\xB2\xA9 \xCE\xB1", "? ?"},
                                    {"\xF0\x9F\x98\x80", "?"}, {"a\xFF" "b\xC3", "a?b?"}, {"\xC2\x80", "?"},
                                    {"\xED\xA0\x80", "???"}};
    for (const auto& [utf8, cp1252] : cases)
        EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
    EXPECT_EQ(FixedText<3>("\xE5\xB2\xA9\xE5\xB2\xA9\xE5\xB2\xA9\xE5\xB2\xA9").Utf8(), "???");
    // Read and written back, every byte comes out as it went in, the five the code page leaves undefined too.
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8Length(Cp1252ToUtf8(all)), 256u);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    const std::uint8_t raw[4] = {0x81, 0x8D, 0x00, 0x9F};
    EXPECT_EQ(FixedText<4>::FromBytes(raw).ToBytes(), (std::array<std::uint8_t, 4>{0x81, 0x8D, 0x00, 0x9F}));
}

} // namespace
} // namespace clv
