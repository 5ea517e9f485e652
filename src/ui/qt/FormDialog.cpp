#include "ui/qt/FormDialog.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace vel {

FormDialog::FormDialog(QWidget* parent) : QDialog(parent), body_(new QWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(body_);
}

void FormDialog::hideByProgram() {
    closingByProgram_ = true;
    hide();
    closingByProgram_ = false;
}

void FormDialog::closeEvent(QCloseEvent* event) {
    if (closingByProgram_) {
        event->accept();
        return;
    }
    event->ignore();
    Q_EMIT closeRequested();
}

void FormDialog::reject() {
    if (closingByProgram_) {
        QDialog::reject();
        return;
    }
    Q_EMIT escapePressed();
}

}  // namespace vel
