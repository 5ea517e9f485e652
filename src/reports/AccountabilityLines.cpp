#include "reports/AccountabilityLines.h"

#include "data/VelmorSystem.h"
#include "data/records/ActivityRecord.h"
#include "data/records/AssociateRecord.h"
#include "data/records/GroupingRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "reports/AccountabilitySettings.h"
#include "reports/ReportTables.h"

#include <algorithm>
#include <map>

namespace vel {

namespace {

using Key = std::pair<int, int>;  // associate, activity

std::map<Key, WorkFigures> byAssociateAndActivity(const std::vector<AccountFigures>& figures) {
    std::map<Key, WorkFigures> result;
    for (const AccountFigures& entry : figures) {
        result[{entry.account, entry.activity}] += entry.figures;
    }
    return result;
}

// The descriptions of a table's records by number (empty for inactive ones).
template <class Record>
std::vector<QString> descriptions(Table<Record>& table) {
    std::vector<QString> texts(size_t(table.recordCount()) + 1);
    for (int number = 1; number <= table.recordCount(); ++number) {
        if (table.isActive(number)) {
            texts[size_t(number)] = table.record(number).Desc.trimmed();
        }
    }
    return texts;
}

QString textAt(const std::vector<QString>& texts, int number) {
    return number > 0 && size_t(number) < texts.size() ? texts[size_t(number)] : QString();
}

bool nameBefore(const AccountabilityAssociate& a, const AccountabilityAssociate& b) {
    const int byName = QString::compare(a.name, b.name, Qt::CaseInsensitive);
    return byName != 0 ? byName < 0 : a.code < b.code;
}

void sortAssociates(std::vector<AccountabilityAssociate>& associates, AccountabilitySort sort) {
    std::stable_sort(associates.begin(), associates.end(),
                     [sort](const AccountabilityAssociate& a, const AccountabilityAssociate& b) {
                         double left = 0;
                         double right = 0;
                         if (sort == AccountabilitySort::PeriodPerformance) {
                             left = a.belowMinimum ? 0 : a.total.accountablePerformance();
                             right = b.belowMinimum ? 0 : b.total.accountablePerformance();
                         } else if (sort == AccountabilitySort::RampUpPerformance) {
                             left = a.total.rampUpPerformance();
                             right = b.total.rampUpPerformance();
                         }
                         if (left != right) {
                             return left > right;  // best first
                         }
                         return nameBefore(a, b);
                     });
}

}  // namespace

AccountabilitySums& AccountabilitySums::operator+=(const AccountabilitySums& other) {
    period += other.period;
    accountableEarned += other.accountableEarned;
    accountableMeasured += other.accountableMeasured;
    rampUpEarned += other.rampUpEarned;
    rampUpMeasured += other.rampUpMeasured;
    return *this;
}

QString AccountabilityReport::sortLine() const {
    switch (sort) {
        case AccountabilitySort::PeriodPerformance:
            return QStringLiteral("Sorted by This Week's Performance");
        case AccountabilitySort::RampUpPerformance:
            return QStringLiteral("Sorted by Ramp Up Period's Performance");
        case AccountabilitySort::Name:
            break;
    }
    return QStringLiteral("Sorted by Name");
}

AccountabilityReport buildAccountabilityReport(VelmorSystem& system,
                                               const AccountabilityPeriod& period,
                                               const AccountabilitySettings& settings,
                                               ReportGrouping grouping, AccountabilitySort sort) {
    AccountabilityReport report;
    report.period = period;
    report.grouping = grouping;
    report.sort = sort;

    system.StatusText(QStringLiteral("Opening tables and databases"));
    ReportTables tables;
    tables.use(system.associates());
    tables.use(system.activities());
    tables.use(system.workCenters());
    tables.use(system.groupings());

    system.StatusText(QStringLiteral("Summarizing Data"));
    RecordedWork& work = system.recordedWork();
    const WorkSelection selection{.ppaOnly = settings.ppaOnly(period.length)};
    const auto inPeriod = byAssociateAndActivity(
        work.figures(AccountLevel::Associate, period.first, period.last, selection, true));
    std::map<Key, WorkFigures> inRampUp;
    if (period.rampUpCounts()) {
        inRampUp = byAssociateAndActivity(work.figures(AccountLevel::Associate, period.rampUpFirst,
                                                       period.rampUpCountedLast, selection, true));
    }

    const std::vector<QString> workCenters = descriptions(system.workCenters());
    const std::vector<QString> groupings = descriptions(system.groupings());
    Table<ActivityRecord>& activities = system.activities();
    Table<AssociateRecord>& associates = system.associates();
    const double minimum = settings.minimumHours(period.length);

    const ReportGroups grouped(system, grouping);
    std::map<int, AccountabilityGroup> groups;  // by work center or grouping number
    AccountabilityAssociate current;
    int currentGroup = 0;
    const auto finishAssociate = [&] {
        if (current.number == 0) {
            return;
        }
        std::sort(current.lines.begin(), current.lines.end(),
                  [](const AccountabilityLine& a, const AccountabilityLine& b) {
                      return a.activityCode < b.activityCode;
                  });
        current.belowMinimum = current.total.period.measuredHours < minimum;
        AccountabilityGroup& group = groups[currentGroup];
        group.heading = grouped.heading(currentGroup);
        group.total += current.total;
        group.associates.push_back(std::move(current));
        current = AccountabilityAssociate();
    };

    for (const auto& [key, figures] : inPeriod) {
        const auto [associateNumber, activityNumber] = key;
        if (associateNumber != current.number) {
            finishAssociate();
            const AssociateRecord associate = associates.record(associateNumber);
            current.number = associateNumber;
            current.code = associate.Code.trimmed();
            current.name = associateName(associate);
            current.homeWorkCenter = textAt(workCenters, associate.WorkCenter);
            current.grouping = textAt(groupings, associate.Grouping);
            currentGroup = grouped.groupOf(associate);
        }
        const ActivityRecord activity = activities.record(activityNumber);
        AccountabilityLine line;
        line.activity = activityNumber;
        line.activityCode = activity.Code.trimmed();
        line.activityName = activity.Desc.trimmed();
        line.inPPA = !activity.ExcludeFromPPA;
        const auto ramp = inRampUp.find(key);
        const WorkFigures rampUp = ramp == inRampUp.end() ? WorkFigures() : ramp->second;
        line.rampedUp = rampUp.measuredHours >= settings.rampUpHours;
        line.sums.period = figures;
        line.sums.rampUpEarned = rampUp.earnedHours;
        line.sums.rampUpMeasured = rampUp.measuredHours;
        if (line.rampedUp) {
            line.sums.accountableEarned = figures.earnedHours;
            line.sums.accountableMeasured = figures.measuredHours;
        }
        current.total += line.sums;
        current.lines.push_back(std::move(line));
    }
    finishAssociate();

    system.StatusText(QStringLiteral("Sorting Data"));
    std::vector<int> order;
    for (auto& [number, group] : groups) {
        sortAssociates(group.associates, sort);
        report.total += group.total;
        order.push_back(number);
    }
    // Named groups by name, the group of associates without one last.
    std::sort(order.begin(), order.end(),
              [&grouped](int a, int b) { return grouped.printsBefore(a, b); });
    for (int number : order) {
        report.groups.push_back(std::move(groups[number]));
    }
    return report;
}

}  // namespace vel
