#pragma once

// An advisory lock (flock) on a file of the program's own, held by one step
// that loads a knowledge-base file, changes it and saves it, so that another
// copy of the program sharing the directory waits for the step instead of
// saving over it. Reads take no lock: saves are atomic renames.

#include <chrono>
#include <filesystem>

namespace kb {

class FileLock {
public:
    // Not locked.
    FileLock() = default;
    // Waits up to `patience` for the lock on `file`, creating the file when it
    // is missing. A lock not had in time (a copy hung while holding it), or a
    // file that cannot be opened, gives an unlocked FileLock: the step then
    // goes on without it.
    FileLock(const std::filesystem::path& file, std::chrono::milliseconds patience);
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    void release();
    int fd_ = -1;
};

} // namespace kb
