#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "model/DynVars.h"
#include "model/Dimensions.h"
#include "model/Format.h"
#include "model/Model.h"
#include "model/Solver.h"

using namespace tevrane;

// The default of a dimension, from the one table of dimensions.
float tableDefault(int id) {
    const DimensionInfo* d = findDimension(id);
    return d ? d->defaultValue : -999.0f;
}

// What the start sequence makes of the table's defaults: the pivot inputs
// sit where their dimensions say, the reverse arm is centred on the link
// pivot with its normal travel either side, and every table is empty.
TEST(ModelInit, StartStateFollowsFromTheDefaults) {
    Model m;
    initModel(m);
    // The driver centre is the origin of the world; the cylinder centre line,
    // the link pivot and the swing lever pivot are their dimensions.
    EXPECT_EQ(m.pivotX[kDriverCentre], 0.0f);
    EXPECT_EQ(m.pivotY[kDriverCentre], 0.0f);
    EXPECT_EQ(m.pivotY[kCrosshead], tableDefault(102));
    EXPECT_EQ(m.pivotY[kSwingLeverPivot], tableDefault(10));
    EXPECT_EQ(m.pivotX[kSwingLeverPivot], tableDefault(11));
    EXPECT_EQ(m.pivotY[kLinkPivot], tableDefault(14));
    EXPECT_EQ(m.pivotX[kLinkPivot], tableDefault(15));
    // The valve stem's height is the cylinder's centre line plus its offset.
    EXPECT_EQ(m.pivotY[kValveStemJoint], m.pivotY[kCrosshead] + m.cyl.valveStemToCylCL);

    // Centred: the reverse arm stands over the link pivot, its positions
    // table holds the centre twice, then full forward and full reverse.
    EXPECT_EQ(m.revArmPos, m.pivotX[kLinkPivot]);
    EXPECT_EQ(m.pivotX[kReverseArmEnd], m.revArmPos);
    EXPECT_EQ(m.revArmCentre(), m.revArmPos);
    EXPECT_EQ(m.revArmSet[1], m.revArmCentre());
    EXPECT_EQ(m.revArmSet[2], m.revArmCentre() + m.revArmNormal);
    EXPECT_EQ(m.revArmSet[3], m.revArmCentre() - m.revArmNormal);
    for (int i = 4; i <= 9; ++i) EXPECT_EQ(m.revArmSet[i], 0.0f);
    EXPECT_EQ(m.revArmSetCount, 0);
    EXPECT_GT(m.revArmMax, m.revArmNormal);  // the bar reaches past full gear

    // The view: the world origin (the driver centre) is drawn at the view's
    // offsets, and "Norm" returns to the scale and height it starts with.
    EXPECT_EQ(screenX(m, 0.0L), toInt(m.viewOffsetX));
    EXPECT_EQ(screenY(m, 0.0L), toInt(m.viewOffsetY));
    EXPECT_EQ(m.normScale, m.viewScale);
    EXPECT_EQ(m.panBaseY, m.viewOffsetY);

    // The animation starts at dead centre, forward, at the selected step,
    // with nothing solved yet.
    EXPECT_EQ(m.driverAngle, 0.0f);
    EXPECT_EQ(m.stepAngle, m.selectedStep);
    EXPECT_EQ(m.direction, "Fwd");
    EXPECT_EQ(m.gearSignA, 0.0f);
    EXPECT_FALSE(m.solverError);
    EXPECT_EQ(m.dimensionSetName, "Nominal");
    EXPECT_EQ(m.currentFileName, "");

    // The settings a user meets at start, as the program is described: a 10
    // degree step, the view at scale 28 with the driver centre at (115, 270),
    // the error beep and screen data on, thin lines, diagram scale 1.5 and a
    // pointer zoom of 7.5; two of the view presets.
    EXPECT_EQ(m.selectedStep, 10.0f);
    EXPECT_EQ(m.viewScale, 28.0f);
    EXPECT_EQ(m.viewOffsetX, 115.0f);
    EXPECT_EQ(m.viewOffsetY, 270.0f);
    EXPECT_EQ(m.viewPresets[4][1], -950.0f);
    EXPECT_EQ(m.viewPresets[6][1], -5460.0f);
    EXPECT_TRUE(m.errorBeep);
    EXPECT_TRUE(m.screenDataOn);
    EXPECT_EQ(m.lineWidth, 1);
    EXPECT_EQ(m.diagramVScale, 1.5f);
    EXPECT_EQ(m.graphicZoom, 7.5f);

    for (int k = 0; k < kDynSlots; ++k) {
        EXPECT_EQ(m.dynVarId[k], 0);
        EXPECT_EQ(m.dynVarName[k], kEmptySlotName);
    }
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_FALSE(m.undoButtonsEnabled);
    EXPECT_EQ(m.lineCount, 1);
    for (int k = 1; k <= kOverlayEntries; ++k) {
        EXPECT_EQ(m.lineType[k], -1.0f);
        EXPECT_EQ(m.lineColour[k], -1.0f);
        EXPECT_EQ(m.lineMode[k], -1.0f);
    }
    for (int i = kRefPoint2 + 1; i < kPivotCount; ++i) EXPECT_EQ(m.pivotX[i], 0.0f);
}

