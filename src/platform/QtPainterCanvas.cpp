#include "platform/QtPainterCanvas.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/QtCanvas.h"

namespace tevrane {

namespace {

// The middle of a pixel.
QPointF centre(IPoint p) { return {p.x + 0.5, p.y + 0.5}; }

}  // namespace

QtPainterCanvas::QtPainterCanvas(QPainter& painter, int width, int height)
    : painter_(painter), width_(std::max(width, 0)), height_(std::max(height, 0)) {
    painter_.setClipRect(QRectF(0, 0, width_, height_), Qt::IntersectClip);
    // Smooth edges where the device has pixels at all (the print preview):
    // the file formats keep the shapes themselves.
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setBrush(Qt::NoBrush);
}

const QFont& QtPainterCanvas::font() {
    if (takeFontChange()) {
        const PenAndFont& s = style();
        font_ = pictureFont(s.fontSize, s.bold, s.textScaleX, s.textScaleY);
        // Placed and measured as on the screen, whatever the device's
        // resolution.
        ascent_ = QFontMetrics(font_).ascent();
    }
    return font_;
}

void QtPainterCanvas::usePen() {
    // As on the screen: a wide pen has round ends and joins; a one-pixel
    // line covers its pixels, square ended.
    const int width = std::max(penWidth(), 1);
    const QColor colour = toQColor(penColour());
    painter_.setPen(width > 1 ? QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                              : QPen(colour, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter_.setBrush(Qt::NoBrush);
}

void QtPainterCanvas::inkBox(double left, double top, double right, double bottom) {
    if (!ink_) return;
    // Smoothed edges spill a pixel past the shape.
    const double k = inkScale_;
    ink_->markRect(static_cast<long long>(std::floor(left * k)) - 2, static_cast<long long>(std::floor(top * k)) - 2,
                   static_cast<long long>(std::ceil(right * k)) + 2, static_cast<long long>(std::ceil(bottom * k)) + 2);
}

void QtPainterCanvas::inkLine(QPointF a, QPointF b) {
    if (!ink_) return;
    const double k = inkScale_;
    // Half the pen's width, its round cap and the smoothed edge.
    const double reach = (std::max(penWidth(), 1) / 2.0 + 1.0) * k + 2.0;
    ink_->markSegment(a.x() * k, a.y() * k, b.x() * k, b.y() * k, reach);
}

void QtPainterCanvas::inkEllipse(const QRectF& box) {
    if (!ink_) return;
    // Chords of at most eight device pixels stand within a small fraction
    // of a pixel of the curve, well inside the reach every chord is given.
    const double perimeter = std::numbers::pi * (box.width() + box.height()) * inkScale_;
    const int n = std::clamp(static_cast<int>(std::ceil(perimeter / 8.0)), 16, 100000);
    const QPointF c = box.center();
    const double a = box.width() / 2.0, b = box.height() / 2.0;
    QPointF last(c.x() + a, c.y());
    for (int i = 1; i <= n; ++i) {
        const double t = 2.0 * std::numbers::pi * i / n;
        const QPointF next(c.x() + a * std::cos(t), c.y() + b * std::sin(t));
        // Only the chords that reach the picture mark anything.
        const QRectF span = QRectF(last, next).normalized();
        if (reaches(span.left(), span.top(), span.right(), span.bottom())) inkLine(last, next);
        last = next;
    }
}

bool QtPainterCanvas::reaches(double left, double top, double right, double bottom) const {
    const double margin = std::max(penWidth(), 1) + 2.0;
    return right >= -margin && bottom >= -margin && left <= width_ + margin && top <= height_ + margin;
}

void QtPainterCanvas::lineTo(int x, int y) {
    const IPoint from = pos_;
    pos_ = {x, y};
    if (from != pos_) polyline({from, pos_});
}

void QtPainterCanvas::polyline(const std::vector<IPoint>& points) {
    if (points.size() < 2) return;
    usePen();
    // A zoomed-in view puts points far outside the picture; such a line is
    // cut to the picture segment by segment, since a device need not cope
    // with coordinates in the millions.
    const double far = 4.0 * (width_ + height_) + 100.0;
    const bool near = std::all_of(points.begin(), points.end(), [&](IPoint p) {
        return std::abs(static_cast<double>(p.x)) < far && std::abs(static_cast<double>(p.y)) < far;
    });
    if (near) {
        QPolygonF line;
        line.reserve(static_cast<qsizetype>(points.size()));
        for (IPoint p : points) line.append(centre(p));
        for (qsizetype k = 1; k < line.size(); ++k) {
            QPointF a = line[k - 1], b = line[k];
            const double margin = std::max(penWidth(), 1) + 2.0;
            if (clipSegment(a, b, -margin, -margin, width_ + margin, height_ + margin)) inkLine(a, b);
        }
        painter_.drawPolyline(line);
        return;
    }
    const double margin = std::max(penWidth(), 1) + 2.0;
    for (std::size_t k = 1; k < points.size(); ++k) {
        QPointF a = centre(points[k - 1]);
        QPointF b = centre(points[k]);
        if (a != b && clipSegment(a, b, -margin, -margin, width_ + margin, height_ + margin)) {
            inkLine(a, b);
            painter_.drawLine(a, b);
        }
    }
}

void QtPainterCanvas::ellipse(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    const double w = static_cast<double>(x2) - x1;
    const double h = static_cast<double>(y2) - y1;
    if (w == 0 || h == 0 || !reaches(x1, y1, x2, y2)) return;
    if (w == 1 || h == 1) {  // the whole box, as on the screen
        inkBox(x1, y1, x1 + w, y1 + h);
        painter_.fillRect(QRectF(x1, y1, w, h), toQColor(penColour()));
        return;
    }
    usePen();
    inkEllipse(QRectF(x1 + 0.5, y1 + 0.5, w - 1, h - 1));
    painter_.drawEllipse(QRectF(x1 + 0.5, y1 + 0.5, w - 1, h - 1));
}

void QtPainterCanvas::arc(int x1, int y1, int x2, int y2, int sx, int sy, int ex, int ey) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    const double w = static_cast<double>(x2) - x1;
    const double h = static_cast<double>(y2) - y1;
    if (w == 0 || h == 0 || !reaches(x1, y1, x2, y2)) return;
    if (w == 1 || h == 1) {
        inkBox(x1, y1, x1 + w, y1 + h);
        painter_.fillRect(QRectF(x1, y1, w, h), toQColor(penColour()));
        return;
    }
    // Qt measures an ellipse's angles on the circle it is squeezed from, so
    // each radial's direction is divided by the half-axes first; angles run
    // counter-clockwise on the screen, where rows grow downwards.
    const double a = (w - 1) / 2.0;
    const double b = (h - 1) / 2.0;
    const double cx = x1 + 0.5 + a;
    const double cy = y1 + 0.5 + b;
    auto angle = [&](int x, int y) {
        return std::atan2(-(y + 0.5 - cy) / b, (x + 0.5 - cx) / a) * 180.0 / std::numbers::pi;
    };
    const double start = angle(sx, sy);
    double span = std::fmod(angle(ex, ey) - start, 360.0);
    if (span < 0) span += 360.0;
    // Both radials the same way: the arc closes on itself.
    if (span < 1e-9) span = 360.0;
    const QRectF box(x1 + 0.5, y1 + 0.5, w - 1, h - 1);
    QPainterPath path;
    path.arcMoveTo(box, start);
    path.arcTo(box, start, span);
    usePen();
    // The whole ellipse is marked: an arc is part of it.
    inkEllipse(box);
    painter_.drawPath(path);
}

void QtPainterCanvas::setPixel(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    inkBox(x, y, x + 1, y + 1);
    painter_.fillRect(QRectF(x, y, 1, 1), toQColor(c));
}

void QtPainterCanvas::textOut(int x, int y, const std::string& text) {
    // Text starting right of or below the picture cannot show.
    if (text.empty() || x >= width_ || y >= height_) return;
    painter_.setFont(font());
    painter_.setPen(QPen(toQColor(style().font)));
    // Blanks before a piece of text and runs of them inside it become
    // distances: the figures of the readouts and lists are right-aligned by
    // leading blanks, and some viewers of a drawing close those up.
    const QString s = pictureText(text);
    const QFontMetricsF metrics(font_);
    // Letters may reach a little past their advance and below the line.
    inkBox(x - metrics.height() / 2.0, y - metrics.height() / 2.0,
           x + metrics.horizontalAdvance(s) + metrics.height() / 2.0, y + 1.5 * metrics.height());
    const qsizetype n = s.size();
    qsizetype start = 0;
    while (true) {
        while (start < n && s[start] == QLatin1Char(' ')) ++start;
        if (start == n) break;
        qsizetype end = start + 1;
        while (end < n && !(s[end] == QLatin1Char(' ') && (end + 1 == n || s[end + 1] == QLatin1Char(' '))))
            ++end;
        painter_.drawText(QPointF(x + metrics.horizontalAdvance(s.left(start)), y + ascent_),
                          s.mid(start, end - start));
        start = end;
    }
}

int QtPainterCanvas::textWidth(const std::string& text) {
    if (text.empty()) return 0;
    return QFontMetrics(font()).horizontalAdvance(pictureText(text));
}

void QtPainterCanvas::clear(Colour c) {
    inkBox(0, 0, width_, height_);
    painter_.fillRect(QRectF(0, 0, width_, height_), toQColor(c));
}

}  // namespace tevrane
