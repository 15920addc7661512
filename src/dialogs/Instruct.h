// "Instructions": the user's guide, read from "instruct.doc" at start-up.
#pragma once

#include "dialogs/InstructionWindow.h"

namespace tevrane {

class TInst : public InstructionWindow {
public:
    explicit TInst(MessageSink& messages, QWidget* parent = nullptr);
};

}  // namespace tevrane
