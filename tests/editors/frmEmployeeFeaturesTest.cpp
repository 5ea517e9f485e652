// The associate editor's pages, columns and captions by feature, its performance values, the
// print-out, the action buttons and the punch lookup file written when the list is saved.
#include "AssociateSite.h"

#include "data/CAssocLookup.h"
#include "data/records/ProductionLineRecord.h"
#include "editors/AssociatePages.h"
#include "editors/frmEmployee.h"
#include "platform/print/TextPrintOutput.h"
#include "ui/Button.h"
#include "ui/MessageBoxCodes.h"
#include "ui/TabStrip.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace vel::testing {
namespace {

const QString list = QStringLiteral("TBEditForm");
const QString window = QStringLiteral("frmEmployee");

QStringList columnCaptions(FormDriver& driver) {
    QStringList captions;
    for (const auto& column :
         driver.form().controlAs<ListView>(QStringLiteral("lvList")).columns()) {
        captions << column.heading;
    }
    return captions;
}

TEST(frmEmployee, PagesColumnsAndCaptionsFollowTheFeatures) {
    AssociateSite s;
    s.storeAssociates(
        {associate(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann"))});
    s.ui.when(list, [](FormDriver& driver) {
        EXPECT_EQ(
            columnCaptions(driver),
            (QStringList{"Code", "Name", "Work Center", "Shift", "Grouping", "Hire Date", "Audit",
                         "Number", "Badge #", "Badge #", "Badge #", "Badge #", "Badge #"}));
        EXPECT_EQ(totalsText(driver), "1 active, 1 allocated, of 9999 maximum");
        driver.selectLine(QStringLiteral("lvList"), 0);
        driver.click(QStringLiteral("btnEdit"));
        driver.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(window, [](FormDriver& record) {
        auto& strip = record.form().controlAs<TabStrip>(QStringLiteral("TabStrip1"));
        EXPECT_EQ(strip.count(), 3);
        EXPECT_EQ(strip.findTab(QStringLiteral("Incentive")), 0);
        EXPECT_EQ(strip.findTab(QStringLiteral("Performance Policy")), 0);
        record.close();
    });
    s.component.EditAssociate(0, *s.system);

    s.setSetting(QStringLiteral("Features"), QStringLiteral("Incentive"), QStringLiteral("1"));
    s.setSetting(QStringLiteral("Features"), QStringLiteral("PerformancePolicy"),
                 QStringLiteral("1"));
    s.setSetting(QStringLiteral("Features"), QStringLiteral("UsesCorporateControl"),
                 QStringLiteral("1"));
    s.setSetting(QStringLiteral("Badges"), QStringLiteral("NumbertoShow"), QStringLiteral("1"));
    s.reopen();
    AssociateRecord adams =
        associate(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann"));
    adams.ShortTermPerformance = 0.954;
    adams.LongTermExceeded = true;
    adams.PerfGoal = 105;
    adams.OnPayRoll = true;
    adams.PolicyDate = QDate(2023, 4, 5);
    adams.QualityLevel = 2;
    s.storeAssociates({adams});
    s.ui.when(list, [](FormDriver& driver) {
        EXPECT_EQ(driver.form().caption(), "Associate Table (Corporate Controlled)");
        EXPECT_EQ(columnCaptions(driver).mid(8),
                  (QStringList{"Badge #", "On Payroll", "Pay Incentive", "Perf. Goal",
                               "Test Performance", "Test Quality", "Tenure Date"}));
        EXPECT_EQ(driver.form().controlAs<ListView>(QStringLiteral("lvList")).item(0).texts.mid(8),
                  (QStringList{"", "Yes", "No", "105.00", "No", "No", "2023/04/05"}));
        driver.selectLine(QStringLiteral("lvList"), 0);
        driver.click(QStringLiteral("btnEdit"));
        driver.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(window, [](FormDriver& record) {
        auto& strip = record.form().controlAs<TabStrip>(QStringLiteral("TabStrip1"));
        EXPECT_EQ(strip.count(), 5);
        EXPECT_EQ(strip.tab(3).caption(), "Incentive");
        EXPECT_EQ(strip.tab(5).caption(), "Performance Policy");
        EXPECT_EQ(record.value(QStringLiteral("lblHistory")),
                  "Short Term Performance: 95%\nLong Term Peformance: **Exceeded**");
        EXPECT_EQ(record.value(QStringLiteral("lblStatus(0)")), "Quality Violation Level: 2");
        EXPECT_EQ(record.value(QStringLiteral("nbPerfGoal")), "105.00");
        record.close();
    });
    s.component.EditAssociate(0, *s.system);
}

TEST(frmEmployee, PerformanceValuesShowAsWholePercentNotAvailableOrExceeded) {
    EXPECT_EQ(AssociatePages::performanceText(1.0, false), "100%");
    EXPECT_EQ(AssociatePages::performanceText(0.004, false), "0%");
    EXPECT_EQ(AssociatePages::performanceText(-1.0, false), "N/A");
    EXPECT_EQ(AssociatePages::performanceText(2.5, true), "**Exceeded**");
}

TEST(frmEmployee, ViewOnlyPrintsTheListAndOffersNoActions) {
    AssociateSite s;
    AssociateRecord adams =
        associate(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann"));
    adams.HireDate = QDate(2020, 1, 2);
    s.storeAssociates(
        {adams, AssociateRecord{},
         associate(QStringLiteral("C300"), QStringLiteral("Cole"), QStringLiteral("Cy"), 2, 1)});
    TextPrintOutput printed;
    ScopedPrintOutput printing(printed);
    s.ui.when(list, [](FormDriver& driver) {
        EXPECT_EQ(driver.form().caption(), "Associate Table (readonly)");
        EXPECT_FALSE(driver.click(QStringLiteral("btnAdd")));
        EXPECT_EQ(driver.form().controlAs<Button>(QStringLiteral("btnEdit")).caption(), "&View");
        driver.selectLine(QStringLiteral("lvList"), 1);
        driver.click(QStringLiteral("btnEdit"));
        driver.click(QStringLiteral("btnPrint"));
        driver.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(window, [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "View Associate Record: 3");
        record.set(QStringLiteral("Text1(2)"), QStringLiteral("Changed"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    frmEmployee editor;
    EXPECT_TRUE(editor.Edit(0, *s.system, true));
    EXPECT_FALSE(editor.tableChanged());
    editor.release();
    EXPECT_EQ(s.storedAssociates()[2].LastName, "Cole");
    const QStringList lines = printed.lines();
    EXPECT_EQ(lines.filter(QStringLiteral("List of Associates")).size(), 1);
    EXPECT_EQ(
        lines.filter(QRegularExpression(QStringLiteral("^Number +Code +Name +Home Work"))).size(),
        1);
    EXPECT_EQ(lines
                  .filter(QRegularExpression(
                      QStringLiteral("^ *1 +A100 +Adams, Ann +RCV +0 +2020/01/02 +No")))
                  .size(),
              1);
    EXPECT_EQ(
        lines.filter(QRegularExpression(QStringLiteral("^ *3 +C300 +Cole, Cy +SHP +0 +NIGHTS")))
            .size(),
        1);
}

TEST(frmEmployee, CheckTallybookDataNeedsTheFeaturesFileAndImportChangesCodesFromTheList) {
    AssociateSite s;
    s.storeAssociates(
        {associate(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann"))});
    const auto actions = [](FormDriver& driver) {
        QStringList captions;
        for (int index = 1; index <= 3; ++index) {
            const QString path = QStringLiteral("btnAction(%1)").arg(index);
            if (Control* button = driver.form().findControl(path)) {
                captions << button->caption();
            }
        }
        return captions;
    };
    const QString codes = s.site.path(QStringLiteral("codes.csv"));
    QFile file(codes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("a100,B200,ignored\n");
    file.close();
    s.ui.when(list, [&](FormDriver& driver) {
        EXPECT_EQ(actions(driver), QStringList{"Import..."});
        driver.click(QStringLiteral("btnAction(1)"));
        EXPECT_EQ(listTexts(driver), QStringList{"B200"});
        driver.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(QStringLiteral("frmOKtoImport"), [](FormDriver& choice) {
        choice.click(QStringLiteral("Option1(1)"));
        choice.click(QStringLiteral("cmdOK"));
    });
    s.ui.when(QStringLiteral("frmImport"), [&codes](FormDriver& window) {
        EXPECT_EQ(window.form().caption(), "Import Associate Code Records");
        const Control& clear = window.form().control(QStringLiteral("chkClear"));
        EXPECT_TRUE(clear.visible());
        EXPECT_FALSE(clear.enabled()) << "a code change cannot clear the table";
        EXPECT_EQ(window.value(QStringLiteral("chkClear")), "0");
        window.set(QStringLiteral("txtFileName"), codes);
        window.click(QStringLiteral("cmdImport"));
    });
    s.ui.when(QStringLiteral("frmImportShow"),
              [](FormDriver& preview) { preview.click(QStringLiteral("cmdOK")); });
    s.ui.answer(
        QStringLiteral("Importing Complete.  There were: 1 codes updated, and\n0 codes not found"),
        IDOK);
    frmEmployee plain;
    plain.setProgramFolder(s.site.folder);
    plain.Edit(0, *s.system, false);
    plain.release();

    QFile marker(s.site.path(QStringLiteral("features.new")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    s.reopen();
    s.ui.when(list, [&](FormDriver& driver) {
        EXPECT_EQ(actions(driver), (QStringList{"Import...", "Check Tallybook Data..."}));
        driver.click(QStringLiteral("btnCancel"));
    });
    frmEmployee withMarker;
    withMarker.setProgramFolder(s.site.folder);
    withMarker.Edit(0, *s.system, false);
    withMarker.release();
}

TEST(frmEmployee, CheckTallybookDataPrintsAndClearsTheDataBeforeTheHireDate) {
    AssociateSite s;
    AssociateRecord adams =
        associate(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann"));
    adams.HireDate = QDate(2024, 3, 11);
    AssociateRecord brown =
        associate(QStringLiteral("B200"), QStringLiteral("Brown"), QStringLiteral("Bob"));
    brown.HireDate = QDate(2024, 3, 1);
    s.storeAssociates({adams, brown});
    std::vector<ProductionLineRecord> lines;
    for (const auto& [who, day] :
         std::vector<std::pair<int, int>>{{1, 4}, {1, 8}, {1, 8}, {1, 12}, {2, 5}}) {
        ProductionLineRecord line;
        line.Associate = who;
        line.Date = QDate(2024, 3, day);
        line.Activity = 1;
        lines.push_back(line);
    }
    s.store(s.system->productionLines(), lines);
    QFile marker(s.site.path(QStringLiteral("features.new")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();

    TextPrintOutput printed;
    ScopedPrintOutput printing(printed);
    s.ui.when(list, [](FormDriver& driver) {
        driver.click(QStringLiteral("btnAction(2)"));  // Cancel: nothing is cleared
        driver.click(QStringLiteral("btnAction(2)"));
        driver.click(QStringLiteral("btnCancel"));
    });
    s.ui.answer(QStringLiteral("OK to clear the data before the HireDate for the Associates Listed "
                               "on the Report?"),
                IDCANCEL);
    s.ui.answer(QStringLiteral("OK to clear the data before the HireDate"), IDOK);
    frmEmployee editor;
    editor.setProgramFolder(s.site.folder);
    editor.Edit(0, *s.system, false);
    editor.release();

    // The second report (the last one printed) still lists A100: the first Cancel kept its data.
    const QStringList report = printed.lines();
    EXPECT_EQ(report
                  .filter(QStringLiteral("List of Associates with Tallybook Data before their "
                                         "Hire Date"))
                  .size(),
              1);
    EXPECT_EQ(report
                  .filter(QRegularExpression(QStringLiteral(
                      "^ *1 +A100 +Adams, Ann +2024/03/11 +2024/03/04 to 2024/03/08, 2 days$")))
                  .size(),
              1);
    EXPECT_TRUE(report.filter(QStringLiteral("B200")).isEmpty());
    s.reopen();
    EXPECT_TRUE(s.system->associateDataBefore(1, QDate(2024, 3, 11)).isEmpty());
    EXPECT_EQ(s.system->associateDataBefore(1, QDate(2024, 3, 13)),
              QList<QDate>{QDate(2024, 3, 12)});
    EXPECT_EQ(s.system->associateDataBefore(2, QDate(2024, 3, 13)),
              QList<QDate>{QDate(2024, 3, 5)});
}

TEST(frmEmployee, SavingRebuildsThePunchLookupFileByCodeOrByTheChosenBadge) {
    AssociateSite s;
    const QString folder = s.site.path(QStringLiteral("punches"));
    ASSERT_TRUE(QDir().mkpath(folder));
    s.setSetting(QStringLiteral("AssocLookup"), QStringLiteral("Folder"), folder);
    AssociateRecord adams =
        associate(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann"));
    adams.Badge[2] = QStringLiteral("3001");
    AssociateRecord brown = associate(
        QStringLiteral("B200"), QStringLiteral("Brown-Fitzgerald-Smythe"), QStringLiteral("Bob"));
    s.storeAssociates({adams, brown});
    const auto saveList = [&] {
        s.reopen();
        s.ui.when(list, [](FormDriver& driver) { driver.click(QStringLiteral("btnOK")); });
        s.component.EditAssociate(0, *s.system);
    };
    const auto searchable = [&](const QString& key) {
        CAssocLookup lookup;
        lookup.setDataFolder(folder);
        lookup.setSysNum(QStringLiteral("1"));
        lookup.OpenTable();
        return lookup.SeekString(key) == xbase::r4success ? lookup.LName() : QString();
    };

    s.setSetting(QStringLiteral("AssocLookup"), QStringLiteral("BadgeNumber"), QStringLiteral("3"));
    saveList();
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/TBPNASSC.--1")));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/TBPNASSI1.--1")));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/TBPNASSI2.--1")));
    EXPECT_EQ(searchable(QStringLiteral("3001")), "Adams");
    EXPECT_EQ(searchable(QStringLiteral("B200")), "") << "a blank badge 3 is left out";

    for (const QString& setting : {QStringLiteral("0"), QStringLiteral("6")}) {
        s.setSetting(QStringLiteral("AssocLookup"), QStringLiteral("BadgeNumber"), setting);
        saveList();
        EXPECT_EQ(searchable(QStringLiteral("A100")), "Adams");
        EXPECT_EQ(searchable(QStringLiteral("B200")), "Brown-Fitzgeral") << "cut to 15 characters";
        EXPECT_EQ(searchable(QStringLiteral("3001")), "");
    }
}

}  // namespace
}  // namespace vel::testing
