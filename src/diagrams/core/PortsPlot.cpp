#include "diagrams/core/PortsPlot.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "model/BothAtOnce.h"
#include "model/Format.h"
#include "platform/ScaledCanvas.h"
#include "model/Solver.h"

namespace tevrane {

namespace {

constexpr int kRows = kPortRows;
constexpr int kSamples = kPortSamples;
constexpr double kStepDegrees = 4.0;
constexpr int kGridLeft = 9;
constexpr int kGridRight = 549;
// The grid's width holds the piston's whole scale.
constexpr double kPixelsPerUnit = double(kGridRight - kGridLeft) / kPistonScale<double>;
constexpr int kBaseY = 343;
constexpr int kRowPitch = 16;
constexpr int kAnnotatedRow = 13;

// Letters of the vertical title with their heights.
struct TitleLetter {
    char letter;
    int y;
};
constexpr TitleLetter kTitle[] = {
    {'R', 76},  {'E', 90},  {'V', 104}, {'E', 118}, {'R', 132}, {'S', 146}, {'E', 160},
    {'A', 178}, {'R', 192}, {'M', 206},
    {'P', 224}, {'O', 238}, {'S', 252}, {'I', 266}, {'T', 280}, {'I', 294}, {'O', 308}, {'N', 322},
};

struct AxisLabel {
    const char* text;
    int x;
};
constexpr AxisLabel kAxisLabels[] = {
    {"0", 10},   {"10", 56},  {"20", 110}, {"30", 164}, {"40", 218},
    {"50", 272}, {"60", 326}, {"70", 380}, {"80", 434}, {"90", 488},
};

int toPixel(double v) { return toInt(static_cast<long double>(v)); }

double openingOf(const PortSample& s, PortEvent e) {
    switch (e) {
        case PortEvent::FrontAdmission:
        case PortEvent::FrontCutOff: return s.frontSteam;
        case PortEvent::FrontRelease:
        case PortEvent::FrontCompression: return s.frontExhaust;
        case PortEvent::RearAdmission:
        case PortEvent::RearCutOff: return s.rearSteam;
        case PortEvent::RearRelease:
        case PortEvent::RearCompression: return s.rearExhaust;
    }
    return 0.0;
}

bool isRisingEvent(PortEvent e) { return static_cast<int>(e) < 4; }

void drawPolyline(Canvas& c, std::initializer_list<std::pair<double, int>> pts) {
    std::vector<IPoint> points;
    points.reserve(pts.size());
    for (const auto& [x, y] : pts) points.push_back({toPixel(x), y});
    c.polyline(points);
}

}  // namespace

PortSample samplePorts(const Model& m) {
    return {m.pistonTrace, m.frontSteamOpening, m.frontExhaustOpening, m.rearSteamOpening,
            m.rearExhaustOpening};
}

PortSample samplePorts(const GearSolution& g) {
    const PistonPorts& p = g.ports;
    return {p.pistonTrace, p.frontSteamOpening, p.frontExhaustOpening, p.rearSteamOpening,
            p.rearExhaustOpening, g.clamps() > 0};
}

bool isRisingEdge(double previous, double current) { return current >= 0.0 && previous < 0.0; }

bool isFallingEdge(double previous, double current) { return current <= 0.0 && previous > 0.0; }

double crossingPosition(double pistonPrevious, double piston, double openingPrevious, double opening) {
    // A real crossing has openings of opposite sides, so the difference is
    // never 0; the guard keeps degenerate solver output from becoming NaN.
    const double span = openingPrevious - opening;
    if (span == 0.0 || !std::isfinite(span)) return std::isfinite(piston) ? piston : 0.0;
    const double p0 = piston - opening * (pistonPrevious - piston) / span;
    if (std::isfinite(p0)) return p0;
    return std::isfinite(piston) ? piston : 0.0;
}

PortEvents detectPortEvents(const PortSample& previous, const PortSample& current) {
    PortEvents events;
    for (int k = 0; k < kPortEventCount; ++k) {
        const auto e = static_cast<PortEvent>(k);
        const double before = openingOf(previous, e);
        const double now = openingOf(current, e);
        const bool hit = isRisingEvent(e) ? isRisingEdge(before, now) : isFallingEdge(before, now);
        if (hit) events[static_cast<size_t>(k)] = crossingPosition(previous.piston, current.piston, before, now);
    }
    return events;
}

bool isFrontEvent(PortEvent e) {
    switch (e) {
        case PortEvent::FrontAdmission:
        case PortEvent::FrontRelease:
        case PortEvent::FrontCutOff:
        case PortEvent::FrontCompression: return true;
        default: return false;
    }
}

int eventPixelX(PortEvent e, double position) {
    const long double offset = static_cast<long double>(kPixelsPerUnit) * position;
    if (isFrontEvent(e)) return toInt(offset) + kGridLeft;
    return toInt(static_cast<long double>(kGridRight - kGridLeft) - offset) + kGridLeft;
}

int portRowY(int row) { return kBaseY - kRowPitch * row; }

int normalTravelY(const Model& m) {
    // With no travel allowed at all the ratio is undefined; the normal travel
    // is then the whole travel, the top row.
    if (m.revArmMax == 0.0f) return portRowY(kRows - 1);
    return toInt(343.0L - 288.0L * m.revArmNormal / m.revArmMax);
}

std::optional<PortSegment> PortEventTrail::add(PortEvent e, int row, int x) {
    auto& last = lastX_[static_cast<size_t>(e)];
    std::optional<PortSegment> segment;
    if (last) segment = PortSegment{e, {*last, portRowY(row) + kRowPitch}, {x, portRowY(row)}};
    last = x;
    return segment;
}

Colour portEventColour(PortEvent e, bool reverse) {
    if (isFrontEvent(e)) return reverse ? colours::green : colours::teal;
    return reverse ? colours::maroon : colours::red;
}

void drawPortsFrame(const Model& m, Canvas& c, bool reverse) {
    c.setPenColour(colours::black);
    c.setFontColour(colours::black);
    c.line(kGridLeft, 42, kGridLeft, 353);
    c.line(kGridLeft, kBaseY, kGridRight, kBaseY);
    c.line(kGridRight, 353, kGridRight, 42);

    for (int i = 0; i <= 9; ++i) {
        const int a = 32 * i;
        for (int j = 2; j <= 20; ++j) c.line(27 * j - 18, a + 52, 27 * j - 18, a + 58);
        for (int k = 2; k <= 10; ++k) c.line(54 * k - 45, a + 45, 54 * k - 45, a + 65);
        for (int l = 2; l <= 22; ++l) c.line(27 * l - 49, a + 55, 27 * l - 40, a + 55);
    }

    c.setFontColour(colours::red);
    c.textOut(420, 47, "Maximum");

    const int normalY = normalTravelY(m);
    c.setPenColour(colours::blue);
    c.line(59, normalY, 650, normalY);
    c.setFontColour(colours::blue);
    c.textOut(345, normalY - 7, "Normal");
    c.setPenColour(colours::black);
    c.setFontColour(colours::black);

    for (const auto& l : kAxisLabels) c.textOut(l.x, 353, l.text);
    c.textOut(529, 350, "100");
    c.textOut(200, 367, "Percent Piston Travel");
    c.textOut(568, 350, "Center");

    for (const auto& t : kTitle) c.textOut(t.letter == 'I' ? 537 : 535, t.y, std::string(1, t.letter));

    if (!reverse) {
        c.textOut(415, 290, "Fwd.");
        c.setFontColour(colours::teal);
        c.textOut(446, 284, "Front Port");
        c.setFontColour(colours::red);
        c.textOut(446, 296, "Rear Port");
    } else {
        c.textOut(415, 321, "Rev.");
        c.setFontColour(colours::green);
        c.textOut(446, 315, "Front Port");
        c.setFontColour(colours::maroon);
        c.textOut(446, 327, "Rear Port");
    }
    c.setFontColour(colours::black);
}

void drawPortAnnotation(Canvas& c, const PortAnnotation& a) {
    // The lines keep whatever pen the last event line left set.
    c.setFontBold(true);
    if (a.cutOff) {
        const double xc = *a.cutOff;
        drawPolyline(c, {{xc - 110, 101}, {xc - 70, 101}, {xc - 20, 135}, {xc, 135}});
        drawPolyline(c, {{xc - 12, 131}, {xc - 12, 139}, {xc, 135}});
        c.textOut(toPixel(xc + 10), 129, "Exp");
    }
    if (a.cutOff && a.release) {
        const double xc = *a.cutOff, xr = *a.release;
        drawPolyline(c, {{xc + 40, 135}, {xr, 135}});
        drawPolyline(c, {{xr - 12, 131}, {xr - 12, 139}, {xr, 135}});
    }
    if (a.release) {
        const double xr = *a.release;
        drawPolyline(c, {{xr + 8, 135}, {549, 135}, {529, 169}, {xr - 160, 169}});
        c.textOut(toPixel(xr - 190), 163, "Exh");
    }
    if (a.release && a.compression) {
        const double xr = *a.release, xk = *a.compression;
        drawPolyline(c, {{xr - 200, 169}, {xk + 100, 169}, {xk + 50, 135}, {xk, 135}});
        drawPolyline(c, {{xk + 12, 131}, {xk + 12, 139}, {xk, 135}});
        c.textOut(toPixel(xk - 25), 129, "Com");
    }
    if (a.compression && a.admission && a.cutOff) {
        const double xk = *a.compression, xa = *a.admission, xc = *a.cutOff;
        drawPolyline(c, {{xk - 30, 135}, {xa, 135}});
        drawPolyline(c, {{xa + 12, 139}, {xa + 12, 131}, {xa, 135}, {9, 135}, {27, 101}, {xc - 150, 101}});
        c.textOut(toPixel(xc - 140), 95, "Adm");
    }
    c.setFontBold(false);
}

namespace {

// Rows [first, last) of a sweep.
void sweepRows(const Engine& e, float revArmCentre, bool reverse, int first, int last,
               PortSweep& out) {
    for (int i = first; i < last; ++i) {
        const long double travel = static_cast<long double>(i) * e.revArmMax / 18.0L;
        const float revArm =
            static_cast<float>(reverse ? revArmCentre - travel : revArmCentre + travel);
        out.revArm[static_cast<size_t>(i)] = revArm;
        float angle = 0.0f;
        for (int j = 0; j < kSamples; ++j) {
            if (reverse) {
                angle = static_cast<float>(angle - kStepDegrees);
                while (angle < 0.0f) angle += 360.0f;
            } else {
                angle = static_cast<float>(angle + kStepDegrees);
                while (angle > 360.0f) angle -= 360.0f;
            }
            out.samples[static_cast<size_t>(i)][static_cast<size_t>(j)] =
                samplePorts(solveGear(e, angle, revArm));
        }
    }
}

}  // namespace

PortSweep sweepPorts(const Engine& e, float revArmCentre, bool reverse) {
    PortSweep sweep;
    constexpr int kHalf = kRows / 2;
    bothAtOnce([&] { sweepRows(e, revArmCentre, reverse, 0, kHalf, sweep); },
               [&] { sweepRows(e, revArmCentre, reverse, kHalf, kRows, sweep); });
    return sweep;
}

std::array<PortSweep, 2> sweepPortsBoth(const Engine& e, float revArmCentre) {
    std::array<PortSweep, 2> both;
    bothAtOnce([&] { sweepRows(e, revArmCentre, false, 0, kRows, both[0]); },
               [&] { sweepRows(e, revArmCentre, true, 0, kRows, both[1]); });
    return both;
}

int clampedRows(const PortSweep& s) {
    return static_cast<int>(std::count_if(s.samples.begin(), s.samples.end(), [](const auto& row) {
        return std::any_of(row.begin(), row.end(), [](const PortSample& p) { return p.clamped; });
    }));
}

DiagramControls drawPortsPass(const Model& m, Canvas& c, char mode, bool annotate,
                              const UndoLines& undo) {
    const bool reverse = mode == 'R';
    // The sweep solves its own settings on a copy of the engine: the live
    // driver angle, reverse arm and pivots stay as the main window left them.
    return drawPortsPass(m, c, sweepPorts(m, m.revArmCentre(), reverse), reverse, annotate, undo);
}

DiagramControls drawPortsPass(const Model& m, Canvas& surface, const PortSweep& sweep, bool reverse,
                              bool annotate, const UndoLines& undo) {
    // The plot below the panel band, which the large font makes taller.
    ShiftedCanvas plot(surface, portsDiagramShift(m));
    Canvas& c = plot;
    drawPortsFrame(m, c, reverse);

    PortEventTrail trail;
    PortAnnotation annotation;

    for (int i = 0; i < kRows; ++i) {
        const float revArm = sweep.revArm[static_cast<size_t>(i)];
        if (reverse)
            c.textOut(605, 32, "Rev.");
        else
            c.textOut(554, 32, "Forward");
        c.textOut(reverse ? 596 : 556, 336 - kRowPitch * i, fixed(revArm, 7, 3));

        PortSample previous;  // piston 0 before the first sample

        for (int j = 0; j < kSamples; ++j) {
            const PortSample& current = sweep.samples[static_cast<size_t>(i)][static_cast<size_t>(j)];
            if (j >= 1) {
                const PortEvents events = detectPortEvents(previous, current);
                for (int k = 0; k < kPortEventCount; ++k) {
                    const auto& p0 = events[static_cast<size_t>(k)];
                    if (!p0) continue;
                    const auto e = static_cast<PortEvent>(k);
                    if (const auto s = trail.add(e, i, eventPixelX(e, *p0))) {
                        c.setPenColour(portEventColour(e, reverse));
                        c.line(s->from.x, s->from.y, s->to.x, s->to.y);
                    }
                    if (i == kAnnotatedRow) {
                        const double at = kPixelsPerUnit * *p0 + kGridLeft;
                        switch (e) {
                            case PortEvent::FrontAdmission: annotation.admission = at; break;
                            case PortEvent::FrontRelease: annotation.release = at; break;
                            case PortEvent::FrontCutOff: annotation.cutOff = at; break;
                            case PortEvent::FrontCompression: annotation.compression = at; break;
                            default: break;
                        }
                    }
                }
            }
            previous = current;
        }
    }

    if (annotate) drawPortAnnotation(c, annotation);

    DiagramControls controls = drawDiagramPanel(m, surface, undo);
    controls.clamps = {clampedRows(sweep), kRows, false};
    return controls;
}

DiagramControls drawPorts(const Model& m, Canvas& c, bool clearFirst, const UndoLines& undo) {
    if (m.portGraphMode == 'B') {
        const std::array<PortSweep, 2> both = sweepPortsBoth(m, m.revArmCentre());
        c.clear(colours::white);
        const int forwardClamps = drawPortsPass(m, c, both[0], false, true, undo).clamps.clamped;
        // The second pass finds the line the first one wrote.
        DiagramControls controls =
            drawPortsPass(m, c, both[1], true, false, UndoLines{undo.current, undo.current});
        controls.clamps = {forwardClamps + controls.clamps.clamped, 2 * kRows, false};
        return controls;
    }
    if (clearFirst) c.clear(colours::white);
    return drawPortsPass(m, c, m.portGraphMode == 'R' ? 'R' : 'F', true, undo);
}

}  // namespace tevrane
