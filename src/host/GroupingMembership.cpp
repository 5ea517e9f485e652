#include "host/GroupingMembership.h"

#include "data/records/GroupingRecord.h"

#include <QFile>
#include <QSet>
#include <algorithm>

namespace vel {

GroupingMembership::GroupingMembership(const QString& path, StoreOptions options,
                                       std::function<QList<GroupingMember>()> derived,
                                       std::function<void(const QString&)> reportFailure)
    : table_(path,
             TableRules{QStringLiteral("Grouping Membership"),
                        QStringLiteral("Grouping"),
                        QStringLiteral("Grouping"),
                        [] { return 10000000; },
                        {},
                        {},
                        std::move(reportFailure)},
             std::move(options)),
      derived_(std::move(derived)) {}

bool GroupingMembership::stored() const {
    return QFile::exists(table_.path());
}

QList<int> GroupingMembership::members(int grouping) {
    QList<int> found;
    if (grouping <= 0) {
        return found;
    }
    if (!stored()) {
        for (const GroupingMember& member : derived_()) {
            if (member.grouping == grouping) {
                found << member.associate;
            }
        }
        return found;
    }
    if (!table_.open()) {
        return found;
    }
    for (int number = 1; number <= table_.recordCount(); ++number) {
        const GroupingMemberRecord member = table_.record(number);
        if (table_.isActive(number) && member.Grouping == grouping) {
            found << member.Associate;
        }
    }
    table_.close();
    std::sort(found.begin(), found.end());
    return found;
}

bool GroupingMembership::change(const QList<GroupingMember>& leave,
                                const QList<GroupingMember>& join, bool emptyWorkCenterGroupings) {
    const bool seed = !stored();
    if (!table_.open()) {
        return false;
    }
    QList<GroupingMemberRecord> members;
    if (seed) {
        for (const GroupingMember& member : derived_()) {
            members.append({member.grouping, member.associate});
        }
    }
    for (int number = 1; number <= table_.recordCount(); ++number) {
        if (table_.isActive(number)) {
            members.append(table_.record(number));
        }
    }
    if (emptyWorkCenterGroupings) {
        members.removeIf([](const GroupingMemberRecord& member) {
            return member.Grouping >= GroupingRecord::WorkCenterBase;
        });
    }
    // Sets of (grouping, associate) keys, so that a rebuild of 100,000 members stays linear.
    const auto key = [](int grouping, int associate) {
        return (quint64(quint32(grouping)) << 32) | quint32(associate);
    };
    if (!leave.isEmpty()) {
        QSet<quint64> gone;
        for (const GroupingMember& member : leave) {
            gone.insert(key(member.grouping, member.associate));
        }
        members.removeIf([&](const GroupingMemberRecord& member) {
            return gone.contains(key(member.Grouping, member.Associate));
        });
    }
    QSet<quint64> present;
    present.reserve(members.size() + join.size());
    for (const GroupingMemberRecord& member : std::as_const(members)) {
        present.insert(key(member.Grouping, member.Associate));
    }
    for (const GroupingMember& added : join) {
        if (added.grouping > 0 && !present.contains(key(added.grouping, added.associate))) {
            present.insert(key(added.grouping, added.associate));
            members.append({added.grouping, added.associate});
        }
    }
    // The kept members fill the records from the first; the rest become free slots.
    for (int number = 1; number <= std::max(table_.recordCount(), int(members.size())); ++number) {
        table_.setRecord(
            number, number <= members.size() ? members.at(number - 1) : GroupingMemberRecord{});
    }
    const bool saved = table_.save();
    if (!saved) {
        table_.cancel();
    }
    table_.close();
    return saved;
}

}  // namespace vel
