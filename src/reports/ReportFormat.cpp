#include "reports/ReportFormat.h"

#include "services/NumberFormat.h"

#include <algorithm>

namespace vel {

double safeDivide(double numerator, double divisor) {
    return divisor == 0.0 ? 0.0 : numerator / divisor;
}

double performanceRatio(double numerator, double divisor) {
    return std::min(safeDivide(numerator, divisor), RatioCap);
}

QString percentText(double ratio, int decimals) {
    const QString mask =
        decimals > 0 ? QStringLiteral("###0.") + QString(decimals, u'0') : QStringLiteral("##0");
    return FormatNumber(ratio * 100.0, mask) + QLatin1Char('%');
}

QString amountText(double value) {
    return FormatNumber(value, QStringLiteral("#,##0.00"));
}

QString countText(double value) {
    return FormatNumber(value, QStringLiteral("#,##0"));
}

QString historyText(int weeks) {
    return QStringLiteral("Last %1 Weeks").arg(weeks);
}

QString throughText(const QDate& ending) {
    return QStringLiteral("Through ") + longDateText(ending);
}

}  // namespace vel
