// The on-screen keyboard: a phrase composed and sent with the mouse while
// the main window is disabled.

#include "AidsSupport.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using aids::asked;
using aids::field;
using aids::setField;
using engine::Cue;
using test::cp1251;
using test::utf8;
using Lines = std::vector<std::string>;

struct KeyRow {
    const char* name;
    int left;
    const char* caption; // UTF-8, as stored
    unsigned char small;
    unsigned char capital;
};

const KeyRow kSignRow1[] = {
    {"SB4", 25, "#", 0x23, 0x23},   {"SB5", 41, "$", 0x24, 0x24},    {"SB6", 57, "%", 0x25, 0x25},
    {"SB7", 73, "&&", 0x26, 0x26},  {"Sd8", 89, "*", 0x2A, 0x2A},    {"SB13", 105, "+", 0x2B, 0x2B},
    {"SB14", 121, "=", 0x3D, 0x3D}, {"SB15", 137, "\\", 0x5C, 0x5C}, {"SB16", 153, "|", 0x7C, 0x7C},
    {"SB17", 169, "/", 0x2F, 0x2F}, {"SB18", 185, "[", 0x5B, 0x5B},  {"SB19", 201, "]", 0x5D, 0x5D},
    {"SB20", 217, "{", 0x7B, 0x7B}, {"SB21", 233, "}", 0x7D, 0x7D},  {"SB64", 249, "~", 0x7E, 0x7E},
    {"SB65", 265, "`", 0x60, 0x60},
};
const KeyRow kSignRow2[] = {
    {"SB28", 65, ",", 0x2C, 0x2C},  {"SB27", 81, ".", 0x2E, 0x2E},  {"SB2", 97, "!", 0x21, 0x21},
    {"SB22", 113, "?", 0x3F, 0x3F}, {"SB9", 129, "(", 0x28, 0x28},  {"SB10", 145, ")", 0x29, 0x29},
    {"SB11", 161, "-", 0x2D, 0x2D}, {"SB12", 177, ":", 0x3A, 0x3A}, {"SB24", 193, "\"", 0x22, 0x22},
    {"SB25", 209, "<", 0x3C, 0x3C}, {"SB26", 225, ">", 0x3E, 0x3E},
};
const KeyRow kLetterRow1[] = {
    {"SB29", 8, "А", 0xE0, 0xC0},   {"SB30", 25, "Б", 0xE1, 0xC1},  {"SB31", 42, "В", 0xE2, 0xC2},
    {"SB32", 59, "Г", 0xE3, 0xC3},  {"SB33", 76, "Д", 0xE4, 0xC4},  {"SB34", 93, "Е", 0xE5, 0xC5},
    {"SB35", 110, "Ё", 0xB8, 0xA8}, {"SB36", 127, "Ж", 0xE6, 0xC6}, {"SB37", 144, "З", 0xE7, 0xC7},
    {"SB38", 161, "И", 0xE8, 0xC8}, {"SB39", 178, "Й", 0xE9, 0xC9}, {"SB40", 195, "К", 0xEA, 0xCA},
    {"SB41", 212, "Л", 0xEB, 0xCB}, {"SB42", 229, "М", 0xEC, 0xCC}, {"SB43", 246, "Н", 0xED, 0xCD},
    {"SB44", 263, "О", 0xEE, 0xCE}, {"SB45", 280, "П", 0xEF, 0xCF},
};
const KeyRow kLetterRow2[] = {
    {"SB46", 16, "Р", 0xF0, 0xD0},  {"SB47", 33, "С", 0xF1, 0xD1},  {"SB48", 50, "Т", 0xF2, 0xD2},
    {"SB49", 67, "У", 0xF3, 0xD3},  {"SB50", 84, "Ф", 0xF4, 0xD4},  {"SB51", 101, "Х", 0xF5, 0xD5},
    {"SB52", 118, "Ц", 0xF6, 0xD6}, {"SB53", 135, "Ч", 0xF7, 0xD7}, {"SB54", 152, "Ш", 0xF8, 0xD8},
    {"SB55", 169, "Щ", 0xF9, 0xD9}, {"SB56", 186, "Ъ", 0xFA, 0xDA}, {"SB57", 203, "Ы", 0xFB, 0xDB},
    {"SB58", 220, "Ь", 0xFC, 0xDC}, {"SB59", 237, "Э", 0xFD, 0xDD}, {"SB60", 254, "Ю", 0xFE, 0xDE},
    {"SB61", 271, "Я", 0xFF, 0xDF},
};

