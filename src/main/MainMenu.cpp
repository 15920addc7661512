// The main window's menu and tool bar. Each tool button runs the action of
// the menu item of the same purpose. An item whose window is not part of the
// program yet is present and disabled.
#include <QAction>
#include <QMenuBar>
#include <QToolBar>

#include "main/Main.h"
#include "main/ToolIcons.h"

namespace tevrane {

namespace {
void setAvailable(QAction* a, bool available) { a->setProperty("available", available); }
}  // namespace

QAction* TMainForm::makeItem(QMenu* menu, Item i, void (MainController::*handler)()) {
    QAction* a = menu->addAction(QString::fromStdString(p_.item(i).caption));
    actions_[i] = a;
    setAvailable(a, handler != nullptr);
    if (handler) connect(a, &QAction::triggered, this, [this, handler] { (c_.*handler)(); });
    return a;
}

void TMainForm::buildMenu() {
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu("&File");
    makeItem(file, Item::OpenDimensions, nullptr);
    makeItem(file, Item::SaveAsDimensions, nullptr);
    QAction* exitItem = file->addAction("E&xit");
    connect(exitItem, &QAction::triggered, this, &QWidget::close);

    QMenu* setUp = bar->addMenu("&SetUp");
    makeItem(setUp, Item::SetRevArmPos, nullptr);
    makeItem(setUp, Item::SetDriverAng, nullptr);
    makeItem(setUp, Item::SetStepAng, nullptr);
    makeItem(setUp, Item::SetRefPoints, nullptr);
    makeItem(setUp, Item::Font, &MainController::toggleFont);
    makeItem(setUp, Item::CalcCentRevArm, &MainController::calcCentRevArm);
    makeItem(setUp, Item::SteamDisp, &MainController::toggleSteamDisplay);
    makeItem(setUp, Item::ErrorBeep, &MainController::toggleErrorBeep);
    makeItem(setUp, Item::LineWidth, &MainController::toggleLineWidth);
    makeItem(setUp, Item::ScreenData, &MainController::toggleScreenData);
    makeItem(setUp, Item::PanZoom, &MainController::togglePanZoom);

    QMenu* edit = bar->addMenu("&EditDimen");
    makeItem(edit, Item::FrameDimensions, nullptr);
    makeItem(edit, Item::CylinderDimensions, nullptr);
    makeItem(edit, Item::GraphicZoom, nullptr);
    makeItem(edit, Item::ResetAllDimensions, &MainController::resetAllDimensionsClick);
    // Reference points, the overlay and pivot data arrive together with the
    // reference point controls.
    makeItem(edit, Item::ReferPoints, nullptr);
    makeItem(edit, Item::DrawLinesCircles, nullptr);
    makeItem(edit, Item::PivotData, nullptr);
    makeItem(edit, Item::DynamicVari, &MainController::toggleDynamicVari);
    makeItem(edit, Item::UnDo, &MainController::toggleUndo);

    QMenu* graphs = bar->addMenu("Draw&Graphs");
    makeItem(graphs, Item::SineDiagram, nullptr);
    makeItem(graphs, Item::OvalDiagram, nullptr);
    makeItem(graphs, Item::SteamDiagram, nullptr);
    makeItem(graphs, Item::PortOpenClose, nullptr);

    QMenu* help = bar->addMenu("&Help");
    makeItem(help, Item::Instructions, nullptr);
    makeItem(help, Item::InstructionsSpecial, nullptr);
    makeItem(help, Item::About, nullptr);

    // The hidden error entry: a picture without a caption on the menu bar,
    // shown by the picture while a solver error is being signalled.
    QAction* error = bar->addAction(toolIcon(ToolIcon::Error), QString());
    error->setToolTip("Error");
    actions_[Item::Error] = error;
    setAvailable(error, true);

    // Window openers: connected now, available once their window exists.
    auto opener = [this](Item i, QDialog* Windows::*slot) {
        connect(actions_[i], &QAction::triggered, this, [this, slot] { openWindow(w_.*slot); });
    };
    opener(Item::SetRevArmPos, &Windows::revPos);
    opener(Item::SetDriverAng, &Windows::drivAng);
    opener(Item::SetStepAng, &Windows::stpAng);
    opener(Item::SetRefPoints, &Windows::refPnts);
    opener(Item::FrameDimensions, &Windows::frameDi);
    opener(Item::CylinderDimensions, &Windows::cylDimen);
    opener(Item::GraphicZoom, &Windows::graphZoom);
    opener(Item::SineDiagram, &Windows::sineDia);
    opener(Item::OvalDiagram, &Windows::ovalDia);
    opener(Item::SteamDiagram, &Windows::steamDia);
    opener(Item::Instructions, &Windows::inst);
    opener(Item::InstructionsSpecial, &Windows::tevSpInst);
    opener(Item::About, &Windows::aboutBox);
    connect(actions_[Item::PortOpenClose], &QAction::triggered, this, [this] {
        c_.setPortGraphForward();
        openWindow(w_.portDia);
    });
}

void TMainForm::windowsCreated() {
    setAvailable(actions_[Item::SetRevArmPos], w_.revPos != nullptr);
    setAvailable(actions_[Item::SetDriverAng], w_.drivAng != nullptr);
    setAvailable(actions_[Item::SetStepAng], w_.stpAng != nullptr);
    setAvailable(actions_[Item::SetRefPoints], w_.refPnts != nullptr);
    setAvailable(actions_[Item::FrameDimensions], w_.frameDi != nullptr);
    setAvailable(actions_[Item::CylinderDimensions], w_.cylDimen != nullptr);
    setAvailable(actions_[Item::GraphicZoom], w_.graphZoom != nullptr);
    setAvailable(actions_[Item::SineDiagram], w_.sineDia != nullptr);
    setAvailable(actions_[Item::OvalDiagram], w_.ovalDia != nullptr);
    setAvailable(actions_[Item::SteamDiagram], w_.steamDia != nullptr);
    setAvailable(actions_[Item::PortOpenClose], w_.portDia != nullptr);
    setAvailable(actions_[Item::Instructions], w_.inst != nullptr);
    setAvailable(actions_[Item::InstructionsSpecial], w_.tevSpInst != nullptr);
    setAvailable(actions_[Item::About], w_.aboutBox != nullptr);
    for (auto& [hint, tool] : tools_) {
        QAction* item = qvariant_cast<QAction*>(tool->property("item"));
        setAvailable(tool, item && item->property("available").toBool());
    }
    syncFromPanel();
}

void TMainForm::buildToolBar() {
    toolBar_ = new QToolBar(view_);
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    auto tool = [this](ToolIcon icon, const char* hint, Item item) {
        QAction* a = toolBar_->addAction(toolIcon(icon), QString());
        a->setToolTip(QString::fromUtf8(hint));
        QAction* menuItem = actions_[item];
        a->setProperty("item", QVariant::fromValue(menuItem));
        setAvailable(a, menuItem->property("available").toBool());
        connect(a, &QAction::triggered, menuItem, &QAction::trigger);
        tools_[hint] = a;
    };
    tool(ToolIcon::Open, "Open File: Dimensional Data", Item::OpenDimensions);
    tool(ToolIcon::Save, "Save As: Dimensional Data", Item::SaveAsDimensions);
    toolBar_->addSeparator();
    tool(ToolIcon::Frame, "Change Frame Dimensions", Item::FrameDimensions);
    tool(ToolIcon::Cylinder, "Change Cylinder Dimensions", Item::CylinderDimensions);
    toolBar_->addSeparator();
    tool(ToolIcon::DriverAngle, "Set Driver Angle to Desired Position", Item::SetDriverAng);
    tool(ToolIcon::StepAngle, "Set Step Angle to Desired Amount", Item::SetStepAng);
    tool(ToolIcon::ReverseArm, "Set Reverse Arm to Desired Position", Item::SetRevArmPos);
    toolBar_->addSeparator();
    tool(ToolIcon::MidGear, "Calculate Mid Gear Position if Necessary", Item::CalcCentRevArm);
    toolBar_->addSeparator();
    tool(ToolIcon::Steam, "Turn On Steam Display and Sound", Item::SteamDisp);
    toolBar_->addSeparator();
    tool(ToolIcon::RefPoints, "Turn On Reference Points", Item::ReferPoints);
    tool(ToolIcon::Lines, "Draw Lines and Circles", Item::DrawLinesCircles);
    tool(ToolIcon::PivotData, "Turn On Pivot Data", Item::PivotData);
    tool(ToolIcon::DynamicVariables, "Turn On Dynamic Variables", Item::DynamicVari);
    tool(ToolIcon::Undo, "Turn On UnDo", Item::UnDo);
    toolBar_->addSeparator();
    tool(ToolIcon::Sine, "View Sine Diagram", Item::SineDiagram);
    tool(ToolIcon::Oval, "View Oval Diagram", Item::OvalDiagram);
    tool(ToolIcon::SteamDiagram, "View Steam Diagram", Item::SteamDiagram);
    tool(ToolIcon::Ports, "View Port Events vs Reverse Arm Position", Item::PortOpenClose);
}

}  // namespace tevrane
