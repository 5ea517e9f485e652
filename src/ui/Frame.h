#pragma once
// Frame: a captioned box around related controls. Row: an unnamed strip that lays its controls
// side by side (buttons, or two frames next to each other).
#include "ui/Container.h"
#include "ui/Control.h"

namespace vel {

class Frame : public Control, public Container {
public:
    Frame(Container& parent, const QString& name, int index, const QString& caption,
          Layout layout = Layout::Rows);
    Control* asControl() override { return this; }
    bool containerReachable() const override { return reachable(); }
    bool userSetValue(const QString&) override { return false; }
    Frame& tip(const QString& text) { setToolTip(text); return *this; }

protected:
    Frame(Container& parent, ControlKind kind, Layout layout);
};

class Row : public Frame {
public:
    explicit Row(Container& parent);
};

}  // namespace vel
