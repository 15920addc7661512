#include "platform/QtCanvas.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numbers>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/Format.h"

namespace tevrane {

namespace {

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


// round(i * minor / major) for i = first, first + 1, ... (0 <= minor <=
// major, major > 0; halves round up): the steps a line takes across its major
// axis. Only the first is divided out, in 128 bits since far-off end points
// make the product exceed 64; each next one adds to a remainder, which moves
// the offset on by at most one.
struct MinorSteps {
    MinorSteps(std::int64_t first, std::int64_t minor, std::int64_t major)
        : add(2 * minor), den(2 * major) {
        const __int128 num = 2 * static_cast<__int128>(first) * minor + major;
        offset = static_cast<std::int64_t>(num / den);
        rest = static_cast<std::int64_t>(num % den);
    }
    void next() {
        rest += add;
        if (rest >= den) {
            rest -= den;
            ++offset;
        }
    }
    std::int64_t offset = 0;

private:
    std::int64_t add, den, rest = 0;
};

// The 32-bit formats whose pixels are one 0xAARRGGBB word each: there an
// opaque colour is written as it is.
bool isWordFormat(QImage::Format f) {
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
           f == QImage::Format_ARGB32_Premultiplied;
}

quint32 wordOf(Colour c) { return qRgb(static_cast<int>(redOf(c)), static_cast<int>(greenOf(c)),
                                       static_cast<int>(blueOf(c))); }

// Sets `count` pixels from `row` on to `word`. Opaque white is one byte
// repeated, which the C library writes several times faster than a loop of
// words; every frame clears its last drawing to white.
void fillWords(quint32* row, qsizetype count, quint32 word) {
    const quint32 low = word & 0xFFu;
    if (word == low * 0x01010101u)
        std::memset(row, static_cast<int>(low), static_cast<std::size_t>(count) * sizeof(quint32));
    else
        std::fill(row, row + count, word);
}

}  // namespace

int fontPixelSize(int points) {
    // points * 96 / 72 rounded, in integers: 4/3 of a point per pixel.
    const int p = std::clamp(points, 1, 1000);
    return (p * 4 + 1) / 3;
}

QString pictureText(const std::string& s) {
    const QString text = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    // Names from older files may be in a single-byte code page rather than
    // UTF-8: show their characters instead of replacement marks.
    if (text.contains(QChar::ReplacementCharacter))
        return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
    return text;
}

QFont pictureFont(int points, bool bold, float scaleX, float scaleY, int deviceScale) {
    const int base = fontPixelSize(points);
    // The height follows the vertical factor; the horizontal one stretches
    // the letters on top of that, so a text grows by both factors.
    const int pixels = std::max(1, static_cast<int>(std::lround(base * scaleY)));
    const int devicePixels = pixels * std::clamp(deviceScale, 1, 8);
    const int stretch = std::clamp(
        static_cast<int>(std::lround(100.0 * base * scaleX / pixels)), 1, 4000);
    // The readouts and labels stand at fixed pixel positions laid out for a
    // narrow sans-serif face, so a face with the widths of Arial comes first;
    // any sans-serif face stands in where none is installed.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(devicePixels);
    if (stretch != 100) font.setStretch(stretch);
    font.setBold(bold);
    // Smoothed letters, fitted to the pixel grid only vertically: the
    // letters keep the widths and spacing the face was designed with (full
    // hinting at 11 pixels pulls them apart into "Cham ber"), while the
    // baseline and the tops of the letters stay sharp.
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setKerning(true);
    return font;
}

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


void fillRect(QImage& image, const QRect& rect, Colour c) {
    const QRect r = rect.intersected(image.rect());
    if (r.isEmpty()) return;
    if (isWordFormat(image.format())) {
        const quint32 word = wordOf(c);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* row = reinterpret_cast<quint32*>(image.scanLine(y));
            fillWords(row + r.left(), r.width(), word);
        }
        return;
    }
    QPainter p(&image);
    p.fillRect(r, toQColor(c));
}

