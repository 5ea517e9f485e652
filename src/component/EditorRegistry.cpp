#include "component/EditorRegistry.h"

namespace vel {

std::unique_ptr<EditorEntry> createEditor(EditorKind, int) {
    return nullptr;  // no editor window is part of this version yet
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
    }
    return {};
}

}  // namespace vel
