// The page side of NdxIndex: the cache of pages read, the whole small file read at once, the
// lock a trusting read takes when it misses a page, and the pages an index held for many changes
// keeps until release().
#include "platform/xbase/NdxIndex.h"

#include "platform/xbase/NdxIndexAccess.h"
#include "platform/xbase/XbaseError.h"

#include <algorithm>

namespace vel::xbase {
namespace {

constexpr qint64 imageLimit = 16 * 1024 * 1024;

}  // namespace

void NdxIndex::dropCache() {
    cache_.clear();
    image_.clear();
    cursorStale_ = onEntry_;
    path_.clear();
}

NdxPage& NdxIndex::load(quint32 number) {
    if (number == 0 || number >= pageCount_) {
        corrupt(QStringLiteral("page %1 is outside the %2 pages").arg(number).arg(pageCount_));
    }
    if (cache_.size() < pageCount_) {
        cache_.resize(pageCount_);
    }
    std::unique_ptr<NdxPage>& slot = cache_[number];
    if (!slot) {
        const qint64 offset = qint64(number) * NdxPage::size;
        if (image_.empty()) {
            if (readingUnlocked_ && !lockedAfterMiss_) {
                lockAfterMiss();
            }
            readImage();
        }
        auto page = std::make_unique<NdxPage>(number, entrySize_, keyLength_);
        qint64 read;
        if (offset + 4 <= qint64(image_.size())) {
            read = std::min<qint64>(NdxPage::size, qint64(image_.size()) - offset);
            std::memcpy(page->data(), image_.data() + offset, size_t(read));
        } else {
            read = file_.readUpTo(offset, page->data(), NdxPage::size);
        }
        if (read < 4) {
            corrupt(QStringLiteral("page %1 lies beyond the end of the file").arg(number));
        }
        const int capacity = page->isLeaf() ? NdxPage::leafCapacity(entrySize_)
                                            : NdxPage::interiorCapacity(entrySize_);
        if (page->count() < 0 || page->count() > capacity) {
            corrupt(QStringLiteral("page %1 claims %2 keys; it has room for %3")
                        .arg(number)
                        .arg(page->count())
                        .arg(capacity));
        }
        slot = std::move(page);
    }
    return *slot;
}

// Reads the whole file at once when it is small, under the lock the caller holds.
void NdxIndex::readImage() {
    const qint64 size = qint64(pageCount_) * NdxPage::size;
    if (size > imageLimit) {
        return;
    }
    image_.resize(size_t(size));
    image_.resize(size_t(file_.readUpTo(0, image_.data(), size)));
}

// A read that trusted the cache needs a page it has not read: it takes the lock, and the header
// tells whether the pages it walked so far are still the file's.
void NdxIndex::lockAfterMiss() {
    if (!file_.lock(lockOffset, 1, false, policy_)) {
        file_.fail(ErrorCode::Locked, QStringLiteral("index is locked by another user"));
    }
    lockedAfterMiss_ = true;
    if (!Access::headerMatches(*this)) {
        headerStale_ = true;
        throw CacheOutdated{};
    }
}

void NdxIndex::store(NdxPage& page) {
    if (held_) {
        heldPages_.push_back(page.number());
        modified_ = true;
        return;
    }
    file_.writeExactly(qint64(page.number()) * NdxPage::size, page.data(), NdxPage::size);
    modified_ = true;
}

NdxPage& NdxIndex::allocate() {
    const quint32 number = pageCount_++;
    headerDirty_ = true;
    cache_.resize(pageCount_);
    cache_[number] = std::make_unique<NdxPage>(number, entrySize_, keyLength_);
    return *cache_[number];
}

void NdxIndex::hold() {
    if (exclusive_ || held_) {
        return;
    }
    Access access(*this, Access::Use::Write);
    access.finish();
    access.keepLock();
    held_ = true;
}

void NdxIndex::release() {
    if (!held_) {
        return;
    }
    held_ = false;
    try {
        writeHeldPages();
        if (heldHeaderChanged_) {
            writeHeader();
            heldHeaderChanged_ = false;
        }
    } catch (const XbaseError&) {
        dropCache();
        heldHeaderChanged_ = false;
        headerStale_ = true;
        file_.unlock(lockOffset, 1);
        throw;
    }
    file_.unlock(lockOffset, 1);
}

// The pages changed while held, in file order, a run of neighbours in one write.
void NdxIndex::writeHeldPages() {
    std::vector<quint32> pages;
    pages.swap(heldPages_);
    std::sort(pages.begin(), pages.end());
    pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
    std::vector<char> run;
    for (size_t first = 0; first < pages.size();) {
        size_t end = first + 1;
        while (end < pages.size() && pages[end] == pages[end - 1] + 1) {
            ++end;
        }
        run.resize((end - first) * NdxPage::size);
        for (size_t page = first; page < end; ++page) {
            std::memcpy(run.data() + (page - first) * NdxPage::size, cache_[pages[page]]->data(),
                        NdxPage::size);
        }
        file_.writeExactly(qint64(pages[first]) * NdxPage::size, run.data(), qint64(run.size()));
        first = end;
    }
}

void NdxIndex::watchHeader() {
    unwatchHeader();
    if (exclusive_) {
        return;
    }
    FileOperations& operations = file_.operations();
    trustCache_ = operations.isLocalFile(file_.descriptor());
    if (trustCache_) {
        mappedHeader_ = operations.mapForReading(file_.descriptor(), NdxPage::size);
    }
}

void NdxIndex::unwatchHeader() {
    if (mappedHeader_) {
        file_.operations().unmap(mappedHeader_, NdxPage::size);
        mappedHeader_ = nullptr;
    }
    trustCache_ = false;
}

}  // namespace vel::xbase
