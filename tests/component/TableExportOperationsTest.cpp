// ExportTables and AutoExportTable as the host calls them, by name: results, files, and the
// error reports going to the system's own reporter.
#include "component/OperationCatalog.h"
#include "editors/EditorHarness.h"
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

}  // namespace
