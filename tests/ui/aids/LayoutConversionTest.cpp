// The layout conversion behind "E/R" and Ctrl+S: Latin-layout typing read as
// Russian-layout typing, written back into the input field in one go.

#include "AidsSupport.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace {

using aids::asked;
using aids::field;
using aids::setField;
using engine::Cue;
using test::cp1251;
using test::utf8;

// The keyboard's Latin layout read as the Russian one: typed byte to result.
// Characters that are not in it stay as they are.
const std::map<unsigned char, unsigned char>& russianLayout() {
    static const std::map<unsigned char, unsigned char> table = {
        {0x60, 0xB8}, {0x7E, 0xA8}, {0x71, 0xE9}, {0x51, 0xC9}, {0x77, 0xF6}, {0x57, 0xD6},
        {0x65, 0xF3}, {0x45, 0xD3}, {0x72, 0xEA}, {0x52, 0xCA}, {0x74, 0xE5}, {0x54, 0xC5},
        {0x79, 0xED}, {0x59, 0xCD}, {0x75, 0xE3}, {0x55, 0xC3}, {0x69, 0xF8}, {0x49, 0xD8},
        {0x6F, 0xF9}, {0x4F, 0xD9}, {0x70, 0xE7}, {0x50, 0xC7}, {0x5B, 0xF5}, {0x7B, 0xD5},
        {0x5D, 0xFA}, {0x7D, 0xDA}, {0x61, 0xF4}, {0x41, 0xD4}, {0x73, 0xFB}, {0x53, 0xDB},
        {0x64, 0xE2}, {0x44, 0xC2}, {0x66, 0xE0}, {0x46, 0xC0}, {0x67, 0xEF}, {0x47, 0xCF},
        {0x68, 0xF0}, {0x48, 0xD0}, {0x6A, 0xEE}, {0x4A, 0xCE}, {0x6B, 0xEB}, {0x4B, 0xCB},
        {0x6C, 0xE4}, {0x4C, 0xC4}, {0x3B, 0xE6}, {0x3A, 0xC6}, {0x22, 0xDD}, {0x7A, 0xFF},
        {0x5A, 0xDF}, {0x78, 0xF7}, {0x58, 0xD7}, {0x63, 0xF1}, {0x43, 0xD1}, {0x76, 0xEC},
        {0x56, 0xCC}, {0x62, 0xE8}, {0x42, 0xC8}, {0x6E, 0xF2}, {0x4E, 0xD2}, {0x6D, 0xFC},
        {0x4D, 0xDC}, {0x3C, 0xE1}, {0x3E, 0xFE}, {0x2F, 0x2E}, {0x40, 0x22}, {0x23, 0xB9},
        {0x24, 0x3B}, {0x5E, 0x3A}, {0x26, 0x3F}, {0x5C, 0x5C}, {0x7C, 0x2F},
    };
    return table;
}

std::string expectedConversion(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        const auto rule = russianLayout().find(static_cast<unsigned char>(c));
        if (rule != russianLayout().end())
            c = static_cast<char>(rule->second);
    }
    return out;
}

class LayoutConversionTest : public ::testing::Test {
protected:
    // Converts the field's text with "E/R" and tells what the write saw.
    struct Outcome {
        std::string text;
        int writes = 0;
        int layoutCues = 0;
        int keyboardCues = 0;
        bool layoutCueBeforeWrite = true;
    };
    Outcome convert(const std::string& utf8Text) {
        TForm1& window = program.main();
        setField(window, cp1251(utf8Text));
        const int layoutBefore = asked(window, Cue::Layout);
        const int keyboardBefore = asked(window, Cue::KeyBoard);
        Outcome outcome;
        const auto connection = QObject::connect(window.Input, &QLineEdit::textChanged, [&] {
            ++outcome.writes;
            if (asked(window, Cue::Layout) == layoutBefore)
                outcome.layoutCueBeforeWrite = false;
        });
        window.EnRusClick();
        QObject::disconnect(connection);
        outcome.text = utf8(field(window));
        outcome.layoutCues = asked(window, Cue::Layout) - layoutBefore;
        outcome.keyboardCues = asked(window, Cue::KeyBoard) - keyboardBefore;
        return outcome;
    }

    aids::BaseDirectory dir;
    test::MessageLog boxes;
    test::Program program{dir};
};

TEST_F(LayoutConversionTest, LatinLayoutTypingBecomesRussianInOneWriteAfterTheLayoutCue) {
    const std::pair<const char*, const char*> cases[] = {
        {"ghbdtn", "привет"},
        {"Ghbdtn, vbh!", "Привет, мир!"},
        {"QWERTY", "ЙЦУКЕН"},
    };
    for (const auto& [typed, converted] : cases) {
        SCOPED_TRACE(typed);
        const Outcome outcome = convert(typed);
        EXPECT_EQ(outcome.text, converted);
        EXPECT_EQ(outcome.writes, 1);
        EXPECT_EQ(outcome.keyboardCues, 1);
        EXPECT_EQ(outcome.layoutCues, 1);
        EXPECT_TRUE(outcome.layoutCueBeforeWrite);
    }
    EXPECT_TRUE(boxes.messages.isEmpty())
        << boxes.messages.join(QStringLiteral(" | ")).toStdString();
}

