#include "app/CompareCommand.h"

#include <ostream>

#include "app/CommandLine.h"
#include "dialogs/core/ComparisonForms.h"
#include "model/NotchTargets.h"

namespace tevrane {

int runCompareCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    OutputForm form = OutputForm::Text;
    bool formGiven = false;
    std::vector<std::string> paths;
    std::vector<NotchTarget> targets = defaultNotchTargets();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string why;
        if (takeNotchesWord(args, i, targets, why) || takeFormWord(a, "--compare", form, formGiven, why)) {
            if (!why.empty()) {
                err << "tevrane: " << why << "\n";
                return 2;
            }
        } else if (a.rfind("--", 0) == 0 || paths.size() == 2) {
            err << "tevrane: --compare does not understand " << a << "\nusage: tevrane " << kCompareUsage << "\n";
            return 2;
        } else {
            paths.push_back(a);
        }
    }
    if (paths.size() != 2) {
        err << "tevrane: --compare needs two design files\nusage: tevrane " << kCompareUsage << "\n";
        return 2;
    }

    ComparedDesign designs[2];
    for (int k = 0; k < 2; ++k) {
        Model m;
        if (const std::string failure = loadDesign(paths[k], m); !failure.empty()) {
            err << "tevrane: cannot read " << paths[k] << ": " << failure << "\n";
            return 1;
        }
        designs[k] = {m.currentFileName, m, m.revArmCentre()};
    }
    const DesignComparison c = compareDesigns(designs[0], designs[1], targets);
    switch (form) {
        case OutputForm::Text: out << comparisonText(c); break;
        case OutputForm::Csv: out << comparisonCsv(c); break;
        case OutputForm::Json: out << comparisonJson(c); break;
    }
    out.flush();
    if (!out) {
        err << "tevrane: the comparison could not be written\n";
        return 1;
    }
    return 0;
}

}  // namespace tevrane
