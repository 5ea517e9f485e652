#include "ui/Frame.h"

#include "ui/Form.h"

namespace vel {

Frame::Frame(Container& parent, const QString& name, int index, const QString& caption,
             Layout layout)
    : Control(parent, ControlKind::Frame, name, index, caption),
      Container(parent.owningForm(), layout) {}

Frame::Frame(Container& parent, ControlKind kind, Layout layout)
    : Control(parent, kind, QString(), -1, QString()), Container(parent.owningForm(), layout) {}

Row::Row(Container& parent) : Frame(parent, ControlKind::Row, Layout::Line) {}

}  // namespace vel
