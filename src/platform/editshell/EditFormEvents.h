#pragma once
// The events of the editor shell's list window, answered by the editor that owns it. The
// editor's form is the record window; the list window calls these as a person works the list.
// Arguments passed by reference are the editor's answers; each has the default noted.
#include <QString>

namespace vel {

class TBPrint;

class EditFormEvents {
  public:
    virtual ~EditFormEvents() = default;

    // The totals line below the list ("12 active of 500 maximum").
    virtual void EditForm_ShowTotals(QString& text) {}
    // Add a record, or a copy of the selected one (the list's selectedRecord()); the editor
    // refuses at its maximum or opens its record window.
    virtual void EditForm_AddRec() {}
    virtual void EditForm_CopyRec() {}
    virtual void EditForm_EditRec(int recordNumber) {}
    // Check use, confirm, delete; the editor removes the line when it deletes.
    virtual void EditForm_DeleteRec(int recordNumber) {}
    // OK: save the table. success starts true; false keeps the list open.
    virtual void EditForm_EditSave(bool& success) {}
    // Cancel: drop the edits. close starts true; false keeps the list open.
    virtual void EditForm_EditCancel(bool& close) {}
    // Asked before each action and on every tick of the list's timer: true closes the list.
    virtual void EditForm_NeedtoShutdown(bool& shutdown) {}
    virtual void EditForm_ShowHelp(int helpContext) {}
    // An extra button of the editor, numbered from 1 in the order the editor added them.
    virtual void EditForm_ActionButton(int index) {}

    // Printing the list: the printer's device set-up, the start of the job, the options (the
    // editor may set cancel to stop before anything prints), the header at the top of every
    // page, one record per list line in list order, and the totals at the end.
    virtual void EditForm_DeviceInit(TBPrint& printer) {}
    virtual void EditForm_PrintInit(TBPrint& printer) {}
    virtual void EditForm_PrintOptions(TBPrint& printer, bool& cancel) {}
    virtual void EditForm_PrintHeader(TBPrint& printer) {}
    virtual void EditForm_PrintRec(TBPrint& printer, int recordNumber) {}
    virtual void EditForm_PrintTotals(TBPrint& printer) {}
};

}  // namespace vel
