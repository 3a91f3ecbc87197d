// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's drawing surface as a display list. Routines append to it; the
// GUI replays it with real fonts (text flows from a current print position,
// like a printer head); tests read it.
#include <string>
#include <utility>
#include <vector>

namespace kelvora {

struct SurfaceOp {
    enum class Kind { Print, EndLine, Circle, Line };
    Kind kind = Kind::Print;
    // Print: text in the font state current when it was printed.
    std::string text;
    std::string fontName;
    double fontSize = 0;
    bool bold = false;
    bool underline = false;
    // Circle: centre (x1, y1), radius r. Line: (x1, y1) to (x2, y2). Twips.
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0, r = 0;
    int color = 0;      // 0x00BBGGRR: 255 is pure red
    int lineWidth = 1;  // pixels

    bool operator==(const SurfaceOp&) const = default;
};

class Surface {
public:
    explicit Surface(std::string defaultFont = {}, double defaultSize = 9)
        : defaultFontName_(std::move(defaultFont)), defaultFontSize_(defaultSize) { Clear(); }

    // Wipes everything and sends the print position to the top left corner;
    // the font goes back to the window's own.
    void Clear();

    void SetFontName(std::string name) { fontName_ = std::move(name); }
    void SetFontSize(double size) { fontSize_ = size; }
    void SetBold(bool on) { bold_ = on; }
    void SetUnderline(bool on) { underline_ = on; }
    bool underline() const { return underline_; }

    // Prints at the current position and stays on the line. Consecutive
    // prints in the same font join into one op.
    void Print(const std::string& text);
    // Ends the current line: the next print starts at the left edge, one
    // line (in the current font) lower.
    void EndLine();
    void Circle(int x, int y, int radius, int color, int lineWidth);
    void Line(int x1, int y1, int x2, int y2, int color, int lineWidth);

    const std::vector<SurfaceOp>& ops() const { return ops_; }
    // Changes whenever the list does; the GUI repaints only on a change.
    unsigned long long version() const { return version_; }

private:
    SurfaceOp Op(SurfaceOp::Kind kind) const;  // in the current font
    void Push(SurfaceOp op);

    std::string defaultFontName_;
    double defaultFontSize_;
    std::string fontName_;
    double fontSize_ = 0;
    bool bold_ = false;
    bool underline_ = false;
    std::vector<SurfaceOp> ops_;
    unsigned long long version_ = 0;
};

}  // namespace kelvora
