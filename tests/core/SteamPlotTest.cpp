// The steam diagram: the pressure rules' limits, the cut-off between two
// samples, on made-up samples, and whole drawings of the default engine.
#include "diagrams/core/SteamPlot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "diagrams/core/DiagramPanel.h"
#include "diagrams/core/PositionList.h"
#include "model/Format.h"
#include "model/Model.h"
#include "model/Solver.h"
#include "platform/RecordingCanvas.h"

namespace tevrane {
namespace {

std::vector<DrawOp> linesIn(const RecordingCanvas& c, Colour pen) {
    std::vector<DrawOp> out;
    for (const auto& op : c.ops())
        if (op.kind == DrawOp::Kind::Line && op.pen == pen) out.push_back(op);
    return out;
}

bool hasTextAt(const RecordingCanvas& c, const std::string& t, int x, int y) {
    for (const auto& op : c.ops())
        if (op.kind == DrawOp::Kind::Text && op.text == t && op.points[0] == IPoint{x, y}) return true;
    return false;
}

PortSample sample(double piston, double frontSteam, double frontExhaust, double rearSteam = -1,
                  double rearExhaust = -1) {
    return {piston, frontSteam, frontExhaust, rearSteam, rearExhaust};
}

TEST(SteamPressure, AdmissionCapsAt303AndBlowDownFloorsAt5) {
    EXPECT_EQ(frontAdmission(300.0f, 0.3f, 100.0f), 303.0f);
    EXPECT_EQ(rearAdmission(0.0f, 2.0f, 600.0f), 303.0f);
    // A barely open port admits as if 0.005 open: 100000 * 0.005 / 500.
    EXPECT_FLOAT_EQ(frontAdmission(10.0f, 0.0001f, 455.0f), 11.0f);
    EXPECT_FLOAT_EQ(blowDown(100.0f, 150.0f), 90.0f);
    EXPECT_EQ(blowDown(12.0f, 300.0f), 5.0f);
    EXPECT_EQ(blowDown(0.0f, 0.0f), 5.0f);
    // The cap lies at y 70 (70.3); the floor at 338.5, rounded to the even 338.
    EXPECT_EQ(steamPixelY(303.0), 70);
    EXPECT_EQ(steamPixelY(5.0), 338);
    EXPECT_EQ(steamPixelX(0.0), 584);
    EXPECT_EQ(steamPixelX(640.0), 44);
}

TEST(SteamPressure, ACycleThroughAdmissionAndReleaseStaysBetweenCapAndFloor) {
    SteamCycle cycle;
    cycle.startCurve();
    RecordingCanvas c;
    int r = 0;
    // Steam wide open: compression, then admission up to the cap.
    for (int k = 0; k < 70; ++k) cycle.step(sample(100 + k, 1.0, -1.0), ++r, c);
    EXPECT_EQ(cycle.front().phase, SteamPhase::Admission);
    EXPECT_EQ(cycle.front().pressure, 303.0f);
    // Past the settling steps every front line lies on the cap.
    const auto capped = linesIn(c, colours::green);
    ASSERT_EQ(capped.size(), 70u - 60u);
    for (const auto& l : capped) {
        EXPECT_EQ(l.points[0].y, 70);
        EXPECT_EQ(l.points[1].y, 70);
    }
    // Both ports lapped: expansion; then the exhaust opens and blows down.
    cycle.step(sample(180, -1.0, -1.0), ++r, c);
    EXPECT_EQ(cycle.front().phase, SteamPhase::Expansion);
    const float released = cycle.front().pressure;
    cycle.step(sample(190, -1.0, 1.0), ++r, c);
    EXPECT_EQ(cycle.front().phase, SteamPhase::Exhaust);
    EXPECT_EQ(cycle.front().releasePressure, released);
    float last = cycle.front().pressure;
    for (int k = 0; k < 30; ++k) {
        cycle.step(sample(200 + k, -1.0, 1.0), ++r, c);
        EXPECT_LE(cycle.front().pressure, last);
        EXPECT_GE(cycle.front().pressure, 5.0f);
        last = cycle.front().pressure;
    }
    EXPECT_EQ(last, 5.0f);
}

TEST(SteamPressure, CutOffBetweenTwoSamplesEndsOneHorizontalStrokeAtTheCutOffPoint) {
    SteamCycle cycle;
    cycle.startCurve();
    RecordingCanvas settle;
    // Admission at piston 100 until the front end sits at the cap.
    for (int r = 1; r <= 61; ++r) cycle.step(sample(100, 0.3, -1.0), r, settle);
    ASSERT_EQ(cycle.front().pressure, 303.0f);

    // The port closes from 0.3 to -0.1 while the piston moves 100 -> 140:
    // closed three quarters of the way, at 130.
    RecordingCanvas c;
    cycle.step(sample(140, -0.1, -1.0), 62, c);
    const auto green = linesIn(c, colours::green);
    ASSERT_EQ(green.size(), 2u);
    EXPECT_EQ(green[0].points[0], (IPoint{500, 70}));  // 584 - 84.375
    EXPECT_EQ(green[0].points[1], (IPoint{474, 70}));  // 584 - 109.6875
    // The step goes on from the cut-off point, to the interpolated pressure.
    const float expanded = frontExpansion(303.0f, 100.0f, 140.0f);
    const float atCutOff = static_cast<float>(expanded - 0.75L * (expanded - 303.0L));
    EXPECT_EQ(cycle.front().pressure, atCutOff);
    EXPECT_EQ(green[1].points[0], (IPoint{474, 70}));
    EXPECT_EQ(green[1].points[1], (IPoint{466, steamPixelY(atCutOff)}));
    EXPECT_NE(green[1].points[1].y, 70);

    EXPECT_EQ(cycle.previousPiston(), 140.0f);

    // The list entry comes with the end of the curve, from the last cut-off
    // of this end: a second one in the same curve replaces the figure.
    for (int r = 63; r <= 70; ++r) cycle.step(sample(140, 0.3, -1.0), r, c);
    cycle.step(sample(204, -0.1, -1.0), 71, c);  // closes at 188: 29.4 percent
    EXPECT_EQ(c.findText("%CutOff"), nullptr);
    cycle.finishCurve(c);
    const DrawOp* title = c.findText("%CutOff");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->points[0], (IPoint{587, 231}));
    EXPECT_EQ(title->font, colours::green);
    EXPECT_TRUE(hasTextAt(c, "1", 588, 246));
    EXPECT_TRUE(hasTextAt(c, "29.4", 600, 246));
    EXPECT_EQ(c.findText("29.4")->font, colours::black);
    EXPECT_EQ(c.findText("20.3"), nullptr);  // 130 / 6.4, the earlier cut-off
    EXPECT_EQ(c.ofKind(DrawOp::Kind::Text).size(), 3u);
    // The next curve lists its own cut-offs one line lower.
    cycle.startCurve();
    cycle.step(sample(300, 0.3, -1.0), 1, c);
    cycle.step(sample(332, -0.1, -1.0), 2, c);  // closes at 324
    cycle.finishCurve(c);
    EXPECT_TRUE(hasTextAt(c, "2", 588, 259));
    EXPECT_TRUE(hasTextAt(c, "50.6", 600, 259));
}

class SteamDiagramTest : public ::testing::Test {
protected:
    void SetUp() override {
        initModel(m);
        m.revArmSetCount = 3;  // as the positions dialog leaves it for the defaults
    }
    Model m;
};

TEST_F(SteamDiagramTest, NoPositionsDrawOnlyFrameHeadingsAndCentreLine) {
    m.revArmSetCount = 0;
    RecordingCanvas c;
    drawSteamDiagram(m, c);
    RecordingCanvas frame;
    drawSteamFrame(m, frame);
    EXPECT_EQ(c.ops().size(), frame.ops().size());
    EXPECT_TRUE(linesIn(c, colours::green).empty());
    EXPECT_TRUE(linesIn(c, colours::red).empty());
    EXPECT_TRUE(hasTextAt(c, "Reverse Arm Positions", 500, 0));
    EXPECT_TRUE(hasTextAt(c, "Center", 520, 13));
    EXPECT_TRUE(hasTextAt(c, " 5.240", 580, 13));
    for (const char* t : {"Cen", "Fwd", "Rev", "%CutOff"}) EXPECT_EQ(c.findText(t), nullptr) << t;
}

TEST_F(SteamDiagramTest, CentrePositionIsLabelledCenAndRunsForward) {
    RecordingCanvas c;
    drawSteamDiagram(m, c);
    // Positions 1..3: mid gear, normal forward, normal reverse.
    EXPECT_TRUE(hasTextAt(c, "Cen", 533, 24));
    EXPECT_FALSE(hasTextAt(c, "Rev", 533, 24));
    EXPECT_TRUE(hasTextAt(c, "    1", 545, 24));
    EXPECT_TRUE(hasTextAt(c, " 5.240", 580, 24));
    EXPECT_TRUE(hasTextAt(c, "Fwd", 533, 36));
    EXPECT_TRUE(hasTextAt(c, " 6.240", 580, 36));
    EXPECT_TRUE(hasTextAt(c, "Rev", 533, 48));
    EXPECT_TRUE(hasTextAt(c, " 4.240", 580, 48));
    // One cut-off entry per position and end, never two figures on one place.
    for (int w = 1; w <= 3; ++w)
        for (int x : {588, 600, 3, 15}) {
            int entries = 0;
            for (const auto& op : c.ops())
                if (op.kind == DrawOp::Kind::Text && op.points[0] == IPoint{x, 13 * w + 233}) ++entries;
            EXPECT_EQ(entries, 1) << "position " << w << " at x " << x;
        }
    // 90 drawn steps per position and end, cut-off strokes besides.
    EXPECT_GE(linesIn(c, colours::green).size(), 3u * 90u);
    EXPECT_GE(linesIn(c, colours::red).size(), 3u * 90u);

    // The driver turns on from 96 degrees, never reset: forward at mid gear
    // (100, 104, ...), forward again, then backwards from 336 + 600 - 720.
    const std::vector<PortSample> s = sweepSteam(m, m.revArmCentre(), steamPositions(m));
    ASSERT_EQ(s.size(), 450u);
    const auto at = [&](float angle, float arm) { return samplePorts(solveGear(m, angle, arm)); };
    EXPECT_EQ(s[0].piston, at(100.0f, m.revArmSet[1]).piston);
    EXPECT_EQ(s[1].frontSteam, at(104.0f, m.revArmSet[1]).frontSteam);
    EXPECT_EQ(s[149].piston, at(336.0f, m.revArmSet[1]).piston);
    EXPECT_EQ(s[150].rearSteam, at(340.0f, m.revArmSet[2]).rearSteam);
    EXPECT_EQ(s[300].piston, at(212.0f, m.revArmSet[3]).piston);

    // The list follows the large font's factors.
    m.fontScaleX = 1.27f;
    m.fontScaleY = 1.22f;
    RecordingCanvas large;
    drawSteamDiagram(m, large);
    // The plot and its list go down below the taller panel band: 68 rows
    // become 83.
    ASSERT_EQ(diagramShift(m), 15);
    EXPECT_TRUE(hasTextAt(large, "Cen", 677, 27 + 15));      // 533 * 1.27, 14.64 + 12
    EXPECT_TRUE(hasTextAt(large, " 4.240", 737, 56 + 15));   // 580 * 1.27, 43.92 + 12
}

// The solves run ahead on another core; the picture is the one a serial
// run of the same samples draws, operation for operation.
TEST_F(SteamDiagramTest, SolvingAheadDrawsWhatASerialRunDraws) {
    m.revArmSetCount = 9;
    for (int k = 4; k <= 9; ++k) m.revArmSet[k] = m.revArmCentre() + 0.15f * static_cast<float>(k - 6);
    RecordingCanvas ahead;
    drawSteamDiagram(m, ahead);

    RecordingCanvas serial;
    drawSteamFrame(m, serial);
    const std::vector<float> positions = steamPositions(m);
    const std::vector<PortSample> s = sweepSteam(m, m.revArmCentre(), positions);
    SteamCycle cycle;
    for (size_t k = 0; k < positions.size(); ++k) {
        cycle.startCurve();
        drawPositionListLine(m, serial, static_cast<int>(k) + 1);
        for (int r = 1; r <= kSteamSteps; ++r) cycle.step(s[k * kSteamSteps + static_cast<size_t>(r) - 1], r, serial);
        cycle.finishCurve(serial);
    }
    ASSERT_EQ(ahead.ops().size(), serial.ops().size());
    for (size_t i = 0; i < serial.ops().size(); ++i) {
        EXPECT_EQ(ahead.ops()[i].points, serial.ops()[i].points) << i;
        EXPECT_EQ(ahead.ops()[i].text, serial.ops()[i].text) << i;
        EXPECT_EQ(ahead.ops()[i].pen, serial.ops()[i].pen) << i;
    }
    EXPECT_EQ(cycle.curve(), 9);
}

// The drawing solves on its own: the live pivots, motion and results stay as
// the tick left them.
TEST_F(SteamDiagramTest, LeavesTheLiveModelAlone) {
    m.revArmSetCount = 9;
    for (int k = 4; k <= 9; ++k) m.revArmSet[k] = m.revArmCentre() + (k % 2 ? 1.2f : -1.2f);
    m.reverseArmLength = 0.9f;  // the outer positions cannot close the reverse arm
    m.driverAngle = 123.5f;
    m.revArmPos = 5.5f;
    solveAll(m);
    const Model before = m;
    RecordingCanvas c;
    drawSteamDiagram(m, c);
    EXPECT_EQ(std::memcmp(static_cast<const Engine*>(&before), static_cast<const Engine*>(&m), sizeof(Engine)), 0);
    EXPECT_EQ(std::memcmp(static_cast<const SolverResults*>(&before), static_cast<const SolverResults*>(&m),
                          sizeof(SolverResults)),
              0);
    EXPECT_EQ(m.driverAngle, 123.5f);
    EXPECT_EQ(m.revArmPos, 5.5f);
    EXPECT_EQ(m.solverError, before.solverError);
    EXPECT_TRUE(hasTextAt(c, "    9", 545, 120));
}

}  // namespace
}  // namespace tevrane
