#include "main/core/SteamDisplay.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "main/core/Renderer.h"
#include "model/Format.h"
#include "model/Model.h"
#include "platform/Random.h"
#include "platform/Sound.h"

namespace tevrane {

namespace {

// The largest picture a window shows (it is as large as the window's picture
// area); a pixel outside it cannot show.
constexpr std::int64_t kPictureWidth = 8192;
constexpr std::int64_t kPictureHeight = 8192;

// The zoom never goes past this scale. A design file may hold any view, and
// the pixel clouds must not grow past what the largest zoom draws.
constexpr long double kLargestScale = 3000.0L;

// The scale the pixel budgets follow: the view scale, kept to the zoom's
// range (nothing for a scale that is not positive).
long double budgetScale(const Model& m) {
    const long double s = m.viewScale;
    if (!(s > 0)) return 0;
    return std::min(s, kLargestScale);
}

// ---- frame step ------------------------------------------------------------------

// The phase colour of one end from its steam and exhaust openings, starting
// from the colour k that holds when neither port has opened yet.
Colour phaseColour(SteamEnd& end, float steam, float exhaust, Colour k) {
    if (steam > 0) {
        end.phase = 'E';
        k = colours::red;  // admission
    }
    if (steam <= 0 && end.phase == 'E') k = colours::magenta;  // expansion
    if (exhaust > 0) {
        end.phase = 'C';
        k = colours::blue;  // exhaust
    }
    if (exhaust <= 0 && end.phase == 'C') k = colours::green;  // compression
    return k;
}

// Admission fills the end, exhaust empties it, each in proportion to the
// port opening and to the step the gear turned this tick.
void updateDensity(SteamEnd& end, long double step, float steam, float exhaust, long double s) {
    long double p = end.density;
    if (end.colour == colours::red) p += step * 50.0L * (steam + 0.1L);
    if (end.colour == colours::blue) p -= step * 60.0L * exhaust;
    // A hostile design can make the openings NaN; the density then starts
    // afresh from the bottom rather than staying NaN for good.
    if (!(p >= kMinSteamDensity)) p = kMinSteamDensity;
    if (p > kMaxSteamDensity) p = kMaxSteamDensity;
    end.density = static_cast<float>(p);
    end.pixels = toInt(end.density * s / 18.5L);
}

// An end is armed while its exhaust is lapped and beats once when the port
// next opens. The beat's loudness follows the density the other end had at
// its last beat.
void exhaustBeat(const Model& m, SteamEnd& end, const SteamEnd& other, float exhaust,
                 RendererHost& host) {
    if (exhaust < 0 && m.pointerDim == 0) end.exhaustArmed = true;
    if (exhaust > 0 && end.exhaustArmed) {
        end.exhaustArmed = false;
        end.beatDensity = end.density;
        if (const auto v = beatVolume(toInt(other.beatDensity))) host.setVolume(stereoVolume(*v, *v));
        host.playSound("Exhaust.wav");
    }
}

// A passage or plume layer that meets a zero height draws with height 1 and
// gives the error beep once, when the zero first appears.
void flatLayer(const Model& m, bool flat, bool& wasFlat, RendererHost& host) {
    if (flat && !wasFlat && m.errorBeep) host.beep();
    wasFlat = flat;
}

// ---- drawing ----------------------------------------------------------------------

// Scatters pixels of one colour with this frame's generator.
class Cloud {
public:
    Cloud(Canvas& c, std::uint64_t seed) : c_(c), rng_(seed) {}

    // A uniform integer in [0, n); an empty or negative range gives 0.
    std::int64_t rnd(std::int64_t n) {
        if (n <= 0) return 0;
        return rng_.below(static_cast<int>(std::min<std::int64_t>(n, kIntMax)));
    }

    void pixel(std::int64_t x, std::int64_t y) {
        if (x < 0 || y < 0 || x >= kPictureWidth || y >= kPictureHeight) return;
        c_.setPixel(static_cast<int>(x), static_cast<int>(y), colour);
    }

