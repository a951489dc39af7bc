#include "LineList.h"

#include "PlainText.h"

namespace kb {

const SharedLines& LineList::emptyLines() {
    static const SharedLines empty = std::make_shared<Lines>();
    return empty;
}

Lines& LineList::mutableLines() {
    // Copy on write: the lines may be shared with the file store's copy.
    // Every Lines object is created non-const, so the cast is sound.
    if (lines_.use_count() != 1)
        lines_ = std::make_shared<Lines>(*lines_);
    return const_cast<Lines&>(*lines_);
}

void LineList::load(FileStore& store, std::string_view programPath) {
    lines_ = store.read(programPath, kind_);
}

void LineList::save(FileStore& store, std::string_view programPath) const {
    store.write(programPath, lines_, kind_);
}

const std::string& LineList::line(int index) const {
    static const std::string none;
    if (index < 0 || index >= count())
        return none;
    return (*lines_)[static_cast<std::size_t>(index)];
}

void LineList::add(std::string_view text) {
    Lines& lines = mutableLines();
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c != '\r' && c != '\n')
            continue;
        lines.emplace_back(text.substr(start, pos - start));
        if (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
            ++pos;
        start = pos + 1;
    }
    lines.emplace_back(text.substr(start));
}

void LineList::deleteAt(int index) {
    if (index < 0 || index >= count())
        return;
    Lines& lines = mutableLines();
    lines.erase(lines.begin() + index);
}

void LineList::deleteLast() {
    deleteAt(count() - 1);
}

void LineList::clear() {
    lines_ = emptyLines();
}

void LineList::assign(Lines lines) {
    lines_ = std::make_shared<Lines>(std::move(lines));
}

std::string LineList::text() const {
    return plain::write(*lines_);
}

} // namespace kb
