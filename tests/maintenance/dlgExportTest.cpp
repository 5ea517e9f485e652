// The export options window through the headless driver: the types it lists, the save dialog
// and its filter, the extension that follows the type, and the file names it refuses.
#include "maintenance/dlgExport.h"
#include "ui/ComboBox.h"
#include "ui/FormDriver.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

namespace vel::testing {
namespace {

struct ExportOptionsSite {
    ExportOptionsSite() : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    }
    QString file(const QString& name) const { return folder.path() + u'/' + name; }

    QTemporaryDir folder;
    HeadlessUi ui;
    ScopedUi scope;
    dlgExport window;
};

TEST(dlgExport, OffersTheWritersTypesAndTheSaveDialogOfTheChosenType) {
    EXPECT_EQ(dlgExport::fileFilter(QStringLiteral("csv")),
              "Comma Separated Values (*.csv)|*.csv|All Files (*.*)|*.*");
    EXPECT_EQ(dlgExport::fileFilter(QStringLiteral("XLSX")),
              "Spreadsheet Workbook (*.xlsx)|*.xlsx|All Files (*.*)|*.*");

    ExportOptionsSite site;
    dlgExport::Options options{site.file(QStringLiteral("ActDetail.csv")), QStringLiteral("CSV"),
                               false};
    site.ui.nextFileName(site.file(QStringLiteral("June.xlsx")));
    site.ui.when(QStringLiteral("dlgExport"), [&](FormDriver& dialog) {
        EXPECT_EQ(dialog.form().caption(), "Export Options");
        QStringList types;
        for (const ComboBox::Item& item :
             dialog.control<ComboBox>(QStringLiteral("Combo1"))->items()) {
            types << item.text;
        }
        EXPECT_EQ(types, (QStringList{"Comma Separated Values (csv)", "Tab Delimited Text (txt)",
                                      "Spreadsheet Workbook (xlsx)", "xBase Table (dbf)"}));
        EXPECT_EQ(dialog.value(QStringLiteral("Combo1")), "Comma Separated Values (csv)");
        EXPECT_EQ(dialog.form().control(QStringLiteral("chkNonZero")).caption(),
                  "Do not output records with zero values. ");
        // A new type renames a file of the old type's extension.
        dialog.set(QStringLiteral("Combo1"), QStringLiteral("Spreadsheet Workbook (xlsx)"));
        EXPECT_EQ(dialog.value(QStringLiteral("Text1")),
                  site.file(QStringLiteral("ActDetail.xlsx")));
        dialog.click(QStringLiteral("Command2"));
        EXPECT_EQ(dialog.value(QStringLiteral("Text1")), site.file(QStringLiteral("June.xlsx")));
        dialog.click(QStringLiteral("chkNonZero"));
        dialog.click(QStringLiteral("cmdOK"));
    });
    EXPECT_TRUE(site.window.ShowOptions(0, options));
    EXPECT_EQ(options.fileName, site.file(QStringLiteral("June.xlsx")));
    EXPECT_EQ(options.outputType, "XLSX");
    EXPECT_TRUE(options.nonZeroOnly);
    EXPECT_TRUE(site.ui.transcript().windows().contains(QStringLiteral("Name an Output File")));
}

TEST(dlgExport, RefusesAnEmptyNameAFolderAndAMissingFolderAndCancelsUnchanged) {
    ExportOptionsSite site;
    dlgExport::Options options{QString(), QStringLiteral("unknown"), true};
    site.ui.answer(QStringLiteral("Please enter the name of the file to create."), IDOK);
    site.ui.answer(QStringLiteral("is a folder: please name a file in it."), IDOK);
    site.ui.answer(QStringLiteral(" does not exist."), IDOK);
    site.ui.when(QStringLiteral("dlgExport"), [&](FormDriver& dialog) {
        EXPECT_EQ(dialog.value(QStringLiteral("Combo1")), "Comma Separated Values (csv)");
        EXPECT_EQ(dialog.value(QStringLiteral("chkNonZero")), "1");
        dialog.click(QStringLiteral("cmdOK"));
        dialog.set(QStringLiteral("Text1"), site.folder.path());
        dialog.click(QStringLiteral("cmdOK"));
        dialog.set(QStringLiteral("Text1"), site.file(QStringLiteral("missing/ActDetail.csv")));
        dialog.click(QStringLiteral("cmdOK"));
        EXPECT_TRUE(dialog.form().isVisible());
        dialog.click(QStringLiteral("cmdCancel"));
    });
    EXPECT_FALSE(site.window.ShowOptions(0, options));
    EXPECT_EQ(options.fileName, "");
    EXPECT_EQ(options.outputType, "unknown");
    const auto& messages = site.ui.transcript().messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].prompt, QStringLiteral("The folder: ") + site.folder.path() +
                                      QStringLiteral("/missing does not exist."));
    EXPECT_EQ(messages[2].style, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace
}  // namespace vel::testing
