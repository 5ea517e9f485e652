#include "services/NumberFormat.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace vel {

QString FormatNumber(double value, const QString& mask) {
    const qsizetype point = mask.indexOf(QLatin1Char('.'));
    const QString integerPart = point < 0 ? mask : mask.left(point);
    const QString decimalPart = point < 0 ? QString() : mask.mid(point + 1);
    const int fixedDecimals = int(decimalPart.count(QLatin1Char('0')));
    const int allDecimals = fixedDecimals + int(decimalPart.count(QLatin1Char('#')));

    QString text = QString::number(std::abs(value), 'f', allDecimals);
    if (allDecimals > fixedDecimals) {
        // Drops the optional decimals that are zero, keeping the fixed ones.
        qsizetype end = text.size();
        const qsizetype lastFixed = text.indexOf(QLatin1Char('.')) + fixedDecimals;
        while (end - 1 > lastFixed && text[end - 1] == QLatin1Char('0')) {
            --end;
        }
        if (fixedDecimals == 0 && end - 1 == lastFixed) {
            --end;  // no decimals left: no point either
        }
        text.truncate(end);
    }
    if (integerPart.contains(QLatin1Char(','))) {
        const qsizetype dot = text.indexOf(QLatin1Char('.'));
        qsizetype position = (dot < 0 ? text.size() : dot) - 3;
        for (; position > 0; position -= 3) {
            text.insert(position, QLatin1Char(','));
        }
    }
    const bool negative = value < 0 && text.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return negative ? QStringLiteral("-") + text : text;
}

QString longDateText(const QDate& date) {
    return QLocale(QLocale::English).toString(date, QStringLiteral("dddd, MMMM d, yyyy"));
}

}  // namespace vel
