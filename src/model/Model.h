// The one shared model of the simulator: every dimension, the pivot table the
// solver fills, motion, view and option state, and the bookkeeping of the
// dynamic variables and the undo stack. Windows read and write it directly;
// nothing else keeps a copy of a dimension (a diagram sweep works on a copy of
// the engine only for the length of one drawing).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/UndoHistory.h"
#include "model/Units.h"

namespace tevrane {

// An integer screen point (pixels of the main picture).
struct IPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const IPoint&) const = default;
};

// The cylinder record: 22 floats in storage order. The dimension file and the
// defaults block use this order, so index access must follow it exactly.
struct Cyl {
    float cylCentreToDriver = 0;    // 0  id 101
    float boreDiameter = 0;         // 1  id 103
    float boreLength = 0;           // 2  id 104
    float cylSpare = 0;             // 3  never edited, still stored
    float cylSteamPortWidth = 0;    // 4  id 105
    float pistonToCrosshead = 0;    // 5  id 106
    float pistonWidth = 0;          // 6  id 107
    float valveSurfaceToCylCL = 0;  // 7  id 108
    float valveStemToCylCL = 0;     // 8  id 109
    float exhaustPortWidth = 0;     // 9  id 110
    float bridgeRear = 0;           // 10 id 111
    float steamPortRear = 0;        // 11 id 113
    float chestHeight = 0;          // 12 id 115
    float chestLength = 0;          // 13 id 116
    float valveHeight = 0;          // 14 id 117
    float valveLenRear = 0;         // 15 id 118
    float cavityRear = 0;           // 16 id 120
    float valveCentreToJoint = 0;   // 17 id 122
    float bridgeFront = 0;          // 18 id 112
    float steamPortFront = 0;       // 19 id 114
    float valveLenFront = 0;        // 20 id 119
    float cavityFront = 0;          // 21 id 121

    static constexpr int kCount = 22;
    float& operator[](int i);
    float operator[](int i) const;
};

// Pivot numbers with a fixed role.
enum Pivot : int {
    kOrigin = 0,
    kDriverCentre = 1,
    kCrankPin = 2,
    kCrosshead = 3,
    kValveStemJoint = 4,
    kLinkPivot = 5,
    kLinkLowerEnd = 6,
    kValveRodPin = 7,
    kLinkDie = 8,
    kOscLeverDrivePoint = 9,
    kMainRodLug = 10,
    kSwingLeverEnd = 11,
    kSwingLeverPivot = 12,
    kMainRodLugFoot = 13,
    kValveLeverTop = 14,
    kOscLeverDriveFoot = 15,
    kReverseArmEnd = 18,
    kRefPoint1 = 19,
    kRefPoint2 = 20,
};

inline constexpr int kPivotCount = 27;
inline constexpr int kDynSlots = 5;      // slot 0 stages, 1..4 belong to the bars
inline constexpr int kOverlayEntries = 20;
inline constexpr int kPivotDataRows = 6;

// The piston's scale along the stroke: 0 with the crosshead nearest the
// cylinder, kPistonScale at the far end, whatever the stroke's length. The
// front end's events count up it and the back end's down from its far end;
// kPistonPerPercent of it is one per cent of the stroke. Given in each
// floating type the sums use, so every sum keeps its rounding.
template <class T>
inline constexpr T kPistonScale = T(640);
template <class T>
inline constexpr T kPistonPerPercent = kPistonScale<T> / T(100);
// An empty dynamic-variable slot shows this name: 13 blanks and "??".
inline const std::string kEmptySlotName = "             ??";

// The model is grouped by role. Each role is a plain struct, so a function
// that needs only one role takes only that one (the solver reads an Engine,
// the dimension file an Engine and the roles it stores); Model joins them all
// and every field keeps its one name (m.stroke, m.viewScale, m.undoHistory).
// The initialisers below are the start values of the program: initState is
// `Model{}` plus the emptying of the tables.

