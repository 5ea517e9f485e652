#pragma once
// Operations whose windows or jobs are not part of this version tell the person so, plainly.
#include <QString>

namespace vel {

class VelmorSystem;

// Shows "<what> is not available yet in this version of <title>." (information icon).
void notAvailableYet(VelmorSystem& system, const QString& what);

}  // namespace vel
