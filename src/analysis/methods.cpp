#include "analysis/methods.h"

#include "analysis/rigorous.h"

#include <cmath>
#include <limits>

namespace clv {

namespace {

constexpr int kBishopPasses = 50;
constexpr int kJanbuPasses = 20;
constexpr float kConverged = 0.01f;

/** Cohesion of soil `s`; NaN for an index outside the job, so that the slip comes out invalid. */
float SoilCohesion(const Job& job, Integer s)
{
    return s >= 1 && s <= job.SoilCount() ? job.Soil(s).Cohesion : std::numeric_limits<float>::quiet_NaN();
}

/**
 * Shear strength available on a slice base with normal force N, before division
 * by F: (N - l u) tan(phi') / (fphi fn) + c' l / (fn fc). DesignTanPhi holds
 * tan(phi') / (fphi fn), formed in that order.
 */
float BaseShearStrength(const Job& job, const Slice& s, float cohesionDivisor)
{
    return (s.NormalForce - s.BaseLength * DesignPorePressure(job, s)) * s.DesignTanPhi
        + SoilCohesion(job, s.BaseSoil) * s.BaseLength / cohesionDivisor;
}

/**
 * Normal forces of Bishop's and Janbu's methods: vertical equilibrium of each
 * slice with the shear mobilised at factor F. Returns false when a slice's
 * divisor m = cos a + tan(phi_d) sin a / F is zero or negative (or not a number):
 * on a steep toe-side base the mobilised shear would then have to hold the slice
 * up on its own, and the slip has no admissible solution at this F.
 */
bool EquilibriumNormalForces(const Job& job, SliceList& slices, float factor)
{
    for (Slice& s : slices) {
        const float u = DesignPorePressure(job, s);
        const float sinA = std::sin(s.BaseAngle);
        const float m = std::cos(s.BaseAngle) + s.DesignTanPhi * sinA / factor;
        if (!(m > 0.0f))
            return false;
        s.NormalForce
            = (s.VerticalForce - (s.DesignCohesion - s.DesignTanPhi * u) * s.BaseLength * sinA / factor)
            / m;
    }
    return true;
}

/** A factor at or below zero (or not a number) is no stability factor: the slip is invalid. */
void RejectNonPositive(SlipResult& slip)
{
    if (!(slip.StabilityFactor > 0.0f))
        slip.StabilityFactor = kInvalidFactor;
}

enum class Balance { Moment, Force };

/** The iteration shared by Bishop (moments) and Janbu (forces), from the start value `factor`. */
void IterateEquilibrium(const AnalysisInput& in, Balance balance, int maxPasses, float factor, SlipResult& slip,
                        SliceList& slices)
{
    for (int pass = 1; pass <= maxPasses; ++pass) {
        if (!EquilibriumNormalForces(in.job, slices, factor)) {
            slip.StabilityFactor = kInvalidFactor;
            return;
        }
        if (balance == Balance::Moment)
            MomentSums(in, slip, slices);
        else
            ForceSums(in, slip, slices);
        const float next = slip.StabilityFactor;
        if (!(next > 0.0f)) {
            // A negative factor would turn the mobilised shear round; there is no solution to go on with.
            slip.StabilityFactor = kInvalidFactor;
            return;
        }
        if (std::fabs(next - factor) < kConverged)
            return;
        factor = next;
    }
    slip.StabilityFactor = kInvalidFactor;
}

} // namespace

void RunMethod(const AnalysisInput& in, SlipResult& slip, SliceList& slices)
{
    switch (in.job.Slip.Method) {
    case kFellenius:
        Fellenius(in, slip, slices);
        break;
    case kBishop:
        Bishop(in, slip, slices);
        break;
    case kBs8006:
        Bs8006(in, slip, slices);
        break;
    case kJanbu:
        Janbu(in, SlipKind::Circular, slip, slices);
        break;
    case kRigorous:
        RigorousSolution(in, slip, slices);
        break;
    default:
        break;
    }
}

void MomentSums(const AnalysisInput& in, SlipResult& slip, const SliceList& slices)
{
    const Job& job = in.job;
    const float cohesionDivisor = job.Factors.RamificationsOfFailure * job.Factors.Cohesion;
    float soilMoment = 0.0f;
    for (const Slice& s : slices)
        soilMoment += slip.Radius * BaseShearStrength(job, s, cohesionDivisor);
    slip.SoilMoment = soilMoment;
    slip.StabilityFactor = slip.DisturbingMoment <= 0.0f
        ? kInvalidFactor
        : (slip.ReinforcementMoment + slip.SoilMoment) / slip.DisturbingMoment;
}

void ForceSums(const AnalysisInput& in, SlipResult& slip, const SliceList& slices)
{
    const Job& job = in.job;
    const float cohesionDivisor = job.Factors.RamificationsOfFailure * job.Factors.Cohesion;
    float soilForce = 0.0f;
    float disturbing = slip.HorizontalLoadForce;
    for (const Slice& s : slices) {
        soilForce += BaseShearStrength(job, s, cohesionDivisor) * std::cos(s.BaseAngle);
        // N is the total normal force on the base: the pore water pressure on the base
        // is already inside it, so no separate water thrust is added here.
        disturbing += s.NormalForce * std::sin(s.BaseAngle);
    }
    slip.SoilForce = soilForce;
    slip.DisturbingForce = disturbing;
    slip.StabilityFactor = disturbing <= 0.0f ? kInvalidFactor : (slip.ReinforcementForce + soilForce) / disturbing;
}

void Fellenius(const AnalysisInput& in, SlipResult& slip, SliceList& slices)
{
    for (Slice& s : slices)
        s.NormalForce = s.VerticalForce * std::cos(s.BaseAngle) - s.HorizontalForce * std::sin(s.BaseAngle);
    MomentSums(in, slip, slices);
    RejectNonPositive(slip);
}

void Bishop(const AnalysisInput& in, SlipResult& slip, SliceList& slices)
{
    Fellenius(in, slip, slices);
    IterateEquilibrium(in, Balance::Moment, kBishopPasses, slip.StabilityFactor, slip, slices);
}

void Bs8006(const AnalysisInput& in, SlipResult& slip, SliceList& slices)
{
    float soilMoment = 0.0f;
    for (const Slice& s : slices) {
        const float tanA = std::tan(s.BaseAngle);
        const float divisor = s.DesignTanPhi * tanA + 1.0f;
        if (!(divisor > 0.0f)) {
            // As Bishop's m: a toe-side base too steep for the mobilised friction.
            slip.SoilMoment = 0.0f;
            slip.StabilityFactor = kInvalidFactor;
            return;
        }
        soilMoment += slip.Radius
            * ((s.VerticalForce - s.Width * DesignPorePressure(in.job, s)) * s.DesignTanPhi + s.Width * s.DesignCohesion)
            / std::cos(s.BaseAngle) / (divisor * 1.25f);
    }
    slip.SoilMoment = soilMoment;
    slip.StabilityFactor = slip.DisturbingMoment <= 0.0f
        ? kInvalidFactor
        : (slip.ReinforcementMoment + slip.SoilMoment) / slip.DisturbingMoment;
    RejectNonPositive(slip);
}

void Janbu(const AnalysisInput& in, SlipKind kind, SlipResult& slip, SliceList& slices)
{
    float start = 1.0f;
    if (kind == SlipKind::Circular) {
        Fellenius(in, slip, slices);
        start = slip.StabilityFactor;
    }
    IterateEquilibrium(in, Balance::Force, kJanbuPasses, start, slip, slices);
}

} // namespace clv
