// The associate editor through the command class and the headless driver: the save rules in
// their order, badges, the change list, group membership and the delete of several associates.
#include "AssociateSite.h"

#include "editors/frmEmployee.h"
#include "data/records/ProductionLineRecord.h"
#include "ui/MessageBoxCodes.h"
#include "ui/TabStrip.h"

namespace vel::testing {
namespace {

const QString list = QStringLiteral("TBEditForm");
const QString window = QStringLiteral("frmEmployee");
const QString ok = QStringLiteral("SaveButtons1(1)");

void retype(FormDriver& record, const QString& path, const QString& text) {
    record.set(path, QString());
    record.type(path, text);
}

TEST(frmEmployee, AddRunsTheSaveRulesInOrderAndStoresTheCodeUpperCase) {
    AssociateSite s;
    AssociateRecord adams =
        associate(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann"));
    adams.Badge[0] = QStringLiteral("111");
    s.storeAssociates({adams});
    s.ui.when(list, [](FormDriver& driver) {
        EXPECT_EQ(driver.form().caption(), "Associate Table");
        // Refused three times, a badge question, then the account question answered Cancel.
        driver.click(QStringLiteral("btnAdd"));
        driver.click(QStringLiteral("btnAdd"));  // added
        EXPECT_EQ(listTexts(driver), (QStringList{"A100", "C[3"}));
        EXPECT_EQ(listTexts(driver, 1), (QStringList{"Adams, Ann", "Cole, Cy"}));
        EXPECT_EQ(listTexts(driver, 2), (QStringList{"RCV", "SHP"}));
        EXPECT_EQ(listTexts(driver, 4), (QStringList{"", "TEMPS"}));
        driver.click(QStringLiteral("btnOK"));
    });
    // 1. blanks: the code first, then the first name.
    s.ui.when(window, [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Add Associate Record: 2");
        record.click(ok);
    });
    s.ui.answer(QStringLiteral("Code: Field cannot be blank"), IDOK);
    s.ui.when(window, [](FormDriver& record) {
        EXPECT_EQ(record.form().focused(), record.find(QStringLiteral("Text1(0)")));
        record.type(QStringLiteral("Text1(0)"), QStringLiteral("a 100"));  // the blank is refused
        EXPECT_EQ(record.value(QStringLiteral("Text1(0)")), "A100");
        record.click(ok);
    });
    s.ui.answer(QStringLiteral("First Name: Field cannot be blank"), IDOK);
    // 2. the code of another associate.
    s.ui.when(window, [](FormDriver& record) {
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Cy"));
        record.click(ok);
    });
    s.ui.answer(QStringLiteral("Associate Code is not unique"), IDOK);
    // 3. a badge that A100 holds: Cancel refuses the save.
    s.ui.when(window, [](FormDriver& record) {
        retype(record, QStringLiteral("Text1(0)"), QStringLiteral("c{3"));
        record.set(QStringLiteral("Text1(2)"), QStringLiteral("Cole"));
        onPage(record, QStringLiteral("Badge Number"));
        record.set(QStringLiteral("txtBadge(2)"), QStringLiteral("111"));
        record.click(ok);
    });
    s.ui.answer(QStringLiteral("Badge # (2): 111 is not unique.  Record 1 is already using that "
                               "Badge.  OK to save this record anyway?"),
                IDCANCEL);
    // OK to the badge question, then Cancel to the account question abandons the add.
    s.ui.when(window, [](FormDriver& record) { record.click(ok); });
    s.ui.answer(QStringLiteral("is already using that Badge"), IDOK);
    s.ui.answer(QStringLiteral("OK to Add this Account to the Tallybook Master file at this time?"),
                IDCANCEL);
    // The second add starts empty and is taken.
    s.ui.when(window, [](FormDriver& record) {
        EXPECT_EQ(record.value(QStringLiteral("Text1(0)")), "");
        EXPECT_EQ(record.value(QStringLiteral("txtBadge(2)")), "");
        onPage(record, QStringLiteral("General"));
        record.type(QStringLiteral("Text1(0)"), QStringLiteral("c{3"));
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Cy"));
        record.set(QStringLiteral("Text1(2)"), QStringLiteral("Cole"));
        record.set(QStringLiteral("cboWorkCenter"), QStringLiteral("SHP - Shipping"));
        record.set(QStringLiteral("cboGroup"), QStringLiteral("TEMPS - Temporary staff"));
        onPage(record, QStringLiteral("Badge Number"));
        record.set(QStringLiteral("txtBadge(2)"), QStringLiteral("777"));
        record.click(ok);
    });
    s.ui.answer(QStringLiteral("OK to Add this Account"), IDOK);
    EXPECT_FALSE(s.component.EditAssociate(0, *s.system));

    const auto messages = s.messages();
    ASSERT_EQ(messages.size(), 7u);
    EXPECT_EQ(messages[0].style, MB_ICONCRITICAL);
    EXPECT_EQ(messages[2].style, MB_ICONEXCLAMATION);
    EXPECT_EQ(messages[3].style, MB_OKCANCEL | MB_ICONQUESTION);
    const std::vector<AssociateRecord> stored = s.storedAssociates();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].Code, "C[3");
    EXPECT_EQ(stored[1].WorkCenter, 2);
    EXPECT_EQ(stored[1].Grouping, 2);
    EXPECT_EQ(stored[1].Badge[1], "777");
    const auto entries = s.logEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Action, "Add");
    EXPECT_EQ(entries[0].Code, "C[3");
    EXPECT_EQ(s.system->groupingMembers(902), QList<int>{2});
    EXPECT_EQ(s.system->groupingMembers(2), QList<int>{2});
    EXPECT_EQ(s.system->groupingMembers(901), QList<int>{1});
}

