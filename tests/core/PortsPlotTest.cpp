// The port events diagram: event detection on made-up openings, the
// interpolation and pixel mapping of a crossing, the normal-travel line, and
// whole passes of the default engine drawn on a recording canvas.
#include "diagrams/core/PortsPlot.h"

#include <gtest/gtest.h>

#include <cstring>

#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <vector>

#include "diagrams/core/DiagramPanel.h"
#include "diagrams/core/SteamPlot.h"
#include "model/DynVars.h"
#include "model/Format.h"
#include "model/Model.h"
#include "platform/RecordingCanvas.h"

namespace tevrane {
namespace {

PortSample frontSteam(double piston, double opening) {
    PortSample s;
    s.piston = piston;
    s.frontSteam = opening;
    // The other edges stay lapped so they report nothing.
    s.frontExhaust = s.rearSteam = s.rearExhaust = -1.0;
    return s;
}

// Every event found along a sequence of samples, in order.
std::vector<std::pair<PortEvent, double>> eventsAlong(const std::vector<PortSample>& samples) {
    std::vector<std::pair<PortEvent, double>> out;
    for (size_t j = 1; j < samples.size(); ++j) {
        const PortEvents ev = detectPortEvents(samples[j - 1], samples[j]);
        for (int k = 0; k < kPortEventCount; ++k)
            if (ev[static_cast<size_t>(k)]) out.emplace_back(static_cast<PortEvent>(k), *ev[static_cast<size_t>(k)]);
    }
    return out;
}

TEST(PortEvents, OpeningReachingExactlyZeroFromBelowIsARisingEvent) {
    const auto ev = eventsAlong({frontSteam(100, -0.2), frontSteam(120, 0.0), frontSteam(140, 0.1)});
    ASSERT_EQ(ev.size(), 1u);
    EXPECT_EQ(ev[0].first, PortEvent::FrontAdmission);
    // The opening is 0 at the second sample, so the crossing is right there.
    EXPECT_DOUBLE_EQ(ev[0].second, 120.0);
}

TEST(PortEvents, OpeningTouchingZeroFromAboveIsAFallingEventOnly) {
    const auto ev = eventsAlong({frontSteam(100, 0.1), frontSteam(120, 0.0), frontSteam(140, 0.1)});
    ASSERT_EQ(ev.size(), 1u);
    EXPECT_EQ(ev[0].first, PortEvent::FrontCutOff);
    EXPECT_DOUBLE_EQ(ev[0].second, 120.0);
}

TEST(PortEvents, EachEdgeReportsItsOwnKindInTestOrder) {
    PortSample before, after;
    before.piston = 0;
    after.piston = 64;
    before.frontSteam = -1;  after.frontSteam = 1;     // opens
    before.frontExhaust = 1; after.frontExhaust = -1;  // closes
    before.rearSteam = 1;    after.rearSteam = -3;     // closes
    before.rearExhaust = -1; after.rearExhaust = 3;    // opens
    const PortEvents ev = detectPortEvents(before, after);
    EXPECT_TRUE(ev[static_cast<size_t>(PortEvent::FrontAdmission)]);
    EXPECT_FALSE(ev[static_cast<size_t>(PortEvent::FrontRelease)]);
    EXPECT_FALSE(ev[static_cast<size_t>(PortEvent::RearAdmission)]);
    EXPECT_TRUE(ev[static_cast<size_t>(PortEvent::RearRelease)]);
    EXPECT_FALSE(ev[static_cast<size_t>(PortEvent::FrontCutOff)]);
    EXPECT_TRUE(ev[static_cast<size_t>(PortEvent::FrontCompression)]);
    EXPECT_TRUE(ev[static_cast<size_t>(PortEvent::RearCutOff)]);
    EXPECT_FALSE(ev[static_cast<size_t>(PortEvent::RearCompression)]);
    // Symmetric swings cross half-way, lopsided ones a quarter of the way.
    EXPECT_DOUBLE_EQ(*ev[static_cast<size_t>(PortEvent::FrontAdmission)], 32.0);
    EXPECT_DOUBLE_EQ(*ev[static_cast<size_t>(PortEvent::RearCutOff)], 16.0);
    EXPECT_DOUBLE_EQ(*ev[static_cast<size_t>(PortEvent::RearRelease)], 16.0);
}

TEST(PortEvents, OpeningsThatStayOnOneSideOrAreNotNumbersGiveNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(eventsAlong({frontSteam(0, -0.3), frontSteam(10, -0.1), frontSteam(20, -0.0001)}).empty());
    EXPECT_TRUE(eventsAlong({frontSteam(0, 0.3), frontSteam(10, 0.1), frontSteam(20, 0.2)}).empty());
    EXPECT_TRUE(eventsAlong({frontSteam(0, nan), frontSteam(10, 0.1), frontSteam(20, nan)}).empty());
    // Zero after zero is neither opening nor closing.
    EXPECT_TRUE(eventsAlong({frontSteam(0, 0.0), frontSteam(10, 0.0)}).empty());
}

TEST(PortEvents, CrossingIsInterpolatedLinearlyAndNeverNaN) {
    // From -0.1 at 100 to 0.3 at 120 the opening is 0 a quarter of the way.
    EXPECT_DOUBLE_EQ(crossingPosition(100, 120, -0.1, 0.3), 105.0);
    // Moving backwards along the stroke works the same way.
    EXPECT_DOUBLE_EQ(crossingPosition(400, 300, 0.2, -0.2), 350.0);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_DOUBLE_EQ(crossingPosition(100, 120, 0.5, 0.5), 120.0);
    EXPECT_TRUE(std::isfinite(crossingPosition(100, 120, -inf, inf)));
    EXPECT_TRUE(std::isfinite(crossingPosition(100, 120, -1e308, 1e308)));
    EXPECT_TRUE(std::isfinite(crossingPosition(inf, 120, -1, 1)));
    EXPECT_DOUBLE_EQ(crossingPosition(100, inf, -1, 1), 0.0);
}

TEST(PortEvents, PixelMappingOfTheTwoPortSides) {
    // Front events grow from the left edge (x 9), rear ones from the right (x 549).
    EXPECT_EQ(eventPixelX(PortEvent::FrontAdmission, 0), 9);
    EXPECT_EQ(eventPixelX(PortEvent::FrontCutOff, 640), 549);
    EXPECT_EQ(eventPixelX(PortEvent::RearAdmission, 0), 549);
    EXPECT_EQ(eventPixelX(PortEvent::RearCompression, 640), 9);
    EXPECT_EQ(eventPixelX(PortEvent::FrontRelease, 320), 279);
    EXPECT_EQ(eventPixelX(PortEvent::RearRelease, 320), 279);
    // 16 units are 13.5 pixels: halves go to the even pixel on both sides.
    EXPECT_EQ(eventPixelX(PortEvent::FrontCompression, 16), 14 + 9);
    EXPECT_EQ(eventPixelX(PortEvent::RearCutOff, 16), 526 + 9);
    EXPECT_EQ(eventPixelX(PortEvent::FrontAdmission, 48), 40 + 9);  // 40.5
    EXPECT_EQ(eventPixelX(PortEvent::RearAdmission, 48), 500 + 9);  // 499.5
}

TEST(PortEvents, TrailJoinsRowToRowAndALoneEventDrawsNothing) {
    PortEventTrail trail;
    EXPECT_FALSE(trail.add(PortEvent::FrontCutOff, 4, 100));
    EXPECT_FALSE(trail.add(PortEvent::RearCutOff, 5, 400));  // another kind starts its own line
    const auto s = trail.add(PortEvent::FrontCutOff, 5, 120);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->from, (IPoint{100, 343 - 16 * 4}));
    EXPECT_EQ(s->to, (IPoint{120, 343 - 16 * 5}));
    const auto t = trail.add(PortEvent::FrontCutOff, 6, 130);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->from, s->to);
}

