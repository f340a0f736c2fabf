#include "analysis_json.h"
#include "cli_io.h"

#include "analysis/rigorous.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>

namespace clv::cli {

namespace {

struct MethodName {
    Integer code;
    const char* key;
    const char* label;
};

constexpr MethodName kMethods[] = {
    {kFellenius, "fellenius", "Method of analysis used is Fellenius (Swedish method of slices)"},
    {kBishop, "bishop", "Method of analysis used is Bishop simplified (Moment equilibrium)"},
    {kBs8006, "bs8006", "Method of analysis used is BS8006 ULS (Bishop with X=1.25)"},
    {kJanbu, "janbu", "Method of analysis used is Janbu simplified (Force equilibrium)"},
    {kRigorous, "rigorous", "Method of analysis used is the Rigorous solution"},
};

/** A number right-aligned in `width` characters. */
std::string Column(double value, int decimals, std::size_t width)
{
    const std::string text = Fixed(value, decimals);
    return std::string(text.size() < width ? width - text.size() : 1, ' ') + text;
}

/** A notice for one line of text: its carriage returns become spaces. */
std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

/** The slice table of the text output, one line per slice with mid-width levels. */
void PrintSlices(std::ostream& out, const char* title, const SliceList& slices)
{
    out << "  " << title << "\n"
        << "      x left  x right   ground    base  soil   weight  vertical horizontal  pore p.   normal\n";
    for (const Slice& sl : slices) {
        out << Column(sl.XLeft, 2, 11) << Column(sl.XRight, 2, 9) << Column((sl.GroundLeft + sl.GroundRight) / 2, 2, 9)
            << Column((sl.BaseLeft + sl.BaseRight) / 2, 2, 8) << Column(sl.BaseSoil, 0, 6) << Column(sl.Weight, 1, 9)
            << Column(sl.VerticalForce, 1, 10) << Column(sl.HorizontalForce, 1, 11)
            << Column(sl.BasePorePressure, 1, 9) << Column(sl.NormalForce, 1, 9) << "\n";
    }
}

int ValidSlips(const CircleSearchResult& search)
{
    return static_cast<int>(std::count_if(search.Slips.begin(), search.Slips.end(), [](const SlipResult& s) {
        return s.StabilityFactor != kInvalidFactor;
    }));
}

nlohmann::json SliceJson(const Slice& s)
{
    return {
        {"x_left", JsonNumber(s.XLeft)},
        {"x_right", JsonNumber(s.XRight)},
        {"ground_left", JsonNumber(s.GroundLeft)},
        {"ground_right", JsonNumber(s.GroundRight)},
        {"base_left", JsonNumber(s.BaseLeft)},
        {"base_right", JsonNumber(s.BaseRight)},
        {"base_soil", s.BaseSoil},
        {"weight", JsonNumber(s.Weight)},
        {"vertical_force", JsonNumber(s.VerticalForce)},
        {"horizontal_force", JsonNumber(s.HorizontalForce)},
        {"base_pore_pressure", JsonNumber(s.BasePorePressure)},
        {"normal_force", JsonNumber(s.NormalForce)},
    };
}

} // namespace

const char* MethodKey(Integer method)
{
    for (const MethodName& m : kMethods)
        if (m.code == method)
            return m.key;
    return "unknown";
}

std::optional<Integer> MethodFromKey(std::string_view key)
{
    for (const MethodName& m : kMethods)
        if (key == m.key)
            return m.code;
    return std::nullopt;
}

const char* MethodLabel(Integer method)
{
    for (const MethodName& m : kMethods)
        if (m.code == method)
            return m.label;
    return "Method of analysis is not known";
}

nlohmann::json JsonNumber(float value)
{
    if (!std::isfinite(value))
        return nullptr;
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text - 1, value).ptr;
    *end = '\0';
    return std::strtod(text, nullptr);
}

