#pragma once
// A system to back up: the reference host's files of system 1, the files of a day, the product's
// shared files and subfolders, and files of other systems in the same data folder (2 and 111),
// with a headless Ui whose unexpected windows and messages fail the test. The temporary zip goes
// to a folder of its own, so that a test can see that none is left behind.
#include "host/HostTestSupport.h"
#include "platform/transfer/ZipArchive.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace vel::testing {

struct BackupSite {
    BackupSite() : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
        for (const char* name :
             {"TB0313A.--1", "TB0314A.--1", "TBMASHST.MH1", "TBDC1TXT.--1", "tbnet.cfg",
              "tbsys.dbf", "tbimpbu.dat", "tbpreons.txt", "TBDISC_01.dat", "old.zip",
              "LOGS/L0313.log", "LOGS/notes.txt", "BATCH/run.bat",
              // other systems
              "TBVMACT.--2", "TBMASTER.2", "TB0313A.--2", "velmor2.ini", "TBMASTER.111",
              "TBMASHST.111", "TBVMACT.--11"}) {
            write(QString::fromLatin1(name));
        }
        if (!QFile::exists(site.path(QStringLiteral("TBEDITLOG.--1")))) {
            write(QStringLiteral("TBEDITLOG.--1"));  // the change log begins with the first change
        }
        temporaryFolder = site.path(QStringLiteral("tmp"));
        targetFolder = site.path(QStringLiteral("backups"));
        QDir().mkpath(temporaryFolder);
        QDir().mkpath(targetFolder);
        site.setSetting(QStringLiteral("Backup"), QStringLiteral("TmpFolder"), temporaryFolder);
        system = site.open();
    }

    void write(const QString& name, const QByteArray& bytes = "data") const {
        const QString path = site.path(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QString readSetting(const QString& section, const QString& value) const {
        IniSettings settings(IniSettings::locationFor(site.folder, 1));
        settings.selectSection(section);
        return settings.readValue(value, QStringLiteral("(unset)"));
    }

    // The temporary zips left in the temporary folder.
    QStringList temporaryZips() const {
        return QDir(temporaryFolder).entryList({QStringLiteral("TBZ*")}, QDir::Files);
    }

    static QSet<QString> entries(const QString& zip) {
        const ZipResult listed = ZipArchive::entryNames(zip);
        EXPECT_TRUE(listed.ok) << listed.error.toStdString();
        return QSet<QString>(listed.files.begin(), listed.files.end());
    }

    TestSite site;
    HeadlessUi ui;
    ScopedUi scope;
    QString temporaryFolder;
    QString targetFolder;
    std::unique_ptr<ReferenceSystem> system;
};

}  // namespace vel::testing
