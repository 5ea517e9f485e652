#include "app/velmor/MainWindow.h"
#include "component/OperationCatalog.h"
#include "data/records/WorkCenterRecord.h"
#include "host/HostTestSupport.h"
#include "ui/Form.h"
#include "ui/FormDriver.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"
#include "ui/qt/QtUi.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <gtest/gtest.h>

using namespace vel;

namespace {

void collectOperations(const QMenu* menu, QSet<QString>& operations) {
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            collectOperations(action->menu(), operations);
        } else if (action->data().isValid()) {
            operations.insert(action->data().toString());
        }
    }
}

}  // namespace

TEST(MainWindow, MenusReachEveryOperationAndTheWindowIsSavedAsAPicture) {
    vel::testing::TestSite site;
    QtUi ui;
    MainWindow window(ui, site.open());
    window.show();
    QSet<QString> reached;
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        collectOperations(menu, reached);
    }
    QSet<QString> all;
    for (const OperationInfo& info : OperationCatalog::operations()) {
        all.insert(info.name);
    }
    EXPECT_EQ(reached, all);
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("Test Site")));

    QString folder = qEnvironmentVariable("VELMOR_TEST_OUTPUT");
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    QDir().mkpath(folder);
    window.menuNamed(QStringLiteral("Tables"))->popup(window.mapToGlobal(QPoint(60, 20)));
    EXPECT_TRUE(window.grab().save(folder + QStringLiteral("/main-window.png")));
}

TEST(MainWindow, AMenuCallGoesThroughTheCommandClassAndShowsItsStatus) {
    vel::testing::TestSite site;
    HeadlessUi headless;
    ScopedUi scope(headless);
    QtUi ui;
    {
        auto system = site.open();
        WorkCenterRecord center;
        center.Code = QStringLiteral("RECV");
        ASSERT_TRUE(system->workCenters().open());
        system->workCenters().setRecord(1, center);
        ASSERT_TRUE(system->workCenters().save());
    }
    MainWindow window(ui, site.open());
    headless.when(QStringLiteral("TBEditForm"),
                  [](FormDriver& list) { list.click(QStringLiteral("btnCancel")); });
    EXPECT_EQ(window.invoke(QStringLiteral("EditWorkCenter")), QStringLiteral("False"));
    EXPECT_TRUE(headless.failures().isEmpty()) << headless.failures().join(u'\n').toStdString();
    headless.answer(QStringLiteral("Run-time error 5: Bad Setting Type"), IDOK);
    EXPECT_EQ(window.invoke(QStringLiteral("EditSettings"), {{QStringLiteral("SettingType"), QStringLiteral("13")}}),
              QString());
}

TEST(MainWindow, ANewSystemBecomesTheSystemTheWindowWorksOn) {
    vel::testing::TestSite site;
    HeadlessUi headless;
    ScopedUi scope(headless);
    headless.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    QtUi ui;
    MainWindow window(ui, site.open());
    headless.when(QStringLiteral("frmAddSys"), [](FormDriver& form) {
        form.set(QStringLiteral("SysName"), QStringLiteral("South Hub"));
        for (int page = 0; page < 4; ++page) {
            form.click(QStringLiteral("Command1(2)"));
        }
    });
    headless.when(QStringLiteral("frmPeriod"), [](FormDriver& form) {
        for (int page = 0; page < 3 && form.form().isVisible(); ++page) {
            form.click(QStringLiteral("Command1(2)"));
        }
    });
    EXPECT_EQ(window.invoke(QStringLiteral("CreateNewSystem")), QStringLiteral("True"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("South Hub - System 2 - Velmor"));
}
