#include "report/core/ReportPictures.h"

#include <memory>

#include "diagrams/core/DiagramPanel.h"
#include "diagrams/core/OvalPlot.h"
#include "diagrams/core/PortsPlot.h"
#include "diagrams/core/RevArmSet.h"
#include "diagrams/core/SinePlot.h"
#include "diagrams/core/SteamPlot.h"
#include "main/core/FitView.h"
#include "main/core/OpenedDesign.h"
#include "main/core/TitleBlock.h"
#include "model/DynVars.h"

namespace tevrane {

ReportPicture mechanismReportPicture(const Model& m, std::optional<float> revArm, const std::string& date,
                                     int width, int height) {
    auto shown = std::make_shared<Model>(m);
    auto st = std::make_shared<RenderState>();
    prepareOpenedDesign(*shown, *st, std::nullopt, revArm);
    fitForPicture(*shown, width, height, kTitleBlockHeight);
    const TitleBlock title = titleBlockOf(*shown, date);
    return {width, height, [shown, st, title, width, height](Canvas& c) {
                drawMechanism(*shown, *st, c);
                drawTitleBlock(c, title, width, height);
            }};
}

std::vector<std::pair<std::string, ReportPicture>> diagramReportPictures(const Model& m, const std::string& date) {
    auto copy = std::make_shared<Model>(m);
    copy->fontScaleX = 1.0f;
    copy->fontScaleY = 1.0f;
    settleRevArmPositions(*copy);
    // The step a diagram window takes before its pass; the drawing then only
    // reads the copy.
    const UndoLines undo = advanceUndoLine(*copy);
    const TitleBlock title = titleBlockOf(*copy, date);
    const std::shared_ptr<const Model> d = copy;
    using Draw = void (*)(const Model&, Canvas&, const UndoLines&);
    const auto picture = [&](int height, Draw draw) {
        const int h = height + kTitleBlockHeight;
        return ReportPicture{kDiagramWidth, h, [d, undo, title, draw, h](Canvas& c) {
                                 draw(*d, c, undo);
                                 drawTitleBlock(c, title, kDiagramWidth, h);
                             }};
    };
    return {
        {"Port events diagram",
         picture(kDiagramHeight, [](const Model& x, Canvas& c, const UndoLines& u) { drawPorts(x, c, true, u); })},
        {"Steam diagram",
         picture(kDiagramHeight, [](const Model& x, Canvas& c, const UndoLines& u) { drawSteamDiagram(x, c, u); })},
        {"Oval diagram",
         picture(kOvalDiagramHeight, [](const Model& x, Canvas& c, const UndoLines& u) { drawOval(x, c, u); })},
        {"Sine diagram", picture(kDiagramHeight, [](const Model& x, Canvas& c, const UndoLines& u) { drawSine(x, c, u); })},
    };
}

}  // namespace tevrane
