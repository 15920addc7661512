// A diagram whose sweep cannot close the gear somewhere says at how many of
// its settings or positions: counted from the sweep's own solves, checked
// here against the solver at every sample of each setting, for a design
// whose reverse arm is too short for the outer settings.
#include <gtest/gtest.h>

#include "diagrams/core/DiagramPanel.h"
#include "diagrams/core/OvalPlot.h"
#include "diagrams/core/PortsPlot.h"
#include "diagrams/core/SinePlot.h"
#include "diagrams/core/SteamPlot.h"
#include "diagrams/core/TravelPlot.h"
#include "model/Solver.h"
#include "platform/RecordingCanvas.h"

namespace tevrane {
namespace {

struct ClampedDiagrams : ::testing::Test {
    void SetUp() override {
        initModel(m);
        // Too short to close the gear far from mid gear, closing near it.
        m.reverseArmLength = 0.9f;
        const float centre = m.revArmCentre();
        const float positions[] = {centre, centre + 0.2f * m.revArmMax, centre + m.revArmMax, centre - m.revArmMax};
        m.revArmSetCount = 4;
        for (int k = 1; k <= 4; ++k) m.revArmSet[k] = positions[k - 1];
    }
    // Whether the solver mends the linkage at any of these angles.
    bool anyClamp(float revArm, std::initializer_list<float> angles) const {
        for (float a : angles)
            if (solveGear(m, a, revArm).clamps() > 0) return true;
        return false;
    }
    Model m;
};

TEST_F(ClampedDiagrams, ThePortDiagramCountsTheSettingsWhereTheGearCannotClose) {
    int expected[2] = {0, 0};
    for (int graph = 0; graph < 2; ++graph)
        for (int i = 0; i < kPortRows; ++i) {
            const long double travel = i * static_cast<long double>(m.revArmMax) / 18.0L;
            const auto arm = static_cast<float>(graph ? m.revArmCentre() - travel : m.revArmCentre() + travel);
            bool clamped = false;
            // The diagram's 91 samples, 4 degrees apart either way round.
            for (int j = 1; j <= kPortSamples && !clamped; ++j) {
                const int a = (4 * j) % 360;
                clamped = anyClamp(arm, {static_cast<float>(graph ? (360 - a) % 360 : a)});
            }
            expected[graph] += clamped;
        }
    ASSERT_GT(expected[0], 0);
    ASSERT_LT(expected[0], kPortRows);  // a real mix: some settings close

    RecordingCanvas c;
    m.portGraphMode = 'F';
    const DiagramControls forward = drawPorts(m, c, true);
    EXPECT_EQ(forward.clamps.clamped, expected[0]);
    EXPECT_EQ(forward.clamps.of, kPortRows);
    EXPECT_FALSE(forward.clamps.positions);
    m.portGraphMode = 'B';
    const DiagramControls both = drawPorts(m, c, true);
    EXPECT_EQ(both.clamps.clamped, expected[0] + expected[1]);
    EXPECT_EQ(both.clamps.of, 2 * kPortRows);
    EXPECT_EQ(clampedRows(sweepPorts(m, m.revArmCentre(), true)), expected[1]);

    const std::string text = clampNoticeText(both.clamps);
    EXPECT_NE(text.find("cannot close at " + std::to_string(expected[0] + expected[1]) + " of 38 settings"),
              std::string::npos)
        << text;
}

TEST_F(ClampedDiagrams, TheOtherDiagramsCountTheirPositions) {
    // Mid gear and 20 % of the travel close; both full gears do not.
    ASSERT_FALSE(anyClamp(m.revArmSet[1], {0, 90, 180, 270}));
    ASSERT_TRUE(anyClamp(m.revArmSet[3], {0, 45, 90, 135, 180, 225, 270, 315}));
    int expected = 0;
    for (int k = 1; k <= 4; ++k) {
        const TravelSweep oval = sweepTravel(m, m.revArmSet[k], m.revArmCentre(), ovalAngles());
        bool clamped = false;
        for (float a : ovalAngles()) clamped = clamped || solveLinkage(m, a, m.revArmSet[k]).clamps > 0;
        EXPECT_EQ(oval.clamped, clamped) << k;
        expected += clamped;
    }
    ASSERT_GE(expected, 2);
    ASSERT_LT(expected, 4);

    RecordingCanvas c;
    const DiagramControls oval = drawOval(m, c);
    EXPECT_EQ(oval.clamps.clamped, expected);
    EXPECT_EQ(oval.clamps.of, 4);
    EXPECT_TRUE(oval.clamps.positions);
    const DiagramControls sine = drawSine(m, c);
    EXPECT_GE(sine.clamps.clamped, 2);  // its own angles: at least the full gears
    EXPECT_LT(sine.clamps.clamped, 4);
    const DiagramControls steam = drawSteamDiagram(m, c);
    EXPECT_EQ(steam.clamps.clamped, clampedPositions(sweepSteam(m, m.revArmCentre(), steamPositions(m))));
    EXPECT_GE(steam.clamps.clamped, 2);
    EXPECT_LT(steam.clamps.clamped, 4);
    EXPECT_NE(clampNoticeText(steam.clamps).find("of 4 positions"), std::string::npos);
}

TEST(DiagramClamps, AGearThatClosesEverywhereShowsNoNotice) {
    Model m;
    initModel(m);
    m.portGraphMode = 'B';
    RecordingCanvas c;
    EXPECT_EQ(drawPorts(m, c, true).clamps.clamped, 0);
    EXPECT_EQ(drawOval(m, c).clamps.clamped, 0);
    EXPECT_EQ(clampNoticeText(drawPorts(m, c, true).clamps), "");
    EXPECT_EQ(clampNoticeText({1, 1, true}).find("1 of 1 position:"), 25u);
}

}  // namespace
}  // namespace tevrane
