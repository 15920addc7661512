// The rules of the driver angle, the step angle, the reverse arm and the
// graphic zoom: the ranges a value is held in and the scroll-bar positions a
// value stands for. They belong to the model, as the main window's controls
// and the small setting dialogs both apply them; the dialogs' own texts and
// key filter stay with the dialogs.
#pragma once

#include "model/Model.h"

namespace tevrane::setting {

// The reverse arm scale is direct when both gear signs are positive or both
// negative, and reversed otherwise (before the first solve both are 0).
bool directOrientation(const Model& m);

// A typed position forced into centre - Max .. centre + Max (the lower bound
// is applied first, so a negative Max ends at centre + Max).
float clampRevArm(const Model& m, double typed);
// The reverse arm bar position standing for a position: thousandths of the
// distance from the centre, measured the way the orientation runs.
int revArmBarPosition(const Model& m, float position);

float clampDriverAngle(double typed);  // 0 .. 360
int driverBarPosition(float angle);    // hundredths of a degree

float clampStepAngle(double typed);  // 0.01 .. 45
// The logarithmic step bar: round(log10(step * 100) * 4000), so 0.01 is 0,
// 1 is 8000, 10 is 12000 and 45 is 14613.
int stepBarPosition(float step);
// The driver bar's arrow and page steps for a typed step, in hundredths of a
// degree: one step and five steps.
int driverSmallChange(float step);
int driverLargeChange(float step);

float clampGraphicZoom(double typed);  // 0.5 .. 2000

}  // namespace tevrane::setting
