// window_shot: opens the main window on a job, selects a tab and saves a
// picture of the window, for looking at the real widgets under a virtual display.
// Usage: window_shot OUT.png [JOB.clv] [TAB | help]

#include "model/settings.h"
#include "support/test_paths.h"
#include "ui/clv_main.h"

#include <QAction>
#include <QApplication>
#include <QPixmap>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const std::filesystem::path dir = clv::test::FreshTempDir("shot");
    clv::ui::ClvMainOptions options;
    options.folders = {dir / "Settings", dir / "Documents"};
    std::filesystem::create_directories(options.folders.SettingsFolder);
    clv::WriteSettings(options.folders, clv::Settings{}); // no first-use message to wait on
    if (argc > 2)
        options.commandLineJob = QString::fromLocal8Bit(argv[2]);
    clv::ui::ClvMain window(options);
    window.show();
    QWidget* shown = &window;
    if (argc > 3 && QString(argv[3]) == "help") {
        // The user guide in its own window, as Help > Contents shows it.
        window.findChild<QAction*>("HelpContents")->trigger();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "HelpWindow")
                shown = top;
    } else if (argc > 3) {
        window.SelectTab(QString(argv[3]).toInt());
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTimer::singleShot(500, &window, [&] {
        shown->grab().save(out);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
        QApplication::exit(0);
    });
    return QApplication::exec();
}
