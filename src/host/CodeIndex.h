#pragma once
// Record numbers by the hash of their code, without the codes themselves: an open-addressed
// table of (hash, number) pairs, 8 bytes a slot, so that a table of 100,000 records looks its
// codes up without a key string each. The owner compares the codes (from its rows) of the
// numbers a hash gives. A code that several records carry has a slot for each.
#include <QtGlobal>
#include <vector>

namespace vel {

class CodeIndex {
  public:
    void clear();
    // Room for count numbers without growing.
    void reserve(size_t count);
    // Adds the number under the hash (nothing when it is there already).
    void insert(quint32 hash, int number);
    void erase(quint32 hash, int number);
    // The lowest number under the hash whose code is the one wanted (sameCode(number)); 0 when
    // none is.
    template <class SameCode>
    int lowest(quint32 hash, SameCode sameCode) const {
        int found = 0;
        for (size_t at = start(hash); slots_.size() > 0 && slots_[at].number != empty;
             at = (at + 1) & mask()) {
            const Slot& slot = slots_[at];
            if (slot.hash == hash && slot.number > 0 && (found == 0 || slot.number < found) &&
                sameCode(slot.number)) {
                found = slot.number;
            }
        }
        return found;
    }
    size_t size() const { return live_; }

  private:
    static constexpr qint32 empty = 0;
    static constexpr qint32 removed = -1;
    struct Slot {
        quint32 hash = 0;
        qint32 number = empty;
    };
    size_t mask() const { return slots_.size() - 1; }
    size_t start(quint32 hash) const {
        // The hash's bits spread over the slots (Fibonacci hashing).
        return size_t((quint64(hash) * 0x9E3779B97F4A7C15ull) >> 32) & mask();
    }
    void rehash(size_t capacity);

    std::vector<Slot> slots_;  // a power of two of them, or none
    size_t live_ = 0;
    size_t used_ = 0;  // live and removed slots
};

}  // namespace vel
