#include "ServicesTestSupport.h"
#include "services/AddSlash.h"
#include "services/CopyOneFile.h"
#include "services/FileExists.h"
#include "services/WaitSeconds.h"
#include "ui/MessageBoxCodes.h"
#include "ui/Ui.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

using namespace vel;

namespace {

void writeFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(data);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString errorText(int code) {
    return QStringLiteral("%1 (%2)").arg(code).arg(QString::fromLocal8Bit(std::strerror(code)));
}

}  // namespace

TEST(AddSlash, AddsTheSeparatorOnlyWhereAFileNameCouldNotBeAppended) {
    EXPECT_EQ(AddSlash(QString()), QString());
    EXPECT_EQ(AddSlash(QStringLiteral("C:")), QStringLiteral("C:"));
    EXPECT_EQ(AddSlash(QStringLiteral("data")), QStringLiteral("data/"));
    EXPECT_EQ(AddSlash(QStringLiteral("data/")), QStringLiteral("data/"));
    EXPECT_EQ(AddSlash(QStringLiteral("C:\\Velmor\\")), QStringLiteral("C:\\Velmor\\"));
}

TEST(FileExists, IsTrueForFilesEvenUnreadableOnesAndFalseForFoldersAndMissingPaths) {
    QTemporaryDir folder;
    const QString plain = folder.filePath(QStringLiteral("TBVMACT.--1"));
    const QString locked = folder.filePath(QStringLiteral("locked.dbf"));
    writeFile(plain, "x");
    writeFile(locked, "x");
    ASSERT_EQ(::chmod(QFile::encodeName(locked).constData(), 0), 0);
    QDir(folder.path()).mkdir(QStringLiteral("Clone"));
    const QString clone = folder.filePath(QStringLiteral("Clone"));
    QFile::link(clone, folder.filePath(QStringLiteral("toDir")));
    QFile::link(folder.filePath(QStringLiteral("gone")),
                folder.filePath(QStringLiteral("dangling")));

    EXPECT_TRUE(FileExists(plain));
    EXPECT_TRUE(FileExists(locked));
    EXPECT_FALSE(FileExists(folder.filePath(QStringLiteral("Clone"))));
    EXPECT_FALSE(FileExists(folder.filePath(QStringLiteral("toDir"))));
    EXPECT_FALSE(FileExists(folder.filePath(QStringLiteral("dangling"))));
    EXPECT_FALSE(FileExists(folder.filePath(QStringLiteral("missing.dbf"))));
    EXPECT_FALSE(FileExists(folder.path()));
    EXPECT_FALSE(FileExists(QString()));
}

TEST(CopyOneFile, ReplacesTheDestinationWithTheSourceAndLeavesNoTemporaryFile) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    test::CountedCopyWait wait;
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("TBMASTER.1"));
    const QString destination = folder.filePath(QStringLiteral("Clone/TBMASTER.1"));
    writeFile(source, "new");
    QDir(folder.path()).mkdir(QStringLiteral("Clone"));
    writeFile(destination, "old contents that are longer");
    ASSERT_EQ(::chmod(QFile::encodeName(source).constData(), 0640), 0);
    const QDateTime stamp =
        QDateTime::fromString(QStringLiteral("2024-03-01T08:30:00"), Qt::ISODate);
    QFile stamped(source);
    ASSERT_TRUE(stamped.open(QIODevice::ReadWrite));
    ASSERT_TRUE(stamped.setFileTime(stamp, QFileDevice::FileModificationTime));
    stamped.close();

    EXPECT_TRUE(CopyOneFile(source, destination));

    EXPECT_EQ(readFile(destination), QByteArray("new"));
    EXPECT_EQ(QFileInfo(destination).lastModified(), stamp);
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(destination).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(folder.filePath(QStringLiteral("Clone")))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("TBMASTER.1")});
    EXPECT_EQ(wait.waits, 0);
    EXPECT_TRUE(ui.transcript().messages().empty());
}

TEST(CopyOneFile, GivesUpAfterFifteenRetriesWithTheErrorMessageAndKeepsTheDestination) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    test::CountedCopyWait wait;
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("missing.dbf"));
    const QString destination = folder.filePath(QStringLiteral("copy.dbf"));
    writeFile(destination, "kept");
    const QString expected = QStringLiteral("Error copying file ") + source +
                             QStringLiteral(" to ") + destination + QStringLiteral("  Error: ") +
                             errorText(ENOENT);
    ui.answer(expected, IDOK);

    EXPECT_FALSE(CopyOneFile(source, destination));

    EXPECT_EQ(wait.waits, 15);  // one attempt, then fifteen retries a second apart
    ASSERT_EQ(ui.transcript().messages().size(), 1u);
    const MessageRecord& message = ui.transcript().messages().front();
    EXPECT_EQ(message.prompt, expected);
    EXPECT_EQ(message.caption, QStringLiteral("Velmor"));
    EXPECT_EQ(message.style, MB_ICONEXCLAMATION);
    EXPECT_EQ(ui.transcript().sounds(), QStringList{QStringLiteral("SystemExclamation")});
    EXPECT_EQ(readFile(destination), QByteArray("kept"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("copy.dbf")});
}

TEST(CopyOneFile, SucceedsQuietlyWhenTheSourceAppearsWhileRetrying) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("busy.dbf"));
    const QString destination = folder.filePath(QStringLiteral("copy.dbf"));
    test::CountedCopyWait wait([&](int waitNumber) {
        if (waitNumber == 3) {
            writeFile(source, "ready");
        }
    });

    EXPECT_TRUE(CopyOneFile(source, destination));
    EXPECT_EQ(wait.waits, 3);
    EXPECT_EQ(readFile(destination), QByteArray("ready"));
    EXPECT_TRUE(ui.transcript().messages().empty());
}

TEST(CopyOneFile, ReportsTheErrorOfAFolderGivenAsSource) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    test::CountedCopyWait wait;
    QTemporaryDir folder;
    const QString destination = folder.filePath(QStringLiteral("copy.dbf"));
    ui.answer(QStringLiteral("Error copying file"), IDOK);

    EXPECT_FALSE(CopyOneFile(folder.path(), destination));
    ASSERT_EQ(ui.transcript().messages().size(), 1u);
    EXPECT_TRUE(ui.transcript().messages().front().prompt.endsWith(QStringLiteral("  Error: ") +
                                                                   errorText(EISDIR)));
    EXPECT_FALSE(QFileInfo::exists(destination));
}

TEST(WaitSeconds, ProcessesEventsUntilTheWholeSecondsHavePassed) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    {
        test::SteppingClock clock(300);
        WaitSeconds(2);
        EXPECT_EQ(clock.pauses, 7);  // 2.1 s: 1.8 s is not yet two whole seconds
        EXPECT_EQ(ui.eventRounds, 8);
    }
    {
        test::SteppingClock clock(250);
        WaitSeconds(1);
        EXPECT_EQ(clock.pauses, 4);  // exactly one second ends the wait
    }
    {
        test::SteppingClock clock(100);
        ui.eventRounds = 0;
        WaitSeconds(0);
        EXPECT_EQ(clock.pauses, 0);
        EXPECT_EQ(ui.eventRounds, 1);
    }
}
