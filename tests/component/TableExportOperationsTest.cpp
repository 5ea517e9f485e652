// ExportTables and AutoExportTable as the host calls them, by name: results, files, and the
// error reports going to the system's own reporter.
#include "component/OperationCatalog.h"
#include "editors/EditorHarness.h"
#include "ui/FormDriver.h"
#include "ui/MessageBoxCodes.h"

#include <QDir>

using namespace vel;

namespace {

// The editors' harness (site, headless Ui, system, component) with an export folder.
struct Harness : vel::testing::EditorHarness {
    Harness() {
        output = site.path(QStringLiteral("export"));
        QDir().mkpath(output);
    }
    QString call(const QString& name, const QHash<QString, QString>& arguments) {
        const CallOutcome outcome = OperationCatalog::call(component, *system, 0, name, arguments);
        EXPECT_TRUE(outcome.called()) << outcome.refusal.toStdString();
        return outcome.result;
    }
    QStringList files() const { return QDir(output).entryList(QDir::Files, QDir::Name); }

    QString output;
};

TEST(TableExportOperations, ExportTablesWithTypeAndFolderWritesTheTenFilesWithoutADialog) {
    Harness h;
    h.ui.answer(QStringLiteral("The following files have been created in folder "), IDOK);
    EXPECT_EQ(h.call(QStringLiteral("ExportTables"),
                     {{QStringLiteral("OutputType"), QStringLiteral("dbf")},
                      {QStringLiteral("OutputFolder"), h.output}}),
              QStringLiteral("True"));
    EXPECT_EQ(h.files().size(), 10);
    EXPECT_TRUE(h.files().contains(QStringLiteral("WCVALID.dbf")));
    EXPECT_TRUE(h.ui.transcript().windows().isEmpty());

    // A folder that does not exist fails at the first table; the report reaches the system's
    // reporter with the table, file and folder lines.
    const QString missing = h.site.path(QStringLiteral("missing"));
    EXPECT_EQ(h.call(QStringLiteral("ExportTables"),
                     {{QStringLiteral("OutputType"), QStringLiteral("CSV")},
                      {QStringLiteral("OutputFolder"), missing}}),
              QStringLiteral("False"));
    EXPECT_TRUE(h.system->errors().mentions(QStringLiteral("Table     : ACTIVITY\r\nFilename  : "
                                                           "ACTIVITY.csv\r\nFolder    : ") +
                                            missing + u'/'));
}

TEST(TableExportOperations, AutoExportTableRewritesWhatTheNamedTableTouches) {
    Harness h;
    h.site.setSetting(QStringLiteral("AutoExportTables"), QStringLiteral("Folder"), h.output);
    EXPECT_EQ(h.call(QStringLiteral("AutoExportTable"),
                     {{QStringLiteral("Obj"), QStringLiteral("Allocations")}}),
              QStringLiteral("True"));
    EXPECT_EQ(h.files(), (QStringList{"VelExprt-ACTIVITY.csv", "VelExprt-ALLOCATN.csv",
                                      "VelExprt-STANDARDS.csv"}));
    // A mistake change is no table of the list: every lettered table is written.
    EXPECT_EQ(h.call(QStringLiteral("AutoExportTable"),
                     {{QStringLiteral("Obj"), QStringLiteral("Mistakes")}}),
              QStringLiteral("True"));
    EXPECT_EQ(h.files().size(), 9);
}

TEST(TableExportOperations, AnEditorRunWithoutAChangeExportsNothingAndOneWithAChangeExports) {
    Harness h;
    h.site.setSetting(QStringLiteral("AutoExportTables"), QStringLiteral("Folder"), h.output);
    h.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) { list.click(QStringLiteral("btnCancel")); });
    EXPECT_FALSE(h.component.EditAllocation(0, *h.system));
    EXPECT_TRUE(h.files().isEmpty()) << "nothing changed, nothing exported";

    h.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnAdd"));
        list.click(QStringLiteral("btnOK"));
    });
    h.ui.when(QStringLiteral("frmAllocation"), [](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("C1"));
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Customer one"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    h.ui.answer(QStringLiteral("OK to Add this Account to the Tallybook Master file at this time?"), IDOK);
    EXPECT_FALSE(h.component.EditAllocation(0, *h.system));
    EXPECT_TRUE(h.files().contains(QStringLiteral("VelExprt-ALLOCATN.csv"))) << h.files().join(u' ').toStdString();
}

}  // namespace
