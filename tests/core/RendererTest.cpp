// The frame renderer: what is drawn, where, in which colour and in which order,
// and the per-frame behaviours (cut-off readout, error flash, captions, undo
// button, dynamic-variable bars). Pivots are placed by hand on a grid whose
// screen positions are easy to work out at the start-up view (scale 28,
// offsets 115 and 270), so the expected pixels below follow from that view.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "main/core/Renderer.h"
#include "model/DynVars.h"
#include "model/Format.h"
#include "model/Model.h"
#include "model/Solver.h"
#include "platform/RecordingCanvas.h"

namespace tevrane {
namespace {

using Kind = DrawOp::Kind;
using HostKind = RecordingHost::Call::Kind;

// World grid: pivot i (2..20) at X = 0.75 i, Y = one of -0.5, 0, 0.5. At scale
// 28 that is column 115 + 21 i and row 284, 270 or 256, with no rounding.
float gridY(int i) { return static_cast<float>(i % 3) * 0.5f - 0.5f; }
IPoint gridScreen(int i) {
    if (i <= 1) return {115, 270};
    static const int rows[3] = {284, 270, 256};
    return {115 + 21 * i, rows[i % 3]};
}

class RendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        initModel(m);
        for (int i = 2; i <= 20; ++i) {
            m.pivotX[i] = 0.75f * static_cast<float>(i);
            m.pivotY[i] = gridY(i);
        }
        m.revArmPos = m.pivotX[kReverseArmEnd];
        pivotsToScreen(m);
        for (int i = 0; i < 24; ++i) m.cylinderPoints[i] = {600 + 3 * i, 300 + i};
        for (int i = 0; i < 14; ++i) m.valvePoints[i] = {700 + 5 * i, 250 + 2 * i};
        m.stepAngle = 10.0f;
    }

    void frame() {
        c.reset();
        host.reset();
        runFrame(m, st, c, host, clock);
    }

    std::vector<DrawOp> lines() const { return c.ofKind(Kind::Line); }
    std::vector<DrawOp> ellipses() const { return c.ofKind(Kind::Ellipse); }
    std::vector<DrawOp> texts() const { return c.ofKind(Kind::Text); }

    IPoint textPos(const std::string& t) const {
        const DrawOp* op = c.findText(t);
        EXPECT_NE(op, nullptr) << "text not drawn: \"" << t << "\"";
        return op ? op->points[0] : IPoint{-1, -1};
    }
    bool drawn(const std::string& t) const { return c.findText(t) != nullptr; }

    // Index of the first operation matching pred, or -1.
    template <class Pred>
    int firstOp(Pred pred) const {
        const auto& ops = c.ops();
        for (size_t i = 0; i < ops.size(); ++i)
            if (pred(ops[i])) return static_cast<int>(i);
        return -1;
    }

    Model m;
    RenderState st;
    RecordingCanvas c;
    RecordingHost host;
    FrameClock clock{"05/06/2024", "09:08:07"};
};

void expectLine(const DrawOp& op, IPoint a, IPoint b, Colour pen) {
    ASSERT_EQ(op.kind, Kind::Line);
    EXPECT_EQ(op.points[0], a);
    EXPECT_EQ(op.points[1], b);
    EXPECT_EQ(op.pen, pen);
}

void expectBox(const DrawOp& op, int x1, int y1, int x2, int y2) {
    ASSERT_EQ(op.kind, Kind::Ellipse);
    EXPECT_EQ(op.points[0], (IPoint{x1, y1}));
    EXPECT_EQ(op.points[1], (IPoint{x2, y2}));
}

// ---- structure and order ------------------------------------------------------

TEST_F(RendererTest, LayersAreDrawnInFrameOrder) {
    m.lineType[1] = 0;
    m.lineMode[1] = 0;
    m.lineColour[1] = static_cast<float>(0x123456);
    frame();

    const int wheel = firstOp([](const DrawOp& o) { return o.kind == Kind::Ellipse; });
    const int arc = firstOp([](const DrawOp& o) { return o.kind == Kind::Arc; });
    const int section = firstOp(
        [](const DrawOp& o) { return o.kind == Kind::Polyline && o.pen == colours::grey; });
    const int piston = firstOp(
        [](const DrawOp& o) { return o.kind == Kind::Polyline && o.pen == colours::black; });
    const int crosses = firstOp(
        [](const DrawOp& o) { return o.kind == Kind::Line && o.pen == colours::red; });
    const int links = firstOp(
        [](const DrawOp& o) { return o.kind == Kind::Line && o.pen == colours::lime; });
    const int overlay = firstOp([](const DrawOp& o) { return o.pen == 0x123456u; });
    const int labels = c.indexOfText("Pan Vert");
    const int readings = c.indexOfText("Rev Arm " + fixed(m.revArmPos, 6, 3) + "  ");

    EXPECT_EQ(wheel, 0);  // nothing before the wheel when the steam display is off
    EXPECT_LT(wheel, arc);
    EXPECT_LT(arc, section);
    EXPECT_LT(section, piston);
    EXPECT_LT(piston, crosses);
    EXPECT_LT(crosses, links);
    EXPECT_LT(links, overlay);
    EXPECT_LT(overlay, labels);
    EXPECT_LT(labels, readings);
}

TEST_F(RendererTest, PlainFrameHasOnlyTheMechanism) {
    frame();
    EXPECT_EQ(ellipses().size(), 13u);  // wheel + 12 pivot circles
    EXPECT_EQ(c.ofKind(Kind::Arc).size(), 1u);
    EXPECT_EQ(c.ofKind(Kind::Polyline).size(), 4u);  // outline, passages, piston, valve
    EXPECT_EQ(lines().size(), 2u + 6u + 10u);        // rod and stem, crosses, links
    EXPECT_TRUE(c.ofKind(Kind::Pixel).empty());
    EXPECT_FALSE(host.undoVisible);
    EXPECT_TRUE(host.ofKind(HostKind::DynVarBar).empty());
}

TEST_F(RendererTest, PenWidthFollowsTheLineWidthSetting) {
    m.lineWidth = 2;
    frame();
    for (const DrawOp& op : c.ops()) {
        if (op.kind != Kind::Text) {
            EXPECT_EQ(op.penWidth, 2);
        }
    }
    EXPECT_EQ(c.ops()[0].pen, colours::black);
}

// ---- step 4: wheel, counterweight, pivot circles ------------------------------------

