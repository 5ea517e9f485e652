#pragma once
// Selection list: items with a tick box each, a person ticks any number of them. Raises Change
// when a tick changes.
#include "ui/Control.h"

#include <vector>

namespace vel {

class ListSelect : public ControlOf<ListSelect> {
public:
    ListSelect(Container& parent, const QString& name, int index, const QString& caption)
        : ControlOf(parent, ControlKind::ListSelect, name, index, caption) {}

    struct Item {
        QString text;
        long long data = 0;
        bool selected = false;
    };

    void addItem(const QString& text, long long data = 0, bool selected = false);
    void clear();
    int count() const { return int(items_.size()); }
    const Item& item(int index) const { return items_.at(size_t(index)); }
    const std::vector<Item>& items() const { return items_; }
    int find(const QString& text) const;
    void setSelected(int index, bool selected);
    std::vector<long long> selectedData() const;

    bool userSetSelected(int index, bool selected);
    // As text: the selected items' texts joined by "; "; a person's entry ticks exactly the
    // items named (separated by ";").
    QString valueText() const override;
    bool userSetValue(const QString& value) override;

private:
    std::vector<Item> items_;
};

}  // namespace vel
