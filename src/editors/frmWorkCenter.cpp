#include "editors/frmWorkCenter.h"

#include "editors/CodeAndDescription.h"
#include "data/DataCollectionDay.h"
#include "data/VelmorSystem.h"
#include "data/records/TypeOfWorkRecord.h"
#include "editors/KioskColor.h"
#include "services/ErrorReport.h"
#include "services/YesNo.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/DateBox.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/ListSelect.h"
#include "ui/MessageBoxCodes.h"
#include "ui/NumberBox.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"

#include <algorithm>
#include <cstdlib>

namespace vel {

namespace {
const QTime newStart(8, 0);
const QTime newStop(16, 0);

QString timeText(QTime time) {
    return time.toString(QStringLiteral("HH:mm"));
}
QString codeAndDescription(const TypeOfWorkRecord& type) {
    const QString description = type.Desc.trimmed();
    return type.Code.trimmed() +
           (description.isEmpty() ? QString() : QStringLiteral(" - ") + description);
}
}  // namespace

frmWorkCenter::frmWorkCenter()
    : Form(QStringLiteral("frmWorkCenter"), QStringLiteral("Work Center")),
      MasterTableEditor(*this, {QStringLiteral("Work Center"), QStringLiteral("Work Centers"),
                                QStringLiteral("List of Work Centers")}) {
    tabs_ = &tabStrip(QStringLiteral("TabStrip1"));
    declareGeneralPage(tabs_->page(QStringLiteral("General"),
                                   QStringLiteral("Overall Settings for the Work Center")));
    declareDataCollectionPage(tabs_->page(QStringLiteral("Data Collection"),
                                          QStringLiteral("Settings for Data Collection module")));
    typesOfWork_ =
        &tabs_
             ->page(QStringLiteral("Valid Types of Work"),
                    QStringLiteral("The Types of Work that are valid for this Work Center"))
             .listSelect(QStringLiteral("lsTypeWork"));
    declareKioskPage(
        tabs_->page(QStringLiteral("Kiosk"), QStringLiteral("Settings for Kiosk Entry")));
    addRecordButtons(*this);
    trackRecordChanges();
}

void frmWorkCenter::declareGeneralPage(Container& page) {
    const CodeAndDescription boxes = declareCodeAndDescription(page);
    code_ = boxes.code;
    description_ = boxes.description;
    supervisor_ = &page.textBox(QStringLiteral("Text2"), 0, QStringLiteral("&Supervisor:"))
                       .keys(KeyFilter::name())
                       .maxLength(30);
    password_ =
        &page.textBox(QStringLiteral("Text2"), 1, QStringLiteral("&Authorization Password:"))
             .keys(KeyFilter::name())
             .maxLength(10);
    shift_ = &page.numberBox(QStringLiteral("nbShift"), QStringLiteral("&Shift:")).range(0, 99);
    auto& chart = page.frame(QStringLiteral("Frame1"), QStringLiteral("Bar Chart of Performances"));
    indicators_[0] = &chart
                          .numberBox(QStringLiteral("NumberBox1"), 0,
                                     QStringLiteral("&Lower indicator line (Min. Acceptable):"))
                          .range(0, 999.99)
                          .decimals(2);
    indicators_[1] = &chart
                          .numberBox(QStringLiteral("NumberBox1"), 1,
                                     QStringLiteral("&Upper indicator line (Goal):"))
                          .range(0, 999.99)
                          .decimals(2);
}

void frmWorkCenter::declareDataCollectionPage(Container& page) {
    times_[0] = &page.timeBox(QStringLiteral("TimeBox1"), 0, QStringLiteral("&Normal Start Time:"))
                     .changed([this] { showStartStop(); });
    times_[1] = &page.timeBox(QStringLiteral("TimeBox1"), 1, QStringLiteral("Normal &Stop Time:"))
                     .changed([this] { showStartStop(); });
    startStop_ =
        &page.label(QStringLiteral("lblStartStop"), dataCollectionExplanation(newStart, newStop));
}

void frmWorkCenter::declareKioskPage(Container& page) {
    touch_ = &page.checkBox(QStringLiteral("chkTouch"),
                            QStringLiteral("Show Work Center on Kiosk Entry Screen"));
    colorButton_ = &page.button(QStringLiteral("Command1"),
                                QStringLiteral("Button Color on Kiosk Screen.  Click to Change."))
                        .clicked([this] { chooseButtonColor(); });
}

Table<WorkCenterRecord>& frmWorkCenter::workCenters() const {
    return system().workCenters();
}

bool frmWorkCenter::Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) {
    bool shown = false;
    return guarded(QStringLiteral(" - frmWorkCenter:Edit"), shown, [&] {
        if (!beginEdit(system, system.workCenters(), viewOnly, QStringLiteral("A"),
                       QStringLiteral(" Table"))) {
            return;
        }
        auto& types = system.typesOfWork();
        const bool openedTypes = !types.isOpen() && types.open();
        if (!types.isOpen()) {
            message(QStringLiteral("Error opening the ") + types.name() + QStringLiteral(" Table"),
                    MB_ICONEXCLAMATION);
            endEdit();
            return;
        }
        fillTypesOfWork();
        setUpList();
        list().setAllowCopy(!this->viewOnly());
        list().addColumn(QStringLiteral("Code"), 0, ListColumn::Kind::Text, 10);
        list().addColumn(QStringLiteral("Description"), 0, ListColumn::Kind::Text, 30);
        list().addColumn(QStringLiteral("Shift"), 0, ListColumn::Kind::Figure, 5);
        list().addColumn(QStringLiteral("Start Time"), 0, ListColumn::Kind::Text, 10);
        list().addColumn(QStringLiteral("Stop Time"), 0, ListColumn::Kind::Text, 10);
        list().addColumn(QStringLiteral("Kiosk Entry"), 0, ListColumn::Kind::Text, 11);
        list().addColumn(QStringLiteral("Number"), 1, ListColumn::Kind::Number, 6);
        list().addColumn(QStringLiteral("Sequence"), 2, ListColumn::Kind::Figure, 8);
        fillList();
        showList(hwndOwner, true);
        if (openedTypes) {
            types.close();
        }
        endEdit();
        shown = true;
    });
}

