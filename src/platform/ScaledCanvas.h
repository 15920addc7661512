// A canvas that draws on another one with every coordinate grown by two
// factors and then moved down by a number of rows. A picture laid out in
// pixels for the normal font is drawn whole at the large font: its letters
// grow by the same factors as the places they stand at, so texts that stood
// apart stay apart. Text widths are given back in the picture's own pixels,
// so the layout that measures them is the same at both sizes. Pen widths do
// not grow. With factors of one it only moves the picture down
// (ShiftedCanvas).
#pragma once

#include <cmath>
#include <vector>

#include "platform/Canvas.h"

namespace tevrane {

class ScaledCanvas : public Canvas {
public:
    // Factors from 0.1 to 10; the target's letters grow by them at once.
    ScaledCanvas(Canvas& target, float fx, float fy, int down = 0)
        : t_(target), fx_(clampFactor(fx)), fy_(clampFactor(fy)), down_(down) {
        if (grows()) t_.setTextScale(fx_, fy_);
    }
    // The target's letters go back to their own size.
    ~ScaledCanvas() override {
        if (grows()) t_.setTextScale(1.0f, 1.0f);
    }
    ScaledCanvas(const ScaledCanvas&) = delete;
    ScaledCanvas& operator=(const ScaledCanvas&) = delete;

    void setPenColour(Colour c) override { t_.setPenColour(c); }
    Colour penColour() const override { return t_.penColour(); }
    void setPenWidth(int w) override { t_.setPenWidth(w); }
    int penWidth() const override { return t_.penWidth(); }
    void setBrushClear() override { t_.setBrushClear(); }
    void setFontColour(Colour c) override { t_.setFontColour(c); }
    void setFontSize(int points) override { t_.setFontSize(points); }
    void setFontBold(bool bold) override { t_.setFontBold(bold); }
    void setTextScale(float h, float v) override { t_.setTextScale(h * fx_, v * fy_); }
    void moveTo(int x, int y) override { t_.moveTo(sx(x), sy(y)); }
    void lineTo(int x, int y) override { t_.lineTo(sx(x), sy(y)); }
    void polyline(const std::vector<IPoint>& points) override {
        std::vector<IPoint> grown;
        grown.reserve(points.size());
        for (IPoint p : points) grown.push_back({sx(p.x), sy(p.y)});
        t_.polyline(grown);
    }
    void ellipse(int x1, int y1, int x2, int y2) override { t_.ellipse(sx(x1), sy(y1), sx(x2), sy(y2)); }
    void arc(int x1, int y1, int x2, int y2, int ax, int ay, int bx, int by) override {
        t_.arc(sx(x1), sy(y1), sx(x2), sy(y2), sx(ax), sy(ay), sx(bx), sy(by));
    }
    void setPixel(int x, int y, Colour c) override { t_.setPixel(sx(x), sy(y), c); }
    void textOut(int x, int y, const std::string& text) override { t_.textOut(sx(x), sy(y), text); }
    int textWidth(const std::string& text) override {
        if (!grows()) return t_.textWidth(text);
        return static_cast<int>(std::lround(t_.textWidth(text) / static_cast<double>(fx_)));
    }
    void clear(Colour c) override { t_.clear(c); }

    // A place of the picture on the target.
    int sx(int x) const { return grow(x, fx_, 0); }
    int sy(int y) const { return grow(y, fy_, down_); }

private:
    bool grows() const { return fx_ != 1.0f || fy_ != 1.0f; }
    static float clampFactor(float f) { return std::isfinite(f) ? std::fmin(std::fmax(f, 0.1f), 10.0f) : 1.0f; }
    static int grow(int v, float f, int add) {
        // Held to the int range: a far-off point may grow past it.
        const double g = std::round(static_cast<double>(v) * static_cast<double>(f)) + add;
        return static_cast<int>(std::fmin(std::fmax(g, -2147483648.0), 2147483647.0));
    }

    Canvas& t_;
    float fx_, fy_;
    int down_;
};

// The diagrams' plots go down under the large font so the panel band above
// them can hold its larger letters, without each plot knowing about it.
class ShiftedCanvas : public ScaledCanvas {
public:
    ShiftedCanvas(Canvas& target, int down) : ScaledCanvas(target, 1.0f, 1.0f, down) {}
};

}  // namespace tevrane
