#include "ui/editing/section_editor.h"

#include "model/point_order.h"
#include "ui/interaction.h"
#include "ui/spic_widget.h"
#include "ui/validation.h"

#include <QAction>
#include <QMenu>

namespace clv::ui {

namespace {

const char* const kMessageTitle = "Dalk Clivora";

const char* const kPrompts[] = {
    "",
    "Click on a soil surface point or press F4. (Right click or escape to cancel)",
    "Click on a water surface point or press F4. (Right click or escape to cancel)",
    "Click on (or near) an existing point or press F4. (Right click or escape to cancel)",
    "Click on (or near) an existing point or press F4. (Right click or escape to cancel)",
    "Click at new position for point. (Right click or press escape to cancel)",
    "Click a point on the defined slip surface or press F4. (Right click or escape to cancel)",
};

} // namespace

SectionEditor::SectionEditor(MainContext& ctx, SpicWidget& spic, QObject* parent)
    : QObject(parent), ctx_(ctx), spic_(spic)
{
    AddPopUpEntries();
    connect(&spic_, &SpicWidget::EditClick, this, &SectionEditor::Click);
}

QString SectionEditor::Prompt(int mode)
{
    return mode >= kNone && mode <= kAddSlipPoints ? QString::fromLatin1(kPrompts[mode]) : QString();
}

void SectionEditor::AddPopUpEntries()
{
    QMenu* menu = spic_.PopUp();
    QAction* firstViewEntry = menu->actions().isEmpty() ? nullptr : menu->actions().first();
    struct Entry {
        const char* name;
        const char* caption;
        int mode;
    };
    const Entry entries[] = {
        {"PopUpAddSoil", "Add a soil surface point", kAddSoilPoints},
        {"PopUpWaterSurface", "Add a water surface point", kAddWaterPoints},
        {"PopUpMovePoint", "Move an existing point", kMovePickPoint},
        {"PopUpDeletePoint", "Delete an existing point", kDeletePoints},
    };
    for (const Entry& e : entries) {
        auto* action = new QAction(QString::fromLatin1(e.caption), menu);
        action->setObjectName(QString::fromLatin1(e.name));
        const int mode = e.mode;
        connect(action, &QAction::triggered, this, [this, mode] {
            if (ctx_.session == nullptr)
                return;
            // "Add a soil surface point" with the water row selected adds water points.
            const bool waterCurrent = ctx_.session->CurrentSoil > ctx_.session->job.SoilCount();
            StartMode(mode == kAddSoilPoints && waterCurrent ? kAddWaterPoints : mode);
        });
        menu->insertAction(firstViewEntry, action);
    }
    menu->insertSeparator(firstViewEntry);
}

void SectionEditor::StartMode(int mode, int promptMode)
{
    selected_.reset();
    promptMode_ = promptMode != 0 ? promptMode : mode;
    spic_.SetEditMode(mode, Prompt(promptMode_));
}

Single SectionEditor::Tolerance() const
{
    return PickTolerance(spic_.width(), spic_.View().ViewScale);
}

void SectionEditor::Refuse(const char* text)
{
    const int mode = spic_.EditMode();
    const int promptMode = promptMode_;
    const std::optional<PointRef> selected = selected_;
    ctx_.interaction->Message(QString::fromLatin1(kMessageTitle), QString::fromLatin1(text),
                              Interaction::Icon::Information, Interaction::Buttons::Ok);
    // A message box takes the focus from the drawing, which ends the mode; the
    // refused click should not, so the mode is taken up again.
    if (spic_.EditMode() != mode) {
        StartMode(mode, promptMode);
        selected_ = selected;
    }
}

void SectionEditor::Click(QPointF world)
{
    if (ctx_.session == nullptr)
        return;
    const auto x = static_cast<Single>(world.x());
    const auto y = static_cast<Single>(world.y());
    const Job& job = ctx_.session->job;
    switch (spic_.EditMode()) {
    case kAddSoilPoints: {
        const int soil = ctx_.session->CurrentSoil;
        if (soil >= 1 && soil <= job.SoilCount())
            AddSurfacePoint(soil, x, y);
        return;
    }
    case kAddWaterPoints:
        AddSurfacePoint(job.SoilCount() + 1, x, y);
        return;
    case kDeletePoints:
        if (const std::optional<PointRef> p = NearestPoint(job, x, y, Tolerance())) {
            ctx_.BeginEdit();
            DeleteSurfacePoint(ctx_.session->job, *p);
            ctx_.EndEdit();
        }
        return;
    case kMovePickPoint:
        PickPoint(x, y);
        return;
    case kMovePlacePoint:
        PlaceSelectedPoint(x, y);
        return;
    case kAddSlipPoints:
        AddSlipPoint(x, y);
        return;
    default:
        return;
    }
}

void SectionEditor::AddSurfacePoint(int item, Single x, Single y)
{
    Job& job = ctx_.session->job;
    if (ItemFull(job, item)) {
        Refuse(item > job.SoilCount() ? kWaterPointsFullMessage : kSoilPointsFullMessage);
        return;
    }
    if (!PlacedPointAllowed(x, y)) {
        Refuse(kPointLimitsMessage);
        return;
    }
    ctx_.BeginEdit();
    AppendSurfacePoint(job, item, x, y);
    WidenExtents(job.View, x, y);
    ctx_.EndEdit();
}

void SectionEditor::PickPoint(Single x, Single y)
{
    const std::optional<PointRef> p = NearestPoint(ctx_.session->job, x, y, Tolerance());
    if (!p)
        return; // nothing near enough: keep waiting
    StartMode(kMovePlacePoint);
    selected_ = p;
}

void SectionEditor::PlaceSelectedPoint(Single x, Single y)
{
    if (!PlacedPointAllowed(x, y)) {
        Refuse(kPointLimitsMessage);
        return;
    }
    const std::optional<PointRef> p = selected_;
    StartMode(kNone);
    Job& job = ctx_.session->job;
    ctx_.BeginEdit();
    // The point may have gone meanwhile (an undo): then there is nothing to move.
    if (p && MoveSurfacePoint(job, *p, x, y))
        WidenExtents(job.View, x, y);
    ctx_.EndEdit();
}

void SectionEditor::AddSlipPoint(Single x, Single y)
{
    if (!PlacedPointAllowed(x, y)) {
        Refuse(kPointLimitsMessage);
        return;
    }
    Job& job = ctx_.session->job;
    ctx_.BeginEdit();
    AppendUserPoint(job, x, y);
    WidenExtents(job.View, x, y);
    ctx_.EndEdit();
}

} // namespace clv::ui
