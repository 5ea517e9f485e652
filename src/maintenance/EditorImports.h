#pragma once
// The "Import..." path of the associate and allocation editors: for associates the choice of
// file kind (frmOKtoImport), then the file window (frmImport) with the last file and skip counts
// from the settings, the first record shown (frmImportShow) before anything changes, the import
// itself, and "Would you like to try importing again?" after a failed run. Each answers whether
// an import ran to its end, so that the editor refreshes its list.
//
// The import works on the table as the editor holds it: its changes join the editor's unsaved
// edits, and the list's OK or Cancel decides for both.
#include <QList>
#include <functional>

namespace vel {

class VelmorSystem;

// forActivities receives the new allocations the person chose to add to the activities; the
// editor adds them when its list is saved.
bool importAllocationsFromEditor(VelmorSystem& system, QList<int>& forActivities);
bool importAssociatesFromEditor(VelmorSystem& system, const std::function<void()>& afterImport);

}  // namespace vel
