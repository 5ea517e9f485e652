#pragma once
// The component's help file: set from the system's program object at the start of every
// editor and report operation, so that F1 in any window opens the system's help.
#include <QString>

namespace vel {

QString componentHelpFile();
void setComponentHelpFile(const QString& path);
// Shows a help topic of the component's help file through the Ui.
void showComponentHelp(int context);

}  // namespace vel
