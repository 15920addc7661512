// The drawing canvas on a Qt image. It keeps the conventions every picture of
// the program was designed for: a one-pixel line leaves out its end pixel,
// ellipse boxes exclude their right and bottom edges, arcs run
// counter-clockwise on the screen, text is placed by its top-left corner, and
// no line or shape is antialiased. Only letters are smoothed, so that words
// read as words at 11 pixels.
//
// On the 32-bit images the program draws on, one-pixel lines, outlines and
// text go straight into the image's rows; other formats, and wide pens, go
// through a QPainter, with the same pixels.
//
// On a dense screen the canvas draws at the device's resolution: `scale`
// device pixels to a picture pixel each way. Every shape keeps its picture
// pixels (a picture pixel is a square of scale x scale device pixels), but
// the steps of a sloping line or a curve and the letters are drawn in device
// pixels, so they are as sharp as the screen can show them rather than a
// picture blown up.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRegion>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Canvas.h"
#include "platform/InkTiles.h"

namespace tevrane {

// A canvas colour (red in the low byte) as a Qt colour.
inline QColor toQColor(Colour c) {
    return QColor(static_cast<int>(redOf(c)), static_cast<int>(greenOf(c)),
                  static_cast<int>(blueOf(c)));
}

// Pixel size of a font of the given point size on a 96 dpi screen, so that
// pictures come out the same on every screen and off-screen (8 pt is 11 px).
int fontPixelSize(int points);

// The font of every picture's texts at a canvas font size, bold or not, with
// the letters grown by the text scale factors.
// `deviceScale` device pixels to a picture pixel make the letters that many
// times as large.
QFont pictureFont(int points, bool bold, float scaleX, float scaleY, int deviceScale = 1);
// A canvas text (UTF-8, or a single-byte code page from older files) for Qt.
QString pictureText(const std::string& s);
// Cuts the segment a-b to the rectangle [left, right] x [top, bottom]
// (Liang-Barsky). False when nothing of it is inside.
bool clipSegment(QPointF& a, QPointF& b, double left, double top, double right, double bottom);

// Fills the part of the rectangle that lies inside the image.
void fillRect(QImage& image, const QRect& rect, Colour c);

// The part of `area` where two images of one size and 32-bit format differ, in
// tiles of kChangeTileWidth x kChangeTileHeight pixels counted from the
// image's corner (cut to `area`): a window that shows `after` in place of
// `before` need repaint only there.
inline constexpr int kChangeTileWidth = InkTiles::kTileWidth;
inline constexpr int kChangeTileHeight = InkTiles::kTileHeight;
QRegion changedTiles(const QImage& before, const QImage& after, const QRect& area);
// The same, looking only in the tiles either picture's ink marks (grids of
// the images' size; of another size, everywhere). A tile that only one of
// them marks is white in the other picture and is taken as changed without
// comparing: only the tiles both frames drew in are compared.
QRegion changedTiles(const QImage& before, const QImage& after, const InkTiles& beforeInk,
                     const InkTiles& afterInk);
// Fills the tiles marked in `where` (a grid of the image's size; of another
// size, the whole image).
void fillTiles(QImage& image, const InkTiles& where, Colour c);

class QtCanvas : public CanvasWithPen {
public:
    // Size of the main window's picture.
    static constexpr int kPictureWidth = 1280;
    static constexpr int kPictureHeight = 1024;

    // A fresh white picture in the canvas's pixel format.
    static QImage whiteImage(int width = kPictureWidth, int height = kPictureHeight);

    // Draws on an image that outlives the canvas, e.g. a window's surface.
    // The image must not be resized or reassigned while the canvas lives; its
    // pixels are final once the canvas is destroyed.
    explicit QtCanvas(QImage& image);
    // Draws on an image of `scale` device pixels to a picture pixel (1 to
    // 8): the picture is the image's size divided by the scale.
    QtCanvas(QImage& image, int scale);
    // Draws on a white picture of its own (see image()).
    QtCanvas(int width, int height);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // The image drawn on. A copy taken while the canvas lives shares its
    // pixels and sees later drawing; use copy() for a snapshot.
    const QImage& image() const { return *image_; }

    // Device pixels to a picture pixel.
    int scale() const { return scale_; }

    // The smallest rectangle that holds every pixel this canvas has drawn on
    // so far (inside the image, in its own pixels); empty when it has drawn
    // nothing. A picture redrawn each frame needs clearing and showing again
    // only there.
    QRect touched() const;
    // The tiles of the image this canvas has drawn in so far (a grid of the
    // image's own pixels): finer than touched(), so a thin drawing across a
    // large picture is cleared and compared only where it lies.
    const InkTiles& inkTiles() const { return ink_; }

