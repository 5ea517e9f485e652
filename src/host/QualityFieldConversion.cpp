#include "host/QualityFieldConversion.h"

#include "data/QualityDataFields.h"
#include "data/records/ActivityRecord.h"
#include "data/records/DataFieldRecord.h"
#include "data/records/MistakeRecord.h"
#include "data/records/ProductionLineRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "host/ReferenceSystem.h"
#include "ui/MessageBoxCodes.h"

#include <QHash>
#include <QSet>

namespace vel {

namespace {

QSet<QString> fieldsInUse(Table<DataFieldRecord>& fields) {
    QSet<QString> inUse;
    for (int number = 1; number <= fields.recordCount(); ++number) {
        if (fields.isActive(number)) {
            inUse.insert(fields.record(number).Desc.trimmed());
        }
    }
    return inUse;
}

}  // namespace

bool QualityFieldConversion::openTables() {
    for (TableObject* table : {static_cast<TableObject*>(&system_.typesOfWork()),
                               static_cast<TableObject*>(&system_.mistakes()),
                               static_cast<TableObject*>(&system_.dataFields())}) {
        if (!table->isOpen() && !table->open()) {
            return false;
        }
    }
    return true;
}

int QualityFieldConversion::missingFieldCount() {
    auto& types = system_.typesOfWork();
    auto& mistakes = system_.mistakes();
    const QSet<QString> inUse = fieldsInUse(system_.dataFields());
    const auto mistakeName = [&](int number) {
        return number <= mistakes.recordCount() ? mistakes.record(number).Desc : QString();
    };
    int missing = 0;
    for (int type = 1; type <= types.recordCount(); ++type) {
        if (!types.isActive(type)) {
            continue;
        }
        for (const QualityFieldRow& row : qualityFieldRows(types.record(type), mistakeName)) {
            missing += inUse.contains(row.description) ? 0 : 1;
        }
    }
    return missing;
}

bool QualityFieldConversion::fieldsMissing() {
    return openTables() && missingFieldCount() > 0;
}

bool QualityFieldConversion::createFields() {
    auto& types = system_.typesOfWork();
    auto& mistakes = system_.mistakes();
    auto& fields = system_.dataFields();
    QHash<QString, int> numbers;
    for (int number = 1; number <= fields.recordCount(); ++number) {
        if (fields.isActive(number)) {
            numbers.insert(fields.record(number).Desc.trimmed(), number);
        }
    }
    const auto mistakeName = [&](int number) {
        return number <= mistakes.recordCount() ? mistakes.record(number).Desc : QString();
    };
    for (int type = 1; type <= types.recordCount(); ++type) {
        if (!types.isActive(type)) {
            continue;
        }
        TypeOfWorkRecord record = types.record(type);
        const auto rows = qualityFieldRows(record, mistakeName);
        for (size_t row = 0; row < rows.size(); ++row) {
            int number = numbers.value(rows[row].description);
            if (number == 0) {
                number = system_.assignDataField(rows[row].description);
                numbers.insert(rows[row].description, number);
            }
            if (row < record.QualityField.size()) {
                record.QualityField[row] = number;
            }
        }
        if (!rows.empty()) {
            types.setRecord(type, record);
        }
    }
    return true;
}

void QualityFieldConversion::logAuditableFigures() {
    auto& activities = system_.activities();
    auto& lines = system_.productionLines();
    auto& types = system_.typesOfWork();
    if ((!activities.isOpen() && !activities.open()) || (!lines.isOpen() && !lines.open())) {
        return;
    }
    system_.StatusText(
        QStringLiteral("Determining Activities that send information to Type of Work"));
    QHash<int, int> typeOfActivity;  // activity -> type of work, for activities that send units
    for (int activity = 1; activity <= activities.recordCount(); ++activity) {
        const ActivityRecord record = activities.record(activity);
        if (activities.isActive(activity) && record.TOW > 0 && record.UnitsinQual) {
            typeOfActivity.insert(activity, record.TOW);
        }
    }
    system_.StatusText(
        QStringLiteral("Calculating Auditable Hours and Units for each Type of Work"));
    QHash<int, std::pair<double, double>> figures;  // type of work -> units, hours
    for (int number = 1; number <= lines.recordCount(); ++number) {
        const ProductionLineRecord line = lines.record(number);
        const int type = typeOfActivity.value(line.Activity);
        if (!lines.isActive(number) || type == 0) {
            continue;
        }
        auto& [units, hours] = figures[type];
        for (const double entry : line.Units) {
            units += entry;
        }
        hours += line.Hours;
    }
    std::vector<ChangeLogLine> entries;
    for (int type = 1; type <= types.recordCount(); ++type) {
        if (types.isActive(type) && types.record(type).TrackQuality) {
            const auto [units, hours] = figures.value(type);
            entries.push_back({types.record(type).Code.trimmed(), QStringLiteral("Convert"),
                               QStringLiteral("AuditableUnits=") + QString::number(units, 'f', 2) +
                                   QStringLiteral(", AuditableHours=") +
                                   QString::number(hours, 'f', 3)});
        }
    }
    system_.logChanges(types, entries);
}

bool QualityFieldConversion::run() {
    system_.StatusText(QStringLiteral("Determining Datafields that need to be added."));
    if (!openTables()) {
        system_.ShowMessage(QStringLiteral("Error updating the Type of Work table."),
                            MB_ICONEXCLAMATION, {});
        return false;
    }
    const int needed = missingFieldCount();
    const int available = system_.freeDataFieldCount();
    if (needed > available) {
        system_.ShowMessage(
            QStringLiteral("To convert the Tallybook databases, you need ") +
                QString::number(needed) + QStringLiteral(" datafields.  However, you only have ") +
                QString::number(available) +
                QStringLiteral(" datafields available in your databases.  Exit Types of Work and "
                               "then go to File|Maintenance|Allocate Number of DataFields."),
            MB_ICONEXCLAMATION, {});
        system_.StatusDone();
        return false;
    }
    system_.StatusText(QStringLiteral("Creating Datafields."));
    createFields();
    system_.StatusText(QStringLiteral("Saving Datafields"));
    if (!system_.dataFields().save()) {
        system_.dataFields().cancel();
        system_.typesOfWork().cancel();
        system_.ShowMessage(QStringLiteral("Error updating the Type of Work table."),
                            MB_ICONEXCLAMATION, {});
        system_.StatusDone();
        return false;
    }
    if (!system_.typesOfWork().save()) {
        system_.typesOfWork().cancel();
        system_.ShowMessage(QStringLiteral("Error updating the Type of Work table."),
                            MB_ICONEXCLAMATION, {});
        system_.StatusDone();
        return false;
    }
    logAuditableFigures();
    system_.StatusDone();
    return true;
}

}  // namespace vel
