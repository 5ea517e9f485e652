#include "ui/qt/FileFilter.h"

namespace vel {

namespace {
// "*.txt;*.csv" -> "*.txt *.csv"; "*.*" -> "*".
QString qtPatterns(const QString& patterns) {
    QStringList parts;
    for (QString part : patterns.split(u';', Qt::SkipEmptyParts)) {
        part = part.trimmed();
        if (part == QStringLiteral("*.*")) {
            part = QStringLiteral("*");
        }
        if (!part.isEmpty() && !parts.contains(part)) {
            parts << part;
        }
    }
    return parts.isEmpty() ? QStringLiteral("*") : parts.join(u' ');
}

// Qt reads the last parenthesised part of a description as its patterns, so a description
// that shows patterns of its own loses them and gets the real ones.
QString withoutShownPatterns(QString description) {
    description = description.trimmed();
    if (description.endsWith(u')')) {
        const qsizetype open = description.lastIndexOf(u'(');
        if (open >= 0) {
            description = description.left(open).trimmed();
        }
    }
    return description;
}
}  // namespace

QStringList qtNameFilters(const QString& pairedFilter) {
    const QStringList parts = pairedFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = qtPatterns(parts[i + 1]);
        QString description = withoutShownPatterns(parts[i]);
        if (description.isEmpty()) {
            description = patterns;
        }
        filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    if (filters.isEmpty() && !pairedFilter.trimmed().isEmpty()) {
        filters << QStringLiteral("%1 (%1)").arg(qtPatterns(pairedFilter));
    }
    return filters;
}

}  // namespace vel
