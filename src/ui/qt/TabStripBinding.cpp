#include "ui/qt/TabStripBinding.h"

#include "ui/TabStrip.h"

#include <QTabWidget>

namespace vel {

TabStripBinding::TabStripBinding(TabStrip& strip, FormRenderer& renderer, QWidget* parent)
    : ControlBinding(strip, renderer), strip_(strip), tabs_(new QTabWidget(parent)) {
    setOuterWidget(tabs_);
    for (int number = 1; number <= strip.count(); ++number) {
        tabs_->addTab(new QWidget(tabs_), strip.tab(number).caption());
    }
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (!updating()) {
            act([this, index] { strip_.userSelect(index + 1); });
            refresh();  // a refused choice puts the model's tab back in front
        }
    });
}

QWidget* TabStripBinding::pageWidget(int number) const {
    return tabs_->widget(number - 1);
}

void TabStripBinding::refreshValue() {
    for (int number = 1; number <= strip_.count() && number <= tabs_->count(); ++number) {
        tabs_->setTabText(number - 1, strip_.tab(number).caption());
        tabs_->setTabToolTip(number - 1, strip_.tab(number).toolTip());
    }
    tabs_->setCurrentIndex(strip_.selected() - 1);
}

}  // namespace vel
