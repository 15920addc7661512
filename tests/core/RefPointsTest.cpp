// Reference points and pointer selection: what a press in the picture, the
// reference point bars and buttons and the "Reference Points" dialog's
// buttons do to the model and the panel. The start view is scale 28 with the
// origin at pixel (115, 270).
#include <gtest/gtest.h>

#include "dialogs/core/RefPointLogic.h"
#include "main/core/MainController.h"
#include "model/Model.h"

using namespace tevrane;

namespace {
struct RefPoints : ::testing::Test {
    Model m;
    Panel p;
    MainController c{m, p};
    int drawLinesOpened = 0;
    void SetUp() override {
        initModel(m);
        initPanel(m, p);
        c.onDrawLinesClick = [this] { ++drawLinesOpened; };
    }
    void press(MouseButton b, int x, int y) { c.formMouseDown(b, x, y); }
    // Whether a left press at (x, y) arms pivot data row `row` from nothing armed.
    bool armsRow(int x, int y, int row) {
        m.pivotRowArmed = false;
        m.armedRow = 0;
        for (auto& a : m.pivotRowActive) a = 0;
        press(MouseButton::Left, x, y);
        return m.pivotRowArmed && m.armedRow == row && m.pivotRowActive[row] == 1;
    }
};
}  // namespace

TEST_F(RefPoints, PressesPlaceThePointsOnlyInTheDrawingZone) {
    EXPECT_TRUE(inDrawingZone(248, 68));
    EXPECT_FALSE(inDrawingZone(247, 68));
    EXPECT_FALSE(inDrawingZone(248, 67));
    EXPECT_TRUE(inDrawingZone(0, 121));
    EXPECT_FALSE(inDrawingZone(0, 120));

    // Off, a press places nothing.
    press(MouseButton::Left, 300, 100);
    EXPECT_EQ(m.pivotX[kRefPoint1], 0.0f);

    c.toggleReferPoints();
    press(MouseButton::Left, 200, 100);  // beside the presets: not the drawing
    EXPECT_EQ(m.pivotX[kRefPoint1], 0.0f);
    EXPECT_EQ(m.pivotY[kRefPoint1], 0.0f);
    EXPECT_FALSE(p.refPt1Zero.enabled);

    press(MouseButton::Left, 300, 100);
    EXPECT_FLOAT_EQ(m.pivotX[kRefPoint1], 185.0f / 28);  // (300 - 115) / 28
    EXPECT_FLOAT_EQ(m.pivotY[kRefPoint1], 170.0f / 28);  // -(100 - 270) / 28
    EXPECT_TRUE(p.refPt1Zero.enabled);
    EXPECT_FALSE(p.refPt2Zero.enabled);

    press(MouseButton::Right, 59, 326);  // world (-2, -2)
    EXPECT_FLOAT_EQ(m.pivotX[kRefPoint2], -2.0f);
    EXPECT_FLOAT_EQ(m.pivotY[kRefPoint2], -2.0f);
    EXPECT_TRUE(p.refPt2Zero.enabled);
    EXPECT_FLOAT_EQ(m.pivotX[kRefPoint1], 185.0f / 28);  // point 1 stays
}

TEST_F(RefPoints, ArmedRowTakesTheNearestPivotLowestNumberOnATie) {
    for (int i = 0; i < kPivotCount; ++i) m.pivotX[i] = m.pivotY[i] = 50.0f;
    m.pivotX[0] = m.pivotY[0] = 0.0f;  // the origin is never picked
    m.pivotX[2] = 1.0f;                // (1, 0): 1 from the press
    m.pivotY[2] = 0.0f;
    m.pivotY[3] = -1.0f;               // (0, -1): 1 from the press
    m.pivotX[3] = 0.0f;
    c.togglePivotData();  // turns the reference points on as well
    ASSERT_TRUE(m.refPointsOn);

    EXPECT_TRUE(armsRow(1, 153, 1));
    EXPECT_TRUE(c.pickPending());
    press(MouseButton::Left, 115, 270);  // world (0, 0)
    EXPECT_FALSE(m.pivotRowArmed);
    EXPECT_FALSE(c.pickPending());
    EXPECT_EQ(m.nearestPivot, 2);
    EXPECT_EQ(m.pivotRowPivot[1], 2.0f);
    EXPECT_EQ(m.pivotX[kRefPoint1], 0.0f);  // point 1 moved to the press
    EXPECT_EQ(m.pivotY[kRefPoint1], 0.0f);

    // A press nearer to pivot 3 by a hair takes 3.
    m.pivotY[3] = -0.99f;
    c.findNearestPivot(115, 270);
    EXPECT_EQ(m.nearestPivot, 3);

    // Nothing within 10000: the last found pivot stays.
    for (int i = 1; i <= 18; ++i) m.pivotX[i] = 20000.0f;
    c.findNearestPivot(115, 270);
    EXPECT_EQ(m.nearestPivot, 3);
}

