#pragma once

// Little-endian access to a job file's bytes by offset, written independently of
// the codec so that tests can check where a field really lands.

#include "model/job.h"

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace clv::test {

inline std::int16_t GetInt16(const Bytes& b, std::size_t at)
{
    return static_cast<std::int16_t>(b.at(at) | (b.at(at + 1) << 8));
}

inline float GetFloat(const Bytes& b, std::size_t at)
{
    std::uint32_t u = 0;
    for (std::size_t i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(b.at(at + i)) << (8 * i);
    return std::bit_cast<float>(u);
}

inline void PutInt16(Bytes& b, std::size_t at, std::int16_t v)
{
    const auto u = static_cast<std::uint16_t>(v);
    b.at(at) = static_cast<std::uint8_t>(u & 0xFF);
    b.at(at + 1) = static_cast<std::uint8_t>(u >> 8);
}

inline void PutFloat(Bytes& b, std::size_t at, float v)
{
    const auto u = std::bit_cast<std::uint32_t>(v);
    for (std::size_t i = 0; i < 4; ++i)
        b.at(at + i) = static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF);
}

inline void AppendFloat(Bytes& b, float v)
{
    b.resize(b.size() + 4);
    PutFloat(b, b.size() - 4, v);
}

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace clv::test
