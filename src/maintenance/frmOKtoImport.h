#pragma once
// frmOKtoImport ("Import Information"): the choice between the two kinds of import file.
//
// Controls: lblInfo (what the two kinds are), Option1(0) "Update/Add information about each
// record" (chosen when the window opens), Option1(1) "Change the Codes for each record.  (Only 2
// fields per record - Old Code and New Code.)", cmdOK "OK", cmdCancel "Cancel".
#include "ui/Form.h"

namespace vel {

class OptionButton;

class frmOKtoImport : public Form {
  public:
    enum Choice { Cancelled = 0, UpdateRecords = 1, ChangeCodes = 2 };

    frmOKtoImport();

    // Shows the window modally; the kind chosen, or Cancelled (Cancel or the window closed).
    Choice Ask(quintptr ownerHandle = 0);

  protected:
    void Form_Load() override;

  private:
    OptionButton* update_;
    OptionButton* codes_;
    Choice choice_ = Cancelled;
};

}  // namespace vel
