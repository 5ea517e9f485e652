#include "editors/ActivityStandardsImport.h"

#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "data/records/ActivityRecord.h"
#include "data/records/AllocationRecord.h"
#include "data/records/ElementRecord.h"
#include "editors/StandardUnits.h"
#include "maintenance/frmImport.h"
#include "maintenance/frmImportLog.h"
#include "platform/transfer/DelimitedLineSplitter.h"
#include "services/ErrorReport.h"
#include "services/FileExists.h"
#include "services/IniSettings.h"
#include "services/MessageWithSound.h"
#include "services/NumberFormat.h"
#include "ui/MessageBoxCodes.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace vel {

namespace {

const QString unitsMask = QStringLiteral("#######0.00#####");
const QString minutesMask = QStringLiteral("#######0.00######");

// The file's text: UTF-8 (with or without a byte-order mark), else Windows-1252.
QString decodeImportText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        QStringDecoder windows("windows-1252");
        text = windows(bytes);
    }
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    return text;
}

QChar lineSeparator(const QString& line) {
    if (line.contains(QLatin1Char('\t'))) {
        return QLatin1Char('\t');
    }
    return line.contains(QLatin1Char(',')) ? QLatin1Char(',') : QLatin1Char(' ');
}

// A time field as a number; false when it is blank or not a number.
bool timeValue(const QString& field, double& value) {
    return !field.trimmed().isEmpty() && parseStandard(field, value);
}

}  // namespace

ActivityStandardsImport::ActivityStandardsImport(VelmorSystem& system) : system_(system) {}

int ActivityStandardsImport::message(const QString& text, int style) {
    return MessageWithSound(text, style, system_.Program().title());
}

QString ActivityStandardsImport::systemFolderFile(const QString& name) const {
    return QDir(system_.Program().dataFolder()).filePath(name);
}

bool ActivityStandardsImport::run() {
    bool changed = false;
    return guarded(QStringLiteral(" - frmActivity:UpdateStandards"), changed, [&] {
        IniSettings settings(system_.settingsLocation());
        settings.selectSection(QStringLiteral("ImportFiles"));
        frmImport::Request request;
        request.title = QStringLiteral("Update Activity Table Records");
        request.prompt = QStringLiteral("Enter the name of the file to update the Activity Table");
        request.fileName = settings.readValue(QStringLiteral("Standards"),
                                              systemFolderFile(QStringLiteral("standards.csv")));
        request.rowsToSkip =
            settings.readValue(QStringLiteral("StandardRows"), QStringLiteral("0")).toInt();
        request.fieldsToSkip =
            settings.readValue(QStringLiteral("StandardFields"), QStringLiteral("0")).toInt();
        for (;;) {
            frmImport window;
            if (!window.Ask(request, 0)) {
                return;
            }
            settings.writeText(QStringLiteral("Standards"), request.fileName);
            settings.writeInteger(QStringLiteral("StandardRows"), request.rowsToSkip);
            settings.writeInteger(QStringLiteral("StandardFields"), request.fieldsToSkip);
            if (importFile(request.fileName, request.rowsToSkip, request.fieldsToSkip)) {
                changed = changed || linesUpdated_ > 0;
                std::vector<QStringList> lines;
                for (const LogLine& line : log_) {
                    lines.push_back({line.activity, line.allocation, line.element,
                                     line.unitsPerHour, line.minutesPerUnit, line.remarks});
                }
                frmImportLog logWindow;
                logWindow.ShowLog(QStringLiteral("Activity Import Log"),
                                  QStringLiteral("Log of Activity Import"),
                                  {QStringLiteral("Activity"), QStringLiteral("Allocation"),
                                   QStringLiteral("Element"), QStringLiteral("UPH"),
                                   QStringLiteral("Min/Unit"), QStringLiteral("Remarks")},
                                  lines, 0);
                message(QStringLiteral("Importing Complete.  There were: ") +
                            QString::number(linesRead_) + QStringLiteral(" records read and ") +
                            QString::number(linesUpdated_) + QStringLiteral(" records updated."),
                        MB_ICONINFORMATION);
            }
            if (message(QStringLiteral("Would you like to try updating again?"),
                        MB_YESNO | MB_ICONQUESTION) != IDYES) {
                return;
            }
        }
    });
}

bool ActivityStandardsImport::importFile(const QString& path, int rowsToSkip, int fieldsToSkip) {
    log_.clear();
    updatedActivities_.clear();
    linesRead_ = linesUpdated_ = 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        message(QStringLiteral("Error opening import file: ") + path, MB_ICONEXCLAMATION);
        return false;
    }
    const QString text = decodeImportText(file.readAll());
    file.close();
    if (writeBackup().isEmpty()) {
        return false;
    }
    system_.StatusText(QStringLiteral("Importing"));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype number = 0; number < lines.size(); ++number) {
        QString line = lines[number];
        line.remove(QLatin1Char('\r'));
        if (number < rowsToSkip || line.trimmed().isEmpty()) {
            continue;
        }
        QStringList fields = DelimitedLineSplitter::split(line, lineSeparator(line));
        fields = fields.mid(fieldsToSkip);
        if (fields.isEmpty()) {
            continue;
        }
        ++linesRead_;
        const QString remark = processLine(fields);
        log_.push_back({fields.value(0), fields.value(1), fields.value(2), fields.value(3),
                        fields.value(4), remark});
        system_.StatusPercent(int((number + 1) * 100 / lines.size()));
    }
    std::vector<ChangeLogLine> entries;
    for (const QString& code : updatedActivities_) {
        entries.push_back({code, QStringLiteral("Update"), QStringLiteral("StdTime")});
    }
    system_.logChanges(system_.activities(), entries);
    system_.StatusDone();
    return true;
}

