// The activity editor's windows on the demo site, saved as pictures: the list and each of the
// record window's nine tabs.
#include "EditorPictures.h"

#include "component/CVelUI.h"
#include "ui/FormDriver.h"

namespace vel::testing {
namespace {

TEST(EditorPictures, ActivityListAndEveryTabOfTheRecordWindow) {
    DemoEditorSite site;
    site.ui.whenever(QStringLiteral("frmOKtoView"), [](FormDriver& question) {
        question.click(QStringLiteral("Option1(1)"));
        question.click(QStringLiteral("cmdOK"));
    });
    site.ui.when(QStringLiteral("frmActivity"), [](FormDriver& record) {
        saveWindowPicture(record.form(), QStringLiteral("activity-record"),
                          QStringLiteral("TabStrip1"));
        record.selectTab(QStringLiteral("TabStrip1"), 3);
        record.click(QStringLiteral("btnClose"));
        saveWindowPicture(record.form(), QStringLiteral("activity-record-elements-grid"));
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    site.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        saveWindowPicture(list.form(), QStringLiteral("activity-list"));
        list.selectLine(QStringLiteral("lvList"), 0);
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnCancel"));
    });
    CVelUI component;
    EXPECT_FALSE(component.EditActivity(0, *site.system));
}

}  // namespace
}  // namespace vel::testing
