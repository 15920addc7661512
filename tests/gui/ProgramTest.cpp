// The whole program as it starts: the main window with every secondary window
// created from the window registry.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QScrollBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <typeindex>

#include "app/Windows.h"
#include "diagrams/Oval.h"
#include "diagrams/Ports.h"
#include "diagrams/Sine.h"
#include "diagrams/Steam.h"
#include "diagrams/SetReverArm.h"
#include "dialogs/CylinOut.h"
#include "dialogs/DatTable.h"
#include "dialogs/DrvAng.h"
#include "dialogs/Equalise.h"
#include "dialogs/PerformanceWindow.h"
#include "dialogs/GraphicZoom.h"
#include "dialogs/RefPoint.h"
#include "dialogs/Instruct.h"
#include "dialogs/Line.h"
#include "dialogs/ReverPos.h"
#include "dialogs/StepAngle.h"
#include "dialogs/TevFrame.h"
#include "dialogs/TevSpIns.h"
#include "dialogs/VGAboutBox.h"
#include "dialogs/ValveEventsWindow.h"
#include "dialogs/core/MessageSink.h"
#include "main/Main.h"
#include "platform/Clock.h"
#include "platform/Sound.h"

using namespace tevrane;

namespace {
struct ProgramFixture : ::testing::Test {
    Model m;
    Panel p;
    MainController c{m, p};
    RecordingSound sound;
    FixedClock clock{"07/12/2026", "10:00:00"};
    RecordingMessageSink messages;  // the instruction files are not in the test folder
    WindowRegistry windows{windowRows()};
    std::unique_ptr<TMainForm> form;

    void SetUp() override {
        form = std::make_unique<TMainForm>(m, p, c, windows, sound, clock);
        windows.createAll({m, c, messages, form.get(), &windows, &sound});
        form->windowsCreated();
        form->show();
    }

    const WindowRow& row(const char* name) {
        for (const WindowRow& r : windows.rows())
            if (std::string(r.name) == name) return r;
        throw std::runtime_error(std::string("no window row ") + name);
    }
    QAction* tool(const char* hint) {
        for (QAction* a : form->toolBar()->actions())
            if (a->toolTip() == hint) return a;
        throw std::runtime_error(std::string("no tool button ") + hint);
    }
    // Triggers an item that opens a modal window; `whileShown` runs inside it,
    // then the window is closed as its "Cancel" or "Close" would. Returns the
    // window that was up, or null if none came up.
    QWidget* openAndClose(QAction* item, const std::function<void(QWidget*)>& whileShown = {}) {
        // A window may ask a question of its own first (the position
        // diagrams ask for the reverse-arm positions): each modal window is
        // closed in turn, and the last one, the window itself, is returned.
        QWidget* seen = nullptr;
        std::function<void()> closeNext = [&] {
            QWidget* up = QApplication::activeModalWidget();
            if (!up) return;
            seen = up;
            if (whileShown) whileShown(up);
            if (auto* d = qobject_cast<QDialog*>(up)) d->reject();
            else up->close();
            QTimer::singleShot(0, closeNext);
        };
        QTimer::singleShot(0, closeNext);
        item->trigger();
        QApplication::processEvents();  // the close timer fires even if nothing opened
        return seen;
    }
};
using Program = ProgramFixture;
}  // namespace