    Colour colour = colours::black;

private:
    static constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();
    Canvas& c_;
    Random rng_;
};

// The points of the section as 64-bit numbers, so no difference or sum of
// screen positions can overflow.
struct Section {
    explicit Section(const Model& m) {
        for (int i = 0; i < 24; ++i) {
            cx[i] = m.cylinderPoints[i].x;
            cy[i] = m.cylinderPoints[i].y;
        }
        for (int i = 0; i < 14; ++i) {
            vx[i] = m.valvePoints[i].x;
            vy[i] = m.valvePoints[i].y;
        }
        py4 = m.pivotScreenY[kValveStemJoint];
    }
    std::int64_t cx[24], cy[24], vx[14], vy[14], py4;
};

// A zero height is drawn as 1, so a flat passage or plume divides by 1.
std::int64_t divisorOf(std::int64_t d) { return d == 0 ? 1 : d; }

std::int64_t roundToPixel(long double v) { return toInt(v); }

void drawLiveSteam(const Section& p, long double s, Cloud& cl) {
    const auto* cx = p.cx;
    const auto* cy = p.cy;
    cl.colour = colours::red;
    const int small = toInt(5.4L * s);
    const int large = toInt(10.8L * s);
    for (int i = 0; i < small; ++i) cl.pixel(cx[0] + cl.rnd(cx[13] - cx[0]), cy[0] - cl.rnd(cy[2] - p.py4));
    for (int i = 0; i < large; ++i) cl.pixel(cx[1] + cl.rnd(cx[12] - cx[1]), cy[0] + cl.rnd(p.vy[6] - cy[0]));
    if (cx[1] < p.vx[6])
        for (int i = 0; i < large; ++i)
            cl.pixel(cx[1] + cl.rnd(p.vx[6] - cx[1]), p.vy[6] + cl.rnd(cy[2] - p.vy[6]));
    if (p.vx[7] < cx[12])
        for (int i = 0; i < large; ++i)
            cl.pixel(p.vx[7] + cl.rnd(cx[12] - p.vx[7]), p.vy[6] + cl.rnd(cy[2] - p.vy[6]));
}

void drawFrontEnd(const Section& p, const SteamEnd& e, Cloud& cl) {
    const auto* cx = p.cx;
    const auto* cy = p.cy;
    const std::int64_t n = e.pixels;
    cl.colour = e.colour;
    if (p.vx[4] < cx[7])
        for (std::int64_t i = 0; i < n; ++i)
            cl.pixel(p.vx[4] + cl.rnd(cx[7] - p.vx[4]), cy[5] + cl.rnd(cy[6] - cy[5]));
    // The slanted passage from the port down to the bore.
    const std::int64_t d = divisorOf(cy[5] - cy[17]);
    for (std::int64_t i = 0; i < n / 8; ++i) {
        const std::int64_t r = cl.rnd(cy[5] - cy[17]);
        const long double t = static_cast<long double>(r) / d;
        cl.pixel(cx[20] + roundToPixel((cx[19] - cx[20]) * t) + cl.rnd(cx[8] - cx[19]), cy[17] + r);
    }
    for (std::int64_t i = 0; i < n / 20; ++i)
        cl.pixel(cx[21] + cl.rnd(cx[10] - cx[21]), cy[2] + cl.rnd(cy[20] - cy[2]));
}

void drawRearEnd(const Section& p, const SteamEnd& e, Cloud& cl) {
    const auto* cx = p.cx;
    const auto* cy = p.cy;
    const std::int64_t n = e.pixels;
    cl.colour = e.colour;
    if (cx[5] < p.vx[1])
        for (std::int64_t i = 0; i < n; ++i)
            cl.pixel(cx[5] + cl.rnd(p.vx[1] - cx[5]), cy[5] + cl.rnd(cy[6] - cy[5]));
    const std::int64_t d = divisorOf(cy[5] - cy[17]);
    for (std::int64_t i = 0; i < n / 8; ++i) {
        const std::int64_t r = cl.rnd(cy[5] - cy[17]);
        const long double t = static_cast<long double>(r) / d;
        cl.pixel(cx[17] + roundToPixel((cx[18] - cx[17]) * t) - cl.rnd(cx[18] - cx[5]), cy[17] + r);
    }
    for (std::int64_t i = 0; i < n / 20; ++i)
        cl.pixel(cx[3] + cl.rnd(cx[16] - cx[3]), cy[2] + cl.rnd(cy[17] - cy[2]));
}

// The valve cavity, the exhaust passage below the seat, the chimney and the
// plume that widens as it rises.
void drawExhaust(const Section& p, std::int64_t n, bool open, Cloud& cl) {
    const auto* cx = p.cx;
    const auto* cy = p.cy;
    cl.colour = open ? colours::blue : colours::white;
    for (std::int64_t i = 0; i < n / 10; ++i)
        cl.pixel(p.vx[11] + cl.rnd(p.vx[9] - p.vx[11]), p.vy[10] + cl.rnd(cy[2] - p.vy[10]));
    for (std::int64_t i = 0; i < n / 15; ++i)
        cl.pixel(cx[15] + cl.rnd(cx[22] - cx[15]), cy[2] + cl.rnd(cy[2] - p.py4));
    const std::int64_t width = cx[13] - cx[0];
    for (std::int64_t i = 0; i < n / 20; ++i)
        cl.pixel(cx[13] + cl.rnd(width), cy[0] - cl.rnd(cy[2] - cy[0]));
    const std::int64_t d = divisorOf(cy[2] - cy[0]);
    for (std::int64_t i = 0; i < n / 6; ++i) {
        const std::int64_t r = cl.rnd(3 * cy[2] - 3 * cy[0]);
        const long double t = static_cast<long double>(r) / d;
        const std::int64_t j = cl.rnd(roundToPixel(width * t * 2));
        cl.pixel(roundToPixel(j + cx[21] - width * t), 2 * cy[0] - cy[2] - r);
    }
}

// The legend's words stand at their places beside section point C6, two to a
// row. A right-hand word moves right only as far as the left-hand word's
// letters reach (at the large font they are wider than the places allow),
// so the two never run together.
constexpr int kLegendWordGap = 8;

void drawLegend(const Model& m, Canvas& c) {
    const int x = m.cylinderPoints[6].x;
    const int y = m.cylinderPoints[6].y;
    const struct {
        int dy;
        Colour leftColour;
        const char* left;
        int rightDx;
        Colour rightColour;
        const char* right;
    } rows[] = {
        {5, colours::red, "ADMISSION", 40, colours::magenta, "EXPANSION"},
        {17, colours::blue, "EXHAUST", 24, colours::green, "COMPRESSION"},
    };
    constexpr int kLeftDx = -40;
    for (const auto& r : rows) {
        c.setFontColour(r.leftColour);
        c.textOut(x + kLeftDx, y + r.dy, r.left);
        const int rightX = std::max(x + r.rightDx, x + kLeftDx + c.textWidth(r.left) + kLegendWordGap);
        c.setFontColour(r.rightColour);
        c.textOut(rightX, y + r.dy, r.right);
    }
    c.setFontColour(colours::black);
}

}  // namespace

std::optional<std::uint32_t> beatVolume(std::int32_t w) {
    struct Row {
        std::int32_t upTo;
        std::uint32_t volume;
    };
    static constexpr Row kRows[] = {
        {100, 0x0700}, {200, 0x1400}, {400, 0x2800},  {600, 0x4000},
        {800, 0x5000}, {1000, 0x6000}, {1200, 0x7000}, {2001, 0x8000},
    };
    if (w < 24) return std::nullopt;
    for (const Row& r : kRows)
        if (w <= r.upTo) return r.volume;
    return std::nullopt;
}

void advanceSteam(const Model& m, SteamState& st, RendererHost& host) {
    advanceSteam(m, st, host, clockSeed());
}

void advanceSteam(const Model& m, SteamState& st, RendererHost& host, std::uint64_t seed) {
    st.seed = seed;
    const long double s = budgetScale(m);
    const long double step = m.stepAngle;

    // The rear end starts from the front's colour, which shows only until the
    // rear has seen its first port opening.
    st.front.colour =
        phaseColour(st.front, m.frontSteamOpening, m.frontExhaustOpening, colours::black);
    updateDensity(st.front, step, m.frontSteamOpening, m.frontExhaustOpening, s);
    st.rear.colour =
        phaseColour(st.rear, m.rearSteamOpening, m.rearExhaustOpening, st.front.colour);
    updateDensity(st.rear, step, m.rearSteamOpening, m.rearExhaustOpening, s);

    const IPoint* cp = m.cylinderPoints;
    const bool passageFlat = cp[5].y == cp[17].y && (st.front.pixels / 8 > 0 || st.rear.pixels / 8 > 0);
    const bool plumeFlat = cp[2].y == cp[0].y && (st.front.pixels / 6 > 0 || st.rear.pixels / 6 > 0);
    flatLayer(m, passageFlat, st.passageFlat, host);
    flatLayer(m, plumeFlat, st.plumeFlat, host);

    exhaustBeat(m, st.front, st.rear, m.frontExhaustOpening, host);
    exhaustBeat(m, st.rear, st.front, m.rearExhaustOpening, host);
}

void drawSteam(const Model& m, const SteamState& st, Canvas& c) {
    const Section p(m);
    Cloud cloud(c, st.seed);
    drawLiveSteam(p, budgetScale(m), cloud);
    drawFrontEnd(p, st.front, cloud);
    drawRearEnd(p, st.rear, cloud);
    drawExhaust(p, st.front.pixels, m.frontExhaustOpening > 0, cloud);
    drawExhaust(p, st.rear.pixels, m.rearExhaustOpening > 0, cloud);
    if (m.screenDataOn) drawLegend(m, c);
}

}  // namespace tevrane
