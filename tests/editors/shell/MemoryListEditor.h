#pragma once
// A small editor over an in-memory table for the list window's tests: records are descriptions
// by record number, a blank description is a free slot. Its record window "frmRecord" has a
// description box, OK / Cancel and the two move buttons; every event is written to a log.
#include "editors/shell/TBEditForm.h"
#include "platform/print/TBPrint.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/SaveButtons.h"
#include "ui/TextBox.h"

#include <QMap>
#include <QStringList>

namespace vel::test {

class RecordWindow : public Form {
  public:
    explicit RecordWindow(TBEditForm& list) : Form(QStringLiteral("frmRecord"), QString()) {
        description = &textBox(QStringLiteral("Text1"), 0, QStringLiteral("&Description:"));
        saveButtons(QStringLiteral("SaveButtons1")).clicked([this](int index) {
            confirmed = index == SaveButtons::OK;
            unload();
        });
        button(QStringLiteral("btnMove"), 0, QStringLiteral("Display Previous Line"))
            .clicked([this, &list] {
                list.requestMove(RecordMove::Previous);
                unload();
            });
        button(QStringLiteral("btnMove"), 1, QStringLiteral("Display Next Line"))
            .clicked([this, &list] {
                list.requestMove(RecordMove::Next);
                unload();
            });
    }
    TextBox* description;
    bool confirmed = false;
};

class MemoryListEditor : public EditFormEvents {
  public:
    explicit MemoryListEditor(int maximum = 10) : list(*this), record(list), maximum_(maximum) {
        list.setCaption(QStringLiteral("Mistake Table"));
        list.addColumn(QStringLiteral("Number"), 1, ListColumn::Kind::Number, 6);
        list.addColumn(QStringLiteral("Description"), 0);
        list.setAllowCopy(true);
    }

    void add(const QString& description) {
        const int number = int(records.size()) + 1;
        records[number] = description;
        list.addLine(number, {description});
    }
    int activeCount() const {
        return int(std::ranges::count_if(records, [](const QString& d) { return !d.isEmpty(); }));
    }

    // Opens the record window on a record; OK writes it and refreshes its line.
    void openRecord(int number, const QString& caption) {
        record.setCaption(caption + QString::number(number));
        record.description->setText(records.value(number));
        record.confirmed = false;
        ShowLikeModal(record, 0);
        if (record.confirmed) {
            records[number] = record.description->text();
            list.updateLine(number, {records[number]});
        }
    }

    void EditForm_ShowTotals(QString& text) override {
        text = QStringLiteral("%1 active of %2 maximum").arg(activeCount()).arg(maximum_);
    }
    void EditForm_AddRec() override {
        log << QStringLiteral("AddRec");
        if (activeCount() >= maximum_) {
            return;
        }
        openRecord(int(records.size()) + 1, QStringLiteral("Add Record: "));
    }
    void EditForm_CopyRec() override {
        log << QStringLiteral("CopyRec %1").arg(list.selectedRecord());
    }
    void EditForm_EditRec(int number) override {
        log << QStringLiteral("EditRec %1").arg(number);
        openRecord(number, QStringLiteral("Edit Record: "));
    }
    void EditForm_DeleteRec(int number) override {
        log << QStringLiteral("DeleteRec %1").arg(number);
        records[number].clear();
        list.removeLine(number);
    }
    void EditForm_EditSave(bool& success) override {
        log << QStringLiteral("EditSave");
        success = saveAllowed;
    }
    void EditForm_EditCancel(bool& close) override {
        log << QStringLiteral("EditCancel");
        close = cancelAllowed;
    }
    void EditForm_NeedtoShutdown(bool& shutdown) override {
        ++shutdownQuestions;
        shutdown = shutdownPending;
    }
    void EditForm_ShowHelp(int context) override {
        log << QStringLiteral("ShowHelp %1").arg(context);
    }
    void EditForm_ActionButton(int index) override {
        log << QStringLiteral("ActionButton %1").arg(index);
    }
    void EditForm_DeviceInit(TBPrint& printer) override {
        log << QStringLiteral("DeviceInit");
        printer.pageSetup().fontPoints = 12;
    }
    void EditForm_PrintInit(TBPrint&) override { log << QStringLiteral("PrintInit"); }
    void EditForm_PrintOptions(TBPrint&, bool& cancel) override {
        log << QStringLiteral("PrintOptions");
        cancel = cancelPrint;
    }
    void EditForm_PrintHeader(TBPrint& printer) override {
        printer.setAlignment(PrintAlignment::Centre);
        printer.printLine(QStringLiteral("List of Mistakes"), PrintBold);
        printer.setAlignment(PrintAlignment::Left);
        printer.printLine(QStringLiteral("Number  Description"), PrintUnderline);
    }
    void EditForm_PrintRec(TBPrint& printer, int number) override {
        printer.printLine(QStringLiteral("%1  %2").arg(number, 6).arg(records.value(number)));
    }
    void EditForm_PrintTotals(TBPrint& printer) override {
        QString totals;
        EditForm_ShowTotals(totals);
        printer.separator();
        printer.printLine(totals);
    }

    TBEditForm list;
    RecordWindow record;
    QMap<int, QString> records;
    QStringList log;
    bool saveAllowed = true;
    bool cancelAllowed = true;
    bool shutdownPending = false;
    bool cancelPrint = false;
    int shutdownQuestions = 0;

  private:
    int maximum_;
};

}  // namespace vel::test
