#include "ui/qt/TextBoxBinding.h"

#include "ui/TextBox.h"
#include "ui/qt/FilteredLineEdit.h"
#include "ui/qt/FilteredPlainTextEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTextBlock>

namespace vel {

namespace {
// Longest width a length limit asks for; longer boxes take what the window gives them.
constexpr int widestLimitedBox = 40;

bool isTypedText(const QString& text) {
    for (const QChar character : text) {
        if (character.unicode() < 32 || character.unicode() == 127) {
            return false;
        }
    }
    return !text.isEmpty();
}
}  // namespace

TextBoxBinding::TextBoxBinding(TextBox& box, FormRenderer& renderer, QWidget* parent)
    : ControlBinding(box, renderer), box_(box) {
    if (box.multiLine()) {
        plain_ = new FilteredPlainTextEdit(*this, parent);
        setOuterWidget(plain_);
    } else {
        line_ = new FilteredLineEdit(*this, parent);
        const int limit = box.maxLength();
        line_->setWidthInCharacters(limit > 0 && limit <= widestLimitedBox ? limit : 0);
        if (limit > 0) {
            line_->setMaxLength(limit);
        }
        // Return or the focus moving on ends an entry, as leaving the box does.
        connect(line_, &QLineEdit::editingFinished, this,
                [this] { act([this] { box_.userLeave(); }); });
        setOuterWidget(line_);
    }
}

ControlBinding::Placement TextBoxBinding::placement() const {
    return box_.multiLine() ? Placement::WideField : Placement::Field;
}

void TextBoxBinding::refreshValue() {
    if (line_) {
        line_->setReadOnly(box_.locked());
        if (line_->text() != box_.text()) {
            line_->setText(box_.text());
        }
    } else {
        plain_->setReadOnly(box_.locked());
        if (plain_->toPlainText() != box_.text()) {
            plain_->setPlainText(box_.text());
        }
    }
}

std::pair<int, int> TextBoxBinding::widgetSelection() const {
    if (line_) {
        if (line_->hasSelectedText()) {
            return {line_->selectionStart(), line_->selectionLength()};
        }
        return {line_->cursorPosition(), 0};
    }
    const QTextCursor cursor = plain_->textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
}

void TextBoxBinding::showModelSelection() {
    const int start = box_.selStart();
    const int length = box_.selLength();
    if (line_) {
        if (length > 0) {
            line_->setSelection(start, length);
        } else {
            line_->setCursorPosition(start);
        }
        return;
    }
    QTextCursor cursor = plain_->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    plain_->setTextCursor(cursor);
}

void TextBoxBinding::sendKeys(const QList<int>& codes) {
    const std::pair<int, int> selection = widgetSelection();
    const int start = selection.first;
    const int length = selection.second;
    act([&] {
        box_.setSelection(start, length);
        for (int code : codes) {
            box_.userKey(code);
        }
    });
    refresh();
    showModelSelection();
}

bool TextBoxBinding::routeKey(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        if (!box_.editable()) {
            return false;  // a locked box still lets a person select and copy
        }
        sendKeys({KeyCtrlA});
        return true;
    }
    if (event->matches(QKeySequence::Paste)) {
        paste();
        return true;
    }
    if (event->matches(QKeySequence::Cut)) {
        cut();
        return true;
    }
    if (event->matches(QKeySequence::Delete)) {
        deleteForward();
        return true;
    }
    // Edits the model has no key for are swallowed rather than let past the filter.
    for (QKeySequence::StandardKey edit :
         {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::DeleteStartOfWord,
          QKeySequence::DeleteEndOfWord, QKeySequence::DeleteEndOfLine,
          QKeySequence::DeleteCompleteLine, QKeySequence::InsertLineSeparator}) {
        if (event->matches(edit)) {
            return true;
        }
    }
    switch (event->key()) {
        case Qt::Key_Backspace:
            sendKeys({KeyBackspace});
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (plain_ && !(event->modifiers() & Qt::ControlModifier)) {
                sendKeys({KeyEnter});
                return true;
            }
            return false;  // a one-line box leaves Enter to the dialog's default button
        default:
            break;
    }
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::MetaModifier;
    if ((event->modifiers() & commands) || !isTypedText(event->text())) {
        return false;
    }
    routeInput(event->text());
    return true;
}

// Each character is typed as its Windows-1252 key; one the code page lacks cannot be stored.
void TextBoxBinding::routeInput(const QString& text) {
    QList<int> codes;
    for (const QChar character : text) {
        const int code = character == u'\n' ? int(KeyEnter) : toWindows1252(character);
        if (code != 0 && (code >= 32 || code == KeyEnter)) {
            codes << code;
        }
    }
    if (!codes.isEmpty()) {
        sendKeys(codes);
    }
}

void TextBoxBinding::paste() {
    QString text = QGuiApplication::clipboard()->text();
    text.remove(u'\r');
    if (line_) {
        text.replace(u'\n', u' ');
    }
    routeInput(text);
}

void TextBoxBinding::copy() {
    const std::pair<int, int> selection = widgetSelection();
    if (selection.second > 0) {
        QGuiApplication::clipboard()->setText(box_.text().mid(selection.first, selection.second));
    }
}

void TextBoxBinding::cut() {
    if (widgetSelection().second > 0 && box_.editable()) {
        copy();
        sendKeys({KeyBackspace});
    }
}

// Removes the selection, or the character after the caret.
void TextBoxBinding::deleteForward() {
    const int start = widgetSelection().first;
    int length = widgetSelection().second;
    if (length == 0) {
        length = start < box_.text().size() ? 1 : 0;
    }
    if (length == 0) {
        return;
    }
    QString text = box_.text();
    text.remove(start, length);
    act([&] {
        if (box_.userSetValue(text)) {
            box_.setSelection(start, 0);
        }
    });
    refresh();
    showModelSelection();
}

void TextBoxBinding::showEditMenu(const QPoint& globalPosition) {
    const bool selected = widgetSelection().second > 0;
    const bool editable = box_.editable();
    QMenu menu(outerWidget());
    menu.addAction(tr("Cu&t"), this, [this] { cut(); })->setEnabled(selected && editable);
    menu.addAction(tr("&Copy"), this, [this] { copy(); })->setEnabled(selected);
    menu.addAction(tr("&Paste"), this, [this] { paste(); })
        ->setEnabled(editable && !QGuiApplication::clipboard()->text().isEmpty());
    menu.addAction(tr("&Delete"), this, [this] { deleteForward(); })
        ->setEnabled(selected && editable);
    menu.addSeparator();
    menu.addAction(tr("Select &All"), this,
                   [this] {
                       if (box_.editable()) {
                           sendKeys({KeyCtrlA});
                       } else if (line_) {
                           line_->selectAll();
                       } else {
                           plain_->selectAll();
                       }
                   })
        ->setEnabled(!box_.text().isEmpty());
    menu.exec(globalPosition);
}

}  // namespace vel
