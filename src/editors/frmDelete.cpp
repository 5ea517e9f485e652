#include "editors/frmDelete.h"

#include "services/ErrorReport.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Frame.h"
#include "ui/Label.h"

namespace vel {

frmDelete::frmDelete() : Form(QStringLiteral("frmDelete"), QStringLiteral("OK to Delete?")) {
    label(QStringLiteral("Label1"),
          QStringLiteral("Press the Delete Button to delete the following item(s) from the "
                         "database:"));
    kind_ = &label(QStringLiteral("Label2"), QStringLiteral(" to be deleted:"));
    item_ = &label(QStringLiteral("lblItem"), QString());
    label(QStringLiteral("Label3"), QStringLiteral("Move its data to:"));
    targets_ = &comboBox(QStringLiteral("Combo1"));
    auto& buttons = line();
    buttons.button(QStringLiteral("cmdDelete"), QStringLiteral("&Delete")).clicked([this] {
        cancelled_ = false;
        unload();
    });
    buttons.button(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"))
        .makeCancel()
        .clicked([this] { unload(); });
}

void frmDelete::setItem(const QString& kind, const QString& item) {
    kind_->setCaption(kind + QStringLiteral(" to be deleted:"));
    item_->setCaption(item);
}

void frmDelete::clearTargets() {
    targets_->clear();
}

void frmDelete::addTarget(const QString& text, int recordNumber) {
    targets_->addItem(text, recordNumber);
}

void frmDelete::Form_Load() {
    cancelled_ = true;
    if (targets_->listIndex() < 0 && targets_->listCount() > 0) {
        targets_->setListIndex(0);
    }
}

bool frmDelete::Ask(quintptr ownerHandle) {
    cancelled_ = true;
    guarded(QStringLiteral(" - frmDelete:Ask"), [&] {
        ShowLikeModal(*this, ownerHandle);
        unload();
    });
    return !cancelled_;
}

int frmDelete::targetRecord() const {
    const int index = targets_->listIndex();
    return index < 0 ? 0 : int(targets_->itemData(index));
}

QString frmDelete::targetText() const {
    return targets_->text();
}

}  // namespace vel
