// The drawing canvas on any Qt paint device through a plain QPainter: an SVG
// or PDF file, a printer. Lines, ellipses, arcs and texts stay lines,
// ellipses, arcs and texts, in the fonts, colours and pen widths of the
// screen (QtCanvas), so a vector picture is the screen picture drawn without
// pixels. Coordinates are picture pixels; the painter's transform places the
// picture on the device. A one-pixel shape is drawn through the middle of its
// pixels, so the outlines lie where the screen puts them.
#pragma once

#include <QFont>
#include <QPainter>

#include "platform/Canvas.h"
#include "platform/InkTiles.h"

namespace tevrane {

class QtPainterCanvas : public CanvasWithPen {
public:
    // Draws a picture of width x height pixels with a painter that is active
    // on its device. Nothing is drawn outside the picture.
    QtPainterCanvas(QPainter& painter, int width, int height);

    void setBrushClear() override { painter_.setBrush(Qt::NoBrush); }

    void lineTo(int x, int y) override;
    void polyline(const std::vector<IPoint>& points) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void arc(int x1, int y1, int x2, int y2, int sx, int sy, int ex, int ey) override;
    void setPixel(int x, int y, Colour c) override;
    void textOut(int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) override;
    void clear(Colour c) override;

    // From now on every tile of `tiles` (a grid of the device's pixels,
    // `scale` of them to a picture pixel) that a shape or text reaches into
    // is marked, so a picture drawn again each frame need be cleared and
    // compared only there. Null stops it.
    void trackInk(InkTiles* tiles, double scale) {
        ink_ = tiles;
        inkScale_ = scale;
    }

private:
    // Marks the tiles of a box or of a line (with the pen's reach) given in
    // picture pixels; nothing while no grid is tracked.
    void inkBox(double left, double top, double right, double bottom);
    void inkLine(QPointF a, QPointF b);
    // The outline of the ellipse in the box, as short chords.
    void inkEllipse(const QRectF& box);
    void usePen();
    const QFont& font();
    // Whether a box of the picture's pixels reaches into the picture.
    bool reaches(double left, double top, double right, double bottom) const;

    QPainter& painter_;
    int width_, height_;
    QFont font_;
    int ascent_ = 0;
    InkTiles* ink_ = nullptr;
    double inkScale_ = 1.0;
};

}  // namespace tevrane
