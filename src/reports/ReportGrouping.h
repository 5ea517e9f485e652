#pragma once
// The grouping of the associate reports: one block of lines per home work center or primary
// grouping, or a single block of every associate, with the blocks' heading texts ("Home Work
// Center: Receiving", "No Home Work Center", "Primary Grouping: Nights", "No Primary Grouping",
// "All Associates").
#include <QHash>
#include <QString>

namespace vel {

class VelmorSystem;
struct AssociateRecord;

// The report windows' optGroup choices, by index.
enum class ReportGrouping { None = 0, HomeWorkCenter = 1, PrimaryGrouping = 2 };

// The heading of the block of every associate, and the text of a report over every work center.
QString allAssociatesText();
QString allWorkCentersText();

// The heading of a group of the grouping; name is the work center's or grouping's trimmed name,
// empty for the associates without one.
QString groupHeading(ReportGrouping grouping, const QString& name);

// Sorts associates into the groups of a grouping: a group is the record number of the home work
// center or of the primary grouping (0: none, and every associate when the grouping is None).
// The names come from the work-center and grouping tables, which must be open.
class ReportGroups {
  public:
    ReportGroups(VelmorSystem& system, ReportGrouping grouping);

    ReportGrouping grouping() const { return grouping_; }
    int groupOf(const AssociateRecord& associate) const;
    int groupOf(int homeWorkCenter, int primaryGrouping) const;
    QString heading(int group) const;
    // The printing order of the groups: by heading, the group of associates without one last.
    bool printsBefore(int group, int other) const;

  private:
    QString name(int group) const;

    VelmorSystem& system_;
    ReportGrouping grouping_;
    mutable QHash<int, QString> names_;
};

}  // namespace vel
