// The corporate control check unpacking a control zip that cannot be trusted: a zip bomb, a
// name it should not hold, a damaged entry. Each is refused with its reason, nothing of it
// reaches the site's "Corporate" folder, and the next check does not take it for current.
#include "component/CorporateControlCheck.h"
#include "data/TableCatalogue.h"
#include "editors/EditorHarness.h"
#include "platform/transfer/ZipTestArchives.h"
#include "ui/MessageBoxCodes.h"

#include <QDir>
#include <QTemporaryDir>

using namespace vel;
using namespace vel::testing;

namespace {

const QString refusal =
    QStringLiteral("Cannot Copy the Corporate Control files to the Corporate subfolder\n\n");

struct ControlSite : EditorHarness {
    ControlSite() {
        site.setSetting(QStringLiteral("Features"), QStringLiteral("UsesCorporateControl"),
                        QStringLiteral("1"));
        site.setSetting(QStringLiteral("Corporate"), QStringLiteral("Folder"), corporate.path());
        for (const char* table : {"TBVMACT.--4", "TBVMELM.--4", "TBVMTOW.--4"}) {
            writeFile(corporate.filePath(QString::fromLatin1(table)), table);
        }
        system = site.open();
        local = TableCatalogue(site.folder, 1).corporateSubfolder();
    }
    QString zip() const { return corporate.filePath(QStringLiteral("TBCCnt4.ZIP")); }
    // The check refuses with the reason that follows the refusal's first line.
    QString refusedWith() {
        ui.answer(refusal, IDOK);
        EXPECT_FALSE(corporateControlCheck(*system));
        const QString prompt = ui.transcript().messages().back().prompt;
        EXPECT_TRUE(prompt.startsWith(refusal)) << prompt.toStdString();
        return prompt.mid(refusal.size());
    }
    QStringList unpacked() const {
        return QDir(local).entryList(QDir::Files | QDir::Dirs | QDir::Hidden |
                                     QDir::NoDotAndDotDot);
    }

    QTemporaryDir corporate;
    QString local;
};

}  // namespace

TEST(CorporateControlUnpack, ABombAStrangeNameOrADamagedEntryIsRefusedWithItsReason) {
    ControlSite c;
    // A small zip that says it unpacks to 1 GiB.
    writeZip(c.zip(), {{"TBCCACT.--4", "activities"}});
    ASSERT_TRUE(setDeclaredSize(c.zip(), 0, quint32(1) << 30));
    EXPECT_EQ(c.refusedWith(), c.zip() + QStringLiteral(" is refused: it would unpack to more "
                                                        "than 64.0 MB, the most it may hold (a "
                                                        "damaged archive or a zip bomb)"));
    const QStringList tables{QStringLiteral("TBVMACT.--1"), QStringLiteral("TBVMELM.--1"),
                             QStringLiteral("TBVMTOW.--1")};
    EXPECT_EQ(c.unpacked(), tables);

    // A name a control zip never holds.
    writeZip(c.zip(), {{"TBCCACT.--4", "activities"}, {"autorun.sh", "rm -rf"}});
    EXPECT_TRUE(
        c.refusedWith().endsWith(QStringLiteral("holds an entry it should not: "
                                                "\"autorun.sh\" (expected: TBCCACT.--4, "
                                                "TBCCFEAT.--4)")));
    EXPECT_EQ(c.unpacked(), tables);

    // A damaged entry: refused now and at the next check, never taken for current.
    writeZip(c.zip(), {{"TBCCACT.--4", QByteArray(4000, 'a')}}, /*stored=*/true);
    ASSERT_TRUE(damageEntryData(c.zip(), 0));
    EXPECT_TRUE(c.refusedWith().endsWith(QStringLiteral(": CRC error")));
    EXPECT_TRUE(c.refusedWith().endsWith(QStringLiteral(": CRC error")));
    EXPECT_EQ(c.unpacked(), tables);

    // A sound zip goes through.
    writeZip(c.zip(), {{"TBCCACT.--4", "activities"}});
    EXPECT_TRUE(corporateControlCheck(*c.system));
    EXPECT_EQ(readAll(c.local + QStringLiteral("/TBCCACT.--4")), "activities");
}
