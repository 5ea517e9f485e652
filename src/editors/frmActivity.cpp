// frmActivity: the editor's entry, its list and the record flows (add, copy, edit, delete, save).
#include "editors/frmActivity.h"

#include "data/ProgramObject.h"
#include "data/RecordedWork.h"
#include "data/VelmorSystem.h"
#include "data/records/AllocationRecord.h"
#include "data/records/ElementRecord.h"
#include "data/records/GroupingRecord.h"
#include "data/records/LocationRecord.h"
#include "data/records/MachineRecord.h"
#include "data/records/StandardRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "editors/ActivityCorporateFixup.h"
#include "editors/ActivityStandardsImport.h"
#include "services/ErrorReport.h"
#include "services/FileExists.h"
#include "services/IniSettings.h"
#include "services/YesNo.h"
#include "ui/ComboBox.h"
#include "ui/ListSelect.h"
#include "ui/MessageBoxCodes.h"
#include "ui/OptionButton.h"
#include "ui/OrderedSelect.h"
#include "ui/TextBox.h"

#include <QDir>
#include <map>

namespace vel {

namespace {

constexpr int TypeOfWorkActivityLimit = 300;

const char* const methodListings[] = {"None (not measured)",
                                      "Individual Standard",
                                      "Team Standard",
                                      "Past average performance",
                                      "Reflective of recorded work center",
                                      "Reflective of specified work center",
                                      "Reflective of specified group"};

// One item per active record: "CODE - Description", with the record number.
template <class Record>
void addCodeItems(ComboBox& box, Table<Record>& table) {
    for (int number = 1; number <= table.recordCount(); ++number) {
        if (table.isActive(number)) {
            const Record record = table.record(number);
            box.addItem(record.Code.trimmed() + QStringLiteral(" - ") + record.Desc.trimmed(),
                        number);
        }
    }
}

}  // namespace

bool frmActivity::corporateControl() const {
    return system().features().usesCorporateControl;
}

Table<ElementRecord>& frmActivity::elementTable() const {
    return system().elements();
}

StandardDisplay frmActivity::standardDisplay() const {
    return timeUnit_[1]->value() ? StandardDisplay::UnitsPerHour : StandardDisplay::MinutesPerUnit;
}

// --- Edit
// ------------------------------------------------------------------------------------------

bool frmActivity::Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) {
    bool shown = false;
    runEdit(QStringLiteral(" - frmActivity:Edit"), [&] {
        if (!viewOnly && !offerViewOrModify(system, QStringLiteral("A"), viewOnly)) {
            return false;
        }
        if (!beginEdit(system, system.activities(), viewOnly, QStringLiteral("A"),
                       QStringLiteral("  It may be in used by another user."))) {
            return false;
        }
        readEditorSettings();
        if (!openRelatedTables()) {
            endEdit();
            return false;
        }
        setUpList();
        list().setAllowCopy(!this->viewOnly());
        list().addColumn(QStringLiteral("Code"), 0, ListColumn::Kind::Text, 10);
        list().addColumn(QStringLiteral("Number"), 1, ListColumn::Kind::Number, 6);
        list().addColumn(QStringLiteral("Description"), 2, ListColumn::Kind::Text, 30);
        list().addColumn(QStringLiteral("Earned Hours Calculation"), 3, ListColumn::Kind::Text, 26);
        list().addColumn(QStringLiteral("Historical Std"), 4, ListColumn::Kind::Text, 13);
        list().addColumn(QStringLiteral("Type of Work"), 5, ListColumn::Kind::Text, 13);
        list().addColumn(QStringLiteral("Kiosk Entry"), 6, ListColumn::Kind::Text, 11);
        const SystemFeatures features = system.features();
        int next = 7;
        if (features.incentive) {
            list().addColumn(QStringLiteral("Incentive Rate Scale"), next++, ListColumn::Kind::Text,
                             10);
        }
        if (features.performancePolicy) {
            list().addColumn(QStringLiteral("Include in PPA"), next++, ListColumn::Kind::Text, 8);
        }
        if (features.xyz) {
            list().addColumn(QStringLiteral("XYZ"), next++, ListColumn::Kind::Text, 5);
        }
        if (!this->viewOnly()) {
            list().addActionButton(QStringLiteral("Update..."));
            if (FileExists(
                    QDir(system.Program().dataFolder()).filePath(QStringLiteral("features.fld")))) {
                list().addActionButton(QStringLiteral("Fixup CorpControl"));
            }
        }
        fillList();
        timeUnit_[timePreference_ == 1 ? 1 : 0]->setValue(true);
        showFeatureControls();
        reportActivitiesMissingFromCorporateFile();
        shown = true;
        showList(hwndOwner, true);
        endEdit();
        return true;
    });
    return shown;
}

