#pragma once
// OrderedSelectBinding: an ordered selection list as an OrderedSelectWidget. Adding, removing
// and moving go through the list's user operations; the form's limit and check decide, and a
// refused addition sounds the bell.
#include "ui/qt/ControlBinding.h"

namespace vel {

class OrderedSelect;
class OrderedSelectWidget;

class OrderedSelectBinding : public ControlBinding {
    Q_OBJECT
public:
    OrderedSelectBinding(OrderedSelect& list, FormRenderer& renderer, QWidget* parent);
    Placement placement() const override { return Placement::WideField; }
    QWidget* focusWidget() const override;

protected:
    void refreshValue() override;

private:
    OrderedSelect& list_;
    OrderedSelectWidget* widget_;
};

}  // namespace vel
