#pragma once
// The imports as the command class runs them without windows: the skip counts from the settings
// when both arguments are 0, errors reported with the procedure that failed.
#include <QString>
#include <functional>

namespace vel {

class VelmorSystem;

// The associate update import. deleteNonImported adds to the AssocDeleteNonImported setting;
// afterImport rebuilds what derives from the associates. True when the file was imported.
bool importAssociatesUnattended(VelmorSystem& system, const QString& fileName, int rowsToSkip,
                                int fieldsToSkip, bool deleteNonImported,
                                const std::function<void()>& afterImport = {});

}  // namespace vel
