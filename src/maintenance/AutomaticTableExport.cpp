#include "maintenance/AutomaticTableExport.h"

#include "data/TableObject.h"
#include "data/VelmorSystem.h"
#include "maintenance/ValidationTableWriter.h"
#include "platform/transfer/ExportOutputType.h"
#include "services/AddSlash.h"
#include "services/CopyOneFile.h"
#include "services/ErrorReport.h"
#include "services/IniSettings.h"
#include "services/MessageWithSound.h"
#include "services/RuntimeError.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <optional>

namespace vel {

namespace {

const QString caption = QStringLiteral("AutoExport Tables");
const QString writingOrder = QStringLiteral("WEATFLD8S");

}  // namespace

QString AutomaticTableExport::lettersTouched(const QString& tableName) {
    static const std::pair<QString, QString> touched[] = {
        {QStringLiteral("activity"), QStringLiteral("FDS8")},
        {QStringLiteral("work center"), QStringLiteral("WE")},
        {QStringLiteral("associate"), QStringLiteral("E")},
        {QStringLiteral("allocation"), QStringLiteral("AFS")},
        {QStringLiteral("element"), QStringLiteral("LF8S")},
        {QStringLiteral("type of work"), QStringLiteral("TF")}};
    const QString name = tableName.trimmed().toLower();
    for (const auto& [table, letters] : touched) {
        if (name == table) {
            return letters;
        }
    }
    return QStringLiteral("FWEALDS8T");
}

QList<ValidationTable> AutomaticTableExport::tablesToWrite(const QString& tableName,
                                                           const QString& tablesSetting) {
    const QString touched = lettersTouched(tableName);
    const QString kept = tablesSetting.toUpper();
    QList<ValidationTable> tables;
    for (const QChar letter : writingOrder) {
        if (touched.contains(letter) && kept.contains(letter)) {
            tables.append(*validationTableForLetter(letter));
        }
    }
    return tables;
}

void AutomaticTableExport::refuse(const QString& prompt) {
    system_.StatusDone();
    MessageWithSound(prompt, MB_OK | MB_ICONEXCLAMATION, caption);
}

bool AutomaticTableExport::AutoExportTable(const TableObject& changed) {
    bool result = false;
    return guarded(QStringLiteral(" - AutoExportTable"), result, [&] {
        IniSettings settings(system_.settingsLocation());
        settings.selectSection(QStringLiteral("AutoExportTables"));
        const QString folder = settings.readValue(QStringLiteral("Folder")).trimmed();
        const QList<ValidationTable> tables =
            tablesToWrite(changed.name(), settings.readValue(QStringLiteral("Tables")));
        if (folder.isEmpty() || tables.isEmpty()) {
            result = true;
            return;
        }
        const QString typeName = settings.readValue(QStringLiteral("ExportType"));
        const QString prefix = settings.readValue(QStringLiteral("BaseFilename"));
        const bool useTemporaryFolder =
            SettingsObject::isTrue(settings.readValue(QStringLiteral("UseTempFolder")));
        const QString command = settings.readValue(QStringLiteral("RunAfterExporting")).trimmed();
        const std::optional<ExportOutputType> type = ExportOutputType::find(typeName);
        if (!type) {
            refuse(QStringLiteral("Error exporting Sheet Type: ") + typeName);
            return;
        }

        system_.StatusText(QStringLiteral("Creating Validation Tables"));
        std::optional<QTemporaryDir> temporary;
        if (useTemporaryFolder) {
            temporary.emplace(QDir::tempPath() + QStringLiteral("/VelExport-XXXXXX"));
            if (!temporary->isValid()) {
                throw RuntimeError(GenericErrorNumber,
                                   QStringLiteral("Cannot create a folder in ") + QDir::tempPath());
            }
        }
        const QString target = AddSlash(folder);
        const QString writeFolder = temporary ? AddSlash(temporary->path()) : target;
        ValidationTableWriter writer(system_);
        QStringList written;
        for (const ValidationTable table : tables) {
            const ValidationTableInfo& info = validationTableInfo(table);
            const QString fileName = prefix + info.baseName + u'.' + type->extension;
            try {
                writer.write(table, type->name, writeFolder + fileName, {});
            } catch (const RuntimeError& error) {
                refuse(QStringLiteral("Error Auto Exporting Table: ") + info.baseName +
                       QStringLiteral("\r\n") + error.description());
                return;
            }
            written << fileName;
        }
        if (temporary) {
            system_.StatusText(QStringLiteral("Copying Files"));
            for (const QString& fileName : written) {
                if (!CopyOneFile(writeFolder + fileName, target + fileName)) {
                    system_.StatusDone();
                    return;
                }
            }
        }
        system_.StatusDone();
        if (!command.isEmpty()) {
            runAfterExporting(command, folder);
        }
        result = true;
    });
}

// Starts the command line (program and arguments, no shell) in the export folder and returns at
// once: the editor that triggered the export must not wait for a slow command. A command that
// cannot be started is thrown as an error, so that the error report names it.
void AutomaticTableExport::runAfterExporting(const QString& commandLine, const QString& folder) {
    QStringList arguments = QProcess::splitCommand(commandLine);
    QString problem = QStringLiteral("The command line names no program.");
    if (!arguments.isEmpty()) {
        QProcess process;
        process.setProgram(arguments.takeFirst());
        process.setArguments(arguments);
        process.setWorkingDirectory(folder);
        if (process.startDetached()) {
            return;
        }
        problem = process.errorString();
    }
    throw RuntimeError(GenericErrorNumber, QStringLiteral("Error Running command: ") + commandLine +
                                               QStringLiteral("\r\n") + problem);
}

}  // namespace vel
