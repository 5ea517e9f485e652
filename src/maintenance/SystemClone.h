#pragma once
// The clone of the system: a system of the same number, sizes and fiscal calendar in the data
// folder's "Clone" subfolder, built by the new-system builder, with the system's corporate
// control setting and its report and graph layouts. The master tables are not copied: the clone
// starts empty, ready to be set up as a new site of the same shape. The new-system window,
// captioned "Clone a System", shows that shape with the clone's title, which the person may
// change; Cancel ends without a clone.
//
// A failure after the checks says "Error creating cloned system, it may already exist.", removes
// what the builder made (so that a later clone is not refused), and raises the reason as a
// run-time error for the caller's error report.
#include <QtGlobal>

namespace vel {

class NewSystemBuilder;
class VelmorSystem;

// True when the clone was created.
bool cloneSystem(quintptr ownerHandle, VelmorSystem& system, NewSystemBuilder& builder);

}  // namespace vel
