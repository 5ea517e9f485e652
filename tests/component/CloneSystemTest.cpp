// CloneSystem: a system of the same shape in the Clone subfolder, with its corporate control
// setting and report layouts; the refusals and a failure.
#include "component/CVelUI.h"
#include "data/Masterfile.h"
#include "editors/EditorHarness.h"
#include "services/IniSettings.h"
#include "ui/FormDriver.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using namespace vel;
using vel::testing::TestSite;

namespace {

struct Cloning : vel::testing::EditorHarness {
    void write(const QString& name, const QByteArray& bytes = "layout") {
        QFile file(site.path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString clonePath(const QString& name) const { return site.path("Clone/" + name); }
    // Confirms the clone window through its four pages, with a title when one is given.
    void confirmWizard(const QString& title = {}) {
        ui.when(QStringLiteral("frmAddSys"), [title](FormDriver& form) {
            if (!title.isEmpty()) {
                form.set(QStringLiteral("SysName"), title);
            }
            for (int page = 0; page < 4; ++page) {
                form.click(QStringLiteral("Command1(2)"));
            }
        });
    }
};

TEST(CloneSystem, BuildsTheSameShapeWithTheControlSettingAndTheLayouts) {
    Cloning c;
    FiscalCalendar calendar = c.system->masterfile().fiscalCalendar();
    calendar.type = FiscalCalendar::WeeksOnly;
    calendar.periods = {{QStringLiteral("First"), 26}, {QStringLiteral("Second"), 26}};
    ASSERT_TRUE(c.system->masterfile().setFiscalCalendar(calendar));
    c.site.setSetting(QStringLiteral("Corporate"), QStringLiteral("Control"),
                      QStringLiteral("Yes"));
    for (const char* name :
         {"TBRF01.1", "TBGF02.1", "TBRL01.1", "TBRS01.1", "TBGV01.1", "TBRL01.2"}) {
        c.write(QString::fromLatin1(name));
    }
    c.confirmWizard();
    c.ui.answer(QStringLiteral("Cloned System was created."), IDOK);
    ASSERT_TRUE(c.component.CloneSystem(0, *c.system));
    const QStringList lines = c.ui.transcript().lines();
    EXPECT_TRUE(lines.contains("status: Opening Tallybook Masterfiles"));
    EXPECT_TRUE(lines.contains("status: Creating Tallybook Masterfiles"));

    ReferenceSystem clone(c.site.path(QStringLiteral("Clone")), 1);
    EXPECT_EQ(clone.masterfile().titles().value(0), "Test Site -  (Clone)");
    EXPECT_EQ(clone.masterfile().fiscalCalendar(), calendar);
    EXPECT_EQ(clone.referenceMasterfile().allocatedFields(), 20);
    ASSERT_TRUE(clone.activities().open());
    IniSettings settings(IniSettings::locationFor(c.site.path(QStringLiteral("Clone")), 1));
    settings.selectSection(QStringLiteral("Corporate"));
    EXPECT_EQ(settings.readValue(QStringLiteral("Control"), QString()), "Yes");
    for (const char* name : {"TBRF01.1", "TBGF02.1", "TBRL01.1", "TBRS01.1", "TBGV01.1"}) {
        EXPECT_TRUE(QFile::exists(c.clonePath(QString::fromLatin1(name)))) << name;
    }
    EXPECT_FALSE(QFile::exists(c.clonePath(QStringLiteral("TBRL01.2")))) << "another system's";

    c.ui.answer(QStringLiteral("A cloned system already exists in folder: ") + c.clonePath({}) +
                    QStringLiteral(".  You must delete it before creating another."),
                IDOK);
    EXPECT_FALSE(c.component.CloneSystem(0, *c.system));
}

TEST(CloneSystem, RefusedUnconfiguredAndAFailureLeavesNoCloneBehind) {
    Cloning c;
    ASSERT_TRUE(
        QFile::rename(c.site.path(QStringLiteral("TBMASTER.1")), c.site.path("master.bak")));
    c.ui.answer(QStringLiteral("Cannot Clone this system.  It has not been configured."), IDOK);
    EXPECT_FALSE(c.component.CloneSystem(0, *c.system));
    ASSERT_TRUE(
        QFile::rename(c.site.path("master.bak"), c.site.path(QStringLiteral("TBMASTER.1"))));

    // The clone's mistake table is in the way as a folder: its creation fails.
    ASSERT_TRUE(QDir().mkpath(c.clonePath(QStringLiteral("TBVMMST.--1"))));
    c.confirmWizard();
    c.ui.answer(QStringLiteral("Error creating cloned system, it may already exist."), IDOK);
    EXPECT_FALSE(c.component.CloneSystem(0, *c.system));
    ASSERT_EQ(c.system->errors().reports().size(), 1);
    EXPECT_TRUE(c.system->errors().reports()[0].text.endsWith(" - CloneSystem"));
    EXPECT_EQ(QDir(c.clonePath({})).entryList(QDir::Files), QStringList())
        << "nothing of the failed clone is left";
}

TEST(CloneSystem, TheCloneWindowShowsTheFixedShapeTakesATitleAndCanBeCancelled) {
    Cloning c;
    c.ui.when(QStringLiteral("frmAddSys"), [](FormDriver& form) {
        EXPECT_EQ(form.form().caption(), "Clone a System");
        EXPECT_EQ(form.find(QStringLiteral("SysName"))->valueText(), "Test Site -  (Clone)");
        EXPECT_TRUE(form.find(QStringLiteral("SysName"))->enabled());
        EXPECT_EQ(form.find(QStringLiteral("SysSize(0)"))->valueText(), "20");
        for (const char* fixed : {"SysParam(0)", "SysParam(1)", "Calendar", "optDataLevel(0)",
                                  "SysSize(0)", "SysSize(1)"}) {
            EXPECT_FALSE(form.find(QString::fromLatin1(fixed))->enabled()) << fixed;
        }
        form.click(QStringLiteral("Command1(1)"));
    });
    EXPECT_FALSE(c.component.CloneSystem(0, *c.system));
    EXPECT_FALSE(QDir(c.clonePath({})).exists()) << "a cancelled clone leaves nothing";
    EXPECT_TRUE(c.ui.transcript().messages().empty());

    c.confirmWizard(QStringLiteral("Night Shift Trial"));
    c.ui.answer(QStringLiteral("Cloned System was created."), IDOK);
    ASSERT_TRUE(c.component.CloneSystem(0, *c.system));
    ReferenceSystem clone(c.site.path(QStringLiteral("Clone")), 1);
    EXPECT_EQ(clone.masterfile().titles().value(0), "Night Shift Trial");
}

}  // namespace
