#pragma once
// frmMistake: the mistake editor. Its list shows every mistake by description and number; its
// record window (this form) edits one mistake's description.
//
// Controls: TabStrip1 with the one page "General" holding Text1(0) "&Description:" and the note
// lblNote "No other options available"; btnMove(0) / btnMove(1) and SaveButtons1.
//
// A mistake is active in the corporate control file when a type of work of that file lists it
// (the control file carries no mistake table of its own; types of work name their mistakes by
// number). With corporate control in force such a mistake cannot be deleted, and a mistake that
// no corporate type of work lists cannot be saved. The copy is read afresh for every run; when
// it cannot be opened the editor says so and only views.
#include "data/TableObject.h"
#include "data/records/MistakeRecord.h"
#include "editors/MasterTableEditor.h"
#include "ui/Form.h"

namespace vel {

class frmMistake : public Form, public MasterTableEditor {
  public:
    frmMistake();

    bool Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) override;

  protected:
    void EditForm_AddRec() override;
    void EditForm_EditRec(int number) override;
    void EditForm_DeleteRec(int number) override;

    QStringList lineTexts(int number) const override;
    std::vector<PrintColumn> printColumns() const override;
    QStringList printCells(int number) const override;

  private:
    Table<MistakeRecord>& mistakes() const;
    void recordLoop(int number, const QString& caption);
    bool corporateControl() const;
    bool activeInCorporateFile(int number) const;

    TextBox* description_;
};

}  // namespace vel
