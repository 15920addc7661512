#include "report/core/DesignReport.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "diagrams/core/CardPlot.h"
#include "dialogs/core/CheckReport.h"
#include "dialogs/core/DimensionRows.h"
#include "dialogs/core/EventsForms.h"
#include "dialogs/core/EventsFormat.h"
#include "dialogs/core/EventsReport.h"
#include "dialogs/core/PerformanceText.h"
#include "report/core/ReportPictures.h"
#include "main/core/TitleBlock.h"
#include "model/Dimensions.h"
#include "model/NotchTargets.h"
#include "model/Performance.h"
#include "model/Units.h"

namespace tevrane {

namespace {

using namespace eventsformat;

// ---- sizes of the page ------------------------------------------------------

constexpr int kBodyFont = 8;
constexpr int kHeadingFont = 11;
constexpr int kTitleFont = 16;
constexpr int kColumnGap = 12;  // pixels between a table's columns
// A line of letters of this many points, with room between the lines.
int lineHeight(int points) { return static_cast<int>(std::lround(points * 96.0 / 72.0 * 1.35)); }
constexpr int kHeadingSpaceAbove = 10;

int bodyTop() { return kReportMargin + kReportHeaderHeight; }
int bodyBottom(const ReportPaper& p) { return p.height - kReportMargin - kReportFooterHeight; }
int bodyWidth(const ReportPaper& p) { return p.width - 2 * kReportMargin; }

// ---- blocks -------------------------------------------------------------------

ReportBlock heading(std::string text) {
    ReportBlock b;
    b.kind = ReportBlock::Kind::Heading;
    b.text = std::move(text);
    return b;
}
ReportBlock subheading(std::string text) {
    ReportBlock b;
    b.kind = ReportBlock::Kind::Subheading;
    b.text = std::move(text);
    return b;
}
ReportBlock paragraph(std::string text) {
    ReportBlock b;
    b.kind = ReportBlock::Kind::Paragraph;
    b.text = std::move(text);
    return b;
}
ReportBlock table(ReportTable t) {
    ReportBlock b;
    b.kind = ReportBlock::Kind::Table;
    b.table = std::move(t);
    return b;
}
ReportBlock picture(int width, int height, std::function<void(Canvas&)> draw) {
    ReportBlock b;
    b.kind = ReportBlock::Kind::Picture;
    b.picture = {width, height, std::move(draw)};
    return b;
}

// The dialog's label as a line of a table: its inner runs of blanks (which
// place the label's words on the dialog's surface) become one blank, and the
// ditto marks under "Reverse Arm to Cent" say the words they repeat.
std::string tableLabel(std::string_view label, std::string_view above) {
    std::string words;
    std::istringstream in{std::string(label)};
    std::string w;
    bool ditto = false;
    while (in >> w) {
        if (w == "\"") {
            ditto = true;
            continue;
        }
        words += (words.empty() ? "" : " ") + w;
    }
    if (!ditto) return words;
    // The ditto marks stand for the line above without its last word.
    std::string repeated = tableLabel(above, {});
    if (const size_t last = repeated.rfind(' '); last != std::string::npos) repeated.resize(last);
    return repeated + " " + words;
}

// The second line of a two-line dialog label ("(Piston Rod)"), empty for a
// label of one line: the text the dialog draws right after the first.
std::string secondLabelLine(const DimensionLayout& layout, int id) {
    for (const DimensionRow& row : layout.rows) {
        if (row.id != id || row.buttonRows < 2) continue;
        for (size_t i = 0; i + 1 < layout.texts.size(); ++i)
            if (layout.texts[i].text == row.label) return tableLabel(layout.texts[i + 1].text, {});
    }
    return {};
}

ReportTable dimensionTable(const Model& m, bool frame) {
    const char* unit = unitSymbol(m.lengthUnit);
    ReportTable t;
    t.lines.push_back({"No.", frame ? "Dimension (\"Frame Dimensions\")" : "Dimension (\"Cylinder Dimensions\")",
                       "Value", "Unit"});
    t.rightAligned = {true, false, true, false};
    const Engine& e = m;
    std::string_view above;
    for (const DimensionInfo& d : dimensions()) {
        if ((d.id < 100) != frame) continue;
        const float* v = dimensionField(e, d.id);
        std::string label = tableLabel(d.label, above);
        if (const std::string more = secondLabelLine(frame ? frameLayout() : cylinderLayout(), d.id); !more.empty())
            label += " " + more;
        t.lines.push_back({std::to_string(d.id), label, num(v ? *v : 0.0f, kLengthDecimals), unit});
        above = d.label;
    }
    return t;
}

ReportTable eventsBlockTable(const EventsReport& r, const std::vector<std::string>* firstColumn) {
    EventsTextTable e = eventsTextTable(r, kDefaultEventsTolerance);
    if (firstColumn) {
        // The notch a row belongs to instead of its number.
        e.lines[0][0] = "Notch";
        for (size_t i = 2; i < e.lines.size(); ++i) {
            const size_t setting = (i - 2) / 3;
            e.lines[i][0] = (i - 2) % 3 == 0 && setting < firstColumn->size() ? (*firstColumn)[setting] : "";
        }
        e.rightAligned[0] = false;
    }
    ReportTable t{std::move(e.lines), std::move(e.rightAligned), 2};
    return t;
}

struct Notch {
    std::string name;
    float revArm = 0;
    Sense sense = Sense::Forward;
};

// Every notch that was found (by the mean of both ends), forward then
// reverse.
std::vector<Notch> foundNotches(const EventsReport& r) {
    std::vector<Notch> out;
    const NotchSense* senses[] = {&r.notches.forward, &r.notches.reverse};
    for (int s = 0; s < 2; ++s)
        for (const NotchRow& row : senses[s]->rows)
            if (const auto& at = row.at(NotchEnd::Mean))
                out.push_back({std::string(s == 0 ? "Fwd " : "Rev ") + notchTargetLabel(row.target), at->revArm,
                               s == 0 ? Sense::Forward : Sense::Reverse});
    return out;
}

// The full travel either way: the port diagram's last setting of that sense.
float fullTravel(const EventsReport& r, Sense sense) {
    float setting = r.revArmCentre;
    for (const EventsSetting& s : r.rows)
        if (s.events.sense == sense) setting = s.events.revArm;
    return setting;
}

std::string unitWords(LengthUnit u) { return std::string(unitName(u)) + " (" + unitSymbol(u) + ")"; }

}  // namespace

ReportContent designReportContent(const Model& live, const ReportRequest& request) {
    // Every computation works on this copy; the live design is only read.
    Model m = live;
    m.fontScaleX = 1.0f;
    m.fontScaleY = 1.0f;
    const char* unit = unitSymbol(m.lengthUnit);
    const std::string name = m.currentFileName.empty() ? std::string("Nominal") : m.currentFileName;

    ReportContent out;
    out.design = name;
    auto& b = out.blocks;

    ReportBlock title;
    title.kind = ReportBlock::Kind::Title;
    title.text = "Design report: " + name;
    b.push_back(title);
    ReportTable about;
    about.headRows = 0;
    about.rightAligned = {false, false};
    about.lines = {{"Design", name},
                   {"File", request.file.empty() ? std::string("not saved") : request.file},
                   {"Date", request.date},
                   {"Unit", "every length in " + unitWords(m.lengthUnit)},
                   {"Paper", std::string(request.paper.name) + ", across"}};
    b.push_back(table(about));

    b.push_back(heading("Frame dimensions"));
    b.push_back(table(dimensionTable(m, true)));
    b.push_back(heading("Cylinder dimensions"));
    b.push_back(table(dimensionTable(m, false)));

    const std::vector<NotchTarget> targets = defaultNotchTargets();
    const EventsReport events = makeEventsReport(m, EventsSettings::PortDiagram, targets);

    b.push_back(heading("Mid gear: laps, leads and exhaust clearances"));
    b.push_back(paragraph("The reverse arm at mid gear (" + num(events.revArmCentre, 3) + " " + unit +
                          "); lengths in " + unitWords(m.lengthUnit) + ", F-B front minus back."));
    ReportTable mid;
    mid.lines.push_back({"", "Front", "Back", "F-B"});
    mid.rightAligned = {false, true, true, true};
    for (const auto& row : midGearRows(events)) mid.lines.push_back({row.begin(), row.end()});
    b.push_back(table(mid));

    b.push_back(heading("Notches"));
    b.push_back(paragraph(std::string("The reverse-arm setting (") + unit +
                          ", the same scale as the reverse arm position) that gives each cut-off, judged by the "
                          "front end, the back end and their mean."));
    ReportTable notches;
    const auto& titles = notchColumnTitles();
    notches.lines.push_back({titles.begin(), titles.end()});
    notches.rightAligned = {false, true, true, true, true, true, true};
    for (const auto& row : notchRows(events)) {
        std::vector<std::string> line;
        for (const NotchCell& c : row) line.push_back(c.text);
        notches.lines.push_back(line);
    }
    b.push_back(table(notches));
    for (const std::string& line : reachLines(events)) b.push_back(paragraph(line));

    // The events at the notches: the same table as at the 19 settings, one
    // row of settings per notch found.
    const std::vector<Notch> found = foundNotches(events);
    EventsReport atNotches = events;
    atNotches.rows.clear();
    std::vector<std::string> notchNames;
    for (const Notch& n : found) {
        const double travel = m.revArmMax != 0.0f
                                  ? std::fabs(double(n.revArm) - events.revArmCentre) / m.revArmMax * 100.0
                                  : 0.0;
        atNotches.rows.push_back({int(notchNames.size()), travel, valveEvents(m, n.revArm, n.sense)});
        notchNames.push_back(n.name);
    }
    const std::string measures = eventsMeasures(m.lengthUnit) + " Dead centres (driver angle): front " +
                                 num(events.deadCentres.front, 2) + " deg, back " + num(events.deadCentres.back, 2) +
                                 " deg.";
    b.push_back(heading("Valve events at the notches"));
    b.push_back(paragraph(measures));
    if (found.empty())
        b.push_back(paragraph("No notch is within the reverse arm's travel."));
    else
        b.push_back(table(eventsBlockTable(atNotches, &notchNames)));

    b.push_back(heading("Valve events at the port diagram's 19 settings, forward and reverse"));
    b.push_back(paragraph("Setting 0 is mid gear, 18 the full travel; travel in percent of the maximum travel (" +
                          num(events.revArmMax, 3) + " " + unit + "). A difference marked * is beyond " +
                          num(kDefaultEventsTolerance, 2) + " % of stroke."));
    if (events.clamped)
        b.push_back(paragraph("Warning: the solver had to mend the linkage at some settings (\"linkage mended\"); "
                              "those rows are not a real gear."));
    b.push_back(table(eventsBlockTable(events, nullptr)));

    b.push_back(heading("Die travel"));
    b.push_back(paragraph(std::string("The die's place along the link from its pivot, positive towards the reverse "
                                      "arm, over a turn of the driver; lengths in ") +
                          unitWords(m.lengthUnit) + "."));
    ReportTable die;
    die.lines.push_back({"Setting", "Sense", std::string("Rev arm (") + unit + ")", std::string("Highest (") + unit + ")",
                         std::string("Lowest (") + unit + ")", std::string("Die travel (") + unit + ")"});
    die.rightAligned = {false, false, true, true, true, true};
    const auto dieLine = [&](const std::string& what, const ValveEvents& v) {
        die.lines.push_back({what, senseName(v.sense), num(v.revArm, 3), num(v.die.highest, kLengthDecimals),
                             num(v.die.lowest, kLengthDecimals), num(v.die.travel(), kLengthDecimals)});
    };
    for (size_t i = 0; i < found.size(); ++i) dieLine(notchNames[i], atNotches.rows[i].events);
    for (const EventsSetting& s : events.rows)
        if (s.number == 18) dieLine("full travel", s.events);
    b.push_back(table(die));

    b.push_back(heading("Design checks"));
    if (events.check.findings.empty())
        b.push_back(paragraph(kNoFindings));
    else
        for (const Finding& f : events.check.findings) b.push_back(paragraph(findingLine(f)));

    // ---- pictures, each on a page of its own ----
    const int pictureWidth = bodyWidth(request.paper);
    const int pictureHeight = bodyBottom(request.paper) - bodyTop() - kHeadingSpaceAbove - lineHeight(kHeadingFont);
    const auto pictureBlock = [&](const std::string& name, ReportPicture p) {
        b.push_back(heading(name));
        ReportBlock block;
        block.kind = ReportBlock::Kind::Picture;
        block.picture = std::move(p);
        b.push_back(std::move(block));
    };
    pictureBlock("Mechanism at mid gear",
                 mechanismReportPicture(m, std::nullopt, request.date, pictureWidth, pictureHeight));
    pictureBlock("Mechanism in full gear forward",
                 mechanismReportPicture(m, fullTravel(events, Sense::Forward), request.date, pictureWidth, pictureHeight));
    pictureBlock("Mechanism in full gear backward",
                 mechanismReportPicture(m, fullTravel(events, Sense::Reverse), request.date, pictureWidth, pictureHeight));
    for (auto& [name, p] : diagramReportPictures(m, request.date)) pictureBlock(name, std::move(p));

    // ---- indicated performance ----
    const PerformanceInputs in = defaultPerformanceInputs(powerUnitsOf(m.lengthUnit));
    auto performance = std::make_shared<PerformanceTable>(performanceTable(m, m.revArmCentre(), targets, in));
    const std::vector<const SettingPerformance*> cards = notchList(*performance);
    b.push_back(heading("Indicated performance: the cards at " +
                        (cards.empty() ? std::string("no notch") : notchName(*cards.front()))));
    const int cardsHeight = kPerformanceHeight + kTitleBlockHeight;
    const TitleBlock cardsTitle = titleBlockOf(m, request.date);
    b.push_back(picture(kPerformanceWidth, cardsHeight, [performance, cardsTitle, cardsHeight](Canvas& c) {
        drawPerformance(c, *performance, 0);
        drawTitleBlock(c, cardsTitle, kPerformanceWidth, cardsHeight);
    }));
    b.push_back(heading("Indicated performance at the notches and the 19 settings"));
    std::istringstream lines(performanceHeading(*performance, name));
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) b.push_back(paragraph(line));
    for (PerformanceSection& s : performanceSections(*performance)) {
        b.push_back(subheading(s.title));
        b.push_back(table({std::move(s.lines), std::move(s.rightAligned), 1}));
    }
    return out;
}

