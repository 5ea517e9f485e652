// The title editor through the command class: the blank refusal, the title reaching the master
// file with its status and change-log entry, cancelling, and no corporate control check.
#include "EditorHarness.h"

#include "data/Masterfile.h"
#include "host/ChangeLog.h"

namespace vel::testing {
namespace {

QStringList storedTitles(EditorHarness& h) {
    h.reopen();
    return h.system->masterfile().titles();
}

std::vector<ChangeLogEntry> changeLog(const EditorHarness& h) {
    return ChangeLog(h.site.path(QStringLiteral("TBEDITLOG.--1")), fixedNow).entries();
}

TEST(frmTitle, RefusesABlankTitleThenWritesTheNewOneToTheMasterFileAndLogsIt) {
    EditorHarness h;
    // A corporate folder with the control setting off would warn before a checked editor: the
    // title editor runs without the check, so no such question may come.
    h.site.setSetting(QStringLiteral("Corporate"), QStringLiteral("Folder"), h.site.folder);
    h.reopen();
    h.ui.when(QStringLiteral("frmTitle"), [](FormDriver& window) {
        EXPECT_EQ(window.form().caption(), "System Title");
        EXPECT_EQ(window.form().control(QStringLiteral("Text1")).caption(), "System Title:");
        EXPECT_EQ(window.value(QStringLiteral("Text1")), "Test Site");
        window.set(QStringLiteral("Text1"), QStringLiteral("   "));
        window.click(QStringLiteral("SaveButtons1(1)"));
    });
    h.ui.answer(QStringLiteral("System Title field cannot be blank"), IDOK);
    h.ui.when(QStringLiteral("frmTitle"), [](FormDriver& window) {
        EXPECT_EQ(window.form().focused(), window.find(QStringLiteral("Text1")));
        window.set(QStringLiteral("Text1"), QStringLiteral("Riverside DC"));
        window.click(QStringLiteral("SaveButtons1(1)"));
    });
    h.component.EditTitle(0, *h.system);

    const auto& lines = h.ui.transcript().lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("status: Loading files ...")));
    EXPECT_TRUE(lines.contains(QStringLiteral("status: Writing Titles to Tallybook Masterfiles")));
    EXPECT_EQ(h.ui.transcript().prompts(),
              QStringList{QStringLiteral("System Title field cannot be blank")});
    EXPECT_EQ(storedTitles(h).value(0), "Riverside DC");
    const auto log = changeLog(h);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().Code.trimmed(), "Riverside DC");
    EXPECT_EQ(log.back().Action.trimmed(), "Edit");
}

TEST(frmTitle, CancelAndAnUnchangedTitleWriteNothing) {
    EditorHarness h;
    h.ui.when(QStringLiteral("frmTitle"), [](FormDriver& window) {
        window.set(QStringLiteral("Text1"), QStringLiteral("Dropped"));
        window.click(QStringLiteral("SaveButtons1(2)"));
    });
    h.component.EditTitle(0, *h.system);
    h.ui.when(QStringLiteral("frmTitle"),
              [](FormDriver& window) { window.click(QStringLiteral("SaveButtons1(1)")); });
    h.component.EditTitle(0, *h.system);
    EXPECT_EQ(storedTitles(h), QStringList{QStringLiteral("Test Site")});
    EXPECT_TRUE(changeLog(h).empty());
    EXPECT_FALSE(h.ui.transcript().lines().contains(
        QStringLiteral("status: Writing Titles to Tallybook Masterfiles")));
}

TEST(frmTitle, KeepsTheOtherTitlesOfTheMasterFile) {
    EditorHarness h;
    ASSERT_TRUE(
        h.system->masterfile().setTitles({QStringLiteral("Old"), QStringLiteral("Second line")}));
    h.ui.when(QStringLiteral("frmTitle"), [](FormDriver& window) {
        EXPECT_EQ(window.value(QStringLiteral("Text1")), "Old");
        window.set(QStringLiteral("Text1"), QStringLiteral("New"));
        window.click(QStringLiteral("SaveButtons1(1)"));
    });
    h.component.EditTitle(0, *h.system);
    EXPECT_EQ(storedTitles(h), (QStringList{QStringLiteral("New"), QStringLiteral("Second line")}));
}

}  // namespace
}  // namespace vel::testing
