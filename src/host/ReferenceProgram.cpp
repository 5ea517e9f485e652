#include "host/ReferenceProgram.h"

#include "services/HelpTopics.h"
#include "ui/Ui.h"

namespace vel {

ReferenceProgram::ReferenceProgram(QString dataFolder, int systemNumber)
    : dataFolder_(std::move(dataFolder)), systemNumber_(systemNumber) {}

QString ReferenceProgram::helpFile() const {
    return helpContentsFile();
}

void ReferenceProgram::showHelp(int context) {
    currentUi().showHelp(helpFile(), context);
}

}  // namespace vel
