#include "main/core/StepTable.h"

namespace tevrane {

namespace {
struct Row {
    int upTo;
    StepChoice choice;
};
constexpr Row kRows[] = {
    {704, {0.01f, 1, 5}},       {1591, {0.02f, 2, 10}},    {2408, {0.03f, 3, 15}},
    {3612, {0.05f, 5, 25}},     {4704, {0.1f, 10, 50}},    {5591, {0.2f, 20, 100}},
    {6408, {0.3f, 30, 150}},    {7612, {0.5f, 50, 250}},   {8704, {1.0f, 100, 500}},
    {9591, {2.0f, 200, 1000}},  {10408, {3.0f, 300, 1500}}, {11612, {5.0f, 500, 2500}},
    {12704, {10.0f, 1000, 4500}}, {13591, {20.0f, 2000, 4500}}, {14408, {30.0f, 3000, 4500}},
};
}  // namespace

StepChoice stepForPosition(int position) {
    for (const Row& r : kRows)
        if (position <= r.upTo) return r.choice;
    return {45.0f, 4500, 4500};
}

float wrapDriverAngle(float angle) {
    if (static_cast<long double>(angle) > 360.1L) angle = angle - 360.0f;
    if (angle < 0.0f) angle = angle + 360.0f;
    return angle;
}

}  // namespace tevrane
