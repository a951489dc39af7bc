#include "kb/Rtf.h"

#include "kb/Cp1251.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace {

using kb::Lines;
using namespace std::string_literals;

// Windows-1251 form of UTF-8 text written in this source file.
std::string w(std::string_view utf8) {
    return kb::utf8ToCp1251(utf8);
}

std::string fixture(const std::string& name) {
    const std::string path = std::string(TALKBASE_FIXTURES) + "/" + name;
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file.is_open()) << path;
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A document as a rich edit control writes it, around a body of text.
Lines readBody(std::string_view body) {
    const std::string document =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Arial;}}"
        "\\viewkind4\\uc1\\pard\\f0\\fs20 "s +
        std::string(body) + "}";
    return kb::rtf::read(document);
}

std::size_t count(std::string_view text, std::string_view part) {
    std::size_t found = 0;
    for (auto pos = text.find(part); pos != std::string_view::npos; pos = text.find(part, pos + 1))
        ++found;
    return found;
}

// ---------------------------------------------------------------------------

TEST(RtfWrite, DeclaresWindows1251AndACyrillicFont) {
    const std::string document = kb::rtf::write({"x"});
    EXPECT_TRUE(document.starts_with("{\\rtf1"));
    EXPECT_NE(document.find("\\ansicpg1251"), std::string::npos);
    EXPECT_NE(document.find("\\deff0"), std::string::npos);
    EXPECT_NE(document.find("{\\fonttbl{\\f0"), std::string::npos);
    EXPECT_NE(document.find("\\fcharset204"), std::string::npos);
    EXPECT_NE(document.find("\\uc1"), std::string::npos);
    EXPECT_NE(document.find("\\pard"), std::string::npos);
    EXPECT_TRUE(kb::rtf::isRtf(document));
}

TEST(RtfWrite, EndsEveryLineWithParAndCrLf) {
    EXPECT_EQ(count(kb::rtf::write({}), "\\par\r\n"), 0u);
    EXPECT_EQ(count(kb::rtf::write({""}), "\\par\r\n"), 1u);
    EXPECT_EQ(count(kb::rtf::write({"a", "", "b"}), "\\par\r\n"), 3u);
    // \pard is the only other word that starts with "\par".
    EXPECT_EQ(count(kb::rtf::write({"a", "", "b"}), "\\par"), 4u);
}

TEST(RtfWrite, EscapesSpecialsControlsAndTheUpperHalf) {
    const std::string document = kb::rtf::write({"a\\b{c}d", w("Да") + "\x01\x7f\t"});
    EXPECT_NE(document.find("a\\\\b\\{c\\}d\\par"), std::string::npos);
    EXPECT_NE(document.find("\\'c4\\'e0\\'01\\'7f\\'09\\par"), std::string::npos);
}

TEST(RtfWrite, WritesOnlyPrintableAscii) {
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte)
        everyByte += static_cast<char>(byte);
    const std::string document = kb::rtf::write({everyByte});
    for (char c : document) {
        const auto byte = static_cast<unsigned char>(c);
        EXPECT_TRUE((byte >= 0x20 && byte < 0x7F) || byte == '\r' || byte == '\n') << int(byte);
    }
}

// ---------------------------------------------------------------------------

TEST(RtfRoundTrip, KeepsLeadingBlanksDigitsAndEmptyLines) {
    const std::vector<Lines> cases = {
        {},
        {""},
        {"", ""},
        {" leading blank", "  two blanks", "\ttab first", "trailing  "},
        {"1 starts with a digit", "-5 minus", "2"},
        {"a", "", "", "b", ""},
        {" "},
        {"\\par", "{\\b not bold}", "\\'e0", "\\u1072?"},
        {w("ПРИВЕТ.^Привет!;Здравствуй.;"), w("_КАК ДЕЛА?^Хорошо.;"), w("ПОКА.^Пока.;@")},
    };
    for (const Lines& lines : cases)
        EXPECT_EQ(kb::rtf::read(kb::rtf::write(lines)), lines);
}