TEST_F(RendererTest, WheelAndCounterweightBoxes) {
    frame();
    // Wheel: radius 3.5 about the origin is 98 pixels.
    expectBox(ellipses()[0], 17, 172, 213, 368);
    // Counterweight box: +-0.35 * 7 = +-2.45, i.e. +-68.6 pixels about (115, 270).
    const DrawOp arc = c.ofKind(Kind::Arc)[0];
    EXPECT_EQ(arc.points[0], (IPoint{46, 201}));
    EXPECT_EQ(arc.points[1], (IPoint{184, 339}));
}

TEST_F(RendererTest, CounterweightRadialsAtZeroDegrees) {
    m.driverAngle = 0;
    frame();
    // D * s = 196; cos(-110) = -0.34202, sin(-110) = -0.93969.
    const DrawOp arc = c.ofKind(Kind::Arc)[0];
    EXPECT_EQ(arc.points[2], (IPoint{48, 86}));   // 115 - 67.04, 270 - 184.18
    EXPECT_EQ(arc.points[3], (IPoint{48, 454}));  // 115 - 67.04, 270 + 184.18
}

TEST_F(RendererTest, CounterweightRadialsAtNinetyDegrees) {
    m.driverAngle = 90;
    frame();
    // Radials at -20 and 200 degrees on the screen.
    const DrawOp arc = c.ofKind(Kind::Arc)[0];
    EXPECT_EQ(arc.points[2], (IPoint{299, 203}));  // 115 + 184.18, 270 - 67.04
    EXPECT_EQ(arc.points[3], (IPoint{-69, 203}));  // 115 - 184.18, 270 - 67.04
}

TEST_F(RendererTest, PivotCirclesHaveTheirRadiiAndCentres) {
    m.revArmPos = 6.0f;  // pivot 18 is moved to the reverse-arm value first
    frame();
    const auto e = ellipses();
    ASSERT_EQ(e.size(), 13u);
    // Pivot 1, radius 0.56 = 15.68 px: 115 -+ 15.68, 270 -+ 15.68.
    expectBox(e[1], 99, 254, 131, 286);
    // Pivot 2 at (1.5, 0.5): radius 0.35 = 9.8 px about (157, 256).
    expectBox(e[2], 147, 246, 167, 266);
    // Pivot 3 at (2.25, -0.5): radius 0.28 = 7.84 px about (178, 284).
    expectBox(e[3], 170, 276, 186, 292);
    // Pivots 4, 5, 7..12: radius 0.14 = 3.92 px about the grid position.
    const int small[] = {4, 5, 7, 8, 9, 10, 11, 12};
    for (int k = 0; k < 8; ++k) {
        const IPoint p = gridScreen(small[k]);
        expectBox(e[4 + k], p.x - 4, p.y - 4, p.x + 4, p.y + 4);
    }
    // Pivot 18 at X = 6.0 (column 283), row of its own Y.
    EXPECT_FLOAT_EQ(m.pivotX[kReverseArmEnd], 6.0f);
    const int row18 = gridScreen(18).y;
    expectBox(e[12], 279, row18 - 4, 287, row18 + 4);
}

TEST_F(RendererTest, PivotsWithoutACircle) {
    frame();
    for (int i : {6, 13, 14, 15, 16, 17}) {
        const IPoint p = gridScreen(i);
        for (const DrawOp& e : ellipses()) {
            const bool centred = (e.points[0].x + e.points[1].x) / 2 == p.x &&
                                 (e.points[0].y + e.points[1].y) / 2 == p.y;
            EXPECT_FALSE(centred) << "pivot " << i << " has a circle";
        }
    }
}

// ---- steps 5 to 8 --------------------------------------------------------------------

TEST_F(RendererTest, SectionPistonAndValve) {
    frame();
    const auto polys = c.ofKind(Kind::Polyline);
    ASSERT_EQ(polys.size(), 4u);
    EXPECT_EQ(polys[0].points, std::vector<IPoint>(m.cylinderPoints, m.cylinderPoints + 14));
    EXPECT_EQ(polys[1].points, std::vector<IPoint>(m.cylinderPoints + 14, m.cylinderPoints + 24));
    EXPECT_EQ(polys[0].pen, colours::grey);
    EXPECT_EQ(polys[1].pen, colours::grey);
    const IPoint* v = m.valvePoints;
    EXPECT_EQ(polys[2].points, (std::vector<IPoint>{v[4], v[1], v[2], v[3], v[4]}));
    EXPECT_EQ(polys[3].points,
              (std::vector<IPoint>{v[13], v[6], v[7], v[8], v[9], v[10], v[11], v[12], v[13]}));
    EXPECT_EQ(polys[2].pen, colours::black);
    EXPECT_EQ(polys[3].pen, colours::black);
    const auto l = lines();
    expectLine(l[0], gridScreen(3), v[0], colours::black);  // piston rod
    expectLine(l[1], gridScreen(4), v[5], colours::black);  // valve stem
}

TEST_F(RendererTest, FixedPivotCrosses) {
    frame();
    const auto l = lines();
    // Pivot 0 at (115, 270), pivot 5 at (220, 256), pivot 12 at (367, 284).
    const IPoint centres[3] = {{115, 270}, {220, 256}, {367, 284}};
    for (int k = 0; k < 3; ++k) {
        const int x = centres[k].x, y = centres[k].y;
        expectLine(l[2 + 2 * k], {x + 5, y + 5}, {x - 6, y - 6}, colours::red);
        expectLine(l[3 + 2 * k], {x + 5, y - 5}, {x - 6, y + 6}, colours::red);
    }
}

// The pivot whose grid position is drawn at p, or -1.
int gridPivotAt(IPoint p) {
    for (int i = 2; i <= 20; ++i)
        if (gridScreen(i) == p) return i;
    return -1;
}

// Each link is a line between two named pivots of the gear, in the order and
// colour the picture gives its member.
TEST_F(RendererTest, LinksInOrderWithTheirColours) {
    frame();
    const auto l = lines();
    ASSERT_EQ(l.size(), 18u);
    struct Member {
        int from, to;
        Colour colour;
    };
    const Member members[9] = {
        {kMainRodLug, kMainRodLugFoot, colours::red},        {kCrosshead, kCrankPin, colours::red},
        {kValveStemJoint, kValveRodPin, colours::lime},      {kValveRodPin, kLinkDie, colours::cyan},
        {kLinkDie, kOscLeverDrivePoint, colours::cyan},      {kOscLeverDrivePoint, kOscLeverDriveFoot, colours::blue},
        {kMainRodLug, kSwingLeverEnd, colours::blue},        {kSwingLeverEnd, kSwingLeverPivot, colours::magenta},
        {kLinkLowerEnd, kReverseArmEnd, colours::blue},
    };
    for (int k = 0; k < 9; ++k)
        expectLine(l[8 + k], gridScreen(members[k].from), gridScreen(members[k].to), members[k].colour);
    // Row 10: level with pivot 18, ending in the driver centre's column.
    expectLine(l[17], gridScreen(kReverseArmEnd), {115, gridScreen(kReverseArmEnd).y}, colours::black);
    // Pivots 14, 16 and 17 are joined by no link.
    for (int k = 8; k < 17; ++k)
        for (const IPoint& p : l[k].points)
            for (int unjoined : {int(kValveLeverTop), 16, 17}) EXPECT_NE(gridPivotAt(p), unjoined) << k;
}

