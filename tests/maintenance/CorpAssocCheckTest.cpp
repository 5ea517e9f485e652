// The check for a newer corporate associate file: the corporate folder, the file's date and
// time against "Corporate"/"LastAssocDate", the import's seam and the table it needs held.
#include "component/CVelUI.h"
#include "data/CAssocLookup.h"
#include "data/records/WorkCenterRecord.h"
#include "host/HostTestSupport.h"
#include "maintenance/CorpAssocCheck.h"
#include "services/WaitSeconds.h"
#include "services/IniSettings.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <QDir>
#include <QFile>

namespace vel::testing {
namespace {

struct CorporateSite {
    CorporateSite() : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
        corporateFolder = site.path(QStringLiteral("corp"));
        QDir().mkpath(corporateFolder);
        site.setSetting(QStringLiteral("Corporate"), QStringLiteral("Folder"), corporateFolder);
        system = site.open();
    }
    // Writes the corporate file (in the letter case given) with that modification time.
    QString publish(const QString& name, const QDateTime& modified,
                    const QByteArray& content = "A100,Adams,Ann\n") {
        const QString path = corporateFolder + u'/' + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
        file.close();
        return path;
    }
    QString lastAssocDate() const {
        IniSettings settings(IniSettings::locationFor(site.folder, 1));
        settings.selectSection(QStringLiteral("Corporate"));
        return settings.readValue(QStringLiteral("LastAssocDate"), QStringLiteral("0"));
    }

