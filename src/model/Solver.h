// The closed-form linkage solver: from the dimensions, the driver angle and the
// reverse arm setting it places every pivot of the valve gear, derives the
// valve travel, the port-event thresholds, the port openings and the piston
// position, and builds the screen outlines of cylinder, steam chest, piston
// and valve. One straight pass, no iteration; where the linkage cannot close,
// the offending intermediate is clamped and the failure is flagged in
// `solverError` (only while `errorBeep` is on).
#pragma once

#include "model/Model.h"

namespace tevrane {

// Places pivots 2..15 and 18, the valve lever and link triangle angles, the
// valve travel and the port-event thresholds.
void solvePivots(Model& m);

// Piston position on the 0..640 scale and the four port openings. Runs after
// solvePivots (it reads pivot 4).
void solvePistonAndPorts(Model& m);

// Cylinder and steam chest outline with the port passages (C0..C23) and the
// piston and valve outline (V0..V13), in screen pixels. Runs after the pivot
// solve; uses the current view.
void computeOutlines(Model& m);

// One full solve as the animation tick does it: solvePivots,
// solvePistonAndPorts, pivotsToScreen, computeOutlines.
void solveAll(Model& m);

// The three clamps. Each mends one scratch value of the model in place and
// flags the failure (solverError := true, only while errorBeep is on).
// workValue below 0 is negated (a root of a negative square).
void clampNonNegative(Model& m);
// divisor within +-0.00001 of zero is pushed out to +-0.00001 (0 goes up).
void clampDivisor(Model& m);
// workValue outside +-0.999999 is put back on the limit (arcsin / arccos).
void clampCosine(Model& m);

// The limits as the model stores them (single precision).
inline constexpr float kMinDivisor = 0.00001f;
inline constexpr float kMaxCosine = 0.999999f;

}  // namespace tevrane
