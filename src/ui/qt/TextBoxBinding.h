#pragma once
// TextBoxBinding: a text box as a FilteredLineEdit, or a FilteredPlainTextEdit when it takes
// several lines. Every key a person types reaches TextBox::userKey with its Windows-1252 code,
// so the form's key filter upper-cases or swallows it; pasted text is typed the same way, one
// character at a time. Delete removes the character after the caret without a key code, as a
// key that types nothing.
#include "ui/qt/ControlBinding.h"
#include "ui/qt/TextInputRouter.h"

#include <utility>

namespace vel {

class FilteredLineEdit;
class FilteredPlainTextEdit;
class TextBox;

class TextBoxBinding : public ControlBinding, public TextInputRouter {
    Q_OBJECT
public:
    TextBoxBinding(TextBox& box, FormRenderer& renderer, QWidget* parent);

    Placement placement() const override;
    bool routeKey(QKeyEvent* event) override;
    void routeInput(const QString& text) override;
    void showEditMenu(const QPoint& globalPosition) override;

protected:
    void refreshValue() override;

private:
    std::pair<int, int> widgetSelection() const;  // start and length
    void showModelSelection();
    void sendKeys(const QList<int>& codes);
    void paste();
    void cut();
    void copy();
    void deleteForward();

    TextBox& box_;
    FilteredLineEdit* line_ = nullptr;
    FilteredPlainTextEdit* plain_ = nullptr;
};

}  // namespace vel
