#pragma once
// What the command class needs of an editor window: its entry, and afterwards whether the editor
// changed its table; release() ends the window before it is destroyed.
#include <QtGlobal>

namespace vel {

class VelmorSystem;

class EditorEntry {
public:
    virtual ~EditorEntry() = default;
    // Shows the editor modally, owned by the host window; true when its list was shown.
    virtual bool Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) = 0;
    virtual bool tableChanged() const = 0;
    // Whether the person took the table for modification (not only for viewing).
    virtual bool openedForModification() const { return false; }
    virtual void release() = 0;
};

}  // namespace vel
