// Two users of one table and index in shared mode: what one writes, the other finds at once,
// although each keeps index pages cached; other processes' changes between two seeks, a read
// outdated half-way, and an index held for many changes.
#include "XbaseTestSupport.h"

#include "platform/xbase/TableChecker.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QtEndian>
#include <algorithm>
#include <functional>

namespace vel::xbase::testing {

TEST(XbaseSharedIndex, EachUserSeesTheOthersKeysAndMoves) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("SHARED.DBF"));
    const QString indexPath = folder.filePath(QStringLiteral("SHARED.NDX"));
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    Table first;
    Table second;
    ASSERT_TRUE(first.open(path, OpenOptions::shared(LockPolicy::failAtOnce())).ok());
    ASSERT_TRUE(first.createIndex(indexPath, QStringLiteral("CODE")).ok());
    ASSERT_TRUE(second.open(path, OpenOptions::shared(LockPolicy::failAtOnce())).ok());
    ASSERT_TRUE(second.openIndex(indexPath, QStringLiteral("CODE")).ok());
    ASSERT_TRUE(first.selectIndex(0).ok());
    ASSERT_TRUE(second.selectIndex(0).ok());

    SeekResult result;
    for (int number = 0; number < 400; ++number) {
        Table& writer = number % 2 ? first : second;
        Table& reader = number % 2 ? second : first;
        const QString code =
            QStringLiteral("K%1").arg((number * 37) % 400, 3, 10, QLatin1Char('0'));
        appendLookup(writer, code, QStringLiteral("by %1").arg(number % 2), QString());
        ASSERT_TRUE(reader.seekPadded(code, &result).ok());
        ASSERT_EQ(result, SeekResult::Found) << code.toStdString();
        EXPECT_EQ(reader.recordNumber(), quint32(number + 1));
    }
    // A key changed by one user moves in the other's order.
    ASSERT_TRUE(first.seekPadded(QStringLiteral("K000"), &result).ok());
    ASSERT_TRUE(first.setText(0, QStringLiteral("ZZZ")).ok());
    ASSERT_TRUE(first.flush().ok());
    ASSERT_TRUE(second.goBottom().ok());
    EXPECT_EQ(second.text(0), QStringLiteral("ZZZ"));
    ASSERT_TRUE(second.goTop().ok());
    EXPECT_EQ(second.text(0), QStringLiteral("K001"));
    int seen = 0;
    for (Status moved = second.goTop(); moved.ok() && !second.eof(); moved = second.skip()) {
        ++seen;
    }
    EXPECT_EQ(seen, 400);
    first.close();
    second.close();
    EXPECT_TRUE(TableChecker().checkIndex(path, indexPath).ok());
}

}  // namespace vel::xbase::testing

