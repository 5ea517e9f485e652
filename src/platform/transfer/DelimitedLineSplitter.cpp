#include "platform/transfer/DelimitedLineSplitter.h"

#include "platform/transfer/FormulaGuard.h"

namespace vel {

char DelimitedLineSplitter::chooseSeparator(const char* line, qsizetype size) {
    bool quoted = false;
    bool comma = false;
    for (qsizetype index = 0; index < size; ++index) {
        const char character = line[index];
        if (character == '"') {
            quoted = !quoted;
        } else if (!quoted && character == '\t') {
            return '\t';
        } else if (!quoted && character == ',') {
            comma = true;
        }
    }
    return comma ? ',' : ' ';
}

QStringList DelimitedLineSplitter::split(QStringView line, QChar separator) {
    const bool collapse = separator == u' ';
    QStringList fields;
    QString field;
    bool quoted = false;     // inside quotes now
    bool sawQuote = false;   // the field had quotes, so it counts even when empty
    bool sawContent = false; // anything but blanks on the line before its comment

    auto finishField = [&] {
        if (!collapse || !field.trimmed().isEmpty() || sawQuote) {
            fields.append(FormulaGuard::unprotect(field.trimmed()));
        }
        field.clear();
        sawQuote = false;
    };

    for (qsizetype index = 0; index < line.size(); ++index) {
        const QChar character = line[index];
        if (quoted) {
            if (character == u'"') {
                if (index + 1 < line.size() && line[index + 1] == u'"') {
                    field.append(u'"');
                    ++index;
                } else {
                    quoted = false;
                }
            } else {
                field.append(character);
            }
            continue;
        }
        if (character == u'"') {
            quoted = true;
            sawQuote = true;
            sawContent = true;
        } else if (character == u';') {
            break;
        } else if (character == separator) {
            sawContent = true;
            finishField();
        } else {
            if (!character.isSpace()) {
                sawContent = true;
            }
            field.append(character);
        }
    }
    if (!sawContent) {
        return {};
    }
    finishField();
    return fields;
}

}  // namespace vel
