#include "ui/qt/OrderedSelectBinding.h"

#include "ui/OrderedSelect.h"
#include "ui/qt/OrderedSelectWidget.h"

#include <QApplication>
#include <QListWidget>

namespace vel {

OrderedSelectBinding::OrderedSelectBinding(OrderedSelect& list, FormRenderer& renderer,
                                           QWidget* parent)
    : ControlBinding(list, renderer), list_(list), widget_(new OrderedSelectWidget(parent)) {
    setOuterWidget(widget_);
    connect(widget_, &OrderedSelectWidget::addRequested, this, [this](const QList<int>& indexes) {
        bool refused = false;
        act([&] {
            for (int index : indexes) {
                refused = !list_.userAdd(index) || refused;
            }
        });
        if (refused) {
            QApplication::beep();
        }
        refresh();
        widget_->selectChosen(int(list_.chosen().size()) - 1);
    });
    connect(widget_, &OrderedSelectWidget::removeRequested, this, [this](int position) {
        act([this, position] { list_.userRemove(position); });
        refresh();
    });
    connect(widget_, &OrderedSelectWidget::moveRequested, this, [this](int position, int offset) {
        bool moved = false;
        act([&] { moved = list_.userMove(position, offset); });
        refresh();
        widget_->selectChosen(moved ? position + offset : position);
    });
}

QWidget* OrderedSelectBinding::focusWidget() const {
    return widget_->availableList();
}

void OrderedSelectBinding::refreshValue() {
    QStringList available;
    for (const OrderedSelect::Item& item : list_.available()) {
        available << item.text;
    }
    widget_->setItems(available, QList<int>(list_.chosen().begin(), list_.chosen().end()),
                      list_.limit());
    widget_->setReadOnly(list_.locked());
}

}  // namespace vel
