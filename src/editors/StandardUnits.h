#pragma once
// Standards are stored in units per hour and shown either so or as minutes per unit. Every
// display and every entry of a standard goes through these conversions; -1 (not set) passes both
// ways unchanged, and a value of 0 or below never divides.
#include <QString>

namespace vel {

enum class StandardDisplay { MinutesPerUnit = 0, UnitsPerHour = 1 };

// The stored value (units per hour) in the display unit.
double displayedStandard(double stored, StandardDisplay display);
// An entry in the display unit as the stored value (units per hour).
float storedStandard(double entered, StandardDisplay display);
// The stored value as shown: "#,##0.000" in units per hour, "#,##0.00000" in minutes per unit.
QString standardText(double stored, StandardDisplay display);
// "(min/unit)" or "(units/hr)".
QString unitCaption(StandardDisplay display);
// Reads a typed standard ("1,234.5" or "30"); false when the text is not a number.
bool parseStandard(const QString& text, double& value);

}  // namespace vel
