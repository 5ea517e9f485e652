#include "editors/MasterTableEditor.h"

#include "editors/frmOKtoView.h"

#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "editors/frmOKtoView.h"
#include "platform/print/PrintTable.h"
#include "platform/print/TBPrint.h"
#include "services/ErrorReport.h"
#include "services/MessageWithSound.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/Control.h"
#include "ui/Frame.h"
#include "ui/SaveButtons.h"
#include "ui/TextBox.h"
#include "ui/Ui.h"

namespace vel {

namespace {
std::vector<PrintTable::Column> tableColumns(const std::vector<PrintColumn>& columns) {
    std::vector<PrintTable::Column> layout;
    for (const PrintColumn& column : columns) {
        // A column is never narrower than its heading.
        layout.push_back({column.heading, qMax(column.width, int(column.heading.size()) + 1)});
    }
    return layout;
}
}  // namespace

MasterTableEditor::MasterTableEditor(Form& recordWindow, EditorWords words)
    : record_(recordWindow),
      words_(std::move(words)),
      list_(std::make_unique<TBEditForm>(static_cast<EditFormEvents&>(*this))),
      delete_(std::make_unique<frmDelete>()) {}

MasterTableEditor::~MasterTableEditor() = default;

bool MasterTableEditor::tableChanged() const {
    return table_ && table_->wasSaved();
}

void MasterTableEditor::release() {
    record_.unload();
    delete_->unload();
    list_->unload();
}

QString openFailureDetail(const TableObject& table) {
    const QString reason = table.lastError();
    return reason.isEmpty() ? QString() : QStringLiteral("\n\n") + reason;
}

int MasterTableEditor::message(const QString& text, int style, const QString& caption) {
    return MessageWithSound(text, style,
                            caption.isEmpty() && system_ ? system_->Program().title() : caption);
}

void MasterTableEditor::printCellsRow(TBPrint& printer, const QStringList& cells) {
    printer.printRow(cells, tableColumns(printColumns()));
}

// --- Edit's steps ------------------------------------------------------------------------------

// The table-access question asked twice (plain, then whether the choice is offered); with both
// answered, frmOKtoView decides. False when the person cancelled.
bool MasterTableEditor::offerViewOrModify(VelmorSystem& system, const QString& code,
                                          bool& viewOnly) {
    const bool mayStart = system.beginTableAccess(code, false, false);
    const bool offerChoice = mayStart && system.beginTableAccess(code, true, true);
    if (!mayStart || !offerChoice) {
        viewOnly = true;
        system.endTableAccess();
        return true;
    }
    frmOKtoView question;
    const int answer = question.OKtoEdit(0);
    if (answer == frmOKtoView::Cancelled) {
        system.endTableAccess();
        return false;
    }
    viewOnly = answer == frmOKtoView::ViewOnly;
    if (viewOnly) {
        system.endTableAccess();
    }
    return true;
}

bool MasterTableEditor::beginEdit(VelmorSystem& system, TableObject& table, bool viewOnly,
                                  const QString& accessCode, const QString& openFailureSuffix) {
    system_ = &system;
    table_ = &table;
    viewOnly_ = viewOnly;
    if (!viewOnly_) {
        // Another workstation holding the tables leaves this one viewing only.
        viewOnly_ = !system.beginTableAccess(accessCode, true, false);
        accessBegun_ = true;
    }
    if (!table.isOpen() && !table.open()) {
        message(QStringLiteral("Error opening the ") + table.name() + openFailureSuffix +
                    openFailureDetail(table),
                MB_ICONEXCLAMATION);
        endEdit();
        return false;
    }
    opened_ = true;
    return true;
}

bool MasterTableEditor::runEdit(const QString& procedureSuffix, const std::function<bool()>& body) {
    bool answer = false;
    if (!guarded(procedureSuffix, [&] { answer = body(); })) {
        endEdit();
        return false;
    }
    return answer;
}

bool MasterTableEditor::openForRun(VelmorSystem& system, TableObject& table) {
    system_ = &system;
    if (table.isOpen()) {
        table.close();  // whatever an earlier run left loaded may be out of date
    }
    if (!table.open()) {
        message(QStringLiteral("Error opening the ") + table.name() + QStringLiteral(" Table"),
                MB_ICONEXCLAMATION);
        return false;
    }
    openedForRun_.push_back(&table);
    return true;
}

void MasterTableEditor::setUpList() {
    list_->setCaption(table_->name() + QStringLiteral(" Table") +
                      (viewOnly_ ? QStringLiteral(" (readonly)") : QString()));
    list_->setViewOnly(viewOnly_);
    list_->setHelp(system_->Program().helpFile(), record_.helpContextID());
}

void MasterTableEditor::fillList() {
    const int count = table_->recordCount();
    system_->StatusText(QStringLiteral("Loading ") + table_->name() + QStringLiteral(" Table"));
    for (int number = 1; number <= count; ++number) {
        if (table_->isActive(number)) {
            list_->addLine(number, lineTexts(number));
        }
        system_->StatusPercent(number * 100 / count);
    }
    system_->StatusDone();
}

void MasterTableEditor::showList(quintptr owner, bool requireActive) {
    for (;;) {
        list_->Show(owner);
        if (!requireActive || table_->activeCount() > 0 || system_->shutdownPending() ||
            currentUi().lastWindowUnattended()) {
            return;
        }
        message(QStringLiteral("At least 1 ") + words_.kind + QStringLiteral(" must be active"),
                MB_ICONCRITICAL);
    }
}

void MasterTableEditor::endEdit() {
    closeRelatedTables();
    if (table_ && table_->isOpen()) {
        table_->close();
    }
    for (TableObject* table : openedForRun_) {
        table->close();
    }
    openedForRun_.clear();
    if (accessBegun_) {
        system_->endTableAccess();
        accessBegun_ = false;
    }
}

// --- the record window ---------------------------------------------------------------------------

void MasterTableEditor::addRecordButtons(Container& container) {
    auto& row = container.line();
    auto& previous = row.button(QStringLiteral("btnMove"), 0, QStringLiteral("Display Previous Line"))
                         .clicked([this] {
                             list_->requestMove(RecordMove::Previous);
                             record_.hide();
                         });
    auto& next =
        row.button(QStringLiteral("btnMove"), 1, QStringLiteral("Display Next Line")).clicked([this] {
            list_->requestMove(RecordMove::Next);
            record_.hide();
        });
    auto& save = row.saveButtons(QStringLiteral("SaveButtons1")).clicked([this](int index) {
        confirmed_ = index == SaveButtons::OK;
        record_.hide();
    });
    recordButtons_ = {&previous, &next, &save.ok()};
}

void MasterTableEditor::trackRecordChanges() {
    trackingChanges_ = true;
    for (const auto& control : record_.allControls()) {
        switch (control->kind()) {
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            control->onClick([this] { markRecordChanged(); });
            break;
        case ControlKind::TextBox:
        case ControlKind::ComboBox:
        case ControlKind::NumberBox:
        case ControlKind::DateBox:
        case ControlKind::TimeBox:
        case ControlKind::ListSelect:
        case ControlKind::OrderedSelect:
        case ControlKind::Grid:
            control->onChange([this] { markRecordChanged(); });
            break;
        default:
            break;
        }
    }
}

void MasterTableEditor::resetRecordChanges(bool changed) {
    recordChanged_ = changed;
    if (trackingChanges_ && recordButtons_.size() == 3) {
        recordButtons_[0]->setEnabled(!changed);
        recordButtons_[1]->setEnabled(!changed);
        recordButtons_[2]->setEnabled(changed);
    }
}

void MasterTableEditor::markRecordChanged() {
    if (!recordChanged_) {
        resetRecordChanges(true);
    }
}

bool MasterTableEditor::showRecord(const QString& caption) {
    record_.setCaption(caption);
    confirmed_ = false;
    ShowLikeModal(record_, 0);
    return confirmed_ && !viewOnly_;
}

QString MasterTableEditor::addCaption() const {
    return QStringLiteral("Add ") + words_.kind + QStringLiteral(" Record: ");
}

QString MasterTableEditor::editCaption() const {
    return (viewOnly_ ? QStringLiteral("View ") : QStringLiteral("Edit ")) + words_.kind +
           QStringLiteral(" Record: ");
}

bool MasterTableEditor::refusedAsBlank(TextBox& box) {
    if (!box.text().trimmed().isEmpty()) {
        return false;
    }
    QString caption = box.caption();
    caption.remove(QLatin1Char('&'));
    message(caption + QStringLiteral(" Field cannot be blank"), MB_ICONCRITICAL);
    box.setFocus();
    return true;
}

bool MasterTableEditor::takenByAnother(const QString& text, int number) const {
    if (text.trimmed().isEmpty()) {
        return true;
    }
    const int found = table_->find(text);
    return found != 0 && found != number;
}

int MasterTableEditor::freeRecordOrRefuse() {
    const int number = table_->freeRecord();
    if (number == 0) {
        message(QStringLiteral("Cannot add any ") + words_.plural +
                    QStringLiteral(", the maximum of ") + QString::number(table_->maximum()) +
                    QStringLiteral(" has been reached"),
                MB_ICONEXCLAMATION);
    }
    return number;
}

void MasterTableEditor::recordWritten(int number, const QString& action,
                                      const QStringList& changedSettings) {
    list_->updateLine(number, lineTexts(number));
    list_->selectRecord(number);
    list_->markChanged();
    if (action == QStringLiteral("Add") || !changedSettings.isEmpty()) {
        system_->logChange(*table_, table_->code(number).trimmed(), action,
                           changedSettings.join(QStringLiteral(", ")));
    }
}

int MasterTableEditor::deleteThroughDialog(int number, const std::function<bool(int)>& isTarget,
                                           int confirmStyle) {
    const QString item = table_->code(number).trimmed();
    delete_->setItem(words_.kind, item);
    delete_->clearTargets();
    delete_->addTarget(QStringLiteral("(None)"), 0);
    for (int other = 1; other <= table_->recordCount(); ++other) {
        if (other != number && table_->isActive(other) && (!isTarget || isTarget(other))) {
            delete_->addTarget(table_->code(other).trimmed(), other);
        }
    }
    if (!delete_->Ask(0)) {
        return -1;
    }
    const int target = delete_->targetRecord();
    return confirmAndRemove(number, target, confirmStyle) ? target : -1;
}

bool MasterTableEditor::confirmAndRemove(int number, int target, int confirmStyle) {
    const QString item = table_->code(number).trimmed();
    const int confirmed = (confirmStyle & 7) == MB_OKCANCEL ? IDOK : IDYES;
    if (message(QStringLiteral("OK to Delete this ") + words_.kind +
                    QStringLiteral(" from the system at this time?"),
                confirmStyle) != confirmed) {
        return false;
    }
    if (!table_->remove(number, target)) {
        message(QStringLiteral("Could not delete the ") + words_.kind + QStringLiteral(" ") + item +
                    QStringLiteral(". ") + table_->lastError(),
                MB_ICONEXCLAMATION);
        return false;
    }
    system_->logChange(*table_, item, QStringLiteral("Delete"), {});
    list_->removeLine(number);
    list_->markChanged();
    return true;
}

// --- events alike for every editor ---------------------------------------------------------------

void MasterTableEditor::EditForm_ShowTotals(QString& text) {
    text = QString::number(table_->activeCount()) + QStringLiteral(" active of ") +
           QString::number(table_->maximum()) + QStringLiteral(" maximum");
}

void MasterTableEditor::EditForm_EditSave(bool& success) {
    if (table_->activeCount() == 0) {
        message(QStringLiteral("There must be at least one ") + words_.kind +
                    QStringLiteral(" active before saving"),
                MB_ICONCRITICAL);
        success = false;
        return;
    }
    success = table_->save();
    if (!success) {
        message(QStringLiteral("Could not save the ") + table_->name() +
                    QStringLiteral(" Table.  ") + table_->lastError(),
                MB_ICONCRITICAL);
    }
}

void MasterTableEditor::EditForm_EditCancel(bool& close) {
    close = true;
    if (table_->hasEdits()) {
        table_->cancel();
    }
}

void MasterTableEditor::EditForm_NeedtoShutdown(bool& shutdown) {
    shutdown = system_->shutdownPending();
}

void MasterTableEditor::EditForm_ShowHelp(int helpContext) {
    system_->Program().showHelp(helpContext);
}

void MasterTableEditor::EditForm_DeviceInit(TBPrint& printer) {
    system_->standardDeviceSetup(printer);
}


void MasterTableEditor::EditForm_PrintHeader(TBPrint& printer) {
    system_->standardPageHeader(printer);
    printer.setAlignment(PrintAlignment::Centre);
    printer.printLine(words_.listTitle, PrintBold);
    printer.setAlignment(PrintAlignment::Left);
    QStringList headings;
    for (const PrintColumn& column : printColumns()) {
        headings << column.heading;
    }
    printer.printRow(headings, tableColumns(printColumns()), PrintUnderline);
}

void MasterTableEditor::EditForm_PrintRec(TBPrint& printer, int number) {
    printCellsRow(printer, printCells(number));
}

void MasterTableEditor::EditForm_PrintTotals(TBPrint& printer) {
    QString totals;
    EditForm_ShowTotals(totals);
    printer.separator();
    printer.printLine(totals);
}

}  // namespace vel