void frmActivity::readEditorSettings() {
    IniSettings settings(system().settingsLocation());
    settings.selectSection(QStringLiteral("XYZ"));
    travelElementName_ =
        settings.readValue(QStringLiteral("TimeElement"), QStringLiteral("Travel Minutes"));
    zTravelElementName_ = settings.readValue(QStringLiteral("TimeZElement"), QString());
    settings.selectSection(QStringLiteral("Preferences"));
    timePreference_ = settings.readValue(QStringLiteral("Time"), QStringLiteral("0")).toInt();
}

// The tables the record window reads besides the activities. A failure ends the editor.
bool frmActivity::openRelatedTables() {
    const auto opened = [this](TableObject& table, const QString& failure) {
        if (table.isOpen()) {
            return true;
        }
        if (table.open()) {
            openedHere_.push_back(&table);
            return true;
        }
        message(
            (failure.isEmpty() ? QStringLiteral("Error opening the ") + table.name() : failure) +
                openFailureDetail(table),
            MB_ICONEXCLAMATION);
        return false;
    };
    VelmorSystem& sys = system();
    if (!opened(sys.elements(), {}) || !opened(sys.typesOfWork(), {}) ||
        !opened(sys.allocations(), {}) || !opened(sys.workCenters(), {}) ||
        !opened(sys.groupings(), {}) || !opened(sys.dataFields(), {}) ||
        !opened(sys.locations(), QStringLiteral("Error opening the Location Table")) ||
        !opened(sys.machines(), QStringLiteral("Error opening the Machine Table"))) {
        return false;
    }
    if (sys.features().xyz) {
        travelElement_ = elementTable().find(travelElementName_);
        zTravelElement_ =
            zTravelElementName_.trimmed().isEmpty() ? 0 : elementTable().find(zTravelElementName_);
        for (const auto& [number, name] : {std::pair{travelElement_, travelElementName_},
                                           {zTravelElement_, zTravelElementName_}}) {
            if (number == 0 && !name.trimmed().isEmpty()) {
                message(QStringLiteral("Cannot find element: ") + name +
                            QStringLiteral(".  This element is necessary for XYZ calculations.  "
                                           "Please add that element to the Element Table or change "
                                           "the Element that is to be used for XYZ travel times in "
                                           "the INI file."),
                        MB_ICONEXCLAMATION);
            }
        }
    }
    if (corporateControl() &&
        (!opened(sys.corporateActivities(),
                 QStringLiteral("Error opening the Corporate Activity Table")) ||
         !opened(sys.corporateElements(),
                 QStringLiteral("Error opening the Corporate Element Table")) ||
         !opened(sys.corporateTypesOfWork(),
                 QStringLiteral("Error opening the Corporate Type of Work Table")))) {
        return false;
    }
    fillChoices();
    return true;
}

// Closes the tables that openRelatedTables opened (unsaved data-field edits are dropped).
void frmActivity::closeRelatedTables() {
    for (TableObject* table : openedHere_) {
        if (table->hasEdits()) {
            table->cancel();
        }
        table->close();
    }
    openedHere_.clear();
}

