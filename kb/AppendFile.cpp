#include "AppendFile.h"

#include "FileError.h"
#include "PlainText.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kb::appendfile {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

void appendLine(const std::filesystem::path& file, std::string_view line, const std::string& programPath) {
    Descriptor fd(::open(file.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    if (fd.get() < 0)
        throw FileError(FileError::Kind::Create, programPath);
    // A line cut short by a crash is ended first, so that it cannot take the
    // new line into itself.
    std::string bytes;
    struct stat info {};
    char last = '\n';
    if (::fstat(fd.get(), &info) == 0 && info.st_size > 0 &&
        ::pread(fd.get(), &last, 1, static_cast<off_t>(info.st_size - 1)) == 1 && last != '\n')
        bytes += '\n';
    bytes += line;
    bytes += '\n';
    // One write: a line is appended whole or, on a full disk, not at all.
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw FileError(FileError::Kind::Create, programPath);
        }
        done += static_cast<std::size_t>(written);
    }
    if (::fsync(fd.get()) != 0)
        throw FileError(FileError::Kind::Create, programPath);
}

std::string tail(const std::filesystem::path& file, std::size_t bytes, const std::string& programPath) {
    Descriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            return {};
        throw FileError(FileError::Kind::Open, programPath);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        throw FileError(FileError::Kind::Open, programPath);
    const auto size = static_cast<std::size_t>(info.st_size);
    const std::size_t start = size > bytes ? size - bytes : 0;
    std::string out(size - start, '\0');
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::pread(fd.get(), out.data() + done, out.size() - done, static_cast<off_t>(start + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw FileError(FileError::Kind::Open, programPath);
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    out.resize(done);
    return out;
}

std::vector<std::string> readLines(const std::filesystem::path& file, const std::string& programPath) {
    return plain::splitLines(tail(file, static_cast<std::size_t>(-1), programPath));
}

} // namespace kb::appendfile
