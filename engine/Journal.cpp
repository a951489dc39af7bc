#include "Journal.h"

#include "kb/AppendFile.h"
#include "kb/Cp1251.h"
#include "kb/FileError.h"
#include "kb/Json.h"
#include "kb/PlainText.h"

#include <cstdio>
#include <ctime>

namespace engine {
namespace {

std::string displayName(const std::string& programPath) {
    std::string name = programPath;
    for (char& c : name) {
        if (c == '\\')
            c = '/';
    }
    return name;
}

} // namespace

const char* journalfile::kindName(LearnedChange::Kind kind) {
    switch (kind) {
    case LearnedChange::Kind::Fallback:
        return "fallback";
    case LearnedChange::Kind::Phrase:
        return "phrase";
    case LearnedChange::Kind::Answer:
        return "answer";
    }
    return "";
}

LearningJournal::LearningJournal(kb::FileStore& store) : store_(store) {}

std::string LearningJournal::localTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[40] = {};
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    // ISO 8601 writes the offset as +03:00; strftime gives +0300.
    const std::string_view stamp(text);
    if (stamp.size() < 5)
        return std::string(stamp);
    std::string out(stamp.substr(0, stamp.size() - 2));
    out += ':';
    out += stamp.substr(stamp.size() - 2);
    return out;
}

long LearningJournal::nextId(const std::filesystem::path& journal) {
    // The last entry stands at the end; a line cut short by a crash, or
    // anything else that is no entry, is passed over.
    for (std::size_t window = 1 << 16;; window *= 4) {
        const std::string end = kb::appendfile::tail(journal, window, journalfile::Path);
        const kb::Lines lines = kb::plain::splitLines(end);
        // The first line of a window that starts mid-file may be cut.
        const bool whole = end.size() < window;
        for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
            if (!whole && line + 1 == lines.rend())
                break;
            const auto entry = kb::parseJson(*line);
            const kb::JsonValue* id = entry ? entry->member("id") : nullptr;
            if (id && id->number())
                return static_cast<long>(*id->number()) + 1;
        }
        if (whole)
            return 1;
    }
}

bool LearningJournal::record(const std::string& phrase, const std::string& after,
                             const std::vector<LearnedChange>& changes) {
    error_.clear();
    const std::filesystem::path journal = store_.locate(journalfile::Path);
    try {
        kb::JsonWriter json;
        json.beginObject()
            .key("id").value(static_cast<long long>(nextId(journal)))
            .key("time").value(timestamp_())
            .key("phrase").value(kb::cp1251ToUtf8(phrase))
            .key("after").value(kb::cp1251ToUtf8(after))
            .key("changes").beginArray();
        for (const LearnedChange& change : changes) {
            json.beginObject()
                .key("kind").value(journalfile::kindName(change.kind))
                .key("file").value(displayName(change.file));
            if (change.kind == LearnedChange::Kind::Answer)
                json.key("line").value(kb::cp1251ToUtf8(change.phrasePart)).key("alternative");
            else
                json.key("text");
            json.value(kb::cp1251ToUtf8(change.text)).endObject();
        }
        json.endArray().endObject();
        kb::appendfile::appendLine(journal, json.text(), journalfile::Path);
        return true;
    } catch (const std::exception& failure) {
        error_ = kb::withFullStop(failure.what());
        return false;
    }
}

} // namespace engine
