#pragma once
// The transfers of a system through TBTransfer: a zipped backup sent to the maker's server by
// HTTP or FTP, a program update and single components fetched from it. Where the server is
// lives in the system's settings, section "Transfer":
//
//   "HTTPUrl"    where ZipandHTTP sends backups (an HTTP PUT; "http://host/backups/")
//   "FTPUrl"     the FTP folder: ZipandFTP sends backups there, DownloadComponent fetches from it
//   "UpdateUrl"  the update package DownloadUpdate fetches ("ftp://host/velmor/update.zip")
//   "ConnectSeconds", "StallSeconds", "TimeLimitSeconds"  the transfer's limits when not the
//                standard ones (30 s to connect, 60 s below 100 bytes a second, 2 hours in all)
//
// The account on the server lives apart from the settings, in the credentials file that no
// backup packs (TransferCredentials). The status display offers a Cancel button while a file
// moves; an address is shown without any password written into it.
//
// An address ending in "/" is a folder; a backup is sent there as "VelBack" + system number +
// "-" + "YYYYMMDD" + ".zip". Fetched files go to the "Updates" subfolder of the data folder.
// The status display shows each step and its share done. A missing address and every failed
// transfer is told to the person with the transfer's own reason; a run from the menu
// (CommandLineFlag eCMDMenu) asks first and tells the outcome, a script or command-line run asks
// nothing. Other failures are reported with " - ZipandHTTP", " - ZipandFTP", ...
#include "platform/transfer/TBTransfer.h"

#include <QDate>
#include <QString>

#include <functional>

namespace vel {

class VelmorSystem;

class SystemTransfer {
  public:
    explicit SystemTransfer(VelmorSystem& system);

    // Packs the backup (BackupPackage) and sends it; true when it arrived.
    bool ZipandHTTP(quintptr hwndOwner, int BackupType, const QDate& Day, short CommandLineFlag);
    bool ZipandFTP(quintptr hwndOwner, int BackupType, const QDate& Day, short CommandLineFlag);
    // Fetches the update package into the "Updates" folder; true when it arrived.
    bool DownloadUpdate(quintptr hwndOwner);
    // Fetches the named file from the FTP folder into the "Updates" folder; its local path, or
    // empty when it could not be fetched.
    QString DownloadComponent(quintptr hwndOwner, const QString& FTPFileName);

    // The name a backup of the system takes on the server.
    static QString remoteBackupName(int systemNumber, const QDate& day);

  private:
    bool zipAndSend(const QString& addressValue, int backupType, const QDate& day,
                    short commandLineFlag);
    // The address of a "Transfer" value, or empty after telling the person it is missing.
    QString address(const QString& value, const QString& purpose) const;
    TBTransfer transfer() const;
    TransferLimits limits() const;
    TransferResult run(const std::function<TransferResult(const TBTransfer&)>& work);
    QString updatesFolder() const;
    bool fetch(const QString& address, const QString& file, const QString& what);
    void tell(const QString& text, int icon) const;

    VelmorSystem& system_;
};

}  // namespace vel
