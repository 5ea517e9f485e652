#pragma once
// frmAllocation: the allocation editor. Its list shows every allocation by code, description,
// number and list sequence; its record window (this form) edits one allocation's code and
// description.
//
// Controls: TabStrip1 with the one page "General" holding Text1(0) "&Code:" (upper case, the
// code characters), Text1(1) "&Description:" and the note lblNote "No other options available";
// btnMove(0) / btnMove(1) and SaveButtons1. The list has the action button 1 "Import..." in
// modify mode.
//
// Each allocation that holds data needs an account in the master file; the system object keeps
// accounts 1 to n ("allocated" in the totals line). A new allocation numbered above n asks
// whether to add its account now: Cancel drops the new allocation, OK creates the accounts up to
// its number and keeps it.
//
// An import from the list joins the editor's unsaved edits; the new allocations the person chose
// to add to the activities reach them when the list is saved, and not at all when it is
// cancelled.
#include "data/TableObject.h"
#include "data/records/AllocationRecord.h"
#include "editors/MasterTableEditor.h"
#include "ui/Form.h"

namespace vel {

class frmAllocation : public Form, public MasterTableEditor {
  public:
    frmAllocation();

    bool Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) override;

  protected:
    void EditForm_ShowTotals(QString& text) override;
    void EditForm_AddRec() override;
    void EditForm_EditRec(int number) override;
    void EditForm_DeleteRec(int number) override;
    void EditForm_ActionButton(int index) override;
    void EditForm_EditSave(bool& success) override;
    void EditForm_EditCancel(bool& close) override;

    QStringList lineTexts(int number) const override;
    std::vector<PrintColumn> printColumns() const override;
    QStringList printCells(int number) const override;

  private:
    Table<AllocationRecord>& allocations() const;
    // Shows the window until OK passes the checks (true) or Cancel (false).
    bool recordAccepted(int number, const QString& caption);
    // A new record above the accounts of the master file: asks, and creates them on OK.
    bool accountReady(int number);
    void writeRecord(int number, const AllocationRecord& before);
    // The list's "Import..." button.
    void importAllocations();

    TextBox* code_;
    TextBox* description_;
    int importButton_ = 0;
    QList<int> forActivities_;  // imported allocations to add to the activities on save
};

}  // namespace vel
