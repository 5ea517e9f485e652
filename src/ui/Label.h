#pragma once
// Label: text a person reads; its caption may carry the "&" mnemonic of the field beside it.
#include "ui/Control.h"

namespace vel {

class Label : public ControlOf<Label> {
public:
    Label(Container& parent, const QString& name, int index, const QString& caption)
        : ControlOf(parent, ControlKind::Label, name, index, caption) {}
    bool userSetValue(const QString&) override { return false; }
};

}  // namespace vel
