// The steam display: densities and their bounds, the pixel budgets of the
// slanted passages, the exhaust beats and their volume, the legend, and
// geometry that collapses or runs wild. The default engine is solved at the
// start-up view, so the section has its real shape.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "main/core/Renderer.h"
#include "main/core/SteamDisplay.h"
#include "model/Model.h"
#include "model/Solver.h"
#include "platform/RecordingCanvas.h"
#include "platform/Sound.h"

namespace tevrane {
namespace {

using Kind = DrawOp::Kind;
using HostKind = RecordingHost::Call::Kind;

class SteamDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        initModel(m);
        solveAll(m);
        m.steamDisplay = true;
        m.stepAngle = 0;
    }

    // Both ends lapped; the front in expansion (magenta), the rear in
    // compression (green), so each end's pixels have a colour of their own.
    void lapBothEnds() {
        m.frontSteamOpening = m.frontExhaustOpening = -0.1f;
        m.rearSteamOpening = m.rearExhaustOpening = -0.1f;
        st.front.phase = 'E';
        st.rear.phase = 'C';
    }

    void advance() { advanceSteam(m, st, host, 1234); }

    RecordingCanvas draw() {
        RecordingCanvas c;
        drawSteam(m, st, c);
        return c;
    }

    static long countPixels(const RecordingCanvas& c, Colour colour) {
        const auto px = c.ofKind(Kind::Pixel);
        return std::count_if(px.begin(), px.end(),
                             [&](const DrawOp& o) { return o.colour == colour; });
    }

    Model m;
    SteamState st;
    RecordingHost host;
};

TEST_F(SteamDisplayTest, DensitiesStayWithinTheirBounds) {
    // Wide-open admission at a large step: filled to the top.
    m.stepAngle = 45;
    m.frontSteamOpening = 5.0f;
    advance();
    EXPECT_EQ(st.front.colour, colours::red);
    EXPECT_EQ(st.front.density, kMaxSteamDensity);
    EXPECT_EQ(st.front.pixels, 3027);  // round(2000 * 28 / 18.5)

    // Wide-open exhaust: emptied to the bottom.
    m.frontSteamOpening = -1.0f;
    m.frontExhaustOpening = 5.0f;
    advance();
    EXPECT_EQ(st.front.colour, colours::blue);
    EXPECT_EQ(st.front.density, kMinSteamDensity);
    EXPECT_EQ(st.front.pixels, 38);  // round(25 * 28 / 18.5)

    // Stopped: nothing changes, however wide the ports.
    m.stepAngle = 0;
    m.frontSteamOpening = 1.0f;
    m.frontExhaustOpening = -1.0f;
    advance();
    EXPECT_EQ(st.front.density, kMinSteamDensity);

    // A step that is not a number cannot leave the density outside its bounds.
    m.stepAngle = std::numeric_limits<float>::quiet_NaN();
    advance();
    EXPECT_EQ(st.front.density, kMinSteamDensity);
}

// At the lowest density a scale of 5.5 gives the front 7 pixels (7.43), 5.6
// gives 8 (7.57): the slanted passage takes one pixel per 8, so it draws
// nothing at 7 and one pixel at 8. The front's magenta pixels are the
// end (N), the passage (N div 8) and the port (N div 20).
TEST_F(SteamDisplayTest, SlantedPassageNeedsEightPixels) {
    for (const auto& [scale, n, passage] : {std::tuple{5.5f, 7, 0}, std::tuple{5.6f, 8, 1}}) {
        m.viewScale = scale;
        solveAll(m);
        st = {};
        lapBothEnds();
        advance();
        ASSERT_EQ(st.front.pixels, n);
        ASSERT_LT(m.valvePoints[4].x, m.cylinderPoints[7].x);  // the end's layer draws
        EXPECT_EQ(countPixels(draw(), colours::magenta), n + passage) << "scale " << scale;
    }
}

