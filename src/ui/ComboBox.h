#pragma once
// Combo box: a list of items, each with a text and a number (item data, often a record number).
// A drop-down list only takes its items; an editable combo also takes typed text. Choosing an
// item raises Click; typed text raises Change.
#include "ui/Control.h"

#include <vector>

namespace vel {

class ComboBox : public ControlOf<ComboBox> {
public:
    ComboBox(Container& parent, const QString& name, int index, const QString& caption)
        : ControlOf(parent, ControlKind::ComboBox, name, index, caption) {}

    struct Item {
        QString text;
        long long data = 0;
    };

    ComboBox& allowTyping(bool on) { typing_ = on; return *this; }
    bool allowsTyping() const { return typing_; }

    void addItem(const QString& text, long long data = 0);
    void clear();
    int listCount() const { return int(items_.size()); }
    const QString& list(int index) const { return items_.at(size_t(index)).text; }
    long long itemData(int index) const { return items_.at(size_t(index)).data; }
    const std::vector<Item>& items() const { return items_; }
    int findText(const QString& text) const;   // exact match, -1 when absent
    int findData(long long data) const;         // -1 when absent

    int listIndex() const { return listIndex_; }  // -1: nothing chosen
    void setListIndex(int index);                 // raises Click when it changes
    QString text() const;
    void setText(const QString& text);            // chooses the matching item, or types it

    QString valueText() const override { return text(); }
    bool userSetValue(const QString& value) override;  // an item's text, or free text if editable
    bool userSelect(int index);

private:
    std::vector<Item> items_;
    int listIndex_ = -1;
    QString typedText_;
    bool typing_ = false;
};

}  // namespace vel