namespace vel::xbase::testing {
namespace {

// A table of count lookup records K000, K001, ... with an index on CODE, both closed.
void makeIndexedTable(const QString& path, const QString& indexPath, int count) {
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    Table table;
    ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
    ASSERT_TRUE(table.createIndex(indexPath, QStringLiteral("CODE")).ok());
    for (int number = 0; number < count; ++number) {
        appendLookup(table, QStringLiteral("K%1").arg(number, 3, 10, QLatin1Char('0')),
                     QStringLiteral("first"), QString());
    }
    ASSERT_TRUE(table.close().ok());
}

// A folder with such a table of count records.
struct IndexedTable {
    explicit IndexedTable(int count)
        : path(folder.filePath(QStringLiteral("TABLE.DBF"))),
          indexPath(folder.filePath(QStringLiteral("TABLE.NDX"))) {
        makeIndexedTable(path, indexPath, count);
    }
    QTemporaryDir folder;
    const QString path;
    const QString indexPath;
};

void openShared(Table& table, const QString& path, const QString& indexPath) {
    ASSERT_TRUE(table.open(path, OpenOptions::shared(LockPolicy::failAtOnce())).ok());
    ASSERT_TRUE(table.openIndex(indexPath, QStringLiteral("CODE")).ok());
    ASSERT_TRUE(table.selectIndex(0).ok());
}

SeekResult seekCode(Table& table, const QString& code) {
    SeekResult result = SeekResult::Eof;
    const Status status = table.seekPadded(code, &result);
    EXPECT_TRUE(status.ok()) << text(status);
    return result;
}

// Every key in index order.
QStringList walk(Table& table) {
    QStringList codes;
    for (Status moved = table.goTop(); moved.ok() && !table.eof(); moved = table.skip()) {
        codes << table.text(0);
    }
    return codes;
}

int exitCodeOf(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

// Runs change in a child process on its own open of the table; true when it succeeded.
template <typename Change>
bool inAnotherProcess(const QString& path, const QString& indexPath, Change change) {
    const pid_t child = fork();
    if (child == 0) {
        Table other;
        const bool opened = other.open(path, OpenOptions::shared(LockPolicy::failAtOnce())).ok() &&
                            other.openIndex(indexPath, QStringLiteral("CODE")).ok() &&
                            other.selectIndex(0).ok();
        _exit(opened && change(other) ? 0 : 1);
    }
    return child > 0 && exitCodeOf(child) == 0;
}

bool recode(Table& table, const QString& from, const QString& to) {
    SeekResult result;
    return table.seekPadded(from, &result).ok() && result == SeekResult::Found &&
           table.setText(0, to).ok() && table.flush().ok();
}

quint32 counterOf(const QByteArray& index) {
    return qFromLittleEndian<quint32>(index.constData() + NdxIndex::changeCounterOffset);
}

bool appendCode(Table& table, const QString& code) {
    return table.appendBlank().ok() && table.setText(0, code).ok() && table.flush().ok();
}

// The standard operations, watched: counts the read locks on the index, calls
// beforeIndexReadLock just before the next one is taken, can say that the files are not on a
// local disk, and can report a whole-file read of the index as empty (so that every page is
// read on its own).
class WatchedFileOperations : public FileOperations {
  public:
    bool local = true;
    bool wholeIndexReads = true;
    int indexReadLocks = 0;
    std::function<void()> beforeIndexReadLock;

    bool isLocalFile(int descriptor) override {
        return local && FileOperations::isLocalFile(descriptor);
    }
    ssize_t readAt(int descriptor, void* buffer, size_t size, off_t offset) override {
        if (!wholeIndexReads && size > 512) {
            return 0;
        }
        return FileOperations::readAt(descriptor, buffer, size, offset);
    }
    int lockRange(int descriptor, int command, short type, off_t start, off_t length) override {
        if (type == F_RDLCK && start == NdxIndex::lockOffset) {
            ++indexReadLocks;
            if (beforeIndexReadLock) {
                const std::function<void()> hook = std::move(beforeIndexReadLock);
                beforeIndexReadLock = nullptr;
                hook();
            }
        }
        return FileOperations::lockRange(descriptor, command, type, start, length);
    }
};

}  // namespace

// A reader keeps the pages it read and trusts them without a lock while the index header says
// nobody changed the file: changes by another process between two seeks are still seen, whether
// they change a cached leaf in place, split pages and grow a new root, or move a key away.
TEST(XbaseSharedIndex, ChangesByAnotherProcessBetweenSeeksAreSeenThroughTheCache) {
    const IndexedTable table(30);
    const QString& path = table.path;
    const QString& indexPath = table.indexPath;
    Table reader;
    openShared(reader, path, indexPath);
    ASSERT_EQ(seekCode(reader, QStringLiteral("K010")), SeekResult::Found);
    ASSERT_EQ(seekCode(reader, QStringLiteral("K0105")), SeekResult::After);

    // A key put into the leaf the reader holds.
    ASSERT_TRUE(inAnotherProcess(
        path, indexPath, [](Table& other) { return appendCode(other, QStringLiteral("K0105")); }));
    ASSERT_EQ(seekCode(reader, QStringLiteral("K0105")), SeekResult::Found);
    EXPECT_EQ(reader.recordNumber(), 31u);

    // Hundreds of keys: pages split and the root changes; one old key moves to the end.
    ASSERT_TRUE(inAnotherProcess(path, indexPath, [](Table& other) {
        for (int number = 0; number < 400; ++number) {
            if (!appendCode(other, QStringLiteral("M%1").arg(number, 3, 10, QLatin1Char('0')))) {
                return false;
            }
        }
        return recode(other, QStringLiteral("K010"), QStringLiteral("Z010"));
    }));
    EXPECT_EQ(seekCode(reader, QStringLiteral("K010")), SeekResult::After);
    EXPECT_EQ(reader.text(0), QStringLiteral("K0105"));
    ASSERT_EQ(seekCode(reader, QStringLiteral("M399")), SeekResult::Found);
    EXPECT_EQ(reader.recordNumber(), 431u);
    ASSERT_EQ(seekCode(reader, QStringLiteral("Z010")), SeekResult::Found);
    EXPECT_EQ(reader.recordNumber(), 11u);
    const QStringList order = walk(reader);
    EXPECT_EQ(order.size(), 431);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));