// ---- layout -------------------------------------------------------------------

namespace {

class Layout {
public:
    Layout(const ReportPaper& paper, Canvas& measure) : paper_(paper), c_(measure) { newPage(); }

    std::vector<ReportPage> finish(const std::string& design) {
        const int count = static_cast<int>(pages_.size());
        for (int i = 0; i < count; ++i) {
            ReportPage& p = pages_[static_cast<size_t>(i)];
            // Header: the report's name left, rule under it; footer centred.
            p.texts.push_back({kReportMargin, kReportMargin, kBodyFont, false, 1, "Design report: " + design});
            p.lines.push_back({kReportMargin, kReportMargin + kReportHeaderHeight - 6, paper_.width - kReportMargin,
                               kReportMargin + kReportHeaderHeight - 6});
            const std::string n = pageNumberText(i + 1, count);
            p.texts.push_back({(paper_.width - width(n, kBodyFont, false)) / 2,
                               paper_.height - kReportMargin - lineHeight(kBodyFont) + 4, kBodyFont, false, 1, n});
        }
        return std::move(pages_);
    }

    void title(const std::string& text) {
        const int h = lineHeight(kTitleFont);
        room(h);
        put(kReportMargin, text, kTitleFont, true, 1);
        y_ += h + 6;
    }

