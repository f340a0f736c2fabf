#pragma once

// Undo and redo as two stacks of whole-job snapshots, each the job encoded as a
// job file would hold it. A snapshot is taken before every change; undoing puts
// the current job on the redo stack and gives back the one before. The bytes of
// the job as last saved (or opened) are kept too, so that undoing back to them
// clears the "modified" mark.

#include "model/job.h"

#include <cstddef>
#include <deque>
#include <optional>

namespace clv::ui {

class UndoHistory {
public:
    explicit UndoHistory(std::size_t limit = 200) : limit_(limit) {}

    /** Before a change: remembers the job as it is now and forgets what could be redone. */
    void Snapshot(const Job& job);

    /** After a change: drops the snapshot just taken when the job did not change after all. */
    void DropIfUnchanged(const Job& job);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    std::size_t UndoDepth() const { return undo_.size(); }

    /** Replaces `job` with the state before the last change; false when there is none. */
    bool Undo(Job& job);
    /** Replaces `job` with the state the last undo left; false when there is none. */
    bool Redo(Job& job);

    /** New or Open: nothing to undo or redo; `job` as it now stands is the saved state. */
    void Reset(const Job& job, bool savedState);
    /** A successful save: `job` is now what the file holds. */
    void MarkSaved(const Job& job);
    /** Whether `job` is byte for byte the job as last saved or opened. */
    bool IsSavedState(const Job& job) const;

    static std::optional<Bytes> Encode(const Job& job);

private:
    std::size_t limit_;
    std::deque<Bytes> undo_;
    std::deque<Bytes> redo_;
    std::optional<Bytes> saved_;
};

} // namespace clv::ui
