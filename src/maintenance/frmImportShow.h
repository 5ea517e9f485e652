#pragma once
// frmImportShow ("OK to Import?"): the first record of an import file, field by field, so the
// person can see that the file is the one meant before anything changes.
//
// Controls: lblInfo "Shown below is the first record from the import file.  If the fields are
// correct, press OK.", lvFields (columns "Field" and "Data", fixed-pitch), cmdOK "OK" and
// cmdCancel "&Cancel".
#include "ui/Form.h"

#include <QStringList>

namespace vel {

class ListView;

class frmImportShow : public Form {
  public:
    frmImportShow();

    // Shows the fields beside their labels; "Other Fields:" heads the fields past the labels,
    // which show without a label. True when the person pressed OK.
    bool Confirm(const QStringList& labels, const QStringList& fields, quintptr ownerHandle = 0);

  private:
    ListView* list_;
    bool confirmed_ = false;
};

}  // namespace vel
