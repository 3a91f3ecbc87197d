// SPDX-License-Identifier: GPL-3.0-or-later
// Kelvora: reads the command line, chooses the data folder, and wires the
// windows, the program and the player library together.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "Fonts.h"
#include "Gui.h"
#include "Import.h"
#include "Progress.h"
#include "SqliteHistory.h"
#include "GuiHost.h"
#include "platform/SharedPlayerLibrary.h"
#include "startup/CommandLine.h"
#include "startup/Startup.h"

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

// The data folder the options name; nothing (and a message) when the
// learner's own cannot be made.
std::optional<fs::path> ChosenFolder(const kelvora::Options& options, const fs::path& exeDir, std::string* failure) {
    if (options.dataDir) return *options.dataDir;
    if (!options.userFolder) return fs::current_path();
    const auto own = kelvora::UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (!own) {
        *failure = "Kelvora cannot tell where your data folder is: neither XDG_DATA_HOME nor HOME is set.";
        return std::nullopt;
    }
    if (const auto failed = kelvora::SeedDataFolder(*own, exeDir / KELVORA_SAMPLES_FROM_BIN)) {
        *failure = *failed;
        return std::nullopt;
    }
    return *own;
}

// The data folder of a command-line verb; nothing, said on the terminal,
// when the learner's own cannot be made.
std::optional<fs::path> VerbFolder(const kelvora::Options& options, const fs::path& exeDir) {
    std::string failure;
    const auto folder = ChosenFolder(options, exeDir, &failure);
    if (!folder) std::fprintf(stderr, "kelvora: %s\n", failure.c_str());
    return folder;
}

// "kelvora import ...": no display, no window.
int Import(const kelvora::Options& options, const fs::path& exeDir) {
    const auto folder = VerbFolder(options, exeDir);
    if (!folder) return 1;
    kelvora::import::Request request;
    request.source = options.source;
    request.name = options.name;
    request.folder = *folder;
    request.swap = options.swap;
    request.force = options.force;
    request.edictWords = options.edictWords;
    using F = kelvora::import::Format;
    const std::pair<const char*, F> formats[] = {
        {"csv", F::Csv}, {"tsv", F::Tsv}, {"notes", F::Notes}, {"kvtml", F::Kvtml}, {"edict", F::Edict}};
    for (const auto& [name, format] : formats)
        if (options.format == name) request.format = format;
    const kelvora::import::Outcome outcome = kelvora::import::Run(request);
    std::fputs(outcome.summary.c_str(), outcome.status == 0 ? stdout : stderr);
    return outcome.status;
}

// "kelvora history": the sessions as CSV, for a spreadsheet.
int PrintHistory(const kelvora::Options& options, const fs::path& exeDir) {
    const auto folder = VerbFolder(options, exeDir);
    if (!folder) return 1;
    std::string failure;
    const fs::path file = *folder / kelvora::kHistoryFile;
    const auto sessions = kelvora::ReadHistory(file, &failure);
    if (!failure.empty()) {
        std::fprintf(stderr, "kelvora: the history %s cannot be read: %s.\n", file.c_str(), failure.c_str());
        return 1;
    }
    std::fputs(kelvora::HistoryCsv(sessions).c_str(), stdout);
    return 0;
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
    switch (options.action) {
        case kelvora::Options::Action::Help:
            std::fputs((options.source == "import" ? kelvora::ImportHelpText(program) : kelvora::HelpText(program)).c_str(),
                       stdout);
            return 0;
        case kelvora::Options::Action::Import: return Import(options, ExecutableFolder(argv[0]));
        case kelvora::Options::Action::History: return PrintHistory(options, ExecutableFolder(argv[0]));
        case kelvora::Options::Action::Version: std::fputs(kelvora::VersionText().c_str(), stdout); return 0;
        case kelvora::Options::Action::Wrong:
            std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", program.c_str(), options.error.c_str(), program.c_str());
            return 2;
        case kelvora::Options::Action::Run: break;
    }
    if (!HasDisplay()) {
        const char* sudo = ::geteuid() == 0 ? "" : "sudo ";
        std::fprintf(stderr,
                     "%s: no display found (DISPLAY is not set); run it on a desktop, or without one under Xvfb: "
                     "%sapt-get update && %sapt-get install -y xvfb xauth && xvfb-run -a %s\n",
                     program.c_str(), sudo, sudo, argv[0]);
        return 2;
    }
    const fs::path exeDir = ExecutableFolder(argv[0]);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setDesktopFileName(QStringLiteral("org.kelvora.Kelvora"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kelvora"), QIcon(QStringLiteral(":/kelvora.png"))));
    kelvora::gui::InstallFontSubstitutions();

    // The data folder: the one named, the learner's own, or the current one.
    std::string failure;
    const auto folder = ChosenFolder(options, exeDir, &failure);
    if (!folder) return Refuse(failure);
    std::string settingsHint;
    if (!options.dataDir && !options.userFolder)
        settingsHint = "To work on your own data folder instead, start Kelvora as: kelvora --user";

    kelvora::SharedPlayerLibrary player(PrivateLibraryPath(exeDir, kelvora::kPlayerLibraryFile));
    kelvora::gui::GuiHost host;
    kelvora::Program p(host, player, *folder);
    kelvora::SqliteHistory history(*folder / kelvora::kHistoryFile);
    p.history = &history;
    p.missingSettingsHint = settingsHint;
    kelvora::gui::Gui gui(p);
    gui.menu().progressLibrary = QString::fromStdString(PrivateLibraryPath(exeDir, kelvora::progress::kLibraryFile).string());
    host.beforeMessage = [&gui] {
        gui.SyncAll();
        return gui.ActiveWindowForMessages();
    };
    if (!gui.Load()) return 0;
    // For the start-up benchmark: leave as soon as the windows are up.
    if (qEnvironmentVariableIsSet("KELVORA_EXIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
