#include "app/EventsCommand.h"

#include <ostream>

#include "app/CommandLine.h"
#include "dialogs/core/EventsForms.h"
#include "model/NotchTargets.h"

namespace tevrane {

int runEventsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    enum class Form { Text, Csv, Json } form = Form::Text;
    std::string path;
    bool formGiven = false;
    std::vector<NotchTarget> targets = defaultNotchTargets();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--notches") {
            if (i + 1 == args.size() || !parseNotchTargets(args[i + 1], targets)) {
                err << "tevrane: --notches needs a list of cut-offs: " << kNotchTargetsRule << "\n";
                return 2;
            }
            ++i;
        } else if (a == "--csv" || a == "--json") {
            if (formGiven) {
                err << "tevrane: --events takes one of --csv and --json\n";
                return 2;
            }
            formGiven = true;
            form = a == "--csv" ? Form::Csv : Form::Json;
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
        case Form::Text: out << eventsReportText(report, kDefaultEventsTolerance); break;
        case Form::Csv: out << eventsReportCsv(report); break;
        case Form::Json: out << eventsReportJson(report, kDefaultEventsTolerance); break;
    }
    out.flush();
    if (!out) {
        err << "tevrane: the events could not be written\n";
        return 1;
    }
    return 0;
}

}  // namespace tevrane
