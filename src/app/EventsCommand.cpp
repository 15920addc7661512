#include "app/EventsCommand.h"

#include <ostream>

#include "app/CommandLine.h"
#include "dialogs/core/EventsForms.h"
#include "model/NotchTargets.h"

namespace tevrane {

int runEventsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    OutputForm form = OutputForm::Text;
    std::string path;
    bool formGiven = false;
    std::vector<NotchTarget> targets = defaultNotchTargets();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string why;
        if (takeNotchesWord(args, i, targets, why) || takeFormWord(a, "--events", form, formGiven, why)) {
            if (!why.empty()) {
                err << "tevrane: " << why << "\n";
                return 2;
            }
        } else if (a.rfind("--", 0) == 0 || !path.empty()) {
            err << "tevrane: --events does not understand " << a
                << "\nusage: tevrane " << kEventsUsage << "\n";
            return 2;
        } else {
            path = a;
        }
    }
    if (path.empty()) {
        err << "tevrane: --events needs a design file\nusage: tevrane " << kEventsUsage << "\n";
        return 2;
    }

    Model m;
    if (const std::string failure = loadDesign(path, m); !failure.empty()) {
        err << "tevrane: cannot read " << path << ": " << failure << "\n";
        return 1;
    }
    const EventsReport report = makeEventsReport(m, EventsSettings::PortDiagram, targets);
    switch (form) {
        case OutputForm::Text: out << eventsReportText(report, kDefaultEventsTolerance); break;
        case OutputForm::Csv: out << eventsReportCsv(report); break;
        case OutputForm::Json: out << eventsReportJson(report, kDefaultEventsTolerance); break;
    }
    out.flush();
    if (!out) {
        err << "tevrane: the events could not be written\n";
        return 1;
    }
    return 0;
}

}  // namespace tevrane