TEST_F(Program, CreatesTheWindowsInStartOrderAndEnablesWhatTheyOpen) {
    std::vector<std::string> names;
    for (const WindowRow& r : windows.rows()) names.push_back(r.name);
    const std::vector<std::string> startOrder = {
        "TDrivAng", "TOvalDia", "TPortDia", "TRefPnts", "TRevPos", "TSetRevArm", "TSineDia", "TSteamDia",
        "TStpAng", "TAboutBox", "TInst", "TTevSpInst", "TFrameDi", "TCylDimen", "TGraphZoom",
        "TDrawLines", "TDataTable", "TValveEvents", "TEqualise", "TPerformance"};
    EXPECT_EQ(names, startOrder);
    // The windows built so far, each of its own class, created in that order.
    std::vector<std::type_index> created;
    for (QDialog* d : form->findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) created.emplace_back(typeid(*d));
    const std::vector<std::type_index> built = {
        typeid(TDrivAng), typeid(TOvalDia), typeid(TPortDia), typeid(TRefPnts), typeid(TRevPos), typeid(TSetRevArm),
        typeid(TSineDia), typeid(TSteamDia), typeid(TStpAng),
        typeid(TAboutBox), typeid(TInst), typeid(TTevSpInst), typeid(TFrameDi), typeid(TCylDimen),
        typeid(TGraphZoom), typeid(TDrawLines), typeid(TDataTable), typeid(TValveEvents), typeid(TEqualise),
        typeid(TPerformance)};
    EXPECT_TRUE(created == built);

    EXPECT_TRUE(form->action(Item::SetDriverAng)->isEnabled());
    EXPECT_TRUE(form->action(Item::PortOpenClose)->isEnabled());
    EXPECT_TRUE(form->action(Item::About)->isEnabled());
    EXPECT_TRUE(form->action(Item::SetRefPoints)->isEnabled());
    EXPECT_TRUE(form->action(Item::SineDiagram)->isEnabled());
    EXPECT_TRUE(form->action(Item::SteamDiagram)->isEnabled());
    EXPECT_TRUE(form->action(Item::OpenDimensions)->isEnabled());
    EXPECT_TRUE(tool("Change Frame Dimensions")->isEnabled());
    EXPECT_TRUE(tool("View Port Events vs Reverse Arm Position")->isEnabled());
    EXPECT_TRUE(tool("View Oval Diagram")->isEnabled());
    EXPECT_TRUE(tool("Save As: Dimensional Data")->isEnabled());
    EXPECT_FALSE(tool("Draw Lines and Circles")->isEnabled());

    // The picture writes the captions of the windows its rows name.
    form->Timer1Timer();
    EXPECT_TRUE(windows.window(row("TPortDia"))
                    ->windowTitle()
                    .startsWith("Tevrane Outside Admission      Port Open/Closed    "));
}

TEST_F(Program, PortToolButtonSetsTheForwardModeBeforeTheWindowShows) {
    m.portGraphMode = 'B';
    char modeWhileShown = 0;
    bool timerWhileShown = true;
    QWidget* seen = openAndClose(tool("View Port Events vs Reverse Arm Position"), [&](QWidget*) {
        modeWhileShown = m.portGraphMode;
        timerWhileShown = form->animationTimerActive();
    });
    EXPECT_EQ(seen, windows.window(row("TPortDia")));
    EXPECT_EQ(modeWhileShown, 'F');
    EXPECT_FALSE(timerWhileShown);  // a diagram window stops the animation...
    EXPECT_TRUE(form->animationTimerActive());  // ...and starts it again when it closes
}

namespace {
std::vector<std::string>* g_warnings = nullptr;
void recordWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (g_warnings && type >= QtWarningMsg) g_warnings->push_back(text.toStdString());
}
}  // namespace

TEST_F(Program, NoWindowOpensOverAnotherModalWindow) {
    // Menu keys typed quickly reach the main window's menu while the first
    // window is coming up: its own item again and the next item.
    std::vector<std::string> warnings;
    g_warnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(recordWarning);
    std::vector<QWidget*> over;
    QWidget* seen = openAndClose(form->action(Item::SetDriverAng), [&](QWidget* first) {
        // Should any window open over the first one, this closes it so the
        // test ends.
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            QWidget* top = QApplication::activeModalWidget();
            if (top == first) return;
            over.push_back(top);
            if (auto* d = qobject_cast<QDialog*>(top)) d->reject();
        });
        closer.start(0);
        form->action(Item::SetStepAng)->trigger();
        form->action(Item::SetDriverAng)->trigger();
        tool("Change Frame Dimensions")->trigger();
        QApplication::processEvents();
    });
    qInstallMessageHandler(previous);
    g_warnings = nullptr;
    EXPECT_EQ(seen, windows.window(row("TDrivAng")));
    EXPECT_TRUE(over.empty()) << over.size() << " window(s) opened over the driver angle dialog";
    for (const std::string& w : warnings) EXPECT_EQ(w.find("Recursive call"), std::string::npos) << w;
    // Once it is closed the next item opens its window as usual.
    EXPECT_EQ(openAndClose(form->action(Item::SetStepAng)), windows.window(row("TStpAng")));
}

