#include "model/design_codes.h"

namespace clv {

namespace {

struct CodeEntry {
    const char* Caption;
    const char* ReportName;
    FactorSet Factors; // unused for the custom entry
};

// The load factors multiply weights and loads; the material factors divide
// strengths. The serviceability set leaves everything unfactored, which is also
// the conventional global-factor analysis.
const CodeEntry kCodes[kDesignCodeCount] = {
    {"Eurocode 7 UK NA DA1 C1 Ultimate Limit State", "Eurocode 7 UK NA DA1 C1 - Ultimate Limit State",
     {1.0f, 1.0f, 1.5f, 1.0f, 1.0f, 1.25f, 1.3f, 1.3f}},
    {"Eurocode 7 UK NA DA1 C2 ULS Drained parameters", "Eurocode 7 UK NA DA1 C2 - ULS Drained parameters",
     {1.0f, 1.0f, 1.3f, 1.25f, 1.25f, 1.25f, 1.3f, 1.3f}},
    {"Eurocode 7 UK NA DA1 C2 ULS Undrained parameters", "Eurocode 7 UK NA DA1 C2 - ULS Undrained parameters",
     {1.0f, 1.0f, 1.3f, 1.25f, 1.4f, 1.25f, 1.3f, 1.3f}},
    {"BS 8006 Reinforced Soil Ultimate Limit State", "BS8006 Reinforced Soil - Ultimate Limit State",
     {1.1f, 1.5f, 1.5f, 1.0f, 1.6f, 1.25f, 1.3f, 1.3f}},
    {"Serviceability Limit State or conventional analysis", "Serviceability Limit State or conventional analysis",
     {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f}},
    {"Custom Values              (based on last selected)", "Custom values", {}},
};

bool KnownCode(int code) { return code >= 0 && code < kDesignCodeCount; }

} // namespace

const char* DesignCodeCaption(int code) { return KnownCode(code) ? kCodes[code].Caption : ""; }

const char* DesignCodeReportName(int code) { return KnownCode(code) ? kCodes[code].ReportName : ""; }

std::optional<FactorSet> DesignCodeFactors(int code)
{
    if (!KnownCode(code) || code == kCustomFactors)
        return std::nullopt;
    return kCodes[code].Factors;
}

Single& PartialFactor(PartialFactors& f, int index)
{
    switch (index) {
    case 0: return f.RamificationsOfFailure;
    case 1: return f.SoilSelfWeight;
    case 2: return f.ImposedLoads;
    case 3: return f.TanPhi;
    case 4: return f.Cohesion;
    case 5: return f.ReinforcementStrength;
    case 6: return f.SlidingOnReinforcement;
    default: return f.PullOut;
    }
}

Single PartialFactor(const PartialFactors& f, int index)
{
    return PartialFactor(const_cast<PartialFactors&>(f), index);
}

void ApplyDesignCode(PartialFactors& f, int code)
{
    if (!KnownCode(code))
        return;
    f.DesignCode = static_cast<Integer>(code);
    if (const auto set = DesignCodeFactors(code))
        for (int i = 0; i < kPartialFactorCount; ++i)
            PartialFactor(f, i) = (*set)[static_cast<std::size_t>(i)];
}

} // namespace clv
