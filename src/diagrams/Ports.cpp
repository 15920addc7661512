#include "diagrams/Ports.h"

#include <QMenu>
#include <QMenuBar>

#include "diagrams/core/PortsPlot.h"

namespace tevrane {

namespace {

DiagramLayout portLayout() {
    DiagramLayout l;
    l.clientWidth = kDiagramWidth;
    l.clientHeight = kDiagramHeight;
    l.closeName = QStringLiteral("ClosePort");
    l.closeRect = QRect(447, 2, 75, 25);
    l.barPrefix = QStringLiteral("SBDynVarP");
    l.undoName = QStringLiteral("UnDoDnP");
    l.pictureName = QStringLiteral("ports");
    l.plotShift = portsDiagramShift;
    return l;
}

}  // namespace

TPortDia::TPortDia(Model& m, MainController& c, QWidget* parent)
    : DiagramWindow(m, c, portLayout(), parent) {
    setObjectName(QStringLiteral("PortDia"));

    QMenu* setUp = menuBar()->addMenu(QStringLiteral("SetUp"));
    setUp->setObjectName(QStringLiteral("SetUp"));
    forwardGraph1_ = setUp->addAction(QStringLiteral("ForwardGraph"), this, &TPortDia::ForwardGraph1Click);
    forwardGraph1_->setObjectName(QStringLiteral("ForwardGraph1"));
    reverseGraph1_ = setUp->addAction(QStringLiteral("ReverseGraph"), this, &TPortDia::ReverseGraph1Click);
    reverseGraph1_->setObjectName(QStringLiteral("ReverseGraph1"));
    bothGraphs1_ = setUp->addAction(QStringLiteral("BothGraphs"), this, &TPortDia::BothGraphs1Click);
    bothGraphs1_->setObjectName(QStringLiteral("BothGraphs1"));

    reDraw1_ = menuBar()->addAction(QStringLiteral("ReDraw"), this, &TPortDia::ReDraw1Click);
    reDraw1_->setObjectName(QStringLiteral("ReDraw1"));
    unDoPorts_ = menuBar()->addAction(QStringLiteral("&UnDo"), this, &DiagramWindow::undoMenuClick);
    unDoPorts_->setObjectName(QStringLiteral("UnDoPorts"));
    dynamicVari1_ = menuBar()->addAction(QStringLiteral("DynamicVari"), this, &DiagramWindow::dynamicVariClick);
    dynamicVari1_->setObjectName(QStringLiteral("DynamicVari1"));
    addPictureItems();
}

DiagramControls TPortDia::drawDiagram(Model& m, Canvas& c, bool clearFirst) {
    return drawPorts(m, c, clearFirst);
}

void TPortDia::ForwardGraph1Click() {
    model().portGraphMode = 'F';
    redraw(true);
}

void TPortDia::ReverseGraph1Click() {
    model().portGraphMode = 'R';
    redraw(true);
}

void TPortDia::BothGraphs1Click() {
    model().portGraphMode = 'B';
    redraw(true);
}

void TPortDia::ReDraw1Click() { redraw(true); }

}  // namespace tevrane
