#pragma once

// An ordered list of text lines with the operations of the program's lists:
// load a whole file, save the whole list, count, get by index, add at the end,
// delete at an index, clear. A rich list is stored as RTF, a plain list as
// plain text. Lines are shared with the file store until the list changes.

#include "FileStore.h"

#include <string>
#include <string_view>

namespace kb {

class LineList {
public:
    explicit LineList(TextKind kind) : kind_(kind), lines_(emptyLines()) {}

    TextKind kind() const { return kind_; }

    // Replaces the content by the file's lines; on failure the list keeps
    // what it held and FileError is thrown.
    void load(FileStore& store, std::string_view programPath);
    void save(FileStore& store, std::string_view programPath) const;

    int count() const { return static_cast<int>(lines_->size()); }
    bool empty() const { return lines_->empty(); }

    // The line at an index; an empty line for an index outside the list, as
    // a pick from an empty file gives.
    const std::string& line(int index) const;

    // Adds text as new lines at the end: text holding line breaks becomes
    // several lines, and empty text one empty line.
    void add(std::string_view text);
    void deleteAt(int index);
    void deleteLast();
    void clear();
    void assign(Lines lines);

    // The whole text, every line followed by CR LF.
    std::string text() const;

    const Lines& lines() const { return *lines_; }

private:
    static const SharedLines& emptyLines();
    Lines& mutableLines();

    TextKind kind_;
    SharedLines lines_;
};

} // namespace kb
