#include "maintenance/frmImport.h"

#include "services/ErrorReport.h"
#include "services/FileExists.h"
#include "services/MessageWithSound.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/MessageBoxCodes.h"
#include "ui/NumberBox.h"
#include "ui/TextBox.h"
#include "ui/Ui.h"

#include <QFileInfo>

namespace vel {

frmImport::frmImport() : Form(QStringLiteral("frmImport"), QStringLiteral("Import File")) {
    prompt_ = &label(QStringLiteral("lblPrompt"), QString());
    auto& file = line();
    fileName_ = &file.textBox(QStringLiteral("txtFileName"), QStringLiteral("Import &Filename:"));
    file.button(QStringLiteral("cmdBrowse"), QStringLiteral("...")).clicked([this] { browse(); });
    rows_ = &numberBox(QStringLiteral("nbRows"), QStringLiteral("Rows to skip")).range(0, 99999);
    fields_ = &numberBox(QStringLiteral("nbFields"), QStringLiteral("Fields to Skip")).range(0, 39);
    clear_ = &checkBox(QStringLiteral("chkClear"),
                       QStringLiteral("Clear existing records before importing"));
    auto& buttons = line();
    buttons.button(QStringLiteral("cmdImport"), QStringLiteral("&Import"))
        .makeDefault()
        .clicked([this] { confirm(); });
    buttons.button(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"))
        .makeCancel()
        .clicked([this] { unload(); });
}

void frmImport::browse() {
    FileDialogRequest request;
    request.title = caption();
    request.fileName = fileName_->text().trimmed();
    request.folder = QFileInfo(request.fileName).absolutePath();
    request.filter = QStringLiteral("(All Files) *.*|*.*");
    const QString chosen = currentUi().openFileName(request);
    if (!chosen.isEmpty()) {
        fileName_->setText(chosen);
    }
}

void frmImport::confirm() {
    const QString name = fileName_->text().trimmed();
    if (name.isEmpty()) {
        MessageWithSound(QStringLiteral("Filename cannot be blank."), MB_ICONEXCLAMATION,
                         caption());
        fileName_->setFocus();
        return;
    }
    if (!FileExists(name)) {
        MessageWithSound(QStringLiteral("File: ") + name + QStringLiteral(" does not exist."),
                         MB_ICONEXCLAMATION, caption());
        fileName_->setFocus();
        return;
    }
    confirmed_ = true;
    unload();
}

bool frmImport::Ask(Request& request, quintptr ownerHandle) {
    confirmed_ = false;
    guarded(QStringLiteral(" - frmImport:Ask"), [&] {
        setCaption(request.title.isEmpty() ? QStringLiteral("Import File") : request.title);
        prompt_->setCaption(request.prompt);
        fileName_->setText(request.fileName);
        rows_->setValue(request.rowsToSkip);
        fields_->setValue(request.fieldsToSkip);
        clear_->setEnabled(request.offerClear);
        clear_->setChecked(request.offerClear && request.clear);
        ShowLikeModal(*this, ownerHandle);
        if (confirmed_) {
            request.fileName = fileName_->text().trimmed();
            request.rowsToSkip = int(rows_->value());
            request.fieldsToSkip = int(fields_->value());
            request.clear = request.offerClear && clear_->checked();
        }
        unload();
    });
    return confirmed_;
}

}  // namespace vel
