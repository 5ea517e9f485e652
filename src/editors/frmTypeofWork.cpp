#include "editors/frmTypeofWork.h"

#include "editors/CodeAndDescription.h"
#include "data/ProgramObject.h"
#include "data/QualityDataFields.h"
#include "data/VelmorSystem.h"
#include "data/records/MistakeRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "platform/print/PrintTable.h"
#include "platform/print/TBPrint.h"
#include "services/ErrorReport.h"
#include "services/FileExists.h"
#include "services/NumberFormat.h"
#include "services/YesNo.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Frame.h"
#include "ui/Grid.h"
#include "ui/Label.h"
#include "ui/ListSelect.h"
#include "ui/MessageBoxCodes.h"
#include "ui/NumberBox.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"

#include <QDir>

#include <algorithm>

namespace vel {

const QString frmTypeofWork::notDefined = QStringLiteral("Not Defined until Table Closed");

frmTypeofWork::frmTypeofWork()
    : Form(QStringLiteral("frmTypeofWork"), QStringLiteral("Type of Work")),
      MasterTableEditor(*this, {QStringLiteral("Type of Work"), QStringLiteral("Types of Work"),
                                QStringLiteral("List of Types of Work")}) {
    tabs_ = &tabStrip(QStringLiteral("TabStrip1"));
    declareGeneralPage(tabs_->page(QStringLiteral("General"),
                                   QStringLiteral("Overall Settings for the Type of Work")));
    declareMistakesPage(
        tabs_->page(QStringLiteral("Mistakes"), QStringLiteral("Settings for Mistakes")));
    declareOtherPages();
    addRecordButtons(*this);
    trackRecordChanges();
}

void frmTypeofWork::declareGeneralPage(Container& page) {
    const CodeAndDescription boxes = declareCodeAndDescription(page);
    code_ = boxes.code;
    description_ = boxes.description;
    showUnits_ = &page.checkBox(
        QStringLiteral("chkShowUnits"),
        QStringLiteral("Show Units for this Type of Work on the Production Sheet Entry Listing"));
    quality_ = &page.checkBox(QStringLiteral("chkQuality"),
                              QStringLiteral("Track Quality for this Type of Work"))
                    .clicked([this] { refreshDatafields(); });
    failHours_ =
        &page.numberBox(QStringLiteral("nbFailHours"), QStringLiteral("Hours per Failure Unit"))
             .range(0, 9999.999)
             .decimals(3);
    failCost_ =
        &page.numberBox(QStringLiteral("nbFailCost"), QStringLiteral("Cost per Failure Unit"))
             .range(0, 99999.99)
             .decimals(2);
}

void frmTypeofWork::declareMistakesPage(Container& page) {
    mistakes_ = &page.listSelect(QStringLiteral("lsMistake"), QStringLiteral("Valid Mistakes:"))
                     .changed([this] { mistakesChanged(); });
    mistakeFrame_ = &page.frame(QStringLiteral("fraMistake"), QStringLiteral("Mistake: (none)"));
    static const char* const frames[] = {"Catches:", "Checks:", "Audits:"};
    static const char* const enables[] = {"Enabled recording of Catches",
                                          "Enabled recording of Checks",
                                          "Enabled recording of Audits"};
    auto& categories = mistakeFrame_->line();
    for (int category = 0; category < TypeOfWorkRecord::Categories; ++category) {
        auto& frame = categories.frame(QStringLiteral("fraCategory"), category,
                                       QString::fromLatin1(frames[category]));
        const auto slot = size_t(category);
        categoryEnabled_[slot] = &frame
                                      .checkBox(QStringLiteral("chkMistake"), category,
                                                QString::fromLatin1(enables[category]))
                                      .clicked([this] { refreshDatafields(); });
        categoryHours_[slot] =
            &frame.numberBox(QStringLiteral("nbHours"), category, QStringLiteral("Hours per Unit"))
                 .range(0, 9999.999)
                 .decimals(3);
        categoryCost_[slot] =
            &frame.numberBox(QStringLiteral("nbCost"), category, QStringLiteral("Cost per Unit"))
                 .range(0, 99999.99)
                 .decimals(2);
    }
}

void frmTypeofWork::declareOtherPages() {
    auto& fields =
        tabs_->page(QStringLiteral("Datafields"),
                    QStringLiteral("The Datafields that are updated by this Type of Work"));
    fields.label(
        QStringLiteral("lblDatafields"),
        QStringLiteral("When quality data is posted, the information for this type of work "
                       "will update the following datafields"));
    datafields_ =
        &fields.grid(QStringLiteral("grdDatafields"))
             .headings({QStringLiteral("Type of Data"), QStringLiteral("Datafield Description"),
                        QStringLiteral("Datafield #")})
             .columnWidth(0, 12)
             .columnWidth(1, 44)
             .columnWidth(2, 28);
    workCenters_ =
        &tabs_
             ->page(QStringLiteral("Valid Work Centers"),
                    QStringLiteral("The Work Centers that are valid for this Type of Work"))
             .listSelect(QStringLiteral("lsWorkCenter"));
    auto& languages = tabs_->page(QStringLiteral("Languages"),
                                  QStringLiteral("Alternate Descriptions for Type of Work"));
    for (int language = 1; language <= TypeOfWorkRecord::Languages; ++language) {
        languages_[size_t(language - 1)] =
            &languages
                 .textBox(
                     QStringLiteral("txtLanguage"), language,
                     QStringLiteral("Language ") + QString::number(language) + QStringLiteral(":"))
                 .keys(KeyFilter::name())
                 .maxLength(30);
    }
    auto& kiosk =
        tabs_->page(QStringLiteral("Kiosk"), QStringLiteral("Settings for display on Kiosk entry"));
    touch_ = &kiosk.checkBox(QStringLiteral("chkTouch"),
                             QStringLiteral("Show Type of Work on Kiosk Entry Screen"));
    colorButton_ = &kiosk
                        .button(QStringLiteral("Command1"),
                                QStringLiteral("Button Color on Kiosk Screen.  Click to Change."))
                        .clicked([this] { chooseButtonColor(); });
}

Table<TypeOfWorkRecord>& frmTypeofWork::types() const {
    return system().typesOfWork();
}

QString frmTypeofWork::mistakeName(int number) const {
    auto& mistakes = system().mistakes();
    return number >= 1 && number <= mistakes.recordCount() ? mistakes.record(number).Desc.trimmed()
                                                           : QString();
}

// --- Edit --------------------------------------------------------------------------------------

bool frmTypeofWork::openRelatedTables() {
    const auto openOne = [this](TableObject& table, bool& opened) {
        if (table.isOpen()) {
            return true;
        }
        opened = table.open();
        if (!opened) {
            message(QStringLiteral("Error opening the ") + table.name() + QStringLiteral(" Table"),
                    MB_ICONEXCLAMATION);
        }
        return opened;
    };
    if (!openOne(system().workCenters(), openedWorkCenters_) ||
        !openOne(system().mistakes(), openedMistakes_) ||
        !openOne(system().dataFields(), openedFields_)) {
        return false;
    }
    auto& corporate = system().corporateTypesOfWork();
    openedCorporate_ =
        system().features().usesCorporateControl && !corporate.isOpen() && corporate.open();
    return true;
}

void frmTypeofWork::closeRelatedTables() {
    const auto closeOne = [](TableObject& table, bool& opened) {
        if (opened) {
            table.close();
            opened = false;
        }
    };
    closeOne(system().workCenters(), openedWorkCenters_);
    closeOne(system().mistakes(), openedMistakes_);
    closeOne(system().dataFields(), openedFields_);
    closeOne(system().corporateTypesOfWork(), openedCorporate_);
}

bool frmTypeofWork::Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) {
    bool shown = false;
    return guarded(QStringLiteral(" - frmTypeofWork:Edit"), shown, [&] {
        if (!viewOnly && !offerViewOrModify(system, QStringLiteral("A"), viewOnly)) {
            return;
        }
        if (!beginEdit(system, system.typesOfWork(), viewOnly, QStringLiteral("A"),
                       QStringLiteral(" Table"))) {
            return;
        }
        if (!openRelatedTables()) {
            closeRelatedTables();
            endEdit();
            return;
        }
        if (!this->viewOnly()) {
            offerConversion();
        }
        const int languages = std::clamp(system.features().languages, 0, 4);
        for (int language = 1; language <= TypeOfWorkRecord::Languages; ++language) {
            languages_[size_t(language - 1)]->setVisible(language <= languages);
        }
        setUpList();
        list().setAllowCopy(!this->viewOnly());
        list().addColumn(QStringLiteral("Code"), 0, ListColumn::Kind::Text, 10);
        list().addColumn(QStringLiteral("Description"), 0, ListColumn::Kind::Text, 30);
        list().addColumn(QStringLiteral("Kiosk Entry"), 0, ListColumn::Kind::Text, 11);
        list().addColumn(QStringLiteral("Number"), 1, ListColumn::Kind::Number, 6);
        list().addColumn(QStringLiteral("Sequence"), 1, ListColumn::Kind::Figure, 8);
        if (system.features().quality) {
            list().addColumn(QStringLiteral("Track Quality"), 2, ListColumn::Kind::Text, 13);
        }
        const QString fixFile =
            QDir(system.Program().dataFolder()).filePath(QStringLiteral("ridgeway.fix"));
        if (!this->viewOnly() && FileExists(fixFile)) {
            fixupButton_ = list().addActionButton(QStringLiteral("Fixup Ridgeway Checks/Catches"));
        }
        fillList();
        showList(hwndOwner, true);
        closeRelatedTables();
        endEdit();
        shown = true;
    });
}

