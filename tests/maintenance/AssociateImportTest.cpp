// The associate imports against the reference host on a temporary folder, through the headless Ui.
#include "host/FailingStatusUi.h"
#include "host/HostTestSupport.h"
#include "maintenance/AssociateImport.h"
#include "maintenance/ImportValues.h"
#include "services/ErrorReport.h"
#include "data/records/AssociateRecord.h"
#include "data/records/GroupingRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "editors/AssociateStores.h"
#include "host/ChangeLog.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include "platform/transfer/ZipArchive.h"

#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <cmath>
#include <sys/stat.h>

namespace vel::testing {
namespace {

const QDate today(2024, 3, 13);

TEST(ImportValues, ConvertFieldsAndFiltersAsTheImportsNeed) {
    EXPECT_EQ(parseYesNo(QStringLiteral(" yes ")), true);
    EXPECT_EQ(parseYesNo(QStringLiteral("-1")), true);
    EXPECT_EQ(parseYesNo(QStringLiteral("n")), false);
    EXPECT_FALSE(parseYesNo(QStringLiteral("maybe")).has_value());
    EXPECT_EQ(parseImportDate(QStringLiteral("2024/01/02")), QDate(2024, 1, 2));
    EXPECT_EQ(parseImportDate(QStringLiteral("1/2/2024")), QDate(2024, 1, 2));
    EXPECT_FALSE(parseImportDate(QStringLiteral("2024/02/30")).has_value());
    EXPECT_EQ(parseImportNumber(QStringLiteral("$1,234.50")), 1234.5);
    EXPECT_FALSE(parseImportNumber(QStringLiteral("12abc")).has_value());
    EXPECT_FALSE(parseImportNumber(QStringLiteral("nan")).has_value());
    EXPECT_FALSE(parseImportNumber(QStringLiteral("1.2.3")).has_value());
    EXPECT_FALSE(parseImportNumber(QStringLiteral("1-2")).has_value());
    // Plain decimals are read to the same nearest double as the general reader gives.
    for (const char* text : {"15.25", "0.1", "-0.000001", "9007199254740993", "1.0000000000000002",
                             "123456789012345678901234567890.5", "0.30000000000000004", "-0",
                             " 7.5 ", "+2.5", "5.", ".5", "1e3"}) {
        const QString number = QString::fromLatin1(text);
        bool ok = false;
        const double expected = number.trimmed().toDouble(&ok);
        ASSERT_TRUE(ok) << text;
        EXPECT_EQ(parseImportNumber(number), expected) << text;
        EXPECT_EQ(std::signbit(*parseImportNumber(number)), std::signbit(expected)) << text;
    }
    EXPECT_EQ(properCaseName(QStringLiteral("SMITH")), "Smith");
    EXPECT_EQ(properCaseName(QStringLiteral("O'BRIEN-JONES")), "O'Brien-Jones");
    EXPECT_EQ(properCaseName(QStringLiteral("McDonald")), "McDonald");
    EXPECT_TRUE(badgePassesFilter(QStringLiteral("123"), QStringLiteral("12*")));
    EXPECT_TRUE(badgePassesFilter(QStringLiteral("12"), QStringLiteral("12*")));
    EXPECT_FALSE(badgePassesFilter(QStringLiteral("1"), QStringLiteral("12*")));
    EXPECT_FALSE(badgePassesFilter(QStringLiteral("123"), QStringLiteral("12")));
    EXPECT_EQ(parseCodeList(QStringLiteral("\"w1\", W2+W3  w4")),
              (QStringList{"W1", "W2", "W3", "W4"}));
    EXPECT_TRUE(settingIsOn(QStringLiteral("True")));
    EXPECT_FALSE(settingIsOn(QStringLiteral("0")));
}

// A site with work centers W1 and W2, grouping G1 and two associates.
struct ImportSite {
    ImportSite() : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
        system = site.open();
        storeAll(system->workCenters(), {withCode<WorkCenterRecord>(QStringLiteral("W1")),
                                         withCode<WorkCenterRecord>(QStringLiteral("W2"))});
        storeAll(system->groupings(), {withCode<GroupingRecord>(QStringLiteral("G1"))});
        AssociateRecord smith = withCode<AssociateRecord>(QStringLiteral("A100"));
        smith.LastName = QStringLiteral("Smith");
        smith.WorkCenter = 1;
        smith.Badge[0] = QStringLiteral("111");
        AssociateRecord kept = withCode<AssociateRecord>(QStringLiteral("K100"));
        kept.WorkCenter = 2;
        storeAll(system->associates(), {smith, kept, withCode<AssociateRecord>(QStringLiteral("M100"))});
    }
    template <class Record>
    void storeAll(Table<Record>& table, const std::vector<Record>& records) {
        ASSERT_TRUE(table.open());
        for (size_t index = 0; index < records.size(); ++index) {
            table.setRecord(int(index) + 1, records[index]);
        }
        expectSaved(table);
        table.close();
    }
    QString writeFile(const QByteArray& bytes) {
        const QString path = site.path(QStringLiteral("assoc.csv"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    // The associate as stored on file, read by a second system object.
    std::optional<AssociateRecord> stored(const QString& code) const {
        const auto reader = site.open();
        auto& table = reader->associates();
        EXPECT_TRUE(table.open());
        const int number = table.find(code);
        std::optional<AssociateRecord> record;
        if (number) {
            record = table.record(number);
        }
        table.close();
        return record;
    }

    TestSite site;
    HeadlessUi ui;
    ScopedUi scope;
    std::unique_ptr<ReferenceSystem> system;
};

TEST(AssociateImport, AddsAndUpdatesByCodeConvertingEachFieldAndSkipsBadLines) {
    ImportSite s;
    const QString path = s.writeFile(
        "CODE,LAST,FIRST\n"
        "A100;only the code: nothing changes\n"
        "a200,SMITH,JOHN,w2,123-45-6789,b1,,,,,2,,15.5,1.1,g1,Y,N,0,2024/01/02,yes,no,99,b6\n"
        "A300,McDonald,Ann,W1,,,,,,,1,notadate\n"
        "\"A400\",\"Jones, Jr\",Bob,W9\n"
        "A123456789012,Long,Code\n");
    s.ui.answer(QStringLiteral("Importing Complete.  There were: \n2 records added, and 1 records "
                               "updated, and 2 records skipped"),
                IDOK);
    AssociateImport import(*s.system, today);
    int rebuilt = 0;
    import.setAfterImport([&] { ++rebuilt; });
    EXPECT_TRUE(import.importUpdates({path, 1, 0, std::nullopt, {}}));
    EXPECT_EQ(rebuilt, 1);
    EXPECT_EQ(import.remarks(), (QStringList{"Line 4: field 12 \"notadate\" is not a date",
                                             "Line 6: the code A123456789012 is longer than 10 characters"}));

    const AssociateRecord smith = *s.stored(QStringLiteral("A100"));
    EXPECT_EQ(smith.LastName, "Smith");
    EXPECT_EQ(smith.Badge[0], "111");
    const AssociateRecord john = *s.stored(QStringLiteral("A200"));
    EXPECT_EQ(john.LastName, "Smith");
    EXPECT_EQ(john.FirstName, "John");
    EXPECT_EQ(john.WorkCenter, 2);
    EXPECT_EQ(john.SSN, "123-45-6789");
    EXPECT_EQ(john.Badge[0], "B1");
    EXPECT_EQ(john.Badge[5], "B6");
    EXPECT_EQ(john.Shift, 2);
    EXPECT_EQ(john.HireDate, today) << "an empty hire date on a new associate is today";
    EXPECT_DOUBLE_EQ(john.WageRate, 15.5);
    EXPECT_DOUBLE_EQ(john.PerfGoal, 1.1);
    EXPECT_EQ(john.Grouping, 1);
    EXPECT_TRUE(john.OnPayRoll);
    EXPECT_FALSE(john.PayIncentive);
    EXPECT_EQ(john.PolicyDate, QDate(2024, 1, 2));
    EXPECT_TRUE(john.IncludeinPerf);
    EXPECT_FALSE(john.IncludeinQuality);
    EXPECT_FALSE(s.stored(QStringLiteral("A300")).has_value());
    const AssociateRecord jones = *s.stored(QStringLiteral("A400"));
    EXPECT_EQ(jones.LastName, "Jones, Jr");
    EXPECT_EQ(jones.WorkCenter, 0) << "an unknown work center stores none";
}

// The bytes of a table without the date of its last update (header bytes 1-3).
QByteArray tableWithoutDate(const TestSite& site, const QString& name) {
    QFile file(site.path(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    QByteArray bytes = file.readAll();
    if (bytes.size() > 4) {
        bytes.replace(1, 3, "DDD");
    }
    return bytes;
}

// The change log without dates and times, and without the closing summary of each import.
QStringList changeLines(ReferenceSystem& system) {
    QStringList lines;
    for (const ChangeLogEntry& entry : system.changeLog().entries()) {
        if (entry.Action.trimmed() != u"Imported") {
            lines << entry.Code + u'|' + entry.Action + u'|' + entry.Changes;
        }
    }
    return lines;
}

// A file of new associates and updates imported at once writes the same associate, grouping
// membership and change-log records as the same lines imported one line per import.
TEST(AssociateImport, AllLinesAtOnceWriteTheSameTablesAsOneLinePerImport) {
    QList<QByteArray> lines;
    for (int line = 0; line < 40; ++line) {
        lines << QStringLiteral("N%1,Last%1,First,W%2,,B%1,,,,,1,2024/01/15,%3,1.0,%4,Y,N\n")
                     .arg(line)
                     .arg(line % 2 + 1)
                     .arg(10 + line * 0.25)
                     .arg(line % 5 == 0 ? QStringLiteral("G1") : QString())
                     .toUtf8();
    }
    lines << "A100,Smythe,Jo,W2\n"
          << "N3,Changed,Name,W1\n"
          << "N7,Last7,First,W2,,B7,,,,,1,2024/01/15,11.75,1.0,,Y,N\n";
    const auto importLines = [](ImportSite& s, const QByteArray& bytes) {
        const QString path = s.writeFile(bytes);
        AssociateImport import(*s.system, today);
        import.setAfterImport([&] { associateStores::rebuildDerivedStores(*s.system); });
        return import.importUpdates({path, 0, 0, std::nullopt, {}});
    };
    ImportSite atOnce;
    atOnce.ui.answerAlways(QStringLiteral("Importing Complete"), IDOK);
    ASSERT_TRUE(importLines(atOnce, lines.join()));
    ImportSite oneByOne;
    oneByOne.ui.answerAlways(QStringLiteral("Importing Complete"), IDOK);
    for (const QByteArray& line : lines) {
        ASSERT_TRUE(importLines(oneByOne, line));
    }
    for (const QString& table : {QStringLiteral("TBVMASC.--1"), QStringLiteral("TBVMGMB.--1")}) {
        EXPECT_EQ(tableWithoutDate(atOnce.site, table), tableWithoutDate(oneByOne.site, table))
            << table.toStdString();
    }
    const QStringList logged = changeLines(*atOnce.system);
    EXPECT_EQ(logged.size(), 42) << "40 added, 2 updated; the repeated N7 line changes nothing";
    EXPECT_EQ(logged, changeLines(*oneByOne.system));
    // The status says what is being added once per import, not once per associate.
    EXPECT_EQ(atOnce.ui.transcript().lines().count(
                  QStringLiteral("status: Adding Associate to Tallybook")),
              1);
}

TEST(AssociateImport, FiltersByBadgeAndWorkCenterAndDeletesAbsentAssociatesIntoTheMergeCode) {
    ImportSite s;
    s.site.setSetting(QStringLiteral("ImportFiles"), QStringLiteral("1AssocBadgeFilter"), QStringLiteral("12*"));
    s.site.setSetting(QStringLiteral("ImportFiles"), QStringLiteral("AssocMustMatchWorkCenter"), QStringLiteral("W1"));
    s.site.setSetting(QStringLiteral("ImportFiles"), QStringLiteral("AssocDeleteKeepWC"), QStringLiteral("w2"));
    s.site.setSetting(QStringLiteral("ImportFiles"), QStringLiteral("AssocMergeCode"), QStringLiteral("m100"));
    const QString path = s.writeFile("B1,Lee,Ann,W1,,120\n"
                                     "B2,Lee,Bo,W1,,999\n"
                                     "B3,Lee,Cy,W2,,123\n");
    s.ui.answer(QStringLiteral("There are 1 that are currently in Velmor, but were not in the Import file."),
                IDYES);
    s.ui.answer(QStringLiteral("1 records added, and 2 records skipped, and 1 records were deleted"), IDOK);
    AssociateImport import(*s.system, today);
    EXPECT_TRUE(import.importUpdates({path, 0, 0, true, {}}));
    EXPECT_TRUE(s.stored(QStringLiteral("B1")).has_value());
    EXPECT_FALSE(s.stored(QStringLiteral("B2")).has_value()) << "badge filter";
    EXPECT_FALSE(s.stored(QStringLiteral("B3")).has_value()) << "work center not in the list";
    EXPECT_FALSE(s.stored(QStringLiteral("A100")).has_value()) << "absent: deleted";
    EXPECT_TRUE(s.stored(QStringLiteral("K100")).has_value()) << "kept work center";
    EXPECT_TRUE(s.stored(QStringLiteral("M100")).has_value()) << "the merge associate stays";

    // A merge code that names nobody stops the import before anything changes.
    s.site.setSetting(QStringLiteral("ImportFiles"), QStringLiteral("AssocMergeCode"), QStringLiteral("NOBODY"));
    s.system = s.site.open();
    s.ui.answer(QStringLiteral("did not match any Associates."), IDOK);
    AssociateImport refused(*s.system, today);
    EXPECT_FALSE(refused.importUpdates({s.writeFile("Z1,New\n"), 0, 0, true, {}}));
    EXPECT_FALSE(s.stored(QStringLiteral("Z1")).has_value());
}

// Deleting the associates a file does not hold must never take one whose line is in the file:
// a line skipped for a bad value still names its associate, and a run stopped by the maximum
// has not read the lines after it.
TEST(AssociateImport, DeletesOnlyAssociatesWhoseCodeNoLineOfTheFileHolds) {
    ImportSite s;
    s.site.setSetting(QStringLiteral("ImportFiles"), QStringLiteral("AssocMergeCode"),
                      QStringLiteral("M100"));
    const QString path = s.writeFile("A100,Smith,,W1,,,,,,,1,not a date\n"
                                     "K100,Kay,,W2,,,,,,,x\n");
    s.ui.answer(QStringLiteral("Importing Complete.  There were: \n2 records skipped"), IDOK);
    AssociateImport import(*s.system, today);
    EXPECT_TRUE(import.importUpdates({path, 0, 0, true, {}}));
    EXPECT_EQ(import.remarks().size(), 2);
    EXPECT_TRUE(s.stored(QStringLiteral("A100")).has_value()) << "skipped, but in the file";
    EXPECT_TRUE(s.stored(QStringLiteral("K100")).has_value()) << "skipped, but in the file";

    // Room for one more associate: N1 is added, N2 stops the reading; A100 and K100 are on the
    // lines after it and nobody is deleted.
    s.site.setSetting(QStringLiteral("System"), QStringLiteral("MaxAssociates"),
                      QStringLiteral("4"));
    s.system = s.site.open();
    s.ui.answer(QStringLiteral("Cannot add additional Associates, the maximum of 4 has been "
                               "reached"),
                IDOK);
    s.ui.answer(QStringLiteral("Importing Complete.  There were: \n1 records added"), IDOK);
    AssociateImport full(*s.system, today);
    EXPECT_TRUE(full.importUpdates(
        {s.writeFile("N1,New\nN2,Newer\nA100,Smith\nK100,Kay\n"), 0, 0, true, {}}));
    EXPECT_TRUE(s.stored(QStringLiteral("N1")).has_value());
    EXPECT_FALSE(s.stored(QStringLiteral("N2")).has_value());
    EXPECT_TRUE(s.stored(QStringLiteral("A100")).has_value());
    EXPECT_TRUE(s.stored(QStringLiteral("K100")).has_value());
    EXPECT_EQ(full.counts().deleted, 0);
}

// Files that are not text, folders, pipes and devices are refused before anything changes;
// a code with a control character is skipped; each line keeps its own encoding.
TEST(AssociateImport, ForeignFilesAddNobodyAndEachLineKeepsItsEncoding) {
    ImportSite s;
    QByteArray random(1024 * 1024, '\0');
    QRandomGenerator generator(7);
    for (char& byte : random) {
        byte = char(generator.bounded(256));
    }
    const QString workbook = s.site.path(QStringLiteral("people.xlsx"));
    ASSERT_TRUE(ZipArchive::pack(QList<ZipEntry>{{s.site.path(QStringLiteral("TBVMASC.--1")),
                                                  QStringLiteral("xl/worksheets/sheet1.xml")}},
                                 workbook)
                    .ok);
    const QString fifo = s.site.path(QStringLiteral("pipe.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QStringList refused{s.writeFile(random), workbook, s.site.folder, fifo,
                              QStringLiteral("/dev/zero")};
    for (const QString& path : refused) {
        s.ui.answer(QStringLiteral("Error opening import file. ") + path, IDOK);
        AssociateImport import(*s.system, today);
        EXPECT_FALSE(import.importUpdates({path, 0, 0, false, {}})) << path.toStdString();
        EXPECT_TRUE(s.ui.transcript().messages().back().prompt.contains(QStringLiteral("not a")))
            << s.ui.transcript().messages().back().prompt.toStdString();
    }
    const auto reader = s.site.open();
    ASSERT_TRUE(reader->associates().open());
    EXPECT_EQ(reader->associates().activeCount(), 3) << "nobody was added";
    reader->associates().close();

    QByteArray mixed = "A1\x01X,Bad\nC1,Zo\xC3\xAB\nC2,M\xFCller\n";
    for (int line = 0; line < 5000; ++line) {
        mixed += "B" + QByteArray::number(line) + ",Smith\n";
    }
    mixed += "C3,Caf\xC3\xA9\n";
    s.ui.answer(QStringLiteral("Importing Complete.  There were: \n5003 records added, and 1 "
                               "records skipped"),
                IDOK);
    AssociateImport import(*s.system, today);
    EXPECT_TRUE(import.importUpdates({s.writeFile(mixed), 0, 0, false, {}}));
    EXPECT_EQ(import.remarks(),
              QStringList{QStringLiteral("Line 1: the code A1?X holds a control character")});
    EXPECT_EQ(s.stored(QStringLiteral("C1"))->LastName, QStringLiteral("Zoë"));
    EXPECT_EQ(s.stored(QStringLiteral("C2"))->LastName, QStringLiteral("Müller"));
    EXPECT_EQ(s.stored(QStringLiteral("C3"))->LastName, QStringLiteral("Café"));
}

TEST(AssociateImport, UnreadableFilesChangeNothingAndCodeChangesRenameOnlyKnownCodes) {
    ImportSite s;
    s.ui.answer(QStringLiteral("Error opening import file. "), IDOK);
    AssociateImport import(*s.system, today);
    EXPECT_FALSE(import.importUpdates({s.site.path(QStringLiteral("missing.csv")), 0, 0, false, {}}));

    // A preview that the person cancels stops before any change.
    const QString path = s.writeFile("A100,Changed\n");
    EXPECT_FALSE(import.importUpdates({path, 0, 0, false, [](const QStringList& fields) {
        EXPECT_EQ(fields, (QStringList{"A100", "Changed"}));
        return false;
    }}));
    EXPECT_EQ(s.stored(QStringLiteral("A100"))->LastName, "Smith");

    s.ui.answer(QStringLiteral("Importing Complete.  There were: 1 codes updated, and\n1 codes not found"),
                IDOK);
    EXPECT_TRUE(import.importCodeChanges({s.writeFile("a100,x100,ignored\nnone,y100\nK100,M100\n"), 0, 0,
                                          std::nullopt, {}}));
    EXPECT_TRUE(s.stored(QStringLiteral("X100")).has_value());
    EXPECT_FALSE(s.stored(QStringLiteral("A100")).has_value());
    EXPECT_TRUE(s.stored(QStringLiteral("K100")).has_value()) << "the new code is taken";
    EXPECT_EQ(import.remarks().size(), 1);
    EXPECT_EQ(s.ui.transcript().messages().back().caption, QStringLiteral("Change Codes"));
}

// A failure inside an import is reported with its procedure, logged "Error Importing", and
// changes nothing.
TEST(AssociateImport, AFailureInsideIsReportedWithItsProcedureAndChangesNothing) {
    ImportSite s;
    const QString path = s.writeFile("A100,Jones\nZ100,New\n");
    for (const auto& [status, suffix] :
         {std::pair{"Importing", " - frmEmployee:ProcessImportFile"},
          std::pair{"Importing Code File", " - frmEmployee:ProcessCodeFile"}}) {
        FailingStatusUi failing{QString::fromLatin1(status)};
        ScopedUi scope(failing);
        ScopedErrorReporter reporting(s.system->Program().errorReporter());
        AssociateImport import(*s.system, today);
        const bool codes = QByteArray(suffix).contains("Code");
        const AssociateImportRequest request{path, 0, 0, false, {}};
        EXPECT_FALSE(codes ? import.importCodeChanges(request) : import.importUpdates(request));
        ASSERT_FALSE(s.system->errors().reports().isEmpty());
        EXPECT_EQ(s.system->errors().reports().back().text,
                  QLatin1String(FailingStatusUi::failure) + QLatin1String(suffix));
        EXPECT_EQ(s.system->changeLog().entries().back().Action.trimmed(), "Error Importing");
        EXPECT_EQ(s.stored(QStringLiteral("A100"))->LastName, "Smith");
        EXPECT_FALSE(s.system->associates().isOpen());
    }
}

}  // namespace
}  // namespace vel::testing
