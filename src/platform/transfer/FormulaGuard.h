#pragma once
// Keeps exported text from running as a formula when a spreadsheet program opens a delimited
// file: a text cell that begins with "=", "+", "-", "@", a tab or a carriage return gets a
// leading apostrophe, which spreadsheet programs read as "this is text" (so does a text that
// already starts with an apostrophe before one of the first four). Only cells written as
// text are guarded; numbers such as -5 in number columns stay as they are. The delimited reader
// removes the apostrophe again before "=", "+", "-" and "@", so that an exported file imports
// unchanged.
#include <QString>
#include <QStringView>

namespace vel {

class FormulaGuard {
public:
    static bool needsGuard(QStringView text);
    // The text with the apostrophe added when it needs one.
    static QString protect(const QString& text);
    // A field read back: the apostrophe comes off when what follows it needed the guard
    // ("'=1+1" becomes "=1+1", "''=x" becomes "'=x"); anything else is returned unchanged.
    static QString unprotect(const QString& text);
};

}  // namespace vel
