#include "services/ShowLikeModal.h"

#include "services/ErrorReport.h"
#include "services/MessageWithSound.h"
#include "ui/Ui.h"

#include <algorithm>
#include <vector>

namespace vel {

namespace {

std::vector<WindowOwner>& nesting() {
    static std::vector<WindowOwner> owners;
    return owners;
}

// One level of the nesting record, for as long as its window shows.
class NestingLevel {
  public:
    explicit NestingLevel(const WindowOwner& owner) { nesting().push_back(owner); }
    ~NestingLevel() { nesting().pop_back(); }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;
};

// Disables every other loaded window while one window shows, and afterwards enables exactly
// those it disabled (a window an outer level disabled stays disabled for that level).
class OtherWindowsDisabled {
  public:
    explicit OtherWindowsDisabled(const Form& shown) {
        for (Form* form : Form::loadedForms()) {
            if (form != &shown && form->enabled()) {
                form->setEnabled(false);
                disabled_.push_back(form);
            }
        }
    }
    ~OtherWindowsDisabled() {
        // Only windows still loaded: one that was unloaded meanwhile may be gone.
        const std::vector<Form*> loaded = Form::loadedForms();
        for (Form* form : disabled_) {
            if (std::ranges::find(loaded, form) != loaded.end()) {
                form->setEnabled(true);
            }
        }
    }
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

  private:
    std::vector<Form*> disabled_;
};

// Puts the focus back on the owner window's focused control, so that a rendered owner takes
// input again where the person left it. A host owner gets it back from the Ui's modal loop.
void focusOwner(const WindowOwner& owner) {
    if (owner.form && owner.form->isLoaded() && owner.form->focused()) {
        owner.form->setFocus(*owner.form->focused());
    }
}

}  // namespace

void ShowLikeModal(Form& form, quintptr ownerHandle) {
    try {
        Ui& ui = currentUi();
        Form* active = ui.activeForm();
        WindowOwner owner;
        if (active && active != &form) {
            owner.form = active;
        } else {
            owner.hostWindow = ownerHandle;
        }
        {
            NestingLevel level(owner);
            OtherWindowsDisabled others(form);
            form.setOwner(owner);
            ui.runModal(form);
        }
        focusOwner(owner);
    } catch (...) {
        MessageWithSound(QStringLiteral("Error in ShowLikeModal, ") + caughtError().description,
                         MB_ICONEXCLAMATION);
    }
}

int modalDepth() {
    return int(nesting().size());
}

WindowOwner modalOwner(int level) {
    return level >= 1 && level <= modalDepth() ? nesting()[size_t(level - 1)] : WindowOwner{};
}

}  // namespace vel
