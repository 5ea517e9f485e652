#include "editors/AssociateStores.h"

#include "data/CAssocLookup.h"
#include "data/ProgramObject.h"
#include "data/RecordFieldReader.h"
#include "data/records/AssociateRecord.h"
#include "data/records/GroupingRecord.h"
#include "editors/AssociateSettings.h"

namespace vel::associateStores {

QList<GroupingMember> membershipsOf(int number, const AssociateRecord& associate) {
    return {{associate.WorkCenter > 0 ? associate.WorkCenter + GroupingRecord::WorkCenterBase : 0,
             number},
            {associate.Grouping, number}};
}

bool moveMemberships(VelmorSystem& system, int number, const AssociateRecord& before,
                     const AssociateRecord& after) {
    const QList<GroupingMember> leave = membershipsOf(number, before);
    const QList<GroupingMember> join = membershipsOf(number, after);
    if (leave == join) {
        return true;
    }
    return system.changeGroupingMembers(leave, join, false);
}

namespace {
// Opens the associate table for the length of a rebuild when nobody has it open.
class OpenAssociates {
  public:
    explicit OpenAssociates(VelmorSystem& system)
        : table_(system.associates()), opened_(!table_.isOpen() && table_.open()) {}
    ~OpenAssociates() {
        if (opened_) {
            table_.close();
        }
    }
    bool ready() const { return table_.isOpen(); }

  private:
    TableObject& table_;
    bool opened_;
};
}  // namespace

bool rebuildGroupings(VelmorSystem& system) {
    OpenAssociates open(system);
    if (!open.ready()) {
        return false;
    }
    system.StatusText(QStringLiteral("Maintaining Work Center Groupings"));
    auto& associates = system.associates();
    // Two fields of every associate, read without the rest of the record.
    RecordFieldReader<AssociateRecord> fields(associates);
    const int workCenter = fields.field(QStringLiteral("WorkCenter"));
    const int grouping = fields.field(QStringLiteral("Grouping"));
    QList<GroupingMember> join;
    for (int number = 1; number <= associates.recordCount(); ++number) {
        if (associates.isActive(number)) {
            fields.select(number);
            AssociateRecord associate;
            associate.WorkCenter = int(fields.whole(workCenter));
            associate.Grouping = int(fields.whole(grouping));
            join << membershipsOf(number, associate);
        }
    }
    const bool written = system.changeGroupingMembers({}, join, true);
    system.StatusDone();
    return written;
}

QString punchKey(const AssociateRecord& associate, const AssociateSettings& settings) {
    const QString key = settings.lookupBadge >= 1 && settings.lookupBadge <= 5
                            ? associate.Badge[size_t(settings.lookupBadge - 1)]
                            : associate.Code;
    return key.trimmed().toUpper();
}

bool rebuildPunchLookup(VelmorSystem& system, const AssociateSettings& settings) {
    if (settings.lookupFolder.isEmpty()) {
        return true;
    }
    OpenAssociates open(system);
    if (!open.ready()) {
        return false;
    }
    system.StatusText(QStringLiteral("Maintaining Punch Lookup File"));
    CAssocLookup lookup;
    lookup.setDataFolder(settings.lookupFolder);
    lookup.setSysNum(QString::number(system.Program().systemNumber()));
    // One lock for the whole rebuild: each entry costs a record write, not a lock round.
    bool written = lookup.OpenTable() == xbase::r4success && lookup.LockAll() == xbase::r4success &&
                   lookup.ClearRecords() >= 0;
    auto& associates = system.associates();
    const int count = associates.recordCount();
    // Only the fields an entry holds are read: its key (the code or a badge) and the names.
    RecordFieldReader<AssociateRecord> fields(associates);
    const bool byBadge = settings.lookupBadge >= 1 && settings.lookupBadge <= 5;
    const int keyField = fields.field(
        byBadge ? QStringLiteral("Badge") + QString::number(settings.lookupBadge)
                : QStringLiteral("Code"));
    const int lastName = fields.field(QStringLiteral("LastName"));
    const int firstName = fields.field(QStringLiteral("FirstName"));
    for (int number = 1; written && number <= count; ++number) {
        if (!associates.isActive(number)) {
            continue;
        }
        fields.select(number);
        AssociateRecord associate;
        (byBadge ? associate.Badge[size_t(settings.lookupBadge - 1)] : associate.Code) =
            fields.text(keyField);
        associate.LastName = fields.text(lastName);
        associate.FirstName = fields.text(firstName);
        const QString key = punchKey(associate, settings);
        if (!key.isEmpty()) {
            written = lookup.AddRec(key, associate.LastName.trimmed(),
                                    associate.FirstName.trimmed()) >= 0;
        }
        system.StatusPercent(number * 100 / count);
    }
    written = lookup.UnlockAll() >= 0 && written;
    lookup.CloseTable();
    system.StatusDone();
    return written;
}

bool rebuildDerivedStores(VelmorSystem& system) {
    const bool groupings = rebuildGroupings(system);
    return rebuildPunchLookup(system, AssociateSettings::read(system)) && groupings;
}

}  // namespace vel::associateStores
