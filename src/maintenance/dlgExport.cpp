#include "maintenance/dlgExport.h"

#include "platform/transfer/ExportOutputType.h"
#include "services/ErrorReport.h"
#include "services/MessageWithSound.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Frame.h"
#include "ui/TextBox.h"
#include "ui/Ui.h"

#include <QDir>
#include <QFileInfo>

namespace vel {

namespace {

const QString fallbackType = QStringLiteral("CSV");

}  // namespace

dlgExport::dlgExport() : Form(QStringLiteral("dlgExport"), QStringLiteral("Export Options")) {
    auto& fileRow = line();
    fileName_ = &fileRow.textBox(QStringLiteral("Text1"), QStringLiteral("&File Name:"));
    fileRow.button(QStringLiteral("Command2"), QStringLiteral("Browse for File")).clicked([this] {
        browse();
    });
    type_ = &comboBox(QStringLiteral("Combo1"), QStringLiteral("&Type of Export:"));
    for (const ExportOutputType& type : ExportOutputType::all()) {
        type_->addItem(type.description + QStringLiteral(" (") + type.extension + u')');
    }
    type_->onClick([this] { typeChosen(); });
    nonZero_ = &checkBox(QStringLiteral("chkNonZero"),
                         QStringLiteral("Do not output records with zero values. "));
    auto& buttons = line();
    buttons.button(QStringLiteral("cmdOK"), QStringLiteral("&OK")).makeDefault().clicked([this] {
        confirm();
    });
    buttons.button(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"))
        .makeCancel()
        .clicked([this] { hide(); });
}

bool dlgExport::ShowOptions(quintptr ownerHandle, Options& options) {
    confirmed_ = false;
    owner_ = ownerHandle;
    guarded(QStringLiteral(" - dlgExport:ShowOptions"), [&] {
        load();
        const auto wanted = ExportOutputType::find(options.outputType);
        const QString typeName = wanted ? wanted->name : fallbackType;
        const auto& types = ExportOutputType::all();
        for (qsizetype index = 0; index < types.size(); ++index) {
            if (types[index].name == typeName) {
                shownType_ = typeName;
                type_->setListIndex(int(index));
            }
        }
        fileName_->setText(options.fileName);
        nonZero_->setChecked(options.nonZeroOnly);
        setFocus(*fileName_);
        ShowLikeModal(*this, ownerHandle);
        if (confirmed_) {
            options.fileName = fileName_->text().trimmed();
            options.outputType = chosenType();
            options.nonZeroOnly = nonZero_->checked();
        }
    });
    return confirmed_;
}

QString dlgExport::fileFilter(const QString& outputType) {
    const auto type = ExportOutputType::find(outputType);
    QString filter;
    if (type) {
        filter = type->description + QStringLiteral(" (*.") + type->extension +
                 QStringLiteral(")|*.") + type->extension + u'|';
    }
    return filter + QStringLiteral("All Files (*.*)|*.*");
}

QString dlgExport::chosenType() const {
    return ExportOutputType::all().value(type_->listIndex()).name;
}

void dlgExport::browse() {
    const auto type = ExportOutputType::find(chosenType());
    FileDialogRequest request;
    request.title = QStringLiteral("Name an Output File");
    request.fileName = fileName_->text().trimmed();
    request.folder = QFileInfo(request.fileName).path();
    request.filter = fileFilter(chosenType());
    request.defaultExtension = type ? type->extension : QString();
    const QString chosen = currentUi().saveFileName(request);
    if (!chosen.isEmpty()) {
        fileName_->setText(chosen);
    }
}

// A file name that ends in the previous type's extension takes the new type's.
void dlgExport::typeChosen() {
    const auto before = ExportOutputType::find(shownType_);
    const auto now = ExportOutputType::find(chosenType());
    shownType_ = chosenType();
    if (!before || !now) {
        return;
    }
    const QString name = fileName_->text().trimmed();
    const QString oldEnding = u'.' + before->extension;
    if (name.endsWith(oldEnding, Qt::CaseInsensitive)) {
        fileName_->setText(name.left(name.size() - oldEnding.size()) + u'.' + now->extension);
    }
}

void dlgExport::confirm() {
    const QString name = fileName_->text().trimmed();
    if (name.isEmpty()) {
        MessageWithSound(QStringLiteral("Please enter the name of the file to create."),
                         MB_OK | MB_ICONEXCLAMATION);
        setFocus(*fileName_);
        return;
    }
    const QFileInfo file(name);
    if (file.isDir()) {
        MessageWithSound(name + QStringLiteral(" is a folder: please name a file in it."),
                         MB_OK | MB_ICONEXCLAMATION);
        setFocus(*fileName_);
        return;
    }
    if (!file.absoluteDir().exists()) {
        MessageWithSound(QStringLiteral("The folder: ") + file.absolutePath() +
                             QStringLiteral(" does not exist."),
                         MB_OK | MB_ICONEXCLAMATION);
        setFocus(*fileName_);
        return;
    }
    confirmed_ = true;
    hide();
}

}  // namespace vel
