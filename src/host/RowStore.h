#pragma once
// Rows of one length (a table's records) one after the other in blocks of a fixed size: no
// allocation per row, and growing by a block never copies the rows already held, so that a
// table of 100,000 records costs about its record length a row.
#include <QtGlobal>
#include <memory>
#include <vector>

namespace vel {

class RowStore {
  public:
    explicit RowStore(qsizetype length = 1) { reset(length); }

    // Drops every row; the rows that come are length bytes each.
    void reset(qsizetype length);
    qsizetype length() const { return length_; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    const char* at(size_t index) const {
        return blocks_[index / perBlock_].get() + (index % perBlock_) * size_t(length_);
    }
    char* at(size_t index) {
        return blocks_[index / perBlock_].get() + (index % perBlock_) * size_t(length_);
    }
    // A new last row, its bytes for the caller to fill.
    char* appendRow();
    void append(const char* row);
    // Keeps the first count rows (count at most size()).
    void truncate(size_t count);

  private:
    static constexpr size_t blockBytes = 64 * 1024;
    qsizetype length_ = 1;
    size_t perBlock_ = 1;
    size_t size_ = 0;
    std::vector<std::unique_ptr<char[]>> blocks_;
};

}  // namespace vel
