#include "editors/frmOKtoView.h"

#include "services/ErrorReport.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/Frame.h"
#include "ui/OptionButton.h"

namespace vel {

frmOKtoView::frmOKtoView() : Form(QStringLiteral("frmOKtoView"), QStringLiteral("Open Table")) {
    viewOnly_ = &option(QStringLiteral("Option1"), 0,
                        QStringLiteral("Open the table for viewing only.  "
                                       "(This does not lock the table.)"));
    modify_ = &option(QStringLiteral("Option1"), 1,
                      QStringLiteral("Open the table for modifications.  (This may lock other "
                                     "users out of certain functions.)"));
    auto& buttons = line();
    buttons.button(QStringLiteral("cmdOK"), QStringLiteral("OK")).makeDefault().clicked([this] {
        choose(modify_->value() ? Modify : viewOnly_->value() ? ViewOnly : Cancelled);
    });
    buttons.button(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"))
        .makeCancel()
        .clicked([this] { choose(Cancelled); });
}

void frmOKtoView::Form_Load() {
    viewOnly_->setValue(true);
}

void frmOKtoView::choose(int answer) {
    answer_ = answer;
    unload();
}

int frmOKtoView::OKtoEdit(quintptr ownerHandle) {
    answer_ = Cancelled;
    guarded(QStringLiteral(" - frmOKtoView:OKtoEdit"), [&] {
        ShowLikeModal(*this, ownerHandle);
        unload();
    });
    return answer_;
}

}  // namespace vel
