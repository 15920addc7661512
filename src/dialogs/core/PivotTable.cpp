#include "dialogs/core/PivotTable.h"

#include <charconv>
#include <cmath>

#include "model/Format.h"
#include "model/Solver.h"

namespace tevrane {

namespace {

inline constexpr float kSmallestStep = 0.01f;
inline constexpr int kCut = 10;  // every number of a row is cut to this many characters

const char* const kColumnsLine =
    "  Driver         No.1                   No.2                   No.3                  No.4"
    "                   No.5                  No.6";
const char* const kAxesLine =
    "  Angle     Vert   Horz         Vert   Horz          Vert   Horz         Vert   Horz"
    "          Vert   Horz         Vert   Horz";

// Appends fixed(value, width, decimals) cut to ten characters. A row has
// thirteen numbers and the finest step makes 36 001 rows, so this writes into
// the text directly instead of building a string per number; the digits are
// the same correctly rounded ones that printf gives.
void appendNumber(std::string& out, double value, int width, int decimals) {
    char digits[64];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value,
                                         std::chars_format::fixed, decimals);
    if (ec != std::errc{} || !std::isfinite(value)) {
        // Far beyond any linkage (or not a number): the shared formatter's
        // text, whatever it is.
        out += fixed10(value, width, decimals);
        return;
    }
    const int len = static_cast<int>(end - digits);
    const int pad = width > len ? width - len : 0;
    const int blanks = pad < kCut ? pad : kCut;
    out.append(static_cast<std::size_t>(blanks), ' ');
    const int room = kCut - blanks;
    out.append(digits, static_cast<std::size_t>(len < room ? len : room));
}

// The pivot a data row shows: its stored number rounded, halves to even. A
// number outside the pivot table (never written by the pointer selection)
// shows pivot 0, as a row that was never picked does.
int rowPivot(float stored) {
    const std::int32_t i = toInt(stored);
    return i >= 0 && i < kPivotCount ? i : 0;
}

}  // namespace

float pivotTableStep(float selectedStep) {
    return selectedStep >= kSmallestStep ? selectedStep : kSmallestStep;  // NaN fails the test
}

float pivotTableAngle(long k, float step) {
    return static_cast<float>(static_cast<double>(k) * static_cast<double>(step));
}

std::string pivotTableText(const Model& m, const std::string& date, const std::string& time) {
    const float step = pivotTableStep(m.selectedStep);
    int pivot[kPivotDataRows + 1] = {};
    for (int k = 1; k <= kPivotDataRows; ++k) pivot[k] = rowPivot(m.pivotRowPivot[k]);

    std::string out;
    // About 130 characters a row.
    out.reserve(static_cast<std::size_t>(360.0f / step + 2) * 136 + 512);
    out += "Pivot Data   " + m.dimensionSetName + "     " + date + "   " + time + "\n";
    out += "       Reverse Arm " + fixed(m.revArmPos, 7, 3) + "      Step Angle " +
           fixed(m.selectedStep, 7, 3) + "\n";
    out += kColumnsLine;
    out += '\n';
    out += kAxesLine;
    out += '\n';

    const Engine& engine = m;
    for (long k = 0;; ++k) {
        const float angle = pivotTableAngle(k, step);
        if (!(angle <= 360.0f)) break;
        const LinkageSolution s = solveLinkage(engine, angle, m.revArmPos);
        appendNumber(out, angle, 7, 2);
        for (int r = 1; r <= kPivotDataRows; ++r) {
            out += "   ";
            appendNumber(out, s.pivotY[pivot[r]], r == 1 ? 7 : 9, 3);
            out += "  ";
            appendNumber(out, s.pivotX[pivot[r]], 7, 3);
        }
        out += '\n';
    }
    return out;
}

}  // namespace tevrane
