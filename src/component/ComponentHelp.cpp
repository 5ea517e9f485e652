#include "component/ComponentHelp.h"

#include "services/HelpTopics.h"
#include "ui/Ui.h"

namespace vel {

QString componentHelpFile() {
    return helpFileInUse();
}

void setComponentHelpFile(const QString& path) {
    setHelpFileInUse(path);
}

void showComponentHelp(int context) {
    currentUi().showHelp(helpFileInUse(), context);
}

}  // namespace vel
