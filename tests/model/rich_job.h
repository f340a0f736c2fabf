#pragma once

// A job that uses every part of the file: titles with accented characters, soils
// with points in every slot, water, a piezometric grid, loads of each type,
// reinforcement blocks, user points and numbered reserved bytes, so that a field
// written to or read from the wrong place shows up. The values are simple enough
// to check by hand at their file offsets.

#include "model/job.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace clv::test {

inline Job RichJob()
{
    using namespace std::string_view_literals;
    Job job = MakeDefaultJob();
    job.Header = {ProgramVersion(), "Embankment at Fenwick Lane, chainage 1+250"sv,
                  "Section B-B, long-term drained, géogrid option"sv, "P-2024/117 €"sv, "Drained"sv, "A. Müller"sv,
                  3, 0, 1.25f, -2.5f, 0.05f, 0.1f, 10.0f, {1.5f, 2.5f, 3.5f, 4.5f, 5.5f, 6.5f}, {-1, 2, -3, 4, 32767}};
    job.View = {0, kTrue, 0, kTrue, 0, kTrue, 0, -25.0f, 60.0f, -12.0f, 30.0f, 0.25f, 0, kTrue};
    job.Factors = {1.1f, 1.2f, 1.3f, 1.25f, 1.6f, 1.35f, 1.05f, 1.4f, {}, kBs8006Uls, {}};
    job.Water.PointCount = 4;
    for (int j = 1; j <= 50; ++j) // the slots above PointCount are kept in the file too
        job.Water.X[j] = 15.0f * j - 35.0f, job.Water.Y[j] = j + 1.0f;
    job.Piezo = {kTrue, -10.0f, 30.0f, 10.0f, -5.0f, 5.0f, 5.0f, 2, 3};
    job.Heads.Resize(2, 3);
    for (int cell = 0; cell < 11; ++cell) // the last cell has no data
        job.Heads.At(cell / 4, cell % 4) = 10.0f * (cell / 4) + cell % 4 + 0.5f;
    job.Heads.At(2, 3) = kNoLevel;
    job.Slip = {kRigorous, 1.5f, 25, -5.0f, 15.0f, 1.0f, 10.0f, 25.0f, 0.5f, kTrue, 7, 2.0f, 8.0f, 0.5f, kNoLevel,
                {0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f, 1.1f, 1.2f, 1.3f, 1.4f, 1.5f}, kFalse, {}, 0.75f, {}};
    job.Wedge = {0, 2.0f, 12.0f, 0.5f, -10.0f, 30.0f, 35.0f, 75.0f, 2.5f, {}};
    for (int i = 1; i <= 100; ++i)
        job.Print[static_cast<std::size_t>(i)] = static_cast<Integer>(i % 3 == 0 ? 1 : (i % 4 == 0 ? -5 : 0));

    const std::string_view names[] = {"Made ground", "Soft clay (alluvium)", "Dense gravel, sandy"};
    for (int k = 0; k < 3; ++k) {
        SoilRecord& soil = job.Soils.emplace_back(SoilRecord{
            names[k], 18.0f + k, 25.0f + 5.0f * k, 5.0f * k, 0.05f * k, 0.5f * k, static_cast<Integer>(3 + k), {}, {},
            {0.5f, -0.5f, 1e-3f, 7.0f, 8.0f, 9.0f + k}, {1, -1, 2, -2, 3, static_cast<Integer>(k)}});
        for (int j = 0; j <= 51; ++j) // every slot, slot 0 and those above PointCount included
            soil.X[j] = 5.0f * j - 20.0f, soil.Y[j] = 10.0f - 3.0f * k - 0.5f * j;
    }
    for (Integer type = kSurcharge; type <= kAnchor; ++type) // one load of each type
        job.Loads.push_back(
            {type, 10.0f + type, 1.0f + type, 6.0f + type, type == kAnchor ? 3.5f : kNoLevel, 15.0f, 4.0f, 6.0f, {}});
    job.Reinforcement.push_back({"Geogrids"sv, 55.0f, 6.0f, 0.8f, 10.0f, 1.5f, 0.5f, 3.0f, 0.25f,
                                 {9.0f, 8.0f, 7.0f, 6.0f, 0.0f}, {-7, 6, -5, 4, -3, 0}});
    job.Reinforcement.push_back({"Geogrids upper, 55 kN/m"sv, 80.0f, 6.0f, 0.8f, 10.0f, 1.5f, 0.5f, 3.0f, 3.25f,
                                 {9.0f, 8.0f, 7.0f, 6.0f, 1.0f}, {-7, 6, -5, 4, -3, 1}});
    for (int i = 0; i < 5; ++i)
        job.UserPoints.push_back({3.0f * i - 4.0f, 6.0f - 0.5f * i * i});
    // Every reserved byte numbered in file order, so that a shifted block shows.
    std::uint8_t next = 11;
    for (std::span<std::uint8_t> reserved : std::initializer_list<std::span<std::uint8_t>>{job.Factors.Reserved,
             job.Factors.Reserved2, job.Water.Reserved, job.Slip.Reserved, job.Slip.Reserved2, job.Wedge.Reserved,
             job.Loads[0].Reserved, job.Loads[1].Reserved, job.Loads[2].Reserved, job.Loads[3].Reserved})
        for (std::uint8_t& byte : reserved)
            byte = next++;
    return job;
}

} // namespace clv::test
