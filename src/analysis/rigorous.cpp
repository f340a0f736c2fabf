#include "analysis/rigorous.h"

#include "analysis/methods.h"
#include "analysis/reinforcement.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace clv {

namespace {

constexpr float kForceLimit = 100000000.0f; // an interslice force beyond this has run away
constexpr int kLambdaPasses = 100;
constexpr int kOuterPasses = 50;

/** How one pass over the slices, or the whole solution, ended. */
enum class Outcome {
    Solved,
    Failed,       // a failure message has been shown for this slip
    Inadmissible, // a slice base with m_alpha <= 0, or a non-finite value: 1001 without a message
};

std::string Fixed2(float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    std::string s = text;
    if (s == "-0.00")
        s = "0.00";
    return s;
}

/** The three lines that name the circle under a failure message, each after a carriage return. */
std::string CircleLines(const SlipResult& slip)
{
    return "\rCircle centre X = " + Fixed2(slip.CentreX) + "\rCircle centre Y = " + Fixed2(slip.CentreY) +
           "\rCircle radius R = " + Fixed2(slip.Radius);
}

bool Finite(float v) { return std::isfinite(v); }

/** f(x) at a slice side, by linear interpolation in the eleven values at 0 %, 10 %, ... 100 % of the width. */
float InterpolateFx(const std::array<Single, 11>& fx, float r)
{
    int k = 9;
    for (int j = 0; j <= 8; ++j) {
        if (r < static_cast<float>(j + 1) / 10.0f) {
            k = j;
            break;
        }
    }
    return fx[k] + (fx[k + 1] - fx[k]) * (r - static_cast<float>(k) / 10.0f) * 10.0f;
}

/** Everything one slip's rigorous solution works on. */
class RigorousSolver {
public:
    RigorousSolver(const AnalysisInput& in, SlipResult& slip, SliceList& slices)
        : in_(in), slip_(slip), slices_(slices), layerForce_(slices.size(), 0.0f)
    {
        if (!in.layers.empty())
            layerForce_ = ReinforcementSliceForces(in, slices);
    }

    void SetSideFunctions()
    {
        const float width = slices_.back().XRight - slices_.front().XLeft;
        const float left = slices_.front().XLeft;
        slices_.front().LeftSideFx = 0.0f;
        for (std::size_t i = 0; i < slices_.size(); ++i) {
            const float r = (slices_[i].XRight - left) / width;
            const float f = InterpolateFx(in_.job.Slip.Fx, r);
            slices_[i].RightSideFx = f;
            if (i + 1 < slices_.size())
                slices_[i + 1].LeftSideFx = f;
        }
    }

    /**
     * One evaluation at the trial factor F: lambda is adjusted until the
     * interslice force at the crest end vanishes, then F returns the moment
     * factor and G the force factor from the resulting normal forces.
     */
    Outcome Pass(float& F, float& G, float& lambda)
    {
        if (!Finite(F) || F == 0.0f || !Finite(lambda))
            return Outcome::Inadmissible;
        for (const Slice& s : slices_) {
            // A base whose m_alpha is zero or negative at this factor has no
            // admissible normal force; the slip is rejected like any invalid slip.
            if (!(std::cos(s.BaseAngle) + s.DesignTanPhi * std::sin(s.BaseAngle) / F > 0.0f))
                return Outcome::Inadmissible;
        }

        float lambdaPrev = 0.0f;
        float endPrev = 0.0f;
        bool settled = false;
        for (int pass = 0; pass < kLambdaPasses; ++pass) {
            const Outcome sides = SolveSides(F, lambda);
            if (sides != Outcome::Solved)
                return sides;
            const float end = slices_.back().RightSideForce;
            if (std::fabs(end) < 0.5f || std::fabs(lambdaPrev - lambda) < 0.0001f) {
                settled = true;
                break;
            }
            if (lambdaPrev == 0.0f) {
                lambdaPrev = lambda;
                endPrev = end;
                lambda = 0.8f * lambda;
            } else {
                const float slope = (endPrev - end) / (lambdaPrev - lambda);
                const float intercept = end - slope * lambda;
                lambdaPrev = lambda;
                endPrev = end;
                if (std::fabs(slope) > 0.000001f) {
                    lambda = -intercept / slope;
                } else if (Finite(slope)) {
                    return Fail("Prediction of trial Lambda value has failed");
                } else {
                    return Outcome::Inadmissible;
                }
            }
            if (!Finite(lambda))
                return Outcome::Inadmissible;
        }
        if (!settled)
            return Fail("No convergence on horizontal equilibrium");

        MomentSums(in_, slip_, slices_);
        const float moment = slip_.StabilityFactor;
        ForceSums(in_, slip_, slices_);
        const float force = slip_.StabilityFactor;
        // Sums that find no disturbing moment or force give no factor to go on with.
        if (!Finite(moment) || !Finite(force) || moment == kInvalidFactor || force == kInvalidFactor)
            return Outcome::Inadmissible;
        F = moment;
        G = force;
        return Outcome::Solved;
    }

private:
    /**
     * The interslice normal forces slice by slice from the toe, with the shear
     * lambda * f * E on each side. E on the right side is linear in itself
     * (through the shear on that side and the normal force), E = A + B * E_R, so
     * it is solved directly: E_R = A / (1 - B). Each layer crossing the base
     * pulls with T mobilised like the soil shear, T / F towards the crest.
     */
    Outcome SolveSides(float F, float lambda)
    {
        for (std::size_t i = 0; i < slices_.size(); ++i) {
            Slice& s = slices_[i];
            s.LeftSideForce = i == 0 ? 0.0f : slices_[i - 1].RightSideForce;
            const float sinA = std::sin(s.BaseAngle);
            const float cosA = std::cos(s.BaseAngle);
            const float cohesionTerm = (s.DesignCohesion - s.DesignTanPhi * DesignPorePressure(in_.job, s)) * s.BaseLength;
            const float m = cosA + s.DesignTanPhi * sinA / F;
            const float shearLeft = lambda * s.LeftSideFx * s.LeftSideForce;
            // N = N0 + nSlope * E_R
            const float n0 = (s.VerticalForce - shearLeft - cohesionTerm * sinA / F) / m;
            const float nSlope = lambda * s.RightSideFx / m;
            const float k = s.DesignTanPhi * cosA / F - sinA;
            const float a = s.LeftSideForce + cohesionTerm * cosA / F + k * n0 - s.HorizontalForce +
                            layerForce_[i] / F;
            const float b = k * nSlope;
            if (!Finite(a) || !Finite(b))
                return Outcome::Inadmissible; // a degenerate slice, not a failure to converge
            const float denominator = 1.0f - b;
            const float right = denominator != 0.0f ? a / denominator : 0.0f;
            if (denominator == 0.0f || !(std::fabs(right) <= kForceLimit)) {
                char number[16];
                std::snprintf(number, sizeof number, "%d", static_cast<int>(i + 1));
                return Fail(std::string("No convergence on interslice forces for slice ") + number);
            }
            s.RightSideForce = right;
            s.NormalForce = n0 + nSlope * right;
        }
        return Outcome::Solved;
    }

