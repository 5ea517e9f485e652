#include "maintenance/TableExport.h"

#include "data/TableCatalogue.h"
#include "data/VelmorSystem.h"
#include "editors/dlgValTables.h"
#include "maintenance/ValidationTableWriter.h"
#include "platform/transfer/ExportOutputType.h"
#include "services/AddSlash.h"
#include "services/ErrorReport.h"
#include "services/IniSettings.h"
#include "services/MessageWithSound.h"
#include "services/RuntimeError.h"

namespace vel {

namespace {

const QString section = QStringLiteral("ExportTables");
const QString crlf = QStringLiteral("\r\n");
const QString explanation = QStringLiteral(
    "Selecting Export will create files in the folder specified.  The files will "
    "be created with the extension specified with the output type.");

}  // namespace

QString TableExport::failureSuffix(const ValidationTableInfo& table, const QString& tableName,
                                   const QString& fileName, const QString& folder) {
    return table.failureSuffix + crlf + QStringLiteral("Table     : ") + tableName + crlf +
           QStringLiteral("Filename  : ") + fileName + crlf + QStringLiteral("Folder    : ") +
           folder;
}

bool TableExport::ExportTables(quintptr owner, const QString& outputType,
                               const QString& outputFolder) {
    bool result = false;
    return guarded(QStringLiteral(" - ExportTables"), result, [&] {
        IniSettings settings(system_.settingsLocation());
        settings.selectSection(section);
        dlgValTables::Options options;
        options.selection.set();
        options.folder = settings.readValue(QStringLiteral("Folder"));
        options.outputType = settings.readValue(QStringLiteral("Type"));
        if (options.outputType.trimmed().isEmpty()) {
            options.outputType = QStringLiteral("XLSX");
        }
        if (!outputType.isEmpty() || !outputFolder.isEmpty()) {
            options.folder = outputFolder.isEmpty() ? options.folder : outputFolder;
            options.outputType =
                outputType.isEmpty() ? options.outputType : outputType.trimmed().toUpper();
        } else {
            dlgValTables dialog;
            if (!dialog.ShowOptions(owner, options, explanation, QStringLiteral("Export Tables"))) {
                return;
            }
        }
        const std::optional<ExportOutputType> type = ExportOutputType::find(options.outputType);
        if (!type) {
            throw RuntimeError::invalidCall(QStringLiteral("There is no output type ") +
                                            options.outputType);
        }
        settings.writeText(QStringLiteral("Folder"), options.folder);
        settings.writeText(QStringLiteral("Type"), type->name);
        const QString prefix = settings.readValue(QStringLiteral("Basename"));
        const ExportOptions fileOptions{.headerLine = SettingsObject::isTrue(
                                            settings.readValue(QStringLiteral("HeadersonText")))};

        system_.StatusText(QStringLiteral("Creating Files"));
        const QString folder = AddSlash(options.folder);
        ValidationTableWriter writer(system_);
        QStringList created;
        for (const ValidationTableInfo& table : validationTables()) {
            if (!options.selection[size_t(table.table)]) {
                continue;
            }
            const QString fileName = prefix + table.baseName + u'.' + type->extension;
            try {
                writer.write(table.table, type->name, folder + fileName, fileOptions);
            } catch (...) {
                reportError(failureSuffix(table, table.baseName, fileName, folder));
                system_.StatusDone();
                return;
            }
            created << fileName;
        }
        system_.StatusDone();
        if (!created.isEmpty()) {
            MessageWithSound(QStringLiteral("The following files have been created in folder ") +
                                 folder + crlf + created.join(crlf),
                             MB_OK | MB_ICONINFORMATION);
        }
        result = true;
    });
}

bool TableExport::ExportCorporateAssociates() {
    bool result = false;
    return guarded(QStringLiteral(" - ExportCorporateAssociates"), result, [&] {
        const SystemFeatures features = system_.features();
        if (!features.corporateSystem || features.corporateFolder.trimmed().isEmpty()) {
            result = true;
            return;
        }
        const QString folder = AddSlash(features.corporateFolder);
        const QString fileName = QString(catalogue::corporateAssociateFile);
        system_.StatusText(QStringLiteral("Creating Validation Tables"));
        ValidationTableWriter writer(system_);
        try {
            writer.write(ValidationTable::Associate, QStringLiteral("CSV"), folder + fileName, {});
        } catch (...) {
            reportError(failureSuffix(validationTableInfo(ValidationTable::Associate),
                                      QStringLiteral("CORPASSOC"), fileName, folder));
            system_.StatusDone();
            return;
        }
        system_.StatusDone();
        result = true;
    });
}

}  // namespace vel
