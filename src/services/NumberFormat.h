#pragma once
// Numbers shown through the display masks of the system: "#,##0.000" (thousands grouped, three
// decimals), "#,##0.00000", "#######0.00#####" (at least two decimals, up to seven, trailing zeros
// beyond the second dropped). A mask is read as: a "," anywhere before the point groups the
// thousands; each "0" after the point is a decimal always shown, each "#" after it one shown
// only when not zero.
#include <QDate>
#include <QString>

namespace vel {

QString FormatNumber(double value, const QString& mask);
// A date in the "Long Date" format, in English whatever the desktop's language:
// "Friday, December 4, 2026".
QString longDateText(const QDate& date);

}  // namespace vel
