// The allocation editor's windows on the demo site, saved as pictures.
#include "EditorPictures.h"

#include "component/CVelUI.h"
#include "ui/FormDriver.h"

namespace vel::testing {
namespace {

TEST(EditorPictures, AllocationListAndRecordWindow) {
    DemoEditorSite site;
    site.ui.when(QStringLiteral("frmAllocation"), [](FormDriver& record) {
        saveWindowPicture(record.form(), QStringLiteral("allocation-record"),
                          QStringLiteral("TabStrip1"));
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    site.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        saveWindowPicture(list.form(), QStringLiteral("allocation-list"));
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnCancel"));
    });
    CVelUI component;
    component.EditAllocation(0, *site.system);
}

}  // namespace
}  // namespace vel::testing
