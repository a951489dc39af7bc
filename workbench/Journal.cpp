#include "Journal.h"

#include "Grammar.h"
#include "Names.h"

#include "engine/Conversation.h"
#include "engine/Journal.h"
#include "engine/TextRules.h"
#include "kb/AppendFile.h"
#include "kb/Cp1251.h"
#include "kb/Json.h"

#include <algorithm>
#include <map>

namespace workbench {
namespace {

using Kind = JournalChange::Kind;

std::optional<Kind> kindNamed(std::string_view name) {
    for (const Kind kind : {Kind::Fallback, Kind::Phrase, Kind::Answer}) {
        if (name == engine::journalfile::kindName(kind))
            return kind;
    }
    return std::nullopt;
}

// What forget entries say: for each learning entry, its changes taken back.
using Done = std::map<long, std::set<std::size_t>>;

struct JournalFile {
    std::vector<JournalEntry> entries;
    Done done;
};

JournalFile readJournalFile(kb::FileStore& store) {
    JournalFile journal;
    const auto path = store.locate(engine::journalfile::Path);
    for (const std::string& line : kb::appendfile::readLines(path, engine::journalfile::Path)) {
        const auto value = kb::parseJson(line);
        if (!value || !value->member("id") || !value->member("id")->number())
            continue;
        const long id = static_cast<long>(*value->member("id")->number());
        if (const kb::JsonValue* forgot = value->member("forgot"); forgot && forgot->array()) {
            for (const kb::JsonValue& item : *forgot->array()) {
                const kb::JsonValue* entry = item.member("entry");
                const kb::JsonValue* change = item.member("change");
                const std::string result = item.stringOr("result");
                if (entry && entry->number() && change && change->number() && result != "kept")
                    journal.done[static_cast<long>(*entry->number())].insert(static_cast<std::size_t>(*change->number()));
            }
            continue;
        }
        const kb::JsonValue* changes = value->member("changes");
        if (!changes || !changes->array())
            continue;
        JournalEntry entry;
        entry.id = id;
        entry.time = value->stringOr("time");
        entry.phrase = kb::utf8ToCp1251(value->stringOr("phrase"));
        entry.after = kb::utf8ToCp1251(value->stringOr("after"));
        for (const kb::JsonValue& item : *changes->array()) {
            const auto kind = kindNamed(item.stringOr("kind"));
            if (!kind)
                continue;
            JournalChange change;
            change.kind = *kind;
            change.file = item.stringOr("file");
            change.text = kb::utf8ToCp1251(item.stringOr(*kind == Kind::Answer ? "alternative" : "text"));
            change.phrasePart = kb::utf8ToCp1251(item.stringOr("line"));
            entry.changes.push_back(std::move(change));
        }
        journal.entries.push_back(std::move(entry));
    }
    return journal;
}

// The knowledge-base files that changes name, loaded once, saved when changed.
class Files {
public:
    explicit Files(kb::FileStore& store) : store_(store) {}

