// A canvas that takes every drawing call and does nothing with it, so a
// benchmark of a diagram times its sweep and its drawing logic alone.
#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"

// Takes every drawing call and does nothing with it.
class NullCanvas : public tevrane::Canvas {
public:
    void setPenColour(tevrane::Colour c) override { pen_ = c; }
    tevrane::Colour penColour() const override { return pen_; }
    void setPenWidth(int w) override { width_ = w; }
    int penWidth() const override { return width_; }
    void setBrushClear() override {}
    void setFontColour(tevrane::Colour) override {}
    void setFontSize(int) override {}
    void setFontBold(bool) override {}
    void moveTo(int, int) override {}
    void lineTo(int, int) override {}
    void polyline(const std::vector<tevrane::IPoint>&) override {}
    void ellipse(int, int, int, int) override {}
    void arc(int, int, int, int, int, int, int, int) override {}
    void setPixel(int, int, tevrane::Colour) override {}
    void textOut(int, int, const std::string&) override {}
    int textWidth(const std::string&) override { return 0; }
    void clear(tevrane::Colour) override {}

private:
    tevrane::Colour pen_ = 0;
    int width_ = 1;
};