// The start design is a working gear: it solves without a single clamp over
// a whole turn in mid gear and in full gear both ways, and the piston runs
// from one end of its scale to the other.
TEST(ModelInit, StartDesignSolvesWithoutAClampOverATurn) {
    Model m;
    initModel(m);
    for (float revArm : {m.revArmCentre(), m.revArmSet[2], m.revArmSet[3]}) {
        float lowest = 1e9f, highest = -1e9f;
        for (int deg = 0; deg < 360; deg += 5) {
            const GearSolution g = solveGear(m, static_cast<float>(deg), revArm);
            EXPECT_EQ(g.clamps(), 0) << deg << " degrees, reverse arm " << revArm;
            lowest = std::min(lowest, g.ports.pistonTrace);
            highest = std::max(highest, g.ports.pistonTrace);
        }
        EXPECT_NEAR(lowest, 0.0f, 1e-3f);
        EXPECT_NEAR(highest, kPistonScale<float>, 1e-3f);
    }
}

TEST(ModelInit, CylinderRecordIndexFollowsStorageOrder) {
    Model m;
    initModel(m);
    // Storage order of the record, as the dimension file writes it.
    EXPECT_EQ(&m.cyl[0], &m.cyl.cylCentreToDriver);
    EXPECT_EQ(&m.cyl[3], &m.cyl.cylSpare);
    EXPECT_EQ(&m.cyl[17], &m.cyl.valveCentreToJoint);
    EXPECT_EQ(&m.cyl[18], &m.cyl.bridgeFront);
    EXPECT_EQ(&m.cyl[21], &m.cyl.cavityFront);
    // Ids follow the dialog's order, which differs from the record's.
    EXPECT_EQ(cylField(m, 102), &m.pivotY[3]);
    EXPECT_EQ(cylField(m, 112), &m.cyl.bridgeFront);
    EXPECT_EQ(cylField(m, 113), &m.cyl.steamPortRear);
    EXPECT_EQ(cylField(m, 122), &m.cyl.valveCentreToJoint);
    EXPECT_EQ(cylField(m, 100), nullptr);
    EXPECT_EQ(cylField(m, 123), nullptr);
    EXPECT_EQ(frameField(m, 10), &m.pivotY[12]);
    EXPECT_EQ(frameField(m, 15), &m.pivotX[5]);
    EXPECT_EQ(frameField(m, 0), nullptr);
    EXPECT_EQ(frameField(m, 22), nullptr);
    // Every record slot is reached by exactly one id except the spare.
    int hits[Cyl::kCount] = {};
    for (int id = 101; id <= 122; ++id)
        if (cylRecordIndex(id) >= 0) ++hits[cylRecordIndex(id)];
    for (int i = 0; i < Cyl::kCount; ++i) EXPECT_EQ(hits[i], i == 3 ? 0 : 1) << i;
}

TEST(ModelResets, FrameResetRestoresFrameOnly) {
    Model m;
    initModel(m);
    m.stroke = 4.0f;
    m.pivotX[5] = 6.0f;
    m.pivotY[12] = 9.0f;
    m.revArmMax = 3.0f;
    m.cyl.boreLength = 5.0f;
    m.pivotY[3] = 0.5f;
    m.driverAngle = 33.0f;
    resetFrame(m);
    EXPECT_EQ(m.stroke, 3.0f);
    EXPECT_EQ(m.pivotX[5], 5.24f);
    EXPECT_EQ(m.pivotY[12], 1.75f);
    EXPECT_EQ(m.revArmMax, 1.2f);
    EXPECT_EQ(m.cyl.boreLength, 5.0f);  // cylinder untouched
    EXPECT_EQ(m.pivotY[3], 0.5f);
    EXPECT_EQ(m.driverAngle, 33.0f);
}

TEST(ModelResets, CylinderResetRestoresCylinderAndStemHeight) {
    Model m;
    initModel(m);
    m.cyl.boreLength = 5.0f;
    m.cyl.cylSpare = 7.0f;
    m.pivotY[3] = 0.5f;
    m.pivotY[4] = 99.0f;
    m.stroke = 4.0f;
    resetCylinder(m);
    EXPECT_EQ(m.cyl.boreLength, 4.0f);
    EXPECT_EQ(m.cyl.cylSpare, 0.0f);
    EXPECT_EQ(m.pivotY[3], 0.0f);
    EXPECT_EQ(m.pivotY[4], 2.062f);
    EXPECT_EQ(m.stroke, 4.0f);  // frame untouched
}

TEST(ModelResets, CentreReverseArmFollowsTheLinkPivot) {
    Model m;
    initModel(m);
    m.pivotX[5] = 6.0f;
    m.revArmNormal = 0.5f;
    m.driverAngle = 123.0f;
    m.revArmSet[4] = 6.2f;
    centreReverseArm(m);
    EXPECT_EQ(m.pivotX[18], 6.0f);
    EXPECT_EQ(m.revArmPos, 6.0f);
    EXPECT_EQ(m.revArmSet[0], 6.0f);
    EXPECT_EQ(m.revArmSet[1], 6.0f);
    EXPECT_EQ(m.revArmSet[2], 6.5f);
    EXPECT_EQ(m.revArmSet[3], 5.5f);
    EXPECT_EQ(m.revArmSet[4], 6.2f);  // positions 4..9 are left alone
    EXPECT_EQ(m.driverAngle, 123.0f);
}

