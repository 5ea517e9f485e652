#pragma once
// A single-tag NDX index file: a B-tree of 512-byte pages whose header names the key expression.
// Keys compare as raw bytes; duplicates are allowed unless the index is unique (then only the
// first record of a key is indexed). Interior keys are upper bounds of their subtrees, so a
// delete only takes the entry out of its leaf; pages emptied that way are reused by later inserts
// and dropped by a rebuild.
//
// Shared use: a reader holds a read lock and a writer a write lock on byte 1,000,000,000 of the
// index file while it works; every writer bumps a change counter in the header (bytes 508-511,
// unused by the format) so that other processes drop their cached pages.
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
    std::vector<std::unique_ptr<NdxPage>> cache_;
    std::vector<Step> path_;
    bool onEntry_ = false;
    bool cursorStale_ = false;
    quint32 cursorRecord_ = 0;
    QByteArray cursorKey_;
};

}  // namespace vel::xbase
