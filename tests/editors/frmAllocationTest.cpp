// The allocation editor through the command class and the headless driver, on a reference
// system.
#include "EditorHarness.h"

#include "data/records/ActivityRecord.h"
#include "data/records/AllocationRecord.h"
#include "editors/frmAllocation.h"
#include "data/records/ProductionLineRecord.h"
#include "ui/Button.h"
#include "ui/MessageBoxCodes.h"

#include <QFile>
#include <QRegularExpression>

namespace vel::testing {
namespace {

AllocationRecord allocation(const QString& code, const QString& description, int sequence) {
    AllocationRecord record;
    record.Code = code;
    record.Desc = description;
    record.Sequence = sequence;
    return record;
}

struct AllocationSite : EditorHarness {
    // Stores the allocations; accounts 1 to the number then exist in the master file.
    void storeAllocations(const std::vector<AllocationRecord>& records, int accounts) {
        store(system->allocations(), records);
        ASSERT_TRUE(system->addAllocationAccount(accounts));
    }
    std::vector<AllocationRecord> storedAllocations() { return stored(&VelmorSystem::allocations); }
    QStringList storedCodes() {
        QStringList codes;
        for (const AllocationRecord& record : storedAllocations()) {
            codes << record.Code.trimmed();
        }
        return codes;
    }
};

const QString addAccount =
    QStringLiteral("OK to Add this Account to the Tallybook Master file at this time?");

TEST(frmAllocation, AddsWithTheChecksAndAsksForTheAccountOfANewNumber) {
    AllocationSite s;
    s.storeAllocations({allocation(QStringLiteral("C1"), QStringLiteral("Acme Foods"), 1),
                        allocation(QStringLiteral("C2"), QStringLiteral("Bolt Hardware"), 2)},
                       2);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Allocation Table");
        EXPECT_EQ(listTexts(list), (QStringList{"C1", "C2"}));
        EXPECT_EQ(listTexts(list, 1), (QStringList{"Acme Foods", "Bolt Hardware"}));
        EXPECT_EQ(listTexts(list, 2), (QStringList{"1", "2"}));
        EXPECT_EQ(listTexts(list, 3), (QStringList{"1", "2"}));
        EXPECT_EQ(totalsText(list), "2 active, 2 allocated, of 999 maximum");
        list.click(QStringLiteral("btnAdd"));  // account refused: nothing added
        EXPECT_EQ(listTexts(list), (QStringList{"C1", "C2"}));
        list.click(QStringLiteral("btnAdd"));  // account created
        EXPECT_EQ(listTexts(list), (QStringList{"C1", "C2", "C-3"}));
        EXPECT_EQ(totalsText(list), "3 active, 3 allocated, of 999 maximum");
        list.click(QStringLiteral("btnOK"));
    });
    // The first add: a blank code, a blank description, a code another record holds.
    s.ui.when(QStringLiteral("frmAllocation"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Add Allocation Record: 3");
        EXPECT_EQ(record.value(QStringLiteral("Text1(0)")), "");
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Cobalt Retail"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("Code: Field cannot be blank"), IDOK);
    s.ui.when(QStringLiteral("frmAllocation"), [](FormDriver& record) {
        EXPECT_EQ(record.form().focused(), record.find(QStringLiteral("Text1(0)")));
        record.type(QStringLiteral("Text1(0)"), QStringLiteral("c2"));
        EXPECT_EQ(record.value(QStringLiteral("Text1(0)")), "C2") << "codes are upper case";
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("  "));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("Description: Field cannot be blank"), IDOK);
    s.ui.when(QStringLiteral("frmAllocation"), [](FormDriver& record) {
        EXPECT_EQ(record.form().focused(), record.find(QStringLiteral("Text1(1)")));
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Cobalt Retail"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("Allocation Code is not unique"), IDOK);
    s.ui.when(QStringLiteral("frmAllocation"), [](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("c-3"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(addAccount, IDCANCEL);
    // The second add: the account is created.
    s.ui.when(QStringLiteral("frmAllocation"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Add Allocation Record: 3");
        EXPECT_EQ(record.value(QStringLiteral("Text1(0)")), "") << "the dropped add left nothing";
        record.type(QStringLiteral("Text1(0)"), QStringLiteral("c-3"));
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Cobalt Retail"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(addAccount, IDOK);
    // The command class follows a changed table with its automatic export.
    s.ui.answerAlways(QStringLiteral("is not available yet"), IDOK);
    EXPECT_FALSE(s.component.EditAllocation(0, *s.system)) << "the operation answers False";

    const auto messages = editorMessages(s.ui.transcript());
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[0].style, MB_ICONCRITICAL);
    EXPECT_EQ(messages[2].style, MB_ICONEXCLAMATION);
    EXPECT_EQ(messages[3].style, MB_OKCANCEL | MB_ICONQUESTION);
    const auto stored = s.storedAllocations();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[2].Code.trimmed(), "C-3");
    EXPECT_EQ(stored[2].Desc.trimmed(), "Cobalt Retail");
    EXPECT_EQ(stored[2].Sequence, 3) << "a new allocation comes last in the sequence";
    EXPECT_EQ(s.system->allocationAccounts(), 3);
    const auto entries = s.system->changeLog().entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Code.trimmed(), "C-3");
    EXPECT_EQ(entries[0].Action.trimmed(), "Add");
}

TEST(frmAllocation, AnAddRefusedItsAccountLeavesTheTableAndTheMasterFileAsTheyWere) {
    AllocationSite s;
    s.storeAllocations({allocation(QStringLiteral("C1"), QStringLiteral("Acme Foods"), 1)}, 1);
    QFile masterFile(s.site.path(QStringLiteral("TBMASTER.1")));
    ASSERT_TRUE(masterFile.open(QIODevice::ReadOnly));
    const QByteArray masterBefore = masterFile.readAll();
    masterFile.close();
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnAdd"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmAllocation"), [](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("C2"));
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Bolt Hardware"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(addAccount, IDCANCEL);
    EXPECT_TRUE(s.edit<frmAllocation>());
    EXPECT_EQ(s.storedCodes(), QStringList{"C1"});
    ASSERT_TRUE(masterFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(masterFile.readAll(), masterBefore);
    EXPECT_EQ(s.system->allocationAccounts(), 1);

    // A free record within the accounts needs no question; an edit upper-cases its code.
    s.storeAllocations({allocation(QString(), QString(), 0),
                        allocation(QStringLiteral("C2"), QStringLiteral("Bolt Hardware"), 4)},
                       2);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnAdd"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmAllocation"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Edit Allocation Record: 2");
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("c2b"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.when(QStringLiteral("frmAllocation"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Add Allocation Record: 1");
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("C1"));
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Acme Foods"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    EXPECT_TRUE(s.edit<frmAllocation>());
    const auto stored = s.storedAllocations();
    EXPECT_EQ(stored[0].Code.trimmed(), "C1");
    EXPECT_EQ(stored[0].Sequence, 5);
    EXPECT_EQ(stored[1].Code.trimmed(), "C2B");
    EXPECT_EQ(s.system->allocationAccounts(), 2);
}

TEST(frmAllocation, DeletesOnlyAllocationsInUseNowhere) {
    AllocationSite s;
    s.storeAllocations({allocation(QStringLiteral("C1"), QStringLiteral("Acme Foods"), 1),
                        allocation(QStringLiteral("C2"), QStringLiteral("Bolt Hardware"), 2),
                        allocation(QStringLiteral("C3"), QStringLiteral("Cobalt Retail"), 3)},
                       3);
    ActivityRecord picking = withCode<ActivityRecord>(QStringLiteral("PICK"));
    picking.AllocationStandards[2] = {};
    s.store(s.system->activities(), {picking});
    ProductionLineRecord line;
    line.Date = fixedNow().date();
    line.Activity = 1;
    line.Allocation = 1;
    s.store(s.system->productionLines(), {line});

    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        for (int index = 0; index < 3; ++index) {
            list.selectLine(QStringLiteral("lvList"), index);
            list.click(QStringLiteral("btnDelete"));
        }
        list.selectLine(QStringLiteral("lvList"), 2);
        list.click(QStringLiteral("btnDelete"));
        EXPECT_EQ(listTexts(list), (QStringList{"C1", "C2"}));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.answer(QStringLiteral("Cannot delete the Allocation selected.  It is used on a "
                               "Production Sheet"),
                IDOK);
    s.ui.answer(QStringLiteral("Cannot delete the Allocation selected.  It is used on a Activity"),
                IDOK);
    s.ui.answer(QStringLiteral("OK to Delete this Allocation from the system at this time?"), IDNO);
    s.ui.answer(QStringLiteral("OK to Delete this Allocation from the system at this time?"),
                IDYES);
    EXPECT_TRUE(s.edit<frmAllocation>());
    EXPECT_EQ(s.storedCodes(), (QStringList{"C1", "C2", ""}));
    const auto entries = s.system->changeLog().entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Code.trimmed(), "C3");
    EXPECT_EQ(entries[0].Action.trimmed(), "Delete");
}

TEST(frmAllocation, ImportFromTheListAndViewOnlyPrintsTheList) {
    AllocationSite s;
    s.storeAllocations({allocation(QStringLiteral("C1"), QStringLiteral("Acme Foods"), 2),
                        allocation(QString(), QString(), 0),
                        allocation(QStringLiteral("C3"), QStringLiteral("Cobalt Retail"), 1)},
                       3);
    const QString file = s.site.path(QStringLiteral("customers.txt"));
    QFile text(file);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("CODE\tDESCRIPTION\nc9\tNew customer\nC1\tAcme Foods Inc\n");
    text.close();
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().control(QStringLiteral("btnAction(1)")).caption(), "Import...");
        list.click(QStringLiteral("btnAction(1)"));
        EXPECT_EQ(listTexts(list), (QStringList{"C1", "C9", "C3"}));
        list.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(QStringLiteral("frmImport"), [&file](FormDriver& window) {
        EXPECT_EQ(window.form().caption(), "Import Allocation Table Records");
        EXPECT_EQ(window.value(QStringLiteral("txtFileName")), "alloc.txt");
        window.set(QStringLiteral("txtFileName"), file);
        window.set(QStringLiteral("nbRows"), QStringLiteral("1"));
        window.click(QStringLiteral("cmdImport"));
    });
    s.ui.when(QStringLiteral("frmImportShow"), [](FormDriver& preview) {
        const auto& fields = preview.form().controlAs<ListView>(QStringLiteral("lvFields"));
        EXPECT_EQ(fields.item(0).texts, (QStringList{"Code:", "c9"}));
        preview.click(QStringLiteral("cmdOK"));
    });
    s.ui.answer(QStringLiteral("Importing Complete.  There were: \n1 added, 1 updated"), IDOK);
    s.ui.answer(QStringLiteral("Would you like to add the new Allocations to the Activities"), IDNO);
    EXPECT_TRUE(s.edit<frmAllocation>());
    EXPECT_EQ(s.storedCodes(), (QStringList{"C1", "", "C3"})) << "the list's Cancel drops the import";

    s.storeAllocations({allocation(QStringLiteral("C1"), QStringLiteral("Acme Foods"), 2),
                        allocation(QString(), QString(), 0),
                        allocation(QStringLiteral("C3"), QStringLiteral("Cobalt Retail"), 1)},
                       3);

    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().findControl(QStringLiteral("btnAction(1)")), nullptr)
            << "no import while viewing";
        list.click(QStringLiteral("btnCancel"));
    });
    EXPECT_TRUE(s.edit<frmAllocation>(true));
    const QStringList lines = s.viewAndPrint<frmAllocation>(QStringLiteral("Allocation"), 1, 3);
    EXPECT_EQ(s.storedCodes(), (QStringList{"C1", "", "C3"}));
    EXPECT_EQ(lines.filter(QStringLiteral("List of Allocations")).size(), 1);
    EXPECT_EQ(
        lines.filter(QRegularExpression(QStringLiteral("^Number +Code +Description +Sequence$")))
            .size(),
        1);
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^ *1 +C1 +Acme Foods +2$"))).size(),
              1);
    EXPECT_EQ(
        lines.filter(QRegularExpression(QStringLiteral("^ *3 +C3 +Cobalt Retail +1$"))).size(), 1);
    EXPECT_EQ(lines.filter(QStringLiteral("2 active, 3 allocated, of 999 maximum")).size(), 1);
}

// The import works on the table as the editor holds it: an edit made before it stays when the
// import is cancelled at its preview, and the list's OK saves both, adding the new allocations to
// the activities only then.
TEST(frmAllocation, ImportKeepsTheEditorsEditsAndItsOKOrCancel) {
    AllocationSite s;
    s.storeAllocations({allocation(QStringLiteral("C1"), QStringLiteral("Acme Foods"), 1)}, 1);
    ActivityRecord picking = withCode<ActivityRecord>(QStringLiteral("PICK"));
    picking.Allocate = 1;
    picking.Elements[0].Element = 1;
    picking.Elements[0].Standard = 80.0F;
    picking.AllocationStandards[1] = {};
    s.store(s.system->activities(), {picking});
    const QString file = s.site.path(QStringLiteral("customers.txt"));
    QFile text(file);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("C7\tSeventh customer\n");
    text.close();
    const auto run = [&](bool previewOK, const QString& listButton) {
        s.reopen();
        s.ui.when(QStringLiteral("TBEditForm"), [listButton](FormDriver& list) {
            list.selectLine(QStringLiteral("lvList"), 0);
            list.click(QStringLiteral("btnEdit"));
            list.click(QStringLiteral("btnAction(1)"));
            EXPECT_EQ(listTexts(list, 1).value(0), "Acme Foods Inc") << "the edit is still held";
            list.click(listButton);
        });
        s.ui.when(QStringLiteral("frmAllocation"), [](FormDriver& record) {
            record.set(QStringLiteral("Text1(1)"), QStringLiteral("Acme Foods Inc"));
            record.click(QStringLiteral("SaveButtons1(1)"));
        });
        s.ui.when(QStringLiteral("frmImport"), [&file](FormDriver& window) {
            window.set(QStringLiteral("txtFileName"), file);
            window.click(QStringLiteral("cmdImport"));
        });
        s.ui.when(QStringLiteral("frmImportShow"), [previewOK](FormDriver& preview) {
            preview.click(previewOK ? QStringLiteral("cmdOK") : QStringLiteral("cmdCancel"));
        });
        if (previewOK) {
            s.ui.answer(QStringLiteral("Importing Complete.  There were: \n1 added, 0 updated"),
                        IDOK);
            s.ui.answer(QStringLiteral("Would you like to add the new Allocations to the Activities"),
                        IDYES);
        }
        EXPECT_TRUE(s.edit<frmAllocation>());
    };
    const auto storedDescriptions = [&s] {
        QStringList descriptions;
        for (const AllocationRecord& record : s.storedAllocations()) {
            descriptions << record.Desc.trimmed();
        }
        return descriptions;
    };
    const auto activityAllocations = [&s] {
        QList<int> numbers;
        const auto activities = s.stored(&VelmorSystem::activities);
        for (const auto& entry : activities[0].AllocationStandards) {
            numbers << entry.first;
        }
        return numbers;
    };

    run(true, QStringLiteral("btnCancel"));
    EXPECT_EQ(storedDescriptions(), QStringList{"Acme Foods"});
    EXPECT_EQ(activityAllocations(), QList<int>{1}) << "nothing reaches the activities";

    run(false, QStringLiteral("btnOK"));
    EXPECT_EQ(storedDescriptions(), QStringList{"Acme Foods Inc"});

    run(true, QStringLiteral("btnOK"));
    EXPECT_EQ(storedDescriptions(), (QStringList{"Acme Foods Inc", "Seventh customer"}));
    EXPECT_EQ(activityAllocations(), (QList<int>{1, 2}));
    EXPECT_FLOAT_EQ(s.stored(&VelmorSystem::activities)[0].AllocationStandards.at(2)[0], 80.0F);
}

}  // namespace
}  // namespace vel::testing
