// Two designs compared: the reference drawn under the live gear (under it,
// at its setting, without touching the live engine, gone after "Compare
// off") and the comparison's arithmetic (units, angles, what differs).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "ExampleDesigns.h"
#include "main/core/Renderer.h"
#include "model/Comparison.h"
#include "model/Dimensions.h"
#include "model/Format.h"
#include "model/Solver.h"
#include "platform/RecordingCanvas.h"

namespace tevrane {
namespace {

constexpr Colour kLightGrey = rgb(200, 200, 200);

// A model as the window keeps it after a tick, with a reference of the same
// design whose valve rod is longer (so its valve, links and outline move).
struct Comparing {
    Model m = exampleDesign("default");
    Model other = m;
    RenderState st;
    RecordingCanvas c;
    RecordingHost host;
    FrameClock clock{"9.12.2026", "00:00:00"};

    Comparing() {
        other.valveRodLength += 0.5f;
        other.pivotY[kCrosshead] += 0.25f;  // the cylinder line higher: its outline moves too
        setReference(m, other, other.revArmCentre(), "longer rod");
    }
    void tick() {
        solveAll(m);
        solveReference(m);
    }
    void frame() {
        c.reset();
        runFrame(m, st, c, host, clock);
    }
};

bool engineBytesEqual(const Engine& a, const Engine& b) { return std::memcmp(&a, &b, sizeof(Engine)) == 0; }

TEST(ReferenceGear, DrawnInLightGreyUnderTheLiveGearWithoutTouchingIt) {
    Comparing with;
    Model without = with.m;
    clearReference(without);
    for (float angle : {0.0f, 37.0f, 200.0f}) {
        with.m.driverAngle = without.driverAngle = angle;
        with.m.revArmPos = without.revArmPos = with.m.revArmCentre() + 0.4f;
        with.tick();
        solveAll(without);
        // The live engine (its pivots as solved included) is the same byte
        // for byte as the one solved without a reference.
        EXPECT_TRUE(engineBytesEqual(with.m, without)) << angle;
    }

    with.frame();
    const auto& ops = with.c.ops();
    size_t firstLive = ops.size(), lastGrey = 0, greyShapes = 0;
    for (size_t i = 0; i < ops.size(); ++i) {
        if (ops[i].kind == DrawOp::Kind::Text) continue;
        if (ops[i].pen == kLightGrey) {
            lastGrey = i;
            ++greyShapes;
        } else {
            firstLive = std::min(firstLive, i);
        }
    }
    // The whole ghost (wheel, counterweight, pivots, cylinder, valve, marks,
    // links) before the first stroke of the live gear.
    EXPECT_GE(greyShapes, 30u);
    EXPECT_LT(lastGrey, firstLive);

    // It stands where the reference's own solve puts it: its crank pin on
    // the circle of its own half stroke about the driver centre, at the
    // live driver angle, and its reverse arm as far from its mid gear as the
    // live one from the live mid gear.
    const GearSolution g = solveGear(with.other, with.m.driverAngle, with.other.revArmCentre() + 0.4f);
    for (int i : {kCrankPin, kCrosshead, kValveStemJoint, kLinkDie})
        EXPECT_EQ(with.m.referenceSolved.pivotX[i], g.linkage.pivotX[i]) << i;
    EXPECT_FLOAT_EQ(with.m.referenceSolved.revArmPos, with.other.revArmCentre() + 0.4f);
    // The valve rod, pivot 4 to 7, is the reference's length, not the live one's.
    const ReferenceSolution& r = with.m.referenceSolved;
    const double rod = std::hypot(r.pivotX[4] - r.pivotX[7], r.pivotY[4] - r.pivotY[7]);
    EXPECT_NEAR(rod, with.other.valveRodLength, 1e-3);
    EXPECT_GT(std::fabs(r.pivotX[4] - with.m.pivotX[4]), 0.1);

    // Its name, in a corner of its own: not on any readout at the top.
    const DrawOp* label = with.c.findText("Reference: longer rod");
    ASSERT_NE(label, nullptr);
    for (const DrawOp& op : with.c.ofKind(DrawOp::Kind::Text)) {
        if (op.text != label->text) {
            EXPECT_NE(op.points[0].y, label->points[0].y) << op.text;
        }
    }
}

TEST(ReferenceGear, TheNameKeepsClearOfEveryOtherTextAtBothFonts) {
    struct Shown {
        bool pivotData, drawLines, screenData;
    };
    for (float large : {1.0f, 1.27f})
        for (const Shown shown : {Shown{false, false, true}, Shown{true, false, true}, Shown{false, true, true},
                                  Shown{true, true, true}, Shown{false, false, false}}) {
            Comparing with;
            with.m.fontScaleX = large;
            with.m.fontScaleY = large == 1.0f ? 1.0f : 1.22f;
            with.m.refPointsOn = with.m.dynVarsVisible = with.m.undoEnabled = true;
            with.m.pivotDataOn = shown.pivotData;
            with.m.drawLinesPick = shown.drawLines;
            with.m.drawLinesRefChoice = 3;  // the longest prompt
            with.m.screenDataOn = shown.screenData;
            // The reference points' numbers stand beside the points
            // themselves, wherever the user put them: here out of the way.
            with.m.pivotX[kRefPoint1] = with.m.pivotX[kRefPoint2] = 9.0f;
            for (int k = 1; k <= kPivotDataRows; ++k) {
                with.m.pivotRowActive[k] = 1;
                with.m.pivotRowPivot[k] = static_cast<float>(k + 1);
            }
            with.tick();
            with.frame();
            const DrawOp* label = with.c.findText("Reference: longer rod");
            ASSERT_NE(label, nullptr);
            // A line of letters is at most 14 pixels tall at the normal font.
            const int height = static_cast<int>(14 * with.m.fontScaleY);
            const int x0 = label->points[0].x, y0 = label->points[0].y;
            const int x1 = x0 + with.c.textWidth(label->text), y1 = y0 + height;
            // Below the control panel (136 pixels tall at the normal font) when it is shown.
            if (shown.screenData) {
                EXPECT_GE(y0, static_cast<int>(136 * with.m.fontScaleY));
            }
            for (const DrawOp& op : with.c.ofKind(DrawOp::Kind::Text)) {
                if (op.text == label->text) continue;
                const int ox0 = op.points[0].x, oy0 = op.points[0].y;
                const int ox1 = ox0 + static_cast<int>(std::lround(RecordingCanvas::kCharWidth * op.text.size() * large));
                const bool apart = ox1 <= x0 || ox0 >= x1 || oy0 + height <= y0 || oy0 >= y1;
                EXPECT_TRUE(apart) << '"' << op.text << "\" at " << ox0 << "," << oy0 << ", font " << large
                                   << ", pivot data " << shown.pivotData << ", prompt " << shown.drawLines;
            }
        }
}

TEST(ReferenceGear, CompareOffStopsDrawingIt) {
    Comparing with;
    with.tick();
    with.frame();
    ASSERT_NE(with.c.findText("Reference: longer rod"), nullptr);
    clearReference(with.m);
    with.tick();
    with.frame();
    EXPECT_EQ(with.c.findText("Reference: longer rod"), nullptr);
    for (const DrawOp& op : with.c.ops()) EXPECT_NE(op.pen, kLightGrey);
}

TEST(ReferenceGear, AMillimetreReferenceIsDrawnAtTheLiveScale) {
    Comparing inches, millimetres;
    // The same design in millimetres over an inch design covers it exactly.
    const Engine same = engineInUnit(inches.m, LengthUnit::Millimetre);
    setReference(millimetres.m, same, static_cast<float>(inches.m.revArmCentre() * kMillimetresPerInch), "metric");
    clearReference(inches.m);
    setReference(inches.m, inches.m, inches.m.revArmCentre(), "same");
    for (float angle : {15.0f, 250.0f}) {
        inches.m.driverAngle = millimetres.m.driverAngle = angle;
        inches.tick();
        millimetres.tick();
        for (int i = 1; i <= 18; ++i) {
            EXPECT_NEAR(millimetres.m.referenceSolved.pivotX[i], inches.m.pivotX[i], 1e-4) << i;
            EXPECT_NEAR(millimetres.m.referenceSolved.pivotY[i], inches.m.pivotY[i], 1e-4) << i;
        }
        EXPECT_NEAR(millimetres.m.referenceSolved.driverDiameter, inches.m.driverDiameter, 1e-5);
    }
    EXPECT_NE(referenceLabel(millimetres.m).find("mm, drawn in in"), std::string::npos);
}

TEST(Comparison, UnitsScaleEveryLengthAndComeBack) {
    const Model d = exampleDesign("default");
    EXPECT_DOUBLE_EQ(lengthFactor(LengthUnit::Inch, LengthUnit::Millimetre), 25.4);
    EXPECT_DOUBLE_EQ(lengthFactor(LengthUnit::Millimetre, LengthUnit::Inch) * 25.4, 1.0);
    const Engine mm = engineInUnit(d, LengthUnit::Millimetre);
    EXPECT_EQ(mm.lengthUnit, LengthUnit::Millimetre);
    const Engine back = engineInUnit(mm, LengthUnit::Inch);
    for (const DimensionInfo& info : dimensions()) {
        const float v = *dimensionField(d, info.id);
        EXPECT_NEAR(*dimensionField(mm, info.id), v * 25.4, 1e-4 * std::max(1.0f, std::fabs(v)) * 25.4) << info.id;
        EXPECT_NEAR(*dimensionField(back, info.id), v, 1e-6 * std::max(1.0f, std::fabs(v))) << info.id;
    }
}

TEST(Comparison, OneDesignInBothUnitsDiffersInNothing) {
    const Model d = exampleDesign("default");
    const ComparedDesign a{"inch", d, d.revArmCentre()};
    const ComparedDesign b{"metric", engineInUnit(d, LengthUnit::Millimetre),
                           static_cast<float>(d.revArmCentre() * kMillimetresPerInch)};
    const std::vector<NotchTarget> targets = {{50, false}, {0, true}};
    const DesignComparison c = compareDesigns(a, b, targets);
    EXPECT_EQ(c.unit, LengthUnit::Inch);
    ASSERT_TRUE(c.bScaledFrom);
    EXPECT_TRUE(c.dimensions.empty());
    ASSERT_EQ(c.notches.size(), 4u);
    for (const NotchComparison& n : c.notches) {
        ASSERT_TRUE(n.difference);
        EXPECT_NEAR(n.difference->front.lead, 0, 1e-5);
        EXPECT_NEAR(n.difference->back.maxSteamOpening, 0, 1e-5);
        ASSERT_TRUE(n.difference->front.cutOff);
        EXPECT_NEAR(n.difference->front.cutOff->strokePercent, 0, 1e-3);
        EXPECT_NEAR(n.difference->revArm, 0, 1e-4);
    }
}

TEST(Comparison, AnglesAreComparedTheShortWayRound) {
    EXPECT_DOUBLE_EQ(angleDifference(359, 1), 2);
    EXPECT_DOUBLE_EQ(angleDifference(1, 359), -2);
    EXPECT_DOUBLE_EQ(angleDifference(10, 40), 30);
    EXPECT_DOUBLE_EQ(angleDifference(0, 180), 180);
    EXPECT_DOUBLE_EQ(angleDifference(180, 0), 180);
}

TEST(Comparison, DimensionsAreNamedByTheirDialogLabels) {
    EXPECT_EQ(dimensionTitle(16), "Valve Rod Length");
    EXPECT_EQ(dimensionTitle(20), "Reverse Arm to Cent Norm");
    EXPECT_EQ(dimensionTitle(21), "Reverse Arm to Cent Max");
    EXPECT_EQ(dimensionTitle(103), "Cylinder Bore Diameter");
    EXPECT_EQ(dimensionTitle(99), "");
}

}  // namespace
}  // namespace tevrane
