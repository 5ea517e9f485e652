#pragma once
// The demo site's source of chance: a fixed-seed Mersenne twister, read through helpers that use
// only its raw output, so that the same seed gives the same site with any standard library.
#include <cstdint>
#include <random>

namespace vel {

class DemoRandom {
  public:
    explicit DemoRandom(std::uint32_t seed) : engine_(seed) {}

    // A whole number from low to high, both included.
    int between(int low, int high) {
        const auto span = std::uint64_t(std::int64_t(high) - low + 1);
        return low + int(std::uint64_t(engine_()) * span >> 32);
    }
    // True in about percent cases out of a hundred.
    bool chance(int percent) { return between(1, 100) <= percent; }
    // A factor from lowPercent to highPercent, in whole percents (90 to 110 gives 0.90..1.10).
    double factor(int lowPercent, int highPercent) {
        return between(lowPercent, highPercent) / 100.0;
    }
    // One element of a non-empty container.
    template <class Container>
    const auto& pick(const Container& items) {
        using Index = typename Container::size_type;
        return items[Index(between(0, int(items.size()) - 1))];
    }

  private:
    std::mt19937 engine_;
};

}  // namespace vel
