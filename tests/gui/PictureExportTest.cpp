// Pictures out of the program: the vector canvas puts its shapes where the
// screen puts its pixels; SVG, PDF and PNG files of a diagram and of the
// mechanism; printing; a diagram window's picture; and `tevrane --export`.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <sstream>

#include "app/CommandLine.h"
#include "diagrams/Oval.h"
#include "diagrams/core/OvalPlot.h"
#include "diagrams/core/RevArmSet.h"
#include "main/core/MainController.h"
#include "main/core/Renderer.h"
#include "model/Solver.h"
#include "platform/QtCanvas.h"
#include "platform/QtPainterCanvas.h"
#include "platform/QtPictureExport.h"
#include "platform/RecordingCanvas.h"

using namespace tevrane;

namespace {

const QSize kOvalSize(kDiagramWidth, kOvalDiagramHeight);
const QSize kMainSize(QtCanvas::kPictureWidth, QtCanvas::kPictureHeight);

// The default design with its three diagram positions in use, solved once.
Model defaultDesign() {
    Model m;
    initModel(m);
    settleRevArmPositions(m);
    solveAll(m);
    return m;
}

DrawPicture oval(const Model& design) {
    // The undo line is off in a fresh model: the lines are not drawn.
    return [design](Canvas& c) { drawOval(design, c, UndoLines{}); };
}

// Ink, leaving out the faint edges of smoothed shapes.
bool dark(QRgb p) { return qRed(p) < 128 || qGreen(p) < 128 || qBlue(p) < 128; }

// Dark pixels of `a` with no dark pixel of `b` within one pixel.
int strays(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 1; y + 1 < a.height(); ++y)
        for (int x = 1; x + 1 < a.width(); ++x) {
            if (!dark(a.pixel(x, y))) continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx) near = dark(b.pixel(x + dx, y + dy));
            n += near ? 0 : 1;
        }
    return n;
}

struct Svg {
    bool parsed = false;
    QRectF viewBox;
    QStringList texts;
    int lines = 0;  // polylines, lines and paths
};
Svg readSvg(const QString& path) {
    Svg svg;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return svg;
    QXmlStreamReader x(&f);
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement) continue;
        const QStringView name = x.name();
        if (name == u"text") svg.texts << x.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        if (name == u"polyline" || name == u"line" || name == u"path") ++svg.lines;
    }
    svg.parsed = !x.hasError();
    QSvgRenderer renderer(path);
    if (renderer.isValid()) svg.viewBox = renderer.viewBoxF();
    return svg;
}

QByteArray head(const QString& path, int n) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}

}  // namespace

// The same shapes and text through both canvases: every dark pixel of one
// lies within a pixel of the other's, an arc included (Qt measures an
// ellipse's angles differently from the canvas), in thin and wide pens.
TEST(PictureExport, VectorCanvasDrawsWhereTheScreenDraws) {
    auto shapes = [](Canvas& c, int width) {
        c.setPenWidth(width);
        c.setPenColour(colours::blue);
        c.line(10, 10, 150, 60);
        c.ellipse(20, 80, 141, 131);
        c.arc(180, 20, 301, 91, 400, 55, 240, 0);   // right radial to top: a quarter
        c.arc(180, 110, 261, 171, 220, 0, 400, 140);  // top to right: three quarters
        c.polyline({{320, 20}, {380, 60}, {330, 150}});
        c.textOut(20, 150, "Percent Piston Travel");
    };
    for (int width : {1, 3}) {
        QImage screen = QtCanvas::whiteImage(400, 180);
        { QtCanvas c(screen); shapes(c, width); }
        QImage vector = QtCanvas::whiteImage(400, 180);
        {
            QPainter p(&vector);
            QtPainterCanvas c(p, 400, 180);
            shapes(c, width);
        }
        EXPECT_EQ(strays(vector, screen), 0) << "pen " << width;
        EXPECT_EQ(strays(screen, vector), 0) << "pen " << width;
    }
}

