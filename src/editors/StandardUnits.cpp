#include "editors/StandardUnits.h"

#include "services/NumberFormat.h"

namespace vel {

namespace {
constexpr double NotSet = -1.0;
}

double displayedStandard(double stored, StandardDisplay display) {
    if (display == StandardDisplay::UnitsPerHour || stored == NotSet) {
        return stored;
    }
    return stored > 0 ? 60.0 / stored : 0.0;
}

float storedStandard(double entered, StandardDisplay display) {
    if (display == StandardDisplay::UnitsPerHour || entered == NotSet) {
        return float(entered);
    }
    return entered > 0 ? float(60.0 / entered) : 0.0F;
}

QString standardText(double stored, StandardDisplay display) {
    return FormatNumber(displayedStandard(stored, display), display == StandardDisplay::UnitsPerHour
                                                                ? QStringLiteral("#,##0.000")
                                                                : QStringLiteral("#,##0.00000"));
}

QString unitCaption(StandardDisplay display) {
    return display == StandardDisplay::UnitsPerHour ? QStringLiteral("(units/hr)")
                                                    : QStringLiteral("(min/unit)");
}

bool parseStandard(const QString& text, double& value) {
    QString plain = text.trimmed();
    plain.remove(QLatin1Char(','));
    bool ok = false;
    value = plain.toDouble(&ok);
    return ok;
}

}  // namespace vel
