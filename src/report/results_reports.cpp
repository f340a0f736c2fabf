// The results reports: the slip circle search, the defined surface and the
// two-part wedges, each with its tables, its slice table and its diagram.

#include "report/diagrams.h"
#include "report/reports.h"

#include "model/format.h"

namespace clv::report {

namespace {

/** A label at column 4, a value right-aligned at 45 and its unit at 46. */
void DetailRow(PageWriter& w, const char* label, const std::string& value, const char* unit)
{
    const int r = w.Take();
    w.Left(4, r, label);
    w.Right(45, r, value);
    if (*unit != '\0')
        w.Left(46, r, unit);
}

void Line(PageWriter& w, const std::string& text)
{
    w.Left(4, w.Take(), text);
}

bool ForceMethod(const Job& job) { return job.Slip.Method == kJanbu; }

void CircleDefinition(PageWriter& w, const Job& job)
{
    const SlipSettings& s = job.Slip;
    w.EnsureRoom(2);
    w.Heading(w.Take(), "Slip circle definition");
    Line(w, MethodSentence(s.Method));
    Line(w, "Minimum number of slices within slip is " + Format(s.MinSlices, "#####0"));
    Line(w, "A valid slip must have a depth greater than " + Format(s.MinSlipDepth, "#####0.00") + " m");
    Line(w, "Depth of water filled tension crack is " + Format(s.TensionCrackDepth, "#####0.00") + " m");
    if (s.Method == kRigorous) {
        w.Gap();
        for (int i = 0; i <= 10; ++i) {
            const std::string where = i == 0    ? "0"
                                      : i == 10 ? "slip width"
                                                : std::to_string(10 * i) + "% of slip width";
            const int r = w.Take();
            w.Left(4, r, "f(x) at X = " + where + " is");
            w.Right(44, r, Format(s.Fx[static_cast<std::size_t>(i)], "##0.000"));
        }
    }

    auto valueRow = [&w](const char* label, float value) {
        const int r = w.Take();
        w.Left(10, r, label);
        w.Right(32, r, Format(value, "#####.0"));
        w.Left(33, r, "m");
    };
    w.Gap();
    w.EnsureRoom(7);
    Line(w, "Grid of centres of circles");
    valueRow("X Minimum value", s.GridXMin);
    valueRow("X Maximum value", s.GridXMax);
    valueRow("X Increment value", s.GridXInc);
    valueRow("Y Minimum value", s.GridYMin);
    valueRow("Y Maximum value", s.GridYMax);
    valueRow("Y Increment value", s.GridYInc);
    if (IsSet(s.AutoExtendGrid)) {
        w.Gap();
        Line(w, "The grid of centres is automatically extended to seek the minimum stability factor");
    }
    // Every circle of the search passes through one of the common points.
    w.Gap();
    w.EnsureRoom(5);
    Line(w, "The circles all pass through a line of points defined as follows");
    valueRow("X Minimum value", s.CommonXMin);
    valueRow("X Maximum value", s.CommonXMax);
    valueRow("X Increment value", s.CommonXInc);
    const int r = w.Take();
    w.Left(10, r, "Y value");
    if (s.CommonY == kNoLevel) {
        w.Right(32, r, "at ground surface");
    } else {
        w.Right(32, r, Format(s.CommonY, "#####.0"));
        w.Left(33, r, "m");
    }
}

void CircleTable(PageWriter& w, const Job& job, const CircleSearchResult& search)
{
    const char* unit = ForceMethod(job) ? "kN/m" : "kNm/m";
    w.BeginTable("Tabular printout of circular slips", 3, [&w, unit](int r) {
        w.Right(12, r, "X");
        w.Right(22, r, "Y");
        w.Right(32, r, "Radius");
        w.Right(42, r, "Disturb");
        w.Right(52, r, "Restore");
        w.Right(62, r, "Restore");
        w.Right(72, r, "Stability");
        w.Right(52, r + 1, "Soil");
        w.Right(62, r + 1, "RForce");
        w.Right(72, r + 1, "Factor");
        for (int c : {12, 22, 32})
            w.Right(static_cast<float>(c), r + 1, "m");
        for (int c : {42, 52, 62})
            w.Right(static_cast<float>(c), r + 2, unit);
        w.Right(72, r + 2, "-");
    });
    const bool force = ForceMethod(job);
    for (const SlipResult& slip : search.Slips) {
        if (slip.StabilityFactor == kInvalidFactor)
            continue;
        const int r = w.Take();
        w.Right(12, r, Format(slip.CentreX, "#####0.00"));
        w.Right(22, r, Format(slip.CentreY, "#####0.00"));
        w.Right(32, r, Format(slip.Radius, "#####0.00"));
        w.Right(42, r, Format(force ? slip.DisturbingForce : slip.DisturbingMoment, "######0"));
        w.Right(52, r, Format(force ? slip.SoilForce : slip.SoilMoment, "######0"));
        w.Right(62, r, Format(force ? slip.ReinforcementForce : slip.ReinforcementMoment, "######0"));
        w.Right(72, r, FactorText(slip.StabilityFactor));
    }
    w.EndTable();
}

void CriticalCircle(PageWriter& w, const Job& job, const SlipResult& c)
{
    w.EnsureRoom(2);
    w.Heading(w.Take(), "Critical circle (minimum stability factor) details");
    DetailRow(w, "Circle centre X coordinate", Format(c.CentreX, "####0.00"), "m");
    DetailRow(w, "Circle centre Y coordinate", Format(c.CentreY, "####0.00"), "m");
    DetailRow(w, "Circle radius", Format(c.Radius, "####0.00"), "m");
    if (job.Slip.Method == kRigorous)
        DetailRow(w, "Interslice factor, Lambda", Format(c.Lambda, "####0.00"), "");
    if (ForceMethod(job)) {
        DetailRow(w, "Disturbing force", Format(c.DisturbingForce, "######0"), "kN/m");
        DetailRow(w, "Restoring force due to soil shear", Format(c.SoilForce, "######0"), "kN/m");
        DetailRow(w, "Restoring force due to reinforcement", Format(c.ReinforcementForce, "######0"), "kN/m");
    } else {
        DetailRow(w, "Disturbing moment", Format(c.DisturbingMoment, "######0"), "kNm/m");
        DetailRow(w, "Restoring moment due to soil shear", Format(c.SoilMoment, "######0"), "kNm/m");
        DetailRow(w, "Restoring moment due to reinforcement", Format(c.ReinforcementMoment, "######0"), "kNm/m");
    }
    DetailRow(w, "Stability factor", FactorText(c.StabilityFactor), "");
}

void DefinedPoints(PageWriter& w, const Job& job)
{
    w.BeginTable("Defined slip surface specified points", 2, [&w](int r) {
        w.Right(10, r, "X");
        w.Right(20, r, "Y");
        w.Right(10, r + 1, "m");
        w.Right(20, r + 1, "m");
    });
    for (const UserPoint& p : job.UserPoints) {
        const int r = w.Take();
        w.Right(10, r, Format(p.X, "#####0.00"));
        w.Right(20, r, Format(p.Y, "#####0.00"));
    }
    w.EndTable();
}

void DefinedResults(PageWriter& w, const SlipResult& slip)
{
    w.EnsureRoom(3);
    w.Heading(w.Take(), "Defined surface slip results");
    Line(w, "The method of analysis used is Janbu simplified (horizontal equilibrium)");
    auto row = [&w](const char* label, const std::string& value, const char* unit) {
        const int r = w.Take();
        w.Left(4, r, label);
        w.Right(50, r, value);
        if (*unit != '\0')
            w.Left(51, r, unit);
    };
    row("The total disturbing forces are", Format(slip.DisturbingForce, "#####0.0"), "kN");
    row("The restoring force due to soil shear is", Format(slip.SoilForce, "#####0.0"), "kN");
    row("The restoring force due to reinforcement is", Format(slip.ReinforcementForce, "#####0.0"), "kN");
    row("The resulting stability factor is", FactorText(slip.StabilityFactor, "N/A"), "");
}

/** A wedge without a base (width 0) has no part 1: its base angle means nothing. */
bool HasBase(const WedgeResult& wedge) { return wedge.BaseWidth != 0.0f; }

void WedgeTable(PageWriter& w, const WedgeSearchResult& wedges)
{
    w.BeginTable("Tabular printout of wedge results", 3, [&w](int r) {
        const struct {
            int column;
            const char* rows[3];
        } headings[] = {
            {12, {"Toe", "level", "m"}},        {22, {"Base", "Width", "m"}},
            {32, {"Base", "angle", "deg."}},    {42, {"Rear", "angle", "deg."}},
            {52, {"Disturb", "Force", "kN/m"}}, {62, {"Soil", "Restore", "kN/m"}},
            {72, {"Rforce", "Restore", "kN/m"}}, {82, {"Stability", "Factor", "-"}},
        };
        for (const auto& h : headings)
            for (int i = 0; i < 3; ++i)
                w.Right(static_cast<float>(h.column), r + i, h.rows[i]);
    });
    for (const WedgeResult& wedge : wedges.Wedges) {
        const int r = w.Take();
        w.Right(12, r, Format(wedge.ToeLevel, "#####0.00"));
        w.Right(22, r, Format(wedge.BaseWidth, "#####0.00"));
        w.Right(32, r, HasBase(wedge) ? Format(wedge.BaseAngle, "#####0") : std::string("-"));
        w.Right(42, r, Format(wedge.RearAngle, "#####0"));
        w.Right(52, r, Format(wedge.Disturbing, "#####0.0"));
        w.Right(62, r, Format(wedge.SoilRestore, "#####0.0"));
        w.Right(72, r, Format(wedge.ReinforcementRestore, "#####0.0"));
        w.Right(82, r, FactorText(wedge.StabilityFactor));
    }
    w.EndTable();
}

void CriticalWedge(PageWriter& w, const WedgeResult& c)
{
    w.EnsureRoom(2);
    w.Heading(w.Take(), "Critical wedge (minimum stability factor) details");
    DetailRow(w, "Toe level of wedge", Format(c.ToeLevel, "####0.00"), "m");
    DetailRow(w, "Width of base of wedge part 1", Format(c.BaseWidth, "####0.00"), "m");
    DetailRow(w, "Angle of wedge part 1 to horizontal", HasBase(c) ? Format(c.BaseAngle, "####0") : "-", "degrees");
    DetailRow(w, "Angle of wedge part 2 to horizontal", Format(c.RearAngle, "####0"), "degrees");
    DetailRow(w, "Disturbing force due to soil", Format(c.Disturbing, "####0.0"), "kN/m");
    DetailRow(w, "Restoring force due to soil shear", Format(c.SoilRestore, "####0.0"), "kN/m");
    DetailRow(w, "Restoring force due to reinforcement", Format(c.ReinforcementRestore, "####0.0"), "kN/m");
    DetailRow(w, "Stability factor", FactorText(c.StabilityFactor), "");
}

} // namespace

const char* const kNoWedgeLine = "No wedge was analysed";
const char* const kNoCirclesLine = "No slip circle was analysed";

const char* MethodSentence(Integer method)
{
    switch (method) {
    case kFellenius:
        return "Method of analysis used is Fellenius (Swedish method of slices)";
    case kBishop:
        return "Method of analysis used is Bishop simplified (Moment equilibrium)";
    case kBs8006:
        return "Method of analysis used is BS8006 ULS (Bishop with X=1.25)";
    case kJanbu:
        return "Method of analysis used is Janbu simplified (Force equilibrium)";
    default:
        return "Method of analysis used is the Rigorous solution";
    }
}

void SlipCircleReport(PageWriter& w, const ReportSource& src)
{
    const Job& job = src.job;
    const PrintOptions& p = job.Print;
    w.StartPage();
    if (Ticked(p, 21))
        CircleDefinition(w, job);
    const CircleSearchResult* search = src.circles;
    const SlipResult* critical = search != nullptr ? search->Critical() : nullptr;
    if (critical == nullptr) {
        w.Gap();
        Line(w, kNoCirclesLine);
        return;
    }
    if (Ticked(p, 22)) {
        w.Gap();
        CircleTable(w, job, *search);
    }
    if (Ticked(p, 23)) {
        w.Gap();
        CriticalCircle(w, job, *critical);
    }
    // An invalid critical circle has no slices to list.
    if (Ticked(p, 24) && critical->StabilityFactor != kInvalidFactor && !search->CriticalSlices.empty()) {
        w.Gap();
        SliceTable(w, "Critical circle slice details", search->CriticalSlices);
    }
    if (Ticked(p, 25))
        CirclesDiagram(w, src);
}

void DefinedSurfaceReport(PageWriter& w, const ReportSource& src)
{
    const Job& job = src.job;
    const PrintOptions& p = job.Print;
    w.StartPage();
    if (Ticked(p, 31))
        DefinedPoints(w, job);
    const DefinedSurfaceResult* defined = src.defined;
    if (defined == nullptr)
        return;
    if (Ticked(p, 32)) {
        w.Gap();
        DefinedResults(w, defined->Slip);
    }
    if (Ticked(p, 33) && defined->Slip.StabilityFactor != kInvalidFactor && !defined->Slices.empty()) {
        w.Gap();
        SliceTable(w, "Defined surface slice details", defined->Slices);
    }
    if (Ticked(p, 34))
        DefinedSurfaceDiagram(w, src);
}

void WedgeReport(PageWriter& w, const ReportSource& src)
{
    const PrintOptions& p = src.job.Print;
    w.StartPage();
    const WedgeSearchResult* wedges = src.wedges;
    const WedgeResult* critical = wedges != nullptr ? wedges->Critical() : nullptr;
    if (critical == nullptr) {
        Line(w, kNoWedgeLine);
        return;
    }
    if (Ticked(p, 41))
        WedgeTable(w, *wedges);
    if (Ticked(p, 42)) {
        w.Gap();
        CriticalWedge(w, *critical);
    }
    if (Ticked(p, 43) && !wedges->CriticalSlices.empty()) {
        w.Gap();
        SliceTable(w, "Critical wedge slice details", wedges->CriticalSlices);
    }
    if (Ticked(p, 44))
        WedgesDiagram(w, src);
}

} // namespace clv::report