nlohmann::json CirclesJson(const Job& job, const CircleSearchResult& search, const NoticeLog& notices)
{
    // Without any slip (no ground, a refused grid) the keys stay, with an invalid factor.
    const SlipResult none{};
    const SlipResult* critical = search.Critical();
    const SlipResult& c = critical ? *critical : none;
    const float factor = critical ? c.StabilityFactor : kInvalidFactor;

    nlohmann::json slices = nlohmann::json::array();
    for (const Slice& s : search.CriticalSlices)
        slices.push_back(SliceJson(s));

    const SlipSettings& settings = job.Slip;
    return {
        {"method", MethodKey(settings.Method)},
        {"stability_factor", JsonNumber(factor)},
        {"text", FactorText(factor)},
        {"centre_x", JsonNumber(c.CentreX)},
        {"centre_y", JsonNumber(c.CentreY)},
        {"radius", JsonNumber(c.Radius)},
        {"lambda", JsonNumber(c.Lambda)},
        {"lambda_limit", JsonNumber(kLambdaLimit)},
        {"entry_x", JsonNumber(c.EntryX)},
        {"entry_y", JsonNumber(c.EntryY)},
        {"exit_x", JsonNumber(c.ExitX)},
        {"exit_y", JsonNumber(c.ExitY)},
        {"disturbing_moment", JsonNumber(c.DisturbingMoment)},
        {"soil_moment", JsonNumber(c.SoilMoment)},
        {"reinforcement_moment", JsonNumber(c.ReinforcementMoment)},
        {"disturbing_force", JsonNumber(c.DisturbingForce)},
        {"soil_force", JsonNumber(c.SoilForce)},
        {"reinforcement_force", JsonNumber(c.ReinforcementForce)},
        {"slips", search.Slips.size()},
        {"valid_slips", ValidSlips(search)},
        {"grid",
         {
             {"x_min", JsonNumber(search.CurrentMinX)},
             {"x_max", JsonNumber(search.CurrentMaxX)},
             {"x_inc", JsonNumber(settings.GridXInc)},
             {"y_min", JsonNumber(search.CurrentMinY)},
             {"y_max", JsonNumber(search.CurrentMaxY)},
             {"y_inc", JsonNumber(settings.GridYInc)},
         }},
        {"slices", slices},
        {"notices", notices},
    };
}

nlohmann::json AllSlipsJson(const CircleSearchResult& search)
{
    nlohmann::json slips = nlohmann::json::array();
    for (const SlipResult& s : search.Slips) {
        slips.push_back({
            {"centre_x", JsonNumber(s.CentreX)},
            {"centre_y", JsonNumber(s.CentreY)},
            {"radius", JsonNumber(s.Radius)},
            {"stability_factor", JsonNumber(s.StabilityFactor)},
            {"lambda", JsonNumber(s.Lambda)},
        });
    }
    return slips;
}

void PrintCircles(std::ostream& out, const Job& job, const CircleSearchResult& search, const NoticeLog& notices)
{
    const SlipSettings& s = job.Slip;
    out << "Slip circle analysis\n";
    out << "  " << MethodLabel(s.Method) << "\n";
    for (const std::string& notice : notices)
        out << "  Notice: " << OneLine(notice) << "\n";

    const SlipResult* c = search.Critical();
    if (c == nullptr) {
        out << "  No slip circles were analysed.\n";
        return;
    }
    out << "  Critical circle stability factor  " << FactorText(c->StabilityFactor) << "\n";
    out << "  " << search.Slips.size() << " slips analysed, " << ValidSlips(search) << " valid\n";
    out << "  Grid of centres  x " << Fixed(search.CurrentMinX, 2) << " to " << Fixed(search.CurrentMaxX, 2)
        << " by " << Fixed(s.GridXInc, 2) << ", y " << Fixed(search.CurrentMinY, 2) << " to "
        << Fixed(search.CurrentMaxY, 2) << " by " << Fixed(s.GridYInc, 2) << "\n";
    if (c->StabilityFactor == kInvalidFactor)
        return; // no circle of the grid has a result

    out << "  Centre  x " << Fixed(c->CentreX, 2) << "  y " << Fixed(c->CentreY, 2) << "   radius "
        << Fixed(c->Radius, 2) << "\n";
    out << "  Entry   x " << Fixed(c->EntryX, 2) << "  y " << Fixed(c->EntryY, 2) << "   exit  x "
        << Fixed(c->ExitX, 2) << "  y " << Fixed(c->ExitY, 2) << "\n";
    if (s.Method == kJanbu) {
        out << "  Disturbing force " << Fixed(c->DisturbingForce, 1) << " kN/m, restoring: soil shear "
            << Fixed(c->SoilForce, 1) << ", reinforcement " << Fixed(c->ReinforcementForce, 1) << " kN/m\n";
    } else {
        out << "  Disturbing moment " << Fixed(c->DisturbingMoment, 1) << " kNm/m, restoring: soil shear "
            << Fixed(c->SoilMoment, 1) << ", reinforcement " << Fixed(c->ReinforcementMoment, 1) << " kNm/m\n";
    }
    if (s.Method == kRigorous)
        out << "  Interslice factor, Lambda  " << Fixed(c->Lambda, 3) << "\n";

    PrintSlices(out, "Slices of the critical circle", search.CriticalSlices);
}