// A run through everything the main window offers, with a picture after each
// step; under the sanitizers it fails on any memory or undefined-behaviour
// error on these paths.
TEST_F(Program, EveryWindowBarAndMenuCommandRuns) {
    // The draw-lines window is offered while the reference points are on.
    c.toggleReferPoints();
    form->syncFromPanel();
    int opened = 0;
    for (const WindowRow& r : windows.rows()) {
        if (!r.item || !windows.window(r)) continue;
        QAction* item = form->action(*r.item);
        ASSERT_TRUE(item->isEnabled()) << r.name;
        EXPECT_EQ(openAndClose(item, [&](QWidget*) { form->Timer1Timer(); }), windows.window(r)) << r.name;
        ++opened;
    }
    // Every built window but the reverse arm positions and the pivot data
    // table, which no menu item opens.
    EXPECT_EQ(opened, 18);
    // The file items bring up their file and print preview dialogs,
    // cancelled here.
    for (Item i : {Item::OpenDimensions, Item::SaveAsDimensions, Item::ExportPicture, Item::PrintPicture,
                   Item::CompareWith, Item::DesignReport})
        EXPECT_NE(openAndClose(form->action(i)), nullptr);

    using A = QAbstractSlider::SliderAction;
    for (int b = 0; b < kBarCount; ++b) {
        QScrollBar* bar = form->bar(static_cast<Bar>(b));
        for (A a : {A::SliderSingleStepAdd, A::SliderPageStepAdd, A::SliderSingleStepSub, A::SliderPageStepSub,
                    A::SliderToMaximum, A::SliderToMinimum}) {
            bar->triggerAction(a);
            form->Timer1Timer();
        }
    }

    // Each command twice, with the control panel shown and then hidden (the
    // pan and zoom item works only then); a toggle comes back to its caption.
    std::vector<Item> commands;
    for (int i = 0; i < static_cast<int>(Item::Count); ++i) {
        const Item item = static_cast<Item>(i);
        bool window = false;
        for (const WindowRow& r : windows.rows()) window = window || r.item == item;
        const bool file = item == Item::OpenDimensions || item == Item::SaveAsDimensions ||
                          item == Item::ExportPicture || item == Item::PrintPicture || item == Item::CompareWith ||
                          item == Item::DesignReport;
        if (!window && !file && item != Item::Error && item != Item::ScreenData) commands.push_back(item);
    }
    int ran = 0;
    for (bool panelShown : {true, false}) {
        if (!panelShown) form->action(Item::ScreenData)->trigger();
        for (Item i : commands) {
            QAction* a = form->action(i);
            if (!a->isEnabled()) continue;
            const QString caption = a->text();
            a->trigger();
            form->Timer1Timer();
            a->trigger();
            form->Timer1Timer();
            EXPECT_EQ(a->text(), caption);
            ++ran;
        }
    }
    form->action(Item::ScreenData)->trigger();
    EXPECT_TRUE(form->toolBar()->isVisible());
    EXPECT_GE(ran, 12);
}

namespace {

// Save, change, open: the design comes back with its reverse-arm setting on
// the bar and its name in the caption; a missing file, a short file and a
// save that cannot be written each say why and change nothing.
TEST_F(ProgramFixture, DimensionFileSavesOpensAndRefusesSafely) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("long travel.dtv");
    m.stroke = 3.5f;
    c.setReverseArm(m.revArmCentre() + 0.75f);
    EXPECT_EQ(form->saveDimensionsFile(path), QString());
    EXPECT_EQ(QFileInfo(path).size(), 1400);
    EXPECT_EQ(m.currentFileName, "long travel");

    m.stroke = 3.0f;
    c.setReverseArm(m.revArmCentre());
    m.currentFileName = "other";
    EXPECT_EQ(form->openDimensionsFile(path), QString());
    EXPECT_EQ(m.stroke, 3.5f);
    EXPECT_EQ(form->bar(Bar::RevArm)->value(), 750);
    EXPECT_EQ(m.currentFileName, "long travel");
    form->Timer1Timer();
    EXPECT_TRUE(form->windowTitle().contains("long travel"));

