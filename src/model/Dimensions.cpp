#include "model/Dimensions.h"

namespace tevrane {

namespace {

#define DIM_FIELD(expr) [](Engine& e) -> float& { return e.expr; }

// Defaults are the factory values of a model locomotive in inches.
constexpr std::array<DimensionInfo, kDimensionCount> kTable = {{
    {1, "driverDiameter", "Driver Dia", "Driver                    Diameter", 7.0f, -1,
     DIM_FIELD(driverDiameter)},
    {2, "stroke", "Stroke", "Stroke                      Length", 3.0f, -1, DIM_FIELD(stroke)},
    {3, "mainRodLength", "Main Rod", "Main Rod                  Length", 9.0f, -1,
     DIM_FIELD(mainRodLength)},
    {4, "mainRodLugVert", "Main Rod Lug Vert", "Main Rod Lug             Vert", 0.5f, -1,
     DIM_FIELD(mainRodLugVert)},
    {5, "mainRodLugHorz", "Main Rod Lug Horz", "Main Rod Lug              Horz", 1.0f, -1,
     DIM_FIELD(mainRodLugHorz)},
    {6, "oscLeverLength", "Oscillating lever", "Oscillating Lever      Length", 9.0f, -1,
     DIM_FIELD(oscLeverLength)},
    {7, "oscLeverDriveVert", "OscLevDriveVertOffset", "Osc Lev Drive  Vert OffSet", 0.4f, -1,
     DIM_FIELD(oscLeverDriveVert)},
    {8, "oscLeverDriveHorz", "OscLevDriveHorzLen", "Osc Lev Drive Horz Length", 4.25f, -1,
     DIM_FIELD(oscLeverDriveHorz)},
    {9, "swingLeverLength", "Swing Lever", "Swing Lever             Length", 3.0f, -1,
     DIM_FIELD(swingLeverLength)},
    {10, "pivotY[12]", "Swing Lev Piv Vert", "Swing Lever Pivot        Vert", 1.75f, -1,
     DIM_FIELD(pivotY[kSwingLeverPivot])},
    {11, "pivotX[12]", "Swing Lev Piv Horz", "Swing Lever Pivot       Horz", 10.0f, -1,
     DIM_FIELD(pivotX[kSwingLeverPivot])},
    {12, "reverseArmLength", "Rev Arm (Link Upper)", "Reverse Arm  (Link Upper)", 3.0f, -1,
     DIM_FIELD(reverseArmLength)},
    {13, "linkLowerLength", "Link Lower", "Link Lower                Length", 1.5f, -1,
     DIM_FIELD(linkLowerLength)},
    {14, "pivotY[5]", "Link Pivot Vert", "Link Pivot                      Vert", 2.048f, -1,
     DIM_FIELD(pivotY[kLinkPivot])},
    {15, "pivotX[5]", "Link Pivot Horz", "Link Pivot                     Horz", 5.24f, -1,
     DIM_FIELD(pivotX[kLinkPivot])},
    {16, "valveRodLength", "Valve Rod", "Valve Rod                Length", 5.95f, -1,
     DIM_FIELD(valveRodLength)},
    {17, "valveLeverUpper", "Valve Lever Upper", "Valve Lever               Upper", 0.4f, -1,
     DIM_FIELD(valveLeverUpper)},
    {18, "valveLeverOffset", "Valve Lever Offset", "Valve Lever               Offset", 0.3f, -1,
     DIM_FIELD(valveLeverOffset)},
    {19, "valveLeverLower", "Valve Lever Lower", "Valve Lever               Lower", 3.45f, -1,
     DIM_FIELD(valveLeverLower)},
    {20, "revArmNormal", "", "Reverse Arm to Cent Norm", 1.0f, -1, DIM_FIELD(revArmNormal)},
    // Ditto marks under "Reverse Arm to Cent" in the dialog.
    {21, "revArmMax", "", "\"           \"             Max", 1.2f, -1, DIM_FIELD(revArmMax)},

    {101, "cyl.cylCentreToDriver", "Cyl ctr to Driver ctr", "Cylinder ctr to Driver ctr", 16.0f,
     0, DIM_FIELD(cyl.cylCentreToDriver)},
    {102, "pivotY[3]", "Cyl CL above Driver ctr", "Cylinder CL above Driver", 0.0f, -1,
     DIM_FIELD(pivotY[kCrosshead])},
    {103, "cyl.boreDiameter", "Cylinder Bore Dia", "Cylinder Bore         Diameter", 2.125f, 1,
     DIM_FIELD(cyl.boreDiameter)},
    {104, "cyl.boreLength", "Cylinder Bore Length", "Cylinder Bore            Length", 4.0f, 2,
     DIM_FIELD(cyl.boreLength)},
    {105, "cyl.cylSteamPortWidth", "Cyl Steam Port Width", "Cylinder Steam Port   Width", 0.312f,
     4, DIM_FIELD(cyl.cylSteamPortWidth)},
    {106, "cyl.pistonToCrosshead", "Piston ctr to Crosshead", "Piston ctr to Crosshead ctr", 7.0f,
     5, DIM_FIELD(cyl.pistonToCrosshead)},
    {107, "cyl.pistonWidth", "Piston Width", "Piston                         Width", 0.5f, 6,
     DIM_FIELD(cyl.pistonWidth)},
    {108, "cyl.valveSurfaceToCylCL", "Valve Surface to Cyl CL", "ValveSurface to CylinderCL",
     1.75f, 7, DIM_FIELD(cyl.valveSurfaceToCylCL)},
    {109, "cyl.valveStemToCylCL", "Valve Stem CL to Cyl CL", "Valve Stem CL to Cyl CL", 2.062f, 8,
     DIM_FIELD(cyl.valveStemToCylCL)},
    {110, "cyl.exhaustPortWidth", "Exhaust Port  Width", "Exhaust Port               Width",
     0.375f, 9, DIM_FIELD(cyl.exhaustPortWidth)},
    {111, "cyl.bridgeRear", "Bridge Width   Rear", "Bridge Width                Rear", 0.187f,
     10, DIM_FIELD(cyl.bridgeRear)},
    {112, "cyl.bridgeFront", "Bridge Width   Front", "Bridge Width                Front",
     0.187f, 18, DIM_FIELD(cyl.bridgeFront)},
    {113, "cyl.steamPortRear", "Steam Port Width  Rear", "Steam Port Width        Rear", 0.156f,
     11, DIM_FIELD(cyl.steamPortRear)},
    {114, "cyl.steamPortFront", "Steam Port Width   Front", "Steam Port Width        Front",
     0.156f, 19, DIM_FIELD(cyl.steamPortFront)},
    {115, "cyl.chestHeight", "Valve Chamber    Height", "Valve Chamber        Height", 0.625f,
     12, DIM_FIELD(cyl.chestHeight)},
    {116, "cyl.chestLength", "Valve Chamber Length", "Valve Chamber        Length", 2.187f, 13,
     DIM_FIELD(cyl.chestLength)},
    {117, "cyl.valveHeight", "Valve Height", "Valve Height", 0.5f, 14, DIM_FIELD(cyl.valveHeight)},
    {118, "cyl.valveLenRear", "Valve Length  Rear Half", "Valve Length       Rear Half", 0.687f,
     15, DIM_FIELD(cyl.valveLenRear)},
    {119, "cyl.valveLenFront", "Valve Length   Front Half", "Valve Length       Front Half",
     0.687f, 20, DIM_FIELD(cyl.valveLenFront)},
    {120, "cyl.cavityRear", "Valve Exh CavityRearHalf", "Valve ExhCavity  Rear Half", 0.375f, 16,
     DIM_FIELD(cyl.cavityRear)},
    {121, "cyl.cavityFront", "Valve ExhCavityFrontHalf", "Valve ExhCavity  Front Half", 0.375f,
     21, DIM_FIELD(cyl.cavityFront)},
    {122, "cyl.valveCentreToJoint", "Valve Stem", "Valve ctr to Joint", 4.55f, 17,
     DIM_FIELD(cyl.valveCentreToJoint)},
}};

#undef DIM_FIELD

// Table position of an id: frame ids 1..21 at 0..20, cylinder ids after them.
constexpr int slotOf(int id) {
    if (id >= 1 && id <= kFrameDimensionCount) return id - 1;
    if (id >= 101 && id < 101 + kCylinderDimensionCount) return kFrameDimensionCount + id - 101;
    return -1;
}

// The table is in id order; a row out of place would give a dimension the
// wrong label, name or default.
constexpr bool inIdOrder() {
    for (int i = 0; i < kDimensionCount; ++i)
        if (slotOf(kTable[static_cast<size_t>(i)].id) != i) return false;
    return true;
}
static_assert(inIdOrder());

}  // namespace

const std::array<DimensionInfo, kDimensionCount>& dimensions() { return kTable; }

const DimensionInfo* findDimension(int id) {
    const int s = slotOf(id);
    return s < 0 ? nullptr : &kTable[static_cast<size_t>(s)];
}

float* dimensionField(Engine& e, int id) {
    const DimensionInfo* d = findDimension(id);
    return d ? &d->ref(e) : nullptr;
}

const float* dimensionField(const Engine& e, int id) {
    return dimensionField(const_cast<Engine&>(e), id);
}

}  // namespace tevrane
