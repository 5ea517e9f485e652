#include "data/HeldRecords.h"

#include <QHashFunctions>
#include <algorithm>
#include <bit>
#include <cstring>

namespace vel {

using namespace xbase;

HeldRecords::HeldRecords(DATA4* data, int width, Span key, std::vector<Span> entryFields)
    : data_(data), width_(width), key_(key), entryFields_(std::move(entryFields)) {}

std::unique_ptr<HeldRecords> HeldRecords::load(DATA4* data, Span key, std::vector<Span> entryFields,
                                               int16_t* result) {
    const long count = d4recCount(data);
    const long width = d4recWidth(data);
    *result = count < 0 ? int16_t(count) : width < 0 ? int16_t(width) : r4success;
    if (*result != r4success) {
        return nullptr;
    }
    std::unique_ptr<HeldRecords> held(
        new HeldRecords(data, int(width), key, std::move(entryFields)));
    held->records_.resize(qsizetype(count) * width);
    *result = d4readRecords(data, 1, count, held->records_.data());
    if (*result != r4success) {
        return nullptr;
    }
    held->stored_ = count;
    for (long number = 1; number <= count; ++number) {
        if (held->recordOfKey(held->keyOf(number)) != 0) {
            return nullptr;  // which of the two a key seek finds depends on the index's history
        }
        held->addKey(number);
    }
    return held;
}

void HeldRecords::deleteAll() {
    for (long number = 1; number <= count(); ++number) {
        char* record = recordAt(number);
        if (record[0] != '*') {
            record[0] = '*';
            markChanged(number);
        }
    }
}

long HeldRecords::place(const char* entry, long* freeFrom) {
    long number = recordOfKey(entry + key_.offset);
    const bool taken = number == 0;
    if (taken) {
        for (; *freeFrom <= count() && number == 0; ++*freeFrom) {
            if (recordAt(*freeFrom)[0] == '*') {
                number = *freeFrom;
            }
        }
        if (number == 0) {
            records_.append(entry, width_);
            addKey(count());
            return count();
        }
        removeKey(number);
    }
    char* record = recordAt(number);
    record[0] = ' ';
    for (const Span& field : entryFields_) {
        std::memcpy(record + field.offset, entry + field.offset, size_t(field.length));
    }
    if (taken) {
        addKey(number);
    }
    markChanged(number);
    return number;
}

size_t HeldRecords::slotOf(const char* key) const {
    return qHashBits(key, size_t(key_.length)) & (slots_.size() - 1);
}

long HeldRecords::recordOfKey(const char* key) const {
    if (slots_.empty()) {
        return 0;
    }
    for (size_t slot = slotOf(key); slots_[slot] != 0; slot = (slot + 1) & (slots_.size() - 1)) {
        const quint32 number = slots_[slot];
        if (number != removedSlot && std::memcmp(keyOf(number), key, size_t(key_.length)) == 0) {
            return long(number);
        }
    }
    return 0;
}

void HeldRecords::addKey(long number) {
    if ((usedSlots_ + 1) * 2 > slots_.size()) {
        // A quarter full at most afterwards, so that probes stay short; removed slots go.
        std::vector<quint32> old(std::bit_ceil(std::max<size_t>(64, (liveSlots_ + 1) * 4)));
        old.swap(slots_);
        usedSlots_ = liveSlots_ = 0;
        for (const quint32 kept : old) {
            if (kept != 0 && kept != removedSlot) {
                fillSlot(kept);
            }
        }
    }
    fillSlot(quint32(number));
}

void HeldRecords::fillSlot(quint32 number) {
    size_t slot = slotOf(keyOf(number));
    while (slots_[slot] != 0) {
        slot = (slot + 1) & (slots_.size() - 1);
    }
    slots_[slot] = number;
    ++usedSlots_;
    ++liveSlots_;
}

void HeldRecords::removeKey(long number) {
    if (slots_.empty()) {
        return;
    }
    for (size_t slot = slotOf(keyOf(number)); slots_[slot] != 0;
         slot = (slot + 1) & (slots_.size() - 1)) {
        if (slots_[slot] == quint32(number)) {
            slots_[slot] = removedSlot;
            --liveSlots_;
            return;
        }
    }
}

void HeldRecords::markChanged(long number) {
    if (number > stored_) {
        return;  // a new record: written with the batch
    }
    if (changedFrom_ > changedTo_) {
        changedFrom_ = changedTo_ = number;
        return;
    }
    changedFrom_ = std::min(changedFrom_, number);
    changedTo_ = std::max(changedTo_, number);
}

int16_t HeldRecords::write() {
    int16_t result = r4success;
    if (changedFrom_ <= changedTo_) {
        result = d4writeRecords(data_, changedFrom_, recordAt(changedFrom_),
                                changedTo_ - changedFrom_ + 1);
    }
    if (result != r4success) {
        return result;
    }
    changedFrom_ = 1;
    changedTo_ = 0;
    // New records go in batches of a few thousand: the table copies a batch twice on its way
    // to the file, and a few more writes cost less than those copies of every new record.
    constexpr long batch = 2048;
    while (result == r4success && stored_ < count()) {
        const long added = std::min(batch, count() - stored_);
        result = d4appendRecords(data_, recordAt(stored_ + 1), added);
        stored_ += result == r4success ? added : 0;
    }
    return result;
}

}  // namespace vel
