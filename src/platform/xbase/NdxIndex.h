#pragma once
// A single-tag NDX index file: a B-tree of 512-byte pages whose header names the key expression.
// Keys compare as raw bytes; duplicates are allowed unless the index is unique (then only the
// first record of a key is indexed). Interior keys are upper bounds of their subtrees, so a
// delete only takes the entry out of its leaf; pages emptied that way are reused by later inserts
// and dropped by a rebuild.
//
// Shared use: a writer holds a write lock on byte 1,000,000,000 of the index file while it works
// and bumps a change counter in the header (bytes 508-511, unused by the format) last, so that
// other processes drop their cached pages. A reader first reads the header without a lock: while
// root, page count and counter are those of its cached pages, no writer has finished since they
// were read, and it walks them as they are. Otherwise, or when it needs a page it has not cached,
// it takes the read lock and reads what changed (see NdxIndexAccess.h).
//
// hold() keeps the write lock across many changes (a rebuild of the whole table): pages and
// header are then written once, at release(), and other users' locked reads wait meanwhile.
#include "platform/xbase/BinaryFile.h"
#include "platform/xbase/KeyExpression.h"
#include "platform/xbase/NdxPage.h"

#include <functional>
#include <memory>
#include <vector>

namespace vel::xbase {

class NdxIndex {
  public:
    static constexpr qint64 lockOffset = 1000000000;      // held while reading or changing the tree
    static constexpr qint64 openLockOffset = 0x7FFFFFFF;  // shared or exclusive use of the file
    static constexpr int changeCounterOffset = 508;

    enum class SeekOutcome { Found, After, End };

    NdxIndex(FileOperations& operations, const QString& path);
    ~NdxIndex();
    NdxIndex(const NdxIndex&) = delete;
    NdxIndex& operator=(const NdxIndex&) = delete;

    // Opens the file and reads its header; throws XbaseError. The key expression is compiled
    // against fields when given; without fields (a look at a lone index) it is only read.
    void open(const QList<FieldDescriptor>* fields, bool exclusive, bool readOnly,
              const LockPolicy& policy);
    // Compiles the stored key expression against the table's fields; throws when it does not fit.
    void compile(const QList<FieldDescriptor>& fields);
    void close();
    bool isOpen() const { return file_.isOpen(); }
    // Takes the write lock for many changes (shared mode; exclusive indexes need none) and keeps
    // every changed page until release(), which writes them and the header and lets go.
    void hold();
    void release();
    bool isHeld() const { return held_; }
    void setLockPolicy(const LockPolicy& policy) { policy_ = policy; }

    // Writes a complete index of the given keys (keyLength bytes each, in record order) through a
    // temporary file that then replaces path. Returns the open descriptor of the new file, which
    // holds the exclusive open lock when lockExclusively is set.
    static int build(FileOperations& operations, const QString& path, const KeyExpression& key,
                     bool unique, const std::vector<char>& keys,
                     const std::vector<quint32>& records, bool lockExclusively);
    // The same, written and synced into a temporary file beside path (named in temporaryPath)
    // that the caller renames; the descriptor holds the exclusive open lock.
    static int buildBeside(FileOperations& operations, const QString& path,
                           const KeyExpression& key, bool unique, const std::vector<char>& keys,
                           const std::vector<quint32>& records, QString* temporaryPath);
    // Rebuilds this open index from the keys of all records (the table is held exclusively).
    void rebuild(const std::vector<char>& keys, const std::vector<quint32>& records);
    // Takes over the descriptor of this index's file rebuilt by buildBeside and renamed.
    void adoptRebuilt(int descriptor);

    const QString& path() const { return file_.path(); }
    const QString& storedExpression() const { return storedExpression_; }
    const KeyExpression& expression() const { return expression_; }
    int keyLength() const { return keyLength_; }
    bool isUnique() const { return unique_; }

    void insert(const char* key, quint32 record);
    bool remove(const char* key, quint32 record);

    // Positions on the first entry whose key starts at or after the first length bytes of key.
    SeekOutcome seek(const char* key, int length);
    bool first();
    bool last();
    bool next();
    bool previous();
    // Positions exactly on an entry; false when it is not there.
    bool find(const char* key, quint32 record);
    bool onEntry() const { return onEntry_; }
    quint32 record() const { return cursorRecord_; }
    const QByteArray& key() const { return cursorKey_; }

    // Calls visitor for every entry in order, checking the tree's shape; throws CorruptIndex.
    void visit(const std::function<void(const char* key, quint32 record)>& visitor);

  private:
    class Access;
    struct CacheOutdated {};  // a page was missing and the file had changed: read again, locked
    struct Step {
        quint32 page;
        int slot;
    };

    void readHeader();
    void writeHeader();
    NdxPage& load(quint32 number);
    void store(NdxPage& page);
    NdxPage& allocate();
    void dropCache();
    // Shared indexes on a local disk: readers may trust their cache after a look at the header,
    // which is mapped when it can be (no system call at all).
    void watchHeader();
    void unwatchHeader();
    void lockAfterMiss();
    void readImage();
    void writeHeldPages();
    // Runs a read-only operation; when its unlocked walk turns out to be outdated, runs it again
    // under the read lock from the cursor it started with.
    template <typename Operation>
    auto reading(Operation operation);
    [[noreturn]] void corrupt(const QString& problem) const;

    void descend(const char* key, int length, bool upperBound);
    void descendEdge(quint32 page, bool leftmost);
    bool settleForward();
    bool settleBackward();
    bool advance();
    bool retreat();
    bool restore();
    void remember();
    void insertAt(int level, const char* key, quint32 record, quint32 child);
    void visitPage(quint32 number, int depth, const QByteArray& bound, std::vector<bool>& seen,
                   const std::function<void(const char*, quint32)>& visitor);

    BinaryFile file_;
    bool exclusive_ = true;
    bool readOnly_ = false;
    LockPolicy policy_;
    QString storedExpression_;
    KeyExpression expression_;
    int keyLength_ = 0;
    int entrySize_ = 0;
    int maximumKeys_ = 0;
    bool unique_ = false;
    quint32 root_ = 0;
    quint32 pageCount_ = 0;
    quint32 changeCounter_ = 0;
    bool headerDirty_ = false;
    bool headerStale_ = false;
    bool modified_ = false;
    bool trustCache_ = false;
    const char* mappedHeader_ = nullptr;
    bool readingUnlocked_ = false;  // the current read trusts the cache without the lock
    bool lockedAfterMiss_ = false;  // ... and took the lock for a page it had not cached
    bool held_ = false;
    bool heldHeaderChanged_ = false;
    std::vector<quint32> heldPages_;  // changed while held, not yet written
    std::vector<std::unique_ptr<NdxPage>> cache_;
    // The whole file as read under the lock with the cached pages (small indexes): pages not
    // cached yet come from it without a system call; changed pages are in cache_.
    std::vector<char> image_;
    std::vector<Step> path_;
    bool onEntry_ = false;
    bool cursorStale_ = false;
    quint32 cursorRecord_ = 0;
    QByteArray cursorKey_;
};

}  // namespace vel::xbase
