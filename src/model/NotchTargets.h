// The wanted cut-offs of the notch finder as a user types them, in the
// Valve Events window, the Equalise window and on the command line alike:
// cut-offs in percent of stroke and the word "full" for the full gear,
// separated by commas, semicolons, blanks or tabs ("75, 65, 50, 35, 25, full").
// A "%" after a number is read as a separator. A cut-off is a plain decimal (digits and
// at most one point) above 0 and below 100; 100 % is no cut-off at all, and
// the full gear is what the travel gives at its end, so both are "full".
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/NotchFinder.h"

namespace tevrane {

// The targets in the order written; empty when the text holds no word. No
// value when a word is neither a cut-off in range nor "full".
std::optional<std::vector<NotchTarget>> parseNotchTargets(std::string_view text);
// The same, for a caller that needs at least one target: false (and `out`
// untouched) for a text that is refused or holds no target.
bool parseNotchTargets(std::string_view text, std::vector<NotchTarget>& out);

// The text parseNotchTargets reads back: at most two decimals, trailing
// zeros dropped, the full gear as "full".
std::string notchTargetsText(std::span<const NotchTarget> targets);

// One target as a heading: "75 %", "62.5 %" or "full gear".
std::string notchTargetLabel(const NotchTarget& t);

// What a refused text is told, in the words of the rules above.
inline constexpr const char* kNotchTargetsRule =
    "Cut-offs are numbers above 0 and below 100 (% of stroke), or \"full\", separated by commas.";

}  // namespace tevrane