class PortsPlotTest : public ::testing::Test {
protected:
    void SetUp() override { initModel(m); }

    static std::vector<DrawOp> linesIn(const RecordingCanvas& c, Colour pen) {
        std::vector<DrawOp> out;
        for (const auto& op : c.ops())
            if (op.kind == DrawOp::Kind::Line && op.pen == pen) out.push_back(op);
        return out;
    }
    static int countText(const RecordingCanvas& c, const std::string& t) {
        int n = 0;
        for (const auto& op : c.ops())
            if (op.kind == DrawOp::Kind::Text && op.text == t) ++n;
        return n;
    }
    static bool hasTextAt(const RecordingCanvas& c, const std::string& t, int x, int y) {
        for (const auto& op : c.ops())
            if (op.kind == DrawOp::Kind::Text && op.text == t && op.points[0] == IPoint{x, y}) return true;
        return false;
    }

    // Event lines of one colour: each spans one row downwards-up, stays on the
    // grid, and continues from where a line of the same kind ended, so in each
    // colour at most as many chains start as there are kinds of that colour.
    static void expectJoinedChains(const std::vector<DrawOp>& lines, int kinds) {
        std::multiset<std::pair<int, int>> ends;
        for (const auto& l : lines) ends.insert({l.points[1].x, l.points[1].y});
        int starts = 0;
        for (const auto& l : lines) {
            const IPoint a = l.points[0], b = l.points[1];
            EXPECT_EQ(a.y - b.y, 16);
            EXPECT_EQ((343 - b.y) % 16, 0);
            EXPECT_GE(b.y, 55);
            EXPECT_LE(a.y, 343);
            EXPECT_GE(std::min(a.x, b.x), 9);
            EXPECT_LE(std::max(a.x, b.x), 549);
            if (ends.find({a.x, a.y}) == ends.end()) ++starts;
        }
        EXPECT_LE(starts, kinds);
    }

