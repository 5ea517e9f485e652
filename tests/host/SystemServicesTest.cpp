// The services of the reference system: a new system's files, the change log, table access
// between workstations, the master file, the day file, features, messages and shutdown.
#include "HostTestSupport.h"

#include "platform/xbase/Table.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <QFile>

namespace vel::testing {
namespace {

TEST(SystemServices, NewSystemHasEveryFileAsValidXbase) {
    TestSite site;
    ASSERT_TRUE(site.created);
    for (const char* name :
         {"TBVMACT.--1", "TBVMELM.--1", "TBVMTOW.--1", "TBVMALC.--1", "TBVMASC.--1", "TBVMWCT.--1",
          "TBVMSTD.--1", "TBVMMST.--1", "TBVMGRP.--1", "TBVMSCH.--1", "TBVMLOC.--1", "TBVMMCH.--1",
          "TBVMFLD.--1", "TBVMPSL.--1", "TBDAYFIL.--1"}) {
        xbase::Table table;
        const xbase::Status status =
            table.open(site.path(QString::fromLatin1(name)), xbase::OpenOptions::readOnlyShared());
        EXPECT_TRUE(status.ok()) << name << ": " << status.message().toStdString();
    }
    EXPECT_TRUE(QFile::exists(site.path(QStringLiteral("TBMASTER.1"))));
    EXPECT_TRUE(QFile::exists(site.path(QStringLiteral("velmor1.ini"))));
    // A second creation in the same place is refused and leaves the system alone.
    QString error;
    EXPECT_FALSE(ReferenceSystem::createEmptySystem(site.folder, 1, {}, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("TBMASTER.1")));
    auto system = site.open();
    EXPECT_EQ(system->masterfile().titles(), QStringList{QStringLiteral("Test Site")});
}

TEST(SystemServices, ChangeLogEntriesAreReadableWithTheXbaseLayer) {
    TestSite site;
    auto system = site.open();
    ASSERT_TRUE(system->mistakes().open());
    system->logChange(system->mistakes(), QStringLiteral("Short "), QStringLiteral("Add"), {});
    QStringList many;
    for (int number = 1; number <= 40; ++number) {
        many << QStringLiteral("Badge%1").arg(number);
    }
    system->logChange(system->associates(), QStringLiteral("A1"), QStringLiteral("Edit"),
                      many.join(QStringLiteral(", ")));

    xbase::Table log;
    ASSERT_TRUE(
        log.open(site.path(QStringLiteral("TBEDITLOG.--1")), xbase::OpenOptions::readOnlyShared())
            .ok());
    ASSERT_EQ(log.recordCount(), 3U);  // the long list of names takes two rows
    ASSERT_TRUE(log.go(1).ok());
    EXPECT_EQ(log.date(log.fieldIndex(u"DATE")), QDate(2024, 3, 13));
    EXPECT_EQ(log.text(log.fieldIndex(u"TIME")), QStringLiteral("10:30:00"));
    EXPECT_EQ(log.text(log.fieldIndex(u"TABLENAME")), QStringLiteral("Mistake"));
    EXPECT_EQ(log.text(log.fieldIndex(u"CODE")), QStringLiteral("Short"));
    EXPECT_EQ(log.text(log.fieldIndex(u"ACTION")), QStringLiteral("Add"));
    ASSERT_TRUE(log.go(2).ok());
    QString changes = log.text(log.fieldIndex(u"CHANGES"));
    ASSERT_TRUE(log.go(3).ok());
    EXPECT_EQ(log.text(log.fieldIndex(u"ACTION")), QStringLiteral("Edit"));
    changes += log.text(log.fieldIndex(u"CHANGES"));
    EXPECT_EQ(changes, many.join(QStringLiteral(", ")));
    EXPECT_EQ(system->changeLog().entries().size(), 3U);
}

TEST(SystemServices, SecondWorkstationIsRefusedModificationButMayView) {
    TestSite site;
    auto first = site.open();
    auto second = site.open();
    EXPECT_TRUE(first->beginTableAccess(QStringLiteral("A"), false, false));
    EXPECT_TRUE(first->beginTableAccess(QStringLiteral("A"), true, true));
    EXPECT_TRUE(first->beginTableAccess(QStringLiteral("A"), true, false));

    EXPECT_TRUE(second->beginTableAccess(QStringLiteral("A"), false, false));
    EXPECT_FALSE(second->beginTableAccess(QStringLiteral("A"), true, true));
    EXPECT_FALSE(second->beginTableAccess(QStringLiteral("A"), true, false));
    EXPECT_TRUE(second->beginTableAccess(QStringLiteral("AO"), true, false));  // another table
    second->endTableAccess();

    first->endTableAccess();
    EXPECT_TRUE(second->beginTableAccess(QStringLiteral("A"), true, false));
    EXPECT_FALSE(first->beginTableAccess(QStringLiteral("A"), true, false));
    second.reset();  // a workstation that goes away frees its tables
    EXPECT_TRUE(first->beginTableAccess(QStringLiteral("A"), true, false));
}

TEST(SystemServices, MasterFileExclusiveOpenExcludesEveryOtherOpen) {
    TestSite site;
    auto first = site.open();
    auto second = site.open();
    Masterfile& mine = first->masterfile();
    Masterfile& theirs = second->masterfile();
    EXPECT_EQ(mine.name(), QStringLiteral("TBMASTER.1"));
    ASSERT_TRUE(mine.open(true));
    EXPECT_FALSE(theirs.open(true));
    EXPECT_FALSE(theirs.open(false));
    mine.close();
    ASSERT_TRUE(theirs.open(false));
    EXPECT_TRUE(mine.open(false));  // shared opens go together
    EXPECT_FALSE(mine.open(true));  // but not alone while another has it open
    theirs.close();
    EXPECT_TRUE(mine.open(true));

    ASSERT_TRUE(mine.setTitles({QStringLiteral("Site Nord"), QStringLiteral("Zweite Zeile")}));
    auto reader = site.open();
    EXPECT_EQ(reader->masterfile().titles().value(1), QStringLiteral("Zweite Zeile"));
    EXPECT_EQ(reader->referenceMasterfile().allocatedFields(), 20);
}

TEST(SystemServices, FiscalCalendarHasThirteenOrTwelvePeriods) {
    TestSite site;
    auto system = site.open();
    ReferenceMasterfile& master = system->referenceMasterfile();
    ASSERT_TRUE(master.setValue(QStringLiteral("FiscalYears"), QStringLiteral("2024"),
                                QStringLiteral("2023/12/31")));
    ASSERT_TRUE(master.setValue(QStringLiteral("FiscalYears"), QStringLiteral("2025"),
                                QStringLiteral("2024/12/29")));
    EXPECT_EQ(master.numberOfPeriods(), 13);
    EXPECT_EQ(master.periodStart(2024, 1), QDate(2023, 12, 31));
    EXPECT_EQ(master.periodEnd(2024, 1), QDate(2024, 1, 27));
    EXPECT_EQ(master.periodStart(2024, 13), QDate(2024, 12, 1));
    EXPECT_EQ(master.periodEnd(2024, 13), QDate(2024, 12, 28));
    EXPECT_FALSE(master.periodStart(2024, 14).isValid());
    ASSERT_TRUE(
        master.setValue(QStringLiteral("Master"), QStringLiteral("Periods"), QStringLiteral("12")));
    EXPECT_EQ(master.periodStart(2024, 2), QDate(2024, 1, 31));
    EXPECT_EQ(master.periodEnd(2024, 12), QDate(2024, 12, 28));
}

TEST(SystemServices, StoredFiscalCalendarDecidesPeriodsAndYearsAndIsLogged) {
    TestSite site;
    auto system = site.open();
    ReferenceMasterfile& master = system->referenceMasterfile();
    EXPECT_EQ(master.systemStartDate(), QDate(2024, 1, 1));
    EXPECT_EQ(master.fiscalCalendar().periods.size(), 13u) << "a file without a calendar";

    FiscalCalendar weeks;
    weeks.type = FiscalCalendar::WeeksOnly;
    weeks.yearStart = QDate(2024, 1, 1);
    weeks.periods = {{QStringLiteral("Winter"), 13}, {QStringLiteral("Spring, early"), 26},
                     {QStringLiteral("Rest"), 13}};
    ASSERT_TRUE(master.setFiscalCalendar(weeks));
    auto reader = site.open();  // what another workstation reads from the file
    const Masterfile& stored = reader->masterfile();
    EXPECT_EQ(stored.fiscalCalendar(), weeks);
    EXPECT_EQ(stored.numberOfPeriods(), 3);
    EXPECT_EQ(stored.periodStart(2024, 2), QDate(2024, 4, 1));
    EXPECT_EQ(stored.periodEnd(2024, 2), QDate(2024, 9, 29));
    EXPECT_EQ(stored.periodEnd(2024, 3), QDate(2024, 12, 29)) << "52 weeks a year";
    EXPECT_EQ(stored.periodStart(2025, 1), QDate(2024, 12, 30));

    FiscalCalendar halves;
    halves.type = FiscalCalendar::TwoPerMonth;
    halves.firstMonth = 2;
    halves.yearStart = QDate(2023, 2, 1);
    for (int half = 0; half < 24; ++half) {
        halves.periods.push_back({QStringLiteral("Half"), half % 2 == 0 ? 15 : 13});
    }
    ASSERT_TRUE(master.setFiscalCalendar(halves));
    EXPECT_EQ(master.periodStart(2024, 2), QDate(2023, 2, 16));
    EXPECT_EQ(master.periodEnd(2024, 2), QDate(2023, 2, 28)) << "a month's second half";
    EXPECT_EQ(master.periodStart(2024, 3), QDate(2023, 3, 1));
    EXPECT_EQ(master.periodEnd(2025, 24), QDate(2025, 1, 31));

    master.logChange(QStringLiteral("Periods"), QString(), QStringLiteral("Edit"));
    const auto entries = system->changeLog().entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].TableName, "Periods");
    EXPECT_EQ(entries[0].Action, "Edit");
}

