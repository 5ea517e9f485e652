#include "ui/Ui.h"

#include "ui/HeadlessUi.h"

namespace vel {

namespace {
Ui* installed = nullptr;
}

Ui& currentUi() {
    if (installed) {
        return *installed;
    }
    static HeadlessUi standIn;
    return standIn;
}

void setCurrentUi(Ui* ui) {
    installed = ui;
}

ScopedUi::ScopedUi(Ui& ui) : previous_(installed) {
    installed = &ui;
}

ScopedUi::~ScopedUi() {
    installed = previous_;
}

}  // namespace vel
