// The rules of the "Reference Points" dialog that need no widget: the text a
// box shows for a coordinate and the coordinate a typed text stands for.
#pragma once

#include <string>

namespace tevrane::refpoint {

// A typed coordinate is held within this many units of the origin: far
// beyond any drawing, and small enough that panning to it stays finite.
inline constexpr float kCoordinateLimit = 1.0e6f;

// A coordinate as its box shows it: 3 decimals in a field of 5.
std::string boxText(float coordinate);
// A box's text as a coordinate: the decimal conversion of every edit box
// (an empty or malformed text reads as its valid leading part, else 0),
// clamped to +-kCoordinateLimit.
float boxValue(const std::string& text);

}  // namespace tevrane::refpoint
