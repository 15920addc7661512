#include <gtest/gtest.h>

#include <algorithm>

#include "diagrams/core/CardPlot.h"
#include "model/Model.h"
#include "platform/RecordingCanvas.h"
#include "platform/ScaledCanvas.h"

namespace tevrane {
namespace {

class CardPlotOfDefaultEngine : public ::testing::Test {
protected:
    void SetUp() override {
        Model m;
        initModel(m);
        table = performanceTable(m, m.revArmCentre(), defaultNotchTargets(), PerformanceInputs{});
    }
    PerformanceTable table;
};

std::vector<const DrawOp*> polylinesIn(const RecordingCanvas& c, Colour pen) {
    std::vector<const DrawOp*> out;
    for (const DrawOp& op : c.ops())
        if (op.kind == DrawOp::Kind::Polyline && op.pen == pen) out.push_back(&op);
    return out;
}

bool hasText(const RecordingCanvas& c, const std::string& t) {
    return std::any_of(c.ops().begin(), c.ops().end(),
                       [&](const DrawOp& op) { return op.kind == DrawOp::Kind::Text && op.text == t; });
}

TEST_F(CardPlotOfDefaultEngine, FrameMapsTravelAndPressureOntoItsBoxAndReachesAboveThePeak) {
    const SettingPerformance& s = table.notchesForward[0];
    const CardFrame f = cardFrame(s, 60, 112, 470, 390);
    EXPECT_EQ(f.at(0, 0).x, 60);
    EXPECT_EQ(f.at(0, 0).y, 390);
    EXPECT_EQ(f.at(1, f.pressureTop).x, 470);
    EXPECT_EQ(f.at(1, f.pressureTop).y, 112);
    // 114.7 psi absolute in the chest: the axis ends at the next round step.
    const double peak = std::max(s.front.card.peakPressure, s.back.card.peakPressure);
    EXPECT_GE(f.pressureTop, peak);
    EXPECT_LT(f.pressureTop, peak + f.pressureStep + 1e-9);
    const double ticks = f.pressureTop / f.pressureStep;
    EXPECT_NEAR(ticks, std::round(ticks), 1e-9);
    EXPECT_GE(ticks, 3);
    EXPECT_LE(ticks, 8);
}

TEST_F(CardPlotOfDefaultEngine, BothCardsAreClosedCurvesInsideTheirBoxWithTheEventsMarked) {
    RecordingCanvas c;
    drawPerformance(c, table, 0);
    const auto front = polylinesIn(c, colours::blue);
    const auto back = polylinesIn(c, colours::maroon);
    ASSERT_EQ(front.size(), 1u);
    ASSERT_EQ(back.size(), 1u);
    const SettingPerformance& s = table.notchesForward[0];
    const CardFrame f = cardFrame(s, 60, 112, 470, 390);
    for (const DrawOp* card : {front[0], back[0]}) {
        ASSERT_GT(card->points.size(), 10u);
        EXPECT_EQ(card->points.front(), card->points.back());  // closed
        for (const IPoint& p : card->points) {
            EXPECT_GE(p.x, f.left);
            EXPECT_LE(p.x, f.right);
            EXPECT_GE(p.y, f.top);
            EXPECT_LE(p.y, f.bottom);
        }
    }
    // The front card starts its stroke at the front dead centre (left), the
    // back card at the back dead centre (right): both reach both ends.
    const auto xs = [](const DrawOp* op) {
        const auto [lo, hi] = std::minmax_element(op->points.begin(), op->points.end(),
                                                  [](const IPoint& a, const IPoint& b) { return a.x < b.x; });
        return std::pair{lo->x, hi->x};
    };
    EXPECT_EQ(xs(front[0]), (std::pair{f.left, f.right}));
    EXPECT_EQ(xs(back[0]), (std::pair{f.left, f.right}));
    // The chest pressure line: the front card's admission runs at p1 from
    // the dead centre.
    const int chestY = f.at(0, 114.7).y;
    EXPECT_TRUE(std::any_of(front[0]->points.begin(), front[0]->points.end(),
                            [&](const IPoint& p) { return p.x == f.left && p.y == chestY; }));
    // Four events on each card.
    const auto marks = std::count_if(c.ops().begin(), c.ops().end(),
                                     [](const DrawOp& op) { return op.kind == DrawOp::Kind::Ellipse; });
    EXPECT_EQ(marks, 8);
    EXPECT_TRUE(hasText(c, "Pressure, psi absolute"));
    EXPECT_TRUE(hasText(c, "> Fwd 75 %"));
    EXPECT_TRUE(hasText(c, "  Rev 75 %"));
}

TEST_F(CardPlotOfDefaultEngine, NoCardsForAChoiceBeyondTheListAndTheTableStillDrawn) {
    RecordingCanvas c;
    drawPerformance(c, table, notchList(table).size());
    EXPECT_TRUE(polylinesIn(c, colours::blue).empty());
    EXPECT_TRUE(polylinesIn(c, colours::maroon).empty());
    EXPECT_TRUE(hasText(c, "  Fwd full gear"));
    ASSERT_EQ(notchList(table).size(), table.notchesForward.size() + table.notchesReverse.size());
    EXPECT_EQ(notchList(table).back(), &table.notchesReverse.back());
}

// The Indicated Performance window draws its cards through a ScaledCanvas at
// the large font: every place and every letter grows by the font's factors,
// text widths come back in the picture's own pixels (so the layout is the
// one of the normal font), and the letters go back to their size after.
TEST_F(CardPlotOfDefaultEngine, AtTheLargeFontTheWholePictureGrowsByTheFontsFactors) {
    RecordingCanvas normal, large;
    drawPerformance(normal, table, 0);
    {
        ScaledCanvas grown(large, 1.27f, 1.22f);
        EXPECT_EQ(grown.textWidth("Lead"), 4 * RecordingCanvas::kCharWidth);
        drawPerformance(grown, table, 0);
        grown.setTextScale(2.0f, 1.0f);  // a picture's own text scale composes with the factors
        grown.textOut(10, 10, "x");
    }
    ASSERT_EQ(large.ops().size(), normal.ops().size() + 1);
    for (size_t i = 0; i < normal.ops().size(); ++i) {
        const DrawOp& a = normal.ops()[i];
        const DrawOp& b = large.ops()[i];
        ASSERT_EQ(a.kind, b.kind) << i;
        ASSERT_EQ(a.points.size(), b.points.size()) << i;
        for (size_t k = 0; k < a.points.size(); ++k) {
            ASSERT_EQ(b.points[k].x, static_cast<int>(std::lround(a.points[k].x * static_cast<double>(1.27f)))) << i;
            ASSERT_EQ(b.points[k].y, static_cast<int>(std::lround(a.points[k].y * static_cast<double>(1.22f)))) << i;
        }
        if (a.kind == DrawOp::Kind::Text) {
            ASSERT_EQ(a.text, b.text);
            EXPECT_FLOAT_EQ(b.textScaleX, a.textScaleX * 1.27f) << a.text;
            EXPECT_FLOAT_EQ(b.textScaleY, a.textScaleY * 1.22f) << a.text;
        }
        EXPECT_EQ(a.penWidth, b.penWidth) << i;  // pens keep their width
    }
    EXPECT_FLOAT_EQ(large.ops().back().textScaleX, 2.0f * 1.27f);
    EXPECT_EQ(large.ops().back().points[0], (IPoint{13, 12}));
    large.textOut(0, 0, "after");
    EXPECT_EQ(large.ops().back().textScaleX, 1.0f);
    EXPECT_EQ(large.ops().back().textScaleY, 1.0f);
}

}  // namespace
}  // namespace tevrane
