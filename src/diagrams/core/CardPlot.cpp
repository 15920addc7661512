#include "diagrams/core/CardPlot.h"

#include <algorithm>
#include <cmath>

#include "dialogs/core/PerformanceText.h"
#include "model/Format.h"
#include "model/NotchTargets.h"

namespace tevrane {

namespace {

constexpr Colour kFrontColour = colours::blue;
constexpr Colour kBackColour = colours::maroon;
constexpr Colour kAxisColour = colours::black;
constexpr Colour kGridColour = colours::silver;
constexpr Colour kDoubtColour = colours::red;

// The cards' box in the picture: below the panel, left of the table.
constexpr int kCardsLeft = 60, kCardsTop = 112, kCardsRight = 470, kCardsBottom = 390;
constexpr int kTableLeft = 505, kTableTop = 112;
constexpr int kMarkRadius = 3;

// 1, 2 or 5 times a power of ten, giving four to eight ticks up to `top`.
double niceStep(double top) {
    const double raw = top / 6;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * decade >= raw) return m * decade;
    return 10 * decade;
}

// The travel of an end's point x (fraction from that end's dead centre) as
// the picture's horizontal axis reads it, from the front dead centre.
double travelOf(double x, bool front) { return front ? x : 1.0 - x; }

void drawCard(Canvas& c, const CardFrame& f, const EndPerformance& e, bool front, const CardPressures& pr) {
    const Colour colour = front ? kFrontColour : kBackColour;
    c.setPenColour(colour);
    c.setPenWidth(2);
    std::vector<IPoint> pts;
    for (const CardPoint& p : e.card.outline) pts.push_back(f.at(travelOf(p.x, front), p.p));
    if (!pts.empty()) pts.push_back(pts.front());  // the card is a closed curve
    c.polyline(pts);
    c.setPenWidth(1);

    // The events where they happen, on the curve: admission and compression
    // on the return stroke when before the dead centre (negative).
    const double p1 = pr.chest, pb = pr.back, cl = pr.clearance;
    const double xc = std::clamp(*e.events.cutOff, 0.0, 1.0);
    const double xr = std::clamp(*e.events.release, xc, 1.0);
    const double xk = std::clamp(std::abs(*e.events.compression), 0.0, 1.0);
    const double xa = std::clamp(std::abs(*e.events.admission), 0.0, 1.0);
    struct Mark {
        double x, p;
        const char* letter;
    };
    const Mark marks[] = {{xa, p1, "A"},
                          {xc, p1, "C"},
                          {xr, p1 * (cl + xc) / (cl + xr), "R"},
                          {xk, pb, "K"}};
    c.setFontColour(colour);
    for (const Mark& m : marks) {
        const IPoint q = f.at(travelOf(m.x, front), m.p);
        c.ellipse(q.x - kMarkRadius, q.y - kMarkRadius, q.x + kMarkRadius + 1, q.y + kMarkRadius + 1);
        // Front letters above the curve, back letters below, so that the two
        // cards' marks at the same place stay apart.
        c.textOut(q.x + 4, front ? q.y - 16 : q.y + 3, m.letter);
    }
}

void drawAxes(Canvas& c, const CardFrame& f, const char* pressureUnit) {
    c.setPenWidth(1);
    c.setFontColour(kAxisColour);
    for (int i = 0; i <= 10; ++i) {
        const IPoint b = f.at(i / 10.0, 0);
        c.setPenColour(i == 0 ? kAxisColour : kGridColour);
        c.line(b.x, f.top, b.x, f.bottom + 1);
        if (i % 2 == 0) {
            const std::string t = std::to_string(i * 10);
            c.textOut(b.x - c.textWidth(t) / 2, f.bottom + 4, t);
        }
    }
    for (double p = 0; p <= f.pressureTop + 1e-9; p += f.pressureStep) {
        const IPoint a = f.at(0, p);
        c.setPenColour(p == 0 ? kAxisColour : kGridColour);
        c.line(f.left, a.y, f.right + 1, a.y);
        const std::string t = fixed(p, 0, 0);
        c.textOut(f.left - 6 - c.textWidth(t), a.y - 7, t);
    }
    c.textOut(f.left, f.bottom + 20,
              "Piston travel, % of stroke from the front dead centre (front end's stroke left to right)");
    c.textOut(f.left - 50, f.top - 20, std::string("Pressure, ") + pressureUnit + " absolute");
}

void drawTable(Canvas& c, const PerformanceTable& t, size_t chosen) {
    const PerformanceUnitNames u = unitNames(t.inputs.units);
    const std::vector<const SettingPerformance*> rows = notchList(t);
    const int cols[] = {kTableLeft, kTableLeft + 95, kTableLeft + 155, kTableLeft + 215, kTableLeft + 275,
                        kTableLeft + 330};
    c.setFontColour(colours::black);
    c.setFontBold(true);
    const char* heads[] = {"Notch", "Front", "Back", "Mean", "Ratio", "Power"};
    for (int i = 0; i < 6; ++i) c.textOut(cols[i], kTableTop - 28, heads[i]);
    c.setFontBold(false);
    const std::string p = std::string("mep ") + u.pressure;
    const std::string units[] = {"", p, p, p, "F/B work", u.power};
    for (int i = 1; i < 6; ++i) c.textOut(cols[i], kTableTop - 14, units[i]);
    int y = kTableTop + 2;
    for (size_t r = 0; r < rows.size(); ++r) {
        const SettingPerformance& s = *rows[r];
        const auto v = [](const std::optional<double>& d, int decimals) {
            return d ? fixed(*d, 0, decimals) : std::string("-");
        };
        const auto endMep = [](const EndPerformance& e) {
            return e.usable() ? std::optional<double>(e.card.meanEffectivePressure) : std::nullopt;
        };
        const std::string note = performanceNote(s);
        c.setFontColour(note.empty() ? colours::black : kDoubtColour);
        c.setFontBold(r == chosen);
        const std::string cells[] = {(r == chosen ? "> " : "  ") + notchName(s), v(endMep(s.front), 1),
                                     v(endMep(s.back), 1), v(s.meanEffectivePressure, 1), v(s.workRatio, 3),
                                     v(s.power, 1)};
        for (int i = 0; i < 6; ++i) c.textOut(cols[i], y, cells[i]);
        y += 15;
        if (!note.empty()) {
            c.setFontBold(false);
            c.textOut(cols[0] + 12, y, note);
            y += 15;
        }
    }
    c.setFontBold(false);
    c.setFontColour(colours::black);
    // The working conditions the figures hold for.
    const PerformanceInputs& in = t.inputs;
    y += 8;
    c.textOut(kTableLeft, y, "Chest " + fixed(in.chestPressure, 0, 1) + " " + u.pressure + " gauge, back " +
                                 fixed(in.backPressure, 0, 1) + " " + u.pressure + " gauge");
    c.textOut(kTableLeft, y + 15, "Clearance " + fixed(in.clearancePercent, 0, 1) + " % of the swept volume");
    c.textOut(kTableLeft, y + 30, std::to_string(in.cylinders) + " cylinders at " +
                                      fixed(t.revolutionsPerMinute, 0, 1) + " rpm");
}

}  // namespace

