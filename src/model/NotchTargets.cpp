#include "model/NotchTargets.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "model/Format.h"

namespace tevrane {

namespace {

bool isSeparator(char ch) { return ch == ',' || ch == ';' || ch == ' ' || ch == '\t' || ch == '%'; }

bool isFull(std::string_view w) {
    if (w.size() != 4) return false;
    std::string lower;
    for (char ch : w) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return lower == "full";
}

// Two decimals at most, without trailing zeros: 75, 62.5, 33.33.
std::string cutOffText(double v) {
    std::string s = fixed(v, 0, 2);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s;
}

}  // namespace

std::optional<std::vector<NotchTarget>> parseNotchTargets(std::string_view text) {
    std::vector<NotchTarget> targets;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSeparator(text[i])) ++i;
        if (i == text.size()) break;
        size_t j = i;
        while (j < text.size() && !isSeparator(text[j])) ++j;
        std::string_view word = text.substr(i, j - i);
        i = j;
        if (isFull(word)) {
            targets.push_back({0.0, true});
            continue;
        }
        // Digits and at most one point: the edit boxes' own conversion reads
        // the longest valid start and would take "5x" for 5 without a word.
        if (word.empty() || word == "." || word.find_first_not_of("0123456789.") != std::string_view::npos ||
            std::count(word.begin(), word.end(), '.') > 1)
            return std::nullopt;
        const double v = parseDecimal(std::string(word));
        if (!(v > 0.0 && v < 100.0)) return std::nullopt;
        targets.push_back({v, false});
    }
    return targets;
}

bool parseNotchTargets(std::string_view text, std::vector<NotchTarget>& out) {
    auto t = parseNotchTargets(text);
    if (!t || t->empty()) return false;
    out = std::move(*t);
    return true;
}

std::string notchTargetsText(std::span<const NotchTarget> targets) {
    std::string s;
    for (const NotchTarget& t : targets) {
        if (!s.empty()) s += ", ";
        s += t.fullGear ? std::string("full") : cutOffText(t.cutOff);
    }
    return s;
}

std::string notchTargetLabel(const NotchTarget& t) { return t.fullGear ? "full gear" : cutOffText(t.cutOff) + " %"; }

}  // namespace tevrane
