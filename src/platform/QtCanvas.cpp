#include "platform/QtCanvas.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <utility>

#include "model/Format.h"

namespace tevrane {

namespace {

// The font of every picture. The readouts and labels stand at fixed pixel
// positions laid out for a narrow sans-serif face, so a face with the widths
// of Arial comes first; any sans-serif face stands in where none is installed.
constexpr const char* kFontFamily = "Liberation Sans";

QString toQString(const std::string& s) {
    const QString text = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    // Names from older files may be in a single-byte code page rather than
    // UTF-8: show their characters instead of replacement marks.
    if (text.contains(QChar::ReplacementCharacter))
        return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
    return text;
}

// Range of steps i in [0, count) for which c0 + s * i lies in [0, limit).
// Empty when lo > hi.
std::pair<std::int64_t, std::int64_t> stepsInside(std::int64_t c0, int s, std::int64_t limit,
                                                  std::int64_t count) {
    std::int64_t lo = 0;
    std::int64_t hi = count - 1;
    if (s > 0) {
        lo = std::max(lo, -c0);
        hi = std::min(hi, limit - 1 - c0);
    } else {
        lo = std::max(lo, c0 - (limit - 1));
        hi = std::min(hi, c0);
    }
    return {lo, hi};
}

// Cuts the segment a-b to the rectangle [left, right] x [top, bottom]
// (Liang-Barsky). False when nothing of it is inside.
bool clipSegment(QPointF& a, QPointF& b, double left, double top, double right, double bottom) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - left, right - a.x(), a.y() - top, bottom - a.y()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0) return false;
            continue;
        }
        const double r = q[k] / p[k];
        if (p[k] < 0.0) {
            if (r > t1) return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0) return false;
            t1 = std::min(t1, r);
        }
    }
    const QPointF start = a;
    a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

double degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

}  // namespace

int fontPixelSize(int points) {
    // points * 96 / 72 rounded, in integers: 4/3 of a point per pixel.
    const int p = std::clamp(points, 1, 1000);
    return (p * 4 + 1) / 3;
}

