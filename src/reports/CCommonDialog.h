#pragma once
// CCommonDialog: the common dialogs (open file, save file, colour, font, print set-up, help)
// behind properties. A window sets the properties, calls one Show... operation and reads the
// results; the dialog itself is the current Ui's (the Qt front end shows the real dialogs, the
// headless driver answers with the choices a test or script prepared).
//
// Each Show... first clears APIReturn and ExtendedError and sets Action (1 open, 2 save,
// 3 colour, 4 font, 5 printer, 6 help). APIReturn is 1 when the person confirmed and 0 when they
// cancelled or the dialog failed (the reason then in ExtendedError). A cancel with CancelError
// True raises run-time error 0x8004037E, "Cancel Pressed"; without it the properties stay as
// they were.
//
// File dialogs: the filter "description|pattern|..." goes to the dialog as pairs; the name
// buffer holds MaxFileSize characters (255 when MaxFileSize is below 1), so a longer Filename
// is cut before the dialog shows, and a chosen path longer than the buffer is refused with the
// extended error 0x3003 (buffer too small). An answer without a file name (a folder) gives
// 0x3002 and the message "Error retrieving filename from OpenFileName structure.  The Extended
// return code is: " + the code. The current directory is restored whatever the outcome.
#include <QString>

#include <array>

namespace vel {

class CCommonDialog {
  public:
    enum ActionCode {
        ActionOpen = 1,
        ActionSave = 2,
        ActionColor = 3,
        ActionFont = 4,
        ActionPrinter = 5,
        ActionHelp = 6
    };
    static constexpr int CancelErrorNumber = int(0x8004037E);
    static constexpr int ExplorerStyle = 0x80000;  // flags: the dialog needs no hook
    static constexpr int EnableHook = 0x20;
    static constexpr int LongNames = 0x20000;
    static constexpr int InvalidFileName = 0x3002;
    static constexpr int BufferTooSmall = 0x3003;

    // The properties, in their declared order.
    QString Filename() const { return filename_; }
    void setFilename(const QString& value) { filename_ = value; }
    QString filter() const { return filter_; }
    void setfilter(const QString& value) { filter_ = value; }
    int Action() const { return action_; }
    int FilterIndex() const { return filterIndex_; }
    void setFilterIndex(int value) { filterIndex_ = value; }
    bool CancelError() const { return cancelError_; }
    void setCancelError(bool value) { cancelError_ = value; }
    int Color() const { return color_; }
    void setColor(int value) { color_ = value; }
    int Copies() const { return copies_; }
    void setCopies(int value) { copies_ = value; }
    QString DefaultExt() const { return defaultExt_; }
    void setDefaultExt(const QString& value) { defaultExt_ = value; }
    QString DialogTitle() const { return dialogTitle_; }
    void setDialogTitle(const QString& value) { dialogTitle_ = value; }
    int flags() const { return flags_; }
    void setflags(int value) { flags_ = value; }
    bool FontBold() const { return fontBold_; }
    void setFontBold(bool value) { fontBold_ = value; }
    bool FontItalic() const { return fontItalic_; }
    void setFontItalic(bool value) { fontItalic_ = value; }
    QString FontName() const { return fontName_; }
    void setFontName(const QString& value) { fontName_ = value; }
    double FontSize() const { return fontSize_; }
    void setFontSize(double value) { fontSize_ = value; }
    bool FontStrikethru() const { return fontStrikethru_; }
    void setFontStrikethru(bool value) { fontStrikethru_ = value; }
    bool FontUnderline() const { return fontUnderline_; }
    void setFontUnderline(bool value) { fontUnderline_ = value; }
    int FromPage() const { return fromPage_; }
    void setFromPage(int value) { fromPage_ = value; }
    quintptr hWnd() const { return hWnd_; }
    void sethWnd(quintptr value) { hWnd_ = value; }
    quintptr hdc() const { return hdc_; }
    void sethdc(quintptr value) { hdc_ = value; }
    int HelpCommand() const { return helpCommand_; }
    void setHelpCommand(int value) { helpCommand_ = value; }
    int HelpContext() const { return helpContext_; }
    void setHelpContext(int value) { helpContext_ = value; }
    QString HelpFile() const { return helpFile_; }
    void setHelpFile(const QString& value) { helpFile_ = value; }
    QString HelpKey() const { return helpKey_; }
    void setHelpKey(const QString& value) { helpKey_ = value; }
    QString InitDir() const { return initDir_; }
    void setInitDir(const QString& value) { initDir_ = value; }
    int Max() const { return max_; }
    void setMax(int value) { max_ = value; }
    int MaxFileSize() const { return maxFileSize_; }
    void setMaxFileSize(int value) { maxFileSize_ = value; }
    int Min() const { return min_; }
    void setMin(int value) { min_ = value; }
    quintptr Object() const { return object_; }
    void setObject(quintptr value) { object_ = value; }
    bool PrinterDefault() const { return printerDefault_; }
    void setPrinterDefault(bool value) { printerDefault_ = value; }
    int ToPage() const { return toPage_; }
    void setToPage(int value) { toPage_ = value; }
    QString FileTitle() const { return fileTitle_; }
    void setFileTitle(const QString& value) { fileTitle_ = value; }
    int APIReturn() const { return apiReturn_; }
    int ExtendedError() const { return extendedError_; }
    QString DeviceName() const { return deviceName_; }
    void setDeviceName(const QString& value) { deviceName_ = value; }
    int Orientation() const { return orientation_; }  // 1 portrait, 2 landscape
    void setOrientation(int value) { orientation_ = value; }
    int PaperSize() const { return paperSize_; }  // 1 letter, 5 legal, 9 A4
    void setPaperSize(int value) { paperSize_ = value; }
    int BinNum() const { return binNum_; }
    void setBinNum(int value) { binNum_ = value; }

