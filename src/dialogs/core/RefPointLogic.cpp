#include "dialogs/core/RefPointLogic.h"

#include <algorithm>

#include "model/Format.h"

namespace tevrane::refpoint {

std::string boxText(float coordinate) { return fixed10(coordinate, 5, 3); }

float boxValue(const std::string& text) {
    return std::clamp(parseFloat(text), -kCoordinateLimit, kCoordinateLimit);
}

}  // namespace tevrane::refpoint
