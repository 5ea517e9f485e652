#include "ui/SaveButtons.h"

#include "ui/Button.h"
#include "ui/Form.h"

namespace vel {

SaveButtons::SaveButtons(Container& parent, const QString& name)
    : Control(parent, ControlKind::SaveButtons, QString(), -1, QString()),
      Container(parent.owningForm(), Layout::Line),
      ok_(&button(name, OK, QStringLiteral("OK")).makeDefault()),
      cancel_(&button(name, Cancel, QStringLiteral("Cancel")).makeCancel()) {}

SaveButtons& SaveButtons::clicked(std::function<void(int index)> handler) {
    auto shared = std::make_shared<std::function<void(int)>>(std::move(handler));
    ok_->onClick([shared] { (*shared)(OK); });
    cancel_->onClick([shared] { (*shared)(Cancel); });
    return *this;
}

}  // namespace vel
