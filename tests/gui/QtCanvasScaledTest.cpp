// The canvas at several device pixels to a picture pixel (a dense screen):
// every shape keeps its picture pixels, lines and letters are drawn in
// device pixels rather than as a picture blown up, and every device pixel it
// inks lies in a tile it marked.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>

#include <cstdlib>
#include <random>
#include <string>

#include "RandomShapes.h"
#include "main/Main.h"
#include "platform/QtCanvas.h"

using namespace tevrane;
using tevrane::testing::drawShapes;
using tevrane::testing::inkBox;
using tevrane::testing::kWhitePixel;

namespace {

// The picture blown up `k` times, each pixel a k x k square.
QImage blownUp(const QImage& picture, int k) {
    QImage big = QtCanvas::whiteImage(picture.width() * k, picture.height() * k);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) big.setPixel(x, y, picture.pixel(x / k, y / k));
    return big;
}

// Whether every pixel of the image that is not white lies in a marked tile.
bool inkMarked(const QImage& image, const InkTiles& ink) {
    if (ink.width() != image.width() || ink.height() != image.height()) return false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kWhitePixel && !ink.marked(x / InkTiles::kTileWidth, y / InkTiles::kTileHeight))
                return false;
    return true;
}

// Whether some k x k square of the image, on the picture's pixel grid, holds
// two different pixels: something was drawn finer than a picture pixel.
bool finerThanPicturePixels(const QImage& image, int k) {
    for (int y = 0; y + k <= image.height(); y += k)
        for (int x = 0; x + k <= image.width(); x += k)
            for (int j = 0; j < k; ++j)
                for (int i = 0; i < k; ++i)
                    if (image.pixel(x + i, y + j) != image.pixel(x, y)) return true;
    return false;
}

}  // namespace

TEST(QtCanvasScaled, PictureIsTheImageDividedByTheScale) {
    QImage image = QtCanvas::whiteImage(200, 120);
    QtCanvas c(image, 2);
    EXPECT_EQ(c.scale(), 2);
    // A pixel at the picture's last column lands on the image's last two.
    c.setPixel(99, 59, colours::red);
    c.setPixel(100, 10, colours::red);  // past the picture: nothing
    EXPECT_EQ(image.pixel(198, 118), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(199, 119), qRgb(255, 0, 0));
    EXPECT_EQ(inkBox(image), QRect(198, 118, 2, 2));
    EXPECT_EQ(c.touched(), QRect(198, 118, 2, 2));
    // Scales past the supported range are held to it.
    QImage other = QtCanvas::whiteImage(40, 40);
    EXPECT_EQ(QtCanvas(other, 0).scale(), 1);
    EXPECT_EQ(QtCanvas(other, 50).scale(), 8);
}

// Shapes without slope (level and upright lines, points, one-pixel boxes,
// a clear) are the same picture pixels at any scale: exactly the picture at
// one device pixel, blown up.
TEST(QtCanvasScaled, ShapesWithoutSlopeAreThePictureBlownUp) {
    auto scene = [](Canvas& c) {
        c.setPenColour(colours::blue);
        c.line(5, 7, 60, 7);     // left to right
        c.line(60, 20, 5, 20);   // right to left
        c.line(30, 2, 30, 50);   // downwards
        c.line(40, 50, 40, 2);   // upwards
        c.polyline({{70, 5}, {90, 5}, {90, 40}, {70, 40}});
        c.setPenColour(colours::red);
        c.ellipse(10, 30, 11, 45);  // one pixel wide: the whole box
        c.setPixel(3, 3, colours::green);
        c.line(-20, 45, 200, 45);  // through both edges
    };
    QImage plain = QtCanvas::whiteImage(100, 60);
    {
        QtCanvas c(plain);
        scene(c);
    }
    for (int k : {2, 3}) {
        QImage dense = QtCanvas::whiteImage(100 * k, 60 * k);
        {
            QtCanvas c(dense, k);
            scene(c);
        }
        EXPECT_EQ(dense, blownUp(plain, k)) << "scale " << k;
    }
    QImage cleared = QtCanvas::whiteImage(40, 30);
    {
        QtCanvas c(cleared, 2);
        c.clear(colours::magenta);
    }
    EXPECT_EQ(cleared.pixel(0, 0), cleared.pixel(39, 29));
    EXPECT_NE(cleared.pixel(39, 29), kWhitePixel);
}

