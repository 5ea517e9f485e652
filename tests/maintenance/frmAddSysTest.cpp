// The new-system window driven headless: each page's checks, the defaults and the summary.
#include "data/NewSystemBuilder.h"
#include "host/HostTestSupport.h"
#include "maintenance/frmAddSys.h"
#include "ui/FormDriver.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <gtest/gtest.h>

namespace vel {
namespace {

struct Wizard {
    Wizard() : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
        system = site.open();
        builder = system->newSystemBuilder();
    }
    bool ask() { return window.Ask(0, *system, *builder, chosen); }
    // The page shown: the index of the one visible frame.
    static int page(FormDriver& form) {
        for (int index = 0; index < 4; ++index) {
            if (form.find(QStringLiteral("Frame1(%1)").arg(index))->visible()) {
                return index;
            }
        }
        return -1;
    }
    // Sets a field, presses Next and tells which page is shown then.
    static int nextWith(FormDriver& form, const QString& path, const QString& value) {
        form.set(path, value);
        form.click(QStringLiteral("Command1(2)"));
        return page(form);
    }

    testing::TestSite site;
    HeadlessUi ui;
    ScopedUi scope;
    std::unique_ptr<ReferenceSystem> system;
    std::unique_ptr<NewSystemBuilder> builder;
    frmAddSys window;
    NewSystemParameters chosen;
};

TEST(frmAddSys, EachPageRefusesWhatIsOutOfRangeAndStaysOnIt) {
    Wizard w;
    w.ui.answerAlways(QStringLiteral("must be"), IDOK);
    w.ui.answerAlways(QStringLiteral("cannot be empty"), IDOK);
    w.ui.answerAlways(QStringLiteral("Cannot set"), IDOK);
    w.ui.when(QStringLiteral("frmAddSys"), [](FormDriver& form) {
        EXPECT_EQ(form.form().caption(), "Add a New System");
        EXPECT_EQ(Wizard::page(form), 0);
        EXPECT_FALSE(form.find(QStringLiteral("Command1(3)"))->enabled()) << "no page before";
        EXPECT_EQ(Wizard::nextWith(form, QStringLiteral("SysName"), QStringLiteral("   ")), 0);
        form.set(QStringLiteral("SysName"), QStringLiteral("North Hub"));
        EXPECT_EQ(Wizard::nextWith(form, QStringLiteral("SysParam(0)"), QStringLiteral("1899")), 0);
        EXPECT_EQ(Wizard::nextWith(form, QStringLiteral("SysParam(0)"), QStringLiteral("2038")), 0);
        form.set(QStringLiteral("SysParam(0)"), QStringLiteral("2030"));
        EXPECT_EQ(Wizard::nextWith(form, QStringLiteral("SysParam(1)"), QStringLiteral("0")), 0);
        EXPECT_EQ(Wizard::nextWith(form, QStringLiteral("SysParam(1)"), QStringLiteral("1000")), 0);
        form.set(QStringLiteral("SysParam(1)"), QString());
        form.type(QStringLiteral("SysParam(1)"), QStringLiteral("4x0"));
        EXPECT_EQ(form.value(QStringLiteral("SysParam(1)")), "40") << "digits only";
        EXPECT_EQ(Wizard::nextWith(form, QStringLiteral("SysParam(0)"), QStringLiteral("1900")), 1);
        EXPECT_EQ(form.value(QStringLiteral("Calendar")), "1900/01/01");
        form.click(QStringLiteral("Command1(3)"));
        EXPECT_EQ(Wizard::nextWith(form, QStringLiteral("SysParam(0)"), QStringLiteral("2037")), 1);
        EXPECT_EQ(form.value(QStringLiteral("Calendar")), "2037/01/01") << "follows the year";
        EXPECT_EQ(Wizard::nextWith(form, QStringLiteral("Calendar"), QStringLiteral("2036/12/29")), 2);
        EXPECT_EQ(form.value(QStringLiteral("SysSize(0)")), "140") << "the minimum for 40";
        EXPECT_EQ(Wizard::nextWith(form, QStringLiteral("SysSize(0)"), QStringLiteral("139")), 2);
        form.set(QStringLiteral("SysSize(0)"), QStringLiteral("200"));
        EXPECT_EQ(Wizard::nextWith(form, QStringLiteral("SysSize(1)"), QStringLiteral("1")), 2);
        EXPECT_EQ(Wizard::nextWith(form, QStringLiteral("SysSize(1)"), QStringLiteral("10")), 2);
        EXPECT_EQ(Wizard::nextWith(form, QStringLiteral("SysSize(1)"), QStringLiteral("9")), 3);
        EXPECT_EQ(form.find(QStringLiteral("Command1(2)"))->caption(), "&Create");
        form.click(QStringLiteral("Command1(3)"));
        EXPECT_EQ(form.find(QStringLiteral("Command1(2)"))->caption(), "Next >");
        EXPECT_EQ(Wizard::nextWith(form, QStringLiteral("SysSize(1)"), QStringLiteral("2")), 3);
        form.click(QStringLiteral("Command1(1)"));
    });
    EXPECT_FALSE(w.ask());
    EXPECT_EQ(w.ui.transcript().prompts().join(u'|').toStdString(),
              "System Title cannot be empty|"
              "Start Year must be greater than 1899 and less than 2038|"
              "Start Year must be greater than 1899 and less than 2038|"
              "Number of Activities must be greater than 0 and less than 1000|"
              "Number of Activities must be greater than 0 and less than 1000|"
              "Cannot set Fields to less that the minimum required of: 140|"
              "Cannot set Years to less than 2 or more than 9|"
              "Cannot set Years to less than 2 or more than 9");
}

TEST(frmAddSys, CreateAnswersTheChoicesAfterASummaryOfThem) {
    Wizard w;
    QString summary;
    w.ui.when(QStringLiteral("frmAddSys"), [&](FormDriver& form) {
        form.set(QStringLiteral("SysName"), QStringLiteral(" North Hub "));
        form.set(QStringLiteral("SysParam(0)"), QStringLiteral("2025"));
        form.set(QStringLiteral("SysParam(1)"), QStringLiteral("300"));
        form.click(QStringLiteral("Command1(2)"));
        form.set(QStringLiteral("Calendar"), QStringLiteral("2025/02/03"));
        form.click(QStringLiteral("Command1(2)"));
        form.click(QStringLiteral("optDataLevel(1)"));
        form.set(QStringLiteral("SysSize(0)"), QStringLiteral("1000"));
        form.set(QStringLiteral("SysSize(1)"), QStringLiteral("5"));
        form.click(QStringLiteral("Command1(2)"));
        summary = form.value(QStringLiteral("lblSummary"));
        form.click(QStringLiteral("Command1(2)"));
    });
    ASSERT_TRUE(w.ask());
    const std::string ruler(40, '=');
    EXPECT_EQ(summary.toStdString(),
              "Start Date for Fiscal Year: February 3\nSystem Name: North Hub\n"
              "Start Year: 2025\nStart Calendar Date: Monday, February 3, 2025\n"
              "Estimated Number of Activities: 300\n" + ruler + "\n"
              " Tallybook - Data Level: Week (53 data points per year)\n"
              " Tallybook - Datafields: 1000\n Tallybook - Years: 5\n" + ruler + "\n"
              "Space required on Disk Drive: 1,125,536 bytes\n"
              "To create this system press the Create button");
    EXPECT_EQ(w.chosen.title, "North Hub");
    EXPECT_EQ(w.chosen.startYear, 2025);
    EXPECT_EQ(w.chosen.fiscalStart, QDate(2025, 2, 3));
    EXPECT_EQ(w.chosen.activities, 300);
    EXPECT_EQ(w.chosen.dataLevel, DataLevel::Week);
    EXPECT_EQ(w.chosen.fields, 1000);
    EXPECT_EQ(w.chosen.years, 5);

    w.ui.when(QStringLiteral("frmAddSys"), [](FormDriver& form) {
        EXPECT_EQ(form.value(QStringLiteral("SysName")), "New System") << "a fresh start";
        EXPECT_EQ(form.value(QStringLiteral("SysParam(1)")), "100");
        form.close();
    });
    EXPECT_FALSE(w.ask());
}

}  // namespace
}  // namespace vel
