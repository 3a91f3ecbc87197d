// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "Import.h"

namespace kelvora::gui {

std::optional<std::string> RunImportDialog(QWidget* parent, const std::filesystem::path& folder) {
    const QString source = QFileDialog::getOpenFileName(
        parent, QStringLiteral("Import a word list"), QDir::homePath(),
        QString::fromStdString(import::DialogFilter()));
    if (source.isEmpty()) return std::nullopt;
    QString name = QFileInfo(source).completeBaseName().simplified().replace(QLatin1Char('/'), QLatin1Char('-'));
    bool ok = false;
    name = QInputDialog::getText(parent, QStringLiteral("Import a word list"),
                                 QStringLiteral("Name of the new word database (saved as NAME.txt in the data folder):"),
                                 QLineEdit::Normal, name, &ok).trimmed();
    if (!ok || name.isEmpty()) return std::nullopt;
    import::Request request;
    request.source = source.toStdString();
    request.name = name.toStdString();
    request.folder = folder;
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
