// `tevrane --report`: a PDF whose pages are the report's pages, on the
// locale's paper; a design that cannot be read, or words that are not
// understood, write nothing.
#include <gtest/gtest.h>

#include <QLocale>
#include <QRegularExpression>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/CommandLine.h"
#include "report/DesignReportPdf.h"

using namespace tevrane;

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Page objects of a PDF (the page tree's "/Type /Pages" not counted).
int pdfPages(const std::string& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int n = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(pdf.data(), qsizetype(pdf.size()))); it.hasNext(); it.next())
        ++n;
    return n;
}

struct LocaleGuard {
    QLocale saved;
    ~LocaleGuard() { QLocale::setDefault(saved); }
};

}  // namespace

TEST(ReportCommand, WritesAPdfWithThePagesOfTheReport) {
    const std::string out = (std::filesystem::temp_directory_path() / "tevrane_report.pdf").string();
    std::filesystem::remove(out);
    std::ostringstream o, e;
    ASSERT_EQ(runBatchCommand({"--report", TEVRANE_DATA_DIR "/default.dtv", out}, o, e), 0) << e.str();
    EXPECT_TRUE(e.str().empty()) << e.str();
    const std::string pdf = readAll(out);
    ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);

    // The same report laid out again: as many page objects as pages.
    Model m;
    ASSERT_EQ(loadDesign(TEVRANE_DATA_DIR "/default.dtv", m), "");
    ReportRequest request;
    request.file = TEVRANE_DATA_DIR "/default.dtv";
    request.paper = localePaper();
    QByteArray bytes;
    int pages = 0;
    ASSERT_TRUE(designReportPdf(m, request, bytes, &pages));
    EXPECT_GE(pages, 12);
    EXPECT_EQ(pdfPages(pdf), pages);
    EXPECT_EQ(pdfPages(bytes.toStdString()), pages);
    std::filesystem::remove(out);
}

TEST(ReportCommand, UnreadableDesignsAndBadWordsWriteNothing) {
    const auto dir = std::filesystem::temp_directory_path();
    const std::string out = (dir / "tevrane_report_kept.pdf").string();
    { std::ofstream(out, std::ios::binary) << "old"; }
    const std::string shortFile = (dir / "tevrane_report_short.dtv").string();
    { std::ofstream(shortFile, std::ios::binary) << std::string(700, '\0'); }

    std::ostringstream o, e;
    EXPECT_EQ(runBatchCommand({"--report", shortFile, out}, o, e), 1);
    EXPECT_NE(e.str().find("cannot read"), std::string::npos) << e.str();
    EXPECT_EQ(runBatchCommand({"--report", "/nonexistent/x.dtv", out}, o, e), 1);
    // Words it does not understand: exit 2.
    const std::string design = TEVRANE_DATA_DIR "/default.dtv";
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--report"}, {"--report", design}, {"--report", design, (dir / "r.png").string()},
             {"--report", design, out, "--csv"}, {"--report", design, out, "extra"}}) {
        std::ostringstream bo, be;
        EXPECT_EQ(runBatchCommand(bad, bo, be), 2) << bad.size();
        EXPECT_NE(be.str().find("usage"), std::string::npos);
    }
    EXPECT_EQ(readAll(out), "old");
    EXPECT_FALSE(std::filesystem::exists(dir / "r.png"));
    std::filesystem::remove(out);
    std::filesystem::remove(shortFile);
}

TEST(ReportCommand, PaperIsLetterWhereTheLocaleMeasuresInUsUnitsElseA4) {
    LocaleGuard guard;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_STREQ(localePaper().name, "Letter");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_STREQ(localePaper().name, "A4");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_STREQ(localePaper().name, "A4");

    // The page's box is the paper's, across: 11 x 8.5 in, or 297 x 210 mm,
    // in points.
    Model m;
    initModel(m);
    for (const ReportPaper& paper : {kLetterPaper, kA4Paper}) {
        ReportRequest request;
        request.paper = paper;
        QByteArray bytes;
        ASSERT_TRUE(designReportPdf(m, request, bytes));
        const QRegularExpression box(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)"));
        const auto match = box.match(QString::fromLatin1(bytes));
        ASSERT_TRUE(match.hasMatch());
        const bool letter = std::string(paper.name) == "Letter";
        EXPECT_NEAR(match.captured(1).toDouble(), letter ? 792.0 : 297 / 25.4 * 72, 1.0);
        EXPECT_NEAR(match.captured(2).toDouble(), letter ? 612.0 : 210 / 25.4 * 72, 1.0);
    }
}
