// The one writer of every saved file and the one reader of designs, against
// what a hostile or unlucky user puts in their way: a full disk, a file-size
// limit, a device node, a folder, a pipe with no writer, /dev/zero and a huge
// sparse file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files/DimensionFile.h"
#include "files/FileAccess.h"

namespace fs = std::filesystem;
using namespace tevrane;

namespace {

class FileAccess : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tevrane_files_XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    std::string path(const char* name) const { return (dir / name).string(); }

    static std::string contents(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void put(const std::string& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    // The names in the folder: a failed write must leave no temporary behind.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

    fs::path dir;
};

// 1400 bytes that differ from any other test's: an old design to lose.
std::string oldDesign() {
    std::string s(kDimensionFileSize, '\0');
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = static_cast<char>(i * 7 + 3);
    return s;
}

}  // namespace

TEST_F(FileAccess, WritesNewAndReplacesOldFilesKeepingTheirPermissionsAndLinks) {
    const std::string p = path("new.dtv");
    EXPECT_EQ(writeFileAtomically(p, std::string_view("first")), "");
    EXPECT_EQ(contents(p), "first");

    ASSERT_EQ(::chmod(p.c_str(), 0640), 0);
    EXPECT_EQ(writeFileAtomically(p, oldDesign()), "");
    EXPECT_EQ(contents(p), oldDesign());
    struct stat st {};
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(names(), std::vector<std::string>{"new.dtv"});

    // Through a link: the file it points to gets the bytes, the link stays.
    const std::string link = path("link.dtv");
    ASSERT_EQ(::symlink(p.c_str(), link.c_str()), 0);
    EXPECT_EQ(writeFileAtomically(link, std::string_view("through the link")), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contents(p), "through the link");

    // A file made read-only is not replaced (root may write any file).
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(p.c_str(), 0440), 0);
        EXPECT_EQ(writeFileAtomically(p, std::string_view("over a read-only file")), "File access denied");
        EXPECT_EQ(contents(p), "through the link");
    }

    // An empty file is a file too.
    EXPECT_EQ(writeFileAtomically(path("empty.csv"), std::string_view()), "");
    EXPECT_EQ(fs::file_size(path("empty.csv")), 0u);

    EXPECT_EQ(writeFileAtomically(path("no/such/folder/x.dtv"), std::string_view("x")), "File not found");
}

TEST_F(FileAccess, RefusesTargetsThatAreNotRegularFilesAndLeavesThemAsTheyWere) {
    // A folder.
    const std::string folder = path("folder.dtv");
    fs::create_directory(folder);
    EXPECT_EQ(writeFileAtomically(folder, std::string_view("x")), "Is a folder, not a file");
    EXPECT_TRUE(fs::is_directory(folder));

    // A pipe.
    const std::string pipe = path("pipe.dtv");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(writeFileAtomically(pipe, oldDesign()), "Not a regular file (a pipe)");
    EXPECT_TRUE(fs::is_fifo(pipe));

    // A device node: a copy of /dev/null's where root may make one, else
    // /dev/null itself (which only root could have replaced).
    std::string device = path("null");
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) device = "/dev/null";
    EXPECT_EQ(writeFileAtomically(device, oldDesign()), "Not a regular file (a device)");
    EXPECT_TRUE(fs::is_character_file(device));
    // Nothing left beside them.
    std::vector<std::string> expected{"folder.dtv", "pipe.dtv"};
    if (device != "/dev/null") expected.insert(expected.begin() + 1, "null");
    EXPECT_EQ(names(), expected);
}

