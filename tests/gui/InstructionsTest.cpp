// The instruction windows load their file from the current folder once, at
// creation; a missing file is reported once and leaves "Memo1". The about box.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "dialogs/Instruct.h"
#include "dialogs/TevSpIns.h"
#include "dialogs/VGAboutBox.h"
#include "dialogs/core/MessageSink.h"

using namespace tevrane;

namespace {

// Runs each test in an empty folder of its own as the current directory.
class InstructionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    void write(const QString& name, const QByteArray& bytes) {
        QFile f(dir_.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir_;
    QString previous_;
    RecordingMessageSink messages_;
};

}  // namespace

TEST_F(InstructionsTest, MissingFileIsReportedOnceAndLeavesMemo1) {
    TInst inst(messages_);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0], "Error Loading instruct.doc: No such file or directory");
    EXPECT_EQ(inst.textArea()->toPlainText(), "Memo1");
    EXPECT_TRUE(inst.fileLabel()->text().isEmpty());

    // Showing the window later reads nothing and reports nothing.
    inst.show();
    inst.hide();
    inst.show();
    EXPECT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(inst.textArea()->toPlainText(), "Memo1");
}

TEST_F(InstructionsTest, EachWindowNamesItsOwnMissingFile) {
    write("instruct.doc", "present\n");
    TInst inst(messages_);
    EXPECT_TRUE(messages_.messages.empty());
    TTevSpInst special(messages_);
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0], "Error Loading TevSpIns.doc: No such file or directory");
    EXPECT_EQ(special.textArea()->toPlainText(), "Memo1");
    EXPECT_EQ(inst.textArea()->toPlainText(), "present");
}

TEST_F(InstructionsTest, PresentFileShowsItsLinesReadOnly) {
    write("instruct.doc", "First line\r\nSecond line\n\n   Indented\n");
    TInst inst(messages_);
    EXPECT_TRUE(messages_.messages.empty());
    EXPECT_EQ(inst.textArea()->toPlainText(), "First line\nSecond line\n\n   Indented");
    EXPECT_TRUE(inst.textArea()->isReadOnly());
    EXPECT_EQ(inst.fileLabel()->text(), "instruct.doc");
    EXPECT_TRUE(inst.fileLabel()->isHidden());

    // Typing cannot change the text.
    inst.show();
    inst.textArea()->setFocus();
    QTest::keyClicks(inst.textArea(), "xyz");
    QTest::keyClick(inst.textArea(), Qt::Key_Delete);
    QTest::keyClick(inst.textArea(), Qt::Key_Backspace);
    EXPECT_EQ(inst.textArea()->toPlainText(), "First line\nSecond line\n\n   Indented");
}

TEST_F(InstructionsTest, FileIsReadOnlyAtCreation) {
    write("TevSpIns.doc", "old text\n");
    TTevSpInst special(messages_);
    write("TevSpIns.doc", "new text\n");
    special.show();
    EXPECT_EQ(special.textArea()->toPlainText(), "old text");
}

TEST_F(InstructionsTest, LongTextScrollsVertically) {
    QByteArray text;
    for (int i = 1; i <= 300; ++i) text += "Line " + QByteArray::number(i) + "\n";
    write("TevSpIns.doc", text);
    TTevSpInst special(messages_);
    special.show();
    QScrollBar* bar = special.textArea()->verticalScrollBar();
    EXPECT_EQ(special.textArea()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_GT(bar->maximum(), 0);
    // The window opens at the top of the text.
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(special.textArea()->document()->blockCount(), 300);
}

TEST(AboutBoxTest, EightLinesAndOk) {
    TAboutBox about;
    EXPECT_EQ(about.windowTitle(), "About These Programs");
    EXPECT_EQ(about.size(), QSize(340, 143));
    const QStringList lines = TAboutBox::lines();
    ASSERT_EQ(lines.size(), 8);
    EXPECT_TRUE(lines.join(' ').contains("2.6"));
    int shown = 0;
    for (QLabel* l : about.findChildren<QLabel*>()) shown += lines.contains(l->text()) ? 1 : 0;
    EXPECT_EQ(shown, 8);
    about.show();
    auto* ok = about.findChild<QPushButton*>("OKButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}
