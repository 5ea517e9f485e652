#include "services/TransferCredentials.h"

#include "services/AddSlash.h"
#include "services/IniSettings.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace vel {

namespace {

const QString section = QStringLiteral("Transfer");
const QString userValue = QStringLiteral("User");
const QString passwordValue = QStringLiteral("Password");

}  // namespace

TransferCredentials::TransferCredentials(const QString& dataFolder, int systemNumber)
    : dataFolder_(dataFolder),
      systemNumber_(systemNumber),
      path_(AddSlash(dataFolder) + fileName(systemNumber)) {}

QString TransferCredentials::fileName(int systemNumber) {
    return QStringLiteral("velmor%1-credentials.ini").arg(systemNumber);
}

// Makes the file when missing, and makes it the owner's alone, before anything is written.
bool TransferCredentials::prepareFile() {
    const QByteArray native = QFile::encodeName(path_);
    const int handle = ::open(native.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (handle < 0 || ::fchmod(handle, 0600) != 0) {
        lastError_ = QStringLiteral("Cannot write %1: %2")
                         .arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
        if (handle >= 0) {
            ::close(handle);
        }
        return false;
    }
    ::close(handle);
    return true;
}

TransferAccount TransferCredentials::read() {
    moveOutOfSettings();
    TransferAccount account;
    if (!QFileInfo::exists(path_)) {
        return account;
    }
    ::chmod(QFile::encodeName(path_).constData(), 0600);
    IniSettings credentials(path_);
    credentials.selectSection(section);
    account.user = credentials.readValue(userValue, QString()).trimmed();
    account.password = credentials.readValue(passwordValue, QString());
    return account;
}

bool TransferCredentials::write(const TransferAccount& account) {
    if (!prepareFile()) {
        return false;
    }
    IniSettings credentials(path_);
    credentials.selectSection(section);
    if (!credentials.writeText(userValue, account.user) ||
        !credentials.writeText(passwordValue, account.password)) {
        lastError_ = credentials.lastError();
        return false;
    }
    lastError_.clear();
    return true;
}

bool TransferCredentials::moveOutOfSettings() {
    IniSettings settings(IniSettings::locationFor(dataFolder_, systemNumber_));
    settings.selectSection(section);
    const QString absent = QStringLiteral("\x01");
    const QString oldUser = settings.readValue(userValue, absent);
    const QString oldPassword = settings.readValue(passwordValue, absent);
    if (oldUser == absent && oldPassword == absent) {
        return true;
    }
    TransferAccount account;
    if (QFileInfo::exists(path_)) {
        IniSettings credentials(path_);
        credentials.selectSection(section);
        account.user = credentials.readValue(userValue, QString());
        account.password = credentials.readValue(passwordValue, QString());
    }
    if (account.user.isEmpty() && account.password.isEmpty()) {
        account = {oldUser == absent ? QString() : oldUser,
                   oldPassword == absent ? QString() : oldPassword};
    }
    if (!write(account)) {
        return false;
    }
    if (!settings.removeValue(userValue) || !settings.removeValue(passwordValue)) {
        lastError_ = settings.lastError();
        return false;
    }
    return true;
}

}  // namespace vel
