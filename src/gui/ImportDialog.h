// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Import a word list…": a file, a name, the same summary as the command
// line's, then the offer to drill the new database at once.
#include <QString>
#include <filesystem>
#include <optional>
#include <string>

class QWidget;

namespace kelvora::gui {

// Imports into `folder`; the name of the new word database when the
// learner then chose to drill it, else nothing.
std::optional<std::string> RunImportDialog(QWidget* parent, const std::filesystem::path& folder);

}  // namespace kelvora::gui
