#include "ui/tables/loads_table.h"

namespace clv::ui {

namespace {

bool KnownType(int type) { return type >= kSurcharge && type <= kAnchor; }

QString LevelText(float y)
{
    return y == kNoLevel ? QString("Surface") : FormatCell(y, "####0.00");
}

} // namespace

LoadsTable::LoadsTable(MainContext& ctx, QWidget* parent)
    : DataTable(ctx, TableKind::Loads, "Loads table", parent)
{
    setObjectName("LoadsGrid");
    SetColumns({{"Load type", 1400},
                {"Load value", 800},
                {"Units", 800},
                {"X (min)\nm", 800},
                {"X max\nm", 800},
                {"Y\nm", 800},
                {"Angle\ndegrees", 800},
                {"Free\nlength m", 800},
                {"Fixed\nlength m", 800}},
               true);
}

QString LoadsTable::TypeCaption(int loadType)
{
    switch (loadType) {
    case kSurcharge: return "Surcharge";
    case kLineLoad: return "Line load";
    case kLateralLoad: return "Lateral load";
    case kAnchor: return "Anchor";
    default: return QString::number(loadType);
    }
}

void LoadsTable::Fill()
{
    const Job& job = ctx_.session->job;
    PrepareRows(job.LoadCount());
    for (int row = 0; row < job.LoadCount(); ++row) {
        const LoadRecord& load = job.Loads[static_cast<std::size_t>(row)];
        const int type = load.LoadType;
        QString cells[9];
        cells[0] = TypeCaption(type);
        if (KnownType(type)) {
            cells[1] = FormatCell(load.Value, "######0");
            cells[2] = type == kSurcharge ? "kN/m2" : "kN/m";
            if (type == kAnchor) {
                cells[3] = "Surface";
                cells[5] = FormatCell(load.Y, "####0.00");
                cells[6] = FormatCell(load.Angle, "####0.00");
                cells[7] = FormatCell(load.FreeLength, "####0.00");
                cells[8] = FormatCell(load.FixedLength, "####0.00");
            } else {
                cells[3] = FormatCell(load.XMin, "####0.00");
                if (type == kSurcharge)
                    cells[4] = FormatCell(load.XMax, "####0.00");
                cells[5] = LevelText(load.Y);
            }
        }
        for (int col = 0; col < 9; ++col)
            SetCell(row, col, cells[col], col != 0 && cells[col].isEmpty());
    }
    ClampCurrentRow();
}

std::optional<CellRule> LoadsTable::RuleAt(int row, int col) const
{
    const Job& job = ctx_.session->job;
    if (row < 0 || row >= job.LoadCount())
        return std::nullopt;
    const int type = job.Loads[static_cast<std::size_t>(row)].LoadType;
    if (!KnownType(type))
        return std::nullopt;
    return CellRuleFor(TableKind::Loads, col, type);
}

void LoadsTable::Store(int row, int col, const CellValue& value)
{
    Job& job = ctx_.session->job;
    ctx_.BeginEdit();
    LoadRecord& load = job.Loads[static_cast<std::size_t>(row)];
    const float v = value.Number;
    switch (col) {
    case 1: load.Value = v; break;
    case 3:
        load.XMin = v;
        // A surcharge acts from XMin to XMax: the other end follows, as the
        // wedge ranges do, so the pair never turns into an empty strip.
        if (load.LoadType == kSurcharge && load.XMin > load.XMax)
            load.XMax = load.XMin;
        break;
    case 4:
        load.XMax = v;
        if (load.XMax < load.XMin)
            load.XMin = load.XMax;
        break;
    case 5: load.Y = v; break;
    case 6: load.Angle = v; break;
    case 7: load.FreeLength = v; break;
    case 8: load.FixedLength = v; break;
    default: break;
    }
    ctx_.EndEdit();
}

} // namespace clv::ui
