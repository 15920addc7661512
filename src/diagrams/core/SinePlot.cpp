#include "diagrams/core/SinePlot.h"

#include "diagrams/core/PositionList.h"
#include "diagrams/core/TravelPlot.h"
#include "model/Format.h"
#include "platform/ScaledCanvas.h"
#include "model/Solver.h"

namespace tevrane {

namespace {

constexpr int kFirstSample = 7;
constexpr int kLastSample = 73;

struct AxisLabel {
    const char* text;
    int x;
};
constexpr AxisLabel kAngleLabels[] = {
    {"0", 86}, {"90", 173}, {"180", 260}, {"270", 350}, {"0", 446}, {"90", 533},
};

}  // namespace

const std::vector<float>& sineAngles() {
    static const std::vector<float> angles = [] {
        std::vector<float> a;
        for (int j = kFirstSample; j <= kLastSample; ++j) {
            int angle = 272 + 8 * j;
            while (angle > 360) angle -= 360;
            a.push_back(static_cast<float>(angle));
        }
        return a;
    }();
    return angles;
}

int sineX(int sample) { return 8 * (kFirstSample + sample) + 2; }

void drawSineFrame(const Model& m, Canvas& c) {
    c.setPenColour(colours::black);
    c.setFontColour(colours::black);
    c.setFontBold(false);

    // One short tick per 10 degrees of driver angle, a tall one per 90.
    for (int line = 1; line <= 9; ++line) {
        const int a = 32 * line;
        for (int j = 6; j <= 58; ++j) c.line(10 * j, a + 53, 10 * j, a + 57);
        for (int k = 1; k <= 6; ++k) c.line(90 * k, a + 50, 90 * k, a + 60);
    }

    for (const AxisLabel& l : kAngleLabels) c.textOut(l.x, 353, l.text);
    c.textOut(86, 367, "Driver Clockwise Rotation --->");

    drawTravelScale(m, c, 14);
    drawPositionListHeading(m, c);
    drawThresholdLines(c, travelTerms(m), m.diagramVScale, 583, 60, 230);
}

DiagramControls drawSine(const Model& m, Canvas& surface, const UndoLines& undo) {
    // The plot below the panel band, which the large font makes taller.
    ShiftedCanvas plot(surface, diagramShift(m));
    Canvas& c = plot;
    drawSineFrame(m, c);

    const float vs = m.diagramVScale;
    const LinkageSolution terms = travelTerms(m);
    const int tablePosition = midGearTablePosition(m);
    const std::vector<float>& angles = sineAngles();

    int clamped = 0;
    for (int k = 1; k <= positionsInUse(m); ++k) {
        drawPositionListLine(m, c, k);
        const TravelSweep sweep = sweepTravel(m, m.revArmSet[k], m.revArmCentre(), angles);
        clamped += sweep.clamped;

        double previousTravel = 0;
        for (size_t i = 0; i < sweep.samples.size(); ++i) {
            const int sample = static_cast<int>(i);
            const double travel = sweep.samples[i].travel;
            if (sample > 0) {
                if (sample == 1) {
                    // The curve's number stands at its left end.
                    c.setFontBold(true);
                    c.textOut(45, travelY(previousTravel, vs), fixed(k, 2, 0));
                    c.setFontBold(false);
                }
                c.line(sineX(sample - 1), travelY(previousTravel, vs), sineX(sample), travelY(travel, vs));
            }
            previousTravel = travel;
        }
        if (k == tablePosition) drawMidGearTable(m, c, terms, sweep.stem);
    }

    DiagramControls controls = drawDiagramPanel(m, surface, undo);
    controls.clamps = {clamped, positionsInUse(m), true};
    return controls;
}

}  // namespace tevrane
