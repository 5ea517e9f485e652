#pragma once
// Container: a window, tab page, frame or row that holds controls in declaration order. Its
// factory functions are the short declaration style of every form:
//     auto& general = tabStrip("TabStrip1").page("General", "Overall Settings");
//     general.textBox("Text1", 0, "&Description:").keys(KeyFilter::name());
#include <QString>
#include <memory>
#include <vector>

namespace vel {

class Button;
class CheckBox;
class ComboBox;
class Control;
class DateBox;
class Form;
class Frame;
class Grid;
class Label;
class ListSelect;
class ListView;
class NumberBox;
class OptionButton;
class OrderedSelect;
class Row;
class SaveButtons;
class TabStrip;
class TextBox;
class TimeBox;

class Container {
public:
    enum class Layout { Rows, Line };  // one control a row (labels aligned), or side by side

    Container(Form& form, Layout layout) : form_(form), layout_(layout) {}
    virtual ~Container() = default;
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    Form& owningForm() const { return form_; }
    Layout layout() const { return layout_; }
    const std::vector<Control*>& children() const { return children_; }
    // The control this container is, when it is one (frame, row, tab strip page's strip).
    virtual Control* asControl() { return nullptr; }
    virtual bool containerReachable() const;

    Label& label(const QString& name, const QString& caption);
    Label& label(const QString& name, int index, const QString& caption);
    TextBox& textBox(const QString& name, const QString& caption = {});
    TextBox& textBox(const QString& name, int index, const QString& caption = {});
    CheckBox& checkBox(const QString& name, const QString& caption);
    CheckBox& checkBox(const QString& name, int index, const QString& caption);
    OptionButton& option(const QString& name, int index, const QString& caption);
    ComboBox& comboBox(const QString& name, const QString& caption = {});
    ComboBox& comboBox(const QString& name, int index, const QString& caption = {});
    NumberBox& numberBox(const QString& name, const QString& caption = {});
    NumberBox& numberBox(const QString& name, int index, const QString& caption = {});
    DateBox& dateBox(const QString& name, const QString& caption = {});
    DateBox& dateBox(const QString& name, int index, const QString& caption = {});
    TimeBox& timeBox(const QString& name, const QString& caption = {});
    TimeBox& timeBox(const QString& name, int index, const QString& caption = {});
    ListSelect& listSelect(const QString& name, const QString& caption = {});
    OrderedSelect& orderedSelect(const QString& name, const QString& caption = {});
    Grid& grid(const QString& name, const QString& caption = {});
    ListView& listView(const QString& name, const QString& caption = {});
    Button& button(const QString& name, const QString& caption);
    Button& button(const QString& name, int index, const QString& caption);
    SaveButtons& saveButtons(const QString& name);
    TabStrip& tabStrip(const QString& name);
    Frame& frame(const QString& name, const QString& caption);
    Frame& frame(const QString& name, int index, const QString& caption);
    Row& line();  // an unnamed row that lays its controls side by side

protected:
    template <class T, class... Args>
    T& add(Args&&... args);

private:
    Form& form_;
    Layout layout_;
    std::vector<Control*> children_;
};

}  // namespace vel
