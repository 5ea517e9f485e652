#include "component/CVelUI.h"
#include "component/ScriptRunner.h"
#include "host/HostTestSupport.h"
#include "ui/HeadlessUi.h"

#include <gtest/gtest.h>

using namespace vel;

TEST(ScriptRunner, RunsCallsWithAnswersAndPrintsTheTranscript) {
    vel::testing::TestSite site;
    auto system = site.open();
    HeadlessUi ui;
    ScopedUi scope(ui);
    CVelUI component;
    ScriptRunner runner(ui, component, *system);
    const bool ok = runner.run(QStringLiteral(
        "# settings type 13 is unknown\n"
        "call EditSettings SettingType=13\n"
        "expect result \"error 5\"\n"
        "window frmEmployeeList\n  click SaveButtons1(0)\nend\n"
        "call PrintAssocHist\n"
        "expect result False\n"));
    EXPECT_TRUE(ok) << runner.errors().join(u'\n').toStdString();
    EXPECT_EQ(ui.transcript().lines(),
              (QStringList{QStringLiteral("error: 5 Bad Setting Type"),
                           QStringLiteral("status: Loading files ..."),
                           QStringLiteral("window: Print Associate Production Analysis Report"),
                           QStringLiteral("result: False")}));
}

TEST(ScriptRunner, AMistakeAnywhereRunsNothingAndAMissedExpectationFails) {
    vel::testing::TestSite site;
    auto system = site.open();
    HeadlessUi ui;
    ScopedUi scope(ui);
    CVelUI component;
    ScriptRunner runner(ui, component, *system);
    EXPECT_FALSE(runner.run(QStringLiteral("call CommandLineFlag Value=2\n"
                                           "window frmMistake\n  wave Text1(0)\nend\n"
                                           "answer \"x\" Maybe\n")));
    EXPECT_EQ(runner.errors(),
              (QStringList{QStringLiteral("line 3: not a window action: wave"),
                           QStringLiteral("line 5: not a button: Maybe")}));
    EXPECT_EQ(component.CommandLineFlag(), eCMDMenu) << "nothing ran";

    EXPECT_FALSE(runner.run(QStringLiteral("call CommandLineFlag\nexpect result 7\n")));
    EXPECT_EQ(runner.errors(), QStringList{QStringLiteral("line 2: the result is \"0\", expected \"7\"")});
    EXPECT_FALSE(runner.run(QStringLiteral("call EditMistakes Colour=1\n")));
    EXPECT_TRUE(runner.errors().value(0).contains(QStringLiteral("takes no argument")));
}