void frmWorkCenter::fillTypesOfWork() {
    auto& types = system().typesOfWork();
    typesOfWork_->clear();
    for (int type = 1; type <= std::min(types.recordCount(), WorkCenterRecord::TypesOfWork);
         ++type) {
        if (types.isActive(type)) {
            typesOfWork_->addItem(codeAndDescription(types.record(type)), type);
        }
    }
}

void frmWorkCenter::EditForm_ShowTotals(QString& text) {
    text = QString::number(table().activeCount()) + QStringLiteral(" active, ") +
           QString::number(table().recordCount()) + QStringLiteral(" allocated, of ") +
           QString::number(table().maximum()) + QStringLiteral(" maximum");
}

void frmWorkCenter::EditForm_EditCancel(bool& close) {
    close = true;
    if (!list().changed() && !table().hasEdits()) {
        return;
    }
    if (message(QStringLiteral("OK to Cancel all changes and exit?"),
                MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        close = false;
        return;
    }
    table().cancel();
}

// --- the record window -----------------------------------------------------------------------

void frmWorkCenter::showStartStop() {
    startStop_->setCaption(dataCollectionExplanation(times_[0]->time(), times_[1]->time()));
}

void frmWorkCenter::chooseButtonColor() {
    if (chooseKioskColor(*colorButton_, buttonColor_)) {
        markRecordChanged();
    }
}

void frmWorkCenter::loadWindow(const WorkCenterRecord& center) {
    tabs_->select(1);
    code_->setText(center.Code);
    description_->setText(center.Desc);
    supervisor_->setText(center.Supervisor);
    password_->setText(center.Password);
    shift_->setValue(center.Shift);
    indicators_[0]->setValue(center.LowerIndicator);
    indicators_[1]->setValue(center.UpperIndicator);
    times_[0]->setTime(center.StartTime.isValid() ? center.StartTime : newStart);
    times_[1]->setTime(center.StopTime.isValid() ? center.StopTime : newStop);
    showStartStop();
    for (int item = 0; item < typesOfWork_->count(); ++item) {
        const int type = int(typesOfWork_->item(item).data);
        typesOfWork_->setSelected(item, center.TOWValid[size_t(type - 1)]);
    }
    touch_->setChecked(center.TouchScreen);
    buttonColor_ = center.ButtonColor;
    showKioskColor(*colorButton_, buttonColor_);
}

WorkCenterRecord frmWorkCenter::windowRecord(WorkCenterRecord center) const {
    center.Code = code_->text().toUpper();
    center.Desc = description_->text();
    center.Supervisor = supervisor_->text();
    center.Password = password_->text();
    center.Shift = int(shift_->value());
    center.LowerIndicator = indicators_[0]->value();
    center.UpperIndicator = indicators_[1]->value();
    center.StartTime = times_[0]->time();
    center.StopTime = times_[1]->time();
    center.TouchScreen = touch_->checked();
    center.ButtonColor = buttonColor_;
    // Every type of work is cleared, then those ticked are set again.
    center.TOWValid.fill(false);
    for (const long long type : typesOfWork_->selectedData()) {
        if (type >= 1 && type <= WorkCenterRecord::TypesOfWork) {
            center.TOWValid[size_t(type - 1)] = true;
        }
    }
    return center;
}

bool frmWorkCenter::refusedTimes() {
    if (!system().features().dataCollection) {
        return false;
    }
    const QTime start = times_[0]->time();
    const QTime stop = times_[1]->time();
    QString problem;
    if (start == stop) {
        problem = QStringLiteral(
            "The Start and Stop Times on the Data Collection tab cannot be the same.");
    } else if (std::abs(start.secsTo(stop)) < 3600) {
        problem = QStringLiteral(
            "The Start and Stop Times on the Data Collection tab must be at least 1 hour apart.");
    } else {
        return false;
    }
    message(problem, MB_ICONEXCLAMATION);
    times_[0]->setFocus();
    return true;
}

bool frmWorkCenter::refusedByRules(int number) {
    if (refusedAsBlank(*code_) || refusedAsBlank(*description_) || refusedTimes()) {
        return true;
    }
    if (takenByAnother(code_->text().toUpper(), number)) {
        message(QStringLiteral("Work Center Code is not unique"), MB_ICONEXCLAMATION);
        code_->setFocus();
        return true;
    }
    return false;
}

bool frmWorkCenter::recordAccepted(int number, const QString& caption) {
    while (showRecord(caption + QString::number(number))) {
        if (!refusedByRules(number)) {
            return true;
        }
    }
    return false;
}

void frmWorkCenter::writeRecord(int number, const WorkCenterRecord& before, bool adding) {
    // The window's values over the record as it was (for an add: the new record's start).
    const WorkCenterRecord after = windowRecord(before);
    workCenters().setRecord(number, after);
    recordWritten(number, adding ? QStringLiteral("Add") : QStringLiteral("Edit"),
                  changedFields(before, after));
}

int frmWorkCenter::nextSequence() const {
    int highest = 0;
    for (int other = 1; other <= workCenters().recordCount(); ++other) {
        if (workCenters().isActive(other)) {
            highest = std::max(highest, workCenters().record(other).Sequence);
        }
    }
    return highest + 1;
}

// --- list events -------------------------------------------------------------------------------

void frmWorkCenter::addRecord(const WorkCenterRecord& start) {
    const int number = freeRecordOrRefuse();
    if (number == 0) {
        return;
    }
    WorkCenterRecord fresh = start;
    fresh.Sequence = nextSequence();
    loadWindow(fresh);
    resetRecordChanges(true);
    if (!recordAccepted(number, addCaption())) {
        return;
    }
    if (message(QStringLiteral("OK to Add this Account to the Tallybook Master file at this time?"),
                MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return;
    }
    writeRecord(number, fresh, true);
}

void frmWorkCenter::EditForm_AddRec() {
    addRecord(WorkCenterRecord{});
}

void frmWorkCenter::EditForm_CopyRec() {
    const int source = list().selectedRecord();
    if (source == 0) {
        return;
    }
    WorkCenterRecord copy = workCenters().record(source);
    copy.Code.clear();
    copy.Desc = copy.Desc.trimmed() + QStringLiteral("(Copy)");
    addRecord(copy);
}

void frmWorkCenter::EditForm_EditRec(int number) {
    const WorkCenterRecord before = workCenters().record(number);
    loadWindow(before);
    resetRecordChanges(false);
    if (recordAccepted(number, editCaption())) {
        writeRecord(number, before, false);
    }
}

void frmWorkCenter::EditForm_DeleteRec(int number) {
    const QString where = workCenters().usedOn(number).trimmed();
    if (!where.isEmpty()) {
        message(QStringLiteral("Cannot delete the Work Center selected.  It is used on an ") +
                    where + QStringLiteral("."),
                MB_ICONEXCLAMATION);
        return;
    }
    deleteThroughDialog(number, {}, MB_OKCANCEL | MB_ICONQUESTION);
}

// --- what the list and the print-out show ------------------------------------------------------

QStringList frmWorkCenter::lineTexts(int number) const {
    const WorkCenterRecord center = workCenters().record(number);
    return {center.Code.trimmed(),           center.Desc.trimmed(),
            QString::number(center.Shift),   timeText(center.StartTime),
            timeText(center.StopTime),       yesNo(center.TouchScreen),
            QString::number(center.Sequence)};
}

std::vector<PrintColumn> frmWorkCenter::printColumns() const {
    return {{QStringLiteral("Number"), 6},       {QStringLiteral("Code"), 10},
            {QStringLiteral("Description"), 30}, {QStringLiteral("Shift"), 6},
            {QStringLiteral("Start Time"), 10},  {QStringLiteral("Stop Time"), 10},
            {QStringLiteral("Sequence"), 8}};
}

QStringList frmWorkCenter::printCells(int number) const {
    const WorkCenterRecord center = workCenters().record(number);
    return {QString::number(number),         center.Code.trimmed(),      center.Desc.trimmed(),
            QString::number(center.Shift),   timeText(center.StartTime), timeText(center.StopTime),
            QString::number(center.Sequence)};
}

}  // namespace vel
