#pragma once

// Surfaces given by their points, for the jobs the tests lay out by hand, and
// the bundled examples as opening them leaves them.

#include "model/job_file.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <string>

#include <utility>
#include <vector>

namespace clv::test {

using Points = std::vector<std::pair<float, float>>;

/** Points 1..n of a soil top or of the phreatic surface; returns the surface for chaining. */
template <typename Surface> Surface& SetPoints(Surface& surface, const Points& points)
{
    surface.PointCount = static_cast<Integer>(points.size());
    for (std::size_t k = 0; k < points.size(); ++k)
        surface.X[k + 1] = points[k].first, surface.Y[k + 1] = points[k].second;
    return surface;
}

/** A soil with its name, unit weight, phi and cohesion and the points of its top surface. */
inline SoilRecord SoilWith(const char* name, float density, float phi, float cohesion, const Points& top)
{
    SoilRecord soil;
    soil.Description.Assign(name);
    soil.Density = density, soil.Phi = phi, soil.Cohesion = cohesion;
    SetPoints(soil, top);
    return soil;
}

/** A block of geogrid layers with friction coefficient 0.7. */
inline void AddBlock(Job& job, float base, float height, float spacing, float length, float strength = 30.0f)
{
    job.Reinforcement.push_back({.Description = {}, .Strength = strength, .Length = length,
                                 .FrictionCoefficient = 0.7f, .VerticalSpacing = spacing, .BlockHeight = height,
                                 .BlockBase = base});
}

/** An example job as opening it would leave it. */
inline Job LoadExample(const std::string& name)
{
    JobSession session;
    const std::optional<std::string> error = OpenJob(session, (ExamplesDir() / name).string());
    EXPECT_FALSE(error.has_value()) << name << ": " << error.value_or("");
    return session.job;
}

} // namespace clv::test
