// The new-system window, each of its four pages saved as a picture, on the way to a new system.
#include "EditorPictures.h"

#include "component/CVelUI.h"
#include "ui/FormDriver.h"

namespace vel::testing {
namespace {

TEST(EditorPictures, NewSystemWizard) {
    DemoEditorSite site;
    site.ui.when(QStringLiteral("frmAddSys"), [&](FormDriver& wizard) {
        wizard.set(QStringLiteral("SysName"), QStringLiteral("South Hub"));
        wizard.set(QStringLiteral("SysParam(0)"), QStringLiteral("2027"));
        for (int page = 1; page <= 4; ++page) {
            saveWindowPicture(wizard.form(), QStringLiteral("new-system-%1").arg(page));
            wizard.click(QStringLiteral("Command1(2)"));
        }
    });
    site.ui.when(QStringLiteral("frmPeriod"), [](FormDriver& form) {
        form.click(QStringLiteral("Command1(1)"));
    });
    CVelUI component;
    EXPECT_FALSE(component.CreateNewSystem(0, *site.system)) << "the calendar was cancelled";
}

}  // namespace
}  // namespace vel::testing
