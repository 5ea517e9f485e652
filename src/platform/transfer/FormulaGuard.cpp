#include "platform/transfer/FormulaGuard.h"

namespace vel {

namespace {

bool isFormulaStart(QChar character) {
    return character == u'=' || character == u'+' || character == u'-' || character == u'@';
}

}  // namespace

bool FormulaGuard::needsGuard(QStringView text) {
    if (text.isEmpty()) {
        return false;
    }
    const QChar first = text.front();
    // A text that already looks guarded is guarded once more, so that it reads back unchanged.
    const bool looksGuarded = first == u'\'' && text.size() >= 2 && isFormulaStart(text[1]);
    return isFormulaStart(first) || first == u'\t' || first == u'\r' || looksGuarded;
}

QString FormulaGuard::protect(const QString& text) {
    return needsGuard(text) ? QLatin1Char('\'') + text : text;
}

QString FormulaGuard::unprotect(const QString& text) {
    const QStringView rest = QStringView(text).mid(1);
    if (text.size() >= 2 && text.front() == u'\'' && !rest.front().isSpace() && needsGuard(rest)) {
        return text.mid(1);
    }
    return text;
}

}  // namespace vel
