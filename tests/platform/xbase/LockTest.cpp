// Locks between processes (fork) and between two opens in one process, which are separate open
// file descriptions and so lock each other out the same way.
#include "XbaseTestSupport.h"

#include <sys/wait.h>
#include <unistd.h>

namespace vel::xbase::testing {
namespace {

QString threeRecordTable(const QTemporaryDir& folder) {
    const QString path = folder.filePath(QStringLiteral("LOCKS.DBF"));
    Table table;
    EXPECT_TRUE(Table::create(path, lookupFields()).ok());
    EXPECT_TRUE(table.open(path).ok());
    for (const char* code : {"A", "B", "C"}) {
        appendLookup(table, QString::fromLatin1(code), QString(), QString());
    }
    EXPECT_TRUE(table.close().ok());
    return path;
}

int exitCodeOf(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

}  // namespace

TEST(XbaseLocks, AnotherProcessIsRefusedAHeldRecordButGetsAnother) {
    QTemporaryDir folder;
    const QString path = threeRecordTable(folder);
    Table holder;
    ASSERT_TRUE(holder.open(path).ok());
    ASSERT_TRUE(holder.lockRecord(1).ok());

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int failures = 0;
        Table other;
        if (!other.open(path, OpenOptions::shared(LockPolicy::failAtOnce())).ok()) {
            _exit(99);
        }
        failures |= other.lockRecord(1).code() == ErrorCode::Locked ? 0 : 1;
        failures |= other.lockRecord(2).ok() ? 0 : 2;
        failures |= other.lockFile().code() == ErrorCode::Locked ? 0 : 4;
        other.go(2);
        other.setText(1, QStringLiteral("child"));
        failures |= other.flush().ok() ? 0 : 8;
        other.go(1);
        other.setText(1, QStringLiteral("intruder"));
        failures |= other.flush().code() == ErrorCode::Locked ? 0 : 16;
        failures |= other.open(path, OpenOptions::exclusive()).code() == ErrorCode::Locked ? 0 : 32;
        _exit(failures);
    }
    EXPECT_EQ(exitCodeOf(child), 0);
    ASSERT_TRUE(holder.go(2).ok());
    EXPECT_EQ(holder.text(1), QStringLiteral("child"));  // the other process's write is seen
    ASSERT_TRUE(holder.go(1).ok());
    EXPECT_EQ(holder.text(1), QString());
}

TEST(XbaseLocks, AWaitingProcessGetsTheRecordOnceItIsReleased) {
    QTemporaryDir folder;
    const QString path = threeRecordTable(folder);
    Table holder;
    ASSERT_TRUE(holder.open(path).ok());
    ASSERT_TRUE(holder.lockRecord(1).ok());
    int toParent[2];
    int toChild[2];
    ASSERT_EQ(pipe(toParent), 0);
    ASSERT_EQ(pipe(toChild), 0);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int pauses = 0;
        // The pause between attempts tells the parent and waits for its release: no sleeping.
        LockPolicy policy = LockPolicy::retry(5, [&](int) {
            ++pauses;
            char signal = 'w';
            char answer = 0;
            if (write(toParent[1], &signal, 1) != 1 || read(toChild[0], &answer, 1) != 1) {
                _exit(98);
            }
        });
        Table other;
        if (!other.open(path, OpenOptions::shared(policy)).ok()) {
            _exit(99);
        }
        const bool locked = other.lockRecord(1).ok();
        other.setText(1, QStringLiteral("waited"));
        const bool written = other.flush().ok();
        _exit(locked && written && pauses == 1 ? 0 : 1);
    }
    char signal = 0;
    ASSERT_EQ(read(toParent[0], &signal, 1), 1);
    EXPECT_EQ(signal, 'w');
    ASSERT_TRUE(holder.unlockRecord(1).ok());
    const char release = 'r';
    ASSERT_EQ(write(toChild[1], &release, 1), 1);
    EXPECT_EQ(exitCodeOf(child), 0);
    ASSERT_TRUE(holder.go(1).ok());
    EXPECT_EQ(holder.text(1), QStringLiteral("waited"));
    for (int descriptor : {toParent[0], toParent[1], toChild[0], toChild[1]}) {
        close(descriptor);
    }
}

TEST(XbaseLocks, OpenModesAppendPointAndFileLocksInOneProcess) {
    QTemporaryDir folder;
    const QString path = threeRecordTable(folder);
    Table first;
    Table second;
    ASSERT_TRUE(first.open(path, OpenOptions::shared(LockPolicy::failAtOnce())).ok());
    ASSERT_TRUE(second.open(path, OpenOptions::shared(LockPolicy::failAtOnce())).ok());

    const Status exclusive = Table().open(path, OpenOptions::exclusive(LockPolicy::failAtOnce()));
    EXPECT_EQ(exclusive.code(), ErrorCode::Locked);
    EXPECT_TRUE(exclusive.message().contains(path)) << text(exclusive);
    EXPECT_TRUE(exclusive.message().contains(QStringLiteral("in use"))) << text(exclusive);

    // One appender at a time; the other sees the new record at once (count from file size).
    ASSERT_TRUE(first.lockAppend().ok());
    EXPECT_EQ(second.appendBlank().code(), ErrorCode::Locked);
    ASSERT_TRUE(first.appendBlank().ok());
    ASSERT_TRUE(first.unlockAll().ok());
    ASSERT_TRUE(second.appendBlank().ok());
    EXPECT_EQ(first.recordCount(), 5u);
    EXPECT_EQ(second.recordNumber(), 5u);

    // A file lock keeps every record lock of others out, and the other way round.
    ASSERT_TRUE(first.lockFile().ok());
    EXPECT_EQ(second.lockRecord(3).code(), ErrorCode::Locked);
    ASSERT_TRUE(first.unlockAll().ok());
    ASSERT_TRUE(second.lockRecord(3).ok());
    EXPECT_EQ(first.lockFile().code(), ErrorCode::Locked);

    // A record read before the lock is read again when the lock is taken.
    ASSERT_TRUE(first.go(3).ok());
    ASSERT_TRUE(second.go(3).ok());
    ASSERT_TRUE(second.setText(1, QStringLiteral("fresh")).ok());
    ASSERT_TRUE(second.unlockAll().ok());
    EXPECT_EQ(first.text(1), QString());
    ASSERT_TRUE(first.lockRecord(3).ok());
    EXPECT_EQ(first.text(1), QStringLiteral("fresh"));
}

}  // namespace vel::xbase::testing
