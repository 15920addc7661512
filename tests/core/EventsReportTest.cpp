// The valve events report of the default design: its CSV against the solver,
// the marking of front/back differences, the reverse-arm positions and the
// notch targets' text.
#include "dialogs/core/EventsForms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "model/Solver.h"

namespace tevrane {
namespace {

std::vector<std::string> split(const std::string& line, char sep) {
    std::vector<std::string> fields;
    std::stringstream s(line);
    for (std::string f; std::getline(s, f, sep);) fields.push_back(f);
    if (!line.empty() && line.back() == sep) fields.emplace_back();
    return fields;
}

struct EventsReportOfDefaultDesign : ::testing::Test {
    void SetUp() override { initModel(m); }
    Model m;
};

TEST_F(EventsReportOfDefaultDesign, CsvHasEveryEndOfEverySettingWithTheSolversValues) {
    const auto targets = defaultNotchTargets();
    const EventsReport r = makeEventsReport(m, EventsSettings::PortDiagram, targets);
    std::stringstream csv(eventsReportCsv(r));
    std::string line;
    std::getline(csv, line);
    const std::vector<std::string> head = split(line, ',');
    const auto col = [&](const char* name) {
        return static_cast<size_t>(std::find(head.begin(), head.end(), name) - head.begin());
    };
    int counts[2][3] = {};  // by sense, by end
    const Engine& e = m;
    while (std::getline(csv, line) && !line.empty()) {
        const auto f = split(line, ',');
        ASSERT_EQ(f.size(), head.size()) << line;
        const int sense = f[col("sense")] == "forward" ? 0 : 1;
        const std::string end = f[col("end")];
        const int endIndex = end == "front" ? 0 : end == "back" ? 1 : 2;
        ++counts[sense][endIndex];
        if (endIndex == 2) continue;
        const bool front = endIndex == 0;
        const float revArm = std::stof(f[col("reverse_arm")]);
        // The lead is the steam port's opening at that end's dead centre (to
        // the solver's single-precision rounding: the table has its own path).
        const GearSolution dead = solveGear(e, front ? 0.0f : 180.0f, revArm);
        EXPECT_NEAR(std::stod(f[col("lead")]), front ? dead.ports.frontSteamOpening : dead.ports.rearSteamOpening,
                    2e-6);
        // At the cut-off the steam port has just closed, and the piston
        // stands at the stated part of that end's stroke (0..640 on the
        // piston scale, the back end counted from 640).
        if (f[col("cut_off_angle")].empty()) continue;
        const GearSolution at = solveGear(e, std::stof(f[col("cut_off_angle")]), revArm);
        EXPECT_NEAR(front ? at.ports.frontSteamOpening : at.ports.rearSteamOpening, 0.0, 1e-5) << line;
        const double percent = front ? at.ports.pistonTrace / 6.4 : (640.0 - at.ports.pistonTrace) / 6.4;
        EXPECT_NEAR(std::stod(f[col("cut_off_percent")]), percent, 1e-3) << line;
    }
    for (auto& sense : counts)
        for (int n : sense) EXPECT_EQ(n, kEventSettings);

    // The difference rows are front minus back of the rows above them.
    const ValveEvents& top = r.rows[kEventSettings - 1].events;
    ASSERT_TRUE(top.front.cutOff && top.back.cutOff);
    EXPECT_DOUBLE_EQ(*top.difference.cutOff, top.front.cutOff->strokePercent - top.back.cutOff->strokePercent);
}

TEST_F(EventsReportOfDefaultDesign, ADifferenceIsMarkedExactlyWhenItExceedsTheTolerance) {
    const EventsReport r = makeEventsReport(m, EventsSettings::PortDiagram, {});
    // Row 18 forward: the cut-offs of front and back differ by some amount d.
    const size_t s = kEventSettings - 1;
    const double d = std::fabs(*r.rows[s].events.difference.cutOff);
    ASSERT_GT(d, 0.0);
    const auto marks = [&](double tolerance) {
        std::vector<int> marked;  // the three rows' cut-off cells
        for (const EventsRow& row : eventsRows(r, tolerance))
            if (row.setting == static_cast<int>(s)) marked.push_back(row.at(EventsColumn::CutOff).overTolerance);
        return marked;
    };
    EXPECT_EQ(marks(d), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(marks(std::nextafter(d, 0.0)), (std::vector<int>{1, 1, 1}));
    EXPECT_FALSE(exceedsTolerance(std::nullopt, 0.0));  // one end without the event: nothing to compare
    EXPECT_TRUE(exceedsTolerance(-2.5, 2.0));

    // In the text a marked difference carries a star and the legend says why.
    const std::string text = eventsReportText(r, std::nextafter(d, 0.0));
    EXPECT_NE(text.find("* front and back differ by more than"), std::string::npos);
    const std::string none = eventsReportText(r, 100.0);
    EXPECT_EQ(none.find('*'), std::string::npos);
}

TEST_F(EventsReportOfDefaultDesign, ReverseArmPositionsRunTheWayTheyDrive) {
    // Before the positions' dialog settles the count, the three set at start
    // (centre, centre + normal, centre - normal) are the ones in use.
    ASSERT_EQ(m.revArmSetCount, 0);
    EXPECT_EQ(revArmPositionsInUse(m), 3);
    const EventsReport r = makeEventsReport(m, EventsSettings::RevArmPositions, {});
    ASSERT_EQ(r.rows.size(), 3u);
    const Sense expected[] = {Sense::Forward, Sense::Forward, Sense::Reverse};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(r.rows[k].number, k + 1);
        EXPECT_EQ(r.rows[k].events.revArm, m.revArmSet[k + 1]);
        EXPECT_EQ(r.rows[k].events.sense, expected[k]);
    }
    EXPECT_NEAR(r.rows[1].travelPercent, 100.0 * m.revArmNormal / m.revArmMax, 1e-4);
    m.revArmSetCount = 2;
    EXPECT_EQ(makeEventsReport(m, EventsSettings::RevArmPositions, {}).rows.size(), 2u);
}

TEST_F(EventsReportOfDefaultDesign, OutOfReachNotchesSayItAndNamesAreQuoted) {
    const std::vector<NotchTarget> targets = {{99.0, false}, {50.0, false}};
    m.currentFileName = "a \"b\", c";
    const EventsReport r = makeEventsReport(m, EventsSettings::PortDiagram, targets);
    const auto rows = notchRows(r);
    ASSERT_EQ(rows.size(), 2u);
    for (int c = 1; c < kNotchColumns; ++c) {
        EXPECT_TRUE(rows[0][c].outOfReach);
        EXPECT_EQ(rows[0][c].text, "out of reach");
        EXPECT_FALSE(rows[1][c].outOfReach);
    }
    EXPECT_NE(eventsReportJson(r, 2.0).find("\"design\": \"a \\\"b\\\", c\""), std::string::npos);
    EXPECT_NE(eventsReportCsv(r).find("\n\"a \"\"b\"\", c\",0,"), std::string::npos);
}

}  // namespace
}  // namespace tevrane

