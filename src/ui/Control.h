#pragma once
// Control: one named element of a form (text box, check box, grid, ...). Controls keep their own
// state; a person (through the Qt front end) or a script (through the headless driver) changes
// them only through the user* operations, which respect enabled, visible and locked state exactly
// as a window would. Program code changes them through the plain setters, which raise the same
// Change and Click events a window raises.
#include <QString>
#include <functional>
#include <vector>

namespace vel {

class Container;
class Form;

enum class ControlKind {
    Label, TextBox, CheckBox, OptionButton, ComboBox, NumberBox, DateBox, TimeBox,
    ListSelect, OrderedSelect, Grid, ListView, Button, SaveButtons, TabStrip, Frame, Row
};

class Control {
public:
    Control(Container& parent, ControlKind kind, const QString& name, int index,
            const QString& caption);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    Form& form() const { return form_; }
    Container* parent() const { return parent_; }
    const QString& name() const { return name_; }
    int index() const { return index_; }  // -1 when the control is not part of an array
    QString path() const;                  // "Text1(0)", or "cboList" outside arrays

    const QString& caption() const { return caption_; }  // with "&" mnemonics
    QString plainCaption() const;                         // "&Description:" -> "Description:"
    void setCaption(const QString& caption);
    const QString& toolTip() const { return toolTip_; }
    void setToolTip(const QString& tip);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool locked() const { return locked_; }  // shows its value but takes no edits
    void setLocked(bool locked);
    // True when a person could reach the control now: it and every container around it are
    // visible and enabled, and so is its window.
    bool reachable() const;
    bool editable() const { return reachable() && !locked_; }

    void setFocus();
    bool hasFocus() const;

    using Handler = std::function<void()>;
    void onClick(Handler handler) { clickHandlers_.push_back(std::move(handler)); }
    void onChange(Handler handler) { changeHandlers_.push_back(std::move(handler)); }

    // The control's value as text, and a person's entry of a value as text ("1" ticks a check
    // box, a combo takes an item's text, a date box "YYYY/MM/DD"). Returns false, changing
    // nothing, when the control cannot take the value or is out of reach.
    virtual QString valueText() const { return caption_; }
    virtual bool userSetValue(const QString& value);
    // A person's click. Returns false when the control is out of reach.
    virtual bool userClick();

protected:
    void raiseClick();
    void raiseChange();
    void notifyChanged();  // tells the window's renderer that the control's state changed

private:
    ControlKind kind_;
    Form& form_;
    Container* parent_;
    QString name_;
    int index_;
    QString caption_;
    QString toolTip_;
    bool enabled_ = true;
    bool visible_ = true;
    bool locked_ = false;
    std::vector<Handler> clickHandlers_;
    std::vector<Handler> changeHandlers_;
};

// Adds the chained set-up calls to a control kind, so that a form declares a control in one
// expression: textBox("Text1", 0, "&Code:").tip("...").maxLength(10).
template <class Self>
class ControlOf : public Control {
public:
    using Control::Control;
    Self& tip(const QString& text) { setToolTip(text); return self(); }
    Self& disabled() { setEnabled(false); return self(); }
    Self& hidden() { setVisible(false); return self(); }
    Self& readOnly() { setLocked(true); return self(); }
    Self& clicked(Handler handler) { onClick(std::move(handler)); return self(); }
    Self& changed(Handler handler) { onChange(std::move(handler)); return self(); }

private:
    Self& self() { return static_cast<Self&>(*this); }
};

}  // namespace vel
