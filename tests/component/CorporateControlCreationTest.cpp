// CreateCorporateControl(EX): the control zip and the three control tables in the corporate
// control folder, chosen and confirmed, or silently in the stored folder.
#include "component/CVelUI.h"
#include "data/Enumerations.h"
#include "data/records/AllocationRecord.h"
#include "data/records/ElementRecord.h"
#include "host/CorporateControlFile.h"
#include "editors/EditorHarness.h"
#include "platform/transfer/ZipArchive.h"
#include "services/CopyOneFile.h"
#include "services/IniSettings.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>

using namespace vel;
using vel::testing::TestSite;

namespace {

struct Corporate : vel::testing::EditorHarness {
    Corporate() {
        folder = site.path(QStringLiteral("corporate"));
        QDir().mkpath(folder);
        ElementRecord element;
        element.Desc = QStringLiteral("Cases");
        AllocationRecord allocation;
        allocation.Code = QStringLiteral("DRY");
        ActivityRecord activity;
        activity.Code = QStringLiteral("PICK");
        activity.Elements[0].Element = 1;
        ActivityRecord::SlotStandards values;
        values.fill(-1.0F);
        values[0] = 30.0F;
        activity.AllocationStandards[1] = values;
        store(system->elements(), {element});
        store(system->allocations(), {allocation});
        store(system->activities(), {activity});
    }
    QString setting(const QString& key) {
        IniSettings settings(system->settingsLocation());
        settings.selectSection(QStringLiteral("Corporate"));
        return settings.readValue(key, QString());
    }
    QStringList published() const { return QDir(folder).entryList(QDir::Files); }

