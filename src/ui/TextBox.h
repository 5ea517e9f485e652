#pragma once
// Text box: one line (or several) of text, typed through an optional key filter.
#include "ui/Control.h"
#include "ui/KeyFilter.h"

namespace vel {

class TextBox : public ControlOf<TextBox> {
public:
    TextBox(Container& parent, const QString& name, int index, const QString& caption)
        : ControlOf(parent, ControlKind::TextBox, name, index, caption) {}

    const QString& text() const { return text_; }
    void setText(const QString& text);  // raises Change when the text differs

    int maxLength() const { return maxLength_; }  // 0: no limit
    TextBox& maxLength(int length) { maxLength_ = length; return *this; }
    bool multiLine() const { return multiLine_; }
    TextBox& multiLine(bool on) { multiLine_ = on; return *this; }
    TextBox& keys(KeyFilter filter) { keyFilter_ = std::move(filter); return *this; }
    // Entered: the person finished entering a new text (left the box after changing it). Text
    // the program puts in is not an entry.
    TextBox& entered(Handler handler) {
        enteredHandlers_.push_back(std::move(handler));
        return *this;
    }

    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    void setSelection(int start, int length);
    void selectAll() { setSelection(0, int(text_.size())); }

    // One key as a person presses it: the filter sees the Windows-1252 code and may change or
    // swallow it; Backspace deletes, Ctrl+A selects all, a printable code replaces the selection
    // within the length limit. Returns false when the key was swallowed or refused.
    bool userKey(int code);
    // Types each character of the text as a key.
    bool userType(const QString& text);
    // The person leaves the box: raises Entered when the text differs from the last entry.
    void userLeave();

    QString valueText() const override { return text_; }
    bool userSetValue(const QString& value) override;

private:
    void changeText(const QString& text);  // a person's change: raises Change, not Entered
    void replaceSelection(const QString& insert);

    QString text_;
    QString enteredText_;  // the text at the last entry or program change
    std::vector<Handler> enteredHandlers_;
    int maxLength_ = 0;
    bool multiLine_ = false;
    KeyFilter keyFilter_;
    int selStart_ = 0;
    int selLength_ = 0;
};

}  // namespace vel