// A diagram as SVG holds the same texts as the screen, as text, and its lines
// as lines; as PDF it is a document.
TEST(PictureExport, SvgAndPdfOfADiagramHoldItsTextsAndLines) {
    QTemporaryDir dir;
    const Model m = defaultDesign();
    RecordingCanvas screen;
    oval(m)(screen);

    const QString svgPath = dir.filePath("oval.svg");
    QString error;
    ASSERT_TRUE(exportPicture(svgPath, kOvalSize, oval(m), &error)) << error.toStdString();
    const Svg svg = readSvg(svgPath);
    ASSERT_TRUE(svg.parsed);
    EXPECT_EQ(svg.viewBox, QRectF(0, 0, 632, 426));
    int texts = 0;
    // Blank runs become distances, so a text may come in pieces.
    const QRegularExpression blanks(QStringLiteral("  +"));
    for (const DrawOp& op : screen.ofKind(DrawOp::Kind::Text))
        for (const QString& piece : QString::fromStdString(op.text).trimmed().split(blanks, Qt::SkipEmptyParts)) {
            ++texts;
            EXPECT_TRUE(svg.texts.contains(piece)) << op.text;
        }
    EXPECT_TRUE(svg.texts.contains("Percent Piston Travel"));
    EXPECT_GT(texts, 30);
    // Three ovals of 45 segments each at least, over the grid.
    EXPECT_GE(svg.lines, static_cast<int>(screen.ofKind(DrawOp::Kind::Line).size()) / 2);
    EXPECT_GT(svg.lines, 135);

    const QString pdfPath = dir.filePath("oval.pdf");
    ASSERT_TRUE(exportPicture(pdfPath, kOvalSize, oval(m)));
    EXPECT_EQ(head(pdfPath, 5), "%PDF-");
    EXPECT_GT(QFile(pdfPath).size(), 5000);
}

// The PNG of the main picture is the screen's picture, pixel for pixel; the
// printer gets the picture on a page.
TEST(PictureExport, PngIsTheScreenPictureAndPrintingMakesAPage) {
    QTemporaryDir dir;
    Model m = defaultDesign();
    m.steamDisplay = true;
    RenderState st;
    RecordingHost host;
    RecordingCanvas first;
    runFrame(m, st, first, host, FrameClock{});
    const DrawPicture frame = [&](Canvas& c) { drawMechanism(m, st, c); };

    QImage screen = QtCanvas::whiteImage();
    { QtCanvas c(screen); frame(c); }
    const QString png = dir.filePath("gear.PNG");
    ASSERT_TRUE(exportPicture(png, kMainSize, frame));
    const QImage saved(png);
    ASSERT_EQ(saved.size(), kMainSize);
    EXPECT_EQ(saved.convertToFormat(screen.format()), screen);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    ASSERT_TRUE(printPicture(printer, kMainSize, frame));
    EXPECT_EQ(head(dir.filePath("printed.pdf"), 5), "%PDF-");
    EXPECT_GT(QFile(dir.filePath("printed.pdf")).size(), 2000);
}

