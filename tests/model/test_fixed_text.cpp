#include "model/fixed_text.h"

#include <gtest/gtest.h>

namespace clv {
namespace {

TEST(FixedText, LongTextsAreCutAndShortOnesPadded)
{
    FixedText<15> project("Motorway widening scheme");
    EXPECT_EQ(project.Utf8(), "Motorway wideni");
    FixedText<15> engineer("J. Smith");
    EXPECT_EQ(engineer.Utf8(), "J. Smith       ");
    EXPECT_EQ(engineer.Trimmed(), "J. Smith");
    EXPECT_EQ(FixedText<25>().Trimmed(), "");
}

TEST(FixedText, AccentedCharactersCountAsOneCharacterAndOneByte)
{
    FixedText<5> text("\xC3\xA9t\xC3\xA9");  // "été"
    EXPECT_EQ(text.Utf8(), "\xC3\xA9t\xC3\xA9  ");
    EXPECT_EQ(Utf8Length(text.Utf8()), 5u);
    const auto bytes = text.ToBytes();
    EXPECT_EQ(bytes[0], 0xE9);
    EXPECT_EQ(bytes[1], 't');
    EXPECT_EQ(bytes[4], ' ');
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC"), "\x80"); // euro sign
}

TEST(FixedText, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(Utf8ToCp1252("\xE5\xB2\xA9 \xCE\xB1"), "? ?");       // CJK and Greek
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");              // emoji, four bytes
    EXPECT_EQ(Utf8ToCp1252("a\xFF" "b\xC3"), "a?b?");              // malformed and cut off
    EXPECT_EQ(Utf8ToCp1252("\xC2\x80"), "?");                      // C1 control the code page lacks
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???");                // a lone surrogate, byte by byte
    EXPECT_EQ(Utf8Length("a\xFF" "b\xC3"), 4u);
    FixedText<3> text("\xE5\xB2\xA9\xE5\xB2\xA9\xE5\xB2\xA9\xE5\xB2\xA9");
    EXPECT_EQ(text.Utf8(), "???");
}

TEST(FixedText, EveryByteSurvivesReadingAndWriting)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8Length(utf8), 256u);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    std::uint8_t raw[4] = {0x81, 0x8D, 0x00, 0x9F};
    EXPECT_EQ(FixedText<4>::FromBytes(raw).ToBytes(), (std::array<std::uint8_t, 4>{0x81, 0x8D, 0x00, 0x9F}));
}

} // namespace
} // namespace clv
