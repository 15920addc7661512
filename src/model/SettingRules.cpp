#include "model/SettingRules.h"

#include <cmath>

#include "model/Format.h"

namespace tevrane::setting {

namespace {
// The conversion never yields NaN, but a value that is not a number must not
// slip past the range checks below, which all compare false for it.
float typedValue(double typed) { return std::isnan(typed) ? 0.0f : static_cast<float>(typed); }
}  // namespace

bool directOrientation(const Model& m) {
    return (m.gearSignA > 0 && m.gearSignB > 0) || (m.gearSignA < 0 && m.gearSignB < 0);
}

float clampRevArm(const Model& m, double typed) {
    const long double centre = m.revArmCentre();
    const long double lowest = centre - m.revArmMax;
    const long double highest = centre + m.revArmMax;
    float position = typedValue(typed);
    if (position < lowest) position = static_cast<float>(lowest);
    if (position > highest) position = static_cast<float>(highest);
    return position;
}

int revArmBarPosition(const Model& m, float position) {
    const long double offset = static_cast<long double>(position) - m.revArmCentre();
    return toInt((directOrientation(m) ? offset : -offset) * 1000);
}

float clampDriverAngle(double typed) {
    float angle = typedValue(typed);
    if (angle < 0.0f) angle = 0.0f;
    if (angle > 360.0f) angle = 360.0f;
    return angle;
}

int driverBarPosition(float angle) { return toInt(static_cast<long double>(angle) * 100); }

float clampStepAngle(double typed) {
    float step = typedValue(typed);
    if (step > 45.0f) step = 45.0f;
    if (step < 0.01f) step = 0.01f;
    return step;
}

int stepBarPosition(float step) {
    // The step is at least 0.01 after clamping, so the logarithm is >= 0; a
    // step that was never clamped still cannot make the conversion overflow.
    return toInt(std::log10(static_cast<long double>(step) * 100) * 4000);
}

int driverSmallChange(float step) { return toInt(static_cast<long double>(step) * 100); }

int driverLargeChange(float step) { return toInt(static_cast<long double>(step) * 500); }

float clampGraphicZoom(double typed) {
    float zoom = typedValue(typed);
    if (zoom < 0.5f) zoom = 0.5f;
    if (zoom > 2000.0f) zoom = 2000.0f;
    return zoom;
}

}  // namespace tevrane::setting
