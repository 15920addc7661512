// The main window's menu and tool bar. An item either opens a window (its row
// in the window registry) or runs a command of the controller (the table
// below). Each tool button runs the action of the menu item of the same
// purpose. An item whose window or command is not part of the program yet is
// present and disabled.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenuBar>
#include <QToolBar>

#include "main/Main.h"
#include "main/ToolIcons.h"

namespace tevrane {

namespace {

// A menu item that runs a command of the controller rather than opening a
// window.
struct Command {
    Item item;
    std::optional<ToolButton> tool;
    void (*run)(MainController&) = nullptr;  // null: not part of the program yet
    void (*runInWindow)(TMainForm&) = nullptr;  // a command with dialogs of its own
};

const Command kCommands[] = {
    {Item::OpenDimensions, ToolButton{ToolIcon::Open, "Open File: Dimensional Data"}, nullptr,
     [](TMainForm& w) { w.OpenDimensionsClick(); }},
    {Item::SaveAsDimensions, ToolButton{ToolIcon::Save, "Save As: Dimensional Data"}, nullptr,
     [](TMainForm& w) { w.SaveAsDimensionsClick(); }},
    {Item::ExportPicture, {}, nullptr, [](TMainForm& w) { w.ExportPictureClick(); }},
    {Item::PrintPicture, {}, nullptr, [](TMainForm& w) { w.PrintPictureClick(); }},
    {Item::CompareWith, {}, nullptr, [](TMainForm& w) { w.CompareWithClick(); }},
    {Item::CompareOff, {}, [](MainController& c) { c.compareOff(); }},
    {Item::DesignReport, {}, nullptr, [](TMainForm& w) { w.DesignReportClick(); }},
    {Item::ConvertUnits, {}, [](MainController& c) { c.convertUnitsClick(); }},
    {Item::Font, {}, [](MainController& c) { c.toggleFont(); }},
    {Item::CalcCentRevArm, ToolButton{ToolIcon::MidGear, "Calculate Mid Gear Position if Necessary"},
     [](MainController& c) { c.calcCentRevArm(); }},
    {Item::SteamDisp, ToolButton{ToolIcon::Steam, "Turn On Steam Display and Sound"},
     [](MainController& c) { c.toggleSteamDisplay(); }},
    {Item::ErrorBeep, {}, [](MainController& c) { c.toggleErrorBeep(); }},
    {Item::LineWidth, {}, [](MainController& c) { c.toggleLineWidth(); }},
    {Item::ScreenData, {}, [](MainController& c) { c.toggleScreenData(); }},
    {Item::PanZoom, {}, [](MainController& c) { c.togglePanZoom(); }},
    {Item::Fit, ToolButton{ToolIcon::Fit, "Fit the Whole Gear to the Picture (F)"}, nullptr,
     [](TMainForm& w) { w.FitClick(); }},
    {Item::ResetAllDimensions, {}, [](MainController& c) { c.resetAllDimensionsClick(); }},
    {Item::ReferPoints, ToolButton{ToolIcon::RefPoints, "Turn On Reference Points"},
     [](MainController& c) { c.toggleReferPoints(); }},
    {Item::PivotData, ToolButton{ToolIcon::PivotData, "Turn On Pivot Data"},
     [](MainController& c) { c.togglePivotData(); }},
    {Item::DynamicVari, ToolButton{ToolIcon::DynamicVariables, "Turn On Dynamic Variables"},
     [](MainController& c) { c.toggleDynamicVari(); }},
    {Item::UnDo, ToolButton{ToolIcon::Undo, "Turn On UnDo"}, [](MainController& c) { c.toggleUndo(); }},
};

// The menus left to right, each with its items top to bottom. "E&xit" ends
// the first menu.
struct MenuLayout {
    const char* title;
    std::vector<Item> items;
};

const std::vector<MenuLayout>& menuLayout() {
    static const std::vector<MenuLayout> menus = {
        {"&File",
         {Item::OpenDimensions, Item::SaveAsDimensions, Item::ExportPicture, Item::PrintPicture, Item::CompareWith,
          Item::CompareOff, Item::DesignReport, Item::ConvertUnits}},
        {"&SetUp",
         {Item::SetRevArmPos, Item::SetDriverAng, Item::SetStepAng, Item::SetRefPoints, Item::Font,
          Item::CalcCentRevArm, Item::SteamDisp, Item::ErrorBeep, Item::LineWidth, Item::ScreenData,
          Item::PanZoom, Item::Fit}},
        {"&EditDimen",
         {Item::FrameDimensions, Item::CylinderDimensions, Item::GraphicZoom, Item::ResetAllDimensions,
          Item::ReferPoints, Item::DrawLinesCircles, Item::PivotData, Item::DynamicVari, Item::UnDo}},
        {"Draw&Graphs",
         {Item::SineDiagram, Item::OvalDiagram, Item::SteamDiagram, Item::PortOpenClose, Item::ValveEvents,
          Item::Equalise, Item::Performance}},
        {"&Help", {Item::Instructions, Item::InstructionsSpecial, Item::About}},
    };
    return menus;
}

// The tool bar left to right; an empty entry is the spacer between groups.
const std::optional<Item> kToolBar[] = {
    Item::OpenDimensions, Item::SaveAsDimensions, std::nullopt,
    Item::FrameDimensions, Item::CylinderDimensions, std::nullopt,
    Item::SetDriverAng, Item::SetStepAng, Item::SetRevArmPos, std::nullopt,
    Item::CalcCentRevArm, std::nullopt,
    Item::Fit, std::nullopt,
    Item::SteamDisp, std::nullopt,
    Item::ReferPoints, Item::DrawLinesCircles, Item::PivotData, Item::DynamicVari, Item::UnDo, std::nullopt,
    Item::SineDiagram, Item::OvalDiagram, Item::SteamDiagram, Item::PortOpenClose, std::nullopt,
    Item::ValveEvents, Item::Equalise, Item::Performance,
};

void setAvailable(QAction* a, bool available) { a->setProperty("available", available); }

}  // namespace

QAction* TMainForm::makeItem(Item i, std::optional<ToolButton> tool) {
    Q_ASSERT_X(!actions_.count(i), "TMainForm::makeItem", "a menu item has one window or one command");
    auto* a = new QAction(QString::fromStdString(p_.item(i).caption), this);
    actions_[i] = a;
    if (tool) toolButtons_[i] = *tool;
    return a;
}

void TMainForm::buildMenu() {
    // Window openers: connected now, available once their window exists.
    for (const WindowRow& row : windows_.rows()) {
        if (!row.item) continue;
        QAction* a = makeItem(*row.item, row.tool);
        setAvailable(a, false);
        if (*row.item == Item::DrawLinesCircles)
            connect(a, &QAction::triggered, this, &TMainForm::DrawLines1Click);  // warns first
        else
            connect(a, &QAction::triggered, this, [this, &row] { openWindow(row); });
    }
    for (const Command& command : kCommands) {
        QAction* a = makeItem(command.item, command.tool);
        setAvailable(a, command.run != nullptr || command.runInWindow != nullptr);
        if (command.run)
            connect(a, &QAction::triggered, this, [this, run = command.run] { run(c_); });
        if (command.runInWindow)
            connect(a, &QAction::triggered, this, [this, run = command.runInWindow] { run(*this); });
    }

    // The usual keys of a program that keeps its work in files.
    actions_.at(Item::OpenDimensions)->setShortcut(QKeySequence::Open);
    actions_.at(Item::SaveAsDimensions)->setShortcut(QKeySequence::Save);
    // F fits the gear to the picture: the one view change with a key, as it
    // is the one a user reaches for after making the window larger.
    actions_.at(Item::Fit)->setShortcut(QKeySequence(Qt::Key_F));

    QMenuBar* bar = menuBar();
    for (const MenuLayout& layout : menuLayout()) {
        QMenu* menu = bar->addMenu(layout.title);
        for (Item i : layout.items) {
            Q_ASSERT_X(actions_.count(i), "TMainForm::buildMenu", "every menu item has a window or a command");
            menu->addAction(actions_.at(i));
        }
        if (&layout == &menuLayout().front()) {
            QAction* exitItem = menu->addAction("E&xit");
            connect(exitItem, &QAction::triggered, this, &QWidget::close);
        }
    }

    // The hidden error entry: a picture without a caption on the menu bar,
    // shown by the picture while a solver error is being signalled.
    QAction* error = bar->addAction(toolIcon(ToolIcon::Error), QString());
    error->setToolTip("Error");
    actions_[Item::Error] = error;
    setAvailable(error, true);
}

void TMainForm::windowsCreated() {
    for (const WindowRow& row : windows_.rows())
        if (row.item) setAvailable(actions_.at(*row.item), windows_.window(row) != nullptr);
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
    for (const std::optional<Item>& entry : kToolBar) {
        if (!entry) {
            toolBar_->addSeparator();
            continue;
        }
        const ToolButton& button = toolButtons_.at(*entry);
        QAction* a = toolBar_->addAction(toolIcon(button.icon), QString());
        a->setToolTip(QString::fromUtf8(button.hint));
        QAction* menuItem = actions_.at(*entry);
        a->setProperty("item", QVariant::fromValue(menuItem));
        setAvailable(a, menuItem->property("available").toBool());
        connect(a, &QAction::triggered, menuItem, &QAction::trigger);
        tools_[button.hint] = a;
    }
}

void TMainForm::DataTableButClick() {
    for (const WindowRow& row : windows_.rows())
        if (std::string_view(row.name) == "TDataTable") openWindow(row);
}

void TMainForm::DrawLines1Click() {
    // An item is built from the reference points: with both at the origin
    // there is nothing to build from yet, which the beep says.
    if (c_.refPointsAtOrigin()) sound_.beep();
    for (const WindowRow& row : windows_.rows())
        if (std::string_view(row.name) == "TDrawLines") openWindow(row);
}

const WindowRow* TMainForm::rowNamed(std::string_view name) const {
    for (const WindowRow& row : windows_.rows())
        if (name == row.name) return &row;
    return nullptr;
}

void TMainForm::openWindow(const WindowRow& row) {
    QDialog* dialog = windows_.window(row);
    // One modal window at a time: menu keys typed quickly can reach the main
    // window's menu while a window is coming up, and must not open a second
    // one over it (or the same one again).
    if (!dialog || QApplication::activeModalWidget()) return;
    if (row.beforeOpen) row.beforeOpen(c_);
    dialog->exec();
    syncFromPanel();
}

}  // namespace tevrane
