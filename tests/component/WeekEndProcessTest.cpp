// WeekEndProcess: the host's week-end closing asked for or run unattended, the follow-up report
// and the printed log.
#include "component/CVelUI.h"
#include "data/records/AssociateRecord.h"
#include "editors/EditorHarness.h"
#include "platform/print/TextPrintOutput.h"
#include "services/IniSettings.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace vel;
using vel::testing::TestSite;

namespace {

ProductionLineRecord line(const QDate& date, int associate) {
    ProductionLineRecord record;
    record.Date = date;
    record.Associate = associate;
    record.Activity = 1;
    record.Hours = 1.0;
    return record;
}

AssociateRecord associate(const char* code, const char* lastName) {
    AssociateRecord record;
    record.Code = QString::fromLatin1(code);
    record.LastName = QString::fromLatin1(lastName);
    record.FirstName = QStringLiteral("Sam");
    return record;
}

// The test site's clock is Wednesday 2024-03-13: the last complete week ends on Sunday the 10th.
struct WeekEnd : vel::testing::EditorHarness {
    WeekEnd() {
        store(system->associates(), {associate("A1", "Idle"), associate("A2", "Busy")});
        std::vector<ProductionLineRecord> lines;
        for (const QDate& date : {QDate(2024, 2, 27), QDate(2024, 3, 5), QDate(2024, 3, 10),
                                  QDate(2024, 3, 12), QDate::currentDate()}) {
            lines.push_back(line(date, date == QDate::currentDate() ? 2 : 1));
        }
        store(system->productionLines(), lines);
    }
    QString master(const QString& section, const QString& key) {
        EXPECT_TRUE(system->referenceMasterfile().reload());
        return system->referenceMasterfile().value(section, key);
    }
};

TEST(WeekEndProcess, ClosesTheWeeksOnceAskingOnlyFromTheMenu) {
    WeekEnd w;
    const QString question =
        QStringLiteral("OK to run Week-End Processing for the week ending 2024/03/10?");
    w.ui.answer(question, IDNO);
    EXPECT_FALSE(w.component.WeekEndProcess(0, *w.system));
    EXPECT_EQ(w.master("Master", "LastWeekEnd"), QString()) << "No closes nothing";

    w.ui.answer(question, IDYES);
    EXPECT_TRUE(w.component.WeekEndProcess(0, *w.system));
    EXPECT_EQ(w.master("Master", "LastWeekEnd"), "2024/03/10");
    EXPECT_EQ(w.master("WeekEnds", "2024/03/03"), "1");
    EXPECT_EQ(w.master("WeekEnds", "2024/03/10"), "2") << "the current week stays open";
    EXPECT_EQ(w.master("WeekEnds", "2024/03/17"), QString());
    EXPECT_TRUE(w.ui.transcript().lines().contains("status: Loading files ..."));

    w.site.setSetting(QStringLiteral("History"), QStringLiteral("RecalculatePending"),
                      QStringLiteral("True"));
    EXPECT_TRUE(w.component.WeekEndProcess(0, *w.system)) << "up to date: no question";
    EXPECT_FALSE(QFile::exists(w.site.path(QStringLiteral("followup1.txt"))));
    EXPECT_TRUE(w.ui.transcript().lines().contains("status: Recalculating History..."));
    IniSettings settings(w.system->settingsLocation());
    settings.selectSection(QStringLiteral("History"));
    EXPECT_EQ(settings.readValue(QStringLiteral("RecalculatePending"), QString()), "False");
}

TEST(WeekEndProcess, UnattendedRunWritesTheFollowUpAndPrintsTheLog) {
    WeekEnd w;
    w.site.setSetting(QStringLiteral("WeekEnd"), QStringLiteral("FollowUp"), QStringLiteral("True"));
    w.site.setSetting(QStringLiteral("WeekEnd"), QStringLiteral("PrintLog"), QStringLiteral("True"));
    w.component.setCommandLineFlag(eCMDCommandLine);
    TextPrintOutput printed;
    {
        ScopedPrintOutput printing(printed);
        EXPECT_TRUE(w.component.WeekEndProcess(0, *w.system));
    }
    QFile followUp(w.site.path(QStringLiteral("followup1.txt")));
    ASSERT_TRUE(followUp.open(QIODevice::ReadOnly));
    EXPECT_EQ(followUp.readAll(), "A1\tIdle, Sam\n") << "A2 worked in the last two weeks";
    EXPECT_EQ(printed.lines().filter(QStringLiteral("Week-End Processing - Completed ")).size(), 1);

    // Without a printer the log fails: reported, and the answer stays the processing's.
    EXPECT_TRUE(w.component.WeekEndProcess(0, *w.system));
    ASSERT_EQ(w.system->errors().reports().size(), 1);
    EXPECT_TRUE(w.system->errors().reports()[0].text.endsWith("-WeekEndProcess"));
}

}  // namespace
