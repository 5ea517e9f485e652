#include "component/EditorOperation.h"

#include "component/CorporateControlCheck.h"
#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "services/Availability.h"

namespace vel {

namespace {
const QString loadingFiles = QStringLiteral("Loading files ...");
}

EditorRun runEditor(const EditorSteps& steps, quintptr owner, VelmorSystem& system) {
    EditorRun run;
    if (!steps.statusAfterCheck) {
        system.StatusText(loadingFiles);
    }
    if (steps.corporateCheck) {
        run.mayModify = corporateControlCheck(system);
    }
    if (steps.afterCheck) {
        steps.afterCheck();
    }
    if (!run.mayModify && !steps.openWhenRefused) {
        return run;
    }
    if (steps.statusAfterCheck) {
        system.StatusText(loadingFiles);
    }
    std::unique_ptr<EditorEntry> editor = createEditor(steps.kind, steps.settingType);
    if (!editor) {
        notAvailableYet(system, editorTitle(steps.kind));
        return run;
    }
    run.opened = true;
    editor->Edit(owner, system, !run.mayModify);
    run.tableChanged = editor->tableChanged();
    run.forModification = editor->openedForModification();
    editor->release();
    return run;
}

}  // namespace vel
