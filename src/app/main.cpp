// SPDX-License-Identifier: GPL-3.0-or-later
// Kelvora: reads the command line, chooses the data folder, and wires the
// windows, the program and the player library together. The commands
// without a window (import, history, reviews, due, fit, settings) run
// before Qt is up.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>

#include "BenchmarkHooks.h"
#include "Events.h"
#include "Fonts.h"
#include "Gui.h"
#include "GuiHost.h"
#include "Import.h"
#include "Words.h"
#include "Progress.h"
#include "SqliteHistory.h"
#include "Verbs.h"
#include "files/Prefetch.h"
#include "platform/SharedPlayerLibrary.h"
#include "startup/CommandLine.h"
#include "startup/Startup.h"
#include "text/Utf8.h"

namespace {

namespace fs = std::filesystem;

bool HasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;  // the caller chose a platform
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

// The folder of the running executable, read before Qt is up.
fs::path ExecutableFolder(const char* argv0) {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.parent_path();
    return fs::absolute(argv0, ec).parent_path();
}

// A library of the program's own: beside the executable (a build tree),
// else in the program's private library folder (an installed Kelvora).
fs::path PrivateLibraryPath(const fs::path& exeDir, const char* file) {
    const fs::path beside = exeDir / file;
    const fs::path installed = exeDir / KELVORA_PRIVATE_LIBDIR_FROM_BIN / file;
    std::error_code ec;
    return fs::exists(beside, ec) || !fs::exists(installed, ec) ? beside : installed;
}

int Refuse(const std::string& message) {
    std::fprintf(stderr, "kelvora: %s\n", message.c_str());
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kelvora"), QString::fromStdString(message), QMessageBox::Ok);
    box.exec();
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string program = fs::path(argv[0]).filename().string();
    const kelvora::Options options = kelvora::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    const fs::path exeDir = ExecutableFolder(argv[0]);
    const fs::path samples = exeDir / KELVORA_SAMPLES_FROM_BIN;
    using A = kelvora::Options::Action;
    switch (options.action) {
        case A::Help:
            std::fputs((options.source == "import" ? kelvora::ImportHelpText(program, kelvora::import::FormatOptions()) : kelvora::HelpText(program)).c_str(),
                       stdout);
            return 0;
        case A::Version: std::fputs(kelvora::VersionText().c_str(), stdout); return 0;
        case A::Wrong:
            std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", program.c_str(), options.error.c_str(), program.c_str());
            return 2;
        case A::Run: break;
        default: {
            kelvora::cli::Outcome outcome = kelvora::cli::RunVerb(options, samples, std::time(nullptr));
            // Data goes to a file or a pipe byte for byte; a terminal never
            // gets a control character from it.
            if (outcome.data && ::isatty(STDOUT_FILENO)) outcome.out = kelvora::EscapeControls(outcome.out);
            std::fwrite(outcome.out.data(), 1, outcome.out.size(), stdout);
            std::fwrite(outcome.err.data(), 1, outcome.err.size(), stderr);
            return outcome.status;
        }
    }
    if (!HasDisplay()) {
        const char* sudo = ::geteuid() == 0 ? "" : "sudo ";
        std::fprintf(stderr,
                     "%s: no display found (DISPLAY is not set); run it on a desktop, or without one under Xvfb: "
                     "%sapt-get update && %sapt-get install -y xvfb xauth && xvfb-run -a %s\n",
                     program.c_str(), sudo, sudo, argv[0]);
        return 2;
    }

    // The data folder: the one named, the learner's own, or the current one.
    std::string failure;
    const auto folder = kelvora::cli::ChosenFolder(options, samples, &failure);
    std::optional<kelvora::FilePrefetch> prefetch;

    // Its start-up files are read ahead while Qt starts and the windows are
    // made.
    if (folder) prefetch.emplace(*folder);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setDesktopFileName(QStringLiteral("org.kelvora.Kelvora"));
    QApplication::setQuitOnLastWindowClosed(false);
    kelvora::gui::InstallFontSubstitutions();
    if (!folder) return Refuse(failure);
    std::string settingsHint;
    if (!options.dataDir && !options.userFolder)
        settingsHint = "To work on your own data folder instead, start Kelvora as: kelvora --user";

    kelvora::SharedPlayerLibrary player(PrivateLibraryPath(exeDir, kelvora::kPlayerLibraryFile));
    kelvora::gui::GuiHost host;
    // Before the program: a thread of the program may still read it as the
    // program ends.
    kelvora::SqliteHistory history(*folder / kelvora::kHistoryFile);
    kelvora::Program p(host, player, *folder, *prefetch);
    p.history = &history;
    p.missingSettingsHint = settingsHint;
    kelvora::gui::Gui gui(p);
    gui.menu().progressLibrary =
        QString::fromStdString(PrivateLibraryPath(exeDir, kelvora::progress::kLibraryFile).string());
    gui.menu().wordsLibrary = QString::fromStdString(PrivateLibraryPath(exeDir, kelvora::words::kLibraryFile).string());
    host.beforeMessage = [&gui] {
        gui.SyncAll();
        gui.SetModal(true);
        return gui.ActiveWindowForMessages();
    };
    host.afterMessage = [&gui] { gui.SetModal(false); };
    if (!gui.Load()) return 0;
    // Off the path of the first paint and the first question: the deck of
    // a memory mode at once (the learner may press Start at once), the
    // deck of the other modes a second later; the program's own icon (as
    // the package installs it for the desktop) once the window answers
    // (reading an image costs milliseconds the learner would wait for);
    // whether the history is whole, known before "END" needs it, when the
    // deck has had its time (a write before then checks for itself).
    QTimer::singleShot(0, &app, [&gui] { gui.Dispatch(kelvora::form1::Shown); });
    QTimer::singleShot(250, &app, [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/kelvora.png"))); });
    QTimer::singleShot(1000, &app, [&gui] { gui.Dispatch(kelvora::form1::Settled); });
    QTimer::singleShot(1500, &app, [&history] { history.CheckInBackground(); });
    kelvora::app::InstallBenchmarkHooks(gui);
    return QApplication::exec();
}
