// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Surface.h"

namespace kelvora {

void Surface::Clear() {
    ops_.clear();
    fontName_ = defaultFontName_;
    fontSize_ = defaultFontSize_;
    bold_ = false;
    underline_ = false;
    ++version_;
}

SurfaceOp Surface::Op(SurfaceOp::Kind kind) const {
    SurfaceOp op;
    op.kind = kind;
    op.fontName = fontName_;
    op.fontSize = fontSize_;
    op.bold = bold_;
    op.underline = underline_;
    return op;
}

void Surface::Push(SurfaceOp op) {
    ops_.push_back(std::move(op));
    ++version_;
}

void Surface::Print(const std::string& text) {
    if (text.empty()) return;
    if (!ops_.empty()) {
        SurfaceOp& last = ops_.back();
        if (last.kind == SurfaceOp::Kind::Print && last.fontName == fontName_ && last.fontSize == fontSize_ &&
            last.bold == bold_ && last.underline == underline_) {
            last.text += text;
            ++version_;
            return;
        }
    }
    SurfaceOp op = Op(SurfaceOp::Kind::Print);
    op.text = text;
    Push(std::move(op));
}

// The line height is that of the font in force when the line ends, so the
// op records it.
void Surface::EndLine() {
    SurfaceOp op = Op(SurfaceOp::Kind::EndLine);
    op.underline = false;
    Push(std::move(op));
}

void Surface::Circle(int x, int y, int radius, int color, int lineWidth) {
    SurfaceOp op;
    op.kind = SurfaceOp::Kind::Circle;
    op.x1 = x;
    op.y1 = y;
    op.r = radius;
    op.color = color;
    op.lineWidth = lineWidth;
    Push(std::move(op));
}

void Surface::Line(int x1, int y1, int x2, int y2, int color, int lineWidth) {
    SurfaceOp op;
    op.kind = SurfaceOp::Kind::Line;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.color = color;
    op.lineWidth = lineWidth;
    Push(std::move(op));
}

}  // namespace kelvora
