#pragma once
// TabStripBinding: a tab strip as a QTabWidget; each tab page is a page widget with the tab's
// caption (mnemonics included) and tool tip. A person's choice of tab goes through userSelect.
#include "ui/qt/ControlBinding.h"

class QTabWidget;

namespace vel {

class TabStrip;

class TabStripBinding : public ControlBinding {
    Q_OBJECT
public:
    TabStripBinding(TabStrip& strip, FormRenderer& renderer, QWidget* parent);

    TabStrip& strip() const { return strip_; }
    QWidget* pageWidget(int number) const;  // 1-based, as the tab strip counts
    Placement placement() const override { return Placement::Spanning; }

protected:
    void refreshValue() override;

private:
    TabStrip& strip_;
    QTabWidget* tabs_;
};

}  // namespace vel
