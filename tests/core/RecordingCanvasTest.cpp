// The recording canvas that drawing tests rely on: every operation carries the
// pen and font state in force when it was drawn, in drawing order.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "platform/RecordingCanvas.h"

using namespace tevrane;

TEST(RecordingCanvas, StampsPenAndFontStateInForce) {
    RecordingCanvas c;
    c.line(1, 2, 3, 4);  // fresh state: black pen, width 1, default font
    c.setPenColour(colours::red);
    c.setPenWidth(2);
    c.ellipse(0, 0, 10, 10);
    c.setFontColour(colours::blue);
    c.setFontSize(12);
    c.setFontBold(true);
    c.textOut(5, 6, "EXHAUST");
    c.setPixel(7, 8, colours::green);

    const auto& ops = c.ops();
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[0].kind, DrawOp::Kind::Line);
    EXPECT_EQ(ops[0].pen, colours::black);
    EXPECT_EQ(ops[0].penWidth, 1);
    EXPECT_EQ(ops[0].fontSize, kDefaultFontSize);
    EXPECT_EQ(ops[0].points, (std::vector<IPoint>{{1, 2}, {3, 4}}));

    EXPECT_EQ(ops[1].kind, DrawOp::Kind::Ellipse);
    EXPECT_EQ(ops[1].pen, colours::red);
    EXPECT_EQ(ops[1].penWidth, 2);
    EXPECT_FALSE(ops[1].bold);

    EXPECT_EQ(ops[2].kind, DrawOp::Kind::Text);
    EXPECT_EQ(ops[2].font, colours::blue);
    EXPECT_EQ(ops[2].fontSize, 12);
    EXPECT_TRUE(ops[2].bold);
    EXPECT_EQ(ops[2].pen, colours::red);
    EXPECT_EQ(ops[2].points, (std::vector<IPoint>{{5, 6}}));

    EXPECT_EQ(ops[3].kind, DrawOp::Kind::Pixel);
    EXPECT_EQ(ops[3].colour, colours::green);
    EXPECT_EQ(c.penColour(), colours::red);
    EXPECT_EQ(c.penWidth(), 2);
    EXPECT_EQ(ops[2].textScaleX, 1.0f);
    EXPECT_EQ(ops[2].textScaleY, 1.0f);

    // The large font's factors go with the texts, and widths grow with them:
    // 7 characters of 6 pixels, times 1.27, is 53.34.
    c.setTextScale(1.27f, 1.22f);
    c.textOut(1, 1, "EXHAUST");
    EXPECT_EQ(c.ops().back().textScaleX, 1.27f);
    EXPECT_EQ(c.ops().back().textScaleY, 1.22f);
    EXPECT_EQ(c.textWidth("EXHAUST"), 53);
}

TEST(RecordingCanvas, LineToContinuesFromTheLastEndAndTextsAreFoundInOrder) {
    RecordingCanvas c;
    c.moveTo(10, 10);
    c.lineTo(20, 10);
    c.lineTo(20, 30);
    c.textOut(0, 0, "A");
    c.textOut(0, 10, "B");
    c.textOut(0, 20, "A");

    const auto lines = c.ofKind(DrawOp::Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].points, (std::vector<IPoint>{{20, 10}, {20, 30}}));
    EXPECT_EQ(c.indexOfText("A"), 2);
    EXPECT_EQ(c.indexOfText("B"), 3);
    EXPECT_EQ(c.indexOfText("C"), -1);
    ASSERT_NE(c.findText("A"), nullptr);
    EXPECT_EQ(c.findText("A")->points[0].y, 0);  // the first one
    EXPECT_EQ(c.findText("C"), nullptr);

    c.reset();
    EXPECT_TRUE(c.ops().empty());
}

namespace {

// Shows when the shared pen-and-font state says the font must be made again.
class FontWatcher : public RecordingCanvas {
public:
    bool fontChanged() { return takeFontChange(); }
};

}  // namespace

// The state every canvas shares: colours keep 24 bits, text factors stay
// drawable, and the font is made again only when size, weight or scale move.
TEST(CanvasWithPen, ColoursKeepTwentyFourBitsAndTextFactorsStayDrawable) {
    RecordingCanvas c;
    c.setPenColour(0xAB123456u);
    c.setFontColour(0xFF00FF00u);
    c.textOut(0, 0, "A");
    EXPECT_EQ(c.penColour(), 0x123456u);
    EXPECT_EQ(c.ops().back().pen, 0x123456u);
    EXPECT_EQ(c.ops().back().font, 0x00FF00u);

    // Too small, too large and not a number: 0.25, 8 and 1, and the widths
    // (6 pixels a character) follow the factor kept, not the one asked for.
    c.setTextScale(0.1f, 100.0f);
    EXPECT_EQ(c.textWidth("ABCD"), 6);  // 24 * 0.25
    c.textOut(0, 0, "B");
    EXPECT_EQ(c.ops().back().textScaleX, 0.25f);
    EXPECT_EQ(c.ops().back().textScaleY, 8.0f);
    c.setTextScale(std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity());
    c.textOut(0, 0, "C");
    EXPECT_EQ(c.ops().back().textScaleX, 1.0f);
    EXPECT_EQ(c.ops().back().textScaleY, 1.0f);
    EXPECT_EQ(c.textWidth("ABCD"), 24);
}

TEST(CanvasWithPen, FontIsMadeAgainOnlyWhenItChanges) {
    FontWatcher c;
    EXPECT_TRUE(c.fontChanged());  // a fresh canvas has no font yet
    EXPECT_FALSE(c.fontChanged());
    // The pen, the font colour and a font set to what it is leave the font.
    c.setPenColour(colours::red);
    c.setPenWidth(3);
    c.setFontColour(colours::blue);
    c.setFontSize(kDefaultFontSize);
    c.setFontBold(false);
    c.setTextScale(1.0f, 1.0f);
    EXPECT_FALSE(c.fontChanged());
    c.setFontSize(12);
    EXPECT_TRUE(c.fontChanged());
    c.setFontBold(true);
    EXPECT_TRUE(c.fontChanged());
    c.setTextScale(1.0f, 1.5f);
    EXPECT_TRUE(c.fontChanged());
    // A factor outside the range is kept on its limit, so asking for it again
    // is no change.
    c.setTextScale(20.0f, 1.5f);
    EXPECT_TRUE(c.fontChanged());
    c.setTextScale(30.0f, 1.5f);
    EXPECT_FALSE(c.fontChanged());
}

TEST(Colour, RedInTheLowByte) {
    EXPECT_EQ(rgb(255, 0, 0), 0x0000FFu);
    EXPECT_EQ(rgb(0, 0, 255), 0xFF0000u);
    constexpr Colour c = rgb(0x12, 0x34, 0x56);
    EXPECT_EQ(redOf(c), 0x12u);
    EXPECT_EQ(greenOf(c), 0x34u);
    EXPECT_EQ(blueOf(c), 0x56u);
}
