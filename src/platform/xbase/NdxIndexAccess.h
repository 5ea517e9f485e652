#pragma once
// One operation on an NDX index. In shared mode a read first compares the header with the cached
// one without a lock and, when they agree, walks the cached pages as they are; a read that needs
// a page it has not cached, a read that found the header changed, and every write hold the index
// lock and drop the cached pages when another process changed the file. A held index (hold())
// is locked already. A writer's finish() publishes the header.
#include "platform/xbase/NdxIndex.h"
#include "platform/xbase/XbaseError.h"

#include <QtEndian>
#include <cstring>

namespace vel::xbase {

class NdxIndex::Access {
  public:
    enum class Use { Read, LockedRead, Write };

    Access(NdxIndex& index, Use use) : index_(index), write_(use == Use::Write) {
        if (!index.isOpen()) {
            throw XbaseError(ErrorCode::NotOpen,
                             fileMessage(index.path(), QStringLiteral("index is not open")));
        }
        if (write_ && index.readOnly_) {
            index.file_.fail(ErrorCode::BadArgument, QStringLiteral("index is open read-only"));
        }
        if (index.held_) {
            // This object holds the write lock: nobody else changes the file.
            if (index.headerStale_) {
                refresh();  // after a change that failed half-way
            }
            return;
        }
        if (!index.exclusive_) {
            if (use == Use::Read && cacheIsCurrent()) {
                index.readingUnlocked_ = true;
                return;
            }
            lock(write_);
        }
        if (!index.exclusive_ || index.headerStale_) {
            refresh();
        }
    }

    ~Access() {
        if (write_ && !finished_) {
            // An operation that failed half-way: forget what is cached and read it again.
            index_.dropCache();
            index_.heldPages_.clear();  // a held index starts again from the file as it was
            index_.heldHeaderChanged_ = false;
            index_.headerStale_ = true;
        }
        if (locked_ || index_.lockedAfterMiss_) {
            index_.file_.unlock(lockOffset, 1);
        }
        index_.readingUnlocked_ = false;
        index_.lockedAfterMiss_ = false;
    }

    void finish() {
        if (index_.modified_ || index_.headerDirty_) {
            if (!index_.exclusive_) {
                ++index_.changeCounter_;
            }
            if (index_.held_) {
                index_.heldHeaderChanged_ = true;  // written by release()
            } else if (!index_.exclusive_ || index_.headerDirty_) {
                index_.writeHeader();
            }
            index_.headerDirty_ = false;
            index_.modified_ = false;
        }
        finished_ = true;
    }

    // Leaves the lock taken for a held index to release().
    void keepLock() { locked_ = false; }

    // Reads the header fields that say whether the cached pages are still those of the file:
    // from the mapped header when there is one, else with one read.
    static bool headerMatches(NdxIndex& index) {
        char bytes[NdxPage::size];
        if (index.mappedHeader_) {
            std::memcpy(bytes, index.mappedHeader_, 8);
            std::memcpy(bytes + changeCounterOffset, index.mappedHeader_ + changeCounterOffset, 4);
        } else {
            index.file_.readExactly(0, bytes, NdxPage::size);
        }
        return qFromLittleEndian<quint32>(bytes) == index.root_ &&
               qFromLittleEndian<quint32>(bytes + 4) == index.pageCount_ &&
               qFromLittleEndian<quint32>(bytes + changeCounterOffset) == index.changeCounter_;
    }

  private:
    // A writer writes its pages before the header, so an unchanged header (read in one call)
    // means that no writer finished since the cached pages were read under the lock: they are the
    // index as it stands at this moment, whatever a writer at work has written so far.
    bool cacheIsCurrent() {
        return index_.trustCache_ && !index_.headerStale_ && !index_.cache_.empty() &&
               headerMatches(index_);
    }

    void lock(bool exclusive) {
        if (!index_.file_.lock(lockOffset, 1, exclusive, index_.policy_)) {
            index_.file_.fail(ErrorCode::Locked, QStringLiteral("index is locked by another user"));
        }
        locked_ = true;
    }

    void refresh() {
        char bytes[NdxPage::size];
        index_.file_.readExactly(0, bytes, NdxPage::size);
        const quint32 root = qFromLittleEndian<quint32>(bytes);
        const quint32 pages = qFromLittleEndian<quint32>(bytes + 4);
        const quint32 counter = qFromLittleEndian<quint32>(bytes + changeCounterOffset);
        if (root != index_.root_ || pages != index_.pageCount_ ||
            counter != index_.changeCounter_ || index_.headerStale_) {
            index_.headerStale_ = false;
            index_.dropCache();
            index_.root_ = root;
            index_.pageCount_ = pages;
            index_.changeCounter_ = counter;
            if (root == 0 || root >= pages) {
                index_.corrupt(
                    QStringLiteral("root page %1 is outside the %2 pages").arg(root).arg(pages));
            }
        }
    }

    NdxIndex& index_;
    bool write_;
    bool locked_ = false;
    bool finished_ = false;
};

}  // namespace vel::xbase