TEST_F(LayoutConversionTest, TextWithNothingToConvertIsNotWrittenAndOnlyTheLayoutCueSounds) {
    const char* cases[] = {
        "0123456789", " !%'()*+,-.=?_", "Привет, мир!", "ёлка 2024 года", "\\",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        const Outcome outcome = convert(text);
        EXPECT_EQ(outcome.text, text);
        EXPECT_EQ(outcome.writes, 0);
        EXPECT_EQ(outcome.keyboardCues, 0);
        EXPECT_EQ(outcome.layoutCues, 1);
    }
}

TEST_F(LayoutConversionTest, SomePunctuationChangesAgainAtTheSecondConversion) {
    const std::vector<std::vector<const char*>> chains = {
        {"@", "\"", "Э"},
        {"$", ";", "ж"},
        {"^", ":", "Ж"},
        {"|", "/", "."},
    };
    for (const auto& chain : chains) {
        SCOPED_TRACE(chain.front());
        EXPECT_EQ(convert(chain[0]).text, chain[1]);
        EXPECT_EQ(convert(chain[1]).text, chain[2]);
        // The third conversion finds nothing left to change.
        EXPECT_EQ(convert(chain[2]).writes, 0);
    }
    // Letters, once Cyrillic, stay.
    EXPECT_EQ(convert("ghbdtn").text, "привет");
    EXPECT_EQ(convert("привет").writes, 0);
}

TEST_F(LayoutConversionTest, AFullFieldKeepsItsLength) {
    std::string typed;
    while (typed.size() < 255)
        typed += "ghbdtn ";
    typed.resize(255);
    TForm1& window = program.main();
    setField(window, typed);
    ASSERT_EQ(field(window).size(), 255u);
    window.EnRusClick();
    EXPECT_EQ(field(window).size(), 255u);
    EXPECT_EQ(field(window), expectedConversion(typed));
}

TEST_F(LayoutConversionTest, CtrlSConvertsWhileTheButtonIsGreyed) {
    TForm1& window = program.main();
    window.T1Timer(); // the poller greys "E/R" on the empty field
    setField(window, "ghbdtn");
    ASSERT_FALSE(window.EnRus->isEnabled());
    window.N36Click();
    EXPECT_EQ(utf8(field(window)), "привет");
    EXPECT_EQ(asked(window, Cue::Layout), 1);
}

TEST_F(LayoutConversionTest, CtrlSOnAnEmptyFieldOnlySoundsTheLayoutCue) {
    TForm1& window = program.main();
    const int keyboardBefore = asked(window, Cue::KeyBoard);
    window.N36Click();
    EXPECT_TRUE(window.Input->text().isEmpty());
    EXPECT_EQ(asked(window, Cue::Layout), 1);
    EXPECT_EQ(asked(window, Cue::KeyBoard), keyboardBefore);
}

TEST_F(LayoutConversionTest, TheCtrlSShortcutReachesTheConversion) {
    TForm1& window = program.main();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    setField(window, "ghbdtn");
    QTest::keyClick(window.Input, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(utf8(field(window)), "привет");
    EXPECT_EQ(asked(window, Cue::Layout), 1);
}

TEST_F(LayoutConversionTest, ADollarSignBecomesAMarkerThatTheInputGuardThenErases) {
    TForm1& window = program.main();
    setField(window, "ghbdtn$");
    window.EnRusClick();
    ASSERT_EQ(utf8(field(window)), "привет;");
    for (int tick = 0; tick < 7 && !window.Input->text().isEmpty(); ++tick)
        window.T5Timer();
    EXPECT_TRUE(window.Input->text().isEmpty());
}

// Over many texts typed in the Latin layout, every character becomes what
// the layout table says, and the text keeps its length.
TEST_F(LayoutConversionTest, EveryCharacterMapsByTheLayoutTable) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> length(1, 255);
    std::uniform_int_distribution<int> printable(0x20, 0x7E);
    TForm1& window = program.main();
    for (int round = 0; round < 200; ++round) {
        std::string typed(static_cast<std::size_t>(length(random)), ' ');
        for (char& c : typed)
            c = static_cast<char>(printable(random));
        setField(window, typed);
        const int keyboardBefore = asked(window, Cue::KeyBoard);
        window.EnRusClick();
        const std::string converted = field(window);
        const std::string expected = expectedConversion(typed);
        ASSERT_EQ(converted.size(), typed.size()) << typed;
        ASSERT_EQ(converted, expected) << typed;
        ASSERT_EQ(asked(window, Cue::KeyBoard) - keyboardBefore, expected == typed ? 0 : 1)
            << typed;
    }
    // Every printable character at once, each rule among them.
    std::string all;
    for (int c = 0x20; c <= 0x7E; ++c)
        all += static_cast<char>(c);
    setField(window, all);
    window.EnRusClick();
    EXPECT_EQ(field(window), expectedConversion(all));
}

} // namespace
