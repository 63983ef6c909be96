#include "platform/AtomicFile.h"

#include "platform/Errors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path, int err) {
    throw EInOutError(what + " \"" + path + "\": " + std::strerror(err));
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

} // namespace

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    std::string tmp = path + ".XXXXXX";
    Fd fd(::mkstemp(tmp.data()));
    if (fd.get() < 0) return AtomicWriteResult::CannotCreate;
    ::fcntl(fd.get(), F_SETFD, FD_CLOEXEC);

    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ::fchmod(fd.get(), mode);

    auto abandon = [&](const char* what) {
        const int err = errno;
        ::close(fd.release());
        ::unlink(tmp.c_str());
        Fail(what, path, err);
    };
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            abandon("Cannot write");
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd.get()) != 0) abandon("Cannot flush");
    if (::close(fd.release()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        Fail("Cannot close", path, err);
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        Fail("Cannot replace", path, err);
    }
    return AtomicWriteResult::Written;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return false;
        Fail("Cannot open", path, errno);
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode)) bytes.reserve(static_cast<size_t>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail("Cannot read", path, errno);
        if (n == 0) break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    return true;
}

} // namespace platform
