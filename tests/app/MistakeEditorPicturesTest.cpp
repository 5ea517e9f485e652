// The mistake editor's windows on the demo site, saved as pictures.
#include "EditorPictures.h"

#include "component/CVelUI.h"
#include "ui/FormDriver.h"

namespace vel::testing {
namespace {

TEST(EditorPictures, MistakeListAndRecordWindow) {
    DemoEditorSite site;
    site.ui.when(QStringLiteral("frmMistake"), [](FormDriver& record) {
        saveWindowPicture(record.form(), QStringLiteral("mistake-record"));
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    site.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        saveWindowPicture(list.form(), QStringLiteral("mistake-list"));
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnCancel"));
    });
    CVelUI component;
    EXPECT_TRUE(component.EditMistakes(0, *site.system));
}

}  // namespace
}  // namespace vel::testing
