#pragma once

// Several related single-precision fields checked in one line, each to within
// four units in the last place as EXPECT_FLOAT_EQ checks one.

#include <gtest/gtest.h>

#include <vector>

namespace clv::test {

inline void ExpectFloats(const std::vector<float>& got, const std::vector<float>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_FLOAT_EQ(got[i], want[i]) << "item " << i;
}

} // namespace clv::test
