#include "ui/file_commands.h"
#include "ui/undo_history.h"
#include "window_fixture.h"

#include <QAction>

namespace clv::ui::test {
namespace {

TEST_F(WindowTest, UndoAndRedoGiveBackTheExactJobBytesAndTheModifiedMarkFollowsTheSavedState)
{
    ClvMain& w = Start();
    const QAction* undoAction = w.findChild<QAction*>("EditUndo");
    ASSERT_NE(undoAction, nullptr);
    Edit([](Job&) {}); // an edit that changes nothing leaves no step and no mark
    EXPECT_FALSE(Session().JobModified);
    EXPECT_FALSE(undoAction->isEnabled());

    std::vector<Bytes> states = {BytesOf(Session().job)};
    Edit([](Job& job) { job.Soils.push_back(Soil("Sand", 3, 18.5f)); });
    states.push_back(BytesOf(Session().job));
    Edit([](Job& job) { job.Soil(1).Phi = 33.5f; });
    states.push_back(BytesOf(Session().job));
    Edit([](Job& job) {
        job.Loads.push_back(LoadRecord{kAnchor, 50.0f, 2.0f, 0.0f, kNoLevel, 15.0f, 3.0f, 4.0f, {}});
    });
    states.push_back(BytesOf(Session().job));
    EXPECT_TRUE(undoAction->isEnabled());
    for (int i = 2; i >= 0; --i) {
        w.Undo();
        EXPECT_EQ(BytesOf(Session().job), states[static_cast<std::size_t>(i)]) << "undo to " << i;
        EXPECT_EQ(Session().JobModified, i > 0) << "undo to " << i; // back at the job as started: unmarked
    }
    w.Undo(); // nothing more to undo
    EXPECT_EQ(BytesOf(Session().job), states[0]);
    for (std::size_t i = 1; i < states.size(); ++i) {
        w.Redo();
        EXPECT_EQ(BytesOf(Session().job), states[i]) << "redo to " << i;
        EXPECT_TRUE(Session().JobModified) << "redo to " << i;
    }

    // Once saved, the saved state is the one without the mark.
    const auto file = dir / "Saved.clv";
    io.fileNames.push_back(Q(file));
    ASSERT_TRUE(w.Files().SaveAs());
    EXPECT_FALSE(Session().JobModified);
    Edit([](Job& job) { job.Header.MainTitle = std::string_view("Two"); });
    EXPECT_TRUE(Session().JobModified);
    w.Undo();
    EXPECT_FALSE(Session().JobModified);
    EXPECT_EQ(BytesOf(Session().job), FileBytes(file));
    w.Undo(); // before the save: modified again
    EXPECT_TRUE(Session().JobModified);

    // New clears the history; at least a hundred steps can be undone after it.
    io.answers.push_back(Interaction::Answer::No);
    w.Files().New();
    EXPECT_FALSE(w.History().CanUndo());
    EXPECT_FALSE(w.History().CanRedo());
    const Bytes fresh = BytesOf(Session().job);
    for (int i = 1; i <= 150; ++i)
        Edit([i](Job& job) { job.Header.Reserved1 = static_cast<float>(i); });
    EXPECT_EQ(w.History().UndoDepth(), 150u);
    for (int i = 0; i <= 150; ++i)
        w.Undo();
    EXPECT_EQ(BytesOf(Session().job), fresh);
    EXPECT_FALSE(Session().JobModified);
    Edit([](Job& job) { job.Header.Reserved1 = -1.0f; }); // a new edit drops the steps that could be redone
    EXPECT_FALSE(w.History().CanRedo());
}

TEST(UndoHistoryLimit, OldestStepsGoFirstBeyondTheLimit)
{
    UndoHistory history(3);
    Job job;
    std::vector<Bytes> states;
    for (int i = 0; i < 5; ++i) {
        job.Header.Reserved1 = static_cast<float>(i);
        states.push_back(*UndoHistory::Encode(job));
        history.Snapshot(job);
    }
    job.Header.Reserved1 = 5.0f;
    EXPECT_EQ(history.UndoDepth(), 3u);
    while (history.Undo(job)) {
    }
    EXPECT_EQ(*UndoHistory::Encode(job), states[2]);
}

} // namespace
} // namespace clv::ui::test
