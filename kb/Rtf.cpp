#include "Rtf.h"

#include "Cp1251.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <unordered_map>
#include <vector>

namespace kb::rtf {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Offset of the "{\rtf" that opens the document, or npos when the bytes are not RTF.
std::size_t documentStart(std::string_view bytes) {
    std::size_t pos = bytes.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
    while (pos < bytes.size() && isBlank(bytes[pos]))
        ++pos;
    return bytes.substr(pos).starts_with("{\\rtf") ? pos : std::string_view::npos;
}

// ---------------------------------------------------------------------------
// Writer

// Every byte's RTF form, padded to four characters so that the writer can
// copy a fixed-size block and advance by the real length.
struct EscapeTable {
    std::array<std::array<char, 4>, 256> text{};
    std::array<unsigned char, 256> length{};
};

constexpr EscapeTable makeEscapeTable() {
    constexpr char hex[] = "0123456789abcdef";
    EscapeTable table;
    for (int byte = 0; byte < 256; ++byte) {
        auto& text = table.text[byte];
        if (byte < 0x20 || byte >= 0x7F) {
            text = {'\\', '\'', hex[byte >> 4], hex[byte & 0xF]};
            table.length[byte] = 4;
        } else if (byte == '\\' || byte == '{' || byte == '}') {
            text = {'\\', static_cast<char>(byte), 0, 0};
            table.length[byte] = 2;
        } else {
            text = {static_cast<char>(byte), 0, 0, 0};
            table.length[byte] = 1;
        }
    }
    return table;
}

constexpr EscapeTable kEscapes = makeEscapeTable();

// The blank after "\fs20" ends that control word and is eaten by readers, so a
// first line that begins with a blank keeps it; later lines follow a CR LF,
// which ends "\par" just as well and is ignored.
constexpr std::string_view kHeader = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049"
                                     "{\\fonttbl{\\f0\\fnil\\fcharset204 MS Sans Serif;}}\r\n"
                                     "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
constexpr std::string_view kLineEnd = "\\par\r\n";
constexpr std::string_view kFooter = "}\r\n";

char* append(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// ---------------------------------------------------------------------------
// Reader

struct CharsetCodePage {
    std::int32_t charset;
    int codePage;
};

// 2 is the symbol charset, whose bytes are glyph numbers rather than characters.
constexpr CharsetCodePage kCharsetCodePages[] = {
    {0, 1252},   {2, 42},     {77, 10000}, {78, 10001}, {79, 10003}, {80, 10008},
    {81, 10002}, {83, 10005}, {84, 10004}, {85, 10006}, {86, 10081}, {87, 10021},
    {88, 10029}, {89, 10007}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},
    {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
    {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}, {254, 437},  {255, 850},
};

// Code page of the bytes of a font with this \fcharset; 0 when the charset
// says nothing (DEFAULT_CHARSET, unknown numbers), so the document's applies.
int charsetCodePage(std::int32_t charset) {
    for (const auto& entry : kCharsetCodePages) {
        if (entry.charset == charset)
            return entry.codePage;
    }
    return 0;
}

enum class Action : std::uint8_t {
    Ignore,
    Break,       // \par, \line, \sect, \page
    Row,         // a table row ends: its cells make one line
    Cell,        // a table cell ends: a tab between cells
    Character,   // a fixed Windows-1251 byte
    Destination, // a group whose text is not part of the document
    FontTable,
    Font,
    FontCharset,
    FontCodePage,
    DefaultFont,
    CharsetAnsi,
    CharsetMac,
    CharsetPc,
    CharsetPca,
    AnsiCodePage,
    UnicodeFallback, // \ucN
    Unicode,         // \uN
    Binary,
    Plain,
};

struct Keyword {
    std::string_view name;
    Action action;
    char character = 0;
};

// Sorted by name for binary search.
constexpr Keyword kKeywords[] = {
    {"aftncn", Action::Destination},
    {"aftnsep", Action::Destination},
    {"aftnsepc", Action::Destination},
    {"annotation", Action::Destination},
    {"ansi", Action::CharsetAnsi},
    {"ansicpg", Action::AnsiCodePage},
    {"atnauthor", Action::Destination},
    {"atndate", Action::Destination},
    {"atnicn", Action::Destination},
    {"atnid", Action::Destination},
    {"atnparent", Action::Destination},
    {"atnref", Action::Destination},
    {"atntime", Action::Destination},
    {"atrfend", Action::Destination},
    {"atrfstart", Action::Destination},
    {"author", Action::Destination},
    {"background", Action::Destination},
    {"bin", Action::Binary},
    {"bkmkend", Action::Destination},
    {"bkmkstart", Action::Destination},
    {"blipuid", Action::Destination},
    {"bullet", Action::Character, '\x95'},
    {"buptim", Action::Destination},
    {"category", Action::Destination},
    {"cell", Action::Cell},
    {"colorschememapping", Action::Destination},
    {"colortbl", Action::Destination},
    {"comment", Action::Destination},
    {"company", Action::Destination},
    {"cpg", Action::FontCodePage},
    {"creatim", Action::Destination},
    {"datafield", Action::Destination},
    {"datastore", Action::Destination},
    {"deff", Action::DefaultFont},
    {"do", Action::Destination},
    {"doccomm", Action::Destination},
    {"docvar", Action::Destination},
    {"emdash", Action::Character, '\x97'},
    {"emspace", Action::Character, ' '},
    {"endash", Action::Character, '\x96'},
    {"enspace", Action::Character, ' '},
    {"f", Action::Font},
    {"falt", Action::Destination},
    {"fchars", Action::Destination},
    {"fcharset", Action::FontCharset},
    {"filetbl", Action::Destination},
    {"fldinst", Action::Destination},
    {"fname", Action::Destination},
    {"fontemb", Action::Destination},
    {"fontfile", Action::Destination},
    {"fonttbl", Action::FontTable},
    {"footer", Action::Destination},
    {"footerf", Action::Destination},
    {"footerl", Action::Destination},
    {"footerr", Action::Destination},
    {"footnote", Action::Destination},
    {"formfield", Action::Destination},
    {"ftncn", Action::Destination},
    {"ftnsep", Action::Destination},
    {"ftnsepc", Action::Destination},
    {"generator", Action::Destination},
    {"header", Action::Destination},
    {"headerf", Action::Destination},
    {"headerl", Action::Destination},
    {"headerr", Action::Destination},
    {"hlinkbase", Action::Destination},
    {"info", Action::Destination},
    {"keycode", Action::Destination},
    {"keywords", Action::Destination},
    {"latentstyles", Action::Destination},
    {"lchars", Action::Destination},
    {"ldblquote", Action::Character, '\x93'},
    {"levelnumbers", Action::Destination},
    {"leveltext", Action::Destination},
    {"line", Action::Break},
    {"listoverridetable", Action::Destination},
    {"listpicture", Action::Destination},
    {"listtable", Action::Destination},
    {"listtext", Action::Destination},
    {"lquote", Action::Character, '\x91'},
    {"mac", Action::CharsetMac},
    {"manager", Action::Destination},
    {"nestcell", Action::Cell},
    {"nextfile", Action::Destination},
    {"nonshppict", Action::Destination},
    {"object", Action::Destination},
    {"operator", Action::Destination},
    {"page", Action::Break},
    {"panose", Action::Destination},
    {"par", Action::Break},
    {"pc", Action::CharsetPc},
    {"pca", Action::CharsetPca},
    {"pgdsctbl", Action::Destination},
    {"pgptbl", Action::Destination},
    {"pict", Action::Destination},
    {"plain", Action::Plain},
    {"pn", Action::Destination},
    {"pntext", Action::Destination},
    {"pntxta", Action::Destination},
    {"pntxtb", Action::Destination},
    {"printim", Action::Destination},
    {"private", Action::Destination},
    {"protusertbl", Action::Destination},
    {"qmspace", Action::Character, ' '},
    {"rdblquote", Action::Character, '\x94'},
    {"revtbl", Action::Destination},
    {"revtim", Action::Destination},
    {"row", Action::Row},
    {"rquote", Action::Character, '\x92'},
    {"rsidtbl", Action::Destination},
    {"rxe", Action::Destination},
    {"sect", Action::Break},
    {"shp", Action::Destination},
    {"shpgrp", Action::Destination},
    {"shppict", Action::Destination},
    {"stylesheet", Action::Destination},
    {"subject", Action::Destination},
    {"tab", Action::Character, '\t'},
    {"tc", Action::Destination},
    {"template", Action::Destination},
    {"themedata", Action::Destination},
    {"title", Action::Destination},
    {"txe", Action::Destination},
    {"u", Action::Unicode},
    {"uc", Action::UnicodeFallback},
    {"userprops", Action::Destination},
    {"xe", Action::Destination},
    {"xmlnstbl", Action::Destination},
};

constexpr bool keywordsSorted() {
    for (std::size_t i = 1; i < std::size(kKeywords); ++i) {
        if (!(kKeywords[i - 1].name < kKeywords[i].name))
            return false;
    }
    return true;
}
static_assert(keywordsSorted(), "kKeywords must be sorted for binary search");

const Keyword* findKeyword(std::string_view name) {
    const auto* end = std::end(kKeywords);
    const auto* found = std::lower_bound(
        std::begin(kKeywords), end, name,
        [](const Keyword& keyword, std::string_view key) { return keyword.name < key; });
    return found != end && found->name == name ? found : nullptr;
}

// Bytes of document text that need no decoding: everything below 0x80 except
// the RTF specials and the line ends, which the source may hold anywhere.
constexpr std::array<bool, 256> makePlainAsciiTable() {
    std::array<bool, 256> table{};
    for (int byte = 0; byte < 0x80; ++byte)
        table[byte] = true;
    for (unsigned char special : {'\\', '{', '}', '\r', '\n'})
        table[special] = false;
    return table;
}

constexpr std::array<bool, 256> makePlainAnyTable() {
    std::array<bool, 256> table = makePlainAsciiTable();
    for (int byte = 0x80; byte < 0x100; ++byte)
        table[byte] = true;
    return table;
}

constexpr std::array<bool, 256> makeStructureTable() {
    std::array<bool, 256> table{};
    for (unsigned char special : {'\\', '{', '}'})
        table[special] = true;
    return table;
}

constexpr std::array<bool, 256> kPlainAscii = makePlainAsciiTable();
constexpr std::array<bool, 256> kPlainAny = makePlainAnyTable();
constexpr std::array<bool, 256> kStructure = makeStructureTable();

// Windows-1251 forms of the upper half of Windows-1252, the one foreign code
// page whose documents are common.
const std::array<char, 128>& cp1252Table() {
    static const std::array<char, 128> table = [] {
        std::array<char, 128> result{};
        for (int i = 0; i < 128; ++i) {
            const auto codePoint = codePageToUnicode(1252, static_cast<unsigned char>(0x80 + i));
            result[i] = codePoint ? unicodeToCp1251(*codePoint) : '?';
        }
        return result;
    }();
    return table;
}

// What a group inherits from its parent and gets back when a child closes.
struct GroupState {
    std::int32_t font = -1; // -1: the document's default font
    std::int32_t fallbackLength = 1;
    bool skipping = false; // inside a destination whose text is not read
    bool inFontTable = false;
};

// Groups nested deeper than this do not save their state; real documents stay
// far below, and hostile ones cannot make the reader hold unbounded memory.
constexpr std::size_t kMaxSavedGroups = 10000;

constexpr std::int64_t kMaxParameter = std::numeric_limits<std::int32_t>::max();

class Reader {
public:
    explicit Reader(std::string_view document) : in_(document) {}

    Lines run() {
        const std::size_t start = documentStart(in_);
        pos_ = start == std::string_view::npos ? 0 : start;
        // Only a document that opens with a group ends with it; text without
        // one is read to the end.
        documentIsGroup_ = pos_ < in_.size() && in_[pos_] == '{';
        bodyDepth_ = documentIsGroup_ ? 1 : 0;
        while (pos_ < in_.size() && !ended_) {
            switch (in_[pos_]) {
            case '{':
                ++pos_;
                openGroup();
                break;
            case '}':
                ++pos_;
                closeGroup();
                break;
            case '\\':
                controlSequence();
                break;
            case '\r':
            case '\n':
                ++pos_;
                break;
            default:
                text();
                break;
            }
        }
        if (!line_.empty())
            lines_.push_back(std::move(line_));
        return std::move(lines_);
    }

private:
    struct FontCodePages {
        int fromCharset = 0;
        int fromCpg = 0;
    };

    std::size_t depth() const { return savedGroups_.size() + unsavedGroups_; }

    void openGroup() {
        fallbackToSkip_ = 0;
        if (savedGroups_.size() < kMaxSavedGroups)
            savedGroups_.push_back(state_);
        else
            ++unsavedGroups_;
    }

    void closeGroup() {
        fallbackToSkip_ = 0;
        if (unsavedGroups_ > 0) {
            --unsavedGroups_;
        } else if (!savedGroups_.empty()) {
            state_ = savedGroups_.back();
            savedGroups_.pop_back();
            if (savedGroups_.empty() && documentIsGroup_)
                documentGroupClosed();
        }
        // A "}" with no group open is a stray one and is dropped.
    }

    // The document's own group has closed. Blanks and NULs after it are
    // padding; anything else means the brace was not the document's end
    // but one typed into its text (a smiley ":-}" added in a text editor),
    // and the text after it is still the document's.
    void documentGroupClosed() {
        const auto rest = in_.substr(pos_);
        if (std::all_of(rest.begin(), rest.end(), [](char c) { return isBlank(c) || c == '\0'; }))
            ended_ = true;
        else
            bodyDepth_ = 0;
    }

    void text() {
        if (state_.skipping) {
            ++pos_;
            while (pos_ < in_.size() && !kStructure[static_cast<unsigned char>(in_[pos_])])
                ++pos_;
            return;
        }
        if (fallbackToSkip_ > 0) {
            --fallbackToSkip_;
            ++pos_;
            return;
        }
        const auto& plain = codePage() == 1251 ? kPlainAny : kPlainAscii;
        const std::size_t start = pos_;
        while (pos_ < in_.size() && plain[static_cast<unsigned char>(in_[pos_])])
            ++pos_;
        if (pos_ > start) {
            emit(in_.substr(start, pos_ - start));
        } else {
            // A byte of the upper half in a foreign code page.
            emit(decode(static_cast<unsigned char>(in_[pos_])));
            ++pos_;
        }
    }

    void controlSequence() {
        if (pos_ + 1 >= in_.size()) {
            pos_ = in_.size(); // a lone backslash at the very end
            return;
        }
        const char symbol = in_[pos_ + 1];
        if (isLetter(symbol))
            controlWord();
        else
            controlSymbol(symbol);
    }

    void controlSymbol(char symbol) {
        pos_ += 2;
        const int hexByte = symbol == '\'' ? readHexByte() : -1;
        if (state_.skipping) {
            if (symbol == '*')
                state_.inFontTable = false;
            return;
        }
        if (fallbackToSkip_ > 0) {
            --fallbackToSkip_;
            return;
        }
        switch (symbol) {
        case '\'':
            if (hexByte >= 0)
                emit(decode(static_cast<unsigned char>(hexByte)));
            break;
        case '\\':
        case '{':
        case '}':
            emit(symbol);
            break;
        case '~':
            emit('\xA0');
            break;
        case '_':
            emit('-');
            break;
        case '*':
            startDestination();
            break;
        case '\r':
        case '\n':
            // A backslash before a line end is an old spelling of \par.
            endLine();
            break;
        default:
            // \- (optional hyphen), \: (index subentry), \| and the unknown ones.
            break;
        }
    }

    // The two hex digits after \'; -1 when they are missing or cut off.
    int readHexByte() {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < in_.size()) {
            const int digit = hexValue(in_[pos_]);
            if (digit < 0)
                break;
            value = value * 16 + digit;
            ++digits;
            ++pos_;
        }
        return digits == 2 ? value : -1;
    }

    static int hexValue(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    void controlWord() {
        std::size_t end = pos_ + 1;
        while (end < in_.size() && isLetter(in_[end]))
            ++end;
        const std::string_view name = in_.substr(pos_ + 1, end - pos_ - 1);

        bool hasParameter = false;
        bool negative = false;
        std::int64_t value = 0;
        // The sign belongs to the word even without digits after it, so that a
        // word cut off after its sign leaves no stray '-' in the text.
        if (end < in_.size() && in_[end] == '-') {
            negative = true;
            ++end;
        }
        while (end < in_.size() && isDigit(in_[end])) {
            hasParameter = true;
            // Saturate: a parameter of a thousand digits is garbage, not an overflow.
            if (value <= kMaxParameter)
                value = value * 10 + (in_[end] - '0');
            ++end;
        }
        if (end < in_.size() && in_[end] == ' ')
            ++end;
        pos_ = end;
        const auto parameter = static_cast<std::int32_t>(negative ? -std::min(value, kMaxParameter)
                                                                  : std::min(value, kMaxParameter));

        const Keyword* keyword = findKeyword(name);
        const Action action = keyword ? keyword->action : Action::Ignore;
        if (action == Action::Binary) {
            // The data is skipped whatever the state: it may hold any bytes, braces too.
            if (fallbackToSkip_ > 0 && !state_.skipping)
                --fallbackToSkip_;
            skipBinary(hasParameter ? parameter : 0);
            return;
        }
        if (state_.skipping) {
            skippedWord(action, hasParameter ? parameter : 0);
            return;
        }
        if (fallbackToSkip_ > 0) {
            --fallbackToSkip_;
            return;
        }
        switch (action) {
        case Action::Ignore:
        case Action::Binary:
        case Action::FontCharset:
        case Action::FontCodePage:
            break;
        case Action::Break:
            endLine();
            break;
        case Action::Row:
            if (!line_.empty() && line_.size() == cellTabEnd_ && line_.back() == '\t')
                line_.pop_back();
            endLine();
            break;
        case Action::Cell:
            emit('\t');
            cellTabEnd_ = line_.size();
            break;
        case Action::Character:
            emit(keyword->character);
            break;
        case Action::Destination:
            startDestination();
            break;
        case Action::FontTable:
            if (insideDocument()) {
                state_.skipping = true;
                state_.inFontTable = true;
            }
            break;
        case Action::Font:
            state_.font = hasParameter ? std::max(parameter, -1) : 0;
            break;
        case Action::DefaultFont:
            defaultFont_ = hasParameter ? parameter : 0;
            codePageKnown_ = false;
            break;
        case Action::CharsetAnsi:
            setCharsetCodePage(1252);
            break;
        case Action::CharsetMac:
            setCharsetCodePage(10000);
            break;
        case Action::CharsetPc:
            setCharsetCodePage(437);
            break;
        case Action::CharsetPca:
            setCharsetCodePage(850);
            break;
        case Action::AnsiCodePage:
            if (hasParameter && parameter > 0) {
                documentCodePage_ = parameter;
                explicitCodePage_ = true;
                codePageKnown_ = false;
            }
            break;
        case Action::UnicodeFallback:
            state_.fallbackLength = hasParameter ? std::max(parameter, 0) : 1;
            break;
        case Action::Unicode:
            if (hasParameter) {
                unicode(parameter);
                fallbackToSkip_ = state_.fallbackLength;
            }
            break;
        case Action::Plain:
            state_.font = -1;
            break;
        }
    }

    // Inside a destination only the font table is of interest.
    void skippedWord(Action action, std::int32_t parameter) {
        if (!state_.inFontTable)
            return;
        switch (action) {
        case Action::Font:
            fontTableEntry_ = parameter;
            break;
        case Action::FontCharset:
            if (fontTableEntry_ >= 0) {
                fonts_[fontTableEntry_].fromCharset = charsetCodePage(parameter);
                codePageKnown_ = false;
            }
            break;
        case Action::FontCodePage:
            if (fontTableEntry_ >= 0 && parameter > 0) {
                fonts_[fontTableEntry_].fromCpg = parameter;
                codePageKnown_ = false;
            }
            break;
        case Action::Destination:
        case Action::FontTable:
            state_.inFontTable = false; // \falt, \panose and the like inside an entry
            break;
        default:
            break;
        }
    }

    // Destinations are groups inside the document; a destination word in the
    // document's own text (a hand edit) does not hide the rest of it.
    bool insideDocument() const { return depth() > bodyDepth_; }

    void startDestination() {
        if (insideDocument()) {
            state_.skipping = true;
            state_.inFontTable = false;
        }
    }

    void setCharsetCodePage(int codePage) {
        if (!explicitCodePage_) {
            documentCodePage_ = codePage;
            codePageKnown_ = false;
        }
    }

    void skipBinary(std::int32_t length) {
        const auto available = in_.size() - pos_;
        pos_ += std::min(static_cast<std::size_t>(std::max(length, 0)), available);
    }

    void unicode(std::int32_t parameter) {
        std::int64_t codePoint = parameter;
        if (codePoint < 0)
            codePoint += 65536;
        if (codePoint < 0 || codePoint > 0x10FFFF) {
            emit('?');
        } else if (codePoint >= 0xD800 && codePoint <= 0xDBFF) {
            // The first half of a character beyond the BMP, which no
            // Windows-1251 byte can stand for: one '?' for the pair.
            emit('?');
            afterHighSurrogate_ = true;
        } else if (codePoint >= 0xDC00 && codePoint <= 0xDFFF) {
            if (!afterHighSurrogate_)
                emit('?');
            afterHighSurrogate_ = false;
        } else {
            emit(unicodeToCp1251(static_cast<char32_t>(codePoint)));
        }
    }

    int codePage() {
        const std::int32_t font = state_.font >= 0 ? state_.font : defaultFont_;
        if (!codePageKnown_ || font != codePageFont_) {
            codePage_ = documentCodePage_;
            if (font >= 0) {
                const auto found = fonts_.find(font);
                if (found != fonts_.end()) {
                    const FontCodePages& pages = found->second;
                    if (pages.fromCpg > 0)
                        codePage_ = pages.fromCpg;
                    else if (pages.fromCharset > 0)
                        codePage_ = pages.fromCharset;
                }
            }
            codePageFont_ = font;
            codePageKnown_ = true;
        }
        return codePage_;
    }

    char decode(unsigned char byte) {
        if (byte < 0x80)
            return static_cast<char>(byte);
        const int page = codePage();
        if (page == 1251)
            return static_cast<char>(byte);
        if (page == 1252)
            return cp1252Table()[byte - 0x80];
        const auto codePoint = codePageToUnicode(page, byte);
        return codePoint ? unicodeToCp1251(*codePoint) : '?';
    }

    void emit(char c) {
        line_ += c;
        afterHighSurrogate_ = false;
    }

    void emit(std::string_view text) {
        line_ += text;
        afterHighSurrogate_ = false;
    }

    void endLine() {
        lines_.emplace_back(line_); // a copy of exact size; line_ keeps its buffer
        line_.clear();
        cellTabEnd_ = std::string::npos;
        afterHighSurrogate_ = false;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    bool documentIsGroup_ = false;
    std::size_t bodyDepth_ = 0; // the depth of the document's own text
    bool ended_ = false;

    GroupState state_;
    std::vector<GroupState> savedGroups_;
    std::size_t unsavedGroups_ = 0;

    int documentCodePage_ = 1252;
    bool explicitCodePage_ = false; // \ansicpg wins over \ansi, \mac, \pc
    std::int32_t defaultFont_ = -1;
    std::unordered_map<std::int32_t, FontCodePages> fonts_;
    std::int32_t fontTableEntry_ = -1;

    bool codePageKnown_ = false;
    std::int32_t codePageFont_ = -1;
    int codePage_ = 1252;

    std::int32_t fallbackToSkip_ = 0; // characters after \uN still to drop
    bool afterHighSurrogate_ = false;
    std::size_t cellTabEnd_ = std::string::npos; // line length just after a cell's tab

    Lines lines_;
    std::string line_;
};

} // namespace

bool isRtf(std::string_view bytes) {
    return documentStart(bytes) != std::string_view::npos;
}

Lines read(std::string_view document) {
    return Reader(document).run();
}

std::string write(const Lines& lines) {
    std::size_t size = kHeader.size() + kFooter.size();
    for (const std::string& line : lines) {
        size += kLineEnd.size();
        for (char c : line)
            size += kEscapes.length[static_cast<unsigned char>(c)];
    }
    std::string document(size, '\0');
    char* out = append(document.data(), kHeader);
    for (const std::string& line : lines) {
        for (char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            // Always four bytes: the line end written after the line leaves room.
            std::memcpy(out, kEscapes.text[byte].data(), 4);
            out += kEscapes.length[byte];
        }
        out = append(out, kLineEnd);
    }
    append(out, kFooter);
    return document;
}

} // namespace kb::rtf