    Model m;
};

TEST_F(PortsPlotTest, NormalTravelLineHeight) {
    // 343 - 288 * 1.0 / 1.2 = 103.
    EXPECT_EQ(normalTravelY(m), 103);
    RecordingCanvas c;
    drawPortsFrame(m, c, false);
    const auto blue = linesIn(c, colours::blue);
    ASSERT_EQ(blue.size(), 1u);
    EXPECT_EQ(blue[0].points[0], (IPoint{59, 103}));
    EXPECT_EQ(blue[0].points[1], (IPoint{650, 103}));
    const DrawOp* normal = c.findText("Normal");
    ASSERT_NE(normal, nullptr);
    EXPECT_EQ(normal->points[0], (IPoint{345, 96}));
    EXPECT_EQ(normal->font, colours::blue);

    // Normal travel equal to the maximum puts the line on the top row.
    m.revArmMax = m.revArmNormal = 0.7f;
    EXPECT_EQ(normalTravelY(m), 55);
    EXPECT_EQ(normalTravelY(m), portRowY(18));
    m.revArmNormal = 0.35f;
    EXPECT_EQ(normalTravelY(m), 199);
    // No travel at all is no division by zero.
    m.revArmMax = m.revArmNormal = 0.0f;
    EXPECT_EQ(normalTravelY(m), 55);
}

