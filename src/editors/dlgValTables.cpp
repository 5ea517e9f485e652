#include "editors/dlgValTables.h"

#include "platform/transfer/ExportTypeChoice.h"
#include "services/BrowseFolder.h"
#include "services/ErrorReport.h"
#include "services/MessageWithSound.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"

#include <QDir>
#include <QFileInfo>

namespace vel {

namespace {

const QString defaultCaption = QStringLiteral("Export Options");
const QString preselectedType = QStringLiteral("XLSX");

}  // namespace

dlgValTables::dlgValTables() : Form(QStringLiteral("dlgValTables"), defaultCaption) {
    strip_ = &tabStrip(QStringLiteral("TabStrip1"));
    auto& files = strip_->page(QStringLiteral("File Type and Folder"));
    type_ = &files.comboBox(QStringLiteral("Combo1"), QStringLiteral("&Type of Export:"));
    folder_ = &files.textBox(QStringLiteral("Text1"), QStringLiteral("&Folder:"));
    files.button(QStringLiteral("Command2"), QStringLiteral("Browse for File")).clicked([this] {
        browse();
    });
    explanation_ = &files.label(QStringLiteral("lblExplanation"), QString());

    auto& tables = strip_->page(QStringLiteral("Tables"));
    for (const ValidationTableInfo& info : validationTables()) {
        const int index = int(info.table);
        tables_[size_t(index)] = &tables.checkBox(QStringLiteral("Check1"), index, info.caption);
    }
    tables.button(QStringLiteral("Command1"), QStringLiteral("Check/UnCheck All")).clicked([this] {
        checkOrClearAll();
    });

    auto& buttons = line();
    buttons.button(QStringLiteral("cmdOK"), QStringLiteral("&Export"))
        .makeDefault()
        .clicked([this] { confirm(); });
    buttons.button(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"))
        .makeCancel()
        .clicked([this] { unload(); });
}

bool dlgValTables::ShowOptions(quintptr ownerHandle, Options& options, const QString& explanation,
                               const QString& title) {
    confirmed_ = false;
    owner_ = ownerHandle;
    guarded(QStringLiteral(" - dlgValTables:ShowOptions"), [&] {
        fill(options, explanation, title);
        ShowLikeModal(*this, ownerHandle);
        if (confirmed_) {
            for (size_t index = 0; index < tables_.size(); ++index) {
                options.selection[index] = tables_[index]->checked();
            }
            options.folder = folder_->text();
            options.outputType = choosableOutputTypes().value(type_->listIndex()).name;
        }
        unload();
    });
    return confirmed_;
}

void dlgValTables::fill(const Options& options, const QString& explanation, const QString& title) {
    setCaption(title.isEmpty() ? defaultCaption : title);
    strip_->select(1);
    explanation_->setCaption(explanation);
    folder_->setText(options.folder);
    type_->clear();
    const QList<ExportOutputType> types = choosableOutputTypes();
    const auto wanted = ExportOutputType::find(options.outputType);
    int chosen = -1;
    for (const ExportOutputType& type : types) {
        type_->addItem(outputTypeChoiceText(type));
        if (wanted && wanted->name == type.name) {
            chosen = type_->listCount() - 1;
        }
        if (!wanted && type.name == preselectedType) {
            chosen = type_->listCount() - 1;
        }
    }
    type_->setListIndex(chosen);
    for (size_t index = 0; index < tables_.size(); ++index) {
        tables_[index]->setChecked(options.selection[index]);
    }
    checkAllNext_ = true;
}

void dlgValTables::browse() {
    const QString chosen =
        BrowseFolder(owner_, QStringLiteral("Folder for Export File"), folder_->text());
    if (!chosen.isEmpty()) {
        folder_->setText(chosen);
    }
}

// Each press checks every box or clears every box, in turn, whatever the boxes show.
void dlgValTables::checkOrClearAll() {
    for (CheckBox* box : tables_) {
        box->setChecked(checkAllNext_);
    }
    checkAllNext_ = !checkAllNext_;
}

void dlgValTables::confirm() {
    const QString folder = folder_->text();
    if (folder.trimmed().isEmpty() || !QFileInfo(folder).isDir()) {
        MessageWithSound(
            QStringLiteral("The folder: ") + folder + QStringLiteral(" does not exist."),
            MB_OK | MB_ICONEXCLAMATION);
        setFocus(*folder_);
        return;
    }
    confirmed_ = true;
    hide();
}

}  // namespace vel
