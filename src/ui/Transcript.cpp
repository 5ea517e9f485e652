#include "ui/Transcript.h"

#include "ui/MessageBoxCodes.h"

namespace vel {

namespace {
const QString windowPrefix = QStringLiteral("window: ");

QString oneLine(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\r', QStringLiteral("\\n"));
}
}  // namespace

void Transcript::addWindow(const QString& caption) {
    lines_ << windowPrefix + oneLine(caption);
}

void Transcript::addStatus(const QString& text) {
    lines_ << QStringLiteral("status: ") + oneLine(text);
}

void Transcript::addMessage(const MessageRecord& message) {
    messages_.push_back(message);
    lines_ << QStringLiteral("message: %1 %2 | %3 -> %4")
                  .arg(message.style)
                  .arg(oneLine(message.caption), oneLine(message.prompt),
                       answerName(message.answer));
}

QStringList Transcript::windows() const {
    QStringList captions;
    for (const QString& line : lines_) {
        if (line.startsWith(windowPrefix)) {
            captions << line.mid(windowPrefix.size());
        }
    }
    return captions;
}

QStringList Transcript::prompts() const {
    QStringList prompts;
    for (const MessageRecord& message : messages_) {
        prompts << message.prompt;
    }
    return prompts;
}

void Transcript::clear() {
    lines_.clear();
    messages_.clear();
    sounds_.clear();
}

}  // namespace vel
