#include "reports/ReportFormats.h"

#include "services/NumberFormat.h"

#include <QLocale>

#include <cmath>

namespace vel {

double SafeDivide(double numerator, double divisor) {
    return divisor == 0.0 ? 0.0 : numerator / divisor;
}

double PerformanceRatio(double numerator, double divisor) {
    return std::min(SafeDivide(numerator, divisor), MaximumPerformanceRatio);
}

QString PercentText(double ratio, int decimals) {
    const QString mask =
        decimals > 0 ? QStringLiteral("###0.") + QString(decimals, u'0') : QStringLiteral("##0");
    return FormatNumber(ratio * 100.0, mask) + u'%';
}

QString HoursText(double value) {
    return FormatNumber(value, QStringLiteral("#,##0.00"));
}

QString LongDate(const QDate& date) {
    return QLocale(QLocale::English).toString(date, QStringLiteral("dddd, MMMM d, yyyy"));
}

QString GroupHeading(ReportGrouping grouping, const QString& name) {
    const QString trimmed = name.trimmed();
    switch (grouping) {
        case ReportGrouping::PrimaryGrouping:
            return trimmed.isEmpty() ? QStringLiteral("No Primary Grouping")
                                     : QStringLiteral("Primary Grouping: ") + trimmed;
        case ReportGrouping::HomeWorkCenter:
            return trimmed.isEmpty() ? QStringLiteral("No Home Work Center")
                                     : QStringLiteral("Home Work Center: ") + trimmed;
        case ReportGrouping::None:
            break;
    }
    return QStringLiteral("All Associates");
}

}  // namespace vel
