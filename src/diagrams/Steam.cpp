#include "diagrams/Steam.h"

#include "diagrams/core/SteamPlot.h"

namespace tevrane {

namespace {

DiagramLayout windowLayout() {
    DiagramLayout l;
    l.clientWidth = kDiagramWidth;
    l.clientHeight = kDiagramHeight;
    l.closeName = QStringLiteral("CloseStm");
    l.closeRect = QRect(408, 8, 75, 25);
    l.barPrefix = QStringLiteral("SBDynVarST");
    l.undoName = QStringLiteral("UnDoDnSt");
    l.pictureName = QStringLiteral("steam");
    return l;
}

PositionMenu menu() {
    return {QStringLiteral("SetRevArmPos"), QStringLiteral("SetRevArmPos"), QStringLiteral("ReDraw"),
            QStringLiteral("ReDraw"), QStringLiteral("UnDoSteam"), QStringLiteral("DynVari"),
            QStringLiteral("DynamicVari")};
}

}  // namespace

TSteamDia::TSteamDia(const Model& m, GearCommands& c, std::function<QDialog*()> positionsDialog,
                     QWidget* parent)
    : PositionDiagramWindow(m, c, windowLayout(), menu(), std::move(positionsDialog), parent) {
    setObjectName(QStringLiteral("SteamDia"));
}

DiagramControls TSteamDia::drawDiagram(const Model& m, Canvas& c, bool clearFirst,
                                      const UndoLines& undo) {
    if (clearFirst) c.clear(colours::white);
    return drawSteamDiagram(m, c, undo);
}

}  // namespace tevrane
