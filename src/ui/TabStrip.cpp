#include "ui/TabStrip.h"

namespace vel {

TabPage::TabPage(TabStrip& strip, const QString& caption, const QString& toolTip)
    : Container(strip.form(), Layout::Rows), strip_(strip), caption_(caption), toolTip_(toolTip) {}

int TabPage::number() const {
    for (int number = 1; number <= strip_.count(); ++number) {
        if (&strip_.tab(number) == this) {
            return number;
        }
    }
    return 0;
}

bool TabPage::containerReachable() const {
    return strip_.reachable() && strip_.selected() == number();
}

TabPage& TabStrip::page(const QString& caption, const QString& toolTip) {
    pages_.push_back(std::make_unique<TabPage>(*this, caption, toolTip));
    notifyChanged();
    return *pages_.back();
}

int TabStrip::findTab(const QString& caption) const {
    for (int number = 1; number <= count(); ++number) {
        const QString& tabCaption = tab(number).caption();
        if (tabCaption == caption || QString(tabCaption).remove(u'&') == caption) {
            return number;
        }
    }
    return 0;
}

void TabStrip::select(int number) {
    if (number < 1 || number > count() || number == selected_) {
        return;
    }
    selected_ = number;
    notifyChanged();
    raiseClick();
}

bool TabStrip::userSelect(int number) {
    if (!reachable() || number < 1 || number > count()) {
        return false;
    }
    select(number);
    return true;
}

QString TabStrip::valueText() const {
    return count() > 0 ? QString(tab(selected_).caption()).remove(u'&') : QString();
}

}  // namespace vel
