// Where the program works: the current directory when it holds Base, else the
// user's data directory, made from the installed data the first time and
// never overwritten; one message naming the places looked in when there is
// no data at all.

#include "WindowSupport.h"

#include "ui/common/WorkingDirectory.h"

#include <QDir>
#include <QFile>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class WorkingDirectoryTest : public ::testing::Test {
protected:
    WorkingDirectoryTest() {
        for (const char* place : {"home", "installed"})
            fs::create_directories(root.path() / place);
        write("installed/Base/Words.Dat", "installed words");
        write("installed/Base/Log.Brisol", "");
        write("installed/Sound/KeyBoard.wav", "RIFF");
        write("installed/ReadMe.Txt", "history");
        places.current = path("home");
        places.user = path("home/.local/share/talkbase");
        places.installed = {path("elsewhere/talkbase"), path("installed")};
    }
    QString path(const char* relative) const {
        return QString::fromStdString((root.path() / relative).string());
    }
    void write(const char* relative, const std::string& content) const {
        fs::create_directories((root.path() / relative).parent_path());
        std::ofstream(root.path() / relative, std::ios::binary) << content;
    }
    std::string read(const char* relative) const {
        std::ifstream in(root.path() / relative, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    bool exists(const char* relative) const { return fs::exists(root.path() / relative); }

    test::WorkingDirectory root;
    test::MessageLog boxes;
    ui::DataPlaces places;
};

TEST_F(WorkingDirectoryTest, ACurrentDirectoryWithBaseIsWhereTheProgramWorks) {
    write("home/base/Words.Dat", "own words"); // found whatever the letter case
    EXPECT_EQ(ui::workingDirectoryOrReport(places), path("home"));
    EXPECT_FALSE(exists("home/.local/share/talkbase"));
    EXPECT_TRUE(boxes.messages.isEmpty());
}

TEST_F(WorkingDirectoryTest, TheFirstStartWithoutBaseMakesTheUsersDataDirectoryFromTheInstalledData) {
    write("installed/CMakeLists.txt", "not the program's");
    EXPECT_EQ(ui::workingDirectoryOrReport(places), path("home/.local/share/talkbase"));
    EXPECT_EQ(read("home/.local/share/talkbase/Base/Words.Dat"), "installed words");
    EXPECT_TRUE(exists("home/.local/share/talkbase/Base/Log.Brisol"));
    EXPECT_EQ(read("home/.local/share/talkbase/Sound/KeyBoard.wav"), "RIFF");
    EXPECT_EQ(read("home/.local/share/talkbase/ReadMe.Txt"), "history");
    EXPECT_FALSE(exists("home/.local/share/talkbase/CMakeLists.txt"));
    EXPECT_TRUE(boxes.messages.isEmpty());
    // The copies are the user's to change.
    EXPECT_TRUE(QFile::permissions(path("home/.local/share/talkbase/Base/Words.Dat")) &
                QFileDevice::WriteOwner);
}

TEST_F(WorkingDirectoryTest, ABaseDirectoryWithoutAKnowledgeBaseIsNotTakenForOne) {
    write("home/Base/photo.jpg", "someone else's");
    EXPECT_EQ(ui::workingDirectoryOrReport(places), path("home/.local/share/talkbase"));
    EXPECT_EQ(read("home/.local/share/talkbase/Base/Words.Dat"), "installed words");
}

TEST_F(WorkingDirectoryTest, WhatTheUsersDataDirectoryHoldsIsNeverOverwritten) {
    ASSERT_TRUE(ui::workingDirectoryOrReport(places));
    write("home/.local/share/talkbase/Base/Words.Dat", "learned words");
    fs::remove(root.path() / "home/.local/share/talkbase/ReadMe.Txt");
    write("installed/Base/Words.Dat", "newer installed words");

    EXPECT_EQ(ui::workingDirectoryOrReport(places), path("home/.local/share/talkbase"));
    EXPECT_EQ(read("home/.local/share/talkbase/Base/Words.Dat"), "learned words");
    // A directory that holds Base is taken as it is.
    EXPECT_FALSE(exists("home/.local/share/talkbase/ReadMe.Txt"));
}

TEST_F(WorkingDirectoryTest, AUserDirectoryWithoutBaseGetsWhatItLacksAndKeepsWhatItHas) {
    write("home/.local/share/talkbase/ReadMe.Txt", "my notes");
    write("home/.local/share/talkbase/.Base.partial/Words.Dat", "half a copy");

    EXPECT_EQ(ui::workingDirectoryOrReport(places), path("home/.local/share/talkbase"));
    EXPECT_EQ(read("home/.local/share/talkbase/ReadMe.Txt"), "my notes");
    EXPECT_EQ(read("home/.local/share/talkbase/Base/Words.Dat"), "installed words");
    EXPECT_FALSE(exists("home/.local/share/talkbase/.Base.partial"));
}

TEST_F(WorkingDirectoryTest, ADirectoryAskedForIsMadeFromTheInstalledDataAndUsed) {
    write("home/Base/Words.Dat", "own words");
    places.requested = path("asked");
    EXPECT_EQ(ui::workingDirectoryOrReport(places), path("asked"));
    EXPECT_EQ(read("asked/Base/Words.Dat"), "installed words");
    EXPECT_FALSE(exists("home/.local/share/talkbase"));

    write("asked/Base/Words.Dat", "learned words");
    EXPECT_EQ(ui::workingDirectoryOrReport(places), path("asked"));
    EXPECT_EQ(read("asked/Base/Words.Dat"), "learned words");
}

TEST_F(WorkingDirectoryTest, WithoutDataAnywhereOneMessageNamesTheDirectoriesLookedIn) {
    fs::remove_all(root.path() / "installed/Base");
    EXPECT_EQ(ui::workingDirectoryOrReport(places), std::nullopt);
    ASSERT_EQ(boxes.messages.size(), 1);
    const QString message = boxes.messages.front();
    for (const char* place :
         {"home", "home/.local/share/talkbase", "elsewhere/talkbase", "installed"})
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path(place))))
            << place << ": " << message.toStdString();
    EXPECT_FALSE(exists("home/.local/share/talkbase/Base"));
}

