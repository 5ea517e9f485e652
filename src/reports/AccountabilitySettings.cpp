#include "reports/AccountabilitySettings.h"

#include "data/SettingsObject.h"
#include "services/AddSlash.h"

namespace vel {

namespace {

double readNumber(const SettingsObject& settings, const QString& key, double fallback) {
    bool ok = false;
    const double value = settings.readValue(key, QString()).trimmed().toDouble(&ok);
    return ok ? value : fallback;
}

bool readFlag(const SettingsObject& settings, const QString& key, bool fallback) {
    const QString text = settings.readValue(key, QString()).trimmed();
    return text.isEmpty() ? fallback : SettingsObject::isTrue(text);
}

QString readText(const SettingsObject& settings, const QString& key, const QString& fallback) {
    const QString text = settings.readValue(key, QString());
    return text.trimmed().isEmpty() ? fallback : text;
}

}  // namespace

AccountabilitySettings AccountabilitySettings::read(SettingsObject& settings,
                                                    const QString& systemFolder) {
    settings.selectSection(QString(section));
    AccountabilitySettings values;
    values.currentWeekHours =
        readNumber(settings, QStringLiteral("CurrentWkHours"), values.currentWeekHours);
    values.rampUpHours = readNumber(settings, QStringLiteral("RampUpHours"), values.rampUpHours);
    values.rampUpWeeks =
        int(readNumber(settings, QStringLiteral("RampUpWeeks"), values.rampUpWeeks));
    values.rampUpClearWeeks =
        int(readNumber(settings, QStringLiteral("RampUpClearWeeks"), values.rampUpClearWeeks));
    values.ppaOnlyInWeek =
        readFlag(settings, QStringLiteral("OnlyIncludePPAinWeek"), values.ppaOnlyInWeek);
    values.currentMonthHours =
        readNumber(settings, QStringLiteral("CurrentMonthHours"), values.currentMonthHours);
    values.ppaOnlyInMonth =
        readFlag(settings, QStringLiteral("OnlyIncludePPAinMonth"), values.ppaOnlyInMonth);
    values.currentQuarterHours =
        readNumber(settings, QStringLiteral("CurrentQuarterHours"), values.currentQuarterHours);
    values.ppaOnlyInQuarter =
        readFlag(settings, QStringLiteral("OnlyIncludePPAinQuarter"), values.ppaOnlyInQuarter);
    values.fileName = readText(settings, QStringLiteral("Filename"),
                               AddSlash(systemFolder) + QStringLiteral("WeeklyAccountable.csv"));
    values.type = readText(settings, QStringLiteral("Type"), values.type);
    values.systemId = settings.readValue(QStringLiteral("SystemID"), QString());
    return values;
}

bool AccountabilitySettings::write(SettingsObject& settings) const {
    settings.selectSection(QString(section));
    bool written = settings.writeDouble(QStringLiteral("CurrentWkHours"), currentWeekHours);
    written &= settings.writeDouble(QStringLiteral("RampUpHours"), rampUpHours);
    written &= settings.writeInteger(QStringLiteral("RampUpWeeks"), rampUpWeeks);
    written &= settings.writeInteger(QStringLiteral("RampUpClearWeeks"), rampUpClearWeeks);
    written &= settings.writeBoolean(QStringLiteral("OnlyIncludePPAinWeek"), ppaOnlyInWeek);
    written &= settings.writeDouble(QStringLiteral("CurrentMonthHours"), currentMonthHours);
    written &= settings.writeBoolean(QStringLiteral("OnlyIncludePPAinMonth"), ppaOnlyInMonth);
    written &= settings.writeDouble(QStringLiteral("CurrentQuarterHours"), currentQuarterHours);
    written &= settings.writeBoolean(QStringLiteral("OnlyIncludePPAinQuarter"), ppaOnlyInQuarter);
    written &= settings.writeText(QStringLiteral("Filename"), fileName);
    written &= settings.writeText(QStringLiteral("Type"), type);
    written &= settings.writeText(QStringLiteral("SystemID"), systemId);
    return written;
}

double AccountabilitySettings::minimumHours(int length) const {
    switch (length) {
        case 3:
            return currentMonthHours;
        case 4:
            return currentQuarterHours;
        default:
            return currentWeekHours;
    }
}

bool AccountabilitySettings::ppaOnly(int length) const {
    switch (length) {
        case 3:
            return ppaOnlyInMonth;
        case 4:
            return ppaOnlyInQuarter;
        default:
            return ppaOnlyInWeek;
    }
}

}  // namespace vel
