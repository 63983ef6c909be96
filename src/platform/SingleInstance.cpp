#include "platform/SingleInstance.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

std::string SingleInstanceLock::NameForCurrentUser(const std::string& base) {
    return base + "-" + std::to_string(getuid());
}

SingleInstanceLock::SingleInstanceLock(std::string name) {
    fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    // Abstract namespace: leading NUL, no file on disk, gone with the last descriptor.
    name = "murvane." + name;
    const size_t len = std::min(name.size(), sizeof(addr.sun_path) - 1);
    std::memcpy(addr.sun_path + 1, name.data(), len);
    const auto addrLen = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + len);
    if (bind(fd_, reinterpret_cast<sockaddr*>(&addr), addrLen) != 0) {
        heldElsewhere_ = (errno == EADDRINUSE);
        close(fd_);
        fd_ = -1;
    }
}

SingleInstanceLock::~SingleInstanceLock() {
    if (fd_ >= 0) close(fd_);
}

} // namespace platform