struct Placed {
    const KeyRow& key;
    int top;
    int width;
    bool letter;
};

std::vector<Placed> allKeys() {
    std::vector<Placed> keys;
    for (const KeyRow& key : kSignRow1)
        keys.push_back({key, 16, 16, false});
    for (const KeyRow& key : kSignRow2)
        keys.push_back({key, 33, 16, false});
    for (const KeyRow& key : kLetterRow1)
        keys.push_back({key, 16, 17, true});
    for (const KeyRow& key : kLetterRow2)
        keys.push_back({key, 33, 17, true});
    return keys;
}

class OnScreenKeyboardTest : public ::testing::Test {
protected:
    TForm1& main() { return program.main(); }
    TForm4& keyboard() { return *program.form4; }
    QToolButton* key(const char* name) {
        QToolButton* button = keyboard().key(QString::fromLatin1(name));
        EXPECT_NE(button, nullptr) << name;
        return button;
    }
    // Clicks letter keys by their captions.
    void press(const QString& captions) {
        for (const QChar caption : captions) {
            QToolButton* found = nullptr;
            for (const auto& [name, button] : keyboard().keys()) {
                if (button->parentWidget() == keyboard().letters && button->text() == caption)
                    found = button;
            }
            ASSERT_NE(found, nullptr) << int(caption.unicode());
            found->click();
        }
    }

    aids::BaseDirectory dir;
    test::MessageLog boxes;
    test::Program program{dir};
};

TEST_F(OnScreenKeyboardTest, OpeningStopsThePollerBeforeItDisablesTheMainWindow) {
    bool pollerRanWhenDisabled = true;
    aids::EnabledChangeWatch watch(&main(), [&](bool enabled) {
        if (!enabled)
            pollerRanWhenDisabled = main().T1->enabled();
    });
    main().N22Click();
    EXPECT_FALSE(pollerRanWhenDisabled);
    EXPECT_FALSE(main().T1->enabled());
    EXPECT_FALSE(main().isEnabled());
    EXPECT_TRUE(keyboard().isVisible());
    EXPECT_TRUE(keyboard().isEnabled());
    EXPECT_TRUE(keyboard().T1->enabled());
}

TEST_F(OnScreenKeyboardTest, OpeningAgainStartsTheKeyboardsPollerThatHidingStopped) {
    EXPECT_TRUE(keyboard().T1->enabled()); // running from creation
    EXPECT_EQ(keyboard().T1->interval(), 1);
    main().N22Click();
    keyboard().N2Click();
    ASSERT_FALSE(keyboard().T1->enabled());
    main().N22Click();
    EXPECT_TRUE(keyboard().T1->enabled());
}

