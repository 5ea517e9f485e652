#include "maintenance/ImportValues.h"

#include <QRegularExpression>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vel {

std::optional<bool> parseYesNo(const QString& text) {
    const QString value = text.trimmed().toUpper();
    static const QStringList yes{QStringLiteral("Y"), QStringLiteral("YES"),
                                 QStringLiteral("T"), QStringLiteral("TRUE"),
                                 QStringLiteral("1"), QStringLiteral("-1")};
    static const QStringList no{QStringLiteral("N"), QStringLiteral("NO"), QStringLiteral("F"),
                                QStringLiteral("FALSE"), QStringLiteral("0")};
    if (yes.contains(value)) {
        return true;
    }
    if (no.contains(value)) {
        return false;
    }
    return std::nullopt;
}

std::optional<QDate> parseImportDate(const QString& text) {
    const QString value = text.trimmed();
    // The usual form, yyyy/MM/dd, read without the general parser.
    const auto digit = [&](qsizetype at) {
        const char16_t character = value[at].unicode();
        return character >= u'0' && character <= u'9' ? int(character - u'0') : -1;
    };
    if (value.size() == 10 && value[4] == u'/' && value[7] == u'/') {
        int parts[3] = {0, 0, 0};
        const qsizetype starts[3] = {0, 5, 8};
        const qsizetype widths[3] = {4, 2, 2};
        bool digits = true;
        for (int part = 0; part < 3 && digits; ++part) {
            for (qsizetype at = starts[part]; at < starts[part] + widths[part] && digits; ++at) {
                digits = digit(at) >= 0;
                parts[part] = parts[part] * 10 + digit(at);
            }
        }
        const QDate date = digits ? QDate(parts[0], parts[1], parts[2]) : QDate();
        if (date.isValid()) {
            return date;
        }
    }
    for (const char* format :
         {"yyyy/MM/dd", "yyyy-MM-dd", "yyyyMMdd", "M/d/yyyy", "MM/dd/yyyy", "yyyy/M/d"}) {
        const QDate date = QDate::fromString(value, QString::fromLatin1(format));
        if (date.isValid()) {
            return date;
        }
    }
    return std::nullopt;
}

namespace {

// A plain decimal ("15.25", "-3", "0.5"): an optional minus, digits, and at most one point with
// digits on both sides. Read straight from the characters, to the same nearest double the
// general reader gives; anything else (blanks, "$", thousands, exponents) is left to it.
std::optional<double> plainDecimal(QStringView text) {
    constexpr qsizetype longest = 40;
    if (text.isEmpty() || text.size() > longest) {
        return std::nullopt;
    }
    char characters[longest];
    qsizetype digitsBefore = 0;
    qsizetype digitsAfter = 0;
    bool point = false;
    for (qsizetype index = 0; index < text.size(); ++index) {
        const char16_t character = text[index].unicode();
        if (character >= u'0' && character <= u'9') {
            ++(point ? digitsAfter : digitsBefore);
        } else if (character == u'.' && !point && digitsBefore > 0) {
            point = true;
        } else if (character != u'-' || index != 0) {
            return std::nullopt;
        }
        characters[index] = char(character);
    }
    if (digitsBefore == 0 || (point && digitsAfter == 0)) {
        return std::nullopt;
    }
    double number = 0;
    const auto [end, error] = std::from_chars(characters, characters + text.size(), number);
    if (error != std::errc() || end != characters + text.size()) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

std::optional<double> parseImportNumber(const QString& text) {
    if (const auto plain = plainDecimal(text)) {
        return plain;
    }
    QString value = text.trimmed();
    value.remove(QLatin1Char('$'));
    static const QRegularExpression thousands(QStringLiteral("^-?\\d{1,3}(,\\d{3})+(\\.\\d*)?$"));
    if (value.contains(QLatin1Char(',')) && thousands.match(value).hasMatch()) {
        value.remove(QLatin1Char(','));
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number)) {
        return std::nullopt;
    }
    return number;
}

std::optional<int> parseImportWholeNumber(const QString& text) {
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

QString properCaseName(const QString& name) {
    for (const QChar character : name) {
        if (character.isLower()) {
            return name;
        }
    }
    QString proper = name.toLower();
    bool wordStart = true;
    for (QChar& character : proper) {
        if (character.isLetter()) {
            if (wordStart) {
                character = character.toUpper();
            }
            wordStart = false;
        } else {
            wordStart = character.isSpace() || character == QLatin1Char('-') ||
                        character == QLatin1Char('\'');
        }
    }
    return proper;
}

bool badgePassesFilter(const QString& badge, const QString& filter) {
    const qsizetype star = filter.indexOf(QLatin1Char('*'));
    if (star < 0) {
        return badge == filter;
    }
    const QString prefix = filter.left(star);
    return badge.left(prefix.size()) == prefix;
}

QStringList parseCodeList(const QString& text) {
    QStringList codes;
    static const QRegularExpression separators(QStringLiteral("[,+\\s]+"));
    for (QString code : text.split(separators, Qt::SkipEmptyParts)) {
        code.remove(QLatin1Char('"'));
        code = code.trimmed().toUpper();
        if (!code.isEmpty()) {
            codes << code;
        }
    }
    return codes;
}

bool settingIsOn(const QString& text) {
    const QString value = text.trimmed().toUpper();
    return value == QStringLiteral("1") || value == QStringLiteral("-1") ||
           value == QStringLiteral("TRUE") || value == QStringLiteral("YES");
}

QString codeProblem(const QString& code, int width) {
    if (code.isEmpty()) {
        return QStringLiteral("no code");
    }
    if (std::ranges::any_of(code, [](QChar c) { return c.category() == QChar::Other_Control; })) {
        QString shown = code;
        for (QChar& c : shown) {
            c = c.category() == QChar::Other_Control ? QChar(u'?') : c;
        }
        return QStringLiteral("the code ") + shown + QStringLiteral(" holds a control character");
    }
    if (code.size() > width) {
        return QStringLiteral("the code %1 is longer than %2 characters").arg(code).arg(width);
    }
    return {};
}

}  // namespace vel
