#include "model/NotchFinder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <functional>
#include <limits>

#include <boost/math/tools/toms748_solve.hpp>

#include "model/BothAtOnce.h"
#include "model/EventSearch.h"

namespace tevrane {

namespace {

using namespace eventsearch;

bool isFront(NotchEnd end) { return end == NotchEnd::Front; }

// What the search needs of a setting: both ends' cut-offs over the whole turn.
struct Row {
    float revArm = 0;
    Sense sense = Sense::Forward;
    CutOffs cut;
};

Row rowAt(const Engine& e, float revArm, Sense sense, EventPath path) {
    return {revArm, sense, cutOffs(e, revArm, sense, path)};
}

Row rowOf(const ValveEvents& v) {
    return {v.revArm, v.sense, CutOffs{v.front.cutOff, v.back.cutOff, v.clamped}};
}

std::optional<double> cutOffOf(const Row& v, NotchEnd end) {
    const auto& f = v.cut.front;
    const auto& b = v.cut.back;
    switch (end) {
        case NotchEnd::Front: return f ? std::optional(f->strokePercent) : std::nullopt;
        case NotchEnd::Back: return b ? std::optional(b->strokePercent) : std::nullopt;
        case NotchEnd::Mean:
            if (f && b) return 0.5 * (f->strokePercent + b->strokePercent);
            return std::nullopt;
    }
    return std::nullopt;
}

// The phase of an end's cut-off in a row of the table.
std::optional<double> cutOffPhase(const Row& v, bool front) {
    const auto& c = front ? v.cut.front : v.cut.back;
    if (!c) return std::nullopt;
    return v.sense == Sense::Forward ? c->driverAngle : 360.0 - c->driverAngle;
}

// Between two neighbouring rows a cut-off moves only a few degrees, so the
// one at a setting in between is searched only near the two it lies between:
// a few dozen solves instead of a whole turn. When that span does not hold
// exactly one closing steam edge, the whole turn decides.
class CutOffBetweenRows {
public:
    CutOffBetweenRows(const Engine& e, const Row& inner, const Row& outer, EventPath path)
        : engine_(e), sense_(inner.sense), path_(path) {
        for (int i = 0; i < 2; ++i) {
            const auto a = cutOffPhase(inner, i == 0);
            const auto b = cutOffPhase(outer, i == 0);
            if (!a || !b) continue;
            // The second taken the short way round from the first.
            double bb = *b;
            while (bb - *a > 180.0) bb -= 360.0;
            while (*a - bb > 180.0) bb += 360.0;
            span_[i] = {std::floor(std::min(*a, bb)) - kMargin, std::ceil(std::max(*a, bb)) + kMargin};
        }
    }

    std::optional<double> operator()(float revArm, NotchEnd end) {
        if (end == NotchEnd::Mean) {
            const auto f = of(revArm, true);
            const auto b = of(revArm, false);
            if (f && b) return 0.5 * (*f + *b);
            return std::nullopt;
        }
        return of(revArm, isFront(end));
    }

    bool clamped() const { return clamped_; }

private:
    static constexpr double kMargin = 3.0;

    struct Span {
        double from = 0, to = 0;
    };

    std::optional<double> of(float revArm, bool front) {
        GearAt gear(engine_, revArm, sense_, path_);
        const std::optional<double> r = span_[front ? 0 : 1] ? nearby(gear, front) : std::nullopt;
        clamped_ = clamped_ || gear.clamped();
        if (r) return r;
        const Row v = rowAt(engine_, revArm, sense_, path_);
        clamped_ = clamped_ || v.cut.clamped;
        return cutOffOf(v, front ? NotchEnd::Front : NotchEnd::Back);
    }

