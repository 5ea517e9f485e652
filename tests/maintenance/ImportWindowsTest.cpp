// The import windows driven headless: the choice of file kind and the first-record preview.
#include "maintenance/AssociateImport.h"
#include "maintenance/frmImportShow.h"
#include "maintenance/frmOKtoImport.h"
#include "ui/FormDriver.h"
#include "ui/HeadlessUi.h"
#include "ui/ListView.h"

#include <gtest/gtest.h>

namespace vel {
namespace {

struct Headless {
    Headless() : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    }
    HeadlessUi ui;
    ScopedUi scope;
};

TEST(frmOKtoImport, AnswersTheChosenKindOrCancelledAndStartsOnUpdates) {
    Headless h;
    frmOKtoImport window;
    h.ui.when(QStringLiteral("frmOKtoImport"), [](FormDriver& form) {
        EXPECT_EQ(form.form().caption(), "Import Information");
        EXPECT_EQ(form.value(QStringLiteral("Option1(0)")), "1");
        form.click(QStringLiteral("Option1(1)"));
        form.click(QStringLiteral("cmdOK"));
    });
    EXPECT_EQ(window.Ask(), frmOKtoImport::ChangeCodes);
    h.ui.when(QStringLiteral("frmOKtoImport"), [](FormDriver& form) {
        EXPECT_EQ(form.value(QStringLiteral("Option1(0)")), "1") << "each showing starts on updates";
        form.click(QStringLiteral("cmdOK"));
    });
    EXPECT_EQ(window.Ask(), frmOKtoImport::UpdateRecords);
    h.ui.when(QStringLiteral("frmOKtoImport"), [](FormDriver& form) { form.close(); });
    EXPECT_EQ(window.Ask(), frmOKtoImport::Cancelled);
}

TEST(frmImportShow, ListsEachFieldBesideItsLabelAndAnswersTheButton) {
    Headless h;
    frmImportShow window;
    h.ui.when(QStringLiteral("frmImportShow"), [](FormDriver& form) {
        const auto& list = form.form().controlAs<ListView>(QStringLiteral("lvFields"));
        EXPECT_TRUE(list.isFixedPitch());
        ASSERT_EQ(list.count(), 4);
        EXPECT_EQ(list.item(0).texts, (QStringList{"Old Code:", "A1"}));
        EXPECT_EQ(list.item(2).texts, (QStringList{"Other Fields:", "x"}));
        EXPECT_EQ(list.item(3).texts, (QStringList{"Other Fields:", "y"}));
        form.click(QStringLiteral("cmdOK"));
    });
    EXPECT_TRUE(window.Confirm(AssociateImport::codeFileLabels(), {"A1", "B1", "x", "y"}));
    h.ui.when(QStringLiteral("frmImportShow"), [](FormDriver& form) {
        EXPECT_EQ(form.form().controlAs<ListView>(QStringLiteral("lvFields")).item(26).texts.value(0),
                  "Badge 10:");
        form.click(QStringLiteral("cmdCancel"));
    });
    EXPECT_FALSE(window.Confirm(AssociateImport::updateFileLabels(), QStringList(27, QStringLiteral("v"))));
    h.ui.when(QStringLiteral("frmImportShow"), [](FormDriver& form) {
        EXPECT_EQ(form.form().controlAs<ListView>(QStringLiteral("lvFields")).item(27).texts,
                  (QStringList{"Other Fields:", "w"}))
            << "a field past the layout";
        form.click(QStringLiteral("cmdCancel"));
    });
    EXPECT_FALSE(window.Confirm(AssociateImport::updateFileLabels(),
                                QStringList(27, QStringLiteral("v")) << QStringLiteral("w")));
}

}  // namespace
}  // namespace vel