TEST(SystemServices, DayFileFeaturesShutdownAndSettingsLocation) {
    TestSite site;
    {
        XbaseTable<DayFileRecord> days(site.path(QStringLiteral("TBDAYFIL.--1")),
                                       TableRules{QStringLiteral("Day File"),
                                                  QStringLiteral("Date"),
                                                  QStringLiteral("Date"),
                                                  [] { return 100; },
                                                  {},
                                                  {},
                                                  {}});
        ASSERT_TRUE(days.open());
        DayFileRecord day{QDate(2024, 3, 12), QDate(2024, 3, 11), QStringLiteral("06:00-14:30")};
        day.Lines = 310;
        day.Associates = 104;
        day.Hours = 830.5;
        day.Measured = 760.25;
        day.Earned = 701.75;
        day.Units = 48210;
        day.Cost = 15230.8;
        day.Audited = 1200;
        day.Failed = 7;
        days.setRecord(1, day);
        expectSaved(days);
    }
    site.setSetting(QStringLiteral("Features"), QStringLiteral("PerformancePolicy"),
                    QStringLiteral("True"));
    site.setSetting(QStringLiteral("Features"), QStringLiteral("Languages"), QStringLiteral("2"));
    site.setSetting(QStringLiteral("Corporate"), QStringLiteral("Folder"), QStringLiteral("/corp"));
    auto system = site.open();
    ASSERT_TRUE(system->openDayFile());
    const auto entries = system->dayEntries();
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries[0].date, QDate(2024, 3, 11));
    EXPECT_EQ(entries[0].times, QStringLiteral("06:00-14:30"));
    EXPECT_EQ(entries[0].values, (std::array<double, DayEntry::Values>{
                                     310, 104, 830.5, 760.25, 701.75, 48210, 15230.8, 1200, 7}));
    system->closeDayFile();

    const SystemFeatures features = system->features();
    EXPECT_TRUE(features.performancePolicy);
    EXPECT_FALSE(features.mistakeTracking);
    EXPECT_EQ(features.languages, 2);
    EXPECT_EQ(features.corporateFolder, QStringLiteral("/corp"));
    EXPECT_EQ(system->settingsLocation(), site.path(QStringLiteral("velmor1.ini")));

    EXPECT_FALSE(system->shutdownPending());
    QFile marker(system->shutdownMarkerPath());
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    EXPECT_TRUE(system->shutdownPending());
}

