#pragma once
// ListViewBinding: a list view as a QTreeWidget without branches: column headings, widths in
// average characters, right-aligned number columns, single or extended selection. A person's
// selection reaches the model as one userSelect (one Click), the further lines of a multiple
// selection added to it; a double-click goes through userDoubleClick.
#include "ui/qt/ControlBinding.h"

class QTreeWidget;

namespace vel {

class ListView;

class ListViewBinding : public ControlBinding {
    Q_OBJECT
public:
    ListViewBinding(ListView& list, FormRenderer& renderer, QWidget* parent);
    Placement placement() const override { return Placement::WideField; }

protected:
    void refreshValue() override;

private:
    void takeSelection();

    ListView& list_;
    QTreeWidget* tree_;
};

}  // namespace vel
