// The Qt canvas on real pixels: where lines, ellipses, arcs and text land, and
// which pixels they leave alone.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <random>

#include "platform/QtCanvas.h"

using namespace tevrane;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;

bool inked(const QImage& im, int x, int y) { return im.pixel(x, y) != kWhite; }

int inkCount(const QImage& im) {
    int n = 0;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x) n += inked(im, x, y) ? 1 : 0;
    return n;
}

// Bounding box of the non-white pixels; an empty QRect when there are none.
QRect inkBox(const QImage& im) {
    int minX = im.width(), minY = im.height(), maxX = -1, maxY = -1;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x)
            if (inked(im, x, y)) {
                minX = std::min(minX, x);
                minY = std::min(minY, y);
                maxX = std::max(maxX, x);
                maxY = std::max(maxY, y);
            }
    if (maxX < 0) return {};
    return QRect(QPoint(minX, minY), QPoint(maxX, maxY));
}

// Non-white pixels in the half-open region [x0, x1) x [y0, y1).
int inkIn(const QImage& im, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, im.height()); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, im.width()); ++x) n += inked(im, x, y) ? 1 : 0;
    return n;
}

}  // namespace

TEST(QtCanvasSetup, WhiteImageAndOwnedCanvas) {
    const QImage im = QtCanvas::whiteImage();
    EXPECT_EQ(im.width(), 1280);
    EXPECT_EQ(im.height(), 1024);
    EXPECT_EQ(im.format(), QImage::Format_RGB32);
    EXPECT_EQ(inkCount(im), 0);

    QtCanvas c(40, 30);
    EXPECT_EQ(c.image().size(), QSize(40, 30));
    c.setPixel(3, 4, colours::black);
    EXPECT_TRUE(inked(c.image(), 3, 4));
    EXPECT_EQ(inkCount(c.image()), 1);
}

TEST(QtCanvasSetup, DrawingOnAnExistingImageStaysAfterTheCanvasEnds) {
    QImage im = QtCanvas::whiteImage(50, 50);
    {
        QtCanvas c(im);
        c.line(5, 5, 20, 5);
    }
    EXPECT_TRUE(inked(im, 5, 5));
    EXPECT_EQ(inkCount(im), 15);
}

TEST(QtCanvasSetup, NullImageIgnoresEveryCall) {
    QImage none;
    QtCanvas c(none);
    c.line(0, 0, 10, 10);
    c.ellipse(0, 0, 10, 10);
    c.arc(0, 0, 10, 10, 10, 5, 5, 0);
    c.setPixel(0, 0, colours::red);
    c.textOut(0, 0, "x");
    c.clear(colours::red);
    EXPECT_TRUE(none.isNull());
}

TEST(QtCanvasLines, EndPixelIsLeftOutStartPixelDrawn) {
    QImage im = QtCanvas::whiteImage(40, 40);
    QtCanvas c(im);

    c.line(2, 5, 10, 5);  // to the right
    for (int x = 2; x <= 9; ++x) EXPECT_TRUE(inked(im, x, 5)) << x;
    EXPECT_FALSE(inked(im, 10, 5));
    EXPECT_FALSE(inked(im, 1, 5));

    c.line(30, 10, 22, 10);  // to the left: starts at 30, leaves out 22
    EXPECT_TRUE(inked(im, 30, 10));
    EXPECT_TRUE(inked(im, 23, 10));
    EXPECT_FALSE(inked(im, 22, 10));

    c.line(5, 12, 5, 20);  // downwards
    for (int y = 12; y <= 19; ++y) EXPECT_TRUE(inked(im, 5, y)) << y;
    EXPECT_FALSE(inked(im, 5, 20));

    c.line(12, 20, 18, 26);  // diagonal
    for (int k = 0; k < 6; ++k) EXPECT_TRUE(inked(im, 12 + k, 20 + k)) << k;
    EXPECT_FALSE(inked(im, 18, 26));

    EXPECT_EQ(inkCount(im), 8 + 8 + 8 + 6);
}