// A sloped line keeps to its picture pixels: it starts in its start pixel's
// square, leaves the end pixel's square out, stays within one picture pixel
// of the line the plain canvas draws, and is `scale` device pixels thick
// across its major axis, with its steps in device pixels.
TEST(QtCanvasScaled, SlopedLinesKeepToTheirPicturePixels) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(0, 79);
    int finer = 0;
    for (int n = 0; n < 60; ++n) {
        const IPoint a{coord(rng), coord(rng)};
        const IPoint b{coord(rng), coord(rng)};
        if (a == b) continue;
        const int k = n % 2 == 0 ? 2 : 3;
        QImage plain = QtCanvas::whiteImage(80, 80);
        QImage dense = QtCanvas::whiteImage(80 * k, 80 * k);
        {
            QtCanvas c(plain);
            c.line(a.x, a.y, b.x, b.y);
        }
        {
            QtCanvas c(dense, k);
            c.line(a.x, a.y, b.x, b.y);
        }
        const std::string what = "line " + std::to_string(a.x) + "," + std::to_string(a.y) + " to " +
                                 std::to_string(b.x) + "," + std::to_string(b.y) + " at " + std::to_string(k);
        int startInk = 0;
        for (int j = 0; j < k; ++j)
            for (int i = 0; i < k; ++i) {
                if (dense.pixel(a.x * k + i, a.y * k + j) != kWhitePixel) ++startInk;
                ASSERT_EQ(dense.pixel(b.x * k + i, b.y * k + j), kWhitePixel) << what;
            }
        ASSERT_GE(startInk, k) << what;
        for (int y = 0; y < dense.height(); ++y)
            for (int x = 0; x < dense.width(); ++x) {
                if (dense.pixel(x, y) == kWhitePixel) continue;
                bool near = false;
                for (int dy = -1; dy <= 1 && !near; ++dy)
                    for (int dx = -1; dx <= 1 && !near; ++dx) {
                        const int px = x / k + dx, py = y / k + dy;
                        near = plain.rect().contains(px, py) && plain.pixel(px, py) != kWhitePixel;
                    }
                ASSERT_TRUE(near) << what << " at device " << x << "," << y;
            }
        // Across the major axis every step is `scale` pixels thick.
        const bool xMajor = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
        const int from = (xMajor ? std::min(a.x, b.x) : std::min(a.y, b.y)) * k;
        const int to = (xMajor ? std::max(a.x, b.x) : std::max(a.y, b.y)) * k + k;
        for (int m = from; m < to; ++m) {
            int across = 0;
            for (int s = 0; s < (xMajor ? dense.height() : dense.width()); ++s)
                if ((xMajor ? dense.pixel(m, s) : dense.pixel(s, m)) != kWhitePixel) ++across;
            if (across != 0) {
                ASSERT_EQ(across, k) << what << " at " << m;
            }
        }
        if (a.x != b.x && a.y != b.y && finerThanPicturePixels(dense, k)) ++finer;
    }
    EXPECT_GT(finer, 20);  // the sloped lines step in device pixels
}

// Outlines fill the box's device pixels to its edges, `scale` thick; an arc
// is part of its ellipse, and an arc closing on itself is all of it.
TEST(QtCanvasScaled, OutlinesFillTheirBoxInDevicePixels) {
    for (int k : {2, 3}) {
        QImage ellipse = QtCanvas::whiteImage(100 * k, 80 * k);
        {
            QtCanvas c(ellipse, k);
            c.ellipse(10, 8, 71, 50);
        }
        EXPECT_EQ(inkBox(ellipse), QRect(10 * k, 8 * k, 61 * k, 42 * k)) << "scale " << k;
        // Through the middle row the left edge is the box's, `scale` thick
        // (one more where two rows' squares overlap by a step).
        const int row = (8 * k + 50 * k - (k - 1) - 1) / 2;
        int thick = 0;
        for (int x = 10 * k; ellipse.pixel(x, row) != kWhitePixel; ++x) ++thick;
        EXPECT_GE(thick, k);
        EXPECT_LE(thick, k + 1);
        // Mirror symmetric about the box's middle.
        for (int y = 8 * k; y < 50 * k; ++y)
            for (int x = 10 * k; x < 71 * k; ++x)
                ASSERT_EQ(ellipse.pixel(x, y), ellipse.pixel(10 * k + 71 * k - 1 - x, y)) << x << "," << y;
        QImage arc = QtCanvas::whiteImage(100 * k, 80 * k);
        QImage closed = QtCanvas::whiteImage(100 * k, 80 * k);
        {
            QtCanvas c(arc, k);
            c.arc(10, 8, 71, 50, 90, 29, 40, -10);  // from the east round to the north
            QtCanvas d(closed, k);
            d.arc(10, 8, 71, 50, 90, 29, 90, 29);
        }
        EXPECT_EQ(closed, ellipse);
        int arcInk = 0;
        for (int y = 0; y < arc.height(); ++y)
            for (int x = 0; x < arc.width(); ++x)
                if (arc.pixel(x, y) != kWhitePixel) {
                    ++arcInk;
                    ASSERT_NE(ellipse.pixel(x, y), kWhitePixel) << x << "," << y;
                    // The upper right quarter only.
                    ASSERT_GE(x, 40 * k - k);
                    ASSERT_LE(y, 29 * k + k);
                }
        EXPECT_GT(arcInk, 0);
    }
}

