#pragma once

// The window's dialogs answered from a script: each message box takes the next
// queued answer (OK when the queue is empty), each file dialog the next queued
// name (cancelled when none), each modal editor the next queued user script
// (closed unseen, as by its window's close button, when none), and everything
// asked is recorded.

#include "ui/interaction.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

namespace clv::ui::test {

struct AskedMessage {
    QString title;
    QString text;
    Interaction::Icon icon;
    Interaction::Buttons buttons;
    std::optional<Interaction::Answer> defaultButton;
};

class ScriptedInteraction : public Interaction {
public:
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> fileNames;
    // What the user does in each modal editor opened next; it must close the editor.
    std::deque<std::function<void(QDialog&)>> modalScripts;

    std::vector<AskedMessage> messages;
    std::vector<QString> dialogCaptions;
    std::vector<QString> dialogStartPaths;
    std::vector<QUrl> opened;
    std::vector<QUrl> helpPages;
    std::vector<QString> modalDialogs; // object names of the editors opened
    int beeps = 0;

    using Interaction::Message;
    Answer Message(const QString& title, const QString& text, Icon icon, Buttons buttons,
                   std::optional<Answer> defaultButton) override
    {
        messages.push_back({title, text, icon, buttons, defaultButton});
        if (answers.empty())
            return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? Answer::Ok : Answer::Cancel;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<QString> OpenFileName(const QString& caption, const QString& initialPath, const QString&) override
    {
        return NextName(caption, initialPath);
    }
    std::optional<QString> SaveFileName(const QString& caption, const QString& initialPath, const QString&) override
    {
        return NextName(caption, initialPath);
    }
    bool OpenWithDesktop(const QUrl& url) override
    {
        opened.push_back(url);
        return true;
    }
    void ShowHelp(const QUrl& page) override { helpPages.push_back(page); }
    void Beep() override { ++beeps; }

    int RunModal(QDialog& dialog) override
    {
        modalDialogs.push_back(dialog.objectName());
        if (modalScripts.empty()) {
            dialog.reject(); // nobody is there to answer: closed at once, never waiting on a user
            return dialog.result();
        }
        std::function<void(QDialog&)> script = std::move(modalScripts.front());
        modalScripts.pop_front();
        QTimer::singleShot(0, &dialog, [&dialog, script] {
            script(dialog);
            // A script that failed to close the editor must not hang the run.
            if (dialog.isVisible()) {
                ADD_FAILURE() << "the dialog is still open";
                dialog.QDialog::done(QDialog::Rejected);
            }
        });
        return dialog.exec();
    }

private:
    std::optional<QString> NextName(const QString& caption, const QString& initialPath)
    {
        dialogCaptions.push_back(caption);
        dialogStartPaths.push_back(initialPath);
        std::optional<QString> name;
        if (!fileNames.empty()) {
            name = fileNames.front();
            fileNames.pop_front();
        }
        return name;
    }
};

} // namespace clv::ui::test