TEST_F(RefPoints, RowBandsAtBothFonts) {
    c.togglePivotData();
    // Normal font: row 1 is rows 153..160, columns 1..19.
    EXPECT_TRUE(armsRow(1, 153, 1));
    EXPECT_TRUE(armsRow(19, 160, 1));
    EXPECT_FALSE(armsRow(1, 152, 1));
    EXPECT_FALSE(armsRow(1, 161, 1));
    EXPECT_FALSE(armsRow(0, 155, 1));
    EXPECT_FALSE(armsRow(20, 155, 1));
    EXPECT_TRUE(armsRow(5, 203, 6));  // row 6: 203..210
    EXPECT_FALSE(m.pivotRowActive[1]);
    // Large font (1.27, 1.22): rows 186..195, columns 1..24.
    c.toggleFont();
    EXPECT_TRUE(armsRow(1, 186, 1));
    EXPECT_TRUE(armsRow(24, 195, 1));
    EXPECT_FALSE(armsRow(1, 185, 1));
    EXPECT_FALSE(armsRow(1, 196, 1));
    EXPECT_FALSE(armsRow(25, 190, 1));
    // Only the left button arms.
    m.pivotRowArmed = false;
    press(MouseButton::Right, 1, 190);
    EXPECT_FALSE(m.pivotRowArmed);
}

TEST_F(RefPoints, RowsNeedPivotDataAndReferencePoints) {
    c.toggleReferPoints();
    EXPECT_FALSE(armsRow(1, 155, 1));  // pivot data off
    c.togglePivotData();
    c.toggleReferPoints();  // off again, and pivot data with it
    EXPECT_FALSE(m.pivotDataOn);
    EXPECT_FALSE(p.dataTable.visible);
    EXPECT_FALSE(armsRow(1, 155, 1));
}

TEST_F(RefPoints, MiddleButtonOnlyEndsAPointerDisplay) {
    c.togglePivotData();
    m.pivotRowArmed = true;
    m.armedRow = 2;
    m.drawLinesTypeChoice = 0;
    m.drawLinesColourChoice = 1;
    m.drawLinesRefChoice = 1;
    m.pointerDim = 7;
    m.pointerFrameCount = 3;
    press(MouseButton::Middle, 300, 200);
    EXPECT_EQ(m.pointerFrameCount, 1005);
    EXPECT_EQ(m.pivotX[kRefPoint1], 0.0f);
    EXPECT_EQ(m.pivotX[kRefPoint2], 0.0f);
    EXPECT_TRUE(m.pivotRowArmed);
    EXPECT_EQ(m.pivotRowPivot[2], 0.0f);
    EXPECT_FALSE(m.leftPressed);
    EXPECT_EQ(drawLinesOpened, 0);

    // With no pointer display running the count is left alone.
    m.pointerDim = 0;
    m.pointerFrameCount = 3;
    press(MouseButton::Left, 300, 200);
    EXPECT_EQ(m.pointerFrameCount, 3);
}

TEST_F(RefPoints, PicksReopenTheDrawLinesWindow) {
    c.toggleReferPoints();
    // A choice missing: no reopening.
    m.drawLinesTypeChoice = 0;
    m.drawLinesRefChoice = 1;
    press(MouseButton::Left, 300, 200);
    EXPECT_EQ(drawLinesOpened, 0);
    // One-pivot item: the left press places point 1, then reopens.
    m.drawLinesColourChoice = 2;
    float placedWhenOpened = -1;
    c.onDrawLinesClick = [&] {
        ++drawLinesOpened;
        placedWhenOpened = m.pivotX[kRefPoint1];
    };
    press(MouseButton::Left, 143, 200);  // world x 1
    EXPECT_EQ(drawLinesOpened, 1);
    EXPECT_FLOAT_EQ(placedWhenOpened, 1.0f);
    press(MouseButton::Right, 143, 200);
    EXPECT_EQ(drawLinesOpened, 1);

    // Two-pivot item: a right press alone does nothing, left then right does.
    m.drawLinesRefChoice = 3;
    m.leftPressed = false;
    press(MouseButton::Right, 300, 200);
    EXPECT_EQ(drawLinesOpened, 1);
    press(MouseButton::Left, 300, 200);
    EXPECT_EQ(drawLinesOpened, 1);
    EXPECT_TRUE(m.leftPressed);
    press(MouseButton::Right, 300, 200);
    EXPECT_EQ(drawLinesOpened, 2);
    EXPECT_FALSE(m.leftPressed);
    press(MouseButton::Right, 300, 200);
    EXPECT_EQ(drawLinesOpened, 2);

    // The cross cursor while the window waits for a pick, and only while a
    // press can pick.
    m.drawLinesPick = true;
    EXPECT_TRUE(c.pickPending());
    c.toggleReferPoints();
    EXPECT_FALSE(c.pickPending());
}

