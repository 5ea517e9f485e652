// Record tables over xBase files: every field type survives a save and a reopen, edits stay in
// memory until saved, a failed save leaves the file as it was, and bad files are named.
#include "HostTestSupport.h"
#include "platform/xbase/XbaseTestSupport.h"

#include "host/ColumnLayout.h"
#include "host/RowCodec.h"
#include "platform/xbase/Table.h"

namespace vel::testing {
namespace {

using namespace Qt::StringLiterals;

AssociateRecord sampleAssociate(const QString& code) {
    AssociateRecord associate;
    associate.Code = code;
    associate.LastName = QStringLiteral("Müller-Ærø");
    associate.FirstName = QStringLiteral("Zoë €uro");
    associate.WorkCenter = 2;
    associate.Grouping = 7;
    associate.Schedule = 1;
    associate.SSN = QStringLiteral("123-45-6789");
    associate.HireDate = QDate(2019, 2, 28);
    associate.WageRate = 17.3125;
    associate.BaseIncentive = 0.75;
    associate.Shift = 2;
    associate.PerfGoal = 98.5;
    associate.OnPayRoll = true;
    associate.LeadIncentive = true;
    associate.Badge[0] = QStringLiteral("B-001");
    associate.Badge[9] = QStringLiteral("TENTH BADGE");
    associate.IncludeinQuality = true;
    associate.PolicyDate = QDate(2023, 12, 31);
    associate.ShortTermPerformance = 1.042;
    associate.LastTenureRule = QStringLiteral("Rule ½");
    return associate;
}

TEST(RecordTable, KeepsEveryFieldTypeThroughSaveAndReopen) {
    TestSite site;
    {
        auto system = site.open();
        auto& associates = system->associates();
        ASSERT_TRUE(associates.open());
        EXPECT_EQ(associates.recordCount(), 0);
        associates.setRecord(associates.freeRecord(), sampleAssociate(QStringLiteral("A1")));
        associates.setRecord(associates.freeRecord(), sampleAssociate(QStringLiteral("A2")));
        WorkCenterRecord center;
        center.Code = QStringLiteral("WC1");
        center.StartTime = QTime(23, 30);
        center.StopTime = QTime();
        center.TOWValid[0] = true;
        center.TOWValid[98] = true;
        ASSERT_TRUE(system->workCenters().open());
        system->workCenters().setRecord(1, center);
        expectSaved(associates);
        expectSaved(system->workCenters());
        EXPECT_TRUE(associates.wasSaved());
        EXPECT_FALSE(associates.hasEdits());
    }
    auto system = site.open();
    ASSERT_TRUE(system->associates().open());
    ASSERT_EQ(system->associates().recordCount(), 2);
    EXPECT_EQ(system->associates().record(2), sampleAssociate(QStringLiteral("A2")));
    EXPECT_EQ(system->associates().find(QStringLiteral(" A2  ")), 2);
    ASSERT_TRUE(system->workCenters().open());
    const WorkCenterRecord center = system->workCenters().record(1);
    EXPECT_EQ(center.StartTime, QTime(23, 30));
    EXPECT_FALSE(center.StopTime.isValid());
    EXPECT_TRUE(center.TOWValid[98]);
    EXPECT_FALSE(center.TOWValid[97]);

    // The file is plain xBase with the export column names and Windows-1252 text.
    xbase::Table file;
    ASSERT_TRUE(
        file.open(site.path(QStringLiteral("TBVMASC.--1")), xbase::OpenOptions::readOnlyShared())
            .ok());
    for (const char* name : {"CODE", "LNAME", "FNAME", "HOMEWC", "GROUP", "BADGE1", "BADGE10",
                             "ONINCENTIV", "TENUREDATE", "TESTPERF", "TESTQUAL"}) {
        EXPECT_GE(file.fieldIndex(QString::fromLatin1(name)), 0) << name;
    }
    ASSERT_TRUE(file.go(1).ok());
    const QByteArray lastName = file.rawField(file.fieldIndex(u"LNAME"));
    EXPECT_TRUE(lastName.startsWith("M\xFCller-\xC6r\xF8")) << lastName.toStdString();
    EXPECT_TRUE(file.rawField(file.fieldIndex(u"FNAME")).contains("\x80uro"));
}

TEST(RecordTable, ColumnNamesAreShortUniqueAndKeepTrailingNumbers) {
    EXPECT_EQ(ColumnLayout::columnName(QStringLiteral("UnitsField12")),
              QStringLiteral("UNITSFIE12"));
    EXPECT_EQ(ColumnLayout::columnName(QStringLiteral("TOWValid99")), QStringLiteral("TOWVALID99"));
    // Anything but letters, digits and "_" becomes one "_", a character beyond 16 bits too.
    EXPECT_EQ(ColumnLayout::columnName(QStringLiteral("Fld-Ahrs 2")), QStringLiteral("FLD_AHRS_2"));
    EXPECT_EQ(ColumnLayout::columnName(QString::fromUtf8("caf\u00e9\U0001F600x")),
              QStringLiteral("CAF__X"));
    const auto columns = ColumnLayout::columnsFor(shapesOf<ActivityRecord>(), {});
    QSet<QString> names;
    for (const auto& column : columns) {
        EXPECT_LE(column.name.size(), 10);
        names.insert(column.name);
    }
    EXPECT_EQ(names.size(), columns.size());
    EXPECT_TRUE(names.contains(QStringLiteral("STANDARD30")));
    EXPECT_LE(columns.size(), 255);
}

// The mistakes table opened and holding three saved records.
void saveThreeMistakes(Table<MistakeRecord>& mistakes) {
    ASSERT_TRUE(mistakes.open());
    for (const char* text : {"Wrong pick", "Short", "Damaged"}) {
        mistakes.setRecord(mistakes.freeRecord(), MistakeRecord{QLatin1String(text)});
    }
    expectSaved(mistakes);
}

TEST(RecordTable, CancelDropsEditsAndSaveWritesOnlyChangedRecords) {
    TestSite site;
    auto system = site.open();
    auto& mistakes = system->mistakes();
    saveThreeMistakes(mistakes);

    mistakes.setRecord(2, MistakeRecord{QStringLiteral("Short ship")});
    EXPECT_TRUE(mistakes.hasEdits());
    mistakes.cancel();
    EXPECT_FALSE(mistakes.hasEdits());
    EXPECT_EQ(mistakes.record(2).Desc, QStringLiteral("Short"));

    // Another workstation changes record 1; our save of record 2 must not overwrite it.
    {
        xbase::Table file;
        ASSERT_TRUE(file.open(site.path(QStringLiteral("TBVMMST.--1"))).ok());
        ASSERT_TRUE(file.go(1).ok());
        ASSERT_TRUE(file.setText(0, QStringLiteral("Mis-pick")).ok());
        ASSERT_TRUE(file.close().ok());
    }
    mistakes.setRecord(2, MistakeRecord{QStringLiteral("Short ship")});
    mistakes.remove(3, 0);
    EXPECT_EQ(mistakes.activeCount(), 2);
    EXPECT_EQ(mistakes.freeRecord(), 3);
    expectSaved(mistakes);
    ASSERT_TRUE(mistakes.reindex());
    EXPECT_EQ(mistakes.record(1).Desc, QStringLiteral("Mis-pick"));
    EXPECT_EQ(mistakes.record(2).Desc, QStringLiteral("Short ship"));
    EXPECT_FALSE(mistakes.isActive(3));
}

// A changed row keeps no copy of itself as loaded, only a digest: edits set back are no edits,
// a record another workstation changed meanwhile still refuses the save, one it took from the
// free records sends ours to a new record, and a cancel reads the rows back from the file.
TEST(RecordTable, ChangedRowsAreCheckedAndPutBackWithoutTheirLoadedCopy) {
    TestSite site;
    auto system = site.open();
    auto& mistakes = system->mistakes();
    saveThreeMistakes(mistakes);
    const auto otherWorkstationWrites = [&](quint32 number, const QString& text) {
        xbase::Table file;
        ASSERT_TRUE(file.open(site.path(QStringLiteral("TBVMMST.--1"))).ok());
        ASSERT_TRUE(file.go(number).ok());
        ASSERT_TRUE(file.setText(0, text).ok());
        ASSERT_TRUE(file.close().ok());
    };

    mistakes.setRecord(1, MistakeRecord{QStringLiteral("Mis-pick")});
    mistakes.setRecord(2, MistakeRecord{QStringLiteral("Short ship")});
    mistakes.setRecord(1, MistakeRecord{QStringLiteral("Wrong pick")});
    EXPECT_TRUE(mistakes.hasEdits());
    mistakes.setRecord(2, MistakeRecord{QStringLiteral("Short")});
    EXPECT_FALSE(mistakes.hasEdits()) << "both rows are back as loaded";

    mistakes.setRecord(2, MistakeRecord{QStringLiteral("Short ship")});
    otherWorkstationWrites(2, QStringLiteral("Short count"));
    EXPECT_FALSE(mistakes.save());
    EXPECT_TRUE(mistakes.lastError().contains(QStringLiteral("record 2 was changed by another")))
        << mistakes.lastError().toStdString();
    mistakes.cancel();
    EXPECT_FALSE(mistakes.hasEdits());
    EXPECT_EQ(mistakes.record(2).Desc, QStringLiteral("Short count")) << "read back from the file";
    EXPECT_EQ(mistakes.record(1).Desc, QStringLiteral("Wrong pick"));

    ASSERT_TRUE(mistakes.remove(3, 0));
    expectSaved(mistakes);
    mistakes.setRecord(3, MistakeRecord{QStringLiteral("Crushed")});
    otherWorkstationWrites(3, QStringLiteral("Theirs"));
    expectSaved(mistakes);
    ASSERT_TRUE(mistakes.reindex());
    EXPECT_EQ(mistakes.record(3).Desc, QStringLiteral("Theirs"));
    EXPECT_EQ(mistakes.find(QStringLiteral("Crushed")), 4) << "ours went to a new record";
}

// A code carried by several active records (another program may have stored it twice) finds
// the lowest of them while it lasts, then the next; a freed or renamed record is found no more.
TEST(RecordTable, CodesOfSeveralRecordsFindTheLowestThatStillCarriesThem) {
    TestSite site;
    auto system = site.open();
    auto& mistakes = system->mistakes();
    ASSERT_TRUE(mistakes.open());
    for (const char* text : {"Other", "Short", "Short ", "Damaged", " Short"}) {
        mistakes.setRecord(mistakes.freeRecord(), MistakeRecord{QLatin1String(text)});
    }
    EXPECT_EQ(mistakes.find(QStringLiteral("Short")), 2);
    mistakes.setRecord(6, MistakeRecord{QStringLiteral("Short")});
    mistakes.setRecord(1, MistakeRecord{QStringLiteral("Short")});
    EXPECT_EQ(mistakes.find(QStringLiteral(" Short ")), 1);
    ASSERT_TRUE(mistakes.remove(1, 0));
    ASSERT_TRUE(mistakes.remove(2, 0));
    EXPECT_EQ(mistakes.find(QStringLiteral("Short")), 3);
    mistakes.setRecord(3, MistakeRecord{QStringLiteral("Shorted")});
    mistakes.setRecord(5, MistakeRecord{QStringLiteral("Shorted")});
    EXPECT_EQ(mistakes.find(QStringLiteral("Short")), 6);
    EXPECT_EQ(mistakes.find(QStringLiteral("Shorted")), 3);
    ASSERT_TRUE(mistakes.remove(6, 0));
    EXPECT_EQ(mistakes.find(QStringLiteral("Short")), 0);
    mistakes.cancel();
    EXPECT_EQ(mistakes.find(QStringLiteral("Short")), 0) << "nothing was saved";
    EXPECT_EQ(mistakes.find(QStringLiteral("Other")), 0);
}

TEST(RecordTable, FailedSaveLeavesStoredRecordsIntactAtEveryWrite) {
    TestSite site;
    {
        auto system = site.open();
        ASSERT_TRUE(system->associates().open());
        system->associates().setRecord(1, sampleAssociate(QStringLiteral("A1")));
        system->associates().setRecord(2, sampleAssociate(QStringLiteral("A2")));
        expectSaved(system->associates());
    }
    const QString file = site.path(QStringLiteral("TBVMASC.--1"));
    const QByteArray before = xbase::testing::fileBytes(file);
    // Fail the first, second, ... write of a save that changes two records and appends two,
    // until a save gets through; each failure must leave the records as they were.
    bool savedAtLast = false;
    int failedSaves = 0;
    for (int failing = 1; failing < 200 && !savedAtLast; ++failing) {
        xbase::testing::FailingFileOperations operations;
        auto system = site.open(&operations);
        auto& associates = system->associates();
        ASSERT_TRUE(associates.open());
        for (int number = 1; number <= 4; ++number) {
            AssociateRecord changed = sampleAssociate(QStringLiteral("N%1").arg(number));
            changed.WageRate = 20.0 + number;
            associates.setRecord(number, changed);
        }
        operations.writes = 0;
        operations.failFrom = failing;
        operations.onlyOnce = true;
        savedAtLast = associates.save();
        if (!savedAtLast) {
            ++failedSaves;
            EXPECT_TRUE(associates.lastError().contains(QStringLiteral("TBVMASC.--1")))
                << associates.lastError().toStdString();
            EXPECT_TRUE(associates.hasEdits());
            auto reader = site.open();
            ASSERT_TRUE(reader->associates().open());
            EXPECT_EQ(reader->associates().record(1), sampleAssociate(QStringLiteral("A1")))
                << "write " << failing;
            EXPECT_EQ(reader->associates().record(2), sampleAssociate(QStringLiteral("A2")));
            EXPECT_EQ(reader->associates().activeCount(), 2) << "write " << failing;
        }
    }
    EXPECT_TRUE(savedAtLast);
    EXPECT_GE(failedSaves, 4);  // two rewrites and two appends, each of at least one write
    EXPECT_NE(xbase::testing::fileBytes(file), before);
}

TEST(RecordTable, NumberTooWideForItsColumnRefusesTheWholeSave) {
    TestSite site;
    auto system = site.open();
    auto& associates = system->associates();
    ASSERT_TRUE(associates.open());
    associates.setRecord(1, sampleAssociate(QStringLiteral("A1")));
    AssociateRecord wide = sampleAssociate(QStringLiteral("A2"));
    wide.WageRate = 1e12;
    associates.setRecord(2, wide);
    EXPECT_FALSE(associates.save());
    EXPECT_TRUE(associates.lastError().contains(QStringLiteral("record 2")));
    auto reader = site.open();
    ASSERT_TRUE(reader->associates().open());
    EXPECT_EQ(reader->associates().recordCount(), 0);
}

TEST(RecordTable, MissingOrCorruptFileFailsNamingItAndIsLeftAlone) {
    TestSite site;
    ASSERT_TRUE(QFile::remove(site.path(QStringLiteral("TBVMACT.--1"))));
    const QByteArray garbage("this is not a table at all, just some text\n");
    xbase::testing::writeBytes(site.path(QStringLiteral("TBVMELM.--1")), garbage);

    auto system = site.open();
    EXPECT_FALSE(system->activities().open());
    EXPECT_TRUE(system->activities().lastError().contains(QStringLiteral("TBVMACT.--1")));
    EXPECT_TRUE(system->errors().mentions(QStringLiteral("TBVMACT.--1")));
    EXPECT_FALSE(QFile::exists(site.path(QStringLiteral("TBVMACT.--1"))));

    EXPECT_FALSE(system->elements().open());
    EXPECT_TRUE(system->elements().lastError().contains(QStringLiteral("TBVMELM.--1")))
        << system->elements().lastError().toStdString();
    EXPECT_FALSE(system->elements().save());
    EXPECT_EQ(xbase::testing::fileBytes(site.path(QStringLiteral("TBVMELM.--1"))), garbage);

    // A valid xBase file of another kind is refused as well.
    ASSERT_TRUE(QFile::remove(site.path(QStringLiteral("TBVMMST.--1"))));
    ASSERT_TRUE(QFile::copy(site.path(QStringLiteral("TBDAYFIL.--1")),
                            site.path(QStringLiteral("TBVMMST.--1"))));
    EXPECT_FALSE(system->mistakes().open());
    EXPECT_TRUE(system->mistakes().lastError().contains(QStringLiteral("no column DESC")))
        << system->mistakes().lastError().toStdString();
}

TEST(RecordTable, MaximaFollowTheSettingsAndFullTablesGiveNoFreeRecord) {
    TestSite site;
    auto system = site.open();
    EXPECT_EQ(system->activities().maximum(), 999);
    EXPECT_EQ(system->allocations().maximum(), 999);
    EXPECT_EQ(system->workCenters().maximum(), 99);
    site.setSetting(QStringLiteral("System"), QStringLiteral("MaxAllocations"),
                    QStringLiteral("9999"));
    site.setSetting(QStringLiteral("System"), QStringLiteral("MaxWorkCenters"),
                    QStringLiteral("2"));
    EXPECT_EQ(system->allocations().maximum(), 9999);
    auto& centers = system->workCenters();
    ASSERT_TRUE(centers.open());
    EXPECT_EQ(centers.freeRecord(), 1);
    centers.setRecord(1, withCode<WorkCenterRecord>(QStringLiteral("W1")));
    centers.setRecord(2, withCode<WorkCenterRecord>(QStringLiteral("W2")));
    EXPECT_EQ(centers.freeRecord(), 0);
    centers.remove(1, 0);
    EXPECT_EQ(centers.freeRecord(), 1);
}

// A table another program wrote (other column order and widths, a deleted record) keeps what
// it holds: values read back in full, unchanged values are no edit, a deleted record taken for
// a new one becomes a live record.
TEST(RecordTable, KeepsTheLayoutAndRecordsOfAFileAnotherProgramWrote) {
    TestSite site;
    const QString path = site.path(QStringLiteral("TBVMMST.--1"));
    ASSERT_TRUE(QFile::remove(path));
    const QString longText = QStringLiteral("Picked from the wrong slot on the upper level");
    {
        using xbase::FieldDescriptor;
        ASSERT_TRUE(xbase::Table::create(path, {FieldDescriptor::character(u"NOTE"_s, 5),
                                                FieldDescriptor::character(u"DESC"_s, 60)})
                        .ok());
        xbase::Table file;
        ASSERT_TRUE(file.open(path).ok());
        for (const QString& desc : {longText, u"Short"_s, u"Damaged"_s}) {
            ASSERT_TRUE(file.appendBlank().ok());
            ASSERT_TRUE(file.setText(0, u"keep"_s).ok());
            ASSERT_TRUE(file.setText(1, desc).ok());
            ASSERT_TRUE(file.flush().ok());
        }
        ASSERT_TRUE(file.go(3).ok());
        ASSERT_TRUE(file.deleteRecord().ok());
        ASSERT_TRUE(file.close().ok());
    }
    auto system = site.open();
    auto& mistakes = system->mistakes();
    ASSERT_TRUE(mistakes.open());
    EXPECT_EQ(mistakes.record(1).Desc, longText);
    mistakes.setRecord(1, mistakes.record(1));
    EXPECT_FALSE(mistakes.hasEdits());
    EXPECT_EQ(mistakes.freeRecord(), 3);
    const QString longer = longText + u" again"_s;
    mistakes.setRecord(1, MistakeRecord{longer});
    mistakes.setRecord(3, MistakeRecord{u"Torn"_s});
    expectSaved(mistakes);

    auto reader = site.open();
    ASSERT_TRUE(reader->mistakes().open());
    EXPECT_EQ(reader->mistakes().record(1).Desc, longer);
    EXPECT_EQ(reader->mistakes().find(u"Torn"_s), 3);
    xbase::Table file;
    ASSERT_TRUE(file.open(path, xbase::OpenOptions::readOnlyShared()).ok());
    ASSERT_TRUE(file.go(3).ok());
    EXPECT_FALSE(file.isDeleted());
    EXPECT_EQ(file.text(0), u"keep"_s);
    ASSERT_TRUE(file.go(1).ok());
    EXPECT_EQ(file.text(0), u"keep"_s);
}

// Rows compare by value: a number another program spaced differently is the same number
// (a packed row starts with the deletion flag).
TEST(RecordTable, RowsWithTheSameValuesInOtherSpacingAreTheSame) {
    const RowCodec codec({{u"Rate"_s, FieldType::Number, 10, 2}},
                         {xbase::FieldDescriptor::numeric(u"RATE"_s, 10, 2)});
    const PackedRow ours = codec.pack({17.5});
    EXPECT_EQ(ours, PackedRow("      17.50"));
    EXPECT_TRUE(codec.sameValues(ours, PackedRow("  17.5     ")));
    EXPECT_FALSE(codec.sameValues(ours, PackedRow("  17.51    ")));
    QString unfit;
    EXPECT_EQ(codec.pack({1e12}, &unfit), codec.blank());
    EXPECT_TRUE(unfit.contains(u"RATE"_s)) << unfit.toStdString();
}

}  // namespace
}  // namespace vel::testing
