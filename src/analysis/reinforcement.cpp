#include "analysis/reinforcement.h"

#include "ground/geometry.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace clv {

namespace {

// A block that the job file brings in with a spacing far below anything the
// table accepts could otherwise make millions of layers (or never end, once y +
// spacing no longer changes y). The table allows 50 m of height at 0.05 m
// spacing, i.e. 1001 levels, so that many levels per block are always honoured.
constexpr int kMaxLevelsPerBlock = 1001;
// A job file may also hold thousands of blocks; every slice of every slip is
// tested against every layer, so the whole list is bounded as well.
constexpr std::size_t kMaxLayers = 5000;
// A slip through the front end of a layer (a toe circle meets the bottom layer
// where that layer leaves the face) would count or not by the last bit of
// rounding, and if counted the layer's whole length, which lies inside the
// sliding mass, would resist pull-out. A crossing this close to the front end is
// therefore no crossing, for every kind of slip.
constexpr float kFrontEndMargin = 0.001f;
const char* const kTooManyLayersNotice =
    "The reinforcement blocks give more than 5000 layers; only the first 5000 are used";

std::string BlockLevelsNotice(int block)
{
    return "Reinforcement block " + std::to_string(block) + " has more than " +
           std::to_string(kMaxLevelsPerBlock) + " layers; only the lowest " +
           std::to_string(kMaxLevelsPerBlock) + " are used";
}

/**
 * Number of levels of a block: base + i x spacing for i = 0..n-1 with
 * n = floor(height / spacing + 1e-4) + 1. Counting instead of adding the spacing
 * up keeps the top layer: 0.4 added ten times in single precision passes 4.0 and
 * would lose it. The ten-thousandth is the tolerance of the grid counts. A block
 * whose height is negative (or not a number) has no level; more than `limit`
 * levels returns limit + 1 so that the caller can say so.
 */
long long LevelCount(const ReinforcementBlock& block, long long limit)
{
    if (!(block.VerticalSpacing > 0.0f))
        return block.BlockHeight >= 0.0f ? 1 : 0;
    const double steps =
        std::floor(static_cast<double>(block.BlockHeight) / static_cast<double>(block.VerticalSpacing) + 1e-4);
    if (!(steps >= 0.0))
        return 0;
    return steps >= static_cast<double>(limit) ? limit + 1 : static_cast<long long>(steps) + 1;
}

ReinforcementLayer MakeLayer(const ReinforcementBlock& block, int blockNumber, float startX, float y)
{
    ReinforcementLayer layer;
    layer.Strength = block.Strength;
    layer.FrictionCoefficient = block.FrictionCoefficient;
    layer.StartX = startX;
    layer.StartY = y;
    layer.EndX = startX + block.Length;
    layer.EndY = y;
    layer.Length = block.Length;
    layer.Angle = 0.0f;
    layer.Block = blockNumber;
    return layer;
}

/** Shear strength mobilised on one face of a layer at a point, from the soil there. */
float LayerShear(const AnalysisInput& in, const ReinforcementLayer& layer, float x, float y)
{
    Integer soil = 0;
    const float sigma = VerticalEffectiveStress(in.job, in.table, x, y, soil);
    if (soil < 1 || soil > in.job.SoilCount())
        return 0.0f;
    const SoilRecord& s = in.job.Soil(soil);
    const PartialFactors& f = in.job.Factors;
    const float tanPhi = std::tan(Radians(s.Phi));
    return layer.FrictionCoefficient * (s.Cohesion / f.Cohesion + sigma * tanPhi / f.TanPhi);
}

/**
 * Whether the base chord of a slice really passes through the layer's level.
 * The crossing rule widens the chord's x-range by 0.001 for round-off; on its
 * own that lets a steep chord "cross" a layer that passes just beyond its end
 * (a two-part wedge with a horizontal base 1 mm above a layer would pick that
 * layer up in its rear plane) and counts a layer through a slice boundary in
 * both slices. The layer must therefore lie within the chord's level range, and
 * one crossing at a shared boundary counts once.
 */
bool ChordSpansLevel(const Slice& s, float level)
{
    const float low = std::min(s.BaseLeft, s.BaseRight);
    const float high = std::max(s.BaseLeft, s.BaseRight);
    return low <= level && level <= high;
}

/**
 * Walks every layer crossing of every slice base, slice by slice and layer by
 * layer, and hands each crossing's force T and level to `visit(sliceIndex, T, yP)`.
 */
template <typename Visit>
void ForEachLayerForce(const AnalysisInput& in, const SliceList& slices, Visit visit)
{
    const PartialFactors& f = in.job.Factors;
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    // Where each layer was last counted: the slice and the crossing x.
    std::vector<std::size_t> lastSlice(in.layers.size(), kNone);
    std::vector<float> lastX(in.layers.size(), 0.0f);
    for (std::size_t k = 0; k < slices.size(); ++k) {
        const Slice& s = slices[k];
        for (std::size_t j = 0; j < in.layers.size(); ++j) {
            const ReinforcementLayer& layer = in.layers[j];
            Segment line{layer.StartX, layer.StartY, layer.EndX, layer.EndY};
            LineCoefficients(line);
            Segment chord{s.XLeft, s.BaseLeft, s.XRight, s.BaseRight};
            LineCoefficients(chord);
            if (!IntersectLineSegment(line, chord))
                continue;
            const float xP = line.X1;
            const float yP = line.Y1;
            if (xP - layer.StartX <= kFrontEndMargin)
                continue;
            if (!ChordSpansLevel(s, yP))
                continue;
            // On the toe side the base falls to the right: the layer behind such a
            // crossing, up to its rear end, lies inside the sliding mass and moves
            // with it, so it anchors nothing.
            if (s.BaseRight < s.BaseLeft)
                continue;
            if (lastSlice[j] != kNone && lastSlice[j] + 1 == k && std::fabs(xP - lastX[j]) <= 0.002f)
                continue;
            lastSlice[j] = k;
            lastX[j] = xP;
            const float tauP = LayerShear(in, layer, xP, yP);
            const float tauE = LayerShear(in, layer, layer.EndX, layer.EndY);
            const float dx = layer.EndX - xP;
            const float dy = layer.EndY - yP;
            const float embedded = std::sqrt(dx * dx + dy * dy);
            const float pullOut = embedded * (tauP + tauE) / (f.RamificationsOfFailure * f.PullOut);
            const float tensile = layer.Strength / (f.ReinforcementStrength * f.RamificationsOfFailure);
            const float force = pullOut <= tensile ? pullOut : tensile;
            // A layer can only pull: no force below zero.
            visit(k, force > 0.0f ? force : 0.0f, yP);
        }
    }
}

} // namespace