    // A change in the reader's process is seen by a fresh process too.
    ASSERT_TRUE(recode(reader, QStringLiteral("M000"), QStringLiteral("A000")));
    EXPECT_TRUE(inAnotherProcess(path, indexPath, [](Table& other) {
        return other.goTop().ok() && other.text(0) == QStringLiteral("A000");
    }));
    reader.close();
    EXPECT_TRUE(TableChecker().checkIndex(path, indexPath).ok());
}

// A reader that trusted its cache and then needs a page it has not read takes the lock; when
// another user changed the index just before that, it starts over under the lock: a seek finds
// the keys as they are now, and a walk goes on from the entry it stood on in the new order.
TEST(XbaseSharedIndex, AReadOutdatedHalfWayIsRepeatedUnderTheLock) {
    const IndexedTable table(200);
    const QString& path = table.path;
    const QString& indexPath = table.indexPath;
    WatchedFileOperations operations;
    operations.wholeIndexReads = false;
    Table reader(operations);
    openShared(reader, path, indexPath);
    Table writer;
    openShared(writer, path, indexPath);

    // Only the first leaf is cached; the seek of K1525 needs another one. Meanwhile the writer
    // moves K150 away and adds 50 keys around it, which splits its leaf: the pages cached
    // before would lead the seek to the wrong leaf.
    ASSERT_EQ(seekCode(reader, QStringLiteral("K000")), SeekResult::Found);
    bool changed = false;
    operations.beforeIndexReadLock = [&] {
        changed = recode(writer, QStringLiteral("K150"), QStringLiteral("A150"));
        for (int number = 0; number < 50; ++number) {
            changed = changed && appendCode(writer, QStringLiteral("K15%1").arg(number, 2, 10,
                                                                                QLatin1Char('0')));
        }
    };
    ASSERT_EQ(seekCode(reader, QStringLiteral("K1525")), SeekResult::Found);
    EXPECT_TRUE(changed);
    EXPECT_EQ(reader.recordNumber(), 226u);
    ASSERT_EQ(seekCode(reader, QStringLiteral("A150")), SeekResult::Found);
    EXPECT_EQ(reader.recordNumber(), 151u);

    // A walk: the change comes when it first leaves the cached pages.
    ASSERT_TRUE(reader.close().ok());
    openShared(reader, path, indexPath);
    QStringList before;
    ASSERT_TRUE(reader.goTop().ok());
    before << reader.text(0);
    changed = false;
    operations.beforeIndexReadLock = [&] {
        changed = recode(writer, QStringLiteral("K199"), QStringLiteral("K0605")) &&
                  recode(writer, QStringLiteral("K001"), QStringLiteral("Z001"));
    };
    QStringList after;
    while (reader.skip().ok() && !reader.eof()) {
        (changed ? after : before) << reader.text(0);
    }
    ASSERT_TRUE(changed);
    ASSERT_FALSE(after.isEmpty());
    QStringList expected;
    for (const QString& code : walk(writer)) {
        if (code > before.constLast()) {
            expected << code;
        }
    }
    EXPECT_EQ(after, expected) << "after " << before.constLast().toStdString();
}

