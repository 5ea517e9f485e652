// The element editor's windows on the demo site, saved as pictures.
#include "EditorPictures.h"

#include "component/CVelUI.h"
#include "services/IniSettings.h"
#include "ui/FormDriver.h"
#include "ui/ListView.h"

namespace vel::testing {
namespace {

// The list line whose first column reads the text, or -1.
int lineWithText(FormDriver& list, const QString& text) {
    auto& view = list.form().controlAs<ListView>(QStringLiteral("lvList"));
    for (int line = 0; line < view.count(); ++line) {
        if (view.item(line).texts.value(0) == text) {
            return line;
        }
    }
    return -1;
}

TEST(EditorPictures, ElementListAndRecordWindow) {
    DemoEditorSite site;
    // Two languages, so that the Languages page shows its boxes.
    IniSettings settings(IniSettings::locationFor(site.directory.path(), 1));
    settings.selectSection(QStringLiteral("Features"));
    ASSERT_TRUE(settings.writeText(QStringLiteral("Languages"), QStringLiteral("2")));
    site.ui.when(QStringLiteral("frmElement"), [](FormDriver& record) {
        saveWindowPicture(record.form(), QStringLiteral("element-record-quantity"),
                          QStringLiteral("TabStrip1"));
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    site.ui.when(QStringLiteral("frmElement"), [](FormDriver& record) {
        EXPECT_EQ(record.value(QStringLiteral("optType(1)")), "1");
        saveWindowPicture(record.form(), QStringLiteral("element-record-standard"));
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    site.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        saveWindowPicture(list.form(), QStringLiteral("element-list"));
        list.click(QStringLiteral("btnEdit"));
        const int line = lineWithText(list, QStringLiteral("Standard Minutes"));
        ASSERT_GE(line, 0) << "the demo site has a standard-type element";
        list.selectLine(QStringLiteral("lvList"), line);
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnCancel"));
    });
    CVelUI component;
    component.EditElement(0, *site.system);
}

}  // namespace
}  // namespace vel::testing
