// The settings editor's list and pages and the title editor on the demo site, saved as pictures.
#include "EditorPictures.h"

#include "component/CVelUI.h"
#include "data/Enumerations.h"
#include "ui/FormDriver.h"

namespace vel::testing {
namespace {

TEST(EditorPictures, SettingsListAndPages) {
    DemoEditorSite site;
    site.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        saveWindowPicture(list.form(), QStringLiteral("settings-list"));
        list.click(QStringLiteral("btnCancel"));
    });
    CVelUI component;
    component.EditSettings(0, *site.system, stgShowList);
    const std::vector<std::pair<short, QString>> pages{
        {stgTrackCost, "track-cost"},     {stgHistoryWeeks, "history"}, {stgLogoFile, "logo"},
        {stgQuality, "quality"},          {stgSoftKeys, "keys"},        {stgXYZ, "xyz"},
        {stgMaxAllocation, "allocations"}};
    for (const auto& [type, name] : pages) {
        site.ui.when(QStringLiteral("frmSettings"), [name](FormDriver& window) {
            saveWindowPicture(window.form(), QStringLiteral("settings-") + name);
            window.click(QStringLiteral("SaveButtons1(2)"));
        });
        component.EditSettings(0, *site.system, type);
    }
}

TEST(EditorPictures, TitleWindow) {
    DemoEditorSite site;
    site.ui.when(QStringLiteral("frmTitle"), [](FormDriver& window) {
        saveWindowPicture(window.form(), QStringLiteral("title"));
        window.click(QStringLiteral("SaveButtons1(2)"));
    });
    CVelUI component;
    component.EditTitle(0, *site.system);
}

}  // namespace
}  // namespace vel::testing