TEST(RtfRoundTrip, KeepsEveryByteValue) {
    std::string everyByte;
    Lines oneBytePerLine;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == '\r' || byte == '\n')
            continue;
        everyByte += static_cast<char>(byte);
        oneBytePerLine.emplace_back(1, static_cast<char>(byte));
    }
    EXPECT_EQ(kb::rtf::read(kb::rtf::write({everyByte})), Lines{everyByte});
    EXPECT_EQ(kb::rtf::read(kb::rtf::write(oneBytePerLine)), oneBytePerLine);
}

TEST(RtfRoundTrip, RandomListsReadBackExactly) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> lineCount(0, 50);
    std::uniform_int_distribution<int> lineLength(0, 200);
    std::uniform_int_distribution<int> byteValue(0, 255);
    for (int round = 0; round < 400; ++round) {
        Lines lines(lineCount(random));
        for (std::string& line : lines) {
            line.resize(lineLength(random));
            for (char& c : line) {
                int byte;
                do {
                    byte = byteValue(random);
                } while (byte == '\r' || byte == '\n');
                c = static_cast<char>(byte);
            }
        }
        ASSERT_EQ(kb::rtf::read(kb::rtf::write(lines)), lines) << "round " << round;
    }
}

// ---------------------------------------------------------------------------
// Documents in the shapes that real programs write.

TEST(RtfFixtures, RichEditDocument) {
    const Lines expected = {
        w("ПРИВЕТ.^Привет!;Здравствуй.;"),
        w("_КАК ДЕЛА?^Хорошо, спасибо.;"),
        w("ПОКА.^До свидания.;@"),
        "C:\\Base\\Words.Dat {1}",
        "",
        w("пункт списка"), // the bullet's own text is not part of the line
        w("конец"),
    };
    const std::string document = fixture("richedit.rtf");
    EXPECT_TRUE(kb::rtf::isRtf(document));
    EXPECT_EQ(kb::rtf::read(document), expected);
}

TEST(RtfFixtures, WordProcessorDocumentWithUnicodeAndFallbacks) {
    const Lines expected = {
        w("Привет, мир!"),
        w("Без замены."), // \uc0: no fallback characters
        w("Ёжик  — №"),   // "?" fallbacks, \'97 after \u8212
        w("? я"),         // \uc2 with two \'hh fallbacks; U+F0B7 has no Windows-1251 form
        w("? улыбка"),    // one character beyond the BMP as a surrogate pair
        w("Сноска"),      // the footnote's text is a destination
    };
    EXPECT_EQ(kb::rtf::read(fixture("word.rtf")), expected);
}

TEST(RtfFixtures, OfficeSuiteDocument) {
    const Lines expected = {
        w("Строка один"),
        w("Жирный текст – кавычки “такие”."),
        w("ссылка"),         // a field's result, not its instruction
        w("Ячейка\tВторая"), // a table row: its cells joined by tabs
        "",                  // the paragraph after the table
    };
    EXPECT_EQ(kb::rtf::read(fixture("office.rtf")), expected);
}

TEST(RtfFixtures, Windows1252Document) {
    // é and ï have no Windows-1251 form; the quotes, the ellipsis, the euro
    // and the copyright sign have one.
    const Lines expected = {"Caf? \x93quoted\x94 \x85 \x88 \xA9", "na?ve"};
    EXPECT_EQ(kb::rtf::read(fixture("latin1252.rtf")), expected);
}

TEST(RtfFixtures, EveryTruncationGivesTheTextReadSoFar) {
    const std::string document = fixture("richedit.rtf");
    const Lines whole = kb::rtf::read(document);
    for (std::size_t length = 0; length <= document.size(); ++length) {
        const Lines part = kb::rtf::read(std::string_view(document).substr(0, length));
        ASSERT_LE(part.size(), whole.size()) << length;
        for (std::size_t i = 0; i + 1 < part.size(); ++i)
            ASSERT_EQ(part[i], whole[i]) << length;
        if (!part.empty()) {
            ASSERT_TRUE(whole[part.size() - 1].starts_with(part.back())) << length;
        }
    }
}

// ---------------------------------------------------------------------------

