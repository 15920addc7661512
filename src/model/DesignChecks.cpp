#include "model/DesignChecks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/NotchTargets.h"

namespace tevrane {

namespace {

// A length as a finding says it: four decimals and the design's unit.
std::string length(double v, LengthUnit u) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4f %s", v, unitSymbol(u));
    return buf;
}
std::string percent(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

const char* senseName(Sense s) { return s == Sense::Forward ? "forward" : "reverse"; }
const char* endWord(CylinderEnd e) { return e == CylinderEnd::Front ? "front" : "back"; }

// The settings of one sense where something holds, as the first of them and
// how many there are.
struct Where {
    std::optional<int> first;
    int count = 0;
    void add(int setting) {
        if (!first) first = setting;
        ++count;
    }
};

std::string settingsText(const Where& w, Sense s) {
    const std::string n = std::to_string(*w.first);
    if (w.count == 1) return "at " + std::string(senseName(s)) + " setting " + n;
    return "at " + std::to_string(w.count) + " of the " + std::to_string(kEventSettings) + " " + senseName(s) +
           " settings, from setting " + n;
}

void checkRows(const Engine& e, const std::vector<ValveEvents>& rows, Sense sense, std::vector<Finding>& out) {
    Where clamped, noAdmission[2], noCutOff[2], dieHigh, dieLow, negative[2];
    double leastLead[2] = {0, 0};
    double highest = -1e300, lowest = 1e300;
    for (size_t i = 0; i < rows.size(); ++i) {
        const ValveEvents& v = rows[i];
        const int n = static_cast<int>(i);
        if (v.clamped) {
            // A mended gear's events are not the design's: only the clamp is told.
            clamped.add(n);
            continue;
        }
        for (int k = 0; k < 2; ++k) {
            const EndEvents& end = k == 0 ? v.front : v.back;
            if (!end.admission) noAdmission[k].add(n);
            else if (!end.cutOff) noCutOff[k].add(n);
            if (end.lead < 0.0) {
                if (!negative[k].first || end.lead < leastLead[k]) leastLead[k] = end.lead;
                negative[k].add(n);
            }
        }
        if (v.die.highest > e.reverseArmLength) {
            dieHigh.add(n);
            highest = std::max(highest, v.die.highest);
        }
        if (v.die.lowest < -static_cast<double>(e.linkLowerLength)) {
            dieLow.add(n);
            lowest = std::min(lowest, v.die.lowest);
        }
    }
    if (clamped.first)
        out.push_back({Severity::Error, kClamped, sense, clamped.first, std::nullopt,
                       "The gear cannot close " + settingsText(clamped, sense) +
                           ": the linkage had to be mended there, so its events are not the design's."});
    for (int k = 0; k < 2; ++k) {
        const auto end = k == 0 ? CylinderEnd::Front : CylinderEnd::Back;
        const std::string port = std::string("The ") + endWord(end) + " steam port";
        if (noAdmission[k].first)
            out.push_back({Severity::Error, kMissingEvent, sense, noAdmission[k].first, end,
                           port + " never opens " + settingsText(noAdmission[k], sense) + "."});
        if (noCutOff[k].first)
            out.push_back({Severity::Error, kMissingEvent, sense, noCutOff[k].first, end,
                           port + " never cuts off " + settingsText(noCutOff[k], sense) + "."});
    }
    if (dieHigh.first)
        out.push_back({Severity::Error, kDieOffLink, sense, dieHigh.first, std::nullopt,
                       "The die runs " + length(highest, e.lengthUnit) + " up the link, past the reverse arm's " +
                           length(e.reverseArmLength, e.lengthUnit) + ", " + settingsText(dieHigh, sense) + "."});
    if (dieLow.first)
        out.push_back({Severity::Error, kDieOffLink, sense, dieLow.first, std::nullopt,
                       "The die runs " + length(-lowest, e.lengthUnit) + " down the link, past its lower length " +
                           length(e.linkLowerLength, e.lengthUnit) + ", " + settingsText(dieLow, sense) + "."});
    for (int k = 0; k < 2; ++k) {
        if (!negative[k].first) continue;
        const auto end = k == 0 ? CylinderEnd::Front : CylinderEnd::Back;
        out.push_back({Severity::Warning, kNegativeLead, sense, negative[k].first, end,
                       std::string("The ") + endWord(end) + " port is still lapped at its dead centre " +
                           settingsText(negative[k], sense) + " (lead down to " + length(leastLead[k], e.lengthUnit) +
                           "): steam is admitted late."});
    }
}

// At each notch (the mean of front and back cut-off on target) the two ends'
// own cut-offs.
void checkNotches(const NotchTable& notches, double tolerance, std::vector<Finding>& out) {
    for (const auto& [sense, ns] : {std::pair{Sense::Forward, &notches.forward}, std::pair{Sense::Reverse, &notches.reverse}})
        for (const NotchRow& row : ns->rows) {
            const auto& at = row.at(NotchEnd::Mean);
            // The finder kept both ends' cut-offs at the setting it found.
            if (!at || !at->front || !at->back) continue;
            const double front = *at->front, back = *at->back;
            const double d = front - back;
            if (std::fabs(d) <= tolerance) continue;
            out.push_back({Severity::Warning, kCutOffUnequal, sense, std::nullopt, std::nullopt,
                           "At the " + std::string(senseName(sense)) + " notch for " + notchTargetLabel(row.target) +
                               " front cuts off at " + percent(front) + " % and back at " + percent(back) + " %, " +
                               percent(std::fabs(d)) +
                               " % of stroke apart (more than " + percent(tolerance) + ")."});
        }
}

// A port that even the full gear of either sense does not open to its width.
void checkFullOpening(const Engine& e, const EventsTable& t, std::vector<Finding>& out) {
    if (t.forward.empty() || t.reverse.empty()) return;
    const ValveEvents& fwd = t.forward.back();
    const ValveEvents& rev = t.reverse.back();
    if (fwd.clamped || rev.clamped) return;
    for (int k = 0; k < 2; ++k) {
        const double width = k == 0 ? e.cyl.steamPortFront : e.cyl.steamPortRear;
        const double f = k == 0 ? fwd.front.maxSteamOpening : fwd.back.maxSteamOpening;
        const double r = k == 0 ? rev.front.maxSteamOpening : rev.back.maxSteamOpening;
        const double best = std::max(f, r);
        // The capped opening equals the width once the edge reaches it.
        if (best >= width || best <= 0.0) continue;
        const auto end = k == 0 ? CylinderEnd::Front : CylinderEnd::Back;
        out.push_back({Severity::Note, kPortNotFullyOpen, f >= r ? Sense::Forward : Sense::Reverse,
                       kEventSettings - 1, end,
                       std::string("The ") + endWord(end) + " steam port opens at most " + length(best, e.lengthUnit) + " of its " +
                           length(width, e.lengthUnit) + " even in full gear."});
    }
}

int rank(Severity s) { return static_cast<int>(s); }

}  // namespace

const char* severityName(Severity s) {
    switch (s) {
        case Severity::Error: return "error";
        case Severity::Warning: return "warning";
        case Severity::Note: return "note";
    }
    return "note";
}

const char* endName(CylinderEnd e) { return endWord(e); }

bool DesignCheck::serious() const {
    return std::any_of(findings.begin(), findings.end(), [](const Finding& f) { return f.severity != Severity::Note; });
}

int DesignCheck::count(Severity s) const {
    return static_cast<int>(
        std::count_if(findings.begin(), findings.end(), [s](const Finding& f) { return f.severity == s; }));
}

DesignCheck checkDesign(const Engine& e, const EventsTable& table, const NotchTable& notches, double tolerance) {
    DesignCheck c;
    checkRows(e, table.forward, Sense::Forward, c.findings);
    checkRows(e, table.reverse, Sense::Reverse, c.findings);
    checkNotches(notches, tolerance, c.findings);
    checkFullOpening(e, table, c.findings);
    std::stable_sort(c.findings.begin(), c.findings.end(),
                     [](const Finding& a, const Finding& b) { return rank(a.severity) < rank(b.severity); });
    return c;
}

DesignCheck checkDesign(const Engine& e, float revArmCentre, std::span<const NotchTarget> targets, double tolerance) {
    const EventsTable table = eventsTable(e, revArmCentre);
    const NotchTable notches = findNotches(e, table, targets);
    return checkDesign(e, table, notches, tolerance);
}

}  // namespace tevrane
