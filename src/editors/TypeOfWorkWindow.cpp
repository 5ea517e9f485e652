// The type-of-work record window: filling it from a record, reading it back, the mistake list
// with its limit of 30 and its frame label, the data-field grid and the kiosk colour.
#include "editors/frmTypeofWork.h"

#include "data/QualityDataFields.h"
#include "data/VelmorSystem.h"
#include "data/records/MistakeRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "editors/KioskColor.h"
#include "ui/CheckBox.h"
#include "ui/Frame.h"
#include "ui/Grid.h"
#include "ui/ListSelect.h"
#include "ui/MessageBoxCodes.h"
#include "ui/NumberBox.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"

#include <algorithm>

namespace vel {

void frmTypeofWork::loadWindow(const TypeOfWorkRecord& type, int number) {
    editing_ = 0;  // no refusal of the 31st mistake while the window is filled
    base_ = type;
    tabs_->select(1);
    code_->setText(type.Code);
    description_->setText(type.Desc);
    showUnits_->setChecked(type.ShowUnits);
    quality_->setChecked(type.TrackQuality);
    failHours_->setValue(type.FailHours);
    failCost_->setValue(type.FailCost);
    for (size_t category = 0; category < categoryEnabled_.size(); ++category) {
        categoryEnabled_[category]->setChecked(type.CategoryEnabled[category]);
        categoryHours_[category]->setValue(type.CategoryHours[category]);
        categoryCost_[category]->setValue(type.CategoryCost[category]);
    }
    // Every active mistake, ticked when the type of work lists it.
    auto& mistakes = system().mistakes();
    mistakes_->clear();
    for (int mistake = 1; mistake <= mistakes.recordCount(); ++mistake) {
        const bool listed = std::ranges::find(type.Mistake, mistake) != type.Mistake.end();
        if (mistakes.isActive(mistake) || listed) {
            mistakes_->addItem(mistakeName(mistake), mistake, listed);
        }
    }
    ticked_ = mistakes_->selectedData();
    shownMistake_ = ticked_.empty() ? 0 : int(ticked_.front());
    showMistakeFrame();
    auto& centers = system().workCenters();
    workCenters_->clear();
    for (int center = 1; center <= centers.recordCount(); ++center) {
        if (centers.isActive(center)) {
            const WorkCenterRecord record = centers.record(center);
            const bool valid = number >= 1 && number <= WorkCenterRecord::TypesOfWork &&
                               record.TOWValid[size_t(number - 1)];
            workCenters_->addItem(record.Code.trimmed(), center, valid);
        }
    }
    for (size_t language = 0; language < languages_.size(); ++language) {
        languages_[language]->setText(type.Lang[language]);
    }
    touch_->setChecked(type.Kiosk);
    buttonColor_ = type.KioskColor;
    showKioskColor(*colorButton_, buttonColor_);
    editing_ = number;
    refreshDatafields();
}

TypeOfWorkRecord frmTypeofWork::windowRecord(TypeOfWorkRecord type) const {
    type.Code = code_->text().toUpper();
    type.Desc = description_->text();
    type.ShowUnits = showUnits_->checked();
    type.TrackQuality = quality_->checked();
    type.FailHours = failHours_->value();
    type.FailCost = failCost_->value();
    for (size_t category = 0; category < categoryEnabled_.size(); ++category) {
        type.CategoryEnabled[category] = categoryEnabled_[category]->checked();
        type.CategoryHours[category] = categoryHours_[category]->value();
        type.CategoryCost[category] = categoryCost_[category]->value();
    }
    type.Mistake.fill(0);
    const std::vector<long long> ticked = mistakes_->selectedData();
    for (size_t slot = 0; slot < ticked.size() && slot < type.Mistake.size(); ++slot) {
        type.Mistake[slot] = int(ticked[slot]);
    }
    for (size_t language = 0; language < languages_.size(); ++language) {
        // Languages the system does not keep stay as stored.
        if (languages_[language]->visible()) {
            type.Lang[language] = languages_[language]->text();
        }
    }
    type.Kiosk = touch_->checked();
    type.KioskColor = buttonColor_;
    return type;
}

// A tick or untick of lsMistake: a 31st mistake is refused and unticked again; the frame names
// the mistake ticked last, or another ticked one when that was unticked.
void frmTypeofWork::mistakesChanged() {
    const std::vector<long long> now = mistakes_->selectedData();
    long long added = 0;
    for (const long long mistake : now) {
        if (std::ranges::find(ticked_, mistake) == ticked_.end()) {
            added = mistake;
        }
    }
    if (added != 0 && editing_ != 0 && int(now.size()) > TypeOfWorkRecord::Mistakes) {
        message(QStringLiteral("Cannot add the Mistake to the selected Mistakes.  Can only have 30 "
                               "Mistakes on a Type of Work."),
                MB_ICONEXCLAMATION);
        for (int item = 0; item < mistakes_->count(); ++item) {
            if (mistakes_->item(item).data == added) {
                mistakes_->setSelected(item, false);  // comes back here with the 30
            }
        }
        return;
    }
    ticked_ = now;
    if (added != 0) {
        shownMistake_ = int(added);
    } else if (std::ranges::find(now, shownMistake_) == now.end()) {
        shownMistake_ = now.empty() ? 0 : int(now.front());
    }
    showMistakeFrame();
    refreshDatafields();
}

void frmTypeofWork::showMistakeFrame() {
    mistakeFrame_->setCaption(QStringLiteral("Mistake: ") + (shownMistake_ == 0
                                                                 ? QStringLiteral("(none)")
                                                                 : mistakeName(shownMistake_)));
}

void frmTypeofWork::refreshDatafields() {
    if (editing_ == 0) {
        return;
    }
    const TypeOfWorkRecord type = windowRecord(base_);
    const auto rows = qualityFieldRows(type, [this](int mistake) { return mistakeName(mistake); });
    datafields_->setSize(int(rows.size()) + 1, 3);
    for (size_t row = 0; row < rows.size(); ++row) {
        const int number = fieldNumber(rows[row].description);
        datafields_->setTextMatrix(int(row) + 1, 0, rows[row].typeOfData);
        datafields_->setTextMatrix(int(row) + 1, 1, rows[row].text);
        datafields_->setTextMatrix(int(row) + 1, 2,
                                   number > 0 ? QString::number(number) : notDefined);
    }
}

void frmTypeofWork::chooseButtonColor() {
    if (chooseKioskColor(*colorButton_, buttonColor_)) {
        markRecordChanged();
    }
}

// The work centers ticked on "Valid Work Centers" have the type of work valid, the others not.
void frmTypeofWork::writeValidWorkCenters(int number) {
    if (number < 1 || number > WorkCenterRecord::TypesOfWork) {
        return;
    }
    auto& centers = system().workCenters();
    for (const ListSelect::Item& item : workCenters_->items()) {
        WorkCenterRecord center = centers.record(int(item.data));
        if (center.TOWValid[size_t(number - 1)] != item.selected) {
            center.TOWValid[size_t(number - 1)] = item.selected;
            centers.setRecord(int(item.data), center);
        }
    }
}

}  // namespace vel
