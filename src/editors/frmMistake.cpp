#include "editors/frmMistake.h"

#include "data/VelmorSystem.h"
#include "data/records/TypeOfWorkRecord.h"
#include "ui/Label.h"
#include "ui/MessageBoxCodes.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"

#include <algorithm>

namespace vel {

frmMistake::frmMistake()
    : Form(QStringLiteral("frmMistake"), QString()),
      MasterTableEditor(*this, {QStringLiteral("Mistake"), QStringLiteral("Mistakes"),
                                QStringLiteral("List of Mistakes")}) {
    auto& general =
        tabStrip(QStringLiteral("TabStrip1"))
            .page(QStringLiteral("General"), QStringLiteral("Overall Settings for the Mistake"));
    description_ = &general.textBox(QStringLiteral("Text1"), 0, QStringLiteral("&Description:"))
                        .keys(KeyFilter::name())
                        .maxLength(30);
    general.label(QStringLiteral("lblNote"), QStringLiteral("No other options available"));
    addRecordButtons(*this);
}

Table<MistakeRecord>& frmMistake::mistakes() const {
    return system().mistakes();
}

bool frmMistake::Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) {
    return runEdit(QStringLiteral(" - frmMistake:Edit"), [&] {
        const bool corporateReady = !system.features().usesCorporateControl ||
                                    openForRun(system, system.corporateTypesOfWork());
        if (!beginEdit(system, system.mistakes(), viewOnly || !corporateReady,
                       QStringLiteral("A"))) {
            return false;
        }
        setUpList();
        list().addColumn(QStringLiteral("Description"), 0, ListColumn::Kind::Text, 30);
        list().addColumn(QStringLiteral("Number"), 1, ListColumn::Kind::Number, 6);
        fillList();
        showList(hwndOwner, false);
        endEdit();
        return true;
    });
}

bool frmMistake::corporateControl() const {
    return system().features().usesCorporateControl;
}

bool frmMistake::activeInCorporateFile(int number) const {
    auto& corporate = system().corporateTypesOfWork();
    if (!corporate.isOpen()) {
        return false;
    }
    for (int type = 1; type <= corporate.recordCount(); ++type) {
        const auto listed = corporate.record(type).Mistake;
        if (corporate.isActive(type) && std::ranges::find(listed, number) != listed.end()) {
            return true;
        }
    }
    return false;
}

void frmMistake::EditForm_AddRec() {
    if (const int number = freeRecordOrRefuse()) {
        recordLoop(number, addCaption());
    }
}

void frmMistake::EditForm_EditRec(int number) {
    recordLoop(number, editCaption());
}

void frmMistake::recordLoop(int number, const QString& caption) {
    const MistakeRecord before =
        number <= mistakes().recordCount() ? mistakes().record(number) : MistakeRecord{};
    description_->setText(before.Desc);
    while (showRecord(caption + QString::number(number))) {
        if (refusedAsBlank(*description_)) {
            continue;
        }
        if (corporateControl() && !activeInCorporateFile(number)) {
            message(QStringLiteral("Mistake is not active in the Corporate Control File"),
                    MB_ICONEXCLAMATION);
            continue;
        }
        if (takenByAnother(description_->text(), number)) {
            message(QStringLiteral("Mistake Code is not unique"), MB_ICONEXCLAMATION);
            continue;
        }
        MistakeRecord after = before;
        after.Desc = description_->text();
        mistakes().setRecord(number, after);
        recordWritten(
            number,
            before.Desc.trimmed().isEmpty() ? QStringLiteral("Add") : QStringLiteral("Edit"),
            changedFields(before, after));
        return;
    }
}

void frmMistake::EditForm_DeleteRec(int number) {
    if (corporateControl() && activeInCorporateFile(number)) {
        message(QStringLiteral("Cannot delete the Mistake selected.  It is active in the Corporate "
                               "Control File."),
                MB_ICONEXCLAMATION);
        return;
    }
    const QString where = mistakes().usedOn(number);
    if (!where.isEmpty()) {
        message(QStringLiteral("Cannot delete the Mistake selected.  It is used on a") + where,
                MB_ICONEXCLAMATION);
        return;
    }
    deleteThroughDialog(number);
}

QStringList frmMistake::lineTexts(int number) const {
    return {mistakes().record(number).Desc.trimmed()};
}

std::vector<PrintColumn> frmMistake::printColumns() const {
    return {{QStringLiteral("Number"), 6}, {QStringLiteral("Description"), 30}};
}

QStringList frmMistake::printCells(int number) const {
    return {QString::number(number), mistakes().record(number).Desc.trimmed()};
}

}  // namespace vel
