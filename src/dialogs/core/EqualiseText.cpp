#include "dialogs/core/EqualiseText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/BothAtOnce.h"
#include "model/DynVars.h"
#include "model/Dimensions.h"
#include "model/Format.h"

namespace tevrane {

namespace {

constexpr EventKind kColumns[] = {EventKind::CutOff,      EventKind::Lead,       EventKind::Release,
                                  EventKind::Compression, EventKind::MaxOpening, EventKind::DieTravel};
constexpr const char* kColumnHeads[] = {"Cut-off %", "Lead", "Release %", "Compression %", "Max opening", "Die travel"};
constexpr const char* kCsvHeads[] = {"cutoff", "lead", "release", "compression", "max_opening", "die_travel"};
constexpr int kNumberWidth = 9;

std::string pad(std::string s, size_t width) {
    if (s.size() < width) s.append(width - s.size(), ' ');
    return s;
}

std::string padLeft(const std::string& s, size_t width) {
    return s.size() < width ? std::string(width - s.size(), ' ') + s : s;
}

// Percent events to 3 decimals, lengths to 5: both show about the same
// fraction of what they measure.
int decimalsOf(EventKind k) { return isPercentKind(k) ? 3 : 5; }

std::string number(const std::optional<double>& v, EventKind k) {
    if (!v) return padLeft("-", kNumberWidth);
    return fixed(*v, kNumberWidth, decimalsOf(k));
}

// Dot-decimal whatever the locale, for files another program reads.
std::string csvNumber(double v, int decimals) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string();
}

std::string csvText(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string nameOf(int id) {
    const DimensionInfo* d = findDimension(id);
    if (!d) return std::to_string(id);
    return d->name.empty() ? std::string(d->field) : std::string(d->name);
}

// "Cut-off %" over its two columns "Front" and "Back".
std::string eventHeads(size_t indent) {
    std::string top = std::string(indent, ' ');
    std::string sub = std::string(indent, ' ');
    for (const char* h : kColumnHeads) {
        top += padLeft(pad(h, 2 * kNumberWidth - 2), 2 * kNumberWidth);
        sub += padLeft("Front", kNumberWidth) + padLeft("Back", kNumberWidth);
    }
    return top + "\n" + sub + "\n";
}

std::string eventColumns(const EventValues& v) {
    std::string s;
    for (EventKind k : kColumns) {
        s += number(v.front[static_cast<size_t>(k)], k);
        s += number(v.back[static_cast<size_t>(k)], k);
    }
    if (v.clamped) s += "  clamped";
    return s;
}

constexpr size_t kNameWidth = 30;  // "119 Valve Length   Front Half"
constexpr size_t kNotchWidth = 10;

}  // namespace

std::string notchLabel(const NotchPoint& p) {
    const std::string sense = p.sense == Sense::Forward ? "Fwd " : "Rev ";
    if (p.target.fullGear) return sense + "full";
    return sense + notchTargetLabel(p.target);
}

std::string sensitivityText(const SensitivityTable& t) {
    std::string s = "How far each event moves when the dimension grows by " + fixed(t.step, 0, 4) +
                    " (after minus before; cut-off, release and compression in % of stroke)\n";
    if (t.baseClamped) s += "The design itself has to be mended by the solver at some notch.\n";
    const size_t indent = kNameWidth + 10 + kNotchWidth + 9;
    s += pad("Dimension", kNameWidth) + padLeft("Value", 10) + "  " + pad("Notch", kNotchWidth) + padLeft("Rev arm", 7) +
         "\n";
    s += eventHeads(indent);
    for (const SensitivityRow& r : t.rows) {
        s += "\n";
        for (size_t n = 0; n < r.change.size() && n < t.notches.size(); ++n) {
            const std::string head = n == 0 ? pad(fixed(r.id, 3, 0) + " " + nameOf(r.id), kNameWidth) +
                                                  fixed(r.value, 10, 4)
                                            : std::string(kNameWidth + 10, ' ');
            s += head + "  " + pad(notchLabel(t.notches[n]), kNotchWidth) + fixed(t.notches[n].revArm, 7, 4) +
                 eventColumns(r.change[n]) + "\n";
        }
    }
    return s;
}

std::string sensitivityCsv(const SensitivityTable& t) {
    std::string s = "id,dimension,value,step,sense,notch,rev_arm";
    for (const char* side : {"front", "back"})
        for (const char* h : kCsvHeads) s += std::string(",") + side + "_" + h;
    s += ",clamped\n";
    for (const SensitivityRow& r : t.rows) {
        const double step = static_cast<double>(r.grown) - r.value;
        for (size_t n = 0; n < r.change.size() && n < t.notches.size(); ++n) {
            const NotchPoint& p = t.notches[n];
            s += std::to_string(r.id) + "," + csvText(nameOf(r.id)) + "," + csvNumber(r.value, 6) + "," +
                 csvNumber(step, 6) + "," + (p.sense == Sense::Forward ? "forward" : "reverse") + "," +
                 (p.target.fullGear ? std::string("full") : csvNumber(p.target.cutOff, 1)) + "," +
                 csvNumber(p.revArm, 6);
            for (int side = 0; side < 2; ++side)
                for (EventKind k : kColumns) {
                    const auto& v = (side == 0 ? r.change[n].front : r.change[n].back)[static_cast<size_t>(k)];
                    s += ",";
                    if (v) s += csvNumber(*v, 7);
                }
            s += r.change[n].clamped ? ",1\n" : ",0\n";
        }
    }
    return s;
}

std::vector<EventValues> notchEvents(const Engine& e, const std::vector<NotchPoint>& notches) {
    std::vector<EventValues> out(notches.size());
    auto part = [&](size_t first) {
        for (size_t i = first; i < notches.size(); i += 2)
            out[i] = eventValues(valveEvents(e, notches[i].revArm, notches[i].sense));
    };
    bothAtOnce([&] { part(0); }, [&] { part(1); });
    return out;
}

std::string eventsBeforeAfterText(const std::vector<NotchPoint>& notches, const std::vector<EventValues>& before,
                                  const std::vector<EventValues>& after) {
    const size_t indent = kNotchWidth + 7 + 8;
    std::string s = pad("Notch", kNotchWidth) + padLeft("Rev arm", 7) + "\n" + eventHeads(indent);
    for (size_t n = 0; n < notches.size(); ++n) {
        const std::string head = pad(notchLabel(notches[n]), kNotchWidth) + fixed(notches[n].revArm, 7, 4);
        if (n < before.size()) s += head + pad(" before", 8) + eventColumns(before[n]) + "\n";
        if (n < after.size()) s += std::string(head.size(), ' ') + pad(" after", 8) + eventColumns(after[n]) + "\n";
    }
    return s;
}

std::string balanceText(const Balance& b, const EqualiseGoals& g) {
    if (!b.feasible) return "infeasible (the linkage cannot close, or a port does not cut off)";
    std::string s = "weighted difference " + fixed(b.weighted, 0, 4);
    std::vector<std::string> terms;
    if (g.frontBack > 0) terms.push_back("front/back cut-off " + fixed(b.frontBack, 0, 4) + " %");
    if (g.forwardReverse > 0) terms.push_back("forward/reverse " + fixed(b.forwardReverse, 0, 4) + " %");
    if (g.leads > 0) terms.push_back("leads " + fixed(b.leads / kLeadScale, 0, 5));
    if (g.fullGear > 0) terms.push_back("full gear " + fixed(b.fullGear, 0, 4) + " % off");
    if (!terms.empty()) {
        s += " (rms: ";
        for (size_t i = 0; i < terms.size(); ++i) s += (i ? ", " : "") + terms[i];
        s += ")";
    }
    return s;
}

std::string changesText(const EqualiseResult& r) {
    std::string s = pad("Dimension", kNameWidth) + padLeft("Before", 10) + padLeft("After", 10) +
                    padLeft("Change", 10) + padLeft("Bounds", 20) + "\n";
    for (size_t i = 0; i < r.changes.size(); ++i) {
        const DimensionChange& c = r.changes[i];
        const FreeDimension& f = r.free[i];
        s += pad(fixed(c.id, 3, 0) + " " + nameOf(c.id), kNameWidth) + fixed(c.before, 10, 4) + fixed(c.after, 10, 4) +
             fixed(static_cast<double>(c.after) - c.before, 10, 4) + fixed(f.low, 10, 4) + fixed(f.high, 10, 4) + "\n";
    }
    return s;
}

std::vector<int> offeredDimensions(const Model& m) {
    std::vector<int> out;
    for (int k = 1; k <= 4; ++k) {
        const int id = m.dynVarId[k];
        if (isFreeable(id) && std::find(out.begin(), out.end(), id) == out.end()) out.push_back(id);
    }
    for (int id : eventDimensions())
        if (std::find(out.begin(), out.end(), id) == out.end()) out.push_back(id);
    return out;
}

}  // namespace tevrane
