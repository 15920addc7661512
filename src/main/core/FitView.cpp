#include "main/core/FitView.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/Comparison.h"
#include "model/Format.h"
#include "model/Solver.h"

namespace tevrane {

namespace {

// Driver angles a full turn is sampled at. The extremes of a crank-driven
// linkage lie between samples by at most a small fraction of a rod's swing;
// the margin holds that.
constexpr int kFitSamples = 120;
// The outlines are placed in whole pixels: worked out at this many pixels per
// unit they are exact to a thousandth of the unit. A large design (in
// millimetres) is worked out at fewer, so its pixels stay inside the range
// the conversion saturates at.
constexpr double kOutlineScale = 1000.0;
constexpr double kOutlineReach = 100000.0;  // pixels; a tenth of that range
// The zoom's range, as the zoom bar keeps it.
constexpr double kMinScale = 0.5, kMaxScale = 3000.0;
// The readouts and controls at the picture's top end above this row at the
// normal font (the last readout row is written at 121, the reference point
// frame ends at 127).
constexpr int kPanelBottom = 136;

struct Extent {
    double left = std::numeric_limits<double>::infinity();
    double right = -std::numeric_limits<double>::infinity();
    double bottom = std::numeric_limits<double>::infinity();
    double top = -std::numeric_limits<double>::infinity();
    void see(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
    }
    void seePixel(const IPoint& p, double scale) { see(p.x / scale, -p.y / scale); }
};

}  // namespace

WorldBox gearExtent(const Model& m, float revArmPos) {
    Model g = m;  // the live model is never touched
    g.revArmPos = revArmPos;
    g.driverAngle = 0;
    solvePivots(g);
    double size = std::fabs(static_cast<double>(m.driverDiameter)) + std::fabs(static_cast<double>(m.cyl.boreLength));
    for (int i = 0; i <= 18; ++i)
        if (std::isfinite(g.pivotX[i]) && std::isfinite(g.pivotY[i]))
            size = std::max({size, std::fabs(static_cast<double>(g.pivotX[i])), std::fabs(static_cast<double>(g.pivotY[i]))});
    const double outlineScale = std::clamp(kOutlineReach / std::max(size, 1e-9), 1.0, kOutlineScale);
    g.viewScale = static_cast<float>(outlineScale);
    g.viewOffsetX = 0;
    g.viewOffsetY = 0;
    Extent e;
    const double radius = std::fabs(static_cast<double>(m.driverDiameter)) / 2.0;
    for (int k = 0; k < kFitSamples; ++k) {
        g.driverAngle = static_cast<float>(360.0 * k / kFitSamples);
        solveAll(g);
        // The wheel about pivot 1, then the linkage's pivots (0..18; the
        // reference points are not part of the gear).
        e.see(g.pivotX[1] - radius, g.pivotY[1] - radius);
        e.see(g.pivotX[1] + radius, g.pivotY[1] + radius);
        for (int i = 0; i <= 18; ++i) e.see(g.pivotX[i], g.pivotY[i]);
        for (const IPoint& p : g.cylinderPoints) e.seePixel(p, outlineScale);
        for (const IPoint& p : g.valvePoints) e.seePixel(p, outlineScale);
    }
    if (!(e.left <= e.right)) return {};  // nothing finite at all
    return {e.left, e.right, e.bottom, e.top};
}

ViewSetting fitView(const WorldBox& box, const PixelBox& area, int margin) {
    const double roomW = area.width - 2.0 * margin;
    const double roomH = area.height - 2.0 * margin;
    double scale = 1.0;
    if (box.width() > 0 && box.height() > 0 && roomW > 0 && roomH > 0)
        scale = std::min(roomW / box.width(), roomH / box.height());
    else if (box.width() > 0 && roomW > 0)
        scale = roomW / box.width();
    else if (box.height() > 0 && roomH > 0)
        scale = roomH / box.height();
    scale = std::clamp(scale, kMinScale, kMaxScale);
    // The box's middle on the area's middle: x grows to the right, y upwards.
    const double midX = (box.left + box.right) / 2.0;
    const double midY = (box.bottom + box.top) / 2.0;
    const double centreX = area.left + area.width / 2.0;
    const double centreY = area.top + area.height / 2.0;
    return {static_cast<float>(scale), static_cast<float>(centreX - midX * scale),
            static_cast<float>(centreY + midY * scale)};
}

void fitForPicture(Model& m, int width, int height, int reservedBottom) {
    const ViewSetting v =
        fitView(gearExtent(m, m.revArmPos), fitArea(m, width, height - std::max(0, reservedBottom)), kFitMargin);
    m.viewScale = v.scale;
    m.viewOffsetX = v.offsetX;
    m.viewOffsetY = v.offsetY;
    pivotsToScreen(m);
    computeOutlines(m);
    placeReference(m);
}

PixelBox fitArea(const Model& m, int width, int height) {
    const int top = m.screenDataOn ? toInt(kPanelBottom * static_cast<long double>(m.fontScaleY)) : 0;
    return {0, top, std::max(0, width), std::max(0, height - top)};
}

}  // namespace tevrane
