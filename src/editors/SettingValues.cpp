#include "editors/SettingValues.h"

#include "data/SettingsObject.h"
#include "services/YesNo.h"

namespace vel {

namespace {

QString trueFalse(bool flag) {
    return flag ? QStringLiteral("True") : QStringLiteral("False");
}

QString keyName(int index) {
    return QStringLiteral("KeyF") + QString::number(SettingValues::firstKey + index);
}

const QStringList& holidayNames() {
    static const QStringList names{QStringLiteral("U.S.A."), QStringLiteral("Religious"),
                                   QStringLiteral("None"), QStringLiteral("All")};
    return names;
}

int readNumber(SettingsObject& settings, const QString& key, int fallback, int low, int high) {
    bool isNumber = false;
    const int number =
        settings.readValue(key, QString::number(fallback)).trimmed().toInt(&isNumber);
    return isNumber && number >= low && number <= high ? number : fallback;
}

bool readFlag(SettingsObject& settings, const QString& key) {
    return SettingsObject::isTrue(settings.readValue(key, QStringLiteral("False")));
}

}  // namespace

const std::vector<SettingTypes>& settingPages() {
    static const std::vector<SettingTypes> pages{
        stgTrackCost, stgHistoryWeeks, stgChime, stgLogoFile,      stgQuality,      stgHolidays,
        stgSoftKeys,  stgDiscipline,   stgXYZ,   stgMaxWorkCenter, stgMaxAllocation};
    return pages;
}

QString settingListText(SettingTypes type) {
    switch (type) {
        case stgTrackCost:
            return QStringLiteral("Track Cost");
        case stgHistoryWeeks:
            return QStringLiteral("History");
        case stgChime:
            return QStringLiteral("Chime");
        case stgLogoFile:
            return QStringLiteral("Logo File");
        case stgQuality:
            return QStringLiteral("Quality");
        case stgHolidays:
            return QStringLiteral("Holidays");
        case stgSoftKeys:
            return QStringLiteral("Short Cut Keys");
        case stgDiscipline:
            return QStringLiteral("Performance Policy");
        case stgXYZ:
            return QStringLiteral("XYZ Data Collection Interface Module");
        case stgMaxWorkCenter:
            return QStringLiteral("Maximum Number of Work Centers");
        case stgMaxAllocation:
            return QStringLiteral("Maximum Number of Allocations");
        default:
            return {};
    }
}

QString settingLogName(SettingTypes type) {
    switch (type) {
        case stgTrackCost:
            return QStringLiteral("Track Cost");
        case stgHistoryWeeks:
            return QStringLiteral("History Weeks");
        case stgChime:
            return QStringLiteral("Chime");
        case stgLogoFile:
            return QStringLiteral("Logo");
        case stgQuality:
            return QStringLiteral("Quality");
        case stgHolidays:
            return QStringLiteral("ShowHolidays");
        case stgSoftKeys:
            return QStringLiteral("KeyF");
        case stgDiscipline:
            return QStringLiteral("Discipline");
        case stgXYZ:
            return QStringLiteral("XYZ Settings");
        case stgMaxWorkCenter:
            return QStringLiteral("MaxWorkCenters");
        case stgMaxAllocation:
            return QStringLiteral("MaxAllocations");
        default:
            return {};
    }
}

QString settingValueText(SettingTypes type, const SettingValues& values) {
    switch (type) {
        case stgTrackCost:
            return yesNo(values.trackCost);
        case stgHistoryWeeks:
            return QStringLiteral("%1 / %2 weeks")
                .arg(values.shortTermWeeks)
                .arg(values.longTermWeeks);
        case stgChime:
            return values.chime;
        case stgLogoFile:
            return values.logo;
        case stgQuality:
            return yesNo(values.quality);
        case stgHolidays:
            return holidayNames().value(values.holidays);
        case stgSoftKeys: {
            QStringList keys;
            for (int index = 0; index < SettingValues::keyCount; ++index) {
                if (!values.keys[size_t(index)].isEmpty()) {
                    keys << QStringLiteral("F%1=%2")
                                .arg(SettingValues::firstKey + index)
                                .arg(values.keys[size_t(index)]);
                }
            }
            return keys.join(QStringLiteral(", "));
        }
        case stgDiscipline:
            return yesNo(values.performancePolicy);
        case stgXYZ:
            return yesNo(values.xyz);
        case stgMaxWorkCenter:
            return QString::number(values.maxWorkCenters);
        case stgMaxAllocation:
            return QString::number(values.maxAllocations);
        default:
            return {};
    }
}

SettingValues readSettingValues(SettingsObject& settings) {
    SettingValues values;
    settings.selectSection(QStringLiteral("Features"));
    values.trackCost = readFlag(settings, QStringLiteral("CostTracking"));
    values.quality = readFlag(settings, QStringLiteral("Quality"));
    values.qualityCost = readFlag(settings, QStringLiteral("QualityCost"));
    values.qualityHours = readFlag(settings, QStringLiteral("QualityHours"));
    values.performancePolicy = readFlag(settings, QStringLiteral("PerformancePolicy"));
    values.xyz = readFlag(settings, QStringLiteral("XYZ"));
    settings.selectSection(QStringLiteral("History"));
    values.shortTermWeeks = readNumber(settings, QStringLiteral("ShortTermWeeks"), 4, 1, 52);
    values.longTermWeeks = readNumber(settings, QStringLiteral("LongTermWeeks"), 13, 1, 260);
    values.standardWeeks = readNumber(settings, QStringLiteral("StandardWeeks"), 13, 1, 260);
    values.minimumHours = readNumber(settings, QStringLiteral("MinimumHours"), 40, 0, 9999);
    values.failuresFrom = readNumber(settings, QStringLiteral("FailuresFrom"), 0, 0, 1);
    settings.selectSection(QStringLiteral("Sounds"));
    values.chime = settings.readValue(QStringLiteral("Chime"), QStringLiteral("chime.wav"));
    settings.selectSection(QStringLiteral("Files"));
    values.logo = settings.readValue(QStringLiteral("Logo"), QStringLiteral("logo.bmp"));
    settings.selectSection(QStringLiteral("Dates"));
    values.holidays = readNumber(settings, QStringLiteral("ShowHolidays"), 0, 0, 3);
    settings.selectSection(QStringLiteral("Keys"));
    for (int index = 0; index < SettingValues::keyCount; ++index) {
        values.keys[size_t(index)] = settings.readValue(keyName(index), QString());
    }
    settings.selectSection(QStringLiteral("XYZ"));
    values.xyzScriptFeatures = readFlag(settings, QStringLiteral("ScriptUsesXYZ"));
    values.xyzStartTimes = readFlag(settings, QStringLiteral("ScriptUsesStartTimes"));
    settings.selectSection(QStringLiteral("System"));
    values.maxWorkCenters = readNumber(settings, QStringLiteral("MaxWorkCenters"), 99, 1, 99);
    values.maxAllocations =
        readNumber(settings, QStringLiteral("MaxAllocations"), 999, 1, 9999) == 9999 ? 9999 : 999;
    return values;
}

std::vector<StoredSetting> storedSettings(SettingTypes type, const SettingValues& values) {
    const QString features = QStringLiteral("Features");
    switch (type) {
        case stgTrackCost:
            return {{features, QStringLiteral("CostTracking"), trueFalse(values.trackCost)}};
        case stgHistoryWeeks: {
            const QString history = QStringLiteral("History");
            return {
                {history, QStringLiteral("ShortTermWeeks"), QString::number(values.shortTermWeeks)},
                {history, QStringLiteral("LongTermWeeks"), QString::number(values.longTermWeeks)},
                {history, QStringLiteral("StandardWeeks"), QString::number(values.standardWeeks)},
                {history, QStringLiteral("MinimumHours"), QString::number(values.minimumHours)},
                {history, QStringLiteral("FailuresFrom"), QString::number(values.failuresFrom)}};
        }
        case stgChime:
            return {{QStringLiteral("Sounds"), QStringLiteral("Chime"), values.chime}};
        case stgLogoFile:
            return {{QStringLiteral("Files"), QStringLiteral("Logo"), values.logo}};
        case stgQuality:
            return {{features, QStringLiteral("Quality"), trueFalse(values.quality)},
                    {features, QStringLiteral("QualityCost"), trueFalse(values.qualityCost)},
                    {features, QStringLiteral("QualityHours"), trueFalse(values.qualityHours)}};
        case stgHolidays:
            return {{QStringLiteral("Dates"), QStringLiteral("ShowHolidays"),
                     QString::number(values.holidays)}};
        case stgSoftKeys: {
            std::vector<StoredSetting> keys;
            for (int index = 0; index < SettingValues::keyCount; ++index) {
                keys.push_back(
                    {QStringLiteral("Keys"), keyName(index), values.keys[size_t(index)]});
            }
            return keys;
        }
        case stgDiscipline:
            return {{features, QStringLiteral("PerformancePolicy"),
                     trueFalse(values.performancePolicy)}};
        case stgXYZ:
            return {{features, QStringLiteral("XYZ"), trueFalse(values.xyz)},
                    {QStringLiteral("XYZ"), QStringLiteral("ScriptUsesXYZ"),
                     trueFalse(values.xyzScriptFeatures)},
                    {QStringLiteral("XYZ"), QStringLiteral("ScriptUsesStartTimes"),
                     trueFalse(values.xyzStartTimes)}};
        case stgMaxWorkCenter:
            return {{QStringLiteral("System"), QStringLiteral("MaxWorkCenters"),
                     QString::number(values.maxWorkCenters)}};
        case stgMaxAllocation:
            return {{QStringLiteral("System"), QStringLiteral("MaxAllocations"),
                     QString::number(values.maxAllocations)}};
        default:
            return {};
    }
}

bool writeSetting(SettingsObject& settings, SettingTypes type, const SettingValues& before,
                  const SettingValues& after) {
    const std::vector<StoredSetting> old = storedSettings(type, before);
    const std::vector<StoredSetting> wanted = storedSettings(type, after);
    for (size_t index = 0; index < wanted.size(); ++index) {
        settings.selectSection(wanted[index].section);
        if (settings.writeText(wanted[index].key, wanted[index].text)) {
            continue;
        }
        for (size_t written = 0; written < index; ++written) {
            settings.selectSection(old[written].section);
            settings.writeText(old[written].key, old[written].text);
        }
        return false;
    }
    return true;
}

}  // namespace vel
