#pragma once
// The account a system's transfers log in with, kept apart from the settings: the settings file
// is packed into backups and sent to a server, so the user name and password live in a file of
// their own in the data folder, "velmor" + system number + "-credentials.ini", section
// "Transfer", values "User" and "Password". The file is readable and writable by its owner
// alone (mode 0600, put right whenever it is read) and no backup packs it. Older systems kept
// the two values in the settings file; they are moved over, and out of the settings, the first
// time the credentials or a backup are needed.
#include <QString>

namespace vel {

struct TransferAccount {
    QString user;
    QString password;
};

class TransferCredentials {
  public:
    TransferCredentials(const QString& dataFolder, int systemNumber);

    static QString fileName(int systemNumber);
    QString filePath() const { return path_; }

    // The account (empty texts when none is set up), after moving old values out of the
    // settings file.
    TransferAccount read();
    // Stores the account; false with lastError() when it could not be stored.
    bool write(const TransferAccount& account);
    // Moves "Transfer"/"User" and "Password" from the settings file into the credentials file
    // (values already in the credentials file win); false when a file could not be written.
    bool moveOutOfSettings();
    QString lastError() const { return lastError_; }

  private:
    bool prepareFile();

    QString dataFolder_;
    int systemNumber_;
    QString path_;
    QString lastError_;
};

}  // namespace vel