void frmTypeofWork::offerConversion() {
    if (!system().qualityDataFieldsMissing()) {
        return;
    }
    if (message(QStringLiteral("This version of Velmor has new features and needs to update the "
                               "Tallybook tables with new datafields.  This may take some time.  "
                               "Do you want to convert the files at this time?"),
                MB_YESNO | MB_ICONQUESTION) == IDYES) {
        system().convertQualityDataFields();
    }
}

// --- list events -------------------------------------------------------------------------------

void frmTypeofWork::recordLoop(int number, const QString& caption, const TypeOfWorkRecord& start,
                               bool adding) {
    const TypeOfWorkRecord stored =
        number <= types().recordCount() ? types().record(number) : TypeOfWorkRecord{};
    loadWindow(start, number);
    resetRecordChanges(adding);
    while (showRecord(caption + QString::number(number))) {
        if (refusedByRules(number, stored)) {
            continue;
        }
        const TypeOfWorkRecord before = adding ? start : stored;
        const TypeOfWorkRecord after = windowRecord(before);
        types().setRecord(number, after);
        writeValidWorkCenters(number);
        edited_.insert(number);
        recordWritten(number, adding ? QStringLiteral("Add") : QStringLiteral("Edit"),
                      changedFields(before, after));
        break;
    }
    editing_ = 0;
}