// The engine: the pivot table in world units and every dimension of the
// frame and the cylinder. Pivots 1, 5, 12, 19, 20 and the Y of 3 and 4 are
// inputs; the solver's thin steps store the computed entries beside them.
struct Engine {
    float pivotX[kPivotCount] = {};
    float pivotY[kPivotCount] = {};

    // Frame dimensions (ids 10, 11, 14, 15 are pivots 12 and 5).
    float driverDiameter = 0;     // 1
    float stroke = 0;             // 2
    float mainRodLength = 0;      // 3
    float mainRodLugVert = 0;     // 4
    float mainRodLugHorz = 0;     // 5
    float oscLeverLength = 0;     // 6
    float oscLeverDriveVert = 0;  // 7
    float oscLeverDriveHorz = 0;  // 8
    float swingLeverLength = 0;   // 9
    float reverseArmLength = 0;   // 12
    float linkLowerLength = 0;    // 13
    float valveRodLength = 0;     // 16
    float valveLeverUpper = 0;    // 17
    float valveLeverOffset = 0;   // 18
    float valveLeverLower = 0;    // 19
    float revArmNormal = 0;       // 20
    float revArmMax = 0;          // 21

    Cyl cyl;

    // The unit every length above is a number of. The factory design is in
    // inches; a design only changes unit by a conversion of all its lengths.
    LengthUnit lengthUnit = LengthUnit::Inch;
};

// The factory values the working dimensions are restored from.
// frameDefaults[id] for frame ids 1..21 in the frame dialog's order;
// frameDefaults[0] holds the default of pivotY[3] ("Cylinder CL above
// Driver"), which belongs with the frame block.
struct Defaults {
    float frameDefaults[22] = {};
    Cyl cylDefaults;
};

struct Motion {
    float driverAngle = 0.0f;
    float stepAngle = 10.0f;
    float selectedStep = 10.0f;
    std::string direction = "Fwd";  // "Fwd" or "Rev"
    float revArmPos = 0;
    float revArmSet[10] = {};  // [0] is the reverse-arm centre
    std::int32_t revArmSetCount = 0;
    bool revArmSetChanged = false;

    float& revArmCentre() { return revArmSet[0]; }
    float revArmCentre() const { return revArmSet[0]; }
};

struct View {
    float viewScale = 28.0f, viewOffsetX = 115.0f, viewOffsetY = 270.0f;
    float homeScale = 28.0f, homeOffsetX = 115.0f, homeOffsetY = 270.0f;
    float panBaseScale = 0, panBaseX = 0, panBaseY = 0;
    float normScale = 0, normOffsetX = 0, normOffsetY = 0;
    // (scale, offset X, offset Y); slot 0 is the user's scratch slot.
    float viewPresets[7][3] = {
        {0, 0, 0},       {62, 315, 237},    {62, 0, 395},      {45, 70, 210},
        {80, -950, 335}, {350, -5100, 900}, {350, -5460, 900},
    };
};

struct Options {
    bool steamDisplay = false;
    bool errorBeep = true;
    bool solverError = false;
    std::int32_t lineWidth = 1;
    float fontScaleX = 1.0f, fontScaleY = 1.0f;
    float diagramVScale = 1.5f;
    float graphicZoom = 7.5f;
    std::string dimensionSetName = "Nominal";
    bool dynVarsVisible = false;
    bool undoEnabled = false;
    bool refPointsOn = false;
    bool screenDataOn = true;
    bool pivotDataOn = false;
};

// State of the main window that the dialogs and the diagrams share.
struct WindowState {
    std::string frontCutoffText, rearCutoffText;  // at most 10 characters
    bool stepBarArmed = true;
    // Base name of the last dimension file opened or saved; shown in captions.
    std::string currentFileName;
    // The dimension whose place the pointer display is showing; 0 for none.
    // A dimension dialog's small button sets it (the dialogs' highlighted
    // dimension), and it stays set while the display runs.
    std::int32_t pointerDim = 0;
    // Frames the pointer display has shown; a press in the picture sets it
    // past the end so the display ends on the next frame.
    std::int32_t pointerFrameCount = 0;
    char portGraphMode = 'F';
};

