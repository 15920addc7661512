#include "dialogs/core/InstructionFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tevrane {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

InstructionText loadInstructionFile(const std::string& fileName) {
    InstructionText result;
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) {
        result.failure = std::strerror(errno != 0 ? errno : ENOENT);
        return result;
    }
    std::string content;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) content.append(buffer, n);
    // Opening a folder succeeds here; reading it is what fails.
    if (std::ferror(file.get())) {
        result.failure = std::strerror(errno != 0 ? errno : EIO);
        return result;
    }

    // A line ends at "\n" (a "\r" before it belongs to the line end); a last
    // line without a line end still counts, an empty tail after the last line
    // end does not.
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) end = content.size();
        std::size_t stop = end;
        if (stop > start && content[stop - 1] == '\r') --stop;
        result.lines.push_back(content.substr(start, stop - start));
        start = last ? content.size() : end + 1;
    }
    result.loaded = true;
    return result;
}

std::string instructionLoadMessage(const std::string& fileName, const std::string& failure) {
    return "Error Loading " + fileName + ": " + failure;
}

}  // namespace tevrane
