#include "component/CVelUI.h"
#include "component/ScriptRunner.h"
#include "host/HostTestSupport.h"
#include "ui/HeadlessUi.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
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
        "answer always \"not available yet\" OK\n"
        "call PrintAssocHist\n"
        "expect result True\n"));
    EXPECT_TRUE(ok) << runner.errors().join(u'\n').toStdString();
    EXPECT_EQ(ui.transcript().lines(),
              (QStringList{QStringLiteral("error: 5 Bad Setting Type"),
                           QStringLiteral("status: Loading files ..."),
                           QStringLiteral("message: 64 Velmor | The associate history report is not "
                                          "available yet in this version of Velmor. -> OK"),
                           QStringLiteral("result: True")}));
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

TEST(ScriptRunner, AWorkCenterAndATypeOfWorkAddedHeadlessAreInTheTableExport) {
    vel::testing::TestSite site;
    auto system = site.open();
    HeadlessUi ui;
    ScopedUi scope(ui);
    CVelUI component;
    ScriptRunner runner(ui, component, *system);
    const QString output = site.path(QStringLiteral("export"));
    ASSERT_TRUE(QDir().mkpath(output));
    const bool ok = runner.run(QStringLiteral(
        "window frmOKtoView\n  click Option1(1)\n  click cmdOK\nend\n"
        "window TBEditForm\n  click btnAdd\n  click btnOK\nend\n"
        "window frmTypeofWork\n"
        "  type Text1(0) \"pick\"\n  set Text1(1) \"Picking\"\n  click chkTouch\n"
        "  click SaveButtons1(1)\nend\n"
        "call EditTypeofWork\nexpect result True\n"
        "window TBEditForm\n  click btnAdd\n  click btnOK\nend\n"
        "window frmWorkCenter\n"
        "  type Text1(0) \"recv\"\n  set Text1(1) \"Receiving\"\n  set Text2(0) \"Pat Lee\"\n"
        "  set nbShift 2\n  set TimeBox1(0) \"22:00\"\n  set TimeBox1(1) \"06:00\"\n"
        "  tick lsTypeWork \"PICK - Picking\"\n  click SaveButtons1(1)\nend\n"
        "answer \"OK to Add this Account\" OK\n"
        "call EditWorkCenter\nexpect result False\n"
        "answer always \"have been created\" OK\n"
        "call ExportTables OutputType=CSV OutputFolder=\"") + output + QStringLiteral("\"\n"
        "expect result True\n"));
    EXPECT_TRUE(ok) << runner.errors().join(u'\n').toStdString() << "\n"
                    << ui.transcript().lines().join(u'\n').toStdString();
    const auto lines = [&](const QString& name) {
        QFile file(output + QStringLiteral("/") + name + QStringLiteral(".csv"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return QString::fromUtf8(file.readAll()).split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts);
    };
    EXPECT_EQ(lines(QStringLiteral("WORKCNTR")).filter(QStringLiteral("RECV")),
              QStringList{"RECV,Receiving,1,2,0,1,22:00,06:00,Yesterday at: 22:00,"
                          "Today at: 21:59,Pat Lee"});
    EXPECT_EQ(lines(QStringLiteral("WCVALID")).filter(QStringLiteral("RECV")),
              QStringList{"RECV,PICK,-1"});
    EXPECT_EQ(lines(QStringLiteral("TYPEWORK")).filter(QStringLiteral("PICK")),
              QStringList{"PICK,Picking,1"});
}