TEST(frmEmployee, EditWritesOnlyChangedFieldsAndMovesTheGroupings) {
    AssociateSite s;
    AssociateRecord adams =
        associate(QStringLiteral("A100"), QStringLiteral("Adams   "), QStringLiteral("Ann"), 1, 1);
    adams.WageRate = 12.5;
    s.storeAssociates({adams, associate(QStringLiteral("B200"), QStringLiteral("Brown"),
                                        QStringLiteral("Bob"), 2)});
    // First: only trailing blanks differ; nothing is written or logged.
    s.ui.when(list, [](FormDriver& driver) {
        driver.selectLine(QStringLiteral("lvList"), 0);
        driver.click(QStringLiteral("btnEdit"));
        driver.click(QStringLiteral("btnOK"));
    });
    s.ui.when(window, [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Edit Associate Record: 1");
        EXPECT_EQ(record.value(QStringLiteral("Text1(2)")), "Adams");
        record.set(QStringLiteral("Text1(2)"), QStringLiteral("Adams  "));
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Ann "));
        record.set(QStringLiteral("nbWageRate"), QStringLiteral("12.50"));
        record.click(ok);
    });
    frmEmployee unchanged;
    EXPECT_TRUE(unchanged.Edit(0, *s.system, false));
    EXPECT_FALSE(unchanged.tableChanged());
    unchanged.release();
    EXPECT_TRUE(s.logEntries().empty());

    // Then: the name, the work center and the grouping change.
    s.reopen();
    s.ui.when(list, [](FormDriver& driver) {
        driver.selectLine(QStringLiteral("lvList"), 0);
        driver.click(QStringLiteral("btnEdit"));
        driver.click(QStringLiteral("btnOK"));
    });
    s.ui.when(window, [](FormDriver& record) {
        record.set(QStringLiteral("Text1(2)"), QStringLiteral("Adamson"));
        record.set(QStringLiteral("cboWorkCenter"), QStringLiteral("SHP - Shipping"));
        record.set(QStringLiteral("cboGroup"), QStringLiteral("(none)"));
        record.set(QStringLiteral("nbShift"), QStringLiteral("2"));
        record.click(ok);
    });
    EXPECT_FALSE(s.component.EditAssociate(0, *s.system));
    const auto entries = s.logEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Action, "Edit");
    EXPECT_EQ(entries[0].Changes, "LastName, WorkCenter, Grouping, Shift");
    const std::vector<AssociateRecord> stored = s.storedAssociates();
    EXPECT_EQ(stored[0].LastName, "Adamson");
    EXPECT_EQ(stored[0].WageRate, 12.5);
    EXPECT_EQ(s.system->groupingMembers(901), QList<int>{});
    EXPECT_EQ(s.system->groupingMembers(902), (QList<int>{1, 2}));
    EXPECT_EQ(s.system->groupingMembers(1), QList<int>{});
}

