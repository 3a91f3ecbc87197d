// Kelvora: wires the windows, the program and the player library together.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "Fonts.h"
#include "Gui.h"
#include "GuiHost.h"
#include "platform/SharedPlayerLibrary.h"
#include "startup/Startup.h"

namespace {

bool HasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;  // the caller chose a platform
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "kelvora: no display found (DISPLAY is not set); run it on a desktop, or without one as: "
                     "xvfb-run -a %s\n",
                     argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setQuitOnLastWindowClosed(false);
    kelvora::gui::InstallFontSubstitutions();

    const QString libraryPath =
        QDir(QApplication::applicationDirPath()).filePath(QString::fromUtf8(kelvora::kPlayerLibraryFile));
    kelvora::SharedPlayerLibrary player(libraryPath.toStdString());
    kelvora::gui::GuiHost host;
    kelvora::Program program(host, player, std::filesystem::current_path());
    kelvora::gui::Gui gui(program);
    host.beforeMessage = [&gui] {
        gui.SyncAll();
        return gui.ActiveWindowForMessages();
    };
    if (!gui.Load()) return 0;
    // For the start-up benchmark: leave as soon as the windows are up.
    if (qEnvironmentVariableIsSet("KELVORA_EXIT_WHEN_SHOWN")) QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
