// talkbase-console: the reply engine on a knowledge base, from a terminal.
// Every line of standard input is a phrase typed into the input field; every
// transcript line of the turn is printed.

#include "engine/Conversation.h"
#include "engine/HeadlessWindow.h"
#include "kb/Cp1251.h"
#include "kb/FileError.h"

#include <clocale>
#include <cstdio>
#include <chrono>
#include <ctime>
#include <iostream>
#include <poll.h>
#include <thread>
#include <unistd.h>
#include <memory>
#include <optional>
#include <string>

namespace {

struct Options {
    std::string dir = ".";
    std::optional<std::uint32_t> clock;
    bool explain = false;
    bool followUps = true;
    bool logOnExit = false;
    std::optional<std::string> exchange; // the mode Cpu\Cpu on this file
    int interval = 1000;
    int turns = -1; // -1: until the end of input
};

constexpr const char* kUsage =
    "usage: talkbase-console [--dir DIR] [--clock HH:MM:SS.mmm] [--explain] [--no-follow-ups] "
    "[--log-on-exit] [--exchange PATH [--interval MS] [--turns N]]";

std::optional<int> parseNumber(const std::string& text, int least, int most) {
    try {
        std::size_t used = 0;
        const long value = std::stol(text, &used);
        if (used != text.size() || value < least || value > most)
            return std::nullopt;
        return static_cast<int>(value);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<std::uint32_t> parseClock(const std::string& text) {
    unsigned hours = 0, minutes = 0, seconds = 0, millis = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%2u:%2u:%2u.%3u%c", &hours, &minutes, &seconds, &millis,
                    &tail) != 4 ||
        hours > 23 || minutes > 59 || seconds > 59)
        return std::nullopt;
    return ((hours * 60 + minutes) * 60 + seconds) * 1000 + millis;
}

std::optional<Options> parseArguments(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--dir" && hasValue) {
            options.dir = argv[++i];
        } else if (argument == "--clock" && hasValue) {
            options.clock = parseClock(argv[++i]);
            if (!options.clock)
                return std::nullopt;
        } else if (argument == "--explain") {
            options.explain = true;
        } else if (argument == "--no-follow-ups") {
            options.followUps = false;
        } else if (argument == "--log-on-exit") {
            options.logOnExit = true;
        } else if (argument == "--exchange" && hasValue) {
            options.exchange = argv[++i];
        } else if (argument == "--interval" && hasValue) {
            const auto value = parseNumber(argv[++i], 1, 60000);
            if (!value)
                return std::nullopt;
            options.interval = *value;
        } else if (argument == "--turns" && hasValue) {
            const auto value = parseNumber(argv[++i], 0, 1'000'000);
            if (!value)
                return std::nullopt;
            options.turns = *value;
        } else {
            return std::nullopt;
        }
    }
    if (!options.exchange && (options.turns >= 0 || options.interval != 1000))
        return std::nullopt; // --interval and --turns belong to --exchange
    return options;
}

// Text in the terminal's encoding (UTF-8 or ASCII) to Windows-1251 and back.
std::string fromTerminal(const std::string& text) {
    return kb::utf8ToCp1251(text);
}

std::string toTerminal(const std::string& text) {
    return kb::cp1251ToUtf8(text);
}

// Date and time for the log block, in the conventions of the user's locale.
struct LogStamp {
    std::string date;
    std::string time;
};

LogStamp systemDateAndTime() {
    std::setlocale(LC_TIME, "");
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[64] = {};
    char time[64] = {};
    std::strftime(date, sizeof date, "%x", &local);
    std::strftime(time, sizeof time, "%X", &local);
    std::setlocale(LC_TIME, "C");
    return {fromTerminal(date), fromTerminal(time)};
}

const char* sourceName(engine::AnswerSource source) {
    switch (source) {
    case engine::AnswerSource::Repeat:
        return "repeat rule (Base\\Povtor.Dat)";
    case engine::AnswerSource::Censor:
        return "censor rule (Base\\X.Dat)";
    case engine::AnswerSource::LongInput:
        return "long input (Base\\BigString.Dat)";
    case engine::AnswerSource::FollowUp:
        return "follow-up search";
    case engine::AnswerSource::MainScan:
        return "main scan";
    case engine::AnswerSource::QuestionRule:
        return "question rule";
    case engine::AnswerSource::None:
        break;
    }
    return "no answer";
}

