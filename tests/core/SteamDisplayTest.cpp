// The steam display on the default engine solved at the start-up view:
// density bounds, the slanted passages' pixel budget, the exhaust beats and
// their volume, the legend, and geometry that collapses or runs wild.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "main/core/Renderer.h"
#include "model/Solver.h"
#include "platform/RecordingCanvas.h"
#include "platform/Sound.h"

namespace tevrane {
namespace {

class SteamDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        initModel(m);
        solveAll(m);
        m.steamDisplay = true;
        m.stepAngle = 0;
    }
    // Both ends lapped: the front in expansion (magenta), the rear in
    // compression (green).
    void lapBothEnds() {
        m.frontSteamOpening = m.frontExhaustOpening = m.rearSteamOpening = m.rearExhaustOpening = -0.1f;
        st.front.phase = 'E';
        st.rear.phase = 'C';
    }
    void advance() { advanceSteam(m, st, host, 1234); }
    std::vector<DrawOp> pixels(Colour colour) {
        RecordingCanvas c;
        drawSteam(m, st, c);
        std::vector<DrawOp> out;
        for (const DrawOp& o : c.ofKind(DrawOp::Kind::Pixel))
            if (o.colour == colour) out.push_back(o);
        return out;
    }

    Model m;
    SteamState st;
    RecordingHost host;
};

TEST_F(SteamDisplayTest, DensitiesStayWithinTheirBounds) {
    m.stepAngle = 45;
    m.frontSteamOpening = 5.0f;  // wide-open admission
    advance();
    EXPECT_EQ(st.front.colour, colours::red);
    EXPECT_EQ(st.front.density, kMaxSteamDensity);
    EXPECT_EQ(st.front.pixels, 3027);  // round(2000 * 28 / 18.5)
    m.frontSteamOpening = -1.0f;
    m.frontExhaustOpening = 5.0f;  // wide-open exhaust
    advance();
    EXPECT_EQ(st.front.colour, colours::blue);
    EXPECT_EQ(st.front.density, kMinSteamDensity);
    EXPECT_EQ(st.front.pixels, 38);  // round(25 * 28 / 18.5)
    m.stepAngle = std::numeric_limits<float>::quiet_NaN();
    m.frontSteamOpening = 1.0f;
    advance();
    EXPECT_EQ(st.front.density, kMinSteamDensity);
}

// At the lowest density a scale of 5.5 gives the front 7 pixels, 5.6 gives 8;
// its magenta pixels are the end (N), the passage (N div 8), the port (N div 20).
TEST_F(SteamDisplayTest, SlantedPassageNeedsEightPixels) {
    for (const auto& [scale, n, passage] : {std::tuple{5.5f, 7, 0}, std::tuple{5.6f, 8, 1}}) {
        m.viewScale = scale;
        solveAll(m);
        st = {};
        lapBothEnds();
        advance();
        ASSERT_EQ(st.front.pixels, n);
        ASSERT_LT(m.valvePoints[4].x, m.cylinderPoints[7].x);  // the end's layer draws
        EXPECT_EQ(pixels(colours::magenta).size(), static_cast<size_t>(n + passage)) << scale;
    }
}

TEST_F(SteamDisplayTest, BeatVolumeComesFromTheOtherEndsStoredDensity) {
    lapBothEnds();
    advance();  // arms both ends
    st.front.density = 700;
    st.rear.density = 1500;
    m.frontExhaustOpening = 0.2f;
    advance();  // the rear has no stored density yet: the volume stays
    EXPECT_EQ(host.sounds, std::vector<std::string>{"Exhaust.wav"});
    EXPECT_TRUE(host.volumes.empty());
    host.reset();
    m.rearExhaustOpening = 0.2f;
    advance();  // as loud as the front's stored 700 says, set before the beat
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[0].kind, RecordingHost::Call::Kind::Volume);
    EXPECT_EQ(host.sounds, std::vector<std::string>{"Exhaust.wav"});
    EXPECT_EQ(host.volumes, std::vector<std::uint32_t>{stereoVolume(0x5000, 0x5000)});
    EXPECT_EQ(st.rear.beatDensity, 1500);
    host.reset();
    advance();  // one beat per opening
    m.pointerDim = 101;  // a running pointer display does not arm
    m.frontExhaustOpening = -0.2f;
    advance();
    m.frontExhaustOpening = 0.2f;
    advance();
    EXPECT_TRUE(host.calls.empty());

    for (const auto& [w, v] : {std::pair{24, 0x0700}, {100, 0x0700}, {101, 0x1400},
                               {1200, 0x7000}, {1201, 0x8000}, {2001, 0x8000}})
        EXPECT_EQ(beatVolume(w), static_cast<std::uint32_t>(v)) << w;
    EXPECT_EQ(beatVolume(23), std::nullopt);
    EXPECT_EQ(beatVolume(2002), std::nullopt);
}

