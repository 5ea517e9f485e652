// The transfers of a system over "file://" addresses in a temporary folder: a zipped backup sent
// by FTP and HTTP (asked from the menu, silent from a script), an update and a component fetched
// into the "Updates" folder, a missing address and an unreachable server; a stalled and a
// failing server on the loopback address; the transfer account kept out of backups.
#include "maintenance/BackupSite.h"
#include "maintenance/SystemTransfer.h"

#include "component/CVelUI.h"
#include "maintenance/BackupPackage.h"
#include "platform/transfer/LoopbackHttpServer.h"
#include "services/TransferCredentials.h"

#include <QUrl>

namespace vel::testing {
namespace {

const QDate backupDay(2024, 3, 13);

struct TransferSite : BackupSite {
    TransferSite() {
        server = site.path(QStringLiteral("server"));
        QDir().mkpath(server);
    }
    QString serverAddress() const { return QUrl::fromLocalFile(server).toString() + u'/'; }
    void setTransfer(const QString& value, const QString& text) const {
        site.setSetting(QStringLiteral("Transfer"), value, text);
    }
    QByteArray read(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    QString server;
    CVelUI component;
};

}  // namespace

TEST(SystemTransfer, SendsTheZippedBackupAskingOnlyFromTheMenu) {
    TransferSite s;
    s.setTransfer(QStringLiteral("FTPUrl"), s.serverAddress());
    s.setTransfer(QStringLiteral("HTTPUrl"), s.serverAddress() + QStringLiteral("http/"));
    QDir().mkpath(s.server + QStringLiteral("/http"));

    // From the menu: the question, then the outcome.
    s.ui.answer(QStringLiteral("OK to zip the Backup and send it to ") + s.serverAddress() + u'?',
                IDYES);
    s.ui.answer(QStringLiteral("The Backup was sent to: ") + s.serverAddress() +
                    QStringLiteral("VelBack1-20240313.zip"),
                IDOK);
    EXPECT_TRUE(s.component.ZipandFTP(0, *s.system, BackDay, backupDay));
    EXPECT_EQ(BackupSite::entries(s.server + QStringLiteral("/VelBack1-20240313.zip")),
              (QSet<QString>{QStringLiteral("TBDAYFIL.--1"), QStringLiteral("TB0313A.--1")}));
    EXPECT_TRUE(s.ui.transcript().lines().contains(QStringLiteral("status: Zipping Backup Files")));
    EXPECT_TRUE(s.ui.transcript().lines().contains(
        QStringLiteral("status: Sending the Backup to ") + s.serverAddress()));

    // From a script: nothing is asked or shown; the outcome is on the status display.
    const size_t messages = s.ui.transcript().messages().size();
    s.component.setCommandLineFlag(eCMDScript);
    EXPECT_TRUE(s.component.ZipandHTTP(0, *s.system, BackTables, backupDay));
    EXPECT_EQ(s.ui.transcript().messages().size(), messages);
    EXPECT_GE(BackupSite::entries(s.server + QStringLiteral("/http/VelBack1-20240313.zip")).size(),
              10);
    EXPECT_TRUE(s.temporaryZips().isEmpty());

    // The answer No sends nothing.
    s.component.setCommandLineFlag(eCMDMenu);
    s.ui.answer(QStringLiteral("OK to zip the Backup"), IDNO);
    QFile::remove(s.server + QStringLiteral("/VelBack1-20240313.zip"));
    EXPECT_FALSE(s.component.ZipandFTP(0, *s.system, BackDay, backupDay));
    EXPECT_FALSE(QFile::exists(s.server + QStringLiteral("/VelBack1-20240313.zip")));
}

TEST(SystemTransfer, AMissingAddressIsToldAndNothingIsPackedOrFetched) {
    TransferSite s;
    s.component.setCommandLineFlag(eCMDCommandLine);
    s.ui.answer(QStringLiteral("Cannot send the Backup: no server address is set up.  Enter it in "
                               "the settings, section \"Transfer\", value \"HTTPUrl\"."),
                IDOK);
    EXPECT_FALSE(s.component.ZipandHTTP(0, *s.system));
    s.ui.answer(QStringLiteral("value \"FTPUrl\""), IDOK);
    EXPECT_FALSE(s.component.ZipandFTP(0, *s.system));
    s.ui.answer(QStringLiteral("Cannot download the program update: no server address"), IDOK);
    EXPECT_FALSE(s.component.DownloadUpdate(0, *s.system));
    s.ui.answer(QStringLiteral("Cannot download the component TBEngine.so: no server address"),
                IDOK);
    EXPECT_EQ(s.component.DownloadComponent(0, *s.system, QStringLiteral("TBEngine.so")),
              QString());
    EXPECT_EQ(s.ui.transcript().messages().size(), 4u);
    EXPECT_TRUE(s.temporaryZips().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(s.site.path(QStringLiteral("Updates/TBEngine.so"))));
}

TEST(SystemTransfer, AnUnreachableServerIsToldWithTheTransfersReason) {
    TransferSite s;
    s.setTransfer(QStringLiteral("HTTPUrl"), QStringLiteral("http://127.0.0.1:1/backups/"));
    s.setTransfer(QStringLiteral("User"), QStringLiteral("site7"));
    s.setTransfer(QStringLiteral("Password"), QStringLiteral("secret"));
    s.component.setCommandLineFlag(eCMDCommandLine);
    s.ui.answer(
        QStringLiteral("The Backup could not be sent.  Cannot send VelBack1-20240313.zip to "
                       "http://127.0.0.1:1/backups/VelBack1-20240313.zip: "),
        IDOK);
    EXPECT_FALSE(s.component.ZipandHTTP(0, *s.system, BackFull, backupDay));
    const MessageRecord& told = s.ui.transcript().messages().back();
    EXPECT_TRUE(told.prompt.contains(QStringLiteral("connect"), Qt::CaseInsensitive))
        << told.prompt.toStdString();
    EXPECT_FALSE(told.prompt.contains(QStringLiteral("secret")));
    EXPECT_EQ(told.style, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_TRUE(s.temporaryZips().isEmpty());
}

TEST(SystemTransfer, FetchesTheUpdateAndComponentsIntoTheUpdatesFolder) {
    TransferSite s;
    s.write(QStringLiteral("server/velmor-update.zip"), "update package");
    s.write(QStringLiteral("server/lib/TBEngine.so"), "engine");
    s.setTransfer(QStringLiteral("UpdateUrl"),
                  QUrl::fromLocalFile(s.server + QStringLiteral("/velmor-update.zip")).toString());
    s.setTransfer(QStringLiteral("FTPUrl"), QUrl::fromLocalFile(s.server).toString());

    const QString update = s.site.path(QStringLiteral("Updates/velmor-update.zip"));
    s.ui.answer(QStringLiteral("The program update was downloaded to: ") + update, IDOK);
    EXPECT_TRUE(s.component.DownloadUpdate(0, *s.system));
    EXPECT_EQ(s.read(update), "update package");

    const QString engine = s.site.path(QStringLiteral("Updates/TBEngine.so"));
    EXPECT_EQ(s.component.DownloadComponent(0, *s.system, QStringLiteral("lib/TBEngine.so")),
              engine);
    EXPECT_EQ(s.read(engine), "engine");

    // A component that is not there: the reason, an empty answer, the old file kept.
    s.ui.answer(
        QStringLiteral("The component lib/TBEngine.so could not be downloaded.  Cannot fetch"),
        IDOK);
    QFile::remove(s.server + QStringLiteral("/lib/TBEngine.so"));
    EXPECT_EQ(s.component.DownloadComponent(0, *s.system, QStringLiteral("lib/TBEngine.so")),
              QString());
    EXPECT_EQ(s.read(engine), "engine");
    // A name that climbs out of the folder is refused before anything is fetched.
    s.ui.answer(QStringLiteral("Cannot download the component \"../velmor1.ini\""), IDOK);
    EXPECT_EQ(s.component.DownloadComponent(0, *s.system, QStringLiteral("../velmor1.ini")),
              QString());
}

}  // namespace vel::testing

namespace vel::testing {

TEST(SystemTransfer, TheTransferAccountNeverTravelsInABackupNorShowsInAMessage) {
    TransferSite s;
    s.setTransfer(QStringLiteral("FTPUrl"), s.serverAddress());
    s.setTransfer(QStringLiteral("User"), QStringLiteral("site7"));
    s.setTransfer(QStringLiteral("Password"), QStringLiteral("s3cret-pw"));
    s.component.setCommandLineFlag(eCMDScript);
    ASSERT_TRUE(s.component.ZipandFTP(0, *s.system, BackFull, backupDay));

    // The account moved out of the settings into the owner's own credentials file ...
    const QString credentials = s.site.path(QStringLiteral("velmor1-credentials.ini"));
    EXPECT_EQ(QFile(credentials).permissions() &
                  ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
              QFile::Permissions());
    EXPECT_EQ(TransferCredentials(s.site.folder, 1).read().password, QStringLiteral("s3cret-pw"));
    EXPECT_FALSE(s.read(s.site.path(QStringLiteral("velmor1.ini"))).contains("s3cret-pw"));
    // ... so the backup carries the settings without it, and never the credentials file.
    const QString zip = s.server + QStringLiteral("/VelBack1-20240313.zip");
    EXPECT_TRUE(BackupSite::entries(zip).contains(QStringLiteral("velmor1.ini")));
    EXPECT_FALSE(BackupSite::entries(zip).contains(QStringLiteral("velmor1-credentials.ini")));
    const QString unpacked = s.site.path(QStringLiteral("restored"));
    ASSERT_TRUE(ZipArchive::extractAll(zip, unpacked).ok);
    EXPECT_FALSE(s.read(unpacked + QStringLiteral("/velmor1.ini")).contains("s3cret-pw"));
    for (const int type : {BackFile, BackNamedFile}) {
        BackupPackage package(*s.system, type, backupDay);
        EXPECT_FALSE(package.pack(s.temporaryFolder).isEmpty());
        EXPECT_FALSE(package.files().contains(QStringLiteral("velmor1-credentials.ini")));
        EXPECT_TRUE(package.files().contains(QStringLiteral("velmor1.ini")));
    }

    // A password written into an address is left out of every message.
    LoopbackHttpServer failing(LoopbackHttpServer::Behaviour::Answer,
                               "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n"
                               "Connection: close\r\n\r\n");
    QString withPassword = failing.address(QStringLiteral("/backups/"));
    withPassword.replace(QStringLiteral("//"), QStringLiteral("//site7:s3cret-pw@"));
    s.setTransfer(QStringLiteral("HTTPUrl"), withPassword);
    s.ui.answer(QStringLiteral("The Backup could not be sent."), IDOK);
    s.component.setCommandLineFlag(eCMDMenu);
    s.ui.answer(QStringLiteral("OK to zip the Backup and send it to http://site7@127.0.0.1:"),
                IDYES);
    EXPECT_FALSE(s.component.ZipandHTTP(0, *s.system, BackDay, backupDay));
    EXPECT_TRUE(s.ui.transcript().messages().back().prompt.contains(QStringLiteral("500")));
    for (const QString& line : s.ui.transcript().lines()) {
        EXPECT_FALSE(line.contains(QStringLiteral("s3cret-pw"))) << line.toStdString();
    }
}

TEST(SystemTransfer, AStalledServerIsLeftAtTheSetLimitOrWhenThePersonCancels) {
    TransferSite s;
    LoopbackHttpServer stalled(LoopbackHttpServer::Behaviour::Stall);
    s.setTransfer(QStringLiteral("HTTPUrl"), stalled.address(QStringLiteral("/backups/")));
    s.setTransfer(QStringLiteral("UpdateUrl"), stalled.address(QStringLiteral("/update.zip")));
    s.component.setCommandLineFlag(eCMDCommandLine);

    // The person presses Cancel beside the status display while the backup is being sent.
    s.ui.cancelWhenStatus(QStringLiteral("Sending the Backup to "));
    s.ui.answer(QStringLiteral("The Backup could not be sent.  Cannot send VelBack1-20240313.zip"),
                IDOK);
    EXPECT_FALSE(s.component.ZipandHTTP(0, *s.system, BackDay, backupDay));
    EXPECT_TRUE(s.ui.transcript().messages().back().prompt.endsWith(
        QStringLiteral(": the transfer was cancelled")));
    EXPECT_TRUE(s.ui.transcript().lines().contains(QStringLiteral("status: (Cancel pressed)")));
    EXPECT_TRUE(s.temporaryZips().isEmpty());

    // Nobody cancels: the stall limit from the settings ends the download.
    s.setTransfer(QStringLiteral("StallSeconds"), QStringLiteral("1"));
    s.ui.answer(QStringLiteral("The program update could not be downloaded."), IDOK);
    EXPECT_FALSE(s.component.DownloadUpdate(0, *s.system));
    EXPECT_TRUE(s.ui.transcript().messages().back().prompt.contains(QStringLiteral("too slow"),
                                                                    Qt::CaseInsensitive))
        << s.ui.transcript().messages().back().prompt.toStdString();
    EXPECT_FALSE(QFileInfo::exists(s.site.path(QStringLiteral("Updates/update.zip"))));
    EXPECT_GE(stalled.requests(), 1) << "the download reached the server (the cancel may not)";
}

}  // namespace vel::testing
