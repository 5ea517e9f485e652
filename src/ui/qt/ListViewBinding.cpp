#include "ui/qt/ListViewBinding.h"

#include "ui/ListView.h"

#include <QHeaderView>
#include <QStyle>
#include <QFontDatabase>
#include <QTreeWidget>
#include <algorithm>

namespace vel {

namespace {
constexpr int visibleLines = 6;
}

ListViewBinding::ListViewBinding(ListView& list, FormRenderer& renderer, QWidget* parent)
    : ControlBinding(list, renderer), list_(list), tree_(new QTreeWidget(parent)) {
    tree_->setRootIsDecorated(false);
    tree_->setUniformRowHeights(true);
    tree_->setAllColumnsShowFocus(true);
    tree_->setAlternatingRowColors(true);
    tree_->setSelectionMode(list.isMultiSelect() ? QAbstractItemView::ExtendedSelection
                                                 : QAbstractItemView::SingleSelection);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    if (list.isFixedPitch()) {
        tree_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    }
    setOuterWidget(tree_);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!updating()) {
            takeSelection();
        }
    });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        const int line = tree_->indexOfTopLevelItem(item);
        act([this, line] { list_.userDoubleClick(line); });
    });
}

void ListViewBinding::takeSelection() {
    std::vector<int> lines;
    for (int line = 0; line < tree_->topLevelItemCount(); ++line) {
        if (tree_->topLevelItem(line)->isSelected()) {
            lines.push_back(line);
        }
    }
    if (lines == list_.selectedLines()) {
        return;
    }
    const int current = tree_->indexOfTopLevelItem(tree_->currentItem());
    act([&] {
        if (lines.empty()) {
            for (int line : list_.selectedLines()) {
                list_.select(line, false);
            }
            return;
        }
        const bool currentSelected = std::ranges::find(lines, current) != lines.end();
        const int first = currentSelected ? current : lines.front();
        if (!list_.userSelect(first)) {
            return;
        }
        for (int line : lines) {
            if (line != first) {
                list_.select(line, true);
            }
        }
    });
    refresh();
}

void ListViewBinding::refreshValue() {
    const std::vector<ListView::Column>& columns = list_.columns();
    if (tree_->columnCount() != int(columns.size())) {
        tree_->setColumnCount(int(columns.size()));
    }
    QStringList headings;
    const int character = tree_->fontMetrics().averageCharWidth();
    int width = 2 * tree_->frameWidth() + tree_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (size_t col = 0; col < columns.size(); ++col) {
        headings << columns[col].heading;
        // Never narrower than the heading, so that "Number" is not cut to "umber".
        const int heading = tree_->header()->fontMetrics().horizontalAdvance(columns[col].heading);
        const int pixels = std::max(columns[col].width * character, heading) + 12;
        tree_->setColumnWidth(int(col), pixels);
        width += pixels;
        tree_->headerItem()->setTextAlignment(int(col), columns[col].rightAligned
                                                            ? Qt::AlignRight | Qt::AlignVCenter
                                                            : Qt::AlignLeft | Qt::AlignVCenter);
    }
    tree_->setHeaderLabels(headings);
    // Room beyond the columns' widths goes to the widest text column.
    int widest = -1;
    for (size_t col = 0; col < columns.size(); ++col) {
        if (!columns[col].rightAligned &&
            (widest < 0 || columns[col].width > columns[size_t(widest)].width)) {
            widest = int(col);
        }
    }
    tree_->header()->setStretchLastSection(widest < 0);
    for (int col = 0; col < int(columns.size()); ++col) {
        tree_->header()->setSectionResizeMode(
            col, col == widest ? QHeaderView::Stretch : QHeaderView::Interactive);
    }

    bool same = tree_->topLevelItemCount() == list_.count();
    for (int line = 0; same && line < list_.count(); ++line) {
        const QTreeWidgetItem* item = tree_->topLevelItem(line);
        for (int col = 0; same && col < tree_->columnCount(); ++col) {
            same = item->text(col) == list_.item(line).texts.value(col);
        }
    }
    if (!same) {
        tree_->clear();
        for (int line = 0; line < list_.count(); ++line) {
            auto* item = new QTreeWidgetItem(tree_, list_.item(line).texts);
            for (size_t col = 0; col < columns.size(); ++col) {
                if (columns[col].rightAligned) {
                    item->setTextAlignment(int(col), Qt::AlignRight | Qt::AlignVCenter);
                }
            }
        }
    }
    for (int line = 0; line < list_.count(); ++line) {
        tree_->topLevelItem(line)->setSelected(list_.item(line).selected);
    }
    const int selected = list_.selectedLine();
    if (selected >= 0) {
        tree_->setCurrentItem(tree_->topLevelItem(selected), 0, QItemSelectionModel::NoUpdate);
    }
    const int rowHeight = tree_->fontMetrics().height() + 6;
    const int header = tree_->header()->sizeHint().height();
    tree_->setMinimumSize(
        std::min(width, 720),
        header + std::clamp(list_.count(), 3, visibleLines) * rowHeight + 2 * tree_->frameWidth());
}

}  // namespace vel
