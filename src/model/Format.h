// Number formatting and parsing shared by every readout, table and edit box,
// rounding, and the world-to-screen conversion.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "model/Model.h"

namespace tevrane {

// Fixed-point text w:d: d decimals, right-aligned in a field at least w wide,
// blank-padded on the left.
std::string fixed(double value, int width, int decimals);
// fixed(), cut to its first 10 characters: the text of every edit box.
std::string fixed10(double value, int width, int decimals);

// The decimal conversion of every edit box: leading blanks, optional sign,
// digits, optional fraction and exponent. A malformed text yields the number
// formed by its longest valid leading part, 0 when there is none.
double parseDecimal(const std::string& text);

// An edit box's text as a single-precision value: parseDecimal, rounded to the
// nearest float; a number beyond the float range becomes an infinity of its
// sign, as the hardware rounds it (the conversion itself would be undefined).
float parseFloat(const std::string& text);

inline constexpr char kBackspace = '\b';
inline constexpr char kCarriageReturn = '\r';

// The key filter of every numeric edit box: backspace and digits always, one
// "." and, where negative values make sense, one "-" (anywhere in the text).
bool acceptNumericKey(const std::string& text, char key, bool allowMinus);

// Every float-to-integer conversion goes through here: rounds half to even,
// saturates to +-kPixelLimit and maps NaN to 0, so no input can overflow.
inline constexpr std::int32_t kPixelLimit = 1'000'000;
inline std::int32_t toInt(long double v, std::int32_t limit = kPixelLimit) {
    if (std::isnan(v)) return 0;
    if (v >= limit) return limit;
    if (v <= -limit) return -limit;
    // Within the limit the nearest whole number, halves to even, is exact in
    // 32 bits; lrint gives it in the default rounding mode in one instruction.
    return static_cast<std::int32_t>(std::lrint(v));
}

// World to screen: column round(x * viewScale + viewOffsetX), row
// round(-y * viewScale + viewOffsetY). Inline: the outlines alone convert 79
// points a tick.
inline std::int32_t screenX(const View& v, long double x) {
    return toInt(x * v.viewScale + v.viewOffsetX);
}
inline std::int32_t screenY(const View& v, long double y) {
    return toInt(-y * v.viewScale + v.viewOffsetY);
}
// Converts pivots 0..20 to screen coordinates.
void pivotsToScreen(Model& m);

// Cuts a text to at most n characters (short strings with a declared maximum).
std::string cut(const std::string& s, std::size_t n);

}  // namespace tevrane
