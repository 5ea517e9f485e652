#include "maintenance/frmOKtoImport.h"

#include "services/ErrorReport.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/OptionButton.h"

namespace vel {

frmOKtoImport::frmOKtoImport()
    : Form(QStringLiteral("frmOKtoImport"), QStringLiteral("Import Information")) {
    label(QStringLiteral("lblInfo"),
          QStringLiteral("There are two types of files you can import into the Table.\n"
                         "The first is an update of the information in the table, or adding records "
                         "if the Code does not exist.  To see the the format of this import file, "
                         "Export the Validation Tables.  The second is to replace the existing Codes "
                         "with new Codes.  This file only has two fields - the old Code and the new "
                         "Code.  All other fields are ignored."));
    update_ = &option(QStringLiteral("Option1"), 0,
                      QStringLiteral("Update/Add information about each record"));
    codes_ = &option(QStringLiteral("Option1"), 1,
                     QStringLiteral("Change the Codes for each record.  (Only 2 fields per record - "
                                    "Old Code and New Code.)"));
    auto& buttons = line();
    buttons.button(QStringLiteral("cmdOK"), QStringLiteral("OK")).makeDefault().clicked([this] {
        choice_ = codes_->value() ? ChangeCodes : UpdateRecords;
        unload();
    });
    buttons.button(QStringLiteral("cmdCancel"), QStringLiteral("Cancel")).makeCancel().clicked([this] {
        unload();
    });
}

void frmOKtoImport::Form_Load() {
    choice_ = Cancelled;
    update_->setValue(true);
}

frmOKtoImport::Choice frmOKtoImport::Ask(quintptr ownerHandle) {
    choice_ = Cancelled;
    guarded(QStringLiteral(" - frmOKtoImport:Ask"), [&] {
        ShowLikeModal(*this, ownerHandle);
        unload();
    });
    return choice_;
}

}  // namespace vel
