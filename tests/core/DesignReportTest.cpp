// The design report read on the recording canvas: what it says (every
// dimension's dialog label with its value and unit), how its pages are
// numbered and laid out (nothing off the page or over a picture, long tables
// going on under their heading), and that making it leaves the design alone.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "files/DimensionFile.h"
#include "report/core/DesignReport.h"
#include "model/Dimensions.h"
#include "model/Units.h"
#include "platform/RecordingCanvas.h"

namespace tevrane {
namespace {

struct Report {
    std::vector<ReportPage> pages;
    std::vector<RecordingCanvas> drawn;  // one canvas per page
};

Report makeReport(const Model& m, const ReportPaper& paper = kA4Paper) {
    RecordingCanvas measure;
    ReportRequest request;
    request.file = "/tmp/x.dtv";
    request.date = "09/12/2026";
    request.paper = paper;
    Report r;
    r.pages = layoutReport(designReportContent(m, request), paper, measure);
    r.drawn.resize(r.pages.size());
    for (size_t i = 0; i < r.pages.size(); ++i) drawReportPage(r.drawn[i], r.pages[i], paper);
    return r;
}

Model defaults() {
    Model m;
    initModel(m);
    return m;
}

// The words of a dialog label, its ditto marks left out.
std::vector<std::string> wordsOf(std::string_view label) {
    std::istringstream in{std::string(label)};
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        if (w != "\"") out.push_back(w);
    return out;
}

bool holdsInOrder(const std::string& text, const std::vector<std::string>& words) {
    size_t at = 0;
    for (const std::string& w : words) {
        at = text.find(w, at);
        if (at == std::string::npos) return false;
        at += w.size();
    }
    return true;
}

TEST(DesignReport, EveryDimensionStandsWithItsLabelValueAndUnit) {
    for (const LengthUnit unit : {LengthUnit::Inch, LengthUnit::Millimetre}) {
        Model m = defaults();
        m.lengthUnit = unit;
        m.stroke = 3.125f;  // a value of its own, to be found on the stroke's line
        const Report r = makeReport(m);
        std::string all;
        for (const RecordingCanvas& c : r.drawn)
            for (const DrawOp& op : c.ofKind(DrawOp::Kind::Text)) all += op.text + "\n";
        EXPECT_NE(all.find(unitName(unit)), std::string::npos) << unitName(unit);

        for (const DimensionInfo& d : dimensions()) {
            // The label's cell, and on the same page and line its value and
            // the unit's symbol.
            bool found = false;
            for (const RecordingCanvas& c : r.drawn) {
                const auto texts = c.ofKind(DrawOp::Kind::Text);
                for (const DrawOp& label : texts) {
                    if (label.text.find(std::string(wordsOf(d.label).back())) == std::string::npos ||
                        !holdsInOrder(label.text, wordsOf(d.label)) || label.points[0].x > 200)
                        continue;
                    std::map<std::string, int> sameLine;
                    for (const DrawOp& t : texts)
                        if (t.points[0].y == label.points[0].y) sameLine[t.text]++;
                    const float* v = dimensionField(static_cast<const Engine&>(m), d.id);
                    std::ostringstream value;
                    value.setf(std::ios::fixed);
                    value.precision(4);
                    value << *v;
                    if (sameLine.count(std::to_string(d.id)) && sameLine.count(value.str()) &&
                        sameLine.count(unitSymbol(unit)))
                        found = true;
                }
            }
            EXPECT_TRUE(found) << d.id << " " << d.label;
        }
        // The two labels of two lines keep their second.
        EXPECT_NE(all.find("Piston ctr to Crosshead ctr (Piston Rod)"), std::string::npos);
        EXPECT_NE(all.find("Valve ctr to Joint (Valve Stem)"), std::string::npos);
    }
}

TEST(DesignReport, PagesAreNumberedOneToNAndNothingLeavesThePageOrCoversAPicture) {
    for (const ReportPaper paper : {kA4Paper, kLetterPaper}) {
        const Report r = makeReport(defaults(), paper);
        const int n = static_cast<int>(r.pages.size());
        // Text pages, seven pictures and the indicated performance.
        ASSERT_GE(n, 12);
        for (int i = 0; i < n; ++i) {
            const RecordingCanvas& c = r.drawn[size_t(i)];
            int numbers = 0;
            for (const DrawOp& t : c.ofKind(DrawOp::Kind::Text)) {
                if (t.text.rfind("Page ", 0) == 0) {
                    EXPECT_EQ(t.text, pageNumberText(i + 1, n));
                    ++numbers;
                }
                // Inside the margins, measured as the canvas measures them.
                RecordingCanvas measure;
                measure.setTextScale(t.textScaleX, t.textScaleY);
                const int w = measure.textWidth(t.text);
                EXPECT_GE(t.points[0].x, kReportMargin) << t.text;
                EXPECT_LE(t.points[0].x + w, paper.width - kReportMargin) << paper.name << " page " << i + 1 << ": " << t.text;
                EXPECT_GE(t.points[0].y, kReportMargin) << t.text;
                EXPECT_LE(t.points[0].y, paper.height - kReportMargin) << t.text;
                for (const PlacedPicture& p : r.pages[size_t(i)].pictures)
                    EXPECT_FALSE(t.points[0].y >= p.top && t.points[0].y < p.top + p.height) << t.text;
            }
            EXPECT_EQ(numbers, 1) << "page " << i + 1;
            for (const PlacedPicture& p : r.pages[size_t(i)].pictures) {
                EXPECT_GE(p.left, kReportMargin);
                EXPECT_LE(p.left + p.width, paper.width - kReportMargin);
                EXPECT_LE(p.top + p.height, paper.height - kReportMargin - kReportFooterHeight);
                // Fitted in proportion, within a pixel's rounding.
                EXPECT_NEAR(double(p.width) / p.height, double(p.picture.width) / p.picture.height, 0.01);
            }
        }
    }
}

TEST(DesignReport, LongTablesGoOnUnderTheirHeadingAndPicturesTakeAPageEach) {
    const Report r = makeReport(defaults());
    // 2 x 19 settings of three rows each cannot stand on one page: the pages
    // it goes on over begin with the heading, continued, and the table's
    // column heads.
    int continued = 0;
    for (size_t i = 0; i < r.drawn.size(); ++i) {
        const DrawOp* cont = r.drawn[i].findText(
            "Valve events at the port diagram's 19 settings, forward and reverse (continued)");
        if (!cont) continue;
        ++continued;
        EXPECT_NE(r.drawn[i].findText("Compression"), nullptr) << "page " << i + 1;
    }
    EXPECT_GE(continued, 2);
    int pictures = 0;
    for (const ReportPage& p : r.pages) {
        EXPECT_LE(p.pictures.size(), 1u);
        pictures += static_cast<int>(p.pictures.size());
    }
    // Mechanism three times, four diagrams, the indicator cards.
    EXPECT_EQ(pictures, 8);
}

TEST(DesignReport, MakingItLeavesTheDesignAsItWas) {
    Model m = defaults();
    m.currentFileName = "Pacific";
    m.driverAngle = 47.5f;
    m.revArmPos = m.revArmCentre() + 0.3f;
    const Model before = m;
    const Report r = makeReport(m);
    // The pictures are drawn too, as the PDF draws them.
    for (const ReportPage& p : r.pages)
        for (const PlacedPicture& pic : p.pictures) {
            RecordingCanvas c;
            pic.picture.draw(c);
            EXPECT_FALSE(c.ops().empty());
        }
    EXPECT_EQ(encodeDimensions(m), encodeDimensions(before));
    EXPECT_EQ(m.driverAngle, before.driverAngle);
    EXPECT_EQ(m.revArmPos, before.revArmPos);
    EXPECT_EQ(m.undoHistory.depth(), before.undoHistory.depth());
    EXPECT_NE(r.drawn.front().findText("Design report: Pacific"), nullptr);
}

}  // namespace
}  // namespace tevrane

namespace tevrane {
namespace {

TEST(DesignReport, AGearThatCannotCloseStillGivesEveryPageAndSaysSo) {
    Model m = defaults();
    m.mainRodLength = 1.0f;  // shorter than the crank's throw: the solver must mend
    const Report r = makeReport(m);
    ASSERT_GE(r.pages.size(), 12u);
    bool warned = false;
    for (const RecordingCanvas& c : r.drawn)
        for (const DrawOp& t : c.ofKind(DrawOp::Kind::Text))
            warned = warned || t.text.find("mend") != std::string::npos;
    EXPECT_TRUE(warned);
    EXPECT_NE(r.drawn.back().findText(pageNumberText(int(r.pages.size()), int(r.pages.size()))), nullptr);
}

}  // namespace
}  // namespace tevrane
