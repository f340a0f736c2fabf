#pragma once

// The texts that head every report page, on the printing tab: the job's two
// title lines and its project, analysis and engineer references, the number of
// the first page, and the two user lines of the settings, which are the same
// for every job.

#include "ui/main_context.h"

#include <QGroupBox>

#include <array>

namespace clv::ui {

class EntryBox;

class PageHeadingBoxes : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int kBoxCount = 8;

    PageHeadingBoxes(MainContext& ctx, QWidget* parent = nullptr);

    /** TxtBox 0 main title, 1 sub title, 2 project, 3 analysis, 4 engineer, 5 first page number, 6 and 7 user lines. */
    EntryBox* TxtBox(int i) const { return txtBox_[static_cast<std::size_t>(i)]; }

    void Fill();
    /** Validates the box holding the focus when it was typed into; false when refused. */
    bool CommitPendingEdit();

private:
    bool Store(int index);

    MainContext& ctx_;
    std::array<EntryBox*, kBoxCount> txtBox_{};
};

} // namespace clv::ui
