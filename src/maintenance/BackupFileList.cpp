#include "maintenance/BackupFileList.h"

#include "data/Enumerations.h"
#include "data/TableCatalogue.h"
#include "services/AddSlash.h"
#include "services/IniSettings.h"
#include "services/TransferCredentials.h"

#include <QFileInfo>
#include <QSet>

namespace vel {

namespace {

using namespace catalogue;

// What a backup type is made of.
QStringList tableMasks() {
    return {productTablesMask, textFilesMask, disFilesMask,
            dstFilesMask,      editLog,       incentiveRateFile};
}

QStringList masterFamilyMasks() {
    return {masterFamilyMask,       expressionFilesMask,  groupFilesMask,
            reportFormatFilesMask,  reportLineFamilyMask, graphFormatFilesMask,
            graphVariableFamilyMask};
}

// "TB" + day code + "?.??": the files of one day.
QString dayMask(const QDate& day) {
    return QStringLiteral("TB") + BackupFileList::dayCode(day) + QStringLiteral("?.??");
}

QStringList productFileMasks() {
    return {QString(allSystemFilesMask),  QStringLiteral("tbnet*.*"),
            QStringLiteral("tb*.?b?"),    QStringLiteral("tbimpbu.*"),
            QStringLiteral("tbpreons.*"), QStringLiteral("TBDISC_*.*")};
}

QStringList siteMasks() {
    return {QStringLiteral("*.zip"), QStringLiteral("LOGS\\L*.*"), QStringLiteral("BATCH\\*.*")};
}

// Whether a name belongs to another system: its extension is a number other than this one.
bool isOtherSystems(const QString& name, int systemNumber) {
    const QString extension = QFileInfo(name).suffix();
    bool isNumber = false;
    extension.toLongLong(&isNumber);
    return isNumber && extension != QString::number(systemNumber);
}

}  // namespace

BackupFileList::BackupFileList(const QString& dataFolder, int systemNumber)
    : dataFolder_(dataFolder), systemNumber_(systemNumber) {}

bool BackupFileList::isBackupType(int backupType) {
    return backupType >= _minBackType && backupType <= _maxBacType;
}

QString BackupFileList::dayCode(const QDate& day) {
    return day.toString(QStringLiteral("MMdd"));
}

QStringList BackupFileList::masks(int backupType, const QDate& day) const {
    const QStringList systemFiles{masterFile, IniSettings::fileName(systemNumber_)};
    switch (backupType) {
        case BackFull:
            return systemFiles + masterFamilyMasks() + tableMasks() +
                   QStringList{dayFilesMask, dayMask(day)};
        case BackTables:
            return tableMasks();
        case BackDay:
            return {dayFilesMask, dayMask(day)};
        case BackFile:
            return systemFiles + productFileMasks();
        case BackNamedFile:
            return systemFiles + productFileMasks() + siteMasks();
        default:
            return {};
    }
}

QStringList BackupFileList::matching(const QString& mask) const {
    const QString forSystem = TableCatalogue::forSystem(mask, systemNumber_);
    QStringList names = TableCatalogue::filesMatching(dataFolder_, forSystem);
    if (forSystem != mask) {
        names.removeIf([this](const QString& name) { return isOtherSystems(name, systemNumber_); });
    }
    return names;
}

QStringList BackupFileList::files(int backupType, const QDate& day,
                                  const QStringList& excluded) const {
    QSet<QString> left;
    for (const QString& path : excluded) {
        left.insert(QFileInfo(path).absoluteFilePath());
    }
    // The transfer account never leaves the site in a backup, whatever a mask matches.
    left.insert(
        QFileInfo(TransferCredentials(dataFolder_, systemNumber_).filePath()).absoluteFilePath());
    QSet<QString> seen;
    QStringList names;
    for (const QString& mask : masks(backupType, day)) {
        for (const QString& name : matching(mask)) {
            const QString path = QFileInfo(AddSlash(dataFolder_) + name).absoluteFilePath();
            if (!left.contains(path) && !seen.contains(path)) {
                seen.insert(path);
                names.append(name);
            }
        }
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

}  // namespace vel
