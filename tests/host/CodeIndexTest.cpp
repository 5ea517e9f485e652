// The code look-up's table of (hash, number) pairs against a plain model: numbers under shared
// and colliding hashes, removals in the middle of a probe run, growth and reuse of removed slots.
#include "host/CodeIndex.h"

#include <gtest/gtest.h>
#include <QRandomGenerator>

#include <map>
#include <set>

namespace vel::testing {
namespace {

TEST(CodeIndex, FindsTheLowestNumberOfACodeThroughCollisionsRemovalsAndGrowth) {
    CodeIndex index;
    EXPECT_EQ(index.lowest(7, [](int) { return true; }), 0) << "an empty index finds nothing";
    index.erase(7, 1);  // nothing to remove: no effect

    // Codes 0..39 whose hashes collide in fours, so that probe runs hold several codes and
    // removed slots sit between the ones still wanted.
    const auto hashOf = [](int code) { return quint32(code / 4) * 0x10001u; };
    std::map<int, int> codeOf;               // number -> code, the model
    std::map<int, std::set<int>> numbersOf;  // code -> numbers
    const auto sameCode = [&](int wanted) {
        return [&codeOf, wanted](int number) { return codeOf.at(number) == wanted; };
    };
    QRandomGenerator random(21);
    for (int step = 0; step < 20000; ++step) {
        const int number = int(random.bounded(1, 3000));
        if (const auto known = codeOf.find(number); known != codeOf.end()) {
            index.erase(hashOf(known->second), number);
            numbersOf[known->second].erase(number);
            codeOf.erase(known);
        }
        if (random.bounded(3) != 0) {
            const int code = int(random.bounded(40));
            index.insert(hashOf(code), number);
            index.insert(hashOf(code), number);  // twice: still one slot
            codeOf[number] = code;
            numbersOf[code].insert(number);
        }
        if (step % 97 == 0) {
            ASSERT_EQ(index.size(), codeOf.size());
            for (int code = 0; code < 40; ++code) {
                const std::set<int>& numbers = numbersOf[code];
                ASSERT_EQ(index.lowest(hashOf(code), sameCode(code)),
                          numbers.empty() ? 0 : *numbers.begin())
                    << "code " << code << " at step " << step;
            }
        }
    }

    // Many numbers under one hash, then all but the last removed: it is still found.
    index.clear();
    for (int number = 1; number <= 200; ++number) {
        index.insert(5, number);
    }
    for (int number = 1; number < 200; ++number) {
        index.erase(5, number);
    }
    EXPECT_EQ(index.lowest(5, [](int) { return true; }), 200);
    EXPECT_EQ(index.size(), 1u);
    index.reserve(100000);
    EXPECT_EQ(index.lowest(5, [](int) { return true; }), 200) << "kept when the table grows";
}

}  // namespace
}  // namespace vel::testing
