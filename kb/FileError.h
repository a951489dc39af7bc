#pragma once

// The two file errors of the program. Their text names the file as the
// program names it ("Base\Words.Dat"), whatever the file is called on disk.

#include <stdexcept>
#include <string>

namespace kb {

class FileError : public std::runtime_error {
public:
    enum class Kind { Open, Create };

    FileError(Kind kind, const std::string& programPath)
        : std::runtime_error((kind == Kind::Open ? "Cannot open file " : "Cannot create file ") +
                             programPath),
          kind_(kind), path_(programPath) {}

    Kind kind() const { return kind_; }
    const std::string& path() const { return path_; }

private:
    Kind kind_;
    std::string path_;
};

// The text of an error as a message box shows it: a full stop is added when
// the message does not end in one.
inline std::string withFullStop(std::string message) {
    if (message.empty() || message.back() != '.')
        message += '.';
    return message;
}

} // namespace kb
