// The drawing canvas on a Qt image. It keeps the conventions every picture of
// the program was designed for: a one-pixel line leaves out its end pixel,
// ellipse boxes exclude their right and bottom edges, arcs run
// counter-clockwise on the screen, text is placed by its top-left corner, and
// nothing is antialiased.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>

#include <optional>

#include "platform/Canvas.h"

namespace tevrane {

// A canvas colour (red in the low byte) as a Qt colour.
inline QColor toQColor(Colour c) {
    return QColor(static_cast<int>(redOf(c)), static_cast<int>(greenOf(c)),
                  static_cast<int>(blueOf(c)));
}

// Pixel size of a font of the given point size on a 96 dpi screen, so that
// pictures come out the same on every screen and off-screen (8 pt is 11 px).
int fontPixelSize(int points);

class QtCanvas : public Canvas {
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
    // Draws on a white picture of its own (see image()).
    QtCanvas(int width, int height);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // The image drawn on. A copy taken while the canvas lives shares its
    // pixels and sees later drawing; use copy() for a snapshot.
    const QImage& image() const { return *image_; }

    void setPenColour(Colour c) override;
    Colour penColour() const override { return pen_; }
    void setPenWidth(int w) override;
    int penWidth() const override { return penWidth_; }
    void setBrushClear() override;
    void setFontColour(Colour c) override;
    void setFontSize(int points) override;
    void setFontBold(bool bold) override;

    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polyline(const std::vector<IPoint>& points) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void arc(int x1, int y1, int x2, int y2, int sx, int sy, int ex, int ey) override;
    void setPixel(int x, int y, Colour c) override;
    void textOut(int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) override;
    void clear(Colour c) override;

private:
    void begin();
    void useLinePen();
    void useFont();
    // Appends the pixels of a one-pixel line from a to b, b itself excluded,
    // that fall inside the image.
    void thinLinePixels(IPoint a, IPoint b, QList<QPoint>& out) const;
    // Appends the outline pixels of the ellipse that fills columns x1..x2-1
    // and rows y1..y2-1 (x1 < x2, y1 < y2), as far as they come within
    // `margin` of the image.
    void ellipsePixels(int x1, int y1, int x2, int y2, int margin, QList<QPoint>& out) const;
    // Sets the pixels in the pen colour; a wide pen puts a round dot of its
    // width on each.
    void drawPixels(const QList<QPoint>& pixels);

    std::optional<QImage> owned_;
    QImage* image_;
    QPainter painter_;

    IPoint pos_;
    Colour pen_ = colours::black;
    int penWidth_ = 1;
    Colour fontColour_ = colours::black;
    int fontSize_ = kDefaultFontSize;
    bool bold_ = false;
    QFont font_;
    int ascent_ = 0;
    bool fontDirty_ = true;
};

}  // namespace tevrane
