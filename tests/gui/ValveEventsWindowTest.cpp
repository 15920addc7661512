// The valve events window: opened from the menu, its rows and marks, its
// dynamic-variable bars recomputing the table, and its copy and save.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/Windows.h"
#include "dialogs/ValveEventsWindow.h"
#include "dialogs/core/EventsForms.h"
#include "dialogs/core/MessageSink.h"
#include "main/Main.h"
#include "model/DynVars.h"
#include "model/Format.h"
#include "platform/Clock.h"
#include "platform/Sound.h"

using namespace tevrane;

namespace {

int markedCells(const QTableWidget* t) {
    int n = 0;
    for (int r = 0; r < t->rowCount(); ++r)
        for (int c = 0; c < t->columnCount(); ++c)
            if (t->item(r, c)->background().color() == QColor(255, 205, 205)) ++n;
    return n;
}

TEST(ValveEventsProgram, OpensFromTheMenuWithItsRowsAndHoldsTheAnimation) {
    Model m;
    Panel p;
    MainController c{m, p};
    RecordingSound sound;
    FixedClock clock{"07/12/2026", "10:00:00"};
    RecordingMessageSink messages;
    WindowRegistry windows{windowRows()};
    TMainForm form(m, p, c, windows, sound, clock);
    windows.createAll({m, c, messages, &form, &windows, &sound});
    form.windowsCreated();
    form.show();

    QAction* item = form.action(Item::ValveEvents);
    ASSERT_TRUE(item->isEnabled());
    TValveEvents* seen = nullptr;
    int rows = 0;
    bool timerWhileShown = true;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<TValveEvents*>(QApplication::activeModalWidget());
        if (!seen) return;
        rows = seen->eventsTable()->rowCount();
        timerWhileShown = form.animationTimerActive();
        seen->reject();
    });
    item->trigger();
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seen, windows.window("TValveEvents"));
    EXPECT_EQ(rows, 3 * 2 * kEventSettings);  // front, back, difference; forward and reverse
    EXPECT_FALSE(timerWhileShown);
    EXPECT_TRUE(form.animationTimerActive());
}

struct ValveEventsWindowFixture : ::testing::Test {
    Model m;
    Panel p;
    std::unique_ptr<MainController> c;
    std::unique_ptr<TValveEvents> w;

    void SetUp() override {
        initModel(m);
        initPanel(m, p);
        c = std::make_unique<MainController>(m, p);
        w = std::make_unique<TValveEvents>(m, *c);
    }
    QString cell(int row, EventsColumn col) const {
        return w->eventsTable()->item(row, static_cast<int>(col))->text();
    }
};
using ValveEventsWindow = ValveEventsWindowFixture;

TEST_F(ValveEventsWindow, ABarStepRecomputesTheTableAndUndoPutsItBack) {
    // "Valve Length Front Half" on bar 1: a longer front half laps the front
    // port more, so its lead falls by the same amount.
    commitEdit(m, 119, dimensionName(119), m.cyl.valveLenFront, m.cyl.valveLenFront);
    m.dynVarsVisible = true;
    m.undoEnabled = true;
    w->show();
    const QString leadBefore = cell(0, EventsColumn::Lead);
    const double before = w->report().rows[0].events.front.lead;

    DynVarScrollBar* bar = w->dynBar(1);
    ASSERT_TRUE(bar->isVisible() && bar->isEnabled());
    w->dynVarEnter(1);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);  // +0.01
    w->dynVarScrollEnd(1);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    const Engine& e = m;
    const double after = w->report().rows[0].events.front.lead;
    EXPECT_EQ(after, valveEvents(e, w->report().rows[0].events.revArm, Sense::Forward).front.lead);
    EXPECT_NEAR(after, before - 0.01, 1e-5);
    EXPECT_EQ(cell(0, EventsColumn::Lead).toStdString(), fixed(after, 0, 4));

    w->undoButton()->click();
    EXPECT_EQ(cell(0, EventsColumn::Lead), leadBefore);
    w->close();
}

// The lines of the findings list that start with the text.
int findingsStartingWith(const QListWidget* list, const QString& start) {
    int n = 0;
    for (int i = 0; i < list->count(); ++i) n += list->item(i)->text().startsWith(start) ? 1 : 0;
    return n;
}

TEST_F(ValveEventsWindow, TheFindingsFollowTheBarsTheUndoAndTheTolerance) {
    commitEdit(m, 119, dimensionName(119), m.cyl.valveLenFront, m.cyl.valveLenFront);
    m.dynVarsVisible = true;
    m.undoEnabled = true;
    w->show();
    QListWidget* list = w->findingsList();
    ASSERT_TRUE(list);
    const QString late = QStringLiteral("warning negative-lead (");
    EXPECT_EQ(findingsStartingWith(list, late), 0);
    EXPECT_GT(findingsStartingWith(list, QStringLiteral("warning cutoff-unequal (")), 0);  // not equalised

    // Five steps of +0.01 on the front valve half: the front port lags.
    w->dynVarEnter(1);
    for (int k = 0; k < 5; ++k) w->dynBar(1)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    w->dynVarScrollEnd(1);
    EXPECT_GT(findingsStartingWith(list, late), 0);
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().startsWith(late)) {
            EXPECT_TRUE(list->item(i)->text().contains(QStringLiteral(", front)")));
        }

    w->undoButton()->click();
    EXPECT_EQ(findingsStartingWith(list, late), 0);
    // Front and back may differ by anything: nothing left to say.
    w->toleranceBox()->setValue(100.0);
    ASSERT_EQ(list->count(), 1);
    EXPECT_TRUE(list->item(0)->text().startsWith(QStringLiteral("No findings")));
    w->close();
}

