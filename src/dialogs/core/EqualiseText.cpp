#include "dialogs/core/EqualiseText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "dialogs/core/CheckReport.h"
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
    const std::string unit = unitSymbol(t.unit);
    std::string s = "How far each event moves when the dimension grows by " + fixed(t.step, 0, 4) + " " + unit +
                    " (after minus before; cut-off, release and compression in % of stroke; values, settings,\n"
                    "lead, opening and die travel in " + unitName(t.unit) + ")\n";
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

std::string eventsBeforeAfterText(const std::vector<NotchPoint>& before, const std::vector<EventValues>& eventsBefore,
                                  const std::vector<NotchPoint>& after, const std::vector<EventValues>& eventsAfter) {
    const size_t indent = kNotchWidth + 8 + 8;
    std::string s = pad("Notch", kNotchWidth) + pad("", 8) + padLeft("Rev arm", 8) + "\n" + eventHeads(indent);
    // Both designs are searched for the same targets in the same order; a
    // target the tuned design misses never makes a result, so the two lists
    // run side by side.
    for (size_t n = 0; n < before.size(); ++n) {
        const std::string label = pad(notchLabel(before[n]), kNotchWidth);
        if (n < eventsBefore.size())
            s += label + pad(eventsAfter.empty() ? "" : " before", 8) + fixed(before[n].revArm, 8, 4) +
                 eventColumns(eventsBefore[n]) + "\n";
        if (n < after.size() && n < eventsAfter.size())
            s += std::string(label.size(), ' ') + pad(" after", 8) + fixed(after[n].revArm, 8, 4) +
                 eventColumns(eventsAfter[n]) + "\n";
    }
    return s;
}

std::string leadPlaceText(const LeadPlace& p) {
    const std::string where = p.notch ? "notch " + notchLabel({*p.notch, p.sense, p.revArm})
                                      : std::string(p.sense == Sense::Forward ? "forward" : "reverse") +
                                            " setting No. " + std::to_string(p.setting);
    return where + " (rev. arm " + fixed(p.revArm, 0, 3) + "), " + (p.front ? "front" : "back") + " end";
}

std::string balanceText(const Balance& b, const EqualiseGoals& g) {
    const std::string lead = "smallest lead " + fixed(b.smallestLead, 0, 5) + " at " + leadPlaceText(b.smallestLeadAt);
    if (!b.closes) return "infeasible (the linkage cannot close, a port does not cut off, or a notch is out of reach)";
    std::string s = "weighted difference " + fixed(b.weighted, 0, 4);
    std::vector<std::string> terms;
    if (g.frontBack > 0) terms.push_back("front/back cut-off " + fixed(b.frontBack, 0, 4) + " %");
    if (g.forwardReverse > 0) terms.push_back("forward/reverse " + fixed(b.forwardReverse, 0, 4) + " %");
    if (g.leads > 0) terms.push_back("leads " + fixed(b.leads / kLeadScale, 0, 5));
    if (g.fullGear > 0) terms.push_back("full gear " + fixed(b.fullGear, 0, 4) + " % off");
    if (g.work > 0) terms.push_back("front/back work " + fixed(b.work, 0, 4) + " % of the mean");
    if (!terms.empty()) {
        s += " (rms: ";
        for (size_t i = 0; i < terms.size(); ++i) s += (i ? ", " : "") + terms[i];
        s += ")";
    }
    s += "; " + lead;
    if (!b.keepsLead) s += ", below the least allowed: infeasible";
    return s;
}

std::string leadGuardText(const EqualisePlan& plan, LengthUnit unit) {
    std::string s = "Lead guard: every lead at least " + fixed(plan.leadFloor, 0, 5) + " " + unitSymbol(unit);
    if (plan.goals.minLead)
        s += ", as asked";
    else if (plan.leadFloor < 0.0)
        s += ", the starting design's own smallest lead, which is already below 0";
    return s +
           ".\n  (A lead is the steam port's opening at its end's dead centre, in " + std::string(unitName(unit)) + ", negative while "
           "the port is still lapped there;\n  both ends, at the port diagram's 19 settings both ways and at the "
           "notches.)";
}

