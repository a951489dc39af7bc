#pragma once

// The files of the working directory, named as the program names them
// ("Base\Words.Dat"): backslashes are separators, and a name that does not
// exist as spelled is looked up without regard to letter case, so
// "Base\Words.dat" and a file base/words.dat are the same file.
//
// Every read returns the file's current content; a parsed copy is reused only
// while the file system reports the file unchanged. Every write replaces the
// whole file atomically.

#include "FileLock.h"
#include "Lines.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

struct stat;

namespace kb {

enum class TextKind {
    Rich,  // RTF when the file is RTF, plain text otherwise; saved as RTF
    Plain, // plain text; saved as plain text with CR LF
};

using SharedLines = std::shared_ptr<const Lines>;

class FileStore {
public:
    explicit FileStore(std::filesystem::path workingDirectory);

    const std::filesystem::path& workingDirectory() const { return root_; }

    // Where a file that the program names so lives on disk. Components that
    // exist in no letter case are kept as spelled.
    std::filesystem::path locate(std::string_view programPath) const;

    // The lines of a file; throws FileError (Open) when it cannot be read.
    SharedLines read(std::string_view programPath, TextKind kind);

    // Replaces a file's content; throws FileError (Create) when it cannot be
    // written, leaving the old content whole. A symbolic link is kept and the
    // file it points to is replaced. The temporary files of the same target
    // that a killed process left behind are removed first.
    void write(std::string_view programPath, const SharedLines& lines, TextKind kind);

    // A file larger than this cannot be read: it fails as an unreadable file
    // does instead of exhausting the memory.
    static constexpr long long kDefaultSizeLimit = 256LL * 1024 * 1024;
    void setSizeLimit(long long bytes) { sizeLimit_ = bytes; }

    // The lock that a load-change-save step holds (see FileLock), on the lock
    // file that the program names so. While a lock of this store is held, a
    // further lock of the same file is a no-op, so steps can nest.
    class Lock {
    public:
        Lock() = default;
        Lock(Lock&& other) noexcept;
        Lock& operator=(Lock&&) = delete;
        ~Lock();
        bool held() const { return store_ != nullptr; }

    private:
        friend class FileStore;
        Lock(FileStore* store, std::string key, FileLock lock)
            : store_(store), key_(std::move(key)), lock_(std::move(lock)) {}
        FileStore* store_ = nullptr;
        std::string key_;
        FileLock lock_;
    };
    Lock lock(std::string_view programPath);
    static constexpr std::chrono::milliseconds kDefaultLockPatience{5000};
    void setLockPatience(std::chrono::milliseconds patience) { lockPatience_ = patience; }

    // How many times a file's bytes were parsed (not served from the copy).
    long parseCount() const { return parses_; }

private:
    struct Stamp {
        unsigned long long device = 0, inode = 0;
        long long size = 0;
        long long modifiedNs = 0, changedNs = 0;
        bool operator==(const Stamp&) const = default;
    };
    struct Entry {
        Stamp stamp;
        SharedLines lines;
        bool trusted = false;
        std::string bytes;   // kept while the stamp is not trusted
    };
    void remember(const std::string& key, const Stamp& stamp, const SharedLines& lines,
                  std::string bytes);

    std::filesystem::path spelledPath(std::string_view programPath) const;
    static Stamp stampOf(const struct stat& info);
    static std::string cacheKey(const std::filesystem::path& file, TextKind kind);

    std::filesystem::path root_;
    std::unordered_map<std::string, Entry> parsed_;
    // Names that exist exactly as the program spells them, with their paths.
    std::unordered_map<std::string, std::filesystem::path> exactPaths_;
    long parses_ = 0;
    long long sizeLimit_ = kDefaultSizeLimit;
    std::chrono::milliseconds lockPatience_ = kDefaultLockPatience;
    std::unordered_map<std::string, int> heldLocks_; // lock file: nesting depth
};

} // namespace kb
