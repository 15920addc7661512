#include "dialogs/InstructionWindow.h"

#include <QLabel>
#include <QPlainTextEdit>

#include "dialogs/ClassicFont.h"
#include "dialogs/core/InstructionFile.h"
#include "dialogs/core/MessageSink.h"

namespace tevrane {

InstructionWindow::InstructionWindow(const QString& caption, const QString& fileName,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    setFont(classic::dialogFont());
    setFixedSize(427, 273);

    // Created first so that it lies under the text area.
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("Label1"));
    label_->move(8, 8);
    label_->hide();

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setReadOnly(true);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo_->setToolTip(fileName);
    memo_->setPlainText(QStringLiteral("Memo1"));
}

void InstructionWindow::FormCreate(MessageSink& messages) {
    const std::string fileName = memo_->toolTip().toStdString();
    const InstructionText text = loadInstructionFile(fileName);
    if (!text.loaded) {
        messages.error(instructionLoadMessage(fileName, text.failure));
        return;
    }
    memo_->clear();
    for (const std::string& line : text.lines) memo_->appendPlainText(QString::fromStdString(line));
    memo_->moveCursor(QTextCursor::Start);
    label_->setText(QString::fromStdString(fileName));
    label_->adjustSize();
}

}  // namespace tevrane
