#include "ui/qt/FilteredPlainTextEdit.h"

#include "ui/qt/TextInputRouter.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace vel {

FilteredPlainTextEdit::FilteredPlainTextEdit(TextInputRouter& router, QWidget* parent)
    : QPlainTextEdit(parent), router_(router) {
    setTabChangesFocus(true);
    setAcceptDrops(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

QSize FilteredPlainTextEdit::sizeHint() const {
    const QSize hint = QPlainTextEdit::sizeHint();
    const int lines = fontMetrics().lineSpacing() * 4;
    return {hint.width(), lines + 2 * frameWidth() + 8};
}

void FilteredPlainTextEdit::keyPressEvent(QKeyEvent* event) {
    if (router_.routeKey(event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void FilteredPlainTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty()) {
        router_.routeInput(event->commitString());
    }
    event->accept();
}

void FilteredPlainTextEdit::contextMenuEvent(QContextMenuEvent* event) {
    router_.showEditMenu(event->globalPos());
    event->accept();
}

}  // namespace vel