IPoint CardFrame::at(double travel, double pressure) const {
    const double x = left + travel * (right - left);
    const double y = bottom - pressure / pressureTop * (bottom - top);
    return {static_cast<std::int32_t>(std::lround(x)), static_cast<std::int32_t>(std::lround(y))};
}

CardFrame cardFrame(const SettingPerformance& s, int left, int top, int right, int bottom) {
    double highest = 0;
    for (const EndPerformance* e : {&s.front, &s.back})
        for (const CardPoint& p : e->card.outline) highest = std::max(highest, p.p);
    CardFrame f{left, top, right, bottom};
    if (!(highest > 0)) highest = 1;
    f.pressureStep = niceStep(highest);
    f.pressureTop = std::ceil(highest / f.pressureStep) * f.pressureStep;
    return f;
}

std::vector<const SettingPerformance*> notchList(const PerformanceTable& t) {
    std::vector<const SettingPerformance*> out;
    for (const auto* list : {&t.notchesForward, &t.notchesReverse})
        for (const SettingPerformance& s : *list) out.push_back(&s);
    return out;
}

std::string notchName(const SettingPerformance& s) {
    const std::string sense = s.sense == Sense::Forward ? "Fwd " : "Rev ";
    return sense + (s.target ? notchTargetLabel(*s.target) : fixed(s.revArm, 0, 3));
}

void drawPerformance(Canvas& c, const PerformanceTable& t, size_t chosen) {
    const PerformanceUnitNames u = unitNames(t.inputs.units);
    const std::vector<const SettingPerformance*> rows = notchList(t);
    c.setFontColour(colours::black);
    c.setFontBold(true);
    c.textOut(kCardsLeft - 50, 78, "Indicated Performance");
    c.setFontBold(false);
    drawTable(c, t, chosen);
    if (chosen >= rows.size()) return;
    const SettingPerformance& s = *rows[chosen];
    if (!s.front.usable() || !s.back.usable()) {
        c.setFontColour(kDoubtColour);
        c.textOut(kCardsLeft, kCardsTop + 40,
                  notchName(s) + ": no card (" + performanceNote(s) + ")");
        return;
    }
    const CardFrame f = cardFrame(s, kCardsLeft, kCardsTop, kCardsRight, kCardsBottom);
    drawAxes(c, f, u.pressure);
    const double atm = t.inputs.units == PowerUnits::Metric ? kAtmosphereBar : kAtmospherePsi;
    const CardPressures pr{t.inputs.chestPressure + atm, t.inputs.backPressure + atm, t.inputs.clearancePercent / 100};
    drawCard(c, f, s.front, true, pr);
    drawCard(c, f, s.back, false, pr);
    // Which curve is which, and what the letters say.
    c.setFontColour(kFrontColour);
    c.textOut(kCardsLeft + 150, 78, notchName(s) + ":  front end");
    c.setFontColour(kBackColour);
    c.textOut(kCardsLeft + 300, 78, "back end");
    c.setFontColour(colours::black);
    c.textOut(kCardsLeft + 150, kCardsBottom + 36,
              "A admission, C cut-off, R release, K compression");
}

}  // namespace tevrane
