// Batch work without a window: `tevrane --events design.dtv`, `--export ...`,
// `--equalise ...` and `--help`. A command reads a design, writes its result
// to standard output or a file, and says what went wrong on standard error
// with a non-zero exit status. No display is needed.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "model/Model.h"
#include "model/NotchTargets.h"

namespace tevrane {

// One batch command: its option, how it is called and what it does, as
// `--help` lists them, and the function that runs it with the words after
// the option. The function returns the exit status.
struct BatchCommand {
    const char* option;   // "--events"
    const char* usage;    // "--events design.dtv [--csv | --json]"
    const char* summary;  // one line for --help
    int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

// The commands the program knows, in the order --help lists them.
std::span<const BatchCommand> batchCommands();

// Whether the words start a batch command (the first one begins with "--")
// rather than naming a design to open in the window.
bool isBatchCommand(int argc, char** argv);

// Runs the batch command of the words (argv without the program's name).
// Exit status 0 on success, 1 when the command failed (a design that cannot
// be read, a file that cannot be written), 2 for words it does not know.
int runBatchCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

// How a report command writes: as text for a reader, or as CSV or JSON for
// another program.
enum class OutputForm { Text, Csv, Json };

// The words the report commands share, so that each refuses them alike.
// "--notches LIST" at args[i]: true when args[i] is that word, with `i` then
// on the list; `why` says what is wrong when the list is missing or is not
// a list of cut-offs.
bool takeNotchesWord(const std::vector<std::string>& args, std::size_t& i, std::vector<NotchTarget>& targets,
                     std::string& why);
// "--csv" or "--json": true when `word` is one of them; `why` says so when a
// form was given before (`command` names the option, "--events").
bool takeFormWord(const std::string& word, const char* command, OutputForm& form, bool& given, std::string& why);

// Reads a design from a ".dtv" file into a model set to the defaults first,
// with the recomputations that follow a load in the window. Only a regular
// file is read, and only its first 1401 bytes (a folder, a pipe or a device
// is refused at once). Empty on success,
// else the reason in the user's words ("File not found", "Read beyond end of
// file", ...), the model then at its defaults.
std::string loadDesign(const std::string& path, Model& m);

}  // namespace tevrane
