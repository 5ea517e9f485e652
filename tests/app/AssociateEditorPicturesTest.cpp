// The associate editor's windows on the demo site, with the incentive and performance-policy
// features and named badges, saved as pictures: the list and every page of the record window.
#include "EditorPictures.h"

#include "component/CVelUI.h"
#include "services/IniSettings.h"
#include "ui/FormDriver.h"
#include "ui/MessageBoxCodes.h"

namespace vel::testing {
namespace {

TEST(EditorPictures, AssociateListAndEveryPageOfTheRecordWindow) {
    DemoEditorSite site;
    IniSettings settings(IniSettings::locationFor(site.directory.path(), 1));
    settings.selectSection(QStringLiteral("Features"));
    settings.writeText(QStringLiteral("Incentive"), QStringLiteral("1"));
    settings.writeText(QStringLiteral("PerformancePolicy"), QStringLiteral("1"));
    settings.selectSection(QStringLiteral("Badges"));
    settings.writeText(QStringLiteral("1"), QStringLiteral("Clock Card"));
    settings.writeText(QStringLiteral("2"), QStringLiteral("Scanner ID"));
    settings.writeText(QStringLiteral("NumbertoShow"), QStringLiteral("3"));
    site.ui.when(QStringLiteral("frmEmployee"), [](FormDriver& record) {
        saveWindowPicture(record.form(), QStringLiteral("associate-record"),
                          QStringLiteral("TabStrip1"));
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    site.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        saveWindowPicture(list.form(), QStringLiteral("associate-list"));
        list.selectLine(QStringLiteral("lvList"), 2);
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnCancel"));
    });
    CVelUI component;
    EXPECT_FALSE(component.EditAssociate(0, *site.system));
}

}  // namespace
}  // namespace vel::testing
