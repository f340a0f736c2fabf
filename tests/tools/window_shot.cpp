// window_shot: opens the main window on a job, selects a tab and saves a
// picture of the window, for looking at the real widgets under a virtual display.
// Usage: window_shot OUT.png [JOB.clv] [TAB | help | edit | popup | large | BUTTON]
// "edit" waits for soil points on the drawing with the pointer over it; "popup"
// shows the drawing's pop-up menu. Both take the whole screen, menu included.
// "large" shows the large print preview over the printing tab.
// BUTTON, the object name of a button that opens a modal editor (SoilBtn3,
// SoilBtn1, DefineFxBtn), clicks it on its tab and saves the editor.

#include "model/settings.h"
#include "support/test_paths.h"
#include "ui/clv_main.h"
#include "ui/drawing_area.h"
#include "ui/spic_widget.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
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
    const QString mode = argc > 3 ? QString(argv[3]) : QString();
    const QString out = QString::fromLocal8Bit(argv[1]);
    QWidget* shown = &window;
    if (mode == "help") {
        // The user guide in its own window, as Help > Contents shows it.
        window.findChild<QAction*>("HelpContents")->trigger();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "HelpWindow")
                shown = top;
    } else if (mode == "edit" || mode == "popup") {
        QTimer::singleShot(300, &window, [&window, popup = mode == "popup"] {
            clv::ui::SpicWidget* spic = window.Drawing()->Spic();
            const QPoint centre(spic->width() / 2, spic->height() / 2);
            if (popup) {
                spic->PopUp()->popup(spic->mapToGlobal(centre));
                return;
            }
            window.Context().StartEditMode(1, 0);
            QMouseEvent move(QEvent::MouseMove, QPointF(centre), spic->mapToGlobal(QPointF(centre)), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(spic, &move);
        });
        shown = nullptr; // the whole screen
    } else if (mode == "large") {
        // The large print preview over the printing tab. The form is modal: it is opened, and
        // found, from inside the event loop.
        window.SelectTab(7);
        QTimer::singleShot(0, &window, [&window] { window.findChild<QPushButton*>("LargePreviewBtn")->click(); });
        QTimer::singleShot(700, &window, [&shown] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->objectName() == "PageFrm" && top->isVisible())
                    shown = top;
        });
    } else if (mode.contains("Btn")) {
        window.SelectTab(mode == "DefineFxBtn" ? 4 : 0);
        // The editor runs modally inside the click: the picture is taken from within.
        QTimer::singleShot(500, &window, [&] {
            QTimer::singleShot(800, [&] {
                if (QWidget* editor = QApplication::activeModalWidget())
                    editor->grab().save(out);
                QApplication::exit(0);
            });
            if (auto* button = window.findChild<QAbstractButton*>(mode))
                button->click();
        });
    } else if (argc > 3) {
        window.SelectTab(mode.toInt());
    }
    if (!mode.contains("Btn")) {
        QTimer::singleShot(800, &window, [&] {
            if (shown)
                shown->grab().save(out);
            else
                QGuiApplication::primaryScreen()->grabWindow(0).save(out);
            QApplication::exit(0);
        });
    }
    const int code = QApplication::exec();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return code;
}
