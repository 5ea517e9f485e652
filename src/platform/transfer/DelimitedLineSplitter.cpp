#include "platform/transfer/DelimitedLineSplitter.h"

#include "platform/transfer/FormulaGuard.h"

#include <algorithm>

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

// A field that is one run of ordinary characters (nearly every field) is taken straight from the
// line; only a field with quotes is put together in a buffer, which keeps its storage between
// fields.
QStringList DelimitedLineSplitter::split(QStringView line, QChar separator) {
    const bool collapse = separator == u' ';
    const qsizetype size = line.size();
    QStringList fields;
    // At most one field per separator and one more: the list is not grown field by field.
    fields.reserve(qsizetype(std::count(line.begin(), line.end(), separator)) + 1);
    QString field;
    QStringView run;         // the field so far, while it is one run of ordinary characters
    bool quoted = false;     // inside quotes now
    bool sawQuote = false;   // the field had quotes, so it counts even when empty
    bool sawContent = false; // anything but blanks on the line before its comment

    const auto finishField = [&] {
        const QStringView trimmed = (sawQuote ? QStringView(field) : run).trimmed();
        if (!collapse || !trimmed.isEmpty() || sawQuote) {
            fields.append(FormulaGuard::unprotect(trimmed.toString()));
        }
        field.resize(0);
        run = {};
        sawQuote = false;
    };

    qsizetype index = 0;
    while (index < size) {
        if (quoted) {
            qsizetype end = index;
            while (end < size && line[end] != u'"') {
                ++end;
            }
            field.append(line.sliced(index, end - index));
            if (end + 1 < size && line[end + 1] == u'"') {
                field.append(u'"');
                index = end + 2;
            } else {
                quoted = false;  // the closing quote, or a quote left open at the line end
                index = end + 1;
            }
            continue;
        }
        const QChar character = line[index];
        if (character == u'"') {
            if (!sawQuote) {
                field.append(run);  // the characters before the first quote
            }
            quoted = true;
            sawQuote = true;
            sawContent = true;
            ++index;
        } else if (character == u';') {
            break;
        } else if (character == separator) {
            sawContent = true;
            finishField();
            ++index;
        } else {
            qsizetype end = index;
            while (end < size && line[end] != u'"' && line[end] != u';' &&
                   line[end] != separator) {
                sawContent = sawContent || !line[end].isSpace();
                ++end;
            }
            if (sawQuote) {
                field.append(line.sliced(index, end - index));
            } else {
                run = line.sliced(index, end - index);  // a field's only run: nothing before
            }
            index = end;
        }
    }
    if (!sawContent) {
        return {};
    }
    finishField();
    return fields;
}

}  // namespace vel
