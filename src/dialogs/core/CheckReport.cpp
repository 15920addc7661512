#include "dialogs/core/CheckReport.h"

#include "dialogs/core/EventsFormat.h"

namespace tevrane {

namespace {

const char* senseName(Sense s) { return s == Sense::Forward ? "forward" : "reverse"; }

}  // namespace

std::string findingPlace(const Finding& f) {
    std::string place;
    const auto add = [&](const std::string& part) { place += (place.empty() ? "" : ", ") + part; };
    if (f.sense) add(senseName(*f.sense));
    if (f.setting) add("setting " + std::to_string(*f.setting));
    if (f.end) add(endName(*f.end));
    return place.empty() ? place : "(" + place + ")";
}

std::string findingLine(const Finding& f) {
    const std::string place = findingPlace(f);
    return std::string(severityName(f.severity)) + " " + f.code + (place.empty() ? "" : " " + place) + ": " +
           f.message;
}

std::string findingsText(const DesignCheck& c) {
    if (c.findings.empty()) return std::string(kNoFindings) + "\n";
    std::string out;
    for (const Finding& f : c.findings) out += findingLine(f) + "\n";
    return out;
}

std::string findingsJson(const DesignCheck& c) {
    using eventsformat::jsonString;
    std::string out = "{\"findings\": [";
    for (size_t i = 0; i < c.findings.size(); ++i) {
        const Finding& f = c.findings[i];
        out += std::string(i ? "," : "") + "\n  {\"severity\": " + jsonString(severityName(f.severity)) +
               ", \"code\": " + jsonString(f.code) +
               ", \"sense\": " + (f.sense ? jsonString(senseName(*f.sense)) : std::string("null")) +
               ", \"setting\": " + (f.setting ? std::to_string(*f.setting) : std::string("null")) +
               ", \"end\": " + (f.end ? jsonString(endName(*f.end)) : std::string("null")) +
               ", \"message\": " + jsonString(f.message) + "}";
    }
    return out + (c.findings.empty() ? "]}\n" : "\n]}\n");
}

}  // namespace tevrane
