#include "model/Model.h"

#include <algorithm>
#include <cmath>

#include "model/Dimensions.h"
#include "model/DynVars.h"
#include "model/UnitConversion.h"

namespace tevrane {

namespace {

constexpr float Cyl::* kCylMembers[Cyl::kCount] = {
    &Cyl::cylCentreToDriver, &Cyl::boreDiameter,      &Cyl::boreLength,
    &Cyl::cylSpare,          &Cyl::cylSteamPortWidth, &Cyl::pistonToCrosshead,
    &Cyl::pistonWidth,       &Cyl::valveSurfaceToCylCL, &Cyl::valveStemToCylCL,
    &Cyl::exhaustPortWidth,  &Cyl::bridgeRear,        &Cyl::steamPortRear,
    &Cyl::chestHeight,       &Cyl::chestLength,       &Cyl::valveHeight,
    &Cyl::valveLenRear,      &Cyl::cavityRear,        &Cyl::valveCentreToJoint,
    &Cyl::bridgeFront,       &Cyl::steamPortFront,    &Cyl::valveLenFront,
    &Cyl::cavityFront,
};

}  // namespace

float& Cyl::operator[](int i) { return this->*kCylMembers[i]; }
float Cyl::operator[](int i) const { return this->*kCylMembers[i]; }

int cylRecordIndex(int id) {
    if (id < 101 || id > 122) return -1;
    return findDimension(id)->recordIndex;
}

float* frameField(Engine& e, int id) {
    return id >= 1 && id <= kFrameDimensionCount ? dimensionField(e, id) : nullptr;
}

float* cylField(Engine& e, int id) {
    return id >= 101 ? dimensionField(e, id) : nullptr;
}

void initState(Model& m) {
    // The start values are the initialisers of the model's structs; what is
    // left is emptying the tables.
    m = Model{};
    clearSlots(m);
    clearUndo(m);
    clearOverlay(m);
}

void clearOverlay(Model& m) {
    for (int k = 0; k <= kOverlayEntries; ++k) {
        m.lineType[k] = -1.0f;
        m.lineColour[k] = -1.0f;
        m.lineMode[k] = -1.0f;
        m.lineX1[k] = m.lineY1[k] = m.lineX2[k] = m.lineY2[k] = 0.0f;
        m.linePivotAX[k] = m.linePivotAY[k] = m.linePivotBX[k] = m.linePivotBY[k] = 0.0f;
        m.linePivotA[k] = m.linePivotB[k] = 0.0f;
    }
}

void initView(Model& m) {
    m.viewScale = m.homeScale;
    m.viewOffsetX = m.homeOffsetX;
    m.viewOffsetY = m.homeOffsetY;
    m.panBaseScale = m.homeScale;
    m.panBaseX = m.homeOffsetX;
    m.panBaseY = m.homeOffsetY;
    m.normScale = m.homeScale;
    m.normOffsetX = m.homeOffsetX;
    m.normOffsetY = m.homeOffsetY;
}

void loadFrameDefaults(Model& m) {
    for (int id = 1; id <= kFrameDimensionCount; ++id)
        m.frameDefaults[id] = findDimension(id)->defaultValue;
    m.frameDefaults[0] = findDimension(102)->defaultValue;
}

void loadCylDefaults(Model& m) {
    m.cylDefaults = Cyl{};  // the spare field has no editor and stays 0
    for (const DimensionInfo& d : dimensions())
        if (d.recordIndex >= 0) m.cylDefaults[d.recordIndex] = d.defaultValue;
}

// The factory values are the inch design's. A dialog's reset in a design of
// millimetres writes them converted, so half a design never stands in one
// unit and half in the other.
void resetFrame(Model& m) {
    for (int id = 1; id <= 21; ++id)
        *frameField(m, id) = convertLength(m.frameDefaults[id], LengthUnit::Inch, m.lengthUnit);
}

void resetCylinder(Model& m) {
    const auto inDesignUnit = [&m](float inches) {
        return convertLength(inches, LengthUnit::Inch, m.lengthUnit);
    };
    m.pivotY[kCrosshead] = inDesignUnit(m.frameDefaults[0]);
    m.cyl = m.cylDefaults;
    for (int i = 0; i < Cyl::kCount; ++i) m.cyl[i] = inDesignUnit(m.cyl[i]);
    m.pivotY[kValveStemJoint] = m.pivotY[kCrosshead] + m.cyl.valveStemToCylCL;
}

void centreReverseArm(Model& m) {
    // Mid gear: the reverse arm end stands straight above the link pivot.
    m.pivotX[kReverseArmEnd] = m.pivotX[kLinkPivot];
    m.revArmSet[0] = m.pivotX[kReverseArmEnd];
    m.revArmSet[1] = m.revArmSet[0];
    m.revArmSet[2] = m.revArmSet[0] + m.revArmNormal;
    m.revArmSet[3] = m.revArmSet[0] - m.revArmNormal;
    m.revArmPos = m.pivotX[kReverseArmEnd];
}

void initModel(Model& m) {
    initState(m);
    initView(m);
    loadFrameDefaults(m);
    loadCylDefaults(m);
    resetFrame(m);
    resetCylinder(m);
    centreReverseArm(m);
}

void resetAllDimensions(Model& m) {
    // Back to the factory's design, which is in inches: the view's scales and
    // the rest of the design come back to inches first.
    convertDesign(m, LengthUnit::Inch);
    // What the two dialogs' reset buttons do, one after the other.
    resetFrame(m);
    resetDynamicVariables(m);
    resetCylinder(m);
    resetDynamicVariables(m);
    centreReverseArm(m);
    m.dimensionSetName = "Nominal";
    m.currentFileName = "Nominal";
    m.diagramVScale = 1.5f;
    m.dynVarsVisible = false;
    clearUndo(m);
    m.undoEnabled = false;
}

void clampDiagramPositions(Model& m) {
    const float low = m.revArmCentre() - m.revArmNormal;
    const float high = m.revArmCentre() + m.revArmNormal;
    // Raise, then lower, one after the other: a negative travel (low above
    // high) still ends on a defined value instead of an invalid range.
    for (int i = 1; i <= 9; ++i) {
        float& p = m.revArmSet[i];
        if (p == 0.0f) continue;
        if (p < low) p = low;
        if (p > high) p = high;
    }
}

void setNormalTravel(Model& m, float norm) {
    m.revArmNormal = norm;
    if (m.revArmNormal > m.revArmMax) m.revArmNormal = m.revArmMax;
    clampDiagramPositions(m);
}

void setMaxTravel(Model& m, float max) {
    m.revArmMax = max;
    if (m.revArmMax < m.revArmNormal) {
        m.revArmMax = m.revArmNormal;
        clampDiagramPositions(m);
    }
}

float revArmLowerLimit(const Model& m) { return m.revArmCentre() - m.revArmMax; }
float revArmUpperLimit(const Model& m) { return m.revArmCentre() + m.revArmMax; }

float clampRevArmPosition(const Model& m, float value) {
    if (value == 0.0f) return value;
    if (value < revArmLowerLimit(m)) return revArmLowerLimit(m);
    if (value > revArmUpperLimit(m)) return revArmUpperLimit(m);
    return value;
}

void setDiagramPosition(Model& m, int position, float value) {
    constexpr float kPositionOneForZero = 0.001f;
    if (position < 1 || position > 9) return;
    if (position == 1 && value == 0.0f) value = kPositionOneForZero;
    m.revArmSet[position] = clampRevArmPosition(m, value);
}

void settleRevArmPositions(Model& m) {
    constexpr int kPositions = 9;
    for (int k = 1; k <= kPositions - 1; ++k) {
        if (m.revArmSet[k] != 0.0f)
            m.revArmSetCount = k;
        else
            m.revArmSet[k + 1] = 0.0f;
    }
    if (m.revArmSet[kPositions] != 0.0f) m.revArmSetCount = kPositions;
}

float boundedDiagramVScale(float vs) {
    if (std::isnan(vs)) return Options{}.diagramVScale;
    return std::clamp(vs, kMinDiagramVScale, kMaxDiagramVScale);
}

}  // namespace tevrane
