// CreateNewSystem end to end: the new-system window, the fiscal calendar, the files with their
// progress on the status display, and what is left after a cancel or a failure.
#include "component/CVelUI.h"
#include "data/NewSystemBuilder.h"
#include "data/TableCatalogue.h"
#include "editors/EditorHarness.h"
#include "ui/Form.h"
#include "ui/FormDriver.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace vel;
using vel::testing::TestSite;

namespace {

struct Creation : vel::testing::EditorHarness {
    Creation() {
        system->setNewSystemOpened([this](int number) { opened = number; });
        before = QDir(site.folder).entryList(QDir::Files);
    }
    // The new-system window filled in and created.
    void fillWizard() {
        ui.when(QStringLiteral("frmAddSys"), [](FormDriver& form) {
            form.set(QStringLiteral("SysName"), QStringLiteral("South Hub"));
            form.set(QStringLiteral("SysParam(0)"), QStringLiteral("2026"));
            form.set(QStringLiteral("SysParam(1)"), QStringLiteral("25"));
            for (int page = 0; page < 4; ++page) {
                form.click(QStringLiteral("Command1(2)"));
            }
        });
    }
    // The fiscal calendar finished as offered, or cancelled; the hook runs first.
    void periods(bool finish, std::function<void()> first = {}) {
        ui.when(QStringLiteral("frmPeriod"), [=](FormDriver& form) {
            if (first) {
                first();
            }
            if (!finish) {
                form.click(QStringLiteral("Command1(1)"));
                return;
            }
            for (int page = 0; page < 3 && form.form().isVisible(); ++page) {
                form.click(QStringLiteral("Command1(2)"));
            }
        });
    }
    QStringList filesNow() const {
        QStringList files = QDir(site.folder).entryList(QDir::Files);
        files.removeAll(QStringLiteral("TBNEWSYS.LCK"));
        return files;
    }
    bool create() { return component.CreateNewSystem(0, *system); }

    QStringList before;
    int opened = 0;
};

TEST(CreateNewSystem, BuildsTheSystemShowingItsProgressAndOpensIt) {
    Creation c;
    c.fillWizard();
    c.periods(true);
    ASSERT_TRUE(c.create());
    EXPECT_EQ(c.opened, 2);
    const QStringList lines = c.ui.transcript().lines();
    EXPECT_TRUE(lines.contains("status: Creating Tallybook Masterfiles"));
    EXPECT_TRUE(lines.contains("status: Activity ..."));
    EXPECT_EQ(lines.last(), "status: ") << "the display is cleared when done";

    ReferenceSystem created(c.site.folder, 2);
    EXPECT_EQ(created.masterfile().titles().value(0), "South Hub");
    EXPECT_EQ(created.masterfile().systemStartDate(), QDate(2026, 1, 1));
    EXPECT_EQ(created.masterfile().numberOfPeriods(), 13);
    EXPECT_EQ(created.referenceMasterfile().allocatedFields(), 95) << "the suggested minimum";
    ASSERT_TRUE(created.mistakes().open());
    const auto log = created.changeLog().entries();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].TableName, "Periods");
    EXPECT_TRUE(c.system->errors().reports().isEmpty());
}

TEST(CreateNewSystem, CancelledWindowOrCalendarLeavesTheFolderAsItWas) {
    Creation c;
    c.ui.when(QStringLiteral("frmAddSys"), [](FormDriver& form) {
        form.click(QStringLiteral("Command1(1)"));
    });
    EXPECT_FALSE(c.create());
    c.fillWizard();
    c.periods(false);
    EXPECT_FALSE(c.create());
    EXPECT_EQ(c.filesNow(), c.before);
    EXPECT_EQ(c.opened, 0);
}

TEST(CreateNewSystem, AFailedCreationSaysSoAndDeletesEveryFileOfTheNewSystem) {
    Creation c;
    c.fillWizard();
    // The element table of the new system turns up damaged while the calendar is defined.
    c.periods(true, [&] {
        QFile damaged(c.site.path(QStringLiteral("TBVMELM.--2")));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("not a table");
    });
    c.ui.answer(QStringLiteral("Error creating System.  All system files will be deleted."), IDOK);
    EXPECT_FALSE(c.create());
    EXPECT_EQ(c.filesNow(), c.before);
    ASSERT_EQ(c.system->errors().reports().size(), 1);
    EXPECT_TRUE(c.system->errors().reports()[0].text.endsWith(" - CreateNewSystem"));
    EXPECT_EQ(c.opened, 0);
}

TEST(CreateNewSystem, RefusedWhileAnotherWorkstationCreatesASystem) {
    Creation c;
    auto other = c.system->newSystemBuilder();
    ASSERT_TRUE(other->lock());
    c.ui.answer(QStringLiteral("Another workstation is creating a system"), IDOK);
    EXPECT_FALSE(c.create());
    EXPECT_TRUE(c.ui.transcript().windows().isEmpty()) << "no window before the lock";
    other.reset();
    c.fillWizard();
    c.periods(true);
    EXPECT_TRUE(c.create()) << "free again once the other has ended";
}

}  // namespace