TEST(ModelResets, ResetAllRestoresDimensionsButNotMotionOrOptions) {
    Model m;
    initModel(m);
    m.stroke = 4.0f;
    m.cyl.pistonWidth = 1.0f;
    m.dimensionSetName = "Big Boy";
    m.diagramVScale = 3.0f;
    m.dynVarsVisible = true;
    m.undoEnabled = true;
    m.driverAngle = 45.0f;
    m.stepAngle = 2.0f;
    m.errorBeep = false;
    m.lineWidth = 2;
    m.pivotX[19] = 1.5f;
    m.pivotY[20] = -2.0f;
    m.editPending = true;
    commitEdit(m, 2, "Stroke", 4.0f, 4.5f);
    ASSERT_EQ(m.undoHistory.depth(), 1);
    resetAllDimensions(m);
    EXPECT_EQ(m.stroke, 3.0f);
    EXPECT_EQ(m.cyl.pistonWidth, 0.5f);
    EXPECT_EQ(m.dimensionSetName, "Nominal");
    EXPECT_EQ(m.diagramVScale, 1.5f);
    EXPECT_FALSE(m.dynVarsVisible);
    EXPECT_FALSE(m.undoEnabled);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_EQ(m.dynVarId[1], 0);
    EXPECT_EQ(m.dynVarName[1], kEmptySlotName);
    EXPECT_FALSE(m.undoButtonsEnabled);
    // Left as they were.
    EXPECT_EQ(m.driverAngle, 45.0f);
    EXPECT_EQ(m.stepAngle, 2.0f);
    EXPECT_FALSE(m.errorBeep);
    EXPECT_EQ(m.lineWidth, 2);
    EXPECT_EQ(m.pivotX[19], 1.5f);
    EXPECT_EQ(m.pivotY[20], -2.0f);
}

namespace tevrane {
namespace {

// The one table of dimensions: 43 different fields of the engine, each id
// once, and the defaults blocks hold exactly the table's defaults.
TEST(DimensionTable, DistinctFieldsAndDefaultsFromTheTable) {
    Model m;
    initModel(m);
    std::set<const float*> fields;
    for (const DimensionInfo& d : dimensions()) {
        const float* f = dimensionField(m, d.id);
        ASSERT_NE(f, nullptr) << d.id;
        EXPECT_GE(reinterpret_cast<const char*>(f), reinterpret_cast<const char*>(static_cast<Engine*>(&m)));
        EXPECT_LT(reinterpret_cast<const char*>(f),
                  reinterpret_cast<const char*>(static_cast<Engine*>(&m)) + sizeof(Engine));
        fields.insert(f);
        EXPECT_EQ(*f, d.defaultValue) << d.field;  // a fresh engine is the default one
        EXPECT_EQ(findDimension(d.id), &d);
        EXPECT_FALSE(d.label.empty()) << d.id;
    }
    EXPECT_EQ(fields.size(), 43u);
    EXPECT_EQ(m.frameDefaults[0], 0.0f);
    EXPECT_EQ(m.frameDefaults[15], 5.24f);
    EXPECT_EQ(m.cylDefaults.cylSpare, 0.0f);
    EXPECT_EQ(m.cylDefaults.bridgeFront, 0.187f);
    // The default design as the program is described, checked in the table
    // that every start and reset reads.
    EXPECT_EQ(tableDefault(15), 5.24f);   // link pivot, horizontal
    EXPECT_EQ(tableDefault(14), 2.048f);  // link pivot, vertical
    EXPECT_EQ(tableDefault(11), 10.0f);   // swing lever pivot, horizontal
    EXPECT_EQ(tableDefault(10), 1.75f);   // swing lever pivot, vertical
    EXPECT_EQ(tableDefault(102), 0.0f);   // cylinder centre line above the driver
    EXPECT_EQ(tableDefault(109), 2.062f);  // valve stem above the cylinder centre line
    EXPECT_EQ(tableDefault(101), 16.0f);
    EXPECT_EQ(tableDefault(122), 4.55f);
    EXPECT_EQ(tableDefault(121), 0.375f);
    EXPECT_EQ(m.driverDiameter, 7.0f);
    EXPECT_EQ(m.stroke, 3.0f);
    EXPECT_EQ(m.valveLeverLower, 3.45f);
    EXPECT_EQ(m.revArmNormal, 1.0f);
    EXPECT_EQ(m.revArmMax, 1.2f);
    EXPECT_EQ(m.cyl.cylSpare, 0.0f);
    for (int id : {0, 22, 100, 123}) EXPECT_EQ(findDimension(id), nullptr) << id;
}

}  // namespace
}  // namespace tevrane