TEST_F(RefPoints, JogBarsAndZeroButtons) {
    c.toggleReferPoints();
    c.setBarPosition(Bar::Ref1Horz, 25);  // one page click right
    EXPECT_FLOAT_EQ(m.pivotX[kRefPoint1], 0.025f);
    EXPECT_EQ(m.pivotY[kRefPoint1], 0.0f);
    EXPECT_EQ(p.bar(Bar::Ref1Horz).position, 0);  // sprang back
    EXPECT_TRUE(p.refPt1Zero.enabled);
    EXPECT_FALSE(p.refPt2Zero.enabled);
    c.setBarPosition(Bar::Ref2Vert, -1);  // one arrow click down
    EXPECT_FLOAT_EQ(m.pivotY[kRefPoint2], -0.001f);
    EXPECT_TRUE(p.refPt2Zero.enabled);

    c.refPt1ZeroClick();
    EXPECT_EQ(m.pivotX[kRefPoint1], 0.0f);
    EXPECT_FALSE(p.refPt1Zero.enabled);
    EXPECT_FLOAT_EQ(m.pivotY[kRefPoint2], -0.001f);  // point 2 untouched
    c.refPt2ZeroClick();
    EXPECT_EQ(m.pivotY[kRefPoint2], 0.0f);
    EXPECT_FALSE(p.refPt2Zero.enabled);
    EXPECT_TRUE(c.refPointsAtOrigin());
}

TEST_F(RefPoints, PanToAPointThenThePanBarsHandlersRun) {
    c.toggleReferPoints();
    m.pivotX[kRefPoint1] = 2.0f;
    m.pivotY[kRefPoint1] = 1.0f;
    c.refPt1Click();
    // Centred: offsets (320 - 56, 28 + 240) = (264, 268). The horizontal bar
    // then goes to round((-56 + 205) * 100 / -115) = -130, which its jog
    // handler turns into a pan of -13; the vertical one to
    // round((28 - 30) * 200 / 270) = -1, an arrow click of 0.1 down.
    EXPECT_FLOAT_EQ(m.viewOffsetX, 251.0f);
    EXPECT_FLOAT_EQ(m.viewOffsetY, 268.1f);
    EXPECT_EQ(m.viewScale, 28.0f);
    EXPECT_EQ(p.bar(Bar::PanHorz).position, 0);
    EXPECT_EQ(p.bar(Bar::PanVert).position, 0);
    EXPECT_TRUE(p.norm.enabled);

    // A point whose centred view is the normal view leaves the bars at rest.
    m.viewOffsetX = 0;
    m.pivotX[kRefPoint2] = 205.0f / 28;  // 320 - x * 28 = 115
    m.pivotY[kRefPoint2] = 30.0f / 28;   // y * 28 + 240 = 270
    c.refPt2Click();
    EXPECT_FLOAT_EQ(m.viewOffsetX, 115.0f);
    EXPECT_FLOAT_EQ(m.viewOffsetY, 270.0f);
}

TEST_F(RefPoints, DialogButtons) {
    c.refPointsOk(0, 0, 1.5f, 0);
    EXPECT_FALSE(p.refPt1Zero.enabled);
    EXPECT_TRUE(p.refPt2Zero.enabled);
    EXPECT_EQ(m.pivotY[kRefPoint2], 1.5f);
    EXPECT_TRUE(m.refPointsOn);
    c.refPointsOk(0, 0, 1.5f, 0);  // already on: stays on
    EXPECT_TRUE(m.refPointsOn);

    c.refPointsCancel();
    EXPECT_FALSE(m.refPointsOn);
    EXPECT_EQ(m.pivotY[kRefPoint2], 1.5f);  // the points stay

    c.togglePivotData();
    ASSERT_TRUE(m.refPointsOn);
    m.pivotX[kRefPoint1] = -3.0f;
    c.refPointsZero();
    EXPECT_FALSE(m.refPointsOn);
    EXPECT_FALSE(m.pivotDataOn);
    EXPECT_TRUE(c.refPointsAtOrigin());
    EXPECT_FALSE(p.refPt1Zero.enabled);
    EXPECT_FALSE(p.refPt2Zero.enabled);
    EXPECT_FALSE(p.bar(Bar::Ref1Vert).visible);
}

TEST(RefPointBoxes, TextsAndValues) {
    EXPECT_EQ(refpoint::boxText(1.5f), "1.500");
    EXPECT_EQ(refpoint::boxText(-12.3456f), "-12.346");
    EXPECT_EQ(refpoint::boxValue(""), 0.0f);
    EXPECT_EQ(refpoint::boxValue("-2.25"), -2.25f);
    EXPECT_EQ(refpoint::boxValue("1.5-"), 1.5f);
    EXPECT_EQ(refpoint::boxValue("-"), 0.0f);
    // A coordinate beyond any drawing is held at the limit, never infinite.
    EXPECT_EQ(refpoint::boxValue(std::string(60, '9')), refpoint::kCoordinateLimit);
    EXPECT_EQ(refpoint::boxValue("-" + std::string(60, '9')), -refpoint::kCoordinateLimit);
}
