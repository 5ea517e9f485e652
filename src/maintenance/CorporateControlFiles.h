#pragma once
// The corporate system's publication of its control files in the corporate control folder
// (settings "Corporate"/"Folder"): the local control activity file zipped as "TBCCnt" + number +
// ".ZIP", then copies of the activity, element and type-of-work tables, each copied only when
// the one before was. Silent: no folder choice and no question, the stored folder is used.
// The zip also carries "TBCCFEAT.--" + number, the corporate system's feature switches
// (section "Features", "PerformancePolicy" True or False), which the sites' corporate control
// check takes over.
#include <QtGlobal>

namespace vel {

class VelmorSystem;

// True when the zip and all three copies were written.
bool createCorporateControlFiles(quintptr ownerHandle, VelmorSystem& system, bool silent);

}  // namespace vel
