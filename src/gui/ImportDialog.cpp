// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "Import.h"
#include "startup/CommandLine.h"

#include <tuple>

namespace kelvora::gui {

std::optional<std::string> RunImportDialog(QWidget* parent, const std::filesystem::path& folder) {
    // A file of one's own, or the most frequent English words.
    const QString fromFile = QStringLiteral("A word list from a file…");
    const QString common = QStringLiteral("The most frequent English words (from the scowl, wordnet-base and edict packages)…");
    bool ok = false;
    const QString kind = QInputDialog::getItem(parent, QStringLiteral("Import a word list"), QStringLiteral("Import:"),
                                               {fromFile, common}, 0, false, &ok);
    if (!ok) return std::nullopt;
    std::optional<std::pair<std::size_t, std::size_t>> ranks;
    QString source, name;
    if (kind == common) {
        const QString text = QInputDialog::getText(
            parent, QStringLiteral("Import a word list"),
            QStringLiteral("How many words (up to 20000), or ranks FROM-TO for the next level (3001-6000):"),
            QLineEdit::Normal, QStringLiteral("3000"), &ok);
        if (!ok) return std::nullopt;
        if (!(ranks = ParseCommonRanks(text.trimmed().toStdString()))) {
            QMessageBox::warning(parent, QStringLiteral("Kelvora"),
                                 QStringLiteral("“%1” is neither a number of words from 1 to 20000 nor ranks such as 3001-6000.")
                                     .arg(text));
            return std::nullopt;
        }
        name = QStringLiteral("common");
    } else {
        source = QFileDialog::getOpenFileName(parent, QStringLiteral("Import a word list"), QDir::homePath(),
                                              QString::fromStdString(import::DialogFilter()));
        if (source.isEmpty()) return std::nullopt;
        name = QFileInfo(source).completeBaseName().simplified().replace(QLatin1Char('/'), QLatin1Char('-'));
    }
    name = QInputDialog::getText(parent, QStringLiteral("Import a word list"),
                                 QStringLiteral("Name of the new word database (saved as NAME.txt in the data folder):"),
                                 QLineEdit::Normal, name, &ok).trimmed();
    if (!ok || name.isEmpty()) return std::nullopt;
    import::Request request;
    request.source = source.toStdString();
    request.name = name.toStdString();
    request.folder = folder;
    if (ranks) std::tie(request.commonFrom, request.commonTo) = *ranks;
    if (import::DatabaseExists(request)) {
        if (QMessageBox::question(parent, QStringLiteral("Kelvora"),
                                  QStringLiteral("The word database %1.txt is there already. Replace it?").arg(name)) !=
            QMessageBox::Yes)
            return std::nullopt;
        request.force = true;
    }
    const import::Outcome outcome = import::Run(request);
    QMessageBox summary(outcome.status == 0 ? QMessageBox::Information : QMessageBox::Warning,
                        QStringLiteral("Kelvora"), QString::fromStdString(import::ScreenSummary(outcome)),
                        QMessageBox::Ok, parent);
    summary.exec();
    if (outcome.status != 0) return std::nullopt;
    const auto choice = QMessageBox::question(
        parent, QStringLiteral("Kelvora"),
        QStringLiteral("Drill %1 now?\nKelvora saves the learning records as END does, puts %1 first in the "
                       "word-database list and starts again on it.")
            .arg(name));
    if (choice != QMessageBox::Yes) return std::nullopt;
    return request.name;
}

}  // namespace kelvora::gui
