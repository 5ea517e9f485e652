// frmActivity's checks on OK (VerifyFields): eleven rules in order; the first that fails shows
// its message, brings its tab forward with the focus on its field, and keeps the window open.
#include "editors/frmActivity.h"

#include "data/VelmorSystem.h"
#include "data/records/AllocationRecord.h"
#include "data/records/ElementRecord.h"
#include "editors/dlgYesToAll.h"
#include "services/ErrorReport.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/ListSelect.h"
#include "ui/MessageBoxCodes.h"
#include "ui/NumberBox.h"
#include "ui/OptionButton.h"
#include "ui/OrderedSelect.h"
#include "ui/TextBox.h"

#include <set>

namespace vel {

bool frmActivity::ask(const QString& prompt, int style) {
    return message(prompt, style) == IDYES;
}

void frmActivity::focusOn(Control& control) {
    setFocus(control);
}

bool frmActivity::VerifyFields(int number) {
    bool passed = false;
    return guarded(QStringLiteral(" - frmActivity:VerifyFields"), passed, [&] {
        system().StatusText(QStringLiteral("Verifying Selections ..."));
        working_ = windowRecord();
        passed = verifyRequiredAndMethod(number) && verifyStandards() &&
                 verifyAllocations(number) && verifyLimits() && verifyXyz() &&
                 verifyRemovedElements() && verifyCorporateRules() && CheckFieldsNeeded();
        system().StatusDone();
    });
}

// Rules 1 to 4: code and description filled, a historical base element, the questions about an
// unmeasured activity and a measured one without elements.
bool frmActivity::verifyRequiredAndMethod(int number) {
    if (refusedAsBlank(*code_) || refusedAsBlank(*description_)) {
        return false;
    }
    if (working_.Historical &&
        std::ranges::none_of(working_.Elements, [](const ActivityElementSlot& slot) {
            return !slot.isEmpty() && slot.Historical;
        })) {
        message(QStringLiteral("You have selected to use Historical standards.  You must also "
                               "select an element to use as the basis for the standard."),
                MB_ICONEXCLAMATION);
        focusOn(*historical_);
        return false;
    }
    const QList<int> allowed = system().earnedHoursMethodsAllowed(number);
    const bool methodOpen = std::ranges::any_of(allowed, [](int method) { return method != 0; });
    if (working_.EarnedHrsCalc == 0 && methodOpen &&
        !ask(
            QStringLiteral("The Earned Hours calculation is set as None.\nIf saved now, the Earned "
                           "Hours setting cannot be changed.  The activity will always be "
                           "unmeasured.  OK to save?"),
            MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2)) {
        focusOn(*method_[0]);
        return false;
    }
    const bool measured = working_.EarnedHrsCalc == 1 || working_.EarnedHrsCalc == 2;
    if (measured && working_.elementCount() == 0 &&
        !ask(QStringLiteral("Since this activity is measured, you should have at least one element "
                            "active.  OK to save?"),
             MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2)) {
        focusOn(*elements_);
        return false;
    }
    return true;
}

// Rule 5: a measured activity's elements (and, with standards per allocation, each allocation's)
// without a standard are asked about one by one; a team activity needs one non-zero standard.
bool frmActivity::verifyStandards() {
    const bool measured = working_.EarnedHrsCalc == 1 || working_.EarnedHrsCalc == 2;
    if (!measured || working_.Historical) {
        return true;
    }
    dlgYesToAll question(caption());
    bool askMore = true;
    const auto accepted = [&](const QString& prompt) {
        if (!askMore) {
            return true;
        }
        const auto answer = question.Ask(prompt, 0);
        askMore = answer == dlgYesToAll::Yes;
        return answer != dlgYesToAll::No;
    };
    bool anyStandard = false;
    for (const ActivityElementSlot& slot : working_.Elements) {
        if (slot.isEmpty()) {
            continue;
        }
        anyStandard = anyStandard || slot.Standard > 0;
        if (slot.Standard <= 0 &&
            !accepted(QStringLiteral("Element: ") + elementName(slot.Element) +
                      QStringLiteral(" on this activity does not have a standard.  OK to save?"))) {
            focusOn(*elements_);
            return false;
        }
    }
    if (working_.EarnedHrsCalc == 2 && !anyStandard) {
        message(QStringLiteral("You have selected that this is a Team Activity.  A Team Activity "
                               "must have at least one Element with a non-zero standard."),
                MB_ICONEXCLAMATION);
        focusOn(*elements_);
        return false;
    }
    if (working_.AllAllocSameStd) {
        return true;
    }
    for (const auto& [allocation, standards] : working_.AllocationStandards) {
        for (size_t slot = 0; slot < standards.size(); ++slot) {
            const ActivityElementSlot& entry = working_.Elements[slot];
            if (!entry.isEmpty() && standards[slot] <= 0 &&
                !accepted(QStringLiteral("Element: ") + elementName(entry.Element) +
                          QStringLiteral(" on Allocation: ") +
                          system().allocations().code(allocation).trimmed() +
                          QStringLiteral(" does not have a standard.  OK to save?"))) {
                focusOn(*allocations_);
                return false;
            }
        }
    }
    return true;
}

// Rule 6: the data-field plan, an allocation when always allocating, and no allocation removed
// that production sheets record with this activity.
bool frmActivity::verifyAllocations(int number) {
    fillDataFieldsGrid();
    if (working_.Allocate == 2 && working_.AllocationStandards.empty()) {
        message(QStringLiteral("You must have at least one allocation active.  You have selected "
                               "the option to always allocate."),
                MB_ICONEXCLAMATION);
        focusOn(*allocations_);
        return false;
    }
    for (const auto& [allocation, standards] : stored_.AllocationStandards) {
        if (!working_.AllocationStandards.contains(allocation) &&
            system().allocationUsedWithActivity(number, allocation)) {
            message(QStringLiteral("You have removed an Allocation that is used with this Activity "
                                   "on a production sheet"),
                    MB_ICONEXCLAMATION);
            focusOn(*allocations_);
            return false;
        }
    }
    return true;
}

// Rule 7: no element's upper limit below its lower limit (equal limits pass).
bool frmActivity::verifyLimits() {
    for (const ActivityElementSlot& slot : working_.Elements) {
        if (!slot.isEmpty() && slot.UpperLimit < slot.LowerLimit) {
            const int index = frameElement_->findData(slot.Element);
            frameElement_->setListIndex(index);
            message(QStringLiteral("The Element's Maximum value must be greater than it's Minimum "
                                   "value."),
                    MB_ICONEXCLAMATION);
            focusOn(*elementLimit_[1]);
            return false;
        }
    }
    return true;
}

// Rule 8: with XYZ travel, known location and machine codes, the travel-time element on the
// activity at 60 units per hour, and the questions about unusual combinations.
bool frmActivity::verifyXyz() {
    if (!working_.UseXYZ) {
        return true;
    }
    for (size_t index = 0; index < locationCode_.size(); ++index) {
        const QString code = locationCode_[index]->text().trimmed();
        if (!code.isEmpty() && system().locations().find(code) == 0) {
            message(QStringLiteral("Location Code: ") + code + QStringLiteral(" does not exist."),
                    MB_ICONEXCLAMATION);
            focusOn(*locationCode_[index]);
            return false;
        }
    }
    if (!working_.MachineCode.isEmpty() && system().machines().find(working_.MachineCode) == 0) {
        message(QStringLiteral("Machine Code: ") + working_.MachineCode +
                    QStringLiteral(" does not exist."),
                MB_ICONEXCLAMATION);
        focusOn(*machine_);
        return false;
    }
    if (travelElement_ != 0 && working_.slotOf(travelElement_) < 0) {
        message(
            QStringLiteral("The element: ") + travelElementName_ +
                QStringLiteral(" must be active on this Activity, since you have selected to "
                               "use XYZ calculations.  Please add that Element, and then resave."),
            MB_ICONEXCLAMATION);
        focusOn(*elements_);
        return false;
    }
    const QString sixty = QString::number(displayedStandard(60.0, standardDisplay()));
    for (const auto& [element, prompt] :
         {std::pair{travelElement_,
                    QStringLiteral("The Standard for the Travel Time Element is not equal to ")},
          {zTravelElement_,
           QStringLiteral("The Standard for the Z Travel Time Element is not equal to ")}}) {
        const int slot = working_.slotOf(element);
        if (element != 0 && slot >= 0 && working_.Elements[size_t(slot)].Standard != 60.0F &&
            !ask(prompt + sixty + QStringLiteral(", do you wish to continue?"),
                 MB_YESNO | MB_ICONQUESTION)) {
            focusOn(*elements_);
            return false;
        }
    }
    if (working_.Historical &&
        !ask(QStringLiteral("You have selected both Historical and XYZ calculations for the "
                            "standard calculations.  These are most likely incompatible, do you "
                            "wish to continue?"),
             MB_YESNO | MB_ICONQUESTION)) {
        focusOn(*xyz_[0]);
        return false;
    }
    return true;
}

// Rule 9: without corporate control, removing an element that holds data fields is asked about;
// Yes keeps the element on the activity and the window open.
bool frmActivity::verifyRemovedElements() {
    if (corporateControl()) {
        return true;
    }
    for (const ActivityElementSlot& slot : stored_.Elements) {
        if (slot.isEmpty() || slot.UnitsField == 0 || working_.slotOf(slot.Element) >= 0) {
            continue;
        }
        if (ask(QStringLiteral("Element: ") + elementName(slot.Element) +
                    QStringLiteral(" is active on this Activity and has datafields assigned.  Are "
                                   "you sure you want to remove it from this Activity."),
                MB_YESNO | MB_ICONQUESTION)) {
            const int index = elements_->findAvailable(elementName(slot.Element));
            elements_->add(index);
            focusOn(*elements_);
            return false;
        }
    }
    return true;
}

// Rule 10: with corporate control, the activity, its measurement kind and its elements as the
// corporate control file has them.
bool frmActivity::verifyCorporateRules() {
    if (!corporateControl()) {
        return true;
    }
    auto& corporateActivities = system().corporateActivities();
    const int corporate = corporateActivities.find(working_.Code);
    if (corporate == 0) {
        message(working_.Code + QStringLiteral(" is not valid in the Corporate Control File"),
                MB_ICONEXCLAMATION);
        focusOn(*code_);
        return false;
    }
    const ActivityRecord control = corporateActivities.record(corporate);
    if (control.EarnedHrsCalc != 0 && working_.EarnedHrsCalc == 0) {
        message(QStringLiteral("This Activity is marked as a Measured Activity in the Corporate "
                               "Control File"),
                MB_ICONEXCLAMATION);
        focusOn(*method_[0]);
        return false;
    }
    if (control.EarnedHrsCalc == 0 && working_.EarnedHrsCalc != 0) {
        message(QStringLiteral("This Activity is marked as a UnMeasured Activity in the Corporate "
                               "Control File"),
                MB_ICONEXCLAMATION);
        focusOn(*method_[0]);
        return false;
    }
    // Elements compare by description: the corporate file numbers its elements its own way.
    std::set<QString> corporateElements;
    for (const ActivityElementSlot& slot : control.Elements) {
        if (!slot.isEmpty()) {
            corporateElements.insert(system().corporateElements().code(slot.Element).trimmed());
        }
    }
    std::set<QString> selected;
    for (const ActivityElementSlot& slot : working_.Elements) {
        if (!slot.isEmpty()) {
            selected.insert(elementName(slot.Element));
        }
    }
    for (const QString& element : selected) {
        if (!corporateElements.contains(element)) {
            message(QStringLiteral("Element: ") + element +
                        QStringLiteral(" is not active on this Activity in the Corporate Control "
                                       "File."),
                    MB_ICONEXCLAMATION);
            focusOn(*elements_);
            return false;
        }
    }
    for (const QString& element : corporateElements) {
        if (!selected.contains(element)) {
            message(QStringLiteral("Element: ") + element +
                        QStringLiteral(" is active on this Activity in the Corporate Control File "
                                       "and cannot be deleted/removed."),
                    MB_ICONEXCLAMATION);
            focusOn(*elements_);
            return false;
        }
    }
    return true;
}

}  // namespace vel
