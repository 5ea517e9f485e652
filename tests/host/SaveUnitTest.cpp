// Saves as units: new records numbered under the table's lock when another system object added
// records meanwhile, a record changed by another refused, a save with its change log put back
// as a whole when the log cannot be written, a crashed save put back by the next reader, and
// unreadable values said through the error report.
#include "HostTestSupport.h"

#include "data/records/AssociateRecord.h"
#include "host/SaveUnit.h"
#include "platform/xbase/Journal.h"
#include "platform/xbase/Table.h"

#include <QDir>

namespace vel::testing {
namespace {

AssociateRecord associate(const QString& code, const QString& last = {}) {
    AssociateRecord record = withCode<AssociateRecord>(code);
    record.LastName = last;
    return record;
}

QStringList storedCodes(const TestSite& site) {
    const auto reader = site.open();
    auto& table = reader->associates();
    EXPECT_TRUE(table.open());
    QStringList codes;
    for (int number = 1; number <= table.recordCount(); ++number) {
        codes << (table.isActive(number) ? table.code(number).trimmed() : QStringLiteral("-"));
    }
    return codes;
}

TEST(SaveUnit, NewRecordsOfTwoSystemObjectsBothLandAndChangedRecordsAreNotOverwritten) {
    TestSite site;
    const auto first = site.open();
    const auto second = site.open();
    auto& mine = first->associates();
    auto& theirs = second->associates();
    ASSERT_TRUE(mine.open());
    mine.setRecord(1, associate(QStringLiteral("BASE")));
    mine.setRecord(2, associate(QStringLiteral("GONE")));
    expectSaved(mine);
    ASSERT_TRUE(mine.remove(2, 0));
    expectSaved(mine);
    ASSERT_TRUE(theirs.open());
    // Both see record 2 free and records from 3 on unused.
    mine.setRecord(mine.freeRecord(), associate(QStringLiteral("MINE1")));
    mine.setRecord(mine.freeRecord(), associate(QStringLiteral("MINE2")));
    theirs.setRecord(theirs.freeRecord(), associate(QStringLiteral("THEIRS1")));
    theirs.setRecord(theirs.freeRecord(), associate(QStringLiteral("THEIRS2")));
    expectSaved(mine);
    expectSaved(theirs);
    EXPECT_EQ(storedCodes(site), (QStringList{"BASE", "MINE1", "MINE2", "THEIRS1", "THEIRS2"}));
    EXPECT_EQ(theirs.find(QStringLiteral("THEIRS1")), 4) << "read again after the renumbering";
    auto& core = static_cast<XbaseTable<AssociateRecord>&>(theirs).core();
    EXPECT_EQ(core.renumbered(), (std::map<int, int>{{2, 4}, {3, 5}}));

    // An edit of a record that the other object changed since it read it is refused whole.
    AssociateRecord edited = mine.record(1);
    edited.LastName = QStringLiteral("Mine");
    mine.setRecord(1, edited);
    edited.LastName = QStringLiteral("Theirs");
    theirs.setRecord(1, edited);
    theirs.setRecord(theirs.freeRecord(), associate(QStringLiteral("THEIRS3")));
    expectSaved(mine);
    EXPECT_FALSE(theirs.save());
    EXPECT_TRUE(theirs.lastError().contains(QStringLiteral("record 1 was changed by another")))
        << theirs.lastError().toStdString();
    EXPECT_EQ(storedCodes(site).size(), 5) << "THEIRS3 was not written either";
    EXPECT_EQ(site.open()->associates().open(), true);
}

TEST(SaveUnit, ASaveWithItsChangeLogLandsWholeOrNotAtAll) {
    TestSite site;
    {
        const auto system = site.open();
        system->logChange(system->associates(), QStringLiteral("X"), QStringLiteral("Add"), {});
    }
    const QByteArray associatesBefore = [&] {
        QFile file(site.path(QStringLiteral("TBVMASC.--1")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    FileFailingOperations failing("TBEDITLOG");
    const auto system = site.open(&failing);
    auto& table = system->associates();
    ASSERT_TRUE(table.open());
    table.setRecord(1, associate(QStringLiteral("A1")));
    EXPECT_FALSE(system->saveWithLog(table, {{QStringLiteral("A1"), QStringLiteral("Add"), {}}}));
    QFile file(site.path(QStringLiteral("TBVMASC.--1")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), associatesBefore) << "the records went back with the log";
    EXPECT_TRUE(storedCodes(site).isEmpty());
    EXPECT_TRUE(QDir(site.folder).entryList({QStringLiteral("*.jnl*")}).isEmpty());

    const auto working = site.open();
    ASSERT_TRUE(working->associates().open());
    working->associates().setRecord(1, associate(QStringLiteral("A1")));
    EXPECT_TRUE(working->saveWithLog(working->associates(),
                                     {{QStringLiteral("A1"), QStringLiteral("Add"), {}}}));
    EXPECT_EQ(storedCodes(site), QStringList{"A1"});
}

TEST(SaveUnit, ASaveWhoseWriterDiedIsPutBackByTheNextReaderAndDamageIsSaid) {
    TestSite site;
    {
        const auto system = site.open();
        ASSERT_TRUE(system->associates().open());
        system->associates().setRecord(1, associate(QStringLiteral("KEEP"), QStringLiteral("Old")));
        expectSaved(system->associates());
    }
    const QString path = site.path(QStringLiteral("TBVMASC.--1"));
    {
        // A writer journals, writes half of its change, and dies.
        xbase::Table table;
        ASSERT_TRUE(table.open(path, xbase::OpenOptions::shared()).ok());
        ASSERT_TRUE(table.lockFile().ok());
        xbase::TableImage image;
        ASSERT_TRUE(table.captureImage({1}, &image).ok());
        xbase::Journal journal;
        journal.protect(image);
        ASSERT_TRUE(table.go(1).ok());
        ASSERT_TRUE(table.setText(table.fieldIndex(u"LNAME"), QStringLiteral("Half")).ok());
        ASSERT_TRUE(table.setText(table.fieldIndex(u"WAGERATE"), QStringLiteral("12.5")).ok());
        ASSERT_TRUE(table.flush().ok());
        ASSERT_TRUE(table.startAppend(true).ok());
        ASSERT_TRUE(table.appendCurrent().ok());
        table.discardChanges();
        journal.abandon();
    }
    const auto reader = site.open();
    ASSERT_TRUE(reader->associates().open());
    EXPECT_EQ(reader->associates().recordCount(), 1);
    EXPECT_EQ(reader->associates().record(1).LastName, QStringLiteral("Old"));
    EXPECT_TRUE(QDir(site.folder).entryList({QStringLiteral("*.jnl")}).isEmpty());

    // A damaged number reads as 0 and is reported with its table, record and field.
    {
        xbase::Table table;
        ASSERT_TRUE(table.open(path, xbase::OpenOptions::shared()).ok());
        ASSERT_TRUE(table.go(1).ok());
        const int wage = table.fieldIndex(u"WAGERATE");
        QByteArray bytes = table.recordBytes();
        const auto& field = table.fields()[wage];
        bytes.replace(field.offset, field.length, QByteArray("1x.00").rightJustified(field.length));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(table.header().recordOffset(1));
        file.write(bytes);
    }
    const auto damaged = site.open();
    ASSERT_TRUE(damaged->associates().open());
    EXPECT_DOUBLE_EQ(damaged->associates().record(1).WageRate, 0.0);
    EXPECT_TRUE(damaged->errors().mentions(
        QStringLiteral("TBVMASC.--1, record 1, field WAGERATE: \"1x.00\" is not a number")));
}

}  // namespace
}  // namespace vel::testing