    void heading(const std::string& text, int keepWith) {
        const int h = lineHeight(kHeadingFont);
        if (!empty()) y_ += kHeadingSpaceAbove;
        if (!fits(h + keepWith)) newPage();
        put(kReportMargin, text, kHeadingFont, true, 1);
        y_ += h;
        lastHeading_ = text;
        lastSubheading_.clear();
    }

    void subheading(const std::string& text, int keepWith) {
        const int h = lineHeight(kBodyFont);
        if (!fits(h + keepWith)) continuePage();
        put(kReportMargin, text, kBodyFont, true, 1);
        y_ += h;
        lastSubheading_ = text;
    }

    void paragraph(const std::string& text) {
        const int h = lineHeight(kBodyFont);
        for (const std::string& line : wrap(text, bodyWidth(paper_))) {
            room(h);
            put(kReportMargin, line, kBodyFont, false, 1);
            y_ += h;
        }
        y_ += 4;
    }

    void table(const ReportTable& t) {
        if (t.lines.empty()) return;
        size_t columns = 0;
        for (const auto& l : t.lines) columns = std::max(columns, l.size());
        std::vector<int> widths(columns, 0);
        for (size_t r = 0; r < t.lines.size(); ++r)
            for (size_t k = 0; k < t.lines[r].size(); ++k)
                widths[k] = std::max(widths[k], width(t.lines[r][k], kBodyFont, int(r) < t.headRows));
        int natural = 0;
        for (int w : widths) natural += w + kColumnGap;
        natural -= kColumnGap;
        // A table wider than the page is set in smaller letters.
        const float scale = natural > bodyWidth(paper_) ? float(bodyWidth(paper_)) / float(natural) : 1.0f;
        const int rowHeight = std::max(1, static_cast<int>(std::lround(lineHeight(kBodyFont) * scale)));
        std::vector<int> left(columns, 0);
        for (size_t k = 1; k < columns; ++k) left[k] = left[k - 1] + widths[k - 1] + kColumnGap;
        const auto x = [&](int at) { return kReportMargin + static_cast<int>(std::lround(at * scale)); };

        const auto row = [&](size_t r) {
            const bool head = int(r) < t.headRows;
            const auto& line = t.lines[r];
            for (size_t k = 0; k < line.size(); ++k) {
                if (line[k].empty()) continue;
                const bool right = k < t.rightAligned.size() && t.rightAligned[k];
                const int at = right ? left[k] + widths[k] - width(line[k], kBodyFont, head) : left[k];
                put(x(at), line[k], kBodyFont, head, scale);
            }
            y_ += rowHeight;
        };
        const auto headRule = [&] {
            if (t.headRows == 0) return;
            page().lines.push_back({kReportMargin, y_ + 1, x(natural), y_ + 1});
            y_ += 3;
        };
        const int headHeight = t.headRows * rowHeight + (t.headRows ? 3 : 0);
        // The heading and at least one row together.
        if (!fits(headHeight + rowHeight)) continuePage();
        for (int r = 0; r < t.headRows && size_t(r) < t.lines.size(); ++r) row(size_t(r));
        headRule();
        for (size_t r = size_t(std::max(t.headRows, 0)); r < t.lines.size(); ++r) {
            if (!fits(rowHeight)) {
                // Goes on over the next page under its heading again.
                continuePage();
                for (int h = 0; h < t.headRows; ++h) row(size_t(h));
                headRule();
            }
            row(r);
        }
        y_ += 6;
    }

