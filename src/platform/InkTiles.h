// Which tiles of a picture hold ink: a grid of kTileWidth x kTileHeight pixel
// tiles counted from the picture's corner, each marked when anything was
// drawn in it. The animation draws a thin gear over a large white picture;
// knowing the tiles it drew in lets the window clear, compare and repaint
// only those, so the cost of a frame follows what is drawn, not the size of
// the screen. A mark may be generous (a tile marked holds no ink), never
// short: every pixel that is not white lies in a marked tile.
#pragma once

#include <cstdint>
#include <vector>

namespace tevrane {

class InkTiles {
public:
    // The tiles the window compares and repaints by: wide rows of pixels, as
    // a picture is stored row by row.
    static constexpr int kTileWidth = 32;
    static constexpr int kTileHeight = 16;

    // A grid for a picture of width x height pixels, nothing marked.
    void reset(int width, int height);
    // Nothing marked; the size stays.
    void clear();

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool marked(int column, int row) const {
        return marks_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                      static_cast<std::size_t>(column)] != 0;
    }
    bool any() const;

    // The pixel (x, y), which must lie inside the picture.
    void mark(int x, int y) {
        marks_[static_cast<std::size_t>(y / kTileHeight) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(x / kTileWidth)] = 1;
    }
    // Every tile the rectangle left..right x top..bottom (inclusive) reaches,
    // cut to the picture.
    void markRect(long long left, long long top, long long right, long long bottom);
    // Every tile within `reach` pixels of the segment a-b (a wide pen's line
    // with its round caps), cut to the picture.
    void markSegment(double ax, double ay, double bx, double by, double reach);
    // The marks of both.
    void unite(const InkTiles& other);

private:
    std::vector<std::uint8_t> marks_;
    int width_ = 0, height_ = 0;
    int columns_ = 0, rows_ = 0;
};

}  // namespace tevrane
