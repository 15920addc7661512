// What the four small setting dialogs compute: the texts they show when they
// open, the ranges a typed value is forced into, the scroll bar positions a
// value stands for, and which typed keys their single edit box accepts.
// Kept free of widgets so every rule is tested on its own.
#pragma once

#include <string>

#include "model/Format.h"
#include "model/Model.h"

namespace tevrane::setting {

// ---- reverse arm position ---------------------------------------------------

// The reverse arm scale is direct when both gear signs are positive or both
// negative, and reversed otherwise (before the first solve both are 0).
bool directOrientation(const Model& m);

// The five value labels: three on the top row (x 2, 71, 141) and two on the
// second row (x 2, 141). In the reversed orientation the sides swap, so the
// "Rev" label names centre + Norm and the second row starts with "Max".
struct RevPosLabels {
    std::string top[3];
    std::string bottom[2];
};
RevPosLabels revPosLabels(const Model& m);
// The edit box: the current reverse arm position, 3 decimals in a field of 7.
std::string revPosEditText(const Model& m);
// A typed position forced into centre - Max .. centre + Max (the lower bound
// is applied first, so a negative Max ends at centre + Max).
float clampRevArm(const Model& m, double typed);
// The reverse arm bar position standing for a position: thousandths of the
// distance from the centre, measured the way the orientation runs.
int revArmBarPosition(const Model& m, float position);

// ---- driver angle -------------------------------------------------------------

// "0.00" while the animation runs (a non-zero running step), otherwise the
// driver angle with 2 decimals in a field of 4.
std::string drivAngEditText(const Model& m);
float clampDriverAngle(double typed);  // 0 .. 360
int driverBarPosition(float angle);    // hundredths of a degree

// ---- step angle -----------------------------------------------------------------

// The running step with 2 decimals in a field of 4: "0.00" while stopped.
std::string stpAngEditText(const Model& m);
float clampStepAngle(double typed);  // 0.01 .. 45
// The logarithmic step bar: round(log10(step * 100) * 4000), so 0.01 is 0,
// 1 is 8000, 10 is 12000 and 45 is 14613.
int stepBarPosition(float step);
// The driver bar's arrow and page steps for a typed step, in hundredths of a
// degree: one step and five steps.
int driverSmallChange(float step);
int driverLargeChange(float step);

// ---- graphic zoom -----------------------------------------------------------------

std::string graphZoomEditText(const Model& m);  // 2 decimals in a field of 4
float clampGraphicZoom(double typed);           // 0.5 .. 2000

// ---- key filter of the edit box -------------------------------------------------


// Whether a typed character may go into an edit box that holds `text`:
// backspace and digits always, one "." and, when allowMinus, one "-".
// Everything else, carriage return included, is discarded.
bool acceptKey(const std::string& text, char key, bool allowMinus);

}  // namespace tevrane::setting