TEST(QtCanvasLines, SlopedLineHasOnePixelPerColumnOnTheIdealLine) {
    QImage im = QtCanvas::whiteImage(30, 30);
    QtCanvas c(im);
    c.line(1, 2, 21, 9);  // slope 7/20
    EXPECT_EQ(inkCount(im), 20);
    for (int x = 1; x <= 20; ++x) {
        int hits = 0;
        for (int y = 0; y < 30; ++y)
            if (inked(im, x, y)) {
                ++hits;
                const double ideal = 2.0 + 7.0 * (x - 1) / 20.0;
                EXPECT_LE(std::abs(y - ideal), 0.5) << x;
            }
        EXPECT_EQ(hits, 1) << x;
    }
    EXPECT_FALSE(inked(im, 21, 9));
}

TEST(QtCanvasLines, ZeroLengthDrawsNothingAndLineToMovesOn) {
    QImage im = QtCanvas::whiteImage(20, 20);
    QtCanvas c(im);
    c.moveTo(4, 4);
    c.lineTo(4, 4);
    EXPECT_EQ(inkCount(im), 0);

    c.moveTo(2, 2);
    c.lineTo(6, 2);
    c.lineTo(6, 6);  // continues from (6, 2), so the corner is drawn
    EXPECT_TRUE(inked(im, 6, 2));
    EXPECT_TRUE(inked(im, 6, 5));
    EXPECT_FALSE(inked(im, 6, 6));
    EXPECT_EQ(inkCount(im), 8);
}

TEST(QtCanvasLines, PolylineLeavesOutOnlyItsLastPixel) {
    QImage im = QtCanvas::whiteImage(20, 20);
    QtCanvas c(im);
    c.polyline({{2, 2}, {8, 2}, {8, 8}, {2, 8}});
    EXPECT_TRUE(inked(im, 2, 2));
    EXPECT_TRUE(inked(im, 8, 2));
    EXPECT_TRUE(inked(im, 8, 8));
    EXPECT_TRUE(inked(im, 3, 8));
    EXPECT_FALSE(inked(im, 2, 8));
    EXPECT_EQ(inkCount(im), 18);
}

TEST(QtCanvasLines, PenWidthTwoIsTwoPixelsThick) {
    QImage im = QtCanvas::whiteImage(60, 60);
    QtCanvas c(im);
    c.setPenWidth(2);
    EXPECT_EQ(c.penWidth(), 2);
    c.line(10, 20, 40, 20);
    c.line(50, 10, 50, 50);
    int rows = 0;
    for (int y = 0; y < 60; ++y) rows += inked(im, 25, y) ? 1 : 0;
    EXPECT_EQ(rows, 2);
    EXPECT_TRUE(inked(im, 25, 20) || inked(im, 25, 19));
    int cols = 0;
    for (int x = 44; x < 60; ++x) cols += inked(im, x, 30) ? 1 : 0;
    EXPECT_EQ(cols, 2);

    // Back to one pixel.
    c.setPenWidth(1);
    c.line(10, 40, 40, 40);
    rows = 0;
    for (int y = 30; y < 50; ++y) rows += inked(im, 25, y) ? 1 : 0;
    EXPECT_EQ(rows, 1);
}

TEST(QtCanvasLines, FarOffPictureCoordinatesAreClipped) {
    QImage im = QtCanvas::whiteImage(100, 80);
    QtCanvas c(im);
    c.line(-1000000, 5, 1000000, 5);
    for (int x = 0; x < 100; ++x) EXPECT_TRUE(inked(im, x, 5)) << x;
    c.line(-1000000, -1000000, 1000000, 1000000);
    for (int k = 0; k < 80; ++k) EXPECT_TRUE(inked(im, k, k)) << k;
    EXPECT_EQ(inkCount(im), 100 + 80 - 1);  // the two cross at (5, 5)

    c.clear(colours::white);
    c.setPenWidth(3);
    c.line(-1000000, 40, 1000000, 40);
    for (int x = 0; x < 100; ++x) EXPECT_TRUE(inked(im, x, 40)) << x;
    c.line(2000000, 2000000, 3000000, 3000000);  // entirely outside
    EXPECT_EQ(inkIn(im, 0, 0, 100, 30), 0);
}

