// "Tevrane Special Instructions": the guide to the measuring and tuning aids,
// read from "TevSpIns.doc" at start-up.
#pragma once

#include "dialogs/InstructionWindow.h"

namespace tevrane {

class TTevSpInst : public InstructionWindow {
public:
    explicit TTevSpInst(MessageSink& messages, QWidget* parent = nullptr);
};

}  // namespace tevrane
