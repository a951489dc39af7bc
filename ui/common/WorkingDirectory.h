#pragma once

// Where the program works: a directory that holds the knowledge base Base,
// the sounds Sound and ReadMe.Txt. Started from a desktop menu, the current
// directory is the home directory, which holds none of them: the program then
// works in the user's data directory, made from the installed data the first
// time.

#include <QString>
#include <QStringList>

#include <optional>

namespace ui {

struct DataPlaces {
    // The directory asked for on the command line; empty: none.
    QString requested;
    QString current;
    // The user's data directory: $XDG_DATA_HOME/talkbase, by default
    // ~/.local/share/talkbase.
    QString user;
    // Where installed data may lie, the first choice first.
    QStringList installed;

    // This program's places: beside its executable (../share/talkbase, which
    // serves an installation under any prefix and the build tree alike), then
    // the system's data directories ($XDG_DATA_DIRS).
    static DataPlaces ofThisProgram(const QString& requested);
};

struct WorkingDirectoryChoice {
    // Empty when the program cannot work anywhere; `problem` then says why.
    QString directory;
    QString problem;
};

// The directory asked for, else the current directory when its Base holds a
// Words.Dat, else the user's data directory. A chosen directory without Base
// is made from the first installed data found: what is missing is copied,
// nothing that it holds is ever replaced.
WorkingDirectoryChoice chooseWorkingDirectory(const DataPlaces& places);

// The same, with the problem shown in one message box; nothing when there is
// no directory to work in.
std::optional<QString> workingDirectoryOrReport(const DataPlaces& places);

} // namespace ui
