#include "analysis/methods.h"

#include "analysis/rigorous.h"

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

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
 * The terms of each slice's equilibrium that do not change with F, formed once
 * per slip and held column by column. Each is formed exactly as the formulas
 * form it, in the same order, so that a pass of the iteration repeats only what
 * depends on F and every number comes out as the formulas written out in full
 * give it (MomentSums, ForceSums and the normal force below); the columns also
 * let the compiler work on several slices at once.
 */
class SliceTerms {
public:
    SliceTerms(const Job& job, const SliceList& slices)
        : n_(slices.size()), data_(std::make_unique_for_overwrite<float[]>(n_ * kColumns))
    {
        const float cohesionDivisor = job.Factors.RamificationsOfFailure * job.Factors.Cohesion;
        for (std::size_t i = 0; i < n_; ++i) {
            const Slice& s = slices[i];
            const float u = DesignPorePressure(job, s);
            const float sinA = std::sin(s.BaseAngle);
            const float cosA = std::cos(s.BaseAngle);
            Column(kSin)[i] = sinA;
            Column(kCos)[i] = cosA;
            Column(kVertical)[i] = s.VerticalForce;
            Column(kHorizontal)[i] = s.HorizontalForce;
            Column(kTanPhi)[i] = s.DesignTanPhi;
            // (c_d - t_d u) l sin a, and t_d sin a: both are divided by F in each pass.
            Column(kCohesionPull)[i] = (s.DesignCohesion - s.DesignTanPhi * u) * s.BaseLength * sinA;
            Column(kFrictionPull)[i] = s.DesignTanPhi * sinA;
            // The shear strength (N - l u) t_d + c' l / (fn fc) without its N.
            Column(kWaterOnBase)[i] = s.BaseLength * u;
            Column(kCohesionShear)[i] = SoilCohesion(job, s.BaseSoil) * s.BaseLength;
            Column(kNormal)[i] = s.NormalForce;
        }
        // c' l, then / (fn fc): divided in a loop of its own, several slices at once.
        float* cohesionShear = Column(kCohesionShear);
        for (std::size_t i = 0; i < n_; ++i)
            cohesionShear[i] = cohesionShear[i] / cohesionDivisor;
    }

    std::size_t Count() const { return n_; }

    /** Fellenius: N = V cos a - H sin a. */
    void FelleniusNormalForces()
    {
        const float* sinA = Column(kSin);
        const float* cosA = Column(kCos);
        const float* v = Column(kVertical);
        const float* h = Column(kHorizontal);
        float* normal = Column(kNormal);
        for (std::size_t i = 0; i < n_; ++i)
            normal[i] = v[i] * cosA[i] - h[i] * sinA[i];
    }

    /**
     * Normal forces of Bishop's and Janbu's methods: vertical equilibrium of each
     * slice with the shear mobilised at factor F. Returns false when a slice's
     * divisor m = cos a + tan(phi_d) sin a / F is zero or negative (or not a
     * number): on a steep toe-side base the mobilised shear would then have to
     * hold the slice up on its own, and the slip has no admissible solution at
     * this F. The slices before that one have their new normal force, the others
     * keep theirs.
     */
    bool EquilibriumNormalForces(float factor)
    {
        const float* cosA = Column(kCos);
        const float* friction = Column(kFrictionPull);
        const float* cohesion = Column(kCohesionPull);
        const float* v = Column(kVertical);
        float* m = Column(kScratch);
        float* normal = Column(kNormal);
        // Formed in a loop of its own, which the compiler turns into divisions of
        // several slices at once; the test of the signs is a separate scan.
        for (std::size_t i = 0; i < n_; ++i)
            m[i] = cosA[i] + friction[i] / factor;
        std::size_t admissible = 0;
        while (admissible < n_ && m[admissible] > 0.0f)
            ++admissible;
        for (std::size_t i = 0; i < admissible; ++i)
            normal[i] = (v[i] - cohesion[i] / factor) / m[i];
        return admissible == n_;
    }

    /** MomentSums from the current normal forces. */
    void MomentSums(SlipResult& slip)
    {
        const float r = slip.Radius;
        const float* normal = Column(kNormal);
        const float* water = Column(kWaterOnBase);
        const float* tanPhi = Column(kTanPhi);
        const float* cohesion = Column(kCohesionShear);
        // The sum runs in slice order, as it is defined, one addition after the
        // other; forming each term inside the same loop lets that chain of
        // additions overlap the arithmetic of the terms.
        float soilMoment = 0.0f;
        for (std::size_t i = 0; i < n_; ++i)
            soilMoment += r * ((normal[i] - water[i]) * tanPhi[i] + cohesion[i]);
        slip.SoilMoment = soilMoment;
        slip.StabilityFactor = slip.DisturbingMoment <= 0.0f
            ? kInvalidFactor
            : (slip.ReinforcementMoment + slip.SoilMoment) / slip.DisturbingMoment;
    }

