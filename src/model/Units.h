// The length unit of a design. Every length of a design (its dimensions, the
// pivot places, the reverse-arm travel, the overlay's points) is a number in
// this one unit; the screen, the events and every table name it beside a
// length so a figure never reads as a bare number. Percent figures and angles
// do not depend on it.
#pragma once

#include <cstdint>

namespace tevrane {

// Four bytes wide, so an Engine has no padding and stays comparable byte for byte.
enum class LengthUnit : std::int32_t { Inch, Millimetre };

inline constexpr double kMillimetresPerInch = 25.4;

// The short symbol shown beside a length: "in" or "mm".
constexpr const char* unitSymbol(LengthUnit u) { return u == LengthUnit::Millimetre ? "mm" : "in"; }
// The unit's name in words: "inches" or "millimetres".
constexpr const char* unitName(LengthUnit u) {
    return u == LengthUnit::Millimetre ? "millimetres" : "inches";
}

}  // namespace tevrane
