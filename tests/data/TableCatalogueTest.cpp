// File names of a system, masks, and finding files in any letter case.
#include "data/TableCatalogue.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace vel;

namespace {

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

// A data folder shared by systems 1, 2 and 12, with names in the letter cases found on sites.
class SiteFolderTest : public testing::Test {
  protected:
    void SetUp() override {
        for (const char* name :
             {"TBVMACT.--1", "tbvmelm.--1", "TBVMACT.--12", "TBVMTOW.--2", "TBMASTER.1",
              "TBMASTER.12", "TBMASTER.111", "TBDAY0101.--1", "TBRL01.1", "TBRL01.12",
              "TBDC1TXT.--1", "TBDCTXT.--1", "tbnet.cfg"}) {
            touch(site_.filePath(QString::fromLatin1(name)));
        }
        QDir(site_.path()).mkdir(QStringLiteral("TBVMDIR.--1"));  // a folder is never a file
    }

    QTemporaryDir site_;
};

}  // namespace

TEST(TableCatalogue, BuildsTheNamesOfSystemOneAndSystemTwelve) {
    const TableCatalogue one(QStringLiteral("/srv/velmor"), 1);
    const TableCatalogue twelve(QStringLiteral("/srv/velmor/"), 12);

    EXPECT_EQ(one.path(catalogue::activityTable), QStringLiteral("/srv/velmor/TBVMACT.--1"));
    EXPECT_EQ(twelve.path(catalogue::activityTable), QStringLiteral("/srv/velmor/TBVMACT.--12"));
    EXPECT_EQ(one.path(catalogue::masterFile), QStringLiteral("/srv/velmor/TBMASTER.1"));
    EXPECT_EQ(twelve.path(catalogue::masterFile), QStringLiteral("/srv/velmor/TBMASTER.12"));
    EXPECT_EQ(twelve.path(catalogue::punchLookupFile), QStringLiteral("/srv/velmor/TBPNASSC.--12"));
    EXPECT_EQ(one.punchLookupIndex(2), QStringLiteral("/srv/velmor/TBPNASSI2.--1"));
    EXPECT_EQ(twelve.punchLookupIndex(1), QStringLiteral("/srv/velmor/TBPNASSI1.--12"));
    EXPECT_EQ(one.corporateControlZip(QStringLiteral("/corp")),
              QStringLiteral("/corp/TBCCnt1.ZIP"));
    EXPECT_EQ(twelve.corporateControlZip(QStringLiteral("/corp/")),
              QStringLiteral("/corp/TBCCnt12.ZIP"));
    EXPECT_EQ(one.path(catalogue::corporateControlActivityFile),
              QStringLiteral("/srv/velmor/TBCCACT.--1"));
    EXPECT_EQ(one.cloneFolder(), QStringLiteral("/srv/velmor/Clone/"));

    // Masks get the number only where they end in an extension marker.
    EXPECT_EQ(one.mask(catalogue::productTablesMask), QStringLiteral("TBVM*.--1"));
    EXPECT_EQ(twelve.mask(catalogue::allSystemFilesMask), QStringLiteral("TB*.??12"));
    EXPECT_EQ(one.mask(catalogue::reportAndGraphLayoutsMask), QStringLiteral("TB?F*.1"));
    EXPECT_EQ(one.mask(catalogue::textFilesMask), QStringLiteral("TBDC?TXT.--1"));
    EXPECT_EQ(one.mask(QStringLiteral("tbnet*.*")), QStringLiteral("tbnet*.*"));
    EXPECT_EQ(one.path(catalogue::corporateAssociateFile),
              QStringLiteral("/srv/velmor/CORPASSOC.CSV"));
    EXPECT_EQ(one.path(catalogue::backupErrorLog), QStringLiteral("/srv/velmor/error.log"));
}

TEST(TableCatalogue, MasksMatchWholeNamesInAnyLetterCase) {
    EXPECT_TRUE(TableCatalogue::matchesMask("tbvmact.--1", "TBVM*.--1"));
    EXPECT_FALSE(TableCatalogue::matchesMask("TBVMACT.--12", "TBVM*.--1"));
    EXPECT_FALSE(TableCatalogue::matchesMask("XTBVMACT.--1", "TBVM*.--1"));
    EXPECT_TRUE(TableCatalogue::matchesMask("TBDC1TXT.--1", "TBDC?TXT.--1"));
    EXPECT_FALSE(TableCatalogue::matchesMask("TBDCTXT.--1", "TBDC?TXT.--1"));
    EXPECT_FALSE(TableCatalogue::matchesMask("TBDC12TXT.--1", "TBDC?TXT.--1"));
    EXPECT_TRUE(TableCatalogue::matchesMask("README", "*.*"));
    EXPECT_TRUE(TableCatalogue::matchesMask("TB+(x)[1].--1", "TB+(x)[1].--1"));
    EXPECT_FALSE(TableCatalogue::matchesMask("TBxxx1.--1", "TB+(x)[1].--1"));
}

