#include "editors/shell/TBEditForm.h"

#include "platform/editshell/ListingPrinter.h"
#include "platform/print/PrintOutput.h"
#include "platform/print/TBPrint.h"
#include "services/ErrorReport.h"
#include "services/MessageWithSound.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/ListView.h"

#include <algorithm>

namespace vel {

TBEditForm::TBEditForm(EditFormEvents& events)
    : Form(QStringLiteral("TBEditForm"), QString()), events_(events) {
    list_ = &listView(QStringLiteral("lvList"));
    list_->doubleClicked([this](int line) {
        runAction(QStringLiteral("EditRec"), [this, line] { editRecord(recordAt(line)); });
    });
    totals_ = &label(QStringLiteral("lblTotals"), QString());
    auto& recordButtons = line();
    add_ = &recordButtons.button(QStringLiteral("btnAdd"), QStringLiteral("&Add"));
    copy_ = &recordButtons.button(QStringLiteral("btnCopy"), QStringLiteral("&Copy"));
    edit_ = &recordButtons.button(QStringLiteral("btnEdit"), QStringLiteral("&Edit"));
    delete_ = &recordButtons.button(QStringLiteral("btnDelete"), QStringLiteral("&Delete"));
    print_ = &recordButtons.button(QStringLiteral("btnPrint"), QStringLiteral("&Print"));
    actions_ = &line();
    auto& closing = line();
    help_ = &closing.button(QStringLiteral("btnHelp"), QStringLiteral("&Help"));
    auto& ok = closing.button(QStringLiteral("btnOK"), QStringLiteral("OK")).makeDefault();
    auto& cancel =
        closing.button(QStringLiteral("btnCancel"), QStringLiteral("Cancel")).makeCancel();

    add_->clicked([this] { runAction(QStringLiteral("AddRec"), [this] { addRecord(); }); });
    copy_->clicked([this] { runAction(QStringLiteral("CopyRec"), [this] { copyRecord(); }); });
    edit_->clicked(
        [this] { runAction(QStringLiteral("EditRec"), [this] { editRecord(selectedRecord()); }); });
    delete_->clicked(
        [this] { runAction(QStringLiteral("DeleteRec"), [this] { deleteRecords(); }); });
    print_->clicked([this] { runAction(QStringLiteral("Print"), [this] { printList(); }); });
    help_->clicked([this] {
        runAction(QStringLiteral("ShowHelp"), [this] { events_.EditForm_ShowHelp(helpContext_); });
    });
    ok.clicked([this] { runAction(QStringLiteral("EditSave"), [this] { save(); }); });
    cancel.clicked([this] { runAction(QStringLiteral("EditCancel"), [this] { cancelList(); }); });
    // A shutdown asked while the list waits for the person closes it within a second.
    setTimer(1000, [this] { timerTick(); });
}

// --- set-up ---------------------------------------------------------------------------------

void TBEditForm::addColumn(const QString& caption, int columnNumber, ListColumn::Kind kind,
                           int width) {
    columns_.push_back({caption, columnNumber, kind, width});
}

void TBEditForm::setViewOnly(bool viewOnly) {
    viewOnly_ = viewOnly;
    allowAdd_ = !viewOnly;
    allowDelete_ = !viewOnly;
    edit_->setCaption(viewOnly ? QStringLiteral("&View") : QStringLiteral("&Edit"));
    refreshButtons();
}

void TBEditForm::setAllowAdd(bool allow) {
    allowAdd_ = allow;
    refreshButtons();
}

void TBEditForm::setAllowCopy(bool allow) {
    allowCopy_ = allow;
    refreshButtons();
}

void TBEditForm::setAllowDelete(bool allow) {
    allowDelete_ = allow;
    refreshButtons();
}

void TBEditForm::setEditCaption(const QString& caption) {
    edit_->setCaption(caption);
}

void TBEditForm::setMultiDelete(bool allow) {
    list_->multiSelect(allow);
}

int TBEditForm::addActionButton(const QString& caption) {
    const int index = ++actionCount_;
    actions_->button(QStringLiteral("btnAction"), index, caption).clicked([this, index] {
        runAction(QStringLiteral("ActionButton"),
                  [this, index] { events_.EditForm_ActionButton(index); });
    });
    return index;
}

void TBEditForm::setHelp(const QString& helpFile, int helpContext) {
    helpFile_ = helpFile;
    helpContext_ = helpContext;
    setHelpContextID(helpContext);  // F1 in the list opens the same page as its "&Help"
}

// --- lines ----------------------------------------------------------------------------------

std::vector<ListColumn> TBEditForm::sortedColumns() const {
    std::vector<ListColumn> sorted = columns_;
    std::ranges::stable_sort(sorted, {}, &ListColumn::columnNumber);
    return sorted;
}

void TBEditForm::declareListColumns() {
    if (columnsDeclared_) {
        return;
    }
    columnsDeclared_ = true;
    for (const ListColumn& column : sortedColumns()) {
        list_->column(column.caption, column.width, column.kind != ListColumn::Kind::Text);
    }
}

QStringList TBEditForm::lineTextsFor(int recordNumber, const QStringList& texts) const {
    QStringList line;
    qsizetype next = 0;
    for (const ListColumn& column : sortedColumns()) {
        line << (column.kind == ListColumn::Kind::Number ? QString::number(recordNumber)
                                                         : texts.value(next++));
    }
    return line;
}

void TBEditForm::addLine(int recordNumber, const QStringList& texts) {
    declareListColumns();
    const int line = list_->addItem(lineTextsFor(recordNumber, texts), recordNumber);
    if (isLoaded()) {
        changed_ = true;
        list_->select(line);
        refreshButtons();
    }
}

void TBEditForm::updateLine(int recordNumber, const QStringList& texts) {
    const int line = lineOf(recordNumber);
    if (line < 0) {
        addLine(recordNumber, texts);
        return;
    }
    list_->setItem(line, lineTextsFor(recordNumber, texts));
    changed_ = changed_ || isLoaded();
}

void TBEditForm::removeLine(int recordNumber) {
    const int line = lineOf(recordNumber);
    if (line < 0) {
        return;
    }
    const bool wasSelected = list_->item(line).selected;
    list_->removeItem(line);
    if (isLoaded()) {
        changed_ = true;
        if (wasSelected && list_->selectedLine() < 0 && lineCount() > 0) {
            list_->select(std::min(line, lineCount() - 1));
        }
        refreshButtons();
    }
}

void TBEditForm::clearLines() {
    list_->clear();
    changed_ = changed_ || isLoaded();
    refreshButtons();
}

int TBEditForm::lineCount() const {
    return list_->count();
}

int TBEditForm::recordAt(int line) const {
    return line >= 0 && line < lineCount() ? int(list_->item(line).data) : 0;
}

int TBEditForm::lineOf(int recordNumber) const {
    return list_->findData(recordNumber);
}

QStringList TBEditForm::lineTexts(int recordNumber) const {
    const int line = lineOf(recordNumber);
    return line < 0 ? QStringList() : list_->item(line).texts;
}

int TBEditForm::selectedRecord() const {
    return recordAt(list_->selectedLine());
}

std::vector<int> TBEditForm::selectedRecords() const {
    std::vector<int> records;
    for (int line : list_->selectedLines()) {
        records.push_back(recordAt(line));
    }
    return records;
}

void TBEditForm::selectRecord(int recordNumber) {
    const int line = lineOf(recordNumber);
    if (line >= 0) {
        list_->select(line);
    }
}

// --- showing and closing --------------------------------------------------------------------

bool TBEditForm::Show(quintptr ownerHandle) {
    saved_ = false;
    closing_ = false;
    changed_ = false;
    declareListColumns();
    ShowLikeModal(*this, ownerHandle);
    if (isLoaded()) {
        closing_ = true;  // the Ui gave up on the window: it goes without asking again
        unload();
    }
    return saved_;
}

void TBEditForm::Form_Load() {
    closing_ = false;
    if (lineCount() > 0 && list_->selectedLine() < 0) {
        list_->select(0);
    }
    refreshButtons();
    refreshTotals();
}

void TBEditForm::Form_QueryUnload(bool& cancel, UnloadMode) {
    if (closing_) {
        return;
    }
    // Closing by the frame is Cancel.
    bool close = true;
    guarded(QStringLiteral(" - TBEditForm:EditCancel"),
            [&] { events_.EditForm_EditCancel(close); });
    cancel = !close;
}

bool TBEditForm::closeNow() {
    closing_ = true;
    const bool closed = unload();
    closing_ = false;
    return closed;
}

void TBEditForm::refreshButtons() {
    const bool hasLines = lineCount() > 0;
    add_->setEnabled(allowAdd_);
    copy_->setVisible(allowCopy_);
    copy_->setEnabled(allowAdd_ && allowCopy_ && hasLines);
    edit_->setEnabled(hasLines);
    delete_->setEnabled(allowDelete_ && hasLines);
    print_->setEnabled(hasLines);
    help_->setEnabled(true);
}

void TBEditForm::refreshTotals() {
    QString text;
    guarded(QStringLiteral(" - TBEditForm:ShowTotals"), [&] { events_.EditForm_ShowTotals(text); });
    totals_->setCaption(text);
}

void TBEditForm::runAction(const QString& procedure, const std::function<void()>& action) {
    if (busy_) {
        return;
    }
    if (shutdownAsked()) {
        closeForShutdown();
        return;
    }
    busy_ = true;
    guarded(QStringLiteral(" - TBEditForm:") + procedure, action);
    busy_ = false;
    if (isLoaded()) {
        refreshButtons();
        refreshTotals();
    }
}

bool TBEditForm::shutdownAsked() {
    bool shutdown = false;
    guarded(QStringLiteral(" - TBEditForm:NeedtoShutdown"),
            [&] { events_.EditForm_NeedtoShutdown(shutdown); });
    return shutdown;
}

void TBEditForm::closeForShutdown() {
    bool close = true;
    guarded(QStringLiteral(" - TBEditForm:EditCancel"),
            [&] { events_.EditForm_EditCancel(close); });
    closeNow();  // a shutdown closes the list whatever the editor answers
}

bool TBEditForm::timerTick() {
    if (!isLoaded() || busy_ || !shutdownAsked()) {
        return false;
    }
    closeForShutdown();
    return true;
}

// --- actions --------------------------------------------------------------------------------

void TBEditForm::followMoves() {
    while (move_ != RecordMove::None && isLoaded()) {
        const int step = move_ == RecordMove::Previous ? -1 : 1;
        move_ = RecordMove::None;
        const int line = list_->selectedLine();
        const int target = recordAt(line + step);
        if (line < 0 || target == 0) {
            return;  // the first or last line: nothing further to show
        }
        selectRecord(target);
        events_.EditForm_EditRec(target);
    }
}

void TBEditForm::addRecord() {
    if (!allowAdd_) {
        return;
    }
    move_ = RecordMove::None;
    events_.EditForm_AddRec();
    followMoves();
}

void TBEditForm::copyRecord() {
    if (!allowAdd_ || selectedRecord() == 0) {
        return;
    }
    move_ = RecordMove::None;
    events_.EditForm_CopyRec();
    followMoves();
}

void TBEditForm::editRecord(int recordNumber) {
    if (recordNumber <= 0) {
        return;
    }
    move_ = RecordMove::None;
    selectRecord(recordNumber);
    events_.EditForm_EditRec(recordNumber);
    followMoves();
}

void TBEditForm::deleteRecords() {
    if (!allowDelete_) {
        return;
    }
    std::vector<int> records = selectedRecords();
    if (!list_->isMultiSelect() && records.size() > 1) {
        records.resize(1);
    }
    for (int record : records) {
        if (!isLoaded()) {
            return;
        }
        events_.EditForm_DeleteRec(record);
    }
}

void TBEditForm::printList() {
    PrintOutput* output = printOutput_ ? printOutput_ : installedPrintOutput();
    if (!output) {
        MessageWithSound(QStringLiteral("There is no printer available for the list"),
                         MB_ICONEXCLAMATION);
        return;
    }
    std::vector<int> records;
    for (int line = 0; line < lineCount(); ++line) {
        records.push_back(recordAt(line));
    }
    TBPrint printer;
    printer.setTitle(caption());
    ListingPrinter listing(events_, printer);
    if (listing.print(records, *output) == ListingPrinter::Result::Failed) {
        MessageWithSound(listing.error(), MB_ICONEXCLAMATION);
    }
}

void TBEditForm::save() {
    bool success = true;
    events_.EditForm_EditSave(success);
    if (success) {
        saved_ = true;
        closeNow();
    }
}

void TBEditForm::cancelList() {
    bool close = true;
    events_.EditForm_EditCancel(close);
    if (close) {
        closeNow();
    }
}

}  // namespace vel
