// A canvas that draws on another one moved down by a number of rows: the
// diagrams' plots go down under the large font so the panel band above them
// can hold its larger letters, without each plot knowing about it.
#pragma once

#include "platform/Canvas.h"

namespace tevrane {

class ShiftedCanvas : public Canvas {
public:
    ShiftedCanvas(Canvas& target, int down) : t_(target), down_(down) {}

    void setPenColour(Colour c) override { t_.setPenColour(c); }
    Colour penColour() const override { return t_.penColour(); }
    void setPenWidth(int w) override { t_.setPenWidth(w); }
    int penWidth() const override { return t_.penWidth(); }
    void setBrushClear() override { t_.setBrushClear(); }
    void setFontColour(Colour c) override { t_.setFontColour(c); }
    void setFontSize(int points) override { t_.setFontSize(points); }
    void setFontBold(bool bold) override { t_.setFontBold(bold); }
    void setTextScale(float h, float v) override { t_.setTextScale(h, v); }
    void moveTo(int x, int y) override { t_.moveTo(x, y + down_); }
    void lineTo(int x, int y) override { t_.lineTo(x, y + down_); }
    void polyline(const std::vector<IPoint>& points) override {
        std::vector<IPoint> moved = points;
        for (IPoint& p : moved) p.y += down_;
        t_.polyline(moved);
    }
    void ellipse(int x1, int y1, int x2, int y2) override { t_.ellipse(x1, y1 + down_, x2, y2 + down_); }
    void arc(int x1, int y1, int x2, int y2, int sx, int sy, int ex, int ey) override {
        t_.arc(x1, y1 + down_, x2, y2 + down_, sx, sy + down_, ex, ey + down_);
    }
    void setPixel(int x, int y, Colour c) override { t_.setPixel(x, y + down_, c); }
    void textOut(int x, int y, const std::string& text) override { t_.textOut(x, y + down_, text); }
    int textWidth(const std::string& text) override { return t_.textWidth(text); }
    void clear(Colour c) override { t_.clear(c); }

private:
    Canvas& t_;
    int down_;
};

}  // namespace tevrane
