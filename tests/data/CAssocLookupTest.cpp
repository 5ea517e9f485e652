// The punch lookup file through CAssocLookup: creation, adding and seeking, the index made again
// when its key expression differs, and reindex and pack refused while another handle holds it.
#include "data/CAssocLookup.h"
#include "platform/xbase/Table.h"
#include "platform/xbase/TableChecker.h"
#include "services/ErrorReport.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>

namespace vel {
namespace {

using namespace xbase;

struct LookupFolder {
    LookupFolder() : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    }
    void attach(CAssocLookup& lookup) const {
        lookup.setDataFolder(directory.path());
        lookup.setSysNum(QStringLiteral("4"));
    }
    // Opens the file with two associates in it.
    void openWithTwo(CAssocLookup& lookup) const {
        attach(lookup);
        ASSERT_EQ(lookup.OpenTable(), r4success);
        lookup.AddRec(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann"));
        lookup.AddRec(QStringLiteral("B200"), QStringLiteral("Brown"), QStringLiteral("Bob"));
    }
    QTemporaryDir directory;
    HeadlessUi ui;
    ScopedUi scope;
};

TEST(CAssocLookup, CreatesTheFileAndItsIndexesAndKeepsOneRecordPerKey) {
    LookupFolder folder;
    CAssocLookup lookup;
    folder.attach(lookup);
    EXPECT_EQ(lookup.dataPath(), folder.directory.path() + QStringLiteral("/TBPNASSC.--4"));
    ASSERT_EQ(lookup.OpenTable(), r4success);
    EXPECT_TRUE(QFile::exists(lookup.indexPath(1)));
    EXPECT_TRUE(QFile::exists(lookup.indexPath(2)));
    EXPECT_EQ(lookup.NumRecords(), 0);
    EXPECT_TRUE(lookup.RecordEOF());

    EXPECT_EQ(lookup.AddRec(QStringLiteral("B200"), QStringLiteral("Brown"), QStringLiteral("Bob")),
              r4success);
    EXPECT_EQ(lookup.AddRec(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann")),
              r4success);
    EXPECT_EQ(lookup.AddRec(QStringLiteral("B200"), QStringLiteral("Baker"), QStringLiteral("Bea")),
              r4success);
    EXPECT_EQ(lookup.NumRecords(), 2) << "the second B200 reuses its record";

    EXPECT_EQ(lookup.SeekString(QStringLiteral("B200")), r4success);
    EXPECT_EQ(lookup.LName(), "Baker");
    EXPECT_EQ(lookup.fName(), "Bea");
    EXPECT_EQ(lookup.SeekString(QStringLiteral("A150")), r4after);
    EXPECT_EQ(lookup.Code(), "B200");

    // Index 2 orders by name; other index numbers are refused.
    EXPECT_EQ(lookup.SelectIndex(3), e4parm);
    EXPECT_EQ(lookup.SelectIndex(2), r4success);
    EXPECT_EQ(lookup.SeekRecord(1), r4success);
    EXPECT_EQ(lookup.Record(), 1);

    // Cleared records are reused before the file grows.
    EXPECT_EQ(lookup.ClearRecords(), r4success);
    EXPECT_EQ(lookup.AddRec(QStringLiteral("C300"), QStringLiteral("Cole"), QStringLiteral("Cy")),
              r4success);
    EXPECT_EQ(lookup.NumRecords(), 2);
    lookup.SelectIndex(1);
    EXPECT_EQ(lookup.SeekString(QStringLiteral("C300")), r4success);
    EXPECT_EQ(lookup.LName(), "Cole");
    EXPECT_TRUE(folder.ui.transcript().messages().empty());
}

// Cleared records are taken first to last; a code that had a record gets that one back, which
// does not hold up the search for the others; the file grows only when none is left, and a
// second clear makes every record free again.
TEST(CAssocLookup, ClearedRecordsAreReusedInOrderBeforeTheFileGrows) {
    LookupFolder folder;
    CAssocLookup lookup;
    folder.openWithTwo(lookup);
    lookup.AddRec(QStringLiteral("C300"), QStringLiteral("Cole"), QStringLiteral("Cy"));
    lookup.AddRec(QStringLiteral("D400"), QStringLiteral("Dunn"), QStringLiteral("Di"));
    ASSERT_EQ(lookup.ClearRecords(), r4success);
    const auto recordOf = [&](const QString& code) {
        lookup.SelectIndex(1);
        return lookup.SeekString(code) == r4success ? lookup.Record() : 0L;
    };
    const auto add = [&](const QString& code) {
        EXPECT_EQ(lookup.AddRec(code, QStringLiteral("Last"), QStringLiteral("First")), r4success);
        return recordOf(code);
    };
    EXPECT_EQ(add(QStringLiteral("E500")), 1);
    EXPECT_EQ(add(QStringLiteral("C300")), 3) << "an old code keeps its record";
    EXPECT_EQ(add(QStringLiteral("F600")), 2);
    EXPECT_EQ(add(QStringLiteral("G700")), 4) << "record 3 is taken again by C300";
    EXPECT_EQ(add(QStringLiteral("H800")), 5);
    EXPECT_EQ(lookup.NumRecords(), 5);

    ASSERT_EQ(lookup.ClearRecords(), r4success);
    EXPECT_EQ(add(QStringLiteral("J900")), 1);
    EXPECT_EQ(lookup.NumRecords(), 5);

    // Reopened, the search starts from the first record again.
    ASSERT_EQ(lookup.OpenTable(), r4success);
    EXPECT_EQ(add(QStringLiteral("K100")), 2);
    EXPECT_TRUE(folder.ui.transcript().messages().empty());
}

TEST(CAssocLookup, MakesAnIndexAgainWhenItsKeyExpressionDiffers) {
    LookupFolder folder;
    {
        CAssocLookup lookup;
        folder.openWithTwo(lookup);
    }
    // Another program made index 1 on the names.
    CAssocLookup lookup;
    folder.attach(lookup);
    CODE4* code = code4initVB();
    DATA4* data = d4open(code, QFile::encodeName(lookup.dataPath()).constData());
    ASSERT_NE(data, nullptr);
    const QByteArray path = QFile::encodeName(lookup.indexPath(1));
    const TAG4INFO tags[] = {{path.constData(), "LNAME", nullptr, 0, 0},
                             {nullptr, nullptr, nullptr, 0, 0}};
    ASSERT_NE(i4create(data, path.constData(), tags), nullptr);
    d4close(data);
    code4initUndo(code);

    ASSERT_EQ(lookup.OpenTable(), r4success);
    EXPECT_EQ(lookup.SeekString(QStringLiteral("B200")), r4success);
    EXPECT_EQ(lookup.LName(), "Brown");
    lookup.CloseTable();

    code = code4initVB();
    data = d4open(code, QFile::encodeName(lookup.dataPath()).constData());
    INDEX4* index = i4open(data, path.constData());
    ASSERT_NE(index, nullptr);
    EXPECT_STREQ(t4expr(d4tag(data, "TBPNASSI1")), "CODE");
    d4close(data);
    code4initUndo(code);
}

TEST(CAssocLookup, ReindexAndPackNeedTheFileAlone) {
    LookupFolder folder;
    CAssocLookup lookup;
    folder.openWithTwo(lookup);

    // Another handle of this program has the file open.
    {
        CAssocLookup other;
        folder.attach(other);
        ASSERT_EQ(other.OpenTable(), r4success);
        folder.ui.answer(QStringLiteral("Cannot open the Punches - Associate Validation File "
                                        "exclusively for indexing.  It is in use by other users."),
                         IDOK);
        folder.ui.answer(QStringLiteral("Cannot open the Punches - Associate Validation File "
                                        "exclusively.  It could be in use by other users."),
                         IDOK);
        EXPECT_EQ(lookup.ReIndexTable(), r4locked);
        EXPECT_EQ(lookup.PackTable(), r4locked);
        EXPECT_TRUE(lookup.isOpen()) << "the table is open shared again";
        EXPECT_EQ(lookup.SeekString(QStringLiteral("A100")), r4success);
    }
    const auto& messages = folder.ui.transcript().messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].caption, CAssocLookup::Title);
    EXPECT_EQ(messages[0].style, MB_ICONEXCLAMATION);