TEST(RtfCodePages, FontCharsetsSwitchWithinAParagraph) {
    const std::string document = "{\\rtf1\\ansi\\ansicpg1252\\deff0"
                                 "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                                 "{\\f1\\fswiss\\fcharset204 Arial CYR;}}"
                                 "\\f1\\'c4\\'e0 \\f0\\'e9\\'c4\\'93 {\\f1\\'e4}\\'e4\\par}";
    EXPECT_EQ(kb::rtf::read(document), Lines{w("Да ??“ д?")});
}

TEST(RtfCodePages, DefaultFontAndPlainChooseTheCharset) {
    const std::string fonts = "{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Arial CYR;}}";
    EXPECT_EQ(kb::rtf::read("{\\rtf1\\ansi\\ansicpg1252\\deff1" + fonts + "\\'e0\\par}"),
              Lines{w("а")});
    EXPECT_EQ(kb::rtf::read("{\\rtf1\\ansi\\deff1" + fonts + "\\f0\\'e0\\plain\\'e0\\par}"),
              Lines{w("?а")});
}

TEST(RtfCodePages, DocumentCodePageWhenTheFontGivesNone) {
    // No charset, DEFAULT_CHARSET (1) and an unknown charset number.
    EXPECT_EQ(kb::rtf::read("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\f0\\'e0\\par}"),
              Lines{w("а")});
    EXPECT_EQ(kb::rtf::read(
                  "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset1 Arial;}}\\f0\\'e0\\par}"),
              Lines{w("а")});
    EXPECT_EQ(kb::rtf::read(
                  "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset99 Arial;}}\\f0\\'e0\\par}"),
              Lines{w("а")});
    // A font never declared.
    EXPECT_EQ(kb::rtf::read("{\\rtf1\\ansi\\ansicpg1251\\f7\\'e0\\par}"), Lines{w("а")});
}

TEST(RtfCodePages, Windows1252WithoutAnyDeclaration) {
    EXPECT_EQ(kb::rtf::read("{\\rtf1 \\'e0\\'93\\'94\\par}"), Lines{"?\x93\x94"});
    EXPECT_EQ(kb::rtf::read("{\\rtf1\\ansi \\'e0\\par}"), Lines{"?"});
    EXPECT_EQ(kb::rtf::read("{\\rtf1\\ansicpg1251\\ansi \\'e0\\par}"), Lines{w("а")});
}

TEST(RtfCodePages, CpgInTheFontTableWinsOverTheCharset) {
    EXPECT_EQ(kb::rtf::read("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0\\cpg1251 A;}}"
                            "\\f0\\'e0\\par}"),
              Lines{w("а")});
}

TEST(RtfCodePages, OtherCodePagesKeepTheirAsciiHalfOnly) {
    // Central European (238) and Greek (161) fonts.
    EXPECT_EQ(kb::rtf::read("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset238 Arial CE;}"
                            "{\\f1\\fcharset161 Arial Greek;}}\\f0\\'e0\\'41b\\f1\\'e1\\par}"),
              Lines{"?Ab?"});
    EXPECT_EQ(kb::rtf::read("{\\rtf1\\ansi\\ansicpg1250 \\'e0\\par}"), Lines{"?"});
    EXPECT_EQ(kb::rtf::read("{\\rtf1\\mac \\'e0\\par}"), Lines{"?"});
}

TEST(RtfCodePages, RawUpperHalfBytesFollowTheFont) {
    const std::string fonts = "{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Arial CYR;}}";
    EXPECT_EQ(kb::rtf::read("{\\rtf1\\ansi\\ansicpg1252\\deff0" + fonts + "\\f1 " + w("Привет") +
                            "\\f0 " + "\xe9\x93" + "\\par}"),
              Lines{w("Привет") + "?\x93"});
}

TEST(RtfCodePages, FontTableWithoutEntryGroups) {
    EXPECT_EQ(kb::rtf::read("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl\\f0\\fswiss\\fcharset0 Arial;"
                            "\\f1\\fswiss\\fcharset204 Arial CYR;}\\f1\\'e0\\f0\\'e0\\par}"),
              Lines{w("а") + "?"});
}

