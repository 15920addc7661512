// The text of the pivot data table: where the six picked pivots stand at every
// step of the chosen step angle over one driver revolution, as plain lines
// that the table window shows and the user copies to the clipboard.
#pragma once

#include <string>

#include "model/Model.h"

namespace tevrane {

// The four header lines come first, then one row per driver angle from 0 to
// 360 at the step of `selectedStep`, all at the current reverse-arm setting.
// Each row holds the angle and, for pivot data rows 1 to 6, the vertical and
// horizontal coordinate of the row's pivot; a row never assigned shows pivot
// 0. Every line ends in '\n'. The solve runs on the model's engine through
// the pure solver, so the model itself is left exactly as it was.
std::string pivotTableText(const Model& m, const std::string& date, const std::string& time);

// The driver angle of table row k (0 for the first row): k steps from 0,
// rounded to single precision once, so no rounding error adds up over the
// turn and a step that divides 360 ends on a 360.00 row.
float pivotTableAngle(long k, float step);

// The step the table advances by: `selectedStep`, or the smallest step the
// step angle setting allows (0.01) when it is below that or not a number, so
// the table always ends.
float pivotTableStep(float selectedStep);

}  // namespace tevrane
