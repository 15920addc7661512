#include "dialogs/core/PivotTable.h"

#include <charconv>
#include <cmath>
#include <string>
#include <utility>

#include "model/Format.h"
#include "model/Solver.h"

namespace tevrane {

namespace {

inline constexpr float kSmallestStep = 0.01f;
inline constexpr int kCut = 10;  // every number of a row is cut to this many characters

// A row: the angle, then per pivot a gap, its vertical coordinate, a gap and
// its horizontal coordinate. The headings are built from the same widths, so
// each word stands over its own column in the table's fixed-width face.
constexpr int kAngleWidth = 7;
constexpr int kGapBeforeVert = 3;
constexpr int kGapBeforeHorz = 2;
constexpr int kHorzWidth = 7;
constexpr int vertWidth(int row) { return row == 1 ? 7 : 9; }

// Writes `word` into `line` so that it ends in column `lastColumn`.
void putEndingAt(std::string& line, const std::string& word, std::size_t lastColumn) {
    const std::size_t first = lastColumn + 1 - word.size();
    if (line.size() < lastColumn + 1) line.resize(lastColumn + 1, ' ');
    line.replace(first, word.size(), word);
}

// The two heading lines: "Driver" and "Angle" over the angles, "Vert" and
// "Horz" ending where the numbers under them end, and "No.k" centred over
// its pivot's two words.
std::pair<std::string, std::string> headingLines() {
    std::string columns = "  Driver";
    std::string axes = "  Angle";
    std::size_t end = kAngleWidth;  // one past the last column written so far
    for (int r = 1; r <= kPivotDataRows; ++r) {
        const std::size_t vertEnd = end + kGapBeforeVert + static_cast<std::size_t>(vertWidth(r)) - 1;
        const std::size_t horzEnd = vertEnd + kGapBeforeHorz + kHorzWidth;
        putEndingAt(axes, "Vert", vertEnd);
        putEndingAt(axes, "Horz", horzEnd);
        const std::string name = "No." + std::to_string(r);
        const std::size_t spanFirst = vertEnd + 1 - 4;
        const std::size_t nameFirst = spanFirst + (horzEnd + 1 - spanFirst - name.size()) / 2;
        putEndingAt(columns, name, nameFirst + name.size() - 1);
        end = horzEnd + 1;
    }
    return {columns, axes};
}

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
    // The pivots' places and the reverse arm are lengths of the design: the
    // line names their unit after the two settings.
    out += "       Reverse Arm " + fixed(m.revArmPos, 7, 3) + "      Step Angle " +
           fixed(m.selectedStep, 7, 3) + "      Lengths in " + unitName(m.lengthUnit) + " (" +
           unitSymbol(m.lengthUnit) + ")\n";
    const auto [columns, axes] = headingLines();
    out += columns;
    out += '\n';
    out += axes;
    out += '\n';

    const Engine& engine = m;
    for (long k = 0;; ++k) {
        const float angle = pivotTableAngle(k, step);
        if (!(angle <= 360.0f)) break;
        const LinkageSolution s = solveLinkage(engine, angle, m.revArmPos);
        appendNumber(out, angle, kAngleWidth, 2);
        for (int r = 1; r <= kPivotDataRows; ++r) {
            out.append(kGapBeforeVert, ' ');
            appendNumber(out, s.pivotY[pivot[r]], vertWidth(r), 3);
            out.append(kGapBeforeHorz, ' ');
            appendNumber(out, s.pivotX[pivot[r]], kHorzWidth, 3);
        }
        out += '\n';
    }
    return out;
}

}  // namespace tevrane
