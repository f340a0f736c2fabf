#pragma once

// The real dialogs: Qt message boxes and file dialogs, the desktop's open
// action, the help viewer window and the system beep.

#include "ui/interaction.h"

#include <QPointer>

class QWidget;
class QTextBrowser;

namespace clv::ui {

class QtInteraction : public Interaction {
public:
    explicit QtInteraction(QWidget* parent) : parent_(parent) {}
    ~QtInteraction() override;

    using Interaction::Message;
    Answer Message(const QString& title, const QString& text, Icon icon, Buttons buttons,
                   std::optional<Answer> defaultButton) override;
    std::optional<QString> OpenFileName(const QString& caption, const QString& initialPath,
                                        const QString& filter) override;
    std::optional<QString> SaveFileName(const QString& caption, const QString& initialPath,
                                        const QString& filter) override;
    bool OpenWithDesktop(const QUrl& url) override;
    void ShowHelp(const QUrl& page) override;
    void Beep() override;
    int RunModal(QDialog& dialog) override;

private:
    QWidget* parent_;
    QPointer<QWidget> helpWindow_;
    QTextBrowser* helpBrowser_ = nullptr;
};

} // namespace clv::ui