TEST_F(SteamDisplayTest, LegendOnlyWithScreenDataAndSteamUnderTheMechanism) {
    RenderState rs;
    RecordingCanvas c;
    drawFrame(m, rs, c, host, FrameClock{});
    const IPoint c6 = m.cylinderPoints[6];
    const std::tuple<const char*, IPoint, Colour> legend[] = {
        {"ADMISSION", {c6.x - 40, c6.y + 5}, colours::red},
        {"EXPANSION", {c6.x + 40, c6.y + 5}, colours::magenta},
        {"EXHAUST", {c6.x - 40, c6.y + 17}, colours::blue},
        {"COMPRESSION", {c6.x + 24, c6.y + 17}, colours::green}};
    for (const auto& [text, at, colour] : legend) {
        const DrawOp* op = c.findText(text);
        ASSERT_NE(op, nullptr) << text;
        EXPECT_EQ(op->points[0], at) << text;
        EXPECT_EQ(op->font, colour) << text;
    }
    EXPECT_EQ(c.findText("Pan Vert")->font, colours::black);
    const auto& ops = c.ops();
    const auto wheel = std::find_if(ops.begin(), ops.end(),
                                    [](const DrawOp& o) { return o.kind == DrawOp::Kind::Ellipse; });
    EXPECT_TRUE(std::none_of(wheel, ops.end(),
                             [](const DrawOp& o) { return o.kind == DrawOp::Kind::Pixel; }));

    m.screenDataOn = false;
    c.reset();
    drawFrame(m, rs, c, host, FrameClock{});
    EXPECT_GT(c.ofKind(DrawOp::Kind::Pixel).size(), 100u);
    for (const auto& [text, at, colour] : legend) EXPECT_EQ(c.findText(text), nullptr) << text;
}

// At any letter size the legend's two words of a row keep apart: the right
// one stands at its place while the left one's letters end short of it and
// moves right just past them when they do not.
TEST_F(SteamDisplayTest, LegendWordsNeverRunTogether) {
    const IPoint c6 = m.cylinderPoints[6];
    for (const float factor : {1.0f, 1.27f, 1.6f, 2.5f}) {
        m.fontScaleX = factor;
        m.fontScaleY = factor;
        RenderState rs;
        RecordingCanvas c;
        drawFrame(m, rs, c, host, FrameClock{});
        for (const auto& [left, right, place] :
             {std::tuple{"ADMISSION", "EXPANSION", c6.x + 40}, std::tuple{"EXHAUST", "COMPRESSION", c6.x + 24}}) {
            const DrawOp* l = c.findText(left);
            const DrawOp* r = c.findText(right);
            ASSERT_NE(l, nullptr);
            ASSERT_NE(r, nullptr);
            EXPECT_EQ(l->points[0].x, c6.x - 40) << left;
            EXPECT_EQ(r->points[0].y, l->points[0].y) << right;
            const int leftEnd = l->points[0].x + c.textWidth(left);  // the canvas keeps the last scale
            EXPECT_GE(r->points[0].x, leftEnd + 1) << right << " at " << factor;
            // It moves only as far as it must.
            EXPECT_EQ(r->points[0].x, std::max(place, leftEnd + 8)) << right << " at " << factor;
        }
    }
}

// A flat passage beeps once, not every frame, and only with the error beep
// on. Wild points, a scale beyond the zoom and NaN openings draw a bounded
// cloud inside the picture.
TEST_F(SteamDisplayTest, FlatAndWildGeometry) {
    lapBothEnds();
    m.cylinderPoints[17].y = m.cylinderPoints[5].y;
    advance();
    advance();
    EXPECT_EQ(host.beeps, 1);
    EXPECT_FALSE(pixels(colours::magenta).empty());
    st = {};
    m.errorBeep = false;
    advance();
    EXPECT_EQ(host.beeps, 1);

    m.viewScale = 1e30f;
    m.frontSteamOpening = std::numeric_limits<float>::quiet_NaN();
    m.rearExhaustOpening = std::numeric_limits<float>::infinity();
    for (int i = 0; i < 24; ++i)
        m.cylinderPoints[i] = {i % 2 ? 1'000'000 : -1'000'000, i % 3 ? -1'000'000 : 1'000'000};
    st.front.density = kMaxSteamDensity;
    advance();
    EXPECT_EQ(st.front.pixels, 324324);  // round(2000 * 3000 / 18.5), the largest zoom's
    for (Colour colour : {colours::red, colours::blue, colours::white, colours::black})
        for (const DrawOp& o : pixels(colour)) {
            ASSERT_TRUE(o.points[0].x >= 0 && o.points[0].x < 8192) << o.points[0].x;
            ASSERT_TRUE(o.points[0].y >= 0 && o.points[0].y < 8192) << o.points[0].y;
        }
}

}  // namespace
}  // namespace tevrane
