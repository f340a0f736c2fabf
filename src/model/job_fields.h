#pragma once

// The fields of each job record, in the order the job file stores them: the one
// description that the binary codec and the JSON form both walk. VisitFields
// calls the visitor once per field, with the field's model name; the call says
// what kind of field it is:
// - Int, Flag (an Integer used as a boolean), Float, Text: one value.
// - Floats: a fixed array of Singles, every slot stored.
// - Reserved: bytes, a Single or an array the program does not use but keeps as
//   it stands (the JSON form leaves it out while it is zero).
// - Points: PointCount (at most maxPoints), then the X slots, then the Y slots,
//   each from firstSlot up.
// - Count: the size of one of the job's arrays; the header stores it, but it is
//   no field of the header.
// - GridSize: a dimension of the piezometric grid, read into the settings but
//   written from the grid itself, so that the file describes exactly the cells
//   that follow.
// Record may be const (for the writers) or not (for the readers).

#include "model/job.h"

#include <concepts>
#include <type_traits>

namespace clv {

/** The sizes of the job's arrays that the header holds. */
struct HeaderCounts {
    Integer soils = 0, loads = 0, blocks = 0, userPoints = 0;
};

template <class Record, class Model>
concept RecordOf = std::same_as<std::remove_const_t<Record>, Model>;

template <RecordOf<JobHeader> Record, class Visitor> void VisitFields(Record& r, Visitor& v)
{
    v.Float("FileVersion", r.FileVersion);
    v.Text("MainTitle", r.MainTitle);
    v.Text("SubTitle", r.SubTitle);
    v.Text("Project", r.Project);
    v.Text("Analysis", r.Analysis);
    v.Text("Engineer", r.Engineer);
    v.Int("FirstPageNumber", r.FirstPageNumber);
    v.Count("SoilCount", &HeaderCounts::soils);
    v.Count("LoadCount", &HeaderCounts::loads);
    v.Count("ReinforcementCount", &HeaderCounts::blocks);
    v.Int("ReinforcementKind", r.ReinforcementKind);
    v.Reserved("Reserved1", r.Reserved1);
    v.Reserved("Reserved2", r.Reserved2);
    v.Float("VerticalAccelerationFactor", r.VerticalAccelerationFactor);
    v.Float("LateralAccelerationFactor", r.LateralAccelerationFactor);
    v.Float("WaterUnitWeight", r.WaterUnitWeight);
    v.Reserved("ReservedSingles", r.ReservedSingles);
    v.Count("UserPointCount", &HeaderCounts::userPoints);
    v.Reserved("ReservedIntegers", r.ReservedIntegers);
}

template <RecordOf<ViewSettings> Record, class Visitor> void VisitFields(Record& r, Visitor& v)
{
    v.Flag("ShowPoints", r.ShowPoints);
    v.Flag("ShowSoils", r.ShowSoils);
    v.Flag("ShowSoilFill", r.ShowSoilFill);
    v.Flag("ShowWater", r.ShowWater);
    v.Flag("ShowLoads", r.ShowLoads);
    v.Flag("ShowReinforcement", r.ShowReinforcement);
    v.Flag("ShowPiezo", r.ShowPiezo);
    v.Float("XMin", r.XMin);
    v.Float("XMax", r.XMax);
    v.Float("YMin", r.YMin);
    v.Float("YMax", r.YMax);
    v.Float("GridIncrement", r.GridIncrement);
    v.Flag("SnapToGrid", r.SnapToGrid);
    v.Flag("ShowGrid", r.ShowGrid);
}

template <RecordOf<PartialFactors> Record, class Visitor> void VisitFields(Record& r, Visitor& v)
{
    v.Float("RamificationsOfFailure", r.RamificationsOfFailure);
    v.Float("SoilSelfWeight", r.SoilSelfWeight);
    v.Float("ImposedLoads", r.ImposedLoads);
    v.Float("TanPhi", r.TanPhi);
    v.Float("Cohesion", r.Cohesion);
    v.Float("ReinforcementStrength", r.ReinforcementStrength);
    v.Float("SlidingOnReinforcement", r.SlidingOnReinforcement);
    v.Float("PullOut", r.PullOut);
    v.Reserved("Reserved", r.Reserved);
    v.Int("DesignCode", r.DesignCode);
    v.Reserved("Reserved2", r.Reserved2);
}

template <RecordOf<WaterSurface> Record, class Visitor> void VisitFields(Record& r, Visitor& v)
{
    v.Points("Points", r.PointCount, r.X, r.Y, 1, WaterSurface::kMaxPoints); // slot 0 is not part of the file
    v.Reserved("Reserved", r.Reserved);
}

template <RecordOf<PiezoSettings> Record, class Visitor> void VisitFields(Record& r, Visitor& v)
{
    v.Flag("Enabled", r.Enabled);
    v.Float("MinX", r.MinX);
    v.Float("MaxX", r.MaxX);
    v.Float("IncX", r.IncX);
    v.Float("MinY", r.MinY);
    v.Float("MaxY", r.MaxY);
    v.Float("IncY", r.IncY);
    v.GridSize("NY", r.NY, &PiezoHeads::NY);
    v.GridSize("NX", r.NX, &PiezoHeads::NX);
}

template <RecordOf<SlipSettings> Record, class Visitor> void VisitFields(Record& r, Visitor& v)
{
    v.Int("Method", r.Method);
    v.Float("TensionCrackDepth", r.TensionCrackDepth);
    v.Int("MinSlices", r.MinSlices);
    v.Float("GridXMin", r.GridXMin);
    v.Float("GridXMax", r.GridXMax);
    v.Float("GridXInc", r.GridXInc);
    v.Float("GridYMin", r.GridYMin);
    v.Float("GridYMax", r.GridYMax);
    v.Float("GridYInc", r.GridYInc);
    v.Flag("AutoExtendGrid", r.AutoExtendGrid);
    v.Int("LegacyCommonPoint", r.LegacyCommonPoint);
    v.Float("CommonXMin", r.CommonXMin);
    v.Float("CommonXMax", r.CommonXMax);
    v.Float("CommonXInc", r.CommonXInc);
    v.Float("CommonY", r.CommonY);
    v.Floats("Fx", r.Fx);
    v.Flag("AutoGenerate", r.AutoGenerate);
    v.Reserved("Reserved", r.Reserved);
    v.Float("MinSlipDepth", r.MinSlipDepth);
    v.Reserved("Reserved2", r.Reserved2);
}

template <RecordOf<WedgeSettings> Record, class Visitor> void VisitFields(Record& r, Visitor& v)
{
    v.Int("UseDefaults", r.UseDefaults);
    v.Float("BaseWidthMin", r.BaseWidthMin);
    v.Float("BaseWidthMax", r.BaseWidthMax);
    v.Float("BaseWidthInc", r.BaseWidthInc);
    v.Float("BaseAngleMin", r.BaseAngleMin);
    v.Float("BaseAngleMax", r.BaseAngleMax);
    v.Float("RearAngleMin", r.RearAngleMin);
    v.Float("RearAngleMax", r.RearAngleMax);
    v.Float("AngleInc", r.AngleInc);
    v.Reserved("Reserved", r.Reserved);
}

template <RecordOf<SoilRecord> Record, class Visitor> void VisitFields(Record& r, Visitor& v)
{
    v.Text("Description", r.Description);
    v.Float("Density", r.Density);
    v.Float("Phi", r.Phi);
    v.Float("Cohesion", r.Cohesion);
    v.Float("Ru", r.Ru);
    v.Float("Suction", r.Suction);
    // All 52 slots are stored, slot 0 and those above PointCount included.
    v.Points("Points", r.PointCount, r.X, r.Y, 0, SoilRecord::kMaxPoints);
    v.Reserved("ReservedSingles", r.ReservedSingles);
    v.Reserved("ReservedIntegers", r.ReservedIntegers);
}

template <RecordOf<LoadRecord> Record, class Visitor> void VisitFields(Record& r, Visitor& v)
{
    v.Int("LoadType", r.LoadType);
    v.Float("Value", r.Value);
    v.Float("XMin", r.XMin);
    v.Float("XMax", r.XMax);
    v.Float("Y", r.Y);
    v.Float("Angle", r.Angle);
    v.Float("FreeLength", r.FreeLength);
    v.Float("FixedLength", r.FixedLength);
    v.Reserved("Reserved", r.Reserved);
}

template <RecordOf<ReinforcementBlock> Record, class Visitor> void VisitFields(Record& r, Visitor& v)
{
    v.Text("Description", r.Description);
    v.Float("Strength", r.Strength);
    v.Float("Length", r.Length);
    v.Float("FrictionCoefficient", r.FrictionCoefficient);
    v.Float("NailAngle", r.NailAngle);
    v.Float("NailSpacing", r.NailSpacing);
    v.Float("VerticalSpacing", r.VerticalSpacing);
    v.Float("BlockHeight", r.BlockHeight);
    v.Float("BlockBase", r.BlockBase);
    v.Reserved("ReservedSingles", r.ReservedSingles);
    v.Reserved("ReservedIntegers", r.ReservedIntegers);
}

} // namespace clv
