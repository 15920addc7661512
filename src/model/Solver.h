// The closed-form linkage solver: from the dimensions, the driver angle and the
// reverse arm setting it places every pivot of the valve gear, derives the
// valve travel, the port-event thresholds, the port openings and the piston
// position, and builds the screen outlines of cylinder, steam chest, piston
// and valve. One straight pass, no iteration; where the linkage cannot close,
// the offending intermediate is clamped and the clamp is counted.
//
// The solve itself is a pure function of its inputs (solveGear and its two
// halves): it reads an Engine and writes nothing. The animation tick stores
// its results into the model through the thin steps below, which also raise
// `solverError` (only while `errorBeep` is on) and apply the two zero-length
// overwrites the user sees in the dialogs.
#pragma once

#include "model/Model.h"

namespace tevrane {

// The whole pivot table (the inputs as given, the computed entries 2..15 and
// 18 solved) with the linkage's angles, valve travel and thresholds.
struct LinkageSolution : LinkageTerms {
    float pivotX[kPivotCount] = {};
    float pivotY[kPivotCount] = {};
    int clamps = 0;  // how many clamps were raised
};

// Piston position and the four port openings.
struct PistonPorts : PortOpenings {
    int clamps = 0;
};

struct GearSolution {
    LinkageSolution linkage;
    PistonPorts ports;
    int clamps() const { return linkage.clamps + ports.clamps; }
};

// The pivot solve for one driver angle (degrees) and reverse arm setting.
// A main rod or lower valve lever of length exactly 0 is taken as the smallest
// length (kMinDivisor).
LinkageSolution solveLinkage(const Engine& e, float driverAngle, float revArmPos);
// The piston and port step, for the valve stem joint at valveStemX (pivot 4's
// X from the pivot solve). Uses the engine's main rod length as it is.
PistonPorts solvePistonPorts(const Engine& e, float driverAngle, float valveStemX);
// Both, as one solve: the piston step sees the main rod length the pivot solve
// used, so it is the same as the tick's two steps one after the other.
GearSolution solveGear(const Engine& e, float driverAngle, float revArmPos);

// ---- the thin steps of the animation tick ------------------------------------

// Places pivots 2..15 and 18, the valve lever and link triangle angles, the
// valve travel and the port-event thresholds into the model.
void solvePivots(Model& m);
// Piston position and the four port openings. Runs after solvePivots (it
// reads pivot 4).
void solvePistonAndPorts(Model& m);
// Cylinder and steam chest outline with the port passages (C0..C23) and the
// piston and valve outline (V0..V13), in screen pixels. Runs after the pivot
// solve; uses the current view.
void computeOutlines(Model& m);
// The same outlines for any solved gear: its cylinder dimensions and pivots
// (world units) placed in the view `v`, into C0..C23 and V0..V13.
void placeOutlines(const Cyl& c, const float* pivotX, const float* pivotY, const View& v, IPoint* cylinderPoints,
                   IPoint* valvePoints);
// One full solve as the animation tick does it: the pivots, the piston and
// ports, pivotsToScreen, computeOutlines.
void solveAll(Model& m);

// ---- the three clamps ---------------------------------------------------------
// Each returns the mended value and adds 1 to `raised` when it had to mend.
// A value below 0 is negated (a root of a negative square).
float clampNonNegative(float v, int& raised);
// A divisor within +-0.00001 of zero is pushed out to +-0.00001 (0 goes up).
float clampDivisor(float v, int& raised);
// A value outside +-0.999999 is put back on the limit (arcsin / arccos).
float clampCosine(float v, int& raised);

// The limits as the model stores them (single precision).
inline constexpr float kMinDivisor = 0.00001f;
inline constexpr float kMaxCosine = 0.999999f;

}  // namespace tevrane
