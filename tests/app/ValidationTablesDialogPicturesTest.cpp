// The table export's dialog on the demo site, both pages saved as pictures, then the export it
// leads to.
#include "EditorPictures.h"

#include "component/CVelUI.h"
#include "ui/FormDriver.h"
#include "ui/MessageBoxCodes.h"

namespace vel::testing {
namespace {

TEST(EditorPictures, ValidationTablesDialog) {
    DemoEditorSite site;
    site.ui.when(QStringLiteral("dlgValTables"), [&](FormDriver& dialog) {
        dialog.set(QStringLiteral("Text1"), site.directory.path());
        saveWindowPicture(dialog.form(), QStringLiteral("export-tables"),
                          QStringLiteral("TabStrip1"));
        dialog.click(QStringLiteral("cmdOK"));
    });
    site.ui.answer(QStringLiteral("The following files have been created in folder "), IDOK);
    CVelUI component;
    EXPECT_TRUE(component.ExportTables(0, *site.system));
    EXPECT_TRUE(QFile::exists(site.directory.filePath(QStringLiteral("ACTIVITY.xlsx"))));
}

}  // namespace
}  // namespace vel::testing
