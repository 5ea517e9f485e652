#pragma once
// The tests of the command class and its windows: a reference system on a temporary folder,
// a headless Ui whose unscripted windows and unanswered messages fail the test, and the
// command class.
#include "component/CVelUI.h"
#include "host/HostTestSupport.h"
#include "platform/print/TextPrintOutput.h"
#include "ui/Form.h"
#include "ui/FormDriver.h"
#include "ui/HeadlessUi.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/MessageBoxCodes.h"

#include <gtest/gtest.h>

namespace vel::testing {

struct EditorHarness {
    // A system whose master file holds the given number of data fields.
    explicit EditorHarness(int dataFields = 20) : site(dataFields), scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
        openForChanges(ui);
        system = site.open();
    }
    // Answers every view-or-modify choice (frmOKtoView) with "modify"; a test that cares
    // scripts the window itself.
    static void openForChanges(HeadlessUi& ui) {
        ui.whenever(QStringLiteral("frmOKtoView"), [](FormDriver& question) {
            question.click(QStringLiteral("Option1(1)"));
            question.click(QStringLiteral("cmdOK"));
        });
    }
    // Opens the system again, so that what follows reads the files as saved.
    void reopen() {
        system.reset();
        system = site.open();
    }
    // Stores records as numbers 1, 2, ... of the table.
    template <class Record>
    void store(Table<Record>& table, const std::vector<Record>& records) {
        ASSERT_TRUE(table.isOpen() || table.open()) << table.lastError().toStdString();
        for (size_t index = 0; index < records.size(); ++index) {
            table.setRecord(int(index) + 1, records[index]);
        }
        expectSaved(table);
        table.close();
    }

    // Runs an editor's Edit on its own (not through the command class) and releases it.
    template <class Editor>
    bool edit(bool viewOnly = false) {
        Editor editor;
        const bool shown = editor.Edit(0, *system, viewOnly);
        editor.release();
        return shown;
    }
    // Opens the editor view-only on the table of the kind ("Mistake"): adding is refused, the
    // record on the list's line opens as "View <kind> Record: <number>" and its changed Text1(0)
    // is not written, and the list is printed. Answers the printed lines.
    template <class Editor>
    QStringList viewAndPrint(const QString& kind, int line, int number) {
        TextPrintOutput printed;
        ScopedPrintOutput printing(printed);
        ui.when(QStringLiteral("TBEditForm"), [&](FormDriver& list) {
            EXPECT_EQ(list.form().caption(), kind + QStringLiteral(" Table (readonly)"));
            EXPECT_FALSE(list.click(QStringLiteral("btnAdd")));
            EXPECT_EQ(list.form().control(QStringLiteral("btnEdit")).caption(), "&View");
            list.selectLine(QStringLiteral("lvList"), line);
            list.click(QStringLiteral("btnEdit"));
            list.click(QStringLiteral("btnPrint"));
            list.click(QStringLiteral("btnCancel"));
        });
        ui.when(QStringLiteral("frm") + kind, [&](FormDriver& record) {
            EXPECT_EQ(record.form().caption(), QStringLiteral("View ") + kind +
                                                   QStringLiteral(" Record: ") +
                                                   QString::number(number));
            record.set(QStringLiteral("Text1(0)"), QStringLiteral("CHANGED"));
            record.click(QStringLiteral("SaveButtons1(1)"));
        });
        Editor editor;
        EXPECT_TRUE(editor.Edit(0, *system, true));
        EXPECT_FALSE(editor.tableChanged());
        editor.release();
        return printed.lines();
    }
    // The records of a table as its file holds them (after opening the system again), e.g.
    // stored(&VelmorSystem::elements).
    template <class Record>
    std::vector<Record> stored(Table<Record>& (VelmorSystem::*tableOf)()) {
        reopen();
        Table<Record>& table = (system.get()->*tableOf)();
        EXPECT_TRUE(table.open()) << table.lastError().toStdString();
        std::vector<Record> records;
        for (int number = 1; number <= table.recordCount(); ++number) {
            records.push_back(table.record(number));
        }
        table.close();
        return records;
    }

    TestSite site;
    HeadlessUi ui;
    ScopedUi scope;
    std::unique_ptr<ReferenceSystem> system;
    CVelUI component;
};

// The texts of the list window's lines, and its totals line.
inline QStringList listTexts(FormDriver& list, int column = 0) {
    QStringList texts;
    auto& view = list.form().controlAs<ListView>(QStringLiteral("lvList"));
    for (int line = 0; line < view.count(); ++line) {
        texts << view.item(line).texts.value(column);
    }
    return texts;
}
inline QString totalsText(FormDriver& list) {
    return list.form().controlAs<Label>(QStringLiteral("lblTotals")).caption();
}

// The messages of the editor itself: without the notices of follow-up steps of the command
// class that are not built yet ("... is not available yet in this version of Velmor.").
inline std::vector<MessageRecord> editorMessages(const Transcript& transcript) {
    std::vector<MessageRecord> messages;
    for (const MessageRecord& message : transcript.messages()) {
        if (!message.prompt.contains(QStringLiteral("is not available yet"))) {
            messages.push_back(message);
        }
    }
    return messages;
}

}  // namespace vel::testing
