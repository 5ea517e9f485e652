// The fiscal-periods wizard driven headless against a master file on a temporary folder.
#include "PeriodSite.h"

#include "data/ErrorReporter.h"
#include "host/RecordingErrorReporter.h"
#include "host/ReferenceSystem.h"
#include "services/ApplicationTitle.h"
#include "services/ErrorReport.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/MessageBoxCodes.h"

namespace vel::testing {
namespace {

const QString weeksMessage = QStringLiteral("The number of weeks must add up to 52");

QString caption(FormDriver& wizard, const QString& control) {
    return wizard.form().control(control).caption();
}

// The summary's list, one "Period n|name|length" text a period.
QStringList summaryLines(FormDriver& wizard) {
    const auto& list = wizard.form().controlAs<ListView>(QStringLiteral("lvPeriods"));
    QStringList lines;
    for (int line = 0; line < list.count(); ++line) {
        lines << list.item(line).texts.join(u'|');
    }
    return lines;
}

// Chooses a month-based type and first month and goes on to the summary.
void chooseMonths(FormDriver& wizard, int type, const QString& month) {
    wizard.click(QStringLiteral("optFiscal(%1)").arg(type));
    wizard.click(QStringLiteral("Command1(2)"));
    EXPECT_EQ(shownPage(wizard), "fraFirstMonth");
    EXPECT_TRUE(wizard.set(QStringLiteral("Combo1"), month));
    wizard.click(QStringLiteral("Command1(2)"));
    EXPECT_EQ(shownPage(wizard), "fraSummary");
}

TEST(frmPeriod, TwoPeriodsPerMonthFromFebruaryGivesFifteenAndTheRestOfEachMonth) {
    PeriodSite site(QDate(2023, 1, 1));  // 2023 is no leap year
    EXPECT_TRUE(site.edit([](FormDriver& wizard) {
        EXPECT_EQ(wizard.form().caption(), "Fiscal Periods");
        EXPECT_EQ(shownPage(wizard), "fraCalendarType");
        EXPECT_EQ(wizard.value(QStringLiteral("optFiscal(3)")), "1") << "the stored type";
        EXPECT_FALSE(wizard.form().control(QStringLiteral("Command1(3)")).enabled());
        chooseMonths(wizard, 5, QStringLiteral("February"));
        EXPECT_EQ(caption(wizard, QStringLiteral("lblType")),
                  "Fiscal Calendar Type: Two periods per month");
        EXPECT_EQ(caption(wizard, QStringLiteral("lblFirstPeriod")),
                  "First Period: 1st Half February");
        const QStringList lines = summaryLines(wizard);
        ASSERT_EQ(lines.size(), 24);
        EXPECT_EQ(lines[0], "Period 1|1st Half February|15 days");
        EXPECT_EQ(lines[1], "Period 2|2nd Half February|13 days");
        EXPECT_EQ(lines[23], "Period 24|2nd Half January|16 days");
        EXPECT_EQ(caption(wizard, QStringLiteral("Command1(2)")), "Finished");
        wizard.click(QStringLiteral("Command1(2)"));
    }));
    const FiscalCalendar stored = site.stored();
    EXPECT_EQ(stored.type, FiscalCalendar::TwoPerMonth);
    EXPECT_EQ(stored.firstMonth, 2);
    EXPECT_EQ(stored.yearStart, QDate(2023, 2, 1));
    ASSERT_EQ(stored.periods.size(), 24u);
    EXPECT_EQ(stored.periods[1], (FiscalPeriod{QStringLiteral("2nd Half February"), 13}));
    EXPECT_EQ(stored.periods[2], (FiscalPeriod{QStringLiteral("1st Half March"), 15}));
    int days = 0;
    for (const FiscalPeriod& period : stored.periods) {
        days += period.length;
    }
    EXPECT_EQ(days, 365);
    EXPECT_EQ(site.logged, QStringList{"Periods||Edit"});
    EXPECT_EQ(site.masterfile->numberOfPeriods(), 24) << "the open master file follows";
}

TEST(frmPeriod, CalendarMonthsAreTwelveAsLongAsTheMonthsOfTheFiscalYear) {
    PeriodSite site(QDate(2023, 6, 15));
    EXPECT_TRUE(site.edit([](FormDriver& wizard) {
        chooseMonths(wizard, 4, QStringLiteral("March"));
        EXPECT_EQ(caption(wizard, QStringLiteral("lblFirstPeriod")), "First Period: March");
        EXPECT_EQ(summaryLines(wizard).value(11), "Period 12|February|29 days") << "2024 leaps";
        wizard.click(QStringLiteral("Command1(2)"));
    }));
    const FiscalCalendar stored = site.stored();
    EXPECT_EQ(stored.type, FiscalCalendar::CalendarMonths);
    EXPECT_EQ(stored.yearStart, QDate(2023, 3, 1)) << "106 days before the start: same year";
    QStringList names;
    std::vector<int> lengths;
    for (const FiscalPeriod& period : stored.periods) {
        names << period.name;
        lengths.push_back(period.length);
    }
    EXPECT_EQ(names, (QStringList{"March", "April", "May", "June", "July", "August", "September",
                                  "October", "November", "December", "January", "February"}));
    EXPECT_EQ(lengths, (std::vector<int>{31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 31, 29}));
}

TEST(frmPeriod, FirstMonthThreeHundredDaysOrMoreAwayMovesTheYearStart) {
    struct Case {
        QDate systemStart;
        QString month;
        QDate yearStart;
    };
    const std::vector<Case> cases = {
        {QDate(2024, 1, 1), QStringLiteral("December"), QDate(2023, 12, 1)},  // 335 after
        {QDate(2024, 12, 15), QStringLiteral("January"), QDate(2025, 1, 1)},  // 349 before
        {QDate(2023, 2, 4), QStringLiteral("December"), QDate(2022, 12, 1)},  // 300 after
        {QDate(2023, 2, 5), QStringLiteral("December"), QDate(2023, 12, 1)},  // 299 after
        {QDate(2023, 10, 28), QStringLiteral("January"), QDate(2024, 1, 1)},  // 300 before
        {QDate(2023, 10, 27), QStringLiteral("January"), QDate(2023, 1, 1)},  // 299 before
    };
    for (const Case& example : cases) {
        SCOPED_TRACE(example.systemStart.toString(Qt::ISODate).toStdString());
        PeriodSite site(example.systemStart);
        EXPECT_TRUE(site.edit([&](FormDriver& wizard) {
            wizard.click(QStringLiteral("optFiscal(4)"));
            wizard.click(QStringLiteral("Command1(2)"));
            wizard.set(QStringLiteral("Combo1"), example.month);
            EXPECT_TRUE(
                caption(wizard, QStringLiteral("lblMonthYearStart"))
                    .contains(QLocale(QLocale::English)
                                  .toString(example.yearStart, QStringLiteral("MMMM d, yyyy"))));
            wizard.click(QStringLiteral("Command1(2)"));
            wizard.click(QStringLiteral("Command1(2)"));
        }));
        EXPECT_EQ(site.stored().yearStart, example.yearStart);
    }
}

TEST(frmPeriod, WeeksThatDoNotAddUpTo52AreRefusedAndNothingIsWritten) {
    PeriodSite site(QDate(2024, 1, 1));
    const QByteArray before = site.fileBytes();
    site.ui.answer(weeksMessage, IDOK);
    site.ui.answer(weeksMessage, IDOK);
    EXPECT_FALSE(site.edit([](FormDriver& wizard) {
        wizard.click(QStringLiteral("Command1(2)"));
        ASSERT_EQ(shownPage(wizard), "fraWeeksInYear");
        EXPECT_EQ(wizard.value(QStringLiteral("txtPeriods")), "13");
        EXPECT_EQ(caption(wizard, QStringLiteral("lblTotal")), "Total Weeks: 52");
        wizard.set(QStringLiteral("Weeks(0)"), QStringLiteral("3"));
        EXPECT_EQ(caption(wizard, QStringLiteral("lblTotal")), "Total Weeks: 51");
        wizard.click(QStringLiteral("Command1(2)"));
        EXPECT_EQ(shownPage(wizard), "fraWeeksInYear") << "51 weeks";
        wizard.set(QStringLiteral("Weeks(0)"), QStringLiteral("5"));
        wizard.click(QStringLiteral("Command1(2)"));
        EXPECT_EQ(shownPage(wizard), "fraWeeksInYear") << "53 weeks";
        EXPECT_EQ(wizard.form().focused(), &wizard.form().control(QStringLiteral("Weeks(0)")));
        wizard.close();
    }));
    const auto& messages = site.ui.transcript().messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].style, MB_ICONEXCLAMATION);
    EXPECT_EQ(messages[0].caption, applicationTitle());
    EXPECT_EQ(site.fileBytes(), before);
    EXPECT_TRUE(site.logged.isEmpty());
}

