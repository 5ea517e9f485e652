#pragma once
// FormRenderer: builds a real dialog from any form and keeps the two in step. The form's
// containers become layouts (a tab strip a QTabWidget, a frame a QGroupBox, a row of controls a
// QFormLayout row with its caption label), each control a widget bound to it. A person's input
// goes through the controls' user operations; program changes reach the widgets through the
// form's observer, gathered and applied once per turn of the event loop (or at flush()).
// The renderer must not outlive its form.
#include "ui/Form.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

class QButtonGroup;
class QWidget;

namespace vel {

class ControlBinding;
class FormDialog;

class FormRenderer : public QObject, public FormObserver {
    Q_OBJECT
public:
    // Builds the dialog (not yet shown) as a child window of parent, when given.
    explicit FormRenderer(Form& form, QWidget* parent = nullptr);
    ~FormRenderer() override;

    Form& form() const { return form_; }
    FormDialog* dialog() const;
    // The widget that shows a control (the one that takes the focus), or nullptr.
    QWidget* widgetFor(const Control& control) const;
    QWidget* widgetFor(const QString& path) const;
    template <class T>
    T* widgetAs(const QString& path) const {
        return qobject_cast<T*>(widgetFor(path));
    }

    // Applies every pending model change to the widgets now.
    void flush();
    // Shows the control's state in its widgets now, changed or not (after a refused input).
    void refreshNow(const Control& control);
    // Gives the keyboard focus to the widget of the form's focused control.
    void applyFocus();
    // The exclusive button group of an option button array, made on first use.
    QButtonGroup* optionGroup(const QString& arrayName);

    void controlChanged(Control& control) override;
    void formChanged(Form& form) override;

Q_SIGNALS:
    // The form was hidden or unloaded: its modal display is over.
    void finished();

private:
    friend class FormLayoutBuilder;
    void addBinding(std::unique_ptr<ControlBinding> binding);
    void schedule(ControlBinding* binding);
    void applyFormState();
    void onFocusChanged(QWidget* now);
    void onCloseRequested();
    void onEscape();

    Form& form_;
    QPointer<FormDialog> dialog_;
    std::vector<std::unique_ptr<ControlBinding>> bindings_;
    QHash<const Control*, ControlBinding*> byControl_;
    QHash<QString, QButtonGroup*> optionGroups_;
    std::vector<ControlBinding*> pending_;
    bool flushQueued_ = false;
    bool applyingFocus_ = false;
    bool finished_ = false;
};

}  // namespace vel
