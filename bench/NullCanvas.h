// A canvas that takes every drawing call and does nothing with it, so a
// benchmark of a diagram times its sweep and its drawing logic alone.
#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"

// Takes every drawing call and does nothing with it.
// The pen and font are kept as every canvas keeps them, since drawing code
// may read them back.
class NullCanvas : public tevrane::CanvasWithPen {
public:
    void setBrushClear() override {}
    void lineTo(int, int) override {}
    void polyline(const std::vector<tevrane::IPoint>&) override {}
    void ellipse(int, int, int, int) override {}
    void arc(int, int, int, int, int, int, int, int) override {}
    void setPixel(int, int, tevrane::Colour) override {}
    void textOut(int, int, const std::string&) override {}
    int textWidth(const std::string&) override { return 0; }
    void clear(tevrane::Colour) override {}
};
