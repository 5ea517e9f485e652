#pragma once
// The creation of a new system: the sizes from the new-system window, the master file, the
// fiscal calendar, then every file of the system, which the host then opens.
//
// A cancelled window or calendar creates nothing (a master file already written is removed).
// When the files cannot be made, the person is told "Error creating System.  All system files
// will be deleted.", every file of the new system is deleted, and the reason is raised as a
// run-time error for the caller's error report.
#include <QtGlobal>

namespace vel {

class NewSystemBuilder;
class VelmorSystem;

// True when the new system was created and opened.
bool createNewSystem(quintptr ownerHandle, VelmorSystem& system, NewSystemBuilder& builder);

}  // namespace vel
