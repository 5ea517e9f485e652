#include "editors/frmAllocation.h"

#include "editors/CodeAndDescription.h"
#include "maintenance/AllocationImport.h"
#include "maintenance/EditorImports.h"

#include "data/VelmorSystem.h"
#include "ui/Label.h"
#include "ui/MessageBoxCodes.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"

#include <algorithm>

namespace vel {

frmAllocation::frmAllocation()
    : Form(QStringLiteral("frmAllocation"), QString()),
      MasterTableEditor(*this, {QStringLiteral("Allocation"), QStringLiteral("Allocations"),
                                QStringLiteral("List of Allocations")}) {
    auto& general =
        tabStrip(QStringLiteral("TabStrip1"))
            .page(QStringLiteral("General"), QStringLiteral("Overall Settings for the Allocation"));
    const CodeAndDescription boxes = declareCodeAndDescription(general);
    code_ = boxes.code;
    description_ = boxes.description;
    general.label(QStringLiteral("lblNote"), QStringLiteral("No other options available"));
    addRecordButtons(*this);
}

Table<AllocationRecord>& frmAllocation::allocations() const {
    return system().allocations();
}

bool frmAllocation::Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) {
    return runEdit(QStringLiteral(" - frmAllocation:Edit"), [&] {
        if (!beginEdit(system, system.allocations(), viewOnly, QStringLiteral("AO"))) {
            return false;
        }
        setUpList();
        list().addColumn(QStringLiteral("Code"), 0, ListColumn::Kind::Text, 10);
        list().addColumn(QStringLiteral("Description"), 0, ListColumn::Kind::Text, 30);
        list().addColumn(QStringLiteral("Number"), 1, ListColumn::Kind::Number, 6);
        list().addColumn(QStringLiteral("Sequence"), 2, ListColumn::Kind::Figure, 6);
        if (!this->viewOnly()) {
            importButton_ = list().addActionButton(QStringLiteral("Import..."));
        }
        fillList();
        showList(hwndOwner, false);
        endEdit();
        return true;
    });
}

void frmAllocation::EditForm_ShowTotals(QString& text) {
    text = QString::number(table().activeCount()) + QStringLiteral(" active, ") +
           QString::number(system().allocationAccounts()) + QStringLiteral(" allocated, of ") +
           QString::number(table().maximum()) + QStringLiteral(" maximum");
}

// --- the record window -----------------------------------------------------------------------

bool frmAllocation::recordAccepted(int number, const QString& caption) {
    while (showRecord(caption + QString::number(number))) {
        if (refusedAsBlank(*code_) || refusedAsBlank(*description_)) {
            continue;
        }
        if (takenByAnother(code_->text(), number)) {
            message(QStringLiteral("Allocation Code is not unique"), MB_ICONEXCLAMATION);
            code_->setFocus();
            continue;
        }
        return true;
    }
    return false;
}

bool frmAllocation::accountReady(int number) {
    if (number <= system().allocationAccounts()) {
        return true;
    }
    if (message(QStringLiteral("OK to Add this Account to the Tallybook Master file at this time?"),
                MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return false;
    }
    if (!system().addAllocationAccount(number)) {
        message(QStringLiteral("Could not add the Account for Allocation ") +
                    QString::number(number) + QStringLiteral(" to the Tallybook Master file."),
                MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

void frmAllocation::writeRecord(int number, const AllocationRecord& before) {
    AllocationRecord after = before;
    after.Code = code_->text().toUpper();
    after.Desc = description_->text();
    allocations().setRecord(number, after);
    recordWritten(number,
                  before.Code.trimmed().isEmpty() ? QStringLiteral("Add") : QStringLiteral("Edit"),
                  changedFields(before, after));
}

// --- list events -------------------------------------------------------------------------------

void frmAllocation::EditForm_AddRec() {
    const int number = freeRecordOrRefuse();
    if (number == 0) {
        return;
    }
    // A new allocation comes last in the list sequence.
    AllocationRecord fresh;
    for (int other = 1; other <= allocations().recordCount(); ++other) {
        if (allocations().isActive(other)) {
            fresh.Sequence = std::max(fresh.Sequence, allocations().record(other).Sequence);
        }
    }
    fresh.Sequence += 1;
    code_->setText(QString());
    description_->setText(QString());
    if (recordAccepted(number, addCaption()) && accountReady(number)) {
        writeRecord(number, fresh);
    }
}

void frmAllocation::EditForm_EditRec(int number) {
    const AllocationRecord before = allocations().record(number);
    code_->setText(before.Code);
    description_->setText(before.Desc);
    if (recordAccepted(number, editCaption())) {
        writeRecord(number, before);
    }
}

void frmAllocation::EditForm_DeleteRec(int number) {
    const QString where = allocations().usedOn(number).trimmed();
    if (!where.isEmpty()) {
        message(QStringLiteral("Cannot delete the Allocation selected.  It is used on a ") + where,
                MB_ICONEXCLAMATION);
        return;
    }
    confirmAndRemove(number, 0);
}

void frmAllocation::EditForm_ActionButton(int index) {
    if (index == importButton_) {
        importAllocations();
    }
}

void frmAllocation::importAllocations() {
    if (importAllocationsFromEditor(system(), forActivities_)) {
        list().clearLines();
        fillList();
        list().markChanged();
    }
}

void frmAllocation::EditForm_EditSave(bool& success) {
    MasterTableEditor::EditForm_EditSave(success);
    if (!success || forActivities_.isEmpty()) {
        return;
    }
    QList<int> stillActive;
    for (int number : std::as_const(forActivities_)) {
        if (allocations().isActive(number)) {
            stillActive << number;
        }
    }
    forActivities_.clear();
    if (!stillActive.isEmpty()) {
        AllocationImport::addToActivities(system(), stillActive);
    }
}

void frmAllocation::EditForm_EditCancel(bool& close) {
    MasterTableEditor::EditForm_EditCancel(close);
    forActivities_.clear();
}

QStringList frmAllocation::lineTexts(int number) const {
    const AllocationRecord allocation = allocations().record(number);
    return {allocation.Code.trimmed(), allocation.Desc.trimmed(),
            QString::number(allocation.Sequence)};
}

std::vector<PrintColumn> frmAllocation::printColumns() const {
    return {{QStringLiteral("Number"), 6},
            {QStringLiteral("Code"), 10},
            {QStringLiteral("Description"), 30},
            {QStringLiteral("Sequence"), 8}};
}

QStringList frmAllocation::printCells(int number) const {
    const AllocationRecord allocation = allocations().record(number);
    return {QString::number(number), allocation.Code.trimmed(), allocation.Desc.trimmed(),
            QString::number(allocation.Sequence)};
}

}  // namespace vel
