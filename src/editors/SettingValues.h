#pragma once
// The values the settings editor edits, where each is kept in the system's settings, and the
// words of each setting (its line in the settings list, its change-log name).
//
// Sections and keys (defaults in brackets):
//   Track Cost      Features/CostTracking (False)
//   History         History/ShortTermWeeks (4), LongTermWeeks (13), StandardWeeks (13),
//                   MinimumHours (40), FailuresFrom (0 short term, 1 long term)
//   Chime           Sounds/Chime ("chime.wav")
//   Logo File       Files/Logo ("logo.bmp")
//   Quality         Features/Quality, Features/QualityCost, Features/QualityHours (False)
//   Holidays        Dates/ShowHolidays (0 U.S.A., 1 Religious, 2 None, 3 All; 0)
//   Short Cut Keys  Keys/KeyF2 .. Keys/KeyF6 (empty)
//   Perf. Policy    Features/PerformancePolicy (False)
//   XYZ             Features/XYZ, XYZ/ScriptUsesXYZ, XYZ/ScriptUsesStartTimes (False)
//   Work centers    System/MaxWorkCenters (99)
//   Allocations     System/MaxAllocations (999 or 9999; 999)
#include "data/Enumerations.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace vel {

class SettingsObject;

struct SettingValues {
    static constexpr int firstKey = 2;  // the function keys F2 to F6
    static constexpr int keyCount = 5;

    bool trackCost = false;
    int shortTermWeeks = 4;
    int longTermWeeks = 13;
    int standardWeeks = 13;
    int minimumHours = 40;
    int failuresFrom = 0;  // 0 short term history, 1 long term history
    QString chime = QStringLiteral("chime.wav");
    QString logo = QStringLiteral("logo.bmp");
    bool quality = false;
    bool qualityCost = false;
    bool qualityHours = false;
    int holidays = 0;  // 0 U.S.A., 1 Religious, 2 None, 3 All
    std::array<QString, keyCount> keys;
    bool performancePolicy = false;
    bool xyz = false;
    bool xyzScriptFeatures = false;
    bool xyzStartTimes = false;
    int maxWorkCenters = 99;
    int maxAllocations = 999;

    bool operator==(const SettingValues&) const = default;
};

// One stored value: section, key and its text.
struct StoredSetting {
    QString section;
    QString key;
    QString text;
};

// The settings that have a page, in list order.
const std::vector<SettingTypes>& settingPages();
// "Track Cost", "History", ... as the settings list shows them; empty for a type without page.
QString settingListText(SettingTypes type);
// The name the change log gives a change of the setting: "Track Cost", "History Weeks", ...
QString settingLogName(SettingTypes type);
// The value column of the settings list: "Yes"/"No", the file name, the number, ...
QString settingValueText(SettingTypes type, const SettingValues& values);

// Reads every value (defaults for those never written).
SettingValues readSettingValues(SettingsObject& settings);
// The stored values of one setting.
std::vector<StoredSetting> storedSettings(SettingTypes type, const SettingValues& values);
// Writes the values of one setting. When one write fails the values written before it are put
// back, so the setting is stored whole or not at all; false then.
bool writeSetting(SettingsObject& settings, SettingTypes type, const SettingValues& before,
                  const SettingValues& after);

}  // namespace vel