    Outcome Fail(const std::string& text)
    {
        Notify(in_.notice, text + CircleLines(slip_));
        return Outcome::Failed;
    }

    const AnalysisInput& in_;
    SlipResult& slip_;
    SliceList& slices_;
    std::vector<float> layerForce_;
};

Outcome Solve(const AnalysisInput& in, SlipResult& slip, SliceList& slices, float& factor, float& lambdaOut)
{
    if (slices.empty())
        return Outcome::Inadmissible;
    const float width = slices.back().XRight - slices.front().XLeft;
    if (!(width > 0.0f))
        return Outcome::Inadmissible;

    RigorousSolver solver(in, slip, slices);
    solver.SetSideFunctions();

    // Bishop's factor starts the search; a slip Bishop cannot analyse has no start.
    Bishop(in, slip, slices);
    float f1 = slip.StabilityFactor;
    if (!Finite(f1) || f1 == kInvalidFactor || f1 <= 0.0f)
        return Outcome::Inadmissible;
    float g1 = 0.0f;
    float l1 = 0.2f;
    Outcome outcome = solver.Pass(f1, g1, l1);
    if (outcome != Outcome::Solved)
        return outcome;

    lambdaOut = l1;
    float f2 = 1.05f * f1;
    float g2 = 0.0f;
    float l2 = 0.2f;
    outcome = solver.Pass(f2, g2, l2);
    lambdaOut = l2;
    if (outcome != Outcome::Solved)
        return outcome;

    for (int pass = 0; pass < kOuterPasses; ++pass) {
        if (l1 == l2)
            l1 = l2 * 1.0001f + 0.0001f;
        float sF = (f1 - f2) / (l1 - l2);
        const float sG = (g1 - g2) / (l1 - l2);
        const float cF = f1 - sF * l1;
        const float cG = g1 - sG * l1;
        if (sF == sG)
            sF = sG * 1.0001f + 0.0001f;
        f1 = f2;
        g1 = g2;
        l1 = l2;
        l2 = (cG - cF) / (sF - sG);
        f2 = sF * l2 + cF;
        // The pass adjusts the predicted lambda until the crest-end force vanishes:
        // that adjusted value is the solution's lambda, and the one the limit tests.
        outcome = solver.Pass(f2, g2, l2);
        lambdaOut = l2;
        if (outcome != Outcome::Solved)
            return outcome;
        if (std::fabs(f2 - g2) < 0.01f) {
            if (!(f2 > 0.0f) || !LambdaAdmissible(l2, in.job.Slip.Fx))
                return Outcome::Inadmissible;
            factor = f2;
            return Outcome::Solved;
        }
    }
    return Outcome::Inadmissible; // 50 passes without agreement: 1001 without a message
}

} // namespace

bool LambdaAdmissible(float lambda, const std::array<Single, 11>& fx)
{
    float largest = 0.0f;
    for (const Single f : fx)
        largest = std::max(largest, std::fabs(f));
    // Written as "accept only inside" so that a lambda or f that is not a number is refused.
    return std::fabs(lambda) * largest <= kLambdaLimit;
}

void RigorousSolution(const AnalysisInput& in, SlipResult& slip, SliceList& slices)
{
    float factor = kInvalidFactor;
    float lambda = 0.0f;
    const Outcome outcome = Solve(in, slip, slices, factor, lambda);
    slip.Lambda = lambda;
    slip.StabilityFactor = outcome == Outcome::Solved ? factor : kInvalidFactor;
}

} // namespace clv
