// Building a whole NDX index at once: sort the keys, fill leaves, stack interior levels on top,
// write everything to a temporary file and rename it over the index.
#include "platform/xbase/NdxIndex.h"

#include "platform/xbase/XbaseError.h"

#include <fcntl.h>
#include <QRandomGenerator>
#include <QtEndian>
#include <algorithm>

namespace vel::xbase {
namespace {

// A built node: its page and the largest key below it.
struct BuiltNode {
    quint32 page;
    const char* maximumKey;
};

class PageWriter {
  public:
    PageWriter(int entrySize, int keyLength) : entrySize_(entrySize), keyLength_(keyLength) {
        bytes_.resize(NdxPage::size, '\0');  // page 0, the header, filled in last
    }

    NdxPage newPage() {
        return NdxPage(quint32(bytes_.size() / NdxPage::size), entrySize_, keyLength_);
    }
    void append(const NdxPage& page) { bytes_.append(page.data(), NdxPage::size); }
    quint32 pageCount() const { return quint32(bytes_.size() / NdxPage::size); }
    QByteArray& bytes() { return bytes_; }

  private:
    int entrySize_;
    int keyLength_;
    QByteArray bytes_;
};

// Splits count items into groups of at most capacity, never leaving a last group of one.
std::vector<int> groupSizes(int count, int capacity) {
    std::vector<int> sizes;
    for (int left = count; left > 0; left -= sizes.back()) {
        sizes.push_back(std::min(left, capacity));
    }
    if (sizes.size() > 1 && sizes.back() == 1) {
        --sizes[sizes.size() - 2];
        ++sizes.back();
    }
    return sizes;
}

}  // namespace

int NdxIndex::build(FileOperations& operations, const QString& path, const KeyExpression& key,
                    bool unique, const std::vector<char>& keys, const std::vector<quint32>& records,
                    bool lockExclusively) {
    QString temporaryPath;
    BinaryFile temporary(operations, QString());
    temporary.adopt(buildBeside(operations, path, key, unique, keys, records, &temporaryPath));
    temporary.setPath(temporaryPath);
    try {
        if (!lockExclusively) {
            temporary.unlock(openLockOffset, 1);
        }
        if (operations.renameFile(temporary.nativePath(),
                                  BinaryFile(operations, path).nativePath()) != 0) {
            const int renameError = errno;
            BinaryFile(operations, path)
                .failWithErrno(ErrorCode::WriteFailed, QStringLiteral("replace"), renameError);
        }
    } catch (...) {
        temporary.close();
        operations.removeFile(temporary.nativePath());
        throw;
    }
    return temporary.release();
}

int NdxIndex::buildBeside(FileOperations& operations, const QString& path, const KeyExpression& key,
                          bool unique, const std::vector<char>& keys,
                          const std::vector<quint32>& records, QString* temporaryPath) {
    const int keyLength = key.keyLength();
    const int entrySize = (keyLength + 8 + 3) & ~3;
    const int capacity = NdxPage::interiorCapacity(entrySize);
    const auto keyOf = [&](size_t index) { return keys.data() + index * size_t(keyLength); };

    std::vector<quint32> order(records.size());
    for (size_t index = 0; index < order.size(); ++index) {
        order[index] = quint32(index);
    }
    std::stable_sort(order.begin(), order.end(), [&](quint32 left, quint32 right) {
        return std::memcmp(keyOf(left), keyOf(right), size_t(keyLength)) < 0;
    });
    if (unique) {
        order.erase(std::unique(order.begin(), order.end(),
                                [&](quint32 left, quint32 right) {
                                    return std::memcmp(keyOf(left), keyOf(right),
                                                       size_t(keyLength)) == 0;
                                }),
                    order.end());
    }

    PageWriter writer(entrySize, keyLength);
    std::vector<BuiltNode> level;
    size_t position = 0;
    for (int size : groupSizes(std::max(1, int(order.size())), capacity)) {
        NdxPage leaf = writer.newPage();
        int count = 0;
        for (; count < size && position < order.size(); ++count, ++position) {
            leaf.setEntry(count, 0, records[order[position]], keyOf(order[position]));
        }
        leaf.setCount(count);
        level.push_back({leaf.number(), count ? keyOf(order[position - 1]) : nullptr});
        writer.append(leaf);
    }
    while (level.size() > 1) {
        std::vector<BuiltNode> parents;
        size_t child = 0;
        for (int size : groupSizes(int(level.size()), capacity + 1)) {
            NdxPage node = writer.newPage();
            for (int slot = 0; slot < size - 1; ++slot, ++child) {
                node.setEntry(slot, level[child].page, 0, level[child].maximumKey);
            }
            node.setChild(size - 1, level[child].page);
            node.setCount(size - 1);
            parents.push_back({node.number(), level[child].maximumKey});
            ++child;
            writer.append(node);
        }
        level = std::move(parents);
    }

    char* header = writer.bytes().data();
    qToLittleEndian<quint32>(level.front().page, header);
    qToLittleEndian<quint32>(writer.pageCount(), header + 4);
    qToLittleEndian<quint16>(quint16(keyLength), header + 12);
    qToLittleEndian<quint16>(quint16(capacity), header + 14);
    qToLittleEndian<quint16>(quint16(entrySize), header + 18);
    header[23] = unique ? 1 : 0;
    const QByteArray expression = key.text().toLatin1().left(changeCounterOffset - 25);
    std::memcpy(header + 24, expression.constData(), size_t(expression.size()));
    qToLittleEndian<quint32>(QRandomGenerator::global()->generate(), header + changeCounterOffset);

    *temporaryPath = path + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8,
                                                          16, QLatin1Char('0'));
    BinaryFile temporary(operations, *temporaryPath);
    const int error = temporary.open(O_RDWR | O_CREAT | O_EXCL, 0666);
    if (error != 0) {
        temporary.failWithErrno(ErrorCode::WriteFailed, QStringLiteral("create"), error);
    }
    try {
        temporary.writeExactly(0, writer.bytes().constData(), writer.bytes().size());
        temporary.sync();
        if (!temporary.lock(openLockOffset, 1, true, LockPolicy::failAtOnce())) {
            temporary.fail(ErrorCode::Locked, QStringLiteral("new index is locked"));
        }
    } catch (...) {
        temporary.close();
        operations.removeFile(temporary.nativePath());
        throw;
    }
    return temporary.release();
}

void NdxIndex::rebuild(const std::vector<char>& keys, const std::vector<quint32>& records) {
    if (!isOpen() || readOnly_) {
        file_.fail(ErrorCode::BadArgument, QStringLiteral("index is not open for writing"));
    }
    adoptRebuilt(
        build(file_.operations(), file_.path(), expression_, unique_, keys, records, exclusive_));
}

void NdxIndex::adoptRebuilt(int descriptor) {
    unwatchHeader();
    file_.adopt(descriptor);
    if (!exclusive_ && !file_.lock(openLockOffset, 1, false, LockPolicy::failAtOnce())) {
        file_.fail(ErrorCode::Locked, QStringLiteral("rebuilt index is locked"));
    }
    readHeader();
    watchHeader();
    path_.clear();
    onEntry_ = false;
    cursorStale_ = false;
}

}  // namespace vel::xbase
