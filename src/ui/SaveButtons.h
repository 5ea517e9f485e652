#pragma once
// SaveButtons: the OK / Cancel pair of a record window, an array of two buttons: index 1 is OK,
// index 2 Cancel. One handler receives the index of the button pressed.
#include "ui/Container.h"
#include "ui/Control.h"

#include <functional>

namespace vel {

class SaveButtons : public Control, public Container {
public:
    SaveButtons(Container& parent, const QString& name);

    static constexpr int OK = 1;
    static constexpr int Cancel = 2;

    Button& ok() const { return *ok_; }
    Button& cancel() const { return *cancel_; }
    SaveButtons& clicked(std::function<void(int index)> handler);

    Control* asControl() override { return this; }
    bool containerReachable() const override { return reachable(); }
    bool userSetValue(const QString&) override { return false; }

private:
    Button* ok_;
    Button* cancel_;
};

}  // namespace vel
