#include "ui/qt/WindowMemory.h"

#include "ui/Form.h"

#include <QHeaderView>
#include <QLayout>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QTreeWidget>
#include <QWidget>
#include <algorithm>

namespace vel {

namespace {

QList<QTreeWidget*> listsOf(const QWidget& window) {
    return window.findChildren<QTreeWidget*>();
}

// The widest text of a column among the first lines, with the cell's margins.
int textWidth(const QTreeWidget& list, int column) {
    constexpr int linesMeasured = 200;
    const QFontMetrics metrics = list.fontMetrics();
    int widest = 0;
    for (int line = 0; line < std::min(list.topLevelItemCount(), linesMeasured); ++line) {
        widest = std::max(widest, metrics.horizontalAdvance(list.topLevelItem(line)->text(column)));
    }
    return widest + 2 * list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 12;
}

// Width that shows every column of the list whole, and height for the lines plus its heading.
QSize wholeListSize(const QTreeWidget& list, int lines) {
    const QHeaderView* header = list.header();
    int width = 2 * list.frameWidth() + list.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int column = 0; column < list.columnCount(); ++column) {
        int columnWidth = std::max(header->sectionSizeHint(column), textWidth(list, column));
        if (header->sectionResizeMode(column) != QHeaderView::Stretch) {
            columnWidth = std::max(columnWidth, header->sectionSize(column));
        }
        width += columnWidth;
    }
    const int row = list.fontMetrics().height() + 6;
    const int height = header->sizeHint().height() + lines * row + 2 * list.frameWidth();
    return {width, height};
}

}  // namespace

QSettings WindowMemory::settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("velmor"),
                     QStringLiteral("windows"));
}

bool WindowMemory::remembers(const QWidget& window) {
    return !listsOf(window).isEmpty();
}

QString WindowMemory::keyFor(const Form& form) {
    QString caption = form.caption();
    caption.remove(QStringLiteral(" (readonly)"));
    caption.replace(u'/', u'-').replace(u'\\', u'-');
    return caption.isEmpty() ? form.name() : form.name() + u'/' + caption;
}

QSize WindowMemory::defaultSize(QWidget& window, const QSize& available) {
    window.adjustSize();
    if (window.layout()) {
        window.layout()->activate();  // the lists take their places before they are measured
    }
    QSize grow(0, 0);
    for (QTreeWidget* list : listsOf(window)) {
        const QSize wanted = wholeListSize(*list, listLines);
        const QSize now = list->size();
        grow = grow.expandedTo({wanted.width() - now.width(), wanted.height() - now.height()});
    }
    return (window.size() + grow).boundedTo(available);
}

void WindowMemory::restore(QWidget& window, const QString& key, const QRect& available) {
    QSettings store = settings();
    store.beginGroup(key);
    const QRect saved = store.value(QStringLiteral("geometry")).toRect();
    if (saved.isValid() && available.contains(saved.center())) {
        window.resize(saved.size().boundedTo(available.size()));
        window.move(saved.topLeft());
    } else {
        window.resize(defaultSize(window, available.size()));
    }
    for (QTreeWidget* list : listsOf(window)) {
        const QByteArray columns =
            store.value(list->objectName() + QStringLiteral("/columns")).toByteArray();
        if (!columns.isEmpty() &&
            store.value(list->objectName() + QStringLiteral("/count")).toInt() ==
                list->columnCount()) {
            list->header()->restoreState(columns);
        }
    }
}

void WindowMemory::remember(const QWidget& window, const QString& key) {
    QSettings store = settings();
    store.beginGroup(key);
    store.setValue(QStringLiteral("geometry"), QRect(window.pos(), window.size()));
    for (const QTreeWidget* list : listsOf(window)) {
        store.setValue(list->objectName() + QStringLiteral("/columns"),
                       list->header()->saveState());
        store.setValue(list->objectName() + QStringLiteral("/count"), list->columnCount());
    }
}

}  // namespace vel
