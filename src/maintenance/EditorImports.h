#pragma once
// The "Import..." path of the associate and allocation editors: for associates the choice of
// file kind (frmOKtoImport), then the file window (frmImport) with the last file and skip counts
// from the settings, the first record shown (frmImportShow) before anything changes, the import
// itself, and "Would you like to try importing again?" after a failed run. Each answers whether
// an import ran to its end, so that the editor refreshes its list.
#include <functional>

namespace vel {

class VelmorSystem;

bool importAllocationsFromEditor(VelmorSystem& system);
bool importAssociatesFromEditor(VelmorSystem& system, const std::function<void()>& afterImport);

}  // namespace vel