void frmTypeofWork::EditForm_AddRec() {
    if (const int number = freeRecordOrRefuse()) {
        TypeOfWorkRecord fresh;
        for (int other = 1; other <= types().recordCount(); ++other) {
            if (types().isActive(other)) {
                fresh.Sequence = std::max(fresh.Sequence, types().record(other).Sequence);
            }
        }
        fresh.Sequence += 1;
        recordLoop(number, addCaption(), fresh, true);
    }
}

void frmTypeofWork::EditForm_CopyRec() {
    const int source = list().selectedRecord();
    if (source == 0) {
        return;
    }
    if (const int number = freeRecordOrRefuse()) {
        TypeOfWorkRecord copy = types().record(source);
        copy.Code.clear();
        copy.Desc = copy.Desc.trimmed() + QStringLiteral("(Copy)");
        copy.QualityField.fill(0);  // the copy's fields are its own
        recordLoop(number, addCaption(), copy, true);
    }
}

void frmTypeofWork::EditForm_EditRec(int number) {
    recordLoop(number, editCaption(), types().record(number), false);
}

void frmTypeofWork::EditForm_DeleteRec(int number) {
    const QString code = types().code(number).trimmed();
    if (holdingData_.contains(number)) {
        message(QStringLiteral("Cannot Delete the Type of Work ") + code +
                    QStringLiteral(" it is holding the data for a deleted Type of Work."),
                MB_ICONEXCLAMATION);
        return;
    }
    auto& corporate = system().corporateTypesOfWork();
    if (system().features().usesCorporateControl && corporate.isOpen() &&
        corporate.find(code) != 0) {
        message(QStringLiteral("Cannot delete the Type of Work selected.  It is active in the "
                               "Corporate Control File."),
                MB_ICONEXCLAMATION);
        return;
    }
    const QString where = types().usedOn(number).trimmed();
    if (!where.isEmpty()) {
        message(
            QStringLiteral("Cannot delete the Type of Work selected.  It is used on an ") + where,
            MB_ICONEXCLAMATION);
        return;
    }
    const int target = deleteThroughDialog(number);
    if (target < 0) {
        return;
    }
    if (target > 0) {
        holdingData_.insert(target);
    }
    releasedHolders_ << qualityFieldHolder(code);
}

