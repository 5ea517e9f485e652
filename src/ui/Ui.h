#pragma once
// Ui: the only way out to a person. Every window, message, sound, file or folder choice, colour,
// font, printer set-up and help topic goes through the current Ui: the Qt front end in the
// program, the headless driver in tests and scripts.
#include <QString>
#include <QStringList>

namespace vel {

class Form;

struct FileDialogRequest {
    QString title;
    QString folder;          // where the dialog starts
    QString fileName;        // proposed name
    QString filter;          // "Text Files (*.txt)|*.txt|All Files (*.*)|*.*"
    QString defaultExtension;
    bool mustExist = true;   // open: the file must exist; save: ignored
    bool confirmOverwrite = true;
};

struct FontChoice {
    QString family = QStringLiteral("Arial");
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

struct PrintSetupChoice {
    QString printerName;  // empty: the default printer
    bool landscape = false;
    int copies = 1;
    QString paperName = QStringLiteral("Letter");
};

class Ui {
public:
    virtual ~Ui() = default;

    // Shows the form in front of its owner (form.owner()) and returns once it is hidden or
    // unloaded. The form is loaded and shown by the call.
    virtual void runModal(Form& form) = 0;
    // Whether the window shown last closed without anyone working it (a script-driven Ui that
    // had no script for it). A window that insists on being shown again stops there instead of
    // showing itself for ever.
    virtual bool lastWindowUnattended() const { return false; }
    // The component's window that is active now (in front and taking input), or nullptr when
    // the active window is the host's or none.
    virtual Form* activeForm() const = 0;
    // A standard message box; returns the answer code (IDOK, IDYES, ...).
    virtual int messageBox(const QString& prompt, int style, const QString& caption) = 0;
    // Plays a named system sound ("SystemHand", "SystemQuestion", ...) without waiting.
    virtual void playSound(const QString& soundName) = 0;

    // Common dialogs: an empty result or false means the person cancelled.
    virtual QString openFileName(const FileDialogRequest& request) = 0;
    virtual QString saveFileName(const FileDialogRequest& request) = 0;
    virtual QString browseFolder(const QString& title, const QString& startFolder) = 0;
    virtual bool chooseColor(quint32& bgrColor) = 0;  // colours as 0x00BBGGRR
    virtual bool chooseFont(FontChoice& font) = 0;
    virtual bool printSetup(PrintSetupChoice& setup) = 0;
    virtual void showHelp(const QString& helpFile, int context) = 0;

    // The host's status display.
    virtual void statusText(const QString& text) = 0;
    virtual void statusPercent(int percent) = 0;
    // A Cancel button beside the status display while a long step (a transfer) can be stopped:
    // shown with true, removed with false. statusCancelled() says whether the person pressed it
    // since it was shown; the step asks between its parts.
    virtual void statusCancellable(bool cancellable) { (void)cancellable; }
    virtual bool statusCancelled() { return false; }
    // Handles pending events (a wait loop or a long job keeps the program responsive).
    virtual void processEvents() = 0;
};

// The Ui in use. Until the program or a test installs one, a headless driver without scripts
// stands in, so that any window or message fails loudly instead of hanging.
Ui& currentUi();
void setCurrentUi(Ui* ui);

// Installs a Ui for the life of the object and puts the previous one back afterwards.
class ScopedUi {
public:
    explicit ScopedUi(Ui& ui);
    ~ScopedUi();
    ScopedUi(const ScopedUi&) = delete;
    ScopedUi& operator=(const ScopedUi&) = delete;

private:
    Ui* previous_;
};

}  // namespace vel