// Letters are placed and measured as at one device pixel (so a picture
// keeps its layout on every screen) but drawn in device pixels.
TEST(QtCanvasScaled, TextKeepsItsPlaceAndWidthAndIsDrawnFiner) {
    const std::string text = "Rev Arm 1.625 in";
    QImage plain = QtCanvas::whiteImage(300, 60);
    QImage dense = QtCanvas::whiteImage(600, 120);
    int plainWidth = 0, denseWidth = 0;
    {
        QtCanvas c(plain);
        c.setFontSize(8);
        plainWidth = c.textWidth(text);
        c.textOut(20, 15, text);
    }
    {
        QtCanvas c(dense, 2);
        c.setFontSize(8);
        denseWidth = c.textWidth(text);
        c.textOut(20, 15, text);
    }
    EXPECT_EQ(denseWidth, plainWidth);
    const QRect p = inkBox(plain);
    const QRect d = inkBox(dense);
    EXPECT_NEAR(d.left(), 2 * p.left(), 3);
    EXPECT_NEAR(d.top(), 2 * p.top(), 3);
    EXPECT_NEAR(d.right(), 2 * p.right(), 4);
    EXPECT_NEAR(d.bottom(), 2 * p.bottom(), 4);
    EXPECT_TRUE(finerThanPicturePixels(dense, 2));
}

// Whatever is drawn, however far off the edges and with whatever pen, every
// device pixel inked lies in a marked tile and inside the touched box.
TEST(QtCanvasScaled, EveryInkedDevicePixelIsInAMarkedTileAndTheTouchedBox) {
    for (unsigned seed = 1; seed <= 10; ++seed) {
        const int k = seed % 3 == 0 ? 3 : 2;
        QImage image = QtCanvas::whiteImage(300 * k, 200 * k);
        QRect touched;
        InkTiles ink;
        {
            QtCanvas c(image, k);
            c.setPenWidth(seed % 4 == 0 ? 3 : 1);
            drawShapes(c, seed, 300, 200, 25);
            c.setFontSize(seed % 2 == 0 ? 8 : 12);
            c.textOut(static_cast<int>(seed * 29 % 290), static_cast<int>(seed * 17 % 195), "ValveFSt -0.266");
            c.textOut(-30, 190, "Lead");
            touched = c.touched();
            ink = c.inkTiles();
        }
        EXPECT_TRUE(inkMarked(image, ink)) << "seed " << seed;
        const QRect box = inkBox(image);
        EXPECT_TRUE(box.isEmpty() || touched.contains(box)) << "seed " << seed;
    }
}

// The window repaints in its own pixels: every device pixel of a change
// lies in the region it is told, at whole and at broken ratios.
TEST(QtCanvasScaled, DeviceRegionInWindowPixelsCoversEveryDevicePixel) {
    QRegion device;
    device += QRect(0, 0, 32, 16);
    device += QRect(64, 16, 96, 16);
    device += QRect(31, 48, 5, 3);  // not on the ratio's grid
    for (qreal ratio : {2.0, 1.5, 3.0}) {
        const QRegion window = toWindowPixels(device, ratio);
        for (const QRect& r : device)
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    ASSERT_TRUE(window.contains(QPoint(static_cast<int>(x / ratio), static_cast<int>(y / ratio))))
                        << "ratio " << ratio << " at " << x << "," << y;
        // And no more than a window pixel around it.
        EXPECT_LE(window.boundingRect().right(), static_cast<int>(159 / ratio) + 1);
    }
    // On the grid of a whole ratio the rectangles divide exactly.
    QRegion grid;
    grid += QRect(0, 0, 32, 16);
    grid += QRect(64, 16, 96, 16);
    EXPECT_EQ(toWindowPixels(grid, 2.0), QRegion(0, 0, 16, 8) + QRegion(32, 8, 48, 8));
    EXPECT_TRUE(toWindowPixels(QRegion(), 2.0).isEmpty());
}