TEST(frmPeriod, CancelOrClosingWritesNothing) {
    PeriodSite site(QDate(2024, 1, 1));
    const QByteArray before = site.fileBytes();
    EXPECT_FALSE(site.edit([](FormDriver& wizard) {
        chooseMonths(wizard, 4, QStringLiteral("July"));
        wizard.click(QStringLiteral("Command1(1)"));
        EXPECT_FALSE(wizard.form().isLoaded());
    }));
    EXPECT_FALSE(site.edit([](FormDriver& wizard) {
        chooseMonths(wizard, 5, QStringLiteral("July"));
        wizard.close();
    }));
    EXPECT_EQ(site.fileBytes(), before);
    EXPECT_TRUE(site.logged.isEmpty());
    EXPECT_EQ(site.masterfile->fiscalCalendar().type, FiscalCalendar::PeriodAndWeek);
}

TEST(frmPeriod, WeekRowsFollowTheTypeScrollAndNameEmptyPeriods) {
    PeriodSite site(QDate(2024, 4, 1));
    site.ui.answer(QStringLiteral("Period 14 must have at least 1 week"), IDOK);
    site.ui.answer(QStringLiteral("The number of periods must be from 1 to 52"), IDOK);
    EXPECT_TRUE(site.edit([](FormDriver& wizard) {
        // Month and week in month: the months from the start month on, 4-4-5 weeks.
        wizard.click(QStringLiteral("optFiscal(2)"));
        wizard.click(QStringLiteral("Command1(2)"));
        EXPECT_EQ(wizard.value(QStringLiteral("txtPeriods")), "12");
        EXPECT_EQ(wizard.value(QStringLiteral("PeriodName(0)")), "April");
        EXPECT_EQ(wizard.value(QStringLiteral("Weeks(2)")), "5");
        EXPECT_EQ(wizard.value(QStringLiteral("PeriodName(11)")), "March");
        EXPECT_FALSE(wizard.form().control(QStringLiteral("PeriodName(12)")).visible());
        EXPECT_FALSE(wizard.form().control(QStringLiteral("VScroll1")).enabled());
        // Untouched rows follow a change of type; weeks only: 13 periods of 4 weeks.
        wizard.click(QStringLiteral("Command1(3)"));
        wizard.click(QStringLiteral("optFiscal(1)"));
        wizard.click(QStringLiteral("Command1(2)"));
        EXPECT_EQ(wizard.value(QStringLiteral("PeriodName(12)")), "Period 13");
        EXPECT_FALSE(wizard.key(QStringLiteral("txtPeriods"), 'x')) << "digits only";
        wizard.set(QStringLiteral("txtPeriods"), QStringLiteral("14"));
        EXPECT_TRUE(wizard.form().control(QStringLiteral("VScroll1")).enabled());
        wizard.click(QStringLiteral("Command1(2)"));
        EXPECT_EQ(wizard.value(QStringLiteral("VScroll1")), "2") << "scrolled to period 14";
        EXPECT_EQ(caption(wizard, QStringLiteral("PeriodName(12)")), "Period 14:");
        EXPECT_EQ(wizard.form().focused(), &wizard.form().control(QStringLiteral("Weeks(12)")));
        // 12 periods: 11 of 4 weeks and one of 8, two of them left without a name.
        wizard.set(QStringLiteral("txtPeriods"), QStringLiteral("0"));
        wizard.click(QStringLiteral("Command1(2)"));
        wizard.set(QStringLiteral("txtPeriods"), QStringLiteral("12"));
        EXPECT_EQ(wizard.value(QStringLiteral("VScroll1")), "1");
        EXPECT_FALSE(wizard.form().control(QStringLiteral("Weeks(12)")).visible());
        wizard.set(QStringLiteral("PeriodName(0)"), QStringLiteral("  Spring  "));
        wizard.set(QStringLiteral("PeriodName(1)"), QString());
        wizard.set(QStringLiteral("Weeks(11)"), QStringLiteral("8"));
        wizard.click(QStringLiteral("Command1(2)"));
        EXPECT_EQ(shownPage(wizard), "fraSummary");
        EXPECT_EQ(caption(wizard, QStringLiteral("lblType")), "Fiscal Calendar Type: Weeks Only");
        EXPECT_EQ(caption(wizard, QStringLiteral("lblFirstPeriod")), "First Period: Spring");
        EXPECT_EQ(summaryLines(wizard).value(1), "Period 2|Period 2|4 weeks");
        EXPECT_EQ(summaryLines(wizard).value(11), "Period 12|Period 12|8 weeks");
        wizard.click(QStringLiteral("Command1(2)"));
    }));
    const FiscalCalendar stored = site.stored();
    EXPECT_EQ(stored.type, FiscalCalendar::WeeksOnly);
    EXPECT_EQ(stored.yearStart, QDate(2024, 4, 1));
    EXPECT_EQ(stored.firstMonth, 4);
    ASSERT_EQ(stored.periods.size(), 12u);
    EXPECT_EQ(stored.periods[0], (FiscalPeriod{QStringLiteral("Spring"), 4}));
    EXPECT_EQ(stored.periods[1].name, "Period 2");
}

