#pragma once
// frmDelete ("OK to Delete?"): confirms the deletion of one record and lets the person choose
// the record that receives its data.
//
// Controls: Label1 "Press the Delete Button to delete the following item(s) from the
// database:", Label2 (the kind and " to be deleted:", e.g. "Mistake to be deleted:"), lblItem
// (the item), Label3 "Move its data to:", Combo1 (the records to receive its data, each with
// its record number as item data; the first is chosen when the window opens), cmdDelete
// "&Delete" and cmdCancel "&Cancel".
//
// Cancelled starts true each time the window shows; "&Delete" clears it, "&Cancel" and closing
// the window keep it.
#include "ui/Form.h"

namespace vel {

class ComboBox;
class Label;

class frmDelete : public Form {
  public:
    frmDelete();

    // The item to delete: its kind ("Mistake") and the text that names it.
    void setItem(const QString& kind, const QString& item);
    // The records that may receive the deleted record's data ("(None)" with 0 for none).
    void clearTargets();
    void addTarget(const QString& text, int recordNumber);

    // Shows the window modally, owned by the caller's window; true when Delete was pressed.
    bool Ask(quintptr ownerHandle = 0);
    bool Cancelled() const { return cancelled_; }
    // The record chosen in Combo1 to receive the data; 0 when none is chosen.
    int targetRecord() const;
    QString targetText() const;

  protected:
    void Form_Load() override;

  private:
    Label* kind_;
    Label* item_;
    ComboBox* targets_;
    bool cancelled_ = true;
};

}  // namespace vel
