// The texts of the equaliser: the sensitivity table as blank-aligned columns
// (shown, copied) and as CSV (saved), and the one result text of a tuning
// run (what was asked, the balance and smallest lead of both designs, why
// nothing changed, the changed dimensions, the events at each design's own
// notches and the design checks' findings of both). The window and the
// `--equalise` command print the same texts, and read the goals and bounds
// with the same rules.
#pragma once

#include <string>
#include <vector>

#include "model/Equaliser.h"
#include "model/NotchTargets.h"
#include "model/Sensitivity.h"

namespace tevrane {

// "Fwd 75 %", "Rev full".
std::string notchLabel(const NotchPoint& p);

std::string sensitivityText(const SensitivityTable& t);
// One line per dimension and notch, with a header line; numbers with a dot,
// an event that does not exist an empty field.
std::string sensitivityCsv(const SensitivityTable& t);

// The events at each notch, before and after, one line each, each design
// at its own notches (`after` empty: the starting design alone).
std::string eventsBeforeAfterText(const std::vector<NotchPoint>& before, const std::vector<EventValues>& eventsBefore,
                                  const std::vector<NotchPoint>& after, const std::vector<EventValues>& eventsAfter);
// The events at the notches of an engine (valveEvents at each, on two threads).
std::vector<EventValues> notchEvents(const Engine& e, const std::vector<NotchPoint>& notches);

// "weighted difference 1.2340 (rms: front/back cut-off 1.2340 %); smallest
// lead 0.01234 at forward setting No. 18 (rev. arm 7.125), back end", with
// the terms asked for, or why the design is infeasible.
std::string balanceText(const Balance& b, const EqualiseGoals& g);
// Where a smallest lead is: "forward setting No. 18 (rev. arm 7.125), back end".
std::string leadPlaceText(const LeadPlace& p);
// The lead guard of a plan in words, with its unit and what it is measured from.
std::string leadGuardText(const EqualisePlan& plan, LengthUnit unit = LengthUnit::Inch);
// One line per freed dimension: name, before, after, change.
std::string changesText(const EqualiseResult& r);

// The whole result of a tuning run from `start` with `plan`.
std::string equaliseResultText(const Engine& start, const EqualisePlan& plan, const EqualiseResult& r);

// ---- the words of `tevrane --equalise` ----------------------------------------
// "front-back", "forward-reverse", "leads", "full-gear", "work": the window's
// five goals, in its order.
inline constexpr const char* kGoalWords[] = {"front-back", "forward-reverse", "leads", "full-gear", "work"};
inline constexpr int kGoalCount = 5;
// The weight of goal i (0..4, in the order of kGoalWords).
double& goalWeight(EqualiseGoals& g, int i);
// "--goals front-back,leads" and "--weights 1,0.5" (one weight per goal
// named, in the same order; empty: 1 each) into goals whose other weights
// are 0. False, with why, for an unknown or repeated goal, a weight that is
// no number above 0, or a count that differs.
bool parseGoals(const std::string& goals, const std::string& weights, EqualiseGoals& out, std::string& why);
// "--free 16,19=3.3:3.6,13": dimension ids that move the events, each with
// its own bounds LOW:HIGH or the default of +-rangePercent % of its value;
// no repeats, at most six. False, with why, otherwise.
bool parseFreeDimensions(const std::string& text, const Engine& e, double rangePercent,
                         std::vector<FreeDimension>& out, std::string& why);

// The dimensions offered to be freed: those bound to the four bars first
// (slot 1 to 4, where they move the events), then the rest of the table's.
std::vector<int> offeredDimensions(const Model& m);

}  // namespace tevrane
