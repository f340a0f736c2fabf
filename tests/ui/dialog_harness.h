#pragma once

// The auxiliary dialogs with a stand-in for the window around them: the edit
// bracket snapshots the job for undo, marks it modified and counts refreshes,
// and message boxes are answered by a script. Helpers drive the widgets as the
// user does: keys into the focused control, clicks on list items.

#include "scripted_interaction.h"

#include "model/job.h"
#include "ui/main_context.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace clv::ui::test {

struct DialogHarness {
    JobSession session;
    ScriptedInteraction io;
    MainContext ctx;
    std::vector<Job> undo;
    int refreshes = 0;

    DialogHarness()
    {
        session.job = MakeDefaultJob();
        ctx.session = &session;
        ctx.interaction = &io;
        ctx.BeginEdit = [this] { undo.push_back(session.job); };
        ctx.EndEdit = [this] {
            session.JobModified = true;
            session.JobRefreshPending = true;
            ++refreshes;
        };
        ctx.RefreshAll = [this] { ++refreshes; };
    }
};

template <typename T> T* Child(const QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

/** Clicks into a box, replaces its text by typing, then Enter (the box's edit is finished). */
inline void TypeInto(QLineEdit* box, const QString& text)
{
    box->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
    QApplication::processEvents();
}

inline void ClickItem(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

/** A click near the left end of the button: on the indicator of a check box, inside a push button. */
inline void Click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(qMin(8, button->width() / 2), button->height() / 2));
}

/** Opens a modal editor as the window does (`open(ctx, parent)`), runs `user` in it, and returns what `open` did. */
inline bool RunDialog(DialogHarness& h, bool (*open)(MainContext&, QWidget*), const std::function<void(QWidget&)>& user)
{
    bool ran = false;
    h.io.modalScripts.push_back([&](QDialog& dialog) {
        ran = true;
        user(dialog);
    });
    const bool result = open(h.ctx, nullptr);
    EXPECT_TRUE(ran);
    return result;
}

} // namespace clv::ui::test
