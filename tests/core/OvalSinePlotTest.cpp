// The oval and the sine diagram: the vertical scale at a fine and a coarse
// setting, the threshold lines, the mid-gear rule at and around 0.05 from the
// centre, the sine curve's span and repeated turn, the closed oval, an empty
// position set, and that drawing leaves the live model as it was.
#include "diagrams/core/DiagramPanel.h"
#include "diagrams/core/OvalPlot.h"
#include "diagrams/core/PositionList.h"
#include "diagrams/core/SinePlot.h"
#include "diagrams/core/TravelPlot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "model/Format.h"
#include "model/Solver.h"
#include "platform/RecordingCanvas.h"

namespace tevrane {
namespace {

using Kind = DrawOp::Kind;

// Horizontal lines from x1 to x2 (the scale's ticks), top to bottom as drawn.
std::vector<int> ticksFrom(const RecordingCanvas& c, int x1, int x2) {
    std::vector<int> ys;
    for (const auto& op : c.ops())
        if (op.kind == Kind::Line && op.points[0].x == x1 && op.points[1].x == x2 &&
            op.points[0].y == op.points[1].y)
            ys.push_back(op.points[0].y);
    return ys;
}

// The text written at (x, y), empty when there is none; "*" marks bold.
std::string textIn(const RecordingCanvas& c, int x, int y) {
    for (const auto& op : c.ops())
        if (op.kind == Kind::Text && op.points[0] == IPoint{x, y}) return op.bold ? "*" + op.text : op.text;
    return {};
}

int countText(const RecordingCanvas& c, const std::string& t) {
    int n = 0;
    for (const auto& op : c.ops()) n += op.kind == Kind::Text && op.text == t;
    return n;
}

class OvalSinePlotTest : public ::testing::Test {
protected:
    void SetUp() override {
        initModel(m);
        m.revArmSetCount = 3;  // as the positions dialog leaves the defaults
    }
    void onlyPosition(float p) {
        m.revArmSet[1] = p;
        m.revArmSetCount = 1;
    }
    // The ops of a whole drawing and how many of them are its frame.
    size_t draw(RecordingCanvas& c, bool sine) {
        RecordingCanvas frame;
        if (sine) {
            drawSineFrame(m, frame);
            drawSine(m, c, advanceUndoLine(m));
        } else {
            drawOvalFrame(m, frame);
            drawOval(m, c, advanceUndoLine(m));
        }
        return frame.ops().size();
    }
    static std::vector<DrawOp> curveLines(const RecordingCanvas& c, size_t frameOps) {
        std::vector<DrawOp> out;
        for (size_t i = frameOps; i < c.ops().size(); ++i)
            if (c.ops()[i].kind == Kind::Line) out.push_back(c.ops()[i]);
        return out;
    }
    Model m;
};

TEST_F(OvalSinePlotTest, ScaleTicksAndLabelsAtOnePointFiveAndAtFour) {
    // VS 1.5, g = 6: labels -0.6 .. 0.6 25 pixels apart, a minor tick every
    // 0.02 units (5 pixels), 61 of them.
    m.diagramVScale = 1.5f;
    RecordingCanvas c;
    drawOvalFrame(m, c);
    const auto major = ticksFrom(c, 36, 44);
    ASSERT_EQ(major.size(), 13u);
    for (int k = -6; k <= 6; ++k) {
        EXPECT_EQ(major[static_cast<size_t>(k + 6)], 215 + 25 * k);
        EXPECT_EQ(textIn(c, 15, 210 - 25 * k), fixed(k * 0.1, 0, 1)) << k;
    }
    const auto minor = ticksFrom(c, 39, 44);
    ASSERT_EQ(minor.size(), 61u);
    EXPECT_EQ(minor[0], 65);
    EXPECT_EQ(textIn(c, 50, 18), "1.5");

    // VS 4, g = 16, only multiples of 5: labels every 0.5 units from -1.5 to
    // 1.5 (at x 14 in the sine diagram), minor ticks every 0.1 (9.375 px).
    m.diagramVScale = 4.0f;
    RecordingCanvas d;
    drawSineFrame(m, d);
    EXPECT_EQ(ticksFrom(d, 36, 44).size(), 7u);
    const int labelY[] = {351, 304, 257, 210, 163, 116, 69};  // 210 - 9.375 m, halves to even
    const char* labelText[] = {"-1.5", "-1.0", "-0.5", "0.0", "0.5", "1.0", "1.5"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(textIn(d, 14, labelY[i]), labelText[i]) << i;
    const auto coarse = ticksFrom(d, 39, 44);
    ASSERT_EQ(coarse.size(), 33u);
    EXPECT_EQ(coarse[17], 224);  // 224.375
    EXPECT_EQ(coarse[18], 234);  // 233.75
    EXPECT_EQ(textIn(d, 50, 18), "4.0");

    // 3.75 is not above the limit: all 31 labels and 151 minor ticks.
    m.diagramVScale = 3.75f;
    RecordingCanvas e;
    drawSineFrame(m, e);
    EXPECT_EQ(ticksFrom(e, 36, 44).size(), 31u);
    EXPECT_EQ(ticksFrom(e, 39, 44).size(), 151u);
}

// Past 3.75 the scale thins its ticks so that those drawn stay two pixels
// apart: every 5th up to 18.75, then every 10th, 50th, 100th, 500th.
TEST_F(OvalSinePlotTest, TickStrideKeepsTheDrawnTicksTwoPixelsApart) {
    EXPECT_EQ(travelTickStride(0.1f), 1);
    EXPECT_EQ(travelTickStride(3.75f), 1);
    EXPECT_EQ(travelTickStride(std::nextafter(3.75f, 4.0f)), 5);
    EXPECT_EQ(travelTickStride(18.75f), 5);
    EXPECT_EQ(travelTickStride(std::nextafter(18.75f, 19.0f)), 10);
    EXPECT_EQ(travelTickStride(37.5f), 10);
    EXPECT_EQ(travelTickStride(187.5f), 50);
    EXPECT_EQ(travelTickStride(375.0f), 100);
    EXPECT_EQ(travelTickStride(1000.0f), 500);
    // Never endless, whatever it is given.
    EXPECT_GT(travelTickStride(std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(travelTickStride(std::numeric_limits<float>::quiet_NaN()), 1);

    // At the largest scale: g = 4000, minor ticks every 500th (3.75 px),
    // labels every 50 units of travel, 18.75 px apart.
    m.diagramVScale = kMaxDiagramVScale;
    RecordingCanvas c;
    drawOvalFrame(m, c);
    const auto major = ticksFrom(c, 36, 44);
    ASSERT_EQ(major.size(), 17u);
    EXPECT_EQ(major[8], 215);
    EXPECT_EQ(major[9], 234);  // 215 + 18.75
    EXPECT_EQ(major[16], 365);
    EXPECT_EQ(textIn(c, 15, 191), "50.0");  // 210 - 18.75
    EXPECT_EQ(textIn(c, 15, 60), "400.0");
    EXPECT_EQ(textIn(c, 15, 360), "-400.0");
    EXPECT_EQ(ticksFrom(c, 39, 44).size(), 81u);
    EXPECT_EQ(textIn(c, 50, 18), "1000.0");

    // At any scale up to the limit the drawn ticks stay two pixels apart and
    // within the scale's 300 pixels, so there are never more than 151.
    for (const float vs : {0.1f, 1.0f, 3.75f, 3.8f, 10.0f, 18.75f, 18.8f, 50.0f, 200.0f, 377.0f, 999.9f, 1000.0f}) {
        m.diagramVScale = vs;
        RecordingCanvas d;
        drawSineFrame(m, d);
        for (const auto& ys : {ticksFrom(d, 39, 44), ticksFrom(d, 36, 44)}) {
            ASSERT_FALSE(ys.empty()) << vs;
            EXPECT_LE(ys.size(), 151u) << vs;
            EXPECT_GE(ys.front(), 215 - 151) << vs;
            EXPECT_LE(ys.back(), 215 + 151) << vs;
            for (size_t i = 1; i < ys.size(); ++i) EXPECT_GE(ys[i] - ys[i - 1], 2) << vs << " " << i;
        }
    }

    // A scale outside the limits (only a model set by hand holds one) draws
    // no ticks at all rather than loops without end.
    for (const float vs : {1e38f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
        m.diagramVScale = vs;
        RecordingCanvas d;
        drawOvalFrame(m, d);
        EXPECT_TRUE(ticksFrom(d, 39, 44).empty()) << vs;
    }
}

TEST_F(OvalSinePlotTest, ThresholdLinesAndTheirLabels) {
    LinkageSolution t;
    t.frontAdmitTravel = 0.1f;    // 25 pixels at VS 1.5
    t.frontFullTravel = -0.06f;   // 15
    t.rearAdmitTravel = 0.1f;
    t.rearFullTravel = 0.3f;      // 75
    t.rearExhaustTravel = -0.2f;  // 50
    RecordingCanvas c;
    drawThresholdLines(c, t, 1.5f, 584, 430, 75);
    const auto lines = c.ofKind(Kind::Line);
    ASSERT_EQ(lines.size(), 6u);
    const int y[] = {190, 230, 215, 240, 290, 165};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(lines[i].points[0], (IPoint{15, y[i]})) << i;
        EXPECT_EQ(lines[i].points[1], (IPoint{584, y[i]})) << i;
        EXPECT_EQ(lines[i].pen, i < 3 ? colours::lime : colours::red) << i;
    }
    EXPECT_EQ(textIn(c, 430, 174), "Front Steam Port Open");
    EXPECT_EQ(textIn(c, 75, 241), "Rear Steam Port Open");
    EXPECT_EQ(textIn(c, 430, 149), "Rear Exhaust Port Open");
    EXPECT_EQ(c.penColour(), colours::black);
}

TEST_F(OvalSinePlotTest, MidGearTableOnlyStrictlyWithinFiveHundredthsOfTheCentre) {
    const float centre = m.revArmCentre();  // 5.24
    EXPECT_TRUE(nearMidGear(5.2899f, centre));
    EXPECT_TRUE(nearMidGear(-0.0499f, 0.0f));
    // 0.05 away, however the decimal entries round to floats.
    EXPECT_FALSE(nearMidGear(0.05f, 0.0f));
    EXPECT_FALSE(nearMidGear(-0.05f, 0.0f));
    for (const bool sine : {false, true}) {
        for (const float p : {centre, 5.27f, 5.29f, 5.19f}) {
            onlyPosition(p);
            RecordingCanvas c;
            draw(c, sine);
            const int tables = p == 5.29f || p == 5.19f ? 0 : 1;
            EXPECT_EQ(countText(c, "ExCl"), tables) << p;
            EXPECT_EQ(countText(c, "Lead"), 2 * tables) << p;
        }
    }
}

TEST_F(OvalSinePlotTest, MidGearTableWrittenOnceForThePositionNearestTheCentre) {
    ASSERT_FLOAT_EQ(m.revArmCentre(), 5.24f);
    // Three positions near mid gear and one beyond it: the table is written
    // once, and its lead is the one of the stem range of the nearest (5.25,
    // the third), not of the first near one.
    m.revArmSet[1] = 5.28f;
    m.revArmSet[2] = 6.0f;
    m.revArmSet[3] = 5.25f;
    m.revArmSet[4] = 5.21f;
    m.revArmSetCount = 4;
    EXPECT_EQ(midGearTablePosition(m), 3);
    float high = 0;
    for (const float a : ovalAngles()) high = std::max(high, solveLinkage(m, a, 5.25f).pivotX[kValveStemJoint]);
    const LinkageSolution t = travelTerms(m);
    for (const bool sine : {false, true}) {
        RecordingCanvas c;
        draw(c, sine);
        EXPECT_EQ(countText(c, "ExCl"), 1) << sine;
        EXPECT_EQ(countText(c, "Lead"), 2) << sine;
        int values = 0;
        for (const auto& op : c.ops()) values += op.kind == Kind::Text && op.points[0] == IPoint{592, 166};
        EXPECT_EQ(values, 1) << sine;
    }
    RecordingCanvas oval;
    drawOval(m, oval, advanceUndoLine(m));
    EXPECT_EQ(textIn(oval, 592, 166), fixed(t.rearAdmitJoint + static_cast<double>(high), 6, 3));
    // Equally near: the lower number; none near: no table.
    m.revArmSet[1] = 5.25f;
    m.revArmSet[4] = 7.0f;
    EXPECT_EQ(midGearTablePosition(m), 1);
    m.revArmSet[1] = 4.0f;
    m.revArmSet[3] = 6.5f;
    EXPECT_EQ(midGearTablePosition(m), 0);
    m.revArmSetCount = 0;
    EXPECT_EQ(midGearTablePosition(m), 0);
}

// Both diagrams name the design's unit after "Units Travel" (clear of the
// words) and under the mid-gear table's last figure, once each.
TEST_F(OvalSinePlotTest, TheTravelScaleAndTheMidGearTableNameTheirUnit) {
    m.revArmSet[1] = m.revArmCentre();  // a position at mid gear: the table is written
    for (LengthUnit unit : {LengthUnit::Inch, LengthUnit::Millimetre}) {
        m.lengthUnit = unit;
        const std::string symbol = unit == LengthUnit::Inch ? "(in)" : "(mm)";
        for (const bool sine : {false, true}) {
            RecordingCanvas c;
            draw(c, sine);
            EXPECT_EQ(countText(c, symbol), 2) << sine;
            // After "Units Travel" (12 letters at 6 pixels from x = 9), on its line.
            EXPECT_EQ(textIn(c, 9 + 12 * RecordingCanvas::kCharWidth + 4, 32), symbol) << sine;
            // Under the table's last line (its lead at y = 295, 13 pixels a line).
            EXPECT_EQ(textIn(c, 595, 311), symbol) << sine;
        }
    }
}

TEST_F(OvalSinePlotTest, MidGearTableValuesOfBothValveShapes) {
    onlyPosition(m.revArmCentre());
    float low = 1000, high = 0;  // the stem's range over the oval at mid gear
    for (const float a : ovalAngles()) {
        const float x = solveLinkage(m, a, m.revArmCentre()).pivotX[kValveStemJoint];
        low = std::min(low, x);
        high = std::max(high, x);
    }
    ASSERT_LT(low, high);
    // The default rear valve half (0.687) is longer than its port (0.156):
    // the laps are the cylinder's own.
    const LinkageSolution t = travelTerms(m);
    RecordingCanvas c;
    drawOval(m, c, advanceUndoLine(m));
    EXPECT_EQ(textIn(c, 592, 166), fixed(t.rearAdmitJoint + static_cast<double>(high), 6, 3));
    EXPECT_EQ(textIn(c, 592, 195), fixed(t.frontSteamLap, 6, 3));
    // Otherwise they are measured from the middle of the stem's range.
    m.cyl.steamPortRear = m.cyl.valveLenRear;
    const LinkageSolution u = travelTerms(m);
    const double mean = (static_cast<double>(low) + high) / 2.0;
    RecordingCanvas d;
    drawOval(m, d, advanceUndoLine(m));
    EXPECT_EQ(textIn(d, 592, 195), fixed(u.frontSteamLap - mean, 6, 3));
    EXPECT_EQ(textIn(d, 592, 266), fixed(mean + u.rearSteamLap, 6, 3));
    EXPECT_EQ(textIn(d, 592, 237), fixed(mean + u.rearExhaustLap, 6, 3));
}

TEST_F(OvalSinePlotTest, SineCurveSpansFiftyEightToFiveEightySixAndRepeatsItsFirstTurn) {
    RecordingCanvas c;
    const auto lines = curveLines(c, draw(c, true));
    ASSERT_EQ(lines.size(), 3u * 66u);
    for (size_t k = 0; k < 3; ++k) {
        std::vector<int> yAt(600, -1);  // the curve's height by column
        for (size_t i = 66 * k; i < 66 * (k + 1); ++i) {
            const IPoint a = lines[i].points[0], b = lines[i].points[1];
            EXPECT_EQ(b.x - a.x, 8);
            if (i > 66 * k) {
                EXPECT_EQ(a, lines[i - 1].points[1]);  // one connected curve
            }
            yAt[static_cast<size_t>(a.x)] = a.y;
            yAt[static_cast<size_t>(b.x)] = b.y;
        }
        EXPECT_EQ(lines[66 * k].points[0].x, 58);
        EXPECT_EQ(lines[66 * k + 65].points[1].x, 586);
        // x 58 is 328 degrees; right of x 450 the angles 0 to 136 come again.
        EXPECT_EQ(yAt[58], travelY(solveLinkage(m, 328.0f, m.revArmSet[k + 1]).valveTravel, m.diagramVScale));
        for (size_t x = 450; x <= 586; x += 8) EXPECT_EQ(yAt[x], yAt[x - 360]) << x;
        // The curve's number, in bold, at its left end.
        EXPECT_EQ(textIn(c, 45, yAt[58]), "*" + fixed(static_cast<double>(k + 1), 2, 0));
    }
}

TEST_F(OvalSinePlotTest, OvalIsClosedAndNumberedBesideItsCurve) {
    // Piston column by hand: 584.5 at the front end rounds to 584; stroke 2
    // and rod 1.25 at 90 degrees: 314 + 270.5 (sqrt(1.5625 - 1) - 1.25).
    EXPECT_EQ(ovalX(m, 0.0f), 584);
    Engine e;
    e.stroke = 2.0f;
    e.mainRodLength = 1.25f;
    EXPECT_EQ(ovalX(e, 90.0f), 179);  // 178.75
    e.stroke = 0.0f;  // the divisor clamp: neither infinity nor NaN
    EXPECT_EQ(ovalX(e, 90.0f), 314);

    for (const bool longValve : {true, false}) {
        if (!longValve) m.cyl.steamPortRear = m.cyl.valveLenRear + 0.1f;
        RecordingCanvas c;
        const size_t frame = draw(c, false);
        const auto lines = curveLines(c, frame);
        ASSERT_EQ(lines.size(), 3u * 45u);
        for (size_t k = 0; k < 3; ++k) {
            // From 32 degrees one backward turn to 32 again: the oval closes.
            EXPECT_EQ(lines[45 * k].points[0].x, ovalX(m, 32.0f));
            EXPECT_EQ(lines[45 * k].points[0], lines[45 * k + 44].points[1]);
        }
        // Each number comes just before the stroke it labels, 11 or 2 pixels
        // above its start, the two swapped with the valve's shape.
        int numbers = 0;
        for (size_t i = frame; i + 1 < c.ops().size(); ++i) {
            const DrawOp& t = c.ops()[i];
            if (t.kind != Kind::Text || !t.bold) continue;
            ++numbers;
            const bool first = t.points[0].x == 300;
            EXPECT_TRUE(first || t.points[0].x == 334);
            EXPECT_EQ(t.points[0].y, c.ops()[i + 1].points[0].y - (first == longValve ? 11 : 2));
        }
        EXPECT_EQ(numbers, 6);
    }
}

TEST_F(OvalSinePlotTest, PositionListFollowsTheFontFactors) {
    m.fontScaleX = 1.25f;
    m.fontScaleY = 1.5f;
    RecordingCanvas c;
    drawOval(m, c, advanceUndoLine(m));
    // The whole plot goes down below the panel band, whose 68 rows grow to
    // 102: 34 rows.
    const int down = diagramShift(m);
    ASSERT_EQ(down, 34);
    EXPECT_EQ(textIn(c, 725, 13 + down), " 5.240");
    // Line w at round(18 w) + 12; 533 * 1.25 = 666.25.
    EXPECT_EQ(textIn(c, 666, 30 + down), "Cen");
    EXPECT_EQ(textIn(c, 666, 66 + down), "Rev");
    EXPECT_EQ(textIn(c, 681, 66 + down), "    3");
}

TEST_F(OvalSinePlotTest, NoPositionsDrawOnlyTheFrame) {
    m.revArmSetCount = 0;
    for (const bool sine : {false, true}) {
        RecordingCanvas c;
        EXPECT_EQ(c.ops().size(), draw(c, sine));
        EXPECT_EQ(countText(c, "Reverse Arm Positions"), 1);
    }
    // A count a data file brought in from outside 0..9 stays within the table.
    m.revArmSetCount = -2;
    EXPECT_EQ(positionsInUse(m), 0);
    m.revArmSetCount = 40;
    EXPECT_EQ(positionsInUse(m), 9);
}

// Both diagrams solve their own settings: the live pivots, motion and solver
// results stay as the animation tick left them, and a clamp met at a
// diagram's setting raises no error flag.
TEST_F(OvalSinePlotTest, DrawingLeavesTheLiveModelAlone) {
    m.driverAngle = 123.5f;
    m.revArmPos = 5.5f;
    solveAll(m);
    ASSERT_FALSE(m.solverError);
    m.revArmSet[4] = m.revArmCentre() + m.revArmMax;
    m.revArmSetCount = 4;
    m.reverseArmLength = 0.9f;  // the outer setting cannot close the reverse arm
    ASSERT_GT(solveLinkage(m, 0.0f, m.revArmSet[4]).clamps, 0);
    const Model before = m;
    for (const bool sine : {false, true}) {
        RecordingCanvas c;
        draw(c, sine);
        EXPECT_EQ(std::memcmp(static_cast<const Engine*>(&before), static_cast<const Engine*>(&m), sizeof(Engine)), 0);
        EXPECT_EQ(std::memcmp(static_cast<const SolverResults*>(&before), static_cast<const SolverResults*>(&m),
                              sizeof(SolverResults)),
                  0);
        EXPECT_EQ(std::memcmp(before.revArmSet, m.revArmSet, sizeof m.revArmSet), 0);
        EXPECT_EQ(m.driverAngle, 123.5f);
        EXPECT_EQ(m.revArmPos, 5.5f);
        EXPECT_EQ(m.revArmSetCount, 4);
        EXPECT_FALSE(m.solverError);
    }
}

}  // namespace
}  // namespace tevrane
