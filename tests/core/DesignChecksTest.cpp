// The design checks on the default engine and on designs spoiled one way at
// a time: each spoiling gives its own finding, at the right place, and
// nothing else of that kind.
#include "model/DesignChecks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/core/CheckReport.h"

namespace tevrane {
namespace {

struct DesignChecksOfDefaultEngine : ::testing::Test {
    void SetUp() override {
        Model m;
        initModel(m);
        e = m;
        centre = m.revArmCentre();
    }
    DesignCheck check(const Engine& en, double tolerance = kDefaultCutOffTolerance) const {
        return checkDesign(en, centre, defaultNotchTargets(), tolerance);
    }
    Engine e;
    float centre = 0;
};

std::vector<Finding> withCode(const DesignCheck& c, const std::string& code) {
    std::vector<Finding> out;
    std::copy_if(c.findings.begin(), c.findings.end(), std::back_inserter(out),
                 [&](const Finding& f) { return f.code == code; });
    return out;
}

TEST_F(DesignChecksOfDefaultEngine, TheDefaultGearHasNoErrorAndSpoilingItGivesTheFindingAtItsPlace) {
    const DesignCheck good = check(e);
    EXPECT_EQ(good.count(Severity::Error), 0);
    EXPECT_TRUE(withCode(good, kNegativeLead).empty());

    // A front valve half 0.05 longer: the front port is lapped at its dead
    // centre in some settings; the back end keeps its lead.
    Engine late = e;
    late.cyl.valveLenFront += 0.05f;
    const auto leads = withCode(check(late), kNegativeLead);
    ASSERT_FALSE(leads.empty());
    for (const Finding& f : leads) {
        EXPECT_EQ(f.severity, Severity::Warning);
        ASSERT_TRUE(f.end && f.sense && f.setting);
        EXPECT_EQ(*f.end, CylinderEnd::Front);
        const ValveEvents v = valveEvents(late, portDiagramSettings(late, centre, *f.sense)[*f.setting], *f.sense);
        EXPECT_LT(v.front.lead, 0.0);  // the setting named is one that lags
    }
    EXPECT_TRUE(check(late).serious());
}

TEST_F(DesignChecksOfDefaultEngine, AnImpossibleGearAndADieOffTheLinkAreErrors) {
    Engine broken = e;
    broken.reverseArmLength = 0.5f;  // shorter than the reverse arm's travel
    const DesignCheck c = check(broken);
    const auto clamped = withCode(c, kClamped);
    ASSERT_EQ(clamped.size(), 2u);  // one per sense
    EXPECT_EQ(clamped[0].severity, Severity::Error);
    EXPECT_TRUE(c.serious());
    EXPECT_EQ(c.findings.front().severity, Severity::Error);  // errors come first
    // Mid gear closes; the first setting that cannot is named.
    ASSERT_TRUE(clamped[0].setting);
    EXPECT_GT(*clamped[0].setting, 0);
    const float first = portDiagramSettings(broken, centre, *clamped[0].sense)[*clamped[0].setting];
    EXPECT_TRUE(valveEvents(broken, first, *clamped[0].sense).clamped);

    // The link's lower length only places its foot: shortened to just above
    // where the die comes at mid gear, the die runs off it there.
    const ValveEvents mid = valveEvents(e, centre, Sense::Forward);
    ASSERT_LT(mid.die.lowest, 0.0);
    Engine shortLink = e;
    shortLink.linkLowerLength = static_cast<float>(-mid.die.lowest - 0.01);
    const auto off = withCode(check(shortLink), kDieOffLink);
    ASSERT_FALSE(off.empty());
    EXPECT_EQ(off[0].severity, Severity::Error);
    EXPECT_EQ(*off[0].setting, 0);
    EXPECT_TRUE(withCode(check(e), kDieOffLink).empty());
}

TEST_F(DesignChecksOfDefaultEngine, NotchCutOffsFollowTheToleranceAndAWidePortIsANote) {
    const auto strict = withCode(check(e, 0.01), kCutOffUnequal);
    ASSERT_FALSE(strict.empty());
    EXPECT_EQ(strict[0].severity, Severity::Warning);
    EXPECT_NE(strict[0].message.find("notch"), std::string::npos);
    EXPECT_TRUE(withCode(check(e, 100.0), kCutOffUnequal).empty());

    // A front port far wider than the valve ever uncovers.
    Engine wide = e;
    wide.cyl.steamPortFront = 1.0f;
    wide.cyl.valveLenFront += 1.0f - e.cyl.steamPortFront;  // the same lap
    const auto notes = withCode(check(wide), kPortNotFullyOpen);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].severity, Severity::Note);
    EXPECT_EQ(*notes[0].end, CylinderEnd::Front);
    EXPECT_TRUE(withCode(check(e), kPortNotFullyOpen).empty());
}

