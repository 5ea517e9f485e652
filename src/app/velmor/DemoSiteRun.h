#pragma once
// The demo command: a fresh demo site, then the main window on it, or without a display a short
// script that goes through the operations this version offers.
#include <QString>

class QTextStream;

namespace vel {

// The folder of the demo site when none is given: the per-user data folder's "velmor/demo-site".
QString defaultDemoFolder();
// Creates a demo site in the folder when it is new or empty, or replaces an earlier demo site
// there; any other folder is refused untouched. False with the reason.
bool makeFreshDemoSite(const QString& folder, bool large, QString* error);
// The script the headless demo runs; its table export goes to the folder.
QString headlessDemoScript(const QString& exportFolder);

}  // namespace vel
