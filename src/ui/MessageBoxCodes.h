#pragma once
// Message-box styles and answers with their Windows values, so that stored styles and scripted
// answers read as the system always wrote them (308 = Yes/No, exclamation, No default).
#include <QString>
#include <vector>

namespace vel {

enum MessageStyle {
    MB_OK = 0, MB_OKCANCEL = 1, MB_ABORTRETRYIGNORE = 2, MB_YESNOCANCEL = 3, MB_YESNO = 4,
    MB_RETRYCANCEL = 5,
    MB_ICONHAND = 16, MB_ICONCRITICAL = 16, MB_ICONQUESTION = 32, MB_ICONEXCLAMATION = 48,
    MB_ICONASTERISK = 64, MB_ICONINFORMATION = 64,
    MB_DEFBUTTON1 = 0, MB_DEFBUTTON2 = 256, MB_DEFBUTTON3 = 512
};

enum MessageAnswer {
    IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7
};

// The answer codes of the buttons a style shows, left to right.
std::vector<int> messageButtons(int style);
// The answer of the style's default button.
int defaultAnswer(int style);
// The answer a person gives by closing the box (Escape): Cancel or No where the box has them,
// else the only button.
int closeAnswer(int style);
// "OK", "Yes", ... for transcripts and scripts; and back (case-insensitive; 0 when unknown).
QString answerName(int answer);
int answerFromName(const QString& name);

}  // namespace vel
