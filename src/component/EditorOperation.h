#pragma once
// The one sequence every editor operation of the command class follows: status, help file,
// the corporate control check where the editor needs it, the editor's entry (view-only when the
// check refused), and, when the editor changed its table, what follows a change (the automatic
// export and the corporate follow-ups, which the command class does), then unload and release.
#include "component/EditorRegistry.h"

#include <functional>

namespace vel {

class VelmorSystem;

struct EditorRun {
    bool opened = false;         // the editor's entry ran
    bool mayModify = true;       // the answer of the corporate control check
    bool tableChanged = false;   // the editor changed its table
    bool forModification = false;  // the editor had the table open for modification
};

struct EditorSteps {
    EditorKind kind;
    bool corporateCheck = false;
    bool statusAfterCheck = false;  // the settings editor shows its status only after the check
    bool openWhenRefused = true;    // false: a refused check opens nothing
    int settingType = -1;
    std::function<void()> afterCheck;  // runs right after the corporate control check
};

EditorRun runEditor(const EditorSteps& steps, quintptr owner, VelmorSystem& system);

}  // namespace vel
