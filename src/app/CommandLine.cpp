#include "app/CommandLine.h"

#include <cstring>
#include <ostream>

#include "app/CheckCommand.h"
#include "app/CompareCommand.h"
#include "app/ConvertCommand.h"
#include "app/EqualiseCommand.h"
#include "app/EventsCommand.h"
#include "app/ExportCommand.h"
#include "app/PerformanceCommand.h"
#include "app/ReportCommand.h"
#include "files/DimensionFile.h"
#include "files/FileAccess.h"

namespace tevrane {

namespace {

int runHelp(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Each command's own file adds its row here.
const BatchCommand kCommands[] = {
    {"--events", kEventsUsage,
     "prints the valve events of the port diagram's 19 settings and the notch finder", runEventsCommand},
    {"--check", kCheckUsage,
     "names what is wrong with a design (exit 3 when there is an error or warning)", runCheckCommand},
    {"--compare", kCompareUsage,
     "prints the dimensions that differ (id, name, a, b, b - a) and both designs' valve events at\n"
     "      their own notches with b - a, in design a's length unit (b scaled to it where it differs)",
     runCompareCommand},
    {"--equalise",
     "--equalise design.dtv --free ID[=LOW:HIGH],... [--range PERCENT] [--goals GOAL,...]\n"
     "           [--weights W,...] [--full-gear PERCENT] [--min-lead LENGTH] [--notches CUTOFF,...]\n"
     "           [--out tuned.dtv]",
     "tunes up to six freed dimensions (bounds LOW:HIGH, or +-PERCENT of the value, 5 by default)\n"
     "      for the goals front-back (the default), forward-reverse, leads, full-gear (cut-off\n"
     "      PERCENT, 75 by default) and work (equal work front and back on the indicator cards)\n"
     "      with their weights, at the notches (75,65,50,35,25,full by default); no lead (the steam\n"
     "      port's opening at its dead centre, a length) at the port diagram's 19 settings either way\n"
     "      or at the notches may fall below LENGTH (default 0, or the design's own smallest lead\n"
     "      where that is already below 0); exits with 3 and writes nothing when no better design\n"
     "      keeps that",
     runEqualiseCommand},
    {"--performance", kPerformanceUsage,
     "prints the theoretical indicator cards' mean effective pressure, work per stroke, work ratio\n"
     "      front/back and indicated power at the notches and the port diagram's 19 settings, both\n"
     "      senses (pressures gauge, default 100 and 0 psi for a design in inches, 7 and 0 bar for one\n"
     "      in millimetres; clearance 8 %; 300 rpm or a road speed in mph or km/h; 2 cylinders; power\n"
     "      in hp or kW)",
     runPerformanceCommand},
    {"--convert", kConvertUsage,
     "writes the design with every length in millimetres (mm) or inches (in) and its view scales\n"
     "      the other way, so its picture and every percent stay; a design already in that unit is\n"
     "      copied unchanged",
     runConvertCommand},
    {"--export", kExportUsage, "writes the mechanism or a diagram of the design as PNG, SVG or PDF",
     runExportCommand},
    {"--report", kReportUsage,
     "writes the design report as a PDF: dimensions, mid gear, notches, valve events, die travel,\n"
     "      the design checks, the mechanism, the four diagrams and the indicated performance",
     runReportCommand},
    {"--help", "--help", "this list", runHelp},
};

int runHelp(const std::vector<std::string>&, std::ostream& out, std::ostream&) {
    out << "Tevrane Outside Admission: a valve gear simulator.\n"
           "\n"
           "Usage:\n"
           "  tevrane [design.dtv]      start the simulator, opening the design if one is named\n";
    for (const BatchCommand& c : kCommands) out << "  tevrane " << c.usage << "\n      " << c.summary << "\n";
    out << "\nA batch command needs no display. It exits with 0 when it succeeded, 1 when a\n"
           "design could not be read or a result could not be written, and 2 when the\n"
           "command line was not understood.\n";
    return 0;
}

}  // namespace

std::span<const BatchCommand> batchCommands() { return kCommands; }

bool isBatchCommand(int argc, char** argv) {
    return argc >= 2 && argv[1] && std::strncmp(argv[1], "--", 2) == 0;
}

int runBatchCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty()) return runHelp(words, out, err);
    for (const BatchCommand& c : kCommands) {
        if (words.front() != c.option) continue;
        const int status = c.run({words.begin() + 1, words.end()}, out, err);
        // What a command printed must have reached its reader (a full disk,
        // /dev/full, a closed pipe): else the command failed.
        out.flush();
        if (status == 0 && !out) {
            err << "tevrane: " << c.option << ": the output could not be written\n";
            return 1;
        }
        return status;
    }
    err << "tevrane: unknown option " << words.front() << " (tevrane --help lists the commands)\n";
    return 2;
}

bool takeNotchesWord(const std::vector<std::string>& args, std::size_t& i, std::vector<NotchTarget>& targets,
                     std::string& why) {
    if (args[i] != "--notches") return false;
    if (i + 1 == args.size() || !parseNotchTargets(args[i + 1], targets))
        why = std::string("--notches needs a list of cut-offs: ") + kNotchTargetsRule;
    else
        ++i;
    return true;
}

bool takeFormWord(const std::string& word, const char* command, OutputForm& form, bool& given, std::string& why) {
    if (word != "--csv" && word != "--json") return false;
    if (given) {
        why = std::string(command) + " takes one of --csv and --json";
        return true;
    }
    given = true;
    form = word == "--csv" ? OutputForm::Csv : OutputForm::Json;
    return true;
}

std::string loadDesign(const std::string& path, Model& m) {
    initModel(m);
    const FileHead file = readFileHead(path, kDesignReadLimit);
    if (!file.failure.empty()) return file.failure;
    const DecodeResult r = decodeDimensions(m, file.bytes);
    if (!r.ok) {
        initModel(m);
        return r.message;
    }
    m.currentFileName = displayFileName(path);
    afterDimensionsLoaded(m);
    return {};
}

}  // namespace tevrane
