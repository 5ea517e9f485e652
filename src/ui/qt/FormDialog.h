#pragma once
// FormDialog: the top-level window of a rendered form. Closing it by its frame or pressing
// Escape does not close it directly: the renderer asks the form, whose QueryUnload may refuse.
#include <QDialog>

namespace vel {

class FormDialog : public QDialog {
    Q_OBJECT
public:
    explicit FormDialog(QWidget* parent = nullptr);

    // Hides the window because the form was hidden or unloaded.
    void hideByProgram();
    // The one widget that holds the window's controls; disabling it disables the form
    // without disabling the windows it owns.
    QWidget* body() const { return body_; }

Q_SIGNALS:
    void closeRequested();  // the frame's close button, Alt+F4, the window menu
    void escapePressed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QWidget* body_;
    bool closingByProgram_ = false;
};

}  // namespace vel
