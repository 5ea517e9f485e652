#include "ui/MessageBoxCodes.h"

#include <algorithm>
#include <vector>

namespace vel {

std::vector<int> messageButtons(int style) {
    switch (style & 15) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
    }
}

int defaultAnswer(int style) {
    const std::vector<int> buttons = messageButtons(style);
    const size_t position = size_t((style & 0xF00) >> 8);
    return position < buttons.size() ? buttons[position] : buttons.front();
}

int closeAnswer(int style) {
    const std::vector<int> buttons = messageButtons(style);
    for (int answer : {int(IDCANCEL), int(IDNO)}) {
        if (std::find(buttons.begin(), buttons.end(), answer) != buttons.end()) {
            return answer;
        }
    }
    return buttons.size() == 1 ? buttons.front() : IDCANCEL;
}

namespace {
const char* const answerNames[] = {"", "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
}

QString answerName(int answer) {
    return answer >= IDOK && answer <= IDNO ? QString::fromLatin1(answerNames[answer])
                                            : QString::number(answer);
}

int answerFromName(const QString& name) {
    for (int answer = IDOK; answer <= IDNO; ++answer) {
        if (name.compare(QString::fromLatin1(answerNames[answer]), Qt::CaseInsensitive) == 0) {
            return answer;
        }
    }
    return 0;
}

}  // namespace vel