LayerList BuildReinforcementLayers(const Job& job, const SectionTable& table, const NoticeFn& notice)
{
    // Nails (a nonzero ReinforcementKind) are left out: nothing in the program
    // makes that kind, so every block is laid out as horizontal geogrid layers.
    LayerList layers;
    bool full = false;
    for (int b = 0; b < job.ReinforcementCount() && !full; ++b) {
        const ReinforcementBlock& block = job.Reinforcement[static_cast<std::size_t>(b)];
        // A spacing of zero or less cannot step up the block: such a block gets
        // its one layer at BlockBase (when the base lies within the block).
        const long long levels = LevelCount(block, kMaxLevelsPerBlock);
        for (long long i = 0; i < levels; ++i) {
            if (layers.size() == kMaxLayers) {
                Notify(notice, kTooManyLayersNotice);
                full = true;
                break;
            }
            if (i == kMaxLevelsPerBlock) {
                Notify(notice, BlockLevelsNotice(b + 1));
                break;
            }
            const float y = i == 0 ? block.BlockBase : block.BlockBase + static_cast<float>(i) * block.VerticalSpacing;
            // The layer starts at the face; a level that meets no rising ground has no layer.
            const float x = FaceXAtLevel(table, y);
            if (x != kNoLevel)
                layers.push_back(MakeLayer(block, b + 1, x, y));
        }
    }
    // Highest first; layers at equal levels keep their order (a stable sort gives
    // the same order as passes of adjacent exchanges, without their n^2 cost).
    std::stable_sort(layers.begin(), layers.end(),
                     [](const ReinforcementLayer& a, const ReinforcementLayer& b) { return a.StartY > b.StartY; });
    return layers;
}

ReinforcementTotals ComputeReinforcementForce(const AnalysisInput& in, SlipKind kind,
                                              const SliceList& slices, float centreY)
{
    ReinforcementTotals totals;
    ForEachLayerForce(in, slices, [&](std::size_t, float force, float yP) {
        totals.Force += force;
        if (kind == SlipKind::Circular)
            totals.Moment += force * (centreY - yP);
    });
    return totals;
}

std::vector<float> ReinforcementSliceForces(const AnalysisInput& in, const SliceList& slices)
{
    std::vector<float> forces(slices.size(), 0.0f);
    ForEachLayerForce(in, slices, [&](std::size_t k, float force, float) { forces[k] += force; });
    return forces;
}

} // namespace clv
