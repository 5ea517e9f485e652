#pragma once
// The modal display of the component's windows. While a window shows, every other loaded
// window of the component is disabled, so only the new one takes input. Windows opened from
// inside another window nest: the record keeps one owner per level, and it is empty whenever no
// window shown this way is open.
#include "ui/Form.h"

#include <QtGlobal>

namespace vel {

// Shows the form modally through currentUi().runModal and returns once it is hidden or
// unloaded. Its owner is the component window active at the call, else the host window
// ownerHandle. Afterwards the windows disabled for it are enabled again and the focus goes
// back to the owner. An error inside shows "Error in ShowLikeModal, " + its description.
void ShowLikeModal(Form& form, quintptr ownerHandle);

// The number of windows shown through ShowLikeModal that are open now.
int modalDepth();
// The owner of the window at a nesting level (1 = outermost); an empty owner outside 1..depth.
WindowOwner modalOwner(int level);

}  // namespace vel