    TestSite site;
    HeadlessUi ui;
    ScopedUi scope;
    QString corporateFolder;
    std::unique_ptr<ReferenceSystem> system;
};

const QDateTime published(QDate(2024, 3, 12), QTime(6, 15, 30));

TEST(CorpAssocCheck, DoesNothingWithoutAFolderAFileOrANewerFile) {
    CorporateSite s;
    int imports = 0;
    const auto count = [&](const QString&) { return ++imports > 0; };
    EXPECT_FALSE(CorpAssocCheck(*s.system, count).run()) << "no file yet";

    s.publish(QStringLiteral("corpassoc.csv"), published);
    s.site.setSetting(QStringLiteral("Corporate"), QStringLiteral("LastAssocDate"),
                      QStringLiteral("2024/03/12 06:15:30"));
    EXPECT_FALSE(CorpAssocCheck(*s.system, count).run()) << "taken already";

    s.site.setSetting(QStringLiteral("Corporate"), QStringLiteral("Folder"), QString());
    s.site.setSetting(QStringLiteral("Corporate"), QStringLiteral("LastAssocDate"),
                      QStringLiteral("0"));
    EXPECT_FALSE(CorpAssocCheck(*s.system, count).run()) << "no corporate folder";
    EXPECT_EQ(imports, 0);
    EXPECT_TRUE(s.ui.transcript().messages().empty());
}

TEST(CorpAssocCheck, ImportsANewerFileWithTheTableHeldAndRemembersItsTime) {
    CorporateSite s;
    const QString file = s.publish(QStringLiteral("CORPASSOC.CSV"), published);
    s.site.setSetting(QStringLiteral("Corporate"), QStringLiteral("LastAssocDate"),
                      QStringLiteral("2024/03/12 06:15:29"));
    QString imported;
    bool tableOpen = false;
    CorpAssocCheck check(*s.system, [&](const QString& path) {
        imported = path;
        tableOpen = s.system->associates().isOpen();
        return true;
    });
    EXPECT_TRUE(check.run());
    EXPECT_EQ(imported, file);
    EXPECT_TRUE(tableOpen);
    EXPECT_FALSE(s.system->associates().isOpen()) << "closed again after the import";
    EXPECT_EQ(s.lastAssocDate(), "2024/03/12 06:15:30");
    EXPECT_FALSE(check.run()) << "the same file is not taken twice";

    // A failed import leaves the date, so the file is tried again next time.
    s.publish(QStringLiteral("CORPASSOC.CSV"), published.addDays(1));
    EXPECT_FALSE(CorpAssocCheck(*s.system, [](const QString&) { return false; }).run());
    EXPECT_EQ(s.lastAssocDate(), "2024/03/12 06:15:30");
}

TEST(CorpAssocCheck, SaysPlainlyWhenTheImportIsMissingOrTheTableIsHeldElsewhere) {
    CorporateSite s;
    s.publish(QStringLiteral("CORPASSOC.CSV"), published);
    s.ui.answer(QStringLiteral("Importing corporate associates is not available yet in this "
                               "version of"),
                IDOK);
    EXPECT_FALSE(CorpAssocCheck(*s.system).run());
    EXPECT_EQ(s.lastAssocDate(), "0");

    // Another workstation holds the associate family of tables: the check waits its turn (on a
    // clock that runs a second per rest), then says so.
    std::unique_ptr<ReferenceSystem> other = s.site.open();
    ASSERT_TRUE(other->beginTableAccess(QStringLiteral("A"), true, false));
    qint64 now = 0;
    const WaitClock previous = setWaitClock({[&] { return now; }, [&] { now += 1000; }});
    s.ui.answer(QStringLiteral("The Associate Table cannot be open and locked"), IDOK);
    bool called = false;
    EXPECT_FALSE(CorpAssocCheck(*s.system, [&](const QString&) { return called = true; }).run());
    setWaitClock(previous);
    EXPECT_FALSE(called);
    EXPECT_TRUE(s.ui.transcript().lines().contains(
        QStringLiteral("status: Waiting for the Associate Table: it is being changed at another "
                       "workstation (30 of 30 seconds)")));

    // Given free while it waits, the table is taken and the file imported.
    now = 0;
    const WaitClock freeing = setWaitClock({[&] { return now; }, [&] {
                                                now += 1000;
                                                other->endTableAccess();
                                            }});
    EXPECT_TRUE(CorpAssocCheck(*s.system, [&](const QString&) { return called = true; }).run());
    setWaitClock(freeing);
    EXPECT_TRUE(called);
    EXPECT_EQ(s.ui.transcript().messages().size(), 2u);
}


TEST(CorpAssocCheck, TheCommandImportsTheNewerFileAndRebuildsTheDerivedStores) {
    CorporateSite s;
    auto& centers = s.system->workCenters();
    ASSERT_TRUE(centers.open());
    centers.setRecord(1, withCode<WorkCenterRecord>(QStringLiteral("W1")));
    centers.setRecord(2, withCode<WorkCenterRecord>(QStringLiteral("W2")));
    ASSERT_TRUE(centers.save());
    centers.close();
    const QString lookupFolder = s.site.path(QStringLiteral("punches"));
    QDir().mkpath(lookupFolder);
    s.site.setSetting(QStringLiteral("AssocLookup"), QStringLiteral("Folder"), lookupFolder);
    s.publish(QStringLiteral("CORPASSOC.CSV"), published, "A1,LEE,ANN,W2\nA2,Ng,Bo,W1\n");
    s.ui.answer(QStringLiteral("Importing Complete."), IDOK);
    s.ui.answerAlways(QStringLiteral("is not available yet"), IDOK);  // the automatic export

    CVelUI component;
    EXPECT_TRUE(component.CheckCorpAssocImport(0, *s.system));
    EXPECT_EQ(s.lastAssocDate(), "2024/03/12 06:15:30");
    EXPECT_EQ(s.system->groupingMembers(902), QList<int>{1});
    EXPECT_EQ(s.system->groupingMembers(901), QList<int>{2});
    CAssocLookup lookup;
    lookup.setDataFolder(lookupFolder);
    lookup.setSysNum(QStringLiteral("1"));
    ASSERT_EQ(lookup.OpenTable(), xbase::r4success);
    EXPECT_EQ(lookup.SeekString(QStringLiteral("A2")), xbase::r4success);
    EXPECT_EQ(lookup.LName(), "Ng");
}

}  // namespace
}  // namespace vel::testing