// The dynamic variables and the undo history.
struct Editing {
    std::int32_t dynVarId[kDynSlots] = {};
    float dynVarValue[kDynSlots] = {};
    std::string dynVarName[kDynSlots];
    float dynStep = 0.001f;
    std::int32_t activeDynSlot = 1;
    UndoHistory undoHistory;
    // A key was typed in a dynamic dimension's box: its next commit is
    // recorded.
    bool editPending = false;
    // Whether the "UnDo" buttons of the main window and the diagrams are
    // enabled; every window reads it so they stay consistent.
    bool undoButtonsEnabled = false;
    std::string undoText;  // the undo line every diagram window shares
};

// The lines-and-circles overlay (index 1..20; entry 0 of the point
// coordinates holds a copy of reference point 1).
struct Overlay {
    std::int32_t lineCount = 1;  // the current overlay entry number
    float lineType[kOverlayEntries + 1] = {};    // 0 line, 1 circle, -1 unused
    float lineColour[kOverlayEntries + 1] = {};  // 24-bit colour held in a float
    float lineMode[kOverlayEntries + 1] = {};    // reference mode 0..3, -1 unused
    float lineX1[kOverlayEntries + 1] = {}, lineY1[kOverlayEntries + 1] = {};
    float lineX2[kOverlayEntries + 1] = {}, lineY2[kOverlayEntries + 1] = {};
    float linePivotA[kOverlayEntries + 1] = {}, linePivotB[kOverlayEntries + 1] = {};
    float linePivotAX[kOverlayEntries + 1] = {}, linePivotAY[kOverlayEntries + 1] = {};
    float linePivotBX[kOverlayEntries + 1] = {}, linePivotBY[kOverlayEntries + 1] = {};
    bool drawLinesPick = false;            // waiting for the user to pick pivots
    std::int32_t drawLinesRefChoice = -1;  // reference choice of the draw-lines window
    // The type (0 line, 1 circle) and colour (0..5) chosen in the draw-lines
    // window, -1 while none is; a press in the picture reads them to decide
    // whether it completes a pick.
    std::int32_t drawLinesTypeChoice = -1;
    std::int32_t drawLinesColourChoice = -1;
};

// Pointer selection and the pivot data rows (index 1..6).
struct PivotRows {
    std::int32_t pivotRowActive[kPivotDataRows + 1] = {};
    float pivotRowPivot[kPivotDataRows + 1] = {};
    std::int32_t nearestPivot = 0;
    // A row number was clicked and waits for the next left press to name its
    // pivot.
    bool pivotRowArmed = false;
    std::int32_t armedRow = 0;  // 1..6 while armed
    // Set by every left press in the picture; a right press that completes a
    // two-pivot overlay item consumes it.
    bool leftPressed = false;
};

// What the solver works out besides the pivot table, declared once: the pure
// solve returns these structs and the animation tick stores them into the
// model whole (Solver.h).
//
// The linkage's angles (radians), the valve travel and the port-event
// thresholds, in world units.
struct LinkageTerms {
    float valveLeverAngle = 0;
    float linkTriangleAngle = 0;
    float valveTravel = 0;
    float frontAdmitTravel = 0, frontFullTravel = 0, frontExhaustTravel = 0;
    float rearAdmitTravel = 0, rearFullTravel = 0, rearExhaustTravel = 0;
    float rearAdmitJoint = 0, frontAdmitJoint = 0;
    float frontSteamLap = 0, rearSteamLap = 0, frontExhaustLap = 0, rearExhaustLap = 0;
};

