#include "ui/WizardButtons.h"

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Frame.h"

namespace vel {

WizardButtons::WizardButtons(Form& form, Handler back, Handler next, Handler help) {
    const QString name = QStringLiteral("Command1");
    auto& row = form.line();
    back_ = &row.button(name, 3, QStringLiteral("< Back")).clicked(std::move(back));
    next_ = &row.button(name, 2, QStringLiteral("Next >")).makeDefault().clicked(std::move(next));
    row.button(name, 1, QStringLiteral("&Cancel")).makeCancel().clicked([&form] {
        form.unload();
    });
    row.button(name, 0, QStringLiteral("&Help")).clicked(std::move(help));
}

void WizardButtons::showPage(bool first, bool last, const QString& lastCaption) {
    back_->setEnabled(!first);
    next_->setCaption(last ? lastCaption : QStringLiteral("Next >"));
}

}  // namespace vel
