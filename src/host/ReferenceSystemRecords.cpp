// The reference system's work on records of several tables: the data-field slots that features
// take and give back, grouping membership, and an associate's recorded lines before a date.
#include "host/ReferenceSystem.h"

#include "host/QualityFieldConversion.h"
#include "host/ReferenceRecordedWork.h"

#include <set>

namespace vel {

int ReferenceSystem::freeDataFieldCount() {
    auto& fields = dataFields();
    if (!fields.isOpen() && !fields.open()) {
        return 0;
    }
    return std::max(0, fields.maximum() - fields.activeCount());
}

int ReferenceSystem::assignDataField(const QString& description) {
    auto& fields = dataFields();
    if (!fields.isOpen() && !fields.open()) {
        return 0;
    }
    const int number = fields.freeRecord();
    if (number > 0) {
        DataFieldRecord record = fields.record(number);
        record.Desc = description;
        record.InUse = true;
        fields.setRecord(number, record);
    }
    return number;
}

bool ReferenceSystem::releaseDataField(int number) {
    auto& fields = dataFields();
    if ((!fields.isOpen() && !fields.open()) || !fields.isActive(number)) {
        return false;
    }
    DataFieldRecord record = fields.record(number);
    record.Desc.clear();
    record.InUse = false;
    fields.setRecord(number, record);
    return true;
}

int ReferenceSystem::convertDataFieldsToUserDefined(const QString& holder) {
    auto& fields = dataFields();
    if (holder.isEmpty() || (!fields.isOpen() && !fields.open())) {
        return 0;
    }
    int converted = 0;
    for (int number = 1; number <= fields.recordCount(); ++number) {
        DataFieldRecord record = fields.record(number);
        if (fields.isActive(number) && record.Desc.startsWith(holder)) {
            record.Desc = (QString(userDefinedPrefix) + record.Desc).left(50);
            fields.setRecord(number, record);
            ++converted;
        }
    }
    return converted;
}

bool ReferenceSystem::qualityDataFieldsMissing() {
    return QualityFieldConversion(*this).fieldsMissing();
}

bool ReferenceSystem::convertQualityDataFields() {
    return QualityFieldConversion(*this).run();
}

QList<int> ReferenceSystem::groupingMembers(int grouping) {
    return membership_->members(grouping);
}

bool ReferenceSystem::changeGroupingMembers(const QList<GroupingMember>& leave,
                                            const QList<GroupingMember>& join,
                                            bool emptyWorkCenterGroupings) {
    return membership_->change(leave, join, emptyWorkCenterGroupings);
}

QList<QDate> ReferenceSystem::associateDataBefore(int associate, const QDate& date) {
    std::set<QDate> dates;
    referenceRecordedWork().store().lines().read(1, [&](qint64, const ProductionLineRecord& line) {
        if (line.Associate == associate && line.Date < date) {
            dates.insert(line.Date);
        }
        return true;
    });
    return QList<QDate>(dates.begin(), dates.end());
}

bool ReferenceSystem::clearAssociateDataBefore(int associate, const QDate& date) {
    auto& lines = productionLines();
    if (!lines.isOpen() && !lines.open()) {
        return false;
    }
    for (int number = 1; number <= lines.recordCount(); ++number) {
        const ProductionLineRecord line = lines.record(number);
        if (lines.isActive(number) && line.Associate == associate && line.Date < date) {
            lines.setRecord(number, ProductionLineRecord{});
        }
    }
    if (!lines.save()) {
        lines.cancel();
        return false;
    }
    return referenceRecordedWork().linesChanged();
}

QList<GroupingMember> ReferenceSystem::derivedGroupingMembers() {
    QList<GroupingMember> members;
    auto& table = *tables_.associates;
    if (!table.isOpen() && !table.open()) {
        return members;
    }
    // Only two fields of each associate are wanted: they are read from the rows as stored,
    // not through whole records (a rebuild after an import reads every associate).
    const RecordTableCore& core = table.core();
    const int groupingColumn = core.column(QStringLiteral("Grouping"));
    const int workCenterColumn = core.column(QStringLiteral("WorkCenter"));
    for (int number = 1; number <= table.recordCount(); ++number) {
        if (!table.isActive(number)) {
            continue;
        }
        int grouping = 0;
        int workCenter = 0;
        if (const char* bytes = core.packedRow(number); bytes != nullptr) {
            const PackedRow row = PackedRow::fromRawData(bytes, core.codec().recordLength());
            grouping = core.codec().value(row, groupingColumn).toInt();
            workCenter = core.codec().value(row, workCenterColumn).toInt();
        } else {
            // An edited row holding a value its column cannot store.
            const AssociateRecord associate = table.record(number);
            grouping = associate.Grouping;
            workCenter = associate.WorkCenter;
        }
        if (grouping > 0) {
            members.append({grouping, number});
        }
        if (workCenter > 0) {
            members.append({workCenter + GroupingRecord::WorkCenterBase, number});
        }
    }
    return members;
}

}  // namespace vel
