#pragma once
// The editors' tests: a reference system on a temporary folder, a headless Ui whose unscripted
// windows and unanswered messages fail the test, and the command class that opens the editors.
#include "component/CVelUI.h"
#include "host/HostTestSupport.h"
#include "ui/HeadlessUi.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/Form.h"
#include "ui/FormDriver.h"

#include <gtest/gtest.h>

namespace vel::testing {

struct EditorHarness {
    // A system whose master file holds the given number of data fields.
    explicit EditorHarness(int dataFields = 20) : site(dataFields), scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
        system = site.open();
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

}  // namespace vel::testing
