#include "diagrams/core/SteamPlot.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "diagrams/core/PositionList.h"
#include "model/Format.h"
#include "platform/ScaledCanvas.h"
#include "model/Solver.h"

namespace tevrane {

namespace {

using ld = long double;

constexpr double kStepDegrees = 4.0;
// The grid between the two axes holds the piston's whole scale; the front
// end of the stroke (0) lies on the right axis.
constexpr ld kPixelsPerUnit = ld(kRightAxis - kLeftAxis) / kPistonScale<ld>;
constexpr ld kBaseY = 343.0L;
constexpr ld kPixelsPerPressure = 0.9L;
// The curve numbers are placed with a slightly shorter scale than the curves.
constexpr ld kLabelPixelsPerUnit = 0.84L;

// Letters of the vertical title: CYLINDER on the left, PRESSURE beside it.
constexpr int kTitleY[8] = {108, 123, 136, 149, 162, 175, 188, 201};
constexpr char kCylinder[] = "CYLINDER";
constexpr char kPressure[] = "PRESSURE";

struct AxisLabel {
    const char* text;
    int x;
};
constexpr AxisLabel kAxisLabels[] = {
    {"100", 45}, {"90", 91},  {"80", 145}, {"70", 199}, {"60", 253},
    {"50", 307}, {"40", 361}, {"30", 415}, {"20", 469}, {"10", 523},
};

float admitted(float p, float steamOpening, ld divisor) {
    // A barely open port still lets a little steam in.
    const ld g = std::max<ld>(steamOpening, 0.005L);
    const ld v = p + 100000.0L * g / divisor;
    return static_cast<float>(std::min<ld>(v, kSteamMaxPressure));
}

ld fourth(ld q) { return q * q * q * q; }

// The phase step of one end: which rule runs follows from the phase and the
// two openings, and the phase moves on with them.
void phaseStep(CylinderEnd& end, bool isFront, float steam, float exhaust, float xp, float x) {
    const bool steamOpen = steam > 0.0f;
    const bool exhaustOpen = exhaust > 0.0f;
    auto compress = [&] { return isFront ? frontCompression(end.pressure, xp, x) : rearCompression(end.pressure, xp, x); };
    auto admit = [&] { return isFront ? frontAdmission(end.pressure, steam, x) : rearAdmission(end.pressure, steam, x); };
    auto expand = [&] { return isFront ? frontExpansion(end.pressure, xp, x) : rearExpansion(end.pressure, xp, x); };

    switch (end.phase) {
        case SteamPhase::Exhaust:
            if (exhaustOpen) {
                end.pressure = blowDown(end.pressure, end.releasePressure);
            } else {
                end.pressure = compress();
                end.phase = SteamPhase::Compression;
            }
            break;
        case SteamPhase::Compression: {
            if (steamOpen) {
                end.pressure = admit();
                end.phase = SteamPhase::Admission;
            } else {
                end.pressure = compress();
            }
            // Once the piston has turned away from this end, compression is over.
            const bool movingAway = isFront ? xp < x : xp > x;
            if (movingAway) end.phase = SteamPhase::Admission;
            break;
        }
        case SteamPhase::Admission:
            if (steamOpen) {
                end.pressure = admit();
            } else {
                end.pressure = expand();
                end.phase = SteamPhase::Expansion;
            }
            // A new cycle of this end may label its curve again.
            end.labelWritten = false;
            break;
        case SteamPhase::Expansion:
            if (exhaustOpen) {
                end.releasePressure = end.pressure;
                end.pressure = blowDown(end.pressure, end.releasePressure);
                end.phase = SteamPhase::Exhaust;
            } else {
                end.pressure = expand();
            }
            if (steamOpen) end.phase = SteamPhase::Admission;
            break;
    }
}

}  // namespace

float blowDown(float p, float releasePressure) {
    const ld v = p - static_cast<ld>(releasePressure) / 15.0L;
    return static_cast<float>(std::max<ld>(v, kSteamMinPressure));
}

float frontCompression(float p, float xp, float x) {
    return static_cast<float>(p + fourth(xp / (x + 1.0L) + 0.3L));
}

float rearCompression(float p, float xp, float x) {
    return static_cast<float>(
        p + fourth((kPistonScale<ld> - xp) / (kPistonScale<ld> + 1.0L - x) + 0.3L));
}

float frontAdmission(float p, float steamOpening, float x) { return admitted(p, steamOpening, x + 45.0L); }

float rearAdmission(float p, float steamOpening, float x) {
    return admitted(p, steamOpening, kPistonScale<ld> + 45.0L - x);
}

float frontExpansion(float p, float xp, float x) {
    return static_cast<float>(p * (xp + 100.0L) / (x + 100.0L) * 0.96L);
}

float rearExpansion(float p, float xp, float x) {
    return static_cast<float>(p * (740.0L - xp) / (740.0L - x) * 0.96L);
}

int steamPixelX(double piston) { return toInt(ld(kRightAxis) - kPixelsPerUnit * piston); }

int steamPixelY(double pressure) { return toInt(kBaseY - kPixelsPerPressure * pressure); }

SteamCycle::SteamCycle() {
    front_.phase = SteamPhase::Exhaust;
    rear_.phase = SteamPhase::Admission;
}

void SteamCycle::startCurve() {
    ++curve_;
    front_.labelWritten = false;
    rear_.labelWritten = false;
}

void SteamCycle::step(const PortSample& s, int r, Canvas& c) {
    const float x = static_cast<float>(s.piston);
    const float frontSteam = static_cast<float>(s.frontSteam);
    const float rearSteam = static_cast<float>(s.rearSteam);
    phaseStep(front_, true, frontSteam, static_cast<float>(s.frontExhaust), previousPiston_, x);
    phaseStep(rear_, false, rearSteam, static_cast<float>(s.rearExhaust), previousPiston_, x);
    // Nothing is plotted before the model has one step behind it.
    if (front_.previousPressure != 0.0f) {
        plotEnd(true, front_, x, frontSteam, r, c);
        plotEnd(false, rear_, x, rearSteam, r, c);
    }
    previousPiston_ = x;
    front_.previousPressure = front_.pressure;
    rear_.previousPressure = rear_.pressure;
    front_.previousSteam = frontSteam;
    rear_.previousSteam = rearSteam;
}

void SteamCycle::finishCurve(Canvas& c) {
    writeCutOff(true, front_, c);
    writeCutOff(false, rear_, c);
}

void SteamCycle::writeCutOff(bool isFront, CylinderEnd& end, Canvas& c) {
    if (!end.cutOffPiston) return;
    const ld xc = *end.cutOffPiston;
    end.cutOffPiston.reset();
    c.setFontColour(isFront ? colours::green : colours::red);
    c.textOut(isFront ? 587 : 2, 231, "%CutOff");
    c.setFontColour(colours::black);
    const int y = 13 * curve_ + 233;
    const ld percent =
        isFront ? xc / kPistonPerPercent<ld> : (kPistonScale<ld> - xc) / kPistonPerPercent<ld>;
    c.textOut(isFront ? 588 : 3, y, std::to_string(curve_));
    c.textOut(isFront ? 600 : 15, y, fixed(static_cast<double>(percent), 4, 1));
}

void SteamCycle::plotEnd(bool isFront, CylinderEnd& end, float x, float steam, int r, Canvas& c) {
    const Colour colour = isFront ? colours::green : colours::red;
    const bool drawing = r > kSteamSettlingSteps;
    c.setPenColour(colour);
    const int previousY = steamPixelY(end.previousPressure);

    if (end.previousSteam > 0.0f && steam <= 0.0f) {
        // The steam port closed between the two samples: the curve stays at
        // the admission pressure up to the interpolated cut-off point, and
        // the step from there starts at it.
        const ld t = static_cast<ld>(end.previousSteam) / (static_cast<ld>(end.previousSteam) - steam);
        const ld cutOff = previousPiston_ + (static_cast<ld>(x) - previousPiston_) * t;
        if (drawing) c.line(steamPixelX(previousPiston_), previousY, steamPixelX(static_cast<double>(cutOff)), previousY);
        previousPiston_ = static_cast<float>(cutOff);
        end.pressure = static_cast<float>(end.pressure - t * (static_cast<ld>(end.pressure) - end.previousPressure));
        end.cutOffPiston = previousPiston_;  // listed when the curve is done
    }

    if (drawing) c.line(steamPixelX(previousPiston_), previousY, steamPixelX(x), steamPixelY(end.pressure));

    if (end.phase == SteamPhase::Expansion && end.pressure > 150.0f && end.pressure < 250.0f && !end.labelWritten) {
        end.labelWritten = true;
        const ld offset = kLabelPixelsPerUnit * previousPiston_;
        c.setFontColour(colours::black);
        c.setFontBold(true);
        c.textOut(toInt((isFront ? 568.0L : 600.0L) - offset), isFront ? 122 : 135, std::to_string(curve_));
        c.setFontBold(false);
    }
}

std::vector<float> steamPositions(const Model& m) {
    return std::vector<float>(m.revArmSet + 1, m.revArmSet + 1 + positionsInUse(m));
}

bool steamRunsForward(float position, float centre) { return position >= centre; }

namespace {

// Solves position after position into out (kSteamSteps samples each) and
// counts the positions done, so a reader can start on a position as soon as
// it is there.
void solveSteamSteps(const Engine& e, float centre, const std::vector<float>& positions,
                     PortSample* out, std::atomic<size_t>* solved) {
    float angle = kSteamStartAngle;
    for (size_t k = 0; k < positions.size(); ++k) {
        const float position = positions[k];
        const bool forward = steamRunsForward(position, centre);
        for (int r = 1; r <= kSteamSteps; ++r) {
            if (forward) {
                angle = static_cast<float>(angle + kStepDegrees);
                while (angle > 360.0f) angle -= 360.0f;
            } else {
                angle = static_cast<float>(angle - kStepDegrees);
                while (angle < 0.0f) angle += 360.0f;
            }
            *out++ = samplePorts(solveGear(e, angle, position));
        }
        if (solved) {
            solved->store(k + 1, std::memory_order_release);
            solved->notify_one();
        }
    }
}

}  // namespace

std::vector<PortSample> sweepSteam(const Engine& e, float centre, const std::vector<float>& positions) {
    std::vector<PortSample> samples(positions.size() * kSteamSteps);
    solveSteamSteps(e, centre, positions, samples.data(), nullptr);
    return samples;
}

int clampedPositions(const std::vector<PortSample>& samples) {
    int count = 0;
    for (size_t first = 0; first + kSteamSteps <= samples.size(); first += kSteamSteps)
        count += std::any_of(samples.begin() + static_cast<std::ptrdiff_t>(first),
                             samples.begin() + static_cast<std::ptrdiff_t>(first + kSteamSteps),
                             [](const PortSample& s) { return s.clamped; });
    return count;
}

void drawPistonGrid(Canvas& c) {
    for (int line = 1; line <= 9; ++line) {
        const int a = 32 * line;
        for (int i = 2; i <= 20; ++i) c.line(27 * i + 17, a + 52, 27 * i + 17, a + 58);
        for (int j = 2; j <= 10; ++j) c.line(54 * j - 10, a + 50, 54 * j - 10, a + 60);
    }
}

void drawPistonPercentLabels(Canvas& c, int y) {
    for (const auto& l : kAxisLabels) c.textOut(l.x, y, l.text);
}

void drawSteamFrame(const Model& m, Canvas& c) {
    c.setPenColour(colours::black);
    c.setFontColour(colours::black);
    c.setFontBold(false);

    drawPistonGrid(c);
    c.line(kLeftAxis, 70, kLeftAxis, 346);
    c.line(kRightAxis, 70, kRightAxis, 346);
    c.line(kLeftAxis + 1, 343, kRightAxis + 1, 343);

    // An arrow pointing up the pressure axis, then the two words downwards.
    c.textOut(24, 77, "/");
    c.textOut(29, 77, "\\");
    c.textOut(28, 81, "|");
    c.textOut(28, 94, "|");
    for (int k = 0; k < 8; ++k) {
        c.textOut(kCylinder[k] == 'I' ? 22 : 20, kTitleY[k], std::string(1, kCylinder[k]));
        c.textOut(32, kTitleY[k], std::string(1, kPressure[k]));
    }

    drawPistonPercentLabels(c, 350);
    c.textOut(577, 348, "0");
    c.textOut(186, 364, "Percent Piston Travel");
    c.textOut(386, 364, "Forward End --->");

    drawPositionListHeading(m, c);
}

DiagramControls drawSteamDiagram(const Model& m, Canvas& surface, const UndoLines& undo) {
    // The plot below the panel band, which the large font makes taller.
    ShiftedCanvas plot(surface, diagramShift(m));
    Canvas& c = plot;
    const float centre = m.revArmCentre();
    const std::vector<float> positions = steamPositions(m);

    // The solves use the diagram's own angles and positions on the engine
    // alone: the live driver angle, reverse arm and pivots stay untouched.
    // They do not depend on the pressures, so a second core runs them ahead
    // of the simulation while this one draws.
    std::vector<PortSample> samples(positions.size() * kSteamSteps);
    std::atomic<size_t> solved{0};
    const Engine& engine = m;
    std::jthread worker;
    if (!positions.empty() && std::thread::hardware_concurrency() >= 2)
        worker = std::jthread([&] { solveSteamSteps(engine, centre, positions, samples.data(), &solved); });
    else
        solveSteamSteps(engine, centre, positions, samples.data(), &solved);

    drawSteamFrame(m, c);

    SteamCycle cycle;
    for (size_t k = 0; k < positions.size(); ++k) {
        for (size_t done = solved.load(std::memory_order_acquire); done <= k;
             done = solved.load(std::memory_order_acquire))
            solved.wait(done, std::memory_order_acquire);
        cycle.startCurve();
        c.setFontColour(colours::black);
        drawPositionListLine(m, c, static_cast<int>(k) + 1);
        const PortSample* step = samples.data() + k * kSteamSteps;
        for (int r = 1; r <= kSteamSteps; ++r) cycle.step(*step++, r, c);
        cycle.finishCurve(c);
    }
    if (worker.joinable()) worker.join();

    DiagramControls controls = drawDiagramPanel(m, surface, undo);
    controls.clamps = {clampedPositions(samples), static_cast<int>(positions.size()), true};
    return controls;
}

}  // namespace tevrane
