#pragma once
// FilteredPlainTextEdit: the multi-line text box, a QPlainTextEdit whose typing, pasting and
// edit menu go through a router (the text box's key filter). Tab moves to the next field.
#include <QPlainTextEdit>

namespace vel {

class TextInputRouter;

class FilteredPlainTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    FilteredPlainTextEdit(TextInputRouter& router, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool canInsertFromMimeData(const QMimeData*) const override { return false; }

private:
    TextInputRouter& router_;
};

}  // namespace vel
