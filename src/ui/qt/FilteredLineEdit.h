#pragma once
// FilteredLineEdit: a QLineEdit whose typing, pasting and edit menu go through a router (the
// text box's key filter), and whose preferred width follows the text box's length limit.
#include <QLineEdit>

namespace vel {

class TextInputRouter;

class FilteredLineEdit : public QLineEdit {
    Q_OBJECT
public:
    FilteredLineEdit(TextInputRouter& router, QWidget* parent);

    // Preferred width for this many characters; 0 lets the box grow with the window.
    void setWidthInCharacters(int characters);
    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TextInputRouter& router_;
    int characters_ = 0;
};

}  // namespace vel
