#include "maintenance/SystemTransfer.h"

#include "data/Enumerations.h"
#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "maintenance/BackupPackage.h"
#include "platform/transfer/TBTransfer.h"
#include "platform/transfer/ZipArchive.h"
#include "services/AddSlash.h"
#include "services/ErrorReport.h"
#include "services/IniSettings.h"
#include "services/TransferCredentials.h"
#include "ui/MessageBoxCodes.h"
#include "ui/Ui.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace vel {

namespace {

const QString transferSection = QStringLiteral("Transfer");
const QString caption = QStringLiteral("Backup/Zip");

QString readSetting(VelmorSystem& system, const QString& section, const QString& value) {
    IniSettings settings(system.settingsLocation());
    settings.selectSection(section);
    return settings.readValue(value, QString()).trimmed();
}

// An address as a person may see it: without a password written into it.
QString shown(const QString& address) {
    return TBTransfer::withoutPassword(address);
}

}  // namespace

SystemTransfer::SystemTransfer(VelmorSystem& system) : system_(system) {}

QString SystemTransfer::remoteBackupName(int systemNumber, const QDate& day) {
    return QStringLiteral("VelBack%1-%2.zip")
        .arg(systemNumber)
        .arg(day.toString(QStringLiteral("yyyyMMdd")));
}

bool SystemTransfer::ZipandHTTP(quintptr, int BackupType, const QDate& Day, short CommandLineFlag) {
    bool sent = false;
    return guarded(QStringLiteral(" - ZipandHTTP"), sent, [&] {
        sent = zipAndSend(QStringLiteral("HTTPUrl"), BackupType, Day, CommandLineFlag);
    });
}

bool SystemTransfer::ZipandFTP(quintptr, int BackupType, const QDate& Day, short CommandLineFlag) {
    bool sent = false;
    return guarded(QStringLiteral(" - ZipandFTP"), sent, [&] {
        sent = zipAndSend(QStringLiteral("FTPUrl"), BackupType, Day, CommandLineFlag);
    });
}

bool SystemTransfer::zipAndSend(const QString& addressValue, int backupType, const QDate& day,
                                short commandLineFlag) {
    const QString server = address(addressValue, QStringLiteral("send the Backup"));
    if (server.isEmpty()) {
        return false;
    }
    const bool interactive = commandLineFlag == eCMDMenu;
    if (interactive && system_.AskMessage(QStringLiteral("OK to zip the Backup and send it to ") +
                                              shown(server) + u'?',
                                          MB_YESNO | MB_ICONQUESTION, caption) != IDYES) {
        return false;
    }
    const QDate backupDay = day.isValid() ? day : QDate::currentDate();
    BackupPackage package(system_, backupType, backupDay);
    const QString zip = package.pack(BackupPackage::temporaryFolderFrom(
        readSetting(system_, QStringLiteral("Backup"), QStringLiteral("TmpFolder"))));
    const QString name = remoteBackupName(system_.Program().systemNumber(), backupDay);
    system_.StatusText(QStringLiteral("Sending the Backup to ") + shown(server));
    const TransferResult sent =
        run([&](const TBTransfer& transfer) { return transfer.upload(zip, server, name); });
    if (!sent.ok) {
        tell(QStringLiteral("The Backup could not be sent.  ") + sent.error, MB_ICONEXCLAMATION);
        return false;
    }
    const QString arrived = shown(TBTransfer::addressFor(server, name));
    if (interactive) {
        tell(QStringLiteral("The Backup was sent to: ") + arrived, MB_ICONINFORMATION);
    } else {
        system_.StatusText(QStringLiteral("The Backup was sent to: ") + arrived);
    }
    return true;
}

bool SystemTransfer::DownloadUpdate(quintptr) {
    bool fetched = false;
    return guarded(QStringLiteral(" - DownloadUpdate"), fetched, [&] {
        const QString server =
            address(QStringLiteral("UpdateUrl"), QStringLiteral("download the program update"));
        if (server.isEmpty()) {
            return;
        }
        QString name = QUrl(server).fileName();
        if (name.isEmpty()) {
            name = QStringLiteral("update.zip");
        }
        const QString file = updatesFolder() + name;
        fetched = fetch(server, file, QStringLiteral("The program update"));
        if (fetched) {
            tell(QStringLiteral("The program update was downloaded to: ") + file,
                 MB_ICONINFORMATION);
        }
    });
}