namespace {

// Whether rows y0..y1 of two images of one format hold the same `bytes`
// from column x0. Most tiles both frames drew in are unchanged (the wheel,
// the cylinder, the labels) and must be read through: a whole tile row is
// taken eight bytes at a time without a library call per row, which the
// compiler turns into wide loads.
bool sameRows(const QImage& a, const QImage& b, int x0, int y0, int y1, std::size_t bytes) {
    constexpr std::size_t kWords = InkTiles::kTileWidth * 4 / sizeof(std::uint64_t);
    if (bytes != kWords * sizeof(std::uint64_t)) {
        for (int y = y0; y <= y1; ++y)
            if (std::memcmp(a.constScanLine(y) + x0 * 4, b.constScanLine(y) + x0 * 4, bytes) != 0) return false;
        return true;
    }
    const uchar* rowA = a.constScanLine(y0) + x0 * 4;
    const uchar* rowB = b.constScanLine(y0) + x0 * 4;
    const qsizetype strideA = a.bytesPerLine(), strideB = b.bytesPerLine();
    for (int y = y0; y <= y1; ++y, rowA += strideA, rowB += strideB) {
        std::uint64_t differ = 0;
        for (std::size_t i = 0; i < kWords; ++i) {
            std::uint64_t wa, wb;  // (loads that need no alignment)
            std::memcpy(&wa, rowA + i * sizeof wa, sizeof wa);
            std::memcpy(&wb, rowB + i * sizeof wb, sizeof wb);
            differ |= wa ^ wb;
        }
        if (differ != 0) return false;
    }
    return true;
}

}  // namespace

