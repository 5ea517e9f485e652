#pragma once
// Transcript: what a headless run showed a person, one event a line, in order:
//   window: CAPTION
//   status: TEXT
//   message: STYLE CAPTION | PROMPT -> ANSWER      (line breaks in the prompt written as \n)
//   refused: WINDOW.CONTROL ACTION                 (an action the window did not take)
//   help: PAGE                                     (the help page opened, F1 or "&Help")
// plus the messages and sounds in typed form for tests.
#include <QString>
#include <QStringList>
#include <vector>

namespace vel {

struct MessageRecord {
    QString prompt;
    int style = 0;
    QString caption;
    int answer = 0;
};

class Transcript {
public:
    void addLine(const QString& line) { lines_ << line; }
    void addWindow(const QString& caption);
    void addStatus(const QString& text);
    void addMessage(const MessageRecord& message);
    void addSound(const QString& sound) { sounds_ << sound; }

    const QStringList& lines() const { return lines_; }
    const std::vector<MessageRecord>& messages() const { return messages_; }
    const QStringList& sounds() const { return sounds_; }
    QStringList windows() const;   // captions of the windows shown, in order
    QStringList prompts() const;   // prompts of the messages shown, in order
    void clear();

private:
    QStringList lines_;
    std::vector<MessageRecord> messages_;
    QStringList sounds_;
};

}  // namespace vel