class Driver {
public:
    Driver(const Options& options)
        : options_(options), store_(options.dir),
          clock_(options.clock ? std::unique_ptr<engine::Clock>(
                                     std::make_unique<engine::FixedClock>(*options.clock))
                               : std::make_unique<engine::SystemClock>()),
          conversation_(store_, window_, *clock_) {}

    void typePhrase(const std::string& typed) {
        // The input field takes at most 255 characters.
        window_.setInputText(typed.substr(0, 255));
        bool turned = false;
        run([&] { turned = conversation_.speak(); });
        afterTurn(turned);
    }

    // The mode Cpu\Cpu: at every interval (the first after 3000 ms) the
    // exchange file is read and answered, and the answer written back.
    void exchange() {
        window_.setCpuCpu(true);
        window_.setExchangePath(fromTerminal(*options_.exchange));
        int delay = 3000;
        bool reported = false;
        for (int done = 0; options_.turns < 0 || done < options_.turns;) {
            if (!waitOrInputEnds(delay))
                break;
            const int before = conversation_.transcript().count();
            try {
                conversation_.loadExchange();
                delay = options_.interval;
                const bool turned = conversation_.speak();
                printFrom(before);
                afterTurn(turned);
                done += turned ? 1 : 0;
                reported = false;
            } catch (const std::exception& error) {
                // Reported once until the exchange works again, as the window does.
                printFrom(before);
                if (!reported)
                    std::cerr << toTerminal(kb::withFullStop(error.what())) << '\n';
                reported = true;
            }
        }
    }

    void finish() {
        if (!options_.logOnExit)
            return;
        const LogStamp stamp = systemDateAndTime();
        run([&] { conversation_.appendTranscriptToLog(stamp.date, stamp.time); });
    }

private:
    void afterTurn(bool turned) {
        if (!turned)
            return;
        const std::string& journalError = conversation_.lastTurn().journalError;
        if (!journalError.empty() && !journalReported_) {
            // Said once: the journal is no part of the knowledge base, and
            // the turns go on learning without it.
            std::cerr << "talkbase-console: the learning journal is not written: " << toTerminal(journalError)
                      << '\n';
            journalReported_ = true;
        }
        if (options_.explain)
            explainTurn();
        if (options_.followUps) {
            // What T9 does two seconds later, unless a later turn disarms it.
            for (int tick = 0; tick < 2 && window_.timerEnabled(engine::Timer::T9); ++tick)
                run([&] { conversation_.followUpTick(); });
        }
    }

    // Every error ends the step, as in the window; the driver goes on.
    template <typename Step> void run(Step step) {
        const int before = conversation_.transcript().count();
        try {
            step();
        } catch (const std::exception& error) {
            std::cerr << toTerminal(kb::withFullStop(error.what())) << '\n';
        }
        printFrom(before);
    }

    void printFrom(int before) {
        const auto& lines = conversation_.transcript().lines();
        for (std::size_t i = static_cast<std::size_t>(before); i < lines.size(); ++i)
            std::cout << toTerminal(lines[i]) << '\n';
        std::cout.flush();
    }

    // Sleeps for the interval; with no number of turns given, the end of
    // standard input ends the exchange (what is typed is not used: in this
    // mode the phrase comes from the file).
    bool waitOrInputEnds(int milliseconds) {
        if (options_.turns >= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
            return true;
        }
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                until - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return true;
            pollfd input{0, POLLIN, 0};
            if (::poll(&input, 1, static_cast<int>(left.count())) > 0) {
                char buffer[256];
                if (::read(0, buffer, sizeof buffer) <= 0)
                    return false;
            }
        }
    }

    void explainTurn() {
        const engine::TurnReport& report = conversation_.lastTurn();
        std::cerr << "  answered by: " << sourceName(report.source);
        if (report.wordsLine >= 0)
            std::cerr << ", Base\\Words.Dat line " << report.wordsLine;
        std::cerr << '\n';
        for (const std::string& learned : report.learned)
            std::cerr << "  learned: " << toTerminal(learned) << '\n';
    }

    Options options_;
    bool journalReported_ = false;
    kb::FileStore store_;
    engine::HeadlessWindow window_;
    std::unique_ptr<engine::Clock> clock_;
    engine::Conversation conversation_;
};

} // namespace

int main(int argc, char** argv) {
    const auto options = parseArguments(argc, argv);
    if (!options) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    Driver driver(*options);
    if (options->exchange) {
        driver.exchange();
        driver.finish();
        return 0;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string phrase = fromTerminal(line);
        if (phrase.empty())
            continue; // the send controls are disabled on an empty field
        driver.typePhrase(phrase);
    }
    driver.finish();
    return 0;
}
