#include "maintenance/frmImportShow.h"

#include "services/ErrorReport.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/ListView.h"

namespace vel {

frmImportShow::frmImportShow() : Form(QStringLiteral("frmImportShow"), QStringLiteral("OK to Import?")) {
    label(QStringLiteral("lblInfo"), QStringLiteral("Shown below is the first record from the import "
                                                    "file.  If the fields are correct, press OK."));
    list_ = &listView(QStringLiteral("lvFields"))
                 .column(QStringLiteral("Field"), 20)
                 .column(QStringLiteral("Data"), 40)
                 .fixedPitch(true);
    auto& buttons = line();
    buttons.button(QStringLiteral("cmdOK"), QStringLiteral("OK")).makeDefault().clicked([this] {
        confirmed_ = true;
        unload();
    });
    buttons.button(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel")).makeCancel().clicked([this] {
        unload();
    });
}

bool frmImportShow::Confirm(const QStringList& labels, const QStringList& fields,
                            quintptr ownerHandle) {
    list_->clear();
    for (qsizetype index = 0; index < fields.size(); ++index) {
        // Fields past the file's layout are shown, and ignored, as "Other Fields:".
        list_->addItem({labels.value(index, QStringLiteral("Other Fields:")), fields[index]});
    }
    confirmed_ = false;
    guarded(QStringLiteral(" - frmImportShow:Confirm"), [&] {
        ShowLikeModal(*this, ownerHandle);
        unload();
    });
    return confirmed_;
}

}  // namespace vel
