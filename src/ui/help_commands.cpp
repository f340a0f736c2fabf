#include "ui/help_commands.h"

#include "ui/interaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace clv::ui {

const char* const kManualFileName = "Clivora.pdf";
const char* const kAboutTitle = "About Dalk Clivora";

namespace {

// Where the program's data may be, in order: beside the program (a build tree),
// the installed data folder (bin/../share/clivora), and the source tree the
// program was built from (running straight from a build without its copies).
QStringList DataFolderCandidates()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder, programFolder + "/../share/clivora", QString(CLIVORA_SOURCE_DIR_TEXT) + "/docs"};
}

QString ReadHelpFilesSetting(QSettings::Scope scope)
{
    QSettings settings(QSettings::NativeFormat, scope, "Dalk", "Clivora");
    settings.beginGroup("Directories");
    return settings.value("HelpFiles").toString();
}

QUrl PageInGuide(const QString& file)
{
    for (const QString& folder : DataFolderCandidates()) {
        const QFileInfo page(folder + "/guide/" + file);
        if (page.isFile())
            return QUrl::fromLocalFile(page.canonicalFilePath());
    }
    return {};
}

} // namespace

QString ProgramDataFolder()
{
    for (const QString& folder : DataFolderCandidates()) {
        if (QFileInfo(folder + "/guide/index.html").isFile())
            return QDir(folder).canonicalPath();
    }
    return {};
}

QString ManualPath()
{
    QString folder = ReadHelpFilesSetting(QSettings::SystemScope);
    if (folder.isEmpty())
        folder = ReadHelpFilesSetting(QSettings::UserScope);
    if (!folder.isEmpty())
        return QDir(folder).filePath(kManualFileName);
    const QString programFolder = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {programFolder + "/Manual", programFolder + "/../share/clivora/Manual"}) {
        const QString path = QDir(candidate).filePath(kManualFileName);
        if (QFileInfo(path).isFile())
            return QDir::cleanPath(path);
    }
    return QDir(programFolder + "/Manual").filePath(kManualFileName);
}

QUrl GuideStartPage()
{
    return PageInGuide("index.html");
}

QUrl DemonstrationsPage()
{
    return PageInGuide("demonstrations.html");
}

QString AboutText()
{
    return QString("Dalk Clivora\rVersion %1").arg(CLIVORA_VERSION_TEXT);
}

// The help actions report nothing when a file or the browser cannot be opened.
void ShowHelpContents(Interaction& interaction)
{
    const QUrl page = GuideStartPage();
    if (page.isValid())
        interaction.ShowHelp(page);
}

void OpenManual(Interaction& interaction)
{
    interaction.OpenWithDesktop(QUrl::fromLocalFile(ManualPath()));
}

void OpenDemonstrations(Interaction& interaction)
{
    const QUrl page = DemonstrationsPage();
    if (page.isValid())
        interaction.OpenWithDesktop(page);
}

void ShowAbout(Interaction& interaction)
{
    interaction.Message(kAboutTitle, AboutText(), Interaction::Icon::Information, Interaction::Buttons::Ok);
}

} // namespace clv::ui