TEST_F(PortsPlotTest, FrameHasAxesGridAndLegendOfItsOwnGraph) {
    RecordingCanvas c;
    drawPortsFrame(m, c, false);
    const auto black = linesIn(c, colours::black);
    // Three axes and ten bands of 19 short ticks, 9 tall ticks and 21 dashes.
    EXPECT_EQ(black.size(), 3u + 10u * (19u + 9u + 21u));
    EXPECT_TRUE(hasTextAt(c, "Fwd.", 415, 290));
    EXPECT_EQ(c.findText("Front Port")->font, colours::teal);
    EXPECT_EQ(c.findText("Rear Port")->font, colours::red);
    EXPECT_EQ(c.findText("Maximum")->font, colours::red);
    EXPECT_EQ(c.findText("Rev."), nullptr);
    // REVERSE ARM POSITION, one letter per line, the I's two pixels right.
    EXPECT_EQ(countText(c, "I"), 2);
    EXPECT_TRUE(hasTextAt(c, "I", 537, 266));
    EXPECT_TRUE(hasTextAt(c, "N", 535, 322));
    EXPECT_TRUE(hasTextAt(c, "100", 529, 350));

    RecordingCanvas r;
    drawPortsFrame(m, r, true);
    EXPECT_TRUE(hasTextAt(r, "Rev.", 415, 321));
    EXPECT_EQ(r.findText("Front Port")->font, colours::green);
    EXPECT_EQ(r.findText("Rear Port")->font, colours::maroon);
}

TEST_F(PortsPlotTest, ForwardPassOfTheDefaultEngine) {
    m.driverAngle = 123.5f;
    m.revArmPos = 5.5f;
    m.portGraphMode = 'F';
    RecordingCanvas c;
    drawPorts(m, c, true, advanceUndoLine(m));

    EXPECT_EQ(m.driverAngle, 123.5f);
    EXPECT_EQ(m.revArmPos, 5.5f);
    ASSERT_FALSE(c.ops().empty());
    EXPECT_EQ(c.ops().front().kind, DrawOp::Kind::Clear);

    // Rows from mid gear (5.240) out to the maximum travel (6.440) in 19 steps.
    EXPECT_TRUE(hasTextAt(c, "  5.240", 556, 336));
    EXPECT_TRUE(hasTextAt(c, "  5.840", 556, 336 - 16 * 9));
    EXPECT_TRUE(hasTextAt(c, "  6.440", 556, 48));
    EXPECT_TRUE(hasTextAt(c, "Forward", 554, 32));

    const auto teal = linesIn(c, colours::teal);
    const auto red = linesIn(c, colours::red);
    EXPECT_FALSE(teal.empty());
    EXPECT_FALSE(red.empty());
    expectJoinedChains(teal, 4);
    expectJoinedChains(red, 4);
    EXPECT_TRUE(linesIn(c, colours::green).empty());
    EXPECT_TRUE(linesIn(c, colours::maroon).empty());

    // The annotation's texts, once each, in bold.
    for (const char* t : {"Exp", "Exh", "Com", "Adm"}) {
        EXPECT_EQ(countText(c, t), 1) << t;
        if (const DrawOp* op = c.findText(t)) {
            EXPECT_TRUE(op->bold) << t;
        }
    }
}

TEST_F(PortsPlotTest, EveryFrontAndRearEventAppearsOnEveryRowOfTheDefaultEngine) {
    // The default valve opens and closes each edge once per turn at every
    // setting, so each of the eight kinds draws one line per row after the first.
    RecordingCanvas c;
    drawPortsPass(m, c, 'F', false, advanceUndoLine(m));
    EXPECT_EQ(linesIn(c, colours::teal).size(), 4u * 18u);
    EXPECT_EQ(linesIn(c, colours::red).size(), 4u * 18u);
}

