// clivora: the desktop program. Starts the main window on the job named on the
// command line, if any.

#include "model/settings.h"
#include "ui/clv_main.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Dalk");
    QApplication::setApplicationName("Clivora");
    QApplication::setApplicationVersion(CLIVORA_VERSION_TEXT);
    QGuiApplication::setDesktopFileName("clivora");

    clv::ui::ClvMainOptions options;
    options.folders = clv::StandardAppFolders();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        options.commandLineJob = arguments.at(1);

    clv::ui::ClvMain window(std::move(options));
    window.show();
    return QApplication::exec();
}
