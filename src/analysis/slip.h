#pragma once

// The records shared by every analysis: one analysed slip, one slice of the slip
// being analysed, and the read-only input an analysis works on.

#include "analysis/notice.h"
#include "ground/section_table.h"
#include "model/job.h"

#include <vector>

namespace clv {

struct ReinforcementLayer;

/** One analysed slip: a trial circle, or (as the first record) the defined surface. */
struct SlipResult {
    float CentreX = 0, CentreY = 0, Radius = 0;
    float DisturbingMoment = 0;
    float SoilMoment = 0;
    float ReinforcementMoment = 0;
    float HorizontalLoadForce = 0;
    float DisturbingForce = 0;
    float SoilForce = 0;
    float ReinforcementForce = 0;
    float Lambda = 0;
    float StabilityFactor = 0; // 0 = not analysed yet, kInvalidFactor = invalid or failed
    float EntryX = 0, EntryY = 0;
    float ExitX = 0, ExitY = 0;
    float EntryAngle = 0, ExitAngle = 0;
    float CentreMinimum = 0;
};

/** One vertical slice of the slip being analysed; slices run left to right. */
struct Slice {
    float XLeft = 0, XRight = 0;
    float GroundLeft = 0, GroundRight = 0;
    float BaseLeft = 0, BaseRight = 0;
    float Width = 0;
    float BaseLength = 0;
    float BaseAngle = 0; // radians, positive when the base rises to the right
    Integer BaseSoil = 0;
    float DesignCohesion = 0;
    float DesignTanPhi = 0;
    float Weight = 0;
    float VerticalLoad = 0;
    float HorizontalLoad = 0;
    float SurfaceWaterPressure = 0;
    float BasePorePressure = 0;
    float VerticalForce = 0;
    float HorizontalForce = 0; // positive towards the toe (-x)
    float LoadMoment = 0;
    float NormalForce = 0;
    float LeftSideForce = 0, RightSideForce = 0;
    float LeftSideFx = 0, RightSideFx = 0;
};

using SliceList = std::vector<Slice>;

/** Which analysis a slice list belongs to; decides which sums the shared routines form. */
enum class SlipKind { Circular, Defined, Wedge };

/**
 * What every analysis reads: the job, the section table built from it and the
 * reinforcement layers built from both. Built by the caller (the refresh, the
 * command line) and passed down; the analyses keep nothing between calls.
 */
struct AnalysisInput {
    const Job& job;
    const SectionTable& table;
    const std::vector<ReinforcementLayer>& layers;
    NoticeFn notice;
};

/** Degrees to radians with the program's pi (3.1415925 in single precision). */
constexpr float kPi = 3.1415925f;
inline float Radians(float degrees) { return degrees * kPi / 180.0f; }

/** The factor as displays show it: "Invalid" (or `invalidText`) for 1001, ">100" above 100, else two decimals. */
std::string FactorText(float factor, const char* invalidText = "Invalid");

} // namespace clv
