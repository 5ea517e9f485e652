#include "services/WaitSeconds.h"

#include "ui/Ui.h"

#include <chrono>
#include <thread>
#include <utility>

namespace vel {

namespace {
WaitClock installedClock;

qint64 systemMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void systemPause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}
}  // namespace

WaitClock setWaitClock(WaitClock clock) {
    return std::exchange(installedClock, std::move(clock));
}

void WaitSeconds(int seconds) {
    const auto now = installedClock.nowMilliseconds ? installedClock.nowMilliseconds
                                                    : std::function<qint64()>(systemMilliseconds);
    const auto pause =
        installedClock.pause ? installedClock.pause : std::function<void()>(systemPause);
    const qint64 start = now();
    const qint64 end = start + qint64(seconds) * 1000;
    currentUi().processEvents();
    while (now() < end) {
        pause();
        currentUi().processEvents();
    }
}

}  // namespace vel
