// The pivot data table window: opened from the main window's "DataTable"
// button it shows the table of the model and leaves the animation's driver
// angle and run state alone; its Edit menu's enabled states and the clipboard;
// and columns that line up on screen.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <cstring>

#include "app/Windows.h"
#include "dialogs/DatTable.h"
#include "dialogs/core/MessageSink.h"
#include "dialogs/core/PivotTable.h"
#include "main/Main.h"
#include "model/Solver.h"
#include "platform/Clock.h"
#include "platform/Sound.h"

using namespace tevrane;

namespace {

struct DataTableProgram : ::testing::Test {
    Model m;
    Panel p;
    MainController c{m, p};
    RecordingSound sound;
    FixedClock clock{"07/12/2026", "10:00:00"};
    RecordingMessageSink messages;
    WindowRegistry windows{windowRows()};
    std::unique_ptr<TMainForm> form;

    void SetUp() override {
        form = std::make_unique<TMainForm>(m, p, c, windows, sound, clock);
        windows.createAll({m, c, messages, form.get(), &windows, &sound, &clock});
        form->windowsCreated();
        form->show();
        form->Timer1Timer();
    }

    // Clicks "DataTable"; `whileShown` runs inside the window, which is then
    // closed by its "&Close ". Returns the window that came up.
    QWidget* clickDataTable(const std::function<void(TDataTable&)>& whileShown) {
        QWidget* seen = nullptr;
        QTimer::singleShot(0, [&] {
            seen = QApplication::activeModalWidget();
            if (auto* t = qobject_cast<TDataTable*>(seen)) {
                whileShown(*t);
                t->closeItem()->trigger();
            } else if (auto* d = qobject_cast<QDialog*>(seen)) {
                d->reject();
            }
        });
        form->button("DataTableBut")->click();
        QApplication::processEvents();
        return seen;
    }
};

TEST_F(DataTableProgram, ButtonOpensTheTableAndLeavesTheAnimationAsItWas) {
    EXPECT_FALSE(form->button("DataTableBut")->isVisible());
    // What "Pi&votData" turns on (its menu item is wired elsewhere).
    c.togglePivotData();
    form->syncFromPanel();
    QPushButton* button = form->button("DataTableBut");
    ASSERT_TRUE(button->isVisible());
    ASSERT_TRUE(button->isEnabled());
    m.pivotRowActive[1] = 1;
    m.pivotRowPivot[1] = kCrankPin;
    m.selectedStep = 7;

    // Running and stopped. The animation timer is held so that no tick
    // moves the wheel while the window is up.
    for (bool running : {true, false}) {
        if (!running) form->RunClick();
        p.timerRunning = false;
        form->syncFromPanel();
        m.driverAngle = 123.25f;
        solveAll(m);
        const float step = m.stepAngle;
        const std::string caption = p.runCaption;
        const Engine before = m;

        std::string shown;
        QWidget* up = clickDataTable([&](TDataTable& t) {
            shown = t.dataMemo()->toPlainText().toStdString();
            form->Timer1Timer();  // the picture writes the window's caption
            EXPECT_TRUE(t.windowTitle().startsWith("Tevrane Outside Admission  Data Table "));
            EXPECT_TRUE(t.windowTitle().endsWith("07/12/2026   10:00:00   Version 2.6"));
        });
        ASSERT_EQ(up, windows.window("TDataTable"));
        std::string expected = pivotTableText(m, "", "");
        expected.pop_back();  // the area shows no empty line under the table
        // The table the model gives, with the clock's date and time.
        EXPECT_EQ(shown.substr(shown.find('\n')), expected.substr(expected.find('\n')));
        EXPECT_EQ(shown.substr(0, shown.find('\n')), "Pivot Data   Nominal     07/12/2026   10:00:00");

        // Only the tick inside the window moved anything: it advanced the
        // wheel by the running step, as it would have without the window.
        EXPECT_EQ(m.driverAngle, 123.25f + step) << running;
        EXPECT_EQ(m.stepAngle, step) << running;
        EXPECT_EQ(p.runCaption, caption) << running;
        EXPECT_EQ(running ? "Stop" : "Run", p.runCaption);
        // The pivots are those the tick solved at the same angle: the table
        // wrote none of them.
        EXPECT_EQ(std::memcmp(&before, static_cast<const Engine*>(&m), sizeof(Engine)), 0);
    }
}

struct DataTableWindow : ::testing::Test {
    Model m;
    FixedClock clock{"07/12/2026", "10:00:00"};
    TDataTable t{m, clock};

