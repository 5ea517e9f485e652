// The mistake editor through the command class and the headless driver, on a reference system.
#include "EditorHarness.h"

#include "data/records/MistakeRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "editors/frmMistake.h"
#include "ui/Button.h"
#include "ui/MessageBoxCodes.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace vel::testing {
namespace {

struct MistakeSite : EditorHarness {
    MistakeSite() {
        site.setSetting(QStringLiteral("Features"), QStringLiteral("MistakeTracking"),
                        QStringLiteral("1"));
        reopen();
    }
    void storeMistakes(const QStringList& descriptions) {
        std::vector<MistakeRecord> records;
        for (const QString& description : descriptions) {
            records.push_back(withDescription<MistakeRecord>(description));
        }
        store(system->mistakes(), records);
    }
    QStringList storedMistakes() {
        reopen();
        auto& table = system->mistakes();
        EXPECT_TRUE(table.open());
        QStringList descriptions;
        for (int number = 1; number <= table.recordCount(); ++number) {
            descriptions << table.record(number).Desc.trimmed();
        }
        table.close();
        return descriptions;
    }
};

TEST(frmMistake, AddsWithBlankAndUniquenessChecksSavesAndLogs) {
    MistakeSite s;
    s.storeMistakes({QStringLiteral("Wrong pick")});
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Mistake Table");
        EXPECT_EQ(listTexts(list), QStringList{"Wrong pick"});
        EXPECT_EQ(listTexts(list, 1), QStringList{"1"});
        EXPECT_TRUE(totalsText(list).startsWith(QStringLiteral("1 active of ")));
        list.click(QStringLiteral("btnAdd"));
        list.click(QStringLiteral("btnAdd"));
        EXPECT_EQ(listTexts(list), (QStringList{"Wrong pick", "Short pick"}));
        list.click(QStringLiteral("btnOK"));
    });
    // First add: blanks only, then a duplicate with other blanks around it, then a new one.
    s.ui.when(QStringLiteral("frmMistake"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Add Mistake Record: 2");
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("   "));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("Description: Field cannot be blank"), IDOK);
    s.ui.when(QStringLiteral("frmMistake"), [](FormDriver& record) {
        EXPECT_EQ(record.form().focused(), record.find(QStringLiteral("Text1(0)")));
        record.set(QStringLiteral("Text1(0)"), QStringLiteral(" Wrong pick "));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("Mistake Code is not unique"), IDOK);
    s.ui.when(QStringLiteral("frmMistake"), [](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("Short pick"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    // Second add: cancelled, nothing written.
    s.ui.when(QStringLiteral("frmMistake"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Add Mistake Record: 3");
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("Dropped"));
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    EXPECT_TRUE(s.component.EditMistakes(0, *s.system));

    const auto& messages = s.ui.transcript().messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].style, MB_ICONCRITICAL);
    EXPECT_EQ(messages[1].style, MB_ICONEXCLAMATION);
    EXPECT_EQ(s.storedMistakes(), (QStringList{"Wrong pick", "Short pick"}));
    QFile log(s.site.path(QStringLiteral("TBEDITLOG.--1")));
    EXPECT_TRUE(log.exists()) << "the add is in the change log";
}

TEST(frmMistake, DeletesOnlyUnusedMistakesThroughTheDeleteWindowAndKeepsOneActive) {
    MistakeSite s;
    s.storeMistakes({QStringLiteral("Wrong pick"), QStringLiteral("Short pick"),
                     QStringLiteral("Damaged")});
    TypeOfWorkRecord picking = withCode<TypeOfWorkRecord>(QStringLiteral("PICK"));
    picking.Mistake[0] = 1;
    s.store(s.system->typesOfWork(), {picking});

    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.selectLine(QStringLiteral("lvList"), 0);
        list.click(QStringLiteral("btnDelete"));  // in use
        list.selectLine(QStringLiteral("lvList"), 1);
        list.click(QStringLiteral("btnDelete"));  // cancelled in frmDelete
        list.click(QStringLiteral("btnDelete"));  // answered No
        list.click(QStringLiteral("btnDelete"));  // deleted, its data to "Damaged"
        EXPECT_EQ(listTexts(list), (QStringList{"Wrong pick", "Damaged"}));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.answer(QStringLiteral("Cannot delete the Mistake selected.  It is used on a Type of Work"),
                IDOK);
    s.ui.when(QStringLiteral("frmDelete"), [](FormDriver& dialog) {
        EXPECT_EQ(dialog.value(QStringLiteral("Label2")), "Mistake to be deleted:");
        EXPECT_EQ(dialog.value(QStringLiteral("lblItem")), "Short pick");
        dialog.click(QStringLiteral("cmdCancel"));
    });
    const auto pickTarget = [](FormDriver& dialog) {
        EXPECT_EQ(dialog.value(QStringLiteral("Combo1")), "(None)");
        dialog.set(QStringLiteral("Combo1"), QStringLiteral("Damaged"));
        dialog.click(QStringLiteral("cmdDelete"));
    };
    s.ui.when(QStringLiteral("frmDelete"), pickTarget);
    s.ui.answer(QStringLiteral("OK to Delete this Mistake from the system at this time?"), IDNO);
    s.ui.when(QStringLiteral("frmDelete"), pickTarget);
    s.ui.answer(QStringLiteral("OK to Delete this Mistake from the system at this time?"), IDYES);
    EXPECT_TRUE(s.component.EditMistakes(0, *s.system));
    EXPECT_EQ(s.storedMistakes(), (QStringList{"Wrong pick", "", "Damaged"}));

    // The last active mistake deleted: saving is refused, cancelling keeps the stored table.
    s.storeMistakes({QString(), QString(), QStringLiteral("Only one")});
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnDelete"));
        EXPECT_TRUE(listTexts(list).isEmpty());
        list.click(QStringLiteral("btnOK"));
        EXPECT_TRUE(list.form().isVisible()) << "the list stays open after the refusal";
        list.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(QStringLiteral("frmDelete"),
              [](FormDriver& dialog) { dialog.click(QStringLiteral("cmdDelete")); });
    s.ui.answer(QStringLiteral("OK to Delete this Mistake"), IDYES);
    s.ui.answer(QStringLiteral("There must be at least one Mistake active before saving"), IDOK);
    EXPECT_TRUE(s.component.EditMistakes(0, *s.system));
    EXPECT_EQ(s.storedMistakes().value(2), "Only one");
}

TEST(frmMistake, ViewOnlyWritesNothingAndThePrintOutListsEveryActiveMistake) {
    MistakeSite s;
    s.storeMistakes({QStringLiteral("Wrong pick"), QString(), QStringLiteral("Damaged")});
    const QStringList lines = s.viewAndPrint<frmMistake>(QStringLiteral("Mistake"), 1, 3);
    EXPECT_EQ(s.storedMistakes(), (QStringList{"Wrong pick", "", "Damaged"}));

    EXPECT_EQ(lines.filter(QStringLiteral("List of Mistakes")).size(), 1);
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^Number +Description$"))).size(), 1);
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^ *[13] +(Wrong pick|Damaged)$"))).size(), 2);
    EXPECT_EQ(lines.filter(QStringLiteral("2 active of")).size(), 1);
}

TEST(frmMistake, CorporateControlKeepsMistakesThatTheControlFileListsAndRefusesOthers) {
    MistakeSite s;
    s.site.setSetting(QStringLiteral("Features"), QStringLiteral("UsesCorporateControl"),
                      QStringLiteral("1"));
    s.reopen();
    s.storeMistakes({QStringLiteral("Wrong pick")});
    TypeOfWorkRecord corporate = withCode<TypeOfWorkRecord>(QStringLiteral("PICK"));
    corporate.Mistake[4] = 1;
    // The site's copy of the control file's types of work, as the corporate control check leaves it.
    ASSERT_TRUE(QDir().mkpath(s.site.path(QStringLiteral("Corporate"))));
    ASSERT_TRUE(QFile::copy(s.site.path(QStringLiteral("TBVMTOW.--1")),
                            s.site.path(QStringLiteral("Corporate/TBVMTOW.--1"))));
    s.store(s.system->corporateTypesOfWork(), {corporate});

    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnDelete"));
        list.click(QStringLiteral("btnAdd"));
        list.click(QStringLiteral("btnCancel"));
    });
    s.ui.answer(QStringLiteral("Cannot delete the Mistake selected.  It is active in the Corporate "
                               "Control File."),
                IDOK);
    s.ui.when(QStringLiteral("frmMistake"), [](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("Local only"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("Mistake is not active in the Corporate Control File"), IDOK);
    s.ui.when(QStringLiteral("frmMistake"),
              [](FormDriver& record) { record.click(QStringLiteral("SaveButtons1(2)")); });
    frmMistake editor;
    EXPECT_TRUE(editor.Edit(0, *s.system, false));
    editor.release();
    EXPECT_EQ(s.storedMistakes(), QStringList{"Wrong pick"});
}

// The corporate copy is read afresh for every run of the editor, and a copy that cannot be
// opened is named and leaves the editor viewing only.
TEST(frmMistake, ReadsTheCorporateCopyPerRunAndOnlyViewsWithoutIt) {
    MistakeSite s;
    s.site.setSetting(QStringLiteral("Features"), QStringLiteral("UsesCorporateControl"),
                      QStringLiteral("1"));
    s.reopen();
    s.storeMistakes({QStringLiteral("Wrong pick"), QStringLiteral("Damaged")});
    ASSERT_TRUE(QDir().mkpath(s.site.path(QStringLiteral("Corporate"))));
    const QString copy = s.site.path(QStringLiteral("Corporate/TBVMTOW.--1"));
    ASSERT_TRUE(QFile::copy(s.site.path(QStringLiteral("TBVMTOW.--1")), copy));
    TypeOfWorkRecord corporate = withCode<TypeOfWorkRecord>(QStringLiteral("PICK"));
    corporate.Mistake[0] = 1;
    s.store(s.system->corporateTypesOfWork(), {corporate});
    const auto refuseDeleting = [&s](int line) {
        s.ui.when(QStringLiteral("TBEditForm"), [line](FormDriver& list) {
            EXPECT_EQ(list.form().caption(), "Mistake Table");
            list.selectLine(QStringLiteral("lvList"), line);
            list.click(QStringLiteral("btnDelete"));
            list.click(QStringLiteral("btnCancel"));
        });
        s.ui.answer(QStringLiteral("Cannot delete the Mistake selected.  It is active in the "
                                   "Corporate Control File."),
                    IDOK);
        EXPECT_TRUE(s.edit<frmMistake>());
    };
    refuseDeleting(0);

    // The corporate system now lists the other mistake; the next run in this process knows it.
    corporate.Mistake[0] = 2;
    const auto corporateSide = s.site.open();
    s.store(corporateSide->corporateTypesOfWork(), {corporate});
    refuseDeleting(1);

    ASSERT_TRUE(QFile::remove(copy));
    s.ui.answer(QStringLiteral("Error opening the Corporate Type of Work Table"), IDOK);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Mistake Table (readonly)");
        EXPECT_FALSE(list.click(QStringLiteral("btnDelete")));
        list.click(QStringLiteral("btnCancel"));
    });
    EXPECT_TRUE(s.edit<frmMistake>());
    EXPECT_EQ(s.storedMistakes(), (QStringList{"Wrong pick", "Damaged"}));
}

}  // namespace
}  // namespace vel::testing
