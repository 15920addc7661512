#include <QApplication>
#include <QGuiApplication>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "app/Application.h"
#include "app/CommandLine.h"

namespace {

// Qt wants a private runtime folder and, when the session gives none
// (XDG_RUNTIME_DIR unset: a batch run from cron, ssh or a container), makes
// one in /tmp and says so on standard error. A batch command must print
// nothing there when it succeeds, so it gets a fresh private folder of its
// own (mode 0700, as Qt requires) for the run, removed at the end.
class PrivateRuntimeFolder {
public:
    PrivateRuntimeFolder() {
        if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
        std::error_code ec;
        std::string pattern = (std::filesystem::temp_directory_path(ec) / "tevrane-runtime-XXXXXX").string();
        if (ec || !::mkdtemp(pattern.data())) return;
        folder_ = pattern;
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder_));
    }
    PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
    PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;
    ~PrivateRuntimeFolder() {
        if (folder_.empty()) return;
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

private:
    std::string folder_;
};

}  // namespace

int main(int argc, char** argv) {
    // Past a file-size limit a write fails with "File too large" and the
    // save says so, instead of the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    if (tevrane::isBatchCommand(argc, argv)) {
        // Batch work draws off screen only, so it runs where no display is.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        const PrivateRuntimeFolder runtime;
        QGuiApplication app(argc, argv);
        return tevrane::runBatchCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    }
    QApplication app(argc, argv);
    return tevrane::runApplication(app);
}