TEST(RtfCodePages, PanoseAndAlternativeNamesDoNotDisturbTheFontTable) {
    EXPECT_EQ(kb::rtf::read("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\froman\\fcharset204"
                            "{\\*\\panose 02020603050405020304}{\\*\\falt \\fcharset0 X;}"
                            "Times New Roman;}}\\f0\\'e0\\par}"),
              Lines{w("а")});
    // Older writers leave out the \*.
    EXPECT_EQ(kb::rtf::read("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\froman\\fcharset204"
                            "{\\falt \\fcharset0 X;}Times New Roman;}}\\f0\\'e0\\par}"),
              Lines{w("а")});
}

// ---------------------------------------------------------------------------

TEST(RtfUnicode, CharactersBecomeWindows1251OrQuestionMarks) {
    EXPECT_EQ(readBody("\\u1103?\\u8470?\\u8212?\\u233?\\u65?\\par"), Lines{w("я№—?A")});
    // Negative values stand for code points from 32768 on; none has a Windows-1251 form.
    EXPECT_EQ(readBody("\\u-3913?\\u-1?x\\par"), Lines{"??x"});
}

TEST(RtfUnicode, FallbackCountsBytesHexCharactersAndControlWords) {
    EXPECT_EQ(readBody("\\u1103\\'ff\\u1103?\\par"), Lines{w("яя")});
    EXPECT_EQ(readBody("\\uc2\\u1103\\'81\\'82x\\uc2 \\u1103ab\\par"), Lines{w("яxя")});
    EXPECT_EQ(readBody("\\uc0\\u1103x\\par"), Lines{w("яx")});
    // A control word is one fallback character and is not carried out.
    EXPECT_EQ(readBody("\\u1103\\tab x\\par"), Lines{w("яx")});
    EXPECT_EQ(readBody("\\uc2\\u1103\\~\\_x\\par"), Lines{w("яx")});
    EXPECT_EQ(readBody("\\u1103\\bin2 xyz\\par"), Lines{w("яz")});
    // The delimiting blank belongs to \uN; a second blank is the fallback.
    EXPECT_EQ(readBody("\\u1103  x\\par"), Lines{w("яx")});
}

TEST(RtfUnicode, GroupBracesEndTheFallback) {
    EXPECT_EQ(readBody("\\uc3\\u1103{x}y\\par"), Lines{w("яxy")});
    EXPECT_EQ(readBody("{\\u1103}x\\par"), Lines{w("яx")});
}

TEST(RtfUnicode, FallbackLengthBelongsToTheGroup) {
    EXPECT_EQ(readBody("{\\uc3\\u1103abcd}\\u1103ef\\par"), Lines{w("яdяf")});
}

TEST(RtfUnicode, SurrogatePairGivesOneQuestionMark) {
    EXPECT_EQ(readBody("\\u-10179?\\u-8704?!\\par"), Lines{"?!"});
    EXPECT_EQ(readBody("\\u-8704?!\\par"), Lines{"?!"}); // a lone second half
}

TEST(RtfUnicode, OutOfRangeValuesAreQuestionMarks) {
    EXPECT_EQ(readBody("\\u99999999999999999999x\\u-99999999999 y\\par"), Lines{"??"});
}

// ---------------------------------------------------------------------------

TEST(RtfSymbols, SpecialCharactersAndTypography) {
    EXPECT_EQ(readBody("a\\~b\\-c\\_d\\\\\\{\\}\\par"), Lines{"a\xA0"
                                                              "bc-d\\{}"});
    EXPECT_EQ(readBody("\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet\\par"),
              Lines{"\x97\x96\x91\x92\x93\x94\x95"});
    EXPECT_EQ(readBody("a\\tab b\\emspace c\\par"), Lines{"a\tb c"});
}

TEST(RtfBreaks, ParagraphLineSectionAndPageBreaks) {
    EXPECT_EQ(readBody("a\\line b\\page c\\sect d\\par"), (Lines{"a", "b", "c", "d"}));
    // A backslash before a line end is a paragraph break too.
    EXPECT_EQ(readBody("a\\\r\nb\\\nc\\par"), (Lines{"a", "b", "c"}));
}