    void setPenColour(Colour c) override;
    void setBrushClear() override;

    void lineTo(int x, int y) override;
    void polyline(const std::vector<IPoint>& points) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void arc(int x1, int y1, int x2, int y2, int sx, int sy, int ex, int ey) override;
    void setPixel(int x, int y, Colour c) override;
    void textOut(int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) override;
    void clear(Colour c) override;

    // A text drawn once in a font and colour, kept for the frames after.
    struct TextImage;

private:
    void begin(int scale);
    void useLinePen();
    void useFont();
    // Visits the pixels of a one-pixel line from a to b, b itself excluded,
    // that fall inside the picture.
    template <class Visit>
    void linePixels(IPoint a, IPoint b, Visit&& visit) const;
    // A one-pixel line from a to b, b excluded, at the device's resolution:
    // a band `scale` device pixels thick across its picture pixels.
    void deviceLine(IPoint a, IPoint b);
    // Visits the outline pixels of the ellipse that fills columns x1..x2-1
    // and rows y1..y2-1 (x1 < x2, y1 < y2, in the image's own pixels), as far
    // as they come within `margin` of the image.
    template <class Visit>
    void ellipsePixels(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, int margin,
                       Visit&& visit) const;
    // The outline of the ellipse (or, by `keep`, of the arc) whose box is
    // picture columns x1..x2-1 and rows y1..y2-1, straight into the image,
    // `scale` device pixels thick. `keep` is asked of each outline pixel with
    // the image's coordinates and the doubled centre of the outline.
    template <class Keep>
    void directOutline(int x1, int y1, int x2, int y2, Keep&& keep);
    // A square of scale x scale device pixels whose top-left is the device
    // pixel (x, y), cut to the image.
    void putBlock(std::int64_t x, std::int64_t y);
    // Draws a collected set of pixels through the painter: a wide pen puts a
    // round dot of its width on each.
    void drawPixels(const QList<QPoint>& pixels);
    // One pixel in the pen colour, straight into the image (x, y inside it).
    void putPixel(int x, int y) {
        reinterpret_cast<quint32*>(bits_ + y * stride_)[x] = penPixel_;
        ink_.mark(x, y);
        boxLeft_ = std::min(boxLeft_, x);
        boxRight_ = std::max(boxRight_, x);
        boxTop_ = std::min(boxTop_, y);
        boxBottom_ = std::max(boxBottom_, y);
    }
    // A rectangle of w x h pixels (at most 8 each way) in the pen colour,
    // straight into the image; it must lie inside it.
    void putRun(int x, int y, int w, int h);
    // Whether one-pixel shapes go straight into the image rows.
    bool direct() const { return bits_ != nullptr && penWidth() <= 1; }
    // Grows the touched box by the rectangle of the image's own pixels, cut
    // to the image.
    void touch(long long left, long long top, long long right, long long bottom);
    // Grows only the touched box (the caller marks the tiles) by a
    // rectangle inside the image.
    void touchBox(long long left, long long top, long long right, long long bottom);
    // The same for a rectangle of picture pixels: every device pixel of them.
    void touchPicture(long long left, long long top, long long right, long long bottom);
    // Grows the touched box by a wide pen's segment a-b, reaching `reach`
    // around it (picture pixels), and marks only the tiles along it.
    void touchSegment(const QPointF& a, const QPointF& b, double reach);
    // Lays a text's letters with their reference corner at the image's
    // pixel (x, y).
    void blitText(long long x, long long y, const TextImage& text);

    std::optional<QImage> owned_;
    QImage* image_;
    QPainter painter_;
    bool valid_ = false;        // the image has pixels to draw on
    uchar* bits_ = nullptr;     // rows of a 32-bit image, else null
    qsizetype stride_ = 0;
    int scale_ = 1;                       // device pixels to a picture pixel
    int width_ = 0, height_ = 0;          // the picture, in picture pixels
    int devWidth_ = 0, devHeight_ = 0;    // the image, in its own pixels
    int boxLeft_ = INT_MAX, boxTop_ = INT_MAX, boxRight_ = INT_MIN, boxBottom_ = INT_MIN;
    InkTiles ink_;

    quint32 penPixel_ = 0xFF000000u;  // the pen colour as a 32-bit pixel
    QFont font_;         // the letters as drawn, at the device's resolution
    QFont metricFont_;   // the letters as measured, in picture pixels
    int ascent_ = 0;     // in picture pixels
};

}  // namespace tevrane
