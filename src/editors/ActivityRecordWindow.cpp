// frmActivity: an activity into the record window, back out of it, and written to the table.
#include "editors/frmActivity.h"

#include "data/VelmorSystem.h"
#include "data/records/ElementRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "services/NumberFormat.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DateBox.h"
#include "ui/ListSelect.h"
#include "ui/MessageBoxCodes.h"
#include "ui/NumberBox.h"
#include "ui/OptionButton.h"
#include "ui/OrderedSelect.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"

#include <QRegularExpression>

namespace vel {

namespace {

void chooseData(ComboBox& box, long long data) {
    const int index = box.findData(data);
    box.setListIndex(index >= 0 ? index : (box.listCount() > 0 ? 0 : -1));
}

long long chosenData(const ComboBox& box) {
    return box.listIndex() >= 0 ? box.itemData(box.listIndex()) : 0;
}

QString storedText(float value) {
    return FormatNumber(value, QStringLiteral("0.00#####"));
}

}  // namespace

void frmActivity::loadWindow(const ActivityRecord& record) {
    loading_ = true;
    tabs_->select(1);
    showingElementGrid_ = true;
    toggleElementsGrid();  // back to the element frame
    code_->setText(record.Code.trimmed());
    description_->setText(record.Desc.trimmed());
    chooseData(*typeOfWork_, record.TOW);
    getDocument_->setChecked(record.GetDoc);
    documentText_->setText(record.Document.trimmed());
    multipleDocuments_->setChecked(record.MultiDoc);
    lookUp_->setChecked(record.Lookup > 0);
    mustFind_->setListIndex(std::clamp(record.Lookup - 1, 0, 2));
    reuse_->setListIndex(std::clamp(record.Reuse, 0, 2));
    allocate_[size_t(std::clamp(record.Allocate, 0, 2))]->setValue(true);
    unitsInAll_->setChecked(record.UnitsinAlloc);
    unitsInTypeOfWork_->setChecked(record.UnitsinTOW);
    unitsInQuality_->setChecked(record.UnitsinQual);
    prorate_->setChecked(record.ProRateFlag);
    sameStandards_->setChecked(record.AllAllocSameStd);
    systemTracked_->setChecked(record.SystemTracked);

    // Methods the system no longer allows for this record cannot be chosen.
    const QList<int> allowed = system().earnedHoursMethodsAllowed(recordNumber_);
    for (int method = 0; method < int(method_.size()); ++method) {
        method_[size_t(method)]->setEnabled(allowed.contains(method));
    }
    method_[size_t(std::clamp(record.EarnedHrsCalc, 0, 6))]->setValue(true);
    fillChoices();
    chooseData(*reflective_,
               record.EarnedHrsCalc == 6 ? record.ReflectiveGroup : record.ReflectiveWC);
    chooseData(*reflectiveTypeOfWork_, record.ReflectiveTOW);
    historical_->setChecked(record.Historical);
    historyStart_->setDate(record.HistStartDate);

    std::vector<int> chosen;
    for (const ActivityElementSlot& slot : record.Elements) {
        if (slot.isEmpty()) {
            continue;
        }
        for (int index = 0; index < int(elements_->available().size()); ++index) {
            if (elements_->available()[size_t(index)].data == slot.Element) {
                chosen.push_back(index);
            }
        }
    }
    elements_->setChosen({});
    elements_->setChosen(chosen);
    for (int index = 0; index < allocations_->count(); ++index) {
        allocations_->setSelected(
            index, record.AllocationStandards.contains(int(allocations_->item(index).data)));
    }

    incentive_[0]->setChecked(!record.ExcludeFromIncentive);
    incentive_[1]->setChecked(record.Protected);
    incentive_[2]->setChecked(record.AdditivePay);
    additiveType_[size_t(std::clamp(record.AdditiveType, 0, 1))]->setValue(true);
    additiveAmount_->setValue(record.AdditiveAmount);
    chooseData(*incentiveScale_, record.IncRate);
    includeInPpa_->setChecked(!record.ExcludeFromPPA);
    xyz_[0]->setChecked(record.UseXYZ);
    xyz_[1]->setChecked(record.ReleaseMachine);
    locationCode_[0]->setText(record.StartLocCode.trimmed());
    locationCode_[1]->setText(record.EndLocCode.trimmed());
    machine_->setListIndex(std::max(0, machine_->findText(record.MachineCode.trimmed())));
    for (size_t language = 0; language < languages_.size(); ++language) {
        languages_[language]->setText(record.Lang[language].trimmed());
    }
    kiosk_->setChecked(record.Kiosk);
    kioskColor_ = record.KioskColor;
    loading_ = false;

    working_ = record;
    elementsChosen();
    captionStandards();
    fillAllocationsGrid();
    fillDataFieldsGrid();
    refreshDependentControls();
    code_->setFocus();
}

// The working copy with the activity's own settings as the controls hold them.
ActivityRecord frmActivity::windowRecord() const {
    ActivityRecord record = working_;
    record.Code = code_->text().trimmed().toUpper();
    record.Desc = description_->text();
    record.TOW = int(chosenData(*typeOfWork_));
    record.GetDoc = getDocument_->checked();
    record.Document = documentText_->text();
    record.MultiDoc = multipleDocuments_->checked();
    record.Lookup = lookUp_->checked() ? std::max(0, mustFind_->listIndex()) + 1 : 0;
    record.Reuse = std::max(0, reuse_->listIndex());
    record.Allocate = std::max(0, selectedOption(*this, QStringLiteral("optAllocation")));
    record.UnitsinAlloc = unitsInAll_->checked();
    record.UnitsinTOW = unitsInTypeOfWork_->checked();
    record.UnitsinQual = unitsInQuality_->checked();
    record.ProRateFlag = prorate_->checked();
    record.AllAllocSameStd = sameStandards_->checked();
    record.SystemTracked = systemTracked_->checked();
    record.EarnedHrsCalc = std::max(0, selectedOption(*this, QStringLiteral("optEhrs")));
    const int reference = int(chosenData(*reflective_));
    record.ReflectiveWC = record.EarnedHrsCalc == 5 ? reference : 0;
    record.ReflectiveGroup = record.EarnedHrsCalc == 6 ? reference : 0;
    record.ReflectiveTOW = record.EarnedHrsCalc >= 3 ? int(chosenData(*reflectiveTypeOfWork_)) : 0;
    record.Historical = historical_->checked();
    record.HistStartDate = historyStart_->date();
    record.ExcludeFromIncentive = !incentive_[0]->checked();
    record.Protected = incentive_[1]->checked();
    record.AdditivePay = incentive_[2]->checked();
    record.AdditiveType = additiveType_[1]->value() ? 1 : 0;
    record.AdditiveAmount = additiveAmount_->value();
    record.IncRate = int(chosenData(*incentiveScale_));
    record.ExcludeFromPPA = !includeInPpa_->checked();
    record.UseXYZ = xyz_[0]->checked();
    record.ReleaseMachine = xyz_[1]->checked();
    record.StartLocCode = locationCode_[0]->text().trimmed();
    record.EndLocCode = locationCode_[1]->text().trimmed();
    record.MachineCode = machine_->text().trimmed();
    for (size_t language = 0; language < languages_.size(); ++language) {
        record.Lang[language] = languages_[language]->text();
    }
    record.Kiosk = kiosk_->checked();
    record.KioskColor = kioskColor_;
    return record;
}

// The names of the changed settings: the activity's own by their names, the element slots once
// per kind of change, each changed standard as "StdTime=" and each changed units switch as
// "ActUnits=" with the old value after " was ", and "Allocations" for the allocation standards.
QStringList frmActivity::changedSettings(const ActivityRecord& before,
                                         const ActivityRecord& after) const {
    static const QRegularExpression slotField(
        QStringLiteral("^(Element|Standard|LowerLimit|UpperLimit|Switches|UnitsField)\\d+$"));
    static const QStringList bookkeeping{
        QStringLiteral("FldHoursto"), QStringLiteral("FldEarnedto"), QStringLiteral("FldCostto")};
    QStringList names;
    for (const QString& name : changedFields(before, after)) {
        const auto match = slotField.match(name);
        if (bookkeeping.contains(name) ||
            (match.hasMatch() && match.captured(1) != "Element" &&
             match.captured(1) != "LowerLimit" && match.captured(1) != "UpperLimit")) {
            continue;  // standards and switches are named per element below
        }
        const QString shown = match.hasMatch() ? match.captured(1) : name;
        if (!names.contains(shown)) {
            names << shown;
        }
    }
    for (const ActivityElementSlot& slot : after.Elements) {
        const int old = before.slotOf(slot.Element);
        if (slot.isEmpty() || old < 0) {
            continue;
        }
        const ActivityElementSlot& was = before.Elements[size_t(old)];
        const QString element = elementName(slot.Element);
        if (was.Standard != slot.Standard) {
            names << element + QStringLiteral(" StdTime=") + storedText(slot.Standard) +
                         QStringLiteral(" was ") + storedText(was.Standard);
        }
        if (was.UseUnits != slot.UseUnits) {
            names << element + QStringLiteral(" ActUnits=") +
                         (slot.UseUnits ? QStringLiteral("T") : QStringLiteral("F")) +
                         QStringLiteral(" was ") +
                         (was.UseUnits ? QStringLiteral("T") : QStringLiteral("F"));
        }
    }
    if (before.AllocationStandards != after.AllocationStandards) {
        names << QStringLiteral("Allocations");
    }
    return names;
}

// Takes and frees the planned data fields, stores the record and logs the change.
void frmActivity::writeRecord(int number, RecordMode mode) {
    system().StatusText(QStringLiteral("Saving Activity and Standards Settings..."));
    ActivityRecord after = windowRecord();
    const std::vector<PlannedField> plan = plannedFields();
    // Fields no longer needed are freed first, so that the new ones can take them.
    for (const PlannedField& field : plan) {
        if (field.released) {
            system().releaseDataField(field.number);
        }
    }
    for (const PlannedField& field : plan) {
        int assigned = field.number;
        if (field.released) {
            continue;
        }
        if (assigned == 0) {
            assigned = system().assignDataField(field.description);
        }
        if (field.element != 0) {
            after.Elements[size_t(after.slotOf(field.element))].UnitsField = assigned;
        } else if (field.typeOfData == QStringLiteral("Actual Hours")) {
            after.FldHoursto = assigned;
        } else if (field.typeOfData == QStringLiteral("Earned Hours")) {
            after.FldEarnedto = assigned;
        } else {
            after.FldCostto = assigned;
        }
    }
    if (after.EarnedHrsCalc == 0) {
        after.FldEarnedto = 0;
    }
    if (!system().features().costTracking) {
        after.FldCostto = 0;
    }
    system().activities().setRecord(number, after);
    const QString action = mode == RecordMode::Add    ? QStringLiteral("Add")
                           : mode == RecordMode::Copy ? QStringLiteral("Copy")
                                                      : QStringLiteral("Edit");
    recordWritten(number, action, changedSettings(stored_, after));
    system().StatusDone();
}

// The corporate activity's settings, elements and allocations, for a new code at this site.
void frmActivity::loadCorporateActivity(int corporateNumber) {
    system().StatusText(QStringLiteral("Reading Allocation Settings"));
    const ActivityRecord corporate = system().corporateActivities().record(corporateNumber);
    ActivityRecord local = corporate;
    local.FldHoursto = local.FldEarnedto = local.FldCostto = 0;
    // Types of work and elements are matched by code and description, not by number.
    local.TOW = 0;
    if (corporate.TOW > 0) {
        const QString code = system().corporateTypesOfWork().code(corporate.TOW).trimmed();
        local.TOW = system().typesOfWork().find(code);
        if (local.TOW == 0) {
            message(QStringLiteral("The Type of Work: ") + code +
                        QStringLiteral(" is defined on the Corporate Activity but is not "
                                       "configured at this site."),
                    MB_ICONEXCLAMATION);
        }
    }
    for (size_t slot = 0; slot < corporate.Elements.size(); ++slot) {
        ActivityElementSlot& entry = local.Elements[slot];
        entry.UnitsField = 0;
        if (entry.isEmpty()) {
            continue;
        }
        const QString name = system().corporateElements().code(entry.Element).trimmed();
        entry.Element = elementTable().find(name);
        if (entry.Element == 0) {
            message(QStringLiteral("The Element: ") + name +
                        QStringLiteral(" is defined on the Corporate Activity but is not "
                                       "configured at this site."),
                    MB_ICONEXCLAMATION);
            entry = ActivityElementSlot{};
        }
    }
    // The corporate copy numbers its allocations as the site does (matched by code); one the
    // site no longer has active is left out.
    std::map<int, ActivityRecord::SlotStandards> allocations;
    for (const auto& [allocation, standards] : corporate.AllocationStandards) {
        if (system().allocations().isActive(allocation)) {
            allocations[allocation] = standards;
        }
    }
    local.AllocationStandards = allocations;
    system().StatusDone();
    loadWindow(local);
}

}  // namespace vel
