// The work-center and type-of-work editors' windows on the demo site, saved as pictures: both
// lists and every page of both record windows.
#include "EditorPictures.h"

#include "component/CVelUI.h"
#include "ui/FormDriver.h"
#include "ui/MessageBoxCodes.h"

namespace vel::testing {
namespace {

TEST(EditorPictures, WorkCenterListAndRecordWindow) {
    DemoEditorSite site;
    site.ui.when(QStringLiteral("frmWorkCenter"), [](FormDriver& record) {
        record.set(QStringLiteral("TimeBox1(0)"), QStringLiteral("22:00"));
        record.set(QStringLiteral("TimeBox1(1)"), QStringLiteral("06:30"));
        saveWindowPicture(record.form(), QStringLiteral("workcenter-record"),
                          QStringLiteral("TabStrip1"));
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    site.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        saveWindowPicture(list.form(), QStringLiteral("workcenter-list"));
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnCancel"));
    });
    CVelUI component;
    EXPECT_FALSE(component.EditWorkCenter(0, *site.system));
}

TEST(EditorPictures, TypeOfWorkListAndRecordWindow) {
    DemoEditorSite site;
    site.ui.when(QStringLiteral("frmOKtoView"), [](FormDriver& question) {
        question.click(QStringLiteral("Option1(1)"));
        question.click(QStringLiteral("cmdOK"));
    });
    // The demo's quality types of work get their data fields first.
    site.ui.answer(QStringLiteral("needs to update the Tallybook tables with new datafields"),
                   IDYES);
    site.ui.when(QStringLiteral("frmTypeofWork"), [](FormDriver& record) {
        saveWindowPicture(record.form(), QStringLiteral("typeofwork-record"),
                          QStringLiteral("TabStrip1"));
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    site.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        saveWindowPicture(list.form(), QStringLiteral("typeofwork-list"));
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnCancel"));
    });
    site.ui.answerAlways(QStringLiteral("OK to Cancel all changes"), IDOK);
    CVelUI component;
    EXPECT_TRUE(component.EditTypeofWork(0, *site.system));
}

}  // namespace
}  // namespace vel::testing
