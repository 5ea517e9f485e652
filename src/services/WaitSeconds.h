#pragma once
// A wait that keeps the program responsive: events are processed until the time has passed.
// The clock is injectable so that tests wait no real time.
#include <QtGlobal>
#include <functional>

namespace vel {

struct WaitClock {
    std::function<qint64()> nowMilliseconds;  // a steady clock
    std::function<void()> pause;              // the short rest between rounds (1 millisecond)
};

// Replaces the clock of every wait and returns the previous one; a clock with an empty member
// falls back to the system's steady clock and a 1 millisecond sleep for that member.
WaitClock setWaitClock(WaitClock clock);

// Processes events (currentUi().processEvents()) until the given number of whole seconds has
// passed since the call; zero or less returns after one round.
void WaitSeconds(int seconds);

}  // namespace vel
