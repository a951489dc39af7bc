#include "WorkingDirectory.h"

#include "MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace ui {
namespace {

// The program finds its files without regard to letter case; so does this.
QString entryIgnoringCase(const QString& directory, const QString& name) {
    const QStringList entries = QDir(directory).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

QString baseOf(const QString& directory) {
    const QString base = entryIgnoringCase(directory, QStringLiteral("Base"));
    if (base.isEmpty() || !QFileInfo(QDir(directory).filePath(base)).isDir())
        return {};
    return QDir(directory).filePath(base);
}

bool holdsBase(const QString& directory) {
    return !baseOf(directory).isEmpty();
}

// A directory named Base that holds no Words.Dat is someone else's.
bool holdsKnowledgeBase(const QString& directory) {
    const QString base = baseOf(directory);
    return !base.isEmpty() && !entryIgnoringCase(base, QStringLiteral("Words.Dat")).isEmpty();
}

// A copy the owner may change, whatever the installed file's mode.
bool copyFile(const QString& from, const QString& to) {
    return QFile::copy(from, to) &&
           QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

bool copyTree(const QString& from, const QString& to) {
    if (!QFileInfo(from).isDir())
        return copyFile(from, to);
    if (!QDir().mkpath(to))
        return false;
    const QStringList entries =
        QDir(from).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (!copyTree(QDir(from).filePath(entry), QDir(to).filePath(entry)))
            return false;
    }
    return true;
}

bool removeTree(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

// Copies what `target` lacks of the working directory's three entries in
// `source`. Each is copied under a passing name and then renamed, so that a
// start broken off in the middle leaves no half-made Base that the next
// start would take as whole.
bool makeFrom(const QString& source, const QString& target) {
    if (!QDir().mkpath(target))
        return false;
    for (const QString& entry : {QStringLiteral("Base"), QStringLiteral("Sound"),
                                QStringLiteral("ReadMe.Txt")}) {
        if (!QFileInfo::exists(QDir(source).filePath(entry)) ||
            !entryIgnoringCase(target, entry).isEmpty())
            continue;
        const QString passing = QDir(target).filePath(QStringLiteral(".%1.partial").arg(entry));
        if (!removeTree(passing) || !copyTree(QDir(source).filePath(entry), passing) ||
            !QDir(target).rename(QFileInfo(passing).fileName(), entry)) {
            removeTree(passing);
            return false;
        }
    }
    return true;
}

QString listed(const QStringList& directories) {
    QStringList lines;
    for (const QString& directory : directories)
        lines.append(QStringLiteral("    ") + QDir::toNativeSeparators(directory));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

DataPlaces DataPlaces::ofThisProgram(const QString& requested) {
    DataPlaces places;
    places.requested = requested.isEmpty() ? QString() : QDir(requested).absolutePath();
    places.current = QDir::currentPath();
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!userData.isEmpty())
        places.user = QDir(userData).filePath(QStringLiteral("talkbase"));
    places.installed.append(QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                            QStringLiteral("/../share/talkbase")));
    for (const QString& system : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (system != userData)
            places.installed.append(QDir(system).filePath(QStringLiteral("talkbase")));
    }
    places.installed.removeDuplicates();
    return places;
}

WorkingDirectoryChoice chooseWorkingDirectory(const DataPlaces& places) {
    QString target;
    QStringList lookedIn;
    if (!places.requested.isEmpty()) {
        target = places.requested;
    } else if (holdsKnowledgeBase(places.current)) {
        return {places.current, {}};
    } else {
        lookedIn.append(places.current);
        target = places.user;
    }
    if (target.isEmpty())
        return {{}, QStringLiteral("Не найдена папка данных пользователя.")};
    if (holdsBase(target))
        return {target, {}};

    lookedIn.append(target);
    for (const QString& installed : places.installed) {
        lookedIn.append(installed);
        if (!holdsKnowledgeBase(installed))
            continue;
        if (makeFrom(installed, target) && holdsBase(target))
            return {target, {}};
        return {{}, QStringLiteral("Не удалось создать рабочую папку программы\n%1\nиз данных в\n%2")
                        .arg(listed({target}), listed({installed}))};
    }
    return {{}, QStringLiteral("Не найдена база знаний программы (папка Base).\n"
                               "Программа искала её в папках:\n%1")
                    .arg(listed(lookedIn))};
}

std::optional<QString> workingDirectoryOrReport(const DataPlaces& places) {
    const WorkingDirectoryChoice choice = chooseWorkingDirectory(places);
    if (choice.directory.isEmpty()) {
        MessageBox::error(nullptr, choice.problem);
        return std::nullopt;
    }
    return choice.directory;
}

} // namespace ui
