// The table export: with a type or folder all ten tables without a dialog; through the dialog
// the chosen ones; the settings it keeps; the stop at the first failing table; the corporate
// associate file.
#include "ExportSite.h"

#include "maintenance/TableExport.h"
#include "maintenance/UnattendedImports.h"
#include "services/IniSettings.h"
#include "ui/MessageBoxCodes.h"

namespace vel::testing {
namespace {

const QStringList allTenFiles{"ACTIVITY", "WORKCNTR", "ASSOCIAT",  "ALLOCATN", "ELEMENT",
                              "FIELD",    "ELEMENTS", "STANDARDS", "TYPEWORK", "WCVALID"};

QStringList withExtension(const QStringList& names, const QString& prefix,
                          const QString& extension) {
    QStringList files;
    for (const QString& name : names) {
        files << prefix + name + u'.' + extension;
    }
    return files;
}

QString setting(const TestSite& site, const QString& section, const QString& value) {
    IniSettings settings(IniSettings::locationFor(site.folder, 1));
    settings.selectSection(section);
    return settings.readValue(value, QStringLiteral("(none)"));
}

TEST(TableExport, ATypeOrFolderExportsAllTenTablesWithoutADialogAndListsThem) {
    ExportSite s;
    s.site.setSetting(QStringLiteral("ExportTables"), QStringLiteral("Basename"),
                      QStringLiteral("Site1-"));
    s.site.setSetting(QStringLiteral("ExportTables"), QStringLiteral("HeadersonText"),
                      QStringLiteral("True"));
    const QStringList files = withExtension(allTenFiles, QStringLiteral("Site1-"), "csv");
    s.ui.answer(QStringLiteral("The following files have been created in folder ") + s.output +
                    QStringLiteral("/\r\n") + files.join(QStringLiteral("\r\n")),
                IDOK);
    EXPECT_TRUE(TableExport(*s.system).ExportTables(0, QStringLiteral(" csv"), s.output));
    QStringList sorted = files;
    sorted.sort();
    EXPECT_EQ(s.filesIn(s.output), sorted);
    EXPECT_EQ(s.lines(s.output + QStringLiteral("/Site1-ALLOCATN.csv")).first(),
              QStringLiteral("CODE,DESC,RECORD"));
    EXPECT_TRUE(s.ui.transcript().lines().contains(QStringLiteral("status: Creating Files")));
    EXPECT_TRUE(s.ui.transcript().windows().isEmpty());
    // The folder and the matched type are kept for the next export.
    EXPECT_EQ(setting(s.site, QStringLiteral("ExportTables"), QStringLiteral("Folder")), s.output);
    EXPECT_EQ(setting(s.site, QStringLiteral("ExportTables"), QStringLiteral("Type")),
              QStringLiteral("CSV"));
    EXPECT_TRUE(s.system->errors().reports().isEmpty());
}

TEST(TableExport, TheDialogChoosesTablesTypeAndFolderAndCancelWritesNothing) {
    ExportSite s;
    s.site.setSetting(QStringLiteral("ExportTables"), QStringLiteral("Folder"), s.output);
    s.ui.when(QStringLiteral("dlgValTables"), [](FormDriver& dialog) {
        EXPECT_EQ(dialog.form().caption(), QStringLiteral("Export Tables"));
        EXPECT_TRUE(dialog.value(QStringLiteral("lblExplanation"))
                        .startsWith(QStringLiteral("Selecting Export will create files")));
        // Every box starts checked; the first press checks all, the second clears all.
        dialog.selectTab(QStringLiteral("TabStrip1"), 2);
        dialog.click(QStringLiteral("Command1"));
        dialog.click(QStringLiteral("Command1"));
        dialog.click(QStringLiteral("Check1(2)"));
        dialog.click(QStringLiteral("Check1(9)"));
        dialog.selectTab(QStringLiteral("TabStrip1"), 1);
        dialog.set(QStringLiteral("Combo1"), QStringLiteral("Tab Delimited Text (txt)"));
        dialog.click(QStringLiteral("cmdOK"));
    });
    s.ui.answer(QStringLiteral("ASSOCIAT.txt\r\nWCVALID.txt"), IDOK);
    EXPECT_TRUE(TableExport(*s.system).ExportTables(0, {}, {}));
    EXPECT_EQ(s.filesIn(s.output), (QStringList{"ASSOCIAT.txt", "WCVALID.txt"}));
    // No header line unless HeadersonText asks for one; tab separated.
    EXPECT_EQ(s.lines(s.output + QStringLiteral("/WCVALID.txt")).first(),
              QStringLiteral("RECV\tDIRECT\t-1"));
    EXPECT_EQ(setting(s.site, QStringLiteral("ExportTables"), QStringLiteral("Type")),
              QStringLiteral("TXT"));

    // Cancel: nothing written, false. Confirming with no table: nothing written, no list.
    s.ui.when(QStringLiteral("dlgValTables"),
              [](FormDriver& dialog) { dialog.click(QStringLiteral("cmdCancel")); });
    EXPECT_FALSE(TableExport(*s.system).ExportTables(0, {}, {}));
    s.ui.when(QStringLiteral("dlgValTables"), [](FormDriver& dialog) {
        EXPECT_EQ(dialog.value(QStringLiteral("Combo1")),
                  QStringLiteral("Tab Delimited Text (txt)"));
        dialog.selectTab(QStringLiteral("TabStrip1"), 2);
        dialog.click(QStringLiteral("Command1"));
        dialog.click(QStringLiteral("Command1"));
        dialog.click(QStringLiteral("cmdOK"));
    });
    QDir(s.output).removeRecursively();
    QDir().mkpath(s.output);
    EXPECT_TRUE(TableExport(*s.system).ExportTables(0, {}, {}));
    EXPECT_TRUE(s.filesIn(s.output).isEmpty());
    EXPECT_EQ(s.ui.transcript().messages().size(), 1u);
}

TEST(TableExport, StopsAtTheFirstFailingTableAndReportsTableFileAndFolder) {
    ExportSite s;
    // A folder where the associate file should go: the file cannot replace it.
    QDir().mkpath(s.output + QStringLiteral("/ASSOCIAT.xlsx"));
    EXPECT_FALSE(TableExport(*s.system).ExportTables(0, QStringLiteral("xlsx"), s.output));
    EXPECT_EQ(s.filesIn(s.output), (QStringList{"ACTIVITY.xlsx", "WORKCNTR.xlsx"}));
    ASSERT_EQ(s.system->errors().reports().size(), 1);
    const QString report = s.system->errors().reports().first().text;
    EXPECT_TRUE(report.endsWith(QStringLiteral(" - ExportTable\r\nTable     : ASSOCIAT\r\n"
                                               "Filename  : ASSOCIAT.xlsx\r\nFolder    : ") +
                                s.output + u'/'))
        << report.toStdString();
    EXPECT_TRUE(s.ui.transcript().messages().empty());

    // An output type the writer does not know is refused before anything is written.
    s.system->errors().clear();
    EXPECT_FALSE(TableExport(*s.system).ExportTables(0, QStringLiteral("PDF"), s.output));
    EXPECT_TRUE(s.system->errors().mentions(QStringLiteral("There is no output type PDF")));
}

TEST(TableExport, TheFailureSuffixNamesTheElementsAndStandardsProcedures) {
    EXPECT_EQ(TableExport::failureSuffix(validationTableInfo(ValidationTable::ElementsOnActivities),
                                         QStringLiteral("ELEMENTS"), QStringLiteral("E.csv"),
                                         QStringLiteral("/x/")),
              QStringLiteral(" - ExportElements\r\nTable     : ELEMENTS\r\nFilename  : E.csv\r\n"
                             "Folder    : /x/"));
    EXPECT_EQ(validationTableInfo(ValidationTable::StandardsByAllocation).failureSuffix,
              QStringLiteral(" - ExportStandards"));
}

TEST(TableExport, ACorporateSystemPublishesItsAssociatesAsCorpassocCsv) {
    ExportSite s;
    const QString corporate = s.site.path(QStringLiteral("corp"));
    QDir().mkpath(corporate);
    s.site.setSetting(QStringLiteral("Corporate"), QStringLiteral("Folder"), corporate);
    // Not a corporate system: nothing is written.
    EXPECT_TRUE(TableExport(*s.system).ExportCorporateAssociates());
    EXPECT_TRUE(s.filesIn(corporate).isEmpty());

    s.site.setSetting(QStringLiteral("Features"), QStringLiteral("CorporateSystem"),
                      QStringLiteral("1"));
    EXPECT_TRUE(TableExport(*s.system).ExportCorporateAssociates());
    EXPECT_EQ(s.filesIn(corporate), QStringList{"CORPASSOC.CSV"});
    // The associate import's layout, no header line (the import skips no rows by default).
    EXPECT_EQ(s.lines(corporate + QStringLiteral("/CORPASSOC.CSV")),
              (QStringList{"A100,Smith,Jo,NIGHT,123-45-6789,B1,,,,,3,2021/04/05,17.50,100.00,"
                           "LEADS,-1,0,1.50,,-1,0,1,,,,,B10",
                           "'=B200,Jones,,,,,,,,,0,,0.00,0.00,,0,0,0.00,,0,0,2,,,,,"}));
    EXPECT_TRUE(
        s.ui.transcript().lines().contains(QStringLiteral("status: Creating Validation Tables")));

    // A corporate folder that is gone: the failure report names the file and the folder.
    QDir(corporate).removeRecursively();
    EXPECT_FALSE(TableExport(*s.system).ExportCorporateAssociates());
    EXPECT_TRUE(s.system->errors().mentions(QStringLiteral(
        " - ExportTable\r\nTable     : CORPASSOC\r\nFilename  : CORPASSOC.CSV\r\n")));
}

TEST(TableExport, ThePublishedAssociatesImportBackAsTheyWere) {
    ExportSite s;
    const QString corporate = s.site.path(QStringLiteral("corp"));
    QDir().mkpath(corporate);
    s.site.setSetting(QStringLiteral("Corporate"), QStringLiteral("Folder"), corporate);
    s.site.setSetting(QStringLiteral("Features"), QStringLiteral("CorporateSystem"),
                      QStringLiteral("1"));
    ASSERT_TRUE(TableExport(*s.system).ExportCorporateAssociates());

    auto& associates = s.system->associates();
    ASSERT_TRUE(associates.open());
    const AssociateRecord smith = associates.record(1);
    const AssociateRecord jones = associates.record(2);
    AssociateRecord changed = smith;
    changed.LastName = QStringLiteral("Other");
    changed.WorkCenter = 1;
    changed.Grouping = 0;
    changed.HireDate = QDate(2000, 1, 1);
    changed.WageRate = 9;
    changed.OnPayRoll = false;
    changed.Badge[9] = QStringLiteral("X");
    associates.setRecord(1, changed);
    expectSaved(associates);
    associates.close();

    s.ui.setUnanswered(HeadlessUi::Unanswered::DefaultButton);
    EXPECT_TRUE(importAssociatesUnattended(*s.system, corporate + QStringLiteral("/CORPASSOC.CSV"),
                                           0, 0, false));
    ASSERT_TRUE(associates.open());
    EXPECT_EQ(associates.record(1), smith);
    // The guarded code "'=B200" is read back as "=B200"; an empty hire date is the import's to
    // fill in, so it is left out of the comparison.
    AssociateRecord expected = jones;
    expected.HireDate = associates.record(2).HireDate;
    EXPECT_EQ(associates.record(2), expected);
    EXPECT_EQ(associates.recordCount(), 2);
    associates.close();
}

}  // namespace
}  // namespace vel::testing
