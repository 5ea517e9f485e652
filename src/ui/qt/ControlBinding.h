#pragma once
// ControlBinding: ties one control of a form to the widgets that show it. refresh() copies the
// control's state into the widgets (program changes reach the screen); a person's input reaches
// the control through act(), which calls the control's user* operations, so key filters,
// validation and refusals apply exactly as in the headless driver.
#include <QFormLayout>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace vel {

class Control;
class FormRenderer;

class ControlBinding : public QObject {
    Q_OBJECT
public:
    // How the layout places the control in a container that lays out one control a row.
    enum class Placement {
        Field,       // caption label on the left, the widget on the right
        WideField,   // caption label above, the widget across the whole row
        CheckField,  // no caption label; the widget sits in the field column
        Spanning,    // the widget across the whole row (frames, tab strips, labels)
    };

    ControlBinding(Control& control, FormRenderer& renderer);
    ~ControlBinding() override;

    Control& control() const { return control_; }
    // The widget the layout places, and the one that takes the keyboard focus.
    QWidget* outerWidget() const { return outer_; }
    virtual QWidget* focusWidget() const { return outer_; }
    virtual Placement placement() const { return Placement::Spanning; }
    // Whether the layout gives this control a caption label of its own.
    bool wantsCaptionLabel() const;

    // The caption label and the form layout rows the builder put the control in.
    void setCaptionLabel(QLabel* label);
    QLabel* captionLabel() const { return captionLabel_; }
    void setFormRows(QFormLayout* layout, QList<QWidget*> rowWidgets);

    // Copies the control's state into the widgets.
    void refresh();

protected:
    void setOuterWidget(QWidget* widget) { outer_ = widget; }
    FormRenderer& renderer() const { return renderer_; }
    // Kind-specific part of refresh(): value, caption, locked state.
    virtual void refreshValue() = 0;
    // True while refresh() writes into the widgets; their signals are then no person's input.
    bool updating() const { return updating_; }
    // Runs a person's action on the model, reports an error thrown by a handler instead of
    // letting it into Qt's event loop, and brings every changed control on screen.
    void act(const std::function<void()>& action);

private:
    void refreshVisibility();

    Control& control_;
    FormRenderer& renderer_;
    QPointer<QWidget> outer_;
    QPointer<QLabel> captionLabel_;
    QPointer<QFormLayout> formLayout_;
    QList<QPointer<QWidget>> rowWidgets_;
    bool updating_ = false;
};

}  // namespace vel