// A held index (a rebuild) keeps the write lock and writes its pages once, at release: others
// read the index as it was meanwhile, and the file afterwards is byte for byte the one that the
// same changes write one by one.
TEST(XbaseSharedIndex, AHeldIndexWritesTheSameFileOnceAtRelease) {
    QTemporaryDir folder;
    const auto pathOf = [&](const char* name) { return folder.filePath(QLatin1String(name)); };
    for (const char* name : {"ONE", "HELD"}) {
        makeIndexedTable(pathOf(name) + QStringLiteral(".DBF"),
                         pathOf(name) + QStringLiteral(".NDX"), 50);
    }
    const auto change = [](Table& table) {
        for (int number = 0; number < 300; ++number) {
            ASSERT_TRUE(appendCode(table, QStringLiteral("N%1").arg((number * 37) % 300)));
            if (number < 50) {
                ASSERT_TRUE(recode(table,
                                   QStringLiteral("K%1").arg(number, 3, 10, QLatin1Char('0')),
                                   QStringLiteral("R%1").arg(number)));
            }
        }
    };
    const quint32 oneCounter = counterOf(fileBytes(pathOf("ONE.NDX")));
    Table oneByOne;
    openShared(oneByOne, pathOf("ONE.DBF"), pathOf("ONE.NDX"));
    change(oneByOne);
    ASSERT_TRUE(oneByOne.close().ok());

    Table held;
    openShared(held, pathOf("HELD.DBF"), pathOf("HELD.NDX"));
    Table other;
    openShared(other, pathOf("HELD.DBF"), pathOf("HELD.NDX"));
    ASSERT_EQ(seekCode(other, QStringLiteral("K020")), SeekResult::Found);
    const QByteArray indexBefore = fileBytes(pathOf("HELD.NDX"));
    ASSERT_TRUE(held.lockFile().ok());
    held.index(0).hold();
    change(held);
    EXPECT_EQ(fileBytes(pathOf("HELD.NDX")), indexBefore) << "nothing is written while held";
    // The other reader's cache is still the file's: it reads the index as it was.
    EXPECT_EQ(seekCode(other, QStringLiteral("K020")), SeekResult::Found);
    ASSERT_TRUE(other.close().ok());
    openShared(other, pathOf("HELD.DBF"), pathOf("HELD.NDX"));
    SeekResult result;
    EXPECT_EQ(other.seekPadded(QStringLiteral("K020"), &result).code(), ErrorCode::Locked);
    ASSERT_TRUE(held.unlockAll().ok());
    EXPECT_FALSE(held.index(0).isHeld());
    EXPECT_EQ(seekCode(other, QStringLiteral("K020")), SeekResult::After);
    EXPECT_EQ(seekCode(other, QStringLiteral("R20")), SeekResult::Found);
    ASSERT_TRUE(held.close().ok());
    ASSERT_TRUE(other.close().ok());

    // Apart from the change counter, which a new index starts at random: it counts the same
    // changes in both.
    const QByteArray heldIndex = fileBytes(pathOf("HELD.NDX"));
    const QByteArray oneIndex = fileBytes(pathOf("ONE.NDX"));
    EXPECT_EQ(heldIndex.left(NdxIndex::changeCounterOffset),
              oneIndex.left(NdxIndex::changeCounterOffset));
    EXPECT_EQ(heldIndex.mid(NdxPage::size), oneIndex.mid(NdxPage::size));
    EXPECT_EQ(counterOf(heldIndex) - counterOf(indexBefore), counterOf(oneIndex) - oneCounter);
    EXPECT_EQ(fileBytes(pathOf("HELD.DBF")), fileBytes(pathOf("ONE.DBF")));
    EXPECT_TRUE(TableChecker().checkIndex(pathOf("HELD.DBF"), pathOf("HELD.NDX")).ok());
}

// On a local disk a reader whose cache is current seeks without a lock; on a network folder,
// whose clients see each other's writes only through locks, every read takes the lock.
TEST(XbaseSharedIndex, OnlyReadersOnALocalDiskSeekWithoutTheLock) {
    const IndexedTable table(100);
    const QString& path = table.path;
    const QString& indexPath = table.indexPath;
    WatchedFileOperations operations;
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    const bool onLocalDisk = operations.isLocalFile(descriptor);
    ::close(descriptor);
    ASSERT_TRUE(onLocalDisk) << "the test folder is on a local disk";
    for (const bool local : {true, false}) {
        operations.local = local;
        Table reader(operations);
        openShared(reader, path, indexPath);
        ASSERT_EQ(seekCode(reader, QStringLiteral("K050")), SeekResult::Found);
        operations.indexReadLocks = 0;
        for (int number = 0; number < 100; number += 7) {
            ASSERT_EQ(seekCode(reader, QStringLiteral("K%1").arg(number, 3, 10, QLatin1Char('0'))),
                      SeekResult::Found);
        }
        EXPECT_EQ(operations.indexReadLocks, local ? 0 : 15) << local;
    }
}

}  // namespace vel::xbase::testing
