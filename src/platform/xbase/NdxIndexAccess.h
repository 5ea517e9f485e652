#pragma once
// One operation on an NDX index: in shared mode it holds the index lock and first drops the
// cached pages when another process changed the file; a writer's finish() publishes the header.
#include "platform/xbase/NdxIndex.h"
#include "platform/xbase/XbaseError.h"

#include <QtEndian>

namespace vel::xbase {

class NdxIndex::Access {
  public:
    Access(NdxIndex& index, bool write) : index_(index), write_(write) {
        if (!index.isOpen()) {
            throw XbaseError(ErrorCode::NotOpen,
                             fileMessage(index.path(), QStringLiteral("index is not open")));
        }
        if (write && index.readOnly_) {
            index.file_.fail(ErrorCode::BadArgument, QStringLiteral("index is open read-only"));
        }
        if (!index.exclusive_) {
            if (!index.file_.lock(lockOffset, 1, write, index.policy_)) {
                index.file_.fail(ErrorCode::Locked,
                                 QStringLiteral("index is locked by another user"));
            }
            locked_ = true;
        }
        if (!index.exclusive_ || index.headerStale_) {
            refresh();
        }
    }

    ~Access() {
        if (write_ && !finished_) {
            // An operation that failed half-way: forget what is cached and read it again.
            index_.dropCache();
            index_.headerStale_ = true;
        }
        if (locked_) {
            index_.file_.unlock(lockOffset, 1);
        }
    }

    void finish() {
        if (index_.modified_ || index_.headerDirty_) {
            if (!index_.exclusive_ || index_.headerDirty_) {
                if (!index_.exclusive_) {
                    ++index_.changeCounter_;
                }
                index_.writeHeader();
            }
            index_.modified_ = false;
            index_.headerDirty_ = false;
        }
        finished_ = true;
    }

  private:
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