// Every link the picture draws is a rigid member of the gear: on the solved
// default engine its two pivots keep their distance through a whole turn in
// full gear both ways and in mid gear.
TEST_F(RendererTest, EveryLinkJoinsPivotsThatKeepTheirDistance) {
    frame();
    const auto drawn = lines();
    ASSERT_EQ(drawn.size(), 18u);
    std::vector<std::pair<int, int>> links;
    for (int k = 8; k < 17; ++k) {
        const int a = gridPivotAt(drawn[k].points[0]);
        const int b = gridPivotAt(drawn[k].points[1]);
        ASSERT_GE(a, 2) << k;
        ASSERT_GE(b, 2) << k;
        links.emplace_back(a, b);
    }
    initModel(m);
    std::vector<double> length(links.size(), -1.0);
    for (float revArm : {m.revArmCentre(), m.revArmCentre() + m.revArmNormal, m.revArmCentre() - m.revArmNormal}) {
        for (int deg = 0; deg < 360; deg += 15) {
            m.revArmPos = revArm;
            m.driverAngle = static_cast<float>(deg);
            solveAll(m);
            ASSERT_FALSE(m.solverError) << deg;
            for (size_t k = 0; k < links.size(); ++k) {
                const auto [a, b] = links[k];
                const double d = std::hypot(double(m.pivotX[a]) - m.pivotX[b], double(m.pivotY[a]) - m.pivotY[b]);
                EXPECT_GT(d, 0.01) << a << "-" << b;
                if (length[k] < 0) length[k] = d;
                EXPECT_NEAR(d, length[k], 2e-5 * std::max(1.0, length[k]))
                    << "link " << a << "-" << b << " at " << deg << " degrees, reverse arm " << revArm;
            }
        }
    }
}

// ---- step 9: overlay ------------------------------------------------------------------

void setEntry(Model& m, int k, float kind, float colour, float mode, float x1, float y1, float x2,
              float y2, float a = 0, float b = 0) {
    m.lineType[k] = kind;
    m.lineColour[k] = colour;
    m.lineMode[k] = mode;
    m.lineX1[k] = x1;
    m.lineY1[k] = y1;
    m.lineX2[k] = x2;
    m.lineY2[k] = y2;
    m.linePivotA[k] = a;
    m.linePivotB[k] = b;
}

TEST_F(RendererTest, OverlayEveryKindAndMode) {
    // Pivot 5 at (3.75, 0.5), pivot 7 at (5.25, 0) on the grid.
    setEntry(m, 1, 0, 255, 0, 1, 2, 3, -1);                // absolute line
    setEntry(m, 2, 0, 32768, 1, 0.5f, 0.5f, -1, 1, 5);      // both ends on pivot 5
    setEntry(m, 3, 0, 65535, 2, 0.25f, 0, 1, 1, 5);         // first end on pivot 5
    setEntry(m, 4, 0, 16711680, 3, 0, -0.5f, 0.5f, 0, 5, 7);  // pivot 5 to pivot 7
    setEntry(m, 5, 1, 8421504, 0, 2, 1, 0.5f, 0);           // absolute circle, r 0.5
    setEntry(m, 6, 1, 255, 1, 0.25f, 0, 0.25f, 0, 5);       // circle on pivot 5
    setEntry(m, 7, 1, 32768, 2, 1, 1, 1, 1, 5);             // circle, mode 2: nothing
    setEntry(m, 8, 1, 32768, 3, 1, 1, 1, 1, 5, 7);          // circle, mode 3: nothing
    setEntry(m, 9, 2, 32768, 0, 1, 1, 1, 1);                // unknown kind: nothing
    setEntry(m, 10, 0, 0, 0, 0, 0, 0, 0);                   // all zero
    frame();

    const auto l = lines();
    ASSERT_EQ(l.size(), 18u + 5u);
    // (1, 2) -> (3, -1): columns 115 + 28, 115 + 84; rows 270 - 56, 270 + 28.
    expectLine(l[18], {143, 214}, {199, 298}, colours::red);
    // (3.75 + 0.5, 0.5 + 0.5) -> (3.75 - 1, 0.5 + 1).
    expectLine(l[19], {234, 242}, {192, 228}, colours::green);
    // (3.75 + 0.25, 0.5) -> absolute (1, 1).
    expectLine(l[20], {227, 256}, {143, 242}, rgb(255, 255, 0));
    // (3.75, 0.5 - 0.5) -> (5.25 + 0.5, 0 + 0).
    expectLine(l[21], {220, 270}, {276, 270}, colours::blue);
    // The all-zero entry: a zero-length black line at the driver centre.
    expectLine(l[22], {115, 270}, {115, 270}, colours::black);

    const auto e = ellipses();
    ASSERT_EQ(e.size(), 13u + 2u);
    // Centre (2, 1), radius 0.5 = 14 px: box 157..185 x 228..256, then one more
    // pixel at the right and the bottom.
    expectBox(e[13], 157, 228, 186, 257);
    EXPECT_EQ(e[13].pen, colours::grey);
    // Centre (4.0, 0.5), radius 0.25 = 7 px about (227, 256).
    expectBox(e[14], 220, 249, 235, 264);
    EXPECT_EQ(e[14].pen, colours::red);
}

TEST_F(RendererTest, OverlayPivotNumbersAreRoundedAndKeptInsideTheTable) {
    m.pivotX[26] = 1.0f;  // a spare entry, reachable only through clamping
    m.pivotY[26] = 1.0f;
    setEntry(m, 1, 0, 0, 1, 0, 0, 0, 0, 4.6f);   // rounds to pivot 5
    setEntry(m, 2, 0, 0, 1, 0, 0, 0, 0, 300.0f);  // beyond the table: pivot 26
    setEntry(m, 3, 0, 0, 1, 0, 0, 0, 0, -7.0f);   // below it: pivot 0
    setEntry(m, 4, 0, 0, 3, 0, 0, 0, 0, std::numeric_limits<float>::quiet_NaN(),
             1e30f);                               // NaN gives 0, huge gives 26
    frame();
    const auto l = lines();
    ASSERT_EQ(l.size(), 18u + 4u);
    expectLine(l[18], {220, 256}, {220, 256}, colours::black);
    expectLine(l[19], {143, 242}, {143, 242}, colours::black);
    expectLine(l[20], {115, 270}, {115, 270}, colours::black);
    expectLine(l[21], {115, 270}, {143, 242}, colours::black);
}