    // Another process has the file open: refused the same way.
    int ready[2];
    int release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t child = fork();
    if (child == 0) {
        CODE4* code = code4initVB();
        DATA4* data = d4open(code, QFile::encodeName(lookup.dataPath()).constData());
        char signal = data ? 'y' : 'n';
        (void)!write(ready[1], &signal, 1);
        (void)!read(release[0], &signal, 1);
        _exit(0);
    }
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');
    folder.ui.answer(QStringLiteral("exclusively for indexing"), IDOK);
    EXPECT_EQ(lookup.ReIndexTable(), r4locked);
    (void)!write(release[1], &answer, 1);
    int status = 0;
    waitpid(child, &status, 0);

    // Alone, both work; the pack drops the cleared records.
    lookup.ClearRecords();
    lookup.AddRec(QStringLiteral("C300"), QStringLiteral("Cole"), QStringLiteral("Cy"));
    EXPECT_EQ(lookup.ReIndexTable(), r4success);
    EXPECT_EQ(lookup.PackTable(), r4success);
    EXPECT_EQ(lookup.NumRecords(), 1);
    EXPECT_EQ(lookup.SeekString(QStringLiteral("C300")), r4success);
    EXPECT_EQ(folder.ui.transcript().messages().size(), 3u);
}

TEST(CAssocLookup, AnIndexThatFailsItsCheckIsReportedAndRebuiltOnOpen) {
    LookupFolder folder;
    {
        CAssocLookup lookup;
        folder.openWithTwo(lookup);
        lookup.CloseTable();
    }
    // Swap the two keys of the code index's leaf: entries out of order and pointing at the
    // wrong records, as a crash in the middle of an index write can leave them.
    CAssocLookup lookup;
    folder.attach(lookup);
    QFile index(lookup.indexPath(1));
    ASSERT_TRUE(index.open(QIODevice::ReadWrite));
    QByteArray bytes = index.readAll();
    const qsizetype first = bytes.indexOf("A100");
    const qsizetype second = bytes.indexOf("B200");
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    bytes.replace(first, 4, "B200").replace(second, 4, "A100");
    index.seek(0);
    index.write(bytes);
    index.close();
    ASSERT_FALSE(TableChecker().checkIndex(lookup.dataPath(), lookup.indexPath(1)).ok());

    struct Reports : ErrorReporter {
        QStringList texts;
        void report(const QString& text, int, bool) override { texts << text; }
    } reports;
    ScopedErrorReporter reporter(reports);
    ASSERT_EQ(lookup.OpenTable(), r4success);
    ASSERT_EQ(reports.texts.size(), 1);
    EXPECT_TRUE(
        reports.texts[0].contains(QStringLiteral("the index is rebuilt - "
                                                 "CAssocLookup:OpenTable")));
    EXPECT_TRUE(TableChecker().checkIndex(lookup.dataPath(), lookup.indexPath(1)).ok());
    EXPECT_EQ(lookup.SeekString(QStringLiteral("B200")), r4success);
    EXPECT_EQ(lookup.LName(), "Brown");
}

}  // namespace
}  // namespace vel