    std::optional<double> nearby(GearAt& gear, bool front) {
        const Span s = *span_[front ? 0 : 1];
        const Opening steam = front ? Opening::FrontSteam : Opening::RearSteam;
        std::optional<double> found;
        double before = gear.opening(s.from, steam);
        for (double p = s.from + 1.0; p <= s.to; p += 1.0) {
            const double after = gear.opening(p, steam);
            if (isFalling(before, after)) {
                if (found) return std::nullopt;  // two closings: not a plain span
                found = crossing(gear, steam, p - 1.0, before, p, after);
            } else if (isRising(before, after)) {
                return std::nullopt;  // the port opens in here too
            }
            before = after;
        }
        if (!found) return std::nullopt;
        return eventAt(gear, *found, front).strokePercent;
    }

    const Engine& engine_;
    Sense sense_;
    EventPath path_;
    std::optional<Span> span_[2];
    bool clamped_ = false;
};

// The setting in [inner, outer] whose cut-off is the target, the two rows'
// cut-offs lying either side of it.
float refine(const std::function<std::optional<double>(float)>& cutOff, float inner, double gInner,
             float outer, double gOuter) {
    // The search runs from the lower setting to the higher.
    double a = inner, b = outer, fa = gInner, fb = gOuter;
    if (a > b) {
        std::swap(a, b);
        std::swap(fa, fb);
    }
    if (fa == 0.0) return static_cast<float>(a);
    if (fb == 0.0) return static_cast<float>(b);
    auto f = [&](double r) {
        const auto c = cutOff(static_cast<float>(r));
        // A setting inside the bracket without a cut-off has no value to
        // steer by; whatever the search makes of it, the check of the events
        // at the setting it ends on turns it down.
        return c ? *c : std::numeric_limits<double>::quiet_NaN();
    };
    auto done = [](double lo, double hi) {
        const float m = static_cast<float>(0.5 * (lo + hi));
        const double step = std::nextafter(m, std::numeric_limits<float>::infinity()) - m;
        return hi - lo <= 2.0 * step;
    };
    std::uintmax_t iterations = 48;
    try {
        const auto r = boost::math::tools::toms748_solve(f, a, b, fa, fb, done, iterations);
        return static_cast<float>(0.5 * (r.first + r.second));
    } catch (const std::exception&) {
        return static_cast<float>(0.5 * (a + b));
    }
}

CutOffReach reachOf(const std::vector<Row>& rows, NotchEnd end) {
    CutOffReach r;
    for (const Row& v : rows) {
        const auto c = cutOffOf(v, end);
        if (!c) continue;
        r.low = r.low ? std::min(*r.low, *c) : *c;
        r.high = r.high ? std::max(*r.high, *c) : *c;
    }
    return r;
}

class SenseSearch {
public:
    SenseSearch(const Engine& e, const std::vector<Row>& rows, EventPath path) : engine_(e), rows_(rows), path_(path) {}

    std::optional<NotchSetting> find(const NotchTarget& t, NotchEnd end) {
        if (rows_.empty()) return std::nullopt;
        if (t.fullGear) {
            const Row& full = rows_.back();
            if (const auto c = cutOffOf(full, end))
                return NotchSetting{full.revArm, *c, cutOffOf(full, NotchEnd::Front), cutOffOf(full, NotchEnd::Back)};
            return std::nullopt;
        }
        // The first pair of neighbouring rows, from the centre out, whose
        // cut-offs lie either side of the target.
        for (size_t i = 0; i + 1 < rows_.size(); ++i) {
            const auto c0 = cutOffOf(rows_[i], end);
            const auto c1 = cutOffOf(rows_[i + 1], end);
            if (!c0 || !c1) continue;
            const double g0 = *c0 - t.cutOff, g1 = *c1 - t.cutOff;
            if ((g0 < 0.0 && g1 < 0.0) || (g0 > 0.0 && g1 > 0.0)) continue;
            return settle(i, end, t.cutOff, g0, g1);
        }
        return std::nullopt;
    }

