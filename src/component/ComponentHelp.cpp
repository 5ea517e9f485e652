#include "component/ComponentHelp.h"

#include "ui/Ui.h"

namespace vel {

namespace {
QString helpFile;
}

const QString& componentHelpFile() {
    return helpFile;
}

void setComponentHelpFile(const QString& path) {
    helpFile = path;
}

void showComponentHelp(int context) {
    currentUi().showHelp(helpFile, context);
}

}  // namespace vel