namespace vel {
namespace {

// Three rounds of a rebuild: clear, then add codes (some already there, some new; some twice,
// with other names); the second round finds the first's records to reuse and adds more, the
// third leaves some cleared.
void rebuildThrice(CAssocLookup& lookup, bool lockAll) {
    for (const int round : {0, 1, 2}) {
        if (lockAll) {
            ASSERT_EQ(lookup.LockAll(), xbase::r4success);
        }
        ASSERT_GE(lookup.ClearRecords(), 0);
        const auto code = [&](int number) {
            return QStringLiteral("C%1").arg((number * 37 + round * 100) % 400);
        };
        ASSERT_EQ(lookup.AddRec(QStringLiteral("DUP"), QStringLiteral("Dup"), QString()),
                  xbase::r4success);
        for (int number = 0; number < (round == 2 ? 150 : 300 + round * 40); ++number) {
            ASSERT_EQ(lookup.AddRec(code(number), QStringLiteral("Last%1").arg(number),
                                    QStringLiteral("First")),
                      xbase::r4success);
            if (number % 10 == 9) {
                ASSERT_EQ(lookup.AddRec(code(number - 5), QStringLiteral("Again%1").arg(number),
                                        QStringLiteral("Second")),
                          xbase::r4success);
            }
        }
        if (lockAll) {
            ASSERT_EQ(lookup.UnlockAll(), xbase::r4success);
        }
    }
}

// Opens the file; with two records of the code DUP in it, written as a second workstation
// adding the same code at the same moment can leave them.
void openForRebuild(CAssocLookup& lookup, const LookupFolder& folder, bool duplicates) {
    folder.attach(lookup);
    ASSERT_EQ(lookup.OpenTable(), xbase::r4success);
    if (!duplicates) {
        return;
    }
    lookup.CloseTable();
    xbase::Table table;
    ASSERT_TRUE(table.open(lookup.dataPath()).ok());
    for (int number = 1; number <= 2; ++number) {
        ASSERT_TRUE(table.openIndex(lookup.indexPath(number)).ok());
    }
    for (const char* last : {"One", "Two"}) {
        ASSERT_TRUE(table.startAppend(true).ok());
        ASSERT_TRUE(table.setText(table.fieldIndex(u"CODE"), u"DUP").ok());
        ASSERT_TRUE(table.setText(table.fieldIndex(u"LNAME"), QString::fromLatin1(last)).ok());
        ASSERT_TRUE(table.appendCurrent().ok());
    }
    ASSERT_TRUE(table.close().ok());
    ASSERT_EQ(lookup.OpenTable(), xbase::r4success);
}

// The file apart from the date of its last update (bytes 1-3), or the index apart from its
// change counter (bytes 508-511, which a new index starts at random).
QByteArray comparable(const QString& path, bool index) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    if (index) {
        bytes.replace(508, 4, "....");
    } else {
        bytes.replace(1, 3, "...");
    }
    return bytes;
}

// An index's entries as a walk in its order finds them: the keys in that order, and every
// (key, record) pair sorted, so that records under equal keys may come in another order.
struct IndexEntries {
    std::vector<QByteArray> keysInOrder;
    std::vector<std::pair<QByteArray, quint32>> sortedEntries;
    bool operator==(const IndexEntries&) const = default;
};

IndexEntries indexEntries(const QString& dataPath, const QString& indexPath) {
    IndexEntries entries;
    xbase::Table table;
    EXPECT_TRUE(table.open(dataPath, xbase::OpenOptions::readOnlyShared()).ok());
    EXPECT_TRUE(table.openIndex(indexPath).ok());
    EXPECT_TRUE(table.selectIndex(0).ok());
    for (bool more = table.goTop().ok() && !table.eof(); more;
         more = table.skip().ok() && !table.eof()) {
        const QByteArray key =
            table.index(0).expression().evaluate(table.recordBytes().constData());
        entries.keysInOrder.push_back(key);
        entries.sortedEntries.emplace_back(key, table.recordNumber());
    }
    std::sort(entries.sortedEntries.begin(), entries.sortedEntries.end());
    return entries;
}

}  // namespace

