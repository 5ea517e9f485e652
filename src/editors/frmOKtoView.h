#pragma once
// frmOKtoView ("Open Table"): asks whether a table opens for viewing only or for changes.
//
// Controls: Option1(0) "Open the table for viewing only.  (This does not lock the table.)",
// Option1(1) "Open the table for modifications.  (This may lock other users out of certain
// functions.)", cmdOK "OK", cmdCancel "Cancel". Viewing is chosen when the window opens.
#include "ui/Form.h"

namespace vel {

class OptionButton;

class frmOKtoView : public Form {
  public:
    enum Answer { Cancelled = 0, ViewOnly = 1, Modify = 2 };

    frmOKtoView();

    // Shows the window modally, owned by the caller's window: 1 view, 2 modify, 0 cancelled
    // (Cancel or closing the window).
    int OKtoEdit(quintptr ownerHandle = 0);

  protected:
    void Form_Load() override;

  private:
    void choose(int answer);

    OptionButton* viewOnly_;
    OptionButton* modify_;
    int answer_ = Cancelled;
};

}  // namespace vel
