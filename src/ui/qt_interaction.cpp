#include "ui/qt_interaction.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace clv::ui {

namespace {

// The program's messages break lines with a carriage return; Qt labels break on line feeds.
QString DisplayText(QString text)
{
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    return text;
}

QMessageBox::Icon ToQt(Interaction::Icon icon)
{
    switch (icon) {
    case Interaction::Icon::Information: return QMessageBox::Information;
    case Interaction::Icon::Exclamation: return QMessageBox::Warning;
    case Interaction::Icon::Critical: return QMessageBox::Critical;
    case Interaction::Icon::Question: return QMessageBox::Question;
    case Interaction::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(Interaction::Buttons buttons)
{
    switch (buttons) {
    case Interaction::Buttons::Ok: return QMessageBox::Ok;
    case Interaction::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Interaction::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Interaction::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton ToQt(Interaction::Answer answer)
{
    switch (answer) {
    case Interaction::Answer::Ok: return QMessageBox::Ok;
    case Interaction::Answer::Cancel: return QMessageBox::Cancel;
    case Interaction::Answer::Yes: return QMessageBox::Yes;
    case Interaction::Answer::No: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

} // namespace

QtInteraction::~QtInteraction()
{
    delete helpWindow_.data();
}

Interaction::Answer QtInteraction::Message(const QString& title, const QString& text, Icon icon, Buttons buttons,
                                           std::optional<Answer> defaultButton)
{
    QMessageBox box(ToQt(icon), title, DisplayText(text), ToQt(buttons), parent_);
    if (buttons == Buttons::YesNo)
        box.setEscapeButton(QMessageBox::No);
    if (defaultButton)
        box.setDefaultButton(ToQt(*defaultButton));
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::optional<QString> QtInteraction::OpenFileName(const QString& caption, const QString& initialPath,
                                                   const QString& filter)
{
    const QString name = QFileDialog::getOpenFileName(parent_, caption, initialPath, filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> QtInteraction::SaveFileName(const QString& caption, const QString& initialPath,
                                                   const QString& filter)
{
    // The window asks about overwriting itself, once the ".clv" rule has given the final name.
    const QString name = QFileDialog::getSaveFileName(parent_, caption, initialPath, filter, nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

bool QtInteraction::OpenWithDesktop(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

void QtInteraction::ShowHelp(const QUrl& page)
{
    if (!helpWindow_) {
        // A window of its own, not modal: the user reads the guide beside the program.
        auto* window = new QWidget(nullptr, Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setAttribute(Qt::WA_QuitOnClose, false); // closing the main window ends the program
        window->setObjectName("HelpWindow");
        window->setWindowTitle("Dalk Clivora Help");
        window->resize(820, 720);
        auto* layout = new QVBoxLayout(window);
        auto* buttons = new QHBoxLayout;
        auto* back = new QPushButton("Back", window);
        auto* home = new QPushButton("Contents", window);
        buttons->addWidget(back);
        buttons->addWidget(home);
        buttons->addStretch(1);
        layout->addLayout(buttons);
        helpBrowser_ = new QTextBrowser(window);
        helpBrowser_->setAccessibleName("User guide");
        helpBrowser_->setOpenExternalLinks(true);
        layout->addWidget(helpBrowser_, 1);
        QObject::connect(back, &QPushButton::clicked, helpBrowser_, &QTextBrowser::backward);
        QObject::connect(home, &QPushButton::clicked, helpBrowser_, &QTextBrowser::home);
        helpWindow_ = window;
    }
    helpBrowser_->setSource(page);
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void QtInteraction::Beep()
{
    QApplication::beep();
}

int QtInteraction::RunModal(QDialog& dialog)
{
    return dialog.exec();
}

} // namespace clv::ui
