#include "reports/CCommonDialog.h"

#include "services/ErrorReport.h"
#include "services/MessageWithSound.h"
#include "services/RuntimeError.h"
#include "ui/MessageBoxCodes.h"
#include "ui/Ui.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace vel {

namespace {

constexpr int FileMustExist = 0x1000;
constexpr int OverwritePrompt = 0x2;

// Puts the current directory back when the file dialog ends, however it ends.
class CurrentDirectoryKeeper {
  public:
    CurrentDirectoryKeeper() : kept_(QDir::currentPath()) {}
    ~CurrentDirectoryKeeper() { QDir::setCurrent(kept_); }
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
    CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

  private:
    QString kept_;
};

QString paperName(int paperSize) {
    switch (paperSize) {
        case 5:
            return QStringLiteral("Legal");
        case 9:
            return QStringLiteral("A4");
        default:
            return QStringLiteral("Letter");
    }
}

int paperSizeOf(const QString& name) {
    if (name.compare(QStringLiteral("Legal"), Qt::CaseInsensitive) == 0) {
        return 5;
    }
    return name.compare(QStringLiteral("A4"), Qt::CaseInsensitive) == 0 ? 9 : 1;
}

}  // namespace

QString CCommonDialog::filterBuffer(const QString& filter) {
    QString buffer = filter;
    buffer.replace(QLatin1Char('|'), QChar(0));
    return buffer + QChar(0) + QChar(0);
}

int CCommonDialog::dialogFlags() const {
    return (flags_ & ExplorerStyle) != 0 ? flags_ : flags_ | EnableHook | LongNames;
}

std::array<int, 16> CCommonDialog::customColors() {
    std::array<int, 16> colors{};
    colors.fill(0xFFFFFF);
    return colors;
}

int CCommonDialog::logicalFontHeight(int pixelsPerInch) const {
    return -int(std::lround(fontSize_ * pixelsPerInch / 72.0));
}

void CCommonDialog::begin(int action) {
    action_ = action;
    apiReturn_ = 0;
    extendedError_ = 0;
}

void CCommonDialog::cancelled() {
    if (cancelError_) {
        throw RuntimeError(CancelErrorNumber, QStringLiteral("Cancel Pressed"));
    }
}

void CCommonDialog::ShowOpen() {
    showFileDialog(ActionOpen);
}

void CCommonDialog::ShowSave() {
    showFileDialog(ActionSave);
}

void CCommonDialog::showFileDialog(int action) {
    begin(action);
    CurrentDirectoryKeeper directory;
    QString chosen;
    try {
        FileDialogRequest request;
        request.title = dialogTitle_;
        request.folder = initDir_;
        request.fileName = nameInBuffer();
        request.filter = filter_;
        request.defaultExtension = defaultExt_;
        request.mustExist = (flags_ & FileMustExist) != 0;
        request.confirmOverwrite = (flags_ & OverwritePrompt) != 0;
        chosen = action == ActionOpen ? currentUi().openFileName(request)
                                      : currentUi().saveFileName(request);
    } catch (...) {
        const CaughtError error = caughtError();
        if (ErrorReporter* reporter = errorReporter()) {
            reporter->report(
                QStringLiteral("Error Getting name of file in ShowFileDialog - Err = ") +
                    QString::number(error.number) + QStringLiteral(" in line: 0 - ") +
                    error.description + QStringLiteral(" - extended error:") +
                    QString::number(extendedError_),
                error.number, true);
        }
        return;
    }
    if (chosen.isEmpty()) {
        cancelled();
        return;
    }
    if (chosen.size() > bufferLength()) {
        extendedError_ = BufferTooSmall;
        return;
    }
    const QString title = QFileInfo(chosen).fileName();
    if (title.isEmpty()) {
        extendedError_ = InvalidFileName;
        MessageWithSound(QStringLiteral("Error retrieving filename from OpenFileName structure.  "
                                        "The Extended return code is: ") +
                             QString::number(extendedError_),
                         MB_ICONINFORMATION, {});
        return;
    }
    filename_ = chosen;
    fileTitle_ = title;
    apiReturn_ = 1;
}

void CCommonDialog::ShowColor() {
    begin(ActionColor);
    quint32 chosen = quint32(color_);
    if (!currentUi().chooseColor(chosen)) {
        cancelled();
        return;
    }
    color_ = int(chosen & 0xFFFFFF);
    apiReturn_ = 1;
}

void CCommonDialog::ShowFont() {
    begin(ActionFont);
    FontChoice font;
    if (!fontName_.isEmpty()) {
        font.family = fontName_;
    }
    if (fontSize_ > 0) {
        font.size = fontSize_;
    }
    font.bold = fontBold_;
    font.italic = fontItalic_;
    font.underline = fontUnderline_;
    font.strikeOut = fontStrikethru_;
    if (!currentUi().chooseFont(font)) {
        cancelled();
        return;
    }
    fontName_ = font.family;
    fontSize_ = font.size;
    fontBold_ = font.bold;
    fontItalic_ = font.italic;
    fontUnderline_ = font.underline;
    fontStrikethru_ = font.strikeOut;
    apiReturn_ = 1;
}

void CCommonDialog::ShowPrinter() {
    begin(ActionPrinter);
    PrintSetupChoice setup;
    setup.printerName = deviceName_;
    setup.landscape = orientation_ == 2;
    setup.copies = copies_ < 1 ? 1 : copies_;
    setup.paperName = paperName(paperSize_);
    if (!currentUi().printSetup(setup)) {
        cancelled();
        return;
    }
    deviceName_ = setup.printerName;
    orientation_ = setup.landscape ? 2 : 1;
    copies_ = setup.copies;
    paperSize_ = paperSizeOf(setup.paperName);
    apiReturn_ = 1;
}

void CCommonDialog::ShowHelp() {
    begin(ActionHelp);
    currentUi().showHelp(helpFile_, helpContext_);
    apiReturn_ = 1;
}

}  // namespace vel
