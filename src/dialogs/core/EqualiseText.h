// The texts of the equaliser: the sensitivity table as blank-aligned columns
// (shown, copied) and as CSV (saved), the events at the notches before and
// after a tuning run, the balance figures and the changed dimensions. The
// window and the `--equalise` command print the same texts.
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

// The events at each notch, before and after, one line each.
std::string eventsBeforeAfterText(const std::vector<NotchPoint>& notches, const std::vector<EventValues>& before,
                                  const std::vector<EventValues>& after);
// The events at the notches of an engine (valveEvents at each, on two threads).
std::vector<EventValues> notchEvents(const Engine& e, const std::vector<NotchPoint>& notches);

// "Weighted difference 1.234 (front/back cut-off 1.234 %)" with the terms
// asked for, or "infeasible".
std::string balanceText(const Balance& b, const EqualiseGoals& g);
// One line per freed dimension: name, before, after, change.
std::string changesText(const EqualiseResult& r);

// The dimensions offered to be freed: those bound to the four bars first
// (slot 1 to 4, where they move the events), then the rest of the table's.
std::vector<int> offeredDimensions(const Model& m);

}  // namespace tevrane
