#include "editors/frmEmployee.h"

#include "maintenance/EditorImports.h"

#include "data/CAssocLookup.h"
#include "data/VelmorSystem.h"
#include "data/records/GroupingRecord.h"
#include "data/records/ScheduleRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "editors/AssociateStores.h"
#include "editors/TallybookDataCheck.h"
#include "services/ErrorReport.h"
#include "services/YesNo.h"
#include "ui/Label.h"
#include "ui/MessageBoxCodes.h"
#include "ui/TextBox.h"

#include <QCoreApplication>
#include <QFile>

namespace vel {

namespace {

QString dateText(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

QString money(double value) {
    return QString::number(value, 'f', 2);
}

template <class Record>
QString codeIn(Table<Record>& table, int number) {
    return number > 0 && number <= table.recordCount() && table.isActive(number)
               ? table.code(number).trimmed()
               : QString();
}

QString fullName(const AssociateRecord& associate) {
    const QString last = associate.LastName.trimmed();
    const QString first = associate.FirstName.trimmed();
    return first.isEmpty() ? last : last + QStringLiteral(", ") + first;
}

}  // namespace

frmEmployee::frmEmployee()
    : Form(QStringLiteral("frmEmployee"), QStringLiteral("Associate")),
      MasterTableEditor(*this, {QStringLiteral("Associate"), QStringLiteral("Associates"),
                                QStringLiteral("List of Associates")}),
      programFolder_(QCoreApplication::applicationDirPath()) {}

Table<AssociateRecord>& frmEmployee::associates() const {
    return system().associates();
}

bool frmEmployee::Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) {
    bool ran = false;
    runEdit(QStringLiteral(" - frmEmployee:Edit"), [&] {
        settings_ = AssociateSettings::read(system);
        features_ = system.features();
        if (!viewOnly && !offerViewOrModify(system, QStringLiteral("A"), viewOnly)) {
            return false;
        }
        if (!beginEdit(system, system.associates(), viewOnly, QStringLiteral("A"))) {
            return false;
        }
        if (!relatedTablesReady()) {
            endEdit();
            return false;
        }
        if (!pages_.declared()) {
            pages_.declare(*this, features_, settings_);
            addRecordButtons(*this);
        }
        pages_.fillChoices(system);
        declareList();
        fillList();
        ran = true;
        showList(hwndOwner, true);
        endEdit();
        return true;
    });
    return ran;
}

void frmEmployee::closeRelatedTables() {
    for (TableObject* table : openedRelated_) {
        table->close();
    }
    openedRelated_.clear();
}

bool frmEmployee::relatedTablesReady() {
    for (TableObject* table : std::initializer_list<TableObject*>{
             &system().workCenters(), &system().groupings(), &system().schedules()}) {
        if (table->isOpen()) {
            continue;
        }
        if (table->open()) {
            openedRelated_.push_back(table);
        } else {
            message(
                QStringLiteral("Could not open the ") + table->name() + QStringLiteral(" Table."),
                MB_ICONEXCLAMATION);
            return false;
        }
    }
    auto& workCenters = system().workCenters();
    if (workCenters.activeCount() == 0) {
        message(QStringLiteral("There must be at least one ") + workCenters.name() +
                    QStringLiteral(" record active before editing "),
                MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

void frmEmployee::declareList() {
    setUpList();
    if (features_.usesCorporateControl) {
        list().setCaption(list().caption() + QStringLiteral(" (Corporate Controlled)"));
    }
    list().setMultiDelete(true);
    int column = 0;
    const auto text = [&](const QString& caption, int width) {
        list().addColumn(caption, column++, ListColumn::Kind::Text, width);
    };
    text(QStringLiteral("Code"), 10);
    text(QStringLiteral("Name"), 24);
    text(QStringLiteral("Work Center"), 13);
    text(QStringLiteral("Shift"), 6);
    text(QStringLiteral("Grouping"), 12);
    text(QStringLiteral("Hire Date"), 12);
    text(QStringLiteral("Audit"), 6);
    list().addColumn(QStringLiteral("Number"), column++, ListColumn::Kind::Number, 8);
    for (int slot = 1; slot <= settings_.numberToShow; ++slot) {
        text(settings_.badgeNames[size_t(slot - 1)], 12);
    }
    if (features_.incentive) {
        text(QStringLiteral("On Payroll"), 10);
        text(QStringLiteral("Pay Incentive"), 12);
        text(QStringLiteral("Perf. Goal"), 10);
    }
    if (features_.performancePolicy) {
        text(QStringLiteral("Test Performance"), 15);
        text(QStringLiteral("Test Quality"), 11);
        text(QStringLiteral("Tenure Date"), 12);
    }
    if (!viewOnly()) {
        list().addActionButton(QStringLiteral("Import..."));
        if (QFile::exists(programFolder_ + QStringLiteral("/features.new"))) {
            checkTallybookButton_ =
                list().addActionButton(QStringLiteral("Check Tallybook Data..."));
        }
    }
}

QStringList frmEmployee::lineTexts(int number) const {
    const AssociateRecord associate = associates().record(number);
    QStringList texts{associate.Code.trimmed(),
                      fullName(associate),
                      codeIn(system().workCenters(), associate.WorkCenter),
                      QString::number(associate.Shift),
                      codeIn(system().groupings(), associate.Grouping),
                      dateText(associate.HireDate),
                      yesNo(associate.InActive)};
    for (int slot = 1; slot <= settings_.numberToShow; ++slot) {
        texts << associate.Badge[size_t(slot - 1)].trimmed();
    }
    if (features_.incentive) {
        texts << yesNo(associate.OnPayRoll) << yesNo(associate.PayIncentive)
              << money(associate.PerfGoal);
    }
    if (features_.performancePolicy) {
        texts << yesNo(associate.IncludeinPerf) << yesNo(associate.IncludeinQuality)
              << dateText(associate.PolicyDate);
    }
    return texts;
}

std::vector<PrintColumn> frmEmployee::printColumns() const {
    return {{QStringLiteral("Number"), 6},       {QStringLiteral("Code"), 10},
            {QStringLiteral("Name"), 24},        {QStringLiteral("Home Work Center"), 10},
            {QStringLiteral("Shift"), 5},        {QStringLiteral("Primary Grouping"), 10},
            {QStringLiteral("Hire Date"), 10},   {QStringLiteral("Audit"), 5},
            {QStringLiteral("Payroll"), 7},      {QStringLiteral("Incentive"), 9},
            {QStringLiteral("Perf. Goal"), 10},  {QStringLiteral("Test Performance"), 6},
            {QStringLiteral("Test Quality"), 6}, {QStringLiteral("Tenure Date"), 10}};
}

QStringList frmEmployee::printCells(int number) const {
    const AssociateRecord associate = associates().record(number);
    return {QString::number(number),
            associate.Code.trimmed(),
            fullName(associate),
            codeIn(system().workCenters(), associate.WorkCenter),
            QString::number(associate.Shift),
            codeIn(system().groupings(), associate.Grouping),
            dateText(associate.HireDate),
            yesNo(associate.InActive),
            yesNo(associate.OnPayRoll),
            yesNo(associate.PayIncentive),
            money(associate.PerfGoal),
            yesNo(associate.IncludeinPerf),
            yesNo(associate.IncludeinQuality),
            dateText(associate.PolicyDate)};
}

void frmEmployee::EditForm_ShowTotals(QString& text) {
    text = QString::number(associates().activeCount()) + QStringLiteral(" active, ") +
           QString::number(associates().recordCount()) + QStringLiteral(" allocated, of ") +
           QString::number(associates().maximum()) + QStringLiteral(" maximum");
}

// --- add, edit and the record loop ------------------------------------------------------------

void frmEmployee::EditForm_AddRec() {
    const int number = associates().freeRecord();
    if (number == 0) {
        message(QStringLiteral("Cannot add additional Associates, the maximum of ") +
                    QString::number(associates().maximum()) + QStringLiteral(" has been reached"),
                MB_ICONEXCLAMATION);
        return;
    }
    recordLoop(number, QStringLiteral("Add Associate Record: "), true);
}

void frmEmployee::EditForm_EditRec(int number) {
    recordLoop(number,
               viewOnly() ? QStringLiteral("View Associate Record: ")
                          : QStringLiteral("Edit Associate Record: "),
               false);
}

void frmEmployee::recordLoop(int number, const QString& caption, bool adding) {
    const AssociateRecord before =
        number <= associates().recordCount() ? associates().record(number) : AssociateRecord{};
    pages_.load(adding ? AssociateRecord{} : before);
    while (showRecord(caption + QString::number(number))) {
        if (!passesChecks(number)) {
            continue;
        }
        if (adding && message(QStringLiteral("OK to Add this Account to the Tallybook Master file "
                                             "at this time?"),
                              MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
            return;
        }
        writeRecord(number, adding ? AssociateRecord{} : before, adding);
        return;
    }
}

bool frmEmployee::passesChecks(int number) {
    if (refusedAsBlank(pages_.code()) || refusedAsBlank(pages_.firstName())) {
        return false;
    }
    if (takenByAnother(pages_.code().text().toUpper(), number)) {
        message(QStringLiteral("Associate Code is not unique"), MB_ICONEXCLAMATION);
        return false;
    }
    return badgesAccepted(number);
}

bool frmEmployee::badgesAccepted(int number) {
    const auto padded = [](const QString& badge) {
        return badge.toUpper().leftJustified(AssociateRecord::BadgeWidth, QLatin1Char(' '), true);
    };
    auto& table = associates();
    for (int slot = 1; slot <= AssociateRecord::Badges; ++slot) {
        const QString badge = padded(pages_.badge(slot).text());
        if (settings_.exemptFromDuplicateTest(slot) || badge.trimmed().isEmpty()) {
            continue;
        }
        for (int other = 1; other <= table.recordCount(); ++other) {
            if (other == number || !table.isActive(other)) {
                continue;
            }
            const AssociateRecord stored = table.record(other);
            for (const QString& held : stored.Badge) {
                if (padded(held) != badge) {
                    continue;
                }
                return message(pages_.badgeLabel(slot).caption() + QStringLiteral(" ") +
                                   badge.trimmed() + QStringLiteral(" is not unique.  Record ") +
                                   QString::number(other) +
                                   QStringLiteral(" is already using that Badge.  OK to save "
                                                  "this record anyway?"),
                               MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
            }
        }
    }
    return true;
}

void frmEmployee::writeRecord(int number, const AssociateRecord& before, bool adding) {
    const AssociateRecord stored =
        number <= associates().recordCount() ? associates().record(number) : AssociateRecord{};
    AssociateRecord after = adding ? AssociateRecord{} : stored;
    const QStringList changed = pages_.writeChanges(adding ? AssociateRecord{} : stored, after);
    if (!adding && changed.isEmpty()) {
        return;  // nothing differs: nothing is written or logged
    }
    associates().setRecord(number, after);
    moveMemberships(number, before, after);
    recordWritten(number, adding ? QStringLiteral("Add") : QStringLiteral("Edit"), changed);
}

void frmEmployee::moveMemberships(int number, const AssociateRecord& before,
                                  const AssociateRecord& after) {
    membershipChanged_ = true;
    if (!associateStores::moveMemberships(system(), number, before, after)) {
        message(QStringLiteral("Could not update the groupings of Associate ") +
                    after.Code.trimmed() + before.Code.trimmed(),
                MB_ICONEXCLAMATION);
    }
}

// --- delete -----------------------------------------------------------------------------------

void frmEmployee::EditForm_DeleteRec(int number) {
    // The list asks once per selected line; the whole selection goes at its first line.
    if (deletedWithSelection_.remove(number)) {
        return;
    }
    deletedWithSelection_.clear();  // left from a selection whose delete ended early
    std::vector<int> numbers = list().selectedRecords();
    if (std::find(numbers.begin(), numbers.end(), number) == numbers.end()) {
        numbers = {number};
    }
    for (int other : numbers) {
        if (other != number) {
            deletedWithSelection_.insert(other);
        }
    }
    deleteAssociates(numbers);
}

std::vector<int> frmEmployee::deletable(const std::vector<int>& numbers) {
    std::vector<int> kept;
    for (int number : numbers) {
        const QString where = associates().usedOn(number).trimmed();
        if (where.isEmpty()) {
            kept.push_back(number);
            continue;
        }
        const AssociateRecord associate = associates().record(number);
        message(QStringLiteral("Cannot delete Associate: ") + associate.Code.trimmed() +
                    QStringLiteral(" - ") + fullName(associate) +
                    QStringLiteral(" .  They are currently active on an ") + where +
                    QStringLiteral("."),
                MB_ICONEXCLAMATION);
    }
    return kept;
}

void frmEmployee::deleteAssociates(const std::vector<int>& numbers) {
    const std::vector<int> going = deletable(numbers);
    if (going.empty()) {
        return;
    }
    const bool several = going.size() > 1;
    QStringList items;
    for (int number : going) {
        items << associates().code(number).trimmed() + QStringLiteral(" - ") +
                     fullName(associates().record(number));
    }
    frmDelete& dialog = deleteDialog();
    dialog.setItem(several ? QString::number(going.size()) + QStringLiteral(" Associates")
                           : QStringLiteral("Associate"),
                   items.join(QLatin1Char('\n')));
    dialog.clearTargets();
    dialog.addTarget(QStringLiteral("(None)"), 0);
    for (int other = 1; other <= associates().recordCount(); ++other) {
        if (associates().isActive(other) &&
            std::find(going.begin(), going.end(), other) == going.end()) {
            dialog.addTarget(associates().code(other).trimmed(), other);
        }
    }
    if (!dialog.Ask(0)) {
        return;
    }
    const int target = dialog.targetRecord();
    if (message(several ? QStringLiteral("OK to Delete these Associates from the system at this "
                                         "time?")
                        : QStringLiteral("OK to Delete this Associate from the system at this "
                                         "time?"),
                MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    for (int number : going) {
        const AssociateRecord before = associates().record(number);
        if (!associates().remove(number, target)) {
            message(QStringLiteral("Could not delete the Associate ") + before.Code.trimmed() +
                        QStringLiteral(". ") + associates().lastError(),
                    MB_ICONEXCLAMATION);
            continue;
        }
        system().logChange(associates(), before.Code.trimmed(), QStringLiteral("Delete"), {});
        moveMemberships(number, before, AssociateRecord{});
        list().removeLine(number);
        list().markChanged();
    }
}

// --- closing ----------------------------------------------------------------------------------

void frmEmployee::EditForm_EditSave(bool& success) {
    MasterTableEditor::EditForm_EditSave(success);
    if (success && !associateStores::rebuildPunchLookup(system(), settings_)) {
        message(QStringLiteral("Could not write the ") + CAssocLookup::Title, MB_ICONEXCLAMATION);
    }
}

void frmEmployee::EditForm_EditCancel(bool& close) {
    MasterTableEditor::EditForm_EditCancel(close);
    if (membershipChanged_) {
        // The dropped edits take their membership changes with them.
        associateStores::rebuildGroupings(system());
        membershipChanged_ = false;
    }
}

void frmEmployee::EditForm_ActionButton(int index) {
    if (index == 1) {
        // The import's changes stay unsaved with the editor's own: the groupings follow them
        // now (and are rebuilt if the list is cancelled), the punch lookup file when it is saved.
        const auto afterImport = [this] {
            membershipChanged_ = true;
            associateStores::rebuildGroupings(system());
        };
        if (importAssociatesFromEditor(system(), afterImport)) {
            system().StatusText(QStringLiteral("Updating list of Associates"));
            list().clearLines();
            fillList();
            list().markChanged();
        }
    } else if (index == checkTallybookButton_) {
        TallybookDataCheck(system()).run();
    }
}

}  // namespace vel