TEST(SystemServices, MessagesAndStatusGoThroughTheUiWithTheProgramTitle) {
    TestSite site;
    auto system = site.open();
    HeadlessUi ui;
    ScopedUi scoped(ui);
    ui.answer(QStringLiteral("OK to Delete"), IDYES);
    EXPECT_EQ(system->AskMessage(QStringLiteral("OK to Delete this Mistake?"), 308, {}), IDYES);
    system->ShowMessage(QStringLiteral("Done"), MB_OK, QStringLiteral("Mistake"));
    system->StatusText(QStringLiteral("Loading files ..."));
    const auto& messages = ui.transcript().messages();
    ASSERT_EQ(messages.size(), 2U);
    EXPECT_EQ(messages[0].caption, QStringLiteral("Velmor"));
    EXPECT_EQ(messages[0].style, 308);
    EXPECT_EQ(messages[1].caption, QStringLiteral("Mistake"));
    EXPECT_TRUE(ui.transcript().lines().join(u'\n').contains(QStringLiteral("Loading files ...")));
    EXPECT_EQ(system->Program().title(), QStringLiteral("Velmor"));
    EXPECT_EQ(system->Program().systemNumber(), 1);
}

TEST(SystemServices, MissingOrDamagedMasterFileFailsToOpenNamingIt) {
    TestSite site;
    const QString path = site.path(QStringLiteral("TBMASTER.1"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("Title=no section header\n");
    file.close();
    auto system = site.open();
    EXPECT_FALSE(system->masterfile().open(false));
    EXPECT_TRUE(system->referenceMasterfile().lastError().contains(QStringLiteral("TBMASTER.1")));
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(system->masterfile().open(true));
    EXPECT_TRUE(system->referenceMasterfile().lastError().contains(QStringLiteral("TBMASTER.1")));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(SystemServices, TypeOfWorkArraysAndLocationsRoundTrip) {
    TestSite site;
    TypeOfWorkRecord type;
    type.Code = QStringLiteral("PICK");
    type.Desc = QStringLiteral("Picking à la carte");
    type.TrackQuality = true;
    type.FailCost = 12.5;
    type.CategoryEnabled = {true, false, true};
    type.CategoryHours = {0.25, 0.5, 0.125};
    type.CategoryCost = {1.0, 2.0, 3.5};
    type.Mistake[0] = 4;
    type.Mistake[29] = 17;
    type.Lang[3] = QStringLiteral("Kommissionierung");
    type.QualityField = {1, 2, 3, 4, 5, 6};
    LocationRecord location{QStringLiteral("L01"), QStringLiteral("Dock"), 10.5, -3.25, 0.0};
    {
        auto system = site.open();
        ASSERT_TRUE(system->typesOfWork().open());
        system->typesOfWork().setRecord(1, type);
        expectSaved(system->typesOfWork());
        ASSERT_TRUE(system->locations().open());
        system->locations().setRecord(1, location);
        expectSaved(system->locations());
    }
    auto system = site.open();
    ASSERT_TRUE(system->typesOfWork().open());
    EXPECT_EQ(system->typesOfWork().record(1), type);
    ASSERT_TRUE(system->locations().open());
    EXPECT_EQ(system->locations().record(1), location);
}

}  // namespace
}  // namespace vel::testing
