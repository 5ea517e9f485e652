#pragma once
// The program title: the caption of every message shown without one of its own.
#include <QString>

namespace vel {

// "Velmor" until the program sets the title of the system it runs.
QString applicationTitle();
void setApplicationTitle(const QString& title);

}  // namespace vel
