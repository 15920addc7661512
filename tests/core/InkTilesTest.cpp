// The grid of inked tiles: a wide pen's segment marks every tile that holds
// a pixel within its reach, and no tile far from it, so clearing by the grid
// never leaves ink behind and never costs the whole picture.
#include "platform/InkTiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace tevrane {
namespace {

double distanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 == 0 ? 0 : std::clamp(((px - ax) * dx + (py - ay) * dy) / len2, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

TEST(InkTiles, SegmentMarksEveryTileWithinItsReachAndNoneFarOff) {
    constexpr int W = 700, H = 500;
    constexpr int tw = InkTiles::kTileWidth, th = InkTiles::kTileHeight;
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> x(-50, W + 50), y(-50, H + 50), r(0, 6);
    for (int k = 0; k < 40; ++k) {
        const double ax = x(rng), ay = y(rng), bx = x(rng), by = y(rng), reach = r(rng);
        InkTiles ink;
        ink.reset(W, H);
        ink.markSegment(ax, ay, bx, by, reach);
        for (int row = 0; row < ink.rows(); ++row)
            for (int col = 0; col < ink.columns(); ++col) {
                // The pixel of the tile nearest to the segment, sampled finely.
                double nearest = 1e9;
                for (int py = row * th; py < std::min((row + 1) * th, H); ++py)
                    for (int px = col * tw; px < std::min((col + 1) * tw, W); ++px)
                        nearest = std::min(nearest, distanceToSegment(px, py, ax, ay, bx, by));
                if (nearest <= reach) {
                    EXPECT_TRUE(ink.marked(col, row)) << k << " tile " << col << "," << row;
                }
                // Generous by at most the sampling step and a tile.
                if (nearest > reach + th + tw) {
                    EXPECT_FALSE(ink.marked(col, row)) << k << " tile " << col << "," << row;
                }
            }
    }
}

TEST(InkTiles, RectanglesAreCutToThePictureAndGridsUnite) {
    InkTiles a;
    a.reset(100, 40);  // 4 columns (the last one partly), 3 rows
    EXPECT_EQ(a.columns(), 4);
    EXPECT_EQ(a.rows(), 3);
    EXPECT_FALSE(a.any());
    a.markRect(-500, -500, -1, 10);  // wholly left of the picture
    EXPECT_FALSE(a.any());
    a.markRect(96, 35, 5000, 5000);  // the bottom-right corner only
    EXPECT_TRUE(a.marked(3, 2));
    EXPECT_FALSE(a.marked(2, 2));
    EXPECT_FALSE(a.marked(3, 1));

    InkTiles b;
    b.reset(100, 40);
    b.mark(0, 0);
    b.unite(a);
    EXPECT_TRUE(b.marked(0, 0));
    EXPECT_TRUE(b.marked(3, 2));
    EXPECT_FALSE(b.marked(1, 1));

    // A grid of another size cannot be matched tile for tile: all of it.
    InkTiles other;
    other.reset(10, 10);
    b.unite(other);
    for (int row = 0; row < b.rows(); ++row)
        for (int col = 0; col < b.columns(); ++col) EXPECT_TRUE(b.marked(col, row));
    b.clear();
    EXPECT_FALSE(b.any());
}

TEST(InkTiles, SegmentsWithoutAFiniteEndMarkNothing) {
    InkTiles ink;
    ink.reset(64, 64);
    ink.markSegment(NAN, 3, 10, 10, 2);
    ink.markSegment(0, 0, INFINITY, 10, 2);
    ink.markSegment(-1e6, -1e6, -1e6 + 5, -1e6, 2);  // far off the picture
    EXPECT_FALSE(ink.any());
    // A segment from far off across the picture marks the tiles it crosses
    // (and returns at once: only its part near the picture is walked).
    ink.markSegment(-1e12, 20, 1e12, 20, 0);
    EXPECT_TRUE(ink.marked(0, 1));
    EXPECT_TRUE(ink.marked(1, 1));
    EXPECT_FALSE(ink.marked(0, 3));
}

}  // namespace
}  // namespace tevrane
