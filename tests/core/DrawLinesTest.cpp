// The draw-lines window's logic: items built from the reference points in
// each mode, the refusals, the pivot pick and the rows it shows. Coordinates
// are given as (vertical, horizontal), as the rows show them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "dialogs/core/DrawLines.h"
#include "main/core/Renderer.h"
#include "model/Format.h"
#include "model/Model.h"
#include "model/Solver.h"
#include "platform/RecordingCanvas.h"

namespace tevrane {
namespace {

using namespace drawlines;

class DrawLinesTest : public ::testing::Test {
protected:
    void SetUp() override { initModel(m); }

    void refPoints(float v1, float h1, float v2, float h2) {
        m.pivotY[kRefPoint1] = v1;
        m.pivotX[kRefPoint1] = h1;
        m.pivotY[kRefPoint2] = v2;
        m.pivotX[kRefPoint2] = h2;
    }
    // The three choices in their proper order, the window open.
    void choose(int type, int colour, int mode) {
        logic.activate();
        logic.typeClick(type);
        logic.colourClick(colour);
        logic.refClick(mode);
    }
    // Every pivot far away but the ones a test places.
    void pivotsFarAway() {
        for (int i = 1; i < kPivotCount; ++i) {
            m.pivotX[i] = 100.0f + static_cast<float>(i);
            m.pivotY[i] = 100.0f;
        }
    }
    const RowView& row(int r) const { return logic.view().rows[static_cast<size_t>(r)]; }
    void expectChoicesCleared() const {
        EXPECT_EQ(m.drawLinesTypeChoice, -1);
        EXPECT_EQ(m.drawLinesColourChoice, -1);
        EXPECT_EQ(m.drawLinesRefChoice, -1);
        EXPECT_FALSE(logic.view().drawCloseEnabled);
    }

