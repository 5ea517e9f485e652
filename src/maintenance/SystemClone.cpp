#include "maintenance/SystemClone.h"

#include "data/Masterfile.h"
#include "data/NewSystemBuilder.h"
#include "data/ProgramObject.h"
#include "data/TableCatalogue.h"
#include "data/VelmorSystem.h"
#include "maintenance/frmAddSys.h"
#include "services/AddSlash.h"
#include "services/ErrorReport.h"
#include "services/IniSettings.h"
#include "services/MessageWithSound.h"
#include "services/RuntimeError.h"
#include "services/ShellFileOp.h"
#include "ui/MessageBoxCodes.h"

#include <QDir>
#include <QFileInfo>

namespace vel {

namespace {

// The report and graph files a clone receives, in the order they are copied.
struct LayoutFiles {
    const char* mask;
    const char* progressTitle;
};
constexpr LayoutFiles layoutFiles[] = {
    {"TB?F*.", "Copying Report and Graph Layouts"},
    {"TBRL*.", "Copying Report Line Files"},
    {"TBRS*.", "Copying Report Sequence Files"},
    {"TBGV*.", "Copying Graph Variable Files"},
};

[[noreturn]] void failWith(const QString& reason) {
    throw RuntimeError(GenericErrorNumber, reason);
}

QString cloneTitle(const QString& title) {
    return title.isEmpty() ? QStringLiteral("(Cloned System)")
                           : title + QStringLiteral(" - ") + QStringLiteral(" (Clone)");
}

void copyCorporateControl(VelmorSystem& system, const NewSystemBuilder& builder) {
    const QString section = QStringLiteral("Corporate");
    const QString key = QStringLiteral("Control");
    IniSettings source(system.settingsLocation());
    source.selectSection(section);
    IniSettings clone(builder.settingsLocation());
    clone.selectSection(section);
    if (!clone.writeText(key, source.readValue(key, QString()))) {
        failWith(clone.lastError());
    }
}

void copyLayouts(const TableCatalogue& names, const QString& cloneFolder) {
    for (const LayoutFiles& files : layoutFiles) {
        const QString from =
            AddSlash(names.dataFolder()) + names.mask(QString::fromLatin1(files.mask));
        const int result = ShellFileOp({from}, cloneFolder, FO_COPY, false, true,
                                       QString::fromLatin1(files.progressTitle));
        if (result != 0) {
            failWith(QStringLiteral("Copying ") + from + QStringLiteral(" failed with error ") +
                     QString::number(result));
        }
    }
}

void buildClone(VelmorSystem& system, NewSystemBuilder& builder, const TableCatalogue& names,
                const QString& title) {
    const QString cloneFolder = names.cloneFolder();
    if (!QDir().mkpath(cloneFolder)) {
        failWith(QStringLiteral("Cannot create the folder ") + cloneFolder);
    }
    system.StatusText(QStringLiteral("Opening Tallybook Masterfiles"));
    if (!builder.prepareClone(cloneFolder, title) || !builder.createFiles()) {
        failWith(builder.lastError());
    }
    copyCorporateControl(system, builder);
    copyLayouts(names, cloneFolder);
}

}  // namespace

bool cloneSystem(quintptr ownerHandle, VelmorSystem& system, NewSystemBuilder& builder) {
    ProgramObject& program = system.Program();
    const TableCatalogue names(program.dataFolder(), program.systemNumber());
    if (program.dataFolder().isEmpty() || program.systemNumber() <= 0 ||
        !QFileInfo::exists(names.path(QString(catalogue::masterFile)))) {
        MessageWithSound(QStringLiteral("Cannot Clone this system.  It has not been configured."),
                         MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const QString cloneFolder = names.cloneFolder();
    if (QFileInfo::exists(TableCatalogue(cloneFolder, names.systemNumber())
                              .path(QString(catalogue::masterFile)))) {
        MessageWithSound(QStringLiteral("A cloned system already exists in folder: ") +
                             cloneFolder +
                             QStringLiteral(".  You must delete it before creating another."),
                         MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    NewSystemParameters shape;
    if (!builder.readSource(shape)) {
        throw RuntimeError(GenericErrorNumber, builder.lastError());
    }
    shape.title = cloneTitle(shape.title);
    {
        frmAddSys wizard;
        if (!wizard.Ask(ownerHandle, system, builder, shape, true)) {
            return false;
        }
    }
    try {
        buildClone(system, builder, names, shape.title);
    } catch (...) {
        MessageWithSound(QStringLiteral("Error creating cloned system, it may already exist."),
                         MB_OK | MB_ICONEXCLAMATION);
        builder.removeFiles();
        throw;
    }
    MessageWithSound(QStringLiteral("Cloned System was created."), MB_OK | MB_ICONINFORMATION);
    return true;
}

}  // namespace vel
