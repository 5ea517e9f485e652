#include "app/velmor/HeadlessRun.h"

#include "component/CVelUI.h"
#include "component/OperationCatalog.h"
#include "component/ScriptRunner.h"
#include "data/TableCatalogue.h"
#include "host/ReferenceSystem.h"
#include "platform/print/PdfFileOutput.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace vel {

namespace {

// A warning or an error the person had to acknowledge: a message with only an OK button and the
// exclamation or critical icon. In an unattended call nobody reads it, so it fails the run.
bool isUnreadWarning(const MessageRecord& message) {
    const int buttons = message.style & 0xF;
    const int icon = message.style & 0xF0;
    return buttons == MB_OK && (icon == MB_ICONEXCLAMATION || icon == MB_ICONCRITICAL);
}

int errorReportCount(ReferenceSystem& system) {
    return int(system.program().recordingReporter().reports().size());
}

void printTranscript(const HeadlessUi& ui, QTextStream& out) {
    for (const QString& line : ui.transcript().lines()) {
        out << line << '\n';
    }
    out.flush();
}

// Print-outs of an unattended run go to PDF files; the transcript says where ("printed: FILE").
class UnattendedPrinting {
  public:
    UnattendedPrinting(const ProgramOptions& options, HeadlessUi& ui)
        : output_(options.pdfFile, QDir::currentPath()), scope_(output_) {
        output_.onWritten([&ui](const QString& path) {
            ui.transcript().addLine(QStringLiteral("printed: ") + QDir::toNativeSeparators(path));
        });
    }

  private:
    PdfFileOutput output_;
    ScopedPrintOutput scope_;
};

}  // namespace

std::unique_ptr<ReferenceSystem> openSystem(const QString& dataFolder, int systemNumber,
                                            QString* error) {
    const QString master =
        TableCatalogue(dataFolder, systemNumber).path(QString(catalogue::masterFile));
    if (!QFileInfo(dataFolder).isDir()) {
        *error = QStringLiteral("the data folder %1 does not exist").arg(dataFolder);
        return nullptr;
    }
    if (!QFileInfo::exists(TableCatalogue::findFile(dataFolder, QFileInfo(master).fileName()))) {
        *error = QStringLiteral("%1 holds no system %2 (%3 is missing)")
                     .arg(dataFolder)
                     .arg(systemNumber)
                     .arg(QFileInfo(master).fileName());
        return nullptr;
    }
    return std::make_unique<ReferenceSystem>(dataFolder, systemNumber);
}

int runCall(const ProgramOptions& options, QTextStream& out, QTextStream& errors) {
    QString error;
    std::unique_ptr<ReferenceSystem> system =
        openSystem(options.dataFolder, options.systemNumber, &error);
    if (!system) {
        errors << "velmor: " << error << '\n';
        return 2;
    }
    HeadlessUi ui;
    ScopedUi scope(ui);
    UnattendedPrinting printing(options, ui);
    ui.setUnanswered(options.answers == ProgramOptions::Answers::Yes ? HeadlessUi::Unanswered::Yes
                     : options.answers == ProgramOptions::Answers::No
                         ? HeadlessUi::Unanswered::No
                         : HeadlessUi::Unanswered::DefaultButton);
    CVelUI component;
    component.setCommandLineFlag(eCMDCommandLine);
    const int reportsBefore = errorReportCount(*system);
    const CallOutcome outcome =
        OperationCatalog::call(component, *system, 0, options.operation, options.arguments);
    if (!outcome.called()) {
        errors << "velmor: " << outcome.refusal << '\n';
        return 2;
    }
    if (outcome.errorNumber != 0) {
        ui.transcript().addLine(
            QStringLiteral("error: %1 %2").arg(outcome.errorNumber).arg(outcome.errorText));
    } else {
        ui.transcript().addLine(QStringLiteral("result: ") + outcome.result);
    }
    printTranscript(ui, out);
    for (const QString& failure : ui.failures()) {
        errors << "velmor: " << failure << '\n';
    }
    const auto& messages = ui.transcript().messages();
    const bool warned = std::any_of(messages.begin(), messages.end(), isUnreadWarning);
    const bool reported = errorReportCount(*system) > reportsBefore;
    return outcome.errorNumber == 0 && ui.failures().isEmpty() && !warned && !reported ? 0 : 1;
}

int runScriptText(ReferenceSystem& system, short commandLineFlag, const QString& script,
                  QTextStream& out, QTextStream& errors, const ProgramOptions* printing) {
    HeadlessUi ui;
    ScopedUi scope(ui);
    std::unique_ptr<UnattendedPrinting> pdf;
    if (printing) {
        pdf = std::make_unique<UnattendedPrinting>(*printing, ui);
    }
    CVelUI component;
    component.setCommandLineFlag(commandLineFlag);
    ScriptRunner runner(ui, component, system);
    const int reportsBefore = errorReportCount(system);
    const bool ok = runner.run(script) && errorReportCount(system) == reportsBefore;
    printTranscript(ui, out);
    for (const QString& problem : runner.errors()) {
        errors << "velmor: " << problem << '\n';
    }
    errors.flush();
    return ok ? 0 : 1;
}

int runScript(const ProgramOptions& options, QTextStream& out, QTextStream& errors) {
    QFile file(options.file);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        errors << "velmor: cannot read the script " << options.file << ": " << file.errorString()
               << '\n';
        return 2;
    }
    const QString script = QString::fromUtf8(file.readAll());
    QString error;
    std::unique_ptr<ReferenceSystem> system =
        openSystem(options.dataFolder, options.systemNumber, &error);
    if (!system) {
        errors << "velmor: " << error << '\n';
        return 2;
    }
    return runScriptText(*system, eCMDScript, script, out, errors, &options);
}

}  // namespace vel