    Model m;
    RecordingSound sound;
    DrawLinesLogic logic{m, m, sound};
};

TEST_F(DrawLinesTest, ItemsFixedToTheOriginKeepTheirPointsAndACircleGetsItsRadius) {
    // A line from (1, 2) to (3, 4).
    refPoints(1, 2, 3, 4);
    choose(0, 1, 0);
    EXPECT_TRUE(logic.view().drawCloseEnabled);
    EXPECT_FALSE(logic.takeCloseRequest());
    logic.drawCloseClick();
    EXPECT_TRUE(logic.takeCloseRequest());
    EXPECT_EQ(m.lineY1[1], 1.0f);
    EXPECT_EQ(m.lineX1[1], 2.0f);
    EXPECT_EQ(m.lineY2[1], 3.0f);
    EXPECT_EQ(m.lineX2[1], 4.0f);
    EXPECT_EQ(m.lineType[1], 0.0f);
    EXPECT_EQ(m.lineColour[1], 255.0f);
    EXPECT_EQ(m.lineMode[1], 0.0f);
    EXPECT_EQ(row(1).type, "Line");
    EXPECT_EQ(row(1).colour, "Red");
    EXPECT_EQ(row(1).ref, "0 , 0");
    EXPECT_EQ(row(1).box, (std::array<std::string, 4>{"  1.000", "  2.000", "  3.000", "  4.000"}));
    EXPECT_EQ(m.lineCount, 2);
    expectChoicesCleared();

    // A circle about (0, 0) through (3, 4): radius 5 in the fourth column.
    refPoints(0, 0, 3, 4);
    choose(1, 4, 0);
    logic.drawCloseClick();
    EXPECT_EQ(m.lineX2[2], 5.0f);
    EXPECT_EQ(m.lineColour[2], 16711680.0f);
    EXPECT_EQ(row(2).box, (std::array<std::string, 4>{"  0.000", "  0.000", "", "  5.000"}));
    EXPECT_EQ(m.lineCount, 3);
    EXPECT_EQ(sound.beeps, 0);
    EXPECT_FALSE(m.drawLinesPick);
}

TEST_F(DrawLinesTest, WrongOrderOfChoicesIsRefused) {
    // Both reference points at the origin: a type beeps and closes, no item changes.
    const Overlay before = m;
    logic.activate();
    logic.typeClick(0);
    EXPECT_EQ(sound.beeps, 1);
    EXPECT_TRUE(logic.takeCloseRequest());
    EXPECT_EQ(m.drawLinesTypeChoice, -1);
    EXPECT_EQ(row(1).type, "");
    EXPECT_EQ(std::memcmp(before.lineType, m.lineType, sizeof m.lineType), 0);
    EXPECT_EQ(std::memcmp(before.lineX1, m.lineX1, sizeof m.lineX1), 0);
    EXPECT_EQ(m.lineCount, before.lineCount);

    refPoints(1, 1, 2, 2);
    logic.colourClick(2);  // a colour before a type
    EXPECT_EQ(sound.beeps, 2);
    EXPECT_EQ(m.drawLinesColourChoice, -1);
    logic.typeClick(0);
    logic.refClick(0);  // a mode before a colour
    EXPECT_EQ(sound.beeps, 3);
    EXPECT_EQ(m.drawLinesRefChoice, -1);
    EXPECT_EQ(m.lineMode[1], -1.0f);
    EXPECT_FALSE(logic.view().drawCloseEnabled);

    // A circle cannot follow two points: the row is left empty.
    for (int mode : {2, 3}) {
        sound.reset();
        choose(1, 3, mode);
        EXPECT_EQ(sound.beeps, 1) << mode;
        EXPECT_FALSE(logic.takeCloseRequest());
        EXPECT_FALSE(m.drawLinesPick);
        EXPECT_EQ(m.lineType[1], -1.0f);
        EXPECT_EQ(m.lineMode[1], -1.0f);
        EXPECT_EQ(m.lineColour[1], -1.0f);
        EXPECT_EQ(m.lineX2[1], 0.0f);
        EXPECT_EQ(row(1).type, "");
        EXPECT_EQ(row(1).colour, "");
        EXPECT_EQ(row(1).ref, "");
        EXPECT_EQ(m.lineCount, 1);
        expectChoicesCleared();
    }
}

TEST_F(DrawLinesTest, TheLastItemStaysCurrentWithABeep) {
    refPoints(1, 1, 2, 2);
    logic.itemLabelClick(19);
    choose(0, 0, 0);
    logic.drawCloseClick();
    EXPECT_EQ(m.lineCount, 20);
    EXPECT_EQ(sound.beeps, 0);
    choose(0, 0, 0);
    logic.drawCloseClick();
    EXPECT_EQ(m.lineCount, 20);
    EXPECT_EQ(sound.beeps, 1);
    EXPECT_EQ(m.lineType[20], 0.0f);
}

TEST_F(DrawLinesTest, AClickOnTheChosenButtonDoesNothing) {
    pivotsFarAway();
    m.pivotY[5] = 1.0f, m.pivotX[5] = 1.0f;
    logic.itemLabelClick(4);
    refPoints(1, 1, 2, 2);
    choose(1, 2, 1);  // a circle about a pivot: the window closes for the pick
    ASSERT_TRUE(logic.takeCloseRequest());
    ASSERT_EQ(m.lineCount, 3);
    logic.activate();  // back from the pick
    ASSERT_EQ(m.lineCount, 4);
    ASSERT_EQ(m.linePivotA[4], 5.0f);

    // The chosen buttons clicked again, with the reference points moved.
    refPoints(7, 7, 8, 8);
    const int beeps = sound.beeps;
    logic.typeClick(1);
    logic.colourClick(2);
    logic.refClick(1);
    EXPECT_FALSE(logic.takeCloseRequest());
    EXPECT_EQ(m.lineCount, 4);
    EXPECT_EQ(m.lineX1[4], 1.0f);  // the points taken at the first click
    EXPECT_EQ(m.lineY2[4], 2.0f);
    EXPECT_EQ(row(4).ref, "Pivot1");
    EXPECT_EQ(row(4).type, "Circle");
    EXPECT_EQ(sound.beeps, beeps);
    EXPECT_TRUE(logic.view().drawCloseEnabled);

    // Another button still acts: a line instead of the circle.
    logic.typeClick(0);
    EXPECT_EQ(m.drawLinesTypeChoice, 0);
    EXPECT_EQ(row(4).type, "Line");
}

TEST_F(DrawLinesTest, RowBoxesTakeNumbersOnlyAndACirclesThirdBoxNothing) {
    refPoints(1, 1, 2, 2);
    logic.activate();
    logic.typeClick(1);  // row 1 now reads "Circle"
    for (char key : {'5', '-', '.', '\b', 'x'}) EXPECT_FALSE(logic.acceptKey(1, BVert, "", key)) << key;
    EXPECT_TRUE(logic.acceptKey(1, BHorzOrRadius, "", '5'));
    EXPECT_TRUE(logic.acceptKey(2, BVert, "", '5'));
    EXPECT_TRUE(logic.acceptKey(2, AVert, "1.5", '\b'));
    EXPECT_TRUE(logic.acceptKey(2, AVert, "1", '-'));
    EXPECT_FALSE(logic.acceptKey(2, AVert, "-1", '-'));
    EXPECT_FALSE(logic.acceptKey(2, AVert, "1.5", '.'));
    EXPECT_FALSE(logic.acceptKey(2, AVert, "1", '\r'));
    EXPECT_FALSE(logic.acceptKey(2, AVert, "1", 'e'));

    // Leaving a box stores its text in that row's item, empty as 0.
    logic.leaveBox(7, AHorz, " -2.5");
    m.lineX2[7] = 9.0f;
    logic.leaveBox(7, BHorzOrRadius, "");
    EXPECT_EQ(m.lineX1[7], -2.5f);
    EXPECT_EQ(m.lineX2[7], 0.0f);
    EXPECT_EQ(row(7).box[AHorz], " -2.5");
}

TEST_F(DrawLinesTest, APivotPickClosesThenResolvesTheNearestPivotAndRoundsTheOffsets) {
    pivotsFarAway();
    // Pivots 5 and 8 at the same summed distance from the pick; the
    // reference points themselves (19, 20) lie on it and do not count.
    m.pivotY[5] = 1.0f, m.pivotX[5] = 1.0f;
    m.pivotY[8] = 1.0f, m.pivotX[8] = 3.0f;
    logic.itemLabelClick(3);
    refPoints(0.5f, 2.23456f, 2.5f, 0.5f);
    choose(0, 5, 1);
    EXPECT_TRUE(logic.takeCloseRequest());
    EXPECT_TRUE(m.drawLinesPick);
    EXPECT_EQ(m.drawLinesRefChoice, 1);
    EXPECT_EQ(m.lineCount, 2);
    EXPECT_EQ(row(3).ref, "Pivot1");
    EXPECT_EQ(m.lineMode[3], 1.0f);

    // The user picks between pivots 5 and 8; the main window reopens.
    refPoints(1, 2, 1, 2);
    logic.activate();
    EXPECT_EQ(m.lineCount, 3);
    EXPECT_EQ(m.linePivotA[3], 5.0f);
    EXPECT_EQ(m.linePivotAX[3], 1.0f);
    EXPECT_EQ(m.linePivotAY[3], 1.0f);
    EXPECT_TRUE(logic.view().drawCloseEnabled);
    logic.drawCloseClick();
    // Offsets from pivot 5 as it stood, to 0.001: 1.23456 is kept as 1.235.
    EXPECT_EQ(m.lineX1[3], 1.235f);
    EXPECT_EQ(m.lineY1[3], -0.5f);
    EXPECT_EQ(m.lineY2[3], 1.5f);
    EXPECT_EQ(m.lineX2[3], -0.5f);
    EXPECT_EQ(row(3).box, (std::array<std::string, 4>{" -0.500", "  1.235", "  1.500", " -0.500"}));
    EXPECT_EQ(m.lineColour[3], 8421504.0f);
    EXPECT_EQ(m.lineCount, 4);
    EXPECT_FALSE(m.drawLinesPick);
    expectChoicesCleared();
    EXPECT_EQ(sound.beeps, 0);
}

TEST_F(DrawLinesTest, TwoPivotLineAndOnePivotCircle) {
    pivotsFarAway();
    m.pivotY[4] = 0.0f, m.pivotX[4] = 0.0f;
    m.pivotY[9] = 5.0f, m.pivotX[9] = 5.0f;
    // Line from (0.25, 0.5) to (5.5, 4.75), then pivot 4 (left pick) and 9 (right pick).
    refPoints(0.25f, 0.5f, 5.5f, 4.75f);
    choose(0, 0, 3);
    EXPECT_TRUE(logic.takeCloseRequest());
    EXPECT_EQ(row(1).ref, "Piv1/P2");
    refPoints(0.1f, 0.1f, 4.9f, 5.2f);
    logic.activate();
    EXPECT_EQ(m.linePivotA[1], 4.0f);
    EXPECT_EQ(m.linePivotB[1], 9.0f);
    logic.drawCloseClick();
    EXPECT_EQ(m.lineY1[1], 0.25f);
    EXPECT_EQ(m.lineX1[1], 0.5f);
    EXPECT_EQ(m.lineY2[1], 0.5f);
    EXPECT_EQ(m.lineX2[1], -0.25f);

    // A circle about (1, 1) through (4, 5) tied to pivot 9: radius 5, the
    // centre an offset from the pivot.
    refPoints(1, 1, 4, 5);
    choose(1, 1, 1);
    EXPECT_TRUE(logic.takeCloseRequest());
    refPoints(5, 5, 4, 5);
    logic.activate();
    EXPECT_EQ(m.linePivotA[2], 9.0f);
    logic.drawCloseClick();
    EXPECT_EQ(m.lineY1[2], -4.0f);
    EXPECT_EQ(m.lineX1[2], -4.0f);
    EXPECT_EQ(m.lineX2[2], 5.0f);
    EXPECT_EQ(row(2).box[BVert], "");
}

TEST_F(DrawLinesTest, ClearLineAndTheTableRebuild) {
    m.lineType[2] = 1, m.lineColour[2] = 65535, m.lineMode[2] = 1;
    m.lineY1[2] = 1.5f, m.lineX1[2] = -2.25f, m.lineY2[2] = 7, m.lineX2[2] = 0.125f;
    m.lineType[3] = 0, m.lineColour[3] = 0, m.lineMode[3] = 3, m.lineX2[3] = 12.5f;
    logic.linesDataClick();
    EXPECT_EQ(row(2).type, "Circle");
    EXPECT_EQ(row(2).colour, "Yellow");
    EXPECT_EQ(row(2).ref, "Pivot1");
    EXPECT_EQ(row(2).box, (std::array<std::string, 4>{"  1.500", " -2.250", "", "  0.125"}));
    EXPECT_EQ(row(3).ref, "Piv1/P2");
    EXPECT_EQ(row(3).box[BHorzOrRadius], " 12.500");
    EXPECT_EQ(row(4).box, (std::array<std::string, 4>{}));
    EXPECT_EQ(row(4).type, "");

    logic.clearValueLabels();
    EXPECT_EQ(row(2).type, "");
    EXPECT_EQ(row(2).box[AVert], "  1.500");

    logic.linesDataClick();
    logic.itemLabelClick(2);
    m.linePivotAX[2] = 3.0f;
    logic.clearLineClick();
    EXPECT_EQ(m.lineType[2], -1.0f);
    EXPECT_EQ(m.lineColour[2], -1.0f);
    EXPECT_EQ(m.lineMode[2], -1.0f);
    EXPECT_EQ(m.lineY2[2], 0.0f);
    EXPECT_EQ(m.linePivotAX[2], 0.0f);
    EXPECT_EQ(row(2).box, (std::array<std::string, 4>{}));
    EXPECT_EQ(row(2).colour, "");
    EXPECT_EQ(m.lineType[3], 0.0f);  // the other rows stay
    EXPECT_FALSE(logic.takeCloseRequest());
}

TEST_F(DrawLinesTest, AOnePivotLineFollowsItsPivotThroughATurnOfTheDriver) {
    m.driverAngle = 30.0f;
    solveAll(m);
    const float px = m.pivotX[kCrankPin], py = m.pivotY[kCrankPin];
    // A yellow line from the crank pin to a point 1 above and 2 right of it.
    refPoints(py, px, py + 1.0f, px + 2.0f);
    choose(0, 3, 1);
    logic.activate();  // picked on the crank pin itself
    ASSERT_EQ(m.linePivotA[1], static_cast<float>(kCrankPin));
    logic.drawCloseClick();

    auto drawnLine = [&](float angle) {
        m.driverAngle = angle;
        solveAll(m);
        RecordingCanvas c;
        drawMechanism(m, RenderState{}, c);
        std::vector<DrawOp> yellow;
        for (const DrawOp& op : c.ofKind(DrawOp::Kind::Line))
            if (op.pen == rgb(255, 255, 0)) yellow.push_back(op);
        EXPECT_EQ(yellow.size(), 1u);
        return yellow.empty() ? DrawOp{} : yellow.front();
    };
    for (float angle : {30.0f, 120.0f, 250.0f}) {
        const DrawOp l = drawnLine(angle);
        ASSERT_EQ(l.points.size(), 2u);
        // It starts on the crank pin and keeps its length and direction.
        EXPECT_NEAR(l.points[0].x, m.pivotScreenX[kCrankPin], 1) << angle;
        EXPECT_NEAR(l.points[0].y, m.pivotScreenY[kCrankPin], 1) << angle;
        EXPECT_NEAR(l.points[1].x - l.points[0].x, toInt(2.0L * m.viewScale), 1) << angle;
        EXPECT_NEAR(l.points[1].y - l.points[0].y, -toInt(1.0L * m.viewScale), 1) << angle;
    }
    // The pin really moved between the two far angles.
    const DrawOp a = drawnLine(120.0f);
    const DrawOp b = drawnLine(300.0f);
    EXPECT_GT(std::abs(a.points[0].x - b.points[0].x) + std::abs(a.points[0].y - b.points[0].y), 20);
}

}  // namespace
}  // namespace tevrane
