#pragma once
// The options of the accountability report, kept in the system's settings under "AssocAccount":
// read when the options window is prepared, written back each time a report is run.
#include <QString>

namespace vel {

class SettingsObject;

struct AccountabilitySettings {
    static constexpr QLatin1StringView section{"AssocAccount"};

    double currentWeekHours = 8;           // "CurrentWkHours": minimum measured hours in the week
    double rampUpHours = 40;               // "RampUpHours": hours to count as ramped up
    int rampUpWeeks = 52;                  // "RampUpWeeks": length of the ramp-up period
    int rampUpClearWeeks = 6;              // "RampUpClearWeeks": last weeks that do not count
    bool ppaOnlyInWeek = true;             // "OnlyIncludePPAinWeek"
    double currentMonthHours = 8;          // "CurrentMonthHours"
    bool ppaOnlyInMonth = true;            // "OnlyIncludePPAinMonth"
    double currentQuarterHours = 100;      // "CurrentQuarterHours"
    bool ppaOnlyInQuarter = true;          // "OnlyIncludePPAinQuarter"
    QString fileName;                      // "Filename": the export file
    QString type = QStringLiteral("CSV");  // "Type": the export's output type
    QString systemId;                      // "SystemID": written into every exported row

    // The settings as stored, each missing or unreadable value at its default; the export file
    // defaults to "WeeklyAccountable.csv" in the system folder.
    static AccountabilitySettings read(SettingsObject& settings, const QString& systemFolder);
    // Stores every value; false when one could not be written.
    bool write(SettingsObject& settings) const;

    // The options of one report length (2 week, 3 month, 4 quarter).
    double minimumHours(int length) const;
    bool ppaOnly(int length) const;

    bool operator==(const AccountabilitySettings&) const = default;
};

}  // namespace vel
