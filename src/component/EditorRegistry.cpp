#include "component/EditorRegistry.h"

#include "editors/frmActivity.h"
#include "editors/frmEmployee.h"
#include "editors/frmAllocation.h"
#include "editors/frmElement.h"
#include "editors/frmMistake.h"
#include "editors/frmSettings.h"
#include "editors/frmTitle.h"
#include "editors/frmTypeofWork.h"
#include "editors/frmWorkCenter.h"

namespace vel {

std::unique_ptr<EditorEntry> createEditor(EditorKind kind, int settingType) {
    switch (kind) {
    case EditorKind::Activity: return std::make_unique<frmActivity>();
    case EditorKind::Mistake: return std::make_unique<frmMistake>();
    case EditorKind::Associate: return std::make_unique<frmEmployee>();
    case EditorKind::Element: return std::make_unique<frmElement>();
    case EditorKind::Allocation: return std::make_unique<frmAllocation>();
    case EditorKind::Title: return std::make_unique<frmTitle>();
    case EditorKind::WorkCenter: return std::make_unique<frmWorkCenter>();
    case EditorKind::TypeOfWork: return std::make_unique<frmTypeofWork>();
    case EditorKind::Settings: return std::make_unique<frmSettings>(settingType);
    default: return nullptr;  // not part of this version yet
    }
}

QString editorTitle(EditorKind kind) {
    switch (kind) {
    case EditorKind::Activity: return QStringLiteral("Editing Activities");
    case EditorKind::Associate: return QStringLiteral("Editing Associates");
    case EditorKind::WorkCenter: return QStringLiteral("Editing Work Centers");
    case EditorKind::Allocation: return QStringLiteral("Editing Allocations");
    case EditorKind::Element: return QStringLiteral("Editing Elements");
    case EditorKind::TypeOfWork: return QStringLiteral("Editing Types of Work");
    case EditorKind::Mistake: return QStringLiteral("Editing Mistakes");
    case EditorKind::Settings: return QStringLiteral("Editing Settings");
    case EditorKind::Title: return QStringLiteral("Editing the system titles");
    }
    return {};
}

}  // namespace vel
