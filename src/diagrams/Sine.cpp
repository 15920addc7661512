#include "diagrams/Sine.h"

#include "diagrams/core/SinePlot.h"

namespace tevrane {

namespace {

DiagramLayout windowLayout() {
    DiagramLayout l;
    l.clientWidth = kDiagramWidth;
    l.clientHeight = kDiagramHeight;
    l.closeName = QStringLiteral("CloseSin");
    l.closeRect = QRect(408, 8, 75, 25);
    l.barPrefix = QStringLiteral("SBDynVarS");
    l.undoName = QStringLiteral("UnDoDnS");
    l.pictureName = QStringLiteral("sine");
    return l;
}

PositionMenu menu() {
    return {QStringLiteral("SetRevArmPos"), QStringLiteral("&SetRevArmPos"), QStringLiteral("ReDraw"),
            QStringLiteral("&ReDraw"), QStringLiteral("UnDoSine"), QStringLiteral("DynVari"),
            QStringLiteral("&DymamicVariables")};
}

}  // namespace

TSineDia::TSineDia(const Model& m, GearCommands& c, std::function<QDialog*()> positionsDialog,
                     QWidget* parent)
    : PositionDiagramWindow(m, c, windowLayout(), menu(), std::move(positionsDialog), parent) {
    setObjectName(QStringLiteral("SineDia"));
}

DiagramControls TSineDia::drawDiagram(const Model& m, Canvas& c, bool clearFirst,
                                      const UndoLines& undo) {
    if (clearFirst) c.clear(colours::white);
    return drawSine(m, c, undo);
}

}  // namespace tevrane