QImage QtCanvas::whiteImage(int width, int height) {
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QtCanvas::QtCanvas(QImage& image) : image_(&image) { begin(); }

QtCanvas::QtCanvas(int width, int height) : owned_(whiteImage(width, height)), image_(&*owned_) {
    begin();
}

QtCanvas::~QtCanvas() {
    if (painter_.isActive()) painter_.end();
}

void QtCanvas::begin() {
    // A null image has no surface; every drawing call then does nothing.
    if (image_->isNull() || !painter_.begin(image_)) return;
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setBrush(Qt::NoBrush);
}

void QtCanvas::setPenColour(Colour c) { pen_ = c & 0xFFFFFFu; }

void QtCanvas::setPenWidth(int w) { penWidth_ = w; }

void QtCanvas::setBrushClear() {
    if (painter_.isActive()) painter_.setBrush(Qt::NoBrush);
}

void QtCanvas::setFontColour(Colour c) { fontColour_ = c & 0xFFFFFFu; }

void QtCanvas::setFontSize(int points) {
    if (points != fontSize_) fontDirty_ = true;
    fontSize_ = points;
}

void QtCanvas::setFontBold(bool bold) {
    if (bold != bold_) fontDirty_ = true;
    bold_ = bold;
}

void QtCanvas::useLinePen() {
    // Wide pens end in round caps and meet in round joins, so joined segments
    // show no notches; a one-pixel pen is drawn pixel by pixel instead.
    const int width = std::max(penWidth_, 1);
    painter_.setPen(QPen(toQColor(pen_), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void QtCanvas::useFont() {
    if (fontDirty_) {
        font_ = QFont(QString::fromLatin1(kFontFamily));
        font_.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                           QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
        font_.setStyleHint(QFont::SansSerif);
        font_.setPixelSize(fontPixelSize(fontSize_));
        font_.setBold(bold_);
        font_.setStyleStrategy(QFont::NoAntialias);
        painter_.setFont(font_);
        ascent_ = painter_.fontMetrics().ascent();
        fontDirty_ = false;
    }
    painter_.setPen(QPen(toQColor(fontColour_)));
}

void QtCanvas::thinLinePixels(IPoint a, IPoint b, QList<QPoint>& out) const {
    const std::int64_t dx = static_cast<std::int64_t>(b.x) - a.x;
    const std::int64_t dy = static_cast<std::int64_t>(b.y) - a.y;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    const std::int64_t major = std::max(adx, ady);
    if (major == 0) return;
    const int sx = dx < 0 ? -1 : 1;
    const int sy = dy < 0 ? -1 : 1;
    const bool xMajor = adx >= ady;
    const std::int64_t minor = xMajor ? ady : adx;
    const std::int64_t width = image_->width();
    const std::int64_t height = image_->height();

    // Step i (0 <= i < major) moves one pixel along the major axis and
    // round(i * minor / major) along the other; the end pixel, step major, is
    // left out. Only the steps whose major coordinate is inside the image are
    // walked, so a line running far off the picture costs no more than one
    // across it.
    const auto [lo, hi] = xMajor ? stepsInside(a.x, sx, width, major)
                                 : stepsInside(a.y, sy, height, major);
    for (std::int64_t i = lo; i <= hi; ++i) {
        // (In 128 bits: far-off end points make the product exceed 64 bits.)
        const auto off = static_cast<std::int64_t>(
            (2 * static_cast<__int128>(i) * minor + major) / (2 * static_cast<__int128>(major)));
        const std::int64_t x = xMajor ? a.x + sx * i : a.x + sx * off;
        const std::int64_t y = xMajor ? a.y + sy * off : a.y + sy * i;
        if (x < 0 || x >= width || y < 0 || y >= height) continue;
        out.append(QPoint(static_cast<int>(x), static_cast<int>(y)));
    }
}

void QtCanvas::drawPixels(const QList<QPoint>& pixels) {
    if (pixels.isEmpty()) return;
    if (penWidth_ <= 1)
        painter_.setPen(QPen(toQColor(pen_), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    else
        useLinePen();
    painter_.drawPoints(pixels.constData(), static_cast<int>(pixels.size()));
}

void QtCanvas::ellipsePixels(int x1, int y1, int x2, int y2, int margin,
                             QList<QPoint>& out) const {
    const std::int64_t w = static_cast<std::int64_t>(x2) - x1;
    const std::int64_t h = static_cast<std::int64_t>(y2) - y1;
    const std::int64_t left = std::max<std::int64_t>(x1, -margin);
    const std::int64_t right = std::min<std::int64_t>(x2 - 1LL, image_->width() - 1LL + margin);
    const std::int64_t top = std::max<std::int64_t>(y1, -margin);
    const std::int64_t bottom = std::min<std::int64_t>(y2 - 1LL, image_->height() - 1LL + margin);
    if (left > right || top > bottom) return;
    auto put = [&](std::int64_t x, std::int64_t y) {
        if (x >= left && x <= right && y >= top && y <= bottom)
            out.append(QPoint(static_cast<int>(x), static_cast<int>(y)));
    };

    // One pixel wide or high: the ellipse is the whole box.
    if (w == 1 || h == 1) {
        for (std::int64_t y = top; y <= bottom; ++y)
            for (std::int64_t x = left; x <= right; ++x) put(x, y);
        return;
    }

    // Half-axes between the centres of the outermost pixels.
    const double a = static_cast<double>(w - 1) / 2.0;
    const double b = static_cast<double>(h - 1) / 2.0;
    constexpr std::int32_t kNoLimit = std::numeric_limits<std::int32_t>::max();
    // One pass per column finds the flat parts of the outline, one per row the
    // steep parts; together they leave no gaps. Each pixel is mirrored from
    // its distance to the centre, so the outline is exactly symmetric.
    for (std::int64_t x = left; x <= right; ++x) {
        const double u = std::abs(static_cast<double>(x - x1) - a) / a;
        const double v = b * std::sqrt(std::max(0.0, 1.0 - u * u));
        const std::int64_t j = toInt(b - v, kNoLimit);
        put(x, y1 + j);
        put(x, y1 + (h - 1 - j));
    }
    for (std::int64_t y = top; y <= bottom; ++y) {
        const double v = std::abs(static_cast<double>(y - y1) - b) / b;
        const double u = a * std::sqrt(std::max(0.0, 1.0 - v * v));
        const std::int64_t i = toInt(a - u, kNoLimit);
        put(x1 + i, y);
        put(x1 + (w - 1 - i), y);
    }
}

void QtCanvas::moveTo(int x, int y) { pos_ = {x, y}; }

void QtCanvas::lineTo(int x, int y) {
    const IPoint from = pos_;
    const IPoint to{x, y};
    pos_ = to;
    if (!painter_.isActive() || from == to) return;
    polyline({from, to});
}

void QtCanvas::polyline(const std::vector<IPoint>& points) {
    if (!painter_.isActive() || points.size() < 2) return;
    if (penWidth_ <= 1) {
        // Each segment leaves out its end pixel, which is the next segment's
        // start pixel; so only the polyline's very last pixel stays undrawn.
        QList<QPoint> pixels;
        for (std::size_t k = 1; k < points.size(); ++k)
            thinLinePixels(points[k - 1], points[k], pixels);
        drawPixels(pixels);
        return;
    }
    useLinePen();
    // Segments are clipped to a margin around the image first: coordinates
    // can be far outside the picture when the view is zoomed in.
    const double margin = penWidth_ + 2.0;
    const double right = image_->width() + margin;
    const double bottom = image_->height() + margin;
    for (std::size_t k = 1; k < points.size(); ++k) {
        if (points[k - 1] == points[k]) continue;
        QPointF a(points[k - 1].x, points[k - 1].y);
        QPointF b(points[k].x, points[k].y);
        if (clipSegment(a, b, -margin, -margin, right, bottom)) painter_.drawLine(a, b);
    }
}

void QtCanvas::ellipse(int x1, int y1, int x2, int y2) {
    if (!painter_.isActive()) return;
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x1 == x2 || y1 == y2) return;
    QList<QPoint> pixels;
    ellipsePixels(x1, y1, x2, y2, std::max(penWidth_, 1), pixels);
    drawPixels(pixels);
}

void QtCanvas::arc(int x1, int y1, int x2, int y2, int sx, int sy, int ex, int ey) {
    if (!painter_.isActive()) return;
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x1 == x2 || y1 == y2) return;
    QList<QPoint> outline;
    ellipsePixels(x1, y1, x2, y2, std::max(penWidth_, 1), outline);
    if (outline.isEmpty()) return;

    // Directions from the centre of the ellipse, doubled to stay in integers.
    const std::int64_t cx2 = static_cast<std::int64_t>(x1) + x2 - 1;
    const std::int64_t cy2 = static_cast<std::int64_t>(y1) + y2 - 1;
    const std::int64_t sdx = 2 * static_cast<std::int64_t>(sx) - cx2;
    const std::int64_t sdy = 2 * static_cast<std::int64_t>(sy) - cy2;
    const std::int64_t edx = 2 * static_cast<std::int64_t>(ex) - cx2;
    const std::int64_t edy = 2 * static_cast<std::int64_t>(ey) - cy2;
    // Both radials the same way: the arc closes on itself, the whole ellipse.
    // (Products in 128 bits: the points may be anywhere in the int range.)
    using Wide = __int128;
    const bool sameRadial =
        Wide(sdx) * edy == Wide(sdy) * edx && Wide(sdx) * edx + Wide(sdy) * edy >= 0;
    if (sameRadial) {
        drawPixels(outline);
        return;
    }

    // Angles counter-clockwise on the screen: rows grow downwards, so the
    // vertical component is negated.
    auto angle = [](double dx, double dy) { return degrees(std::atan2(-dy, dx)); };
    auto sweep = [](double from, double to) {  // counter-clockwise, [0, 360)
        double d = std::fmod(to - from, 360.0);
        return d < 0.0 ? d + 360.0 : d;
    };
    const double start = angle(static_cast<double>(sdx), static_cast<double>(sdy));
    const double span = sweep(start, angle(static_cast<double>(edx), static_cast<double>(edy)));
    constexpr double kSlack = 1e-9;  // a pixel exactly on a radial belongs to the arc
    QList<QPoint> pixels;
    for (const QPoint& p : outline) {
        const double dx = 2.0 * p.x() - static_cast<double>(cx2);
        const double dy = 2.0 * p.y() - static_cast<double>(cy2);
        const double d = sweep(start, angle(dx, dy));
        if (d <= span + kSlack || d >= 360.0 - kSlack) pixels.append(p);
    }
    drawPixels(pixels);
}

void QtCanvas::setPixel(int x, int y, Colour c) {
    if (!painter_.isActive() || x < 0 || y < 0 || x >= image_->width() || y >= image_->height())
        return;
    painter_.fillRect(x, y, 1, 1, toQColor(c));
}

void QtCanvas::textOut(int x, int y, const std::string& text) {
    if (!painter_.isActive() || text.empty()) return;
    useFont();
    // Text starting right of or below the picture cannot show.
    if (x >= image_->width() || y >= image_->height()) return;
    // Qt places text by its baseline; the ascent above it puts the cell's top
    // edge at y.
    painter_.drawText(QPoint(x, y + ascent_), toQString(text));
}

int QtCanvas::textWidth(const std::string& text) {
    if (!painter_.isActive() || text.empty()) return 0;
    useFont();
    return painter_.fontMetrics().horizontalAdvance(toQString(text));
}

void QtCanvas::clear(Colour c) {
    if (!painter_.isActive()) return;
    painter_.fillRect(image_->rect(), toQColor(c));
}

}  // namespace tevrane