// Entries added one at a time by two processes at once all land, and a writer killed in the
// middle of its adding leaves whole records and sound indexes.
TEST(CAssocLookup, EntriesAddedByTwoProcessesAtOnceOrByOneKilledLeaveASoundFile) {
    LookupFolder folder;
    CAssocLookup lookup;
    folder.openWithTwo(lookup);
    lookup.CloseTable();
    int ready[2];
    int go[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(go), 0);
    // Opens, says so on `ready`, waits for `go`, then adds prefix0, prefix1, ... saying so again
    // after the first fifty.
    const auto addMany = [&](const QString& prefix, int count) {
        CAssocLookup writer;
        folder.attach(writer);
        bool added = writer.OpenTable() == r4success;
        char byte = 'y';
        (void)!write(ready[1], &byte, 1);
        added = read(go[0], &byte, 1) == 1 && added;
        for (int number = 0; added && number < count; ++number) {
            added = writer.AddRec(prefix + QString::number(number), QStringLiteral("Last"),
                                  QStringLiteral("First")) >= 0;
            if (number + 1 == 50) {
                (void)!write(ready[1], &byte, 1);
            }
        }
        writer.CloseTable();
        return added;
    };
    // Two writers at once, each in its own process, released together once both have opened.
    const auto startWriter = [&](const QString& prefix, int count) {
        const pid_t child = fork();
        if (child == 0) {
            _exit(addMany(prefix, count) ? 0 : 1);
        }
        return child;
    };
    char byte = 'y';
    const pid_t writers[] = {startWriter(QStringLiteral("P"), 300),
                             startWriter(QStringLiteral("Q"), 300)};
    for (int opened = 0; opened < 2; ++opened) {
        ASSERT_EQ(read(ready[0], &byte, 1), 1);
    }
    (void)!write(go[1], "gg", 2);
    for (const pid_t writer : writers) {
        int status = 0;
        waitpid(writer, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (int signals = 0; signals < 2; ++signals) {
        ASSERT_EQ(read(ready[0], &byte, 1), 1);  // the fifty-entry signals of both
    }

    const pid_t killed = fork();
    if (killed == 0) {
        addMany(QStringLiteral("K"), 1000000);
        _exit(0);
    }
    ASSERT_EQ(read(ready[0], &byte, 1), 1);  // opened
    (void)!write(go[1], &byte, 1);
    ASSERT_EQ(read(ready[0], &byte, 1), 1);  // fifty added
    kill(killed, SIGKILL);
    waitpid(killed, nullptr, 0);

    ASSERT_EQ(lookup.OpenTable(), r4success);
    EXPECT_GE(lookup.NumRecords(), 2 + 600 + 50);
    for (const QString& prefix : {QStringLiteral("P"), QStringLiteral("Q")}) {
        for (int number = 0; number < 300; ++number) {
            EXPECT_EQ(lookup.SeekString(prefix + QString::number(number)), r4success)
                << qPrintable(prefix) << number;
        }
    }
    for (int number = 0; number < 50; ++number) {
        EXPECT_EQ(lookup.SeekString(QStringLiteral("K") + QString::number(number)), r4success);
    }
    lookup.CloseTable();
    for (int number = 1; number <= 2; ++number) {
        EXPECT_TRUE(TableChecker().checkIndex(lookup.dataPath(), lookup.indexPath(number)).ok());
    }
}

// A workstation opening the file while another adds entries finds its indexes sound: the check
// at open does not read an index that a writer is halfway through, so it neither reports damage
// nor asks for the file alone to rebuild it.
TEST(CAssocLookup, OpeningWhileAnotherProcessAddsFindsTheIndexesSound) {
    LookupFolder folder;
    CAssocLookup lookup;
    folder.openWithTwo(lookup);
    lookup.CloseTable();
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t writer = fork();
    if (writer == 0) {
        CAssocLookup adding;
        folder.attach(adding);
        bool added = adding.OpenTable() == r4success;
        (void)!write(ready[1], "y", 1);
        for (int number = 0; added; ++number) {
            added = adding.AddRec(QStringLiteral("W%1").arg(number), QStringLiteral("Last"),
                                  QStringLiteral("First")) >= 0;
        }
        _exit(1);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);

    struct Reports : ErrorReporter {
        QStringList texts;
        void report(const QString& text, int, bool) override { texts << text; }
    } reports;
    {
        ScopedErrorReporter reporter(reports);
        for (int opening = 0; opening < 50 && reports.texts.isEmpty(); ++opening) {
            CAssocLookup reader;
            folder.attach(reader);
            EXPECT_EQ(reader.OpenTable(), r4success);
            EXPECT_EQ(reader.SeekString(QStringLiteral("B200")), r4success);
        }
    }
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    EXPECT_TRUE(reports.texts.isEmpty()) << qPrintable(reports.texts.join(QLatin1Char('\n')));
    EXPECT_TRUE(folder.ui.transcript().messages().empty());
}

// A rebuild that holds the file writes the same table and the same index entries as one that
// locks each record, also from a file in which two records share a code (held, but changed a
// record at a time while they do); meanwhile other handles wait, and the holder's own look-ups
// see its changes.
TEST(CAssocLookup, ARebuildUnderOneLockWritesTheSameFiles) {
    for (const bool duplicates : {false, true}) {
        SCOPED_TRACE(duplicates ? "two records share a code" : "every code once");
        LookupFolder oneByOne;
        LookupFolder locked;
        CAssocLookup first;
        openForRebuild(first, oneByOne, duplicates);
        rebuildThrice(first, false);
        first.CloseTable();
        CAssocLookup second;
        openForRebuild(second, locked, duplicates);
        rebuildThrice(second, true);
        second.CloseTable();
        EXPECT_EQ(comparable(first.dataPath(), false), comparable(second.dataPath(), false));
        // The held rebuild puts its index entries in in another order (the changed records
        // first, then the new ones), so the pages may split elsewhere: the entries are compared.
        for (int number = 1; number <= 2; ++number) {
            const IndexEntries expected = indexEntries(first.dataPath(), first.indexPath(number));
            EXPECT_GE(expected.keysInOrder.size(), 341u);
            EXPECT_TRUE(expected == indexEntries(second.dataPath(), second.indexPath(number)));
            EXPECT_TRUE(
                xbase::TableChecker().checkIndex(second.dataPath(), second.indexPath(number)).ok());
        }
        EXPECT_TRUE(locked.ui.transcript().messages().empty());
    }

    LookupFolder locked;
    CAssocLookup second;
    openForRebuild(second, locked, false);
    rebuildThrice(second, true);
    CAssocLookup reader;
    locked.attach(reader);
    ASSERT_EQ(reader.OpenTable(), xbase::r4success);
    code4lockAttempts(reader.context(), 1);
    ASSERT_EQ(second.OpenTable(), xbase::r4success);
    ASSERT_EQ(second.LockAll(), xbase::r4success);
    ASSERT_EQ(second.AddRec(QStringLiteral("NEW"), QStringLiteral("New"), QString()),
              xbase::r4success);
    EXPECT_NE(reader.SeekString(QStringLiteral("NEW")), xbase::r4success);
    const long count = second.NumRecords();
    EXPECT_EQ(second.SeekString(QStringLiteral("NEW")), xbase::r4success);
    EXPECT_EQ(second.LName(), QStringLiteral("New"));
    ASSERT_EQ(second.AddRec(QStringLiteral("NEW"), QStringLiteral("Newer"), QString()),
              xbase::r4success);
    ASSERT_EQ(second.AddRec(QStringLiteral("NEXT"), QStringLiteral("Next"), QString()),
              xbase::r4success);
    EXPECT_EQ(second.NumRecords(), count) << "NEXT takes a cleared record";
    EXPECT_EQ(second.Code(), QStringLiteral("NEXT"));
    EXPECT_NE(reader.SeekString(QStringLiteral("NEW")), xbase::r4success);
    ASSERT_EQ(second.UnlockAll(), xbase::r4success);
    EXPECT_EQ(reader.SeekString(QStringLiteral("NEW")), xbase::r4success);
    EXPECT_EQ(reader.LName(), QStringLiteral("Newer"));
    EXPECT_TRUE(locked.ui.transcript().messages().empty());
}

// A rebuild holding the file keeps its changes in memory until it lets go: killed before that,
// it leaves the file and its indexes exactly as they were, and the next open finds the old
// entries and none of the new.
TEST(CAssocLookup, ARebuildKilledWhileItHoldsTheFileLeavesItAsItWas) {
    LookupFolder folder;
    CAssocLookup lookup;
    folder.attach(lookup);
    ASSERT_EQ(lookup.OpenTable(), r4success);
    rebuildThrice(lookup, true);
    lookup.CloseTable();
    const QStringList paths = {lookup.dataPath(), lookup.indexPath(1), lookup.indexPath(2)};
    const auto contents = [&] {
        QList<QByteArray> files;
        for (const QString& path : paths) {
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            files << file.readAll();
        }
        return files;
    };
    const QList<QByteArray> before = contents();

    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t writer = fork();
    if (writer == 0) {
        CAssocLookup held;
        folder.attach(held);
        bool added = held.OpenTable() == r4success && held.LockAll() == r4success &&
                     held.ClearRecords() >= 0;
        for (int number = 0; added && number < 1000; ++number) {
            // Old codes (their records reused) and new ones (appended).
            added = held.AddRec(QStringLiteral("C%1").arg(number * 3), QStringLiteral("Killed"),
                                QString()) == r4success;
        }
        char byte = added ? 'y' : 'n';
        (void)!write(ready[1], &byte, 1);
        pause();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    EXPECT_EQ(byte, 'y');
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);

    EXPECT_TRUE(contents() == before);
    ASSERT_EQ(lookup.OpenTable(), r4success);
    EXPECT_EQ(lookup.SeekString(QStringLiteral("C174")), r4success);
    EXPECT_EQ(lookup.LName(), QStringLiteral("Last2"));
    EXPECT_NE(lookup.SeekString(QStringLiteral("C2997")), r4success);
    EXPECT_TRUE(folder.ui.transcript().messages().empty());
}

}  // namespace vel