    kb::Lines& lines(const std::string& name) {
        auto found = files_.find(name);
        if (found == files_.end())
            found = files_.emplace(name, File{*store_.read(programPathOf(name), kb::TextKind::Rich), false}).first;
        return found->second.lines;
    }
    void changed(const std::string& name) { files_.at(name).changed = true; }
    void saveChanged() {
        for (auto& [name, file] : files_) {
            if (file.changed)
                store_.write(programPathOf(name), std::make_shared<kb::Lines>(file.lines), kb::TextKind::Rich);
        }
    }

private:
    struct File {
        kb::Lines lines;
        bool changed;
    };
    kb::FileStore& store_;
    std::map<std::string, File> files_;
};

std::string_view learnedPart(const std::string& learnedLine) {
    std::string_view part = learnedLine;
    if (part.ends_with('^'))
        part.remove_suffix(1);
    return part;
}

// The main lines whose phrase part is `part`.
std::vector<std::size_t> mainLinesWithPart(const kb::Lines& words, std::string_view part) {
    std::vector<std::size_t> found;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const engine::WordsLine line(words[i]);
        if (line.wellFormed() && line.depth() == 0 && line.phrasePart() == part)
            found.push_back(i);
    }
    return found;
}

// Where an attached alternative stands in a line: its start and length in
// the text (after the "^"), the last one when it stands more than once. An
// answer attached to a line that ended in "@" follows the "@".
struct Place {
    std::size_t start;
    std::size_t length;
    bool afterLeaveMarker;
};

std::optional<Place> findAlternative(const std::string& line, const std::string& alternative) {
    const engine::WordsLine parsed(line);
    if (!parsed.wellFormed())
        return std::nullopt;
    std::optional<Place> place;
    std::size_t start = parsed.caret + 1;
    for (std::size_t semicolon = line.find(';', start); semicolon != std::string::npos;
         semicolon = line.find(';', start)) {
        const std::string_view text = std::string_view(line).substr(start, semicolon - start);
        if (text == alternative)
            place = Place{start, semicolon + 1 - start, false};
        else if (text.size() == alternative.size() + 1 && text.front() == '@' && text.substr(1) == alternative)
            place = Place{start + 1, semicolon - start, true};
        start = semicolon + 1;
    }
    return place;
}

bool present(Files& files, const JournalChange& change) {
    kb::Lines& lines = files.lines(change.file);
    switch (change.kind) {
    case Kind::Fallback:
        return std::find(lines.begin(), lines.end(), change.text) != lines.end();
    case Kind::Phrase:
        return !mainLinesWithPart(lines, learnedPart(change.text)).empty();
    case Kind::Answer:
        for (const std::size_t i : mainLinesWithPart(lines, change.phrasePart)) {
            if (findAlternative(lines[i], change.text))
                return true;
        }
        return false;
    }
    return false;
}

void settle(JournalEntry& entry, Files& files, const Done& done) {
    const auto taken = done.find(entry.id);
    entry.states.clear();
    for (std::size_t i = 0; i < entry.changes.size(); ++i) {
        if (taken != done.end() && taken->second.contains(i))
            entry.states.push_back(ChangeState::Forgotten);
        else
            entry.states.push_back(present(files, entry.changes[i]) ? ChangeState::Present : ChangeState::Gone);
    }
    entry.forgotten = taken != done.end() && taken->second.size() == entry.changes.size();
}

std::string describe(const JournalChange& change) {
    switch (change.kind) {
    case Kind::Fallback:
        return "the line \"" + u(change.text) + "\" of " + change.file;
    case Kind::Phrase:
        return "the line \"" + u(change.text) + "\" of " + change.file;
    case Kind::Answer:
        return "the answer \"" + u(change.text) + "\" of the line \"" + u(change.phrasePart) + "\" in " + change.file;
    }
    return {};
}

const char* stateName(ChangeState state) {
    switch (state) {
    case ChangeState::Present:
        return "present";
    case ChangeState::Gone:
        return "gone";
    case ChangeState::Forgotten:
        return "forgotten";
    }
    return "";
}

} // namespace

std::vector<JournalEntry> readLearned(kb::FileStore& store) {
    JournalFile journal = readJournalFile(store);
    Files files(store);
    for (JournalEntry& entry : journal.entries)
        settle(entry, files, journal.done);
    return journal.entries;
}

std::string formatLearned(const std::vector<JournalEntry>& entries) {
    std::string out;
    for (const JournalEntry& entry : entries) {
        out += std::to_string(entry.id) + "  " + entry.time + "  \"" + u(entry.phrase) + "\"";
        if (!entry.after.empty())
            out += " after \"" + u(entry.after) + "\"";
        out += entry.forgotten ? "  (forgotten)\n" : "\n";
        for (std::size_t i = 0; i < entry.changes.size(); ++i) {
            const JournalChange& change = entry.changes[i];
            std::string what;
            switch (change.kind) {
            case Kind::Fallback:
                what = change.file + ": line \"" + u(change.text) + "\"";
                break;
            case Kind::Phrase:
                what = change.file + ": new line \"" + u(change.text) + "\"";
                break;
            case Kind::Answer:
                what = change.file + ": answer \"" + u(change.text) + "\" to \"" + u(change.phrasePart) + "\"";
                break;
            }
            out += "    " + what + "  [" + stateName(entry.states[i]) + "]\n";
        }
    }
    out += std::to_string(entries.size()) + (entries.size() == 1 ? " entry\n" : " entries\n");
    return out;
}

std::string learnedJson(const std::vector<JournalEntry>& entries) {
    kb::JsonWriter json;
    json.beginArray();
    for (const JournalEntry& entry : entries) {
        json.beginObject()
            .key("id").value(static_cast<long long>(entry.id))
            .key("time").value(entry.time)
            .key("phrase").value(u(entry.phrase))
            .key("after").value(u(entry.after))
            .key("changes").beginArray();
        for (std::size_t i = 0; i < entry.changes.size(); ++i) {
            const JournalChange& change = entry.changes[i];
            json.beginObject()
                .key("kind").value(engine::journalfile::kindName(change.kind))
                .key("file").value(change.file);
            if (change.kind == Kind::Answer)
                json.key("line").value(u(change.phrasePart)).key("alternative").value(u(change.text));
            else
                json.key("text").value(u(change.text));
            json.key("state").value(stateName(entry.states[i])).endObject();
        }
        json.endArray().key("forgotten").value(entry.forgotten).endObject();
    }
    json.endArray();
    return json.text() + "\n";
}

