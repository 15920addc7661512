#include "dialogs/core/ComparisonForms.h"

#include "dialogs/core/EventsFormat.h"
#include "dialogs/core/EventsForms.h"

namespace tevrane {

using namespace eventsformat;

namespace {

std::string targetText(const NotchTarget& t) { return t.fullGear ? "full gear" : num(t.cutOff, 1) + " %"; }
std::string targetJson(const NotchTarget& t) { return t.fullGear ? "\"full gear\"" : json(t.cutOff); }
std::string targetCsv(const NotchTarget& t) { return t.fullGear ? "full gear" : exact(t.cutOff); }

// A figure for the reader; a difference that rounds to nothing reads 0, not -0.
std::string fig(const std::optional<double>& v, int decimals) {
    std::string s = num(v, decimals);
    if (s.size() > 1 && s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

std::string nameOf(const std::string& name, const char* fallback) { return name.empty() ? fallback : name; }

// The event columns of one end of one design, or of b - a.
struct EndCells {
    double lead, maxOpening, overTravel;
    std::optional<double> angle[4], percent[4];
};

EndCells cellsOf(const EndEvents& e) {
    EndCells c{e.lead, e.maxSteamOpening, e.overTravel, {}, {}};
    for (int k = 0; k < 4; ++k) {
        c.angle[k] = angleOf(e.*kEventColumns[k].event);
        c.percent[k] = percentOf(e.*kEventColumns[k].event);
    }
    return c;
}

EndCells cellsOf(const EndDifference& d) {
    EndCells c{d.lead, d.maxSteamOpening, d.overTravel, {}, {}};
    const std::optional<PointDifference> EndDifference::*points[4] = {
        &EndDifference::admission, &EndDifference::cutOff, &EndDifference::release, &EndDifference::compression};
    for (int k = 0; k < 4; ++k)
        if (const auto& p = d.*points[k]) {
            c.angle[k] = p->driverAngle;
            c.percent[k] = p->strokePercent;
        }
    return c;
}

std::string pointDifferenceJson(const std::optional<PointDifference>& p) {
    return p ? "{\"driverAngle\": " + json(p->driverAngle) + ", \"strokePercent\": " + json(p->strokePercent) + "}"
             : std::string("null");
}

std::string endDifferenceJson(const EndDifference& d) {
    return "{\"lead\": " + json(d.lead) + ", \"maxSteamOpening\": " + json(d.maxSteamOpening) +
           ", \"overTravel\": " + json(d.overTravel) + ", \"admission\": " + pointDifferenceJson(d.admission) +
           ", \"cutOff\": " + pointDifferenceJson(d.cutOff) + ", \"release\": " + pointDifferenceJson(d.release) +
           ", \"compression\": " + pointDifferenceJson(d.compression) + "}";
}

std::string notchEventsJson(const std::optional<NotchEvents>& n) {
    if (!n) return "null";
    return "{\"revArm\": " + json(n->revArm) + ", \"fromCentre\": " + json(n->fromCentre) + ", \"sense\": \"" +
           senseName(n->events.sense) + "\", " + valveEventsJsonFields(n->events, kDefaultEventsTolerance) + "}";
}

std::string differenceJson(const std::optional<EventsDifference>& d) {
    if (!d) return "null";
    return "{\"revArm\": " + json(d->revArm) + ", \"valveTravel\": " + json(d->valveTravel) +
           ", \"die\": {\"highest\": " + json(d->dieHighest) + ", \"lowest\": " + json(d->dieLowest) +
           ", \"travel\": " + json(d->dieTravel) + "},\n     \"front\": " + endDifferenceJson(d->front) +
           ",\n     \"back\": " + endDifferenceJson(d->back) + "}";
}

}  // namespace

std::string comparisonConventions(const DesignComparison& c) {
    std::string s = std::string("Every difference is b - a. Lengths in ") + unitName(c.unit) + " (" +
                    unitSymbol(c.unit) + ")";
    if (c.bScaledFrom)
        s += std::string(", design b scaled from ") + unitName(*c.bScaledFrom) + " by " +
             fixed(lengthFactor(*c.bScaledFrom, c.unit), 0, 6);
    s += ". Each design at its own notch: the reverse-arm setting whose mean of front and back cut-off is the "
         "target, given as its distance from that design's mid gear (positive forward of it). Admission and "
         "compression in percent of stroke from the end's dead centre, negative before it; cut-off and release "
         "in percent of the working stroke; event angles in degrees of driver angle, their differences taken "
         "the short way round (-180 to 180).";
    return s;
}

std::string comparisonText(const DesignComparison& c) {
    const std::string a = nameOf(c.nameA, "design a"), b = nameOf(c.nameB, "design b");
    const std::string u = unitSymbol(c.unit);
    std::string out = "Comparison of " + b + " (b) against " + a + " (a)\n" + comparisonConventions(c) + "\n";
    if (c.clamped) out += "The solver had to mend a linkage at some settings: those events are doubtful.\n";

    out += "\nDimensions that differ\n";
    if (c.dimensions.empty()) {
        out += "None: every dimension is the same.\n";
    } else {
        std::vector<std::vector<std::string>> lines = {
            {"Id", "Dimension", "a (" + u + ")", "b (" + u + ")", "b - a (" + u + ")"}};
        for (const DimensionDifference& d : c.dimensions)
            lines.push_back({std::to_string(d.id), d.name, fig(d.a, 4), fig(d.b, 4), fig(d.difference(), 4)});
        out += alignedTable(lines, {true, false, true, true, true});
    }

    out += "\nEvents at the notches\n";
    std::vector<std::vector<std::string>> lines = {
        {"Target", "Sense", "Design", "Setting", "End", "Lead", "Max open", "Over-travel", "Admission", "Cut-off",
         "Release", "Compression", "Valve travel", "Die travel"},
        {"", "", "", u + " from mid", "", u, u, u, "%", "%", "%", "%", u, u}};
    auto add = [&](const NotchComparison& n, const char* who, const std::optional<double>& setting,
                   const EndCells& e, const char* end, const std::optional<double>& travel,
                   const std::optional<double>& die) {
        std::vector<std::string> line = {targetText(n.target), senseWord(n.sense), who, fig(setting, 4), end,
                                         fig(e.lead, 4), fig(e.maxOpening, 4), fig(e.overTravel, 4)};
        for (int k = 0; k < 4; ++k) line.push_back(fig(e.percent[k], 2));
        line.push_back(fig(travel, 4));
        line.push_back(fig(die, 4));
        lines.push_back(line);
    };
    for (const NotchComparison& n : c.notches) {
        for (const auto& [who, side] : {std::pair{"a", &n.a}, std::pair{"b", &n.b}}) {
            if (!*side) {
                lines.push_back({targetText(n.target), senseWord(n.sense), who, kOutOfReach});
                continue;
            }
            const NotchEvents& e = **side;
            for (const auto& [end, ev] : {std::pair{"front", &e.events.front}, std::pair{"back", &e.events.back}})
                add(n, who, e.fromCentre, cellsOf(*ev), end, e.events.valveTravel, e.events.die.travel());
        }
        if (n.difference) {
            const EventsDifference& d = *n.difference;
            add(n, "b - a", d.revArm, cellsOf(d.front), "front", d.valveTravel, d.dieTravel);
            add(n, "b - a", d.revArm, cellsOf(d.back), "back", d.valveTravel, d.dieTravel);
        }
    }
    std::vector<bool> right(14, true);
    right[1] = right[2] = right[4] = false;
    out += alignedTable(lines, right);
    return out;
}

std::string comparisonCsv(const DesignComparison& c) {
    const std::string u = unitSymbol(c.unit);
    std::string out = "id,name,a,b,difference,unit\n";
    for (const DimensionDifference& d : c.dimensions)
        out += std::to_string(d.id) + "," + csvString(d.name) + "," + exact(d.a) + "," + exact(d.b) + "," +
               exact(d.difference()) + "," + u + "\n";
    out += "\ntarget,sense,design,reverse_arm_from_mid_gear,end,lead,max_steam_opening,over_travel,admission_angle,"
           "admission_percent,cut_off_angle,cut_off_percent,release_angle,release_percent,compression_angle,"
           "compression_percent,valve_travel,die_travel,unit\n";
    auto line = [&](const NotchComparison& n, const char* who, double setting, const EndCells& e, const char* end,
                    double travel, double die) {
        out += targetCsv(n.target) + "," + senseName(n.sense) + "," + who + "," + exact(setting) + "," + end + "," +
               exact(e.lead) + "," + exact(e.maxOpening) + "," + exact(e.overTravel);
        for (int k = 0; k < 4; ++k) out += "," + exact(e.angle[k]) + "," + exact(e.percent[k]);
        out += "," + exact(travel) + "," + exact(die) + "," + u + "\n";
    };
    for (const NotchComparison& n : c.notches) {
        for (const auto& [who, side] : {std::pair{"a", &n.a}, std::pair{"b", &n.b}}) {
            if (!*side) continue;
            const NotchEvents& e = **side;
            line(n, who, e.fromCentre, cellsOf(e.events.front), "front", e.events.valveTravel, e.events.die.travel());
            line(n, who, e.fromCentre, cellsOf(e.events.back), "back", e.events.valveTravel, e.events.die.travel());
        }
        if (n.difference) {
            const EventsDifference& d = *n.difference;
            line(n, "b-a", d.revArm, cellsOf(d.front), "front", d.valveTravel, d.dieTravel);
            line(n, "b-a", d.revArm, cellsOf(d.back), "back", d.valveTravel, d.dieTravel);
        }
    }
    return out;
}

std::string comparisonJson(const DesignComparison& c) {
    std::string out = "{\n  \"designA\": " + jsonString(c.nameA) + ",\n  \"designB\": " + jsonString(c.nameB) +
                      ",\n  \"unit\": \"" + unitSymbol(c.unit) + "\",\n  \"unitName\": \"" + unitName(c.unit) +
                      "\",\n  \"bScaledFrom\": " +
                      (c.bScaledFrom ? "\"" + std::string(unitSymbol(*c.bScaledFrom)) + "\"" : std::string("null")) +
                      ",\n  \"conventions\": " + jsonString(comparisonConventions(c)) +
                      ",\n  \"clamped\": " + json(c.clamped) + ",\n  \"dimensions\": [";
    for (size_t i = 0; i < c.dimensions.size(); ++i) {
        const DimensionDifference& d = c.dimensions[i];
        out += std::string(i ? "," : "") + "\n    {\"id\": " + std::to_string(d.id) + ", \"name\": " +
               jsonString(d.name) + ", \"a\": " + json(d.a) + ", \"b\": " + json(d.b) +
               ", \"difference\": " + json(d.difference()) + "}";
    }
    out += "\n  ],\n  \"notches\": [";
    for (size_t i = 0; i < c.notches.size(); ++i) {
        const NotchComparison& n = c.notches[i];
        out += std::string(i ? "," : "") + "\n    {\"target\": " + targetJson(n.target) + ", \"sense\": \"" +
               senseName(n.sense) + "\",\n     \"a\": " + notchEventsJson(n.a) + ",\n     \"b\": " +
               notchEventsJson(n.b) + ",\n     \"difference\": " + differenceJson(n.difference) + "}";
    }
    out += "\n  ]\n}\n";
    return out;
}

ComparisonTable dimensionsTable(const DesignComparison& c) {
    const std::string u = std::string(" (") + unitSymbol(c.unit) + ")";
    ComparisonTable t;
    t.headings = {"Id", "Dimension", "a" + u, "b" + u, "b - a" + u};
    t.firstNumber = 2;
    for (const DimensionDifference& d : c.dimensions)
        t.rows.push_back({std::to_string(d.id), d.name, fig(d.a, 4), fig(d.b, 4), fig(d.difference(), 4)});
    return t;
}

ComparisonTable notchesSideBySide(const DesignComparison& c) {
    const std::string u = unitSymbol(c.unit);
    // Each quantity's heading with its unit and how it is measured.
    const struct {
        const char* title;
        std::string unit;
        int decimals;
    } quantities[] = {
        {"Setting", u + " from mid gear", 4}, {"Lead", u, 4},        {"Max open", u, 4},
        {"Over-travel", u, 4},                {"Admission", "% from dead centre", 2},
        {"Cut-off", "% of stroke", 2},        {"Release", "% of stroke", 2},
        {"Compression", "% from dead centre", 2}, {"Valve travel", u, 4}, {"Die travel", u, 4},
    };
    ComparisonTable t;
    t.headings = {"Target", "Sense", "End"};
    t.firstNumber = 3;
    for (const auto& q : quantities)
        for (const char* who : {" a", " b", " b - a"}) t.headings.push_back(q.title + std::string(who) + "\n" + q.unit);

    // The figures of one design (or of b - a) at one end, in the order above.
    using Figures = std::vector<std::optional<double>>;
    auto figures = [](std::optional<double> setting, const EndCells& e, std::optional<double> travel,
                      std::optional<double> die) {
        Figures f = {setting, e.lead, e.maxOpening, e.overTravel};
        for (int k = 0; k < 4; ++k) f.push_back(e.percent[k]);
        f.push_back(travel);
        f.push_back(die);
        return f;
    };
    const Figures none(10);
    for (const NotchComparison& n : c.notches)
        for (const bool front : {true, false}) {
            auto side = [&](const std::optional<NotchEvents>& s) {
                if (!s) return none;
                return figures(s->fromCentre, cellsOf(front ? s->events.front : s->events.back), s->events.valveTravel,
                               s->events.die.travel());
            };
            const Figures fa = side(n.a), fb = side(n.b);
            const Figures fd = n.difference ? figures(n.difference->revArm,
                                                      cellsOf(front ? n.difference->front : n.difference->back),
                                                      n.difference->valveTravel, n.difference->dieTravel)
                                            : none;
            std::vector<std::string> row = {targetText(n.target), senseWord(n.sense), front ? "front" : "back"};
            for (size_t q = 0; q < fa.size(); ++q) {
                const int d = quantities[q].decimals;
                row.push_back(n.a ? fig(fa[q], d) : kOutOfReach);
                row.push_back(n.b ? fig(fb[q], d) : kOutOfReach);
                row.push_back(fig(fd[q], d));
            }
            t.rows.push_back(std::move(row));
        }
    return t;
}

}  // namespace tevrane