TEST(frmPeriod, OpensOnTheStoredCalendar) {
    PeriodSite site(QDate(2024, 1, 1));
    FiscalCalendar weeks;
    weeks.type = FiscalCalendar::MonthAndWeek;
    weeks.yearStart = QDate(2024, 1, 1);
    for (int number = 1; number <= 4; ++number) {
        weeks.periods.push_back({QStringLiteral("Quarter %1").arg(number), 13});
    }
    ASSERT_TRUE(site.masterfile->setFiscalCalendar(weeks));
    site.edit([](FormDriver& wizard) {
        EXPECT_EQ(wizard.value(QStringLiteral("optFiscal(2)")), "1");
        wizard.click(QStringLiteral("Command1(2)"));
        EXPECT_EQ(wizard.value(QStringLiteral("txtPeriods")), "4");
        EXPECT_EQ(wizard.value(QStringLiteral("PeriodName(3)")), "Quarter 4");
        EXPECT_EQ(wizard.value(QStringLiteral("Weeks(3)")), "13");
        wizard.click(QStringLiteral("Command1(1)"));
    });
    FiscalCalendar halves = weeks;
    halves.type = FiscalCalendar::TwoPerMonth;
    halves.firstMonth = 10;
    ASSERT_TRUE(site.masterfile->setFiscalCalendar(halves));
    site.edit([](FormDriver& wizard) {
        EXPECT_EQ(wizard.value(QStringLiteral("optFiscal(5)")), "1");
        wizard.click(QStringLiteral("Command1(0)"));
        wizard.click(QStringLiteral("Command1(2)"));
        EXPECT_EQ(wizard.value(QStringLiteral("Combo1")), "October");
        wizard.click(QStringLiteral("Command1(1)"));
    });
    // No operation named a help file: the help set's contents stand in, and the page is the
    // wizard's own.
    EXPECT_TRUE(site.ui.helpShown().value(0).endsWith(
        QStringLiteral("index.html#%1").arg(frmPeriod::HelpContext)));
    EXPECT_TRUE(site.ui.transcript().lines().contains(QStringLiteral("help: fiscal-periods.html")));
}

