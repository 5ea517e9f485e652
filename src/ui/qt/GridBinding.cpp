#include "ui/qt/GridBinding.h"

#include "ui/Grid.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

namespace vel {

namespace {
Qt::Alignment alignmentOf(Grid::Align align) {
    switch (align) {
        case Grid::Align::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case Grid::Align::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case Grid::Align::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// Rows a grid shows without scrolling before the window has to grow.
constexpr int visibleRows = 7;
}  // namespace

GridBinding::GridBinding(Grid& grid, FormRenderer& renderer, QWidget* parent)
    : ControlBinding(grid, renderer), grid_(grid), table_(new QTableWidget(parent)) {
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->verticalHeader()->setHighlightSections(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setOuterWidget(table_);

    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (updating()) {
            return;
        }
        const int row = item->row() + headingRows();
        const int col = item->column();
        const QString text = item->text();
        act([&] { grid_.userEditCell(row, col, text); });
        refresh();  // shows the accepted text, the handler's change of it, or the old text
    });
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
        if (!updating() && row >= 0 && col >= 0) {
            const int modelRow = row + headingRows();
            const int modelCol = col;
            act([&] { grid_.userClickCell(modelRow, modelCol); });
        }
    });
}

int GridBinding::headingRows() const {
    return grid_.fixedRows() >= 1 && grid_.rows() >= 1 ? 1 : 0;
}

void GridBinding::refreshValue() {
    const int headRows = headingRows();
    const int tableRows = grid_.rows() - headRows;
    const int tableCols = grid_.cols();
    const bool resized = table_->rowCount() != tableRows || table_->columnCount() != tableCols;
    table_->setRowCount(tableRows);
    table_->setColumnCount(tableCols);
    table_->horizontalHeader()->setVisible(headRows > 0);
    table_->verticalHeader()->setVisible(false);
    for (int col = 0; col < tableCols; ++col) {
        auto* heading = table_->horizontalHeaderItem(col);
        if (!heading) {
            heading = new QTableWidgetItem;
            table_->setHorizontalHeaderItem(col, heading);
        }
        heading->setText(headRows > 0 ? grid_.textMatrix(0, col) : QString());
        heading->setTextAlignment(alignmentOf(grid_.columnAlign(col)));
    }
    refreshCells();
    refreshSizes();
    if (resized) {
        table_->updateGeometry();
    }
    const int currentRow = grid_.row() - headRows;
    const int currentCol = grid_.col();
    if (currentRow >= 0 && currentCol >= 0 && currentRow < tableRows && currentCol < tableCols) {
        table_->setCurrentCell(currentRow, currentCol);
    }
}

void GridBinding::refreshCells() {
    const int headRows = headingRows();
    const bool takesEdits = grid_.editable();
    const QBrush headingBrush = table_->palette().button();
    for (int row = 0; row < table_->rowCount(); ++row) {
        for (int col = 0; col < table_->columnCount(); ++col) {
            const int modelRow = row + headRows;
            const int modelCol = col;
            QTableWidgetItem* item = table_->item(row, col);
            if (!item) {
                item = new QTableWidgetItem;
                table_->setItem(row, col, item);
            }
            const QString& text = grid_.textMatrix(modelRow, modelCol);
            if (item->text() != text) {
                item->setText(text);
            }
            item->setTextAlignment(alignmentOf(grid_.columnAlign(modelCol)));
            const bool fixed = modelRow < grid_.fixedRows() || modelCol < grid_.fixedCols();
            Qt::ItemFlags flags = Qt::ItemIsEnabled;
            if (!fixed) {
                flags |= Qt::ItemIsSelectable;
            }
            if (takesEdits && grid_.isEditable(modelRow, modelCol)) {
                flags |= Qt::ItemIsEditable;
            }
            item->setFlags(flags);
            item->setBackground(fixed ? headingBrush : QBrush());
        }
    }
}

// Column widths come in average characters; the table asks for room for its columns and a
// few rows, and scrolls beyond that.
void GridBinding::refreshSizes() {
    const int character = table_->fontMetrics().averageCharWidth();
    const int padding = 2 * table_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 10;
    int width = 2 * table_->frameWidth();
    int widest = -1;
    for (int col = 0; col < table_->columnCount(); ++col) {
        const int characters = grid_.columnWidth(col);
        const int pixels = characters * character + padding;
        table_->setColumnWidth(col, pixels);
        width += pixels;
        const bool leftAligned = grid_.columnAlign(col) == Grid::Align::Left;
        if (leftAligned && (widest < 0 || characters > grid_.columnWidth(widest))) {
            widest = col;
        }
    }
    // Room the window gives beyond the columns' widths goes to the widest text column.
    QHeaderView* header = table_->horizontalHeader();
    header->setStretchLastSection(widest < 0);
    for (int col = 0; col < table_->columnCount(); ++col) {
        header->setSectionResizeMode(
            col, col == widest ? QHeaderView::Stretch : QHeaderView::Interactive);
    }
    width += table_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int rowHeight = table_->verticalHeader()->defaultSectionSize();
    const int headingHeight = headingRows() > 0 ? header->sizeHint().height() : 0;
    const int rows = std::clamp(table_->rowCount(), 3, visibleRows);
    table_->setMinimumSize(std::min(width, 720),
                           headingHeight + rows * rowHeight + 2 * table_->frameWidth());
}

}  // namespace vel