TEST_F(OnScreenKeyboardTest, TheWindowHasItsCaptionMenuAndSpecialKeys) {
    EXPECT_EQ(keyboard().windowTitle(), QStringLiteral("Виртуальная клавиатура"));
    EXPECT_FALSE(keyboard().windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(keyboard().windowFlags().testFlag(Qt::WindowSystemMenuHint));
    ASSERT_NE(keyboard().menu, nullptr);
    const QList<QAction*> menus = keyboard().menu->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&Система"));
    ASSERT_NE(menus[0]->menu(), nullptr);
    EXPECT_EQ(menus[0]->menu()->actions(), QList<QAction*>{keyboard().N2});
    EXPECT_EQ(keyboard().N2->text(), QStringLiteral("С&крыть виртуальную клавиатуру"));

    EXPECT_EQ(keyboard().signs->title(), QStringLiteral("Знаки:"));
    EXPECT_EQ(keyboard().signs->geometry(), QRect(3, 3, 305, 57));
    EXPECT_EQ(keyboard().letters->title(), QStringLiteral("Буквы:"));
    EXPECT_EQ(keyboard().letters->geometry(), QRect(3, 60, 305, 57));
    EXPECT_EQ(keyboard().signs->parentWidget()->size(), QSize(353, 145));

    EXPECT_EQ(keyboard().SB62->text(), QStringLiteral("Bcksp"));
    EXPECT_EQ(keyboard().SB62->geometry(), QRect(310, 9, 41, 50));
    EXPECT_EQ(keyboard().SB66->text(), QStringLiteral("[Enter]"));
    EXPECT_EQ(keyboard().SB66->geometry(), QRect(310, 65, 41, 51));
    EXPECT_EQ(keyboard().SB23->text(), QStringLiteral("Пробел"));
    EXPECT_EQ(keyboard().SB23->geometry(), QRect(26, 119, 134, 22));
    EXPECT_EQ(keyboard().SB63->text(), QStringLiteral("Caps Lock [не нажат]"));
    EXPECT_EQ(keyboard().SB63->geometry(), QRect(161, 119, 123, 22));
    for (QToolButton* special :
         {keyboard().SB62, keyboard().SB66, keyboard().SB23, keyboard().SB63})
        EXPECT_EQ(special->parentWidget(), keyboard().signs->parentWidget());
}

TEST_F(OnScreenKeyboardTest, KeysNeverTakeTheFocus) {
    for (const auto& [name, button] : keyboard().keys())
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << name.toStdString();
    for (QToolButton* special :
         {keyboard().SB62, keyboard().SB66, keyboard().SB23, keyboard().SB63})
        EXPECT_EQ(special->focusPolicy(), Qt::NoFocus) << special->text().toStdString();
}

TEST_F(OnScreenKeyboardTest, CapsLockTogglesBetweenSmallLettersAndCapitals) {
    main().N22Click();
    ASSERT_EQ(keyboard().CapsState, 0);
    press(QStringLiteral("ПРИВЕТ"));
    EXPECT_EQ(utf8(field(main())), "привет");

    setField(main(), "");
    keyboard().SB63->click();
    EXPECT_EQ(keyboard().CapsState, 1);
    EXPECT_EQ(keyboard().SB63->text(), QStringLiteral("Caps Lock [нажат]"));
    press(QStringLiteral("ПРИВЕТ"));
    EXPECT_EQ(utf8(field(main())), "ПРИВЕТ");

    setField(main(), "");
    keyboard().SB63->click();
    EXPECT_EQ(keyboard().CapsState, 0);
    EXPECT_EQ(keyboard().SB63->text(), QStringLiteral("Caps Lock [не нажат]"));
    press(QStringLiteral("ПРИВЕТ"));
    EXPECT_EQ(utf8(field(main())), "привет");
}

TEST_F(OnScreenKeyboardTest, EveryKeyAppendsItsCharacterInEitherCaseAndSoundsTheTypingCue) {
    main().N22Click();
    for (int caps = 0; caps < 2; ++caps) {
        for (const Placed& p : allKeys()) {
            SCOPED_TRACE(std::string(p.key.name) + (caps ? " caps" : ""));
            setField(main(), cp1251("ы"));
            const int cues = asked(main(), Cue::KeyBoard);
            key(p.key.name)->click();
            const char expected = static_cast<char>(caps ? p.key.capital : p.key.small);
            EXPECT_EQ(field(main()), cp1251("ы") + expected);
            EXPECT_EQ(asked(main(), Cue::KeyBoard) - cues, 1);
        }
        keyboard().SB63->click();
    }
    setField(main(), cp1251("ы"));
    const int cues = asked(main(), Cue::KeyBoard);
    keyboard().SB23->click();
    EXPECT_EQ(utf8(field(main())), "ы ");
    keyboard().SB62->click();
    EXPECT_EQ(utf8(field(main())), "ы");
    EXPECT_EQ(asked(main(), Cue::KeyBoard) - cues, 2);
}

TEST_F(OnScreenKeyboardTest, AKeyAppendsAtTheEndWhateverTheCaretAndTheSelection) {
    main().N22Click();
    setField(main(), cp1251("абв"));
    main().Input->setCursorPosition(0);
    key("SB32")->click(); // Г
    EXPECT_EQ(utf8(field(main())), "абвг");

    main().Input->setSelection(0, 2);
    key("SB33")->click(); // Д
    EXPECT_EQ(utf8(field(main())), "абвгд");

    main().Input->setCursorPosition(1);
    keyboard().SB62->click();
    EXPECT_EQ(utf8(field(main())), "абвг");
}

TEST_F(OnScreenKeyboardTest, KeysAppendBeyondTheTypingLimit) {
    main().N22Click();
    setField(main(), std::string(255, cp1251("а")[0]));
    ASSERT_EQ(field(main()).size(), 255u);
    key("SB45")->click();
    keyboard().SB23->click();
    EXPECT_EQ(field(main()).size(), 257u);
    EXPECT_EQ(utf8(field(main()).substr(255)), "п ");
}

TEST_F(OnScreenKeyboardTest, BackspaceOnTheLastCharacterEmptiesTheFieldAndThePollerGreysTheKeys) {
    main().N22Click();
    setField(main(), cp1251("я"));
    keyboard().T1Timer();
    ASSERT_TRUE(keyboard().SB62->isEnabled());
    ASSERT_TRUE(keyboard().SB66->isEnabled());
    keyboard().SB62->click();
    EXPECT_TRUE(main().Input->text().isEmpty());
    keyboard().T1Timer();
    EXPECT_FALSE(keyboard().SB62->isEnabled());
    EXPECT_FALSE(keyboard().SB66->isEnabled());
    EXPECT_TRUE(keyboard().SB23->isEnabled());
    EXPECT_TRUE(key("SB29")->isEnabled());

    // On an empty field the key changes nothing, even when clicked from code.
    const int cues = asked(main(), Cue::KeyBoard);
    keyboard().SB62Click();
    EXPECT_TRUE(main().Input->text().isEmpty());
    EXPECT_EQ(asked(main(), Cue::KeyBoard), cues);
}

TEST_F(OnScreenKeyboardTest, EnterSendsThePhraseAsTheSendButtonDoesAndTheKeyboardStaysOpen) {
    aids::BaseDirectory otherDir;
    test::Program reference(otherDir);
    reference.main().Input->setText(QStringLiteral("привет"));
    reference.main().SpeakClick();

    main().N22Click();
    press(QStringLiteral("ПРИВЕТ"));
    keyboard().T1Timer();
    ASSERT_TRUE(keyboard().SB66->isEnabled());
    keyboard().SB66->click();

    EXPECT_EQ(program.display(), reference.display());
    EXPECT_EQ(program.transcript(), reference.transcript());
    EXPECT_EQ(program.display(), (Lines{"Привет.", "Привет!"}));
    EXPECT_TRUE(main().Input->text().isEmpty());
    EXPECT_TRUE(keyboard().isVisible());
    EXPECT_FALSE(main().isEnabled());
    EXPECT_FALSE(main().T1->enabled());
    keyboard().T1Timer();
    EXPECT_FALSE(keyboard().SB62->isEnabled());
    EXPECT_FALSE(keyboard().SB66->isEnabled());
    EXPECT_TRUE(boxes.messages.isEmpty())
        << boxes.messages.join(QStringLiteral(" | ")).toStdString();
}

TEST_F(OnScreenKeyboardTest, HidingStopsItsPollerThenRestartsTheMainPollerThenEnablesTheWindow) {
    main().N22Click();
    bool mainPollerOn = false;
    bool keyboardPollerOn = true;
    aids::EnabledChangeWatch watch(&main(), [&](bool enabled) {
        if (enabled) {
            mainPollerOn = main().T1->enabled();
            keyboardPollerOn = keyboard().T1->enabled();
        }
    });
    keyboard().N2->trigger();
    EXPECT_TRUE(mainPollerOn);
    EXPECT_FALSE(keyboardPollerOn);
    EXPECT_TRUE(main().isEnabled());
    EXPECT_TRUE(main().T1->enabled());
    EXPECT_FALSE(keyboard().T1->enabled());
    EXPECT_FALSE(keyboard().isVisible());
}

TEST_F(OnScreenKeyboardTest, TheCaseStateIsKeptBetweenOpenings) {
    main().N22Click();
    keyboard().SB63->click();
    keyboard().N2Click();
    main().N22Click();
    EXPECT_EQ(keyboard().CapsState, 1);
    EXPECT_EQ(keyboard().SB63->text(), QStringLiteral("Caps Lock [нажат]"));
    key("SB61")->click();
    EXPECT_EQ(utf8(field(main())), "Я");
}

TEST_F(OnScreenKeyboardTest, ClosedByTheWindowManagerItRestoresTheMainWindowAsItsMenuDoes) {
    main().N22Click();
    EXPECT_TRUE(keyboard().close());
    EXPECT_FALSE(keyboard().isVisible());
    EXPECT_TRUE(main().isEnabled());
    EXPECT_TRUE(main().T1->enabled());
    EXPECT_FALSE(keyboard().T1->enabled());
}

TEST_F(OnScreenKeyboardTest, ItOpensInTheCentreOfTheDesktop) {
    main().N22Click();
    const QRect desktop = keyboard().screen()->availableGeometry();
    const QPoint offset = keyboard().frameGeometry().center() - desktop.center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

} // namespace
