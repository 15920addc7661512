// What the four forms of the valve events report share: how a number is
// written for a reader (fixed decimals, "-" for none) and for a machine (nine
// significant digits, an empty CSV field or a JSON null for none), quoting,
// the sense's words and the four events of an end in column order. Only the
// report's own files include this.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/core/EventsReport.h"
#include "model/Format.h"

namespace tevrane::eventsformat {

// Lengths (lead, openings, travel) in the design's own unit.
inline constexpr int kLengthDecimals = 4;
inline constexpr int kPercentDecimals = 2;
inline constexpr int kAngleDecimals = 1;
inline constexpr const char* kNone = "-";
inline constexpr const char* kOutOfReach = "out of reach";
inline constexpr int kPositions = 9;  // the reverse-arm set holds up to nine

inline std::string num(double v, int decimals) {
    if (!std::isfinite(v)) return kNone;
    return fixed(v, 0, decimals);
}
inline std::string num(const std::optional<double>& v, int decimals) { return v ? num(*v, decimals) : kNone; }

// Full precision for the machine-read forms; a value that is not a number
// has no field (CSV) or is null (JSON).
inline std::string exact(double v) {
    if (!std::isfinite(v)) return {};
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.9g", v);
    return buf;
}
inline std::string exact(const std::optional<double>& v) { return v ? exact(*v) : std::string(); }
inline std::string json(double v) {
    const std::string s = exact(v);
    return s.empty() ? "null" : s;
}
inline std::string json(const std::optional<double>& v) { return v ? json(*v) : "null"; }
inline std::string json(bool b) { return b ? "true" : "false"; }
inline std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (const unsigned char ch : s) {
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", ch);
            out += buf;
        } else {
            out += static_cast<char>(ch);
        }
    }
    return out + "\"";
}
// A CSV field that may hold a separator or a quote (the design's name).
inline std::string csvString(const std::string& s) {
    if (s.find_first_of(",\"\n\r") == std::string::npos) return s;
    std::string out = "\"";
    for (const char ch : s) {
        if (ch == '"') out += '"';
        out += ch;
    }
    return out + "\"";
}

inline const char* senseWord(Sense s) { return s == Sense::Forward ? "Fwd" : "Rev"; }
inline const char* senseName(Sense s) { return s == Sense::Forward ? "forward" : "reverse"; }

inline std::optional<double> percentOf(const std::optional<EventPoint>& p) {
    return p ? std::optional<double>(p->strokePercent) : std::nullopt;
}
inline std::optional<double> angleOf(const std::optional<EventPoint>& p) {
    return p ? std::optional<double>(p->driverAngle) : std::nullopt;
}

// The four events of an end in column order, with the difference of each.
struct EventColumns {
    EventsColumn angle, percent;
    std::optional<EventPoint> EndEvents::*event;
    std::optional<double> EventDifferences::*difference;
    const char* key;
};
inline constexpr EventColumns kEventColumns[] = {
    {EventsColumn::AdmissionAngle, EventsColumn::Admission, &EndEvents::admission, &EventDifferences::admission,
     "admission"},
    {EventsColumn::CutOffAngle, EventsColumn::CutOff, &EndEvents::cutOff, &EventDifferences::cutOff, "cutOff"},
    {EventsColumn::ReleaseAngle, EventsColumn::Release, &EndEvents::release, &EventDifferences::release,
     "release"},
    {EventsColumn::CompressionAngle, EventsColumn::Compression, &EndEvents::compression,
     &EventDifferences::compression, "compression"},
};

// Columns padded to their widest text, numbers to the right, words to the left.
inline std::string alignedTable(const std::vector<std::vector<std::string>>& lines, const std::vector<bool>& rightAligned) {
    std::vector<size_t> width;
    for (const auto& line : lines)
        for (size_t i = 0; i < line.size(); ++i) {
            if (width.size() <= i) width.resize(i + 1, 0);
            width[i] = std::max(width[i], line[i].size());
        }
    std::string out;
    for (const auto& line : lines) {
        std::string text;
        for (size_t i = 0; i < line.size(); ++i) {
            const std::string pad(width[i] - line[i].size(), ' ');
            const bool right = i < rightAligned.size() && rightAligned[i];
            if (i) text += "  ";
            text += right ? pad + line[i] : line[i] + pad;
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out += text + "\n";
    }
    return out;
}

inline std::string settingsTitle(const EventsReport& r) {
    return r.settings == EventsSettings::PortDiagram ? "Port diagram settings (19)" : "Reverse arm positions";
}

}  // namespace tevrane::eventsformat
