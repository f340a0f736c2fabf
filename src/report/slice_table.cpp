// The slice table shared by the results reports: the slices of the critical
// circle, of the defined surface or of the critical wedge.

#include "report/reports.h"

#include "model/format.h"

namespace clv::report {

namespace {

struct SliceColumn {
    int column;
    const char* name1;
    const char* name2;
    const char* unit;
};

constexpr SliceColumn kSliceColumns[] = {
    {7, "X", "", "m"},           {14, "Top", "Y", "m"},          {21, "Btm", "Y", "m"},
    {28, "Base", "Angle", "deg."}, {35, "Soil", "Cu/C'", "kN/m2"}, {42, "Soil", "TanPhi", ""},
    {49, "Total", "Weight", "kN"}, {56, "Vert", "Load", "kN"},     {63, "Lat'", "Load", "kN"},
    {70, "Top", "Water", "kN/m2"}, {77, "Base", "Water", "kN/m2"}, {84, "Normal", "Force", "kN"},
};

/** Base angle in degrees from radians, with the program's pi. */
float Degrees(float radians) { return radians * 180.0f / kPi; }

} // namespace

void SliceTable(PageWriter& w, const std::string& heading, const SliceList& slices)
{
    w.BeginTable(heading, 3, [&w](int row) {
        for (const SliceColumn& c : kSliceColumns) {
            const float col = static_cast<float>(c.column);
            // A one-word name sits on the second row, next to its unit.
            if (*c.name2 == '\0') {
                w.Right(col, row + 1, c.name1);
            } else {
                w.Right(col, row, c.name1);
                w.Right(col, row + 1, c.name2);
            }
            w.Right(col, row + 2, c.unit);
        }
    });
    for (const Slice& s : slices) {
        const int r = w.Take();
        w.Right(7, r, Format(s.XLeft, "#####0.00"));
        w.Right(14, r, Format(s.GroundLeft, "#####0.00"));
        w.Right(21, r, Format(s.BaseLeft, "#####0.00"));
        w.Right(28, r, Format(Degrees(s.BaseAngle), "#####0.0"));
        w.Right(35, r, Format(s.DesignCohesion, "#####0.0"));
        w.Right(42, r, Format(s.DesignTanPhi, "###0.000"));
        w.Right(49, r, Format(s.Weight, "#####0.0"));
        w.Right(56, r, Format(s.VerticalLoad, "#####0.0"));
        w.Right(63, r, Format(s.HorizontalLoad, "#####0.0"));
        w.Right(70, r, Format(s.SurfaceWaterPressure, "#####0.0"));
        w.Right(77, r, Format(s.BasePorePressure, "#####0.0"));
        w.Right(84, r, Format(s.NormalForce, "#####0.0"));
    }
    if (!slices.empty()) {
        const Slice& last = slices.back();
        const int r = w.Take();
        w.Right(7, r, Format(last.XRight, "#####0.00"));
        w.Right(14, r, Format(last.GroundRight, "#####0.00"));
        w.Right(21, r, Format(last.BaseRight, "#####0.00"));
    }
    w.EndTable();
}

} // namespace clv::report
