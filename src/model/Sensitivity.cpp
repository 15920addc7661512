#include "model/Sensitivity.h"

#include <algorithm>
#include <cmath>

#include "model/BothAtOnce.h"
#include "model/Dimensions.h"

namespace tevrane {

namespace {

constexpr int kEventIds[] = {1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,  17,
                             18,  19,  101, 102, 109, 110, 111, 112, 113, 114, 118, 119, 120, 121, 122};

void addRows(const NotchTable& t, std::vector<NotchPoint>& out) {
    const NotchSense* senses[] = {&t.forward, &t.reverse};
    const size_t n = std::max(t.forward.rows.size(), t.reverse.rows.size());
    for (size_t i = 0; i < n; ++i)
        for (int s = 0; s < 2; ++s) {
            const NotchSense& ns = *senses[s];
            if (i >= ns.rows.size()) continue;
            const auto& setting = ns.rows[i].at(NotchEnd::Mean);
            if (!setting) continue;
            out.push_back({ns.rows[i].target, s == 0 ? Sense::Forward : Sense::Reverse, setting->revArm});
        }
}

std::optional<double> percentOf(const std::optional<EventPoint>& p) {
    return p ? std::optional(p->strokePercent) : std::nullopt;
}

void fillEnd(const EndEvents& end, const DieTravel& die, std::array<std::optional<double>, kEventKinds>& out) {
    out[static_cast<size_t>(EventKind::CutOff)] = percentOf(end.cutOff);
    out[static_cast<size_t>(EventKind::Lead)] = end.lead;
    out[static_cast<size_t>(EventKind::Release)] = percentOf(end.release);
    out[static_cast<size_t>(EventKind::Compression)] = percentOf(end.compression);
    out[static_cast<size_t>(EventKind::MaxOpening)] = end.maxSteamOpening;
    out[static_cast<size_t>(EventKind::DieTravel)] = die.travel();
}

std::vector<EventValues> eventsAt(const Engine& e, std::span<const NotchPoint> notches) {
    std::vector<EventValues> out;
    out.reserve(notches.size());
    for (const NotchPoint& p : notches) out.push_back(eventValues(valveEvents(e, p.revArm, p.sense)));
    return out;
}

SensitivityRow rowOf(const Engine& e, int id, std::span<const NotchPoint> notches, const std::vector<EventValues>& base,
                     double step) {
    SensitivityRow row;
    row.id = id;
    row.value = dimensionValue(e, id);
    Engine grown = e;
    setDimension(grown, id, static_cast<float>(static_cast<double>(row.value) + step));
    row.grown = dimensionValue(grown, id);
    const std::vector<EventValues> after = eventsAt(grown, notches);
    row.change.resize(after.size());
    for (size_t n = 0; n < after.size(); ++n) {
        EventValues& d = row.change[n];
        d.clamped = after[n].clamped;
        row.clamped = row.clamped || after[n].clamped;
        for (int side = 0; side < 2; ++side) {
            const auto& a = side == 0 ? after[n].front : after[n].back;
            const auto& b = side == 0 ? base[n].front : base[n].back;
            auto& out = side == 0 ? d.front : d.back;
            for (int k = 0; k < kEventKinds; ++k) {
                if (!a[static_cast<size_t>(k)] || !b[static_cast<size_t>(k)]) continue;
                const double change = *a[static_cast<size_t>(k)] - *b[static_cast<size_t>(k)];
                out[static_cast<size_t>(k)] = change;
                double& score = isPercentKind(static_cast<EventKind>(k)) ? row.percentScore : row.lengthScore;
                score = std::max(score, std::fabs(change));
            }
        }
    }
    return row;
}

}  // namespace

std::vector<NotchPoint> notchPoints(const NotchTable& t) {
    std::vector<NotchPoint> out;
    addRows(t, out);
    return out;
}

std::vector<NotchPoint> notchPoints(const Engine& e, float revArmCentre, std::span<const NotchTarget> targets) {
    return notchPoints(findNotches(e, revArmCentre, targets));
}

EventValues eventValues(const ValveEvents& v) {
    EventValues r;
    fillEnd(v.front, v.die, r.front);
    fillEnd(v.back, v.die, r.back);
    r.clamped = v.clamped;
    return r;
}

std::span<const int> eventDimensions() { return kEventIds; }

float dimensionValue(const Engine& e, int id) {
    const float* f = dimensionField(e, id);
    return f ? *f : 0.0f;
}

void setDimension(Engine& e, int id, float value) {
    float* f = dimensionField(e, id);
    if (!f) return;
    *f = value;
    if (id == 102 || id == 109) e.pivotY[kValveStemJoint] = e.pivotY[kCrosshead] + e.cyl.valveStemToCylCL;
}

SensitivityTable sensitivityTable(const Engine& e, std::span<const NotchPoint> notches, double step,
                                  std::span<const int> ids) {
    SensitivityTable t;
    t.step = step;
    t.unit = e.lengthUnit;
    t.notches.assign(notches.begin(), notches.end());
    t.base = eventsAt(e, notches);
    for (const EventValues& v : t.base) t.baseClamped = t.baseClamped || v.clamped;

    // Every dimension's step is a job of its own; the two threads take
    // alternate dimensions so both get a fair share of the table.
    t.rows.resize(ids.size());
    auto half = [&](size_t first) {
        for (size_t i = first; i < ids.size(); i += 2) t.rows[i] = rowOf(e, ids[i], notches, t.base, step);
    };
    bothAtOnce([&] { half(0); }, [&] { half(1); });

    std::stable_sort(t.rows.begin(), t.rows.end(), [](const SensitivityRow& a, const SensitivityRow& b) {
        if (a.percentScore != b.percentScore) return a.percentScore > b.percentScore;
        if (a.lengthScore != b.lengthScore) return a.lengthScore > b.lengthScore;
        return a.id < b.id;
    });
    return t;
}

}  // namespace tevrane
