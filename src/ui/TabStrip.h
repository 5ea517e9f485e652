#pragma once
// Tab strip: pages of controls, one in front. Tabs are numbered from 1 as a person counts them;
// choosing a tab raises Click.
#include "ui/Container.h"
#include "ui/Control.h"

#include <memory>
#include <vector>

namespace vel {

class TabStrip;

class TabPage : public Container {
public:
    TabPage(TabStrip& strip, const QString& caption, const QString& toolTip);

    TabStrip& strip() const { return strip_; }
    const QString& caption() const { return caption_; }
    const QString& toolTip() const { return toolTip_; }
    int number() const;  // 1-based position in the strip
    bool containerReachable() const override;

private:
    TabStrip& strip_;
    QString caption_;
    QString toolTip_;
};

class TabStrip : public ControlOf<TabStrip> {
public:
    TabStrip(Container& parent, const QString& name, int index)
        : ControlOf(parent, ControlKind::TabStrip, name, index, QString()) {}

    TabPage& page(const QString& caption, const QString& toolTip = {});
    int count() const { return int(pages_.size()); }
    TabPage& tab(int number) const { return *pages_.at(size_t(number - 1)); }
    int findTab(const QString& caption) const;  // by caption with or without "&"; 0 when absent

    int selected() const { return selected_; }  // 1-based
    void select(int number);                    // raises Click when it changes
    bool userSelect(int number);

    QString valueText() const override;         // caption of the tab in front
    bool userSetValue(const QString& value) override { return userSelect(findTab(value)); }

private:
    std::vector<std::unique_ptr<TabPage>> pages_;
    int selected_ = 1;
};

}  // namespace vel
