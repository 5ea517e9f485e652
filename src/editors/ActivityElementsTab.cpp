// frmActivity's Elements tab: the ordered element selection (at most 30), the frame with the
// settings of one selected element, and the grid of every selected element's settings.
#include "editors/frmActivity.h"

#include "data/VelmorSystem.h"
#include "data/records/ElementRecord.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Grid.h"
#include "ui/Label.h"
#include "ui/MessageBoxCodes.h"
#include "ui/NumberBox.h"
#include "ui/OrderedSelect.h"

namespace vel {

QString frmActivity::elementName(int element) const {
    auto& elements = elementTable();
    return element > 0 && element <= elements.recordCount() ? elements.code(element).trimmed()
                                                            : QString();
}

int frmActivity::currentSlot() const {
    const int index = frameElement_->listIndex();
    return index < 0 ? -1 : working_.slotOf(int(frameElement_->itemData(index)));
}

bool frmActivity::elementMayBeAdded(int) {
    if (int(elements_->chosen().size()) < ActivityRecord::ElementSlots) {
        return true;
    }
    message(QStringLiteral("Cannot add the Element to the selected Elements.  Can only have 30 "
                           "Elements on an Activity."),
            MB_ICONINFORMATION);
    return false;
}

// The slots follow the chosen order. An element keeps its settings (and its allocation
// standards) when it moves; a new one starts without a standard, counting in the total units.
void frmActivity::elementsChosen() {
    if (loading_) {
        return;
    }
    const ActivityRecord before = working_;
    const std::vector<long long> chosen = elements_->chosenData();
    for (size_t slot = 0; slot < working_.Elements.size(); ++slot) {
        ActivityElementSlot entry;
        if (slot < chosen.size()) {
            const int element = int(chosen[slot]);
            const int old = before.slotOf(element);
            const int kept = stored_.slotOf(element);
            if (old >= 0) {
                entry = before.Elements[size_t(old)];
            } else if (kept >= 0) {
                entry = stored_.Elements[size_t(kept)];  // removed and chosen again
            } else {
                entry.Element = element;
                entry.Standard = 0.0F;
                entry.UseUnits = true;
            }
        }
        working_.Elements[slot] = entry;
    }
    for (auto& [allocation, standards] : working_.AllocationStandards) {
        const ActivityRecord::SlotStandards old = standards;
        for (size_t slot = 0; slot < standards.size(); ++slot) {
            const ActivityElementSlot& entry = working_.Elements[slot];
            const int was = before.slotOf(entry.Element);
            standards[slot] = entry.isEmpty() ? 0.0F : was >= 0 ? old[size_t(was)] : entry.Standard;
        }
    }

    // The frame's element list: the selected ones; a newly added element is shown at once.
    const int shown =
        currentSlot() >= 0 ? int(frameElement_->itemData(frameElement_->listIndex())) : 0;
    int show = shown;
    for (long long element : chosen) {
        if (before.slotOf(int(element)) < 0) {
            show = int(element);
        }
    }
    loading_ = true;
    frameElement_->clear();
    for (long long element : chosen) {
        frameElement_->addItem(elementName(int(element)), element);
    }
    loading_ = false;
    const int index = frameElement_->findData(show);
    frameElement_->setListIndex(index >= 0 ? index : (frameElement_->listCount() > 0 ? 0 : -1));
    showElementSlot(currentSlot());
    fillElementsGrid();
    fillAllocationsGrid();
    fillDataFieldsGrid();
    refreshHistoricalLabel();
}

// Fills the element frame with one slot's settings (an empty frame when none is selected).
void frmActivity::showElementSlot(int slot) {
    if (loading_) {
        return;
    }
    loading_ = true;
    const bool present = slot >= 0;
    const ActivityElementSlot entry =
        present ? working_.Elements[size_t(slot)] : ActivityElementSlot{};
    elementStandard_->setValue(present ? displayedStandard(entry.Standard, standardDisplay())
                                       : 0.0);
    elementLimit_[0]->setValue(entry.LowerLimit);
    elementLimit_[1]->setValue(entry.UpperLimit);
    useUnits_->setChecked(entry.UseUnits);
    overrideLookup_->setChecked(entry.Override);
    occurrence_->setChecked(entry.Occurrence);
    historicalElementSwitch_->setChecked(entry.Historical);
    exceed_->setChecked(entry.Exceed);
    useStandardElement_->setChecked(entry.UseStdElement);
    for (Control* control : std::initializer_list<Control*>{
             elementStandard_, elementLimit_[0], elementLimit_[1], useUnits_, overrideLookup_,
             occurrence_, exceed_, useStandardElement_}) {
        control->setEnabled(present);
    }
    // The time-of-use note names the activity's standard-type element.
    QString standardElement;
    for (const ActivityElementSlot& other : working_.Elements) {
        if (!other.isEmpty() && other.Element <= elementTable().recordCount() &&
            elementTable().record(other.Element).EntryType == ElementRecord::Standard) {
            standardElement = elementName(other.Element);
            break;
        }
    }
    standardElementNote_->setCaption(
        QStringLiteral("Standard for this element will be entered into element: ") +
        standardElement);
    standardElementNote_->setVisible(entry.UseStdElement && !standardElement.isEmpty());
    historicalElementSwitch_->setEnabled(present && historical_->checked());
    loading_ = false;
}

void frmActivity::elementStandardChanged() {
    const int slot = currentSlot();
    if (loading_ || slot < 0) {
        return;
    }
    const float standard = storedStandard(elementStandard_->value(), standardDisplay());
    working_.Elements[size_t(slot)].Standard = standard;
    if (sameStandards_->checked()) {
        for (auto& [allocation, standards] : working_.AllocationStandards) {
            standards[size_t(slot)] = standard;
        }
    }
    showElementSlot(slot);
    fillElementsGrid();
    fillAllocationsGrid();
}

// A person changed a value of the element frame: the slot takes it. Only one element can be
// the base of the historical standard.
void frmActivity::elementFrameChanged() {
    const int slot = currentSlot();
    if (loading_ || slot < 0) {
        return;
    }
    ActivityElementSlot& entry = working_.Elements[size_t(slot)];
    entry.LowerLimit = float(elementLimit_[0]->value());
    entry.UpperLimit = float(elementLimit_[1]->value());
    entry.UseUnits = useUnits_->checked();
    entry.Override = overrideLookup_->checked();
    entry.Occurrence = occurrence_->checked();
    entry.Exceed = exceed_->checked();
    entry.UseStdElement = useStandardElement_->checked();
    entry.Historical = historicalElementSwitch_->checked();
    if (entry.Historical) {
        for (size_t other = 0; other < working_.Elements.size(); ++other) {
            working_.Elements[other].Historical = int(other) == slot;
        }
    }
    showElementSlot(slot);
    fillElementsGrid();
    refreshHistoricalLabel();
}

void frmActivity::fillElementsGrid() {
    const StandardDisplay display = standardDisplay();
    const int count = working_.elementCount();
    elementGrid_->setSize(count + 1, 9);
    elementGrid_->headings({QStringLiteral("#"), QStringLiteral("Element"),
                            QStringLiteral("Standard ") + unitCaption(display),
                            QStringLiteral("Units for Activity"), QStringLiteral("Override Lookup"),
                            QStringLiteral("Occurrence"), QStringLiteral("Historical"),
                            QStringLiteral("Lower Limit"), QStringLiteral("Upper Limit")});
    for (int col = 0; col < elementGrid_->cols(); ++col) {
        elementGrid_->columnWidth(col,
                                  std::max(4, int(elementGrid_->textMatrix(0, col).size()) + 2));
    }
    elementGrid_->columnWidth(1, 24);
    const auto yesNo = [](bool on) { return on ? QStringLiteral("Yes") : QStringLiteral("No"); };
    int row = 1;
    for (const ActivityElementSlot& slot : working_.Elements) {
        if (slot.isEmpty()) {
            continue;
        }
        const QStringList cells{QString::number(row),
                                elementName(slot.Element),
                                standardText(slot.Standard, display),
                                yesNo(slot.UseUnits),
                                yesNo(slot.Override),
                                yesNo(slot.Occurrence),
                                yesNo(slot.Historical),
                                QString::number(slot.LowerLimit),
                                QString::number(slot.UpperLimit)};
        for (int col = 0; col < cells.size(); ++col) {
            elementGrid_->setTextMatrix(row, col, cells[col]);
        }
        ++row;
    }
}

// Switches between the frame of one element and the grid of all of them.
void frmActivity::toggleElementsGrid() {
    showingElementGrid_ = !showingElementGrid_;
    elementGrid_->setVisible(showingElementGrid_);
    elementFrame_->setVisible(!showingElementGrid_);
    elements_->setVisible(!showingElementGrid_);
    elementGridToggle_->setCaption(showingElementGrid_
                                       ? QStringLiteral("&Return to Element Setup")
                                       : QStringLiteral("&Show All Elements' Settings"));
    if (showingElementGrid_) {
        fillElementsGrid();
    }
}

void frmActivity::refreshHistoricalLabel() {
    QString name = QStringLiteral("(None)");
    for (const ActivityElementSlot& slot : working_.Elements) {
        if (!slot.isEmpty() && slot.Historical) {
            name = elementName(slot.Element);
        }
    }
    historicalElement_->setCaption(QStringLiteral("based on element: ") + name);
}

}  // namespace vel
