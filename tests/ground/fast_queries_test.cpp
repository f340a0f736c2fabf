// The quick forms of the ground queries that the slicing uses (the walk along the
// stations, the query of a slice's whole column) must give every number exactly as
// the single queries give it, bit for bit: a speed-up may not move a factor.

#include "ground/base_column.h"
#include "ground_fixtures.h"
#include "support/expect_floats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace clv::test {
namespace {

/** The same float, bit for bit (two NaNs of the same pattern count as the same). */

/** x values for the queries: every station and its neighbours, far values, points between, NaN. */
std::vector<float> ProbeXs(const SectionTable& table)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    std::vector<float> xs{-1e30f, 1e30f, -inf, inf, 0.0f, -0.0f};
    for (int col = 0; col <= table.StationCount() + 1; ++col) {
        const float x = table.X(col);
        xs.insert(xs.end(), {x, std::nextafter(x, -1e30f), std::nextafter(x, 1e30f)});
        for (int part = 1; part < 7 && col <= table.StationCount(); ++part)
            xs.push_back(x + (table.X(col + 1) - x) * static_cast<float>(part) / 7.0f);
    }
    return xs;
}

// Three strata, one of them pinched out at the ground near x = 10, crossing water.
Ground Layered()
{
    return Ground({{18.0f, {{-20, 0}, {0, 0}, {10, 5}, {20, 9.5f}, {30, 10}, {60, 10}}},
                   {19.5f, {{-20, -1}, {10, 5}, {15, 4}, {60, 6}}},
                   {21.0f, {{-20, -3}, {5, -2}, {40, 1}, {60, 1.5f}}}},
                  {{-20, -0.5f}, {12, 3}, {60, 7}});
}

TEST(FastQueries, StationWalkAndColumnQueryGiveEachSingleQueryExactly)
{
    Ground layered = Layered();
    // Ru in the middle soil, suction in the lowest, and a piezometric grid over part
    // of the section, so that every branch of the pore-pressure rule is reached.
    layered.job.Soils[1].Ru = 0.25f;
    layered.job.Soils[2].Suction = 1.5f;
    layered.job.Piezo = PiezoSettings{kTrue, 20.0f, 40.0f, 10.0f, -5.0f, 5.0f, 5.0f, 2, 3};
    layered.job.Heads.Resize(2, 3);
    layered.job.Heads.At(1, 0) = 5.0f, layered.job.Heads.At(2, 0) = -5.0f;
    for (int col = 1; col <= 3; ++col) {
        layered.job.Heads.At(0, col) = 10.0f + 10.0f * static_cast<float>(col);
        for (int row = 1; row <= 2; ++row)
            layered.job.Heads.At(row, col) = 4.0f + static_cast<float>(row + col) * 0.5f;
    }
    Ground thin({{18.0f, {{0, 0}, {10, 5}, {30, 5}}}, {20.0f, {{0, -0.005f}, {30, 4.99f}}}});
    Ground none({}), point({{20.0f, {{3, 1}}}});

    int compared = 0;
    for (const Ground* g : {&layered, &thin, &none, &point}) {
        // The walk is given the x values as they come, which goes back now and then
        // and makes it start again.
        StationWalk walk(g->table);
        EXPECT_EQ(walk.Find(std::numeric_limits<float>::quiet_NaN()).col, -1);
        for (float x : ProbeXs(g->table)) {
            const StationSpan walked = walk.Find(x), searched = FindStationSpan(g->table, x);
            EXPECT_EQ(walked.col, searched.col) << x;
            EXPECT_TRUE(SameBits(walked.dx, searched.dx) && SameBits(walked.width, searched.width)) << x;
            if (!std::isfinite(x))
                continue;
            const StationSpan span = FindStationSpan(g->table, x);
            const float ground = SurfaceLevel(g->table, 1, x);
            for (float depth : {-1.0f, 0.0f, 0.004f, 0.5f, 1.5f, 4.0f, 12.0f, 2e6f}) {
                const float y = g->job.SoilCount() >= 1 ? ground - depth : -depth;
                for (float below : {0.0f, 0.3f}) {
                    const BaseColumn q = QueryBaseColumn(g->job, g->table, span, x, y, y - below);
                    Integer stressSoil = 0;
                    const float stress = OverburdenStress(g->job, g->table, x, y, stressSoil);
                    const Integer soil = SoilAt(g->job, g->table, x, y - below);
                    EXPECT_TRUE(SameBits(q.Overburden, stress)) << x << " " << y;
                    EXPECT_EQ(q.Soil, soil) << x << " " << y - below;
                    EXPECT_TRUE(SameBits(q.PorePressure, PorePressure(g->job, g->table, x, y, soil))) << x << " " << y;
                    EXPECT_TRUE(SameBits(q.WaterLevel, SurfaceLevel(g->table, g->table.WaterRow(), x))) << x;
                    // The soil at the point is the one the overburden reports.
                    EXPECT_TRUE(below != 0.0f || q.Soil == stressSoil) << x << " " << y;
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 1000);
}

} // namespace
} // namespace clv::test