// The piston's place on the 0..kPistonScale scale (0 with the crosshead
// nearest the cylinder) and the four port openings in world units (negative:
// lapped by that much).
struct PortOpenings {
    float pistonTrace = 0;
    float frontSteamOpening = 0, frontExhaustOpening = 0;
    float rearSteamOpening = 0, rearExhaustOpening = 0;
};

// What the animation tick keeps from the solver: the solved terms and
// openings, the pivots on the screen and the outlines drawn from them.
struct SolverResults : LinkageTerms, PortOpenings {
    std::int32_t pivotScreenX[kPivotCount] = {};
    std::int32_t pivotScreenY[kPivotCount] = {};
    float gearSignA = 0;
    float gearSignB = 0;
    IPoint cylinderPoints[24] = {};  // C0..C23
    IPoint valvePoints[14] = {};     // V0..V13
};

struct Model : Engine, Defaults, Motion, View, Options, WindowState, Editing, Overlay, PivotRows,
               SolverResults {};

// ---- operations ---------------------------------------------------------------

// Program start: initState, initView, loadFrameDefaults, loadCylDefaults,
// resetFrame, resetCylinder, centreReverseArm.
void initModel(Model& m);
void initState(Model& m);
void initView(Model& m);
void loadFrameDefaults(Model& m);
void loadCylDefaults(Model& m);
void resetFrame(Model& m);
void resetCylinder(Model& m);
void centreReverseArm(Model& m);
// The model side of "&ResetAllDimensions": both resets, the dynamic variable
// and undo reset, re-centring, set name and diagram scale. The window side
// (the "Cen" and "Norm" actions, hiding the bars) is done by the main window.
void resetAllDimensions(Model& m);
// Keeps the non-zero diagram positions revArmSet[1..9] within
// centre - revArmNormal .. centre + revArmNormal (zero marks an unused entry).
void clampDiagramPositions(Model& m);
// The normal reverse-arm travel (units of the design either side of the
// centre): kept no larger than revArmMax, the diagram positions within it.
void setNormalTravel(Model& m, float norm);
// The maximum travel: kept no smaller than revArmNormal; raised to it, the
// diagram positions are kept within the normal travel again.
void setMaxTravel(Model& m, float max);

// The lowest and highest value a diagram position may take: the whole travel
// either side of the centre.
float revArmLowerLimit(const Model& m);
float revArmUpperLimit(const Model& m);
// A position kept within those limits; 0 marks an unused position and stays.
float clampRevArmPosition(const Model& m, float value);
// Diagram position 1..9 takes `value`, clamped; position 1 is never unused, so
// a 0 there becomes 0.001. Other numbers change nothing.
void setDiagramPosition(Model& m, int position, float value);
// Clears every position after the first unused one and sets revArmSetCount
// to the last position in use (left alone when position 1 itself is unused):
// the positions the diagrams step through.
void settleRevArmPositions(Model& m);

// The oval and sine diagrams' vertical scale VS: 375 / VS pixels per unit of
// valve travel, the scale's ticks spanning 0.4 VS units either side of the
// centre row. At most 1000, so a travel of +-400 units still fits those
// 150 pixels: four times the largest valve travel of a full-size engine
// described in millimetres (about +-100 mm), while a larger value would only
// squeeze any real design into less than a pixel. At least 0.1, as the
// positions dialog has always held it.
inline constexpr float kMinDiagramVScale = 0.1f;
inline constexpr float kMaxDiagramVScale = 1000.0f;
// A scale held within those limits; a value that is not a number at all
// (only a damaged file holds one) gives the start value 1.5.
float boundedDiagramVScale(float vs);
// Empties the lines-and-circles overlay table.
void clearOverlay(Model& m);

// The frame dimension with id 1..21 (dialog order); nullptr for other ids.
float* frameField(Engine& e, int id);
// The cylinder dimension with id 101..122; id 102 is pivotY[3]. nullptr otherwise.
float* cylField(Engine& e, int id);
// Position of a cylinder id (101..122, not 102) in the record order, or -1.
int cylRecordIndex(int id);

}  // namespace tevrane
