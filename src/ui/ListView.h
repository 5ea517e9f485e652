#pragma once
// List view: a report-style list with column headings, one line per item (texts per column and a
// number of the form's own, often a record number). A person selects one line, or several when
// the list allows it, and double-clicks a line. Raises Click when the selection changes.
#include "ui/Control.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace vel {

class ListView : public ControlOf<ListView> {
public:
    ListView(Container& parent, const QString& name, int index, const QString& caption)
        : ControlOf(parent, ControlKind::ListView, name, index, caption) {}

    struct Column {
        QString heading;
        int width = 12;  // in average characters
        bool rightAligned = false;
    };
    struct Item {
        QStringList texts;
        long long data = 0;
        bool selected = false;
    };

    ListView& column(const QString& heading, int width = 12, bool rightAligned = false);
    const std::vector<Column>& columns() const { return columns_; }
    ListView& multiSelect(bool on) { multiSelect_ = on; return *this; }
    // Shows the texts in a fixed-pitch font, so that columns of figures or codes line up.
    ListView& fixedPitch(bool on) { fixedPitch_ = on; return *this; }
    bool isFixedPitch() const { return fixedPitch_; }
    bool isMultiSelect() const { return multiSelect_; }
    ListView& doubleClicked(std::function<void(int line)> handler);

    int addItem(const QStringList& texts, long long data = 0);
    void setItem(int line, const QStringList& texts);
    void removeItem(int line);
    void clear();
    int count() const { return int(items_.size()); }
    const Item& item(int line) const { return items_.at(size_t(line)); }
    int findData(long long data) const;
    int findText(const QString& firstColumn) const;

    void select(int line, bool selected = true);  // in a single-select list, clears the others
    int selectedLine() const;                      // the first selected line, or -1
    std::vector<int> selectedLines() const;

    bool userSelect(int line, bool addToSelection = false);
    bool userDoubleClick(int line);

    QString valueText() const override;  // first-column texts of the selected lines, "; "
    bool userSetValue(const QString& value) override;  // selects the line with that first text

private:
    std::vector<Column> columns_;
    std::vector<Item> items_;
    bool multiSelect_ = false;
    bool fixedPitch_ = false;
    std::function<void(int)> doubleClicked_;
};

}  // namespace vel