TEST_F(SiteFolderTest, SystemMasksTakeOnlyTheirOwnSystemsFiles) {
    const TableCatalogue one(site_.path(), 1);
    const TableCatalogue twelve(site_.path(), 12);

    EXPECT_EQ(one.filesMatching(catalogue::productTablesMask),
              (QStringList{"TBVMACT.--1", "tbvmelm.--1"}));
    EXPECT_EQ(twelve.filesMatching(catalogue::productTablesMask), QStringList{"TBVMACT.--12"});
    EXPECT_EQ(one.filesMatching(catalogue::allSystemFilesMask),
              (QStringList{"TBDAY0101.--1", "TBDC1TXT.--1", "TBDCTXT.--1", "TBMASTER.111",
                           "TBVMACT.--1", "tbvmelm.--1"}));
    EXPECT_EQ(twelve.filesMatching(catalogue::allSystemFilesMask), QStringList{"TBVMACT.--12"});
    EXPECT_EQ(one.filesMatching(catalogue::reportLineFilesMask), QStringList{"TBRL01.1"});
    EXPECT_EQ(one.filesMatching(catalogue::textFilesMask), QStringList{"TBDC1TXT.--1"});

    // Every file of a system also takes its master file, which has no two-character marker.
    EXPECT_EQ(twelve.filesOfSystem(), (QStringList{"TBMASTER.12", "TBVMACT.--12"}));
    EXPECT_TRUE(one.filesOfSystem().contains(QStringLiteral("TBMASTER.1")));
    EXPECT_FALSE(one.filesOfSystem().contains(QStringLiteral("TBMASTER.12")));
    EXPECT_TRUE(TableCatalogue(site_.path(), 3).filesOfSystem().isEmpty());
    // "TB*.??1" reads "TBMASTER.111" as marker "11" + "1"; it is system 111's, not system 1's.
    EXPECT_TRUE(one.filesMatching(catalogue::allSystemFilesMask).contains("TBMASTER.111"));
    EXPECT_FALSE(one.filesOfSystem().contains(QStringLiteral("TBMASTER.111")));
    EXPECT_EQ(TableCatalogue(site_.path(), 111).filesOfSystem(), QStringList{"TBMASTER.111"});
}

TEST_F(SiteFolderTest, FindsFilesAndSubfoldersWhateverTheirLetterCase) {
    QDir site(site_.path());
    ASSERT_TRUE(site.mkdir(QStringLiteral("CLONE")));
    EXPECT_EQ(TableCatalogue::findFile(site_.path(), QStringLiteral("Clone")),
              site_.filePath(QStringLiteral("CLONE")));
    EXPECT_EQ(TableCatalogue::findFile(site_.path(), QStringLiteral("TBVMELM.--1")),
              site_.filePath(QStringLiteral("tbvmelm.--1")));
    EXPECT_EQ(TableCatalogue::findFile(site_.path(), QStringLiteral("TBVMELM.--12")),
              site_.filePath(QStringLiteral("TBVMELM.--12")))
        << "no match gives the exact name";
    touch(site_.filePath(QStringLiteral("TBvmact.--1")));
    EXPECT_EQ(TableCatalogue::findFile(site_.path(), QStringLiteral("TBVMACT.--1")),
              site_.filePath(QStringLiteral("TBVMACT.--1")))
        << "an exact name wins";

    ASSERT_TRUE(site.mkpath(QStringLiteral("Batch/Sub")));
    touch(site_.filePath(QStringLiteral("Batch/run1.txt")));
    touch(site_.filePath(QStringLiteral("Batch/RUN2.TXT")));
    EXPECT_EQ(TableCatalogue::filesMatching(site_.path(), QStringLiteral("BATCH\\*.*")),
              (QStringList{"Batch/run1.txt", "Batch/RUN2.TXT"}));
    EXPECT_TRUE(
        TableCatalogue::filesMatching(site_.path(), QStringLiteral("Missing\\*.*")).isEmpty());
}
