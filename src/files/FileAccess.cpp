#include "files/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>

namespace tevrane {

namespace {

// Closes a descriptor once, whatever path the function leaves by.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Hands the descriptor to the caller's close, which must be checked.
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// What a file type that is not a regular file is called in a message.
std::string notARegularFile(mode_t mode) {
    if (S_ISDIR(mode)) return "Is a folder, not a file";
    if (S_ISFIFO(mode)) return "Not a regular file (a pipe)";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "Not a regular file (a device)";
    if (S_ISSOCK(mode)) return "Not a regular file (a socket)";
    return "Not a regular file";
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A new file beside the target that nobody else can have opened: the name is
// random and O_EXCL refuses one that exists. The mode is the usual one for a
// new file (the umask applies); the caller gives it the old file's bits.
int createTemporary(const std::string& target, std::string& name) {
    const std::string stem = folderOf(target) + "/." + baseNameOf(target) + ".";
    std::random_device seed;
    std::mt19937 pick(seed());
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem;
        for (int k = 0; k < 8; ++k) name += kLetters[letter(pick)];
        name += ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {  // no progress and no reason: count it as a full disk
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string fileErrorText(int errnum) {
    switch (errnum) {
        case ENOENT: return "File not found";
        case EACCES:
        case EPERM: return "File access denied";
        case ENOSPC:
        case EDQUOT: return "Disk full";
        default: return std::strerror(errnum);
    }
}

std::string writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    if (path.empty()) return fileErrorText(ENOENT);
    // A link to a regular file: the file it points to is replaced, the link
    // stays a link.
    std::string target = path;
    struct stat old {};
    if (::lstat(path.c_str(), &old) == 0 && S_ISLNK(old.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(path.c_str(), resolved)) return fileErrorText(errno);
        target = resolved;
    }
    bool exists = false;
    if (::stat(target.c_str(), &old) == 0) {
        if (!S_ISREG(old.st_mode)) return notARegularFile(old.st_mode);
        // A file its owner made read-only stays as it is, although the
        // folder would let the rename replace it.
        if (::access(target.c_str(), W_OK) != 0) return fileErrorText(errno);
        exists = true;
    } else if (errno != ENOENT) {
        return fileErrorText(errno);
    }

    std::string temporary;
    Descriptor fd(createTemporary(target, temporary));
    if (fd.get() < 0) return fileErrorText(errno);
    auto fail = [&temporary](int errnum) {
        ::unlink(temporary.c_str());
        return fileErrorText(errnum);
    };
    // The old file's permission bits (and, where we may, its owner) before a
    // byte is written, so a private design is never readable by others.
    if (exists) {
        if (::fchmod(fd.get(), old.st_mode & 07777) != 0) return fail(errno);
        if (::geteuid() == 0) (void)::fchown(fd.get(), old.st_uid, old.st_gid);
    }
    if (!writeAll(fd.get(), bytes.data(), bytes.size())) return fail(errno);
    if (::fsync(fd.get()) != 0) return fail(errno);
    if (::close(fd.release()) != 0) return fail(errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0) return fail(errno);

    // The rename itself reaches the disk only with its folder. The new file
    // is in place by now; a folder that cannot be synced at all (EINVAL) is
    // not a failure, an I/O error is.
    Descriptor folder(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0 && ::fsync(folder.get()) != 0 && errno != EINVAL) return fileErrorText(errno);
    return {};
}

std::string writeFileAtomically(const std::string& path, std::string_view text) {
    return writeFileAtomically(path, std::span<const std::uint8_t>(
                                         reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

FileHead readFileHead(const std::string& path, std::size_t limit) {
    FileHead head;
    // O_NONBLOCK: opening a pipe nobody writes to returns at once instead of
    // waiting for a writer; it is refused just below.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        head.failure = fileErrorText(errno);
        return head;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        head.failure = fileErrorText(errno);
        return head;
    }
    if (!S_ISREG(st.st_mode)) {
        head.failure = notARegularFile(st.st_mode);
        return head;
    }
    head.bytes.resize(limit);
    std::size_t have = 0;
    while (have < limit) {
        const ssize_t n = ::read(fd.get(), head.bytes.data() + have, limit - have);
        if (n < 0) {
            if (errno == EINTR) continue;
            head.failure = fileErrorText(errno);
            head.bytes.clear();
            return head;
        }
        if (n == 0) break;
        have += static_cast<std::size_t>(n);
    }
    head.bytes.resize(have);
    return head;
}

}  // namespace tevrane
