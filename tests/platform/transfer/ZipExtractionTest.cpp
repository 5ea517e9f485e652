// Unpacking archives that cannot be trusted: unexpected names, zip bombs (declared and real),
// entries that lie about their size, a damaged entry after a good one, and symbolic links in the
// target folder. Whatever is refused leaves the target folder as it was. Packed archives are
// readable by their owner alone unless shared.
#include "ZipTestArchives.h"
#include "platform/transfer/ZipArchive.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace vel;
using namespace vel::testing;

namespace {

// Every file and folder below the folder, hidden ones included, relative to it.
QStringList contents(const QString& folder) {
    QStringList names;
    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        names << entry.fileName();
        if (entry.isDir() && !entry.isSymLink()) {
            for (const QString& below : contents(entry.filePath())) {
                names << entry.fileName() + u'/' + below;
            }
        }
    }
    return names;
}

int modeOf(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 0777)
                                                                     : -1;
}

}  // namespace

TEST(ZipExtraction, OnlyExpectedNamesWithinTheSizeLimitsAreUnpacked) {
    QTemporaryDir folder;
    const QString archive = folder.filePath(QStringLiteral("TBCCnt4.ZIP"));
    const QString target = folder.filePath(QStringLiteral("Corporate"));
    writeZip(archive, {{"tbccact.--4", "activities"}});
    ZipLimits control;
    control.names = {QStringLiteral("TBCCACT.--4")};
    const ZipResult expected = ZipArchive::extractAll(archive, target, control);
    ASSERT_TRUE(expected.ok) << expected.error.toStdString();
    EXPECT_EQ(contents(target), QStringList{QStringLiteral("tbccact.--4")}) << "any letter case";

    // A name the caller did not expect, even beside the expected one, unpacks nothing.
    writeZip(archive, {{"TBCCACT.--4", "new"}, {"run.sh", "rm -rf"}});
    const ZipResult unexpected = ZipArchive::extractAll(archive, target, control);
    EXPECT_FALSE(unexpected.ok);
    EXPECT_EQ(unexpected.error, archive + QStringLiteral(" holds an entry it should not: "
                                                         "\"run.sh\" (expected: TBCCACT.--4)"));
    EXPECT_EQ(contents(target), QStringList{QStringLiteral("tbccact.--4")});
    EXPECT_EQ(readAll(target + QStringLiteral("/tbccact.--4")), "activities");

    // Too much in total, checked on the sizes the archive declares before anything is written.
    writeZip(archive, {{"a.txt", QByteArray(400000, 'a')}, {"b.txt", QByteArray(400000, 'b')}});
    ZipLimits small;
    small.maximumTotalSize = 600000;
    const ZipResult tooLarge = ZipArchive::extractAll(archive, target, small);
    EXPECT_FALSE(tooLarge.ok);
    EXPECT_TRUE(tooLarge.error.startsWith(archive + QStringLiteral(" is refused: it would "
                                                                   "unpack to more than 0.6 MB")))
        << tooLarge.error.toStdString();

    // An entry that packs far better than any real table: a zip bomb.
    writeZip(archive, {{"zeros", QByteArray(3 << 20, '\0')}});
    ZipLimits ratio;
    ratio.maximumRatio = 100;
    const ZipResult bomb = ZipArchive::extractAll(archive, target, ratio);
    EXPECT_FALSE(bomb.ok);
    EXPECT_TRUE(
        bomb.error.contains(QStringLiteral("\"zeros\" would unpack to 3.0 MB, more than "
                                           "100 times its packed size (a zip bomb)")))
        << bomb.error.toStdString();
    // A large table packs far less well and is within the default limits.
    QByteArray table;
    for (int record = 0; table.size() < (3 << 20); ++record) {
        table += QStringLiteral(" A%1 Picking aisle %2 %3\n")
                     .arg(record, 6, 10, QLatin1Char('0'))
                     .arg(record * 7919 % 1000)
                     .arg(record * 31 % 97)
                     .toLatin1();
    }
    writeZip(archive, {{"TBVMACT.--1", table}});
    const ZipResult large = ZipArchive::extractAll(archive, target);
    EXPECT_TRUE(large.ok) << large.error.toStdString();
    EXPECT_EQ(readAll(target + QStringLiteral("/TBVMACT.--1")), table);
}

