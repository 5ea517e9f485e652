#include "editors/frmTitle.h"

#include "data/Masterfile.h"
#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "services/ErrorReport.h"
#include "services/MessageWithSound.h"
#include "services/ShowLikeModal.h"
#include "ui/KeyFilter.h"
#include "ui/Label.h"
#include "ui/MessageBoxCodes.h"
#include "ui/SaveButtons.h"
#include "ui/TextBox.h"

namespace vel {

namespace {
constexpr int titleLength = 40;
}

frmTitle::frmTitle() : Form(QStringLiteral("frmTitle"), QStringLiteral("System Title")) {
    title_ = &textBox(QStringLiteral("Text1"), QStringLiteral("System Title:"))
                  .keys(KeyFilter::name())
                  .maxLength(titleLength);
    label(QStringLiteral("lblTitle"),
          QStringLiteral("The title is printed at the top of every report and shown in the "
                         "title bar of the program."));
    saveButtons(QStringLiteral("SaveButtons1")).clicked([this](int index) {
        confirmed_ = index == SaveButtons::OK;
        hide();
    });
}

bool frmTitle::Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) {
    system_ = &system;
    bool shown = false;
    return guarded(QStringLiteral(" - frmTitle:Edit"), shown, [&] {
        Masterfile& masterfile = system.masterfile();
        const bool openedHere = !masterfile.isOpen();
        if (openedHere && !masterfile.open()) {
            message(QStringLiteral("Cannot open ") + masterfile.name(), MB_ICONEXCLAMATION);
            return;
        }
        title_->setText(masterfile.titles().value(0));
        title_->setLocked(viewOnly);
        shown = true;
        do {
            confirmed_ = false;
            ShowLikeModal(*this, hwndOwner);
        } while (confirmed_ && !viewOnly && !saveTitle());
        if (openedHere) {
            masterfile.close();
        }
    });
}

bool frmTitle::saveTitle() {
    const QString title = title_->text().trimmed();
    if (title.isEmpty()) {
        QString caption = title_->plainCaption();
        caption.remove(QLatin1Char(':'));
        message(caption + QStringLiteral(" field cannot be blank"), MB_ICONCRITICAL);
        title_->setFocus();
        return false;
    }
    Masterfile& masterfile = system_->masterfile();
    QStringList titles = masterfile.titles();
    if (titles.value(0) == title) {
        return true;  // unchanged: nothing to write
    }
    system_->StatusText(QStringLiteral("Writing Titles to Tallybook Masterfiles"));
    if (titles.isEmpty()) {
        titles << title;
    } else {
        titles[0] = title;
    }
    const bool stored = masterfile.setTitles(titles);
    system_->StatusDone();
    if (!stored) {
        message(QStringLiteral("Error saving the System Title to ") + masterfile.name(),
                MB_ICONCRITICAL);
        return false;
    }
    masterfile.logChange(QStringLiteral("Title"), title, QStringLiteral("Edit"));
    written_ = true;
    return true;
}

void frmTitle::release() {
    if (isLoaded()) {
        unload();
    }
}

int frmTitle::message(const QString& text, int style) {
    return MessageWithSound(text, style, system_->Program().title());
}

}  // namespace vel
