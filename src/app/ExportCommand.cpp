#include "app/ExportCommand.h"

#include <QString>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <ostream>

#include "app/CommandLine.h"
#include "diagrams/core/OvalPlot.h"
#include "diagrams/core/PortsPlot.h"
#include "diagrams/core/RevArmSet.h"
#include "diagrams/core/SinePlot.h"
#include "diagrams/core/SteamPlot.h"
#include "main/ScalePrint.h"
#include "main/core/FitView.h"
#include "main/core/ScalePlan.h"
#include "main/core/OpenedDesign.h"
#include "main/core/Renderer.h"
#include "main/core/StepTable.h"
#include "main/core/TitleBlock.h"
#include "model/Solver.h"
#include "platform/QtCanvas.h"
#include "platform/QtClock.h"
#include "platform/QtPictureExport.h"

namespace tevrane {

namespace {

enum class Picture { Mechanism, Ports, Steam, Oval, Sine };

std::optional<Picture> pictureOf(const std::string& word) {
    if (word == "mechanism") return Picture::Mechanism;
    if (word == "ports") return Picture::Ports;
    if (word == "steam") return Picture::Steam;
    if (word == "oval") return Picture::Oval;
    if (word == "sine") return Picture::Sine;
    return std::nullopt;
}

std::optional<float> angleOf(const std::string& word) {
    char* end = nullptr;
    const double v = std::strtod(word.c_str(), &end);
    if (word.empty() || *end != '\0' || !std::isfinite(v) || std::abs(v) > 1e6) return std::nullopt;
    return static_cast<float>(v);
}

// "--size WxH": both whole numbers of pixels, 16 to 16000.
std::optional<QSize> sizeOf(const std::string& word) {
    const std::size_t x = word.find_first_of("xX");
    if (x == std::string::npos) return std::nullopt;
    auto number = [](const std::string& w) -> std::optional<int> {
        if (w.empty() || w.size() > 5 || w.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
        const int v = std::stoi(w);
        return v >= 16 && v <= 16000 ? std::optional<int>(v) : std::nullopt;
    };
    const std::optional<int> w = number(word.substr(0, x));
    const std::optional<int> h = number(word.substr(x + 1));
    if (!w || !h) return std::nullopt;
    return QSize(*w, *h);
}

int badWords(std::ostream& err, const std::string& why) {
    err << "tevrane --export: " << why << "\n  usage: tevrane " << kExportUsage << "\n";
    return 2;
}

}  // namespace

int runExportCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    std::vector<std::string> words;
    std::optional<float> angle;
    std::optional<QSize> pngSize;
    bool currentView = false;
    std::optional<ScaleRequest> toScale;
    std::optional<std::string> unitWord;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const bool last = k + 1 == args.size();
        if (args[k] == "--angle") {
            if (last || !(angle = angleOf(args[k + 1]))) return badWords(err, "--angle needs a number of degrees");
        } else if (args[k] == "--size") {
            if (last || !(pngSize = sizeOf(args[k + 1])))
                return badWords(err, "--size needs WIDTHxHEIGHT in pixels, each 16 to 16000");
        } else if (args[k] == "--scale") {
            std::optional<double> ratio;
            if (last || !(ratio = parseScaleRatio(args[k + 1])))
                return badWords(err, "--scale needs a ratio of paper to gear such as 1:1 or 1:4");
            toScale = ScaleRequest{};
            toScale->ratio = *ratio;
            toScale->ratioText = QString::fromStdString(args[k + 1]);
        } else if (args[k] == "--unit") {
            if (last || !parseLengthUnit(args[k + 1])) return badWords(err, "--unit needs \"in\" or \"mm\"");
            unitWord = args[k + 1];
        } else if (args[k] == "--view") {
            if (last || (args[k + 1] != "current" && args[k + 1] != "fit"))
                return badWords(err, "--view needs \"fit\" or \"current\"");
            currentView = args[k + 1] == "current";
        } else {
            words.push_back(args[k]);
            continue;
        }
        ++k;
    }
    if (words.size() != 3) return badWords(err, "a picture, a design and an output file are needed");
    const std::optional<Picture> picture = pictureOf(words[0]);
    if (!picture) return badWords(err, "unknown picture \"" + words[0] + "\"");
    const QString outPath = QString::fromLocal8Bit(words[2].c_str());
    if (!pictureFormatOf(outPath)) return badWords(err, "the output file must end in .png, .svg or .pdf");
    if (angle && *picture != Picture::Mechanism) return badWords(err, "--angle is for the mechanism only");
    const PictureFormat format = *pictureFormatOf(outPath);
    if (pngSize && (*picture != Picture::Mechanism || format != PictureFormat::Png))
        return badWords(err, "--size is for a PNG of the mechanism only");
    if (currentView && *picture != Picture::Mechanism) return badWords(err, "--view is for the mechanism only");
    if (unitWord && !toScale) return badWords(err, "--unit goes with --scale");
    if (toScale && (*picture != Picture::Mechanism || format != PictureFormat::Pdf || pngSize || currentView))
        return badWords(err, "--scale is for a PDF of the mechanism, without --size or --view");