TEST_F(ValveEventsWindow, MarksFollowTheToleranceAndTheSetChoice) {
    w->show();
    QTableWidget* t = w->eventsTable();
    // Near mid gear front and back admit at very different points of the
    // stroke: well over 2 %.
    EXPECT_GT(markedCells(t), 0);
    w->toleranceBox()->setValue(100.0);
    EXPECT_EQ(markedCells(t), 0);

    // New cut-offs wanted, taken with Enter; the window stays up.
    QTest::keyClicks(w->targetsBox(), ", 10");
    QTest::keyClick(w->targetsBox(), Qt::Key_Return);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->notchTable()->rowCount(), 7);
    EXPECT_EQ(w->notchTable()->item(5, 0)->text(), "10 %");

    w->settingsChoice()->setCurrentIndex(1);
    EXPECT_EQ(t->rowCount(), 3 * 3);  // the three positions set at start
    EXPECT_EQ(cell(2, EventsColumn::End), "F-B");
    w->close();
}

TEST_F(ValveEventsWindow, CopyAndSaveGiveTheTableAndAFailedSaveSaysSo) {
    w->show();
    w->copyButton()->click();
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2 + w->eventsTable()->rowCount());  // headings and units, then the rows
    EXPECT_TRUE(lines[0].startsWith("No.\tSetting\tTravel"));

    QTemporaryDir dir;
    const QString path = dir.filePath("events.csv");
    ASSERT_TRUE(w->saveCsv(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), eventsReportCsv(w->report()));

    QString told;
    QTimer::singleShot(0, [&] {
        if (QWidget* box = QApplication::activeModalWidget(); box && box != w.get()) {
            told = box->windowTitle();
            box->close();
        }
    });
    EXPECT_FALSE(w->saveCsv(dir.filePath("no-such-folder/events.csv")));
    EXPECT_EQ(told, "Save CSV");
    w->close();
}

}  // namespace

TEST_F(ValveEventsWindow, CompareModeListsWhatDiffersAndBothDesignsAtTheirNotches) {
    w->show();
    EXPECT_FALSE(w->compareBox()->isEnabled());  // nothing to compare with yet

    Model reference = m;
    reference.valveRodLength += 0.05f;
    c->compareWith(reference, reference.revArmCentre(), "longer rod");
    w->redraw(true);
    ASSERT_TRUE(w->compareBox()->isEnabled());
    w->compareBox()->setChecked(true);
    EXPECT_FALSE(w->eventsTable()->isVisible());

    // At the top exactly the one dimension that differs, b - a in its unit.
    QTableWidget* dims = w->differingDimensionsTable();
    ASSERT_EQ(dims->rowCount(), 1);
    EXPECT_EQ(dims->item(0, 0)->text(), "16");
    EXPECT_EQ(dims->item(0, 1)->text(), "Valve Rod Length");
    EXPECT_EQ(dims->item(0, 4)->text(), "0.0500");
    EXPECT_TRUE(dims->horizontalHeaderItem(4)->text().contains("b - a (in)"));

    // Each target both ways, front and back: a, b and b - a side by side.
    QTableWidget* side = w->sideBySideTable();
    const DesignComparison& cmp = w->comparison();
    ASSERT_EQ(side->rowCount(), static_cast<int>(cmp.notches.size() * 2));
    int cutOffDiff = -1;
    for (int col = 0; col < side->columnCount(); ++col)
        if (side->horizontalHeaderItem(col)->text().startsWith("Cut-off b - a")) cutOffDiff = col;
    ASSERT_GT(cutOffDiff, 0);
    EXPECT_TRUE(side->horizontalHeaderItem(cutOffDiff)->text().contains("% of stroke"));
    ASSERT_TRUE(cmp.notches[0].difference && cmp.notches[0].difference->front.cutOff);
    EXPECT_NEAR(side->item(0, cutOffDiff)->text().toDouble(), cmp.notches[0].difference->front.cutOff->strokePercent,
                0.0051);
    const ValveEvents a = valveEvents(m, cmp.notches[0].a->revArm, Sense::Forward);
    const ValveEvents b = valveEvents(reference, cmp.notches[0].b->revArm, Sense::Forward);
    EXPECT_DOUBLE_EQ(cmp.notches[0].difference->front.cutOff->strokePercent,
                     b.front.cutOff->strokePercent - a.front.cutOff->strokePercent);

    // Copy gives what is shown: the comparison.
    w->copyButton()->click();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Comparison of longer rod (b) against"));

    // "Compare off" in the main window ends the mode at the next pass.
    c->compareOff();
    w->redraw(true);
    EXPECT_FALSE(w->compareBox()->isChecked());
    EXPECT_FALSE(w->compareBox()->isEnabled());
    EXPECT_TRUE(w->eventsTable()->isVisible());
    w->close();
}
