// `tevrane --equalise design.dtv --free 16,19,13 [--out tuned.dtv]`: tunes the
// freed dimensions (default bounds +-5 %) for equal front and back cut-off at
// the default notches, prints the balance and the events before and after and
// the new dimensions, and writes the tuned design when asked.
#include <algorithm>
#include <charconv>
#include <ostream>

#include "app/EqualiseCommand.h"

#include "app/CommandLine.h"
#include "dialogs/core/EqualiseText.h"
#include "files/DimensionFile.h"
#include "files/FileAccess.h"
#include "model/Equaliser.h"

namespace tevrane {

namespace {

constexpr const char* kUsage = "usage: tevrane --equalise design.dtv --free ID,ID,... [--out tuned.dtv]";

// "16,19,13": ids that move the events, no repeats, at most six.
bool parseFree(const std::string& text, std::vector<int>& ids, std::string& why) {
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(',', start), text.size());
        const std::string word = text.substr(start, end - start);
        int id = 0;
        const auto r = std::from_chars(word.data(), word.data() + word.size(), id);
        if (word.empty() || r.ec != std::errc() || r.ptr != word.data() + word.size()) {
            why = "not a dimension number: \"" + word + "\"";
            return false;
        }
        if (!isFreeable(id)) {
            why = "dimension " + word + " moves no valve event (1..19, 101, 102, 109..114, 118..122 do)";
            return false;
        }
        if (std::find(ids.begin(), ids.end(), id) != ids.end()) {
            why = "dimension " + word + " is named twice";
            return false;
        }
        ids.push_back(id);
        start = end + 1;
    }
    if (ids.size() > static_cast<size_t>(kMaxFreeDimensions)) {
        why = "at most six dimensions can be freed";
        return false;
    }
    return true;
}

}  // namespace

int runEqualiseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string design, freeText, outPath;
    bool haveFree = false, haveOut = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--free" || a == "--out") {
            if (i + 1 >= args.size() || (a == "--free" ? haveFree : haveOut)) {
                err << "tevrane: " << a << (i + 1 >= args.size() ? " needs a value\n" : " given twice\n") << kUsage
                    << "\n";
                return 2;
            }
            (a == "--free" ? freeText : outPath) = args[++i];
            (a == "--free" ? haveFree : haveOut) = true;
        } else if (a.rfind("--", 0) == 0 || !design.empty()) {
            err << "tevrane: unexpected word " << a << "\n" << kUsage << "\n";
            return 2;
        } else {
            design = a;
        }
    }
    if (design.empty() || !haveFree) {
        err << "tevrane: " << (design.empty() ? "no design named" : "no --free dimensions") << "\n" << kUsage << "\n";
        return 2;
    }
    std::vector<int> ids;
    std::string why;
    if (!parseFree(freeText, ids, why)) {
        err << "tevrane: --free: " << why << "\n";
        return 2;
    }

    Model m;
    if (const std::string failure = loadDesign(design, m); !failure.empty()) {
        err << "tevrane: " << design << ": " << failure << "\n";
        return 1;
    }
    const Engine& start = m;
    const auto targets = defaultNotchTargets();
    const EqualisePlan plan = makePlan(start, m.revArmCentre(), targets, EqualiseGoals{});
    std::vector<FreeDimension> free;
    for (int id : ids) free.push_back(defaultBounds(start, id));
    const EqualiseResult r = equalise(start, plan, free);

    out << "Equalising front and back cut-off at the notches of " << design << "\n";
    out << "Before: " << balanceText(r.before, plan.goals) << "\n";
    out << "After:  " << balanceText(r.after, plan.goals) << "\n";
    if (!r.message.empty()) out << r.message << "\n";
    if (!r.improved && r.message.empty()) out << "No better design within the bounds; nothing changed.\n";
    out << "\n" << eventsBeforeAfterText(plan.notches, notchEvents(start, plan.notches), notchEvents(r.tuned, plan.notches));
    out << "\n" << changesText(r);
    out << r.evaluations << " evaluations\n";
    out.flush();
    if (!out) {
        err << "tevrane: the result could not be written\n";
        return 1;
    }
    // Nothing could be tuned (no dimension had room to move, the design
    // gives none of the notches): that is a failure, and no file is written.
    if (!r.message.empty()) {
        err << "tevrane: " << design << ": " << r.message << (haveOut ? "; nothing written\n" : "\n");
        return 1;
    }

    if (haveOut) {
        for (const DimensionChange& c : r.changes) setDimension(m, c.id, c.after);
        if (const std::string failure = writeFileAtomically(outPath, encodeDimensions(m)); !failure.empty()) {
            err << "tevrane: " << outPath << ": " << failure << "\n";
            return 1;
        }
        out << "Written to " << outPath << "\n";
        out.flush();
        if (!out) {
            err << "tevrane: the result could not be written\n";
            return 1;
        }
    }
    return 0;
}

}  // namespace tevrane
