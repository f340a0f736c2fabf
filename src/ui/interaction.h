#pragma once

// Everything of the window that waits for the user outside the window itself:
// message boxes, file dialogs, the window's modal editors, the beep, the help
// viewer and the desktop's "open with the default application". The program uses the Qt implementation
// (QtInteraction); tests install a scripted one that answers from a queue and
// records what was asked.

#include <QString>
#include <QUrl>

#include <optional>

class QDialog;

namespace clv::ui {

class Interaction {
public:
    enum class Icon { None, Information, Exclamation, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Interaction() = default;

    /**
     * A modal message box; returns the button pressed (closing the box counts as
     * Cancel, or No without Cancel). `defaultButton` is the one Enter presses;
     * without it, the first.
     */
    virtual Answer Message(const QString& title, const QString& text, Icon icon, Buttons buttons,
                           std::optional<Answer> defaultButton) = 0;
    Answer Message(const QString& title, const QString& text, Icon icon, Buttons buttons)
    {
        return Message(title, text, icon, buttons, std::nullopt);
    }

    /** File-open dialog; the filter is in Qt form ("Dalk Clivora (*.clv);;All files (*)"). nullopt when cancelled. */
    virtual std::optional<QString> OpenFileName(const QString& caption, const QString& initialPath,
                                                const QString& filter) = 0;

    /** File-save dialog; the dialog itself must not ask about overwriting. nullopt when cancelled. */
    virtual std::optional<QString> SaveFileName(const QString& caption, const QString& initialPath,
                                                const QString& filter) = 0;

    /** Opens a document or web page with the desktop's default application; false when that failed. */
    virtual bool OpenWithDesktop(const QUrl& url) = 0;

    /** Shows a page of the user guide in the help viewer. */
    virtual void ShowHelp(const QUrl& page) = 0;

    /** The refusal sound of an entry out of range. */
    virtual void Beep() = 0;

    /**
     * Runs one of the window's own modal dialogs (the auxiliary editors) and
     * returns its result code (QDialog::Accepted or Rejected). Tests answer the
     * dialog from a script instead of waiting on a user.
     */
    virtual int RunModal(QDialog& dialog) = 0;
};

} // namespace clv::ui