TEST_F(RendererTest, OverlayColoursAreKeptToTwentyFourBits) {
    setEntry(m, 1, 0, 2.0e7f, 0, 0, 0, 1, 0);
    setEntry(m, 2, 0, -7.0f, 0, 0, 0, 1, 0);
    setEntry(m, 3, 0, 254.6f, 0, 0, 0, 1, 0);
    frame();
    const auto l = lines();
    ASSERT_EQ(l.size(), 18u + 3u);
    EXPECT_EQ(l[18].pen, 0xFFFFFFu);
    EXPECT_EQ(l[19].pen, 0u);
    EXPECT_EQ(l[20].pen, 255u);
}

TEST_F(RendererTest, UnusedEntriesDrawNothingAndKeepThePen) {
    // Entry 3 is the last used one; 4..20 stay unused. The reference point
    // crosses are drawn in the pen the overlay left, so they come out red.
    setEntry(m, 3, 1, 255, 2, 0, 0, 1, 0);  // draws nothing but sets red
    m.refPointsOn = true;
    frame();
    const auto l = lines();
    ASSERT_EQ(l.size(), 18u + 4u);  // only the two reference crosses added
    EXPECT_EQ(ellipses().size(), 13u);
    for (size_t i = 18; i < l.size(); ++i) EXPECT_EQ(l[i].pen, colours::red);
}

TEST_F(RendererTest, LastEntryColourDecidesTheReferenceCrosses) {
    setEntry(m, 20, 1, 65535, 3, 0, 0, 1, 0);  // yellow, draws nothing
    m.refPointsOn = true;
    frame();
    const auto l = lines();
    ASSERT_EQ(l.size(), 22u);
    for (size_t i = 18; i < 22; ++i) EXPECT_EQ(l[i].pen, rgb(255, 255, 0));
}

// ---- step 10: screen-data switch --------------------------------------------------------

TEST_F(RendererTest, ScreenDataOffHidesEveryLayer) {
    m.screenDataOn = false;
    m.undoEnabled = m.dynVarsVisible = m.refPointsOn = m.pivotDataOn = true;
    m.drawLinesPick = true;
    m.solverError = true;
    m.pivotRowActive[1] = 1;
    m.pivotRowPivot[1] = 2;
    st.prevFSt = 0.1f;
    m.frontSteamOpening = -0.1f;
    frame();
    EXPECT_TRUE(texts().empty());
    EXPECT_EQ(lines().size(), 18u);  // no reference crosses
    EXPECT_FALSE(host.undoVisible);
    ASSERT_EQ(host.ofKind(HostKind::UndoButton).size(), 1u);
    EXPECT_TRUE(host.ofKind(HostKind::ErrorItem).empty());
    EXPECT_TRUE(host.ofKind(HostKind::DynVarBar).empty());
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_TRUE(m.solverError);        // the flash does not run
    EXPECT_EQ(st.errorFlashCount, 0);
    EXPECT_TRUE(m.frontCutoffText.empty());
    EXPECT_EQ(st.frontCutoffHold, 0);
}

// At the large font the pivot-data rows reach into the wheel of the usual
// view: they are laid on white, drawn before the figures, over the whole
// block; at the normal font nothing of the gear is covered.
TEST_F(RendererTest, PivotDataLaidOnWhiteOnlyAtTheLargeFont) {
    m.pivotDataOn = m.refPointsOn = true;
    m.pivotRowActive[5] = m.pivotRowActive[6] = 1;
    m.pivotRowPivot[5] = 2;
    m.pivotRowPivot[6] = 3;
    auto whiteLines = [&] {
        std::vector<std::pair<int, DrawOp>> found;
        for (std::size_t i = 0; i < c.ops().size(); ++i)
            if (c.ops()[i].kind == Kind::Line && c.ops()[i].pen == colours::white)
                found.emplace_back(static_cast<int>(i), c.ops()[i]);
        return found;
    };
    frame();
    EXPECT_TRUE(whiteLines().empty());

    m.fontScaleX = 1.27f;
    m.fontScaleY = 1.22f;
    c.reset();
    frame();
    const auto white = whiteLines();
    ASSERT_FALSE(white.empty());
    const int heading = firstOp([](const DrawOp& op) { return op.kind == Kind::Text && op.text == "    Pivot Data"; });
    const DrawOp* distance = nullptr;  // rows 5 and 6 give the lowest figure, the distance of their pivots
    for (const DrawOp& op : c.ops())
        if (op.kind == Kind::Text && op.points[0].x == toInt(90 * 1.27L)) distance = &op;
    ASSERT_NE(distance, nullptr);
    int topRow = INT_MAX, bottomRow = INT_MIN;
    for (const auto& [index, op] : white) {
        EXPECT_LT(index, heading);
        EXPECT_EQ(op.points[0].x, 0);
        EXPECT_GT(op.points[1].x, distance->points[0].x + c.textWidth(distance->text));
        topRow = std::min(topRow, op.points[0].y);
        bottomRow = std::max(bottomRow, op.points[0].y);
    }
    EXPECT_LE(topRow, textPos("    Pivot Data").y);
    EXPECT_GE(bottomRow, toInt(200 * 1.22L) + 10);  // row 6 and the height of its letters
    // Every row of the block is covered, and the pen is the frame's again after.
    EXPECT_EQ(static_cast<int>(white.size()), bottomRow - topRow + 1);
    EXPECT_NE(c.ops()[static_cast<std::size_t>(white.back().first + 1)].pen, colours::white);
}

// ---- readings -----------------------------------------------------------------------------

struct ReadingCase {
    const char* text;
    IPoint normal;
    IPoint large;
};

// A reverse-arm setting in millimetres keeps to its six places, so it stops
// before "Piston %" as an inch setting does; in inches it keeps its three
// decimals.
TEST_F(RendererTest, ReverseArmReadingKeepsToItsFieldInMillimetres) {
    m.revArmPos = 163.576f;
    m.lengthUnit = LengthUnit::Millimetre;
    frame();
    EXPECT_TRUE(drawn("Rev Arm 163.58  "));
    m.revArmPos = 5.24f;
    m.lengthUnit = LengthUnit::Inch;
    frame();
    EXPECT_TRUE(drawn("Rev Arm  5.240  "));
}

