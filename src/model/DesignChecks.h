// What is wrong with a design, in a designer's words: the gear run at the
// port diagram's 19 settings both ways and at the notches, and every place
// where it cannot close, a port never opens or cuts off, the die runs off
// the link, a lead is negative, front and back cut-off differ at a notch, or
// a steam port never opens fully even in full gear.
//
// Pure: reads an engine (or events already computed for it) and returns the
// findings; the Valve Events window, `tevrane --check` and the equaliser all
// read the same list.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/Model.h"
#include "model/NotchFinder.h"
#include "model/ValveEvents.h"

namespace tevrane {

enum class Severity { Error, Warning, Note };
// "error", "warning", "note".
const char* severityName(Severity s);

// The codes, as `--check` and its JSON write them.
inline constexpr const char* kClamped = "clamped";                     // error
inline constexpr const char* kMissingEvent = "missing-event";          // error
inline constexpr const char* kDieOffLink = "die-off-link";             // error
inline constexpr const char* kNegativeLead = "negative-lead";          // warning
inline constexpr const char* kCutOffUnequal = "cutoff-unequal";        // warning
inline constexpr const char* kPortNotFullyOpen = "port-not-fully-open";  // note

enum class CylinderEnd { Front, Back };
// "front", "back".
const char* endName(CylinderEnd e);

struct Finding {
    Severity severity = Severity::Note;
    std::string code;
    // Where: the sense, the port diagram's setting number (0 at the centre to
    // 18 at full travel) and the cylinder end, each empty where the finding
    // is not about one. A notch's finding names its target in the message.
    std::optional<Sense> sense;
    std::optional<int> setting;
    std::optional<CylinderEnd> end;
    std::string message;  // one sentence
};

// Front and back cut-off at a notch may differ by this much (percent of
// stroke) before it is a finding.
inline constexpr double kDefaultCutOffTolerance = 2.0;

struct DesignCheck {
    std::vector<Finding> findings;  // errors first, then warnings, then notes
    // Any error or warning: what `--check` reports with exit status 3.
    bool serious() const;
    int count(Severity s) const;
};

// The checks of an engine: its events table and notches are computed here.
DesignCheck checkDesign(const Engine& e, float revArmCentre, std::span<const NotchTarget> targets,
                        double tolerance = kDefaultCutOffTolerance);
// The same from a table and notches already computed for the engine and
// centre (the Valve Events window has them).
DesignCheck checkDesign(const Engine& e, const EventsTable& table, const NotchTable& notches,
                        double tolerance = kDefaultCutOffTolerance);

}  // namespace tevrane
