// Where a window sends a message for the user. The program shows it in a box
// with one "OK" button; tests record it instead of blocking on a modal box.
#pragma once

#include <string>
#include <vector>

namespace tevrane {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // An error message, shown in a box with one "OK" button.
    virtual void error(const std::string& text) = 0;
};

// Keeps every message, in order, for a test to inspect.
class RecordingMessageSink : public MessageSink {
public:
    void error(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

}  // namespace tevrane
