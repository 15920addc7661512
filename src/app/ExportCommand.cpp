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
#include "main/core/MainController.h"
#include "main/core/Renderer.h"
#include "main/core/StepTable.h"
#include "model/Solver.h"
#include "platform/QtCanvas.h"
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

int badWords(std::ostream& err, const std::string& why) {
    err << "tevrane --export: " << why << "\n  usage: tevrane " << kExportUsage << "\n";
    return 2;
}

// The design as the window shows it just after opening it: the controller's
// steps after a load (mid gear, the reverse arm through its bar), which
// follow the gear's orientation, so the design is solved once before. Then
// the tick's solve at the driver angle, without the step on, and the frame's
// own preparation.
void prepareMechanism(Model& m, std::optional<float> angle, RenderState& st) {
    Panel p;
    initPanel(m, p);
    MainController c(m, p);
    solveAll(m);
    c.dimensionsLoaded();
    if (angle) m.driverAngle = wrapDriverAngle(*angle);
    solveAll(m);
    NullRendererHost host;
    prepareFrame(m, st, host, FrameClock{});
}

}  // namespace

int runExportCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    std::vector<std::string> words;
    std::optional<float> angle;
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (args[k] != "--angle") {
            words.push_back(args[k]);
            continue;
        }
        if (k + 1 == args.size() || !(angle = angleOf(args[k + 1])))
            return badWords(err, "--angle needs a number of degrees");
        ++k;
    }
    if (words.size() != 3) return badWords(err, "a picture, a design and an output file are needed");
    const std::optional<Picture> picture = pictureOf(words[0]);
    if (!picture) return badWords(err, "unknown picture \"" + words[0] + "\"");
    const QString outPath = QString::fromLocal8Bit(words[2].c_str());
    if (!pictureFormatOf(outPath)) return badWords(err, "the output file must end in .png, .svg or .pdf");
    if (angle && *picture != Picture::Mechanism) return badWords(err, "--angle is for the mechanism only");

    Model m;
    if (const std::string why = loadDesign(words[1], m); !why.empty()) {
        err << "tevrane --export: cannot read " << words[1] << ": " << why << "\n";
        return 1;
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
            prepareMechanism(m, angle, st);
            size = QSize(QtCanvas::kPictureWidth, QtCanvas::kPictureHeight);
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
    QString why;
    if (!exportPicture(outPath, size, draw, &why)) {
        err << "tevrane --export: cannot write " << words[2] << ": " << why.toStdString() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace tevrane
