#pragma once
// Test helpers for the shared services: a headless Ui whose unexpected windows and messages fail
// the test, and stand-ins for the waits so that no test waits real time.
#include "services/CopyOneFile.h"
#include "services/WaitSeconds.h"
#include "ui/HeadlessUi.h"

#include <gtest/gtest.h>
#include <QString>
#include <QStringList>
#include <functional>

namespace vel::test {

// The headless driver with every failure (a window without script, a message without answer)
// reported as a test failure, and every sound, message and event round written to one list in
// the order they happened.
class RecordingUi : public HeadlessUi {
  public:
    RecordingUi() {
        setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    }
    void playSound(const QString& soundName) override {
        events << QStringLiteral("sound ") + soundName;
        HeadlessUi::playSound(soundName);
    }
    int messageBox(const QString& prompt, int style, const QString& caption) override {
        events << QStringLiteral("message ") + prompt;
        return HeadlessUi::messageBox(prompt, style, caption);
    }
    void processEvents() override {
        ++eventRounds;
        HeadlessUi::processEvents();
    }

    QStringList events;
    int eventRounds = 0;
};

// Replaces the retry wait of CopyOneFile for the life of the object and counts the waits; an
// optional action runs at each wait (with the number of the wait, from 1).
class CountedCopyWait {
  public:
    explicit CountedCopyWait(std::function<void(int waitNumber)> action = {})
        : action_(std::move(action)) {
        previous_ = setCopyRetryWait([this](int seconds) {
            EXPECT_EQ(seconds, 1);
            ++waits;
            if (action_) {
                action_(waits);
            }
        });
    }
    ~CountedCopyWait() { setCopyRetryWait(previous_); }
    CountedCopyWait(const CountedCopyWait&) = delete;
    CountedCopyWait& operator=(const CountedCopyWait&) = delete;

    int waits = 0;

  private:
    std::function<void(int)> action_;
    WaitFunction previous_;
};

// A clock that stands still until a wait pauses, then moves on by a fixed step.
class SteppingClock {
  public:
    explicit SteppingClock(qint64 stepMilliseconds, qint64 start = 1'000'000) : now(start) {
        previous_ = setWaitClock({[this] { return now; },
                                  [this, stepMilliseconds] {
                                      now += stepMilliseconds;
                                      ++pauses;
                                  }});
    }
    ~SteppingClock() { setWaitClock(previous_); }
    SteppingClock(const SteppingClock&) = delete;
    SteppingClock& operator=(const SteppingClock&) = delete;

    qint64 now;
    int pauses = 0;

  private:
    WaitClock previous_;
};

}  // namespace vel::test
