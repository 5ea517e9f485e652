// frmActivity's standards display unit, the Valid Allocations tab with its grid of standards per
// allocation, and the data fields the activity posts to (the Datafields tab and the check that
// enough fields are free).
#include "editors/frmActivity.h"

#include "data/VelmorSystem.h"
#include "data/records/AllocationRecord.h"
#include "data/records/DataFieldRecord.h"
#include "ui/CheckBox.h"
#include "ui/Grid.h"
#include "ui/ListSelect.h"
#include "ui/MessageBoxCodes.h"
#include "ui/NumberBox.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"

namespace vel {

QString frmActivity::allocationName(int allocation) const {
    const AllocationRecord record = system().allocations().record(allocation);
    return record.Code.trimmed() + QStringLiteral(" - ") + record.Desc.trimmed();
}

void frmActivity::standardDisplayChanged() {
    captionStandards();
    showElementSlot(currentSlot());
    fillElementsGrid();
    fillAllocationsGrid();
}

// "Standard " or, while each allocation keeps its own, "Default Standard ", with the unit.
void frmActivity::captionStandards() {
    elementStandard_->setCaption((sameStandards_->checked() ? QStringLiteral("Standard ")
                                                            : QStringLiteral("Default Standard ")) +
                                 unitCaption(standardDisplay()));
    elementStandard_->decimals(standardDisplay() == StandardDisplay::UnitsPerHour ? 3 : 5);
}

// Selected allocations become valid with the element standards as their starting values;
// deselected ones lose their standards.
void frmActivity::allocationsChosen() {
    if (loading_) {
        return;
    }
    std::map<int, ActivityRecord::SlotStandards> chosen;
    for (long long data : allocations_->selectedData()) {
        const int allocation = int(data);
        const auto kept = working_.AllocationStandards.find(allocation);
        if (kept != working_.AllocationStandards.end()) {
            chosen[allocation] = kept->second;
            continue;
        }
        ActivityRecord::SlotStandards standards{};
        for (size_t slot = 0; slot < standards.size(); ++slot) {
            standards[slot] =
                working_.Elements[slot].isEmpty() ? 0.0F : working_.Elements[slot].Standard;
        }
        chosen[allocation] = standards;
    }
    working_.AllocationStandards = chosen;
    fillAllocationsGrid();
}

// One line per valid allocation, one column per selected element, in the display unit. With
// one standard for all allocations the cells only show the element standards.
void frmActivity::fillAllocationsGrid() {
    const StandardDisplay display = standardDisplay();
    const int elementCount = working_.elementCount();
    allocationGrid_->setSize(int(working_.AllocationStandards.size()) + 1, elementCount + 1);
    QStringList headings{QStringLiteral("Allocation")};
    for (int slot = 0; slot < elementCount; ++slot) {
        headings << elementName(working_.Elements[size_t(slot)].Element) + QStringLiteral(" ") +
                        unitCaption(display);
    }
    allocationGrid_->headings(headings).columnWidth(0, 24);
    const bool same = sameStandards_->checked();
    int row = 1;
    for (const auto& [allocation, standards] : working_.AllocationStandards) {
        allocationGrid_->setTextMatrix(row, 0, allocationName(allocation));
        for (int slot = 0; slot < elementCount; ++slot) {
            const float stored =
                same ? working_.Elements[size_t(slot)].Standard : standards[size_t(slot)];
            allocationGrid_->setTextMatrix(row, slot + 1, standardText(stored, display));
        }
        ++row;
    }
    for (int col = 1; col <= elementCount; ++col) {
        allocationGrid_->editableColumn(col, !same);
        allocationGrid_->columnWidth(col, std::max(12, int(headings[col].size()) + 2))
            .columnAlign(col, Grid::Align::Right);
    }
}

// A typed standard: empty passes, a non-number is refused (the old text stays), a number is
// stored in units per hour and the line redrawn.
bool frmActivity::allocationCellEdited(int row, int col, QString& text) {
    const QString entry = text.trimmed();
    if (entry.isEmpty()) {
        text = entry;
        return true;
    }
    double value = 0;
    if (!parseStandard(entry, value)) {
        message(QStringLiteral("Cell contains a non-numeric entry, field cannot be saved"),
                MB_ICONEXCLAMATION);
        return false;
    }
    if (row < 1 || row > int(working_.AllocationStandards.size()) || col < 1) {
        return false;
    }
    auto line = std::next(working_.AllocationStandards.begin(), row - 1);
    line->second[size_t(col - 1)] = storedStandard(value, standardDisplay());
    text = standardText(line->second[size_t(col - 1)], standardDisplay());
    return true;
}

// The fields the activity needs: actual hours, earned hours unless unmeasured, cost when cost
// is tracked, and each selected element's units. A field held for the same purpose is kept;
// one no longer needed is released.
std::vector<frmActivity::PlannedField> frmActivity::plannedFields() const {
    const QString code = code_->text().trimmed().toUpper();
    const bool measured = selectedOption(*this, QStringLiteral("optEhrs")) != 0;
    const bool cost = system().features().costTracking;
    std::vector<PlannedField> plan;
    const auto add = [&](const QString& typeOfData, int number, bool needed, int element) {
        if (needed || number > 0) {
            plan.push_back(
                {typeOfData, code + QStringLiteral(" ") + typeOfData, number, element, !needed});
        }
    };
    add(QStringLiteral("Actual Hours"), working_.FldHoursto, true, 0);
    add(QStringLiteral("Earned Hours"), working_.FldEarnedto, measured, 0);
    add(QStringLiteral("Cost"), working_.FldCostto, cost, 0);
    for (const ActivityElementSlot& slot : working_.Elements) {
        if (!slot.isEmpty()) {
            add(elementName(slot.Element) + QStringLiteral(" units"), slot.UnitsField, true,
                slot.Element);
        }
    }
    for (const ActivityElementSlot& slot : stored_.Elements) {
        if (!slot.isEmpty() && slot.UnitsField > 0 && working_.slotOf(slot.Element) < 0) {
            add(elementName(slot.Element) + QStringLiteral(" units"), slot.UnitsField, false,
                slot.Element);
        }
    }
    return plan;
}

void frmActivity::fillDataFieldsGrid() {
    if (loading_) {
        return;
    }
    const std::vector<PlannedField> plan = plannedFields();
    fieldGrid_->setSize(int(plan.size()) + 1, 3);
    auto& fields = system().dataFields();
    int row = 1;
    for (const PlannedField& field : plan) {
        QString description;
        QString number = QString::number(field.number);
        if (field.released) {
            description = QStringLiteral("To Be Deleted");
        } else if (field.number == 0) {
            description = QStringLiteral("To Be Added");
            number = QStringLiteral("Not Defined until Table Closed");
        } else {
            description = field.number <= fields.recordCount()
                              ? fields.record(field.number).Desc.trimmed()
                              : field.description;
        }
        fieldGrid_->setTextMatrix(row, 0, field.typeOfData);
        fieldGrid_->setTextMatrix(row, 1, description);
        fieldGrid_->setTextMatrix(row, 2, number);
        ++row;
    }
}

// Refuses the save when the system has fewer free data fields than the activity needs.
bool frmActivity::CheckFieldsNeeded() {
    fillDataFieldsGrid();
    int needed = 0;
    for (const PlannedField& field : plannedFields()) {
        needed += field.number == 0 && !field.released ? 1 : 0;
    }
    const int available = needed > 0 ? system().freeDataFieldCount() : 0;
    if (needed <= available) {
        return true;
    }
    message(QStringLiteral("The are not enough Datafields available to hold the data for this "
                           "activity.  You must allocate more fields before saving the Activity "
                           "with the current settings.  \nYou need ") +
                QString::number(needed) + QStringLiteral(" additional fields, and only have ") +
                QString::number(available) + QStringLiteral(" available."),
            MB_ICONEXCLAMATION);
    return false;
}

}  // namespace vel
