#include "app/PerformanceCommand.h"

#include <charconv>
#include <cmath>
#include <optional>
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
    OutputForm form = OutputForm::Text;
    bool formGiven = false, rpmGiven = false;
    std::string path;
    std::vector<NotchTarget> targets = defaultNotchTargets();
    // What the command line gives; the rest comes from the defaults of the
    // design's unit (psi, in, hp or bar, mm, kW), known once it is read.
    std::optional<double> pressure, back, clearance, rpm, speed;
    std::optional<int> cylinders;
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
            if (a == "--pressure") pressure = v;
            else if (a == "--back-pressure") back = v;
            else if (a == "--clearance") clearance = v;
            else if (a == "--rpm") rpm = v, rpmGiven = true;
            else if (a == "--speed") speed = v;
            else {
                if (v != std::floor(v) || v < 1 || v > 16) return usage("--cylinders needs a whole number from 1 to 16");
                cylinders = int(v);
            }
        } else if (std::string why; takeNotchesWord(args, i, targets, why) ||
                                    takeFormWord(a, "--performance", form, formGiven, why)) {
            if (!why.empty()) return usage(why);
        } else if (a.rfind("--", 0) == 0 || !path.empty()) {
            return usage("--performance does not understand " + a);
        } else {
            path = a;
        }
    }
    if (path.empty()) return usage("--performance needs a design file");
    if (rpmGiven && speed) return usage("--performance takes one of --rpm and --speed");
    const auto inputsIn = [&](PowerUnits units) {
        PerformanceInputs in = defaultPerformanceInputs(units);
        if (pressure) in.chestPressure = *pressure;
        if (back) in.backPressure = *back;
        if (clearance) in.clearancePercent = *clearance;
        if (rpm) in.revolutionsPerMinute = *rpm;
        if (speed) in.roadSpeed = *speed;
        if (cylinders) in.cylinders = *cylinders;
        return in;
    };
    // Words that cannot make sense in either unit are refused before the
    // design is read; the rest once its unit is known.
    if (const std::string problem = performanceInputsProblem(inputsIn(PowerUnits::Imperial)); !problem.empty())
        return usage(problem);

    Model m;
    if (const std::string failure = loadDesign(path, m); !failure.empty()) {
        err << "tevrane: cannot read " << path << ": " << failure << "\n";
        return 1;
    }
    const PerformanceInputs in = inputsIn(powerUnitsOf(m.lengthUnit));
    if (const std::string problem = performanceInputsProblem(in); !problem.empty()) return usage(problem);
    const PerformanceTable table = performanceTable(m, m.revArmCentre(), targets, in);
    switch (form) {
        case OutputForm::Text: out << performanceText(table, path); break;
        case OutputForm::Csv: out << performanceCsv(table); break;
        case OutputForm::Json: out << performanceJson(table, path); break;
    }
    out.flush();
    if (!out) {
        err << "tevrane: the performance could not be written\n";
        return 1;
    }
    return 0;
}

}  // namespace tevrane
