#include "maintenance/CorpAssocCheck.h"

#include "data/ProgramObject.h"
#include "data/TableCatalogue.h"
#include "data/VelmorSystem.h"
#include "maintenance/TableAccessWait.h"
#include "services/Availability.h"
#include "services/IniSettings.h"
#include "services/MessageWithSound.h"
#include "ui/MessageBoxCodes.h"

#include <QFileInfo>

namespace vel {

namespace {
const QString corporateSection = QStringLiteral("Corporate");
const QString lastAssocDate = QStringLiteral("LastAssocDate");
const QString dateTimeFormat = QStringLiteral("yyyy/MM/dd HH:mm:ss");
}  // namespace

CorpAssocCheck::CorpAssocCheck(VelmorSystem& system, AssociateImport import)
    : system_(system), import_(std::move(import)) {}

QString CorpAssocCheck::corporateFile() const {
    const QString folder = system_.features().corporateFolder.trimmed();
    if (folder.isEmpty()) {
        return {};
    }
    const QString file = TableCatalogue::findFile(folder, QString(FileName));
    return QFileInfo(file).isFile() ? file : QString();
}

QDateTime CorpAssocCheck::lastTaken(const QString& setting) {
    return QDateTime::fromString(setting.trimmed(), dateTimeFormat);
}

QDateTime CorpAssocCheck::fileTime(const QString& file) const {
    // Whole seconds, as the setting keeps them.
    const QDateTime modified = QFileInfo(file).lastModified();
    return QDateTime(modified.date(), QTime(modified.time().hour(), modified.time().minute(),
                                            modified.time().second()));
}

QString CorpAssocCheck::readLastAssocDate() const {
    IniSettings settings(system_.settingsLocation());
    settings.selectSection(corporateSection);
    return settings.readValue(lastAssocDate, QStringLiteral("0"));
}

bool CorpAssocCheck::isNewer(const QString& file) const {
    const QDateTime last = lastTaken(readLastAssocDate());
    return !last.isValid() || fileTime(file) > last;
}

bool CorpAssocCheck::run() {
    const QString file = corporateFile();
    if (file.isEmpty() || !isNewer(file)) {
        return false;
    }
    if (!import_) {
        notAvailableYet(system_, QStringLiteral("Importing corporate associates"));
        return false;
    }
    return importHeld(file);
}

bool CorpAssocCheck::importHeld(const QString& file) {
    auto& associates = system_.associates();
    // Run as the program starts, with nobody to try again: it waits its turn as an unattended
    // import does.
    const bool held = takeTablesForChanges(system_, QStringLiteral("A"), QStringLiteral("Associate"),
                                           unattendedTableWaitSeconds(system_));
    const bool wasOpen = associates.isOpen();
    if (!held || (!wasOpen && !associates.open())) {
        system_.endTableAccess();
        MessageWithSound(QStringLiteral("The Associate Table cannot be open and locked"),
                         MB_ICONEXCLAMATION, system_.Program().title());
        return false;
    }
    const bool imported = import_(file);
    if (!wasOpen) {
        associates.close();
    }
    system_.endTableAccess();
    if (imported) {
        IniSettings settings(system_.settingsLocation());
        settings.selectSection(corporateSection);
        settings.writeDateTime(lastAssocDate, fileTime(file));
    }
    return imported;
}

}  // namespace vel