    const Engine before = m;
    EXPECT_EQ(form->openDimensionsFile(dir.filePath("missing.dtv")), "File not found");
    QFile shortFile(dir.filePath("short.dtv"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(1399, '\x41'));
    shortFile.close();
    EXPECT_EQ(form->openDimensionsFile(shortFile.fileName()), "Read beyond end of file");
    EXPECT_EQ(std::memcmp(&before, static_cast<const Engine*>(&m), sizeof(Engine)), 0);
    EXPECT_EQ(m.currentFileName, "long travel");

    // A folder stands where the file should go: nothing is written over it.
    EXPECT_FALSE(form->saveDimensionsFile(dir.path()).isEmpty());
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
    EXPECT_EQ(m.currentFileName, "long travel");

    // Opening a folder, a pipe nobody writes to or a device answers at once
    // and changes nothing.
    const QString pipe = dir.filePath("pipe.dtv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(form->openDimensionsFile(dir.path()), "Is a folder, not a file");
    EXPECT_EQ(form->openDimensionsFile(pipe), "Not a regular file (a pipe)");
    EXPECT_EQ(form->openDimensionsFile("/dev/zero"), "Not a regular file (a device)");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(std::memcmp(&before, static_cast<const Engine*>(&m), sizeof(Engine)), 0);
    EXPECT_EQ(m.currentFileName, "long travel");

    // Neither is a pipe replaced by a save, and a save refused keeps the old
    // name in the captions.
    EXPECT_EQ(form->saveDimensionsFile(pipe), "Not a regular file (a pipe)");
    EXPECT_TRUE(std::filesystem::is_fifo(QFile::encodeName(pipe).toStdString()));
    EXPECT_EQ(m.currentFileName, "long travel");
    form->Timer1Timer();
    EXPECT_FALSE(form->windowTitle().contains("pipe"));
    EXPECT_TRUE(form->windowTitle().contains("long travel"));
}

// A design's overlay shows in the draw-lines window's rows once it is loaded,
// the row of its current item aqua.
TEST_F(ProgramFixture, ALoadedOverlayShowsInTheDrawLinesRows) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("rings.dtv");
    m.lineType[2] = 1, m.lineColour[2] = 255, m.lineMode[2] = 0;
    m.lineY1[2] = 1.5f, m.lineX1[2] = -2.0f, m.lineY2[2] = 9.0f, m.lineX2[2] = 0.75f;
    m.lineCount = 5;
    ASSERT_EQ(form->saveDimensionsFile(path), QString());
    clearOverlay(m);
    m.lineCount = 1;
    ASSERT_EQ(form->openDimensionsFile(path), QString());

    auto* d = qobject_cast<TDrawLines*>(windows.window(row("TDrawLines")));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->typeLabel(2)->text(), "Circle");
    EXPECT_EQ(d->colourLabel(2)->text(), "Red");
    EXPECT_EQ(d->refLabel(2)->text(), "0 , 0");
    EXPECT_EQ(d->box(2, 0)->text(), "  1.500");
    EXPECT_EQ(d->box(2, 1)->text(), " -2.000");
    EXPECT_EQ(d->box(2, 2)->text(), "");  // a circle has no second vertical
    EXPECT_EQ(d->box(2, 3)->text(), "  0.750");
    EXPECT_EQ(d->typeLabel(3)->text(), "");
    EXPECT_EQ(d->rowPanel(5)->palette().color(QPalette::Window), QColor(0, 255, 255));
    EXPECT_EQ(d->rowPanel(1)->palette().color(QPalette::Window), QColor(255, 255, 255));
}

}  // namespace

// A small button shows where its dimension lies: the next frame closes the
// dialog and puts up the hourglass cursor; a press in the picture ends the display,
// and the dialog comes back once that frame is over, not inside it.
TEST_F(Program, SmallButtonShowsTheDimensionThenTheDialogComesBack) {
    auto* dialog = qobject_cast<TFrameDi*>(windows.window("TFrameDi"));
    ASSERT_NE(dialog, nullptr);
    const float revArm = m.revArmPos = m.revArmCentre() + 0.5f;
    QTimer::singleShot(0, dialog, [&] {
        QTest::mouseClick(dialog->smallButton(3), Qt::LeftButton);
        form->Timer1Timer();
    });
    form->action(Item::FrameDimensions)->trigger();  // returns once the frame closed it
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(m.pointerDim, 3);
    EXPECT_EQ(m.revArmPos, revArm);  // stepping aside does not re-centre the gear
    EXPECT_EQ(form->view()->cursor().shape(), Qt::WaitCursor);
    // The presets would hide the dimension's name; the motion bars stay.
    EXPECT_FALSE(form->button("Preset1")->isVisible());
    EXPECT_TRUE(form->bar(Bar::RevArm)->isVisible());

    QTest::mouseClick(form->view(), Qt::LeftButton, {}, QPoint(400, 300));
    form->Timer1Timer();
    EXPECT_EQ(m.pointerDim, 0);
    EXPECT_NE(form->view()->cursor().shape(), Qt::WaitCursor);
    EXPECT_TRUE(form->button("Preset1")->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    QWidget* seen = nullptr;
    QTimer closer;
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* up = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            seen = up;
            closer.stop();
            up->reject();
        }
    });
    closer.start();
    for (int i = 0; i < 100 && !seen; ++i) QApplication::processEvents();
    closer.stop();
    EXPECT_EQ(seen, dialog);
}