    void picture(const ReportPicture& p) {
        if (p.width <= 0 || p.height <= 0) return;
        const int boxWidth = bodyWidth(paper_);
        const int boxHeight = bodyBottom(paper_) - y_;
        const double scale = std::min(double(boxWidth) / p.width, double(boxHeight) / p.height);
        const int w = static_cast<int>(std::floor(p.width * scale));
        const int h = static_cast<int>(std::floor(p.height * scale));
        page().pictures.push_back({p, kReportMargin + (boxWidth - w) / 2, y_, w, h});
        y_ = bodyBottom(paper_);
    }

    bool empty() const { return y_ == bodyTop(); }
    void newPage() {
        pages_.emplace_back();
        y_ = bodyTop();
    }

private:
    ReportPage& page() { return pages_.back(); }
    bool fits(int h) const { return y_ + h <= bodyBottom(paper_); }
    void room(int h) {
        if (!fits(h) && !empty()) continuePage();
    }
    // A new page for what goes on from the last: its heading again,
    // continued, and the subheading it stood under.
    void continuePage() {
        newPage();
        if (lastHeading_.empty()) return;
        put(kReportMargin, lastHeading_ + " (continued)", kHeadingFont, true, 1);
        y_ += lineHeight(kHeadingFont);
        if (!lastSubheading_.empty()) {
            put(kReportMargin, lastSubheading_, kBodyFont, true, 1);
            y_ += lineHeight(kBodyFont);
        }
    }
    void put(int x, const std::string& text, int size, bool bold, float scale) {
        page().texts.push_back({x, y_, size, bold, scale, text});
    }
    int width(const std::string& text, int size, bool bold) {
        c_.setFontSize(size);
        c_.setFontBold(bold);
        c_.setTextScale(1, 1);
        return c_.textWidth(text);
    }
    std::vector<std::string> wrap(const std::string& text, int limit) {
        std::vector<std::string> out;
        std::istringstream in(text);
        std::string line, w;
        while (in >> w) {
            const std::string longer = line.empty() ? w : line + " " + w;
            if (!line.empty() && width(longer, kBodyFont, false) > limit) {
                out.push_back(line);
                line = w;
            } else {
                line = longer;
            }
        }
        if (!line.empty()) out.push_back(line);
        return out;
    }

