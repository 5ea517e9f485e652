// Fields read straight from a table's packed records give what record() gives, for every field
// of a record type with every field type; the same reader over a table without packed records
// reads through record(); the active rule read from the bytes agrees with the values.
#include "HostTestSupport.h"

#include "data/RecordFieldReader.h"
#include "host/XbaseTable.h"

namespace vel::testing {
namespace {

// A table that offers its records only through record(), as a table kept elsewhere would.
template <class Record>
class RecordsOnly : public Table<Record> {
  public:
    explicit RecordsOnly(Table<Record>& inner) : inner_(inner) {}
    QString name() const override { return inner_.name(); }
    bool open() override { return inner_.open(); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    bool reindex() override { return inner_.reindex(); }
    int recordCount() const override { return inner_.recordCount(); }
    int maximum() const override { return inner_.maximum(); }
    bool isActive(int number) const override { return inner_.isActive(number); }
    int freeRecord() const override { return inner_.freeRecord(); }
    QString code(int number) const override { return inner_.code(number); }
    int find(const QString& code) const override { return inner_.find(code); }
    QString usedOn(int number) const override { return inner_.usedOn(number); }
    bool remove(int number, int target) override { return inner_.remove(number, target); }
    bool save() override { return inner_.save(); }
    void cancel() override { inner_.cancel(); }
    bool hasEdits() const override { return inner_.hasEdits(); }
    bool wasSaved() const override { return inner_.wasSaved(); }
    Record record(int number) const override { return inner_.record(number); }
    void setRecord(int number, const Record& record) override { inner_.setRecord(number, record); }

  private:
    Table<Record>& inner_;
};

// Every field of every record of the table read through the reader equals the record's member
// (as record() gives it); numbers kept in single precision compare in single precision.
template <class Record>
void expectEveryFieldAsTheRecord(Table<Record>& table) {
    RecordFieldReader<Record> reader(table);
    std::vector<int> handles;
    for (const Field<Record>& entry : Record::fields()) {
        handles.push_back(reader.field(entry.name));
    }
    for (int number = 1; number <= table.recordCount(); ++number) {
        const Record record = table.record(number);
        reader.select(number);
        size_t index = 0;
        for (const Field<Record>& entry : Record::fields()) {
            SCOPED_TRACE(entry.name.toStdString() + " of record " + std::to_string(number));
            const QVariant expected = entry.read(record);
            const int handle = handles[index++];
            switch (entry.type) {
                case FieldType::Text:
                    EXPECT_EQ(reader.text(handle), expected.toString());
                    break;
                case FieldType::Integer:
                    EXPECT_EQ(reader.whole(handle), expected.toLongLong());
                    break;
                case FieldType::Number:
                    if (expected.typeId() == QMetaType::Float) {
                        EXPECT_EQ(float(reader.number(handle)), expected.toFloat());
                    } else {
                        EXPECT_EQ(reader.number(handle), expected.toDouble());
                    }
                    break;
                case FieldType::Boolean:
                    EXPECT_EQ(reader.flag(handle), expected.toBool());
                    break;
                case FieldType::Date:
                    EXPECT_EQ(reader.date(handle), expected.toDate());
                    break;
                case FieldType::Time:
                    EXPECT_EQ(reader.time(handle), expected.toTime());
                    break;
            }
        }
    }
}

TEST(RecordFieldReader, ReadsWhatRecordGivesFromPackedRowsAndThroughRecords) {
    TestSite site;
    auto system = site.open();
    auto& associates = system->associates();
    auto& workCenters = system->workCenters();
    auto& activities = system->activities();
    ASSERT_TRUE(associates.open());
    ASSERT_TRUE(workCenters.open());
    ASSERT_TRUE(activities.open());
    AssociateRecord associate;
    associate.Code = QStringLiteral("A1");
    associate.LastName = QStringLiteral("Müller-Ærø");
    associate.FirstName = QStringLiteral("Zoë €uro");
    associate.WorkCenter = 2;
    associate.HireDate = QDate(2019, 2, 28);
    associate.WageRate = 17.3125;
    associate.PerfGoal = -98.5;
    associate.OnPayRoll = true;
    associate.Badge[9] = QStringLiteral("TENTH");
    associates.setRecord(1, associate);
    associate.Code = QStringLiteral("A3");
    associate.HireDate = QDate();
    associate.WageRate = 0.0;
    associates.setRecord(3, associate);  // record 2 stays blank
    WorkCenterRecord center;
    center.Code = QStringLiteral("WC1");
    center.StartTime = QTime(23, 30, 15);
    center.StopTime = QTime();
    center.TOWValid[98] = true;
    workCenters.setRecord(1, center);
    ActivityRecord activity;
    activity.Code = QStringLiteral("PICK");
    activity.Elements[4].Element = 3;
    activity.Elements[4].Standard = 12.3F;
    activity.Elements[4].Historical = true;
    activity.Elements[4].UnitsField = 7;
    activities.setRecord(1, activity);
    expectSaved(associates);
    expectSaved(workCenters);
    expectSaved(activities);

    expectEveryFieldAsTheRecord(associates);
    expectEveryFieldAsTheRecord(workCenters);
    expectEveryFieldAsTheRecord(activities);
    RecordsOnly<AssociateRecord> recordsOnly(associates);
    expectEveryFieldAsTheRecord(recordsOnly);

    // A value its column cannot store is kept apart from the packed rows: read as given.
    associate.WageRate = 1e12;
    associates.setRecord(3, associate);
    RecordFieldReader<AssociateRecord> reader(associates);
    const int wageRate = reader.field(QStringLiteral("WageRate"));
    reader.select(3);
    EXPECT_EQ(reader.number(wageRate), 1e12);
    EXPECT_THROW(reader.field(QStringLiteral("NoSuchField")), RuntimeError);
}

TEST(RecordTable, ActiveRuleReadFromTheBytesAgreesWithTheValues) {
    TestSite site;
    auto system = site.open();
    auto& allocations = system->allocations();
    ASSERT_TRUE(allocations.open());
    const QStringList codes = {QStringLiteral("   "),  QStringLiteral("\u00a0"),
                               QStringLiteral(" \t "), QStringLiteral("é"),
                               QStringLiteral("  x"),  QString()};
    for (int index = 0; index < codes.size(); ++index) {
        AllocationRecord allocation;
        allocation.Code = codes[index];
        allocation.Desc = QStringLiteral("set, but not the code");
        allocations.setRecord(index + 1, allocation);
    }
    expectSaved(allocations);
    auto reader = site.open();
    auto& stored = reader->allocations();
    ASSERT_TRUE(stored.open());
    for (int number = 1; number <= stored.recordCount(); ++number) {
        SCOPED_TRACE(number);
        EXPECT_EQ(stored.isActive(number), !stored.code(number).trimmed().isEmpty());
    }
    EXPECT_FALSE(stored.isActive(2));  // a non-breaking space is blank too
    EXPECT_TRUE(stored.isActive(4));
    EXPECT_TRUE(stored.isActive(5));
}

}  // namespace
}  // namespace vel::testing