QString SystemTransfer::DownloadComponent(quintptr, const QString& FTPFileName) {
    QString local;
    return guarded(QStringLiteral(" - DownloadComponent"), local, [&] {
        const QString name = QString(FTPFileName).replace(u'\\', u'/').trimmed();
        if (!ZipArchive::isSafeEntryName(name) || name.endsWith(u'/')) {
            tell(QStringLiteral("Cannot download the component \"") + FTPFileName +
                     QStringLiteral("\": it is not a file name on the server."),
                 MB_ICONEXCLAMATION);
            return;
        }
        const QString server =
            address(QStringLiteral("FTPUrl"), QStringLiteral("download the component ") + name);
        if (server.isEmpty()) {
            return;
        }
        const QString folder = server.endsWith(u'/') ? server : server + u'/';
        const QString remote = folder + QString::fromUtf8(QUrl::toPercentEncoding(name, "/"));
        const QString file = updatesFolder() + QFileInfo(name).fileName();
        if (fetch(remote, file, QStringLiteral("The component ") + name)) {
            local = file;
        }
    });
}

QString SystemTransfer::address(const QString& value, const QString& purpose) const {
    const QString server = readSetting(system_, transferSection, value);
    if (server.isEmpty()) {
        tell(QStringLiteral("Cannot ") + purpose +
                 QStringLiteral(": no server address is set up.  Enter it in the settings, "
                                "section \"Transfer\", value \"") +
                 value + QStringLiteral("\"."),
             MB_ICONEXCLAMATION);
    }
    return server;
}

TBTransfer SystemTransfer::transfer() const {
    TBTransfer transfer;
    const ProgramObject& program = system_.Program();
    const TransferAccount account =
        TransferCredentials(program.dataFolder(), program.systemNumber()).read();
    transfer.setCredentials(account.user, account.password);
    transfer.setLimits(limits());
    transfer.setProgress([this](int percent) { system_.StatusPercent(percent); });
    transfer.setCancel([] {
        currentUi().processEvents();
        return currentUi().statusCancelled();
    });
    return transfer;
}

// The limits, from the "Transfer" settings where a person has set them.
TransferLimits SystemTransfer::limits() const {
    TransferLimits limits;
    const auto seconds = [this](const QString& value, int standard) {
        bool isNumber = false;
        const int number = readSetting(system_, transferSection, value).toInt(&isNumber);
        return isNumber && number >= 0 ? number : standard;
    };
    limits.connectSeconds = seconds(QStringLiteral("ConnectSeconds"), limits.connectSeconds);
    limits.lowSpeedSeconds = seconds(QStringLiteral("StallSeconds"), limits.lowSpeedSeconds);
    limits.overallSeconds = seconds(QStringLiteral("TimeLimitSeconds"), limits.overallSeconds);
    return limits;
}

// Runs one transfer with the status display's Cancel button offered.
TransferResult SystemTransfer::run(const std::function<TransferResult(const TBTransfer&)>& work) {
    currentUi().statusCancellable(true);
    const TransferResult result = work(transfer());
    currentUi().statusCancellable(false);
    system_.StatusDone();
    return result;
}

// The "Updates" subfolder of the data folder, made when missing, with a trailing separator.
QString SystemTransfer::updatesFolder() const {
    const QString folder = AddSlash(system_.Program().dataFolder()) + QStringLiteral("Updates");
    QDir().mkpath(folder);
    return AddSlash(folder);
}

bool SystemTransfer::fetch(const QString& address, const QString& file, const QString& what) {
    system_.StatusText(QStringLiteral("Downloading ") + QFileInfo(file).fileName());
    const TransferResult fetched =
        run([&](const TBTransfer& transfer) { return transfer.download(address, file); });
    if (!fetched.ok) {
        tell(what + QStringLiteral(" could not be downloaded.  ") + fetched.error,
             MB_ICONEXCLAMATION);
    }
    return fetched.ok;
}

void SystemTransfer::tell(const QString& text, int icon) const {
    system_.ShowMessage(text, MB_OK | icon, caption);
}

}  // namespace vel