TEST(QtCanvasLines, ExtremeCoordinatesStaySafe) {
    constexpr int kBig = 2'000'000'000;
    QImage im = QtCanvas::whiteImage(64, 48);
    QtCanvas c(im);
    c.line(-kBig, 10, kBig, 10);
    for (int x = 0; x < 64; ++x) EXPECT_TRUE(inked(im, x, 10)) << x;
    c.line(-kBig, -kBig, kBig, kBig);  // the diagonal through (0, 0)
    EXPECT_TRUE(inked(im, 0, 0));
    EXPECT_TRUE(inked(im, 40, 40));
    c.clear(colours::white);

    // A circle far larger than the picture crosses it as a nearly straight
    // arc near its top edge: the box's top row is row 5.
    c.ellipse(-kBig, 5, kBig, 5 + kBig);
    EXPECT_GT(inkIn(im, 0, 5, 64, 6), 0);
    EXPECT_EQ(inkIn(im, 0, 0, 64, 5), 0);
    c.arc(-kBig, -kBig, kBig, kBig, kBig, 0, 0, -kBig);
    c.textOut(-kBig, -kBig, "x");
    c.textOut(kBig, kBig, "x");
    c.setPixel(kBig, -kBig, colours::black);
    EXPECT_EQ(inkIn(im, 0, 0, 64, 5), 0);
}

TEST(QtCanvasColours, RedInTheLowByteIsRed) {
    QImage im = QtCanvas::whiteImage(20, 20);
    QtCanvas c(im);
    c.setPenColour(rgb(255, 0, 0));
    EXPECT_EQ(c.penColour(), 0x0000FFu);
    c.line(0, 0, 10, 0);
    EXPECT_EQ(im.pixel(3, 0), qRgb(255, 0, 0));

    c.setPenColour(colours::teal);
    c.line(0, 3, 10, 3);
    EXPECT_EQ(im.pixel(3, 3), qRgb(0, 128, 128));

    c.setPixel(5, 5, rgb(10, 20, 30));
    EXPECT_EQ(im.pixel(5, 5), qRgb(10, 20, 30));
    EXPECT_EQ(toQColor(0x00332211u), QColor(0x11, 0x22, 0x33));
}

TEST(QtCanvasColours, SetPixelOutsideIsIgnoredAndClearFills) {
    QImage im = QtCanvas::whiteImage(10, 8);
    QtCanvas c(im);
    c.setPixel(-1, 0, colours::black);
    c.setPixel(10, 0, colours::black);
    c.setPixel(0, 8, colours::black);
    EXPECT_EQ(inkCount(im), 0);

    c.clear(colours::blue);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(im.pixel(x, y), qRgb(0, 0, 255));
    c.clear(colours::white);
    EXPECT_EQ(inkCount(im), 0);
}

TEST(QtCanvasShapes, EllipseFitsItsBoxWithoutRightAndBottomEdge) {
    QImage im = QtCanvas::whiteImage(60, 60);
    QtCanvas c(im);
    c.ellipse(10, 12, 41, 33);
    EXPECT_EQ(inkBox(im), QRect(QPoint(10, 12), QPoint(40, 32)));
    // Outline only: the centre stays white.
    EXPECT_FALSE(inked(im, 25, 22));

    // A box given the other way round is the same box.
    QImage other = QtCanvas::whiteImage(60, 60);
    {
        QtCanvas d(other);
        d.ellipse(41, 33, 10, 12);
    }
    EXPECT_EQ(other, im);

    c.clear(colours::white);
    c.ellipse(5, 5, 5, 20);  // no width
    EXPECT_EQ(inkCount(im), 0);
}

