// The backup of a system: the files each backup type takes (and those of other systems it never
// takes), the dialog, the question, the target that cannot be created, the failed copy with its
// line in error.log, the stored settings, and a whole demo site packed and read back.
#include "maintenance/BackupFileList.h"
#include "maintenance/BackupPackage.h"
#include "maintenance/BackupSite.h"
#include "maintenance/SystemBackup.h"

#include "component/CVelUI.h"
#include "host/DemoSite.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <cerrno>
#include <zip.h>

namespace vel::testing {
namespace {

const QDate backupDay(2024, 3, 13);

QSet<QString> names(std::initializer_list<const char*> list) {
    QSet<QString> set;
    for (const char* name : list) {
        set.insert(QString::fromLatin1(name));
    }
    return set;
}

// Records what the save-file dialog was asked with, and answers with a prepared name.
class DialogRecordingUi : public HeadlessUi {
  public:
    QString saveFileName(const FileDialogRequest& request) override {
        requests.push_back(request);
        return HeadlessUi::saveFileName(request);
    }
    std::vector<FileDialogRequest> requests;
};

SystemBackupOptions onBackupDay() {
    return {{}, [] { return backupDay; }};
}

}  // namespace

TEST(SystemBackup, EachTypeTakesItsFilesAndNeverThoseOfAnotherSystem) {
    BackupSite s;
    const QDir data(s.site.folder);
    const QStringList tableList = data.entryList({QStringLiteral("TBVM*.--1")}, QDir::Files);
    ASSERT_GE(tableList.size(), 10);
    const QSet<QString> tables(tableList.begin(), tableList.end());
    for (const char* name : {"TBMASTER.1", "velmor1.ini", "TBEDITLOG.--1", "TBDAYFIL.--1"}) {
        ASSERT_TRUE(data.exists(QString::fromLatin1(name))) << name;
    }
    const QStringList systemList = data.entryList({QStringLiteral("TB*.??1")}, QDir::Files);
    QSet<QString> everyFile(systemList.begin(), systemList.end());
    everyFile -= names({"TBMASTER.111", "TBMASHST.111"});  // system 111's
    everyFile += names({"TBMASTER.1", "velmor1.ini", "tbnet.cfg", "tbsys.dbf", "tbimpbu.dat",
                        "tbpreons.txt", "TBDISC_01.dat"});

    const QSet<QString> expected[] = {
        // BackFull
        tables + names({"TBMASTER.1", "velmor1.ini", "TBMASHST.MH1", "TBDC1TXT.--1",
                        "TBEDITLOG.--1", "TBDAYFIL.--1", "TB0313A.--1"}),
        // BackTables
        tables + names({"TBDC1TXT.--1", "TBEDITLOG.--1"}),
        // BackDay
        names({"TBDAYFIL.--1", "TB0313A.--1"}),
        // BackFile
        everyFile,
        // BackNamedFile
        everyFile + names({"old.zip", "LOGS/L0313.log", "BATCH/run.bat"}),
    };
    for (int type = BackFull; type <= BackNamedFile; ++type) {
        SCOPED_TRACE(type);
        const QString target = s.targetFolder + QStringLiteral("/type%1.zip").arg(type);
        s.ui.answer(QStringLiteral("OK to start the Backup operation?"), IDYES);
        s.ui.answer(QStringLiteral("Backup complete."), IDOK);
        EXPECT_FALSE(SystemBackup(*s.system, onBackupDay()).Backup(0, type, {}, target));
        const QSet<QString> packed = BackupSite::entries(target);
        EXPECT_EQ(packed, expected[type]) << QStringList(packed.values()).join(u' ').toStdString();
        EXPECT_EQ(s.ui.transcript().prompts().last(),
                  QStringLiteral("Backup complete.  %1 files were written to: %2")
                      .arg(expected[type].size())
                      .arg(target));
    }
    // A day of its own picks that day's files.
    s.ui.answer(QStringLiteral("OK to start"), IDYES);
    s.ui.answer(QStringLiteral("Backup complete."), IDOK);
    const QString dayZip = s.targetFolder + QStringLiteral("/day.zip");
    SystemBackup(*s.system).Backup(0, BackDay, QDate(2025, 3, 14), dayZip);
    EXPECT_EQ(BackupSite::entries(dayZip), names({"TBDAYFIL.--1", "TB0314A.--1"}));
    EXPECT_TRUE(s.temporaryZips().isEmpty());
    EXPECT_EQ(BackupFileList::dayCode(QDate(2024, 12, 5)), QStringLiteral("1205"));
}

// The compression level comes from the settings: 0 stores the files as they are, a missing or
// bad value packs at the zip command's default level.
TEST(SystemBackup, TheCompressionLevelSettingChoosesHowTheFilesArePacked) {
    EXPECT_EQ(BackupPackage::compressionLevelFrom(QStringLiteral(" 0 ")), 0);
    EXPECT_EQ(BackupPackage::compressionLevelFrom(QStringLiteral("9")), 9);
    for (const char* bad : {"", "10", "-1", "fast", "6.5"}) {
        EXPECT_EQ(BackupPackage::compressionLevelFrom(QString::fromLatin1(bad)), 6) << bad;
    }
    QTemporaryDir folder;
    QString error;
    ASSERT_TRUE(createDemoSite(folder.path(), DemoSize::Small, &error, backupDay))
        << error.toStdString();
    HeadlessUi ui;
    ScopedUi scope(ui);
    ReferenceSystem system(folder.path(), 1, ReferenceSystemOptions{fixedNow, nullptr, false});
    const auto methodsAt = [&](const QString& level) {
        IniSettings settings(IniSettings::locationFor(folder.path(), 1));
        settings.selectSection(QStringLiteral("Backup"));
        EXPECT_TRUE(settings.writeText(QStringLiteral("CompressionLevel"), level));
        BackupPackage package(system, 1, backupDay);
        const QString zip = package.pack(QDir::tempPath());
        QSet<int> methods;
        int code = 0;
        zip_t* archive = zip_open(QFile::encodeName(zip).constData(), ZIP_RDONLY, &code);
        EXPECT_NE(archive, nullptr);
        for (zip_int64_t index = 0; archive && index < zip_get_num_entries(archive, 0); ++index) {
            zip_stat_t stat;
            zip_stat_index(archive, zip_uint64_t(index), 0, &stat);
            if (stat.size > 0) {
                methods.insert(stat.comp_method);
            }
        }
        zip_close(archive);
        return methods;
    };
    EXPECT_EQ(methodsAt(QStringLiteral("0")), QSet<int>{ZIP_CM_STORE});
    EXPECT_TRUE(methodsAt(QStringLiteral("none")).contains(ZIP_CM_DEFLATE));
}

TEST(SystemBackup, ADemoSiteGoesWholeThroughTheDialogAndTheSettingsAreStored) {
    QTemporaryDir folder;
    QString error;
    ASSERT_TRUE(createDemoSite(folder.path(), DemoSize::Small, &error, backupDay))
        << error.toStdString();
    DialogRecordingUi ui;
    ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    ScopedUi scope(ui);
    ReferenceSystem system(folder.path(), 1, ReferenceSystemOptions{fixedNow, nullptr, false});
    const QString target = folder.filePath(QStringLiteral("VelBack.zip"));
    ui.nextFileName(target);
    ui.answer(QStringLiteral("OK to start the Backup operation?"), IDYES);
    ui.answer(QStringLiteral("Backup complete."), IDOK);
    CVelUI component;
    EXPECT_FALSE(component.Backup(0, system));

    ASSERT_EQ(ui.requests.size(), 1u);
    const FileDialogRequest& request = ui.requests.front();
    EXPECT_EQ(request.title, QStringLiteral("Select File to hold the Backup"));
    EXPECT_EQ(QDir(request.folder), QDir(folder.path())) << "LastZip starts in the data folder";
    EXPECT_EQ(request.fileName, QStringLiteral("VelBack"));
    EXPECT_EQ(request.filter, QStringLiteral("All Files (*.*)|*.*|Zip Files (*.zip)|*.zip"));
    EXPECT_EQ(request.defaultExtension, QStringLiteral(".zip"));
    const MessageRecord& question = ui.transcript().messages().front();
    EXPECT_EQ(question.caption, QStringLiteral("Backup/Zip"));
    EXPECT_EQ(question.style, MB_YESNO | MB_ICONQUESTION);

    // Every file comes back byte for byte.
    const QString restored = folder.filePath(QStringLiteral("restored"));
    const ZipResult unpacked = ZipArchive::extractAll(target, restored);
    ASSERT_TRUE(unpacked.ok) << unpacked.error.toStdString();
    EXPECT_GE(unpacked.files.size(), 15);
    for (const QString& path : unpacked.files) {
        if (path.endsWith(QStringLiteral(".ini"))) {
            continue;  // the settings changed after the backup: they now hold "LastZip"
        }
        QFile copy(path);
        QFile original(folder.filePath(QFileInfo(path).fileName()));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
        EXPECT_TRUE(copy.readAll() == original.readAll()) << path.toStdString();
    }
    EXPECT_TRUE(BackupSite::entries(target).contains(QStringLiteral("TBVMPSL.--1")));

    IniSettings settings(IniSettings::locationFor(folder.path(), 1));
    settings.selectSection(QStringLiteral("Backup"));
    EXPECT_EQ(settings.readValue(QStringLiteral("LastZip")), target);
    EXPECT_EQ(settings.readValue(QStringLiteral("TmpFolder")), QDir::tempPath());
    EXPECT_EQ(settings.readValue(QStringLiteral("LastDate")),
              QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
}

TEST(SystemBackup, NoOrACancelledDialogWritesNothing) {
    BackupSite s;
    const QString target = s.targetFolder + QStringLiteral("/no.zip");
    s.ui.answer(QStringLiteral("OK to start the Backup operation?"), IDNO);
    EXPECT_FALSE(SystemBackup(*s.system).Backup(0, BackFull, {}, target));
    s.ui.nextFileName(QString());  // the dialog cancelled: no question follows
    EXPECT_FALSE(SystemBackup(*s.system).Backup(0, BackFull, {}, {}));
    EXPECT_EQ(s.ui.transcript().prompts().size(), 1);
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(s.temporaryZips().isEmpty());
    EXPECT_EQ(s.readSetting(QStringLiteral("Backup"), QStringLiteral("LastDate")),
              QStringLiteral("(unset)"));
}

TEST(SystemBackup, ATargetThatCannotBeCreatedIsToldAndNothingIsPacked) {
    BackupSite s;
    const QString missing = s.targetFolder + QStringLiteral("/no/such/folder/x.zip");
    const QString folderTarget = s.targetFolder;  // an existing folder is no file
    for (const QString& target : {missing, folderTarget}) {
        s.ui.answer(QStringLiteral("OK to start"), IDYES);
        s.ui.answer(QStringLiteral("Error creating file: ") + target, IDOK);
        EXPECT_FALSE(SystemBackup(*s.system).Backup(0, BackFull, {}, target));
        EXPECT_EQ(s.ui.transcript().messages().back().prompt,
                  QStringLiteral("Error creating file: ") + target);
        EXPECT_EQ(s.ui.transcript().messages().back().caption, QStringLiteral("Backup/Zip"));
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_TRUE(s.temporaryZips().isEmpty());
    EXPECT_FALSE(QFile::exists(s.site.path(QStringLiteral("error.log"))));
}

// A backup never replaces a file it backs up: a target among the packed files is refused and
// stays as it was, unless it is itself an earlier backup zip, which is left out and replaced.
TEST(SystemBackup, ATargetAmongThePackedFilesIsRefusedUnlessItIsABackupZip) {
    BackupSite s;
    const auto bytesOf = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const std::pair<int, QString> targets[] = {
        {BackFull, s.site.path(QStringLiteral("TBVMASC.--1"))},
        {BackFull, s.site.path(QStringLiteral("TBDC1TXT.--1"))},
        {BackNamedFile, s.site.path(QStringLiteral("LOGS/L0313.log"))},
        {BackNamedFile, s.site.path(QStringLiteral("old.zip"))}};  // "data": no zip
    for (const auto& [type, target] : targets) {
        ASSERT_TRUE(QFile::exists(target)) << target.toStdString();
        const QByteArray before = bytesOf(target);
        s.ui.answer(QStringLiteral("OK to start"), IDYES);
        s.ui.answer(QStringLiteral("Error creating file: ") + target, IDOK);
        EXPECT_FALSE(SystemBackup(*s.system).Backup(0, type, {}, target));
        EXPECT_TRUE(s.ui.transcript().messages().back().prompt.startsWith(
            QStringLiteral("Error creating file: ") + target));
        EXPECT_EQ(bytesOf(target), before) << target.toStdString();
    }
    EXPECT_TRUE(s.temporaryZips().isEmpty());

    const QString earlier = s.site.path(QStringLiteral("old.zip"));
    ASSERT_TRUE(ZipArchive::pack(QList<ZipEntry>{}, earlier).ok);
    s.ui.answer(QStringLiteral("OK to start"), IDYES);
    s.ui.answer(QStringLiteral("Backup complete."), IDOK);
    EXPECT_FALSE(SystemBackup(*s.system).Backup(0, BackNamedFile, {}, earlier));
    const QSet<QString> packed = BackupSite::entries(earlier);
    EXPECT_TRUE(packed.contains(QStringLiteral("TBVMASC.--1")));
    EXPECT_FALSE(packed.contains(QStringLiteral("old.zip")));
}

TEST(SystemBackup, AFailedCopyIsWrittenToTheErrorLogAndShown) {
    BackupSite s;
    const QString target = s.targetFolder + QStringLiteral("/full.zip");
    s.site.setSetting(QStringLiteral("Backup"), QStringLiteral("LastZip"),
                      QStringLiteral("/old.zip"));
    QString copiedFrom;
    SystemBackupOptions failing;
    failing.copyFile = [&](const QString& source, const QString&) {
        copiedFrom = source;
        EXPECT_GT(BackupSite::entries(source).size(), 10) << "the temporary zip is packed";
        return ENOSPC;
    };
    s.ui.answer(QStringLiteral("OK to start"), IDYES);
    s.ui.answer(QStringLiteral("Copying temp file: "), IDOK);
    EXPECT_FALSE(SystemBackup(*s.system, failing).Backup(0, BackFull, {}, target));

    EXPECT_TRUE(QFileInfo(copiedFrom).fileName().startsWith(QStringLiteral("TBZ")));
    EXPECT_EQ(QFileInfo(copiedFrom).absolutePath(),
              QFileInfo(s.temporaryFolder).absoluteFilePath());
    const QString line = QStringLiteral("Copying temp file: ") + copiedFrom +
                         QStringLiteral(" to: ") + target +
                         QStringLiteral("  Error: 28 (No space left on device)");
    EXPECT_EQ(s.ui.transcript().messages().back().prompt, line);
    QFile log(s.site.path(QStringLiteral("error.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly | QIODevice::Text));
    EXPECT_EQ(QString::fromUtf8(log.readAll()), line + u'\n');
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(s.temporaryZips().isEmpty()) << "the temporary zip is removed";
    EXPECT_EQ(s.readSetting(QStringLiteral("Backup"), QStringLiteral("LastZip")),
              QStringLiteral("/old.zip"));
}

TEST(SystemBackup, ABadBackupTypeIsReportedWithTheProcedureName) {
    BackupSite s;
    CVelUI component;
    EXPECT_FALSE(component.Backup(0, *s.system, 5, {}, s.targetFolder + QStringLiteral("/x.zip")));
    ASSERT_EQ(s.system->errors().reports().size(), 1);
    EXPECT_EQ(s.system->errors().reports().front().text,
              QStringLiteral("There is no backup type 5 - Backup"));
    EXPECT_TRUE(s.ui.transcript().messages().empty()) << "nothing was asked";
}

}  // namespace vel::testing
