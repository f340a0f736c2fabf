#include "model/job.h"

#include <algorithm>

namespace clv {

Single ProgramVersion()
{
    // Computed in double and rounded once, so the stamp is exactly the float nearest 2.02.
    return static_cast<Single>(CLIVORA_VERSION_MAJOR + CLIVORA_VERSION_MINOR / 100.0);
}

void PiezoHeads::Resize(int ny, int nx)
{
    // A negative bound would be an empty grid; the grid always keeps its (0, 0) cell.
    ny = std::max(ny, 0);
    nx = std::max(nx, 0);
    std::vector<Single> resized(static_cast<std::size_t>(ny + 1) * static_cast<std::size_t>(nx + 1), 0.0f);
    const int keepRows = std::min(ny, ny_);
    const int keepCols = std::min(nx, nx_);
    for (int r = 0; r <= keepRows; ++r)
        for (int c = 0; c <= keepCols; ++c)
            resized[static_cast<std::size_t>(r) * static_cast<std::size_t>(nx + 1) + c] = At(r, c);
    values_ = std::move(resized);
    ny_ = ny;
    nx_ = nx;
}

namespace {

void ResetPrintOptions(PrintOptions& print)
{
    // Every report section is selected except the two group headings 30 and 40;
    // the unused flags keep whatever they held.
    for (int i = 10; i <= 14; ++i) print[i] = 1;
    for (int i = 20; i <= 25; ++i) print[i] = 1;
    for (int i = 31; i <= 34; ++i) print[i] = 1;
    for (int i = 41; i <= 44; ++i) print[i] = 1;
    print[30] = 0;
    print[40] = 0;
}

/**
 * Applies the new-job values to the fields a new cross-section resets. Every other
 * field (grid of centres, common points, AutoExtendGrid, wedge ranges,
 * ReinforcementKind, water point coordinates, reserved fields) is left alone.
 */
void ResetForNewJob(Job& job)
{
    JobHeader& h = job.Header;
    h.FileVersion = ProgramVersion();
    h.MainTitle = FixedText<50>();
    h.SubTitle = FixedText<50>();
    h.Project = FixedText<15>();
    h.Analysis = FixedText<15>();
    h.Engineer = FixedText<15>();
    h.FirstPageNumber = 1;
    job.Loads.clear();
    job.Reinforcement.clear();
    job.UserPoints.clear();
    h.Reserved1 = 0.0f;
    h.Reserved2 = 0.0f;
    h.VerticalAccelerationFactor = 0.0f;
    h.LateralAccelerationFactor = 0.0f;
    h.WaterUnitWeight = 9.81f;

    PartialFactors& f = job.Factors;
    f.DesignCode = kServiceability;
    f.RamificationsOfFailure = f.SoilSelfWeight = f.ImposedLoads = f.TanPhi = 1.0f;
    f.Cohesion = f.ReinforcementStrength = f.SlidingOnReinforcement = f.PullOut = 1.0f;

    ViewSettings& v = job.View;
    v.GridIncrement = 0.5f;
    v.ShowGrid = kTrue;
    v.SnapToGrid = kTrue;
    v.XMin = -10.0f;
    v.XMax = 20.0f;
    v.YMin = -2.0f;
    v.YMax = 8.0f;
    v.ShowPoints = v.ShowSoils = v.ShowSoilFill = v.ShowWater = kTrue;
    v.ShowLoads = v.ShowReinforcement = v.ShowPiezo = kTrue;

    job.Soils.clear();
    job.Water.PointCount = 0;
    PiezoSettings& p = job.Piezo;
    p.Enabled = kFalse;
    p.MinX = p.MaxX = 0.0f;
    p.IncX = 10.0f;
    p.MinY = p.MaxY = 0.0f;
    p.IncY = 5.0f;
    p.NX = p.NY = 0;
    job.Heads = PiezoHeads(); // a fresh 1 x 1 grid holding 0

    SlipSettings& s = job.Slip;
    s.MinSlices = 10;
    s.Method = kBishop;
    s.TensionCrackDepth = 0.0f;
    s.MinSlipDepth = 1.0f;
    s.AutoGenerate = kTrue;
    s.Fx.fill(1.0f);

    job.Wedge.UseDefaults = 1;
    ResetPrintOptions(job.Print);
}

} // namespace

Job MakeDefaultJob()
{
    Job job; // the fields a new job keeps from "the previous job" start at zero
    ResetForNewJob(job);
    return job;
}

void NewJob(JobSession& session)
{
    ResetForNewJob(session.job);
    session.JobFilePath = "untitled";
    session.JobFileTitle = "untitled";
    session.CurrentSoil = 1;
    session.JobModified = false;
    session.JobRefreshPending = true;
}

} // namespace clv
