// The input data report: everything the engineer entered, section by section.

#include "report/reports.h"

#include "model/format.h"

namespace clv::report {

namespace {

void TwoRowHeadings(PageWriter& w, int row, std::initializer_list<std::pair<int, const char*>> names,
                    std::initializer_list<std::pair<int, const char*>> units)
{
    for (const auto& [column, text] : names)
        w.Right(static_cast<float>(column), row, text);
    for (const auto& [column, text] : units)
        w.Right(static_cast<float>(column), row + 1, text);
}

void SoilsTable(PageWriter& w, const Job& job)
{
    w.BeginTable("Soils input data", 2, [&w](int row) {
        TwoRowHeadings(w, row, {{32, "Density"}, {42, "Phi"}, {52, "Cohesion"}, {62, "Ru"}, {72, "Suction"}},
                       {{32, "kN/m3"}, {42, "degrees"}, {52, "kN/m2"}, {62, "ratio"}, {72, "m (max)"}});
    });
    for (const SoilRecord& s : job.Soils) {
        const int row = w.Take();
        w.Left(4, row, s.Description.Trimmed());
        w.Right(32, row, Format(s.Density, "####0.0"));
        w.Right(42, row, Format(s.Phi, "####0"));
        w.Right(52, row, Format(s.Cohesion, "####0"));
        w.Right(62, row, Format(s.Ru, "###0.00"));
        w.Right(72, row, Format(s.Suction, "####0.0"));
    }
    w.EndTable();
}

void XYHeadings(PageWriter& w, int row)
{
    TwoRowHeadings(w, row, {{32, "X"}, {42, "Y"}}, {{32, "m"}, {42, "m"}});
}

void StrataPoints(PageWriter& w, const Job& job)
{
    for (int k = 1; k <= job.SoilCount(); ++k) {
        const SoilRecord& s = job.Soil(k);
        const std::string name = s.Description.Trimmed();
        w.Gap();
        // The soil's name goes with the column headings, so a page break inside
        // its points still says whose points they are.
        w.BeginTable("Soil strata surface points", 3,
                     [&w, name](int row) {
                         w.Left(4, row, name);
                         XYHeadings(w, row + 1);
                     },
                     k == 1);
        for (int j = 1; j <= s.PointCount && j <= SoilRecord::kMaxPoints; ++j) {
            const int row = w.Take();
            w.Right(32, row, Format(s.X[static_cast<std::size_t>(j)], "####0.00"));
            w.Right(42, row, Format(s.Y[static_cast<std::size_t>(j)], "####0.00"));
        }
        w.EndTable();
    }
}

void WaterData(PageWriter& w, const Job& job)
{
    w.Gap();
    w.EnsureRoom(3);
    w.Heading(w.Take(), "Water input data");
    const int row = w.Take();
    w.Left(30, row, "Density");
    w.Right(42, row, Format(job.Header.WaterUnitWeight, "####0.00"));
    w.Left(43, row, "kN/m3");

    w.Gap();
    w.BeginTable("Phreatic surface points", 2, [&w](int r) { XYHeadings(w, r); });
    for (int j = 1; j <= job.Water.PointCount && j <= WaterSurface::kMaxPoints; ++j) {
        const int r = w.Take();
        w.Right(32, r, Format(job.Water.X[static_cast<std::size_t>(j)], "####0.00"));
        w.Right(42, r, Format(job.Water.Y[static_cast<std::size_t>(j)], "####0.00"));
    }
    w.EndTable();

    w.Gap();
    if (!IsSet(job.Piezo.Enabled)) {
        const int r = w.Take();
        w.BoldOn();
        w.Left(4, r, "Piezometric grid was not enabled");
        w.BoldOff();
        return;
    }
    w.BeginTable("Piezometric grid points", 2, [&w](int r) {
        TwoRowHeadings(w, r, {{32, "X"}, {42, "Y"}, {52, "Head"}}, {{32, "m"}, {42, "m"}, {52, "m"}});
    });
    const PiezoHeads& h = job.Heads;
    for (int i = 1; i <= h.NY(); ++i)
        for (int j = 1; j <= h.NX(); ++j) {
            const int r = w.Take();
            w.Right(32, r, Format(h.At(0, j), "####0.00"));
            w.Right(42, r, Format(h.At(i, 0), "####0.00"));
            w.Right(52, r, Format(h.At(i, j), "#####0.0"));
        }
    w.EndTable();
}

struct LoadKind {
    const char* name;
    const char* unit;
};

LoadKind LoadKindOf(Integer type)
{
    switch (type) {
    case kLateralLoad:
        return {"Lateral load", "kN/m"};
    case kLineLoad:
        return {"Line load", "kN/m"};
    case kAnchor:
        return {"Anchor", "kN/m"};
    default:
        return {"Surcharge", "kN/m2"};
    }
}

void LoadsTable(PageWriter& w, const Job& job)
{
    if (job.Loads.empty()) {
        w.EnsureRoom(2);
        w.Heading(w.Take(), "Loading input data");
        w.Left(4, w.Take(), "No external loading was specified");
        return;
    }
    w.BeginTable("Loading input data", 2, [&w](int r) {
        w.Left(4, r, "Load type");
        w.Right(31, r, "Magnitude");
        w.Right(44, r, "X Min");
        w.Right(56, r, "X Max");
        w.Right(68, r, "Y");
        w.Right(44, r + 1, "m");
        w.Right(56, r + 1, "m");
        w.Right(68, r + 1, "m");
    });
    for (const LoadRecord& load : job.Loads) {
        const int r = w.Take();
        const LoadKind kind = LoadKindOf(load.LoadType);
        w.Left(4, r, kind.name);
        w.Right(26, r, Format(load.Value, "#####0.0"));
        w.Left(27, r, kind.unit);
        // An anchor has no X range: its head is where the ground reaches its level.
        if (load.LoadType != kAnchor) {
            w.Right(44, r, Format(load.XMin, "####0.00"));
            w.Right(56, r, Format(load.XMax, "####0.00"));
        }
        w.Right(68, r, load.Y == kNoLevel ? std::string("Surface") : Format(load.Y, "####0.00"));
    }
    w.EndTable();
}

void ReinforcementTable(PageWriter& w, const Job& job)
{
    if (job.Reinforcement.empty()) {
        w.EnsureRoom(2);
        w.Heading(w.Take(), "Soil reinforcement blocks");
        const int r = w.Take();
        w.BoldOn();
        w.Left(4, r, "No soil reinforcement was specified");
        w.BoldOff();
        return;
    }
    w.BeginTable("Soil reinforcement blocks", 3, [&w](int r) {
        w.Left(4, r + 1, "Name");
        w.Right(32, r, "Layer");
        w.Right(62, r, "Vertical");
        w.Right(80, r, "Block details");
        TwoRowHeadings(w, r + 1,
                       {{32, "Strength"}, {42, "Length"}, {52, "Friction"}, {62, "Spacing"}, {72, "Height"}, {82, "Base"}},
                       {{32, "kN/m"}, {42, "m"}, {52, "ratio"}, {62, "m"}, {72, "m"}, {82, "m"}});
    });
    for (const ReinforcementBlock& b : job.Reinforcement) {
        const int r = w.Take();
        w.Left(4, r, b.Description.Trimmed());
        w.Right(32, r, Format(b.Strength, "####0.0"));
        w.Right(42, r, Format(b.Length, "#####0.0"));
        w.Right(52, r, Format(b.FrictionCoefficient, "####0.00"));
        w.Right(62, r, Format(b.VerticalSpacing, "####0.00"));
        w.Right(72, r, Format(b.BlockHeight, "####0.00"));
        w.Right(82, r, Format(b.BlockBase, "####0.00"));
    }
    w.EndTable();
}

void PartialFactorsSection(PageWriter& w, const Job& job)
{
    const PartialFactors& f = job.Factors;
    w.EnsureRoom(4);
    w.Heading(w.Take(), "Partial factors");
    int r = w.Take();
    w.Left(4, r, "Design code referenced");
    w.Left(30, r, DesignCodeName(f.DesignCode));
    const struct {
        const char* label;
        const char* symbol;
        float value;
    } rows[] = {
        {"Ramifications of failiure", "fn", f.RamificationsOfFailure},
        {"Soil self weight", "ffs", f.SoilSelfWeight},
        {"Imposed loads", "fq", f.ImposedLoads},
        {"Soil tan(phi)values", "fms", f.TanPhi},
        {"Soil cohesion values", "fms", f.Cohesion},
        {"Reinforcing material strength", "fm", f.ReinforcementStrength},
        {"Sliding on reinforcement", "fs", f.SlidingOnReinforcement},
        {"Reinforcement pull-out", "fp", f.PullOut},
    };
    for (const auto& row : rows) {
        r = w.Take();
        w.Left(4, r, row.label);
        w.Left(30, r, row.symbol);
        w.Right(42, r, Format(row.value, "####0.00"));
    }

    w.Gap();
    w.EnsureRoom(3);
    w.Heading(w.Take(), "Seismic acceleration");
    r = w.Take();
    w.Left(4, r, "Vertical acceleration factor (x gravity)");
    w.Right(42, r, Format(job.Header.VerticalAccelerationFactor, "####0.00"));
    r = w.Take();
    w.Left(4, r, "Lateral acceleration factor (x gravity)");
    w.Right(42, r, Format(job.Header.LateralAccelerationFactor, "####0.00"));
}

} // namespace

const char* DesignCodeName(Integer code)
{
    switch (code) {
    case kEc7Da1C1:
        return "Eurocode 7 UK NA DA1 C1 - Ultimate Limit State";
    case kEc7Da1C2Drained:
        return "Eurocode 7 UK NA DA1 C2 - ULS Drained parameters";
    case kEc7Da1C2Undrained:
        return "Eurocode 7 UK NA DA1 C2 - ULS Undrained parameters";
    case kBs8006Uls:
        return "BS8006 Reinforced Soil - Ultimate Limit State";
    case kServiceability:
        return "Serviceability Limit State or conventional analysis";
    default:
        return "Custom values";
    }
}

void InputDataReport(PageWriter& w, const ReportSource& src)
{
    const Job& job = src.job;
    const PrintOptions& p = job.Print;
    w.StartPage();
    if (Ticked(p, 11)) {
        SoilsTable(w, job);
        StrataPoints(w, job);
        WaterData(w, job);
    }
    if (Ticked(p, 12)) {
        w.Gap();
        LoadsTable(w, job);
    }
    if (Ticked(p, 13)) {
        w.Gap();
        ReinforcementTable(w, job);
    }
    if (Ticked(p, 14)) {
        w.Gap();
        PartialFactorsSection(w, job);
    }
}

} // namespace clv::report
