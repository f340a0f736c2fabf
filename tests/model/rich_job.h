#pragma once

// A job that uses every part of the file: titles with accented characters, soils
// with points in every slot, water, a piezometric grid, loads of each type,
// reinforcement blocks, user points and patterned reserved bytes, so that a field
// written to or read from the wrong place shows up.

#include "model/job.h"

#include <cstdint>
#include <cstring>

namespace clv::test {

template <std::size_t N> void FillPattern(ReservedBytes<N>& bytes, std::uint8_t seed)
{
    for (std::size_t i = 0; i < N; ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + 7 * i);
}

inline Job RichJob()
{
    Job job = MakeDefaultJob();
    JobHeader& h = job.Header;
    h.MainTitle.Assign("Embankment at Fenwick Lane, chainage 1+250");
    h.SubTitle.Assign("Section B-B, long-term drained, géogrid option");
    h.Project.Assign("P-2024/117 €");
    h.Analysis.Assign("Drained");
    h.Engineer.Assign("A. Müller");
    h.FirstPageNumber = 3;
    h.Reserved1 = 1.25f;
    h.Reserved2 = -2.5f;
    h.VerticalAccelerationFactor = 0.05f;
    h.LateralAccelerationFactor = 0.1f;
    h.WaterUnitWeight = 10.0f;
    h.ReservedSingles = {1.5f, 2.5f, 3.5f, 4.5f, 5.5f, 6.5f};
    h.ReservedIntegers = {-1, 2, -3, 4, 32767};

    job.View = {0, kTrue, 0, kTrue, 0, kTrue, 0, -25.0f, 60.0f, -12.0f, 30.0f, 0.25f, 0, kTrue};

    PartialFactors& f = job.Factors;
    f = {1.1f, 1.2f, 1.3f, 1.25f, 1.6f, 1.35f, 1.05f, 1.4f, {}, kCustomFactors, {}};
    FillPattern(f.Reserved, 11);
    FillPattern(f.Reserved2, 13);

    job.Water.PointCount = 4;
    const float wx[] = {-20.0f, 0.0f, 12.5f, 40.0f};
    const float wy[] = {2.0f, 2.0f, 4.5f, 6.0f};
    for (int j = 1; j <= 4; ++j) {
        job.Water.X[j] = wx[j - 1];
        job.Water.Y[j] = wy[j - 1];
    }
    job.Water.X[50] = 999.0f; // a slot above PointCount, kept in the file
    job.Water.Y[50] = -999.0f;
    FillPattern(job.Water.Reserved, 17);

    job.Piezo = {kTrue, -10.0f, 30.0f, 10.0f, -5.0f, 5.0f, 5.0f, 2, 3};
    job.Heads.Resize(2, 3);
    for (int r = 0; r <= 2; ++r)
        for (int c = 0; c <= 3; ++c)
            job.Heads.At(r, c) = static_cast<float>(10 * r + c) + 0.5f;
    job.Heads.At(2, 3) = kNoLevel;

    SlipSettings& s = job.Slip;
    s.Method = kRigorous;
    s.TensionCrackDepth = 1.5f;
    s.MinSlices = 25;
    s.GridXMin = -5.0f, s.GridXMax = 15.0f, s.GridXInc = 1.0f;
    s.GridYMin = 10.0f, s.GridYMax = 25.0f, s.GridYInc = 0.5f;
    s.AutoExtendGrid = kTrue;
    s.LegacyCommonPoint = 7;
    s.CommonXMin = 2.0f, s.CommonXMax = 8.0f, s.CommonXInc = 0.5f;
    s.CommonY = kNoLevel;
    for (int i = 0; i <= 10; ++i)
        s.Fx[static_cast<std::size_t>(i)] = 0.1f * static_cast<float>(i);
    s.AutoGenerate = kFalse;
    FillPattern(s.Reserved, 19);
    s.MinSlipDepth = 0.75f;
    FillPattern(s.Reserved2, 23);

    job.Wedge = {0, 2.0f, 12.0f, 0.5f, -10.0f, 30.0f, 35.0f, 75.0f, 2.5f, {}};
    FillPattern(job.Wedge.Reserved, 29);

    for (int i = 1; i <= 100; ++i)
        job.Print[static_cast<std::size_t>(i)] = static_cast<Integer>(i % 3 == 0 ? 1 : (i % 7 == 0 ? -5 : 0));

    const char* names[] = {"Made ground", "Soft clay (alluvium)", "Dense gravel, sandy"};
    for (int k = 0; k < 3; ++k) {
        SoilRecord soil;
        soil.Description.Assign(names[k]);
        soil.Density = 18.0f + static_cast<float>(k);
        soil.Phi = 25.0f + 5.0f * static_cast<float>(k);
        soil.Cohesion = 5.0f * static_cast<float>(k);
        soil.Ru = 0.05f * static_cast<float>(k);
        soil.Suction = 0.5f * static_cast<float>(k);
        soil.PointCount = static_cast<Integer>(3 + k);
        for (int j = 0; j <= 51; ++j) {
            soil.X[static_cast<std::size_t>(j)] = -20.0f + 5.0f * static_cast<float>(j);
            soil.Y[static_cast<std::size_t>(j)] = 10.0f - static_cast<float>(k) * 3.0f - 0.1f * static_cast<float>(j);
        }
        soil.ReservedSingles = {0.5f, -0.5f, 1e-3f, 7.0f, 8.0f, static_cast<float>(k)};
        soil.ReservedIntegers = {1, -1, 2, -2, 3, static_cast<Integer>(k)};
        job.Soils.push_back(soil);
    }

    for (Integer type = kSurcharge; type <= kAnchor; ++type) {
        LoadRecord load;
        load.LoadType = type;
        load.Value = 10.0f + static_cast<float>(type);
        load.XMin = 1.0f + static_cast<float>(type);
        load.XMax = 6.0f + static_cast<float>(type);
        load.Y = type == kAnchor ? 3.5f : kNoLevel;
        load.Angle = 15.0f;
        load.FreeLength = 4.0f;
        load.FixedLength = 6.0f;
        FillPattern(load.Reserved, static_cast<std::uint8_t>(31 + type));
        job.Loads.push_back(load);
    }

    for (int b = 0; b < 2; ++b) {
        ReinforcementBlock block;
        block.Description.Assign(b == 0 ? "Geogrids" : "Geogrids upper, 55 kN/m");
        block.Strength = 55.0f + 25.0f * static_cast<float>(b);
        block.Length = 6.0f;
        block.FrictionCoefficient = 0.8f;
        block.NailAngle = 10.0f;
        block.NailSpacing = 1.5f;
        block.VerticalSpacing = 0.5f;
        block.BlockHeight = 3.0f;
        block.BlockBase = 0.25f + 3.0f * static_cast<float>(b);
        block.ReservedSingles = {9.0f, 8.0f, 7.0f, 6.0f, static_cast<float>(b)};
        block.ReservedIntegers = {-7, 6, -5, 4, -3, static_cast<Integer>(b)};
        job.Reinforcement.push_back(block);
    }

    for (int i = 0; i < 5; ++i)
        job.UserPoints.push_back({-4.0f + 3.0f * static_cast<float>(i), 6.0f - static_cast<float>(i * i) * 0.3f});
    return job;
}

} // namespace clv::test
