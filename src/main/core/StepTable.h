// The step angle bar is logarithmic: its position (hundredths of a degree
// on a log scale) picks one of sixteen predefined steps, each with the
// driver bar's small and large change.
#pragma once

namespace tevrane {

struct StepChoice {
    float step;      // degrees per tick
    int smallChange; // of the driver angle bar, hundredths of a degree
    int largeChange;
};

StepChoice stepForPosition(int position);

// Where the step buttons put the bar, round(log10(step * 100) * 4000): 1
// degree, 10 degrees (also the start) and 45 degrees, the bar's top.
inline constexpr int kStepBarOneDegree = 8000;
inline constexpr int kStepBarTenDegrees = 12000;
inline constexpr int kStepBarFortyFiveDegrees = 14613;
// The driver angle wraps into 0..360.1: above 360.1 it loses 360, below 0
// it gains 360; 360.0 up to 360.1 is left as it is.
float wrapDriverAngle(float angle);

}  // namespace tevrane
