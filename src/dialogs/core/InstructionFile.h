// Reading an instruction file: a plain text file read whole, line by line,
// from a name relative to the current directory.
#pragma once

#include <string>
#include <vector>

namespace tevrane {

struct InstructionText {
    bool loaded = false;
    std::vector<std::string> lines;  // without their line ends ("\n" or "\r\n")
    std::string failure;             // the system's description when not loaded
};

InstructionText loadInstructionFile(const std::string& fileName);

// The text of the error box a failed load shows:
// "Error Loading " + file name + ": " + the system's description.
std::string instructionLoadMessage(const std::string& fileName, const std::string& failure);

}  // namespace tevrane
