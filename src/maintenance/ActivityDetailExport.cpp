#include "maintenance/ActivityDetailExport.h"

#include "data/Masterfile.h"
#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "maintenance/dlgExport.h"
#include "platform/transfer/ExportOutputType.h"
#include "reports/CDummyReport.h"
#include "reports/dlgRepPrint.h"
#include "services/ErrorReport.h"
#include "services/IniSettings.h"
#include "services/MessageWithSound.h"
#include "services/RuntimeError.h"

#include <QFileInfo>

namespace vel {

namespace {

const QString dateFormat = QStringLiteral("yyyy/MM/dd");

QString shownDate(const QDate& date) {
    return date.toString(dateFormat);
}

}  // namespace

QString ActivityDetailExport::settingsSection() const {
    return QStringLiteral("ExportActivityDetail-") +
           QString::number(system_.Program().systemNumber());
}

bool ActivityDetailExport::ExportActivityDetail(quintptr owner, const QDate& currentDate,
                                                dlgRepPrint& period, dlgExport& options) {
    bool result = false;
    return guarded(QStringLiteral("-ExportActivityDetail"), result, [&] {
        IniSettings settings(system_.settingsLocation());
        settings.selectSection(settingsSection());
        dlgExport::Options chosen{
            settings.readValue(QStringLiteral("Filename")),
            settings.readValue(QStringLiteral("Type")),
            SettingsObject::isTrue(settings.readValue(QStringLiteral("NonZero")))};

        if (currentDate.isValid()) {
            period.setCurrentDate(currentDate);
        }
        CDummyReport dates(&masterfile_);
        const QString caption = dlgRepPrint::captionFor(
            QStringLiteral("Export Activity Detail Data to File"), masterfile_);
        if (period.Show(owner, dates, caption, QStringLiteral("Export Data"), HelpContext) == 0) {
            return;
        }
        if (!options.ShowOptions(owner, chosen)) {
            return;
        }
        settings.writeText(QStringLiteral("Filename"), chosen.fileName);
        settings.writeText(QStringLiteral("Type"), chosen.outputType);
        settings.writeText(QStringLiteral("NonZero"),
                           chosen.nonZeroOnly ? QStringLiteral("1") : QStringLiteral("0"));
        system_.StatusText(QStringLiteral("Creating Files"));
        const QDate first = period.RangeStart();
        const QDate last = period.RangeEnd();
        const qint64 rows =
            write(chosen.fileName, chosen.outputType, first, last, chosen.nonZeroOnly);
        system_.StatusDone();
        if (rows == 0) {
            MessageWithSound(QStringLiteral("No work was recorded from ") + shownDate(first) +
                                 QStringLiteral(" to ") + shownDate(last) + QStringLiteral(". ") +
                                 chosen.fileName + QStringLiteral(" was written without rows."),
                             MB_OK | MB_ICONINFORMATION);
        }
        result = true;
    });
}

bool ActivityDetailExport::WriteActivityDetailData(const QString& fileName, const QString& transExt,
                                                   const QDate& startDate, const QDate& endDate) {
    bool result = false;
    return guarded(QStringLiteral("-WriteActivityDetailData"), result, [&] {
        IniSettings settings(system_.settingsLocation());
        settings.selectSection(settingsSection());
        QString type = transExt.trimmed();
        if (type.isEmpty()) {
            type = QFileInfo(fileName).suffix();
        }
        if (!ExportOutputType::find(type)) {
            type = settings.readValue(QStringLiteral("Type"));
        }
        const bool nonZeroOnly =
            SettingsObject::isTrue(settings.readValue(QStringLiteral("NonZero")));
        const qint64 rows = write(fileName, type, startDate, endDate, nonZeroOnly);
        system_.StatusText(
            rows == 0 ? QStringLiteral("No work was recorded from ") + shownDate(startDate) +
                            QStringLiteral(" to ") + shownDate(endDate) +
                            QStringLiteral(": the file has no rows")
                      : QString::number(rows) + QStringLiteral(" rows of activity detail written"));
        result = true;
    });
}

qint64 ActivityDetailExport::write(const QString& fileName, const QString& outputType,
                                   const QDate& startDate, const QDate& endDate, bool nonZeroOnly) {
    if (fileName.trimmed().isEmpty()) {
        throw RuntimeError::invalidCall(
            QStringLiteral("No file was named for the activity detail"));
    }
    if (!startDate.isValid() || !endDate.isValid()) {
        throw RuntimeError::invalidCall(
            QStringLiteral("The activity detail needs a start date and an end date"));
    }
    if (startDate > endDate) {
        throw RuntimeError::invalidCall(QStringLiteral("The start date ") + shownDate(startDate) +
                                        QStringLiteral(" is after the end date ") +
                                        shownDate(endDate));
    }
    const auto type = ExportOutputType::find(outputType);
    if (!type) {
        throw RuntimeError::invalidCall(QStringLiteral("There is no output type ") + outputType);
    }
    const ActivityDetailResult written = system_.writeActivityDetail(
        fileName.trimmed(), type->name, startDate, endDate, nonZeroOnly);
    if (!written.problem.isEmpty()) {
        throw RuntimeError(GenericErrorNumber, written.problem);
    }
    return written.rows;
}

}  // namespace vel
