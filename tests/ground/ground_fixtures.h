#pragma once

// Small cross-sections laid out by hand for the ground model tests.

#include "ground/section_table.h"
#include "support/job_builders.h"

#include <initializer_list>

namespace clv::test {

/** A job of strata (unit weight and top surface, from the top down) and water, with its section table. */
struct Ground {
    Job job = MakeDefaultJob();
    SectionTable table;

    explicit Ground(std::initializer_list<std::pair<float, Points>> strata, Points water = {})
    {
        for (const auto& [density, points] : strata)
            SetPoints(job.Soils.emplace_back(), points).Density = density;
        SetPoints(job.Water, water);
        table = BuildSectionTable(job);
    }
};

} // namespace clv::test
