#include "ui/qt/SoundPlayer.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>

namespace vel {

SoundPlayer::SoundPlayer()
    : SoundPlayer(
          QStandardPaths::findExecutable(QStringLiteral("canberra-gtk-play")),
          [](const QString& program, const QStringList& arguments) {
              return QProcess::startDetached(program, arguments);
          },
          [] { QApplication::beep(); }) {}

SoundPlayer::SoundPlayer(QString playerProgram, Starter starter, Bell bell)
    : player_(std::move(playerProgram)), starter_(std::move(starter)), bell_(std::move(bell)) {}

QString SoundPlayer::eventId(const QString& soundName) {
    static const QHash<QString, QString> events = {
        {QStringLiteral("systemhand"), QStringLiteral("dialog-error")},
        {QStringLiteral("systemquestion"), QStringLiteral("dialog-question")},
        {QStringLiteral("systemexclamation"), QStringLiteral("dialog-warning")},
        {QStringLiteral("systemasterisk"), QStringLiteral("dialog-information")},
    };
    return events.value(soundName.toLower(), QStringLiteral("bell"));
}

void SoundPlayer::play(const QString& soundName) {
    const QStringList arguments = {QStringLiteral("-i"), eventId(soundName)};
    if (!player_.isEmpty() && starter_ && starter_(player_, arguments)) {
        return;
    }
    if (bell_) {
        bell_();
    }
}

}  // namespace vel
