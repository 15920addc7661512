#include "app/PerformanceCommand.h"

#include <charconv>
#include <cmath>
#include <ostream>

#include "app/CommandLine.h"
#include "dialogs/core/PerformanceText.h"
#include "model/NotchTargets.h"

namespace tevrane {

namespace {

bool readNumber(const std::string& word, double& out) {
    double v = 0;
    const char* end = word.data() + word.size();
    const auto [p, ec] = std::from_chars(word.data(), end, v);
    if (ec != std::errc() || p != end || !std::isfinite(v)) return false;
    out = v;
    return true;
}

}  // namespace

int runPerformanceCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    enum class Form { Text, Csv, Json } form = Form::Text;
    bool formGiven = false, rpmGiven = false;
    std::string path;
    std::vector<NotchTarget> targets = defaultNotchTargets();
    // Every design is in inches until designs carry their own unit.
    PerformanceInputs in = defaultPerformanceInputs(PowerUnits::Imperial);
    const auto usage = [&](const std::string& why) {
        err << "tevrane: " << why << "\nusage: tevrane " << kPerformanceUsage << "\n";
        return 2;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesNumber = a == "--pressure" || a == "--back-pressure" || a == "--clearance" ||
                                 a == "--rpm" || a == "--speed" || a == "--cylinders";
        if (takesNumber) {
            double v = 0;
            if (i + 1 == args.size() || !readNumber(args[i + 1], v)) return usage(a + " needs a number");
            ++i;
            if (a == "--pressure") in.chestPressure = v;
            else if (a == "--back-pressure") in.backPressure = v;
            else if (a == "--clearance") in.clearancePercent = v;
            else if (a == "--rpm") in.revolutionsPerMinute = v, rpmGiven = true;
            else if (a == "--speed") in.roadSpeed = v;
            else {
                if (v != std::floor(v) || v < 1 || v > 16) return usage("--cylinders needs a whole number from 1 to 16");
                in.cylinders = int(v);
            }
        } else if (a == "--notches") {
            if (i + 1 == args.size() || !parseNotchTargets(args[i + 1], targets))
                return usage(std::string("--notches needs a list of cut-offs: ") + kNotchTargetsRule);
            ++i;
        } else if (a == "--csv" || a == "--json") {
            if (formGiven) return usage("--performance takes one of --csv and --json");
            formGiven = true;
            form = a == "--csv" ? Form::Csv : Form::Json;
        } else if (a.rfind("--", 0) == 0 || !path.empty()) {
            return usage("--performance does not understand " + a);
        } else {
            path = a;
        }
    }
    if (path.empty()) return usage("--performance needs a design file");
    if (rpmGiven && in.roadSpeed) return usage("--performance takes one of --rpm and --speed");
    if (const std::string problem = performanceInputsProblem(in); !problem.empty()) return usage(problem);

    Model m;
    if (const std::string failure = loadDesign(path, m); !failure.empty()) {
        err << "tevrane: cannot read " << path << ": " << failure << "\n";
        return 1;
    }
    const PerformanceTable table = performanceTable(m, m.revArmCentre(), targets, in);
    switch (form) {
        case Form::Text: out << performanceText(table, path); break;
        case Form::Csv: out << performanceCsv(table); break;
        case Form::Json: out << performanceJson(table, path); break;
    }
    out.flush();
    if (!out) {
        err << "tevrane: the performance could not be written\n";
        return 1;
    }
    return 0;
}

}  // namespace tevrane
