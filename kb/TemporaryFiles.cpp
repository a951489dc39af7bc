#include "TemporaryFiles.h"

#include <cerrno>
#include <csignal>
#include <sys/types.h>
#include <unistd.h>

#include <charconv>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace kb::temporary {
namespace {

constexpr std::string_view kRandomPart = "XXXXXX";

// The host name as it can stand in a file name.
const std::string& hostTag() {
    static const std::string tag = [] {
        char name[256] = {};
        if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
            return std::string("localhost");
        std::string result(name);
        for (char& c : result) {
            if (c == '/' || c == '~' || c == '.')
                c = '-';
        }
        return result;
    }();
    return tag;
}

std::string prefix(const std::string& targetName) {
    return "." + targetName + ".~";
}

bool processRuns(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

} // namespace

std::string pattern(const std::string& targetName) {
    return prefix(targetName) + std::to_string(::getpid()) + "-" + hostTag() + "~" +
           std::string(kRandomPart);
}

int removeStale(const fs::path& target) {
    const std::string start = prefix(target.filename().string());
    const fs::path directory = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code error;
    int removed = 0;
    for (const auto& entry : fs::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(start) || name.size() < start.size() + kRandomPart.size() + 1)
            continue;
        // PID-HOST~ and the random part.
        const std::string_view owner =
            std::string_view(name).substr(start.size(), name.size() - start.size() - kRandomPart.size());
        if (!owner.ends_with('~'))
            continue;
        pid_t pid = 0;
        const auto [end, parsed] = std::from_chars(owner.data(), owner.data() + owner.size(), pid);
        if (parsed != std::errc() || pid <= 0 || end == owner.data() + owner.size() || *end != '-')
            continue;
        const std::string_view host(end + 1, owner.data() + owner.size() - 1 - (end + 1));
        if (host != hostTag() || processRuns(pid))
            continue;
        if (fs::remove(entry.path(), error))
            ++removed;
    }
    return removed;
}

} // namespace kb::temporary
