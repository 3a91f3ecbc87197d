// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fonts.h"

#include <QStringList>

#include "platform/Controls.h"

namespace kelvora::gui {

void InstallFontSubstitutions() {
    QFont::insertSubstitutions(QString::fromUtf8(kPGothic),
                               {"IPAPGothic", "IPAexGothic", "Noto Sans CJK JP", "Noto Sans JP", "VL PGothic"});
    QFont::insertSubstitutions(QString::fromUtf8(kGothic),
                               {"IPAGothic", "IPAexGothic", "Noto Sans Mono CJK JP", "Noto Sans CJK JP", "VL Gothic"});
}

QFont ToQFont(const FontSpec& spec) {
    QFont f(QString::fromStdString(spec.name));
    f.setPointSizeF(spec.size);
    f.setBold(spec.bold);
    f.setUnderline(spec.underline);
    return f;
}

QString ToQt(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

std::string FromQt(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return s.toStdString();
}

}  // namespace kelvora::gui
