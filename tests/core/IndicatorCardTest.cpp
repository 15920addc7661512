#include <gtest/gtest.h>

#include <cmath>

#include "model/IndicatorCard.h"

using namespace tevrane;

namespace {

// Area enclosed by the outline (shoelace), working stroke out and return
// stroke back: a measure of the card that does not go through the logarithms.
double outlineArea(const std::vector<CardPoint>& o) {
    double twice = 0;
    for (size_t i = 0; i < o.size(); ++i) {
        const CardPoint& a = o[i];
        const CardPoint& b = o[(i + 1) % o.size()];
        twice += a.x * b.p - b.x * a.p;
    }
    // The outline runs clockwise in (x, p) for a card that gives work.
    return -twice / 2;
}

CardEvents events(double admission, double cutOff, double release, double compression) {
    return {admission, cutOff, release, compression};
}

}  // namespace

TEST(IndicatorCard, PositiveLeadMatchesTheClosedFormAndItsOwnOutline) {
    // 100 psi gauge in the chest, exhausting to the atmosphere, 8 % clearance;
    // admission 1 % before the dead centre, compression 20 % before it.
    const CardPressures pr{114.7, 14.7, 0.08};
    const IndicatorCard card = indicatorCard(events(-0.01, 0.75, 0.92, -0.20), pr, 1e-4);
    ASSERT_EQ(card.issue, CardIssue::None);
    const double closed = textbookMeanEffectivePressure(114.7, 14.7, 0.08, 0.75, 0.92, 0.20, 0.01);
    EXPECT_NEAR(card.meanEffectivePressure, closed, 1e-9);
    // The drawn card encloses the same area (chords under a convex curve
    // overestimate it by a hair at this step).
    EXPECT_NEAR(outlineArea(card.outline), card.meanEffectivePressure, 1e-4);
    // Worked out by hand: 86.025 + 17.7388 + 1.176 - 11.76 - 4.6716 - 1.147.
    EXPECT_NEAR(card.meanEffectivePressure, 87.3612, 2e-4);
    EXPECT_FALSE(card.admissionAfterDeadCentre);
    // p at the admission point: 14.7 * 0.28 / 0.09 = 45.7, below the chest.
    EXPECT_FALSE(card.compressionAboveChest);
    EXPECT_DOUBLE_EQ(card.peakPressure, 114.7);
}

TEST(IndicatorCard, ZeroClearanceAndNoCompressionByHand) {
    // Admission and compression at the dead centre, cut-off at half stroke,
    // release at the end: p1 / 2 + p1 / 2 ln 2 - pb.
    const IndicatorCard card = indicatorCard(events(0, 0.5, 1.0, 0), {100, 20, 0});
    ASSERT_EQ(card.issue, CardIssue::None);
    EXPECT_NEAR(card.meanEffectivePressure, 50 + 50 * std::log(2.0) - 20, 1e-12);
    EXPECT_NEAR(outlineArea(card.outline), card.meanEffectivePressure, 0.05);
}

TEST(IndicatorCard, OddShapesAreFlaggedAndStillClosed) {
    const CardPressures pr{114.7, 14.7, 0.08};
    // Admission 2 % after the dead centre: the compressed steam re-expands
    // first, so the card gives less work than with admission at the centre.
    const IndicatorCard late = indicatorCard(events(0.02, 0.75, 0.92, -0.20), pr, 1e-4);
    const IndicatorCard atCentre = indicatorCard(events(0, 0.75, 0.92, -0.20), pr, 1e-4);
    ASSERT_EQ(late.issue, CardIssue::None);
    EXPECT_TRUE(late.admissionAfterDeadCentre);
    EXPECT_LT(late.meanEffectivePressure, atCentre.meanEffectivePressure);
    EXPECT_NEAR(outlineArea(late.outline), late.meanEffectivePressure, 1e-4);
    // Re-expansion and the lost admission, by hand: the compression curve's
    // work between 0 and 0.02 and the chest pressure over the same 2 %.
    const double K = 14.7 * 0.28;
    EXPECT_NEAR(atCentre.meanEffectivePressure - late.meanEffectivePressure,
                114.7 * 0.02 - K * std::log(0.10 / 0.08), 1e-9);

    // Early compression overshoots the chest pressure: 14.7 * 0.78 / 0.08.
    const IndicatorCard loop = indicatorCard(events(0.0, 0.2, 0.25, -0.7), pr, 1e-4);
    EXPECT_TRUE(loop.compressionAboveChest);
    EXPECT_NEAR(loop.peakPressure, 14.7 * 0.78 / 0.08, 1e-9);
    EXPECT_NEAR(outlineArea(loop.outline), loop.meanEffectivePressure, 1e-3);
}

TEST(IndicatorCard, NoCardWithoutEveryEventOrWithBadInput) {
    CardEvents noCutOff = events(-0.01, 0.75, 0.92, -0.2);
    noCutOff.cutOff.reset();
    const IndicatorCard missing = indicatorCard(noCutOff, {114.7, 14.7, 0.08});
    EXPECT_EQ(missing.issue, CardIssue::MissingEvent);
    EXPECT_TRUE(missing.outline.empty());

    EXPECT_EQ(indicatorCard(events(-0.01, 0.75, 0.92, -0.2), {NAN, 14.7, 0.08}).issue,
              CardIssue::BadInput);
    EXPECT_EQ(indicatorCard(events(-0.01, 0.75, 0.92, -0.2), {114.7, 0, 0.08}).issue,
              CardIssue::BadInput);
    // No clearance and compression up to the dead centre: unbounded pressure.
    EXPECT_EQ(indicatorCard(events(0.0, 0.75, 0.92, -0.2), {114.7, 14.7, 0}).issue,
              CardIssue::BadInput);
}

TEST(IndicatedPower, ImperialAndMetricByHand) {
    // 50 psi, bore 1.5 in, stroke 3 in, 300 rpm, two cylinders:
    // 50 * 1.767146 in^2 * 3 in = 265.072 in lbf a stroke, 1200 strokes a
    // minute, / 12 / 33000 = 0.80325 hp.
    EXPECT_NEAR(indicatedPower({50, 1.5, 3, 300, 2, PowerUnits::Imperial}), 0.80325, 1e-5);
    // 1 bar on a 100 mm bore over 100 mm is 78.54 J a stroke; 60 rpm, one
    // cylinder, two strokes a second: 0.15708 kW.
    EXPECT_NEAR(indicatedPower({1, 100, 100, 60, 1, PowerUnits::Metric}), 0.15708, 1e-5);
}

TEST(IndicatedPower, RevolutionsFromRoadSpeed) {
    // 60 mph is 63,360 in a minute; a 12 in driver turns that / (12 pi).
    EXPECT_NEAR(revolutionsFromSpeed(60, 12, PowerUnits::Imperial), 63360 / (12 * M_PI), 1e-9);
    // 36 km/h is 600,000 mm a minute; a 1000 mm driver: 190.99 rpm.
    EXPECT_NEAR(revolutionsFromSpeed(36, 1000, PowerUnits::Metric), 190.986, 1e-3);
    EXPECT_EQ(revolutionsFromSpeed(60, 0, PowerUnits::Imperial), 0);
}
