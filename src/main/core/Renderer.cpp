#include "main/core/Renderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "main/core/PointerDisplay.h"
#include "main/core/SteamDisplay.h"
#include "model/DynVars.h"
#include "model/Format.h"

namespace tevrane {

namespace {

constexpr long double kDegToRad = std::numbers::pi_v<long double> / 180.0L;

// ---- small helpers -------------------------------------------------------------

// The cut-off labels are shown while the gear turns slowly enough to read them.
bool cutoffLabelsShown(const Model& m) {
    const long double step = m.stepAngle;
    return step != 0.0L && step < 23.0L;
}

// Pivot numbers read from a table are floats; a damaged file could hold
// anything, so they are rounded and kept inside the pivot arrays.
int pivotIndex(float stored) {
    return std::clamp(toInt(stored), 0, kPivotCount - 1);
}

// A text base position scaled by the large-font factors.
IPoint textAt(const Model& m, long double bx, long double by) {
    return {toInt(bx * m.fontScaleX), toInt(by * m.fontScaleY)};
}

void text(Canvas& c, const Model& m, long double bx, long double by, const std::string& s) {
    const IPoint p = textAt(m, bx, by);
    c.textOut(p.x, p.y, s);
}

// The ellipse whose box is the world square about (x, y) with half side r,
// mapped to the screen. `grow` widens the box at the right and the bottom.
void worldCircle(Canvas& c, const Model& m, long double x, long double y, long double r,
                 int grow = 0) {
    c.ellipse(screenX(m, x - r), screenY(m, y + r), screenX(m, x + r) + grow,
              screenY(m, y - r) + grow);
}

void pivotCircle(Canvas& c, const Model& m, int i, long double r) {
    worldCircle(c, m, m.pivotX[i], m.pivotY[i], r);
}

void screenLine(Canvas& c, IPoint a, IPoint b) { c.line(a.x, a.y, b.x, b.y); }

IPoint pivotScreen(const Model& m, int i) { return {m.pivotScreenX[i], m.pivotScreenY[i]}; }

long double distance(long double dx, long double dy) { return std::sqrt(dx * dx + dy * dy); }

// ---- step 3: captions -----------------------------------------------------------

const char* captionHead(CaptionWindow w) {
    switch (w) {
        case CaptionWindow::Main: return "Tevrane Outside Admission            ";
        case CaptionWindow::Sine: return "Tevrane Outside Admission      Sine Diagram    ";
        case CaptionWindow::Oval: return "Tevrane Outside Admission      Oval Diagram    ";
        case CaptionWindow::Steam: return "Tevrane Outside Admission      Steam Diagram    ";
        case CaptionWindow::Ports: return "Tevrane Outside Admission      Port Open/Closed    ";
        case CaptionWindow::DataTable: return "Tevrane Outside Admission  Data Table ";
        case CaptionWindow::Count: break;
    }
    return "";
}

void setCaptions(const Model& m, RendererHost& host, const FrameClock& clock) {
    for (CaptionWindow w : {CaptionWindow::Main, CaptionWindow::Sine, CaptionWindow::Oval,
                            CaptionWindow::Steam, CaptionWindow::Ports,
                            CaptionWindow::DataTable})
        host.setCaption(w, frameCaption(m, w, clock));
}

// ---- step 4: driver, counterweight and pivot circles ------------------------------

void drawDriverAndPivots(const Model& m, Canvas& c) {
    const long double d = m.driverDiameter;
    const long double s = m.viewScale;
    const long double ox = m.viewOffsetX;
    const long double oy = m.viewOffsetY;

    pivotCircle(c, m, kDriverCentre, d / 2);

    // The counterweight: the 140 degrees of the wheel opposite the crank. The
    // radials are taken on the screen (rows grow downwards), where the crank
    // points at angle theta, so the arc runs from theta-110 to theta+110
    // through theta+180.
    const long double theta = m.driverAngle;
    const long double k = 0.35L * d;
    const long double a0 = (theta - 110.0L) * kDegToRad;
    const long double a1 = (theta + 110.0L) * kDegToRad;
    c.arc(screenX(m, -k), screenY(m, k), screenX(m, k), screenY(m, -k),
          toInt(ox + d * s * std::cos(a0)), toInt(oy + d * s * std::sin(a0)),
          toInt(ox + d * s * std::cos(a1)), toInt(oy + d * s * std::sin(a1)));

    pivotCircle(c, m, kDriverCentre, 0.08L * d);
    pivotCircle(c, m, kCrankPin, 0.05L * d);
    pivotCircle(c, m, kCrosshead, 0.04L * d);
    for (int i : {4, 5, 7, 8, 9, 10, 11, 12}) pivotCircle(c, m, i, 0.02L * d);
    pivotCircle(c, m, kReverseArmEnd, 0.02L * d);
}

// ---- steps 5 and 6: cylinder section, piston and valve ---------------------------

void drawSection(const Model& m, Canvas& c) {
    c.setPenColour(colours::grey);
    c.polyline(std::vector<IPoint>(m.cylinderPoints, m.cylinderPoints + 14));
    c.polyline(std::vector<IPoint>(m.cylinderPoints + 14, m.cylinderPoints + 24));
}

void drawPistonAndValve(const Model& m, Canvas& c) {
    const IPoint* v = m.valvePoints;
    c.setPenColour(colours::black);
    screenLine(c, pivotScreen(m, kCrosshead), v[0]);  // piston rod
    c.polyline({v[4], v[1], v[2], v[3], v[4]});       // piston
    screenLine(c, pivotScreen(m, kValveStemJoint), v[5]);  // valve stem
    c.polyline({v[13], v[6], v[7], v[8], v[9], v[10], v[11], v[12], v[13]});  // slide valve
}

// ---- step 7: fixed pivot marks ---------------------------------------------------

void drawFixedPivotMarks(const Model& m, Canvas& c) {
    c.setPenColour(colours::red);
    for (int i : {kOrigin, kLinkPivot, kSwingLeverPivot}) {
        const int x = m.pivotScreenX[i];
        const int y = m.pivotScreenY[i];
        c.line(x + 5, y + 5, x - 6, y - 6);
        c.line(x + 5, y - 5, x - 6, y + 6);
    }
}

// ---- step 8: links ----------------------------------------------------------------

void drawLinks(const Model& m, Canvas& c) {
    struct Link {
        int from, to;
        Colour colour;
    };
    static constexpr Link kLinks[] = {
        {10, 13, colours::red},    {3, 2, colours::red},    {4, 7, colours::lime},
        {7, 8, colours::cyan},     {8, 9, colours::cyan},   {9, 15, colours::blue},
        {10, 11, colours::blue},   {11, 12, colours::magenta}, {6, 18, colours::blue},
    };
    for (const Link& l : kLinks) {
        c.setPenColour(l.colour);
        screenLine(c, pivotScreen(m, l.from), pivotScreen(m, l.to));
    }
    // The reverse arm's reach rod: level with pivot 18, ending above the driver.
    c.setPenColour(colours::black);
    screenLine(c, pivotScreen(m, kReverseArmEnd),
               {m.pivotScreenX[kDriverCentre], m.pivotScreenY[kReverseArmEnd]});
}

// ---- step 9: lines and circles overlay -------------------------------------------

void drawOverlay(const Model& m, Canvas& c) {
    for (int k = 1; k <= kOverlayEntries; ++k) {
        // An unused entry holds colour -1. It leaves the pen as the previous
        // entry set it rather than painting in some invented colour; this is
        // the colour the reference point crosses then use. Any other value is
        // kept to a valid 24-bit colour.
        const std::int32_t colour = toInt(m.lineColour[k], 0x1000000);
        if (colour != -1) c.setPenColour(static_cast<Colour>(std::clamp(colour, 0, 0xFFFFFF)));

        const float kind = m.lineType[k];
        const float mode = m.lineMode[k];
        const long double x1 = m.lineX1[k], y1 = m.lineY1[k];
        const long double x2 = m.lineX2[k], y2 = m.lineY2[k];
        const int a = pivotIndex(m.linePivotA[k]);
        const int b = pivotIndex(m.linePivotB[k]);
        const long double ax = m.pivotX[a], ay = m.pivotY[a];
        const long double bx = m.pivotX[b], by = m.pivotY[b];

        auto line = [&](long double xa, long double ya, long double xb, long double yb) {
            c.line(screenX(m, xa), screenY(m, ya), screenX(m, xb), screenY(m, yb));
        };

        if (kind == 0.0f) {
            if (mode == 0.0f)
                line(x1, y1, x2, y2);
            else if (mode == 1.0f)
                line(ax + x1, ay + y1, ax + x2, ay + y2);
            else if (mode == 2.0f)
                line(ax + x1, ay + y1, x2, y2);
            else if (mode == 3.0f)
                line(ax + x1, ay + y1, bx + x2, by + y2);
        } else if (kind == 1.0f) {
            // A circle follows at most one pivot; x2 holds its radius.
            if (mode == 0.0f)
                worldCircle(c, m, x1, y1, x2, 1);
            else if (mode == 1.0f)
                worldCircle(c, m, ax + x1, ay + y1, x2, 1);
        }
    }
}

// ---- step 10: screen-data layers ---------------------------------------------------

// The undo line's base row: below the dynamic variables while they are shown.
long double undoLineRow(const Model& m) { return m.dynVarsVisible ? 128.0L : 73.0L; }

void drawUndoLine(const Model& m, Canvas& c) {
    if (!m.undoEnabled) return;
    // Both coordinates follow the horizontal factor here.
    const long double tx = m.fontScaleX;
    c.textOut(toInt(320.0L * tx), toInt(undoLineRow(m) * tx), undoLine(m));
}

void drawControlLabels(const Model& m, Canvas& c) {
    text(c, m, 199, 25, "Pan Vert");
    text(c, m, 199, 39, "Pan Horz");
    text(c, m, 199, 53, "Zoom");
}

void drawReadings(const Model& m, Canvas& c) {
    auto reading = [&](int bx, int by, const char* label, long double v, int w, int d) {
        text(c, m, bx, by, label + fixed(static_cast<double>(v), w, d) + "  ");
    };
    // A setting in millimetres has three figures before the point: with two
    // decimals (finer than the thousandth of an inch) it keeps to its field
    // and does not run into "Piston %" beside it.
    reading(459, 25, "Rev Arm ", m.revArmPos, 6, m.lengthUnit == LengthUnit::Millimetre ? 2 : 3);
    reading(459, 39, "Driv Ang ", m.driverAngle, 6, 2);
    reading(459, 53, "Step Ang", m.stepAngle, 6, 2);
    reading(545, 25, "Piston % ", m.pistonTrace / kPistonPerPercent<long double> + 0.00001L, 6, 2);
    reading(545, 37, "ValveCen", m.valveTravel, 7, 3);
    reading(545, 49, "ValveFSt", m.frontSteamOpening, 7, 3);
    reading(545, 61, "ValveFEx", m.frontExhaustOpening, 7, 3);
    reading(545, 73, "ValveRSt", m.rearSteamOpening, 7, 3);
    reading(545, 85, "ValveREx", m.rearExhaustOpening, 7, 3);
    reading(545, 97, "ValvLevA", m.valveLeverAngle * 180.0L / std::numbers::pi_v<long double>, 7, 2);
}

// Frames 1..9 show the "Error" entry, frame 10 hides it and sounds the
// error, frames 11..20 are quiet, and frame 21 returns to idle.
void errorFlash(Model& m, RenderState& st, RendererHost& host) {
    if (!m.solverError) return;
    ++st.errorFlashCount;
    if (st.errorFlashCount < 10) host.setErrorItemVisible(true);
    if (st.errorFlashCount == 10) {
        host.setErrorItemVisible(false);
        host.playSound("Error.wav");
    }
    if (st.errorFlashCount > 20) {
        st.errorFlashCount = 0;
        m.solverError = false;
    }
}

// At the large font the readout's rows reach down into the driving wheel of
// the usual view, and the wheel's rim would strike through the figures. They
// are laid on white there, so each figure reads whole; at the normal font the
// rows stand above the wheel and nothing is covered.
void clearBehindPivotData(const Model& m, Canvas& c) {
    if (m.fontScaleY <= 1.0f) return;
    const IPoint top = textAt(m, 0, 126);
    const IPoint bottom = textAt(m, 0, 140 + 10 * (kPivotDataRows + 1) + 2);
    const int right = textAt(m, 90, 0).x + c.textWidth(fixed(-999.999, 7, 3)) + 2;
    const Colour pen = c.penColour();
    const int width = c.penWidth();
    c.setPenWidth(1);
    c.setPenColour(colours::white);
    for (int y = top.y; y <= bottom.y; ++y) c.line(0, y, right + 1, y);
    // A grey edge says the gear runs on under the readout.
    c.setPenColour(colours::grey);
    c.line(right + 1, top.y, right + 1, bottom.y + 1);
    c.line(0, bottom.y + 1, right + 2, bottom.y + 1);
    c.setPenColour(pen);
    c.setPenWidth(width);
}

void drawPivotData(const Model& m, Canvas& c) {
    clearBehindPivotData(m, c);
    text(c, m, 1, 128, "    Pivot Data");
    text(c, m, 1, 138, "No.  Vert     Horz");
    const long double s = m.viewScale, ox = m.viewOffsetX, oy = m.viewOffsetY;
    for (int k = 1; k <= kPivotDataRows; ++k) {
        const int by = 140 + 10 * k;
        const std::string number = std::to_string(k);
        c.setFontColour(colours::red);
        text(c, m, 3, by, number);
        c.setFontColour(colours::black);
        if (m.pivotRowActive[k]) {
            const int p = pivotIndex(m.pivotRowPivot[k]);
            text(c, m, 12, by, fixed(m.pivotY[p], 7, 3));
            text(c, m, 50, by, fixed(m.pivotX[p], 7, 3));
            // The row number beside the pivot itself, on the drawing's own scale.
            c.setFontColour(colours::red);
            c.textOut(toInt(m.pivotX[p] * s + ox + 4), toInt(-m.pivotY[p] * s + oy - 12), number);
            c.setFontColour(colours::black);
        }
        // Rows are paired 1-2, 3-4, 5-6: the distance between the two pivots.
        if (k % 2 == 1 && m.pivotRowActive[k] && m.pivotRowActive[k + 1]) {
            const int p = pivotIndex(m.pivotRowPivot[k]);
            const int q = pivotIndex(m.pivotRowPivot[k + 1]);
            const long double dist = distance(static_cast<long double>(m.pivotX[p]) - m.pivotX[q],
                                              static_cast<long double>(m.pivotY[p]) - m.pivotY[q]);
            text(c, m, 90, 155 + 20 * (k / 2), fixed(static_cast<double>(dist), 7, 3));
        }
    }
}

void drawLinesPrompt(const Model& m, Canvas& c) {
    c.setFontColour(colours::red);
    c.setFontBold(true);
    if (m.drawLinesRefChoice < 3) {
        text(c, m, 10, 130, "STOP MOTION AND SELECT PIVOT 1");
        text(c, m, 10, 143, "USE LEFT MOUSE BUTTON");
        text(c, m, 10, 156, "MOVE MOTION IF NECESSARY TO CLEAR PIVOT");
    } else if (m.drawLinesRefChoice == 3) {
        text(c, m, 10, 130, "STOP MOTION AND SELECT PIVOT 1 AND PIVOT 2");
        text(c, m, 10, 143, "USE LEFT MOUSE BUTTON FIRST THEN RIGHT");
        text(c, m, 10, 156, "MOVE MOTION IF NECESSARY TO CLEAR PIVOTS");
    }
    c.setFontColour(colours::black);
    c.setFontBold(false);
}

// The cut-off is the piston position at which a steam port closes, found by
// linear interpolation between the last frame and this one. The figure stays
// for a number of frames inversely proportional to the step, so it stays on
// screen for about the same angle of rotation at any speed.
void advanceCutoff(Model& m, RenderState& st) {
    const long double pos = m.pistonTrace;
    const long double step = m.stepAngle;
    const long double fst = m.frontSteamOpening;
    const long double rst = m.rearSteamOpening;
    const bool showLabels = cutoffLabelsShown(m);

    // Both signs are strict, so the two openings differ and the divisor is
    // never zero.
    if (st.prevFSt > 0 && fst < 0) {
        st.frontCutoffHold = toInt(400.0L / (step + 0.1L));
        const long double at = st.prevPistonPos -
                               st.prevFSt * (pos - st.prevPistonPos) / (fst - st.prevFSt);
        const long double percent = at / kPistonPerPercent<long double>;
        m.frontCutoffText = cut(fixed(static_cast<double>(percent), 4, 1), 10);
    }
    st.frontCutoffShown = showLabels && st.frontCutoffHold > 0;
    if (st.frontCutoffShown) --st.frontCutoffHold;
    if (st.prevRSt > 0 && rst < 0) {
        st.rearCutoffHold = toInt(400.0L / (step + 0.1L));
        const long double at = st.prevPistonPos -
                               st.prevRSt * (pos - st.prevPistonPos) / (rst - st.prevRSt);
        const long double percent = (kPistonScale<long double> - at) / kPistonPerPercent<long double>;
        m.rearCutoffText = cut(fixed(static_cast<double>(percent), 4, 1), 10);
    }
    st.rearCutoffShown = showLabels && st.rearCutoffHold > 0;
    if (st.rearCutoffShown) --st.rearCutoffHold;
    st.prevPistonPos = m.pistonTrace;
    st.prevFSt = m.frontSteamOpening;
    st.prevRSt = m.rearSteamOpening;
}

void drawCutoff(const Model& m, const RenderState& st, Canvas& c) {
    if (!cutoffLabelsShown(m)) return;
    text(c, m, 545, 109, "FrontCO% ");
    if (st.frontCutoffShown) text(c, m, 600, 109, m.frontCutoffText);
    text(c, m, 545, 121, "RearCO% ");
    if (st.rearCutoffShown) text(c, m, 600, 121, m.rearCutoffText);
}

// Drawn in the pen colour the overlay left behind.
void drawReferencePoints(const Model& m, Canvas& c) {
    auto mark = [&](int i, const char* name, int byV, const char* label) {
        const int x = m.pivotScreenX[i];
        const int y = m.pivotScreenY[i];
        c.line(x, y - 10, x, y + 10);
        c.line(x - 10, y, x + 10, y);
        text(c, m, 143, byV, std::string("Pt") + name + "V " + fixed(m.pivotY[i], 6, 3));
        text(c, m, 143, byV + 12, std::string("Pt") + name + "H " + fixed(m.pivotX[i], 6, 3));
        c.textOut(x + 3, y - 17, label);
    };
    mark(kRefPoint2, "2", 95, "2");
    mark(kRefPoint1, "1", 71, "1");
    const long double dy = static_cast<long double>(m.pivotY[kRefPoint1]) - m.pivotY[kRefPoint2];
    const long double dx = static_cast<long double>(m.pivotX[kRefPoint1]) - m.pivotX[kRefPoint2];
    text(c, m, 210, 71, fixed(static_cast<double>(dy), 6, 3));
    text(c, m, 210, 83, fixed(static_cast<double>(dx), 6, 3));
    text(c, m, 207, 95, "Pt1-Pt2");
    text(c, m, 209, 107, fixed(static_cast<double>(distance(dx, dy)), 6, 3));
}

void drawDynamicVariables(const Model& m, Canvas& c) {
    if (m.dynVarName[1] != kEmptySlotName) {
        for (int k = 1; k <= 4; ++k) {
            const int by = 71 + 12 * (k - 1);
            text(c, m, 377, by, m.dynVarName[k]);
            text(c, m, 498, by, fixed(m.dynVarValue[k], 6, 3));
        }
    } else {
        c.setFontColour(colours::red);
        text(c, m, 377, 71, "*******************************");
        text(c, m, 377, 81, "* First Select Dimensions *");
        text(c, m, 377, 95, "*******************************");
        c.setFontColour(colours::black);
    }
}

void drawScreenData(const Model& m, const RenderState& st, Canvas& c) {
    drawUndoLine(m, c);
    drawControlLabels(m, c);
    drawReadings(m, c);
    if (m.pivotDataOn) drawPivotData(m, c);
    if (m.drawLinesPick) drawLinesPrompt(m, c);
    drawCutoff(m, st, c);
    if (m.refPointsOn) drawReferencePoints(m, c);
    if (m.dynVarsVisible) drawDynamicVariables(m, c);
}

// ---- the reference design under the live gear ------------------------------

// Light enough that the live gear reads on top of it, dark enough to see on white.
constexpr Colour kReferenceColour = rgb(200, 200, 200);
// Its name a little darker, to be read.
constexpr Colour kReferenceTextColour = colours::grey;

void drawReferenceGear(const Model& m, Canvas& c) {
    const ReferenceSolution& r = m.referenceSolved;
    c.setPenColour(kReferenceColour);
    auto at = [&r](int i) { return IPoint{r.pivotScreenX[i], r.pivotScreenY[i]}; };
    auto circle = [&](int i, long double radius) { worldCircle(c, m, r.pivotX[i], r.pivotY[i], radius); };
    const long double d = r.driverDiameter;
    circle(kDriverCentre, d / 2);
    // The counterweight opposite the crank, as the live gear draws it.
    const long double theta = m.driverAngle;
    const long double k = 0.35L * d;
    const long double s = m.viewScale, ox = m.viewOffsetX, oy = m.viewOffsetY;
    const long double a0 = (theta - 110.0L) * kDegToRad;
    const long double a1 = (theta + 110.0L) * kDegToRad;
    c.arc(screenX(m, -k), screenY(m, k), screenX(m, k), screenY(m, -k), toInt(ox + d * s * std::cos(a0)),
          toInt(oy + d * s * std::sin(a0)), toInt(ox + d * s * std::cos(a1)), toInt(oy + d * s * std::sin(a1)));
    circle(kDriverCentre, 0.08L * d);
    circle(kCrankPin, 0.05L * d);
    circle(kCrosshead, 0.04L * d);
    for (int i : {4, 5, 7, 8, 9, 10, 11, 12, 18}) circle(i, 0.02L * d);

    c.polyline(std::vector<IPoint>(r.cylinderPoints, r.cylinderPoints + 14));
    c.polyline(std::vector<IPoint>(r.cylinderPoints + 14, r.cylinderPoints + 24));
    const IPoint* v = r.valvePoints;
    screenLine(c, at(kCrosshead), v[0]);
    c.polyline({v[4], v[1], v[2], v[3], v[4]});
    screenLine(c, at(kValveStemJoint), v[5]);
    c.polyline({v[13], v[6], v[7], v[8], v[9], v[10], v[11], v[12], v[13]});

    for (int i : {kOrigin, kLinkPivot, kSwingLeverPivot}) {
        const IPoint p = at(i);
        c.line(p.x + 5, p.y + 5, p.x - 6, p.y - 6);
        c.line(p.x + 5, p.y - 5, p.x - 6, p.y + 6);
    }
    static constexpr std::pair<int, int> kLinks[] = {{10, 13}, {3, 2}, {4, 7}, {7, 8}, {8, 9},
                                                     {9, 15},  {10, 11}, {11, 12}, {6, 18}};
    for (const auto& [from, to] : kLinks) screenLine(c, at(from), at(to));
    screenLine(c, at(kReverseArmEnd), {r.pivotScreenX[kDriverCentre], r.pivotScreenY[kReverseArmEnd]});
}

}  // namespace

std::string referenceLabel(const Model& m) {
    std::string s = "Reference: " + (m.referenceName.empty() ? std::string("(unnamed)") : m.referenceName);
    if (m.referenceEngine.lengthUnit != m.lengthUnit)
        s += std::string(" (") + unitSymbol(m.referenceEngine.lengthUnit) + ", drawn in " +
             unitSymbol(m.lengthUnit) + ")";
    if (m.referenceSolved.clamps > 0) s += "  - its linkage does not close here";
    return s;
}

IPoint referenceLabelAt(const Model& m) {
    // The picture's top-left corner below the control panel, clear of the
    // readouts to its right; below the pivot data rows or the draw-lines
    // prompt while they are shown there. Kept near the other drawing, so the
    // frame's drawn box (cleared and compared every tick) does not grow.
    if (!m.screenDataOn) return textAt(m, 1, 4);
    // The panel ends above row 136; a line of letters is 14 rows at most.
    return textAt(m, 1, m.pivotDataOn ? 216 : m.drawLinesPick ? 172 : 136);
}

void drawReference(const Model& m, Canvas& c) {
    if (!m.referenceShown) return;
    drawReferenceGear(m, c);
    c.setFontColour(kReferenceTextColour);
    const IPoint p = referenceLabelAt(m);
    c.textOut(p.x, p.y, referenceLabel(m));
    c.setFontColour(colours::black);
}

std::string frameCaption(const Model& m, CaptionWindow w, const FrameClock& clock) {
    return captionHead(w) + m.currentFileName + "     " + clock.date + "   " + clock.time +
           "   " + kVersionText;
}

void prepareFrame(Model& m, RenderState& st, RendererHost& host, const FrameClock& clock) {
    // Pivot 18 stands at the reverse arm setting, also when the setting moved
    // since the last solve.
    m.pivotX[kReverseArmEnd] = m.revArmPos;

    // The steam display's phases, densities and exhaust beats move on only
    // while it is shown.
    if (m.steamDisplay) advanceSteam(m, st.steam, host);

    // Captions of every window that shows the file name and the time.
    setCaptions(m, host, clock);

    if (m.screenDataOn) {
        // Both coordinates of the button follow the horizontal factor.
        host.setUndoButton(m.undoEnabled, toInt((undoLineRow(m) - 1.0L) * m.fontScaleX));
        errorFlash(m, st, host);
        advanceCutoff(m, st);
        if (m.dynVarsVisible)
            for (int k = 1; k <= 4; ++k)
                host.setDynVarBarEnabled(k, m.dynVarName[k] != kEmptySlotName);
    } else {
        const long double by = m.dynVarsVisible ? 127.0L : 72.0L;
        host.setUndoButton(false, toInt(by * m.fontScaleX));
    }

    // Last, as its drawing comes last: the steps before it (the steam
    // display's beats among them) still see a display that ends in this
    // frame as running.
    advancePointerDisplay(m, st.pointer, host);
}

namespace {

void drawPicture(const Model& m, const RenderState& st, Canvas& c) {
    // 1. The picture itself is created white by the caller; set the pen up.
    c.setPenWidth(m.lineWidth);
    c.setBrushClear();
    c.setPenColour(colours::black);
    // The large font spreads the texts apart and makes their letters larger
    // by the same factors.
    c.setTextScale(m.fontScaleX, m.fontScaleY);

    // 2. Steam first, so the mechanism is drawn over it.
    if (m.steamDisplay) drawSteam(m, st.steam, c);

    // 3. (The captions are set by prepareFrame.)
    // The reference design under the live gear, so the live one reads on top.
    drawReference(m, c);
    // 4. to 9. The mechanism and the overlay.
    c.setPenColour(colours::black);
    drawDriverAndPivots(m, c);
    drawSection(m, c);
    drawPistonAndValve(m, c);
    drawFixedPivotMarks(m, c);
    drawLinks(m, c);
    drawOverlay(m, c);

    // 10. Readouts, only with the screen data on.
    if (m.screenDataOn) drawScreenData(m, st, c);

}

}  // namespace

void drawMechanism(const Model& m, const RenderState& st, Canvas& c) {
    // The pivots and outlines of this frame were placed with the view as it
    // was at the tick. When the pointer display has just moved the view, the
    // whole picture of this frame still keeps to the tick's view and follows
    // the new one from the next frame on.
    if (!st.pointer.viewMoved) {
        drawPicture(m, st, c);
    } else {
        Model tickView = m;
        applyView(tickView, st.pointer.pictureView);
        drawPicture(tickView, st, c);
    }

    // 11. The dimension pointer display draws over everything else.
    drawPointerDisplay(m, st.pointer, c);

    // 12. Nothing to free: the caller shows the picture and disposes of it.
}

void runFrame(Model& m, RenderState& st, Canvas& c, RendererHost& host, const FrameClock& clock) {
    prepareFrame(m, st, host, clock);
    drawMechanism(m, st, c);
}

}  // namespace tevrane