TEST_F(SteamDisplayTest, BeatVolumeComesFromTheOtherEndsStoredDensity) {
    // Lapped exhausts arm both ends; nothing sounds yet.
    lapBothEnds();
    advance();
    EXPECT_TRUE(host.sounds.empty());

    // The front opens first: the rear has no stored density yet, so the
    // volume stays as it is.
    st.front.density = 700;
    st.rear.density = 1500;
    m.frontExhaustOpening = 0.2f;
    advance();
    EXPECT_EQ(host.sounds, std::vector<std::string>{"Exhaust.wav"});
    EXPECT_TRUE(host.volumes.empty());
    EXPECT_EQ(st.front.beatDensity, 700);

    // Then the rear: its beat is as loud as the front's stored 700 says.
    host.reset();
    m.rearExhaustOpening = 0.2f;
    advance();
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[0].kind, HostKind::Volume);
    EXPECT_EQ(host.calls[1].kind, HostKind::Sound);
    EXPECT_EQ(host.volumes, std::vector<std::uint32_t>{stereoVolume(0x5000, 0x5000)});
    EXPECT_EQ(st.rear.beatDensity, 1500);

    // One beat per opening.
    host.reset();
    advance();
    EXPECT_TRUE(host.calls.empty());

    // A running pointer display does not arm the exhaust.
    m.pointerDim = 101;
    m.frontExhaustOpening = -0.2f;
    advance();
    m.frontExhaustOpening = 0.2f;
    advance();
    EXPECT_TRUE(host.sounds.empty());

    // The table's edges; outside it the volume is left alone.
    EXPECT_EQ(beatVolume(23), std::nullopt);
    EXPECT_EQ(beatVolume(24), 0x0700u);
    EXPECT_EQ(beatVolume(100), 0x0700u);
    EXPECT_EQ(beatVolume(101), 0x1400u);
    EXPECT_EQ(beatVolume(1200), 0x7000u);
    EXPECT_EQ(beatVolume(1201), 0x8000u);
    EXPECT_EQ(beatVolume(2001), 0x8000u);
    EXPECT_EQ(beatVolume(2002), std::nullopt);
}

TEST_F(SteamDisplayTest, LegendOnlyWithScreenDataAndSteamUnderTheMechanism) {
    RenderState rs;
    RecordingCanvas c;
    drawFrame(m, rs, c, host, FrameClock{});
    const IPoint c6 = m.cylinderPoints[6];
    const struct {
        const char* text;
        IPoint at;
        Colour colour;
    } legend[] = {{"ADMISSION", {c6.x - 40, c6.y + 5}, colours::red},
                  {"EXPANSION", {c6.x + 40, c6.y + 5}, colours::magenta},
                  {"EXHAUST", {c6.x - 40, c6.y + 17}, colours::blue},
                  {"COMPRESSION", {c6.x + 24, c6.y + 17}, colours::green}};
    for (const auto& l : legend) {
        const DrawOp* op = c.findText(l.text);
        ASSERT_NE(op, nullptr) << l.text;
        EXPECT_EQ(op->points[0], l.at) << l.text;
        EXPECT_EQ(op->font, l.colour) << l.text;
    }
    EXPECT_EQ(c.findText("Pan Vert")->font, colours::black);  // the colour comes back
    // Every steam pixel comes before the wheel, so the gear is drawn over it.
    const auto& ops = c.ops();
    const auto wheel = std::find_if(ops.begin(), ops.end(),
                                    [](const DrawOp& o) { return o.kind == Kind::Ellipse; });
    EXPECT_TRUE(std::none_of(wheel, ops.end(),
                             [](const DrawOp& o) { return o.kind == Kind::Pixel; }));

    m.screenDataOn = false;
    c.reset();
    drawFrame(m, rs, c, host, FrameClock{});
    EXPECT_GT(c.ofKind(Kind::Pixel).size(), 100u);
    for (const auto& l : legend) EXPECT_EQ(c.findText(l.text), nullptr) << l.text;
}

// A zoom that flattens the slanted passages beeps once, not on every frame,
// and only with the error beep on. Points far outside the picture, a scale
// beyond the zoom's reach and openings that are not numbers draw a bounded
// cloud that stays inside the picture.
TEST_F(SteamDisplayTest, FlatAndWildGeometry) {
    lapBothEnds();
    m.cylinderPoints[17].y = m.cylinderPoints[5].y;
    advance();
    advance();
    EXPECT_EQ(host.beeps, 1);
    EXPECT_GT(countPixels(draw(), colours::magenta), 0);

    st = {};
    host.reset();
    m.errorBeep = false;
    advance();
    EXPECT_EQ(host.beeps, 0);

    m.viewScale = 1e30f;
    m.frontSteamOpening = std::numeric_limits<float>::quiet_NaN();
    m.rearExhaustOpening = std::numeric_limits<float>::infinity();
    for (int i = 0; i < 24; ++i)
        m.cylinderPoints[i] = {i % 2 ? 1'000'000 : -1'000'000, i % 3 ? -1'000'000 : 1'000'000};
    m.valvePoints[6] = {-1'000'000, -1'000'000};
    m.valvePoints[7] = {1'000'000, 1'000'000};
    st.front.density = kMaxSteamDensity;
    advance();
    EXPECT_EQ(st.front.pixels, 324324);  // round(2000 * 3000 / 18.5), the largest zoom's
    const RecordingCanvas c = draw();
    for (const DrawOp& o : c.ofKind(Kind::Pixel)) {
        ASSERT_GE(o.points[0].x, 0);
        ASSERT_LT(o.points[0].x, 1280);
        ASSERT_GE(o.points[0].y, 0);
        ASSERT_LT(o.points[0].y, 1024);
    }
}

}  // namespace
}  // namespace tevrane
