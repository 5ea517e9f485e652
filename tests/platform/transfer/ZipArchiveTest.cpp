#include "platform/transfer/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

using namespace vel;

namespace {

// Writes an archive holding the given entries as they are named, links marked as links.
void writeArchive(const QString& path, const QList<QPair<QByteArray, bool>>& entries) {
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    static const char content[] = "content";
    for (const auto& [name, link] : entries) {
        zip_source_t* source = zip_source_buffer(archive, content, sizeof content - 1, 0);
        const zip_int64_t index = zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8);
        ASSERT_GE(index, 0) << name.constData();
        if (link) {
            zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                             zip_uint32_t(S_IFLNK | 0777) << 16);
        }
    }
    ASSERT_EQ(zip_close(archive), 0);
}

}  // namespace

TEST(ZipArchive, UnpacksSafeEntriesAndRefusesEveryEscapeBeforeWritingAnything) {
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("out"));
    const QString good = folder.filePath(QStringLiteral("good.zip"));
    writeArchive(good, {{"TBCCACT.--1", false}, {"sub/TBVMACT.--1", false}});
    const ZipResult unpacked = ZipArchive::extractAll(good, target);
    ASSERT_TRUE(unpacked.ok) << unpacked.error.toStdString();
    EXPECT_EQ(unpacked.files.size(), 2);
    QFile file(target + QStringLiteral("/sub/TBVMACT.--1"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("content"));

    const QList<QByteArray> escapes{"../evil", "/etc/evil", "\\evil", "C:evil", "a/../../evil",
                                    "a\\..\\evil"};
    for (const QByteArray& escape : escapes) {
        const QString bad = folder.filePath(QStringLiteral("bad.zip"));
        writeArchive(bad, {{"first.txt", false}, {escape, false}});
        const QString badTarget = folder.filePath(QStringLiteral("bad"));
        const ZipResult refused = ZipArchive::extractAll(bad, badTarget);
        EXPECT_FALSE(refused.ok) << escape.constData();
        EXPECT_TRUE(refused.error.contains(QString::fromUtf8(escape))) << refused.error.toStdString();
        EXPECT_FALSE(QFile::exists(badTarget + QStringLiteral("/first.txt"))) << "nothing is written";
    }
    const QString linked = folder.filePath(QStringLiteral("link.zip"));
    writeArchive(linked, {{"link", true}});
    EXPECT_FALSE(ZipArchive::extractAll(linked, folder.filePath(QStringLiteral("l"))).ok);
    EXPECT_FALSE(ZipArchive::isSafeEntryName(QString()));
    EXPECT_FALSE(ZipArchive::extractAll(folder.filePath(QStringLiteral("missing.zip")), target).ok);
}

TEST(ZipArchive, PacksFilesUnderTheirNamesAndReplacesTheArchive) {
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("TBCCACT.--1"));
    QFile file(source);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("activities");
    file.close();
    const QString archive = folder.filePath(QStringLiteral("TBCCnt1.ZIP"));
    ASSERT_TRUE(ZipArchive::pack({source}, archive).ok);
    ASSERT_TRUE(ZipArchive::pack({source}, archive).ok) << "an existing archive is replaced";
    EXPECT_FALSE(ZipArchive::pack({folder.filePath(QStringLiteral("absent"))}, archive).ok);
    EXPECT_TRUE(QFile::exists(archive)) << "a failed pack leaves the old archive";
    const ZipResult unpacked = ZipArchive::extractAll(archive, folder.filePath(QStringLiteral("x")));
    ASSERT_TRUE(unpacked.ok);
    EXPECT_TRUE(unpacked.files.value(0).endsWith(QStringLiteral("/TBCCACT.--1")));
}