    /** ForceSums from the current normal forces. */
    void ForceSums(SlipResult& slip)
    {
        const float* sinA = Column(kSin);
        const float* cosA = Column(kCos);
        const float* normal = Column(kNormal);
        const float* strength = ShearStrengths();
        float soilForce = 0.0f;
        float disturbing = slip.HorizontalLoadForce;
        for (std::size_t i = 0; i < n_; ++i) {
            soilForce += strength[i] * cosA[i];
            disturbing += normal[i] * sinA[i];
        }
        slip.SoilForce = soilForce;
        slip.DisturbingForce = disturbing;
        slip.StabilityFactor
            = disturbing <= 0.0f ? kInvalidFactor : (slip.ReinforcementForce + soilForce) / disturbing;
    }

    /** Leaves the normal forces in the slices, as the methods report them. */
    void StoreNormalForces(SliceList& slices) const
    {
        const float* normal = Column(kNormal);
        for (std::size_t i = 0; i < n_; ++i)
            slices[i].NormalForce = normal[i];
    }

private:
    enum ColumnId : std::size_t {
        kSin,
        kCos,
        kVertical,
        kHorizontal,
        kTanPhi,
        kCohesionPull,
        kFrictionPull,
        kWaterOnBase,
        kCohesionShear,
        kNormal,
        kScratch,
        kColumns
    };

    float* Column(ColumnId c) { return data_.get() + c * n_; }
    const float* Column(ColumnId c) const { return data_.get() + c * n_; }

    /** (N - l u) t_d + c' l / (fn fc) of every slice, in the scratch column. */
    float* ShearStrengths()
    {
        const float* normal = Column(kNormal);
        const float* water = Column(kWaterOnBase);
        const float* tanPhi = Column(kTanPhi);
        const float* cohesion = Column(kCohesionShear);
        float* strength = Column(kScratch);
        for (std::size_t i = 0; i < n_; ++i)
            strength[i] = (normal[i] - water[i]) * tanPhi[i] + cohesion[i];
        return strength;
    }

    std::size_t n_;
    // Not cleared: the constructor fills every column but the scratch, which each
    // pass writes before it reads it.
    std::unique_ptr<float[]> data_;
};

/** A factor at or below zero (or not a number) is no stability factor: the slip is invalid. */
void RejectNonPositive(SlipResult& slip)
{
    if (!(slip.StabilityFactor > 0.0f))
        slip.StabilityFactor = kInvalidFactor;
}

void FelleniusFactor(SliceTerms& terms, SlipResult& slip)
{
    terms.FelleniusNormalForces();
    terms.MomentSums(slip);
    RejectNonPositive(slip);
}

enum class Balance { Moment, Force };

/** The iteration shared by Bishop (moments) and Janbu (forces), from the start value `factor`. */
void IterateEquilibrium(SliceTerms& terms, Balance balance, int maxPasses, float factor, SlipResult& slip)
{
    for (int pass = 1; pass <= maxPasses; ++pass) {
        if (!terms.EquilibriumNormalForces(factor)) {
            slip.StabilityFactor = kInvalidFactor;
            return;
        }
        if (balance == Balance::Moment)
            terms.MomentSums(slip);
        else
            terms.ForceSums(slip);
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
    SliceTerms terms(in.job, slices);
    FelleniusFactor(terms, slip);
    terms.StoreNormalForces(slices);
}

void Bishop(const AnalysisInput& in, SlipResult& slip, SliceList& slices)
{
    SliceTerms terms(in.job, slices);
    FelleniusFactor(terms, slip);
    IterateEquilibrium(terms, Balance::Moment, kBishopPasses, slip.StabilityFactor, slip);
    terms.StoreNormalForces(slices);
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
    SliceTerms terms(in.job, slices);
    float start = 1.0f;
    if (kind == SlipKind::Circular) {
        FelleniusFactor(terms, slip);
        start = slip.StabilityFactor;
    }
    IterateEquilibrium(terms, Balance::Force, kJanbuPasses, start, slip);
    terms.StoreNormalForces(slices);
}

} // namespace clv
