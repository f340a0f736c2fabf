#pragma once

// Small cross-sections laid out by hand for the ground model tests.

#include "ground/section_table.h"

#include <initializer_list>
#include <utility>

namespace clv::test {

using Points = std::initializer_list<std::pair<float, float>>;

/** A job of strata (unit weight and top surface, from the top down) and water, with its section table. */
struct Ground {
    Job job = MakeDefaultJob();
    SectionTable table;

    explicit Ground(std::initializer_list<std::pair<float, Points>> strata, Points water = {})
    {
        for (const auto& [density, points] : strata)
            AddPoints(job.Soils.emplace_back(), points).Density = density;
        AddPoints(job.Water, water);
        table = BuildSectionTable(job);
    }

    template <class Line> static Line& AddPoints(Line& line, Points points)
    {
        for (const auto& [x, y] : points) {
            ++line.PointCount;
            line.X[line.PointCount] = x;
            line.Y[line.PointCount] = y;
        }
        return line;
    }
};

} // namespace clv::test