// The record window's lists of other tables: types of work, elements, allocations, machines.
void frmActivity::fillChoices() {
    VelmorSystem& sys = system();
    const bool wasLoading = loading_;
    loading_ = true;
    if (typeOfWork_->listCount() == 0) {
        typeOfWork_->addItem(QStringLiteral("(None)"), 0);
        reflectiveTypeOfWork_->addItem(QStringLiteral("(All Types of Work)"), 0);
        addCodeItems(*typeOfWork_, sys.typesOfWork());
        addCodeItems(*reflectiveTypeOfWork_, sys.typesOfWork());
        for (int number = 1; number <= elementTable().recordCount(); ++number) {
            if (elementTable().isActive(number)) {
                elements_->addAvailable(elementTable().record(number).Desc.trimmed(), number);
            }
        }
        for (int number = 1; number <= sys.allocations().recordCount(); ++number) {
            if (sys.allocations().isActive(number)) {
                allocations_->addItem(allocationName(number), number);
            }
        }
        machine_->addItem(QString(), 0);
        for (int number = 1; number <= sys.machines().recordCount(); ++number) {
            if (sys.machines().isActive(number)) {
                machine_->addItem(sys.machines().record(number).Code.trimmed(), number);
            }
        }
    }
    // The reflective reference: work centers for method 5, groups for method 6.
    const int method = selectedOption(*this, QStringLiteral("optEhrs"));
    if (reflectiveMethod_ != method) {
        reflectiveMethod_ = method;
        reflective_->clear();
        if (method == 5) {
            addCodeItems(*reflective_, sys.workCenters());
        } else if (method == 6) {
            addCodeItems(*reflective_, sys.groupings());
        }
    }
    loading_ = wasLoading;
}

void frmActivity::reportActivitiesMissingFromCorporateFile() {
    if (!corporateControl()) {
        return;
    }
    QStringList missing;
    auto& corporate = system().corporateActivities();
    for (int number = 1; number <= table().recordCount(); ++number) {
        if (table().isActive(number) && corporate.find(table().code(number)) == 0) {
            missing << table().code(number).trimmed();
        }
    }
    if (!missing.isEmpty()) {
        message(
            QStringLiteral("The following Activities are in this local system, but are not in "
                           "the Corporate Control file:\n") +
                missing.join(QStringLiteral(", ")) +
                QStringLiteral("\nPrint the Corporate Control Audit Listing for more information."),
            MB_ICONEXCLAMATION);
    }
}

// --- list lines and the printed listing
// ------------------------------------------------------------

QStringList frmActivity::lineTexts(int number) const {
    const ActivityRecord activity = system().activities().record(number);
    const int method = std::clamp(activity.EarnedHrsCalc, 0, 6);
    auto& types = system().typesOfWork();
    QStringList texts{activity.Code.trimmed(),
                      activity.Desc.trimmed(),
                      QString::fromLatin1(methodListings[method]),
                      yesNo(activity.Historical),
                      activity.TOW > 0 && activity.TOW <= types.recordCount()
                          ? types.code(activity.TOW).trimmed()
                          : QString(),
                      yesNo(activity.Kiosk)};
    const SystemFeatures features = system().features();
    if (features.incentive) {
        texts << (activity.IncRate > 0 ? QString::number(activity.IncRate) : QString());
    }
    if (features.performancePolicy) {
        texts << yesNo(!activity.ExcludeFromPPA);
    }
    if (features.xyz) {
        texts << yesNo(activity.UseXYZ);
    }
    return texts;
}

std::vector<PrintColumn> frmActivity::printColumns() const {
    return {{QStringLiteral("Number"), 6},
            {QStringLiteral("Code"), 10},
            {QStringLiteral("Description"), 30},
            {QStringLiteral("Earned Hours Calculation"), 36},
            {QStringLiteral("Type of Work"), 10}};
}

QStringList frmActivity::printCells(int number) const {
    const QStringList line = lineTexts(number);
    return {QString::number(number), line.value(0), line.value(1), line.value(2), line.value(4)};
}

// --- the list's events
// ------------------------------------------------------------------------------

void frmActivity::EditForm_AddRec() {
    if (const int number = freeRecordOrRefuse()) {
        ActivityRecord start;
        start.EarnedHrsCalc = 1;
        start.UnitsinAlloc = true;
        recordLoop(number, RecordMode::Add, start);
    }
}

void frmActivity::EditForm_CopyRec() {
    const int source = list().selectedRecord();
    if (source == 0) {
        return;
    }
    const int number = table().freeRecord();
    if (number == 0) {
        message(QStringLiteral("Cannot copy any Activities, the maximum of ") +
                    QString::number(table().maximum()) + QStringLiteral(" has been reached"),
                MB_ICONEXCLAMATION);
        return;
    }
    ActivityRecord copy = system().activities().record(source);
    copy.Code.clear();
    copy.Desc = copy.Desc.trimmed() + QStringLiteral("(Copy)");
    // The copy posts to data fields of its own, planned afresh.
    copy.FldHoursto = copy.FldEarnedto = copy.FldCostto = 0;
    for (ActivityElementSlot& slot : copy.Elements) {
        slot.UnitsField = 0;
    }
    recordLoop(number, RecordMode::Copy, copy);
}

