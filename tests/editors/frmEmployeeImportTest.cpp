// The associate editor's "Import..." button works on the table as the editor holds it: the
// edits made before it stay, and the list's own OK or Cancel decides for both, groupings included.
#include "AssociateSite.h"

#include "editors/frmEmployee.h"
#include "ui/MessageBoxCodes.h"

#include <QFile>

namespace vel::testing {
namespace {

const QString list = QStringLiteral("TBEditForm");

struct ImportingSite : AssociateSite {
    ImportingSite() {
        storeAssociates(
            {associate(QStringLiteral("A100"), QStringLiteral("Adams"), QStringLiteral("Ann"), 1,
                       1),
             associate(QStringLiteral("B200"), QStringLiteral("Brown"), QStringLiteral("Bob"), 2)});
        QFile file(importFile);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("C300,CARTER,Cy,SHP\nB200,,,RCV\n");
    }
    // Moves A100 to Adamson in shipping in the record window, then imports the file, the preview
    // answered as given, and closes the list with the button given.
    void editImportAndClose(bool previewOK, const QString& listButton) {
        ui.when(list, [&](FormDriver& driver) {
            driver.selectLine(QStringLiteral("lvList"), 0);
            driver.click(QStringLiteral("btnEdit"));
            driver.click(QStringLiteral("btnAction(1)"));
            EXPECT_EQ(listTexts(driver, 1).value(0), "Adamson, Ann") << "the edit is still held";
            driver.click(listButton);
        });
        ui.when(QStringLiteral("frmEmployee"), [](FormDriver& record) {
            record.set(QStringLiteral("Text1(2)"), QStringLiteral("Adamson"));
            record.set(QStringLiteral("cboWorkCenter"), QStringLiteral("SHP - Shipping"));
            record.click(QStringLiteral("SaveButtons1(1)"));
        });
        ui.when(QStringLiteral("frmOKtoImport"),
                [](FormDriver& choice) { choice.click(QStringLiteral("cmdOK")); });
        ui.when(QStringLiteral("frmImport"), [this](FormDriver& window) {
            window.set(QStringLiteral("txtFileName"), importFile);
            window.click(QStringLiteral("cmdImport"));
        });
        ui.when(QStringLiteral("frmImportShow"), [previewOK](FormDriver& preview) {
            preview.click(previewOK ? QStringLiteral("cmdOK") : QStringLiteral("cmdCancel"));
        });
        if (previewOK) {
            ui.answer(QStringLiteral("Importing Complete.  There were: \n1 records added, and 1 "
                                     "records updated"),
                      IDOK);
        }
        component.EditAssociate(0, *system);
    }
    QStringList storedNames() {
        QStringList names;
        for (const AssociateRecord& record : storedAssociates()) {
            names << record.Code.trimmed() + QLatin1Char(' ') + record.LastName.trimmed() +
                         QLatin1Char(' ') + QString::number(record.WorkCenter);
        }
        return names;
    }
    const QString importFile = site.path(QStringLiteral("people.csv"));
};

TEST(frmEmployeeImport, ACancelledImportKeepsTheEditorsEditsForItsOK) {
    ImportingSite s;
    s.editImportAndClose(false, QStringLiteral("btnOK"));
    EXPECT_EQ(s.storedNames(), (QStringList{"A100 Adamson 2", "B200 Brown 2"}));
    EXPECT_EQ(s.system->groupingMembers(901), QList<int>{});
    EXPECT_EQ(s.system->groupingMembers(902), (QList<int>{1, 2}));
}

TEST(frmEmployeeImport, TheListsCancelDropsTheImportAndTheEditsAlike) {
    ImportingSite s;
    s.editImportAndClose(true, QStringLiteral("btnCancel"));
    EXPECT_EQ(s.storedNames(), (QStringList{"A100 Adams 1", "B200 Brown 2"}));
    EXPECT_EQ(s.system->groupingMembers(901), QList<int>{1});
    EXPECT_EQ(s.system->groupingMembers(902), QList<int>{2});
    EXPECT_EQ(s.system->groupingMembers(1), QList<int>{1});
}

TEST(frmEmployeeImport, TheListsOKSavesTheImportAndTheEditsTogether) {
    ImportingSite s;
    s.editImportAndClose(true, QStringLiteral("btnOK"));
    EXPECT_EQ(s.storedNames(), (QStringList{"A100 Adamson 2", "B200 Brown 1", "C300 Carter 2"}));
    EXPECT_EQ(s.system->groupingMembers(901), QList<int>{2});
    EXPECT_EQ(s.system->groupingMembers(902), (QList<int>{1, 3}));
    QStringList actions;
    for (const ChangeLogEntry& entry : s.logEntries()) {
        actions << entry.Action.trimmed() + QLatin1Char(' ') + entry.Code.trimmed();
    }
    EXPECT_EQ(actions, (QStringList{"Edit A100", "Add C300", "Updated B200", "Imported "}));
}

}  // namespace
}  // namespace vel::testing
