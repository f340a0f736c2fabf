#pragma once

// Editing the section with the mouse. The editor gives the drawing's pop-up menu
// its editing entries, starts the editing modes (from that menu and from the
// "Pick points" buttons of the tabs) with their prompts, and turns each click of
// a mode into a change of the job: a soil or water point appended, deleted or
// moved, or a point of the defined slip surface added. Every change is one undo
// step and ends with the central refresh.

#include "ui/editing/point_edits.h"
#include "ui/main_context.h"

#include <QObject>
#include <QPointF>

#include <optional>

class QAction;

namespace clv::ui {

class SpicWidget;

class SectionEditor : public QObject {
    Q_OBJECT
public:
    // EditMode values.
    static constexpr int kNone = 0;
    static constexpr int kAddSoilPoints = 1;
    static constexpr int kAddWaterPoints = 2;
    static constexpr int kDeletePoints = 3;
    static constexpr int kMovePickPoint = 4;
    static constexpr int kMovePlacePoint = 5;
    static constexpr int kAddSlipPoints = 6;

    SectionEditor(MainContext& ctx, SpicWidget& spic, QObject* parent = nullptr);

    /**
     * Starts editing mode `mode` (0 ends any) with the prompt of `promptMode`
     * (0: the mode's own). "Pick points" for the water surface adds water points
     * under the soil prompt.
     */
    void StartMode(int mode, int promptMode = 0);

    /** The prompt of a mode; empty for 0. */
    static QString Prompt(int mode);

    /** The point a move has taken (mode 5). */
    std::optional<PointRef> SelectedPoint() const { return selected_; }

private:
    void AddPopUpEntries();
    void Click(QPointF world);
    void AddSurfacePoint(int item, Single x, Single y);
    void PickPoint(Single x, Single y);
    void PlaceSelectedPoint(Single x, Single y);
    void AddSlipPoint(Single x, Single y);
    /** A refusal in a plain message box; the mode carries on afterwards. */
    void Refuse(const char* text);
    Single Tolerance() const;

    MainContext& ctx_;
    SpicWidget& spic_;
    int promptMode_ = 0;
    std::optional<PointRef> selected_;
};

} // namespace clv::ui