    bool clamped() const { return clamped_; }

private:
    std::optional<NotchSetting> settle(size_t i, NotchEnd end, double target, double g0, double g1) {
        const Row& inner = rows_[i];
        const Row& outer = rows_[i + 1];
        CutOffBetweenRows near(engine_, inner, outer, path_);
        auto quick = [&](float r) -> std::optional<double> {
            const auto c = near(r, end);
            return c ? std::optional(*c - target) : std::nullopt;
        };
        auto whole = [&](float r) -> std::optional<double> {
            const Row v = rowAt(engine_, r, inner.sense, path_);
            clamped_ = clamped_ || v.cut.clamped;
            const auto c = cutOffOf(v, end);
            return c ? std::optional(*c - target) : std::nullopt;
        };
        // The quick search is checked against the events of the whole turn;
        // should it have followed another closing edge, the search is redone
        // on whole turns alone.
        for (const auto& cutOff : {std::function<std::optional<double>(float)>(quick),
                                   std::function<std::optional<double>(float)>(whole)}) {
            const float r = refine(cutOff, inner.revArm, g0, outer.revArm, g1);
            const Row v = rowAt(engine_, r, inner.sense, path_);
            clamped_ = clamped_ || v.cut.clamped || near.clamped();
            const auto c = cutOffOf(v, end);
            if (c && std::fabs(*c - target) <= kNotchTolerance)
                return NotchSetting{r, *c, cutOffOf(v, NotchEnd::Front), cutOffOf(v, NotchEnd::Back)};
        }
        return std::nullopt;
    }

    const Engine& engine_;
    const std::vector<Row>& rows_;
    EventPath path_;
    bool clamped_ = false;
};

NotchSense searchSense(const Engine& e, const std::vector<Row>& rows,
                       std::span<const NotchTarget> targets, EventPath path, bool& clamped) {
    NotchSense out;
    SenseSearch search(e, rows, path);
    for (const NotchTarget& t : targets) {
        NotchRow row;
        row.target = t;
        for (int k = 0; k < kNotchEnds; ++k)
            row.setting[static_cast<size_t>(k)] = search.find(t, static_cast<NotchEnd>(k));
        out.rows.push_back(row);
    }
    for (int k = 0; k < kNotchEnds; ++k) out.reach[static_cast<size_t>(k)] = reachOf(rows, static_cast<NotchEnd>(k));
    clamped = clamped || search.clamped();
    for (const Row& v : rows) clamped = clamped || v.cut.clamped;
    return out;
}

// Both senses, each on its own thread; the rows of a sense come from rowsOf.
template <class RowsOf>
NotchTable searchBoth(const Engine& e, std::span<const NotchTarget> targets, EventPath path, RowsOf rowsOf) {
    NotchTable t;
    bool forwardClamped = false, reverseClamped = false;
    bothAtOnce([&] { t.forward = searchSense(e, rowsOf(Sense::Forward), targets, path, forwardClamped); },
               [&] { t.reverse = searchSense(e, rowsOf(Sense::Reverse), targets, path, reverseClamped); });
    t.clamped = forwardClamped || reverseClamped;
    return t;
}

}  // namespace

std::vector<NotchTarget> defaultNotchTargets() {
    return {{75, false}, {65, false}, {50, false}, {35, false}, {25, false}, {0, true}};
}

NotchTable findNotches(const Engine& e, const EventsTable& table, std::span<const NotchTarget> targets,
                       EventPath path) {
    return searchBoth(e, targets, path, [&](Sense s) {
        std::vector<Row> rows;
        for (const ValveEvents& v : s == Sense::Forward ? table.forward : table.reverse) rows.push_back(rowOf(v));
        return rows;
    });
}

NotchTable findNotches(const Engine& e, float revArmCentre, std::span<const NotchTarget> targets,
                       EventPath path) {
    // Only the cut-offs of the 19 settings are needed, not their whole events.
    return searchBoth(e, targets, path, [&](Sense s) {
        std::vector<Row> rows;
        for (float r : portDiagramSettings(e, revArmCentre, s)) rows.push_back(rowAt(e, r, s, path));
        return rows;
    });
}

}  // namespace tevrane