TEST(QtCanvasShapes, ArcFromEastToNorthIsTheUpperRightQuarter) {
    QImage im = QtCanvas::whiteImage(300, 300);
    QtCanvas c(im);
    // Circle in 100..199; the radials are given by far points.
    c.arc(100, 100, 200, 200, 290, 150, 150, 10);
    EXPECT_GT(inkCount(im), 50);
    EXPECT_EQ(inkIn(im, 0, 0, 148, 300), 0);    // nothing left of the centre
    EXPECT_EQ(inkIn(im, 0, 153, 300, 300), 0);  // nothing below it
    EXPECT_GT(inkIn(im, 195, 140, 200, 153), 0);  // reaches the east point
    EXPECT_GT(inkIn(im, 145, 100, 155, 105), 0);  // and the north point
}

TEST(QtCanvasShapes, ArcFromNorthToEastIsTheOtherThreeQuarters) {
    QImage im = QtCanvas::whiteImage(300, 300);
    QtCanvas c(im);
    c.arc(100, 100, 200, 200, 150, 10, 290, 150);
    EXPECT_EQ(inkIn(im, 153, 100, 200, 147), 0);  // upper-right quarter stays empty
    EXPECT_GT(inkIn(im, 100, 100, 148, 148), 0);
    EXPECT_GT(inkIn(im, 100, 152, 148, 200), 0);
    EXPECT_GT(inkIn(im, 152, 152, 200, 200), 0);
}

TEST(QtCanvasShapes, ArcEndsWhereTheRadialMeetsTheEllipse) {
    // A flat ellipse: centre (200, 50), half-axes 200 and 50. The radial at
    // 45 degrees meets it where tan t = 200 / 50, at x = 200 + 200 cos t,
    // about 248.5, not at the 45-degree parameter point (x about 341).
    QImage im = QtCanvas::whiteImage(420, 120);
    QtCanvas c(im);
    c.arc(0, 0, 400, 100, 400, 50, 300, -50);
    const QRect box = inkBox(im);
    const double t = std::atan(4.0);
    const double endX = 200.0 + 200.0 * std::cos(t);
    EXPECT_NEAR(box.left(), endX, 3.0);
    EXPECT_GE(box.right(), 397);
    EXPECT_LE(box.bottom(), 52);
}

TEST(QtCanvasShapes, ArcWithCoincidentRadialsIsTheWholeEllipse) {
    QImage arcImage = QtCanvas::whiteImage(100, 100);
    QImage ellipseImage = QtCanvas::whiteImage(100, 100);
    {
        QtCanvas c(arcImage);
        // Centre (45, 40): (85, 20) and (65, 30) lie on the same radial.
        c.arc(10, 20, 80, 60, 85, 20, 65, 30);
    }
    {
        QtCanvas c(ellipseImage);
        c.ellipse(10, 20, 80, 60);
    }
    EXPECT_EQ(inkBox(arcImage), inkBox(ellipseImage));
    const int a = inkCount(arcImage);
    const int e = inkCount(ellipseImage);
    EXPECT_NEAR(a, e, e / 20);
}

TEST(QtCanvasShapes, EllipseOutlineIsSymmetricAndThin) {
    for (const QRect& box : {QRect(QPoint(3, 4), QPoint(40, 20)), QRect(QPoint(5, 5), QPoint(26, 26)),
                             QRect(QPoint(2, 3), QPoint(9, 50))}) {
        QImage im = QtCanvas::whiteImage(60, 60);
        {
            QtCanvas c(im);
            c.ellipse(box.left(), box.top(), box.right() + 1, box.bottom() + 1);
        }
        EXPECT_EQ(inkBox(im), box);
        for (int y = box.top(); y <= box.bottom(); ++y) {
            int inRow = 0;
            for (int x = box.left(); x <= box.right(); ++x) {
                const int mx = box.left() + box.right() - x;
                const int my = box.top() + box.bottom() - y;
                ASSERT_EQ(inked(im, x, y), inked(im, mx, y)) << x << "," << y;
                ASSERT_EQ(inked(im, x, y), inked(im, x, my)) << x << "," << y;
                inRow += inked(im, x, y) ? 1 : 0;
            }
            // Every row of an outline is crossed twice, never filled.
            EXPECT_GE(inRow, 2);
            if (y > box.top() && y < box.bottom()) {
                EXPECT_LT(inRow, box.width() / 2);
            }
        }
    }
}

