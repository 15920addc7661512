// A canvas that records every drawing call with the pen and font state in
// force, so tests can check what is drawn, where, in which colour and order.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace tevrane {

// One drawing call with the pen and font it was made in.
struct DrawOp : PenAndFont {
    enum class Kind { Line, Polyline, Ellipse, Arc, Pixel, Text, Clear };
    Kind kind = Kind::Line;
    // Line: from, to. Polyline: every point. Ellipse: box corners.
    // Arc: box corners, start radial point, end radial point. Pixel, Text: position.
    std::vector<IPoint> points;
    std::string text;
    Colour colour = colours::black;  // Pixel and Clear
};

class RecordingCanvas : public CanvasWithPen {
public:
    void setBrushClear() override {}
    void lineTo(int x, int y) override;
    void polyline(const std::vector<IPoint>& points) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void arc(int x1, int y1, int x2, int y2, int sx, int sy, int ex, int ey) override;
    void setPixel(int x, int y, Colour c) override;
    void textOut(int x, int y, const std::string& text) override;
    // A fixed advance for every character, blanks included, so that tests
    // can work out widths by hand; the text scale widens it.
    static constexpr int kCharWidth = 6;
    int textWidth(const std::string& text) override {
        return static_cast<int>(
            std::lround(kCharWidth * static_cast<double>(text.size()) * style().textScaleX));
    }
    void clear(Colour c) override;

    const std::vector<DrawOp>& ops() const { return ops_; }
    void reset() { ops_.clear(); }
    // Recorded operations of one kind, in order.
    std::vector<DrawOp> ofKind(DrawOp::Kind k) const;
    // The first text operation whose text equals t, or nullptr.
    const DrawOp* findText(const std::string& t) const;
    // Index of the first text operation equal to t, or -1.
    int indexOfText(const std::string& t) const;

private:
    DrawOp stamp(DrawOp::Kind k) const;

    std::vector<DrawOp> ops_;
};

}  // namespace tevrane
