#include "app/CheckCommand.h"

#include <ostream>

#include "app/CommandLine.h"
#include "dialogs/core/CheckReport.h"
#include "model/DesignChecks.h"
#include "model/Format.h"
#include "model/NotchTargets.h"

namespace tevrane {

int runCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool json = false;
    std::string path;
    std::vector<NotchTarget> targets = defaultNotchTargets();
    double tolerance = kDefaultCutOffTolerance;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            json = true;
        } else if (a == "--tolerance") {
            const double t = i + 1 < args.size() ? parseDecimal(args[i + 1]) : -1.0;
            if (i + 1 == args.size() || !(t >= 0.0) || args[i + 1].find_first_not_of("0123456789.") != std::string::npos) {
                err << "tevrane: --tolerance needs a percentage of stroke (0 or more)\n";
                return 2;
            }
            tolerance = t;
            ++i;
        } else if (std::string why; takeNotchesWord(args, i, targets, why)) {
            if (!why.empty()) {
                err << "tevrane: " << why << "\n";
                return 2;
            }
        } else if (a.rfind("--", 0) == 0 || !path.empty()) {
            err << "tevrane: --check does not understand " << a << "\nusage: tevrane " << kCheckUsage << "\n";
            return 2;
        } else {
            path = a;
        }
    }
    if (path.empty()) {
        err << "tevrane: --check needs a design file\nusage: tevrane " << kCheckUsage << "\n";
        return 2;
    }
    Model m;
    if (const std::string failure = loadDesign(path, m); !failure.empty()) {
        err << "tevrane: cannot read " << path << ": " << failure << "\n";
        return 1;
    }
    const DesignCheck check = checkDesign(m, m.revArmCentre(), targets, tolerance);
    out << (json ? findingsJson(check) : findingsText(check));
    out.flush();
    if (!out) {
        err << "tevrane: the findings could not be written\n";
        return 1;
    }
    return check.serious() ? kCheckFoundProblems : 0;
}

}  // namespace tevrane
