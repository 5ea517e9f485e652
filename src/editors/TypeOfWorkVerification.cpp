// The checks of the type-of-work window's OK, in their order, and the data fields that the
// list's save takes from the pool for the types of work written in the session.
#include "editors/frmTypeofWork.h"

#include "data/QualityDataFields.h"
#include "data/VelmorSystem.h"
#include "data/records/DataFieldRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "ui/CheckBox.h"
#include "ui/ListSelect.h"
#include "ui/MessageBoxCodes.h"
#include "ui/TextBox.h"

#include <algorithm>

namespace vel {

bool frmTypeofWork::refusedByRules(int number, const TypeOfWorkRecord& before) {
    system().StatusText(QStringLiteral("Verifying Selections ..."));
    const bool refused = refusedAsBlank(*code_) || refusedAsBlank(*description_) ||
                         refusedQualityOff(number, before) || refusedMistakeWithoutCategory() ||
                         refusedByCorporateFile();
    if (refused) {
        system().StatusDone();
        return true;
    }
    if (takenByAnother(code_->text().toUpper(), number)) {
        system().StatusDone();
        message(QStringLiteral("Type of Work Code is not unique"), MB_ICONEXCLAMATION);
        code_->setFocus();
        return true;
    }
    const bool short_ = refusedForDatafields(number);
    system().StatusDone();
    return short_;
}

// Quality turned off: refused while an activity names the type of work; otherwise asked, and
// its fields go to the users at the save.
bool frmTypeofWork::refusedQualityOff(int number, const TypeOfWorkRecord& before) {
    if (!before.TrackQuality || quality_->checked() || before.Code.trimmed().isEmpty()) {
        return false;
    }
    const QString where = types().usedOn(number).trimmed();
    if (!where.isEmpty()) {
        message(
            QStringLiteral("Cannot turn off Quality for this Type of Work.  It is used on an ") +
                where,
            MB_ICONEXCLAMATION);
        quality_->setFocus();
        return true;
    }
    if (message(QStringLiteral("You have selected to stop tracking Quality for this Type of work.  "
                               "This will make change datafields to be User-defined.  Are you sure "
                               "you want to do this?"),
                MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        quality_->setFocus();
        return true;
    }
    releasedHolders_ << qualityFieldHolder(before.Code);
    return false;
}

bool frmTypeofWork::refusedMistakeWithoutCategory() {
    if (!quality_->checked() ||
        std::ranges::any_of(categoryEnabled_, [](CheckBox* box) { return box->checked(); })) {
        return false;
    }
    const std::vector<long long> ticked = mistakes_->selectedData();
    if (ticked.empty()) {
        return false;
    }
    message(QStringLiteral("The Mistake: ") + mistakeName(int(ticked.front())) +
                QStringLiteral(" does not have any settings that allow it to be entered on Quality "
                               "Sheets."),
            MB_ICONEXCLAMATION);
    categoryEnabled_[0]->setFocus();
    return true;
}

bool frmTypeofWork::refusedByCorporateFile() {
    auto& corporate = system().corporateTypesOfWork();
    if (!system().features().usesCorporateControl || !corporate.isOpen()) {
        return false;
    }
    const QString code = code_->text().toUpper().trimmed();
    const int found = corporate.find(code);
    if (found == 0) {
        message(code + QStringLiteral(" is not valid in the Corporate Control File"),
                MB_ICONEXCLAMATION);
        code_->setFocus();
        return true;
    }
    const TypeOfWorkRecord control = corporate.record(found);
    if (control.TrackQuality != quality_->checked()) {
        message(
            control.TrackQuality
                ? QStringLiteral("This Type of Work is marked to Track Quality in the Corporate "
                                 "Control File")
                : QStringLiteral("This Type of Work is marked to NOT Track Quality in the "
                                 "Corporate Control File"),
            MB_ICONEXCLAMATION);
        quality_->setFocus();
        return true;
    }
    for (const long long mistake : mistakes_->selectedData()) {
        if (std::ranges::find(control.Mistake, int(mistake)) == control.Mistake.end()) {
            message(QStringLiteral("Mistake: ") + mistakeName(int(mistake)) +
                        QStringLiteral(" is not active on this Type of Work in the Corporate "
                                       "Control File."),
                    MB_ICONEXCLAMATION);
            mistakes_->setFocus();
            return true;
        }
    }
    return false;
}

int frmTypeofWork::fieldNumber(const QString& description) const {
    auto& fields = system().dataFields();
    for (int number = 1; number <= fields.recordCount(); ++number) {
        if (fields.isActive(number) && fields.record(number).Desc.trimmed() == description) {
            return number;
        }
    }
    return 0;
}

int frmTypeofWork::missingFieldCount(const TypeOfWorkRecord& type) const {
    int missing = 0;
    for (const QualityFieldRow& row :
         qualityFieldRows(type, [this](int mistake) { return mistakeName(mistake); })) {
        missing += fieldNumber(row.description) == 0 ? 1 : 0;
    }
    return missing;
}

// The fields this record needs and those the other records written in this session need, all
// taken at the save, against the free fields of the pool.
bool frmTypeofWork::refusedForDatafields(int number) {
    const TypeOfWorkRecord window = windowRecord(base_);
    int needed = missingFieldCount(window);
    for (const int other : edited_) {
        if (other != number && types().isActive(other)) {
            needed += missingFieldCount(types().record(other));
        }
    }
    const int available = system().freeDataFieldCount();
    if (needed <= available) {
        return false;
    }
    message(QStringLiteral("The are not enough Datafields available to hold the data for this Type "
                           "of Work.  You must allocate more fields before saving the Type of Work "
                           "with the current Quality settings.  \nYou need ") +
                QString::number(needed) + QStringLiteral(" additional fields, and only have ") +
                QString::number(available) + QStringLiteral(" available."),
            MB_ICONEXCLAMATION);
    return true;
}

// Hands the fields of types of work that stopped tracking quality (or went) to the users, then
// takes the fields every written type of work misses and keeps its six quality field numbers.
bool frmTypeofWork::takeDatafields() {
    for (const QString& holder : releasedHolders_) {
        system().convertDataFieldsToUserDefined(holder);
    }
    for (const int number : edited_) {
        if (!types().isActive(number)) {
            continue;
        }
        TypeOfWorkRecord type = types().record(number);
        const auto rows =
            qualityFieldRows(type, [this](int mistake) { return mistakeName(mistake); });
        type.QualityField.fill(0);
        for (size_t row = 0; row < rows.size(); ++row) {
            int field = fieldNumber(rows[row].description);
            if (field == 0) {
                field = system().assignDataField(rows[row].description);
            }
            if (field == 0) {
                return false;
            }
            if (row < type.QualityField.size()) {
                type.QualityField[row] = field;
            }
        }
        types().setRecord(number, type);
    }
    return true;
}

// The save of the list: the fields, then the data-field, work-center and type-of-work tables.
// Fields a failed save took stay taken under their descriptions and are found again.
void frmTypeofWork::EditForm_EditSave(bool& success) {
    success = false;
    if (table().activeCount() == 0) {
        MasterTableEditor::EditForm_EditSave(success);  // the refusal
        return;
    }
    system().StatusText(QStringLiteral("Saving changes to the Table and Tallybooks"));
    auto& fields = system().dataFields();
    auto& centers = system().workCenters();
    if (!takeDatafields() || !fields.save()) {
        fields.cancel();
        message(QStringLiteral("Could not save the ") + fields.name() +
                    QStringLiteral(" Table.  ") + fields.lastError(),
                MB_ICONCRITICAL);
        system().StatusDone();
        return;
    }
    if (centers.hasEdits() && !centers.save()) {
        message(QStringLiteral("Could not save the ") + centers.name() +
                    QStringLiteral(" Table.  ") + centers.lastError(),
                MB_ICONCRITICAL);
        system().StatusDone();
        return;
    }
    MasterTableEditor::EditForm_EditSave(success);
    system().StatusDone();
    if (success) {
        releasedHolders_.clear();
    }
}

}  // namespace vel
