// clivora-cli info JOB: a short readable summary of a job, for a quick look at a
// file without the program (titles, soils, water, loads, reinforcement, factors
// and analysis settings).

#include "cli_io.h"
#include "commands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>

namespace clv::cli {

namespace {

std::string OrDash(const std::string& text)
{
    return text.empty() ? "-" : text;
}

const char* DesignCodeName(Integer code)
{
    switch (code) {
    case kEc7Da1C1: return "Eurocode 7 UK NA DA1 C1 - Ultimate Limit State";
    case kEc7Da1C2Drained: return "Eurocode 7 UK NA DA1 C2 - ULS Drained parameters";
    case kEc7Da1C2Undrained: return "Eurocode 7 UK NA DA1 C2 - ULS Undrained parameters";
    case kBs8006Uls: return "BS8006 Reinforced Soil - Ultimate Limit State";
    case kServiceability: return "Serviceability Limit State or conventional analysis";
    case kCustomFactors: return "Custom values";
    default: return "unknown code";
    }
}

const char* MethodName(Integer method)
{
    switch (method) {
    case kFellenius: return "Fellenius";
    case kBishop: return "Bishop simplified";
    case kBs8006: return "BS8006";
    case kJanbu: return "Janbu simplified";
    case kRigorous: return "Rigorous";
    default: return "unknown method";
    }
}

std::string Level(Single y)
{
    return y == kNoLevel ? std::string("at the surface") : "at level " + Fixed(y);
}

std::string XRange(const Single* xs, int count)
{
    if (count == 0)
        return "";
    return ", x " + Fixed(xs[1]) + " to " + Fixed(xs[count]);
}

void PrintTitles(const Job& job, Single storedVersion, const std::string& path, std::ostream& out)
{
    const JobHeader& h = job.Header;
    out << "Job " << path << " (file version " << Fixed(storedVersion) << ")\n";
    out << "  Title      " << OrDash(h.MainTitle.Trimmed()) << "\n";
    out << "  Subtitle   " << OrDash(h.SubTitle.Trimmed()) << "\n";
    out << "  Project    " << OrDash(h.Project.Trimmed()) << "   Analysis " << OrDash(h.Analysis.Trimmed())
        << "   Engineer " << OrDash(h.Engineer.Trimmed()) << "\n";
}

void PrintSoils(const Job& job, std::ostream& out)
{
    out << "\nSoils (" << job.SoilCount() << "), top stratum first\n";
    for (int k = 1; k <= job.SoilCount(); ++k) {
        const SoilRecord& s = job.Soil(k);
        out << "  " << k << "  " << s.Description.Utf8() << "  " << Fixed(s.Density) << " kN/m3  phi "
            << Fixed(s.Phi, 1) << " deg  c " << Fixed(s.Cohesion) << " kN/m2  ru " << Fixed(s.Ru) << "  suction "
            << Fixed(s.Suction) << " m  " << s.PointCount << " points"
            << XRange(s.X.data(), std::clamp<int>(s.PointCount, 0, SoilRecord::kMaxPoints)) << "\n";
    }
}

void PrintWater(const Job& job, std::ostream& out)
{
    const WaterSurface& w = job.Water;
    out << "\nWater        unit weight " << Fixed(job.Header.WaterUnitWeight) << " kN/m3; ";
    if (w.PointCount > 0)
        out << "phreatic surface of " << w.PointCount << " points"
            << XRange(w.X.data(), std::clamp<int>(w.PointCount, 0, WaterSurface::kMaxPoints)) << "\n";
    else
        out << "no phreatic surface\n";

    const PiezoSettings& p = job.Piezo;
    out << "Piezometric grid " << (IsSet(p.Enabled) ? "in use" : "not in use");
    if (job.Heads.NY() > 0 || job.Heads.NX() > 0)
        out << ": " << job.Heads.NX() << " stations x " << job.Heads.NY() << " levels, x " << Fixed(p.MinX)
            << " to " << Fixed(p.MaxX) << " step " << Fixed(p.IncX) << ", y " << Fixed(p.MinY) << " to "
            << Fixed(p.MaxY) << " step " << Fixed(p.IncY);
    out << "\n";
}

void PrintLoads(const Job& job, std::ostream& out)
{
    out << "\nLoads (" << job.LoadCount() << ")\n";
    int k = 0;
    for (const LoadRecord& l : job.Loads) {
        out << "  " << ++k << "  ";
        switch (l.LoadType) {
        case kSurcharge:
            out << "Surcharge     " << Fixed(l.Value) << " kN/m2 from x " << Fixed(l.XMin) << " to " << Fixed(l.XMax)
                << ", " << Level(l.Y);
            break;
        case kLineLoad:
            out << "Line load     " << Fixed(l.Value) << " kN/m at x " << Fixed(l.XMin) << ", " << Level(l.Y);
            break;
        case kLateralLoad:
            out << "Lateral load  " << Fixed(l.Value) << " kN/m at x " << Fixed(l.XMin) << ", " << Level(l.Y);
            break;
        case kAnchor:
            out << "Anchor        " << Fixed(l.Value) << " kN/m at x " << Fixed(l.XMin) << ", " << Level(l.Y)
                << ", angle " << Fixed(l.Angle, 1) << " deg, free length " << Fixed(l.FreeLength)
                << " m, fixed length " << Fixed(l.FixedLength) << " m";
            break;
        default:
            out << "Load of unknown type " << l.LoadType << ", value " << Fixed(l.Value);
        }
        out << "\n";
    }
}

void PrintReinforcement(const Job& job, std::ostream& out)
{
    out << "\nReinforcement blocks (" << job.ReinforcementCount() << ")\n";
    int k = 0;
    for (const ReinforcementBlock& b : job.Reinforcement) {
        out << "  " << ++k << "  " << b.Description.Utf8() << "  strength " << Fixed(b.Strength, 1)
            << " kN/m  length " << Fixed(b.Length, 1) << " m  friction " << Fixed(b.FrictionCoefficient)
            << "  spacing " << Fixed(b.VerticalSpacing) << " m  levels " << Fixed(b.BlockBase) << " to "
            << Fixed(b.BlockBase + b.BlockHeight) << "\n";
    }
}

void PrintFactors(const Job& job, std::ostream& out)
{
    const PartialFactors& f = job.Factors;
    out << "\nDesign code  " << f.DesignCode << " " << DesignCodeName(f.DesignCode) << "\n";
    out << "  fn " << Fixed(f.RamificationsOfFailure) << "  ffs " << Fixed(f.SoilSelfWeight) << "  fq "
        << Fixed(f.ImposedLoads) << "  fms tan(phi) " << Fixed(f.TanPhi) << "  fms c " << Fixed(f.Cohesion) << "  fm "
        << Fixed(f.ReinforcementStrength) << "  fs " << Fixed(f.SlidingOnReinforcement) << "  fp "
        << Fixed(f.PullOut) << "\n";
    out << "  seismic: vertical " << Fixed(job.Header.VerticalAccelerationFactor) << " g, lateral "
        << Fixed(job.Header.LateralAccelerationFactor) << " g\n";
}

void PrintAnalysis(const Job& job, std::ostream& out)
{
    const SlipSettings& s = job.Slip;
    out << "\nSlip circles " << MethodName(s.Method) << ", at least " << s.MinSlices << " slices, tension crack "
        << Fixed(s.TensionCrackDepth) << " m, minimum slip depth " << Fixed(s.MinSlipDepth) << " m\n";
    if (IsSet(s.AutoGenerate)) {
        out << "  grid of centres and common points generated from the ground surface\n";
    } else {
        out << "  centres x " << Fixed(s.GridXMin) << " to " << Fixed(s.GridXMax) << " step " << Fixed(s.GridXInc)
            << ", y " << Fixed(s.GridYMin) << " to " << Fixed(s.GridYMax) << " step " << Fixed(s.GridYInc)
            << (IsSet(s.AutoExtendGrid) ? ", extended automatically" : "") << "\n";
        out << "  common points x " << Fixed(s.CommonXMin) << " to " << Fixed(s.CommonXMax) << " step "
            << Fixed(s.CommonXInc) << ", " << Level(s.CommonY) << "\n";
    }
    out << "Defined surface " << job.UserPointCount() << " points";
    if (job.UserPointCount() > 0)
        out << ", x " << Fixed(job.UserPoints.front().X) << " to " << Fixed(job.UserPoints.back().X);
    out << "\n";
    const WedgeSettings& w = job.Wedge;
    if (IsSet(w.UseDefaults)) {
        out << "Wedges       default ranges from the reinforcement\n";
    } else {
        out << "Wedges       base width " << Fixed(w.BaseWidthMin) << " to " << Fixed(w.BaseWidthMax) << " step "
            << Fixed(w.BaseWidthInc) << " m, base angle " << Fixed(w.BaseAngleMin, 0) << " to "
            << Fixed(w.BaseAngleMax, 0) << ", rear angle " << Fixed(w.RearAngleMin, 0) << " to "
            << Fixed(w.RearAngleMax, 0) << " step " << Fixed(w.AngleInc, 0) << " deg\n";
    }
}

} // namespace

int RunInfo(const Args& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        PrintUsage(err);
        return kExitError;
    }
    std::string error;
    std::optional<LoadedJob> loaded = LoadJobFile(args[0], error);
    if (!loaded) {
        err << "clivora-cli: " << error << "\n";
        return kExitError;
    }
    const Job& job = loaded->job;
    PrintTitles(job, loaded->StoredVersion, args[0], out);
    PrintSoils(job, out);
    PrintWater(job, out);
    PrintLoads(job, out);
    PrintReinforcement(job, out);
    PrintFactors(job, out);
    PrintAnalysis(job, out);
    return kExitOk;
}

} // namespace clv::cli
