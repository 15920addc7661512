// The fast paths of the canvas: one-pixel shapes written straight into the
// image rows must give exactly the pixels the painter gives, the canvas must
// know every pixel it touched, kept texts must look as drawn, and the changed
// tiles between two pictures must hold every changed pixel.
#include <gtest/gtest.h>

#include <QImage>

#include <random>
#include <string>

#include "RandomShapes.h"
#include "platform/QtCanvas.h"

using namespace tevrane;
using tevrane::testing::drawShapes;
using tevrane::testing::inkBox;

namespace {
constexpr QRgb kWhite = tevrane::testing::kWhitePixel;
}  // namespace

TEST(PictureFastPaths, RowsWrittenDirectlyMatchThePainterBitForBit) {
    // A 24-bit image has no 32-bit rows, so its canvas draws every pixel
    // through QPainter::drawPoints; the 32-bit image is written directly.
    constexpr int kWidth = 160, kHeight = 120;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        QImage direct = QtCanvas::whiteImage(kWidth, kHeight);
        QImage painted(kWidth, kHeight, QImage::Format_RGB888);
        painted.fill(Qt::white);
        QImage premultiplied(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
        premultiplied.fill(Qt::white);
        QRect directBox, paintedBox;
        {
            QtCanvas c(direct);
            drawShapes(c, seed, kWidth, kHeight, 25);
            directBox = c.touched();
        }
        {
            QtCanvas c(painted);
            drawShapes(c, seed, kWidth, kHeight, 25);
            paintedBox = c.touched();
        }
        {
            QtCanvas c(premultiplied);
            drawShapes(c, seed, kWidth, kHeight, 25);
        }
        ASSERT_EQ(direct, painted.convertToFormat(QImage::Format_RGB32)) << "seed " << seed;
        ASSERT_EQ(direct, premultiplied.convertToFormat(QImage::Format_RGB32)) << "seed " << seed;
        // No colour of the scene is white, so the touched box is the ink.
        ASSERT_EQ(directBox, inkBox(direct)) << "seed " << seed;
        ASSERT_EQ(paintedBox, directBox) << "seed " << seed;
    }
}

TEST(PictureFastPaths, TouchedBoxHoldsWidePensTextAndClears) {
    QImage im = QtCanvas::whiteImage(200, 100);
    QtCanvas c(im);
    EXPECT_TRUE(c.touched().isEmpty());
    c.setPenWidth(3);
    c.line(20, 30, 60, 70);
    c.ellipse(100, -20, 150, 20);
    c.setPenWidth(1);
    c.textOut(150, 80, "Rev Arm  5.240");  // runs off the right edge
    c.textOut(500, 10, "nowhere");         // entirely off the picture
    const QRect ink = inkBox(im);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(c.touched().contains(ink)) << "ink outside the touched box";
    EXPECT_LE(c.touched().right(), 199);
    // A wide line's box stays close to the line.
    EXPECT_GE(c.touched().left(), 20 - 3);
    c.clear(colours::white);
    EXPECT_EQ(c.touched(), im.rect());
}

TEST(PictureText, DrawingATextAgainChangesNothingAndLinesStayUnderIt) {
    QImage once = QtCanvas::whiteImage(200, 40);
    QImage twice = QtCanvas::whiteImage(200, 40);
    {
        QtCanvas c(once);
        c.line(0, 15, 200, 15);
        c.textOut(10, 8, "Dynamic Chamber");
    }
    {
        QtCanvas c(twice);
        c.line(0, 15, 200, 15);
        c.textOut(10, 8, "Dynamic Chamber");
        c.textOut(10, 8, "Dynamic Chamber");
    }
    EXPECT_EQ(once, twice);
    // The black line runs through the letters and stays black throughout.
    for (int x = 0; x < 200; ++x) ASSERT_EQ(once.pixel(x, 15), qRgb(0, 0, 0)) << x;
}

