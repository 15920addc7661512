#include "model/Model.h"

#include "model/DynVars.h"

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

// Record index of cylinder ids 101..122 (id 102 is pivotY[3], not a field).
constexpr int kCylIndexById[22] = {
    0,  -1, 1,  2,  4,  5,  6,  7,  8,  9,  10,  // 101..111
    18, 11, 19, 12, 13, 14, 15, 20, 16, 21, 17,  // 112..122
};

// Factory values of the default engine, a model locomotive in inches.
constexpr float kFrameDefaults[22] = {
    0.0f,                                  // pivotY[3], "Cylinder CL above Driver"
    7.0f, 3.0f, 9.0f, 0.5f, 1.0f,          // 1..5
    9.0f, 0.4f, 4.25f, 3.0f, 1.75f,        // 6..10
    10.0f, 3.0f, 1.5f, 2.048f, 5.24f,      // 11..15
    5.95f, 0.4f, 0.3f, 3.45f,              // 16..19
    1.0f, 1.2f,                            // 20 normal, 21 maximum travel
};

constexpr float kCylDefaults[Cyl::kCount] = {
    16.0f, 2.125f, 4.0f, 0.0f, 0.312f, 7.0f, 0.5f, 1.75f, 2.062f, 0.375f, 0.187f,
    0.156f, 0.625f, 2.187f, 0.5f, 0.687f, 0.375f, 4.55f, 0.187f, 0.156f, 0.687f, 0.375f,
};

constexpr float kPresets[7][3] = {
    {0, 0, 0},          {62, 315, 237},   {62, 0, 395},       {45, 70, 210},
    {80, -950, 335},    {350, -5100, 900}, {350, -5460, 900},
};

}  // namespace

float& Cyl::operator[](int i) { return this->*kCylMembers[i]; }
float Cyl::operator[](int i) const { return this->*kCylMembers[i]; }

int cylRecordIndex(int id) {
    if (id < 101 || id > 122) return -1;
    return kCylIndexById[id - 101];
}

float* frameField(Model& m, int id) {
    switch (id) {
        case 1: return &m.driverDiameter;
        case 2: return &m.stroke;
        case 3: return &m.mainRodLength;
        case 4: return &m.mainRodLugVert;
        case 5: return &m.mainRodLugHorz;
        case 6: return &m.oscLeverLength;
        case 7: return &m.oscLeverDriveVert;
        case 8: return &m.oscLeverDriveHorz;
        case 9: return &m.swingLeverLength;
        case 10: return &m.pivotY[kSwingLeverPivot];
        case 11: return &m.pivotX[kSwingLeverPivot];
        case 12: return &m.reverseArmLength;
        case 13: return &m.linkLowerLength;
        case 14: return &m.pivotY[kLinkPivot];
        case 15: return &m.pivotX[kLinkPivot];
        case 16: return &m.valveRodLength;
        case 17: return &m.valveLeverUpper;
        case 18: return &m.valveLeverOffset;
        case 19: return &m.valveLeverLower;
        case 20: return &m.revArmNormal;
        case 21: return &m.revArmMax;
        default: return nullptr;
    }
}

float* cylField(Model& m, int id) {
    if (id == 102) return &m.pivotY[kCrosshead];
    const int i = cylRecordIndex(id);
    return i < 0 ? nullptr : &m.cyl[i];
}

void initState(Model& m) {
    // A fresh model holds every start value; the ones that matter are restated
    // here so that initState stays the one place that defines them.
    m = Model{};
    m.driverAngle = 0.0f;
    m.stepAngle = 10.0f;
    m.selectedStep = 10.0f;
    m.direction = "Fwd";
    m.viewScale = 28.0f;
    m.viewOffsetX = 115.0f;
    m.viewOffsetY = 270.0f;
    m.homeScale = 28.0f;
    m.homeOffsetX = 115.0f;
    m.homeOffsetY = 270.0f;
    for (int s = 0; s < 7; ++s)
        for (int k = 0; k < 3; ++k) m.viewPresets[s][k] = kPresets[s][k];
    m.steamDisplay = false;
    m.errorBeep = true;
    m.lineWidth = 1;
    m.fontScaleX = 1.0f;
    m.fontScaleY = 1.0f;
    m.diagramVScale = 1.5f;
    m.graphicZoom = 7.5f;
    m.dimensionSetName = "Nominal";
    m.screenDataOn = true;
    m.stepBarArmed = true;
    m.dynStep = 0.001f;
    m.activeDynSlot = 1;
    m.portGraphMode = 'F';
    clearSlots(m);
    clearUndo(m);
    clearOverlay(m);
    m.lineCount = 1;
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
    for (int i = 0; i < 22; ++i) m.frameDefaults[i] = kFrameDefaults[i];
}

void loadCylDefaults(Model& m) {
    for (int i = 0; i < Cyl::kCount; ++i) m.cylDefaults[i] = kCylDefaults[i];
}

void resetFrame(Model& m) {
    for (int id = 1; id <= 21; ++id) *frameField(m, id) = m.frameDefaults[id];
}

void resetCylinder(Model& m) {
    m.pivotY[kCrosshead] = m.frameDefaults[0];
    m.cyl = m.cylDefaults;
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

}  // namespace tevrane
