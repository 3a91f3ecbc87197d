// SPDX-License-Identifier: GPL-3.0-or-later
#include "SurfacePainter.h"

#include <QFontMetrics>

#include "Fonts.h"
#include "Twips.h"

namespace kelvora::gui {

namespace {
QColor FromBgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
}  // namespace

void PaintSurface(QPainter& painter, const Surface& surface) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    int x = 0, y = 0;
    for (const SurfaceOp& op : surface.ops()) {
        switch (op.kind) {
            case SurfaceOp::Kind::Print: {
                const QFont font = ToQFont({op.fontName, op.fontSize, op.bold, op.underline});
                const QFontMetrics fm(font, painter.device());
                const QString text = QString::fromStdString(op.text);
                painter.setFont(font);
                painter.setPen(Qt::black);
                painter.drawText(QPoint(x, y + fm.ascent()), text);
                x += fm.horizontalAdvance(text);
                break;
            }
            case SurfaceOp::Kind::EndLine: {
                const QFontMetrics fm(ToQFont({op.fontName, op.fontSize, op.bold, false}), painter.device());
                y += fm.height();
                x = 0;
                break;
            }
            case SurfaceOp::Kind::Circle:
                painter.setPen(QPen(FromBgr(op.color), op.lineWidth));
                painter.setBrush(Qt::NoBrush);
                painter.drawEllipse(QPoint(Px(op.x1), Px(op.y1)), Px(op.r), Px(op.r));
                break;
            case SurfaceOp::Kind::Line:
                painter.setPen(QPen(FromBgr(op.color), op.lineWidth));
                painter.drawLine(Px(op.x1), Px(op.y1), Px(op.x2), Px(op.y2));
                break;
        }
    }
    painter.restore();
}

}  // namespace kelvora::gui