TEST_F(RendererTest, ReadingsAtNormalAndLargeFont) {
    m.revArmPos = 5.24f;
    m.driverAngle = 123.456f;
    m.stepAngle = 0.5f;
    m.pistonTrace = 100.0f;  // 15.625 %, lifted over the half by the 0.00001
    m.valveTravel = 0.1234f;
    m.frontSteamOpening = -0.05f;
    m.frontExhaustOpening = 1.5f;
    m.rearSteamOpening = 0.0625f;
    m.rearExhaustOpening = -12.25f;
    m.valveLeverAngle = static_cast<float>(3.14159265358979 / 6.0);  // 30 degrees

    // Large-font positions use the float factors 1.27f (just below 1.27) and
    // 1.22f (just above 1.22): 545 * 1.27f = 692.14999 and 25 * 1.22f = 30.5000007.
    const ReadingCase cases[] = {
        {"Rev Arm  5.240  ", {459, 25}, {583, 31}},
        {"Driv Ang 123.46  ", {459, 39}, {583, 48}},
        {"Step Ang  0.50  ", {459, 53}, {583, 65}},
        {"Piston %  15.63  ", {545, 25}, {692, 31}},
        {"ValveCen  0.123  ", {545, 37}, {692, 45}},
        {"ValveFSt -0.050  ", {545, 49}, {692, 60}},
        {"ValveFEx  1.500  ", {545, 61}, {692, 74}},
        {"ValveRSt  0.062  ", {545, 73}, {692, 89}},
        {"ValveREx-12.250  ", {545, 85}, {692, 104}},
        {"ValvLevA  30.00  ", {545, 97}, {692, 118}},
    };
    frame();
    for (const auto& rc : cases) EXPECT_EQ(textPos(rc.text), rc.normal) << rc.text;
    EXPECT_EQ(textPos("Pan Vert"), (IPoint{199, 25}));
    EXPECT_EQ(textPos("Pan Horz"), (IPoint{199, 39}));
    EXPECT_EQ(textPos("Zoom"), (IPoint{199, 53}));

    m.fontScaleX = 1.27f;
    m.fontScaleY = 1.22f;
    frame();
    for (const auto& rc : cases) EXPECT_EQ(textPos(rc.text), rc.large) << rc.text;
    EXPECT_EQ(textPos("Pan Vert"), (IPoint{253, 31}));
    EXPECT_EQ(textPos("Zoom"), (IPoint{253, 65}));
    for (const DrawOp& t : texts()) {
        EXPECT_EQ(t.font, colours::black);
        EXPECT_FALSE(t.bold);
        // The letters grow by the factors the positions moved by.
        EXPECT_EQ(t.textScaleX, 1.27f) << t.text;
        EXPECT_EQ(t.textScaleY, 1.22f) << t.text;
    }

    m.fontScaleX = 1.0f;
    m.fontScaleY = 1.0f;
    frame();
    for (const DrawOp& t : texts()) {
        EXPECT_EQ(t.textScaleX, 1.0f) << t.text;
        EXPECT_EQ(t.textScaleY, 1.0f) << t.text;
    }
}

// ---- cut-off readout ------------------------------------------------------------------

TEST_F(RendererTest, FrontCutoffIsInterpolatedBetweenFrames) {
    st.prevPistonPos = 100.0f;
    st.prevFSt = 0.1f;
    m.pistonTrace = 120.0f;
    m.frontSteamOpening = -0.1f;
    m.stepAngle = 10.0f;
    frame();
    // The port closed half way: at 110 of 640, i.e. 17.1875 %.
    EXPECT_EQ(m.frontCutoffText, "17.2");
    EXPECT_EQ(textPos("FrontCO% "), (IPoint{545, 109}));
    EXPECT_EQ(textPos("17.2"), (IPoint{600, 109}));
    EXPECT_EQ(st.frontCutoffHold, 40 - 1);  // round(400 / 10.1) = 40, one frame used
    EXPECT_FLOAT_EQ(st.prevPistonPos, 120.0f);
    EXPECT_FLOAT_EQ(st.prevFSt, -0.1f);
    EXPECT_TRUE(m.rearCutoffText.empty());
    EXPECT_EQ(textPos("RearCO% "), (IPoint{545, 121}));
}

TEST_F(RendererTest, RearCutoffCountsFromTheOtherEnd) {
    st.prevPistonPos = 500.0f;
    st.prevRSt = 0.1f;
    m.pistonTrace = 540.0f;
    m.rearSteamOpening = -0.3f;
    frame();
    // Closed a quarter of the way: at 510, i.e. (640 - 510) / 6.4 = 20.3125 %.
    EXPECT_EQ(m.rearCutoffText, "20.3");
    EXPECT_EQ(textPos("20.3"), (IPoint{600, 121}));
    EXPECT_TRUE(m.frontCutoffText.empty());
}

TEST_F(RendererTest, CutoffFigureIsHeldForTheStepDependentCount) {
    struct Case {
        float step;
        int hold;
    };
    // round(400 / (step + 0.1)): 400 / 10.1 = 39.6, 400 / 3.1 = 129.03, 400 / 1.1 = 363.6.
    for (Case k : {Case{10.0f, 40}, Case{3.0f, 129}, Case{1.0f, 364}}) {
        st = RenderState{};
        st.prevPistonPos = 100.0f;
        st.prevFSt = 0.1f;
        m.pistonTrace = 120.0f;
        m.frontSteamOpening = -0.1f;
        m.stepAngle = k.step;
        int shown = 0;
        for (int f = 0; f < k.hold + 5; ++f) {
            frame();
            EXPECT_TRUE(drawn("FrontCO% "));
            if (drawn("17.2")) {
                EXPECT_EQ(shown, f) << "the figure must show on consecutive frames";
                ++shown;
            }
        }
        EXPECT_EQ(shown, k.hold) << "step " << k.step;
        EXPECT_EQ(st.frontCutoffHold, 0);
        EXPECT_EQ(m.frontCutoffText, "17.2");  // the text stays, only hidden
    }
}

TEST_F(RendererTest, NoCutoffLabelsWhenStoppedOrAtLargeSteps) {
    for (float step : {0.0f, 23.0f, 45.0f}) {
        st = RenderState{};
        st.prevFSt = 0.1f;
        st.prevRSt = 0.1f;
        m.frontSteamOpening = -0.1f;
        m.rearSteamOpening = -0.1f;
        m.stepAngle = step;
        frame();
        EXPECT_FALSE(drawn("FrontCO% ")) << step;
        EXPECT_FALSE(drawn("RearCO% ")) << step;
        EXPECT_FALSE(m.frontCutoffText.empty()) << "still computed at step " << step;
    }
    // Just under the limit the labels are back.
    m.stepAngle = 22.9f;
    frame();
    EXPECT_TRUE(drawn("FrontCO% "));
    EXPECT_TRUE(drawn("RearCO% "));
}

