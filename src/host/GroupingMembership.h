#pragma once
// The stored grouping membership of a reference system, in TBVMGMB.--N: one record per
// associate and grouping. A system whose membership was never changed has no such file; its
// membership is then what the associates say (primary grouping, home work center + 900), and
// the first change writes that derived membership together with the change.
#include "data/VelmorSystem.h"
#include "data/records/GroupingMemberRecord.h"
#include "host/XbaseTable.h"

#include <functional>

namespace vel {

class GroupingMembership {
  public:
    // derived answers every membership as the associates say.
    GroupingMembership(const QString& path, StoreOptions options,
                       std::function<QList<GroupingMember>()> derived,
                       std::function<void(const QString&)> reportFailure);

    bool stored() const;
    // The associates of a grouping, in record-number order.
    QList<int> members(int grouping);
    // See VelmorSystem::changeGroupingMembers.
    bool change(const QList<GroupingMember>& leave, const QList<GroupingMember>& join,
                bool emptyWorkCenterGroupings);

  private:
    XbaseTable<GroupingMemberRecord> table_;
    std::function<QList<GroupingMember>()> derived_;
};

}  // namespace vel