TEST(ZipArchive, PacksEntriesUnderTheirGivenNamesWithProgressAndListsThem) {
    QTemporaryDir folder;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(folder.filePath(name)).absolutePath());
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QString table = write(QStringLiteral("TBVMACT.--1"), QByteArray(200000, 'a'));
    const QString batch = write(QStringLiteral("Batch/run.bat"), "echo\n");
    const QString archive = folder.filePath(QStringLiteral("TBZ1.zip"));
    QList<int> shares;
    const ZipResult packed = ZipArchive::pack(
        {{table, QStringLiteral("TBVMACT.--1")}, {batch, QStringLiteral("Batch/run.bat")}}, archive,
        [&](int percent) { shares.append(percent); });
    ASSERT_TRUE(packed.ok) << packed.error.toStdString();
    EXPECT_EQ(packed.files, (QStringList{table, batch}));
    ASSERT_FALSE(shares.isEmpty());
    EXPECT_EQ(shares.last(), 100);
    EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));

    const ZipResult listed = ZipArchive::entryNames(archive);
    ASSERT_TRUE(listed.ok);
    EXPECT_EQ(listed.files, (QStringList{QStringLiteral("TBVMACT.--1"), QStringLiteral("Batch/run.bat")}));
    const ZipResult unpacked = ZipArchive::extractAll(archive, folder.filePath(QStringLiteral("out")));
    ASSERT_TRUE(unpacked.ok);
    QFile back(folder.filePath(QStringLiteral("out/Batch/run.bat")));
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_EQ(back.readAll(), "echo\n");

    // No files still makes an archive that opens; a missing file names itself and the archive.
    const QString empty = folder.filePath(QStringLiteral("empty.zip"));
    ASSERT_TRUE(ZipArchive::pack(QList<ZipEntry>{}, empty).ok);
    const ZipResult none = ZipArchive::entryNames(empty);
    EXPECT_TRUE(none.ok) << none.error.toStdString();
    EXPECT_TRUE(none.files.isEmpty());
    const ZipResult missing = ZipArchive::pack(
        QList<ZipEntry>{{folder.filePath(QStringLiteral("gone")), QStringLiteral("gone")}}, archive);
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.error.contains(QStringLiteral("gone")) && missing.error.contains(archive));
    EXPECT_EQ(ZipArchive::entryNames(archive).files.size(), 2) << "the old archive stays";
    EXPECT_EQ(QDir(folder.path()).entryList(QStringList{QStringLiteral(".*tmp")}, QDir::Files | QDir::Hidden).size(), 0);
    EXPECT_FALSE(ZipArchive::entryNames(folder.filePath(QStringLiteral("absent.zip"))).ok);
}

// Level 0 stores the files as they are; higher levels pack tighter; every level unpacks to the
// same bytes, and a level out of range is taken as the nearest one.
TEST(ZipArchive, CompressionLevelsFromStoredToTightestUnpackTheSame) {
    QTemporaryDir folder;
    QByteArray records;
    for (int row = 0; row < 20000; ++row) {
        records += QStringLiteral(" A%1 Lastname%2 First %3 ")
                       .arg(row, 6, 10, QLatin1Char('0'))
                       .arg(row * 7919 % 1000)
                       .arg(row % 13)
                       .toLatin1();
    }
    const QString table = folder.filePath(QStringLiteral("TBVMASC.--1"));
    QFile file(table);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(records);
    file.close();
    const auto packAt = [&](int level) {
        const QString archive = folder.filePath(QStringLiteral("level%1.zip").arg(level));
        const ZipResult packed = ZipArchive::pack({{table, QStringLiteral("TBVMASC.--1")}}, archive,
                                                  {}, ZipAccess::OwnerOnly, level);
        EXPECT_TRUE(packed.ok) << packed.error.toStdString();
        int error = 0;
        zip_t* opened = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, &error);
        zip_stat_t stat;
        zip_stat_init(&stat);
        EXPECT_EQ(zip_stat_index(opened, 0, 0, &stat), 0);
        zip_close(opened);
        const QString out = folder.filePath(QStringLiteral("out%1").arg(level));
        EXPECT_TRUE(ZipArchive::extractAll(archive, out).ok);
        QFile back(out + QStringLiteral("/TBVMASC.--1"));
        EXPECT_TRUE(back.open(QIODevice::ReadOnly));
        EXPECT_EQ(back.readAll(), records) << "level " << level;
        return std::pair{int(stat.comp_method), qint64(stat.comp_size)};
    };
    const auto [storedMethod, storedSize] = packAt(0);
    const auto [fastMethod, fastSize] = packAt(1);
    const auto [tightMethod, tightSize] = packAt(9);
    const auto [beyondMethod, beyondSize] = packAt(12);
    EXPECT_EQ(storedMethod, ZIP_CM_STORE);
    EXPECT_EQ(storedSize, records.size());
    EXPECT_EQ(fastMethod, ZIP_CM_DEFLATE);
    EXPECT_LT(fastSize, storedSize / 2);
    EXPECT_LT(tightSize, fastSize);
    EXPECT_EQ(beyondMethod, ZIP_CM_DEFLATE);
    EXPECT_EQ(beyondSize, tightSize) << "12 packs as 9";
}