TEST_F(RendererTest, NegativeStepShowsLabelsButNoFigure) {
    st.prevFSt = 0.1f;
    m.frontSteamOpening = -0.1f;
    m.stepAngle = -5.0f;  // round(400 / -4.9) is negative: nothing to hold
    frame();
    EXPECT_TRUE(drawn("FrontCO% "));
    EXPECT_LT(st.frontCutoffHold, 0);
    EXPECT_FALSE(drawn(m.frontCutoffText));
}

TEST_F(RendererTest, OpeningOnlyReachingZeroIsNoCutoff) {
    st.prevFSt = 0.1f;
    st.prevRSt = -0.1f;  // rear opening rising: admission, not cut-off
    m.frontSteamOpening = 0.0f;
    m.rearSteamOpening = 0.2f;
    frame();
    EXPECT_TRUE(m.frontCutoffText.empty());
    EXPECT_TRUE(m.rearCutoffText.empty());
    EXPECT_EQ(st.frontCutoffHold, 0);
    EXPECT_EQ(st.rearCutoffHold, 0);
}

// ---- error flash ------------------------------------------------------------------------

TEST_F(RendererTest, ErrorFlashRunsTwentyOneFrames) {
    m.solverError = true;
    for (int f = 1; f <= 22; ++f) {
        frame();
        const auto items = host.ofKind(HostKind::ErrorItem);
        if (f <= 9) {
            ASSERT_EQ(items.size(), 1u) << f;
            EXPECT_TRUE(items[0].flag) << f;
            EXPECT_TRUE(host.sounds.empty()) << f;
        } else if (f == 10) {
            ASSERT_EQ(items.size(), 1u);
            EXPECT_FALSE(items[0].flag);
            EXPECT_EQ(host.sounds, std::vector<std::string>{"Error.wav"});
        } else {
            EXPECT_TRUE(items.empty()) << f;
            EXPECT_TRUE(host.sounds.empty()) << f;
        }
        EXPECT_EQ(m.solverError, f <= 20) << f;
    }
    EXPECT_EQ(st.errorFlashCount, 0);
    EXPECT_FALSE(host.errorItemVisible);
}

// ---- pivot data, draw-lines prompt, reference points ------------------------------------------

TEST_F(RendererTest, PivotDataRowsAndDistances) {
    m.pivotDataOn = true;
    m.pivotX[2] = 1.0f;  // pivots 2 and 3 three-four-five apart
    m.pivotY[2] = 2.0f;
    m.pivotX[3] = 4.0f;
    m.pivotY[3] = 6.0f;
    pivotsToScreen(m);
    m.pivotRowActive[1] = m.pivotRowActive[2] = 1;
    m.pivotRowPivot[1] = 2.0f;
    m.pivotRowPivot[2] = 3.0f;
    m.pivotRowActive[3] = 1;  // row 3 alone: no distance
    m.pivotRowPivot[3] = 99.0f;  // a damaged number stays inside the table
    frame();

    EXPECT_EQ(textPos("    Pivot Data"), (IPoint{1, 128}));
    EXPECT_EQ(textPos("No.  Vert     Horz"), (IPoint{1, 138}));
    // Row numbers in red at (3, 140 + 10 k); the ones beside the pivots come later.
    for (int k = 1; k <= 6; ++k) {
        const DrawOp* op = c.findText(std::to_string(k));
        ASSERT_NE(op, nullptr);
        EXPECT_EQ(op->points[0], (IPoint{3, 140 + 10 * k}));
        EXPECT_EQ(op->font, colours::red);
    }
    EXPECT_EQ(textPos("  2.000"), (IPoint{12, 150}));  // Y of pivot 2
    EXPECT_EQ(textPos("  1.000"), (IPoint{50, 150}));  // X of pivot 2
    EXPECT_EQ(textPos("  6.000"), (IPoint{12, 160}));  // Y of pivot 3
    EXPECT_EQ(textPos("  4.000"), (IPoint{50, 160}));  // X of pivot 3
    EXPECT_EQ(c.findText("  6.000")->font, colours::black);
    // Distance 5 after row 1; none after row 3 (row 4 inactive).
    std::vector<DrawOp> at90;
    for (const DrawOp& t : texts())
        if (t.points[0].x == 90) at90.push_back(t);
    ASSERT_EQ(at90.size(), 1u);
    EXPECT_EQ(at90[0].points[0], (IPoint{90, 155}));
    EXPECT_EQ(at90[0].text, "  5.000");
    // The labels beside the pivots, unscaled: pivot 2 at (143, 214), 3 at (227, 102).
    int besideCount = 0;
    for (const DrawOp& t : texts()) {
        if (t.text == "1" && t.points[0] == IPoint{143 + 4, 214 - 12}) ++besideCount;
        if (t.text == "2" && t.points[0] == IPoint{227 + 4, 102 - 12}) ++besideCount;
        if (t.text == "3" && t.points[0] == IPoint{115 + 4, 270 - 12}) ++besideCount;  // pivot 26
    }
    EXPECT_EQ(besideCount, 3);
}

TEST_F(RendererTest, PivotDataBesideLabelsIgnoreTheFontScale) {
    m.pivotDataOn = true;
    m.pivotRowActive[1] = 1;
    m.pivotRowPivot[1] = 2.0f;  // grid pivot 2 at (157, 256)
    m.fontScaleX = 1.27f;
    m.fontScaleY = 1.22f;
    frame();
    int found = 0;
    for (const DrawOp& t : texts()) {
        if (t.text != "1") continue;
        if (t.points[0] == IPoint{161, 244}) ++found;  // beside the pivot
        if (t.points[0] == IPoint{4, 183}) ++found;    // the row number, scaled
    }
    EXPECT_EQ(found, 2);
}