// A file-size limit makes every write past it fail (EFBIG, with the signal
// that would end the program ignored), as a full disk does: in a child
// process, so the limit stays there. The old design stays byte for byte.
TEST_F(FileAccess, AWriteThatCannotFinishLeavesTheOldFileWhole) {
    const std::string p = path("old.dtv");
    put(p, oldDesign());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
        const std::string why = writeFileAtomically(p, std::string(kDimensionFileSize, 'N'));
        ::_exit(why == std::strerror(EFBIG) ? 0 : why.empty() ? 1 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: reported success, 2: another reason, 3: no limit";
    EXPECT_EQ(contents(p), oldDesign());
    EXPECT_EQ(names(), std::vector<std::string>{"old.dtv"});
}

// A real full file system: a 64 KiB tmpfs, where root may mount one.
TEST_F(FileAccess, ASaveOntoAFullFileSystemSaysDiskFullAndLosesNothing) {
    const fs::path mountPoint = dir / "small";
    fs::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no tmpfs could be mounted here (needs root); the file-size limit test covers the writer";
    const std::string p = (mountPoint / "old.dtv").string();
    put(p, oldDesign());
    // Fill every block left.
    {
        std::ofstream fill(mountPoint / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        for (int k = 0; k < 64 && fill.write(block.data(), block.size()); ++k) {
        }
    }
    EXPECT_EQ(writeFileAtomically(p, std::string(kDimensionFileSize, 'N')), "Disk full");
    EXPECT_EQ(contents(p), oldDesign());
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(mountPoint)) left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"filler", "old.dtv"}));
    ::umount2(mountPoint.c_str(), MNT_DETACH);
}

TEST_F(FileAccess, ReaderTakesOnlyRegularFilesAndOnlyAsMuchAsAsked) {
    const auto start = std::chrono::steady_clock::now();

    // A short and a long file: what there is, up to the limit.
    put(path("short.dtv"), std::string(700, 'a'));
    FileHead h = readFileHead(path("short.dtv"), kDesignReadLimit);
    EXPECT_EQ(h.failure, "");
    EXPECT_EQ(h.bytes.size(), 700u);
    put(path("long.dtv"), oldDesign() + "tail");
    h = readFileHead(path("long.dtv"), kDesignReadLimit);
    ASSERT_EQ(h.bytes.size(), kDimensionFileSize + 1);
    EXPECT_EQ(std::string(h.bytes.begin(), h.bytes.end()), (oldDesign() + "t"));

    // A sparse file of 1 GiB: 1401 bytes of it.
    {
        const int fd = ::open(path("huge.dtv").c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, off_t{1} << 30), 0);
        ::close(fd);
    }
    h = readFileHead(path("huge.dtv"), kDesignReadLimit);
    EXPECT_EQ(h.failure, "");
    EXPECT_EQ(h.bytes, std::vector<std::uint8_t>(kDesignReadLimit, 0));

    EXPECT_EQ(readFileHead(path("missing.dtv"), kDesignReadLimit).failure, "File not found");
    fs::create_directory(path("folder.dtv"));
    h = readFileHead(path("folder.dtv"), kDesignReadLimit);
    EXPECT_EQ(h.failure, "Is a folder, not a file");
    EXPECT_TRUE(h.bytes.empty());
    EXPECT_EQ(readFileHead("/dev/zero", kDesignReadLimit).failure, "Not a regular file (a device)");

    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// A pipe nobody writes to: the reader must answer at once. In a child with an
// alarm, so a reader that waits fails this test instead of hanging the run.
TEST_F(FileAccess, ReaderRefusesAPipeWithoutWaitingForAWriter) {
    const std::string pipe = path("pipe.dtv");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::alarm(5);
        const FileHead h = readFileHead(pipe, kDesignReadLimit);
        ::_exit(h.failure == "Not a regular file (a pipe)" && h.bytes.empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the reader waited on the pipe (killed by signal "
                                   << (WIFSIGNALED(status) ? WTERMSIG(status) : 0) << ")";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(FileErrorText, FamiliarWordsForTheUsualFailuresAndTheSystemsForTheRest) {
    EXPECT_EQ(fileErrorText(ENOENT), "File not found");
    EXPECT_EQ(fileErrorText(EACCES), "File access denied");
    EXPECT_EQ(fileErrorText(ENOSPC), "Disk full");
    EXPECT_EQ(fileErrorText(EDQUOT), "Disk full");
    EXPECT_EQ(fileErrorText(EFBIG), std::string(std::strerror(EFBIG)));
    EXPECT_EQ(fileErrorText(EROFS), std::string(std::strerror(EROFS)));
}
