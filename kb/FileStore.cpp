#include "FileStore.h"

#include "Cp1251.h"
#include "FileError.h"
#include "PlainText.h"
#include "Rtf.h"
#include "TemporaryFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <new>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace kb {
namespace {

// A file changed within this span of its parsing may change again without a
// new time stamp (time stamps come from a coarse clock), so such a copy is
// parsed again at the next read.
constexpr long long kRacyWindowNs = 50'000'000;

long long nanoseconds(const timespec& t) {
    return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

long long nowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return nanoseconds(now);
}

bool sameNameIgnoringCase(const std::string& diskName, const std::string& wanted) {
    return upperCase(utf8ToCp1251(diskName)) == upperCase(utf8ToCp1251(wanted));
}

// Closes a descriptor on every path out of a function.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { close(); }
    int get() const { return fd_; }
    bool close() {
        if (fd_ < 0)
            return true;
        const bool ok = ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

private:
    int fd_;
};

bool writeAll(int fd, const std::string& bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

struct ReadFailed {};

// The whole content of an open file; a file that grows past `limit` while it
// is read (or never ends, as some files of /proc) fails.
std::string readAll(int fd, long long sizeHint, long long limit) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(std::max(0LL, sizeHint)));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw ReadFailed{};
        }
        if (got == 0)
            return bytes;
        if (static_cast<long long>(bytes.size()) + got > limit)
            throw ReadFailed{};
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

