#pragma once
// One 512-byte node of an NDX index: a key count, then entries of {child page, record number,
// key}; an interior node carries one more child page after its last entry. A leaf has child 0.
#include <QtEndian>
#include <array>
#include <cstring>

namespace vel::xbase {

class NdxPage {
  public:
    static constexpr int size = 512;

    NdxPage(quint32 number, int entrySize, int keyLength)
        : number_(number), entrySize_(entrySize), keyLength_(keyLength) {
        bytes_.fill(0);
    }

    quint32 number() const { return number_; }
    char* data() { return bytes_.data(); }
    const char* data() const { return bytes_.data(); }

    int count() const { return int(qFromLittleEndian<quint32>(bytes_.data())); }
    void setCount(int count) { qToLittleEndian<quint32>(quint32(count), bytes_.data()); }
    // A leaf has no child pointer in its first slot (an empty leaf is all zero).
    bool isLeaf() const { return child(0) == 0; }

    quint32 child(int slot) const { return read32(slot, 0); }
    quint32 record(int slot) const { return read32(slot, 4); }
    const char* key(int slot) const { return entry(slot) + 8; }
    void setChild(int slot, quint32 page) { write32(slot, 0, page); }

    // Room for keys: leaves use every slot, interior nodes keep one for the trailing child.
    static int leafCapacity(int entrySize) { return (size - 4) / entrySize; }
    static int interiorCapacity(int entrySize) { return (size - 8) / entrySize; }

    // Inserts an entry before slot, moving the later entries along; an interior node's trailing
    // child moves with them. The caller has checked that the page has room.
    void insert(int slot, quint32 child, quint32 record, const char* key, bool interior) {
        const int count = this->count();
        const int moved = (count - slot) * entrySize_ + (interior ? 4 : 0);
        char* at = entry(slot);
        std::memmove(at + entrySize_, at, size_t(moved));
        setEntry(slot, child, record, key);
        setCount(count + 1);
    }

    // Removes the entry at slot from a leaf.
    void removeFromLeaf(int slot) {
        const int count = this->count();
        char* at = entry(slot);
        std::memmove(at, at + entrySize_, size_t((count - slot - 1) * entrySize_));
        std::memset(entry(count - 1), 0, size_t(entrySize_));
        setCount(count - 1);
    }

    void setEntry(int slot, quint32 child, quint32 record, const char* key) {
        char* at = entry(slot);
        std::memset(at, 0, size_t(entrySize_));
        qToLittleEndian<quint32>(child, at);
        qToLittleEndian<quint32>(record, at + 4);
        if (key) {
            std::memcpy(at + 8, key, size_t(keyLength_));
        }
    }

    void clear() { bytes_.fill(0); }

  private:
    char* entry(int slot) { return bytes_.data() + 4 + slot * entrySize_; }
    const char* entry(int slot) const { return bytes_.data() + 4 + slot * entrySize_; }
    quint32 read32(int slot, int offset) const {
        return qFromLittleEndian<quint32>(entry(slot) + offset);
    }
    void write32(int slot, int offset, quint32 value) {
        qToLittleEndian<quint32>(value, entry(slot) + offset);
    }

    quint32 number_;
    int entrySize_;
    int keyLength_;
    std::array<char, size> bytes_;
};

}  // namespace vel::xbase
