#include "services/SettingDefaults.h"

#include "services/AddSlash.h"

#include <array>

namespace vel {
namespace {

using Kind = SettingDefault::Kind;
using namespace Qt::Literals::StringLiterals;

// Sections and values in groups of one section each; an empty default is still a known value.
constexpr std::array catalogue{
    SettingDefault{"Corporate"_L1, "Folder"_L1, ""_L1},
    SettingDefault{"Corporate"_L1, "LastDate"_L1, ""_L1},
    SettingDefault{"Corporate"_L1, "LastAssocDate"_L1, "0"_L1},
    SettingDefault{"Corporate"_L1, "Control"_L1, ""_L1},

    SettingDefault{"Preferences"_L1, "Time"_L1, "0"_L1},

    SettingDefault{"ImportFiles"_L1, "Standards"_L1, "standards.csv"_L1},
    SettingDefault{"ImportFiles"_L1, "StandardRows"_L1, "0"_L1},
    SettingDefault{"ImportFiles"_L1, "StandardFields"_L1, "0"_L1},
    SettingDefault{"ImportFiles"_L1, "Associate"_L1, "assoc.csv"_L1},
    SettingDefault{"ImportFiles"_L1, "AssocRows"_L1, "0"_L1},
    SettingDefault{"ImportFiles"_L1, "AssocFields"_L1, "0"_L1},
    SettingDefault{"ImportFiles"_L1, "Allocation"_L1, "alloc.txt"_L1},
    SettingDefault{"ImportFiles"_L1, "AllocRows"_L1, "0"_L1},
    SettingDefault{"ImportFiles"_L1, "AllocFields"_L1, "0"_L1},
    SettingDefault{"ImportFiles"_L1, "AllocDeleteNonImported"_L1, "0"_L1},
    SettingDefault{"ImportFiles"_L1, "AssocMustMatchWorkCenter"_L1, ""_L1},
    SettingDefault{"ImportFiles"_L1, "AssocMergeCode"_L1, ""_L1},
    SettingDefault{"ImportFiles"_L1, "AssocDeleteKeepWC"_L1, ""_L1},
    SettingDefault{"ImportFiles"_L1, "AssocDeleteNonImported"_L1, "0"_L1},
    SettingDefault{"ImportFiles"_L1, "TableWaitSeconds"_L1, "30"_L1},
    SettingDefault{"ImportFiles"_L1, "1AssocBadgeFilter"_L1, ""_L1},
    SettingDefault{"ImportFiles"_L1, "2AssocBadgeFilter"_L1, ""_L1},
    SettingDefault{"ImportFiles"_L1, "3AssocBadgeFilter"_L1, ""_L1},
    SettingDefault{"ImportFiles"_L1, "4AssocBadgeFilter"_L1, ""_L1},
    SettingDefault{"ImportFiles"_L1, "5AssocBadgeFilter"_L1, ""_L1},
    SettingDefault{"ImportFiles"_L1, "6AssocBadgeFilter"_L1, ""_L1},
    SettingDefault{"ImportFiles"_L1, "7AssocBadgeFilter"_L1, ""_L1},
    SettingDefault{"ImportFiles"_L1, "8AssocBadgeFilter"_L1, ""_L1},
    SettingDefault{"ImportFiles"_L1, "9AssocBadgeFilter"_L1, ""_L1},
    SettingDefault{"ImportFiles"_L1, "10AssocBadgeFilter"_L1, ""_L1},

    SettingDefault{"CodeFiles"_L1, "Associate"_L1, "assoc.csv"_L1},
    SettingDefault{"CodeFiles"_L1, "AssocRows"_L1, "0"_L1},
    SettingDefault{"CodeFiles"_L1, "AssocFields"_L1, "0"_L1},

    SettingDefault{"ExportDay"_L1, "SystemID"_L1, ""_L1},

    SettingDefault{"AssocLookup"_L1, "Folder"_L1, ""_L1},
    SettingDefault{"AssocLookup"_L1, "BadgeNumber"_L1, "0"_L1},

    SettingDefault{"Badges"_L1, "Badge #"_L1, ""_L1},
    SettingDefault{"Badges"_L1, "1"_L1, "Badge #"_L1},
    SettingDefault{"Badges"_L1, "2"_L1, "Badge #"_L1},
    SettingDefault{"Badges"_L1, "3"_L1, "Badge #"_L1},
    SettingDefault{"Badges"_L1, "4"_L1, "Badge #"_L1},
    SettingDefault{"Badges"_L1, "5"_L1, "Badge #"_L1},
    SettingDefault{"Badges"_L1, "6"_L1, "Badge #"_L1},
    SettingDefault{"Badges"_L1, "7"_L1, "Badge #"_L1},
    SettingDefault{"Badges"_L1, "8"_L1, "Badge #"_L1},
    SettingDefault{"Badges"_L1, "9"_L1, "Badge #"_L1},
    SettingDefault{"Badges"_L1, "10"_L1, "Badge #"_L1},
    SettingDefault{"Badges"_L1, "IgnoreDuplicates"_L1, ""_L1},
    SettingDefault{"Badges"_L1, "AllowSpaceinBadges"_L1, "False"_L1},
    SettingDefault{"Badges"_L1, "NumbertoShow"_L1, "5"_L1},

    SettingDefault{"Sounds"_L1, "Chime"_L1, "chime.wav"_L1},
    SettingDefault{"Files"_L1, "Logo"_L1, "logo.bmp"_L1},
    SettingDefault{"Dates"_L1, "ShowHolidays"_L1, ""_L1},

    SettingDefault{"Keys"_L1, "KeyF2"_L1, ""_L1},
    SettingDefault{"Keys"_L1, "KeyF3"_L1, ""_L1},
    SettingDefault{"Keys"_L1, "KeyF4"_L1, ""_L1},
    SettingDefault{"Keys"_L1, "KeyF5"_L1, ""_L1},
    SettingDefault{"Keys"_L1, "KeyF6"_L1, ""_L1},

    SettingDefault{"AssocAccount"_L1, "CurrentWkHours"_L1, "8"_L1},
    SettingDefault{"AssocAccount"_L1, "RampUpHours"_L1, "40"_L1},
    SettingDefault{"AssocAccount"_L1, "RampUpWeeks"_L1, "52"_L1},
    SettingDefault{"AssocAccount"_L1, "RampUpClearWeeks"_L1, "6"_L1},
    SettingDefault{"AssocAccount"_L1, "OnlyIncludePPAinWeek"_L1, "True"_L1},
    SettingDefault{"AssocAccount"_L1, "CurrentMonthHours"_L1, "8"_L1},
    SettingDefault{"AssocAccount"_L1, "OnlyIncludePPAinMonth"_L1, "True"_L1},
    SettingDefault{"AssocAccount"_L1, "CurrentQuarterHours"_L1, "100"_L1},
    SettingDefault{"AssocAccount"_L1, "OnlyIncludePPAinQuarter"_L1, "True"_L1},
    SettingDefault{"AssocAccount"_L1, "Filename"_L1, "WeeklyAccountable.csv"_L1},
    SettingDefault{"AssocAccount"_L1, "Type"_L1, "CSV"_L1},
    SettingDefault{"AssocAccount"_L1, "SystemID"_L1, ""_L1},

    SettingDefault{"Quality"_L1, "HistTop"_L1, "100"_L1},
    SettingDefault{"Quality"_L1, "HistBase"_L1, "98"_L1},
    SettingDefault{"Quality"_L1, "HistSlots"_L1, "20"_L1},

    SettingDefault{"ExportTables"_L1, "Folder"_L1, ""_L1},
    SettingDefault{"ExportTables"_L1, "Basename"_L1, ""_L1},
    SettingDefault{"ExportTables"_L1, "Type"_L1, "XLSX"_L1},
    SettingDefault{"ExportTables"_L1, "HeadersonText"_L1, ""_L1},

    SettingDefault{"AutoExportTables"_L1, "Folder"_L1, ""_L1},
    SettingDefault{"AutoExportTables"_L1, "ExportType"_L1, "CSV"_L1},
    SettingDefault{"AutoExportTables"_L1, "BaseFilename"_L1, "VelExprt-"_L1},
    SettingDefault{"AutoExportTables"_L1, "Tables"_L1, "FWEALD8ST"_L1},
    SettingDefault{"AutoExportTables"_L1, "UseTempFolder"_L1, ""_L1},
    SettingDefault{"AutoExportTables"_L1, "RunAfterExporting"_L1, ""_L1},

    SettingDefault{"ExportActivityDetail-"_L1, "Filename"_L1, "ActDetail.csv"_L1,
                   Kind::InDataFolder},
    SettingDefault{"ExportActivityDetail-"_L1, "Type"_L1, "CSV"_L1},

    SettingDefault{"Backup"_L1, "LastZip"_L1, "VelBack"_L1, Kind::InDataFolder},
    SettingDefault{"Backup"_L1, "TmpFolder"_L1, ""_L1},
    SettingDefault{"Backup"_L1, "LastDate"_L1, ""_L1},

    SettingDefault{"XYZ"_L1, "TimeElement"_L1, "Travel Minutes"_L1},
    SettingDefault{"XYZ"_L1, "TimeZElement"_L1, ""_L1},
};

// A section name matches exactly, or, for a catalogued prefix ending in "-", as that prefix
// followed by a system number ("ExportActivityDetail-3").
bool sectionMatches(QLatin1StringView catalogued, const QString& section) {
    if (!catalogued.endsWith(u'-')) {
        return section.compare(catalogued, Qt::CaseInsensitive) == 0;
    }
    if (!section.startsWith(catalogued, Qt::CaseInsensitive)) {
        return false;
    }
    bool isNumber = false;
    const int number = QStringView(section).mid(catalogued.size()).toInt(&isNumber);
    return isNumber && number >= 0;
}

const SettingDefault* findEntry(const QString& section, const QString& value) {
    for (const SettingDefault& entry : catalogue) {
        if (sectionMatches(entry.section, section) &&
            value.compare(entry.value, Qt::CaseInsensitive) == 0) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

std::span<const SettingDefault> settingCatalogue() {
    return catalogue;
}

QString settingDefault(const QString& section, const QString& value, const QString& dataFolder) {
    const SettingDefault* entry = findEntry(section, value);
    if (entry == nullptr) {
        return {};
    }
    if (entry->kind == SettingDefault::Kind::InDataFolder) {
        return AddSlash(dataFolder) + entry->defaultText;
    }
    return entry->defaultText;
}

bool isCataloguedSetting(const QString& section, const QString& value) {
    return findEntry(section, value) != nullptr;
}

}  // namespace vel
