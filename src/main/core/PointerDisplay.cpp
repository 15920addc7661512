#include "main/core/PointerDisplay.h"

#include <optional>
#include <string>

#include "model/SettingRules.h"
#include "main/core/Renderer.h"
#include "model/Dimensions.h"
#include "model/Format.h"
#include "platform/Canvas.h"

namespace tevrane {

namespace {

// How each dimension is shown: the zoom k (the view scale at the start-up
// graphic zoom of 7.5) and the offsets that bring its part of the gear into
// sight; an offset left empty keeps the user's. `name` is written instead of
// the dimension's short name where the display words it differently.
struct PointerRow {
    int dim;
    float k;
    std::optional<float> offsetX, offsetY;
    const char* name = nullptr;
};

constexpr float kChest = -600;  // the cylinder and steam chest at the left edge

const PointerRow kRows[] = {
    {1, 30, 290, 212},  {2, 30, 290, 212},   {3, 40, {}, {}},  {4, 40, {}, {}},
    {5, 40, {}, {}},    {6, 40, {}, {}, "Oscillating Lever"},   {7, 40, {}, {}},
    {8, 40, {}, {}},    {9, 40, {}, {}},     {10, 40, {}, {}}, {11, 40, {}, {}},
    {12, 40, {}, 300},  {13, 40, {}, {}},    {14, 40, {}, {}}, {15, 40, {}, {}},
    {16, 40, {}, {}},   {17, 40, {}, {}},    {18, 40, {}, {}}, {19, 40, {}, {}},
    {20, 28, {}, {}, "Rev Arm to Cent Norm"},  {21, 28, {}, {}, "Rev Arm to Cent Max"},
    {101, 28, {}, {}},  {102, 55, kChest, 295}, {103, 55, kChest, 250},
    {104, 55, kChest, 250}, {105, 55, kChest, 250}, {106, 40, -200, 260},
    {107, 55, kChest, 295}, {108, 55, kChest, 295}, {109, 55, kChest, 295},
    {110, 55, kChest, 295}, {111, 55, kChest, 295}, {112, 55, kChest, 295},
    {113, 55, kChest, 295}, {114, 55, kChest, 295}, {115, 55, kChest, 295},
    {116, 55, kChest, 295}, {117, 55, kChest, 295}, {118, 55, kChest, 295},
    {119, 55, kChest, 295}, {120, 55, kChest, 295}, {121, 55, kChest, 295},
    {122, 55, kChest, 295},
};

const PointerRow* rowOf(int dim) {
    for (const PointerRow& r : kRows)
        if (r.dim == dim) return &r;
    return nullptr;
}

// The hourglass, in unscaled pixels: top and base plates, the two sides, and
// the sand running through the waist.
// The hourglass stands below the dimension's name. The name's place and
// letters grow with the large font, so the hourglass goes down with them by
// the vertical factor, or the name would run into it; at the normal font it
// is where it always was (top at row 100).
void drawHourglass(Canvas& c, int down) {
    auto at = [down](std::vector<IPoint> points) {
        for (IPoint& p : points) p.y += down;
        return points;
    };
    c.setPenColour(colours::black);
    c.setPenWidth(2);
    c.polyline(at({{20, 100}, {44, 100}, {44, 104}, {20, 104}, {20, 100}}));
    c.polyline(at({{22, 100}, {22, 112}, {30, 120}, {30, 122}, {22, 130}, {22, 142}}));
    c.polyline(at({{42, 100}, {42, 112}, {34, 120}, {34, 122}, {42, 130}, {42, 142}}));
    c.polyline(at({{20, 142}, {44, 142}, {44, 138}, {20, 138}, {20, 142}}));
    c.setPenWidth(1);
    c.line(24, 136 + down, 32, 127 + down);
    c.line(39, 136 + down, 31, 127 + down);
    c.polyline(at({{31, 117}, {26, 111}, {37, 111}, {31, 118}}));
}

View asView(const ViewSetting& s) {
    View v;
    applyView(v, s);
    return v;
}

// The marker line of a dimension. Pivots and section points are where the
// tick placed them; lengths off a pivot (the cylinder's distance, the reverse
// arm's travel) are measured in the view set for the dimension. The wheel,
// the stroke and the cylinder height are drawn wholly in that view, so they
// land on the new view at once.
void drawMarker(const Model& m, const PointerState& st, Canvas& c) {
    const View v = asView(st.markerView);
    auto col = [&](long double x) { return screenX(v, x); };
    auto row = [&](long double y) { return screenY(v, y); };
    auto P = [&](int i) { return IPoint{m.pivotScreenX[i], m.pivotScreenY[i]}; };
    auto at = [&](int i) { return IPoint{col(m.pivotX[i]), row(m.pivotY[i])}; };
    const IPoint* C = m.cylinderPoints;
    const IPoint* V = m.valvePoints;
    auto mid = [](int a, int b) { return (a + b) / 2; };
    auto line = [&](IPoint a, IPoint b) { c.line(a.x, a.y, b.x, b.y); };
    const long double x1 = m.pivotX[kDriverCentre], y1 = m.pivotY[kDriverCentre];
    const long double cylX = x1 + m.cyl.cylCentreToDriver;

    switch (st.shownDim) {
        case 1: {
            const long double r = m.driverDiameter / 2.0L;
            line({col(x1), row(y1 - r)}, {col(x1), row(y1 + r)});
            break;
        }
        case 2: {
            const long double x2 = m.pivotX[kCrankPin], y2 = m.pivotY[kCrankPin];
            line(at(kCrankPin), {col(2 * x1 - x2), row(2 * y1 - y2)});
            break;
        }
        case 3: line(P(2), P(3)); break;
        case 4: line(P(13), P(10)); break;
        case 5: line(P(2), P(13)); break;
        case 6: line(P(10), P(11)); break;
        case 7: line(P(9), P(15)); break;
        case 8: line(P(10), P(15)); break;
        case 9: line(P(11), P(12)); break;
        case 10: line({P(12).x, P(1).y}, P(12)); break;
        case 11: line({P(1).x, P(12).y}, P(12)); break;
        case 12: line(P(5), P(18)); break;
        case 13: line(P(5), P(6)); break;
        case 14: line({P(5).x, P(1).y}, P(5)); break;
        case 15: line({P(1).x, P(5).y}, P(5)); break;
        case 16: line(P(4), P(7)); break;
        case 17: line(P(8), P(14)); break;
        case 18: line(P(7), P(14)); break;
        case 19: line(P(8), P(9)); break;
        case 20:
        case 21: {
            // The travel either side of the centre, one half in each colour.
            const long double centre = m.revArmCentre();
            const long double travel = st.shownDim == 20 ? m.revArmNormal : m.revArmMax;
            const int y = P(kReverseArmEnd).y + 5;
            line({col(centre - travel), y}, {col(centre), y});
            c.setPenColour(c.penColour() == colours::black ? colours::red : colours::black);
            line({col(centre), y}, {col(centre + travel), y});
            break;
        }
        case 101: line(P(1), {col(cylX), P(1).y}); break;
        case 102: line({col(cylX), at(kDriverCentre).y}, {col(cylX), at(kCrosshead).y}); break;
        case 103: line(C[5], C[6]); break;
        case 104: line(C[6], C[7]); break;
        case 105: line(C[5], C[18]); break;
        case 106:
            line(P(3), {col(m.pivotX[kCrosshead] + static_cast<long double>(
                                                        m.cyl.pistonToCrosshead)),
                        P(3).y});
            break;
        case 107: line(V[1], V[4]); break;
        case 108: line({C[2].x + 5, C[2].y}, {C[2].x + 5, P(3).y}); break;
        case 109: line({C[2].x, P(4).y}, {C[2].x, P(3).y}); break;
        case 110: line(C[15], {C[22].x, C[15].y}); break;
        case 111: line(C[15], C[16]); break;
        case 112: line(C[21], C[22]); break;
        case 113: line(C[3], C[16]); break;
        case 114: line(C[10], C[21]); break;
        case 115: line(C[1], C[2]); break;
        case 116: line(C[2], C[11]); break;
        case 117: line(V[6], V[13]); break;
        case 118: line(V[6], {mid(V[7].x, V[6].x), V[6].y}); break;
        case 119: line(V[7], {mid(V[7].x, V[6].x), V[7].y}); break;
        case 120: line(V[12], {mid(V[9].x, V[12].x), V[12].y}); break;
        case 121: line(V[9], {mid(V[9].x, V[12].x), V[9].y}); break;
        case 122: line(P(4), {mid(V[9].x, V[12].x), P(4).y}); break;
        default: break;
    }
}

}  // namespace

ViewSetting currentView(const View& v) { return {v.viewScale, v.viewOffsetX, v.viewOffsetY}; }

void applyView(View& v, const ViewSetting& s) {
    v.viewScale = s.scale;
    v.viewOffsetX = s.offsetX;
    v.viewOffsetY = s.offsetY;
}

std::string pointerName(int dim) {
    const PointerRow* r = rowOf(dim);
    if (!r) return {};
    if (r->name) return r->name;
    const DimensionInfo* info = findDimension(dim);
    return info ? std::string(info->name) : std::string();
}

void advancePointerDisplay(Model& m, PointerState& st, RendererHost& host) {
    st.pictureView = currentView(m);
    st.viewMoved = false;
    st.shownDim = 0;
    if (m.pointerDim == 0) return;
    const int dim = m.pointerDim;

    // The dialog the dimension belongs to steps aside for the picture.
    st.returnToFrameDialog = dim < 100;
    host.closeDimensionWindow(st.returnToFrameDialog ? DimensionWindow::Frame
                                                     : DimensionWindow::Cylinder);

    if (m.pointerFrameCount == 0) {
        st.savedView = currentView(m);
        host.setPointerDisplayShown(true);
    }

    ++m.pointerFrameCount;
    ++st.blinkCount;
    st.red = st.blinkCount < 4;

    // The view for the dimension. The zoom divides the scale, so a large
    // gear (drawn in small units) is brought back to the size of the model
    // the table was made for; a zoom read from a file is kept to the range
    // the zoom dialog allows.
    if (const PointerRow* r = rowOf(dim)) {
        const long double zoom = setting::clampGraphicZoom(m.graphicZoom);
        m.viewScale = static_cast<float>(r->k / zoom * 7.5L);
        if (r->offsetX) m.viewOffsetX = *r->offsetX;
        if (r->offsetY) m.viewOffsetY = *r->offsetY;
    }
    st.markerView = currentView(m);
    st.shownDim = dim;

    if (st.blinkCount > 5) st.blinkCount = 0;

    if (m.pointerFrameCount > kPointerFrames - 1) {
        m.pointerFrameCount = 0;
        st.blinkCount = 0;
        m.pointerDim = 0;
        applyView(m, st.savedView);
        // Opened once this tick is over, so the dialog's own loop never runs
        // inside a half-drawn frame.
        host.reopenDimensionWindow(st.returnToFrameDialog ? DimensionWindow::Frame
                                                          : DimensionWindow::Cylinder);
        host.setPointerDisplayShown(false);
    }
    st.viewMoved = !(currentView(m) == st.pictureView);
}

void drawPointerDisplay(const Model& m, const PointerState& st, Canvas& c) {
    if (st.shownDim == 0) return;
    drawHourglass(c, toInt(100.0L * m.fontScaleY) - 100);

    c.setPenWidth(3);
    c.setPenColour(st.red ? colours::red : colours::black);
    drawMarker(m, st, c);

    c.setFontSize(14);
    c.setFontColour(colours::black);
    c.textOut(toInt(30.0L * m.fontScaleX), toInt(75.0L * m.fontScaleY), pointerName(st.shownDim));
    c.setFontSize(kDefaultFontSize);
}

}  // namespace tevrane
