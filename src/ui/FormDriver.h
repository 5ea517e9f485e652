#pragma once
// FormDriver: a person's hands on one shown window, for tests and scripts. Every action goes
// through the control's user operations, so a disabled, hidden or locked control refuses it as
// the real window would. Actions return whether the window took them; a refusal is written to
// the transcript ("refused: ..."), an unknown control name is a failure.
#include <QString>
#include <functional>

namespace vel {

class Control;
class Form;
class Transcript;

class FormDriver {
public:
    using FailureSink = std::function<void(const QString& failure)>;

    FormDriver(Form& form, Transcript& transcript, FailureSink fail);

    Form& form() const { return form_; }
    // The control by name; an unknown name is reported as a failure and yields nullptr.
    Control* find(const QString& path);
    // The control as the kind the action needs; another kind is reported as a failure.
    template <class T>
    T* control(const QString& path) {
        Control* found = find(path);
        T* typed = dynamic_cast<T*>(found);
        if (found && !typed) {
            wrongKind(path);
        }
        return typed;
    }
    QString value(const QString& path);

    bool set(const QString& path, const QString& value);    // as valueText() reads it; a text
                                                            // box is then left
    bool type(const QString& path, const QString& text);    // key by key, then leaves the box
    bool key(const QString& path, int code);                // one Windows-1252 key code
    bool click(const QString& path);
    bool selectTab(const QString& path, int number);
    bool selectLine(const QString& path, int line, bool addToSelection = false);
    bool doubleClickLine(const QString& path, int line);
    bool tick(const QString& path, const QString& itemText, bool ticked = true);
    bool pick(const QString& path, const QString& itemText);        // ordered selection: add
    bool unpick(const QString& path, int position);
    bool moveChosen(const QString& path, int position, int offset);
    bool clickCell(const QString& path, int row, int col);
    bool editCell(const QString& path, int row, int col, const QString& text);
    bool close();      // by the window's frame
    void pressHelp();  // F1: the window's help page
    // Records a failure of the script that drives the window (an expectation not met).
    void fail(const QString& failure) { fail_(failure); }

private:
    void wrongKind(const QString& path);
    bool report(bool taken, const QString& path, const QString& action);

    Form& form_;
    Transcript& transcript_;
    FailureSink fail_;
};

}  // namespace vel
