#include "ui/qt/OrderedSelectWidget.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vel {

namespace {
QListWidget* newList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setUniformItemSizes(true);
    const int rows = list->fontMetrics().height() + 6;
    list->setMinimumHeight(rows * 5 + 2 * list->frameWidth());
    list->setMinimumWidth(list->fontMetrics().averageCharWidth() * 18);
    return list;
}

QPushButton* newButton(const QString& text, QStyle::StandardPixmap icon, QWidget* parent) {
    auto* button = new QPushButton(parent->style()->standardIcon(icon), text, parent);
    button->setAutoDefault(false);
    return button;
}
}  // namespace

OrderedSelectWidget::OrderedSelectWidget(QWidget* parent)
    : QWidget(parent),
      chosenLabel_(new QLabel(this)),
      available_(newList(this)),
      chosen_(newList(this)),
      add_(newButton(tr("Add"), QStyle::SP_ArrowRight, this)),
      remove_(newButton(tr("Remove"), QStyle::SP_ArrowLeft, this)),
      up_(newButton(tr("Move Up"), QStyle::SP_ArrowUp, this)),
      down_(newButton(tr("Move Down"), QStyle::SP_ArrowDown, this)) {
    available_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    chosen_->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Available:"), this), 0, 0);
    layout->addWidget(available_, 1, 0);
    auto* transfer = new QVBoxLayout;
    transfer->addStretch(1);
    transfer->addWidget(add_);
    transfer->addWidget(remove_);
    transfer->addStretch(1);
    layout->addLayout(transfer, 1, 1);
    layout->addWidget(chosenLabel_, 0, 2);
    layout->addWidget(chosen_, 1, 2);
    auto* order = new QVBoxLayout;
    order->addStretch(1);
    order->addWidget(up_);
    order->addWidget(down_);
    order->addStretch(1);
    layout->addLayout(order, 1, 3);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(2, 1);

    connect(add_, &QPushButton::clicked, this, &OrderedSelectWidget::requestAdd);
    connect(available_, &QListWidget::itemDoubleClicked, this, &OrderedSelectWidget::requestAdd);
    connect(remove_, &QPushButton::clicked, this, [this] {
        if (chosen_->currentRow() >= 0) {
            Q_EMIT removeRequested(chosen_->currentRow());
        }
    });
    connect(chosen_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { Q_EMIT removeRequested(chosen_->row(item)); });
    connect(up_, &QPushButton::clicked, this,
            [this] { Q_EMIT moveRequested(chosen_->currentRow(), -1); });
    connect(down_, &QPushButton::clicked, this,
            [this] { Q_EMIT moveRequested(chosen_->currentRow(), 1); });
    connect(available_, &QListWidget::itemSelectionChanged, this,
            &OrderedSelectWidget::updateButtons);
    connect(chosen_, &QListWidget::currentRowChanged, this, &OrderedSelectWidget::updateButtons);
}

void OrderedSelectWidget::requestAdd() {
    QList<int> indexes;
    for (int row = 0; row < available_->count(); ++row) {
        if (available_->item(row)->isSelected()) {
            indexes << availableRows_.value(row);
        }
    }
    if (!indexes.isEmpty()) {
        Q_EMIT addRequested(indexes);
    }
}

void OrderedSelectWidget::setItems(const QStringList& available, const QList<int>& chosen,
                                   int limit) {
    const int chosenRow = chosen_->currentRow();
    available_->clear();
    availableRows_.clear();
    for (int index = 0; index < available.size(); ++index) {
        if (!chosen.contains(index)) {
            available_->addItem(available[index]);
            availableRows_ << index;
        }
    }
    chosen_->clear();
    for (int index : chosen) {
        chosen_->addItem(available.value(index));
    }
    chosenCount_ = int(chosen.size());
    limit_ = limit;
    chosenLabel_->setText(limit > 0 ? tr("Chosen (%1 of %2):").arg(chosenCount_).arg(limit)
                                    : tr("Chosen:"));
    selectChosen(std::min(chosenRow, chosenCount_ - 1));
    updateButtons();
}

void OrderedSelectWidget::selectChosen(int position) {
    if (position >= 0 && position < chosen_->count()) {
        chosen_->setCurrentRow(position);
    }
}

void OrderedSelectWidget::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    updateButtons();
}

void OrderedSelectWidget::updateButtons() {
    const int position = chosen_->currentRow();
    const bool room = limit_ == 0 || chosenCount_ < limit_;
    add_->setEnabled(!readOnly_ && room && !available_->selectedItems().isEmpty());
    remove_->setEnabled(!readOnly_ && position >= 0);
    up_->setEnabled(!readOnly_ && position > 0);
    down_->setEnabled(!readOnly_ && position >= 0 && position + 1 < chosenCount_);
}

}  // namespace vel
