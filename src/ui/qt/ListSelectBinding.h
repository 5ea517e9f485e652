#pragma once
// ListSelectBinding: a selection list as a QListWidget of checkable items. Ticking an item goes
// through userSetSelected; a refused tick is taken back.
#include "ui/qt/ControlBinding.h"

class QListWidget;

namespace vel {

class ListSelect;

class ListSelectBinding : public ControlBinding {
    Q_OBJECT
public:
    ListSelectBinding(ListSelect& list, FormRenderer& renderer, QWidget* parent);
    Placement placement() const override { return Placement::WideField; }

protected:
    void refreshValue() override;

private:
    ListSelect& list_;
    QListWidget* widget_;
};

}  // namespace vel
