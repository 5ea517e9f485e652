#include "services/BrowseFolder.h"

#include "ui/Ui.h"

namespace vel {

QString BrowseFolder(quintptr ownerWindow, const QString& title, const QString& startFolder,
                     int flag) {
    return currentUi().browseFolder(title, startFolder);
}

}  // namespace vel
