#pragma once

// Small jobs for the reinforcement, defined-surface, wedge and rigorous tests:
// soils given by their surface points, blocks of layers, and the derived data
// (section table, layers) an analysis is run on.

#include "analysis/reinforcement.h"
#include "analysis/slip.h"
#include "ground/section_table.h"
#include "model/job.h"

#include <initializer_list>
#include <memory>
#include <utility>

namespace clv::test {

using PointList = std::initializer_list<std::pair<float, float>>;

inline SoilRecord& AddStratum(Job& job, float density, float phi, float cohesion, PointList points)
{
    SoilRecord soil;
    soil.Description.Assign("Soil");
    soil.Density = density;
    soil.Phi = phi;
    soil.Cohesion = cohesion;
    int j = 0;
    for (const auto& [x, y] : points) {
        ++j;
        soil.X[static_cast<std::size_t>(j)] = x;
        soil.Y[static_cast<std::size_t>(j)] = y;
    }
    soil.PointCount = static_cast<Integer>(j);
    job.Soils.push_back(soil);
    return job.Soils.back();
}

inline ReinforcementBlock& AddBlock(Job& job, float base, float height, float spacing, float length,
                                    float strength = 30.0f, float friction = 0.7f)
{
    ReinforcementBlock block;
    block.Description.Assign("Geogrids");
    block.Strength = strength;
    block.Length = length;
    block.FrictionCoefficient = friction;
    block.NailSpacing = 2.0f;
    block.VerticalSpacing = spacing;
    block.BlockHeight = height;
    block.BlockBase = base;
    job.Reinforcement.push_back(block);
    return job.Reinforcement.back();
}

/** A job with its section table and layers, kept together so that an AnalysisInput can point at them. */
struct Prepared {
    Job job;
    SectionTable table;
    LayerList layers;
    std::vector<std::string> notices;

    explicit Prepared(Job j) : job(std::move(j)) { Rebuild(); }
    Prepared(const Prepared&) = delete;
    Prepared& operator=(const Prepared&) = delete;

    void Rebuild()
    {
        table = BuildSectionTable(job);
        layers = BuildReinforcementLayers(job, table, Collector());
    }
    NoticeFn Collector()
    {
        return [this](const std::string& text) { notices.push_back(text); };
    }
    AnalysisInput Input() { return AnalysisInput{job, table, layers, Collector()}; }
};

/** Dry homogeneous slope: flat toe at 0, a face rising 1:1 to a crest at 10. */
inline Job FaceJob(float phi = 30.0f, float cohesion = 0.0f)
{
    Job job = MakeDefaultJob();
    AddStratum(job, 20.0f, phi, cohesion, {{-20.0f, 0.0f}, {0.0f, 0.0f}, {10.0f, 10.0f}, {40.0f, 10.0f}});
    return job;
}

} // namespace clv::test
