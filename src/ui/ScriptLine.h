#pragma once
// One line of a script, split into words: blanks separate words, double quotes keep blanks
// inside a word, and \" \\ \n inside quotes stand for a quote, a backslash and a line break.
// A "#" outside quotes starts a comment.
#include <QString>
#include <QStringList>

namespace vel {

struct ScriptLine {
    int number = 0;
    QStringList words;
    QString error;  // an unclosed quote

    static ScriptLine parse(const QString& text, int number);
};

class FormDriver;

// Applies one window action line ("type Text1(0) \"abc\"", "click SaveButtons1(1)", ...) to the
// window; returns an empty text, or why the line is not a valid action. A refused action or an
// expectation not met is reported through the driver (transcript or failure).
QString applyWindowAction(FormDriver& driver, const ScriptLine& line);

// The actions a window block may hold, for the documentation and error messages.
QStringList windowActionNames();

}  // namespace vel
