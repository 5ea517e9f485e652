// Every validation table of a small known site, written as CSV and read back line by line; the
// column shapes through the xBase output's field descriptors; XLSX through its sheet XML.
#include "ExportSite.h"

#include "maintenance/StandardValue.h"
#include "maintenance/ValidationTableWriter.h"
#include "platform/transfer/ExportStatus.h"
#include "platform/transfer/ZipArchive.h"

namespace vel::testing {
namespace {

QString repeated(const QString& text, int count) {
    QStringList parts;
    for (int index = 0; index < count; ++index) {
        parts << text;
    }
    return parts.join(u',');
}

QString elementColumns() {
    QStringList names;
    for (int slot = 1; slot <= 30; ++slot) {
        names << QStringLiteral("ELM_DESC%1").arg(slot);
    }
    return names.join(u',');
}

// The fields of an xBase file as "NAME C 10 0", read from its header's field descriptors.
QStringList xbaseFields(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    const QByteArray bytes = file.readAll();
    QStringList fields;
    for (int offset = 32; offset + 32 <= bytes.size() && bytes[offset] != '\r'; offset += 32) {
        const QByteArray name = bytes.mid(offset, 11);
        fields << QStringLiteral("%1 %2 %3 %4")
                      .arg(QString::fromLatin1(name.left(name.indexOf('\0'))))
                      .arg(QLatin1Char(bytes[offset + 11]))
                      .arg(quint8(bytes[offset + 16]))
                      .arg(quint8(bytes[offset + 17]));
    }
    return fields;
}

struct WriterSite : ExportSite {
    QStringList written(ValidationTable table, const QString& type = QStringLiteral("CSV")) {
        const QString path = output + u'/' + validationTableInfo(table).baseName + u'.' + type;
        ValidationTableWriter writer(*system);
        writer.write(table, type, path, {.headerLine = true});
        return type == u"CSV" ? lines(path) : QStringList{path};
    }
};

TEST(ValidationTableWriter, ActivitiesCarryTheirSettingsAndOneColumnPerElementSlot) {
    WriterSite s;
    EXPECT_EQ(s.written(ValidationTable::Activity),
              (QStringList{
                  QStringLiteral("CODE,DESC,TOW_CODE,EHRS_TYPE,ALLOCATED,SAMESTD,GETDOC,DOCNAME,"
                                 "RECORD,FLD-AHRS,FLD-EHRS,FLD-COST,IN-TOT,IN-TOW,IN-QUAL,IN-INC,"
                                 "IN-PPA,HIST-STD,XYZ,KIOSK,NUMELM,") +
                      elementColumns(),
                  QStringLiteral("PICK,Case Picking,DIRECT,1,2,0,-1,Order,1,3,4,0,-1,-1,0,0,-1,2,"
                                 "0,-1,2,Cases,Pallets,") +
                      repeated({}, 28),
                  // No elements: NUMELM 0 and every element column empty.
                  QStringLiteral("IDLE,Idle Time,INDIRECT,0,0,0,0,,3,0,0,0,0,0,0,0,0,0,0,0,0,") +
                      repeated({}, 30)}));
    EXPECT_EQ(s.written(ValidationTable::ElementsOnActivities),
              (QStringList{"CODE,DESC,ELEMENT,FLD-UNITS,INCL_ACT,INCL_TOW",
                           "PICK,Case Picking,Cases,5,-1,-1", "PICK,Case Picking,Pallets,6,0,0"}));
    // The marker row of the allocation is no standard; 12.3 stays 12.3, not 12.30000019.
    EXPECT_EQ(s.written(ValidationTable::StandardsByAllocation),
              (QStringList{"ACT_CODE,ALLOC_CODE,ELEMENT,UNITSHOUR,MINUTES",
                           "PICK,FROZEN,Cases,120.0000000,0.50000",
                           "PICK,FROZEN,Pallets,12.3000000,4.87805"}));
}

TEST(ValidationTableWriter, WorkCentersAssociatesAndTheSmallTables) {
    WriterSite s;
    EXPECT_EQ(s.written(ValidationTable::WorkCenter),
              (QStringList{"CODE,DESC,RECORD,SHIFT,KIOSK,SEQUENCE,STARTTIME,STOPTIME,DATASTART,"
                           "DATASTOP,SUPERVISOR",
                           "RECV,Receiving,1,1,-1,2,07:30,16:00,Today at: 07:30,"
                           "Tomorrow at: 07:29,Pat Lee",
                           "NIGHT,\"Night, \"\"late\"\" picking\",2,3,0,0,22:00,06:00,"
                           "Yesterday at: 22:00,Today at: 21:59,"}));
    // A code that a spreadsheet would take for a formula gets the apostrophe of the writer;
    // no hire date exports an empty HIREDATE.
    EXPECT_EQ(s.written(ValidationTable::Associate),
              (QStringList{"CODE,LNAME,FNAME,HOMEWC,SSN,BADGE1,BADGE2,BADGE3,BADGE4,BADGE5,SHIFT,"
                           "HIREDATE,WAGERATE,PERFGOAL,GROUP,ONPAYROLL,ONINCENTIV,BASEINC,"
                           "TENUREDATE,TESTPERF,TESTQUAL,RECORD,BADGE6,BADGE7,BADGE8,BADGE9,"
                           "BADGE10",
                           "A100,Smith,Jo,NIGHT,123-45-6789,B1,,,,,3,2021/04/05,17.50,100.00,"
                           "LEADS,-1,0,1.50,,-1,0,1,,,,,B10",
                           "'=B200,Jones,,,,,,,,,0,,0.00,0.00,,0,0,0.00,,0,0,2,,,,,"}));
    EXPECT_EQ(s.written(ValidationTable::Allocation),
              (QStringList{"CODE,DESC,RECORD", "GROCERY,Grocery,1", "FROZEN,Frozen Foods,2"}));
    EXPECT_EQ(
        s.written(ValidationTable::TypeOfWork),
        (QStringList{"CODE,DESC,RECORD", "DIRECT,Direct Work,1", "INDIRECT,Indirect Work,2"}));
    EXPECT_EQ(s.written(ValidationTable::Element),
              (QStringList{"DESC,RECORD", "Cases,1", "Lines,2", "Pallets,4"}));
    EXPECT_EQ(s.written(ValidationTable::DataFields),
              (QStringList{"RECORD,DESC,SYSTEM,WORKCENTER,ASSOCIATE,ALLOCATION",
                           "3,PICK Actual Hours,Yes,No,Yes,Yes"}));
    EXPECT_EQ(s.written(ValidationTable::ValidTypesOfWork),
              (QStringList{"WCCODE,TOWCODE,VALID", "RECV,DIRECT,-1", "RECV,INDIRECT,0",
                           "NIGHT,DIRECT,0", "NIGHT,INDIRECT,-1"}));
}

TEST(ValidationTableWriter, ColumnTypesWidthsAndDecimalsShowInTheXbaseOutput) {
    WriterSite s;
    const QStringList associates =
        xbaseFields(s.written(ValidationTable::Associate, QStringLiteral("DBF")).first());
    EXPECT_EQ(associates.mid(0, 6), (QStringList{"CODE C 10 0", "LNAME C 15 0", "FNAME C 15 0",
                                                 "HOMEWC C 20 0", "SSN C 20 0", "BADGE1 C 20 0"}));
    EXPECT_EQ(
        associates.mid(10, 12),
        (QStringList{"SHIFT N 2 0", "HIREDATE D 8 0", "WAGERATE N 10 2", "PERFGOAL N 10 2",
                     "GROUP C 30 0", "ONPAYROLL N 2 0", "ONINCENTIV N 2 0", "BASEINC N 10 2",
                     "TENUREDATE D 8 0", "TESTPERF N 2 0", "TESTQUAL N 2 0", "RECORD N 5 0"}));
    EXPECT_EQ(associates.size(), 27);
    const QStringList activities =
        xbaseFields(s.written(ValidationTable::Activity, QStringLiteral("DBF")).first());
    ASSERT_EQ(activities.size(), 51);
    EXPECT_EQ(activities.mid(8, 4),
              (QStringList{"RECORD N 5 0", "FLD_AHRS N 5 0", "FLD_EHRS N 5 0", "FLD_COST N 5 0"}));
    EXPECT_EQ(activities.mid(19, 3),
              (QStringList{"KIOSK N 2 0", "NUMELM N 2 0", "ELM_DESC1 C 30 0"}));
    EXPECT_EQ(xbaseFields(
                  s.written(ValidationTable::StandardsByAllocation, QStringLiteral("DBF")).first())
                  .mid(3),
              (QStringList{"UNITSHOUR N 13 7", "MINUTES N 13 5"}));
    EXPECT_EQ(xbaseFields(s.written(ValidationTable::WorkCenter, QStringLiteral("DBF")).first())
                  .mid(6, 2),
              (QStringList{"STARTTIME C 8 0", "STOPTIME C 8 0"}));
}

TEST(ValidationTableWriter, XlsxIsAWorkbookWithTheValTableSheet) {
    WriterSite s;
    const QString path = s.written(ValidationTable::WorkCenter, QStringLiteral("XLSX")).first();
    const QString unpacked = s.site.path(QStringLiteral("unpacked"));
    ASSERT_TRUE(ZipArchive::extractAll(path, unpacked).ok);
    const QString workbook = s.lines(unpacked + QStringLiteral("/xl/workbook.xml")).join(u'\n');
    EXPECT_TRUE(workbook.contains(QStringLiteral("name=\"ValTable\""))) << workbook.toStdString();
    const QString sheet =
        s.lines(unpacked + QStringLiteral("/xl/worksheets/sheet1.xml")).join(u'\n');
    for (const char* text : {"SUPERVISOR", "Pat Lee", "Yesterday at: 22:00", "Receiving"}) {
        EXPECT_TRUE(sheet.contains(QString::fromUtf8(text))) << text;
    }
    EXPECT_EQ(sheet.count(QStringLiteral("<row ")), 3);
}

TEST(ValidationTableWriter, AFailingOutputThrowsNamingTheFileAndWritesNothing) {
    WriterSite s;
    ValidationTableWriter writer(*s.system);
    const QString missing = s.site.path(QStringLiteral("missing/ELEMENT.csv"));
    try {
        writer.write(ValidationTable::Element, QStringLiteral("CSV"), missing, {});
        ADD_FAILURE() << "no error";
    } catch (const ExportError& error) {
        EXPECT_TRUE(error.description().contains(missing)) << error.description().toStdString();
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_THROW(writer.write(ValidationTable::Element, QStringLiteral("PDF"),
                              s.output + QStringLiteral("/ELEMENT.pdf"), {}),
                 ExportError);
}

}  // namespace
}  // namespace vel::testing

namespace vel::testing {
namespace {

// The standard's seven significant digits come out as the general number formatting gives them,
// for the values standards hold and for the edges of single precision.
TEST(ValidationTableWriter, StandardValuesRoundToSevenDigitsAsTheGeneralFormattingDoes) {
    std::vector<float> values = {0.0F,
                                 -0.0F,
                                 12.3F,
                                 0.1F,
                                 1.0F / 3.0F,
                                 60.0F / 7.0F,
                                 123.4567F,
                                 9999999.0F,
                                 1e7F,
                                 1.5e-7F,
                                 3.4e38F,
                                 1e-45F,
                                 std::numeric_limits<float>::infinity()};
    for (int step = 1; step < 20000; ++step) {
        values.push_back(std::ldexp(float(step * 7919 % 104729), -(step % 30)) *
                         (step % 3 ? 1.0F : -1.0F));
    }
    for (const float value : values) {
        const double general = QString::number(value, 'g', 7).toDouble();
        EXPECT_EQ(standardValue(value), general) << value;
    }
}

}  // namespace
}  // namespace vel::testing
