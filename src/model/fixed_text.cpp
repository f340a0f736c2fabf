#include "model/fixed_text.h"

namespace clv {

namespace {

// Code points of Windows-1252 bytes 0x80..0x9F. The five bytes the code page
// leaves undefined keep their own value (a C1 control), so no byte is lost.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

constexpr char32_t kMalformed = 0xFFFFFFFF;

char32_t CodePointOfByte(unsigned char byte)
{
    return (byte >= 0x80 && byte <= 0x9F) ? kHighControls[byte - 0x80] : byte;
}

/** The Windows-1252 byte of a code point, or '?' when the code page has none. */
char ByteOfCodePoint(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        // Every code point of the table is in the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

/**
 * Decodes one character at `pos` and advances past it. A malformed sequence
 * (stray continuation byte, overlong form, surrogate, cut-off sequence) yields
 * kMalformed and consumes its longest valid-looking prefix, at least one byte.
 */
char32_t NextCodePoint(std::string_view s, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0) lo = 0xA0;
        if (lead == 0xED) hi = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07;
        if (lead == 0xF0) lo = 0x90;
        if (lead == 0xF4) hi = 0x8F;
    } else {
        return kMalformed;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= s.size())
            return kMalformed;
        const auto byte = static_cast<unsigned char>(s[pos]);
        const unsigned char min = (i == 0) ? lo : 0x80;
        const unsigned char max = (i == 0) ? hi : 0xBF;
        if (byte < min || byte > max)
            return kMalformed;
        cp = (cp << 6) | (byte & 0x3F);
        ++pos;
    }
    return cp;
}

} // namespace

std::string Cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        AppendUtf8(out, CodePointOfByte(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = NextCodePoint(utf8, pos);
        out += (cp == kMalformed) ? '?' : ByteOfCodePoint(cp);
    }
    return out;
}

std::size_t Utf8Length(std::string_view utf8)
{
    // Counts the characters the conversion to Windows-1252 would produce, a
    // malformed sequence counting as the one '?' it becomes.
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        NextCodePoint(utf8, pos);
        ++count;
    }
    return count;
}

} // namespace clv
