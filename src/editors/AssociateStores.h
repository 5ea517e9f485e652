#pragma once
// The two stores derived from the associate table, kept in step by the associate editor (and
// the associate import): the grouping membership and the punch lookup file.
//
// An associate belongs to the grouping of its home work center (work center + 900) and to its
// primary grouping; 0 means no membership.
#include "data/VelmorSystem.h"

namespace vel {

struct AssociateRecord;
struct AssociateSettings;

namespace associateStores {

// The two memberships of an associate (an entry with grouping 0 stands for none).
QList<GroupingMember> membershipsOf(int number, const AssociateRecord& associate);

// One associate's change: leaves the groupings of before, joins those of after (pass an empty
// record for an add or a delete). False when the membership could not be written.
bool moveMemberships(VelmorSystem& system, int number, const AssociateRecord& before,
                     const AssociateRecord& after);

// "Maintaining Work Center Groupings": every grouping of 900 or more is emptied, then every
// active associate joins its home work center's grouping and its primary grouping.
bool rebuildGroupings(VelmorSystem& system);

// "Maintaining Punch Lookup File": when the lookup folder is set, the file is cleared and every
// active associate is added, keyed by its upper-cased code or, with a lookup badge of 1 to 5, by
// that badge (an associate whose key is blank is left out). False when the file could not be
// written; true when there is nothing to do.
bool rebuildPunchLookup(VelmorSystem& system, const AssociateSettings& settings);

// Both rebuilds, with the settings read from the system; run after an import.
bool rebuildDerivedStores(VelmorSystem& system);

// The punch key of an associate under the settings.
QString punchKey(const AssociateRecord& associate, const AssociateSettings& settings);

}  // namespace associateStores
}  // namespace vel
