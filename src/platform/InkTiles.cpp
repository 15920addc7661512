#include "platform/InkTiles.h"

#include <algorithm>
#include <cmath>

namespace tevrane {

void InkTiles::reset(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    columns_ = (width_ + kTileWidth - 1) / kTileWidth;
    rows_ = (height_ + kTileHeight - 1) / kTileHeight;
    marks_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), 0);
}

void InkTiles::clear() { std::fill(marks_.begin(), marks_.end(), std::uint8_t{0}); }

bool InkTiles::any() const {
    return std::any_of(marks_.begin(), marks_.end(), [](std::uint8_t m) { return m != 0; });
}

void InkTiles::markRect(long long left, long long top, long long right, long long bottom) {
    left = std::max(left, 0LL);
    top = std::max(top, 0LL);
    right = std::min(right, width_ - 1LL);
    bottom = std::min(bottom, height_ - 1LL);
    if (left > right || top > bottom) return;
    const int c0 = static_cast<int>(left / kTileWidth), c1 = static_cast<int>(right / kTileWidth);
    const int r0 = static_cast<int>(top / kTileHeight), r1 = static_cast<int>(bottom / kTileHeight);
    for (int r = r0; r <= r1; ++r) {
        auto* row = marks_.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(columns_);
        std::fill(row + c0, row + c1 + 1, std::uint8_t{1});
    }
}

void InkTiles::markSegment(double ax, double ay, double bx, double by, double reach) {
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return;
    if (!(reach >= 0.0) || !std::isfinite(reach)) reach = 0.0;
    // Squares of half a tile's height set along the segment, each grown by
    // the reach and by its own step, cover every pixel within the reach.
    constexpr double kStep = kTileHeight / 2.0;
    // Only the part of the segment near the picture can mark anything, so a
    // segment running far off it costs no more than one across it.
    {
        const double m = reach + kStep + 1.0;
        const double lo[2] = {-m, -m}, hi[2] = {width_ + m, height_ + m};
        const double p0[2] = {ax, ay}, d[2] = {bx - ax, by - ay};
        double t0 = 0.0, t1 = 1.0;
        for (int k = 0; k < 2; ++k) {
            if (d[k] == 0.0) {
                if (p0[k] < lo[k] || p0[k] > hi[k]) return;
                continue;
            }
            double ta = (lo[k] - p0[k]) / d[k], tb = (hi[k] - p0[k]) / d[k];
            if (ta > tb) std::swap(ta, tb);
            t0 = std::max(t0, ta);
            t1 = std::min(t1, tb);
        }
        if (t0 > t1) return;
        const double dx = bx - ax, dy = by - ay;
        bx = ax + dx * t1;
        by = ay + dy * t1;
        ax = ax + dx * t0;
        ay = ay + dy * t0;
    }
    const double length = std::hypot(bx - ax, by - ay);
    const int steps = static_cast<int>(std::ceil(length / kStep));
    const double grow = reach + kStep;
    for (int i = 0; i <= steps; ++i) {
        const double t = steps == 0 ? 0.0 : static_cast<double>(i) / steps;
        const double x = ax + (bx - ax) * t, y = ay + (by - ay) * t;
        markRect(static_cast<long long>(std::floor(x - grow)), static_cast<long long>(std::floor(y - grow)),
                 static_cast<long long>(std::ceil(x + grow)), static_cast<long long>(std::ceil(y + grow)));
    }
}

void InkTiles::unite(const InkTiles& other) {
    if (other.marks_.size() != marks_.size()) {
        // A grid of another size cannot be matched tile for tile: every tile.
        std::fill(marks_.begin(), marks_.end(), std::uint8_t{1});
        return;
    }
    for (std::size_t i = 0; i < marks_.size(); ++i) marks_[i] |= other.marks_[i];
}

}  // namespace tevrane