QRegion changedTiles(const QImage& before, const QImage& after, const QRect& area) {
    const QRect r = area.intersected(before.rect()).intersected(after.rect());
    if (r.isEmpty()) return {};
    if (before.size() != after.size() || before.format() != after.format() ||
        !isWordFormat(before.format()))
        return QRegion(r);
    std::vector<QRect> rects;
    const int firstColumn = r.left() / kChangeTileWidth;
    const int lastColumn = r.right() / kChangeTileWidth;
    for (int top = r.top() / kChangeTileHeight * kChangeTileHeight; top <= r.bottom();
         top += kChangeTileHeight) {
        const int y0 = std::max(top, r.top());
        const int y1 = std::min(top + kChangeTileHeight - 1, r.bottom());
        int runStart = -1;  // first column of a run of changed tiles
        for (int column = firstColumn; column <= lastColumn + 1; ++column) {
            bool changed = false;
            if (column <= lastColumn) {
                const int x0 = std::max(column * kChangeTileWidth, r.left());
                const int x1 = std::min(column * kChangeTileWidth + kChangeTileWidth - 1, r.right());
                const std::size_t bytes = static_cast<std::size_t>(x1 - x0 + 1) * 4;
                for (int y = y0; y <= y1 && !changed; ++y)
                    changed = std::memcmp(before.constScanLine(y) + x0 * 4,
                                          after.constScanLine(y) + x0 * 4, bytes) != 0;
            }
            if (changed && runStart < 0) runStart = column;
            if (!changed && runStart >= 0) {
                const int x0 = std::max(runStart * kChangeTileWidth, r.left());
                const int x1 = std::min(column * kChangeTileWidth - 1, r.right());
                rects.emplace_back(QPoint(x0, y0), QPoint(x1, y1));
                runStart = -1;
            }
        }
    }
    // The runs come in bands from the top and left to right in each band,
    // none overlapping: the order a region is built from.
    QRegion region;
    if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

QRegion changedTiles(const QImage& before, const QImage& after, const InkTiles& beforeInk,
                     const InkTiles& afterInk) {
    if (before.size() != after.size() || before.format() != after.format() || !isWordFormat(before.format()) ||
        beforeInk.width() != before.width() || beforeInk.height() != before.height() ||
        afterInk.width() != before.width() || afterInk.height() != before.height())
        return changedTiles(before, after, before.rect().united(after.rect()));
    const InkTiles& where = beforeInk;
    constexpr int tw = InkTiles::kTileWidth, th = InkTiles::kTileHeight;
    std::vector<QRect> rects;
    for (int row = 0; row < where.rows(); ++row) {
        const int y0 = row * th;
        const int y1 = std::min(y0 + th, before.height()) - 1;
        int runStart = -1;  // first column of a run of changed tiles
        for (int column = 0; column <= where.columns(); ++column) {
            bool changed = false;
            const bool inBefore = column < where.columns() && beforeInk.marked(column, row);
            const bool inAfter = column < where.columns() && afterInk.marked(column, row);
            // Ink in one picture only: the other is white there, so the tile
            // changed (or, where a mark was generous, is repainted as it is).
            if (inBefore != inAfter) {
                changed = true;
            } else if (inBefore) {
                const int x0 = column * tw;
                const std::size_t bytes = static_cast<std::size_t>(std::min(x0 + tw, before.width()) - x0) * 4;
                changed = !sameRows(before, after, x0, y0, y1, bytes);
            }
            if (changed && runStart < 0) runStart = column;
            if (!changed && runStart >= 0) {
                rects.emplace_back(QPoint(runStart * tw, y0), QPoint(std::min(column * tw, before.width()) - 1, y1));
                runStart = -1;
            }
        }
    }
    QRegion region;
    if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

void fillTiles(QImage& image, const InkTiles& where, Colour c) {
    if (where.width() != image.width() || where.height() != image.height() || !isWordFormat(image.format())) {
        fillRect(image, image.rect(), c);
        return;
    }
    constexpr int tw = InkTiles::kTileWidth, th = InkTiles::kTileHeight;
    const quint32 word = wordOf(c);
    for (int row = 0; row < where.rows(); ++row) {
        const int y0 = row * th, y1 = std::min(y0 + th, image.height());
        for (int column = 0; column < where.columns();) {
            if (!where.marked(column, row)) {
                ++column;
                continue;
            }
            int end = column;  // a run of marked tiles is filled row by row at once
            while (end < where.columns() && where.marked(end, row)) ++end;
            const int x0 = column * tw, x1 = std::min(end * tw, image.width());
            for (int y = y0; y < y1; ++y)
                fillWords(reinterpret_cast<quint32*>(image.scanLine(y)) + x0, x1 - x0, word);
            column = end;
        }
    }
}

// A text as it looks in one font and colour: its letters drawn on white and
// cut to their ink, and where that ink starts from the text's top-left corner.
// Laying out and smoothing a text costs far more than copying its pixels, and
// a picture redrawn every frame writes mostly the same texts, so the canvas
// keeps them.
struct QtCanvas::TextImage {
    QImage ink;  // null when the text leaves no ink (blanks only)
    int dx = 0, dy = 0;
};

namespace {

// The texts drawn lately, by text, font and colour. When it is full it starts
// afresh: the texts of a running picture come back within one turn of the
// wheel, and rebuilding them costs less than remembering which are old.
class TextCache {
public:
    static constexpr std::size_t kMaxTexts = 4096;

    template <class Make>
    const QtCanvas::TextImage& get(const std::string& key, Make&& make) {
        auto it = texts_.find(key);
        if (it != texts_.end()) return it->second;
        if (texts_.size() >= kMaxTexts) texts_.clear();
        return texts_.emplace(key, make()).first->second;
    }

private:
    std::unordered_map<std::string, QtCanvas::TextImage> texts_;
};

TextCache& textCache() {
    thread_local TextCache cache;
    return cache;
}

}  // namespace

QImage QtCanvas::whiteImage(int width, int height) {
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QtCanvas::QtCanvas(QImage& image) : image_(&image) { begin(1); }

QtCanvas::QtCanvas(QImage& image, int scale) : image_(&image) { begin(std::clamp(scale, 1, 8)); }

QtCanvas::QtCanvas(int width, int height) : owned_(whiteImage(width, height)), image_(&*owned_) {
    begin(1);
}

QtCanvas::~QtCanvas() {
    if (painter_.isActive()) painter_.end();
}

void QtCanvas::begin(int scale) {
    // A null image has no surface; every drawing call then does nothing.
    if (image_->isNull()) return;
    uchar* bits = isWordFormat(image_->format()) ? image_->bits() : nullptr;
    if (!painter_.begin(image_)) return;
    valid_ = true;
    scale_ = scale;
    devWidth_ = image_->width();
    devHeight_ = image_->height();
    width_ = devWidth_ / scale_;
    height_ = devHeight_ / scale_;
    ink_.reset(devWidth_, devHeight_);
    // The painter's shapes (wide pens, other formats) are given in picture
    // pixels; whatever the image's own ratio, one picture pixel is `scale`
    // of its pixels.
    painter_.resetTransform();
    const qreal own = image_->devicePixelRatio();
    if (scale_ != 1 || own != 1.0) painter_.setWorldTransform(QTransform::fromScale(scale_ / own, scale_ / own));
    // Writing into the rows is safe only while they are the ones the
    // painter draws on.
    if (bits && image_->constBits() == bits) {
        bits_ = bits;
        stride_ = image_->bytesPerLine();
    }
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setBrush(Qt::NoBrush);
}

QRect QtCanvas::touched() const {
    if (boxLeft_ > boxRight_ || boxTop_ > boxBottom_) return {};
    return QRect(QPoint(boxLeft_, boxTop_), QPoint(boxRight_, boxBottom_));
}

void QtCanvas::touch(long long left, long long top, long long right, long long bottom) {
    left = std::max(left, 0LL);
    top = std::max(top, 0LL);
    right = std::min(right, devWidth_ - 1LL);
    bottom = std::min(bottom, devHeight_ - 1LL);
    if (left > right || top > bottom) return;
    boxLeft_ = std::min(boxLeft_, static_cast<int>(left));
    boxTop_ = std::min(boxTop_, static_cast<int>(top));
    boxRight_ = std::max(boxRight_, static_cast<int>(right));
    boxBottom_ = std::max(boxBottom_, static_cast<int>(bottom));
    ink_.markRect(left, top, right, bottom);
}

void QtCanvas::touchBox(long long left, long long top, long long right, long long bottom) {
    boxLeft_ = std::min(boxLeft_, static_cast<int>(left));
    boxTop_ = std::min(boxTop_, static_cast<int>(top));
    boxRight_ = std::max(boxRight_, static_cast<int>(right));
    boxBottom_ = std::max(boxBottom_, static_cast<int>(bottom));
}

void QtCanvas::touchPicture(long long left, long long top, long long right, long long bottom) {
    const long long k = scale_;
    touch(left * k, top * k, right * k + k - 1, bottom * k + k - 1);
}

void QtCanvas::touchSegment(const QPointF& a, const QPointF& b, double reach) {
    // In the image's own pixels from here on.
    const double k = scale_;
    const QPointF da = a * k, db = b * k;
    const double r = reach * k;
    const auto left = static_cast<long long>(std::floor(std::min(da.x(), db.x()) - r));
    const auto top = static_cast<long long>(std::floor(std::min(da.y(), db.y()) - r));
    const auto right = static_cast<long long>(std::ceil(std::max(da.x(), db.x()) + r));
    const auto bottom = static_cast<long long>(std::ceil(std::max(da.y(), db.y()) + r));
    if (std::max(left, 0LL) > std::min(right, devWidth_ - 1LL) ||
        std::max(top, 0LL) > std::min(bottom, devHeight_ - 1LL))
        return;
    boxLeft_ = std::min(boxLeft_, static_cast<int>(std::max(left, 0LL)));
    boxTop_ = std::min(boxTop_, static_cast<int>(std::max(top, 0LL)));
    boxRight_ = std::max(boxRight_, static_cast<int>(std::min(right, devWidth_ - 1LL)));
    boxBottom_ = std::max(boxBottom_, static_cast<int>(std::min(bottom, devHeight_ - 1LL)));
    ink_.markSegment(da.x(), da.y(), db.x(), db.y(), r);
}

void QtCanvas::setPenColour(Colour c) {
    CanvasWithPen::setPenColour(c);
    penPixel_ = wordOf(penColour());
}

void QtCanvas::setBrushClear() {
    if (painter_.isActive()) painter_.setBrush(Qt::NoBrush);
}

void QtCanvas::useLinePen() {
    // Wide pens end in round caps and meet in round joins, so joined segments
    // show no notches; a one-pixel pen is drawn pixel by pixel instead.
    const int width = std::max(penWidth(), 1);
    painter_.setPen(QPen(toQColor(penColour()), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void QtCanvas::useFont() {
    if (!takeFontChange()) return;
    const PenAndFont& s = style();
    // Texts are measured and placed as at one device pixel to a picture
    // pixel, so a picture keeps its layout on every screen; only their
    // letters are drawn finer.
    metricFont_ = pictureFont(s.fontSize, s.bold, s.textScaleX, s.textScaleY);
    font_ = scale_ == 1 ? metricFont_ : pictureFont(s.fontSize, s.bold, s.textScaleX, s.textScaleY, scale_);
    ascent_ = QFontMetrics(metricFont_).ascent();
}

template <class Visit>
void QtCanvas::linePixels(IPoint a, IPoint b, Visit&& visit) const {
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
    const std::int64_t width = width_;
    const std::int64_t height = height_;

    // Step i (0 <= i < major) moves one pixel along the major axis and
    // round(i * minor / major) along the other; the end pixel, step major, is
    // left out. Only the steps whose major coordinate is inside the image are
    // walked, so a line running far off the picture costs no more than one
    // across it.
    const auto [lo, hi] = xMajor ? stepsInside(a.x, sx, width, major)
                                 : stepsInside(a.y, sy, height, major);
    MinorSteps steps(lo, minor, major);
    for (std::int64_t i = lo; i <= hi; ++i, steps.next()) {
        const std::int64_t off = steps.offset;
        const std::int64_t x = xMajor ? a.x + sx * i : a.x + sx * off;
        const std::int64_t y = xMajor ? a.y + sy * off : a.y + sy * i;
        if (x < 0 || x >= width || y < 0 || y >= height) continue;
        visit(static_cast<int>(x), static_cast<int>(y));
    }
}

void QtCanvas::deviceLine(IPoint a, IPoint b) {
    const std::int64_t k = scale_;
    const std::int64_t dx = static_cast<std::int64_t>(b.x) - a.x;
    const std::int64_t dy = static_cast<std::int64_t>(b.y) - a.y;
    if (dx == 0 && dy == 0) return;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    // The line runs along its major axis through the device pixels of its
    // picture pixels: from the start pixel's first device column (its last,
    // running backwards) to the end pixel's, which is left out. Across, a
    // band of `scale` device pixels stands on each step.
    const int sMajor = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t back = sMajor < 0 ? k - 1 : 0;
    const std::int64_t majorFrom = (xMajor ? a.x : a.y) * k + back;
    const std::int64_t minorFrom = (xMajor ? a.y : a.x) * k;
    const std::int64_t major = (xMajor ? (dx < 0 ? -dx : dx) : (dy < 0 ? -dy : dy)) * k;
    const std::int64_t minorSpan = (xMajor ? dy : dx) * k;
    const std::int64_t minor = minorSpan < 0 ? -minorSpan : minorSpan;
    const int sMinor = minorSpan < 0 ? -1 : 1;
    const std::int64_t majorLimit = xMajor ? devWidth_ : devHeight_;
    const std::int64_t minorLimit = xMajor ? devHeight_ : devWidth_;
    // Only the steps inside the image are walked, so a line running far off
    // the picture costs no more than one across it.
    const auto [lo, hi] = stepsInside(majorFrom, sMajor, majorLimit, major);
    // Steps and the bands across them, in the image's own (major, minor)
    // axes; the ink marks the band's two ends, whose tiles hold all of it.
    const quint32 word = penPixel_;
    const qsizetype stepMajor = xMajor ? 4 : stride_;
    const qsizetype stepMinor = xMajor ? stride_ : 4;
    std::int64_t minAlong = INT64_MAX, maxAlong = INT64_MIN, minAcross = INT64_MAX, maxAcross = INT64_MIN;
    MinorSteps steps(lo, minor, major);
    for (std::int64_t i = lo; i <= hi; ++i, steps.next()) {
        const std::int64_t off = steps.offset;
        const std::int64_t along = majorFrom + sMajor * i;
        const std::int64_t across = minorFrom + sMinor * off;
        const std::int64_t first = std::max<std::int64_t>(across, 0);
        const std::int64_t last = std::min<std::int64_t>(across + k - 1, minorLimit - 1);
        if (first > last) continue;
        uchar* p = bits_ + along * stepMajor + first * stepMinor;
        for (std::int64_t c = first; c <= last; ++c, p += stepMinor) *reinterpret_cast<quint32*>(p) = word;
        if (xMajor) {
            ink_.mark(static_cast<int>(along), static_cast<int>(first));
            ink_.mark(static_cast<int>(along), static_cast<int>(last));
        } else {
            ink_.mark(static_cast<int>(first), static_cast<int>(along));
            ink_.mark(static_cast<int>(last), static_cast<int>(along));
        }
        minAlong = std::min(minAlong, along);
        maxAlong = std::max(maxAlong, along);
        minAcross = std::min(minAcross, first);
        maxAcross = std::max(maxAcross, last);
    }
    if (minAlong > maxAlong) return;
    if (xMajor)
        touchBox(minAlong, minAcross, maxAlong, maxAcross);
    else
        touchBox(minAcross, minAlong, maxAcross, maxAlong);
}

void QtCanvas::putRun(int x, int y, int w, int h) {
    const quint32 word = penPixel_;
    for (int row = y; row < y + h; ++row) {
        auto* line = reinterpret_cast<quint32*>(bits_ + row * stride_) + x;
        for (int col = 0; col < w; ++col) line[col] = word;
    }
    // A run is at most a few pixels each way: its corners reach every tile
    // it lies in.
    const int right = x + w - 1, bottom = y + h - 1;
    ink_.mark(x, y);
    ink_.mark(right, y);
    ink_.mark(x, bottom);
    ink_.mark(right, bottom);
    boxLeft_ = std::min(boxLeft_, x);
    boxRight_ = std::max(boxRight_, right);
    boxTop_ = std::min(boxTop_, y);
    boxBottom_ = std::max(boxBottom_, bottom);
}

void QtCanvas::putBlock(std::int64_t x, std::int64_t y) {
    const std::int64_t x0 = std::max<std::int64_t>(x, 0), x1 = std::min<std::int64_t>(x + scale_, devWidth_);
    const std::int64_t y0 = std::max<std::int64_t>(y, 0), y1 = std::min<std::int64_t>(y + scale_, devHeight_);
    if (x0 < x1 && y0 < y1)
        putRun(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0));
}

template <class Keep>
void QtCanvas::directOutline(int x1, int y1, int x2, int y2, Keep&& keep) {
    // The outline is drawn one device pixel wide in a box `scale` - 1
    // device pixels short of the picture's box, and each of its pixels
    // grows into a square of the pen's thickness: the outside of the ring
    // is the picture box's edge, in device pixels.
    const std::int64_t k = scale_;
    const std::int64_t X1 = x1 * k, Y1 = y1 * k;
    const std::int64_t X2 = static_cast<std::int64_t>(x2) * k - (k - 1);
    const std::int64_t Y2 = static_cast<std::int64_t>(y2) * k - (k - 1);
    ellipsePixels(X1, Y1, X2, Y2, static_cast<int>(k), [&](int x, int y) {
        if (!keep(x, y, X1 + X2 - 1, Y1 + Y2 - 1)) return;
        if (k == 1) {
            if (x >= 0 && y >= 0 && x < devWidth_ && y < devHeight_) putPixel(x, y);
        } else {
            putBlock(x, y);
        }
    });
}

void QtCanvas::drawPixels(const QList<QPoint>& pixels) {
    if (pixels.isEmpty()) return;
    // A wide pen's dot reaches half its width around each pixel.
    const int reach = penWidth() <= 1 ? 0 : penWidth();
    for (const QPoint& p : pixels)
        touchPicture(p.x() - reach, p.y() - reach, p.x() + reach, p.y() + reach);
    if (penWidth() <= 1)
        painter_.setPen(QPen(toQColor(penColour()), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    else
        useLinePen();
    painter_.drawPoints(pixels.constData(), static_cast<int>(pixels.size()));
}

template <class Visit>
void QtCanvas::ellipsePixels(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, int margin,
                             Visit&& visit) const {
    const std::int64_t w = x2 - x1;
    const std::int64_t h = y2 - y1;
    const std::int64_t left = std::max<std::int64_t>(x1, -margin);
    const std::int64_t right = std::min<std::int64_t>(x2 - 1LL, devWidth_ - 1LL + margin);
    const std::int64_t top = std::max<std::int64_t>(y1, -margin);
    const std::int64_t bottom = std::min<std::int64_t>(y2 - 1LL, devHeight_ - 1LL + margin);
    if (left > right || top > bottom) return;
    auto put = [&](std::int64_t x, std::int64_t y) {
        if (x >= left && x <= right && y >= top && y <= bottom)
            visit(static_cast<int>(x), static_cast<int>(y));
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

void QtCanvas::lineTo(int x, int y) {
    const IPoint from = pos_;
    const IPoint to{x, y};
    pos_ = to;
    if (!valid_ || from == to) return;
    if (direct()) {
        if (scale_ == 1)
            linePixels(from, to, [this](int px, int py) { putPixel(px, py); });
        else
            deviceLine(from, to);
        return;
    }
    polyline({from, to});
}

void QtCanvas::polyline(const std::vector<IPoint>& points) {
    if (!valid_ || points.size() < 2) return;
    if (penWidth() <= 1) {
        // Each segment leaves out its end pixel, which is the next segment's
        // start pixel; so only the polyline's very last pixel stays undrawn.
        if (direct()) {
            for (std::size_t k = 1; k < points.size(); ++k) {
                if (scale_ == 1)
                    linePixels(points[k - 1], points[k], [this](int x, int y) { putPixel(x, y); });
                else
                    deviceLine(points[k - 1], points[k]);
            }
            return;
        }
        QList<QPoint> pixels;
        for (std::size_t k = 1; k < points.size(); ++k)
            linePixels(points[k - 1], points[k], [&](int x, int y) { pixels.append(QPoint(x, y)); });
        drawPixels(pixels);
        return;
    }
    useLinePen();
    // Segments are clipped to a margin around the image first: coordinates
    // can be far outside the picture when the view is zoomed in.
    const double margin = penWidth() + 2.0;
    const double right = width_ + margin;
    const double bottom = height_ + margin;
    for (std::size_t k = 1; k < points.size(); ++k) {
        if (points[k - 1] == points[k]) continue;
        QPointF a(points[k - 1].x, points[k - 1].y);
        QPointF b(points[k].x, points[k].y);
        if (!clipSegment(a, b, -margin, -margin, right, bottom)) continue;
        // The round caps reach half the pen's width past the ends.
        const double reach = penWidth() / 2.0 + 1.0;
        touchSegment(a, b, reach);
        painter_.drawLine(a, b);
    }
}

void QtCanvas::ellipse(int x1, int y1, int x2, int y2) {
    if (!valid_) return;
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x1 == x2 || y1 == y2) return;
    if (direct()) {
        directOutline(x1, y1, x2, y2, [](int, int, std::int64_t, std::int64_t) { return true; });
        return;
    }
    QList<QPoint> pixels;
    ellipsePixels(x1, y1, x2, y2, std::max(penWidth(), 1),
                  [&](int x, int y) { pixels.append(QPoint(x, y)); });
    drawPixels(pixels);
}

void QtCanvas::arc(int x1, int y1, int x2, int y2, int sx, int sy, int ex, int ey) {
    if (!valid_) return;
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x1 == x2 || y1 == y2) return;

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

    // Directions turn counter-clockwise on the screen, where rows grow
    // downwards: from u to v when this is positive. Exact in 128 bits, so a
    // pixel on a radial belongs to the arc, and no angle is computed per
    // pixel.
    auto turn = [](Wide ux, Wide uy, Wide vx, Wide vy) { return uy * vx - ux * vy; };
    const Wide sweepTurn = turn(sdx, sdy, edx, edy);
    // At most half a turn from the start radial to the end one: a pixel lies
    // on the arc when it is not before the start nor past the end. More than
    // half a turn: when it is not strictly inside the rest of the ellipse.
    const bool halfOrLess = sweepTurn > 0;
    auto onArc = [&](int x, int y) {
        if (sameRadial) return true;
        const Wide dx = 2 * static_cast<Wide>(x) - cx2;
        const Wide dy = 2 * static_cast<Wide>(y) - cy2;
        if (halfOrLess) return turn(sdx, sdy, dx, dy) >= 0 && turn(dx, dy, edx, edy) >= 0;
        return !(turn(edx, edy, dx, dy) > 0 && turn(dx, dy, sdx, sdy) > 0);
    };
    if (direct()) {
        // At the device's resolution the same directions hold: the outline's
        // centre and the radials' points are the picture's times the scale.
        const Wide k = scale_;
        directOutline(x1, y1, x2, y2, [&](int x, int y, std::int64_t dcx2, std::int64_t dcy2) {
            if (sameRadial) return true;
            const Wide dx = 2 * static_cast<Wide>(x) - dcx2;
            const Wide dy = 2 * static_cast<Wide>(y) - dcy2;
            if (halfOrLess) return turn(sdx * k, sdy * k, dx, dy) >= 0 && turn(dx, dy, edx * k, edy * k) >= 0;
            return !(turn(edx * k, edy * k, dx, dy) > 0 && turn(dx, dy, sdx * k, sdy * k) > 0);
        });
        return;
    }
    QList<QPoint> pixels;
    ellipsePixels(x1, y1, x2, y2, std::max(penWidth(), 1), [&](int x, int y) {
        if (onArc(x, y)) pixels.append(QPoint(x, y));
    });
    drawPixels(pixels);
}

void QtCanvas::setPixel(int x, int y, Colour c) {
    if (!valid_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
    touchPicture(x, y, x, y);
    if (bits_) {
        const quint32 word = wordOf(c);
        for (int row = y * scale_; row < (y + 1) * scale_; ++row)
            std::fill_n(reinterpret_cast<quint32*>(bits_ + row * stride_) + x * scale_, scale_, word);
        return;
    }
    painter_.fillRect(x, y, 1, 1, toQColor(c));
}

void QtCanvas::textOut(int x, int y, const std::string& text) {
    if (!valid_ || text.empty()) return;
    useFont();
    // Text starting right of or below the picture cannot show.
    if (x >= width_ || y >= height_) return;

    // The key: the text, then the font and colour it is drawn in.
    std::string key = text;
    key.push_back('\0');
    const int numbers[] = {font_.pixelSize(), font_.stretch(), style().bold ? 1 : 0,
                           static_cast<int>(style().font), scale_};
    key.append(reinterpret_cast<const char*>(numbers), sizeof numbers);
    const TextImage& image = textCache().get(key, [&] {
        const QString s = pictureText(text);
        const QFontMetrics metrics(font_);
        // Room for letters that reach past their advance or below the line.
        const int pad = metrics.height();
        QImage scratch(metrics.horizontalAdvance(s) + 2 * pad, metrics.height() + 2 * pad,
                       QImage::Format_RGB32);
        scratch.fill(Qt::white);
        {
            QPainter p(&scratch);
            p.setRenderHint(QPainter::TextAntialiasing, true);
            p.setFont(font_);
            p.setPen(QPen(toQColor(style().font)));
            // On the baseline the text has in picture pixels.
            p.drawText(QPoint(pad, pad + ascent_ * scale_), s);
        }
        int left = scratch.width(), top = scratch.height(), right = -1, bottom = -1;
        for (int row = 0; row < scratch.height(); ++row) {
            const auto* line = reinterpret_cast<const quint32*>(scratch.constScanLine(row));
            for (int col = 0; col < scratch.width(); ++col)
                if (line[col] != 0xFFFFFFFFu) {
                    left = std::min(left, col);
                    right = std::max(right, col);
                    top = std::min(top, row);
                    bottom = std::max(bottom, row);
                }
        }
        TextImage made;
        if (right < 0) return made;
        made.ink = scratch.copy(QRect(QPoint(left, top), QPoint(right, bottom)));
        made.dx = left - pad;
        made.dy = top - pad;
        return made;
    });
    if (!image.ink.isNull()) blitText(static_cast<long long>(x) * scale_, static_cast<long long>(y) * scale_, image);
}

void QtCanvas::blitText(long long x, long long y, const TextImage& text) {
    // Letters are laid on the picture like ink on paper: each channel keeps
    // the darker of the picture and the letters drawn on white. On white that
    // is the smoothed text itself; a line under the text stays visible; and
    // drawing a text again where it already stands changes nothing, which the
    // diagrams rely on when they draw over their last picture.
    const long long left = x + text.dx;
    const long long top = y + text.dy;
    const QRect target = QRect(0, 0, devWidth_, devHeight_)
                             .intersected(QRect(static_cast<int>(std::clamp(left, -(1LL << 30), 1LL << 30)),
                                                static_cast<int>(std::clamp(top, -(1LL << 30), 1LL << 30)),
                                                text.ink.width(), text.ink.height()));
    if (target.isEmpty()) return;
    touch(target.left(), target.top(), target.right(), target.bottom());
    const int sx = static_cast<int>(target.left() - left);
    const int sy = static_cast<int>(target.top() - top);
    if (!bits_) {
        // In the image's own pixels, as the letters were drawn.
        painter_.save();
        painter_.resetTransform();
        painter_.scale(1.0 / image_->devicePixelRatio(), 1.0 / image_->devicePixelRatio());
        painter_.setCompositionMode(QPainter::CompositionMode_Darken);
        painter_.drawImage(target.topLeft(), text.ink,
                           QRect(sx, sy, target.width(), target.height()));
        painter_.restore();
        return;
    }
    // Both are opaque 32-bit pixels, so the darker channel is the smaller
    // byte, alpha included: a run of bytes the compiler takes many at a time.
    const std::size_t bytes = static_cast<std::size_t>(target.width()) * 4;
    for (int row = 0; row < target.height(); ++row) {
        const uchar* src = text.ink.constScanLine(sy + row) + static_cast<std::size_t>(sx) * 4;
        uchar* dst = bits_ + (target.top() + row) * stride_ + static_cast<std::size_t>(target.left()) * 4;
        for (std::size_t i = 0; i < bytes; ++i) dst[i] = std::min(dst[i], src[i]);
    }
}

int QtCanvas::textWidth(const std::string& text) {
    if (!valid_ || text.empty()) return 0;
    useFont();
    return QFontMetrics(metricFont_).horizontalAdvance(pictureText(text));
}

void QtCanvas::clear(Colour c) {
    if (!valid_) return;
    touch(0, 0, devWidth_ - 1, devHeight_ - 1);
    if (bits_) {
        const quint32 word = wordOf(c);
        for (int y = 0; y < devHeight_; ++y) {
            auto* row = reinterpret_cast<quint32*>(bits_ + y * stride_);
            fillWords(row, devWidth_, word);
        }
        return;
    }
    painter_.fillRect(QRectF(0, 0, width_, height_), toQColor(c));
}

}  // namespace tevrane