TEST(ZipExtraction, ADamagedOrLyingEntryLeavesTheFolderAsItWas) {
    QTemporaryDir folder;
    const QString archive = folder.filePath(QStringLiteral("control.zip"));
    const QString target = folder.filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(target));
    writeFile(target + QStringLiteral("/first.txt"), "older first");

    // A bad CRC in the second entry: the first is not replaced, no staging folder stays.
    writeZip(archive, {{"first.txt", "new first"}, {"second.txt", QByteArray(5000, 's')}},
             /*stored=*/true);
    ASSERT_TRUE(damageEntryData(archive, 1));
    const ZipResult damaged = ZipArchive::extractAll(archive, target);
    EXPECT_FALSE(damaged.ok);
    EXPECT_EQ(damaged.error, QStringLiteral("Cannot unpack second.txt from ") + archive +
                                 QStringLiteral(": CRC error"));
    EXPECT_EQ(contents(target), QStringList{QStringLiteral("first.txt")});
    EXPECT_EQ(readAll(target + QStringLiteral("/first.txt")), "older first");

    // A declared size far beyond the limit (a 1 GiB bomb in a small file) is refused unread.
    writeZip(archive, {{"first.txt", "new first"}});
    ASSERT_TRUE(setDeclaredSize(archive, 0, quint32(1) << 30));
    ZipLimits limits;
    limits.maximumTotalSize = 64 << 20;
    const ZipResult declared = ZipArchive::extractAll(archive, target, limits);
    EXPECT_FALSE(declared.ok);
    EXPECT_TRUE(declared.error.contains(QStringLiteral("more than 64.0 MB")))
        << declared.error.toStdString();

    // An entry that declares less than it holds is stopped once it passes what it declared.
    writeZip(archive, {{"first.txt", QByteArray(100000, 'x')}}, /*stored=*/true);
    ASSERT_TRUE(setDeclaredSize(archive, 0, 10));
    const ZipResult lying = ZipArchive::extractAll(archive, target);
    EXPECT_FALSE(lying.ok);
    EXPECT_TRUE(lying.error.contains(QStringLiteral("first.txt"))) << lying.error.toStdString();
    EXPECT_EQ(readAll(target + QStringLiteral("/first.txt")), "older first");
    EXPECT_EQ(contents(target), QStringList{QStringLiteral("first.txt")});
}

TEST(ZipExtraction, RefusesToWriteThroughASymbolicLinkInTheTarget) {
    QTemporaryDir folder;
    const QString archive = folder.filePath(QStringLiteral("control.zip"));
    const QString target = folder.filePath(QStringLiteral("out"));
    const QString elsewhere = folder.filePath(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().mkpath(target) && QDir().mkpath(elsewhere));
    writeFile(elsewhere + QStringLiteral("/passwd"), "kept");
    ASSERT_TRUE(QFile::link(elsewhere, target + QStringLiteral("/sub")));
    ASSERT_TRUE(QFile::link(elsewhere + QStringLiteral("/passwd"),
                            target + QStringLiteral("/TBCCACT.--1")));

    writeZip(archive, {{"sub/passwd", "overwritten"}});
    const ZipResult throughFolder = ZipArchive::extractAll(archive, target);
    EXPECT_FALSE(throughFolder.ok);
    EXPECT_EQ(throughFolder.error,
              QStringLiteral("Cannot unpack sub/passwd from %1: %2/sub is a symbolic link, which "
                             "is not written through")
                  .arg(archive, target));
    writeZip(archive, {{"TBCCACT.--1", "overwritten"}});
    EXPECT_FALSE(ZipArchive::extractAll(archive, target).ok);
    EXPECT_EQ(readAll(elsewhere + QStringLiteral("/passwd")), "kept");
    EXPECT_EQ(contents(elsewhere), QStringList{QStringLiteral("passwd")});
}

TEST(ZipExtraction, PackedArchivesAreTheOwnersAloneUnlessShared) {
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("TBVMEMP.--1"));
    writeFile(source, "associates with their social security numbers");
    const QString backup = folder.filePath(QStringLiteral("backup.zip"));
    ASSERT_TRUE(ZipArchive::pack({source}, backup).ok);
    EXPECT_EQ(modeOf(backup), 0600);
    ASSERT_TRUE(ZipArchive::pack(QList<ZipEntry>{}, backup).ok);
    EXPECT_EQ(modeOf(backup), 0600) << "an empty archive too";

    const QString shared = folder.filePath(QStringLiteral("TBCCnt1.ZIP"));
    ASSERT_TRUE(ZipArchive::pack({source}, shared, ZipAccess::Shared).ok);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(modeOf(shared), int(0666 & ~mask));
    EXPECT_EQ(contents(folder.path()),
              (QStringList{QStringLiteral("TBCCnt1.ZIP"), QStringLiteral("TBVMEMP.--1"),
                           QStringLiteral("backup.zip")}))
        << "no temporary file stays";
}
