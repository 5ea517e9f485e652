#pragma once
// The ratios and display formats the associate reports share: safe division, performance
// capped at 999 (99,900 %), percentages "##0%" / "###0.00%", hours and money "#,##0.00",
// dates "Long Date", and the group headings of reports grouped by work center or grouping.
#include <QDate>
#include <QString>

namespace vel {

// numerator / divisor, 0 when the divisor is 0.
double SafeDivide(double numerator, double divisor);
// A performance-type ratio (earned / measured hours): 0 without a divisor, at most 999.
double PerformanceRatio(double numerator, double divisor);
constexpr double MaximumPerformanceRatio = 999.0;

// A ratio as a percentage: "##0%" without decimals, "###0." + n zeros + "%" with n decimals.
QString PercentText(double ratio, int decimals = 0);
// Hours and money: "#,##0.00".
QString HoursText(double value);
// "Sunday, March 17, 2024", in English whatever the machine's language.
QString LongDate(const QDate& date);
// "Yes" or "No".
inline QString YesNo(bool value) {
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

// How the lines of an associate report are grouped (the optGroup index).
enum class ReportGrouping { None = 0, HomeWorkCenter = 1, PrimaryGrouping = 2 };

// The heading of one group: "Primary Grouping: " + the trimmed name or "No Primary Grouping",
// "Home Work Center: " + the trimmed name or "No Home Work Center", "All Associates" without
// grouping. An empty name means the associates without one.
QString GroupHeading(ReportGrouping grouping, const QString& name);

}  // namespace vel
