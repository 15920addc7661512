// The drawing surface every picture of the program is drawn on: the main
// picture, the diagrams and the labels of the dialogs. Drawing code depends on
// this interface only, so a test can record or rasterise what is drawn.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/Model.h"

namespace tevrane {

// A 24-bit colour with red in the low byte, green in the middle byte and blue
// in the high byte.
using Colour = std::uint32_t;

constexpr Colour rgb(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned redOf(Colour c) { return c & 0xFFu; }
constexpr unsigned greenOf(Colour c) { return (c >> 8) & 0xFFu; }
constexpr unsigned blueOf(Colour c) { return (c >> 16) & 0xFFu; }

namespace colours {
inline constexpr Colour black = rgb(0, 0, 0);
inline constexpr Colour white = rgb(255, 255, 255);
inline constexpr Colour red = rgb(255, 0, 0);
inline constexpr Colour blue = rgb(0, 0, 255);
inline constexpr Colour magenta = rgb(255, 0, 255);
inline constexpr Colour green = rgb(0, 128, 0);
inline constexpr Colour lime = rgb(0, 255, 0);
inline constexpr Colour cyan = rgb(0, 255, 255);
inline constexpr Colour grey = rgb(128, 128, 128);
inline constexpr Colour maroon = rgb(128, 0, 0);
inline constexpr Colour teal = rgb(0, 128, 128);
inline constexpr Colour silver = rgb(192, 192, 192);
}  // namespace colours

// Font size of a fresh canvas, in points.
inline constexpr int kDefaultFontSize = 8;

// The pen and font in force on a canvas: what a shape or a text is drawn in.
struct PenAndFont {
    Colour pen = colours::black;
    int penWidth = 1;  // pixels
    Colour font = colours::black;  // the letters' colour
    int fontSize = kDefaultFontSize;  // points
    bool bold = false;
    // How many times wider and taller than the font size the letters are.
    float textScaleX = 1, textScaleY = 1;
};

// A text factor kept within what a font can be drawn at (1 when not finite).
inline float textScaleFactor(float f) { return std::clamp(std::isfinite(f) ? f : 1.0f, 0.25f, 8.0f); }

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setPenColour(Colour c) = 0;
    virtual Colour penColour() const = 0;
    virtual void setPenWidth(int w) = 0;
    virtual int penWidth() const = 0;
    // Shapes are outlines only: the brush is clear.
    virtual void setBrushClear() = 0;
    virtual void setFontColour(Colour c) = 0;
    virtual void setFontSize(int points) = 0;
    virtual void setFontBold(bool bold) = 0;
    // Letters drawn from now on are this many times wider and taller than the
    // font size says: the large-font setting spreads the texts of a picture
    // apart by its factors, and the letters grow with them. Only a canvas that
    // draws letters needs to heed it.
    virtual void setTextScale(float /*horizontal*/, float /*vertical*/) {}

    // A line from the current position to (x, y); the end pixel is not drawn.
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // Connected lines through the points, the last pixel not drawn.
    virtual void polyline(const std::vector<IPoint>& points) = 0;
    // Outline of the ellipse inside the box (x1, y1)-(x2, y2), right and bottom
    // edges excluded.
    virtual void ellipse(int x1, int y1, int x2, int y2) = 0;
    // Part of that ellipse, counter-clockwise as seen on the screen from the
    // radial through (sx, sy) to the radial through (ex, ey).
    virtual void arc(int x1, int y1, int x2, int y2, int sx, int sy, int ex, int ey) = 0;
    virtual void setPixel(int x, int y, Colour c) = 0;
    // Text whose top-left corner lands at (x, y), with a clear background.
    virtual void textOut(int x, int y, const std::string& text) = 0;
    // How many pixels wide textOut would write the text in the current font.
    virtual int textWidth(const std::string& text) = 0;
    // Fills the whole surface: a window's surface being cleared.
    virtual void clear(Colour c) = 0;

    // Convenience: one line from a to b.
    void line(int x1, int y1, int x2, int y2) {
        moveTo(x1, y1);
        lineTo(x2, y2);
    }
};

// What every canvas keeps the same way: the pen, the font and the current
// position. Colours keep their 24 bits, text factors stay drawable, and a
// canvas that makes fonts learns when the font changed.
class CanvasWithPen : public Canvas {
public:
    void setPenColour(Colour c) override { style_.pen = c & 0xFFFFFFu; }
    Colour penColour() const final { return style_.pen; }
    void setPenWidth(int w) final { style_.penWidth = w; }
    int penWidth() const final { return style_.penWidth; }
    void setFontColour(Colour c) final { style_.font = c & 0xFFFFFFu; }
    void setFontSize(int points) final {
        if (points != style_.fontSize) fontChanged_ = true;
        style_.fontSize = points;
    }
    void setFontBold(bool bold) final {
        if (bold != style_.bold) fontChanged_ = true;
        style_.bold = bold;
    }
    void setTextScale(float horizontal, float vertical) final {
        horizontal = textScaleFactor(horizontal);
        vertical = textScaleFactor(vertical);
        if (horizontal != style_.textScaleX || vertical != style_.textScaleY) fontChanged_ = true;
        style_.textScaleX = horizontal;
        style_.textScaleY = vertical;
    }
    void moveTo(int x, int y) final { pos_ = {x, y}; }

protected:
    const PenAndFont& style() const { return style_; }
    // Whether the font's size, weight or scale changed since the last call
    // (true the first time): the canvas makes its font afresh then.
    bool takeFontChange() { return std::exchange(fontChanged_, false); }

    IPoint pos_;  // where the next lineTo starts

private:
    PenAndFont style_;
    bool fontChanged_ = true;
};

}  // namespace tevrane
