#include "reports/ReportGrouping.h"

#include "data/VelmorSystem.h"
#include "data/records/AssociateRecord.h"
#include "data/records/GroupingRecord.h"
#include "data/records/WorkCenterRecord.h"

namespace vel {

namespace {

// The name a group prints under: its description, or its code when it has none.
template <class Record>
QString recordName(Table<Record>& table, int number) {
    if (number < 1 || number > table.recordCount() || !table.isActive(number)) {
        return {};
    }
    const Record record = table.record(number);
    const QString description = record.Desc.trimmed();
    return description.isEmpty() ? record.Code.trimmed() : description;
}

}  // namespace

QString allAssociatesText() {
    return QStringLiteral("All Associates");
}

QString allWorkCentersText() {
    return QStringLiteral("All Work Centers");
}

QString groupHeading(ReportGrouping grouping, const QString& name) {
    switch (grouping) {
        case ReportGrouping::HomeWorkCenter:
            return name.isEmpty() ? QStringLiteral("No Home Work Center")
                                  : QStringLiteral("Home Work Center: ") + name;
        case ReportGrouping::PrimaryGrouping:
            return name.isEmpty() ? QStringLiteral("No Primary Grouping")
                                  : QStringLiteral("Primary Grouping: ") + name;
        case ReportGrouping::None:
            break;
    }
    return allAssociatesText();
}

ReportGroups::ReportGroups(VelmorSystem& system, ReportGrouping grouping)
    : system_(system), grouping_(grouping) {}

int ReportGroups::groupOf(const AssociateRecord& associate) const {
    return groupOf(associate.WorkCenter, associate.Grouping);
}

int ReportGroups::groupOf(int homeWorkCenter, int primaryGrouping) const {
    const int group = grouping_ == ReportGrouping::HomeWorkCenter    ? homeWorkCenter
                      : grouping_ == ReportGrouping::PrimaryGrouping ? primaryGrouping
                                                                     : 0;
    // A number that names no active record counts as none.
    return group > 0 && !name(group).isEmpty() ? group : 0;
}

QString ReportGroups::name(int group) const {
    if (group <= 0 || grouping_ == ReportGrouping::None) {
        return {};
    }
    const auto known = names_.constFind(group);
    if (known != names_.constEnd()) {
        return *known;
    }
    const QString found = grouping_ == ReportGrouping::HomeWorkCenter
                              ? recordName(system_.workCenters(), group)
                              : recordName(system_.groupings(), group);
    names_.insert(group, found);
    return found;
}

QString ReportGroups::heading(int group) const {
    return groupHeading(grouping_, name(group));
}

bool ReportGroups::printsBefore(int group, int other) const {
    if ((group == 0) != (other == 0)) {
        return other == 0;
    }
    const int byName = QString::compare(name(group), name(other), Qt::CaseInsensitive);
    return byName != 0 ? byName < 0 : group < other;
}

}  // namespace vel