TEST(frmEmployee, BadgeSlotsFollowTheSettings) {
    AssociateSite s;
    s.setSetting(QStringLiteral("Badges"), QStringLiteral("NumbertoShow"), QStringLiteral("0"));
    s.setSetting(QStringLiteral("Badges"), QStringLiteral("1"), QStringLiteral("Clock Card"));
    s.storeAssociates(
        {associate(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann"))});
    const auto visibleSlots = [](FormDriver& record) {
        int visible = 0;
        for (int slot = 1; slot <= 10; ++slot) {
            const QString path = QStringLiteral("txtBadge(%1)").arg(slot);
            visible += record.form().control(path).parent()->asControl()->visible() ? 1 : 0;
        }
        return visible;
    };
    s.ui.when(list, [](FormDriver& driver) {
        driver.selectLine(QStringLiteral("lvList"), 0);
        driver.click(QStringLiteral("btnEdit"));
        driver.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(window, [&](FormDriver& record) {
        EXPECT_EQ(visibleSlots(record), 1);
        EXPECT_EQ(record.value(QStringLiteral("lblBadge(1)")), "Clock Card (1):");
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    s.component.EditAssociate(0, *s.system);

    s.setSetting(QStringLiteral("Badges"), QStringLiteral("NumbertoShow"), QStringLiteral("12"));
    s.ui.when(list, [](FormDriver& driver) {
        driver.selectLine(QStringLiteral("lvList"), 0);
        driver.click(QStringLiteral("btnEdit"));
        driver.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(window, [&](FormDriver& record) {
        EXPECT_EQ(visibleSlots(record), 10);
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    s.component.EditAssociate(0, *s.system);
}

TEST(frmEmployee, DuplicateBadgeTestSkipsBlanksAndTheSlotsNamedInIgnoreDuplicates) {
    AssociateSite s;
    s.setSetting(QStringLiteral("Badges"), QStringLiteral("IgnoreDuplicates"),
                 QStringLiteral("10"));
    s.setSetting(QStringLiteral("Badges"), QStringLiteral("NumbertoShow"), QStringLiteral("10"));
    s.setSetting(QStringLiteral("Badges"), QStringLiteral("AllowSpaceinBadges"),
                 QStringLiteral("True"));
    AssociateRecord adams =
        associate(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann"));
    adams.Badge = {QStringLiteral("X1"),
                   QString(),
                   QStringLiteral("X3"),
                   QString(),
                   QString(),
                   QString(),
                   QString(),
                   QString(),
                   QString(),
                   QStringLiteral("X10")};
    AssociateRecord brown =
        associate(QStringLiteral("B200"), QStringLiteral("Brown"), QStringLiteral("Bob"));
    s.storeAssociates({adams, brown});
    s.ui.when(list, [](FormDriver& driver) {
        driver.selectLine(QStringLiteral("lvList"), 1);
        driver.click(QStringLiteral("btnEdit"));
        driver.click(QStringLiteral("btnEdit"));
        driver.click(QStringLiteral("btnOK"));
    });
    // Slots 1 and 10 are exempt, every blank slot is left alone: no question.
    s.ui.when(window, [](FormDriver& record) {
        onPage(record, QStringLiteral("Badge Number"));
        record.type(QStringLiteral("txtBadge(1)"), QStringLiteral("x1"));
        record.type(QStringLiteral("txtBadge(10)"), QStringLiteral("X10"));
        record.type(QStringLiteral("txtBadge(4)"), QStringLiteral("a b"));
        EXPECT_EQ(record.value(QStringLiteral("txtBadge(4)")), "A B");
        record.type(QStringLiteral("txtBadge(5)"), QStringLiteral("\""));
        EXPECT_EQ(record.value(QStringLiteral("txtBadge(5)")), "") << "the double quote is refused";
        record.click(ok);
    });
    // Slot 3 is tested, against every slot of the other associates.
    s.ui.when(window, [](FormDriver& record) {
        onPage(record, QStringLiteral("Badge Number"));
        record.type(QStringLiteral("txtBadge(2)"), QStringLiteral("X3"));
        record.click(ok);
    });
    s.ui.answer(QStringLiteral("Badge # (2): X3 is not unique.  Record 1"), IDOK);
    EXPECT_FALSE(s.component.EditAssociate(0, *s.system));
    const std::vector<AssociateRecord> stored = s.storedAssociates();
    EXPECT_EQ(stored[1].Badge[0], "X1");
    EXPECT_EQ(stored[1].Badge[1], "X3");
    EXPECT_EQ(stored[1].Badge[3], "A B");
    EXPECT_EQ(stored[1].Badge[9], "X10");
    EXPECT_EQ(s.messages().size(), 1u);
}

TEST(frmEmployee, DeletesSeveralButNeverACurrentlyActiveAssociate) {
    AssociateSite s;
    s.storeAssociates(
        {associate(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann"), 1, 1),
         associate(QStringLiteral("B200"), QStringLiteral("Brown"), QStringLiteral("Bob"), 2, 1),
         associate(QStringLiteral("C300"), QStringLiteral("Cole"), QStringLiteral("Cy"), 2),
         associate(QStringLiteral("D400"), QStringLiteral("Dunn"), QStringLiteral("Di"), 1)});
    ProductionLineRecord line;
    line.Date = fixedNow().date();
    line.Associate = 2;
    line.Activity = 1;
    s.store(s.system->productionLines(), {line});
    s.ui.when(list, [](FormDriver& driver) {
        driver.selectLine(QStringLiteral("lvList"), 0);
        driver.selectLine(QStringLiteral("lvList"), 1, true);
        driver.selectLine(QStringLiteral("lvList"), 2, true);
        driver.click(QStringLiteral("btnDelete"));
        EXPECT_EQ(listTexts(driver), (QStringList{"B200", "D400"}));
        driver.click(QStringLiteral("btnOK"));
    });
    s.ui.answer(QStringLiteral("Cannot delete Associate: B200 - Brown, Bob .  They are currently "
                               "active on an Production Sheet."),
                IDOK);
    s.ui.when(QStringLiteral("frmDelete"), [](FormDriver& dialog) {
        EXPECT_EQ(dialog.value(QStringLiteral("Label2")), "2 Associates to be deleted:");
        EXPECT_EQ(dialog.value(QStringLiteral("lblItem")), "A100 - Adams, Ann\nC300 - Cole, Cy");
        EXPECT_EQ(dialog.value(QStringLiteral("Combo1")), "(None)");
        dialog.click(QStringLiteral("cmdDelete"));
    });
    s.ui.answer(QStringLiteral("OK to Delete these Associates from the system at this time?"),
                IDYES);
    EXPECT_FALSE(s.component.EditAssociate(0, *s.system));
    const std::vector<AssociateRecord> stored = s.storedAssociates();
    EXPECT_TRUE(stored[0].Code.trimmed().isEmpty());
    EXPECT_EQ(stored[1].Code, "B200");
    EXPECT_TRUE(stored[2].Code.trimmed().isEmpty());
    EXPECT_EQ(s.logEntries().size(), 2u);
    EXPECT_EQ(s.system->groupingMembers(901), QList<int>{4});
    EXPECT_EQ(s.system->groupingMembers(902), QList<int>{2});
    EXPECT_EQ(s.system->groupingMembers(1), QList<int>{2});
}

TEST(frmEmployee, DroppedEditsTakeTheirGroupingChangesAlong) {
    AssociateSite s;
    s.storeAssociates(
        {associate(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann"), 1, 1)});
    s.ui.when(list, [](FormDriver& driver) {
        driver.selectLine(QStringLiteral("lvList"), 0);
        driver.click(QStringLiteral("btnEdit"));
        EXPECT_EQ(listTexts(driver, 2), QStringList{"SHP"});
        driver.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(window, [](FormDriver& record) {
        record.set(QStringLiteral("cboWorkCenter"), QStringLiteral("SHP - Shipping"));
        record.click(ok);
    });
    s.component.EditAssociate(0, *s.system);
    EXPECT_EQ(s.system->groupingMembers(901), QList<int>{1});
    EXPECT_EQ(s.system->groupingMembers(902), QList<int>{});
}

TEST(frmEmployee, NeedsAnActiveWorkCenterAndOneActiveAssociateToSave) {
    AssociateSite s;
    s.store(s.system->workCenters(), {WorkCenterRecord{}, WorkCenterRecord{}});
    s.ui.answer(QStringLiteral("There must be at least one Work Center record active before "
                               "editing "),
                IDOK);
    EXPECT_FALSE(s.component.EditAssociate(0, *s.system));
    EXPECT_EQ(s.ui.transcript().messages().size(), 1u);

    AssociateSite t;
    t.storeAssociates(
        {associate(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann"))});
    t.ui.when(list, [](FormDriver& driver) {
        driver.click(QStringLiteral("btnDelete"));
        driver.click(QStringLiteral("btnOK"));
        EXPECT_TRUE(driver.form().isVisible());
        driver.click(QStringLiteral("btnCancel"));
    });
    t.ui.when(QStringLiteral("frmDelete"),
              [](FormDriver& dialog) { dialog.click(QStringLiteral("cmdDelete")); });
    t.ui.answer(QStringLiteral("OK to Delete this Associate from the system at this time?"), IDYES);
    t.ui.answer(QStringLiteral("There must be at least one Associate active before saving"), IDOK);
    t.component.EditAssociate(0, *t.system);
    EXPECT_EQ(t.storedAssociates()[0].Code, "A100");
}

}  // namespace
}  // namespace vel::testing
