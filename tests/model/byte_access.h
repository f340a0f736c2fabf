#pragma once

// Little-endian access to a job file's bytes by offset, written independently of
// the codec so that tests can check where a field really lands.

#include "model/job.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace clv::test {

inline std::uint32_t GetBits(const Bytes& b, std::size_t at, std::size_t size)
{
    std::uint32_t u = 0;
    for (std::size_t i = size; i-- > 0;)
        u = u << 8 | b.at(at + i);
    return u;
}

inline void PutBits(Bytes& b, std::size_t at, std::size_t size, std::uint32_t u)
{
    for (std::size_t i = 0; i < size; ++i, u >>= 8)
        b.at(at + i) = static_cast<std::uint8_t>(u);
}

inline std::int16_t GetInt16(const Bytes& b, std::size_t at) { return static_cast<std::int16_t>(GetBits(b, at, 2)); }
inline float GetFloat(const Bytes& b, std::size_t at) { return std::bit_cast<float>(GetBits(b, at, 4)); }
inline void PutInt16(Bytes& b, std::size_t at, std::int16_t v) { PutBits(b, at, 2, static_cast<std::uint16_t>(v)); }
inline void PutFloat(Bytes& b, std::size_t at, float v) { PutBits(b, at, 4, std::bit_cast<std::uint32_t>(v)); }

// A current-layout file turned into one written before 2.0: a 44-byte view block
// in place of the 38-byte one, 50 more bytes after the slip settings, and the
// older version number at offset 0 and in the header.
inline Bytes OldLayoutOf(const Bytes& current, float version, std::uint8_t filler)
{
    Bytes old(current.size() - 38 + 44 + 50, static_cast<std::uint8_t>(~filler));
    std::copy(current.begin(), current.begin() + 219, old.begin());
    std::fill_n(old.begin() + 219, 44, filler);
    std::copy(current.begin() + 257, current.begin() + 971, old.begin() + 219 + 44);
    std::copy(current.begin() + 971, current.end(), old.begin() + 219 + 44 + 714 + 50);
    PutFloat(old, 0, version);
    PutFloat(old, 4, version);
    return old;
}

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

} // namespace clv::test
