#pragma once
// Splits one line of a delimited import file into fields:
// - text between double quotes may hold the separator and ";"; the quotes are not part of the
//   field, and "" inside quotes stands for one quote; a quote left open ends at the line end;
// - a ";" outside quotes ends the line (what follows is a comment);
// - every field is trimmed; with the space separator a run of spaces counts as one separator
//   (so only quoted fields can be empty), with tab and comma each separator counts;
// - a field that starts with an apostrophe before "=", "+", "-" or "@" (the export's formula
//   guard) loses the apostrophe.
#include <QChar>
#include <QStringList>
#include <QStringView>

namespace vel {

class DelimitedLineSplitter {
public:
    // The separator that the first line of a file calls for: a tab when it holds one, else a
    // comma when it holds one, else a space. Characters between double quotes are text and do
    // not count (a quoted tab in a comma-separated first line leaves it comma-separated).
    static char chooseSeparator(const char* line, qsizetype size);

    // All fields of the line; an empty list when the line holds nothing before its comment.
    static QStringList split(QStringView line, QChar separator);
};

}  // namespace vel