    DataTableWindow() {
        initModel(m);
        m.selectedStep = 45;
        t.show();
    }
    void openEdit() { emit t.editMenu()->aboutToShow(); }
    struct States {
        bool cut, copy, paste, selectAll;
        bool operator==(const States&) const = default;
    };
    States states() const {
        return {t.cutItem()->isEnabled(), t.copyItem()->isEnabled(), t.pasteItem()->isEnabled(),
                t.selectAllItem()->isEnabled()};
    }
    void select(int from, int to) {
        QTextCursor cursor = t.dataMemo()->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        t.dataMemo()->setTextCursor(cursor);
    }
};

TEST_F(DataTableWindow, MenuItems) {
    EXPECT_EQ(t.windowTitle(), "Pivot Data Table");
    EXPECT_EQ(t.closeItem()->text(), "&Close ");
    EXPECT_EQ(t.spacerItem()->text(), QString(14, ' '));
    EXPECT_EQ(t.editMenu()->title(), "&Edit");
    EXPECT_EQ(t.cutItem()->text(), "Cu&t");
    EXPECT_EQ(t.copyItem()->text(), "&Copy");
    EXPECT_EQ(t.pasteItem()->text(), "&Paste");
    EXPECT_EQ(t.selectAllItem()->text(), "Select&All");
    t.spacerItem()->trigger();  // does nothing
    EXPECT_TRUE(t.isVisible());
    t.closeItem()->trigger();
    EXPECT_FALSE(t.isVisible());
}

TEST_F(DataTableWindow, EditMenuFollowsTheSelectionAndTheClipboard) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const States afterOpening{false, false, true, true};
    EXPECT_EQ(states().cut, afterOpening.cut);
    EXPECT_EQ(states().copy, afterOpening.copy);
    EXPECT_EQ(states().selectAll, afterOpening.selectAll);

    // Nothing selected, clipboard empty: nothing to cut, copy or paste.
    openEdit();
    EXPECT_EQ(states(), (States{false, false, false, true}));
    // Some text on the clipboard: only "&Paste" changes.
    clipboard->setText("elsewhere");
    openEdit();
    EXPECT_EQ(states(), (States{false, false, true, true}));

    // A selection of one character is enough; the clipboard does not matter.
    clipboard->clear();
    select(0, 1);
    openEdit();
    EXPECT_EQ(states(), (States{true, true, false, true}));
    t.copyItem()->trigger();
    EXPECT_EQ(clipboard->text(), "P");
    openEdit();
    EXPECT_TRUE(states().paste);

    // "Select&All" turns itself off until the next cut or copy, and a copy
    // then takes the whole table.
    t.SelectAllClick();
    EXPECT_EQ(states(), (States{true, true, true, false}));
    t.copyItem()->trigger();
    std::string table = pivotTableText(m, "07/12/2026", "10:00:00");
    table.pop_back();
    EXPECT_EQ(clipboard->text().toStdString(), table);
    EXPECT_TRUE(states().selectAll);

    // Cut takes the selection out; paste puts the clipboard in at the caret.
    select(0, 5);
    t.cutItem()->trigger();
    EXPECT_EQ(clipboard->text(), "Pivot");
    EXPECT_TRUE(states().selectAll);
    EXPECT_TRUE(t.dataMemo()->toPlainText().startsWith(" Data   Nominal"));
    t.pasteItem()->trigger();
    t.pasteItem()->trigger();
    EXPECT_TRUE(t.dataMemo()->toPlainText().startsWith("PivotPivot Data   Nominal"));

    // Opening the window again builds the table anew.
    t.hide();
    t.show();
    EXPECT_EQ(t.dataMemo()->toPlainText().toStdString(), table);
    EXPECT_EQ(states().cut, false);
    EXPECT_EQ(states().copy, false);
    EXPECT_EQ(states().selectAll, true);
}

TEST_F(DataTableWindow, ColumnsLineUpOnScreen) {
    // A blank as wide as a digit or a sign: the padded numbers of every row
    // end under their column heads.
    const QFont f = t.dataMemo()->font();
    EXPECT_TRUE(QFontInfo(f).fixedPitch()) << QFontInfo(f).family().toStdString();
    const QFontMetrics fm(f);
    EXPECT_EQ(fm.horizontalAdvance("    5.240"), fm.horizontalAdvance("  -10.000"));
    EXPECT_EQ(fm.horizontalAdvance("   Vert"), fm.horizontalAdvance("-12.345"));
    // The text grows with the large font.
    const int normal = QFontInfo(f).pixelSize();
    m.fontScaleY = 1.22f;
    t.hide();
    t.show();
    EXPECT_GT(QFontInfo(t.dataMemo()->font()).pixelSize(), normal);
}

}  // namespace
