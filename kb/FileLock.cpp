#include "FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <thread>
#include <utility>

namespace kb {

FileLock::FileLock(const std::filesystem::path& file, std::chrono::milliseconds patience) {
    int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC); // a directory we may not write in
    if (fd < 0)
        return;
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    auto pause = std::chrono::microseconds(200);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        if (std::chrono::steady_clock::now() >= giveUp)
            break;
        std::this_thread::sleep_for(pause);
        // Short pauses: a copy that learns turn after turn frees the lock only
        // between its turns, and a waiter must not miss those moments.
        pause = std::min(pause * 2, std::chrono::microseconds(2000));
    }
    ::close(fd);
}

FileLock::~FileLock() {
    release();
}

FileLock::FileLock(FileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void FileLock::release() {
    if (fd_ < 0)
        return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

} // namespace kb