// The file a path finally names, following symbolic links (bounded, so a
// loop of links cannot hang the program).
fs::path followLinks(fs::path path) {
    std::error_code error;
    for (int hop = 0; hop < 40 && fs::is_symlink(path, error); ++hop) {
        const fs::path target = fs::read_symlink(path, error);
        if (error)
            break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

} // namespace

FileStore::FileStore(fs::path workingDirectory) : root_(std::move(workingDirectory)) {}

fs::path FileStore::spelledPath(std::string_view programPath) const {
    std::string spelled = cp1251ToUtf8(programPath);
    for (char& c : spelled) {
        if (c == '\\')
            c = '/';
    }
    return (!spelled.empty() && spelled.front() == '/' ? fs::path() : root_) / spelled;
}

fs::path FileStore::locate(std::string_view programPath) const {
    std::string spelled = cp1251ToUtf8(programPath);
    for (char& c : spelled) {
        if (c == '\\')
            c = '/';
    }
    fs::path current = (!spelled.empty() && spelled.front() == '/') ? fs::path("/") : root_;
    std::size_t start = 0;
    while (start <= spelled.size()) {
        std::size_t end = spelled.find('/', start);
        if (end == std::string::npos)
            end = spelled.size();
        const std::string component = spelled.substr(start, end - start);
        start = end + 1;
        if (component.empty() || component == ".")
            continue;
        fs::path candidate = current / component;
        std::error_code error;
        if (component != ".." && !fs::exists(fs::symlink_status(candidate, error))) {
            for (const auto& entry : fs::directory_iterator(current, error)) {
                if (sameNameIgnoringCase(entry.path().filename().string(), component)) {
                    candidate = entry.path();
                    break;
                }
            }
        }
        current = std::move(candidate);
    }
    return current;
}

FileStore::Stamp FileStore::stampOf(const struct stat& info) {
    return {static_cast<unsigned long long>(info.st_dev),
            static_cast<unsigned long long>(info.st_ino), static_cast<long long>(info.st_size),
            nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
}

void FileStore::remember(const std::string& key, const Stamp& stamp, const SharedLines& lines,
                         std::string bytes) {
    // A file changed a moment ago may change again under the same stamp
    // (time stamps come from a coarse clock, and a freed inode number is
    // soon given to the next new file, such as another copy's save): its
    // stamp is trusted only once the file has been left alone for a while.
    Entry& entry = parsed_[key];
    entry.stamp = stamp;
    entry.lines = lines;
    entry.trusted = nowNs() - std::max(stamp.modifiedNs, stamp.changedNs) > kRacyWindowNs;
    entry.bytes = entry.trusted ? std::string() : std::move(bytes);
}

std::string FileStore::cacheKey(const fs::path& file, TextKind kind) {
    return (kind == TextKind::Rich ? "R:" : "P:") + file.string();
}

SharedLines FileStore::read(std::string_view programPath, TextKind kind) {
    const auto fail = [&] { return FileError(FileError::Kind::Open, std::string(programPath)); };
    const std::string name(programPath);
    const auto spelled = exactPaths_.find(name);
    fs::path file = spelled != exactPaths_.end() ? spelled->second : locate(programPath);
    auto found = parsed_.find(cacheKey(file, kind));

    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        // The file may have gone, or another spelling of it may have come.
        exactPaths_.erase(name);
        file = locate(programPath);
        if (::stat(file.c_str(), &info) != 0)
            throw fail();
        found = parsed_.find(cacheKey(file, kind));
    }
    if (!S_ISREG(info.st_mode))
        throw fail();
    if (spelled == exactPaths_.end() && file == spelledPath(programPath))
        exactPaths_.emplace(name, file);
    const Stamp before = stampOf(info);
    if (found != parsed_.end() && found->second.trusted && found->second.stamp == before) {
        return found->second.lines;
    }

    if (info.st_size > sizeLimit_)
        throw fail();
    // A file too big for the memory left is a file that cannot be read, not
    // the end of the program.
    try {
        Descriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
        if (fd.get() < 0)
            throw fail();
        std::string bytes = readAll(fd.get(), info.st_size, sizeLimit_);
        struct stat after {};
        if (::fstat(fd.get(), &after) != 0)
            throw fail();

        // A copy not yet trusted keeps its bytes: the same bytes need no parsing.
        SharedLines lines;
        if (found != parsed_.end() && !found->second.bytes.empty() && found->second.bytes == bytes) {
            lines = found->second.lines;
        } else {
            lines = std::make_shared<Lines>(kind == TextKind::Rich && rtf::isRtf(bytes)
                                                ? rtf::read(bytes)
                                                : plain::read(bytes));
            ++parses_;
        }
        remember(cacheKey(file, kind), stampOf(after), lines, std::move(bytes));
        return lines;
    } catch (const std::bad_alloc&) {
        parsed_.erase(cacheKey(file, kind));
        throw fail();
    } catch (const ReadFailed&) {
        throw fail();
    }
}

void FileStore::write(std::string_view programPath, const SharedLines& lines, TextKind kind) {
    const auto fail = [&] { return FileError(FileError::Kind::Create, std::string(programPath)); };
    const fs::path located = locate(programPath);
    const fs::path target = followLinks(located);
    std::error_code error;
    if (fs::is_directory(target, error) || target.filename().empty())
        throw fail();

    std::string bytes;
    try {
        bytes = kind == TextKind::Rich ? rtf::write(*lines) : plain::write(*lines);
    } catch (const std::bad_alloc&) {
        throw fail();
    }
    const fs::path directory = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // Before writing: on a full disk what a killed copy left may be the room needed.
    temporary::removeStale(target);
    std::string temporaryPath = (directory / temporary::pattern(target.filename().string())).string();
    Descriptor fd(::mkostemp(temporaryPath.data(), O_CLOEXEC));
    if (fd.get() < 0)
        throw fail();
    const auto discard = [&] {
        fd.close();
        ::unlink(temporaryPath.c_str());
        return fail();
    };

    // Keep the permissions of the file being replaced; a new file gets the
    // usual ones for this user.
    struct stat old {};
    mode_t mode;
    if (::stat(target.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0 || !writeAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 ||
        !fd.close())
        throw discard();
    if (::rename(temporaryPath.c_str(), target.c_str()) != 0)
        throw discard();
    if (Descriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.get() >= 0)
        ::fsync(dir.get());

    // The other reading of the same file is stale now.
    parsed_.erase(cacheKey(located, kind == TextKind::Rich ? TextKind::Plain : TextKind::Rich));
    struct stat now {};
    if (::stat(target.c_str(), &now) == 0)
        remember(cacheKey(located, kind), stampOf(now), lines, std::move(bytes));
    else
        parsed_.erase(cacheKey(located, kind));
}

} // namespace kb

namespace kb {

FileStore::Lock::Lock(Lock&& other) noexcept
    : store_(std::exchange(other.store_, nullptr)), key_(std::move(other.key_)),
      lock_(std::move(other.lock_)) {}

FileStore::Lock::~Lock() {
    if (store_ == nullptr)
        return;
    const auto held = store_->heldLocks_.find(key_);
    if (held != store_->heldLocks_.end() && --held->second == 0)
        store_->heldLocks_.erase(held);
}

FileStore::Lock FileStore::lock(std::string_view programPath) {
    const fs::path file = locate(programPath);
    std::string key = file.string();
    if (const auto held = heldLocks_.find(key); held != heldLocks_.end()) {
        ++held->second;
        return Lock(this, std::move(key), FileLock());
    }
    FileLock lock(file, lockPatience_);
    if (!lock.held())
        return Lock();
    heldLocks_.emplace(key, 1);
    return Lock(this, std::move(key), std::move(lock));
}

} // namespace kb
