#include "model/Format.h"

#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "model/Model.h"

namespace tevrane {

std::string fixed(double value, int width, int decimals) {
    if (width < 0) width = 0;
    if (width > 64) width = 64;
    if (decimals < 0) decimals = 0;
    if (decimals > 30) decimals = 30;
    const int n = std::snprintf(nullptr, 0, "%*.*f", width, decimals, value);
    if (n <= 0) return {};
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    std::snprintf(buf.data(), buf.size(), "%*.*f", width, decimals, value);
    return std::string(buf.data(), static_cast<size_t>(n));
}

std::string fixed10(double value, int width, int decimals) {
    return cut(fixed(value, width, decimals), 10);
}

std::string cut(const std::string& s, std::size_t n) { return s.size() > n ? s.substr(0, n) : s; }

double parseDecimal(const std::string& text) {
    // Find the longest leading part that forms a number:
    //   blanks* [+-] digits* [. digits*] [(e|E) [+-] digits+]   with at least one digit
    // from_chars is locale-independent, unlike strtod once the toolkit set a locale.
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t start = i;
    size_t digits = 0;
    while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    size_t end = i;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < n && std::isdigit(static_cast<unsigned char>(text[j]))) ++j, ++expDigits;
        if (expDigits > 0) end = j;
    }
    std::string part = text.substr(start, end - start);
    if (!part.empty() && part[0] == '.') part.insert(part.begin(), '0');
    double v = 0.0;
    const auto res = std::from_chars(part.data(), part.data() + part.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large gives infinity, too small gives zero, as the hardware would.
        const bool tiny = part.find_first_of("eE") != std::string::npos &&
                          part[part.find_first_of("eE") + 1] == '-';
        v = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -v : v;
}

float parseFloat(const std::string& text) {
    // The largest double that still rounds to a finite single: FLT_MAX plus
    // half of its unit in the last place, exclusive.
    constexpr double kOverflow = static_cast<double>(FLT_MAX) + 0x1p103;
    const double v = parseDecimal(text);
    if (v >= kOverflow) return INFINITY;
    if (v <= -kOverflow) return -INFINITY;
    return static_cast<float>(v);
}

bool acceptNumericKey(const std::string& text, char key, bool allowMinus) {
    if (key == '\b') return true;
    if (key >= '0' && key <= '9') return true;
    if (key == '.') return text.find('.') == std::string::npos;
    if (key == '-') return allowMinus && text.find('-') == std::string::npos;
    return false;
}

void pivotsToScreen(Model& m) {
    for (int i = 0; i <= 20; ++i) {
        m.pivotScreenX[i] = screenX(m, m.pivotX[i]);
        m.pivotScreenY[i] = screenY(m, m.pivotY[i]);
    }
}

}  // namespace tevrane