// A master file that refuses to store a calendar, as a full disk would.
class UnwritableMasterfile : public ReferenceMasterfile {
  public:
    using ReferenceMasterfile::ReferenceMasterfile;
    bool setFiscalCalendar(const FiscalCalendar&) override { return false; }
};

TEST(frmPeriod, AFailedWriteIsReportedAndAnswersFalse) {
    PeriodSite site(QDate(2024, 1, 1));
    RecordingErrorReporter reporter;
    reporter.setEchoToStandardError(false);
    ScopedErrorReporter scoped(reporter);
    UnwritableMasterfile masterfile(site.path, site.lockPath());
    site.ui.when(QStringLiteral("frmPeriod"), [](FormDriver& wizard) {
        chooseMonths(wizard, 4, QStringLiteral("January"));
        wizard.click(QStringLiteral("Command1(2)"));
    });
    frmPeriod window;
    EXPECT_FALSE(window.Edit(0, masterfile));
    ASSERT_EQ(reporter.reports().size(), 1);
    EXPECT_EQ(reporter.reports()[0].text,
              "The fiscal calendar could not be written to TBMASTER.1 - frmPeriod:Edit");
    EXPECT_FALSE(window.isLoaded());
}

TEST(frmPeriod, TheChangeGoesToTheSystemsChangeLog) {
    QTemporaryDir directory;
    MasterfileSettings settings;
    settings.title = QStringLiteral("Log Test");
    settings.firstYear = 2024;
    settings.firstYearStart = QDate(2024, 1, 1);
    QString error;
    ASSERT_TRUE(ReferenceSystem::createEmptySystem(directory.path(), 1, settings, &error))
        << error.toStdString();
    ReferenceSystem system(directory.path(), 1);
    HeadlessUi ui;
    ScopedUi scope(ui);
    ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    ui.when(QStringLiteral("frmPeriod"), [](FormDriver& wizard) {
        chooseMonths(wizard, 4, QStringLiteral("January"));
        wizard.click(QStringLiteral("Command1(2)"));
    });
    frmPeriod window;
    EXPECT_TRUE(window.Edit(0, system.masterfile()));
    const std::vector<ChangeLogEntry> entries = system.changeLog().entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].TableName, "Periods");
    EXPECT_EQ(entries[0].Code, "");
    EXPECT_EQ(entries[0].Action, "Edit");
}

}  // namespace
}  // namespace vel::testing