void frmActivity::EditForm_EditRec(int number) {
    recordLoop(number, viewOnly() ? RecordMode::View : RecordMode::Edit,
               system().activities().record(number));
}

void frmActivity::recordLoop(int number, RecordMode mode, const ActivityRecord& start) {
    mode_ = mode;
    recordNumber_ = number;
    const bool existing = mode == RecordMode::Edit || mode == RecordMode::View;
    stored_ = existing ? system().activities().record(number) : ActivityRecord{};
    working_ = start;
    loadWindow(working_);
    QString caption;
    switch (mode) {
        case RecordMode::Add:
            caption = QStringLiteral("Add Activity Record: ") + QString::number(number);
            break;
        case RecordMode::Copy:
            caption = QStringLiteral("Copy an Activity Record");
            break;
        case RecordMode::Edit:
            caption = QStringLiteral("Edit Activity Record: ") + QString::number(number);
            break;
        case RecordMode::View:
            caption = QStringLiteral("View Activity Record: ") + QString::number(number);
            break;
    }
    while (showRecord(caption)) {
        if (refusedAsBlank(*code_) || refusedAsBlank(*description_)) {
            continue;
        }
        if (!existing && !acceptedAsNewCode(number)) {
            continue;
        }
        if (takenByAnother(code_->text(), number)) {
            message(QStringLiteral("Activity Code is not unique"), MB_ICONEXCLAMATION);
            continue;
        }
        if (descriptionTaken(number)) {
            message(QStringLiteral("Activity Description is not unique"), MB_ICONEXCLAMATION);
            continue;
        }
        if (!VerifyFields(number)) {
            continue;
        }
        writeRecord(number, mode);
        return;
    }
}

// Whether another active activity has the window's description (trimmed).
bool frmActivity::descriptionTaken(int number) const {
    auto& activities = system().activities();
    const QString wanted = description_->text().trimmed();
    for (int other = 1; other <= activities.recordCount(); ++other) {
        if (other != number && activities.isActive(other) &&
            activities.record(other).Desc.trimmed() == wanted) {
            return true;
        }
    }
    return false;
}

// A code entered on a new record is checked against the corporate file at once; a refused code
// keeps the focus. OK checks it again, for a code that was never left.
void frmActivity::newCodeEntered() {
    if (mode_ != RecordMode::Add && mode_ != RecordMode::Copy) {
        return;
    }
    const QString asked = working_.Code;
    if (!acceptedAsNewCode(recordNumber_) && working_.Code == asked) {
        code_->setFocus();
    }
}

// A new code with corporate control in force must come from the corporate file; the person may
// take the corporate activity's settings (the window then shows them again).
bool frmActivity::acceptedAsNewCode(int number) {
    if (!corporateControl()) {
        return true;
    }
    const QString code = code_->text().trimmed();
    const int local = table().find(code);
    if (local != 0 && local != number) {
        message(QStringLiteral("This code is already active at this site.  It cannot be Added."),
                MB_ICONEXCLAMATION);
        return false;
    }
    const int corporate = system().corporateActivities().find(code);
    if (corporate == 0) {
        message(code + QStringLiteral(" is not valid in the Corporate Control File"),
                MB_ICONEXCLAMATION);
        return false;
    }
    if (working_.Code.trimmed() == code) {
        return true;  // asked already for this code
    }
    working_.Code = code;
    if (message(QStringLiteral("This is a new Activity at this site.  Do you wish to configure it "
                               "the same way as is configured in the Corporate system?"),
                MB_YESNO | MB_ICONQUESTION) == IDYES) {
        loadCorporateActivity(corporate);
        return false;
    }
    return true;
}

