// Nothing learned or written by hand is lost: not by a brace typed into an
// RTF Words.Dat, not by another copy of the program learning on the same Base
// at the same time.

#include "Support.h"

#include "kb/Cp1251.h"
#include "kb/Rtf.h"

#include <algorithm>
#include <fstream>
#include <thread>

namespace {

using namespace enginetest;

class SharedBaseTest : public TalkFixture {};

TEST_F(SharedBaseTest, ABraceTypedIntoAProgramWrittenWordsDatLosesNoLineAtTheNextSave) {
    kb::Lines lines{cp("База фраз")};
    for (int i = 1; i < 150; ++i)
        lines.push_back(cp("ФРАЗА НОМЕР ") + std::to_string(i) + ".^" + cp("Ответ.;"));
    std::string document = kb::rtf::write(lines);
    // A smiley at the end of line 100, typed with a text editor.
    const std::size_t end100 = document.find("100.^");
    ASSERT_NE(end100, std::string::npos);
    document.insert(document.find("\\par", end100), " :-}");
    std::ofstream(dir.path() / "Base/Words.Dat", std::ios::binary | std::ios::trunc) << document;

    setPrevReply("Как дела?");
    say("всё отлично");

    const Utf8Lines words = readBase("Words.Dat");
    ASSERT_EQ(words.size(), 151u);
    EXPECT_EQ(words[100], "ФРАЗА НОМЕР 100.^Ответ.; :-");
    EXPECT_EQ(words[149], "ФРАЗА НОМЕР 149.^Ответ.;");
    EXPECT_EQ(words[150], "ВСЁ ОТЛИЧНО.^");
}

// One copy of the program: its own store, window and clock, as another
// process would have them.
struct Copy {
    explicit Copy(const std::filesystem::path& root) : store(root), talk(store, window, clock) {}
    kb::FileStore store;
    FakeWindow window;
    engine::FixedClock clock{1000};
    engine::Conversation talk;
};

TEST_F(SharedBaseTest, TwoCopiesLearningAtOnceLoseNothing) {
    // Every phrase is a new question, always answered «Не знаю.» from W1.Dat,
    // so each turn learns three things: a W2.Dat line, a Words.Dat line and
    // an alternative of НЕ ЗНАЮ.
    writeWords({"База фраз", "НЕ ЗНАЮ.^"});
    constexpr int kTurns = 40;
    Copy first(dir.path());
    Copy second(dir.path());
    const auto learn = [](Copy& copy, const std::string& name) {
        copy.talk.state().PrevReply = cp(kQuestionAnswer);
        for (int i = 0; i < kTurns; ++i) {
            copy.window.input = cp("слово ") + name + std::to_string(i) + "?";
            copy.talk.speak();
        }
    };
    std::thread one(learn, std::ref(first), "a");
    std::thread two(learn, std::ref(second), "b");
    one.join();
    two.join();

    const Utf8Lines words = readBase("Words.Dat");
    const Utf8Lines w2 = readBase("W2.Dat");
    const auto answered = std::find_if(words.begin(), words.end(),
                                       [](const std::string& line) { return line.starts_with("НЕ ЗНАЮ.^"); });
    ASSERT_NE(answered, words.end());
    for (const std::string name : {"a", "b"}) {
        for (int i = 0; i < kTurns; ++i) {
            const std::string phrase = "Слово " + name + std::to_string(i) + "?";
            const std::string learned = "СЛОВО " + kb::upperCase(name) + std::to_string(i) + "?^";
            EXPECT_EQ(std::count(words.begin(), words.end(), learned), 1) << phrase;
            EXPECT_EQ(std::count(w2.begin(), w2.end(), phrase), 1) << phrase;
            EXPECT_TRUE(answered->find("^" + phrase + ";") != std::string::npos ||
                        answered->find(";" + phrase + ";") != std::string::npos)
                << phrase;
        }
    }
    EXPECT_EQ(words.size(), 2u + 2 * kTurns);
}

} // namespace
