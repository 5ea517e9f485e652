#include "services/ShellFileOp.h"

#include "services/FileCopy.h"
#include "services/MessageWithSound.h"
#include "ui/Ui.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

namespace vel {

namespace {

bool hasWildcard(const QString& name) {
    return QFileInfo(name).fileName().contains(QRegularExpression(QStringLiteral("[*?]")));
}

// True when the file name fits the mask: "*" any run of characters, "?" one character, all
// else literally and without regard to case; a trailing "." asks for no extension at all.
bool matchesMask(const QString& fileName, QString mask) {
    if (mask.endsWith(u'.')) {
        mask.chop(1);
        if (fileName.contains(u'.')) {
            return false;
        }
    }
    QString pattern;
    for (const QChar character : mask) {
        pattern += character == u'*'   ? QStringLiteral(".*")
                   : character == u'?' ? QStringLiteral(".")
                                       : QRegularExpression::escape(QString(character));
    }
    const QRegularExpression expression(QRegularExpression::anchoredPattern(pattern),
                                        QRegularExpression::CaseInsensitiveOption);
    return expression.match(fileName).hasMatch();
}

// The sources with every wildcard name replaced by the files it matches. A wildcard whose
// folder does not exist sets error and failedName.
QStringList expandSources(const QStringList& names, int& error, QString& failedName) {
    QStringList sources;
    for (const QString& name : names) {
        if (name.isEmpty()) {
            continue;
        }
        if (!hasWildcard(name)) {
            sources << name;
            continue;
        }
        const QFileInfo maskInfo(name);
        const QDir folder = maskInfo.dir();
        if (!folder.exists()) {
            error = ENOENT;
            failedName = name;
            return {};
        }
        const QStringList files =
            folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        for (const QString& file : files) {
            if (matchesMask(file, maskInfo.fileName())) {
                sources << folder.filePath(file);
            }
        }
    }
    return sources;
}

bool isRealFolder(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink();
}

int copyEntry(const QString& source, const QString& target) {
    return isRealFolder(source) ? copyFolderReplacing(source, target)
                                : copyFileReplacing(source, target);
}

// Renames within one file system; across file systems copies and then removes the source.
int moveEntry(const QString& source, const QString& target) {
    if (::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) ==
        0) {
        return 0;
    }
    if (errno != EXDEV) {
        return errno;
    }
    const bool folder = isRealFolder(source);
    if (const int error = copyEntry(source, target)) {
        return error;
    }
    errno = 0;
    const bool removed = folder ? QDir(source).removeRecursively() : QFile::remove(source);
    return removed ? 0 : errno != 0 ? errno : EIO;
}

int trashEntry(const QString& source) {
    struct stat status {};
    if (::lstat(QFile::encodeName(source).constData(), &status) != 0) {
        return errno;
    }
    // The Trash lives in the data home folder, which a fresh account may not have yet.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    errno = 0;
    return QFile::moveToTrash(source) ? 0 : errno != 0 ? errno : EIO;
}

QString quoted(const QString& text) {
    return u'"' + text + u'"';
}

// The question asked before the operation when the caller wants a confirmation.
QString confirmationQuestion(int operation, const QStringList& sources, const QString& to) {
    const qsizetype count = sources.size();
    const QString what = count == 1 ? quoted(QFileInfo(sources.front()).fileName())
                                    : QStringLiteral("these %1 items").arg(count);
    switch (operation) {
        case FO_DELETE:
            return QStringLiteral("Are you sure you want to move %1 to the Trash?").arg(what);
        case FO_MOVE:
            return QStringLiteral("Are you sure you want to move %1 to %2?").arg(what, quoted(to));
        default:
            return QStringLiteral("Are you sure you want to copy %1 to %2?").arg(what, quoted(to));
    }
}

QString failureText(int operation, const QString& source, const QString& target, int error) {
    QString action;
    switch (operation) {
        case FO_DELETE:
            action = QStringLiteral("Error sending ") + source + " to the Trash";
            break;
        case FO_MOVE:
            action = QStringLiteral("Error moving ") + source + " to " + target;
            break;
        case FO_COPY:
            action = QStringLiteral("Error copying ") + source + " to " + target;
            break;
        default:
            action = QStringLiteral("Unknown file operation %1 on ").arg(operation) + source;
    }
    return action + QStringLiteral("  Error: ") + systemErrorText(error);
}

int fail(int operation, const QString& source, const QString& target, int error) {
    MessageWithSound(failureText(operation, source, target, error), MB_ICONEXCLAMATION);
    return error;
}

}  // namespace

int ShellFileOp(const QStringList& from, const QString& to, int operation, bool confirm,
                bool showProgress, const QString& progressTitle, bool simpleProgress) {
    if (operation != FO_COPY && operation != FO_MOVE && operation != FO_DELETE) {
        return fail(operation, from.join(u' '), to, EINVAL);
    }
    int error = 0;
    QString failedName;
    const QStringList sources = expandSources(from, error, failedName);
    if (error) {
        return fail(operation, failedName, to, error);
    }
    if (sources.isEmpty()) {
        return 0;
    }
    if (confirm && MessageWithSound(confirmationQuestion(operation, sources, to),
                                    MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return ShellFileOpCancelled;
    }

    bool intoFolder = false;
    if (operation != FO_DELETE) {
        const bool several =
            sources.size() > 1 || std::any_of(from.begin(), from.end(), hasWildcard);
        intoFolder = QFileInfo(to).isDir();
        if (!intoFolder && several) {
            errno = 0;
            if (!QDir().mkpath(to)) {
                return fail(operation, sources.front(), to, errno != 0 ? errno : EIO);
            }
            intoFolder = true;
        }
    }

    Ui& ui = currentUi();
    if (showProgress && simpleProgress) {
        ui.statusText(progressTitle);
    }
    for (qsizetype done = 0; done < sources.size(); ++done) {
        const QString& source = sources.at(done);
        const QString target = intoFolder ? QDir(to).filePath(QFileInfo(source).fileName()) : to;
        if (showProgress && !simpleProgress) {
            ui.statusText(QFileInfo(source).fileName());
        }
        error = operation == FO_DELETE ? trashEntry(source)
                : operation == FO_MOVE ? moveEntry(source, target)
                                       : copyEntry(source, target);
        if (error) {
            return fail(operation, source, target, error);
        }
        if (showProgress) {
            ui.statusPercent(int((done + 1) * 100 / sources.size()));
        }
    }
    return 0;
}

}  // namespace vel