TEST(QtCanvasShapes, TwoArcsMeetingAtTheirRadialsMakeTheEllipse) {
    QImage whole = QtCanvas::whiteImage(120, 100);
    QImage halves = QtCanvas::whiteImage(120, 100);
    QImage first = QtCanvas::whiteImage(120, 100);
    {
        QtCanvas c(whole);
        c.ellipse(10, 10, 110, 71);
    }
    {
        QtCanvas c(halves);
        c.arc(10, 10, 110, 71, 0, 0, 100, 90);
        c.arc(10, 10, 110, 71, 100, 90, 0, 0);
    }
    {
        QtCanvas c(first);
        c.arc(10, 10, 110, 71, 0, 0, 100, 90);
    }
    EXPECT_EQ(halves, whole);
    // The first arc runs from the upper left through the left and the bottom.
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 120; ++x)
            if (inked(first, x, y)) {
                ASSERT_TRUE(inked(whole, x, y));
            }
    EXPECT_GT(inkIn(first, 10, 35, 20, 45), 0);  // west point
    EXPECT_GT(inkIn(first, 55, 65, 65, 71), 0);  // south point
    EXPECT_EQ(inkIn(first, 100, 35, 110, 45), 0);  // not the east point
}

TEST(QtCanvasShapes, WidePenOutlineIsTwoPixelsThick) {
    QImage im = QtCanvas::whiteImage(80, 80);
    QtCanvas c(im);
    c.setPenWidth(2);
    c.ellipse(10, 10, 71, 71);
    const QRect box = inkBox(im);
    EXPECT_GE(box.left(), 9);
    EXPECT_LE(box.right(), 71);
    int across = 0;
    for (int x = 0; x < 80; ++x) across += inked(im, x, 40) ? 1 : 0;
    EXPECT_EQ(across, 4);  // two on each side
    EXPECT_FALSE(inked(im, 40, 40));
}

TEST(QtCanvasText, TopLeftLandsAtThePosition) {
    QImage im = QtCanvas::whiteImage(200, 100);
    QtCanvas c(im);
    c.textOut(50, 40, "THE Ag");
    const QRect box = inkBox(im);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(box.left(), 50);
    EXPECT_LE(box.left(), 52);
    EXPECT_GE(box.top(), 40);
    EXPECT_LE(box.top(), 42);
    // An 8-point font is 11 pixels: capitals and descenders stay within it.
    EXPECT_LE(box.bottom(), 40 + 13);
    EXPECT_GE(box.bottom(), 40 + 7);
}

TEST(QtCanvasText, WidthIsWhatTheTextCovers) {
    QImage im = QtCanvas::whiteImage(300, 40);
    QtCanvas c(im);
    const std::string text = " 1- Main Rod  9.001 to  9.000.";
    const int width = c.textWidth(text);
    c.textOut(20, 10, text);
    const QRect box = inkBox(im);
    ASSERT_FALSE(box.isEmpty());
    // The final "." ends within the measured width, close to its end.
    EXPECT_LT(box.right(), 20 + width);
    EXPECT_GE(box.right(), 20 + width - 4);
    // Trailing blanks widen the measure but not the ink.
    EXPECT_GT(c.textWidth(text + "    "), width);
    EXPECT_EQ(c.textWidth(""), 0);
}