TEST_F(RendererTest, DrawLinesPromptForOneAndTwoPivots) {
    m.drawLinesPick = true;
    m.drawLinesRefChoice = 1;
    frame();
    for (auto [t, y] : {std::pair{"STOP MOTION AND SELECT PIVOT 1", 130},
                        std::pair{"USE LEFT MOUSE BUTTON", 143},
                        std::pair{"MOVE MOTION IF NECESSARY TO CLEAR PIVOT", 156}}) {
        const DrawOp* op = c.findText(t);
        ASSERT_NE(op, nullptr) << t;
        EXPECT_EQ(op->points[0], (IPoint{10, y}));
        EXPECT_TRUE(op->bold);
        EXPECT_EQ(op->font, colours::red);
    }
    EXPECT_FALSE(drawn("USE LEFT MOUSE BUTTON FIRST THEN RIGHT"));
    // The font is back to black and regular for what follows.
    EXPECT_FALSE(c.findText("FrontCO% ")->bold);
    EXPECT_EQ(c.findText("FrontCO% ")->font, colours::black);

    m.drawLinesRefChoice = 3;
    frame();
    EXPECT_EQ(textPos("STOP MOTION AND SELECT PIVOT 1 AND PIVOT 2"), (IPoint{10, 130}));
    EXPECT_EQ(textPos("USE LEFT MOUSE BUTTON FIRST THEN RIGHT"), (IPoint{10, 143}));
    EXPECT_EQ(textPos("MOVE MOTION IF NECESSARY TO CLEAR PIVOTS"), (IPoint{10, 156}));
    EXPECT_FALSE(drawn("USE LEFT MOUSE BUTTON"));

    m.drawLinesPick = false;
    frame();
    EXPECT_FALSE(drawn("STOP MOTION AND SELECT PIVOT 1 AND PIVOT 2"));
}

TEST_F(RendererTest, ReferencePointsCrossesAndReadouts) {
    m.refPointsOn = true;
    m.pivotX[19] = 3.0f;
    m.pivotY[19] = 4.0f;
    m.pivotX[20] = 0.0f;
    m.pivotY[20] = 0.0f;
    pivotsToScreen(m);  // point 1 at (199, 158), point 2 at (115, 270)
    frame();
    const auto l = lines();
    ASSERT_EQ(l.size(), 22u);
    EXPECT_EQ(l[18].points, (std::vector<IPoint>{{115, 260}, {115, 280}}));
    EXPECT_EQ(l[19].points, (std::vector<IPoint>{{105, 270}, {125, 270}}));
    EXPECT_EQ(l[20].points, (std::vector<IPoint>{{199, 148}, {199, 168}}));
    EXPECT_EQ(l[21].points, (std::vector<IPoint>{{189, 158}, {209, 158}}));
    EXPECT_EQ(textPos("Pt2V  0.000"), (IPoint{143, 95}));
    EXPECT_EQ(textPos("Pt2H  0.000"), (IPoint{143, 107}));
    EXPECT_EQ(textPos("Pt1V  4.000"), (IPoint{143, 71}));
    EXPECT_EQ(textPos("Pt1H  3.000"), (IPoint{143, 83}));
    EXPECT_EQ(textPos("2"), (IPoint{118, 253}));
    EXPECT_EQ(textPos("1"), (IPoint{202, 141}));
    EXPECT_EQ(textPos("Pt1-Pt2"), (IPoint{207, 95}));
    // Differences and the 3-4-5 distance.
    const DrawOp* dy = c.findText(" 4.000");
    const DrawOp* dx = c.findText(" 3.000");
    const DrawOp* dist = c.findText(" 5.000");
    ASSERT_TRUE(dy && dx && dist);
    EXPECT_EQ(dy->points[0], (IPoint{210, 71}));
    EXPECT_EQ(dx->points[0], (IPoint{210, 83}));
    EXPECT_EQ(dist->points[0], (IPoint{209, 107}));

    // With the large font the readouts move, the crosses and labels do not.
    m.fontScaleX = 1.27f;
    m.fontScaleY = 1.22f;
    frame();
    EXPECT_EQ(textPos("Pt1V  4.000"), (IPoint{182, 87}));
    EXPECT_EQ(textPos("1"), (IPoint{202, 141}));
    EXPECT_EQ(lines()[20].points, (std::vector<IPoint>{{199, 148}, {199, 168}}));

    m.refPointsOn = false;
    frame();
    EXPECT_FALSE(drawn("Pt1-Pt2"));
    EXPECT_EQ(lines().size(), 18u);
}

// ---- dynamic variables and the undo line --------------------------------------------------

TEST_F(RendererTest, DynamicVariablesWithEmptySlotsAskForDimensions) {
    m.dynVarsVisible = true;  // initModel leaves every slot empty
    frame();
    const DrawOp* stars = c.findText("*******************************");
    ASSERT_NE(stars, nullptr);
    EXPECT_EQ(stars->points[0], (IPoint{377, 71}));
    EXPECT_EQ(stars->font, colours::red);
    EXPECT_EQ(textPos("* First Select Dimensions *"), (IPoint{377, 81}));
    int starRows = 0;
    for (const DrawOp& t : texts())
        if (t.text == "*******************************") ++starRows;
    EXPECT_EQ(starRows, 2);
    EXPECT_FALSE(drawn(kEmptySlotName));
    const auto bars = host.ofKind(HostKind::DynVarBar);
    ASSERT_EQ(bars.size(), 4u);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(bars[k].value, k + 1);
        EXPECT_FALSE(bars[k].flag);
    }
}

TEST_F(RendererTest, DynamicVariablesShowNamesValuesAndEnableTheirBars) {
    m.dynVarsVisible = true;
    m.dynVarId[1] = 3;
    m.dynVarName[1] = "Main Rod";
    m.dynVarValue[1] = 9.001f;
    m.dynVarId[2] = 2;
    m.dynVarName[2] = "Stroke";
    m.dynVarValue[2] = 3.0f;
    frame();
    EXPECT_EQ(textPos("Main Rod"), (IPoint{377, 71}));
    EXPECT_EQ(textPos(" 9.001"), (IPoint{498, 71}));
    EXPECT_EQ(textPos("Stroke"), (IPoint{377, 83}));
    EXPECT_EQ(textPos(" 3.000"), (IPoint{498, 83}));
    // Empty slots 3 and 4 still show their placeholder name and value.
    std::vector<IPoint> empties;
    for (const DrawOp& t : texts())
        if (t.text == kEmptySlotName) empties.push_back(t.points[0]);
    EXPECT_EQ(empties, (std::vector<IPoint>{{377, 95}, {377, 107}}));
    EXPECT_FALSE(drawn("* First Select Dimensions *"));
    EXPECT_TRUE(host.barEnabled[1]);
    EXPECT_TRUE(host.barEnabled[2]);
    EXPECT_FALSE(host.barEnabled[3]);
    EXPECT_FALSE(host.barEnabled[4]);

    m.dynVarsVisible = false;
    frame();
    EXPECT_FALSE(drawn("Main Rod"));
    EXPECT_TRUE(host.ofKind(HostKind::DynVarBar).empty());
}

