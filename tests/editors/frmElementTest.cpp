// The element editor through the command class and the headless driver, on a reference system.
#include "EditorHarness.h"

#include "data/records/ActivityRecord.h"
#include "data/records/ElementRecord.h"
#include "editors/frmElement.h"
#include "ui/Button.h"
#include "ui/MessageBoxCodes.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace vel::testing {
namespace {

ElementRecord element(const QString& description, int entryType = ElementRecord::Quantity,
                      int standardUnit = ElementRecord::MinutesPerUnit) {
    ElementRecord record;
    record.Desc = description;
    record.EntryType = entryType;
    record.StdType = standardUnit;
    return record;
}

struct ElementSite : EditorHarness {
    std::vector<ElementRecord> storedElements() { return stored(&VelmorSystem::elements); }
    QStringList storedDescriptions() {
        QStringList descriptions;
        for (const ElementRecord& record : storedElements()) {
            descriptions << record.Desc.trimmed();
        }
        return descriptions;
    }
};

const QString oneStandard =
    QStringLiteral("Can only have one element that is set for holding standards.");

TEST(frmElement, AddsAndEditsWithTheChecksTheLanguagesAndTheChangeLog) {
    ElementSite s;
    s.site.setSetting(QStringLiteral("Features"), QStringLiteral("Languages"), QStringLiteral("2"));
    s.reopen();
    s.store(s.system->elements(), {element(QStringLiteral("Cases")),
                                   element(QStringLiteral("Travel Minutes"),
                                           ElementRecord::Standard, ElementRecord::UnitsPerHour)});
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Element Table");
        EXPECT_EQ(listTexts(list), (QStringList{"Cases", "Travel Minutes"}));
        EXPECT_EQ(listTexts(list, 1), (QStringList{"Quantity", "Units per Hour"}));
        EXPECT_EQ(listTexts(list, 2), (QStringList{"1", "2"}));
        EXPECT_TRUE(totalsText(list).startsWith(QStringLiteral("2 active of ")));
        list.click(QStringLiteral("btnAdd"));
        list.selectLine(QStringLiteral("lvList"), 0);
        list.click(QStringLiteral("btnEdit"));
        EXPECT_EQ(listTexts(list), (QStringList{"Pieces", "Travel Minutes", "Lines"}));
        list.click(QStringLiteral("btnOK"));
    });
    // The add: blanks only, then a duplicate with other blanks around it, then a new one.
    s.ui.when(QStringLiteral("frmElement"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Add Element Record: 3");
        EXPECT_EQ(record.value(QStringLiteral("optType(0)")), "1");
        EXPECT_FALSE(record.find(QStringLiteral("frmStd"))->enabled());
        EXPECT_TRUE(record.find(QStringLiteral("lblNote"))->visible());
        EXPECT_TRUE(record.find(QStringLiteral("txtLanguage(2)"))->visible());
        EXPECT_FALSE(record.find(QStringLiteral("txtLanguage(3)"))->visible());
        EXPECT_EQ(record.find(QStringLiteral("txtLanguage(2)"))->caption(), "Language 2:");
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("   "));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("Description: Field cannot be blank"), IDOK);
    s.ui.when(QStringLiteral("frmElement"), [](FormDriver& record) {
        EXPECT_EQ(record.form().focused(), record.find(QStringLiteral("Text1(0)")));
        record.set(QStringLiteral("Text1(0)"), QStringLiteral(" Cases "));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("Element Code is not unique"), IDOK);
    s.ui.when(QStringLiteral("frmElement"), [](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("Lines"));
        record.selectTab(QStringLiteral("TabStrip1"), 2);
        record.set(QStringLiteral("txtLanguage(1)"), QStringLiteral("Lignes"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    // The edit renames the first element.
    s.ui.when(QStringLiteral("frmElement"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Edit Element Record: 1");
        EXPECT_EQ(record.value(QStringLiteral("Text1(0)")), "Cases");
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("Pieces"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    // The command class follows a changed table with its automatic export.
    s.ui.answerAlways(QStringLiteral("is not available yet"), IDOK);
    EXPECT_FALSE(s.component.EditElement(0, *s.system)) << "the operation answers False";

    const auto messages = editorMessages(s.ui.transcript());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].style, MB_ICONCRITICAL);
    EXPECT_EQ(messages[1].style, MB_ICONEXCLAMATION);
    const auto stored = s.storedElements();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].Desc.trimmed(), "Pieces");
    EXPECT_EQ(stored[2].Desc.trimmed(), "Lines");
    EXPECT_EQ(stored[2].Lang[0].trimmed(), "Lignes");
    EXPECT_EQ(stored[2].EntryType, ElementRecord::Quantity);

    const auto entries = s.system->changeLog().entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Code.trimmed(), "Lines");
    EXPECT_EQ(entries[0].Action.trimmed(), "Add");
    EXPECT_EQ(entries[1].Code.trimmed(), "Pieces");
    EXPECT_EQ(entries[1].Action.trimmed(), "Edit");
    EXPECT_EQ(entries[1].Changes.trimmed(), "Desc");
}

TEST(frmElement, KeepsOneStandardElementAndLetsItMoveToAnotherInOneEdit) {
    ElementSite s;
    s.store(s.system->elements(), {element(QStringLiteral("Cases"), ElementRecord::Standard),
                                   element(QStringLiteral("Lines"))});
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.selectLine(QStringLiteral("lvList"), 1);
        list.click(QStringLiteral("btnEdit"));  // Standard refused while Cases holds it
        list.selectLine(QStringLiteral("lvList"), 0);
        list.click(QStringLiteral("btnEdit"));  // Cases becomes Quantity
        list.selectLine(QStringLiteral("lvList"), 1);
        list.click(QStringLiteral("btnEdit"));  // now Lines may be Standard
        EXPECT_EQ(listTexts(list, 1), (QStringList{"Quantity", "Units per Hour"}));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmElement"), [](FormDriver& record) {
        record.click(QStringLiteral("optType(1)"));
        EXPECT_EQ(record.value(QStringLiteral("optType(0)")), "1") << "the choice is refused";
        EXPECT_FALSE(record.find(QStringLiteral("frmStd"))->enabled());
        EXPECT_TRUE(record.find(QStringLiteral("lblNote"))->visible());
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    s.ui.answer(oneStandard, IDOK);
    s.ui.when(QStringLiteral("frmElement"), [](FormDriver& record) {
        EXPECT_EQ(record.value(QStringLiteral("optType(1)")), "1");
        EXPECT_TRUE(record.find(QStringLiteral("frmStd"))->enabled());
        EXPECT_FALSE(record.find(QStringLiteral("lblNote"))->visible());
        record.click(QStringLiteral("optType(0)"));
        EXPECT_FALSE(record.click(QStringLiteral("optStdType(1)"))) << "the frame is disabled";
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.when(QStringLiteral("frmElement"), [](FormDriver& record) {
        record.click(QStringLiteral("optType(1)"));
        record.click(QStringLiteral("optStdType(1)"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    EXPECT_TRUE(s.edit<frmElement>());
    auto stored = s.storedElements();
    EXPECT_EQ(stored[0].EntryType, ElementRecord::Quantity);
    EXPECT_EQ(stored[1].EntryType, ElementRecord::Standard);
    EXPECT_EQ(stored[1].StdType, ElementRecord::UnitsPerHour);

    // Two standard elements stored by an older program: OK refuses the second until it is
    // made a quantity.
    s.store(s.system->elements(), {element(QStringLiteral("Cases"), ElementRecord::Standard),
                                   element(QStringLiteral("Lines"), ElementRecord::Standard)});
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.selectLine(QStringLiteral("lvList"), 1);
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmElement"), [](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("Order lines"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(oneStandard, IDOK);
    s.ui.when(QStringLiteral("frmElement"), [](FormDriver& record) {
        EXPECT_EQ(record.value(QStringLiteral("Text1(0)")), "Order lines") << "the window reopens";
        record.click(QStringLiteral("optType(0)"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    EXPECT_TRUE(s.edit<frmElement>());
    stored = s.storedElements();
    EXPECT_EQ(stored[1].Desc.trimmed(), "Order lines");
    EXPECT_EQ(stored[1].EntryType, ElementRecord::Quantity);
}

TEST(frmElement, DeletesMovingTheDataOfAnElementInUseAndKeepsOneActive) {
    ElementSite s;
    s.store(s.system->elements(),
            {element(QStringLiteral("Cases")), element(QStringLiteral("Lines")),
             element(QStringLiteral("Pallets"))});
    ActivityRecord picking = withCode<ActivityRecord>(QStringLiteral("PICK"));
    picking.Elements[0].Element = 1;
    s.store(s.system->activities(), {picking});

    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.selectLine(QStringLiteral("lvList"), 0);
        list.click(QStringLiteral("btnDelete"));  // in use: cancelled in frmDelete
        list.click(QStringLiteral("btnDelete"));  // in use: its data to "Lines"
        EXPECT_EQ(listTexts(list), (QStringList{"Lines", "Pallets"}));
        list.selectLine(QStringLiteral("lvList"), 1);
        list.click(QStringLiteral("btnDelete"));  // unused: answered No
        list.click(QStringLiteral("btnDelete"));  // unused: deleted
        EXPECT_EQ(listTexts(list), QStringList{"Lines"});
        list.click(QStringLiteral("btnOK"));
    });
    const QString inUse = QStringLiteral(
        "Cannot delete the Element selected.  It is used on an "
        "Activity.  However, you can add its data to another "
        "element");
    s.ui.answer(inUse, IDOK);
    s.ui.when(QStringLiteral("frmDelete"), [](FormDriver& dialog) {
        EXPECT_EQ(dialog.value(QStringLiteral("Label2")), "Element to be deleted:");
        EXPECT_EQ(dialog.value(QStringLiteral("lblItem")), "Cases");
        dialog.click(QStringLiteral("cmdCancel"));
    });
    s.ui.answer(inUse, IDOK);
    s.ui.when(QStringLiteral("frmDelete"), [](FormDriver& dialog) {
        dialog.set(QStringLiteral("Combo1"), QStringLiteral("Lines"));
        dialog.click(QStringLiteral("cmdDelete"));
    });
    s.ui.answer(QStringLiteral("OK to Delete this Element from the system at this time?"), IDYES);
    s.ui.answer(QStringLiteral("OK to Delete this Element from the system at this time?"), IDNO);
    s.ui.answer(QStringLiteral("OK to Delete this Element from the system at this time?"), IDYES);
    EXPECT_TRUE(s.edit<frmElement>());
    EXPECT_EQ(s.storedDescriptions(), (QStringList{"", "Lines", ""}));
    auto& activities = s.system->activities();
    ASSERT_TRUE(activities.open());
    EXPECT_EQ(activities.record(1).Elements[0].Element, 2) << "the activity's slot moved";
    activities.close();
    const auto entries = s.system->changeLog().entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Action.trimmed(), "Delete");
    EXPECT_EQ(entries[0].Code.trimmed(), "Cases");

    // The last active element (now on the activity) deleted with its data dropped: saving is
    // refused, cancelling keeps the stored tables.
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnDelete"));
        EXPECT_TRUE(listTexts(list).isEmpty());
        list.click(QStringLiteral("btnOK"));
        EXPECT_TRUE(list.form().isVisible()) << "the list stays open after the refusal";
        list.click(QStringLiteral("btnCancel"));
    });
    s.ui.answer(QStringLiteral("Cannot delete the Element selected.  It is used on an Activity"),
                IDOK);
    s.ui.when(QStringLiteral("frmDelete"), [](FormDriver& dialog) {
        EXPECT_EQ(dialog.value(QStringLiteral("Combo1")), "(None)");
        dialog.click(QStringLiteral("cmdDelete"));
    });
    s.ui.answer(QStringLiteral("OK to Delete this Element"), IDYES);
    s.ui.answer(QStringLiteral("There must be at least one Element active before saving"), IDOK);
    EXPECT_TRUE(s.edit<frmElement>());
    EXPECT_EQ(s.storedDescriptions().value(1), "Lines");
    auto& activitiesAfterCancel = s.system->activities();
    ASSERT_TRUE(activitiesAfterCancel.open());
    EXPECT_EQ(activitiesAfterCancel.record(1).Elements[0].Element, 2);
    activitiesAfterCancel.close();
}

TEST(frmElement, AnEmptyTableKeepsTheListOpenUntilAnElementIsActive) {
    ElementSite s;
    s.ui.when(QStringLiteral("TBEditForm"),
              [](FormDriver& list) { list.click(QStringLiteral("btnCancel")); });
    s.ui.answer(QStringLiteral("At least 1 Element must be active"), IDOK);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnAdd"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmElement"), [](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("Cases"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    EXPECT_TRUE(s.edit<frmElement>());
    const auto& messages = s.ui.transcript().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].style, MB_ICONCRITICAL);
    EXPECT_EQ(s.storedDescriptions(), QStringList{"Cases"});
}

TEST(frmElement, ViewOnlyWritesNothingAndThePrintOutListsEveryActiveElement) {
    ElementSite s;
    s.store(s.system->elements(),
            {element(QStringLiteral("Cases")), element(QString()),
             element(QStringLiteral("Travel Minutes"), ElementRecord::Standard)});
    const QStringList lines = s.viewAndPrint<frmElement>(QStringLiteral("Element"), 1, 3);
    EXPECT_EQ(s.storedDescriptions(), (QStringList{"Cases", "", "Travel Minutes"}));

    EXPECT_EQ(lines.filter(QStringLiteral("List of Elements")).size(), 1);
    EXPECT_EQ(
        lines.filter(QRegularExpression(QStringLiteral("^Number +Description +Type$"))).size(), 1);
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^ *1 +Cases +Quantity$"))).size(), 1);
    EXPECT_EQ(
        lines.filter(QRegularExpression(QStringLiteral("^ *3 +Travel Minutes +Minutes per Unit$")))
            .size(),
        1);
    EXPECT_EQ(lines.filter(QStringLiteral("2 active of")).size(), 1);
}

TEST(frmElement, CorporateControlKeepsElementsThatTheControlFileHoldsAndRefusesOthers) {
    ElementSite s;
    s.site.setSetting(QStringLiteral("Features"), QStringLiteral("UsesCorporateControl"),
                      QStringLiteral("1"));
    s.reopen();
    s.store(s.system->elements(),
            {element(QStringLiteral("Cases")), element(QStringLiteral("Local"))});
    // The site's copy of the control file's elements, as the corporate control check leaves it.
    ASSERT_TRUE(QDir().mkpath(s.site.path(QStringLiteral("Corporate"))));
    ASSERT_TRUE(QFile::copy(s.site.path(QStringLiteral("TBVMELM.--1")),
                            s.site.path(QStringLiteral("Corporate/TBVMELM.--1"))));
    s.store(s.system->corporateElements(), {element(QStringLiteral("Cases ")), element(QString()),
                                            element(QStringLiteral("Lines"))});

    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.selectLine(QStringLiteral("lvList"), 0);
        list.click(QStringLiteral("btnDelete"));  // active in the control file
        list.click(QStringLiteral("btnAdd"));
        EXPECT_EQ(listTexts(list), (QStringList{"Cases", "Local", "Lines"}));
        list.selectLine(QStringLiteral("lvList"), 1);
        list.click(QStringLiteral("btnDelete"));  // not in the control file: may go
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.answer(QStringLiteral("Cannot delete the Element selected.  It is active in the "
                               "Corporate Control File."),
                IDOK);
    s.ui.when(QStringLiteral("frmElement"), [](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("Cartons"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("Element is not active in the Corporate Control File"), IDOK);
    s.ui.when(QStringLiteral("frmElement"), [](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("Lines"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("OK to Delete this Element"), IDYES);
    EXPECT_TRUE(s.edit<frmElement>());
    EXPECT_EQ(s.storedDescriptions(), (QStringList{"Cases", "", "Lines"}));
}

// A corporate copy that cannot be opened is named, and the editor only views: no element can
// be added or deleted without the control file.
TEST(frmElement, WithoutItsCorporateCopyTheEditorOnlyViews) {
    ElementSite s;
    s.site.setSetting(QStringLiteral("Features"), QStringLiteral("UsesCorporateControl"),
                      QStringLiteral("1"));
    s.reopen();
    s.store(s.system->elements(), {element(QStringLiteral("Cases"))});
    ASSERT_TRUE(QDir().mkpath(s.site.path(QStringLiteral("Corporate"))));
    QFile broken(s.site.path(QStringLiteral("Corporate/TBVMELM.--1")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a table");
    broken.close();
    s.ui.answer(QStringLiteral("Error opening the Corporate Element Table"), IDOK);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Element Table (readonly)");
        EXPECT_FALSE(list.click(QStringLiteral("btnAdd")));
        EXPECT_FALSE(list.click(QStringLiteral("btnDelete")));
        list.click(QStringLiteral("btnCancel"));
    });
    EXPECT_TRUE(s.edit<frmElement>());
    EXPECT_EQ(s.storedDescriptions(), QStringList{"Cases"});
}

}  // namespace
}  // namespace vel::testing