// Applies one line and answers its remark.
QString ActivityStandardsImport::processLine(const QStringList& fields) {
    auto& activities = system_.activities();
    const int number = activities.find(fields.value(0));
    if (number == 0) {
        return QStringLiteral("not updated. Activity not found.");
    }
    ActivityRecord activity = activities.record(number);
    if (activity.EarnedHrsCalc == 0) {
        return QStringLiteral("not updated. Unmeasured Activity.");
    }
    if (activity.Historical) {
        return QStringLiteral("not updated. Historical Standards.");
    }
    const int element = system_.elements().find(fields.value(2));
    if (element == 0) {
        return QStringLiteral("not updated. Element not found.");
    }
    const int slot = activity.slotOf(element);
    if (slot < 0) {
        return QStringLiteral("not updated. Element not active on this Activity.");
    }
    double unitsPerHour = 0;
    double minutesPerUnit = 0;
    float standard = 0;
    if (timeValue(fields.value(3), unitsPerHour)) {
        standard = float(unitsPerHour);
    } else if (timeValue(fields.value(4), minutesPerUnit)) {
        standard = storedStandard(minutesPerUnit, StandardDisplay::MinutesPerUnit);
    } else {
        return QStringLiteral("not updated. Both time fields are blank.");
    }
    const QString value = FormatNumber(standard, unitsMask);
    const QString allocationCode = fields.value(1).trimmed();
    if (allocationCode.isEmpty()) {
        activity.Elements[size_t(slot)].Standard = standard;
        for (auto& [allocation, standards] : activity.AllocationStandards) {
            standards[size_t(slot)] = standard;
        }
    } else {
        const int allocation = system_.allocations().find(allocationCode);
        if (allocation == 0) {
            return QStringLiteral("not updated. Allocation not found.");
        }
        const auto line = activity.AllocationStandards.find(allocation);
        if (line == activity.AllocationStandards.end()) {
            return QStringLiteral("not updated. Allocation is not valid for this Activity.");
        }
        line->second[size_t(slot)] = standard;
    }
    activities.setRecord(number, activity);
    ++linesUpdated_;
    if (!updatedActivities_.contains(activity.Code.trimmed())) {
        updatedActivities_ << activity.Code.trimmed();
    }
    return allocationCode.isEmpty()
               ? QStringLiteral("All Allocations updated to ") + value +
                     QStringLiteral(" units per hour")
               : QStringLiteral("updated to ") + value + QStringLiteral(" units per hour");
}

QString ActivityStandardsImport::writeBackup() {
    const QString stem =
        QStringLiteral("standards-") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    int counter = 1;
    while (FileExists(systemFolderFile(stem + QString::number(counter) + QStringLiteral(".csv")))) {
        ++counter;
    }
    backupPath_ = systemFolderFile(stem + QString::number(counter) + QStringLiteral(".csv"));
    system_.StatusText(QStringLiteral("Backing up the standards to ") + backupPath_);

    auto& activities = system_.activities();
    auto& elements = system_.elements();
    auto& allocations = system_.allocations();
    QString text;
    const auto addLine = [&](const QString& activity, const QString& allocation, int element,
                             float standard) {
        const double minutes = displayedStandard(standard, StandardDisplay::MinutesPerUnit);
        text += activity + QLatin1Char(',') + allocation + QLatin1Char(',') +
                elements.code(element).trimmed() + QLatin1Char(',') +
                FormatNumber(standard, unitsMask) + QLatin1Char(',') +
                FormatNumber(minutes, minutesMask) + QStringLiteral("\r\n");
    };
    for (int number = 1; number <= activities.recordCount(); ++number) {
        if (!activities.isActive(number)) {
            continue;
        }
        const ActivityRecord activity = activities.record(number);
        const QString code = activity.Code.trimmed();
        for (size_t slot = 0; slot < activity.Elements.size(); ++slot) {
            const ActivityElementSlot& entry = activity.Elements[slot];
            if (entry.isEmpty()) {
                continue;
            }
            addLine(code, QString(), entry.Element, entry.Standard);
            for (const auto& [allocation, standards] : activity.AllocationStandards) {
                addLine(code, allocations.code(allocation).trimmed(), entry.Element,
                        standards[slot]);
            }
        }
    }
    QSaveFile backup(backupPath_);
    if (!backup.open(QIODevice::WriteOnly) || backup.write(text.toUtf8()) < 0 || !backup.commit()) {
        message(QStringLiteral("Could not write the backup of the standards: ") + backupPath_,
                MB_ICONEXCLAMATION);
        system_.StatusDone();
        backupPath_.clear();
        return {};
    }
    return backupPath_;
}

}  // namespace vel
