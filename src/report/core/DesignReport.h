// The design report: every dimension with its dialog label, the mid gear,
// the notches, the valve events, die travel, the design checks, the
// mechanism at mid gear and in full gear both ways, the four diagrams and the
// indicated performance, as pages a designer hands on.
//
// What the report says is made here without Qt: headings, paragraphs,
// tables and pictures (drawings on a Canvas at their own size). The layout
// puts them on pages of the paper's size, measuring texts on the canvas it
// is given, so a table wider than the page is set in smaller letters and a
// table longer than the page goes on over further pages with its heading
// repeated; every page gets its header and "Page n of N". The Qt part
// (main/DesignReportPdf) paints the pages on a PDF writer, the pictures
// fitted to their boxes. Everything is computed on copies of the model: the
// live design is only read.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/Model.h"
#include "platform/Canvas.h"

namespace tevrane {

// A sheet laid across, in picture pixels (1/96 inch). A4 is 297 x 210 mm,
// Letter 11 x 8.5 inches.
struct ReportPaper {
    const char* name = "A4";
    int width = 1123;
    int height = 794;
};
inline constexpr ReportPaper kA4Paper{"A4", 1123, 794};
inline constexpr ReportPaper kLetterPaper{"Letter", 1056, 816};

// A table: its first `headRows` lines are the heading, repeated at the top
// of every page the table goes on over.
struct ReportTable {
    std::vector<std::vector<std::string>> lines;
    std::vector<bool> rightAligned;  // by column; numbers stand right-aligned
    int headRows = 1;
};

// A drawing of width x height pixels at its own scale; the page fits it to
// its box, in proportion.
struct ReportPicture {
    int width = 0;
    int height = 0;
    std::function<void(Canvas&)> draw;
};

struct ReportBlock {
    enum class Kind { Title, Heading, Subheading, Paragraph, Table, Picture };
    Kind kind = Kind::Paragraph;
    std::string text;  // title, heading, subheading or paragraph (wrapped to the page)
    ReportTable table;
    ReportPicture picture;  // takes the rest of its page
};

struct ReportContent {
    std::string design;  // the name in every page's header
    std::vector<ReportBlock> blocks;
};

// What the report is asked for with: the file the design came from, the
// date as the system writes it, the paper.
struct ReportRequest {
    std::string file;
    std::string date;
    ReportPaper paper = kA4Paper;
};

// The report's content for a design. Reads `m` only.
ReportContent designReportContent(const Model& m, const ReportRequest& request);

// ---- pages --------------------------------------------------------------------

// A text placed on a page: its top-left corner, letter size in points, bold,
// and the factor its letters are drawn at (a table shrunk to the page's
// width).
struct PlacedText {
    int x = 0, y = 0;
    int fontSize = kDefaultFontSize;
    bool bold = false;
    float scale = 1;
    std::string text;
};
struct PlacedLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
// A picture fitted in proportion into its box, centred across it.
struct PlacedPicture {
    ReportPicture picture;
    int left = 0, top = 0, width = 0, height = 0;
};

struct ReportPage {
    std::vector<PlacedText> texts;
    std::vector<PlacedLine> lines;
    std::vector<PlacedPicture> pictures;
};

// Margins and sizes of the page, in picture pixels.
inline constexpr int kReportMargin = 40;
inline constexpr int kReportHeaderHeight = 24;  // the header line and its rule
inline constexpr int kReportFooterHeight = 20;  // "Page n of N"

// The blocks on pages of `paper`, measured on `measure` (its pen and font
// are changed). Every page ends with its "Page n of N".
std::vector<ReportPage> layoutReport(const ReportContent& content, const ReportPaper& paper, Canvas& measure);

// "Page 3 of 12".
std::string pageNumberText(int page, int pageCount);

// A page's texts and lines on the canvas (white first); its pictures are
// drawn by the caller, each on a canvas fitted to its box.
void drawReportPage(Canvas& c, const ReportPage& page, const ReportPaper& paper);

}  // namespace tevrane