nlohmann::json DefinedJson(const DefinedSurfaceResult& defined)
{
    const SlipResult& d = defined.Slip;
    nlohmann::json slices = nlohmann::json::array();
    for (const Slice& s : defined.Slices)
        slices.push_back(SliceJson(s));
    return {
        {"stability_factor", JsonNumber(d.StabilityFactor)},
        {"text", FactorText(d.StabilityFactor, "N/A")},
        {"disturbing_force", JsonNumber(d.DisturbingForce)},
        {"soil_force", JsonNumber(d.SoilForce)},
        {"reinforcement_force", JsonNumber(d.ReinforcementForce)},
        {"slices", slices},
    };
}

void PrintDefined(std::ostream& out, const DefinedSurfaceResult& defined, const NoticeLog& notices)
{
    const SlipResult& d = defined.Slip;
    out << "Defined surface analysis\n";
    out << "  The method of analysis used is Janbu simplified (horizontal equilibrium)\n";
    for (const std::string& notice : notices)
        out << "  Notice: " << OneLine(notice) << "\n";
    out << "  Stability factor  " << FactorText(d.StabilityFactor, "N/A") << "\n";
    if (d.StabilityFactor == kInvalidFactor)
        return;
    out << "  Disturbing force " << Fixed(d.DisturbingForce, 1) << " kN/m, restoring: soil shear "
        << Fixed(d.SoilForce, 1) << ", reinforcement " << Fixed(d.ReinforcementForce, 1) << " kN/m\n";
    PrintSlices(out, "Slices of the defined surface", defined.Slices);
}

nlohmann::json WedgesJson(const WedgeSearchResult& wedges)
{
    // With no wedge kept the factor is the invalid one and "critical" is null.
    const WedgeResult* c = wedges.Critical();
    const float factor = c ? c->StabilityFactor : kInvalidFactor;
    nlohmann::json critical = nullptr;
    if (c) {
        critical = {
            {"base_width", JsonNumber(c->BaseWidth)},
            {"base_angle", JsonNumber(c->BaseAngle)},
            {"rear_angle", JsonNumber(c->RearAngle)},
            {"toe_x", JsonNumber(c->ToeX)},
            {"toe_level", JsonNumber(c->ToeLevel)},
            {"corner_x", JsonNumber(c->CornerX)},
            {"corner_level", JsonNumber(c->CornerLevel)},
            {"top_x", JsonNumber(c->TopX)},
            {"top_level", JsonNumber(c->TopLevel)},
            {"disturbing", JsonNumber(c->Disturbing)},
            {"soil_restore", JsonNumber(c->SoilRestore)},
            {"reinforcement_restore", JsonNumber(c->ReinforcementRestore)},
        };
    }
    return {
        {"stability_factor", JsonNumber(factor)},
        {"text", FactorText(factor)},
        {"count", wedges.Wedges.size()},
        {"critical", critical},
    };
}

void PrintWedges(std::ostream& out, const Job& job, const WedgeSearchResult& wedges, const NoticeLog& notices)
{
    const WedgeSettings& w = job.Wedge;
    out << "Wedge analysis\n";
    for (const std::string& notice : notices)
        out << "  Notice: " << OneLine(notice) << "\n";
    out << "  Base width " << Fixed(w.BaseWidthMin, 2) << " to " << Fixed(w.BaseWidthMax, 2) << " by "
        << Fixed(w.BaseWidthInc, 2) << " m, base angle " << Fixed(w.BaseAngleMin, 0) << " to "
        << Fixed(w.BaseAngleMax, 0) << ", rear angle " << Fixed(w.RearAngleMin, 0) << " to "
        << Fixed(w.RearAngleMax, 0) << " by " << Fixed(w.AngleInc, 0) << " deg\n";
    const WedgeResult* c = wedges.Critical();
    if (c == nullptr) {
        out << "  No wedges were analysed.\n";
        return;
    }
    out << "  Critical wedge stability factor  " << FactorText(c->StabilityFactor) << "\n";
    out << "  " << wedges.Wedges.size() << " wedges analysed\n";
    out << "  Base width " << Fixed(c->BaseWidth, 2) << " m at " << Fixed(c->BaseAngle, 0) << " deg, rear angle "
        << Fixed(c->RearAngle, 0) << " deg\n";
    out << "  Toe    x " << Fixed(c->ToeX, 2) << "  y " << Fixed(c->ToeLevel, 2) << "   corner x "
        << Fixed(c->CornerX, 2) << "  y " << Fixed(c->CornerLevel, 2) << "   top x " << Fixed(c->TopX, 2) << "  y "
        << Fixed(c->TopLevel, 2) << "\n";
    out << "  Disturbing force " << Fixed(c->Disturbing, 1) << " kN/m, restoring: soil " << Fixed(c->SoilRestore, 1)
        << ", reinforcement " << Fixed(c->ReinforcementRestore, 1) << " kN/m\n";
}

} // namespace clv::cli