TEST_F(PortsPlotTest, BothGraphsAddTheReverseGraphWithoutClearingAndAnnotateOnce) {
    m.portGraphMode = 'B';
    const float angle = m.driverAngle, arm = m.revArmPos;
    RecordingCanvas c;
    drawPorts(m, c, false, advanceUndoLine(m));

    EXPECT_EQ(m.portGraphMode, 'B');
    EXPECT_EQ(m.driverAngle, angle);
    EXPECT_EQ(m.revArmPos, arm);
    EXPECT_EQ(c.ofKind(DrawOp::Kind::Clear).size(), 1u);
    EXPECT_EQ(c.ops().front().kind, DrawOp::Kind::Clear);

    // Forward column at x 556, reverse column from 5.240 down to 4.040 at x 596.
    EXPECT_TRUE(hasTextAt(c, "  6.440", 556, 48));
    EXPECT_TRUE(hasTextAt(c, "  5.240", 596, 336));
    EXPECT_TRUE(hasTextAt(c, "  4.040", 596, 48));
    EXPECT_TRUE(hasTextAt(c, "Rev.", 605, 32));
    EXPECT_TRUE(hasTextAt(c, "Rev.", 415, 321));
    EXPECT_TRUE(hasTextAt(c, "Fwd.", 415, 290));

    const auto green = linesIn(c, colours::green);
    const auto maroon = linesIn(c, colours::maroon);
    EXPECT_FALSE(green.empty());
    EXPECT_FALSE(maroon.empty());
    expectJoinedChains(green, 4);
    expectJoinedChains(maroon, 4);
    for (const char* t : {"Exp", "Exh", "Com", "Adm"}) EXPECT_EQ(countText(c, t), 1) << t;
    // The annotation belongs to the forward graph: it comes before any reverse line.
    int firstReverse = -1;
    for (size_t i = 0; i < c.ops().size() && firstReverse < 0; ++i)
        if (c.ops()[i].kind == DrawOp::Kind::Line && c.ops()[i].pen == colours::green)
            firstReverse = static_cast<int>(i);
    ASSERT_GE(firstReverse, 0);
    EXPECT_LT(c.indexOfText("Adm"), firstReverse);
}

TEST_F(PortsPlotTest, ReverseRowsStepDownFromTheCentre) {
    RecordingCanvas rev;
    drawPortsPass(m, rev, 'R', false, advanceUndoLine(m));
    // Row i stands at centre - i * 1.2 / 18, labelled at x 596.
    for (int i = 0; i <= 18; ++i) {
        const float pos = static_cast<float>(5.24L - i * 1.2L / 18);
        EXPECT_TRUE(hasTextAt(rev, fixed(pos, 7, 3), 596, 336 - 16 * i)) << "row " << i;
    }
    EXPECT_EQ(rev.findText("Forward"), nullptr);
    EXPECT_TRUE(linesIn(rev, colours::teal).empty());
}

TEST_F(PortsPlotTest, PanelAndUndoLineEndThePass) {
    m.dynVarsVisible = true;
    m.undoEnabled = true;
    m.portGraphMode = 'F';
    RecordingCanvas c;
    const DiagramControls ctl = drawPorts(m, c, true, advanceUndoLine(m));
    EXPECT_TRUE(ctl.barsVisible);
    EXPECT_TRUE(ctl.undoVisible);
    // No slot bound yet: the notice in red after the sweep.
    const DrawOp* notice = c.findText("* First Select Dimensions *");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->font, colours::red);
    EXPECT_GT(c.indexOfText("* First Select Dimensions *"), c.indexOfText("  6.440"));
    for (int k = 1; k <= 4; ++k) EXPECT_FALSE(ctl.barEnabled[static_cast<size_t>(k)]);
    EXPECT_EQ(m.undoText, " 0-   0.000 to  0.000." + std::string(46, ' '));
}

TEST_F(PortsPlotTest, BothGraphsDrawTheSecondPassFromTheFirstPassLine) {
    m.dynVarsVisible = true;
    m.undoEnabled = true;
    m.portGraphMode = 'B';
    const UndoLines lines{"earlier line", "newer line"};
    RecordingCanvas c;
    drawPorts(m, c, true, lines);
    // The forward pass writes over the earlier line with the newer one; the
    // reverse pass finds the newer one there and writes it again.
    EXPECT_EQ(countText(c, "earlier line"), 1);
    EXPECT_EQ(countText(c, "newer line"), 3);
    EXPECT_LT(c.indexOfText("earlier line"), c.indexOfText("newer line"));
    // Drawing only reads: the model's own undo text is not touched.
    EXPECT_NE(m.undoText, "newer line");

    // The same model and lines draw the same picture again.
    RecordingCanvas again;
    drawPorts(m, again, true, lines);
    ASSERT_EQ(again.ops().size(), c.ops().size());
    for (size_t i = 0; i < c.ops().size(); ++i) {
        EXPECT_EQ(again.ops()[i].kind, c.ops()[i].kind) << i;
        EXPECT_EQ(again.ops()[i].text, c.ops()[i].text) << i;
        EXPECT_EQ(again.ops()[i].points, c.ops()[i].points) << i;
        EXPECT_EQ(again.ops()[i].pen, c.ops()[i].pen) << i;
    }
}

}  // namespace
}  // namespace tevrane

