#include "ui/qt/QtUi.h"

#include "services/HelpTopics.h"
#include "services/Registry.h"
#include "ui/Form.h"
#include "ui/qt/FileFilter.h"
#include "ui/qt/FormDialog.h"
#include "ui/qt/FormRenderer.h"
#include "ui/qt/MessageBoxPresenter.h"
#include "ui/qt/WindowMemory.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QEventLoop>
#include <QTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QUrl>
#include <algorithm>
#include <exception>

namespace vel {

namespace {

bool placesBarSuppressed() {
    try {
        return Registry::placesBarSuppressed();
    } catch (const std::exception&) {
        return false;  // an unreadable setting leaves the dialog as it normally is
    }
}

QColor fromBgr(quint32 bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 toBgr(const QColor& color) {
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

// Page sizes are chosen by their names; the well-known ones answer to their short name too
// ("Letter" for "Letter / ANSI A").
QPageSize pageSizeNamed(const QString& name) {
    for (int id = 0; id <= int(QPageSize::LastPageSize); ++id) {
        const QPageSize size(static_cast<QPageSize::PageSizeId>(id));
        const QString sizeName = size.name();
        if (sizeName.compare(name, Qt::CaseInsensitive) == 0 ||
            sizeName.section(u'/', 0, 0).trimmed().compare(name, Qt::CaseInsensitive) == 0 ||
            QPageSize::key(size.id()).compare(name, Qt::CaseInsensitive) == 0) {
            return size;
        }
    }
    return QPageSize(QPageSize::Letter);
}

QString shortPageName(const QPageSize& size) {
    return size.name().section(u'/', 0, 0).trimmed();
}

}  // namespace

QtUi::QtUi() = default;
QtUi::~QtUi() = default;

FormRenderer* QtUi::rendererFor(const Form& form) const {
    for (FormRenderer* renderer : shown_) {
        if (&renderer->form() == &form) {
            return renderer;
        }
    }
    return nullptr;
}

QWidget* QtUi::ownerWidget(const WindowOwner& owner) const {
    if (owner.form) {
        if (FormRenderer* renderer = rendererFor(*owner.form)) {
            return renderer->dialog();
        }
    }
    if (owner.hostWindow != 0) {
        return QWidget::find(WId(owner.hostWindow));
    }
    return nullptr;
}

QWidget* QtUi::dialogParent() const {
    if (Form* active = activeForm()) {
        return rendererFor(*active)->dialog();
    }
    if (!shown_.empty()) {
        return shown_.back()->dialog();
    }
    return QApplication::activeWindow();
}

void QtUi::runModal(Form& form) {
    if (rendererFor(form)) {
        return;  // already shown modally further out; a window shows only once
    }
    QWidget* parent = ownerWidget(form.owner());
    form.show();
    if (!form.isLoaded() || !form.isVisible()) {
        return;  // Form_Load hid or unloaded the window already
    }
    FormRenderer renderer(form, parent);
    shown_.push_back(&renderer);
    QEventLoop loop;
    QObject::connect(&renderer, &FormRenderer::finished, &loop, &QEventLoop::quit);
    FormDialog* dialog = renderer.dialog();
    dialog->setWindowModality(Qt::ApplicationModal);
    const bool remembered = WindowMemory::remembers(*dialog);
    const QString memoryKey = WindowMemory::keyFor(form);
    if (remembered) {
        const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
        WindowMemory::restore(*dialog, memoryKey, screen->availableGeometry());
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    renderer.applyFocus();
    QTimer timer;
    if (form.timerInterval() > 0) {
        QObject::connect(&timer, &QTimer::timeout, dialog, [&form] { form.fireTimer(); });
        timer.start(form.timerInterval());
    }
    if (form.isLoaded() && form.isVisible()) {
        loop.exec(QEventLoop::DialogExec);
    }
    if (remembered) {
        WindowMemory::remember(*dialog, memoryKey);
    }
    std::erase(shown_, &renderer);
}

Form* QtUi::activeForm() const {
    const QWidget* active = QApplication::activeWindow();
    for (FormRenderer* renderer : shown_) {
        if (renderer->dialog() == active && renderer->form().isVisible()) {
            return &renderer->form();
        }
    }
    return nullptr;
}

int QtUi::messageBox(const QString& prompt, int style, const QString& caption) {
    return showMessageBox(dialogParent(), prompt, style, caption);
}

void QtUi::playSound(const QString& soundName) {
    sound_.play(soundName);
}

QString QtUi::runFileDialog(const FileDialogRequest& request, bool saving) {
    QFileDialog dialog(dialogParent(), request.title, request.folder);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving || !request.mustExist ? QFileDialog::AnyFile
                                                    : QFileDialog::ExistingFile);
    if (saving && !request.confirmOverwrite) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    if (!request.defaultExtension.isEmpty()) {
        dialog.setDefaultSuffix(QString(request.defaultExtension).remove(u'.'));
    }
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    // The places bar may be switched off for the program; Qt's own dialog can hide it.
    if (placesBarSuppressed()) {
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setSidebarUrls({});
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

QString QtUi::openFileName(const FileDialogRequest& request) {
    return runFileDialog(request, false);
}

QString QtUi::saveFileName(const FileDialogRequest& request) {
    return runFileDialog(request, true);
}

QString QtUi::browseFolder(const QString& title, const QString& startFolder) {
    return QFileDialog::getExistingDirectory(dialogParent(), title, startFolder);
}

bool QtUi::chooseColor(quint32& bgrColor) {
    const QColor chosen = QColorDialog::getColor(fromBgr(bgrColor), dialogParent());
    if (!chosen.isValid()) {
        return false;
    }
    bgrColor = toBgr(chosen);
    return true;
}

bool QtUi::chooseFont(FontChoice& font) {
    QFont initial(font.family);
    initial.setPointSizeF(font.size > 0 ? font.size : 10);
    initial.setBold(font.bold);
    initial.setItalic(font.italic);
    initial.setUnderline(font.underline);
    initial.setStrikeOut(font.strikeOut);
    bool chosen = false;
    const QFont result = QFontDialog::getFont(&chosen, initial, dialogParent());
    if (!chosen) {
        return false;
    }
    font.family = result.family();
    font.size = result.pointSizeF();
    font.bold = result.bold();
    font.italic = result.italic();
    font.underline = result.underline();
    font.strikeOut = result.strikeOut();
    return true;
}

bool QtUi::printSetup(PrintSetupChoice& setup) {
    QPrinter printer;
    if (!setup.printerName.isEmpty()) {
        printer.setPrinterName(setup.printerName);
    }
    printer.setPageOrientation(setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setCopyCount(std::max(setup.copies, 1));
    printer.setPageSize(pageSizeNamed(setup.paperName));
    QPrintDialog dialog(&printer, dialogParent());
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    setup.printerName = printer.printerName();
    setup.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    setup.copies = printer.copyCount();
    setup.paperName = shortPageName(printer.pageLayout().pageSize());
    return true;
}

void QtUi::showHelp(const QString& helpFile, int context) {
    if (helpFile.isEmpty()) {
        return;
    }
    const QString page = helpFileForContext(helpFile, context);
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()))) {
        qWarning("No program opens the help page %s", qPrintable(page));
    }
}

void QtUi::statusText(const QString& text) {
    statusText_ = text;
    if (statusSink_) {
        statusSink_(statusText_, statusPercent_);
    }
}

void QtUi::statusCancellable(bool cancellable) {
    cancelled_ = false;
    if (cancelSink_) {
        cancelSink_(cancellable);
    }
}

void QtUi::statusPercent(int percent) {
    statusPercent_ = percent;
    if (statusSink_) {
        statusSink_(statusText_, statusPercent_);
    }
}

void QtUi::processEvents() {
    QCoreApplication::processEvents();
}

}  // namespace vel
