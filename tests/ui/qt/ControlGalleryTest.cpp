// The control gallery's own rules, driven headless: OK needs a code, the standards grid takes
// only numbers, the ordered list stops at its limit, the tick buttons work on every item.
#include "ui/ControlGallery.h"

#include "ui/Grid.h"
#include "ui/HeadlessUi.h"
#include "ui/ListSelect.h"
#include "ui/MessageBoxCodes.h"

#include <gtest/gtest.h>

namespace vel {
namespace {

TEST(ControlGallery, OkWithoutACodeExplainsAndKeepsTheWindowOpen) {
    HeadlessUi ui;
    ScopedUi scoped(ui);
    ControlGallery gallery;
    bool stillShown = false;
    bool codeFocused = false;
    ui.answer(QStringLiteral("Enter a code"), IDOK);
    ui.when(QStringLiteral("frmGallery"), [&](FormDriver& window) {
        window.click(QStringLiteral("SaveButtons1(1)"));
        stillShown = gallery.isVisible();
        codeFocused = gallery.control(QStringLiteral("txtCode")).hasFocus();
        window.type(QStringLiteral("txtCode"), QStringLiteral("pck"));
        window.click(QStringLiteral("SaveButtons1(1)"));
    });
    ui.runModal(gallery);
    EXPECT_TRUE(ui.failures().isEmpty()) << ui.failures().join(u'\n').toStdString();
    EXPECT_TRUE(stillShown);
    EXPECT_TRUE(codeFocused);
    ASSERT_EQ(ui.transcript().messages().size(), 1u);
    EXPECT_EQ(ui.transcript().messages()[0].style, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(ui.transcript().messages()[0].caption, QStringLiteral("Control Gallery"));
    EXPECT_TRUE(gallery.confirmed());
    EXPECT_FALSE(gallery.isVisible());
}

TEST(ControlGallery, StandardsGridTakesOnlyNumbersAndShowsMinutesPerUnit) {
    HeadlessUi ui;
    ScopedUi scoped(ui);
    ControlGallery gallery;
    ui.when(QStringLiteral("frmGallery"), [&](FormDriver& window) {
        EXPECT_FALSE(window.editCell(QStringLiteral("grdStandards"), 1, 3, QStringLiteral("75")));
        window.selectTab(QStringLiteral("TabStrip1"), 2);  // the page in front takes input
        EXPECT_FALSE(window.editCell(QStringLiteral("grdStandards"), 1, 3, QStringLiteral("x")));
        EXPECT_FALSE(window.editCell(QStringLiteral("grdStandards"), 1, 3, QStringLiteral("-2")));
        EXPECT_FALSE(window.editCell(QStringLiteral("grdStandards"), 1, 1, QStringLiteral("New")));
        EXPECT_TRUE(window.editCell(QStringLiteral("grdStandards"), 1, 3, QStringLiteral(" 75")));
        EXPECT_TRUE(window.editCell(QStringLiteral("grdStandards"), 2, 3, QStringLiteral("0")));
        for (const char* name : {"Label cartons", "Pick lines", "Stretch wrap"}) {
            window.pick(QStringLiteral("osElements"), QString::fromLatin1(name));
        }
        window.click(QStringLiteral("SaveButtons1(2)"));
    });
    ui.runModal(gallery);
    const auto& grid = gallery.controlAs<Grid>(QStringLiteral("grdStandards"));
    EXPECT_EQ(grid.textMatrix(1, 3), QStringLiteral("75.00"));
    EXPECT_EQ(grid.textMatrix(1, 4), QStringLiteral("0.800"));
    EXPECT_EQ(grid.textMatrix(2, 4), QStringLiteral("0.000"));
    EXPECT_EQ(grid.textMatrix(1, 1), QStringLiteral("Pick cases"));
    EXPECT_EQ(
        ui.transcript().lines().count(QStringLiteral("status: Units per hour must be a number")),
        2);
    EXPECT_EQ(ui.transcript().sounds().count(QStringLiteral("SystemExclamation")), 2);
    EXPECT_EQ(gallery.control(QStringLiteral("osElements")).valueText(),
              QStringLiteral("Pick cases; Travel; Label cartons; Pick lines"));
    EXPECT_FALSE(gallery.confirmed());
}

TEST(ControlGallery, TickButtonsWorkOnEveryWorkCenterAndCorporateControlStaysLocked) {
    HeadlessUi ui;
    ScopedUi scoped(ui);
    ControlGallery gallery;
    QString afterTickAll;
    ui.when(QStringLiteral("frmGallery"), [&](FormDriver& window) {
        EXPECT_FALSE(window.click(QStringLiteral("chkFlags(2)")));
        window.selectTab(QStringLiteral("TabStrip1"), 3);
        window.click(QStringLiteral("btnTickAll"));
        afterTickAll = window.value(QStringLiteral("lsWorkCenters"));
        window.click(QStringLiteral("btnClearAll"));
        window.close();
    });
    ui.runModal(gallery);
    EXPECT_EQ(afterTickAll, QStringLiteral("10 Receiving; 20 Put-away; 30 Picking; 40 Shipping"));
    EXPECT_TRUE(
        gallery.controlAs<ListSelect>(QStringLiteral("lsWorkCenters")).selectedData().empty());
    EXPECT_EQ(gallery.control(QStringLiteral("chkFlags(2)")).valueText(), QStringLiteral("1"));
    EXPECT_FALSE(gallery.isLoaded());
}

}  // namespace
}  // namespace vel
