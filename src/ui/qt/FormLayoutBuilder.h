#pragma once
// FormLayoutBuilder: lays a form's containers out as Qt layouts and binds every control. A
// container of rows becomes a QFormLayout (caption labels on the left, aligned; check boxes in
// the field column; lists and grids across the row under their label); a row of controls a
// QHBoxLayout. The form's own save buttons go to the bottom right of the dialog.
#include <QList>

class QFormLayout;
class QHBoxLayout;
class QWidget;

namespace vel {

class Container;
class Control;
class ControlBinding;
class FormDialog;
class FormRenderer;

class FormLayoutBuilder {
public:
    explicit FormLayoutBuilder(FormRenderer& renderer) : renderer_(renderer) {}

    void buildDialog(FormDialog& dialog);
    // Lays the container's controls into host, which has no layout yet.
    void buildContainer(Container& container, QWidget* host);

private:
    QFormLayout* placeInRows(const QList<Control*>& controls, QWidget* host);
    ControlBinding& bind(Control& control, QWidget* host);
    void buildChildren(ControlBinding& binding);
    void addToRows(QFormLayout* layout, ControlBinding& binding, bool labelColumnUsed,
                   QWidget* host);
    void addToLine(QHBoxLayout* layout, ControlBinding& binding, QWidget* host);
    static void assignLabelBuddies(const QList<ControlBinding*>& bindings);

    FormRenderer& renderer_;
};

}  // namespace vel
