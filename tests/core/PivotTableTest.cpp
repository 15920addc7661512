// The pivot data table's text: how many rows a step gives, the header lines,
// a row against the solver worked at its angle, the ten-character cut, and the
// table before any pivot has been picked.
#include "dialogs/core/PivotTable.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "model/Format.h"
#include "model/Solver.h"

namespace tevrane {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

Model started() {
    Model m;
    initModel(m);
    return m;
}

// A row's columns: the angle (7), then per pivot "   ", Vert (7 for the
// first pivot, 9 for the others), "  ", Horz (7).
std::size_t column(int k) { return k == 1 ? 7 : 26 + 21 * static_cast<std::size_t>(k - 2); }
std::string vert(const std::string& row, int k) { return row.substr(column(k) + 3, k == 1 ? 7 : 9); }
std::string horz(const std::string& row, int k) { return row.substr(column(k) + (k == 1 ? 12 : 14), 7); }

std::vector<std::string> table(const Model& m) { return lines(pivotTableText(m, "07/12/2026", "10:00:00")); }

TEST(PivotTable, OneRowPerStepFromZeroWhileNotPast360) {
    Model m = started();
    struct Case {
        float step;
        std::size_t rows;
        const char* lastAngle;
    };
    // 7 does not divide 360: 364 is past it, so 357 is the last row. The
    // finest steps end on 360.00 too: each row's angle is its own multiple
    // of the step, not a sum that drifts.
    for (const Case& c : {Case{10, 37, " 360.00"}, Case{7, 52, " 357.00"}, Case{45, 9, " 360.00"},
                          Case{0.1f, 3601, " 360.00"}, Case{0.01f, 36001, " 360.00"}}) {
        m.selectedStep = c.step;
        const std::vector<std::string> t = table(m);
        ASSERT_EQ(t.size(), 4 + c.rows) << c.step;
        EXPECT_EQ(t[4].substr(0, 7), "   0.00") << c.step;
        EXPECT_EQ(t.back().substr(0, 7), c.lastAngle) << c.step;
    }
    EXPECT_EQ(table(m)[4 + 12345].substr(0, 7), " 123.45");

    // A step below the setting's smallest, or none at all, still ends.
    for (float bad : {0.0f, -5.0f, std::nanf("")}) {
        m.selectedStep = bad;
        EXPECT_EQ(table(m).size(), 4u + 36001u);
    }
}

TEST(PivotTable, HeaderLines) {
    Model m = started();
    m.dimensionSetName = "Long Travel";
    m.selectedStep = 0.5f;
    const std::vector<std::string> t = table(m);
    EXPECT_EQ(t[0], "Pivot Data   Long Travel     07/12/2026   10:00:00");
    EXPECT_EQ(t[1], "       Reverse Arm   5.240      Step Angle   0.500      Lengths in inches (in)");
    EXPECT_EQ(t[2].substr(0, 8), "  Driver");
    EXPECT_EQ(t[3].substr(0, 7), "  Angle");
}

// In the fixed-width face every heading stands over its own numbers: "Vert"
// and "Horz" end in the last column of their numbers, "No.k" lies over its
// pivot's two columns and no heading runs past the rows.
TEST(PivotTable, HeadingsStandOverTheirColumns) {
    Model m = started();
    m.selectedStep = 90;
    const float picked[] = {2, 3, 4, 7, 9, 11};
    for (int k = 1; k <= 6; ++k) m.pivotRowPivot[k] = picked[k - 1];
    const std::vector<std::string> t = table(m);
    const std::string& names = t[2];
    const std::string& axes = t[3];
    const std::string& row = t[4];
    EXPECT_LE(names.size(), row.size());
    EXPECT_LE(axes.size(), row.size());
    std::size_t from = 0;
    for (int k = 1; k <= 6; ++k) {
        const std::size_t vertEnd = column(k) + 3 + (k == 1 ? 7 : 9) - 1;
        const std::size_t horzEnd = vertEnd + 2 + 7;
        EXPECT_EQ(axes.substr(vertEnd - 3, 4), "Vert") << k;
        EXPECT_EQ(axes.substr(horzEnd - 3, 4), "Horz") << k;
        // The numbers end in the same columns.
        EXPECT_NE(row[vertEnd], ' ') << k;
        EXPECT_EQ(vert(row, k).back(), row[vertEnd]) << k;
        EXPECT_EQ(horz(row, k).back(), row[horzEnd]) << k;
        const std::size_t name = names.find("No." + std::to_string(k), from);
        ASSERT_NE(name, std::string::npos) << k;
        EXPECT_GE(name, vertEnd - 3) << k;
        EXPECT_LE(name + 4, horzEnd + 1) << k;
        from = name + 4;
    }
}

TEST(PivotTable, RowHoldsTheSolvedPivotsOfItsAngle) {
    Model m = started();
    m.revArmPos = m.revArmCentre() + 0.8f;  // a working gear, not mid gear
    m.pivotX[kRefPoint1] = 2.5f;
    m.pivotY[kRefPoint1] = -1.25f;
    // Stored as floats and rounded halves to even: 2.5 is pivot 2, 3.5 pivot 4.
    const float picked[] = {0, 2.5f, 3.5f, 7, 18, 19, 12.2f};
    const int shown[] = {0, 2, 4, 7, 18, 19, 12};
    for (int k = 1; k <= kPivotDataRows; ++k) {
        m.pivotRowActive[k] = 1;
        m.pivotRowPivot[k] = picked[k];
    }
    const std::vector<std::string> t = table(m);
    for (int row : {0, 4, 13, 36}) {
        const float angle = 10.0f * row;
        const GearSolution s = solveGear(m, angle, m.revArmPos);
        std::string expected = fixed10(angle, 7, 2);
        for (int k = 1; k <= kPivotDataRows; ++k)
            expected += "   " + fixed10(s.linkage.pivotY[shown[k]], k == 1 ? 7 : 9, 3) + "  " +
                        fixed10(s.linkage.pivotX[shown[k]], 7, 3);
        EXPECT_EQ(t[4 + row], expected) << angle;
    }
    // The columns by hand: at 90 degrees the crank pin stands half a stroke
    // below the axle, pivot 18 stands at the reverse-arm setting, and the
    // reference point where it was put.
    const std::string& at90 = t[4 + 9];
    EXPECT_EQ(vert(at90, 1), " -1.500");
    EXPECT_EQ(horz(at90, 4), "  6.040");
    EXPECT_EQ(vert(at90, 5), "   -1.250");
    EXPECT_EQ(horz(at90, 5), "  2.500");
}

TEST(PivotTable, NumbersAreCutToTenCharacters) {
    Model m = started();
    m.selectedStep = 45;
    m.pivotX[kRefPoint2] = -1234567.5f;
    m.pivotY[kRefPoint2] = 98765432.0f;
    m.pivotRowPivot[1] = kRefPoint2;
    const std::vector<std::string> t = table(m);
    // "98765432.000" and "-1234567.500" lose their last two characters.
    EXPECT_EQ(t[4].substr(0, 32), "   0.00   98765432.0  -1234567.5");
}

TEST(PivotTable, UnpickedRowsShowPivotZero) {
    Model m = started();
    const std::string origin = "   " + fixed(0, 7, 3) + "  " + fixed(0, 7, 3);
    const std::string wide = "   " + fixed(0, 9, 3) + "  " + fixed(0, 7, 3);
    std::string zeros = origin;
    for (int k = 2; k <= kPivotDataRows; ++k) zeros += wide;
    const std::vector<std::string> t = table(m);
    ASSERT_EQ(t.size(), 41u);
    for (std::size_t r = 4; r < t.size(); ++r) EXPECT_EQ(t[r].substr(7), zeros) << r;
}

}  // namespace
}  // namespace tevrane