void frmActivity::EditForm_DeleteRec(int number) {
    const QString kind = QStringLiteral("Activity");
    if (holdingDeletedData_.contains(number)) {
        message(QStringLiteral("Cannot Delete the ") + kind +
                    QStringLiteral(" it is holding the data for a deleted ") + kind,
                MB_ICONEXCLAMATION);
        return;
    }
    if (corporateControl() && system().corporateActivities().find(table().code(number)) != 0 &&
        message(QStringLiteral("The Activity is active in the Corporate Control File. Are you sure "
                               "you want to delete it from the local system?"),
                MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    const QString where = table().usedOn(number);
    if (!where.isEmpty()) {
        message(QStringLiteral("Cannot delete the Activity selected.  It is used on a") + where +
                    QStringLiteral("."),
                MB_ICONINFORMATION);
        return;
    }
    auto& activities = system().activities();
    const bool measured = activities.record(number).EarnedHrsCalc != 0;
    const ActivityRecord removed = activities.record(number);
    const int confirmStyle = MB_OKCANCEL | MB_ICONQUESTION;
    int target = -1;
    if (hasRecordedData(number)) {
        target = deleteThroughDialog(
            number,
            [&](int other) { return (activities.record(other).EarnedHrsCalc != 0) == measured; },
            confirmStyle);
    } else if (confirmAndRemove(number, 0, confirmStyle)) {
        target = 0;
    }
    if (target > 0) {
        holdingDeletedData_.insert(target);
    }
    if (target >= 0) {
        // The deleted activity's data fields go back to the pool.
        for (int field : {removed.FldHoursto, removed.FldEarnedto, removed.FldCostto}) {
            if (field > 0) {
                system().releaseDataField(field);
            }
        }
        for (const ActivityElementSlot& slot : removed.Elements) {
            if (slot.UnitsField > 0) {
                system().releaseDataField(slot.UnitsField);
            }
        }
    }
}

// Whether work was recorded on the activity (in closed weeks: open ones refuse the delete).
bool frmActivity::hasRecordedData(int number) {
    RecordedWork& work = system().recordedWork();
    const QDate first = work.firstDate();
    if (!first.isValid()) {
        return false;
    }
    WorkSelection selection;
    selection.activity = number;
    return !work.figures(AccountLevel::System, first, work.lastDate(), selection, false).empty();
}

// More than 300 activities of one type of work asks before the table is saved.
bool frmActivity::typeOfWorkCountsAccepted() {
    std::map<int, int> counts;
    auto& activities = system().activities();
    for (int number = 1; number <= activities.recordCount(); ++number) {
        if (activities.isActive(number)) {
            ++counts[activities.record(number).TOW];
        }
    }
    auto& types = system().typesOfWork();
    for (const auto& [type, count] : counts) {
        if (count <= TypeOfWorkActivityLimit) {
            continue;
        }
        const QString name = type > 0 && type <= types.recordCount()
                                 ? types.record(type).Desc.trimmed()
                                 : QStringLiteral("No Type of Work");
        if (message(
                QStringLiteral("There are ") + QString::number(count) +
                    QStringLiteral(" Activities assigned to the ") + name +
                    QStringLiteral(" Type of Work.  Are you sure you want to save the file?  "
                                   "This will cause problems with the Activity Detail Reports."),
                MB_YESNO | MB_ICONQUESTION) != IDYES) {
            return false;
        }
    }
    return true;
}

// The activity table (with its standards) and the data fields the saved records took or freed.
bool frmActivity::saveActivityTables() {
    bool saved = false;
    MasterTableEditor::EditForm_EditSave(saved);
    if (saved && system().dataFields().hasEdits() && !system().dataFields().save()) {
        message(QStringLiteral("Could not save the ") + system().dataFields().name() +
                    QStringLiteral(" Table.  ") + system().dataFields().lastError(),
                MB_ICONCRITICAL);
        return false;
    }
    if (saved) {
        holdingDeletedData_.clear();
    }
    return saved;
}

void frmActivity::EditForm_EditSave(bool& success) {
    if (table().activeCount() > 0 && !typeOfWorkCountsAccepted()) {
        success = false;
        return;
    }
    success = saveActivityTables();
}

void frmActivity::EditForm_EditCancel(bool& close) {
    close = true;
    if (!list().changed()) {
        MasterTableEditor::EditForm_EditCancel(close);
        system().dataFields().cancel();
        return;
    }
    if (table().activeCount() > 0 && !typeOfWorkCountsAccepted()) {
        close = false;
        return;
    }
    close = saveActivityTables();
}

void frmActivity::EditForm_ActionButton(int index) {
    if (index == 1) {
        ActivityStandardsImport job(system());
        if (job.run()) {
            list().markChanged();
        }
    } else if (index == 2) {
        ActivityCorporateFixup fixup(system());
        if (fixup.run()) {
            list().markChanged();
        }
    }
}

}  // namespace vel
