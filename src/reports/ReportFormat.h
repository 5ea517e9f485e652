#pragma once
// The figures of the associate reports as they print: ratios through the safe division (0 when
// the divisor is 0), performance-type ratios capped at 999 (99,900 %), percentages ("##0%",
// "###0.00%"), hours and money ("#,##0.00"), counts ("#,##0"), and the history and date texts
// of the report headings.
#include <QDate>
#include <QString>

namespace vel {

// The largest performance-type ratio a report shows: 999 prints as 99900%.
constexpr double RatioCap = 999.0;

// numerator / divisor, or 0 when the divisor is 0.
double safeDivide(double numerator, double divisor);
// A performance-type ratio (earned / measured hours, % measured hours, effectiveness): the
// safe division, capped at RatioCap.
double performanceRatio(double numerator, double divisor);

// A ratio as a percentage: "##0%" without decimals, "###0." and that many zeros and "%" with
// them (no thousands separator: 999 prints as "99900%").
QString percentText(double ratio, int decimals = 0);
// Hours and money: "#,##0.00".
QString amountText(double value);
// Counts: "#,##0".
QString countText(double value);

// "Last 13 Weeks": the text of a history of that many weeks.
QString historyText(int weeks);
// The date line of a report heading: "Through " and the ending date in long date format.
QString throughText(const QDate& ending);

}  // namespace vel
