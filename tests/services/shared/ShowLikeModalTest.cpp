#include "ServicesTestSupport.h"
#include "services/RuntimeError.h"
#include "services/ShowLikeModal.h"
#include "ui/Form.h"
#include "ui/FormDriver.h"
#include "ui/MessageBoxCodes.h"
#include "ui/Ui.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {

constexpr quintptr HostWindow = 0x5150;

// A window whose loading fails, as one whose table cannot be opened.
struct FailingForm : Form {
    FailingForm() : Form(QStringLiteral("frmBroken"), QStringLiteral("Broken")) {}
    void Form_Load() override { throw RuntimeError(53, QStringLiteral("File not found")); }
};

}  // namespace

TEST(ShowLikeModal, AWindowOpenedFromAComponentWindowIsOwnedByItAndTheOthersWait) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    Form list(QStringLiteral("frmList"), QStringLiteral("Activities"));
    Form record(QStringLiteral("frmActivity"), QStringLiteral("Activity"));
    Form question(QStringLiteral("frmOKtoView"), QStringLiteral("View or Modify"));
    Form locked(QStringLiteral("frmLocked"), QStringLiteral("Locked"));
    list.load();
    locked.load();
    locked.setEnabled(false);
    int checks = 0;

    ui.when(QStringLiteral("frmActivity"), [&](FormDriver&) {
        EXPECT_EQ(modalDepth(), 1);
        EXPECT_FALSE(list.enabled());
        EXPECT_TRUE(record.enabled());
        ShowLikeModal(question, HostWindow);
        EXPECT_EQ(modalDepth(), 1);
        EXPECT_FALSE(list.enabled()) << "still disabled for the outer window";
        EXPECT_TRUE(record.enabled());
        ++checks;
    });
    ui.when(QStringLiteral("frmOKtoView"), [&](FormDriver&) {
        EXPECT_EQ(modalDepth(), 2);
        EXPECT_EQ(question.owner().form, &record);
        EXPECT_EQ(question.owner().hostWindow, 0u);
        EXPECT_EQ(modalOwner(2).form, &record);
        EXPECT_EQ(modalOwner(1).hostWindow, HostWindow);
        EXPECT_FALSE(record.enabled());
        EXPECT_FALSE(list.enabled());
        EXPECT_TRUE(question.enabled());
        ++checks;
    });

    ShowLikeModal(record, HostWindow);

    EXPECT_EQ(checks, 2);
    EXPECT_EQ(record.owner().form, nullptr);
    EXPECT_EQ(record.owner().hostWindow, HostWindow);
    EXPECT_EQ(modalDepth(), 0);
    EXPECT_EQ(modalOwner(1).hostWindow, 0u);
    EXPECT_TRUE(list.enabled());
    EXPECT_TRUE(record.enabled());
    EXPECT_FALSE(locked.enabled()) << "a window disabled before stays disabled";
    EXPECT_FALSE(record.isVisible());
    EXPECT_EQ(ui.transcript().windows(),
              QStringList({QStringLiteral("Activity"), QStringLiteral("View or Modify")}));
}

TEST(ShowLikeModal, AnErrorInsideIsShownAndLeavesNoLevelAndNoDisabledWindow) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    Form list(QStringLiteral("frmList"), QStringLiteral("Activities"));
    FailingForm broken;
    list.load();
    ui.answer(QStringLiteral("Error in ShowLikeModal, File not found"), IDOK);

    ShowLikeModal(broken, HostWindow);

    ASSERT_EQ(ui.transcript().messages().size(), 1u);
    EXPECT_EQ(ui.transcript().messages().front().prompt,
              QStringLiteral("Error in ShowLikeModal, File not found"));
    EXPECT_EQ(ui.transcript().messages().front().style, MB_ICONEXCLAMATION);
    EXPECT_EQ(modalDepth(), 0);
    EXPECT_TRUE(list.enabled());
}

TEST(ShowLikeModal, AnErrorInANestedWindowLeavesTheOuterWindowShowingAndUsable) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    Form record(QStringLiteral("frmActivity"), QStringLiteral("Activity"));
    FailingForm broken;
    bool outerWasEnabledAfter = false;
    ui.when(QStringLiteral("frmActivity"), [&](FormDriver&) {
        ShowLikeModal(broken, HostWindow);
        EXPECT_EQ(modalDepth(), 1);
        outerWasEnabledAfter = record.enabled();
    });
    ui.answer(QStringLiteral("Error in ShowLikeModal"), IDOK);

    ShowLikeModal(record, HostWindow);

    EXPECT_TRUE(outerWasEnabledAfter);
    EXPECT_EQ(modalDepth(), 0);
}
