#include "platform/xbase/NdxIndex.h"

#include "platform/xbase/NdxIndexAccess.h"
#include "platform/xbase/XbaseError.h"

#include <fcntl.h>
#include <QtEndian>
#include <algorithm>

namespace vel::xbase {
namespace {

constexpr int maximumDepth = 32;
constexpr int maximumKeyLength = 100;

int compareKeys(const char* left, const char* right, int length) {
    return std::memcmp(left, right, size_t(length));
}

}  // namespace

NdxIndex::NdxIndex(FileOperations& operations, const QString& path) : file_(operations, path) {}

NdxIndex::~NdxIndex() {
    close();
}

void NdxIndex::open(const QList<FieldDescriptor>* fields, bool exclusive, bool readOnly,
                    const LockPolicy& policy) {
    close();
    exclusive_ = exclusive;
    readOnly_ = readOnly;
    policy_ = policy;
    const int error = file_.open(readOnly ? O_RDONLY : O_RDWR);
    if (error != 0) {
        file_.failWithErrno(error == ENOENT ? ErrorCode::NotFound : ErrorCode::OpenFailed,
                            QStringLiteral("open"), error);
    }
    try {
        if (!file_.lock(openLockOffset, 1, exclusive, openingPolicy(policy))) {
            file_.fail(ErrorCode::Locked, exclusive
                                              ? QStringLiteral("index is in use by another user")
                                              : QStringLiteral("index is held exclusively by "
                                                               "another user"));
        }
        readHeader();
        if (fields) {
            compile(*fields);
        }
        watchHeader();
    } catch (...) {
        file_.close();
        throw;
    }
}

void NdxIndex::compile(const QList<FieldDescriptor>& fields) {
    try {
        expression_ = KeyExpression::compile(storedExpression_, fields);
    } catch (const XbaseError& error) {
        file_.fail(error.code(), error.description());
    }
    if (expression_.keyLength() != keyLength_) {
        corrupt(QStringLiteral("key length %1 disagrees with the expression %2 (%3)")
                    .arg(keyLength_)
                    .arg(storedExpression_)
                    .arg(expression_.keyLength()));
    }
}

void NdxIndex::close() {
    if (held_) {
        try {
            release();
        } catch (const XbaseError&) {
            // Closing cannot report it; the index's check finds what is missing.
        }
    }
    unwatchHeader();
    file_.close();
    dropCache();
    path_.clear();
    onEntry_ = false;
}

void NdxIndex::readHeader() {
    char bytes[NdxPage::size];
    const qint64 read = file_.readUpTo(0, bytes, NdxPage::size);
    if (read < NdxPage::size) {
        corrupt(QStringLiteral("index header is truncated (%1 bytes)").arg(read));
    }
    root_ = qFromLittleEndian<quint32>(bytes);
    pageCount_ = qFromLittleEndian<quint32>(bytes + 4);
    keyLength_ = qFromLittleEndian<quint16>(bytes + 12);
    const int keyType = qFromLittleEndian<quint16>(bytes + 16);
    entrySize_ = qFromLittleEndian<quint16>(bytes + 18);
    unique_ = bytes[23] != 0;
    changeCounter_ = qFromLittleEndian<quint32>(bytes + changeCounterOffset);
    const auto expressionLength = qstrnlen(bytes + 24, changeCounterOffset - 24);
    storedExpression_ = QString::fromLatin1(bytes + 24, qsizetype(expressionLength)).trimmed();
    if (keyType != 0) {
        corrupt(QStringLiteral("numeric keys are not supported"));
    }
    if (keyLength_ < 1 || keyLength_ > maximumKeyLength) {
        corrupt(QStringLiteral("key length %1 is not usable").arg(keyLength_));
    }
    if (entrySize_ < keyLength_ + 8 || NdxPage::interiorCapacity(entrySize_) < 2) {
        corrupt(QStringLiteral("entry size %1 does not fit key length %2")
                    .arg(entrySize_)
                    .arg(keyLength_));
    }
    const qint64 fileSize = file_.size();
    if (pageCount_ < 2 || qint64(pageCount_ - 1) * NdxPage::size >= fileSize + NdxPage::size) {
        corrupt(QStringLiteral("page count %1 disagrees with the file size (%2 bytes)")
                    .arg(pageCount_)
                    .arg(fileSize));
    }
    if (root_ == 0 || root_ >= pageCount_) {
        corrupt(QStringLiteral("root page %1 is outside the %2 pages").arg(root_).arg(pageCount_));
    }
    if (storedExpression_.isEmpty()) {
        corrupt(QStringLiteral("index has no key expression"));
    }
    maximumKeys_ = NdxPage::interiorCapacity(entrySize_);
    dropCache();
}

void NdxIndex::writeHeader() {
    char bytes[NdxPage::size] = {};
    qToLittleEndian<quint32>(root_, bytes);
    qToLittleEndian<quint32>(pageCount_, bytes + 4);
    qToLittleEndian<quint16>(quint16(keyLength_), bytes + 12);
    qToLittleEndian<quint16>(quint16(maximumKeys_), bytes + 14);
    qToLittleEndian<quint16>(quint16(entrySize_), bytes + 18);
    bytes[23] = unique_ ? 1 : 0;
    const QByteArray expression = storedExpression_.toLatin1().left(changeCounterOffset - 25);
    std::memcpy(bytes + 24, expression.constData(), size_t(expression.size()));
    qToLittleEndian<quint32>(changeCounter_, bytes + changeCounterOffset);
    file_.writeExactly(0, bytes, NdxPage::size);
}

void NdxIndex::corrupt(const QString& problem) const {
    file_.fail(ErrorCode::CorruptIndex, problem);
}

// Fills path_ from the root to a leaf. Interior nodes: the first child whose bound is at or after
// key (or past it, for upperBound); the leaf slot likewise.
void NdxIndex::descend(const char* key, int length, bool upperBound) {
    path_.clear();
    quint32 number = root_;
    while (true) {
        if (int(path_.size()) >= maximumDepth) {
            corrupt(QStringLiteral("tree is deeper than %1 levels").arg(maximumDepth));
        }
        NdxPage& page = load(number);
        const int count = page.count();
        int low = 0;
        int high = count;
        while (low < high) {
            const int middle = (low + high) / 2;
            const int order = compareKeys(page.key(middle), key, length);
            if (order < 0 || (upperBound && order == 0 && page.isLeaf())) {
                low = middle + 1;
            } else {
                high = middle;
            }
        }
        path_.push_back({number, low});
        if (page.isLeaf()) {
            return;
        }
        number = page.child(low);
    }
}

void NdxIndex::descendEdge(quint32 number, bool leftmost) {
    while (true) {
        if (int(path_.size()) >= maximumDepth) {
            corrupt(QStringLiteral("tree is deeper than %1 levels").arg(maximumDepth));
        }
        NdxPage& page = load(number);
        if (page.isLeaf()) {
            path_.push_back({number, leftmost ? 0 : page.count() - 1});
            return;
        }
        const int slot = leftmost ? 0 : page.count();
        path_.push_back({number, slot});
        number = page.child(slot);
    }
}

void NdxIndex::remember() {
    const Step& leaf = path_.back();
    NdxPage& page = load(leaf.page);
    cursorRecord_ = page.record(leaf.slot);
    cursorKey_.resize(keyLength_);
    std::memcpy(cursorKey_.data(), page.key(leaf.slot), size_t(keyLength_));
    onEntry_ = true;
    cursorStale_ = false;
}

// Moves from the current leaf slot to the first entry at or after it.
bool NdxIndex::settleForward() {
    while (!path_.empty()) {
        const Step leaf = path_.back();
        if (leaf.slot < load(leaf.page).count()) {
            remember();
            return true;
        }
        path_.pop_back();
        while (!path_.empty()) {
            Step& parent = path_.back();
            NdxPage& page = load(parent.page);
            if (parent.slot < page.count()) {
                ++parent.slot;
                descendEdge(page.child(parent.slot), true);
                break;
            }
            path_.pop_back();
        }
    }
    onEntry_ = false;
    return false;
}

// Moves from the current leaf slot to the last entry at or before it.
bool NdxIndex::settleBackward() {
    while (!path_.empty()) {
        const Step leaf = path_.back();
        if (leaf.slot >= 0 && leaf.slot < load(leaf.page).count()) {
            remember();
            return true;
        }
        path_.pop_back();
        while (!path_.empty()) {
            Step& parent = path_.back();
            if (parent.slot > 0) {
                --parent.slot;
                descendEdge(load(parent.page).child(parent.slot), false);
                break;
            }
            path_.pop_back();
        }
    }
    onEntry_ = false;
    return false;
}

bool NdxIndex::advance() {
    if (path_.empty()) {
        return false;
    }
    ++path_.back().slot;
    return settleForward();
}

bool NdxIndex::retreat() {
    if (path_.empty()) {
        return false;
    }
    --path_.back().slot;
    return settleBackward();
}

// Finds the remembered entry again after the pages changed; false when it is gone (the cursor
// then stands on the first entry at or after its key).
bool NdxIndex::restore() {
    const QByteArray key = cursorKey_;
    const quint32 record = cursorRecord_;
    descend(key.constData(), keyLength_, false);
    bool found = settleForward();
    while (found && compareKeys(cursorKey_.constData(), key.constData(), keyLength_) == 0) {
        if (cursorRecord_ == record) {
            return true;
        }
        found = advance();
    }
    descend(key.constData(), keyLength_, false);
    settleForward();
    return false;
}

template <typename Operation>
auto NdxIndex::reading(Operation operation) {
    const bool onEntry = onEntry_;
    const bool cursorStale = cursorStale_;
    const quint32 cursorRecord = cursorRecord_;
    char cursorKey[maximumKeyLength];
    const qsizetype cursorKeyLength = cursorKey_.size();
    std::memcpy(cursorKey, cursorKey_.constData(), size_t(cursorKeyLength));
    try {
        Access access(*this, Access::Use::Read);
        const auto result = operation();
        access.finish();
        return result;
    } catch (const CacheOutdated&) {
        onEntry_ = onEntry;
        cursorStale_ = cursorStale;
        cursorRecord_ = cursorRecord;
        cursorKey_.resize(cursorKeyLength);
        std::memcpy(cursorKey_.data(), cursorKey, size_t(cursorKeyLength));
    }
    Access access(*this, Access::Use::LockedRead);  // drops the outdated pages and the path
    const auto result = operation();
    access.finish();
    return result;
}

NdxIndex::SeekOutcome NdxIndex::seek(const char* key, int length) {
    length = std::clamp(length, 0, keyLength_);
    return reading([&] {
        descend(key, length, false);
        if (!settleForward()) {
            return SeekOutcome::End;
        }
        return compareKeys(cursorKey_.constData(), key, length) == 0 ? SeekOutcome::Found
                                                                     : SeekOutcome::After;
    });
}

bool NdxIndex::first() {
    return reading([&] {
        path_.clear();
        descendEdge(root_, true);
        return settleForward();
    });
}

bool NdxIndex::last() {
    return reading([&] {
        path_.clear();
        descendEdge(root_, false);
        return settleBackward();
    });
}

bool NdxIndex::next() {
    return reading([&] {
        if (cursorStale_ || (onEntry_ && path_.empty())) {
            return restore() ? advance() : onEntry_;
        }
        return advance();
    });
}

bool NdxIndex::previous() {
    return reading([&] {
        if (cursorStale_ || (onEntry_ && path_.empty())) {
            restore();
        } else if (!onEntry_ && path_.empty()) {
            descendEdge(root_, false);
            return settleBackward();
        }
        return retreat();
    });
}

bool NdxIndex::find(const char* key, quint32 record) {
    return reading([&] {
        descend(key, keyLength_, false);
        bool found = settleForward();
        while (found && compareKeys(cursorKey_.constData(), key, keyLength_) == 0) {
            if (cursorRecord_ == record) {
                return true;
            }
            found = advance();
        }
        return false;
    });
}

void NdxIndex::insert(const char* key, quint32 record) {
    Access access(*this, Access::Use::Write);
    if (unique_) {
        descend(key, keyLength_, false);
        if (settleForward() && compareKeys(cursorKey_.constData(), key, keyLength_) == 0) {
            cursorStale_ = true;
            access.finish();
            return;
        }
    }
    descend(key, keyLength_, true);
    insertAt(int(path_.size()) - 1, key, record, 0);
    cursorStale_ = onEntry_;
    path_.clear();
    access.finish();
}

// Puts an entry into the page at path_[level], splitting it (and its parents) when full.
void NdxIndex::insertAt(int level, const char* key, quint32 record, quint32 child) {
    NdxPage& page = load(path_[level].page);
    const int slot = path_[level].slot;
    const bool interior = !page.isLeaf();
    const int count = page.count();
    if (count < maximumKeys_) {
        page.insert(slot, child, record, key, interior);
        store(page);
        return;
    }
    // Full: lay the entries out with the new one in place, then split them in two.
    struct Entry {
        quint32 child;
        quint32 record;
        QByteArray key;
    };
    std::vector<Entry> entries;
    entries.reserve(size_t(count) + 1);
    for (int index = 0; index < count; ++index) {
        entries.push_back(
            {page.child(index), page.record(index), QByteArray(page.key(index), keyLength_)});
    }
    entries.insert(entries.begin() + slot, Entry{child, record, QByteArray(key, keyLength_)});
    const quint32 trailing = interior ? page.child(count) : 0;

    NdxPage& left = allocate();
    const int total = int(entries.size());
    const int leftCount = total / 2;
    QByteArray separator;
    left.clear();
    page.clear();
    if (interior) {
        for (int index = 0; index < leftCount; ++index) {
            left.setEntry(index, entries[index].child, 0, entries[index].key.constData());
        }
        left.setChild(leftCount, entries[leftCount].child);
        left.setCount(leftCount);
        separator = entries[leftCount].key;
        int target = 0;
        for (int index = leftCount + 1; index < total; ++index, ++target) {
            page.setEntry(target, entries[index].child, 0, entries[index].key.constData());
        }
        page.setChild(target, trailing);
        page.setCount(target);
    } else {
        for (int index = 0; index < leftCount; ++index) {
            left.setEntry(index, 0, entries[index].record, entries[index].key.constData());
        }
        left.setCount(leftCount);
        separator = entries[leftCount - 1].key;
        int target = 0;
        for (int index = leftCount; index < total; ++index, ++target) {
            page.setEntry(target, 0, entries[index].record, entries[index].key.constData());
        }
        page.setCount(target);
    }
    store(left);
    store(page);
    if (level == 0) {
        NdxPage& root = allocate();
        root.clear();
        root.setEntry(0, left.number(), 0, separator.constData());
        root.setChild(1, page.number());
        root.setCount(1);
        store(root);
        root_ = root.number();
        headerDirty_ = true;
        return;
    }
    insertAt(level - 1, separator.constData(), 0, left.number());
}

bool NdxIndex::remove(const char* key, quint32 record) {
    Access access(*this, Access::Use::Write);
    descend(key, keyLength_, false);
    bool found = settleForward();
    while (found && compareKeys(cursorKey_.constData(), key, keyLength_) == 0) {
        if (cursorRecord_ == record) {
            NdxPage& leaf = load(path_.back().page);
            leaf.removeFromLeaf(path_.back().slot);
            store(leaf);
            path_.clear();
            cursorStale_ = true;
            access.finish();
            return true;
        }
        found = advance();
    }
    path_.clear();
    cursorStale_ = true;
    access.finish();
    return false;
}

void NdxIndex::visit(const std::function<void(const char*, quint32)>& visitor) {
    Access access(*this, Access::Use::LockedRead);
    std::vector<bool> seen(pageCount_, false);
    visitPage(root_, 0, QByteArray(), seen, visitor);
    path_.clear();
    cursorStale_ = onEntry_;
    access.finish();
}

void NdxIndex::visitPage(quint32 number, int depth, const QByteArray& bound,
                         std::vector<bool>& seen,
                         const std::function<void(const char*, quint32)>& visitor) {
    if (depth >= maximumDepth) {
        corrupt(QStringLiteral("tree is deeper than %1 levels").arg(maximumDepth));
    }
    if (number < seen.size() && seen[number]) {
        corrupt(QStringLiteral("page %1 is reached twice").arg(number));
    }
    NdxPage& page = load(number);
    seen[number] = true;
    const int count = page.count();
    const bool leaf = page.isLeaf();
    // Copy what we need: visiting children may evict nothing, but keeps the code obvious.
    std::vector<QByteArray> keys;
    for (int slot = 0; slot < count; ++slot) {
        keys.emplace_back(page.key(slot), keyLength_);
        if (!bound.isNull() &&
            compareKeys(keys.back().constData(), bound.constData(), keyLength_) > 0) {
            corrupt(QStringLiteral("page %1 holds a key above its parent's bound").arg(number));
        }
    }
    if (leaf) {
        for (int slot = 0; slot < count; ++slot) {
            visitor(keys[size_t(slot)].constData(), load(number).record(slot));
        }
        return;
    }
    std::vector<quint32> children;
    for (int slot = 0; slot <= count; ++slot) {
        children.push_back(page.child(slot));
    }
    for (int slot = 0; slot <= count; ++slot) {
        visitPage(children[size_t(slot)], depth + 1, slot < count ? keys[size_t(slot)] : bound,
                  seen, visitor);
    }
}

}  // namespace vel::xbase