std::string equaliseResultText(const Engine& start, const EqualisePlan& plan, const EqualiseResult& r) {
    const EqualiseGoals& g = plan.goals;
    std::vector<std::string> asked;
    if (g.frontBack > 0) asked.push_back("front and back cut-off alike (weight " + fixed(g.frontBack, 0, 2) + ")");
    if (g.forwardReverse > 0) asked.push_back("forward and reverse alike (weight " + fixed(g.forwardReverse, 0, 2) + ")");
    if (g.leads > 0) asked.push_back("equal leads (weight " + fixed(g.leads, 0, 2) + ")");
    if (g.fullGear > 0)
        asked.push_back("full-gear cut-off " + fixed(g.fullGearTarget, 0, 1) + " % (weight " + fixed(g.fullGear, 0, 2) + ")");
    if (g.work > 0) asked.push_back("equal work front and back (weight " + fixed(g.work, 0, 2) + ")");
    std::string s = "Equalising ";
    for (size_t i = 0; i < asked.size(); ++i) s += (i ? ", " : "") + asked[i];
    s += " at the notches " + notchTargetsText(plan.targets) + "; each design is judged at its own notches.\n";
    s += "Lengths (dimensions, reverse-arm settings, leads, openings, die travel) in " +
         std::string(unitName(start.lengthUnit)) + " (" + unitSymbol(start.lengthUnit) + ").\n";
    s += leadGuardText(plan, start.lengthUnit) + "\n";
    s += "Before: " + balanceText(r.before, g) + "\n";
    if (r.improved) s += "After:  " + balanceText(r.after, g) + "\n";
    if (!r.message.empty())
        s += r.message + ": nothing changed.\n";
    else if (!r.improved)
        s += "No better design within the bounds keeps every lead at or above " + fixed(plan.leadFloor, 0, 5) + " " +
             unitSymbol(start.lengthUnit) + ": nothing changed.\n";
    if (r.cancelled)
        s += "Cancelled after " + std::to_string(r.evaluations) + " evaluations: the best design found so far.\n";
    s += "\n" + changesText(r) + "\n";
    if (r.improved)
        s += eventsBeforeAfterText(plan.notches, notchEvents(start, plan.notches), r.notchesAfter,
                                   notchEvents(r.tuned, r.notchesAfter));
    else
        s += eventsBeforeAfterText(plan.notches, notchEvents(start, plan.notches), {}, {});
    // What is wrong with each design, checked at its own notches.
    s += std::string("\nFindings") + (r.improved ? " before" : "") + ":\n" +
         findingsText(checkDesign(start, plan.revArmCentre, plan.targets));
    if (r.improved) s += "Findings after:\n" + findingsText(checkDesign(r.tuned, plan.revArmCentre, plan.targets));
    s += "\n" + std::to_string(r.evaluations) + " evaluations\n";
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

double& goalWeight(EqualiseGoals& g, int i) {
    switch (i) {
        case 0: return g.frontBack;
        case 1: return g.forwardReverse;
        case 2: return g.leads;
        case 3: return g.fullGear;
        default: return g.work;
    }
}

namespace {

std::vector<std::string> commaWords(const std::string& text) {
    std::vector<std::string> words;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(',', start), text.size());
        words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

// A whole word as a finite number, dot-decimal.
bool wholeNumber(const std::string& w, double& v) {
    const auto r = std::from_chars(w.data(), w.data() + w.size(), v);
    return !w.empty() && r.ec == std::errc() && r.ptr == w.data() + w.size() && std::isfinite(v);
}

}  // namespace

bool parseGoals(const std::string& goals, const std::string& weights, EqualiseGoals& out, std::string& why) {
    EqualiseGoals g;
    g.frontBack = 0;
    const std::vector<std::string> names = commaWords(goals);
    const std::vector<std::string> values = weights.empty() ? std::vector<std::string>() : commaWords(weights);
    if (!values.empty() && values.size() != names.size()) {
        why = "--weights gives " + std::to_string(values.size()) + " weights for " + std::to_string(names.size()) +
              " goals";
        return false;
    }
    for (size_t n = 0; n < names.size(); ++n) {
        const auto* known = std::find_if(std::begin(kGoalWords), std::end(kGoalWords),
                                         [&](const char* w) { return names[n] == w; });
        if (known == std::end(kGoalWords)) {
            why = "unknown goal \"" + names[n] + "\" (front-back, forward-reverse, leads, full-gear, work)";
            return false;
        }
        double& w = goalWeight(g, static_cast<int>(known - std::begin(kGoalWords)));
        if (w > 0) {
            why = "goal " + names[n] + " is named twice";
            return false;
        }
        double v = 1.0;
        if (!values.empty() && (!wholeNumber(values[n], v) || !(v > 0.0))) {
            why = "a weight is a number above 0, not \"" + values[n] + "\"";
            return false;
        }
        w = v;
    }
    g.fullGearTarget = out.fullGearTarget;
    g.minLead = out.minLead;
    out = g;
    return true;
}

bool parseFreeDimensions(const std::string& text, const Engine& e, double rangePercent,
                         std::vector<FreeDimension>& out, std::string& why) {
    std::vector<FreeDimension> free;
    for (const std::string& word : commaWords(text)) {
        const size_t eq = word.find('=');
        const std::string idText = word.substr(0, eq);
        int id = 0;
        const auto r = std::from_chars(idText.data(), idText.data() + idText.size(), id);
        if (idText.empty() || r.ec != std::errc() || r.ptr != idText.data() + idText.size()) {
            why = "not a dimension number: \"" + word + "\"";
            return false;
        }
        if (!isFreeable(id)) {
            why = "dimension " + idText + " moves no valve event (1..19, 101, 102, 109..114, 118..122 do)";
            return false;
        }
        if (std::any_of(free.begin(), free.end(), [id](const FreeDimension& f) { return f.id == id; })) {
            why = "dimension " + idText + " is named twice";
            return false;
        }
        FreeDimension f = defaultBounds(e, id, rangePercent / 100.0);
        if (eq != std::string::npos) {
            const std::string bounds = word.substr(eq + 1);
            const size_t colon = bounds.find(':');
            double low = 0, high = 0;
            if (colon == std::string::npos || !wholeNumber(bounds.substr(0, colon), low) ||
                !wholeNumber(bounds.substr(colon + 1), high) || !(low < high)) {
                why = "the bounds of dimension " + idText + " are LOW:HIGH with LOW below HIGH, not \"" + bounds + "\"";
                return false;
            }
            f.low = static_cast<float>(low);
            f.high = static_cast<float>(high);
        }
        free.push_back(f);
    }
    if (free.size() > static_cast<size_t>(kMaxFreeDimensions)) {
        why = "at most six dimensions can be freed";
        return false;
    }
    out = free;
    return true;
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
