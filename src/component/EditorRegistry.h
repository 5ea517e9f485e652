#pragma once
// The editor windows the command class can open. An editor not built in this version has no
// entry here; its operation then says so to the person.
#include "editors/EditorEntry.h"

#include <QString>
#include <memory>

namespace vel {

enum class EditorKind { Activity, Associate, WorkCenter, Allocation, Element, TypeOfWork, Mistake, Settings,
                        Title };

// The settings editor edits one setting, given by its type; the others ignore it.
std::unique_ptr<EditorEntry> createEditor(EditorKind kind, int settingType = -1);
// "Editing Activities", ... for the person's messages.
QString editorTitle(EditorKind kind);

}  // namespace vel
