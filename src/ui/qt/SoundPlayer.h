#pragma once
// SoundPlayer: plays the named system sounds of the messages ("SystemHand", "SystemQuestion",
// "SystemExclamation", "SystemAsterisk", "SystemDefault") as the desktop's sound theme events,
// through canberra-gtk-play started detached, so that the caller never waits. Where that
// program is missing, or does not start, the display's bell rings instead.
#include <QString>
#include <QStringList>
#include <functional>

namespace vel {

class SoundPlayer {
public:
    // Starts a program detached; returns whether it started.
    using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;
    using Bell = std::function<void()>;

    // The player program is looked up in PATH; starter and bell default to QProcess and
    // QApplication::beep().
    SoundPlayer();
    SoundPlayer(QString playerProgram, Starter starter, Bell bell);

    void play(const QString& soundName);

    // The sound theme's event id for a system sound name ("SystemHand" -> "dialog-error");
    // unknown names play the default sound.
    static QString eventId(const QString& soundName);

private:
    QString player_;
    Starter starter_;
    Bell bell_;
};

}  // namespace vel