    QString folder;
};

const QString question = QStringLiteral("OK to create the Corporate Control File in folder: ");

TEST(CreateCorporateControl, PublishesTheZipAndTheThreeTablesInTheChosenFolder) {
    Corporate c;
    c.ui.nextFolder(c.folder);
    c.ui.answer(question + c.folder + QStringLiteral(" ?"), IDYES);
    ASSERT_TRUE(c.component.CreateCorporateControl(0, *c.system));
    EXPECT_EQ(c.published(), (QStringList{"TBCCnt1.ZIP", "TBVMACT.--1", "TBVMELM.--1", "TBVMTOW.--1"}));
    EXPECT_EQ(c.setting("Folder"), c.folder);
    EXPECT_EQ(c.setting("LastDate"), QDate::currentDate().toString("yyyy/MM/dd"));
    EXPECT_TRUE(c.ui.transcript().lines().contains("status: Zipping Corporate Control Files"));

    const QString unpacked = c.site.path(QStringLiteral("unpacked"));
    ASSERT_TRUE(ZipArchive::extractAll(c.folder + "/TBCCnt1.ZIP", unpacked).ok);
    QString error;
    const auto rows = readCorporateControlFile(unpacked + "/TBCCACT.--1", &error);
    ASSERT_EQ(rows.size(), 2u) << error.toStdString();
    EXPECT_EQ(rows[0], (CorporateControlRow{"PICK", "DRY", {}, 0.0, 0.0}));
    EXPECT_EQ(rows[1], (CorporateControlRow{"PICK", "DRY", "Cases", 30.0, 2.0}));
}

TEST(CreateCorporateControl, CancelNoAndSilentModes) {
    Corporate c;
    c.ui.nextFolder(QString());  // the browse cancelled
    EXPECT_FALSE(c.component.CreateCorporateControl(0, *c.system));
    c.ui.nextFolder(c.folder);
    c.ui.answer(question, IDNO);
    EXPECT_FALSE(c.component.CreateCorporateControl(0, *c.system));
    EXPECT_EQ(c.setting("Folder"), QString()) << "nothing chosen is kept";
    EXPECT_TRUE(c.published().isEmpty());

    EXPECT_FALSE(c.component.CreateCorporateControlEX(0, *c.system, true)) << "no stored folder";
    c.site.setSetting(QStringLiteral("Corporate"), QStringLiteral("Folder"), c.folder);
    EXPECT_TRUE(c.component.CreateCorporateControlEX(0, *c.system, true));
    EXPECT_EQ(c.published().size(), 4);
    EXPECT_EQ(c.ui.transcript().prompts().size(), 1) << "silent: no question, no message";
}

// Silent creation shows nothing at all, not even when a table cannot be copied.
TEST(CreateCorporateControl, SilentCreationTellsNothingWhenACopyFails) {
    Corporate c;
    c.site.setSetting(QStringLiteral("Corporate"), QStringLiteral("Folder"), c.folder);
    ASSERT_TRUE(QDir().mkpath(c.folder + QStringLiteral("/TBVMELM.--1")));  // no file fits there
    const WaitFunction earlier = setCopyRetryWait([](int) {});
    EXPECT_FALSE(c.component.CreateCorporateControlEX(0, *c.system, true));
    setCopyRetryWait(earlier);
    EXPECT_TRUE(c.ui.transcript().messages().empty());
    EXPECT_TRUE(QFile::exists(c.folder + QStringLiteral("/TBVMACT.--1")));
}

TEST(CreateCorporateControl, AFolderThatCannotTakeTheZipIsReported) {
    Corporate c;
    const QString notAFolder = c.site.path(QStringLiteral("TBMASTER.1"));
    c.ui.nextFolder(notAFolder);
    c.ui.answer(question, IDYES);
    c.ui.answer(QStringLiteral("Could not create the Corporate Control File in folder: ") +
                    notAFolder + QStringLiteral(" ?"),
                IDOK);
    EXPECT_FALSE(c.component.CreateCorporateControl(0, *c.system));
    EXPECT_EQ(c.ui.transcript().messages().back().style, MB_ICONINFORMATION);
    EXPECT_EQ(c.setting("Folder"), QString());
}

// The control files carry the corporate system's Performance Policy flag; the corporate control
// check of a member site copies it, and the site's settings editor lets the module be turned on
// only when the corporate system has it.
TEST(CreateCorporateControl, CarriesThePerformancePolicyFlagToTheSites) {
    Corporate c;
    c.site.setSetting(QStringLiteral("Corporate"), QStringLiteral("Folder"), c.folder);
    TestSite member;
    member.setSetting(QStringLiteral("Features"), QStringLiteral("UsesCorporateControl"),
                      QStringLiteral("1"));
    member.setSetting(QStringLiteral("Corporate"), QStringLiteral("Folder"), c.folder);
    const auto memberSystem = member.open();
    const QString turningOn =
        QStringLiteral("You are turning on the Performance Policy feature.  This will cause "
                       "datafields to be created.");
    const QString notActive = QStringLiteral(
        "The Performance Policy feature is not active in the Corporate Control File.");
    const auto tryTurningOn = [&](const QString& answered) {
        c.ui.when(QStringLiteral("frmSettings"), [](FormDriver& window) {
            window.set(QStringLiteral("chkDiscipline"), QStringLiteral("1"));
            window.click(QStringLiteral("SaveButtons1(1)"));
        });
        c.ui.answer(answered, answered == turningOn ? IDNO : IDOK);
        c.ui.when(QStringLiteral("frmSettings"), [](FormDriver& window) { window.close(); });
        c.ui.answer(QStringLiteral("OK to Cancel all changes and exit?"), IDYES);
        c.component.EditSettings(0, *memberSystem, stgDiscipline);
        const auto& messages = c.ui.transcript().messages();
        return std::any_of(messages.end() - 2, messages.end(), [&](const MessageRecord& shown) {
            return shown.prompt.startsWith(answered);
        });
    };

    for (const bool corporatePolicy : {true, false}) {
        c.site.setSetting(QStringLiteral("Features"), QStringLiteral("PerformancePolicy"),
                          corporatePolicy ? QStringLiteral("True") : QStringLiteral("False"));
        c.reopen();
        ASSERT_TRUE(c.component.CreateCorporateControlEX(0, *c.system, true));
        EXPECT_TRUE(tryTurningOn(corporatePolicy ? turningOn : notActive)) << corporatePolicy;
    }
}

}  // namespace
