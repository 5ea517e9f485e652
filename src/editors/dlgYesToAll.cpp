#include "editors/dlgYesToAll.h"

#include "services/ErrorReport.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/Frame.h"
#include "ui/Label.h"

namespace vel {

dlgYesToAll::dlgYesToAll(const QString& caption) : Form(QStringLiteral("dlgYesToAll"), caption) {
    prompt_ = &label(QStringLiteral("lblPrompt"), QString());
    auto& buttons = line();
    buttons.button(QStringLiteral("cmdYes"), QStringLiteral("&Yes")).clicked([this] {
        choose(Yes);
    });
    buttons.button(QStringLiteral("cmdYesToAll"), QStringLiteral("Yes to &All")).clicked([this] {
        choose(YesToAll);
    });
    buttons.button(QStringLiteral("cmdNo"), QStringLiteral("&No"))
        .makeDefault()
        .makeCancel()
        .clicked([this] { choose(No); });
}

void dlgYesToAll::choose(Answer answer) {
    answer_ = answer;
    unload();
}

dlgYesToAll::Answer dlgYesToAll::Ask(const QString& prompt, quintptr ownerHandle) {
    answer_ = No;
    prompt_->setCaption(prompt);
    guarded(QStringLiteral(" - dlgYesToAll:Ask"), [&] {
        ShowLikeModal(*this, ownerHandle);
        unload();
    });
    return answer_;
}

}  // namespace vel
