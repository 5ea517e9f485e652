#pragma once
// QtUi: the Ui of the desktop program. Forms show as rendered dialogs, modal in front of their
// owner; messages as QMessageBox; the common dialogs as Qt's file, folder, colour, font and print
// dialogs. Status text and percentages go to a sink the program sets (its status bar).
#include "ui/Ui.h"
#include "ui/qt/SoundPlayer.h"

#include <functional>
#include <vector>

class QWidget;

namespace vel {

class FormRenderer;
struct WindowOwner;

class QtUi : public Ui {
public:
    using StatusSink = std::function<void(const QString& text, int percent)>;
    // Shows (true) or removes (false) the program's Cancel button beside the status display.
    using CancelSink = std::function<void(bool shown)>;

    QtUi();
    ~QtUi() override;

    void setStatusSink(StatusSink sink) { statusSink_ = std::move(sink); }
    void setCancelSink(CancelSink sink) { cancelSink_ = std::move(sink); }
    // The program's Cancel button was pressed.
    void pressStatusCancel() { cancelled_ = true; }
    void setSoundPlayer(SoundPlayer player) { sound_ = std::move(player); }
    // The rendered dialog of a form being shown, or nullptr.
    FormRenderer* rendererFor(const Form& form) const;
    // The window a new dialog or message belongs to: the active component window, else the
    // given host window.
    QWidget* ownerWidget(const WindowOwner& owner) const;

    // Shows the form's dialog modally in front of its owner: the owner form's dialog, or the
    // host window whose QWidget::winId() is WindowOwner::hostWindow. Runs a local event loop
    // until the form is hidden or unloaded.
    void runModal(Form& form) override;
    Form* activeForm() const override;
    int messageBox(const QString& prompt, int style, const QString& caption) override;
    void playSound(const QString& soundName) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    QString browseFolder(const QString& title, const QString& startFolder) override;
    bool chooseColor(quint32& bgrColor) override;
    bool chooseFont(FontChoice& font) override;
    bool printSetup(PrintSetupChoice& setup) override;
    // Opens the help file with the desktop's handler. For an HTML help file the context number
    // becomes the fragment "#context-N", so that the page can hold an anchor per topic; other
    // help files open at their start.
    void showHelp(const QString& helpFile, int context) override;
    void statusText(const QString& text) override;
    void statusPercent(int percent) override;
    void statusCancellable(bool cancellable) override;
    bool statusCancelled() override { return cancelled_; }
    void processEvents() override;

private:
    QString runFileDialog(const FileDialogRequest& request, bool saving);
    QWidget* dialogParent() const;

    std::vector<FormRenderer*> shown_;  // innermost last
    StatusSink statusSink_;
    SoundPlayer sound_;
    QString statusText_;
    int statusPercent_ = 0;
    CancelSink cancelSink_;
    bool cancelled_ = false;
};

}  // namespace vel
