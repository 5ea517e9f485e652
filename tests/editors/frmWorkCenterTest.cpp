// The work-center editor through the command class and the headless driver, on a reference
// system.
#include "EditorHarness.h"

#include "data/records/AssociateRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "editors/frmWorkCenter.h"
#include "ui/Button.h"
#include "ui/TabStrip.h"

#include <QRegularExpression>

namespace vel::testing {
namespace {

WorkCenterRecord center(const QString& code, const QString& description, QTime start = {8, 0},
                        QTime stop = {16, 0}) {
    WorkCenterRecord record;
    record.Code = code;
    record.Desc = description;
    record.StartTime = start;
    record.StopTime = stop;
    record.Shift = 1;
    return record;
}

struct WorkCenterSite : EditorHarness {
    WorkCenterSite() {
        store(system->typesOfWork(), {withCode<TypeOfWorkRecord>(QStringLiteral("PICK")),
                                      withCode<TypeOfWorkRecord>(QStringLiteral("LOAD"))});
    }
    void storeCenters(const std::vector<WorkCenterRecord>& records) {
        store(system->workCenters(), records);
    }
    std::vector<WorkCenterRecord> storedCenters() { return stored(&VelmorSystem::workCenters); }
    void dataCollection(bool on) {
        site.setSetting(QStringLiteral("Features"), QStringLiteral("DataCollection"),
                        on ? QStringLiteral("1") : QStringLiteral("0"));
        reopen();
    }
};

// Whether the record window's OK is enabled and its two move buttons are.
void expectSaveAndMoves(FormDriver& record, bool save, bool moves) {
    EXPECT_EQ(record.find(QStringLiteral("SaveButtons1(1)"))->enabled(), save);
    EXPECT_EQ(record.find(QStringLiteral("btnMove(0)"))->enabled(), moves);
    EXPECT_EQ(record.find(QStringLiteral("btnMove(1)"))->enabled(), moves);
}

// Brings the page of the record window to the front (only the page in front takes entries).
void page(FormDriver& record, int number) {
    record.selectTab(QStringLiteral("TabStrip1"), number);
}

const QString addAccount =
    QStringLiteral("OK to Add this Account to the Tallybook Master file at this time?");

TEST(frmWorkCenter, AddsAtEightAndFourWithTheChecksTheAccountQuestionAndTheValidTypes) {
    WorkCenterSite s;
    s.storeCenters({center(QStringLiteral("RECV"), QStringLiteral("Receiving"))});
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Work Center Table");
        EXPECT_EQ(listTexts(list), QStringList{"RECV"});
        EXPECT_EQ(listTexts(list, 3), QStringList{"08:00"});
        EXPECT_EQ(listTexts(list, 4), QStringList{"16:00"});
        EXPECT_EQ(listTexts(list, 5), QStringList{"No"});
        EXPECT_EQ(totalsText(list), "1 active, 1 allocated, of 99 maximum");
        list.click(QStringLiteral("btnAdd"));  // the account question answered Cancel
        EXPECT_EQ(listTexts(list), QStringList{"RECV"});
        list.click(QStringLiteral("btnAdd"));
        EXPECT_EQ(listTexts(list), (QStringList{"RECV", "SHIP"}));
        EXPECT_EQ(listTexts(list, 7), (QStringList{"0", "1"})) << "the sequence goes on";
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmWorkCenter"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Add Work Center Record: 2");
        EXPECT_EQ(record.value(QStringLiteral("TimeBox1(0)")), "08:00");
        EXPECT_EQ(record.value(QStringLiteral("TimeBox1(1)")), "16:00");
        EXPECT_EQ(record.value(QStringLiteral("lblStartStop")),
                  "This will capture transactions uploaded into today's date starting \n\n"
                  "Today at: 08:00\nuntil \nTomorrow at: 07:59");
        expectSaveAndMoves(record, true, false);  // a new record is unsaved from the start
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Shipping"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("Code: Field cannot be blank"), IDOK);
    s.ui.when(QStringLiteral("frmWorkCenter"), [](FormDriver& record) {
        EXPECT_EQ(record.form().focused(), record.find(QStringLiteral("Text1(0)")));
        record.type(QStringLiteral("Text1(0)"), QStringLiteral("recv "));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("Work Center Code is not unique"), IDOK);
    s.ui.when(QStringLiteral("frmWorkCenter"), [](FormDriver& record) {
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("ship"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(addAccount, IDCANCEL);
    s.ui.when(QStringLiteral("frmWorkCenter"), [](FormDriver& record) {
        EXPECT_EQ(record.value(QStringLiteral("Text1(0)")), "") << "the dropped add left nothing";
        record.type(QStringLiteral("Text1(0)"), QStringLiteral("ship"));
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Shipping"));
        record.set(QStringLiteral("Text2(0)"), QStringLiteral("Pat Lee"));
        record.set(QStringLiteral("nbShift"), QStringLiteral("2"));
        record.set(QStringLiteral("NumberBox1(1)"), QStringLiteral("95"));
        page(record, 2);
        record.set(QStringLiteral("TimeBox1(0)"), QStringLiteral("22:00"));
        record.set(QStringLiteral("TimeBox1(1)"), QStringLiteral("06:30"));
        page(record, 3);
        record.tick(QStringLiteral("lsTypeWork"), QStringLiteral("LOAD"));
        page(record, 4);
        record.click(QStringLiteral("chkTouch"));
        record.click(QStringLiteral("Command1"));
        EXPECT_EQ(record.form().controlAs<Button>(QStringLiteral("Command1")).backColor(),
                  0x0080FF);
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.nextColor(0x0080FF);
    s.ui.answer(addAccount, IDOK);
    EXPECT_TRUE(s.edit<frmWorkCenter>());

    const auto stored = s.storedCenters();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].Code.trimmed(), "SHIP");
    EXPECT_EQ(stored[1].Supervisor.trimmed(), "Pat Lee");
    EXPECT_EQ(stored[1].Shift, 2);
    EXPECT_EQ(stored[1].UpperIndicator, 95.0);
    EXPECT_EQ(stored[1].StartTime, QTime(22, 0));
    EXPECT_EQ(stored[1].StopTime, QTime(6, 30));
    EXPECT_TRUE(stored[1].TouchScreen);
    EXPECT_EQ(stored[1].ButtonColor, 0x0080FF);
    EXPECT_EQ(stored[1].Sequence, 1);
    EXPECT_FALSE(stored[1].TOWValid[0]);
    EXPECT_TRUE(stored[1].TOWValid[1]);
    const auto entries = s.system->changeLog().entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Code.trimmed(), "SHIP");
    EXPECT_EQ(entries[0].Action.trimmed(), "Add");
    const auto messages = editorMessages(s.ui.transcript());
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[2].style, MB_OKCANCEL | MB_ICONQUESTION);
}

TEST(frmWorkCenter, DataCollectionTimesMustDifferByAnHourOnlyWhenTheFeatureIsOn) {
    WorkCenterSite s;
    s.storeCenters({center(QStringLiteral("RECV"), QStringLiteral("Receiving"))});
    s.dataCollection(true);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmWorkCenter"), [](FormDriver& record) {
        page(record, 2);
        record.set(QStringLiteral("TimeBox1(0)"), QStringLiteral("07:30"));
        record.set(QStringLiteral("TimeBox1(1)"), QStringLiteral("08:00"));
        page(record, 1);
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(QStringLiteral("The Start and Stop Times on the Data Collection tab must be at "
                               "least 1 hour apart."),
                IDOK);
    s.ui.when(QStringLiteral("frmWorkCenter"), [](FormDriver& record) {
        EXPECT_EQ(record.value(QStringLiteral("TabStrip1")), "Data Collection")
            << "the page comes to the front";
        record.set(QStringLiteral("TimeBox1(1)"), QStringLiteral("07:30"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(
        QStringLiteral("The Start and Stop Times on the Data Collection tab cannot be the same."),
        IDOK);
    s.ui.when(QStringLiteral("frmWorkCenter"), [](FormDriver& record) {
        page(record, 2);
        record.set(QStringLiteral("TimeBox1(0)"), QStringLiteral("23:30"));
        record.set(QStringLiteral("TimeBox1(1)"), QStringLiteral("00:10"));
        EXPECT_EQ(record.value(QStringLiteral("lblStartStop")),
                  "This will capture transactions uploaded into today's date starting \n\n"
                  "Yesterday at: 23:30\nuntil \n Today at: 23:29");
        record.click(QStringLiteral("SaveButtons1(1)"));  // 23 hours 20 minutes apart
    });
    EXPECT_TRUE(s.edit<frmWorkCenter>());
    auto stored = s.storedCenters();
    EXPECT_EQ(stored[0].StartTime, QTime(23, 30));
    EXPECT_EQ(stored[0].StopTime, QTime(0, 10));

    // Without data collection equal times are kept; the explanation then shows 8:00 to 16:00.
    s.dataCollection(false);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmWorkCenter"), [](FormDriver& record) {
        page(record, 2);
        record.set(QStringLiteral("TimeBox1(0)"), QStringLiteral("09:15"));
        record.set(QStringLiteral("TimeBox1(1)"), QStringLiteral("09:15"));
        EXPECT_TRUE(record.value(QStringLiteral("lblStartStop"))
                        .endsWith(QStringLiteral("Today at: 08:00\nuntil \nTomorrow at: 07:59")));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    EXPECT_TRUE(s.edit<frmWorkCenter>());
    stored = s.storedCenters();
    EXPECT_EQ(stored[0].StartTime, QTime(9, 15));
    EXPECT_EQ(stored[0].StopTime, QTime(9, 15));
}

TEST(frmWorkCenter, AnyChangeEnablesSaveAndStopsTheMovesUntilTheWindowCloses) {
    WorkCenterSite s;
    s.storeCenters({center(QStringLiteral("RECV"), QStringLiteral("Receiving")),
                    center(QStringLiteral("SHIP"), QStringLiteral("Shipping"))});
    // One change per showing of the first record; the last showing moves to the next line.
    const QList<std::function<void(FormDriver&)>> changes{
        [](FormDriver& r) {
            page(r, 4);
            r.click(QStringLiteral("chkTouch"));
        },
        [](FormDriver& r) {
            page(r, 2);
            r.set(QStringLiteral("TimeBox1(1)"), QStringLiteral("17:00"));
        },
        [](FormDriver& r) {
            page(r, 3);
            r.tick(QStringLiteral("lsTypeWork"), QStringLiteral("PICK"));
        },
        [](FormDriver& r) { r.set(QStringLiteral("NumberBox1(0)"), QStringLiteral("80")); },
        [](FormDriver& r) { r.type(QStringLiteral("Text2(1)"), QStringLiteral("x")); },
    };
    s.ui.when(QStringLiteral("TBEditForm"), [&](FormDriver& list) {
        for (qsizetype change = 0; change <= changes.size(); ++change) {
            list.selectLine(QStringLiteral("lvList"), 0);
            list.click(QStringLiteral("btnEdit"));
        }
        list.click(QStringLiteral("btnCancel"));
    });
    for (const auto& change : changes) {
        s.ui.when(QStringLiteral("frmWorkCenter"), [&](FormDriver& record) {
            expectSaveAndMoves(record, false, true);
            change(record);
            expectSaveAndMoves(record, true, false);
            EXPECT_FALSE(record.click(QStringLiteral("btnMove(1)")));
            record.click(QStringLiteral("SaveButtons1(2)"));
        });
    }
    s.ui.when(QStringLiteral("frmWorkCenter"), [](FormDriver& record) {
        expectSaveAndMoves(record, false, true);
        record.click(QStringLiteral("btnMove(1)"));
    });
    s.ui.when(QStringLiteral("frmWorkCenter"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Edit Work Center Record: 2");
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    EXPECT_TRUE(s.edit<frmWorkCenter>());
    EXPECT_FALSE(s.storedCenters()[0].TouchScreen);
}

TEST(frmWorkCenter, CopiesDeletesOnlyUnusedCentersAndAsksBeforeDroppingChanges) {
    WorkCenterSite s;
    WorkCenterRecord receiving = center(QStringLiteral("RECV"), QStringLiteral("Receiving"));
    receiving.TOWValid[0] = true;
    s.storeCenters({receiving, center(QStringLiteral("SHIP"), QStringLiteral("Shipping")),
                    center(QStringLiteral("DOCK"), QStringLiteral("Dock"))});
    AssociateRecord associate;
    associate.Code = QStringLiteral("A1");
    associate.FirstName = QStringLiteral("Sam");
    associate.WorkCenter = 1;
    s.store(s.system->associates(), {associate});

    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.selectLine(QStringLiteral("lvList"), 0);
        list.click(QStringLiteral("btnCopy"));
        list.selectLine(QStringLiteral("lvList"), 0);
        list.click(QStringLiteral("btnDelete"));  // the home of an associate
        list.selectLine(QStringLiteral("lvList"), 1);
        list.click(QStringLiteral("btnDelete"));  // answered Cancel
        list.click(QStringLiteral("btnDelete"));  // deleted
        EXPECT_EQ(listTexts(list), (QStringList{"RECV", "DOCK", "RECV2"}));
        list.click(QStringLiteral("btnCancel"));  // answered Cancel: the list stays
        EXPECT_TRUE(list.form().isVisible());
        list.click(QStringLiteral("btnOK"));
    });
    s.ui.when(QStringLiteral("frmWorkCenter"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "Add Work Center Record: 4");
        EXPECT_EQ(record.value(QStringLiteral("Text1(0)")), "");
        EXPECT_EQ(record.value(QStringLiteral("Text1(1)")), "Receiving(Copy)");
        EXPECT_EQ(record.value(QStringLiteral("lsTypeWork")), "PICK");
        record.set(QStringLiteral("Text1(0)"), QStringLiteral("RECV2"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    s.ui.answer(addAccount, IDOK);
    s.ui.answer(
        QStringLiteral("Cannot delete the Work Center selected.  It is used on an Associate."),
        IDOK);
    const auto pick = [](FormDriver& dialog) {
        EXPECT_EQ(dialog.value(QStringLiteral("Label2")), "Work Center to be deleted:");
        EXPECT_EQ(dialog.value(QStringLiteral("lblItem")), "SHIP");
        dialog.click(QStringLiteral("cmdDelete"));
    };
    s.ui.when(QStringLiteral("frmDelete"), pick);
    s.ui.answer(QStringLiteral("OK to Delete this Work Center from the system at this time?"),
                IDCANCEL);
    s.ui.when(QStringLiteral("frmDelete"), pick);
    s.ui.answer(QStringLiteral("OK to Delete this Work Center from the system at this time?"),
                IDOK);
    s.ui.answer(QStringLiteral("OK to Cancel all changes and exit?"), IDCANCEL);
    EXPECT_TRUE(s.edit<frmWorkCenter>());

    const auto stored = s.storedCenters();
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[1].Code.trimmed(), "");
    EXPECT_EQ(stored[3].Code.trimmed(), "RECV2");
    EXPECT_TRUE(stored[3].TOWValid[0]);
    EXPECT_EQ(editorMessages(s.ui.transcript())[2].style, MB_OKCANCEL | MB_ICONQUESTION);

    // Cancelling a changed list drops every change once confirmed.
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        list.selectLine(QStringLiteral("lvList"), 1);
        list.click(QStringLiteral("btnDelete"));
        list.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(QStringLiteral("frmDelete"),
              [](FormDriver& dialog) { dialog.click(QStringLiteral("cmdDelete")); });
    s.ui.answer(QStringLiteral("OK to Delete this Work Center"), IDOK);
    s.ui.answer(QStringLiteral("OK to Cancel all changes and exit?"), IDOK);
    EXPECT_TRUE(s.edit<frmWorkCenter>());
    EXPECT_EQ(s.storedCenters()[2].Code.trimmed(), "DOCK");
}

TEST(frmWorkCenter, ViewOnlyWritesNothingAndThePrintOutListsTheTimes) {
    WorkCenterSite s;
    s.storeCenters({center(QStringLiteral("RECV"), QStringLiteral("Receiving")), WorkCenterRecord{},
                    center(QStringLiteral("NITE"), QStringLiteral("Night Pick"), {22, 0}, {6, 0})});
    TextPrintOutput printed;
    ScopedPrintOutput printing(printed);
    s.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        EXPECT_EQ(list.form().caption(), "Work Center Table (readonly)");
        EXPECT_FALSE(list.click(QStringLiteral("btnAdd")));
        list.selectLine(QStringLiteral("lvList"), 1);
        list.click(QStringLiteral("btnEdit"));
        list.click(QStringLiteral("btnPrint"));
        list.click(QStringLiteral("btnCancel"));
    });
    s.ui.when(QStringLiteral("frmWorkCenter"), [](FormDriver& record) {
        EXPECT_EQ(record.form().caption(), "View Work Center Record: 3");
        record.set(QStringLiteral("Text1(1)"), QStringLiteral("Changed"));
        record.click(QStringLiteral("SaveButtons1(1)"));
    });
    EXPECT_TRUE(s.edit<frmWorkCenter>(true));
    EXPECT_EQ(s.storedCenters()[2].Desc.trimmed(), "Night Pick");

    const QStringList lines = printed.lines();
    EXPECT_EQ(lines.filter(QStringLiteral("List of Work Centers")).size(), 1);
    EXPECT_EQ(lines
                  .filter(QRegularExpression(QStringLiteral(
                      "^Number +Code +Description +Shift +Start Time +Stop Time +Sequence$")))
                  .size(),
              1);
    EXPECT_EQ(lines
                  .filter(QRegularExpression(
                      QStringLiteral("^ *3 +NITE +Night Pick +1 +22:00 +06:00 +0$")))
                  .size(),
              1);
    EXPECT_EQ(lines.filter(QStringLiteral("2 active, 3 allocated, of 99 maximum")).size(), 1);
}

}  // namespace
}  // namespace vel::testing
