#include "ui/qt/ListSelectBinding.h"

#include "ui/ListSelect.h"

#include <QListWidget>

namespace vel {

ListSelectBinding::ListSelectBinding(ListSelect& list, FormRenderer& renderer, QWidget* parent)
    : ControlBinding(list, renderer), list_(list), widget_(new QListWidget(parent)) {
    widget_->setSelectionMode(QAbstractItemView::SingleSelection);
    widget_->setUniformItemSizes(true);
    const int rows = widget_->fontMetrics().height() + 6;
    widget_->setMinimumHeight(rows * 4 + 2 * widget_->frameWidth());
    setOuterWidget(widget_);
    connect(widget_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (updating()) {
            return;
        }
        const int index = widget_->row(item);
        const bool ticked = item->checkState() == Qt::Checked;
        act([this, index, ticked] { list_.userSetSelected(index, ticked); });
        refresh();
    });
}

void ListSelectBinding::refreshValue() {
    bool same = widget_->count() == list_.count();
    for (int i = 0; same && i < list_.count(); ++i) {
        same = widget_->item(i)->text() == list_.item(i).text;
    }
    if (!same) {
        widget_->clear();
        for (const ListSelect::Item& entry : list_.items()) {
            auto* item = new QListWidgetItem(entry.text, widget_);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        }
    }
    for (int i = 0; i < list_.count(); ++i) {
        widget_->item(i)->setCheckState(list_.item(i).selected ? Qt::Checked : Qt::Unchecked);
    }
}

}  // namespace vel