TEST(CheckReport, LinesAndJsonSayWhereAndNullWhatIsNotThere) {
    DesignCheck c;
    c.findings.push_back({Severity::Warning, kNegativeLead, Sense::Reverse, 3, CylinderEnd::Back, "Lags \"here\"."});
    c.findings.push_back({Severity::Warning, kCutOffUnequal, Sense::Forward, std::nullopt, std::nullopt, "Apart."});
    EXPECT_EQ(findingLine(c.findings[0]), "warning negative-lead (reverse, setting 3, back): Lags \"here\".");
    EXPECT_EQ(findingLine(c.findings[1]), "warning cutoff-unequal (forward): Apart.");
    const std::string json = findingsJson(c);
    EXPECT_NE(json.find("{\"severity\": \"warning\", \"code\": \"negative-lead\", \"sense\": \"reverse\", "
                        "\"setting\": 3, \"end\": \"back\", \"message\": \"Lags \\\"here\\\".\"}"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"setting\": null, \"end\": null"), std::string::npos);
    EXPECT_EQ(findingsJson(DesignCheck{}), "{\"findings\": []}\n");
    EXPECT_TRUE(c.serious());
    c.findings = {{Severity::Note, kPortNotFullyOpen, std::nullopt, std::nullopt, std::nullopt, "x"}};
    EXPECT_FALSE(c.serious());
}

}  // namespace
}  // namespace tevrane

#include <cstdlib>

#include "model/UnitConversion.h"

namespace tevrane {
namespace {

// A finding names the length it quotes in the design's unit: the same lagging
// design in millimetres gives the same findings with its leads 25.4 times
// the inch figures.
TEST_F(DesignChecksOfDefaultEngine, FindingsQuoteLengthsInTheDesignsUnit) {
    Model inches;
    initModel(inches);
    inches.cyl.valveLenFront += 0.05f;
    Model mm = inches;
    convertDesign(mm, LengthUnit::Millimetre);
    const auto a = withCode(checkDesign(inches, inches.revArmCentre(), defaultNotchTargets()), kNegativeLead);
    const auto b = withCode(checkDesign(mm, mm.revArmCentre(), defaultNotchTargets()), kNegativeLead);
    ASSERT_FALSE(a.empty());
    ASSERT_EQ(a.size(), b.size());
    const auto leadIn = [](const std::string& message, const char* unit) {
        const std::size_t at = message.find("lead down to ");
        EXPECT_NE(at, std::string::npos) << message;
        char* end = nullptr;
        const double v = std::strtod(message.c_str() + at + 13, &end);
        EXPECT_EQ(std::string(end).rfind(std::string(" ") + unit, 0), 0u) << message;
        return v;
    };
    for (std::size_t k = 0; k < a.size(); ++k)
        EXPECT_NEAR(leadIn(b[k].message, "mm"), 25.4 * leadIn(a[k].message, "in"), 0.002) << b[k].message;
}

}  // namespace
}  // namespace tevrane