    ReportPaper paper_;
    Canvas& c_;
    std::vector<ReportPage> pages_;
    int y_ = 0;
    std::string lastHeading_, lastSubheading_;
};

}  // namespace

std::vector<ReportPage> layoutReport(const ReportContent& content, const ReportPaper& paper, Canvas& measure) {
    Layout l(paper, measure);
    const auto& b = content.blocks;
    for (size_t i = 0; i < b.size(); ++i) {
        const bool nextIsPicture = i + 1 < b.size() && b[i + 1].kind == ReportBlock::Kind::Picture;
        switch (b[i].kind) {
            case ReportBlock::Kind::Title: l.title(b[i].text); break;
            case ReportBlock::Kind::Heading:
                // A picture takes a page of its own under its heading.
                if (nextIsPicture && !l.empty()) l.newPage();
                l.heading(b[i].text, nextIsPicture ? 0 : 4 * lineHeight(kBodyFont));
                break;
            case ReportBlock::Kind::Subheading: l.subheading(b[i].text, 4 * lineHeight(kBodyFont)); break;
            case ReportBlock::Kind::Paragraph: l.paragraph(b[i].text); break;
            case ReportBlock::Kind::Table: l.table(b[i].table); break;
            case ReportBlock::Kind::Picture: l.picture(b[i].picture); break;
        }
    }
    return l.finish(content.design);
}

std::string pageNumberText(int page, int pageCount) {
    return "Page " + std::to_string(page) + " of " + std::to_string(pageCount);
}

void drawReportPage(Canvas& c, const ReportPage& page, const ReportPaper&) {
    c.clear(colours::white);
    c.setPenColour(colours::black);
    c.setPenWidth(1);
    c.setBrushClear();
    c.setFontColour(colours::black);
    for (const PlacedLine& l : page.lines) c.line(l.x1, l.y1, l.x2, l.y2);
    for (const PlacedText& t : page.texts) {
        c.setFontSize(t.fontSize);
        c.setFontBold(t.bold);
        c.setTextScale(t.scale, t.scale);
        c.textOut(t.x, t.y, t.text);
    }
    c.setTextScale(1, 1);
}

}  // namespace tevrane
