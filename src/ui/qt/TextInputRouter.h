#pragma once
// TextInputRouter: where a filtered text widget sends what a person types, pastes or picks from
// its edit menu, instead of editing its own text. The text box's binding implements it.
#include <QPoint>
#include <QString>

class QKeyEvent;

namespace vel {

class TextInputRouter {
public:
    virtual ~TextInputRouter() = default;
    // Returns true when the key was taken care of (typed, swallowed); false leaves it to the
    // widget (cursor movement, selection, copy) or to the dialog (Enter, Escape, Tab).
    virtual bool routeKey(QKeyEvent* event) = 0;
    // Text committed by an input method or a compose sequence.
    virtual void routeInput(const QString& text) = 0;
    virtual void showEditMenu(const QPoint& globalPosition) = 0;
};

}  // namespace vel
