#include "TimersSupport.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMoveEvent>

namespace timers {

MoveRecorder::MoveRecorder(TForm1& window) : window_(window) {
    window_.installEventFilter(this);
}

MoveRecorder::~MoveRecorder() {
    window_.removeEventFilter(this);
}

bool MoveRecorder::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Move) {
        Move move;
        move.position = window_.pos();
        move.inputReadOnly = window_.Input->isReadOnly();
        move.anyMenuEnabled = window_.N1->menuAction()->isEnabled() ||
                              window_.N5->menuAction()->isEnabled() ||
                              window_.N11->menuAction()->isEnabled();
        move.busy = window_.busyCursor();
        moves.push_back(move);
    }
    return false;
}

bool sayUntilFollowUp(test::Program& program, const QString& phrase, bool armed, int attempts) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        program.clock.set(program.clock.millisecondsSinceMidnight() + 7919);
        program.say(phrase);
        if (program.main().T9->enabled() == armed)
            return true;
    }
    return false;
}

QColor lineColour(TForm1& window, int index) {
    return window.displayLineFormat(index).foreground().color();
}

bool sameFont(const QTextCharFormat& a, const QTextCharFormat& b) {
    return a.fontFamilies() == b.fontFamilies() && a.fontPointSize() == b.fontPointSize() &&
           a.fontWeight() == b.fontWeight() && a.fontItalic() == b.fontItalic() &&
           a.fontUnderline() == b.fontUnderline() && a.fontStrikeOut() == b.fontStrikeOut();
}

bool hasFont(const QTextCharFormat& format, const QFont& font) {
    return format.fontFamilies().toStringList() == QStringList{font.family()} &&
           format.fontPointSize() == font.pointSizeF() && format.fontItalic() == font.italic() &&
           (format.fontWeight() >= QFont::Bold) == font.bold();
}

std::string lineBytes(const std::string& utf8) {
    return test::cp1251(utf8) + "\r\n";
}

std::string lastDisplayLine(test::Program& program) {
    const auto lines = program.display();
    return lines.empty() ? std::string() : lines.back();
}

std::string lastTranscriptLine(test::Program& program) {
    const auto lines = program.transcript();
    return lines.empty() ? std::string() : lines.back();
}

int firstDraw(std::uint32_t seed, int n) {
    engine::RandomGenerator generator;
    generator.seed(seed);
    return generator.next(n);
}

std::uint32_t seedDrawingFirst(int n, int value) {
    std::uint32_t seed = 1;
    while (firstDraw(seed, n) != value)
        ++seed;
    return seed;
}

} // namespace timers