TEST(PictureText, KeptTextsKeepTheirColourAndWeight) {
    // The same text in two colours and two weights, each drawn twice so the
    // second drawing comes from what the canvas kept.
    QImage im = QtCanvas::whiteImage(200, 80);
    QtCanvas c(im);
    for (int round = 0; round < 2; ++round) {
        c.setFontColour(colours::red);
        c.textOut(5, 5, "Max");
        c.setFontColour(colours::blue);
        c.textOut(5, 25, "Max");
        c.setFontBold(true);
        c.textOut(5, 45, "Max");
        c.setFontBold(false);
    }
    int red = 0, blue = 0, plainInk = 0, boldInk = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 200; ++x) {
            const QRgb p = im.pixel(x, y);
            if (p == kWhite) continue;
            if (y < 20) {
                ASSERT_EQ(qRed(p), 255);
                ++red;
            } else if (y < 40) {
                ASSERT_EQ(qBlue(p), 255);
                ++blue;
                ++plainInk;
            } else {
                ASSERT_EQ(qBlue(p), 255);
                ++boldInk;
            }
        }
    EXPECT_GT(red, 10);
    EXPECT_EQ(red, blue);  // the same letters, only the colour differs
    EXPECT_GT(boldInk, plainInk);
}

TEST(PictureText, LargeFontLettersGrowByItsFactors) {
    const std::string text = "ValveFSt -0.213";
    QImage normal = QtCanvas::whiteImage(300, 60);
    QImage large = QtCanvas::whiteImage(300, 60);
    int normalWidth = 0, largeWidth = 0;
    {
        QtCanvas c(normal);
        c.textOut(5, 5, text);
        normalWidth = c.textWidth(text);
    }
    {
        QtCanvas c(large);
        c.setTextScale(1.27f, 1.22f);
        c.textOut(5, 5, text);
        largeWidth = c.textWidth(text);
    }
    const QRect n = inkBox(normal), l = inkBox(large);
    ASSERT_FALSE(n.isEmpty());
    // The text's top-left stays where it is placed.
    EXPECT_NEAR(l.left(), n.left(), 1);
    EXPECT_NEAR(l.top(), n.top(), 2);
    EXPECT_NEAR(static_cast<double>(l.width()) / n.width(), 1.27, 0.08);
    EXPECT_NEAR(static_cast<double>(l.height()) / n.height(), 1.22, 0.15);
    EXPECT_NEAR(static_cast<double>(largeWidth) / normalWidth, 1.27, 0.08);
}

TEST(PictureChanges, ChangedTilesCoverEveryChangedPixelAndNoUnchangedTile) {
    std::mt19937 rng(7);
    const QImage before = QtCanvas::whiteImage(300, 200);
    for (int round = 0; round < 20; ++round) {
        QImage after = before;
        const int changes = static_cast<int>(rng() % 6);
        for (int k = 0; k < changes; ++k)
            after.setPixel(static_cast<int>(rng() % 300), static_cast<int>(rng() % 200), qRgb(0, 0, 0));
        const QRect area(static_cast<int>(rng() % 40), static_cast<int>(rng() % 40), 250, 150);
        const QRegion region = changedTiles(before, after, area);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x) {
                const bool changed = before.pixel(x, y) != after.pixel(x, y);
                if (changed && area.contains(x, y)) {
                    ASSERT_TRUE(region.contains(QPoint(x, y))) << x << "," << y;
                }
            }
        EXPECT_TRUE(area.contains(region.boundingRect()) || region.isEmpty());
        // Every tile of the region holds a change.
        for (const QRect& r : region)
            for (int ty = r.top(); ty <= r.bottom(); ty += kChangeTileHeight)
                for (int tx = r.left(); tx <= r.right(); tx = (tx / kChangeTileWidth + 1) * kChangeTileWidth) {
                    const QRect tile = QRect(tx / kChangeTileWidth * kChangeTileWidth,
                                             ty / kChangeTileHeight * kChangeTileHeight,
                                             kChangeTileWidth, kChangeTileHeight)
                                           .intersected(area);
                    bool found = false;
                    for (int y = tile.top(); y <= tile.bottom() && !found; ++y)
                        for (int x = tile.left(); x <= tile.right() && !found; ++x)
                            found = before.pixel(x, y) != after.pixel(x, y);
                    ASSERT_TRUE(found) << tx << "," << ty;
                }
    }
}


