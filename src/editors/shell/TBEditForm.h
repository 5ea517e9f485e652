#pragma once
// TBEditForm: the list window of the editor shell. An editor fills it with one line per record
// (each line carries its record number), answers its events (EditFormEvents) and shows it
// modally; the editor's own form is the record window that its events open.
//
// Controls: lvList (the list), lblTotals (totals line), btnAdd, btnCopy, btnEdit ("&Edit", or
// "&View" when view-only), btnDelete, btnPrint, btnAction(1..) (the editor's extra buttons),
// btnHelp, btnOK (save and close) and btnCancel (drop edits and close).
//
// Moving between records: the record window's btnMove handler calls requestMove(Previous or
// Next) and closes the window; when the editor's EditForm_AddRec, EditForm_CopyRec or
// EditForm_EditRec returns, the list selects the line before or after the selected one and calls
// EditForm_EditRec for it, until no move is asked or the list ends.
//
// Shutdown: before each action, and on each timerTick() (the Ui's timer; tests call it), the
// list asks EditForm_NeedtoShutdown; a true answer drops the edits and closes the list.
#include "platform/editshell/EditFormEvents.h"
#include "platform/editshell/ListColumn.h"
#include "platform/editshell/RecordMove.h"
#include "ui/Form.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace vel {

class Button;
class Label;
class ListView;
class PrintOutput;
class Row;

class TBEditForm : public Form {
  public:
    explicit TBEditForm(EditFormEvents& events);

    // Set-up, before the list is shown.
    void addColumn(const QString& caption, int columnNumber,
                   ListColumn::Kind kind = ListColumn::Kind::Text, int width = 12);
    void setViewOnly(bool viewOnly);  // adding and deleting off, the edit action "&View"
    bool viewOnly() const { return viewOnly_; }
    void setAllowAdd(bool allow);
    void setAllowDelete(bool allow);
    // Shows the Copy button only for editors that copy records (off by default).
    void setAllowCopy(bool allow);
    void setEditCaption(const QString& caption);
    // Lets a person select several lines and delete them in one action.
    void setMultiDelete(bool allow);
    // Adds an extra button; answers its index (from 1) for EditForm_ActionButton.
    int addActionButton(const QString& caption);
    void setHelp(const QString& helpFile, int helpContext);
    // Where Print sends the listing; nullptr (the default) uses the installed print output.
    void setPrintOutput(PrintOutput* output) { printOutput_ = output; }

    // The lines. texts are for the Text columns in column-number order; Number columns show
    // the record number. Changing lines while the list shows marks it changed.
    void addLine(int recordNumber, const QStringList& texts);
    void updateLine(int recordNumber, const QStringList& texts);  // adds a missing line
    void removeLine(int recordNumber);
    void clearLines();
    int lineCount() const;
    int recordAt(int line) const;        // 0 outside the list
    int lineOf(int recordNumber) const;  // -1 when the record has no line
    QStringList lineTexts(int recordNumber) const;
    int selectedRecord() const;  // 0 when no line is selected
    std::vector<int> selectedRecords() const;
    void selectRecord(int recordNumber);

    // Shows the list modally, owned by the caller's window; true when it closed by OK.
    bool Show(quintptr ownerHandle);
    bool saved() const { return saved_; }
    bool changed() const { return changed_; }
    void markChanged() { changed_ = true; }

    // Asked by a record window's btnMove handler before the window closes.
    void requestMove(RecordMove move) { move_ = move; }
    // One tick of the list's timer: asks EditForm_NeedtoShutdown; true when the list closed.
    bool timerTick();
    // Refreshes the totals line through EditForm_ShowTotals.
    void refreshTotals();

  protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override;

  private:
    std::vector<ListColumn> sortedColumns() const;
    void declareListColumns();
    QStringList lineTextsFor(int recordNumber, const QStringList& texts) const;
    void refreshButtons();
    // Runs a person's action: shutdown check first, errors reported, totals refreshed after.
    void runAction(const QString& procedure, const std::function<void()>& action);
    bool shutdownAsked();
    void closeForShutdown();
    void followMoves();
    void addRecord();
    void copyRecord();
    void editRecord(int recordNumber);
    void deleteRecords();
    void printList();
    void save();
    void cancelList();
    bool closeNow();

    EditFormEvents& events_;
    ListView* list_;
    Label* totals_;
    Button* add_;
    Button* copy_;
    Button* edit_;
    Button* delete_;
    Button* print_;
    Row* actions_;
    Button* help_;
    std::vector<ListColumn> columns_;
    bool columnsDeclared_ = false;
    bool viewOnly_ = false;
    bool allowAdd_ = true;
    bool allowDelete_ = true;
    bool allowCopy_ = false;
    int actionCount_ = 0;
    QString helpFile_;
    int helpContext_ = 0;
    PrintOutput* printOutput_ = nullptr;
    RecordMove move_ = RecordMove::None;
    bool busy_ = false;
    bool closing_ = false;
    bool saved_ = false;
    bool changed_ = false;
};

}  // namespace vel
