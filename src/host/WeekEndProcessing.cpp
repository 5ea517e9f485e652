#include "host/WeekEndProcessing.h"

#include "data/records/AssociateRecord.h"
#include "data/RecordedWork.h"
#include "host/ReferenceRecordedWork.h"
#include "host/ReferenceSystem.h"
#include "services/AddSlash.h"
#include "services/IniSettings.h"
#include "ui/MessageBoxCodes.h"

#include <QMap>
#include <QSet>
#include <QSaveFile>

namespace vel {

namespace {

const QString master = QStringLiteral("Master");
const QString lastWeekEndKey = QStringLiteral("LastWeekEnd");
const QString dateFormat = QStringLiteral("yyyy/MM/dd");

}  // namespace

QDate WeekEndProcessing::lastWeekEnd(const QDate& today) {
    return today.addDays(-today.dayOfWeek());  // Monday is 1: back to the Sunday before
}

bool WeekEndProcessing::fail(const QString& reason) {
    system_.errors().report(reason + QStringLiteral(" - ReferenceSystem:WeekEnd"), 0, false);
    return false;
}

bool WeekEndProcessing::run(bool interactive) {
    ReferenceMasterfile& masterfile = system_.referenceMasterfile();
    if (!masterfile.reload()) {
        return fail(masterfile.lastError());
    }
    const QDate weekEnd = lastWeekEnd(system_.today());
    const QDate closed = QDate::fromString(masterfile.value(master, lastWeekEndKey), dateFormat);
    if (closed.isValid() && closed >= weekEnd) {
        system_.StatusText(QStringLiteral("Week-End Processing is up to date"));
        return recalculatePendingHistory();
    }
    if (interactive &&
        system_.AskMessage(QStringLiteral("OK to run Week-End Processing for the week ending ") +
                               weekEnd.toString(dateFormat) + QStringLiteral("?"),
                           MB_YESNO | MB_ICONQUESTION, QString()) != IDYES) {
        return false;
    }
    system_.StatusText(QStringLiteral("Week-End Processing"));
    ProductionLineFile& lines = system_.referenceRecordedWork().store().lines();
    // Lines per week-ending Sunday, for the weeks after the last one closed.
    QMap<QDate, int> weeks;
    const bool read = lines.read(1, [&](qint64, const ProductionLineRecord& line) {
        const QDate ending = line.Date.addDays(7 - line.Date.dayOfWeek());
        if (ending <= weekEnd && (!closed.isValid() || ending > closed)) {
            ++weeks[ending];
        }
        return true;
    });
    if (!read) {
        return fail(lines.lastError());
    }
    system_.StatusPercent(50);
    for (auto week = weeks.cbegin(); week != weeks.cend(); ++week) {
        if (!masterfile.setValue(QStringLiteral("WeekEnds"), week.key().toString(dateFormat),
                                 QString::number(week.value()))) {
            return fail(masterfile.lastError());
        }
    }
    if (!masterfile.setValue(master, lastWeekEndKey, weekEnd.toString(dateFormat))) {
        return fail(masterfile.lastError());
    }
    system_.StatusDone();
    return recalculatePendingHistory();
}

bool WeekEndProcessing::recalculatePendingHistory() {
    IniSettings settings(system_.settingsLocation());
    settings.selectSection(QStringLiteral("History"));
    const QString pending = QStringLiteral("RecalculatePending");
    if (!IniSettings::isTrue(settings.readValue(pending, QString()))) {
        return true;
    }
    if (!system_.recordedWork().recalculate()) {
        return fail(QStringLiteral("The history could not be recalculated"));
    }
    if (!settings.writeBoolean(pending, false)) {
        return fail(settings.lastError());
    }
    system_.StatusDone();
    return true;
}

bool WeekEndProcessing::followUpWanted() const {
    IniSettings settings(system_.settingsLocation());
    settings.selectSection(QStringLiteral("WeekEnd"));
    return IniSettings::isTrue(settings.readValue(QStringLiteral("FollowUp"), QString()));
}

bool WeekEndProcessing::followUp(int mode, const QDate& date) {
    if (mode != inactiveAssociatesMode) {
        return fail(QStringLiteral("Follow-up mode ") + QString::number(mode) +
                    QStringLiteral(" is not known"));
    }
    auto& associates = system_.associates();
    ProductionLineFile& lines = system_.referenceRecordedWork().store().lines();
    QSet<int> recent;
    const bool read = lines.read(1, [&](qint64, const ProductionLineRecord& line) {
        if (line.Date >= date) {
            recent.insert(line.Associate);
        }
        return true;
    });
    if (!read) {
        return fail(lines.lastError());
    }
    if (!associates.open()) {
        return fail(associates.lastError());
    }
    QByteArray text;
    for (int number = 1; number <= associates.recordCount(); ++number) {
        const AssociateRecord associate = associates.record(number);
        if (associates.isActive(number) && !recent.contains(number)) {
            text += (associate.Code + u'\t' + associate.LastName + QStringLiteral(", ") +
                     associate.FirstName + u'\n')
                        .toUtf8();
        }
    }
    associates.close();
    QSaveFile file(AddSlash(system_.program().dataFolder()) + QStringLiteral("followup") +
                   QString::number(system_.program().systemNumber()) + QStringLiteral(".txt"));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0 || !file.commit()) {
        return fail(QStringLiteral("Cannot write ") + file.fileName() + QStringLiteral(": ") +
                    file.errorString());
    }
    return true;
}

}  // namespace vel