ForgetOutcome forget(kb::FileStore& store, const ForgetRequest& request) {
    ForgetOutcome outcome;
    const auto lock = store.lock(engine::files::Lock);
    JournalFile journal = readJournalFile(store);
    std::map<long, JournalEntry*> byId;
    for (JournalEntry& entry : journal.entries)
        byId[entry.id] = &entry;

    std::set<long> targets;
    for (const long id : request.ids) {
        if (byId.contains(id))
            targets.insert(id);
        else
            outcome.unknownIds.push_back(id);
    }
    if (!outcome.unknownIds.empty())
        return outcome;
    int wanted = request.last;
    for (auto entry = journal.entries.rbegin(); entry != journal.entries.rend() && wanted > 0; ++entry) {
        if (journal.done[entry->id].size() < entry->changes.size()) {
            targets.insert(entry->id);
            --wanted;
        }
    }

    Files files(store);
    kb::JsonWriter results;
    results.beginArray();
    const auto result = [&](long id, std::size_t change, const char* what) {
        results.beginObject().key("entry").value(static_cast<long long>(id)).key("change")
            .value(static_cast<long long>(change)).key("result").value(what).endObject();
    };
    // The latest first, and within an entry the last change first: an answer
    // attached to the entry's own new line goes before that line.
    for (auto id = targets.rbegin(); id != targets.rend(); ++id) {
        const JournalEntry& entry = *byId[*id];
        const std::set<std::size_t>& taken = journal.done[entry.id];
        const std::string name = "entry " + std::to_string(entry.id) + ": ";
        if (taken.size() == entry.changes.size()) {
            outcome.lines.push_back(name + "taken back before; nothing to do");
            continue;
        }
        for (std::size_t c = entry.changes.size(); c-- > 0;) {
            if (taken.contains(c))
                continue;
            const JournalChange& change = entry.changes[c];
            kb::Lines& lines = files.lines(change.file);
            bool removed = false;
            if (change.kind == Kind::Fallback) {
                const auto last = std::find(lines.rbegin(), lines.rend(), change.text);
                if (last != lines.rend()) {
                    lines.erase(std::next(last).base());
                    removed = true;
                }
            } else if (change.kind == Kind::Answer) {
                const auto receivers = mainLinesWithPart(lines, change.phrasePart);
                for (auto i = receivers.rbegin(); i != receivers.rend() && !removed; ++i) {
                    if (const auto place = findAlternative(lines[*i], change.text)) {
                        lines[*i].erase(place->start, place->length);
                        removed = true;
                    }
                }
            } else {
                const std::string_view part = learnedPart(change.text);
                const auto learned = mainLinesWithPart(lines, part);
                const auto unanswered =
                    std::find_if(learned.rbegin(), learned.rend(), [&](std::size_t i) { return lines[i] == change.text; });
                if (unanswered != learned.rend()) {
                    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*unanswered));
                    removed = true;
                } else if (!learned.empty()) {
                    // Answered since: the answers are somebody's too.
                    std::string touched;
                    for (const JournalEntry& later : journal.entries) {
                        for (const JournalChange& other : later.changes) {
                            if (later.id > entry.id && other.kind == Kind::Answer && other.phrasePart == part)
                                touched += (touched.empty() ? "" : ", ") + std::to_string(later.id);
                        }
                    }
                    if (request.withAnswers) {
                        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(learned.back()));
                        files.changed(change.file);
                        result(entry.id, c, "removed with its answers");
                        outcome.lines.push_back(name + "removed " + describe(change) + " with the answers it has received" +
                                                (touched.empty() ? "" : " (the answers of entries " + touched + ")"));
                    } else {
                        result(entry.id, c, "kept");
                        outcome.complete = false;
                        outcome.lines.push_back(name + "kept " + describe(change) +
                                                ": it has received answers since; --with-answers removes it with them" +
                                                (touched.empty() ? "" : " (the answers of entries " + touched + ")"));
                    }
                    continue;
                }
            }
            if (removed) {
                files.changed(change.file);
                result(entry.id, c, "removed");
                outcome.lines.push_back(name + "removed " + describe(change));
            } else {
                result(entry.id, c, "not found");
                outcome.complete = false;
                outcome.lines.push_back(name + describe(change) + " is not there any more: not found, left as it is");
            }
        }
    }
    results.endArray();
    files.saveChanged();
    if (results.text() == "[]")
        return outcome; // nothing was taken back

    kb::JsonWriter forgot;
    const auto journalPath = store.locate(engine::journalfile::Path);
    forgot.beginObject()
        .key("id").value(static_cast<long long>(engine::LearningJournal::nextId(journalPath)))
        .key("time").value(engine::LearningJournal::localTime())
        .key("forgot").raw(results.text())
        .endObject();
    kb::appendfile::appendLine(journalPath, forgot.text(), engine::journalfile::Path);
    return outcome;
}

} // namespace workbench
