// The CodeBase-style call layer used the way the associate lookup uses it: context set-up, a
// missing file, create with two indexes, add or reuse records under a lock, seek, expression
// check and rebuild, exclusive pack and reindex, and the classic error conventions.
#include "XbaseTestSupport.h"

#include "platform/xbase/TableChecker.h"
#include "platform/xbase/codebase/CodeBase.h"

namespace vel::xbase::testing {
namespace {

const FIELD4INFO lookupInfo[] = {{"CODE", 'C', 20, 0, 0},
                                 {"LNAME", 'C', 15, 0, 0},
                                 {"FNAME", 'C', 15, 0, 0},
                                 {nullptr, 0, 0, 0, 0}};

CODE4* startContext() {
    CODE4* code = code4initVB();
    code4errOff(code, 1);
    code4largeOn(code);
    EXPECT_EQ(error4set(code, 0), 0);
    code4errOff(code, 0);
    code4autoOpen(code, 0);
    return code;
}

std::string padded(const char* code) {
    return QByteArray(code).leftJustified(20).toStdString();
}

// Adds or updates a record the way the lookup does: seek the code, else reuse a deleted record,
// else append; assign under a record lock.
void addRecord(DATA4* data, const char* code, const char* last, const char* first) {
    d4tagSelect(data, d4tag(data, "TBPNASSI1"));
    if (d4seek(data, padded(code).c_str()) != r4success) {
        bool reused = false;
        d4tagSelect(data, nullptr);
        for (d4top(data); !d4eof(data); d4skip(data, 1)) {
            if (d4deleted(data)) {
                reused = true;
                break;
            }
        }
        if (!reused) {
            ASSERT_EQ(d4appendBlank(data), r4success);
        }
    }
    ASSERT_EQ(d4lock(data, d4recNo(data)), r4success);
    d4recall(data);
    ASSERT_EQ(f4assign(d4field(data, "CODE"), code), r4success);
    ASSERT_EQ(f4assign(d4field(data, "LNAME"), last), r4success);
    ASSERT_EQ(f4assignText(d4field(data, "FNAME"), QString::fromLatin1(first)), r4success);
    ASSERT_EQ(d4unlock(data), r4success);
}

}  // namespace

TEST(XbaseCodeBase, LookupFileLifeCycle) {
    QTemporaryDir folder;
    const QByteArray dataName = QFile::encodeName(folder.filePath(QStringLiteral("TBPNASSC.--1")));
    const QByteArray index1 = QFile::encodeName(folder.filePath(QStringLiteral("TBPNASSI1.--1")));
    const QByteArray index2 = QFile::encodeName(folder.filePath(QStringLiteral("TBPNASSI2.--1")));
    CODE4* code = startContext();
    code4accessMode(code, OPEN4DENY_NONE);
    code4errOpen(code, 0);

    EXPECT_EQ(d4open(code, dataName.constData()), nullptr);
    EXPECT_EQ(error4code(code), r4noOpen);
    error4set(code, 0);

    DATA4* data = d4create(code, dataName.constData(), lookupInfo, nullptr);
    ASSERT_NE(data, nullptr) << error4text(code, error4code(code));
    const TAG4INFO byCode[] = {{"TBPNASSI1", "CODE", nullptr, 0, 0},
                               {nullptr, nullptr, nullptr, 0, 0}};
    const TAG4INFO byName[] = {{"TBPNASSI2", "UPPER(LNAME)", nullptr, 0, 0},
                               {nullptr, nullptr, nullptr, 0, 0}};
    ASSERT_NE(i4create(data, index1.constData(), byCode), nullptr);
    ASSERT_NE(i4create(data, index2.constData(), byName), nullptr);
    addRecord(data, "B200", "Zola", "Emile");
    addRecord(data, "A100", "Adams", "Ann");
    addRecord(data, "C300", "Curie", "Marie");
    addRecord(data, "A100", "Adams", "Anna");  // same code: updates record 2
    EXPECT_EQ(d4recCount(data), 3);

    d4tagSelect(data, d4tag(data, "TBPNASSI1"));
    EXPECT_EQ(d4seek(data, padded("A100").c_str()), r4success);
    EXPECT_EQ(d4recNo(data), 2);
    EXPECT_EQ(f4text(d4field(data, "FNAME")), QStringLiteral("Anna"));
    EXPECT_EQ(std::string(f4str(d4field(data, "CODE"))), padded("A100"));
    EXPECT_EQ(d4seek(data, padded("B").c_str()), r4after);
    EXPECT_EQ(d4seek(data, padded("Z").c_str()), r4eof);
    EXPECT_EQ(d4eof(data), 1);
    EXPECT_EQ(d4top(data), r4success);
    EXPECT_EQ(f4text(d4field(data, "CODE")), QStringLiteral("A100"));
    EXPECT_EQ(d4skip(data, 1), r4success);
    EXPECT_EQ(f4text(d4field(data, "CODE")), QStringLiteral("B200"));
    EXPECT_EQ(d4skip(data, -5), r4bof);
    EXPECT_EQ(d4skip(data, 10), r4eof);
    d4tagSelect(data, d4tag(data, "tbpnassi2"));
    EXPECT_EQ(d4seekText(data, QStringLiteral("CURIE")), r4success);
    EXPECT_STREQ(t4expr(d4tagSelected(data)), "UPPER(LNAME)");

    // Delete one record; the next add reuses it.
    EXPECT_EQ(d4go(data, 1), r4success);
    EXPECT_EQ(d4delete(data), r4success);
    EXPECT_EQ(d4flush(data), r4success);
    addRecord(data, "D400", "Dirac", "Paul");
    EXPECT_EQ(d4recNo(data), 1);
    EXPECT_EQ(d4recCount(data), 3);
    EXPECT_EQ(d4close(data), r4success);

    // Reopen; an index with another expression than the expected one is rebuilt.
    data = d4open(code, dataName.constData());
    ASSERT_NE(data, nullptr);
    INDEX4* first = i4open(data, index1.constData());
    INDEX4* second = i4open(data, "TBPNASSI2.--1");  // relative to the data file's folder
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_STREQ(t4expr(i4tag(second, nullptr)), "UPPER(LNAME)");
    const TAG4INFO byFullName[] = {{"TBPNASSI2", "UPPER(LNAME)+UPPER(FNAME)", nullptr, 0, 0},
                                   {nullptr, nullptr, nullptr, 0, 0}};
    if (std::string(t4expr(i4tag(second, nullptr))) != "UPPER(LNAME)+UPPER(FNAME)") {
        EXPECT_EQ(i4close(second), r4success);
        second = i4create(data, index2.constData(), byFullName);
        ASSERT_NE(second, nullptr);
    }
    d4tagSelect(data, i4tag(second, "TBPNASSI2"));
    EXPECT_EQ(d4seekText(data, QStringLiteral("ADAMS          ANNA")), r4success);

    // Pack and reindex need the file alone: a second context cannot get it exclusively.
    CODE4* other = startContext();
    code4accessMode(other, OPEN4DENY_RW);
    EXPECT_EQ(d4open(other, dataName.constData()), nullptr);
    EXPECT_EQ(error4code(other), e4open);
    EXPECT_NE(QString::fromLatin1(error4text(other, e4open)).indexOf(QStringLiteral("in use")), -1);
    EXPECT_EQ(d4top(nullptr), e4parmNull);
    EXPECT_EQ(d4pack(data), r4locked);  // shared: refused, nothing pending
    EXPECT_EQ(error4code(code), 0);
    EXPECT_EQ(d4close(data), r4success);
    error4set(other, 0);
    DATA4* alone = d4open(other, dataName.constData());
    ASSERT_NE(alone, nullptr);
    ASSERT_NE(i4open(alone, index1.constData()), nullptr);
    EXPECT_EQ(d4go(alone, 2), r4success);
    EXPECT_EQ(d4delete(alone), r4success);
    EXPECT_EQ(d4pack(alone), r4success);
    EXPECT_EQ(d4reindex(alone), r4success);
    EXPECT_EQ(d4recCount(alone), 2);
    EXPECT_EQ(d4zap(alone, 1, d4recCount(alone)), r4success);
    EXPECT_EQ(d4recCount(alone), 0);
    EXPECT_EQ(d4top(alone), r4eof);
    EXPECT_EQ(code4initUndo(other), r4success);
    EXPECT_EQ(code4initUndo(code), r4success);
}

TEST(XbaseCodeBase, ErrorsStayPendingUntilCleared) {
    QTemporaryDir folder;
    const QByteArray dataName = QFile::encodeName(folder.filePath(QStringLiteral("T.DBF")));
    CODE4* code = startContext();
    DATA4* data = d4create(code, dataName.constData(), lookupInfo, nullptr);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(d4field(data, "NOSUCH"), nullptr);
    EXPECT_EQ(error4code(code), e4fieldName);
    EXPECT_NE(std::string(error4text(code, e4fieldName)).find("NOSUCH"), std::string::npos);
    EXPECT_EQ(d4appendBlank(data), e4fieldName);  // refused while the error is pending
    EXPECT_EQ(d4recCount(data), e4fieldName);
    EXPECT_EQ(error4set(code, 0), e4fieldName);
    EXPECT_EQ(d4appendBlank(data), r4success);
    EXPECT_EQ(d4recCount(data), 1);
    EXPECT_EQ(d4go(data, 7), r4entry);
    EXPECT_EQ(error4code(code), 0);
    EXPECT_EQ(d4create(code, dataName.constData(), lookupInfo, nullptr), nullptr);
    EXPECT_EQ(error4code(code), e4create);
    error4set(code, 0);
    EXPECT_EQ(d4appendStart(data, 0), r4success);
    EXPECT_EQ(f4assign(d4field(data, "CODE"), "NEW"), r4success);
    EXPECT_EQ(d4append(data), r4success);
    EXPECT_EQ(d4recNo(data), 2);
    EXPECT_EQ(f4text(d4field(data, "CODE")), QStringLiteral("NEW"));
    code4initUndo(code);
}

// Runs of whole records for a holder of the file: appended and rewritten with their index keys,
// read back as stored; the current record's bytes and a field's place in them; bad runs refused.
TEST(XbaseCodeBase, RunsOfRecordsKeepTheIndexCurrent) {
    QTemporaryDir folder;
    const QByteArray dataName = QFile::encodeName(folder.filePath(QStringLiteral("T.DBF")));
    const QByteArray indexName = QFile::encodeName(folder.filePath(QStringLiteral("T1.NDX")));
    CODE4* code = startContext();
    DATA4* data = d4create(code, dataName.constData(), lookupInfo, nullptr);
    ASSERT_NE(data, nullptr);
    const TAG4INFO byCode[] = {{"T1", "CODE", nullptr, 0, 0}, {nullptr, nullptr, nullptr, 0, 0}};
    ASSERT_NE(i4create(data, indexName.constData(), byCode), nullptr);
    ASSERT_EQ(d4recWidth(data), 51);
    const auto entry = [](char flag, const char* code, const char* last) {
        return flag + QByteArray(code).leftJustified(20) + QByteArray(last).leftJustified(30);
    };
    ASSERT_EQ(d4lockAll(data), r4success);
    const QByteArray added =
        entry(' ', "B2", "Brown") + entry(' ', "A1", "Adams") + entry('*', "C3", "Cole");
    ASSERT_EQ(d4appendRecords(data, added.constData(), 3), r4success);
    EXPECT_EQ(d4recCount(data), 3);
    EXPECT_EQ(d4recNo(data), 3);
    EXPECT_EQ(QByteArray(d4record(data), 51), entry('*', "C3", "Cole"));
    EXPECT_EQ(f4ptr(d4field(data, "LNAME")) - d4record(data), 21);

    const QByteArray changed = entry(' ', "A9", "Adams") + entry(' ', "C3", "Cole");
    ASSERT_EQ(d4writeRecords(data, 2, changed.constData(), 2), r4success);
    QByteArray stored(3 * 51, '\0');
    ASSERT_EQ(d4readRecords(data, 1, 3, stored.data()), r4success);
    EXPECT_EQ(stored, added.left(51) + changed);
    ASSERT_EQ(d4unlock(data), r4success);
    d4tagSelect(data, d4tag(data, "T1"));
    EXPECT_EQ(d4seek(data, padded("A1").c_str()), r4after) << "the old key left the index";
    EXPECT_EQ(d4seek(data, padded("A9").c_str()), r4success);
    EXPECT_EQ(d4recNo(data), 2);
    EXPECT_EQ(d4seek(data, padded("C3").c_str()), r4success);
    EXPECT_EQ(d4recNo(data), 3);

    EXPECT_EQ(d4readRecords(data, 1, -1, stored.data()), e4parm);
    error4set(code, 0);
    EXPECT_EQ(d4readRecords(data, 3, 2, stored.data()), r4entry) << "past the last record";
    error4set(code, 0);
    EXPECT_EQ(d4writeRecords(data, 1, changed.constData(), 2), r4locked) << "without the lock";
    error4set(code, 0);
    ASSERT_EQ(d4close(data), r4success);
    EXPECT_TRUE(TableChecker()
                    .checkIndex(QString::fromLocal8Bit(dataName), QString::fromLocal8Bit(indexName))
                    .ok());
    code4initUndo(code);
}

TEST(XbaseCodeBase, RecordLocksBetweenContextsRetryWithAnInjectedPause) {
    QTemporaryDir folder;
    const QByteArray dataName = QFile::encodeName(folder.filePath(QStringLiteral("L.DBF")));
    CODE4* first = startContext();
    DATA4* holder = d4create(first, dataName.constData(), lookupInfo, nullptr);
    ASSERT_NE(holder, nullptr);
    d4appendBlank(holder);
    d4appendBlank(holder);
    ASSERT_EQ(d4lock(holder, 1), r4success);

    CODE4* second = startContext();
    code4lockAttempts(second, 1);
    DATA4* waiter = d4open(second, dataName.constData());
    ASSERT_NE(waiter, nullptr);
    EXPECT_EQ(d4lock(waiter, 1), r4locked);
    EXPECT_EQ(d4lock(waiter, 2), r4success);
    EXPECT_EQ(d4lockAll(waiter), r4locked);  // record 1 is held by the first context
    EXPECT_EQ(d4unlock(waiter), r4success);

    int pauses = 0;
    code4lockAttempts(second, 3);
    code4lockPause(second, [&](int attempt) {
        ++pauses;
        if (attempt == 2) {
            d4unlock(holder);
        }
    });
    EXPECT_EQ(d4lock(waiter, 1), r4success);
    EXPECT_EQ(pauses, 2);
    code4lockAttempts(first, 1);
    EXPECT_EQ(d4lock(holder, 1), r4locked);
    code4initUndo(second);
    code4initUndo(first);
}

}  // namespace vel::xbase::testing
