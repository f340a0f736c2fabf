#pragma once

// Fixed-length texts of the job file. In memory a text is UTF-8 and always holds
// exactly N characters (cut, or padded with blanks on the right); in the file it
// is N single bytes in Windows-1252, the code page such files come from.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace clv {

/**
 * Windows-1252 byte to UTF-8. The five bytes the code page leaves undefined
 * (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, so
 * every byte survives a read and a write unchanged.
 */
std::string Cp1252ToUtf8(std::string_view bytes);

/**
 * UTF-8 to Windows-1252, one byte per character; a character the code page
 * cannot hold (or a malformed sequence) becomes '?'.
 */
std::string Utf8ToCp1252(std::string_view utf8);

/** Number of characters (code points) in a UTF-8 text. */
std::size_t Utf8Length(std::string_view utf8);

template <std::size_t N>
class FixedText {
public:
    FixedText() : text_(N, ' ') {}
    FixedText(std::string_view utf8) { Assign(utf8); } // NOLINT: texts convert implicitly, as String*n did

    /** Stores a text: characters outside Windows-1252 become '?', then cut or blank-padded to N. */
    void Assign(std::string_view utf8)
    {
        std::string bytes = Utf8ToCp1252(utf8);
        bytes.resize(N, ' ');
        text_ = Cp1252ToUtf8(bytes);
    }

    /** All N characters, trailing blanks included. */
    const std::string& Utf8() const { return text_; }

    /** The text without its trailing blanks, for display. */
    std::string Trimmed() const
    {
        auto end = text_.find_last_not_of(' ');
        return end == std::string::npos ? std::string() : text_.substr(0, end + 1);
    }

    std::array<std::uint8_t, N> ToBytes() const
    {
        std::string bytes = Utf8ToCp1252(text_);
        std::array<std::uint8_t, N> out{};
        for (std::size_t i = 0; i < N; ++i)
            out[i] = static_cast<std::uint8_t>(bytes[i]);
        return out;
    }

    static FixedText FromBytes(const std::uint8_t* bytes)
    {
        FixedText t;
        t.text_ = Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes), N));
        return t;
    }

    bool operator==(const FixedText&) const = default;

private:
    std::string text_;
};

} // namespace clv