    void ShowOpen();
    void ShowSave();
    void ShowColor();
    void ShowFont();
    void ShowPrinter();
    void ShowHelp();

    // What the dialog is given: the filter with each "|" a NUL and two NULs at its end, the
    // length of the name buffers, the name as the buffer holds it (cut to the buffer), and the
    // flags with the hook flags added for an old-style dialog.
    static QString filterBuffer(const QString& filter);
    int bufferLength() const { return maxFileSize_ < 1 ? 255 : maxFileSize_; }
    QString nameInBuffer() const { return filename_.left(bufferLength()); }
    int dialogFlags() const;
    // The sixteen custom colours the colour dialog starts with, all white.
    static std::array<int, 16> customColors();
    // The logical font height for the font size on a device of the vertical resolution.
    int logicalFontHeight(int pixelsPerInch) const;

  private:
    void begin(int action);
    void showFileDialog(int action);
    void cancelled();

    QString filename_;
    QString filter_;
    int action_ = 0;
    int filterIndex_ = 0;
    bool cancelError_ = false;
    int color_ = 0;
    int copies_ = 1;
    QString defaultExt_;
    QString dialogTitle_;
    int flags_ = 0;
    bool fontBold_ = false;
    bool fontItalic_ = false;
    QString fontName_;
    double fontSize_ = 0;
    bool fontStrikethru_ = false;
    bool fontUnderline_ = false;
    int fromPage_ = 0;
    quintptr hWnd_ = 0;
    quintptr hdc_ = 0;
    int helpCommand_ = 0;
    int helpContext_ = 0;
    QString helpFile_;
    QString helpKey_;
    QString initDir_;
    int max_ = 0;
    int maxFileSize_ = 255;
    int min_ = 0;
    quintptr object_ = 0;
    bool printerDefault_ = true;
    int toPage_ = 0;
    QString fileTitle_;
    int apiReturn_ = 0;
    int extendedError_ = 0;
    QString deviceName_;
    int orientation_ = 1;
    int paperSize_ = 1;
    int binNum_ = 0;
};

}  // namespace vel
