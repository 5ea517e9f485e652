#include "editors/ActivityCorporateFixup.h"

#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "data/records/ActivityRecord.h"
#include "data/records/ElementRecord.h"
#include "services/ErrorReport.h"
#include "services/MessageWithSound.h"
#include "ui/MessageBoxCodes.h"

#include <QDateTime>
#include <QDir>
#include <QSaveFile>
#include <vector>

namespace vel {

ActivityCorporateFixup::ActivityCorporateFixup(VelmorSystem& system) : system_(system) {}

int ActivityCorporateFixup::message(const QString& text, int style) {
    return MessageWithSound(text, style, system_.Program().title());
}

bool ActivityCorporateFixup::run() {
    bool changed = false;
    return guarded(QStringLiteral(" - frmActivity:FixupCorpControl"), changed, [&] {
        const QString warning = QStringLiteral(
            "Only use this to fix up a DCs setup when they have gotten out of whack of the "
            "Corporate system.  Make sure to: \n1) Backup the system, \n2) ODE out all Years "
            "from all Tallybooks\n3) Print the Corp Control Audit Report and some Activity "
            "Detail Reports\n4) Run this procedure, which will fixup the field numbers used by "
            "each Activity to match those in the Corporate Control File.\n5) Make a change to "
            "any of the Activities, this will force the datafield descriptions to be updated.\n"
            "6) Import ODE data back in using '*' on the list of datafields to match on "
            "Descriptions\n7) Use Activity Detail Reports with Elements for Verification");
        if (message(warning, MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDOK) {
            return;
        }
        const int count = fixFieldNumbers();
        if (count < 0) {
            return;
        }
        changed = count > 0;
        message(QString::number(count) +
                    QStringLiteral(" Activities Updated. Check the log file for the field numbers "
                                   "that were adjusted: ") +
                    logPath_,
                MB_ICONINFORMATION);
    });
}

int ActivityCorporateFixup::fixFieldNumbers() {
    auto& corporate = system_.corporateActivities();
    if (!corporate.isOpen() && !corporate.open()) {
        message(QStringLiteral("Error opening the Corporate Activity Table"), MB_ICONEXCLAMATION);
        return -1;
    }
    auto& corporateElements = system_.corporateElements();
    if (!corporateElements.isOpen() && !corporateElements.open()) {
        message(QStringLiteral("Error opening the Corporate Element Table"), MB_ICONEXCLAMATION);
        return -1;
    }
    auto& elements = system_.elements();
    if (!elements.isOpen() && !elements.open()) {
        message(QStringLiteral("Error opening the ") + elements.name(), MB_ICONEXCLAMATION);
        return -1;
    }
    logPath_ =
        QDir(system_.Program().dataFolder())
            .filePath(QStringLiteral("TBCORPFIX.") +
                      QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss")) +
                      QStringLiteral(".CSV"));
    QSaveFile log(logPath_);
    if (!log.open(QIODevice::WriteOnly)) {
        message(QStringLiteral("Could not create log file: ") + logPath_, MB_ICONEXCLAMATION);
        return -1;
    }
    QString text = QStringLiteral("Activity,Data,Old Field,New Field\r\n");
    auto& activities = system_.activities();
    std::vector<std::pair<int, ActivityRecord>> fixed;
    for (int number = 1; number <= activities.recordCount(); ++number) {
        const int match = activities.isActive(number) ? corporate.find(activities.code(number)) : 0;
        if (match == 0) {
            continue;
        }
        ActivityRecord activity = activities.record(number);
        const ActivityRecord control = corporate.record(match);
        const QString code = activity.Code.trimmed();
        bool changed = false;
        const auto adjust = [&](const QString& data, int& field, int wanted) {
            if (field != wanted) {
                text += code + QLatin1Char(',') + data + QLatin1Char(',') + QString::number(field) +
                        QLatin1Char(',') + QString::number(wanted) + QStringLiteral("\r\n");
                field = wanted;
                changed = true;
            }
        };
        adjust(QStringLiteral("Actual Hours"), activity.FldHoursto, control.FldHoursto);
        adjust(QStringLiteral("Earned Hours"), activity.FldEarnedto, control.FldEarnedto);
        adjust(QStringLiteral("Cost"), activity.FldCostto, control.FldCostto);
        for (const ActivityElementSlot& entry : control.Elements) {
            if (entry.isEmpty()) {
                continue;
            }
            const QString name = corporateElements.code(entry.Element).trimmed();
            const int slot = activity.slotOf(elements.find(name));
            if (slot >= 0) {
                adjust(name + QStringLiteral(" units"), activity.Elements[size_t(slot)].UnitsField,
                       entry.UnitsField);
            }
        }
        if (changed) {
            fixed.emplace_back(number, activity);
        }
    }
    // The activities change only once their log is written.
    if (log.write(text.toUtf8()) < 0 || !log.commit()) {
        message(QStringLiteral("Could not create log file: ") + logPath_, MB_ICONEXCLAMATION);
        return -1;
    }
    for (const auto& [number, activity] : fixed) {
        activities.setRecord(number, activity);
    }
    return int(fixed.size());
}

}  // namespace vel
