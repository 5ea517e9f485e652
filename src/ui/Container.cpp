#include "ui/Container.h"

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DateBox.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Grid.h"
#include "ui/Label.h"
#include "ui/ListSelect.h"
#include "ui/ListView.h"
#include "ui/NumberBox.h"
#include "ui/OptionButton.h"
#include "ui/OrderedSelect.h"
#include "ui/SaveButtons.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"

namespace vel {

template <class T, class... Args>
T& Container::add(Args&&... args) {
    auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& added = *control;
    children_.push_back(&added);
    form_.registerControl(std::move(control));
    return added;
}

bool Container::containerReachable() const {
    return form_.enabled();
}

Label& Container::label(const QString& name, const QString& caption) {
    return add<Label>(name, -1, caption);
}
Label& Container::label(const QString& name, int index, const QString& caption) {
    return add<Label>(name, index, caption);
}
TextBox& Container::textBox(const QString& name, const QString& caption) {
    return add<TextBox>(name, -1, caption);
}
TextBox& Container::textBox(const QString& name, int index, const QString& caption) {
    return add<TextBox>(name, index, caption);
}
CheckBox& Container::checkBox(const QString& name, const QString& caption) {
    return add<CheckBox>(name, -1, caption);
}
CheckBox& Container::checkBox(const QString& name, int index, const QString& caption) {
    return add<CheckBox>(name, index, caption);
}
OptionButton& Container::option(const QString& name, int index, const QString& caption) {
    return add<OptionButton>(name, index, caption);
}
ComboBox& Container::comboBox(const QString& name, const QString& caption) {
    return add<ComboBox>(name, -1, caption);
}
ComboBox& Container::comboBox(const QString& name, int index, const QString& caption) {
    return add<ComboBox>(name, index, caption);
}
NumberBox& Container::numberBox(const QString& name, const QString& caption) {
    return add<NumberBox>(name, -1, caption);
}
NumberBox& Container::numberBox(const QString& name, int index, const QString& caption) {
    return add<NumberBox>(name, index, caption);
}
DateBox& Container::dateBox(const QString& name, const QString& caption) {
    return add<DateBox>(name, -1, caption);
}
DateBox& Container::dateBox(const QString& name, int index, const QString& caption) {
    return add<DateBox>(name, index, caption);
}
TimeBox& Container::timeBox(const QString& name, const QString& caption) {
    return add<TimeBox>(name, -1, caption);
}
TimeBox& Container::timeBox(const QString& name, int index, const QString& caption) {
    return add<TimeBox>(name, index, caption);
}
ListSelect& Container::listSelect(const QString& name, const QString& caption) {
    return add<ListSelect>(name, -1, caption);
}
OrderedSelect& Container::orderedSelect(const QString& name, const QString& caption) {
    return add<OrderedSelect>(name, -1, caption);
}
Grid& Container::grid(const QString& name, const QString& caption) {
    return add<Grid>(name, -1, caption);
}
ListView& Container::listView(const QString& name, const QString& caption) {
    return add<ListView>(name, -1, caption);
}
Button& Container::button(const QString& name, const QString& caption) {
    return add<Button>(name, -1, caption);
}
Button& Container::button(const QString& name, int index, const QString& caption) {
    return add<Button>(name, index, caption);
}
SaveButtons& Container::saveButtons(const QString& name) {
    return add<SaveButtons>(name);
}
TabStrip& Container::tabStrip(const QString& name) {
    return add<TabStrip>(name, -1);
}
Frame& Container::frame(const QString& name, const QString& caption) {
    return add<Frame>(name, -1, caption);
}
Frame& Container::frame(const QString& name, int index, const QString& caption) {
    return add<Frame>(name, index, caption);
}
Row& Container::line() {
    return add<Row>();
}

}  // namespace vel
