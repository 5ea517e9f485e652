#include "host/CodeIndex.h"

#include <bit>

namespace vel {

void CodeIndex::clear() {
    slots_ = {};
    live_ = 0;
    used_ = 0;
}

// Slots stay at most three quarters used (removed ones count until the next rehash).
void CodeIndex::reserve(size_t count) {
    const size_t wanted = std::bit_ceil(std::max<size_t>(16, count + count / 3 + 1));
    if (wanted > slots_.size()) {
        rehash(wanted);
    }
}

void CodeIndex::rehash(size_t capacity) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(capacity, Slot{});
    used_ = live_;
    for (const Slot& slot : old) {
        if (slot.number > 0) {
            size_t at = start(slot.hash);
            while (slots_[at].number != empty) {
                at = (at + 1) & mask();
            }
            slots_[at] = slot;
        }
    }
}

void CodeIndex::insert(quint32 hash, int number) {
    if ((used_ + 1) * 4 > slots_.size() * 3) {
        // Grows to twice the live numbers, or cleans out removed slots at the same size.
        rehash(std::bit_ceil(std::max<size_t>(16, (live_ + 1) * 2)));
    }
    size_t reuse = slots_.size();
    size_t at = start(hash);
    for (; slots_[at].number != empty; at = (at + 1) & mask()) {
        if (slots_[at].number == number && slots_[at].hash == hash) {
            return;
        }
        if (slots_[at].number == removed && reuse == slots_.size()) {
            reuse = at;
        }
    }
    if (reuse == slots_.size()) {
        reuse = at;
        ++used_;
    }
    slots_[reuse] = {hash, number};
    ++live_;
}

void CodeIndex::erase(quint32 hash, int number) {
    if (slots_.empty()) {
        return;
    }
    for (size_t at = start(hash); slots_[at].number != empty; at = (at + 1) & mask()) {
        if (slots_[at].number == number && slots_[at].hash == hash) {
            slots_[at].number = removed;
            --live_;
            return;
        }
    }
}

}  // namespace vel
