#pragma once
// Maintenance of the activities' standards through the system's table objects: the standards
// table reindexed, or the standards rebuilt from the activities after two confirmations. A table
// that does not open ends the work quietly: the table objects report their own errors.

namespace vel {

class VelmorSystem;

void reindexStandards(VelmorSystem& system);
// Inside the activity maintenance phase ("A"), which is ended whatever happens.
void rebuildStandards(VelmorSystem& system);

}  // namespace vel