TEST_F(RendererTest, UndoLinePositionFollowsTheDynamicVariables) {
    m.undoEnabled = true;
    // Three records, the newest the stroke's change from 3.0 to 3.5.
    m.undoHistory.push(UndoRecord{1, 6.0f, 7.0f, "Driver Diameter"});
    m.undoHistory.push(UndoRecord{3, 9.0f, 9.5f, "Main Rod"});
    m.undoHistory.push(UndoRecord{2, 3.0f, 3.5f, "Stroke"});
    const std::string line = " 3- Stroke  3.500 to  3.000";
    ASSERT_EQ(undoLine(m), line);

    struct Case {
        bool dyn;
        float tx, ty;
        IPoint at;
        int top;
    };
    // Both coordinates use the horizontal factor: 128 * 1.27 = 162.56, 127 * 1.27
    // = 161.29, 73 * 1.27 = 92.71, 72 * 1.27 = 91.44.
    const Case cases[] = {
        {true, 1.0f, 1.0f, {320, 128}, 127},
        {false, 1.0f, 1.0f, {320, 73}, 72},
        {true, 1.27f, 1.22f, {406, 163}, 161},
        {false, 1.27f, 1.22f, {406, 93}, 91},
    };
    for (const Case& k : cases) {
        m.dynVarsVisible = k.dyn;
        m.fontScaleX = k.tx;
        m.fontScaleY = k.ty;
        frame();
        EXPECT_EQ(textPos(line), k.at);
        EXPECT_TRUE(host.undoVisible);
        EXPECT_EQ(host.undoTop, k.top);
    }
    // The undo line comes before every other screen-data text.
    EXPECT_LT(c.indexOfText(line), c.indexOfText("Pan Vert"));

    m.undoEnabled = false;
    frame();
    EXPECT_FALSE(drawn(line));
    EXPECT_FALSE(host.undoVisible);
}

// ---- captions -------------------------------------------------------------------------------

TEST_F(RendererTest, CaptionsCarryFileNameDateAndTime) {
    m.currentFileName = "Engine7";
    frame();
    const std::string tail = "Engine7     05/06/2024   09:08:07   Version 2.6";
    EXPECT_EQ(host.captions[static_cast<int>(CaptionWindow::Main)],
              "Tevrane Outside Admission            " + tail);
    EXPECT_EQ(host.captions[static_cast<int>(CaptionWindow::Sine)],
              "Tevrane Outside Admission      Sine Diagram    " + tail);
    EXPECT_EQ(host.captions[static_cast<int>(CaptionWindow::Oval)],
              "Tevrane Outside Admission      Oval Diagram    " + tail);
    EXPECT_EQ(host.captions[static_cast<int>(CaptionWindow::Steam)],
              "Tevrane Outside Admission      Steam Diagram    " + tail);
    EXPECT_EQ(host.captions[static_cast<int>(CaptionWindow::Ports)],
              "Tevrane Outside Admission      Port Open/Closed    " + tail);
    EXPECT_EQ(host.captions[static_cast<int>(CaptionWindow::DataTable)],
              "Tevrane Outside Admission  Data Table " + tail);
    EXPECT_EQ(host.ofKind(HostKind::Caption).size(), 6u);

    // Every frame rewrites them, with the clock as given; also with no file.
    m.currentFileName.clear();
    clock = {"31/12/1999", "23:59:59"};
    m.screenDataOn = false;
    frame();
    EXPECT_EQ(host.captions[static_cast<int>(CaptionWindow::Main)],
              "Tevrane Outside Admission                 31/12/1999   23:59:59   Version 2.6");
}

// ---- a frame of the solved default engine ------------------------------------------------------

TEST_F(RendererTest, SolvedDefaultEngineDrawsTheMainRodAtItsLength) {
    initModel(m);
    for (float angle : {0.0f, 60.0f, 135.0f, 250.0f}) {
        m.driverAngle = angle;
        solveAll(m);
        frame();
        const auto l = lines();
        ASSERT_EQ(l.size(), 18u);
        // Link 2 is the main rod from the crosshead to the crank pin: 9 units
        // at 28 pixels each, give or take the rounding of both ends.
        const DrawOp rod = l[9];
        const double len = std::hypot(rod.points[1].x - rod.points[0].x,
                                      rod.points[1].y - rod.points[0].y);
        EXPECT_NEAR(len, 9.0 * 28.0, 1.5) << angle;
        // The crank pin lies on the stroke circle: 1.5 units from the centre.
        EXPECT_NEAR(std::hypot(rod.points[1].x - 115.0, rod.points[1].y - 270.0), 42.0, 1.0)
            << angle;
        // Mid gear: the reverse arm end stands above the link pivot.
        EXPECT_EQ(l[16].points[1].x, m.pivotScreenX[kLinkPivot]);
    }
}

}  // namespace
}  // namespace tevrane

namespace tevrane {
namespace {

bool sameOps(const std::vector<DrawOp>& a, const std::vector<DrawOp>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const DrawOp &x = a[i], &y = b[i];
        if (x.kind != y.kind || x.points != y.points || x.text != y.text || x.pen != y.pen ||
            x.penWidth != y.penWidth || x.font != y.font || x.bold != y.bold ||
            x.colour != y.colour)
            return false;
    }
    return true;
}

// The drawing only reads: with every layer on, mid-way through a cut-off hold
// and an error flash, drawing the same frame twice gives the same picture and
// leaves the model and the frame state as they were.
TEST_F(RendererTest, DrawingTwiceGivesTheSamePictureAndChangesNothing) {
    m.dynVarsVisible = m.undoEnabled = m.refPointsOn = m.pivotDataOn = m.steamDisplay = true;
    m.solverError = true;
    m.pivotRowActive[1] = m.pivotRowActive[2] = 1;
    m.pivotRowPivot[1] = 2;
    m.pivotRowPivot[2] = 9;
    st.prevFSt = 0.01f;
    m.frontSteamOpening = -0.01f;
    prepareFrame(m, st, host, clock);
    ASSERT_TRUE(st.frontCutoffShown);

    const Model before = m;
    const RenderState stateBefore = st;
    RecordingCanvas first, second;
    drawMechanism(m, st, first);
    drawMechanism(m, st, second);
    EXPECT_TRUE(sameOps(first.ops(), second.ops()));
    EXPECT_EQ(std::memcmp(static_cast<const Engine*>(&before), static_cast<const Engine*>(&m),
                          sizeof(Engine)),
              0);
    EXPECT_EQ(m.frontCutoffText, before.frontCutoffText);
    EXPECT_EQ(m.solverError, before.solverError);
    EXPECT_EQ(st.frontCutoffHold, stateBefore.frontCutoffHold);
    EXPECT_EQ(st.errorFlashCount, stateBefore.errorFlashCount);
    EXPECT_EQ(st.steam.front.density, stateBefore.steam.front.density);
    EXPECT_FALSE(first.ofKind(Kind::Pixel).empty());
    EXPECT_NE(first.findText(m.frontCutoffText), nullptr);
}

}  // namespace
}  // namespace tevrane