namespace tevrane {
namespace {

// A sweep solves on its own copy: the live pivots, motion and results stay as
// the tick left them, and a clamp met at the diagram's own settings does not
// raise the main window's error flag (that setting was never on its screen).
TEST(PortsSweep, LeavesTheLiveModelAlone) {
    Model m;
    initModel(m);
    solveAll(m);
    m.reverseArmLength = 0.9f;  // the outer rows cannot close the reverse arm
    m.portGraphMode = 'B';
    const Model before = m;
    RecordingCanvas c;
    drawPorts(m, c, true, advanceUndoLine(m));
    EXPECT_EQ(std::memcmp(static_cast<const Engine*>(&before), static_cast<const Engine*>(&m),
                          sizeof(Engine)),
              0);
    EXPECT_EQ(std::memcmp(static_cast<const SolverResults*>(&before),
                          static_cast<const SolverResults*>(&m), sizeof(SolverResults)),
              0);
    EXPECT_EQ(m.driverAngle, before.driverAngle);
    EXPECT_EQ(m.revArmPos, before.revArmPos);
    EXPECT_FALSE(m.solverError);
    EXPECT_TRUE(solveGear(m, 0.0f, m.revArmCentre() + m.revArmMax).clamps() > 0);
}

}  // namespace
}  // namespace tevrane

namespace tevrane {
namespace {

// However the rows were shared out between the cores, each sample is the
// solve of its own setting, and the both-graphs sweep equals two single ones.
TEST(PortsSweep, RowsSharedOutGiveTheSerialSamples) {
    Model m;
    initModel(m);
    const PortSweep fwd = sweepPorts(m, m.revArmCentre(), false);
    const std::array<PortSweep, 2> both = sweepPortsBoth(m, m.revArmCentre());
    for (int i : {0, 9, 10, 18}) {
        const float arm = static_cast<float>(m.revArmCentre() + i * static_cast<long double>(m.revArmMax) / 18.0L);
        EXPECT_EQ(fwd.revArm[i], arm);
        for (int j : {0, 44, 89, 90}) {
            // Forward rows start one step past 0; the last sample is back at 4.
            const float angle = static_cast<float>(4 * (j + 1) > 360 ? 4 * (j + 1) - 360 : 4 * (j + 1));
            const PortSample s = samplePorts(solveGear(m, angle, arm));
            EXPECT_EQ(fwd.samples[i][j].piston, s.piston) << i << " " << j;
            EXPECT_EQ(fwd.samples[i][j].frontSteam, s.frontSteam) << i << " " << j;
            EXPECT_EQ(both[0].samples[i][j].rearExhaust, fwd.samples[i][j].rearExhaust);
        }
    }
    EXPECT_EQ(both[1].revArm[18], sweepPorts(m, m.revArmCentre(), true).revArm[18]);
    EXPECT_LT(both[1].revArm[18], m.revArmCentre());
}

}  // namespace
}  // namespace tevrane

