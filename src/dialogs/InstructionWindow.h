// A read-only instruction window: one scrolling text area filled from a text
// file when the window is created. The file's name is the text area's hint,
// so the window, not the loading code, says which file it shows. A file that
// cannot be read is reported once and the area keeps its design-time text.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace tevrane {

class MessageSink;

class InstructionWindow : public QDialog {
public:
    QPlainTextEdit* textArea() const { return memo_; }
    // Hidden under the text area; shows the file name after a good load.
    QLabel* fileLabel() const { return label_; }

protected:
    InstructionWindow(const QString& caption, const QString& fileName, QWidget* parent);
    QPlainTextEdit* memo_ = nullptr;
    QLabel* label_ = nullptr;

    // Reads the file named by the text area's hint from the current directory.
    void FormCreate(MessageSink& messages);
};

}  // namespace tevrane
