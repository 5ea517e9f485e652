#include "host/RowStore.h"

#include <algorithm>
#include <cstring>

namespace vel {

void RowStore::reset(qsizetype length) {
    length_ = std::max<qsizetype>(1, length);
    perBlock_ = std::max<size_t>(1, blockBytes / size_t(length_));
    size_ = 0;
    blocks_.clear();
}

char* RowStore::appendRow() {
    if (size_ == blocks_.size() * perBlock_) {
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(perBlock_ * size_t(length_)));
    }
    return at(size_++);
}

void RowStore::append(const char* row) {
    char* added = appendRow();
    std::memcpy(added, row, size_t(length_));
}

void RowStore::truncate(size_t count) {
    size_ = std::min(size_, count);
    blocks_.resize((size_ + perBlock_ - 1) / perBlock_);
}

}  // namespace vel
