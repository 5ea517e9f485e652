// The validation tables dialog through the headless driver: the type list, the preselection,
// the alternating "Check/UnCheck All", the folder browse and check, and what it answers.
#include "EditorHarness.h"

#include "editors/dlgValTables.h"
#include "ui/ComboBox.h"
#include "ui/MessageBoxCodes.h"

#include <QDir>

namespace vel::testing {
namespace {

struct DialogHarness {
    DialogHarness() : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    }
    bool show(dlgValTables::Options& options) {
        return dialog.ShowOptions(0, options, QStringLiteral("Pick the tables."),
                                  QStringLiteral("Export Tables"));
    }
    QString checks(FormDriver& driver) {
        QString values;
        for (int index = 0; index < ValidationTableCount; ++index) {
            values += driver.value(QStringLiteral("Check1(%1)").arg(index));
        }
        return values;
    }

    QTemporaryDir folder;
    HeadlessUi ui;
    ScopedUi scope;
    dlgValTables dialog;
};

TEST(dlgValTables, ListsTheWritersTypesPreselectsXlsxAndShowsTheTables) {
    DialogHarness h;
    dlgValTables::Options options;
    h.ui.when(QStringLiteral("dlgValTables"), [&](FormDriver& driver) {
        EXPECT_EQ(driver.form().caption(), QStringLiteral("Export Tables"));
        auto* types = driver.control<ComboBox>(QStringLiteral("Combo1"));
        QStringList texts;
        for (const ComboBox::Item& item : types->items()) {
            texts << item.text;
        }
        EXPECT_EQ(texts, (QStringList{"Comma Separated Values (csv)", "Tab Delimited Text (txt)",
                                      "Spreadsheet Workbook (xlsx)", "xBase Table (dbf)"}));
        EXPECT_EQ(driver.value(QStringLiteral("Combo1")),
                  QStringLiteral("Spreadsheet Workbook (xlsx)"));
        EXPECT_EQ(driver.value(QStringLiteral("lblExplanation")),
                  QStringLiteral("Pick the tables."));
        EXPECT_EQ(driver.form().control(QStringLiteral("Check1(9)")).caption(),
                  QStringLiteral("Types of Work Valid by Work Center"));
        EXPECT_EQ(driver.form().control(QStringLiteral("cmdOK")).caption(),
                  QStringLiteral("&Export"));
        EXPECT_EQ(h.checks(driver), QStringLiteral("0000000000"));
        driver.click(QStringLiteral("cmdCancel"));
    });
    EXPECT_FALSE(h.show(options));

    // A known type is preselected as given.
    options.outputType = QStringLiteral("dbf");
    h.ui.when(QStringLiteral("dlgValTables"), [&](FormDriver& driver) {
        EXPECT_EQ(driver.value(QStringLiteral("Combo1")), QStringLiteral("xBase Table (dbf)"));
    });
    EXPECT_FALSE(h.show(options)) << "closing by the frame cancels";
}

TEST(dlgValTables, CheckUncheckAllAlternatesWhateverTheBoxesShow) {
    DialogHarness h;
    dlgValTables::Options options;
    options.selection.set(1);
    options.selection.set(4);
    options.folder = h.folder.path();
    h.ui.when(QStringLiteral("dlgValTables"), [&](FormDriver& driver) {
        EXPECT_EQ(h.checks(driver), QStringLiteral("0100100000"));
        // The boxes take clicks only with their page in front.
        EXPECT_FALSE(driver.click(QStringLiteral("Command1")));
        driver.selectTab(QStringLiteral("TabStrip1"), 2);
        driver.click(QStringLiteral("Command1"));
        EXPECT_EQ(h.checks(driver), QStringLiteral("1111111111"));
        driver.click(QStringLiteral("Check1(3)"));
        driver.click(QStringLiteral("Command1"));
        EXPECT_EQ(h.checks(driver), QStringLiteral("0000000000"));
        driver.click(QStringLiteral("Check1(7)"));
        driver.click(QStringLiteral("Command1"));
        EXPECT_EQ(h.checks(driver), QStringLiteral("1111111111"));
        driver.click(QStringLiteral("Command1"));
        driver.click(QStringLiteral("Check1(0)"));
        driver.click(QStringLiteral("Check1(9)"));
        driver.click(QStringLiteral("cmdOK"));
    });
    EXPECT_TRUE(h.show(options));
    EXPECT_EQ(options.selection.to_string(), "1000000001") << "bit 0 is the activity table";
    EXPECT_EQ(options.outputType, QStringLiteral("XLSX"));

    // Shown again, the first press checks every box again.
    h.ui.when(QStringLiteral("dlgValTables"), [&](FormDriver& driver) {
        driver.selectTab(QStringLiteral("TabStrip1"), 2);
        driver.click(QStringLiteral("Command1"));
        EXPECT_EQ(h.checks(driver), QStringLiteral("1111111111"));
        driver.click(QStringLiteral("cmdOK"));
    });
    EXPECT_TRUE(h.show(options));
    EXPECT_TRUE(options.selection.all());
}

TEST(dlgValTables, RefusesAMissingFolderAndTakesABrowsedOne) {
    DialogHarness h;
    dlgValTables::Options options;
    options.folder = h.folder.filePath(QStringLiteral("gone"));
    options.outputType = QStringLiteral("CSV");
    const QString chosen = h.folder.filePath(QStringLiteral("chosen"));
    QDir().mkpath(chosen);
    h.ui.nextFolder(chosen);
    h.ui.answer(
        QStringLiteral("The folder: ") + options.folder + QStringLiteral(" does not exist."), IDOK);
    h.ui.when(QStringLiteral("dlgValTables"), [&](FormDriver& driver) {
        driver.click(QStringLiteral("cmdOK"));
        EXPECT_TRUE(driver.form().isVisible()) << "the dialog stays open";
        EXPECT_EQ(driver.form().focused(), &driver.form().control(QStringLiteral("Text1")));
        driver.click(QStringLiteral("Command2"));
        EXPECT_EQ(driver.value(QStringLiteral("Text1")), chosen);
        driver.set(QStringLiteral("Combo1"), QStringLiteral("Tab Delimited Text (txt)"));
        driver.click(QStringLiteral("cmdOK"));
    });
    EXPECT_TRUE(h.show(options));
    EXPECT_EQ(options.folder, chosen);
    EXPECT_EQ(options.outputType, QStringLiteral("TXT"));
    EXPECT_TRUE(h.ui.transcript().windows().contains(QStringLiteral("Folder for Export File")));
    EXPECT_EQ(h.ui.transcript().messages().front().style, MB_OK | MB_ICONEXCLAMATION);

    // Cancel after changing everything leaves the options as they were.
    const dlgValTables::Options before = options;
    h.ui.when(QStringLiteral("dlgValTables"), [&](FormDriver& driver) {
        driver.set(QStringLiteral("Text1"), QStringLiteral("/elsewhere"));
        driver.selectTab(QStringLiteral("TabStrip1"), 2);
        driver.click(QStringLiteral("Command1"));
        driver.click(QStringLiteral("cmdCancel"));
    });
    EXPECT_FALSE(h.show(options));
    EXPECT_EQ(options.folder, before.folder);
    EXPECT_EQ(options.selection, before.selection);
}

}  // namespace
}  // namespace vel::testing
