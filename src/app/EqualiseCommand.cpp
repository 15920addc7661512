// `tevrane --equalise design.dtv --free 16,19=3.3:3.6,13 [--range PERCENT]
// [--goals ...] [--weights ...] [--full-gear PERCENT] [--min-lead LENGTH]
// [--notches ...] [--out tuned.dtv]`: what the Equalise window offers,
// without a window. Tunes the freed dimensions, prints the one result text
// the window shows, and writes the tuned design only when a better design
// keeps the lead guard.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <ostream>

#include "app/EqualiseCommand.h"

#include "app/CommandLine.h"
#include "dialogs/core/EqualiseText.h"
#include "files/DimensionFile.h"
#include "files/FileAccess.h"
#include "model/Equaliser.h"

namespace tevrane {

namespace {

constexpr const char* kUsage =
    "usage: tevrane --equalise design.dtv --free ID[=LOW:HIGH],... [--range PERCENT] [--goals GOAL,...]\n"
    "       [--weights W,...] [--full-gear PERCENT] [--min-lead LENGTH] [--notches CUTOFF,...] [--out tuned.dtv]";

// The options that take a value, each at most once.
constexpr const char* kValueOptions[] = {"--free",     "--range",   "--goals", "--weights", "--full-gear",
                                         "--min-lead", "--notches", "--out"};

// A whole word as a finite number.
bool numberWord(const std::string& w, double& v) {
    const auto r = std::from_chars(w.data(), w.data() + w.size(), v);
    return !w.empty() && r.ec == std::errc() && r.ptr == w.data() + w.size() && std::isfinite(v);
}

}  // namespace

int runEqualiseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string design;
    std::map<std::string, std::string> given;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (std::find(std::begin(kValueOptions), std::end(kValueOptions), a) != std::end(kValueOptions)) {
            if (i + 1 >= args.size() || given.count(a)) {
                err << "tevrane: " << a << (i + 1 >= args.size() ? " needs a value\n" : " given twice\n") << kUsage
                    << "\n";
                return 2;
            }
            given[a] = args[++i];
        } else if (a.rfind("--", 0) == 0 || !design.empty()) {
            err << "tevrane: unexpected word " << a << "\n" << kUsage << "\n";
            return 2;
        } else {
            design = a;
        }
    }
    if (design.empty() || !given.count("--free")) {
        err << "tevrane: " << (design.empty() ? "no design named" : "no --free dimensions") << "\n" << kUsage << "\n";
        return 2;
    }
    const auto has = [&](const char* o) { return given.count(o) > 0; };
    double range = kDefaultBoundFraction * 100.0;
    if (has("--range") && (!numberWord(given["--range"], range) || !(range > 0.0))) {
        err << "tevrane: --range is a percent above 0, not \"" << given["--range"] << "\"\n";
        return 2;
    }
    EqualiseGoals goals;
    goals.fullGearTarget = kDefaultFullGearTarget;
    if (has("--full-gear") && (!numberWord(given["--full-gear"], goals.fullGearTarget) ||
                               !(goals.fullGearTarget > 0.0 && goals.fullGearTarget < 100.0))) {
        err << "tevrane: --full-gear is a cut-off between 0 and 100 %, not \"" << given["--full-gear"] << "\"\n";
        return 2;
    }
    if (has("--min-lead")) {
        double least = 0;
        if (!numberWord(given["--min-lead"], least)) {
            err << "tevrane: --min-lead is a length, not \"" << given["--min-lead"] << "\"\n";
            return 2;
        }
        goals.minLead = least;
    }
    std::string why;
    if ((has("--goals") || has("--weights")) &&
        !parseGoals(has("--goals") ? given["--goals"] : std::string(kGoalWords[0]), given["--weights"], goals, why)) {
        err << "tevrane: " << why << "\n";
        return 2;
    }
    std::vector<NotchTarget> targets = defaultNotchTargets();
    if (has("--notches") && !parseNotchTargets(given["--notches"], targets)) {
        err << "tevrane: --notches needs a list of cut-offs: " << kNotchTargetsRule << "\n";
        return 2;
    }
    // The dimension words are checked before the design is read: a wrong
    // command line is wrong whatever the file holds.
    std::vector<FreeDimension> free;
    {
        Model defaults;
        initModel(defaults);
        if (!parseFreeDimensions(given["--free"], defaults, range, free, why)) {
            err << "tevrane: --free: " << why << "\n";
            return 2;
        }
    }

    Model m;
    if (const std::string failure = loadDesign(design, m); !failure.empty()) {
        err << "tevrane: " << design << ": " << failure << "\n";
        return 1;
    }
    const Engine& start = m;
    // The default bounds follow the design's own values.
    parseFreeDimensions(given["--free"], start, range, free, why);
    const EqualisePlan plan = makePlan(start, m.revArmCentre(), targets, goals);
    const EqualiseResult r = equalise(start, plan, free);

    out << "Design " << design << "\n" << equaliseResultText(start, plan, r);
    out.flush();
    if (!out) {
        err << "tevrane: the result could not be written\n";
        return 1;
    }
    // Nothing could be tuned at all (no freed dimension has room to move, as
    // in a design of no numbers, or the design gives none of the notches):
    // the command failed, and no file is written.
    if (r.free.empty() || plan.notches.empty()) {
        err << "tevrane: " << design << ": " << r.message << (has("--out") ? "; nothing written\n" : "\n");
        return 1;
    }
    if (!r.improved) return kNothingBetter;
    if (has("--out")) {
        for (const DimensionChange& c : r.changes) setDimension(m, c.id, c.after);
        if (const std::string failure = writeFileAtomically(given["--out"], encodeDimensions(m)); !failure.empty()) {
            err << "tevrane: " << given["--out"] << ": " << failure << "\n";
            return 1;
        }
        out << "Written to " << given["--out"] << "\n";
    }
    return 0;
}

}  // namespace tevrane
