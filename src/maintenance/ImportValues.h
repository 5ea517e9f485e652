#pragma once
// How the text of an import file's fields becomes stored values. Each parse answers nothing
// (std::nullopt) for a text that is not a value of its kind, so the caller can skip the line
// and say why instead of storing a wrong value.
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace vel {

// Yes: "Y", "YES", "T", "TRUE", "1", "-1"; no: "N", "NO", "F", "FALSE", "0" (any case).
std::optional<bool> parseYesNo(const QString& text);
// "2024/03/13", "2024-03-13", "20240313", "3/13/2024" and "03/13/2024".
std::optional<QDate> parseImportDate(const QString& text);
// A decimal number with "." as the decimal point; a "$" or thousands commas are allowed.
std::optional<double> parseImportNumber(const QString& text);
std::optional<int> parseImportWholeNumber(const QString& text);

// A name written wholly in capitals in proper case ("SMITH JR" -> "Smith Jr"); a name holding
// any lower-case letter is kept as written ("McDonald").
QString properCaseName(const QString& name);

// Whether a badge passes a filter: equal to it, or, when the filter holds "*", starting with
// the characters before the "*".
bool badgePassesFilter(const QString& badge, const QString& filter);

// A list of codes in a setting: separated by commas, plus signs or blanks, each optionally in
// double quotes; upper-cased, empty entries dropped.
QStringList parseCodeList(const QString& text);

// Why a code read from a file cannot be stored ("no code", "the code X is longer than 10
// characters", "the code X holds a control character"), or empty when it can.
QString codeProblem(const QString& code, int width);

// A switch in the settings store: "1", "-1", "True" or "Yes" (any case) is on.
bool settingIsOn(const QString& text);

}  // namespace vel
