#include "maintenance/WeekEndJob.h"

#include "data/VelmorSystem.h"
#include "platform/print/PrintOutput.h"
#include "platform/print/TBPrint.h"
#include "services/IniSettings.h"
#include "services/RuntimeError.h"

#include <QDateTime>

namespace vel {

namespace {

constexpr int followUpMode = 3;
constexpr int followUpDays = 14;
constexpr int printerErrorNumber = 482;

bool printedLogWanted(VelmorSystem& system) {
    IniSettings settings(system.settingsLocation());
    settings.selectSection(QStringLiteral("WeekEnd"));
    return IniSettings::isTrue(settings.readValue(QStringLiteral("PrintLog"), QString()));
}

void printCompletion(VelmorSystem& system) {
    PrintOutput* output = installedPrintOutput();
    if (!output) {
        throw RuntimeError(printerErrorNumber, QStringLiteral("There is no printer available"));
    }
    TBPrint printer;
    printer.onDeviceInit([&system](TBPrint& p) { system.standardDeviceSetup(p); });
    printer.startJob();
    printer.printLine(QStringLiteral("Week-End Processing - Completed") + QStringLiteral(" ") +
                      QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd hh:mm")));
    if (!printer.sendTo(*output)) {
        throw RuntimeError(printerErrorNumber, printer.lastError());
    }
}

}  // namespace

void afterWeekEnd(VelmorSystem& system, bool succeeded) {
    if (succeeded && system.followUpWanted()) {
        system.runFollowUp(followUpMode, QDate::currentDate().addDays(-followUpDays));
    }
    if (printedLogWanted(system)) {
        printCompletion(system);
    }
}

}  // namespace vel