TEST(RtfBreaks, LineEndsInTheSourceAreIgnored) {
    EXPECT_EQ(readBody("ab\r\ncd\ref\ngh\\par\r\n"), Lines{"abcdefgh"});
    EXPECT_EQ(readBody("\\b\r\nx\\par"), Lines{"x"});
}

TEST(RtfBreaks, TableRowIsOneLineOfCells) {
    EXPECT_EQ(readBody("\\trowd\\cellx100\\cellx200\\intbl a\\cell b\\cell\\row "
                       "\\intbl \\cell c\\cell\\row\\pard after\\par"),
              (Lines{"a\tb", "\tc", "after"}));
}

TEST(RtfLines, EmptyTextAfterTheLastBreakIsNoLine) {
    EXPECT_EQ(readBody(""), Lines{});
    EXPECT_EQ(readBody("\\par"), Lines{""});
    EXPECT_EQ(readBody("a\\par"), Lines{"a"});
    EXPECT_EQ(readBody("a\\par b"), (Lines{"a", "b"}));
    EXPECT_EQ(readBody("a\\par\\par"), (Lines{"a", ""}));
    EXPECT_EQ(readBody("a\\par{\\b}\\pard\\plain\r\n"), Lines{"a"});
}

// ---------------------------------------------------------------------------

TEST(RtfDestinations, SkipsTheirText) {
    const char* const destinations[] = {
        "fonttbl",
        "colortbl",
        "stylesheet",
        "info",
        "pict",
        "object",
        "header",
        "headerl",
        "headerr",
        "headerf",
        "footer",
        "footerl",
        "footerr",
        "footerf",
        "footnote",
        "listtable",
        "listoverridetable",
        "rsidtbl",
        "generator",
        "xmlnstbl",
        "themedata",
        "colorschememapping",
        "datastore",
        "latentstyles",
        "pgdsctbl",
        "revtbl",
        "filetbl",
        "fldinst",
        "author",
        "title",
        "comment",
        "annotation",
        "pntext",
        "listtext",
        "shp",
        "nonshppict",
        "bkmkstart",
        "xe",
        "tc",
        "template",
    };
    for (const char* name : destinations) {
        const std::string body =
            "a{\\"s + name + " x\\'e0{\\b y\\par}\\u1103?\\par z}b{\\" + name + "}c\\par";
        EXPECT_EQ(readBody(body), Lines{"abc"}) << name;
    }
}

TEST(RtfDestinations, AnyGroupStartingWithAsteriskIsSkipped) {
    EXPECT_EQ(readBody("a{\\*\\unknownthing hidden{\\b more}}b{\\*\\bkmkstart m}c\\par"),
              Lines{"abc"});
}

TEST(RtfDestinations, FieldResultIsReadAndItsInstructionIsNot) {
    EXPECT_EQ(readBody("see {\\field{\\*\\fldinst{HYPERLINK \"http://x/\"}}{\\fldrslt{\\ul "
                       "here}}}.\\par"),
              Lines{"see here."});
    EXPECT_EQ(readBody("{\\field{\\fldinst PAGE}{\\fldrslt 7}}\\par"), Lines{"7"});
}

TEST(RtfDestinations, UnknownWordsGoWithTheirParameterAndOneBlank) {
    EXPECT_EQ(readBody("a\\foo123 b\\bar-5 c\\baz  d\\qux-e\\par"), Lines{"abc de"});
}

TEST(RtfBinary, SkipsItsBytes) {
    EXPECT_EQ(readBody("a\\bin3 {}\\b\\par"), (Lines{"ab"}));
    EXPECT_EQ(readBody("a{\\pict\\wmetafile8\\bin4 }}{\\}b\\par"), Lines{"ab"});
    EXPECT_EQ(readBody("a\\bin0 b\\bin-5 c\\par"), Lines{"abc"});
    EXPECT_EQ(readBody("a\\bin5\\par"), Lines{"a"});
}