// A failed export says so and leaves nothing behind.
TEST(PictureExport, FailuresAreReportedAsFailures) {
    QTemporaryDir dir;
    const Model m = defaultDesign();
    QString error;
    EXPECT_FALSE(exportPicture(dir.filePath("no/such/folder/oval.svg"), kOvalSize, oval(m), &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(exportPicture(dir.filePath("oval.bmp"), kOvalSize, oval(m), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("oval.bmp")));
    EXPECT_FALSE(exportPicture(dir.filePath("empty.png"), QSize(), oval(m)));
    EXPECT_FALSE(QFile::exists(dir.filePath("empty.png")));
}

// The diagram window exports what it shows, and the export moves nothing of
// the model (the undo line included).
TEST(PictureExport, DiagramWindowExportsItsPicture) {
    Model m = defaultDesign();
    Panel p;
    initPanel(m, p);
    MainController c(m, p);
    m.undoEnabled = true;
    TOvalDia w(m, c, [] { return nullptr; });
    const QList<QAction*> items = w.menuBar()->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items.at(items.size() - 2), w.exportAction());
    EXPECT_EQ(w.exportAction()->text(), "&Export...");
    EXPECT_EQ(w.printAction()->text(), "&Print...");

    w.redraw(true);
    const std::string undoText = m.undoText;
    QTemporaryDir dir;
    ASSERT_TRUE(exportPicture(dir.filePath("w.png"), w.surface().size(), [&](Canvas& cv) { w.drawPicture(cv); }));
    EXPECT_EQ(QImage(dir.filePath("w.png")).convertToFormat(w.surface().format()), w.surface());
    EXPECT_EQ(m.undoText, undoText);
}

// `tevrane --export`: the file is written, with the design's positions and
// the angle asked for; a damaged design, a path that cannot be written and
// words it does not know fail with a reason.
TEST(PictureExport, BatchCommandWritesThePictureOrSaysWhyNot) {
    QTemporaryDir dir;
    const std::string design = TEVRANE_DATA_DIR "/default.dtv";
    auto run = [](std::vector<std::string> words, std::string* message = nullptr) {
        std::ostringstream out, err;
        words.insert(words.begin(), "--export");
        const int status = runBatchCommand(words, out, err);
        if (message) *message = err.str();
        return status;
    };
    const QString svgPath = dir.filePath("oval.svg");
    ASSERT_EQ(run({"oval", design, svgPath.toStdString()}), 0);
    const Svg svg = readSvg(svgPath);
    EXPECT_TRUE(svg.parsed);
    // The design's three positions are listed.
    for (const char* label : {"1", "2", "3"}) EXPECT_TRUE(svg.texts.contains(label)) << label;

    const QString gear = dir.filePath("gear.svg");
    ASSERT_EQ(run({"mechanism", design, gear.toStdString(), "--angle", "90"}), 0);
    EXPECT_TRUE(readSvg(gear).texts.contains("90.00"));
    ASSERT_EQ(run({"mechanism", design, dir.filePath("gear.pdf").toStdString()}), 0);
    EXPECT_EQ(head(dir.filePath("gear.pdf"), 5), "%PDF-");
    for (const char* picture : {"ports", "steam", "sine"})
        EXPECT_EQ(run({picture, design, dir.filePath(QString(picture) + ".png").toStdString()}), 0) << picture;

    const std::string shortFile = dir.filePath("short.dtv").toStdString();
    { QFile f(QString::fromStdString(shortFile)); ASSERT_TRUE(f.open(QIODevice::WriteOnly)); f.write(QByteArray(700, '\0')); }
    std::string message;
    EXPECT_EQ(run({"oval", shortFile, dir.filePath("x.svg").toStdString()}, &message), 1);
    EXPECT_NE(message.find("Read beyond end of file"), std::string::npos) << message;
    EXPECT_FALSE(QFile::exists(dir.filePath("x.svg")));
    EXPECT_EQ(run({"oval", design, dir.filePath("none/x.png").toStdString()}, &message), 1);
    EXPECT_NE(message.find("cannot write"), std::string::npos) << message;

    EXPECT_EQ(run({"wheel", design, "x.png"}, &message), 2);
    EXPECT_NE(message.find("wheel"), std::string::npos);
    EXPECT_EQ(run({"oval", design, "x.bmp"}), 2);
    EXPECT_EQ(run({"mechanism", design, "x.png", "--angle", "ninety"}), 2);
    EXPECT_EQ(run({"oval", design}), 2);
}

// The mechanism's export is fitted: the gear fills the picture between the
// readouts at its top and the title block at its foot, at the default size
// and at one asked for; "--view current" keeps the design's own view.
TEST(PictureExport, MechanismExportFitsTheGearAndCarriesTheTitleBlock) {
    QTemporaryDir dir;
    const std::string design = TEVRANE_DATA_DIR "/default.dtv";
    auto run = [](std::vector<std::string> words) {
        std::ostringstream out, err;
        words.insert(words.begin(), "--export");
        return runBatchCommand(words, out, err);
    };
    // Columns and rows holding ink between the readouts' band and the title
    // block's band.
    auto gearBox = [](const QImage& im) {
        QRect box;
        for (int y = 140; y < im.height() - 70; ++y)
            for (int x = 0; x < im.width(); ++x)
                if (dark(im.pixel(x, y))) box |= QRect(x, y, 1, 1);
        return box;
    };
    const QString fitted = dir.filePath("gear.png");
    ASSERT_EQ(run({"mechanism", design, fitted.toStdString()}), 0);
    const QImage a(fitted);
    ASSERT_EQ(a.size(), QSize(1600, 1000));
    const QRect ga = gearBox(a);
    EXPECT_TRUE(ga.width() >= 0.8 * a.width() || ga.height() >= 0.8 * a.height()) << ga.width() << " x " << ga.height();
    // The title block's frame: ink in the bottom-right corner.
    EXPECT_TRUE(dark(a.pixel(a.width() - 4, a.height() - 4)) || dark(a.pixel(a.width() - 5, a.height() - 5)));

    const QString small = dir.filePath("small.png");
    ASSERT_EQ(run({"mechanism", design, small.toStdString(), "--size", "900x700"}), 0);
    const QImage b(small);
    ASSERT_EQ(b.size(), QSize(900, 700));
    const QRect gb = gearBox(b);
    EXPECT_TRUE(gb.width() >= 0.8 * b.width() || gb.height() >= 0.75 * b.height()) << gb.width() << " x " << gb.height();

    const QString current = dir.filePath("current.png");
    ASSERT_EQ(run({"mechanism", design, current.toStdString(), "--view", "current"}), 0);
    const QRect gc = gearBox(QImage(current));
    EXPECT_LT(gc.width(), ga.width() / 2) << "the design's view is the small start view";

    // The title block names the design, the date and the setting in a vector
    // export too; the page is A4 across.
    const QString svgPath = dir.filePath("gear.svg");
    ASSERT_EQ(run({"mechanism", design, svgPath.toStdString(), "--angle", "90"}), 0);
    const Svg svg = readSvg(svgPath);
    EXPECT_EQ(svg.viewBox.size().toSize(), QSize(1123, 794));
    bool dated = false, angled = false;
    for (const QString& t : svg.texts) {
        dated = dated || t.startsWith("Date ");
        angled = angled || t.startsWith("Driver angle 90.00 deg");
    }
    EXPECT_TRUE(dated);
    EXPECT_TRUE(angled);

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"mechanism", design, "x.png", "--size", "10x10"},
          {"mechanism", design, "x.png", "--size", "800"},
          {"mechanism", design, "x.svg", "--size", "800x600"},
          {"oval", design, "x.png", "--size", "800x600"},
          {"mechanism", design, "x.png", "--view", "sideways"},
          {"oval", design, "x.png", "--view", "current"}})
        EXPECT_EQ(run(bad), 2) << bad[2] << " " << bad[3] << " " << bad[4];
}

