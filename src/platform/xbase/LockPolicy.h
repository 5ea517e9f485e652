#pragma once
// How a lock request behaves when another user holds the lock: fail at once, retry a number of
// times with a pause in between, or block until the lock is free. The pause is injectable so that
// tests never sleep.
#include <chrono>
#include <functional>
#include <thread>

namespace vel::xbase {

struct LockPolicy {
    enum class Wait { FailAtOnce, Retry, Block };

    Wait wait = Wait::Retry;
    int attempts = 20;               // total attempts for Retry
    std::function<void(int)> pause;  // called with the attempt number between attempts

    static LockPolicy failAtOnce() { return {Wait::FailAtOnce, 1, {}}; }
    static LockPolicy block() { return {Wait::Block, 1, {}}; }
    static LockPolicy retry(int attempts, std::function<void(int)> pause = {}) {
        return {Wait::Retry, attempts, std::move(pause)};
    }

    // Waits between two attempts: the injected pause, or 100 ms.
    void pauseBefore(int attempt) const {
        if (pause) {
            pause(attempt);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
};

// Opening a file never waits for ever: a blocking policy fails at once there.
inline LockPolicy openingPolicy(const LockPolicy& policy) {
    return policy.wait == LockPolicy::Wait::Block ? LockPolicy::failAtOnce() : policy;
}

}  // namespace vel::xbase