namespace tevrane {
namespace {

// Boxes of drawing operations, texts 13 rows tall times their factor
// (blanks at either end write nothing).
struct OpBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    long shared(const OpBox& o) const {
        const long w = std::min(right, o.right) - std::max(left, o.left);
        const long h = std::min(bottom, o.bottom) - std::max(top, o.top);
        return w > 0 && h > 0 ? w * h : 0;
    }
};
OpBox boxOf(const DrawOp& op) {
    if (op.kind == DrawOp::Kind::Text) {
        const std::size_t first = op.text.find_first_not_of(' ');
        const std::size_t last = op.text.find_last_not_of(' ');
        if (first == std::string::npos) return {};
        return {op.points[0].x + static_cast<int>(std::lround(6.0 * static_cast<double>(first) * op.textScaleX)),
                op.points[0].y,
                op.points[0].x + static_cast<int>(std::lround(6.0 * static_cast<double>(last + 1) * op.textScaleX)),
                op.points[0].y + static_cast<int>(std::lround(13.0 * op.textScaleY))};
    }
    if (op.points.empty()) return {};
    OpBox b{1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
    for (const IPoint& q : op.points) {
        b.left = std::min(b.left, q.x);
        b.top = std::min(b.top, q.y);
        b.right = std::max(b.right, q.x + 1);
        b.bottom = std::max(b.bottom, q.y + 1);
    }
    return b;
}

// Pixels the panel (what a pass draws after its plot: the operations beyond
// those of the same pass with the panel off) shares with the plot.
template <class Draw>
long panelOverPlot(const Model& m, Draw draw, long* overMaximum = nullptr) {
    Model bare = m, full = m;
    bare.dynVarsVisible = false;
    bare.undoEnabled = false;
    RecordingCanvas plotOnly, whole;
    draw(bare, plotOnly);
    draw(full, whole);
    const std::size_t split = plotOnly.ops().size();
    long n = 0;
    if (overMaximum) *overMaximum = 0;
    for (std::size_t i = split; i < whole.ops().size(); ++i)
        for (std::size_t j = 0; j < split; ++j) {
            const long s = boxOf(whole.ops()[i]).shared(boxOf(whole.ops()[j]));
            n += s;
            if (overMaximum && whole.ops()[j].kind == DrawOp::Kind::Text && whole.ops()[j].text == "Maximum")
                *overMaximum += s;
        }
    return n;
}

// At the large font the panel band (four dynamic-variable rows, the undo
// line and its wiped cell) is taller and wider; the plots go down below it,
// so the panel covers no more of a plot than at the normal font: the steam
// diagram's undo cell wipes no more of its curves, and the port diagram's
// fourth row and undo line stay off "Maximum".
TEST(DiagramPanelBand, PlotsStayBelowThePanelAtTheLargeFont) {
    Model m;
    initModel(m);
    m.revArmSetCount = 3;
    m.dynVarsVisible = true;
    m.undoEnabled = true;
    for (int k = 1; k <= 4; ++k) m.dynVarName[k] = "Valve Rod Length        ";
    recordUndo(m, UndoRecord{16, m.valveRodLength, m.valveRodLength, "Valve Rod Length"});
    auto ports = [](Model& mm, Canvas& c) { drawPorts(mm, c, true, advanceUndoLine(mm)); };
    auto steam = [](Model& mm, Canvas& c) { drawSteamDiagram(mm, c, advanceUndoLine(mm)); };
    long maximumNormal = 0, maximumLarge = 0;
    const long portsNormal = panelOverPlot(m, ports, &maximumNormal);
    const long steamNormal = panelOverPlot(m, steam);
    EXPECT_EQ(diagramShift(m), 0);
    EXPECT_EQ(portsDiagramShift(m), 0);
    EXPECT_EQ(maximumNormal, 0);
    m.fontScaleX = 1.27f;
    m.fontScaleY = 1.22f;
    EXPECT_EQ(diagramShift(m), 15);       // 68 rows become 83
    EXPECT_EQ(portsDiagramShift(m), 36);  // "Maximum" from row 47 to 83
    EXPECT_LE(panelOverPlot(m, steam), steamNormal);
    EXPECT_LE(panelOverPlot(m, ports, &maximumLarge), portsNormal);
    EXPECT_EQ(maximumLarge, 0);
}

}  // namespace
}  // namespace tevrane