    Model m;
    if (const std::string why = loadDesign(words[1], m); !why.empty()) {
        err << "tevrane --export: cannot read " << words[1] << ": " << why << "\n";
        return 1;
    }
    // The sheets measure the gear in the design's own unit; --unit names
    // another for a design whose file does not carry its unit (every file
    // from elsewhere opens as inches).
    if (toScale) useDesignUnit(*toScale, m.lengthUnit);
    if (toScale && unitWord) {
        toScale->unitMm = *parseLengthUnit(*unitWord);
        toScale->unitText = QString::fromStdString(*unitWord);
    }
    // The diagrams are sized for the normal font; a batch picture is never
    // spread out for a large system font.
    m.fontScaleX = 1.0f;
    m.fontScaleY = 1.0f;
    // The positions the design holds, settled as the window's question
    // about them settles them.
    settleRevArmPositions(m);

    // The step a diagram window takes before its pass; the drawing then
    // only reads the model.
    const UndoLines undo = advanceUndoLine(m);

    QSize size(kDiagramWidth, kDiagramHeight);
    DrawPicture draw;
    RenderState st;
    switch (*picture) {
        case Picture::Mechanism:
            prepareOpenedDesign(m, st, angle);
            if (toScale) {
                const QString why = writeToScalePdf(outPath, m, st, *toScale, titleBlockOf(m, QtClock().shortDate()));
                if (why.isEmpty()) return 0;
                err << "tevrane --export: cannot write " << words[2] << ": " << why.toStdString() << "\n";
                return 1;
            }
            // A PNG of a screen's proportions, or the page of a drawing.
            size = format == PictureFormat::Png ? pngSize.value_or(kMechanismPngSize) : kMechanismPageSize;
            // The gear fills the picture above the title block, unless the
            // design's own view is asked for.
            if (!currentView) fitForPicture(m, size.width(), size.height(), kTitleBlockHeight);
            draw = [&](Canvas& c) { drawMechanism(m, st, c); };
            break;
        case Picture::Ports:
            draw = [&](Canvas& c) { drawPorts(m, c, true, undo); };
            break;
        case Picture::Steam:
            draw = [&](Canvas& c) { drawSteamDiagram(m, c, undo); };
            break;
        case Picture::Oval:
            size.setHeight(kOvalDiagramHeight);
            draw = [&](Canvas& c) { drawOval(m, c, undo); };
            break;
        case Picture::Sine:
            draw = [&](Canvas& c) { drawSine(m, c, undo); };
            break;
    }
    // Every picture carries its title block in the bottom-right corner; a
    // diagram's picture grows a band for it below the diagram.
    if (*picture != Picture::Mechanism) size.setHeight(size.height() + kTitleBlockHeight);
    const TitleBlock title = titleBlockOf(m, QtClock().shortDate());
    const DrawPicture picturePart = draw;
    draw = [&picturePart, &title, size](Canvas& c) {
        picturePart(c);
        drawTitleBlock(c, title, size.width(), size.height());
    };
    QString why;
    if (!exportPicture(outPath, size, draw, &why)) {
        err << "tevrane --export: cannot write " << words[2] << ": " << why.toStdString() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace tevrane
