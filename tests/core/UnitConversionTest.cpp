// Converting a design between inches and millimetres: every length comes back
// to the very float, the events in percent and degrees stay where they were,
// the picture stays, the conversion is one undo step that restores every
// value bit for bit, and the resets stay in one unit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "ExampleDesigns.h"
#include "model/Dimensions.h"
#include "model/DynVars.h"
#include "model/Solver.h"
#include "model/UnitConversion.h"
#include "model/ValveEvents.h"

namespace tevrane {
namespace {

Model defaults() {
    Model m;
    initModel(m);
    return m;
}

bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

// A working state beyond the bare defaults: dynamic variables bound, an
// overlay circle, reference points, a preset stored, the arm off centre.
Model busyDesign() {
    Model m = defaults();
    m.editPending = true;
    commitEdit(m, 16, dimensionName(16), m.valveRodLength, 6.012f);
    commitEdit(m, 102, dimensionName(102), 0.0f, 0.25f);
    m.lineX1[1] = 1.5f, m.lineY1[1] = -0.75f, m.lineX2[1] = 0.625f;  // a circle's radius
    m.linePivotAX[1] = 5.24f, m.linePivotAY[1] = 2.048f;
    m.lineType[1] = 1.0f, m.lineColour[1] = 255.0f, m.linePivotA[1] = 5.0f;
    m.pivotX[kRefPoint1] = 3.125f, m.pivotY[kRefPoint2] = -1.1f;
    m.viewPresets[0][0] = 41.5f;
    // Settings as the positions dialog takes them typed (5.24 + 0.6 summed
    // in floats is 5.83999968, a float that shares its millimetres with
    // 5.84: see OneUndoStepRestoresEveryValueBitForBit).
    m.revArmPos = 5.84f;
    m.revArmSet[4] = 4.89f;
    m.graphicZoom = 12.0f;
    return m;
}

TEST(UnitConversion, ToMillimetresAndBackRestoresEveryValueToTheFloat) {
    for (const char* name : {"default", "long-travel", "short-lap"}) {
        Model m = exampleDesign(name);
        const UnitSnapshot inches = takeUnitSnapshot(m);
        convertDesign(m, LengthUnit::Millimetre);
        EXPECT_EQ(m.lengthUnit, LengthUnit::Millimetre);
        convertDesign(m, LengthUnit::Inch);
        const UnitSnapshot back = takeUnitSnapshot(m);
        EXPECT_EQ(back.unit, LengthUnit::Inch);
        EXPECT_TRUE(sameBits(inches.values, back.values)) << name;
    }
    Model m = busyDesign();
    const UnitSnapshot before = takeUnitSnapshot(m);
    convertDesign(m, LengthUnit::Millimetre);
    // Hand values: 3 in is 76.2 mm, the 28 px/in view 28 / 25.4 px/mm, the
    // radius 0.625 in 15.875 mm; offsets stay pixels, the spare stays raw.
    EXPECT_NEAR(m.stroke, 76.2, 1e-5);
    EXPECT_NEAR(m.valveRodLength, 6.012 * 25.4, 1e-4);
    EXPECT_NEAR(m.pivotY[kValveStemJoint], (0.25 + 2.062) * 25.4, 1e-4);
    EXPECT_NEAR(m.lineX2[1], 15.875, 1e-5);
    EXPECT_NEAR(m.viewScale, 28.0 / 25.4, 1e-6);
    EXPECT_NEAR(m.viewPresets[5][0], 350.0 / 25.4, 1e-5);
    EXPECT_EQ(m.viewPresets[5][1], -5100.0f);
    EXPECT_EQ(m.viewOffsetX, 115.0f);
    EXPECT_NEAR(m.diagramVScale, 1.5 * 25.4, 1e-5);
    EXPECT_NEAR(m.dynVarValue[0], 0.25 * 25.4, 1e-6);
    EXPECT_EQ(m.dynVarId[0], 102);
    // The overlay's kind, colour and pivot numbers are no lengths.
    EXPECT_EQ(m.lineType[1], 1.0f);
    EXPECT_EQ(m.lineColour[1], 255.0f);
    EXPECT_EQ(m.linePivotA[1], 5.0f);
    convertDesign(m, LengthUnit::Inch);
    EXPECT_TRUE(sameBits(before.values, takeUnitSnapshot(m).values));
}

TEST(UnitConversion, TheInverseFindsTheInchValueForEveryShortDecimal) {
    // Every value a designer types (up to six significant digits) and every
    // scale in tenths comes back exactly, including where two inch floats
    // share one millimetre float.
    int shared = 0;
    for (int k = 1; k <= 200000; ++k) {
        const float x = static_cast<float>(k / 1000.0);
        const float mm = inchesToMillimetres(x);
        if (inchesToMillimetres(std::nextafter(x, 1e9f)) == mm || inchesToMillimetres(std::nextafter(x, 0.0f)) == mm)
            ++shared;
        ASSERT_EQ(millimetresToInches(mm), x) << k;
        ASSERT_EQ(millimetresToInches(-mm), -x) << k;
        const float s = static_cast<float>(k / 10.0);
        ASSERT_EQ(perMillimetreToPerInch(perInchToPerMillimetre(s)), s) << k;
    }
    EXPECT_GT(shared, 0) << "the tie-break was never needed: the test does not reach it";
    EXPECT_FALSE(std::signbit(millimetresToInches(0.0f)));
    EXPECT_TRUE(std::signbit(millimetresToInches(-0.0f)));
    EXPECT_TRUE(std::isnan(millimetresToInches(std::nanf(""))));
    // A value typed in millimetres that no inch float gives: the nearest.
    const float typed = 44.45f;
    EXPECT_NEAR(millimetresToInches(typed), 1.75, 1e-7);
}

TEST(UnitConversion, EventsInPercentAndDegreesStayAndLengthsScale) {
    Model in = exampleDesign("default");
    Model mm = in;
    convertDesign(mm, LengthUnit::Millimetre);
    int compared = 0;
    for (int k = -4; k <= 4; ++k) {
        const float setIn = in.revArmCentre() + k * in.revArmNormal / 4;
        const float setMm = mm.revArmCentre() + k * mm.revArmNormal / 4;
        for (Sense s : {Sense::Forward, Sense::Reverse}) {
            const ValveEvents a = valveEvents(in, setIn, s);
            const ValveEvents b = valveEvents(mm, setMm, s);
            EXPECT_EQ(a.clamped, b.clamped);
            for (const auto& [ea, eb] : {std::pair{&a.front, &b.front}, std::pair{&a.back, &b.back}}) {
                for (auto ev : {&EndEvents::admission, &EndEvents::cutOff, &EndEvents::release,
                                &EndEvents::compression}) {
                    ASSERT_EQ((*ea.*ev).has_value(), (*eb.*ev).has_value()) << k;
                    if (!(*ea.*ev)) continue;
                    EXPECT_NEAR((*ea.*ev)->strokePercent, (*eb.*ev)->strokePercent, 1e-3) << k;
                    EXPECT_NEAR((*ea.*ev)->driverAngle, (*eb.*ev)->driverAngle, 1e-3) << k;
                    ++compared;
                }
                EXPECT_NEAR(ea->lead * 25.4, eb->lead, 1e-3) << k;
                EXPECT_NEAR(ea->maxSteamOpening * 25.4, eb->maxSteamOpening, 1e-3) << k;
            }
            EXPECT_NEAR(a.valveTravel * 25.4, b.valveTravel, 1e-3) << k;
        }
    }
    EXPECT_GT(compared, 100);
}

TEST(UnitConversion, ThePictureStaysWhereItWas) {
    Model in = busyDesign();
    Model mm = in;
    convertDesign(mm, LengthUnit::Millimetre);
    for (float angle : {0.0f, 77.0f, 181.5f, 300.0f}) {
        in.driverAngle = mm.driverAngle = angle;
        solveAll(in);
        solveAll(mm);
        for (int i = 0; i <= kRefPoint2; ++i) {
            EXPECT_LE(std::abs(in.pivotScreenX[i] - mm.pivotScreenX[i]), 1) << i << " at " << angle;
            EXPECT_LE(std::abs(in.pivotScreenY[i] - mm.pivotScreenY[i]), 1) << i << " at " << angle;
        }
    }
}

TEST(UnitConversion, OneUndoStepRestoresEveryValueBitForBit) {
    Model m = busyDesign();
    // A value with no short decimal form, as bar steps leave them, where a
    // second inch float gives the same millimetres: converting back cannot
    // tell the two apart, undo must.
    float odd = 1.5f;
    while (inchesToMillimetres(std::nextafter(odd, 2.0f)) != inchesToMillimetres(odd))
        odd = std::nextafter(odd, 2.0f);
    // Of the pair, the one the way back does not choose.
    if (millimetresToInches(inchesToMillimetres(odd)) == odd) odd = std::nextafter(odd, 2.0f);
    m.swingLeverLength = odd;
    const UnitSnapshot before = takeUnitSnapshot(m);
    const int depth = m.undoHistory.depth();
    const UndoRecord older = m.undoHistory.newest();
    const std::string olderLine = undoLine(m);

    convertDesignWithUndo(m);
    EXPECT_EQ(m.lengthUnit, LengthUnit::Millimetre);
    EXPECT_EQ(m.undoHistory.depth(), depth + 1);
    EXPECT_EQ(undoLine(m), (depth + 1 < 10 ? " " : "") + std::to_string(depth + 1) + "- Convert to millimetres");
    EXPECT_EQ(convertCaption(m.lengthUnit), "Convert to inches");

    popUndo(m);
    EXPECT_EQ(m.lengthUnit, LengthUnit::Inch);
    EXPECT_TRUE(sameBits(before.values, takeUnitSnapshot(m).values));
    EXPECT_EQ(m.swingLeverLength, odd);
    // The records under it keep their depth, order and text.
    EXPECT_EQ(m.undoHistory.depth(), depth);
    EXPECT_EQ(m.undoHistory.newest(), older);
    EXPECT_EQ(undoLine(m), olderLine);

    // Converting there and back by hand cannot restore that one value.
    convertDesign(m, LengthUnit::Millimetre);
    convertDesign(m, LengthUnit::Inch);
    EXPECT_NE(m.swingLeverLength, odd);
}

TEST(UnitConversion, ResetsStayInOneUnitAndResetAllReturnsToTheInchDesign) {
    Model m = busyDesign();
    convertDesign(m, LengthUnit::Millimetre);
    resetFrame(m);
    EXPECT_NEAR(m.stroke, 76.2, 1e-5);
    EXPECT_NEAR(m.revArmMax, 1.2 * 25.4, 1e-5);
    EXPECT_NEAR(m.pivotX[kLinkPivot], 5.24 * 25.4, 1e-4);
    resetCylinder(m);
    EXPECT_NEAR(m.cyl.boreDiameter, 2.125 * 25.4, 1e-5);
    EXPECT_NEAR(m.pivotY[kValveStemJoint], 2.062 * 25.4, 1e-4);
    EXPECT_EQ(m.lengthUnit, LengthUnit::Millimetre);
    // The factory blocks themselves stay the inch design.
    EXPECT_EQ(m.frameDefaults[2], 3.0f);

    resetAllDimensions(m);
    const Model factory = defaults();
    EXPECT_EQ(m.lengthUnit, LengthUnit::Inch);
    EXPECT_EQ(m.stroke, factory.stroke);
    EXPECT_EQ(m.cyl.boreDiameter, factory.cyl.boreDiameter);
    EXPECT_EQ(m.viewScale, factory.viewScale);
    EXPECT_EQ(m.viewPresets[5][0], factory.viewPresets[5][0]);
    EXPECT_EQ(m.diagramVScale, 1.5f);
}

TEST(UnitConversion, TheDiagramScaleStaysWithinItsBound) {
    Model m = defaults();
    m.diagramVScale = 200.0f;  // 5080 in millimetres: past the bound
    convertDesign(m, LengthUnit::Millimetre);
    EXPECT_EQ(m.diagramVScale, kMaxDiagramVScale);
    // Converting a design to the unit it has changes nothing.
    const UnitSnapshot s = takeUnitSnapshot(m);
    convertDesign(m, LengthUnit::Millimetre);
    EXPECT_TRUE(sameBits(s.values, takeUnitSnapshot(m).values));
}

}  // namespace
}  // namespace tevrane