// To scale: a PDF of as many A4 sheets as the gear needs at the ratio, more
// at full size than at a quarter; words that make no sense are refused.
TEST(PictureExport, ToScalePdfTilesTheGearOverSheets) {
    QTemporaryDir dir;
    const std::string design = TEVRANE_DATA_DIR "/default.dtv";
    auto run = [](std::vector<std::string> words) {
        std::ostringstream out, err;
        words.insert(words.begin(), "--export");
        return runBatchCommand(words, out, err);
    };
    auto pages = [](const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) return -1;
        return static_cast<int>(QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
    };
    const QString full = dir.filePath("full.pdf");
    ASSERT_EQ(run({"mechanism", design, full.toStdString(), "--scale", "1:1", "--unit", "in"}), 0);
    const QString quarter = dir.filePath("quarter.pdf");
    ASSERT_EQ(run({"mechanism", design, quarter.toStdString(), "--scale", "1:4"}), 0);
    // The default gear, wheel to cylinder, is longer than two 184 mm tiles
    // (14.5 in) and shorter than three, and lower than one 255 mm tile; a
    // quarter of it fits one sheet.
    EXPECT_EQ(pages(full), 3);
    EXPECT_EQ(pages(quarter), 1);
    // In millimetres the same numbers are a tiny gear: one sheet.
    const QString mm = dir.filePath("mm.pdf");
    ASSERT_EQ(run({"mechanism", design, mm.toStdString(), "--scale", "1:1", "--unit", "mm"}), 0);
    EXPECT_EQ(pages(mm), 1);
    // A design converted to millimetres is measured in its own unit: the
    // same gear, the same three sheets, without naming the unit.
    const std::string converted = dir.filePath("default-mm.dtv").toStdString();
    {
        std::ostringstream out, err;
        ASSERT_EQ(runBatchCommand({"--convert", "mm", design, converted}, out, err), 0) << err.str();
    }
    const QString fullMm = dir.filePath("full-mm.pdf");
    ASSERT_EQ(run({"mechanism", converted, fullMm.toStdString(), "--scale", "1:1"}), 0);
    EXPECT_EQ(pages(fullMm), 3);

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"mechanism", design, "x.pdf", "--scale", "0:1"},
          {"mechanism", design, "x.png", "--scale", "1:1"},
          {"oval", design, "x.pdf", "--scale", "1:1"},
          {"mechanism", design, "x.pdf", "--unit", "in"},
          {"mechanism", design, "x.pdf", "--scale", "1:1", "--unit", "ft"}})
        EXPECT_EQ(run(bad), 2) << bad[2] << " " << bad[3] << " " << bad[4];
    // Thousands of sheets are not laid out.
    EXPECT_EQ(run({"mechanism", design, dir.filePath("huge.pdf").toStdString(), "--scale", "100:1"}), 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("huge.pdf")));
}