void frmTypeofWork::EditForm_EditCancel(bool& close) {
    MasterTableEditor::EditForm_EditCancel(close);
    auto& centers = system().workCenters();
    if (centers.hasEdits()) {
        centers.cancel();
    }
}

void frmTypeofWork::EditForm_ActionButton(int index) {
    if (index == fixupButton_) {
        fixupCategories();
    }
}

// Swaps the catch and check categories of every type of work (a site that recorded them the
// other way round).
void frmTypeofWork::fixupCategories() {
    if (message(QStringLiteral("OK to move Catches to Checks and Checks to Catches?"),
                MB_YESNO | MB_ICONQUESTION,
                QStringLiteral("Fixup Ridgeway Mistake Types")) != IDYES) {
        return;
    }
    for (int number = 1; number <= types().recordCount(); ++number) {
        if (!types().isActive(number)) {
            continue;
        }
        TypeOfWorkRecord type = types().record(number);
        std::swap(type.CategoryEnabled[TypeOfWorkRecord::Catch],
                  type.CategoryEnabled[TypeOfWorkRecord::Check]);
        std::swap(type.CategoryHours[TypeOfWorkRecord::Catch],
                  type.CategoryHours[TypeOfWorkRecord::Check]);
        std::swap(type.CategoryCost[TypeOfWorkRecord::Catch],
                  type.CategoryCost[TypeOfWorkRecord::Check]);
        types().setRecord(number, type);
        edited_.insert(number);
        recordWritten(number, QStringLiteral("Edit"),
                      {QStringLiteral("CategoryEnabled"), QStringLiteral("CategoryHours"),
                       QStringLiteral("CategoryCost")});
    }
}

// --- list and print-out --------------------------------------------------------------------------

QStringList frmTypeofWork::lineTexts(int number) const {
    const TypeOfWorkRecord type = types().record(number);
    QStringList texts{type.Code.trimmed(), type.Desc.trimmed(), yesNo(type.Kiosk),
                      QString::number(type.Sequence)};
    if (system().features().quality) {
        texts << yesNo(type.TrackQuality);
    }
    return texts;
}

std::vector<PrintColumn> frmTypeofWork::printColumns() const {
    return {{QStringLiteral("Number"), 6},         {QStringLiteral("Code"), 10},
            {QStringLiteral("Description"), 30},   {QStringLiteral("Kiosk Entry"), 5},
            {QStringLiteral("Track Quality"), 6},  {QStringLiteral("Cost/Failure"), 10},
            {QStringLiteral("Hours/Failure"), 10}, {QStringLiteral("Mistake"), 30},
            {QStringLiteral("Type"), 5},           {QStringLiteral("Cost/Mistake"), 10},
            {QStringLiteral("Hours/Mistake"), 10}};
}

QStringList frmTypeofWork::printCells(int number) const {
    const TypeOfWorkRecord type = types().record(number);
    return {QString::number(number),
            type.Code.trimmed(),
            type.Desc.trimmed(),
            yesNo(type.Kiosk),
            yesNo(type.TrackQuality),
            FormatNumber(type.FailCost, QStringLiteral("###,0.00")),
            FormatNumber(type.FailHours, QStringLiteral("###,0.000"))};
}

// One line for the type of work, carrying its first mistake and category; one more line for
// each further mistake and enabled category.
void frmTypeofWork::EditForm_PrintRec(TBPrint& printer, int number) {
    const TypeOfWorkRecord type = types().record(number);
    QStringList cells = printCells(number);
    bool first = true;
    for (const int mistake : type.Mistake) {
        for (int category = 0; mistake > 0 && category < TypeOfWorkRecord::Categories; ++category) {
            if (!type.CategoryEnabled[size_t(category)]) {
                continue;
            }
            if (!first) {
                cells = QStringList(7, QString());
            }
            cells << mistakeName(mistake) << categoryName(category)
                  << FormatNumber(type.CategoryCost[size_t(category)], QStringLiteral("###,0.00"))
                  << FormatNumber(type.CategoryHours[size_t(category)],
                                  QStringLiteral("###,0.000"));
            printCellsRow(printer, cells);
            first = false;
        }
    }
    if (first) {
        printCellsRow(printer, cells);
    }
}

}  // namespace vel