TEST(RtfBinary, LengthBeyondTheEndStopsThere) {
    EXPECT_EQ(kb::rtf::read("{\\rtf1 a\\par b\\bin1000 cd\\par}"), (Lines{"a", "b"}));
    EXPECT_EQ(kb::rtf::read("{\\rtf1 a\\par b\\bin99999999999999999999 cd\\par}"),
              (Lines{"a", "b"}));
}

// ---------------------------------------------------------------------------

TEST(RtfBroken, MissingClosingBraces) {
    EXPECT_EQ(kb::rtf::read("{\\rtf1 a\\par b{\\i c"), (Lines{"a", "bc"}));
    EXPECT_EQ(kb::rtf::read("{\\rtf1 a\\par{\\*\\generator x"), Lines{"a"});
}

TEST(RtfBroken, BlanksAndNulsAfterTheDocumentArePadding) {
    EXPECT_EQ(kb::rtf::read("{\\rtf1 a\\par}\r\n\0\0 \t"s), Lines{"a"});
    EXPECT_EQ(kb::rtf::read("{\\rtf1 a\\par b}"), (Lines{"a", "b"}));
}

TEST(RtfBroken, TextAfterAnEarlyClosingBraceIsStillRead) {
    // A "}" typed into the text closes the document's group too early; what
    // follows is still its text, and the stray braces are dropped.
    EXPECT_EQ(kb::rtf::read("{\\rtf1 a\\par}}b\\par}"), (Lines{"a", "b"}));
    EXPECT_EQ(readBody("one :-}\\par two\\par three\\par"), (Lines{"one :-", "two", "three"}));
    EXPECT_EQ(readBody("}}}a\\par{b\\par"), (Lines{"a", "b"}));
    // The document's code page still applies after the early end.
    EXPECT_EQ(readBody("}\\'e0\\par"), Lines{w("а")});
}

TEST(RtfBroken, ADestinationWordInTheDocumentsOwnTextHidesNothing) {
    EXPECT_EQ(readBody("a\\par \\*b\\par \\title c\\par \\fonttbl d\\par"),
              (Lines{"a", "b", "c", "d"}));
    // Inside a group of the text it is a destination as always.
    EXPECT_EQ(readBody("a{\\*\\x b}c\\par"), Lines{"ac"});
}

TEST(RtfBroken, BracesTypedIntoAProgramWrittenListKeepEveryLine) {
    Lines lines;
    for (int i = 0; i < 300; ++i)
        lines.push_back("PHRASE " + std::to_string(i) + "^Answer " + std::to_string(i) + ".;");
    const std::string written = kb::rtf::write(lines);
    for (const std::string_view typed : {" :-}", "}}", "{", " :-{", "}{"}) {
        // Typed at the end of line 100, as a text editor would add it.
        std::string edited = written;
        const std::size_t lineStart = edited.find(lines[100] + "\\par");
        ASSERT_NE(lineStart, std::string::npos);
        edited.insert(lineStart + lines[100].size(), typed);
        Lines expected = lines;
        for (char c : typed) {
            if (c != '{' && c != '}')
                expected[100] += c;
        }
        EXPECT_EQ(kb::rtf::read(edited), expected) << typed;
    }
}

TEST(RtfBroken, TextWithoutAnOpeningBraceIsRead) {
    EXPECT_EQ(kb::rtf::read("a}b\\par c{\\*\\x y}d"), (Lines{"ab", "cd"}));
    EXPECT_EQ(kb::rtf::read("\\rtf1 {\\fonttbl{\\f0\\fcharset204 A;}}\\f0\\'e0\\par"),
              Lines{w("а")});
}

TEST(RtfBroken, TruncatedHexEscape) {
    EXPECT_EQ(kb::rtf::read("{\\rtf1 ab\\'e"), Lines{"ab"});
    EXPECT_EQ(kb::rtf::read("{\\rtf1 ab\\'"), Lines{"ab"});
    EXPECT_EQ(readBody("a\\'zzb\\'4zc\\'\\par"), Lines{"azzbzc"});
}

