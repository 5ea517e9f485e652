// frmOKtoView and frmDelete: their texts, answers and flags.
#include "editors/frmDelete.h"
#include "editors/frmOKtoView.h"
#include "ui/ComboBox.h"
#include "ui/HeadlessUi.h"
#include "ui/Label.h"

#include <gtest/gtest.h>

namespace vel {
namespace {

struct ConfirmSite {
    ConfirmSite() : scoped(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    }
    HeadlessUi ui;
    ScopedUi scoped;
};

TEST(frmOKtoView, AnswersViewModifyOrCancelled) {
    ConfirmSite site;
    frmOKtoView window;
    site.ui.when("frmOKtoView", [](FormDriver& f) {
        EXPECT_EQ(f.form().caption(), "Open Table");
        EXPECT_EQ(f.form().control("Option1(0)").caption(),
                  "Open the table for viewing only.  (This does not lock the table.)");
        EXPECT_EQ(f.form().control("Option1(1)").caption(),
                  "Open the table for modifications.  (This may lock other users out of "
                  "certain functions.)");
        EXPECT_EQ(f.value("Option1(0)"), "1") << "viewing is chosen when the window opens";
        f.click("cmdOK");
    });
    EXPECT_EQ(window.OKtoEdit(), frmOKtoView::ViewOnly);

    site.ui.when("frmOKtoView", [](FormDriver& f) {
        f.click("Option1(1)");
        f.click("cmdOK");
    });
    EXPECT_EQ(window.OKtoEdit(), frmOKtoView::Modify);

    // The choice of the last showing does not carry over: the window opens on viewing again.
    site.ui.when("frmOKtoView", [](FormDriver& f) {
        EXPECT_EQ(f.value("Option1(1)"), "0");
        f.click("Option1(1)");
        f.click("cmdCancel");
    });
    EXPECT_EQ(window.OKtoEdit(), frmOKtoView::Cancelled);

    site.ui.when("frmOKtoView", [](FormDriver& f) { f.close(); });
    EXPECT_EQ(window.OKtoEdit(), frmOKtoView::Cancelled);
    EXPECT_FALSE(window.isLoaded());
}

TEST(frmDelete, DeleteClearsTheCancelledFlagAndNamesTheRecordToReceiveTheData) {
    ConfirmSite site;
    frmDelete window;
    EXPECT_TRUE(window.Cancelled());
    window.setItem(QStringLiteral("Mistake"), QStringLiteral("Wrong pick"));
    window.addTarget(QStringLiteral("(None)"), 0);
    window.addTarget(QStringLiteral("Short pick"), 2);
    window.addTarget(QStringLiteral("Damaged"), 3);
    site.ui.when("frmDelete", [](FormDriver& f) {
        EXPECT_EQ(f.form().caption(), "OK to Delete?");
        EXPECT_EQ(f.form().control("Label1").caption(),
                  "Press the Delete Button to delete the following item(s) from the database:");
        EXPECT_EQ(f.form().control("Label2").caption(), "Mistake to be deleted:");
        EXPECT_EQ(f.form().control("lblItem").caption(), "Wrong pick");
        EXPECT_EQ(f.value("Combo1"), "(None)");
        EXPECT_EQ(f.form().control("cmdDelete").caption(), "&Delete");
        EXPECT_EQ(f.form().control("cmdCancel").caption(), "&Cancel");
        f.set("Combo1", "Damaged");
        f.click("cmdDelete");
    });
    EXPECT_TRUE(window.Ask());
    EXPECT_FALSE(window.Cancelled());
    EXPECT_EQ(window.targetRecord(), 3);
    EXPECT_EQ(window.targetText(), "Damaged");

    // Cancel and closing the window keep the flag; it starts true at every showing.
    site.ui.when("frmDelete", [](FormDriver& f) { f.click("cmdCancel"); });
    EXPECT_FALSE(window.Ask());
    EXPECT_TRUE(window.Cancelled());
    site.ui.when("frmDelete", [](FormDriver& f) { f.close(); });
    EXPECT_FALSE(window.Ask());
    EXPECT_TRUE(window.Cancelled());

    // New targets for another record: the first is chosen again.
    window.clearTargets();
    window.addTarget(QStringLiteral("(None)"), 0);
    site.ui.when("frmDelete", [](FormDriver& f) { f.click("cmdDelete"); });
    EXPECT_TRUE(window.Ask());
    EXPECT_EQ(window.targetRecord(), 0);
}

}  // namespace
}  // namespace vel
