#include "host/ReferenceProgram.h"

#include "services/AddSlash.h"
#include "ui/Ui.h"

namespace vel {

ReferenceProgram::ReferenceProgram(QString dataFolder, int systemNumber)
    : dataFolder_(std::move(dataFolder)), systemNumber_(systemNumber) {}

QString ReferenceProgram::helpFile() const {
    return AddSlash(dataFolder_) + QStringLiteral("velmor.hlp");
}

void ReferenceProgram::showHelp(int context) {
    currentUi().showHelp(helpFile(), context);
}

}  // namespace vel
