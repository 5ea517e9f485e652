#include "ui/qt/FilteredLineEdit.h"

#include "ui/qt/TextInputRouter.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace vel {

FilteredLineEdit::FilteredLineEdit(TextInputRouter& router, QWidget* parent)
    : QLineEdit(parent), router_(router) {
    setDragEnabled(false);
    setAcceptDrops(false);
}

void FilteredLineEdit::setWidthInCharacters(int characters) {
    characters_ = characters;
    setSizePolicy(characters > 0 ? QSizePolicy::Preferred : QSizePolicy::Expanding,
                  QSizePolicy::Fixed);
    updateGeometry();
}

QSize FilteredLineEdit::sizeHint() const {
    QSize hint = QLineEdit::sizeHint();
    if (characters_ > 0) {
        // QLineEdit's own hint is 17 "x" wide plus frame and margins; keep the padding.
        const int padding = hint.width() - fontMetrics().horizontalAdvance(QLatin1Char('x')) * 17;
        const int text = fontMetrics().horizontalAdvance(QLatin1Char('X')) * characters_;
        hint.setWidth(text + padding);
    }
    return hint;
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
    if (router_.routeKey(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FilteredLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty()) {
        router_.routeInput(event->commitString());
    }
    event->accept();
}

void FilteredLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    router_.showEditMenu(event->globalPos());
    event->accept();
}

// The middle button pastes the primary selection on X11; it goes through the filter too.
void FilteredLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        router_.routeInput(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

}  // namespace vel
