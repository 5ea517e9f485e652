#include "ui/TextBox.h"

namespace vel {

void TextBox::setText(const QString& text) {
    enteredText_ = text;
    changeText(text);
}

void TextBox::changeText(const QString& text) {
    selStart_ = int(text.size());
    selLength_ = 0;
    if (text == text_) {
        return;
    }
    text_ = text;
    notifyChanged();
    raiseChange();
}

void TextBox::userLeave() {
    if (text_ == enteredText_) {
        return;
    }
    enteredText_ = text_;
    for (const Handler& handler : std::vector<Handler>(enteredHandlers_)) {
        handler();
    }
}

void TextBox::setSelection(int start, int length) {
    selStart_ = std::clamp(start, 0, int(text_.size()));
    selLength_ = std::clamp(length, 0, int(text_.size()) - selStart_);
}

bool TextBox::userKey(int code) {
    if (!editable()) {
        return false;
    }
    if (keyFilter_) {
        code = keyFilter_(code);
    }
    switch (code) {
    case 0:
        return false;
    case KeyCtrlA:
        selectAll();
        return true;
    case KeyBackspace:
        if (selLength_ == 0 && selStart_ > 0) {
            setSelection(selStart_ - 1, 1);
        }
        replaceSelection({});
        return true;
    case KeyEnter:
        if (!multiLine_) {
            return false;
        }
        replaceSelection(QStringLiteral("\n"));
        return true;
    default:
        break;
    }
    if (code < 32) {
        return false;  // copy, paste and cut work on the clipboard, which scripts do not have
    }
    const QChar character = fromWindows1252(code);
    if (character.isNull() ||
        (maxLength_ > 0 && text_.size() - selLength_ >= maxLength_)) {
        return false;
    }
    replaceSelection(QString(character));
    return true;
}

bool TextBox::userType(const QString& text) {
    bool allTaken = true;
    for (const QChar character : text) {
        const int code = character == u'\n' ? int(KeyEnter) : toWindows1252(character);
        allTaken = userKey(code) && allTaken;
    }
    return allTaken;
}

bool TextBox::userSetValue(const QString& value) {
    if (!editable() || (maxLength_ > 0 && value.size() > maxLength_)) {
        return false;
    }
    changeText(value);
    return true;
}

void TextBox::replaceSelection(const QString& insert) {
    const int caret = selStart_ + int(insert.size());
    QString text = text_;
    text.replace(selStart_, selLength_, insert);
    changeText(text);
    setSelection(caret, 0);
}

}  // namespace vel
