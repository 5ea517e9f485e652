// The quick report: both modes, the template list, the messages, the pre-fill and the reports
// the reference host's report module builds from the templates.
#include "AccountabilitySite.h"

#include "data/Masterfile.h"
#include "data/records/TypeOfWorkRecord.h"
#include "host/ReferenceMasterfile.h"
#include "reports/frmQuickReport.h"

#include <QDir>
#include <QFile>

namespace vel::testing {
namespace {

struct QuickReportSite : AccountabilitySite {
    QuickReportSite() {
        TypeOfWorkRecord outbound = withCode<TypeOfWorkRecord>(QStringLiteral("OUT"));
        outbound.Desc = QStringLiteral("Outbound");
        outbound.TrackQuality = true;
        TypeOfWorkRecord spare = withCode<TypeOfWorkRecord>(QStringLiteral("SPARE"));
        spare.Desc = QStringLiteral("Spare");
        store(system->typesOfWork(), {outbound, spare});
        ActivityRecord picking = activity("PICK", "Picking", 1, false);
        picking.TOW = 1;
        ActivityRecord loading = activity("LOAD", "Loading", 2, true);
        ActivityRecord reflective = activity("REFL", "Replenish", 4, false);
        ActivityRecord average = activity("AVG", "Average", 6, false);
        store(system->activities(),
              {picking, loading, activity("MEET", "Meeting", 0, false), reflective, average});
        QDir().mkpath(site.path(QStringLiteral("Reports")));
    }
    void writeTemplate(const QString& name, const QString& text) {
        QFile file(site.path(QStringLiteral("Reports/")) + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    // The texts of a list view's rows, one joined by "|" per row.
    static QStringList rows(FormDriver& window, const QString& list) {
        QStringList texts;
        auto& view = window.form().controlAs<ListView>(list);
        for (int line = 0; line < view.count(); ++line) {
            texts << view.item(line).texts.join(u'|');
        }
        return texts;
    }
    static QStringList headings(FormDriver& window, const QString& list) {
        QStringList texts;
        for (const ListView::Column& column : window.form().controlAs<ListView>(list).columns()) {
            texts << column.heading + (column.rightAligned ? QStringLiteral(">") : QString());
        }
        return texts;
    }
    bool run(short repType, const HeadlessUi::FormScript& script) {
        ui.when(QStringLiteral("frmQuickReport"), script);
        QDate current(2024, 3, 13);
        return component.PrintQuickReport(0, *system, system->masterfile(), repType, current);
    }
};

const QString daily = QStringLiteral(
    "Title=Daily Units and Hours\nDataLevel=Day\nDateRange=Week\n"
    "Column=Units\nColumn=MeasuredHours\nColumn=EarnedHours\n"
    "Column=Performance\n");

TEST(QuickReport, TemplateNumbersAndTheCostFilter) {
    EXPECT_EQ(frmQuickReport::templateNumber(QStringLiteral("TBAA7.TPL")), 7);
    EXPECT_EQ(frmQuickReport::templateNumber(QStringLiteral("TBTA12.TPL")), 12);
    EXPECT_EQ(frmQuickReport::templateNumber(QStringLiteral("TBAA.TPL")), 0);
    EXPECT_EQ(frmQuickReport::templateNumber(QStringLiteral("TBAAX1.TPL")), 0);

    QuickReportSite site;
    site.writeTemplate(QStringLiteral("TBAA1.TPL"), daily);
    site.writeTemplate(QStringLiteral("TBAA12.TPL"),
                       QStringLiteral("Title=Weekly Labor cOsT\nColumn=Cost\n"));
    site.writeTemplate(QStringLiteral("TBAA.TPL"),
                       QStringLiteral("Title=Unnumbered\nColumn=Units\n"));
    site.writeTemplate(QStringLiteral("TBTA3.TPL"),
                       QStringLiteral("Title=Of Types\nColumn=Units\n"));
    site.writeTemplate(QStringLiteral("TBAB4.TPL"),
                       QStringLiteral("Title=Other Set\nColumn=Units\n"));
    EXPECT_TRUE(site.run(1, [](FormDriver& window) {
        EXPECT_EQ(QuickReportSite::headings(window, QStringLiteral("lstBox")),
                  QStringList({"Title", "Number>"}));
        EXPECT_EQ(QuickReportSite::rows(window, QStringLiteral("lstBox")),
                  QStringList({"Unnumbered|0", "Daily Units and Hours|1"}));
        window.close();
    }));
    site.site.setSetting(QStringLiteral("Features"), QStringLiteral("CostTracking"),
                         QStringLiteral("True"));
    site.reopen();
    EXPECT_TRUE(site.run(1, [](FormDriver& window) {
        EXPECT_EQ(QuickReportSite::rows(window, QStringLiteral("lstBox")),
                  QStringList({"Unnumbered|0", "Daily Units and Hours|1", "Weekly Labor cOsT|12"}));
        window.close();
    }));
}

TEST(QuickReport, ActivityModeAndTypeOfWorkModeByRepType) {
    QuickReportSite site;
    EXPECT_TRUE(site.run(1, [](FormDriver& window) {
        EXPECT_EQ(window.form().control(QStringLiteral("lblActivity")).caption(), "&Activity:");
        EXPECT_EQ(window.form().control(QStringLiteral("lblReport")).caption(),
                  "Single Activity Reports");
        EXPECT_EQ(QuickReportSite::headings(window, QStringLiteral("lvActivity")),
                  QStringList({"Code", "Description", "Type of Work", "Earned Hours", "Number>"}));
        EXPECT_EQ(
            QuickReportSite::rows(window, QStringLiteral("lvActivity")),
            QStringList({"PICK|Picking|Outbound|Individual|1", "LOAD|Loading|(none)|Team|2",
                         "MEET|Meeting|(none)|UnMeasured|3", "REFL|Replenish|(none)|Reflective|4",
                         "AVG|Average|(none)|Past Average|5"}));
        window.close();
    }));
    for (short repType : {2, 3, 7}) {
        EXPECT_TRUE(site.run(repType, [](FormDriver& window) {
            EXPECT_EQ(window.form().caption(), "Quick Report");
            EXPECT_EQ(window.form().control(QStringLiteral("lblActivity")).caption(),
                      "&Type of Work:");
            EXPECT_EQ(window.form().control(QStringLiteral("lblReport")).caption(),
                      "Single Type of Work Reports");
            EXPECT_EQ(QuickReportSite::headings(window, QStringLiteral("lvActivity")),
                      QStringList({"Code", "Description", "Number>", "Tracking Quality"}));
            EXPECT_EQ(
                QuickReportSite::rows(window, QStringLiteral("lvActivity")),
                QStringList({"(No Type of Work)||0|No", "OUT|Outbound|1|Yes", "SPARE|Spare|2|No"}));
            window.close();
        })) << repType;
    }
    EXPECT_EQ(frmQuickReport::earnedHoursMethod(3), "Reflective");
    EXPECT_EQ(frmQuickReport::earnedHoursMethod(7), "UnMeasured");
}

TEST(QuickReport, MessagesForNoReportQualityAndATypeOfWorkWithoutActivities) {
    QuickReportSite site;
    site.writeTemplate(QStringLiteral("TBTA1.TPL"), daily);
    site.writeTemplate(QStringLiteral("TBTA2.TPL"),
                       QStringLiteral("Title=Quality by Week\nDataLevel=Week\nColumn=Accuracy\n"));
    site.ui.answer(QStringLiteral("No Report Selected."), IDOK);
    site.ui.answer(QStringLiteral("There are no Activities assigned to this Type of Work."), IDOK);
    site.ui.answer(QStringLiteral("Quality has not been activated for this Type of Work"), IDOK);
    TextPrintOutput printed;
    ScopedPrintOutput printing(printed);
    EXPECT_TRUE(site.run(2, [](FormDriver& window) {
        window.click(QStringLiteral("Command1(1)"));         // nothing ticked
        window.selectLine(QStringLiteral("lvActivity"), 2);  // Spare: no activities
        window.selectLine(QStringLiteral("lstBox"), 0);
        window.click(QStringLiteral("Command1(1)"));
        // No type of work: four activities, but no quality; the daily report still runs.
        window.selectLine(QStringLiteral("lvActivity"), 0);
        window.selectLine(QStringLiteral("lstBox"), 1, true);
        window.click(QStringLiteral("Command1(1)"));
        window.close();
    }));
    const auto& messages = site.ui.transcript().messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].style, MB_ICONINFORMATION);
    EXPECT_EQ(messages[2].style, MB_ICONEXCLAMATION);
    EXPECT_TRUE(printed.lines().join(u'\n').contains(
        QStringLiteral("Daily Units and Hours - No Type of Work")));
}

TEST(QuickReport, PrefillReachesTheBuiltReportAndTheTemplatesOwnRangeOtherwise) {
    QuickReportSite site;
    site.writeTemplate(QStringLiteral("TBAA1.TPL"), daily);
    site.record({AccountabilitySite::line(QDate(2024, 3, 4), 1, 1, 2, 60),
                 AccountabilitySite::line(QDate(2024, 3, 12), 1, 1, 4, 120),
                 AccountabilitySite::line(QDate(2024, 3, 13), 2, 1, 1, 60)});
    const auto view = [](FormDriver& window) {
        window.selectLine(QStringLiteral("lstBox"), 0);
        window.click(QStringLiteral("Command1(1)"));
        window.close();
    };
    {
        // The template's own range: the week holding the current date.
        TextPrintOutput printed;
        ScopedPrintOutput printing(printed);
        EXPECT_TRUE(site.run(1, view));
        const QString text = printed.lines().join(u'\n');
        EXPECT_TRUE(text.contains(QStringLiteral("Daily Units and Hours - Picking")));
        EXPECT_TRUE(text.contains(
            QStringLiteral("Week: Monday, March 11, 2024 to Sunday, March 17, 2024")));
        EXPECT_TRUE(text.contains(QStringLiteral("2024/03/12"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("2024/03/04")));
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Total +180.00 +5.00 +3.00"))))
            << text.toStdString();
    }
    // "This week" pre-filled by the host: the range and the weekly data level reach the report.
    ASSERT_TRUE(
        site.component.SetPrefillData(7, 2, QDate(2024, 3, 4), QDate(2024, 3, 17), 0, {}, {}));
    TextPrintOutput printed;
    ScopedPrintOutput printing(printed);
    site.ui.when(QStringLiteral("frmQuickReport"), view);
    QDate current(2024, 3, 13);
    EXPECT_TRUE(
        site.component.PrintQuickReport(0, *site.system, site.system->masterfile(), 1, current));
    EXPECT_EQ(current, QDate(2024, 3, 17));
    const QString text = printed.lines().join(u'\n');
    EXPECT_TRUE(text.contains(
        QStringLiteral("Custom Range: Monday, March 4, 2024 to Sunday, March 17, 2024")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Week Ending")));
    EXPECT_TRUE(text.contains(QStringLiteral("2024/03/10")));
    EXPECT_TRUE(text.contains(QStringLiteral("2024/03/17")));
}

TEST(QuickReport, ExportWritesTheReportFileAndAMasterfileThatCannotOpenShowsNoWindow) {
    QuickReportSite site;
    site.writeTemplate(QStringLiteral("TBAA1.TPL"), daily);
    site.record({AccountabilitySite::line(QDate(2024, 3, 12), 1, 1, 4, 120)});
    const QString path = site.site.path(QStringLiteral("Reports/TBAA1-PICK.csv"));
    site.ui.answer(QStringLiteral("The report has been exported to ") + path, IDOK);
    EXPECT_TRUE(site.run(1, [](FormDriver& window) {
        window.selectLine(QStringLiteral("lstBox"), 0);
        window.click(QStringLiteral("Command1(0)"));
        window.close();
    }));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              "DATE,Units,Measured Hours,Earned Hours,Performance\r\n"
              "2024/03/12,120.00,4.00,2.00,50.00\r\n");

    ReferenceMasterfile missing(site.site.path(QStringLiteral("none/TBMASTER.1")),
                                site.site.path(QStringLiteral("none/TBLOCK.1")));
    QDate current(2024, 3, 13);
    EXPECT_FALSE(site.component.PrintQuickReport(0, *site.system, missing, 1, current));
    EXPECT_TRUE(site.ui.transcript().windows().size() == 1);
}

}  // namespace
}  // namespace vel::testing
