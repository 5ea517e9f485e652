#pragma once
#include <QString>
#include <QtGlobal>

namespace vel {

// Lets the person pick a folder, starting in startFolder, with the title above the folder tree
// ("Folder for Corporate Control File"). Returns the chosen folder, or an empty text when the
// person cancelled. The owner window and the browse flags are accepted for the callers' sake;
// the Ui's folder dialog always belongs to the active window and shows folders only.
QString BrowseFolder(quintptr ownerWindow, const QString& title, const QString& startFolder,
                     int flag = 0);

}  // namespace vel
