#include "diagrams/core/OvalPlot.h"

#include <cmath>
#include <numbers>

#include "diagrams/core/PositionList.h"
#include "diagrams/core/TravelPlot.h"
#include "diagrams/core/SteamPlot.h"
#include "model/Format.h"
#include "platform/ScaledCanvas.h"
#include "model/Solver.h"

namespace tevrane {

namespace {

constexpr int kFirstSample = 7;
constexpr int kLastSample = 52;

}  // namespace

const std::vector<float>& ovalAngles() {
    static const std::vector<float> angles = [] {
        std::vector<float> a;
        for (int j = kFirstSample; j <= kLastSample; ++j) {
            int angle = 88 - 8 * j;
            while (angle < 0) angle += 360;
            a.push_back(static_cast<float>(angle));
        }
        return a;
    }();
    return angles;
}

int ovalX(const Engine& e, float driverAngle) {
    const long double theta = static_cast<long double>(driverAngle) * std::numbers::pi_v<long double> / 180.0L;
    int raised = 0;  // the diagram raises no error flag of its own
    const long double s = clampDivisor(e.stroke, raised);
    const long double r = e.mainRodLength;
    const long double t = static_cast<long double>(e.stroke) / 2.0L * std::sin(theta);
    // A rod shorter than the crank's reach is mended as the solver mends the
    // piston's root (the negative square is negated), so the oval and the
    // piston trace agree.
    const long double root = std::sqrt(std::fabs(r * r - t * t));
    return toInt(314.0L + 270.5L * (std::cos(theta) + 2.0L / s * (root - r)));
}

void drawOvalFrame(const Model& m, Canvas& c) {
    c.setPenColour(colours::black);
    c.setFontColour(colours::black);
    c.setFontBold(false);

    drawPistonGrid(c);
    c.line(kLeftAxis, 84, kLeftAxis, 346);
    c.line(kRightAxis, 84, kRightAxis, 346);

    drawPistonPercentLabels(c, 353);
    c.textOut(577, 348, "0");
    c.textOut(186, 367, "Percent Piston Travel");
    c.textOut(386, 367, "Forward End --->");

    drawTravelScale(m, c, 15);
    drawPositionListHeading(m, c);
    drawThresholdLines(c, travelTerms(m), m.diagramVScale, kRightAxis, 430, 75);
}

DiagramControls drawOval(const Model& m, Canvas& surface, const UndoLines& undo) {
    // The plot below the panel band, which the large font makes taller.
    ShiftedCanvas plot(surface, diagramShift(m));
    Canvas& c = plot;
    drawOvalFrame(m, c);

    const float vs = m.diagramVScale;
    const LinkageSolution terms = travelTerms(m);
    const int tablePosition = midGearTablePosition(m);
    // Which way the number labels sit off the curve depends on which of the
    // rear valve edge and port is the wider.
    const bool longValve = m.cyl.valveLenRear > m.cyl.steamPortRear;
    const std::vector<float>& angles = ovalAngles();

    int clamped = 0;
    for (int k = 1; k <= positionsInUse(m); ++k) {
        const float position = m.revArmSet[k];
        drawPositionListLine(m, c, k);
        const TravelSweep sweep = sweepTravel(m, position, m.revArmCentre(), angles);
        clamped += sweep.clamped;

        int previousX = 0;
        double previousTravel = 0;
        for (size_t i = 0; i < sweep.samples.size(); ++i) {
            const int j = kFirstSample + static_cast<int>(i);
            const TravelSample& s = sweep.samples[i];
            const int x = ovalX(m, s.angle);
            if (j > kFirstSample) {
                if (j == 22 || j == 46) {
                    const int offset = (j == 22) == longValve ? -11 : -2;
                    c.setFontBold(true);
                    c.textOut(j == 22 ? 300 : 334, travelY(previousTravel, vs, offset), fixed(k, 2, 0));
                    c.setFontBold(false);
                }
                c.line(previousX, travelY(previousTravel, vs), x, travelY(s.travel, vs));
            }
            previousX = x;
            previousTravel = s.travel;
        }
        if (k == tablePosition) drawMidGearTable(m, c, terms, sweep.stem);
    }

    DiagramControls controls = drawDiagramPanel(m, surface, undo);
    controls.clamps = {clamped, positionsInUse(m), true};
    return controls;
}

}  // namespace tevrane