TEST(RtfBroken, TruncatedControlWords) {
    EXPECT_EQ(kb::rtf::read("{\\rtf1 ab\\pa"), Lines{"ab"});
    EXPECT_EQ(kb::rtf::read("{\\rtf1 ab\\"), Lines{"ab"});
    EXPECT_EQ(kb::rtf::read("{\\rtf1 ab\\u"), Lines{"ab"});
    EXPECT_EQ(kb::rtf::read("{\\rtf1 ab\\u-"), Lines{"ab"});
    EXPECT_EQ(kb::rtf::read("{\\rtf1 ab\\bin"), Lines{"ab"});
    EXPECT_EQ(kb::rtf::read("{\\rtf1 ab\\bin12"), Lines{"ab"});
    EXPECT_EQ(kb::rtf::read("{"), Lines{});
    EXPECT_EQ(kb::rtf::read(""), Lines{});
}

TEST(RtfBroken, HugeParametersSaturate) {
    EXPECT_EQ(readBody("\\f99999999999999999999999 a\\fs-99999999999999 b"
                       "\\ansicpg99999999999999999 c\\par"),
              Lines{"abc"});
    // A fallback length beyond any text lasts until the group ends.
    EXPECT_EQ(readBody("{\\uc99999999999999 \\u1103 abc\\par def}x\\par"), Lines{w("я") + "x"});
}

TEST(RtfBroken, NulAndOtherControlBytesAreText) {
    EXPECT_EQ(readBody("a\0b\x01\x1f\x7f\\par"s), Lines{"a\0b\x01\x1f\x7f"s});
}

TEST(RtfBroken, DeepNestingNeedsNoStack) {
    const std::size_t depth = 1'000'000;
    EXPECT_EQ(kb::rtf::read(std::string(depth, '{') + "a" + std::string(depth, '}') + "b"),
              Lines{"ab"});
    EXPECT_EQ(kb::rtf::read("{\\rtf1 x\\par" + std::string(depth, '{') + "a\\par"),
              (Lines{"x", "a"}));
    // The state inside a shallow group still comes back after a deep excursion.
    EXPECT_EQ(readBody("{\\*\\x " + std::string(depth, '{') + "hidden" + std::string(depth, '}') +
                       "}shown\\par"),
              Lines{"shown"});
}

TEST(RtfBroken, VeryLongControlWordIsIgnored) {
    EXPECT_EQ(readBody("a\\" + std::string(1'000'000, 'x') + " b\\par"), Lines{"ab"});
}

// ---------------------------------------------------------------------------

TEST(RtfDetect, RtfAfterOptionalByteOrderMarkAndWhiteSpace) {
    EXPECT_TRUE(kb::rtf::isRtf("{\\rtf"));
    EXPECT_TRUE(kb::rtf::isRtf("{\\rtf1\\ansi x}"));
    EXPECT_TRUE(kb::rtf::isRtf("\xEF\xBB\xBF{\\rtf1}"));
    EXPECT_TRUE(kb::rtf::isRtf("\r\n \t{\\rtf1}"));
    EXPECT_TRUE(kb::rtf::isRtf("\xEF\xBB\xBF \r\n{\\rtf1}"));
    EXPECT_FALSE(kb::rtf::isRtf(""));
    EXPECT_FALSE(kb::rtf::isRtf("{\\rt"));
    EXPECT_FALSE(kb::rtf::isRtf("{\\RTF1}"));
    EXPECT_FALSE(kb::rtf::isRtf("x{\\rtf1}"));
    EXPECT_FALSE(kb::rtf::isRtf("{ \\rtf1}"));
    EXPECT_FALSE(kb::rtf::isRtf("\xEF\xBB{\\rtf1}"));
    EXPECT_FALSE(kb::rtf::isRtf(w("ПРИВЕТ.^Привет!;")));
}

TEST(RtfDetect, ReadSkipsByteOrderMarkAndWhiteSpace) {
    EXPECT_EQ(kb::rtf::read("\xEF\xBB\xBF \r\n{\\rtf1\\ansi a\\par}"), Lines{"a"});
}

} // namespace
