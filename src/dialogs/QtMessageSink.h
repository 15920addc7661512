// Messages for the user in a message box with one "OK" button.
#pragma once

#include "dialogs/core/MessageSink.h"

class QWidget;

namespace tevrane {

class QtMessageSink : public MessageSink {
public:
    explicit QtMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
    void error(const std::string& text) override;

private:
    QWidget* parent_;
};

}  // namespace tevrane