TEST_F(WorkingDirectoryTest, AUserDirectoryThatCannotBeMadeIsReportedOnce) {
    write("home/.local/share", "a file where a directory should be");
    EXPECT_EQ(ui::workingDirectoryOrReport(places), std::nullopt);
    ASSERT_EQ(boxes.messages.size(), 1);
    EXPECT_TRUE(boxes.messages.front().contains(path("home/.local/share/talkbase")))
        << boxes.messages.front().toStdString();
}

TEST_F(WorkingDirectoryTest, TheProgramsPlacesFollowTheDataDirectoriesOfTheDesktop) {
    const QByteArray home = qgetenv("XDG_DATA_HOME"), dirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", path("home/data").toUtf8());
    qputenv("XDG_DATA_DIRS", (path("one") + QLatin1Char(':') + path("two")).toUtf8());
    const ui::DataPlaces ofProgram = ui::DataPlaces::ofThisProgram({});
    qputenv("XDG_DATA_HOME", home);
    qputenv("XDG_DATA_DIRS", dirs);

    EXPECT_EQ(ofProgram.current, QDir::currentPath());
    EXPECT_EQ(ofProgram.user, path("home/data/talkbase"));
    EXPECT_TRUE(ofProgram.requested.isEmpty());
    ASSERT_EQ(ofProgram.installed.size(), 3);
    EXPECT_EQ(ofProgram.installed[0],
              QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/talkbase")));
    EXPECT_EQ(ofProgram.installed[1], path("one/talkbase"));
    EXPECT_EQ(ofProgram.installed[2], path("two/talkbase"));
}

} // namespace
