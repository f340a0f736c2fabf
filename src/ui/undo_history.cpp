#include "ui/undo_history.h"

#include "model/job_file.h"

namespace clv::ui {

std::optional<Bytes> UndoHistory::Encode(const Job& job)
{
    // The current layout is always written and read back (the header keeps its own FileVersion),
    // so a snapshot decodes to exactly the job it came from.
    return EncodeJobFile(job, ProgramVersion());
}

namespace {

bool Restore(const Bytes& bytes, Job& job)
{
    std::optional<DecodedJob> decoded = DecodeJobFile(bytes);
    if (!decoded)
        return false;
    job = std::move(decoded->job);
    return true;
}

} // namespace

void UndoHistory::Snapshot(const Job& job)
{
    std::optional<Bytes> bytes = Encode(job);
    if (!bytes)
        return; // a job too large for the file format cannot be snapshotted (nor saved)
    if (!undo_.empty() && undo_.back() == *bytes)
        return; // an edit bracket opened twice without a change in between
    undo_.push_back(std::move(*bytes));
    while (undo_.size() > limit_)
        undo_.pop_front();
    redo_.clear();
}

void UndoHistory::DropIfUnchanged(const Job& job)
{
    if (undo_.empty())
        return;
    std::optional<Bytes> bytes = Encode(job);
    if (bytes && *bytes == undo_.back())
        undo_.pop_back();
}

bool UndoHistory::Undo(Job& job)
{
    if (undo_.empty())
        return false;
    std::optional<Bytes> current = Encode(job);
    if (!current || !Restore(undo_.back(), job))
        return false;
    undo_.pop_back();
    redo_.push_back(std::move(*current));
    return true;
}

bool UndoHistory::Redo(Job& job)
{
    if (redo_.empty())
        return false;
    std::optional<Bytes> current = Encode(job);
    if (!current || !Restore(redo_.back(), job))
        return false;
    redo_.pop_back();
    undo_.push_back(std::move(*current));
    return true;
}

void UndoHistory::Reset(const Job& job, bool savedState)
{
    undo_.clear();
    redo_.clear();
    saved_.reset();
    if (savedState)
        saved_ = Encode(job);
}

void UndoHistory::MarkSaved(const Job& job)
{
    saved_ = Encode(job);
}

bool UndoHistory::IsSavedState(const Job& job) const
{
    if (!saved_)
        return false;
    std::optional<Bytes> bytes = Encode(job);
    return bytes && *bytes == *saved_;
}

} // namespace clv::ui