// By the two frames' ink: a tile both frames drew in is compared, a tile
// only one drew in is reported without comparing, and an unmarked tile is
// not looked at.
TEST(PictureChanges, ChangedTilesByInkCompareOnlyWhereBothFramesDrew) {
    constexpr int tw = InkTiles::kTileWidth, th = InkTiles::kTileHeight;
    QImage before = QtCanvas::whiteImage(10 * tw, 6 * th);
    QImage after = before;
    InkTiles beforeInk, afterInk;
    beforeInk.reset(before.width(), before.height());
    afterInk.reset(before.width(), before.height());
    // Tile (1, 1): the same label in both frames, compared and unchanged.
    before.setPixel(tw + 3, th + 3, qRgb(0, 0, 0));
    after.setPixel(tw + 3, th + 3, qRgb(0, 0, 0));
    beforeInk.mark(tw + 3, th + 3);
    afterInk.mark(tw + 3, th + 3);
    // Tile (3, 2): in both, a rod moved within it.
    before.setPixel(3 * tw + 1, 2 * th + 1, qRgb(255, 0, 0));
    after.setPixel(3 * tw + 9, 2 * th + 5, qRgb(255, 0, 0));
    beforeInk.mark(3 * tw + 1, 2 * th + 1);
    afterInk.mark(3 * tw + 9, 2 * th + 5);
    // Tile (6, 4): drawn in the new frame only.
    after.setPixel(6 * tw + 2, 4 * th + 2, qRgb(0, 0, 255));
    afterInk.mark(6 * tw + 2, 4 * th + 2);
    // Tile (8, 0): marked (generously) by the old frame only, white in both:
    // repainted as it is, without a comparison.
    beforeInk.mark(8 * tw, 0);
    // Tile (9, 5): a difference no frame marked is not looked for.
    after.setPixel(9 * tw + 1, 5 * th + 1, qRgb(0, 255, 0));
    const QRegion region = changedTiles(before, after, beforeInk, afterInk);
    const QRegion expected =
        QRegion(3 * tw, 2 * th, tw, th) + QRegion(6 * tw, 4 * th, tw, th) + QRegion(8 * tw, 0, tw, th);
    EXPECT_EQ(region, expected);
    // Grids of another size: everywhere, by comparing.
    InkTiles other;
    other.reset(5, 5);
    EXPECT_TRUE(changedTiles(before, after, other, afterInk).contains(QPoint(9 * tw + 1, 5 * th + 1)));
}

// A one-pixel line steps across its major axis by round(i * minor / major),
// halves up, from its start pixel; the canvas walks only the steps inside
// the picture and counts the offsets on from the first of them. Far-off
// start points (the walk then begins deep into the line) must land on the
// same pixels as the formula.
TEST(QtCanvasLines, StepsAcrossFollowTheRoundedSlopeFromAnyFirstStepInside) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> near(-40, 240);
    std::uniform_int_distribution<int> far(-3000000, 3000000);
    for (int n = 0; n < 80; ++n) {
        const bool farStart = n % 2 == 0;
        const IPoint a{farStart ? far(rng) : near(rng), farStart ? far(rng) : near(rng)};
        const IPoint b{near(rng), near(rng)};
        if (a == b) continue;
        QImage drawn = QtCanvas::whiteImage(200, 150);
        {
            QtCanvas c(drawn);
            c.line(a.x, a.y, b.x, b.y);
        }
        QImage expected = QtCanvas::whiteImage(200, 150);
        const long long dx = static_cast<long long>(b.x) - a.x, dy = static_cast<long long>(b.y) - a.y;
        const long long major = std::max(std::llabs(dx), std::llabs(dy));
        const long long minor = std::min(std::llabs(dx), std::llabs(dy));
        const bool xMajor = std::llabs(dx) >= std::llabs(dy);
        for (long long i = 0; i < major; ++i) {
            // Only where the major coordinate is inside can a pixel be.
            const long long along = (xMajor ? a.x : a.y) + (((xMajor ? dx : dy) < 0) ? -i : i);
            if (along < 0 || along >= (xMajor ? 200 : 150)) continue;
            const auto off = static_cast<long long>((2 * static_cast<__int128>(i) * minor + major) / (2 * major));
            const long long across = (xMajor ? a.y : a.x) + (((xMajor ? dy : dx) < 0) ? -off : off);
            const long long x = xMajor ? along : across, y = xMajor ? across : along;
            if (x >= 0 && x < 200 && y >= 0 && y < 150) expected.setPixel(static_cast<int>(x), static_cast<int>(y), qRgb(0, 0, 0));
        }
        ASSERT_EQ(drawn, expected) << a.x << "," << a.y << " to " << b.x << "," << b.y;
    }
}