TEST(QtCanvasText, FontColourSizeAndBold) {
    QImage plain = QtCanvas::whiteImage(200, 60);
    QImage bold = QtCanvas::whiteImage(200, 60);
    QImage large = QtCanvas::whiteImage(200, 60);
    {
        QtCanvas c(plain);
        c.setFontColour(colours::blue);
        c.setPenColour(colours::red);  // the pen does not colour text
        c.textOut(5, 5, "EXHAUST");
    }
    {
        QtCanvas c(bold);
        c.setFontBold(true);
        c.textOut(5, 5, "EXHAUST");
    }
    {
        QtCanvas c(large);
        c.setFontSize(16);
        c.textOut(5, 5, "EXHAUST");
    }
    // Smoothed letters: every text pixel lies between white and the font
    // colour, and the letters' cores come within a few levels of the font
    // colour.
    int solid = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            if (inked(plain, x, y)) {
                const QRgb p = plain.pixel(x, y);
                ASSERT_EQ(qBlue(p), 255) << x << "," << y;
                ASSERT_EQ(qRed(p), qGreen(p)) << x << "," << y;
                solid += qRed(p) <= 16 ? 1 : 0;
            }
    EXPECT_GE(solid, 5);
    EXPECT_GT(inkCount(bold), inkCount(plain));
    EXPECT_GT(inkBox(large).height(), inkBox(plain).height() * 3 / 2);
    EXPECT_GT(inkBox(large).width(), inkBox(plain).width() * 3 / 2);
}

TEST(QtCanvasText, PointsToPixelsAtNinetySixDpi) {
    EXPECT_EQ(fontPixelSize(8), 11);
    EXPECT_EQ(fontPixelSize(6), 8);
    EXPECT_EQ(fontPixelSize(9), 12);
    EXPECT_EQ(fontPixelSize(10), 13);
    EXPECT_EQ(fontPixelSize(12), 16);
    EXPECT_EQ(fontPixelSize(0), 1);
    EXPECT_EQ(fontPixelSize(-5), 1);
}

// An arc is the part of its ellipse's outline that lies counter-clockwise on
// the screen from the start radial to the end one, both radials included.
// Checked pixel by pixel against the angles of each outline pixel, for
// random boxes and radials of every quarter.
TEST(QtCanvasArcs, ArcIsTheOutlineBetweenItsRadialsByAngle) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> corner(5, 195), radial(-40, 240);
    int checked = 0;
    for (int k = 0; k < 60; ++k) {
        const int x1 = corner(rng), y1 = corner(rng), x2 = corner(rng), y2 = corner(rng);
        const int sx = radial(rng), sy = radial(rng), ex = radial(rng), ey = radial(rng);
        if (std::abs(x2 - x1) < 4 || std::abs(y2 - y1) < 4) continue;
        QImage whole = QtCanvas::whiteImage(200, 200), part = QtCanvas::whiteImage(200, 200);
        {
            QtCanvas c(whole);
            c.ellipse(x1, y1, x2, y2);
        }
        {
            QtCanvas c(part);
            c.arc(x1, y1, x2, y2, sx, sy, ex, ey);
        }
        const double cx = (std::min(x1, x2) + std::max(x1, x2) - 1) / 2.0;
        const double cy = (std::min(y1, y2) + std::max(y1, y2) - 1) / 2.0;
        auto angle = [&](double x, double y) { return std::atan2(-(y - cy), x - cx) * 180.0 / M_PI; };
        auto sweep = [](double from, double to) {
            const double d = std::fmod(to - from, 360.0);
            return d < 0 ? d + 360.0 : d;
        };
        const double start = angle(sx, sy);
        const double span = sweep(start, angle(ex, ey));
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) {
                const bool outline = whole.pixel(x, y) != 0xFFFFFFFFu;
                const bool inArc = part.pixel(x, y) != 0xFFFFFFFFu;
                if (!outline) {
                    ASSERT_FALSE(inArc) << k;
                    continue;
                }
                const double d = sweep(start, angle(x, y));
                // Pixels within a hair of a radial may go either way.
                if (std::min({std::abs(d - span), d, 360.0 - d}) < 1e-6 || span < 1e-6) continue;
                EXPECT_EQ(inArc, d < span) << "arc " << k << " at " << x << "," << y;
                ++checked;
            }
    }
    EXPECT_GT(checked, 1000);
}