#include "model/UnitConversion.h"

namespace tevrane {
namespace {

// Every length column, the mid-gear lines and the note name the design's
// unit; the numbers of a converted design are the inch ones times 25.4.
TEST_F(EventsReportOfDefaultDesign, LengthsNameTheDesignsUnit) {
    const auto targets = defaultNotchTargets();
    Model mm = m;
    convertDesign(mm, LengthUnit::Millimetre);
    const EventsReport in = makeEventsReport(m, EventsSettings::PortDiagram, targets);
    const EventsReport metric = makeEventsReport(mm, EventsSettings::PortDiagram, targets);
    EXPECT_EQ(eventsColumnUnit(EventsColumn::Lead, metric.unit), "mm");
    EXPECT_EQ(eventsColumnUnit(EventsColumn::Setting, metric.unit), "rev. arm, mm");
    EXPECT_EQ(eventsColumnUnit(EventsColumn::DieLowest, in.unit), "in from link pivot");
    EXPECT_EQ(eventsColumnUnit(EventsColumn::CutOff, metric.unit), "% stroke");
    EXPECT_TRUE(eventsMeasures(metric.unit).ends_with(". Lengths in millimetres (mm).")) << eventsMeasures(metric.unit);
    const std::string tsv = eventsTableTsv(metric, kDefaultEventsTolerance, false);
    const std::string units = tsv.substr(tsv.find('\n') + 1, tsv.find('\n', tsv.find('\n') + 1) - tsv.find('\n') - 1);
    int mmColumns = 0;
    for (std::size_t at = units.find("mm"); at != std::string::npos; at = units.find("mm", at + 2)) ++mmColumns;
    // Setting, lead, max open, over-travel, valve travel and the die's three.
    EXPECT_EQ(mmColumns, 8) << units;
    const auto midIn = midGearRows(in), midMm = midGearRows(metric);
    EXPECT_EQ(midMm[1][0], "Lead (mm)");
    EXPECT_EQ(midIn[1][0], "Lead (in)");
    EXPECT_NEAR(std::stod(midMm[1][1]), 25.4 * std::stod(midIn[1][1]), 2e-3);
    EXPECT_NEAR(metric.revArmCentre, 25.4 * in.revArmCentre, 1e-4);
}

}  // namespace
}  // namespace tevrane
