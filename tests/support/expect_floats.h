#pragma once

// Several related single-precision fields checked in one line, each to within
// four units in the last place as EXPECT_FLOAT_EQ checks one; and the check that
// two results are the same number to the last bit (NaNs and signed zeros included).

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <vector>

namespace clv::test {

inline void ExpectFloats(const std::vector<float>& got, const std::vector<float>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_FLOAT_EQ(got[i], want[i]) << "item " << i;
}

inline bool SameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

} // namespace clv::test
