#pragma once

// What the tests of the timed steps and the dialogue modes share: a fixture
// with a small knowledge base, a recorder of the main window's moves, and
// means to reach a particular outcome of the program's random draws.

#include "Support.h"

#include <QObject>
#include <QPoint>
#include <QTextCharFormat>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace timers {

using Lines = std::vector<std::string>;

// Every test runs on a fresh working directory holding the small knowledge
// base, with message boxes collected instead of shown.
class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() { dir.writeSmallBase(); }
    test::WorkingDirectory dir;
    test::MessageLog boxes;
};

// One move of a window and how the main window looked while it was made.
struct Move {
    QPoint position;
    bool inputReadOnly = false;
    bool anyMenuEnabled = false;
    bool busy = false;
};

// Records every move of the main window while it lives.
class MoveRecorder : public QObject {
public:
    explicit MoveRecorder(TForm1& window);
    ~MoveRecorder() override;
    std::vector<Move> moves;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TForm1& window_;
};

// Says `phrase` again and again, each time at another clock value, until a
// turn leaves the follow-up timer armed (or disarmed, when `armed` is false).
// False when no turn of `attempts` did.
bool sayUntilFollowUp(test::Program& program, const QString& phrase, bool armed, int attempts = 60);

// The colour and the font a display line was written with.
QColor lineColour(TForm1& window, int index);
bool sameFont(const QTextCharFormat& a, const QTextCharFormat& b);
bool hasFont(const QTextCharFormat& format, const QFont& font);

// A file's bytes: the UTF-8 text in Windows-1251, ended by CR LF.
std::string lineBytes(const std::string& utf8);

// The last line of the display and of the transcript, in UTF-8.
std::string lastDisplayLine(test::Program& program);
std::string lastTranscriptLine(test::Program& program);

// Random(n) as first drawn after seeding the generator with `seed`: what a
// step that re-seeds from that clock value, or starts from that state, draws.
int firstDraw(std::uint32_t seed, int n);
// The smallest seed from 1 on whose first draw of Random(n) is `value`.
std::uint32_t seedDrawingFirst(int n, int value);

} // namespace timers
