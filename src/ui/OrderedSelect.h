#pragma once
// Ordered selection list: a person picks items from the available list into a chosen list whose
// order matters (the elements of an activity), moves them up and down, and removes them. A limit
// and a check before each addition let the form refuse an item. Raises Change after each edit.
#include "ui/Control.h"

#include <functional>
#include <vector>

namespace vel {

class OrderedSelect : public ControlOf<OrderedSelect> {
public:
    OrderedSelect(Container& parent, const QString& name, int index, const QString& caption)
        : ControlOf(parent, ControlKind::OrderedSelect, name, index, caption) {}

    struct Item {
        QString text;
        long long data = 0;
    };

    void addAvailable(const QString& text, long long data);
    void clear();
    const std::vector<Item>& available() const { return available_; }
    const std::vector<int>& chosen() const { return chosen_; }  // indexes into available()
    std::vector<long long> chosenData() const;
    int findAvailable(const QString& text) const;

    OrderedSelect& limit(int maximum) { limit_ = maximum; return *this; }
    int limit() const { return limit_; }  // 0: no limit
    // Asked before an item is added; false refuses it (the form tells the person why).
    OrderedSelect& beforeAdd(std::function<bool(int availableIndex)> check);

    void setChosen(std::vector<int> chosen);
    bool add(int availableIndex);   // refused when already chosen, at the limit, or by the check
    bool remove(int position);
    bool move(int position, int offset);  // -1 up, +1 down

    bool userAdd(int availableIndex) { return editable() && add(availableIndex); }
    bool userRemove(int position) { return editable() && remove(position); }
    bool userMove(int position, int offset) { return editable() && move(position, offset); }

    QString valueText() const override;                // chosen texts joined by "; "
    bool userSetValue(const QString& value) override;  // adds the named items in order

private:
    std::vector<Item> available_;
    std::vector<int> chosen_;
    int limit_ = 0;
    std::function<bool(int)> beforeAdd_;
};

}  // namespace vel
